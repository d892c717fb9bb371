#include "qt/QtFonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vantor {

namespace {

struct Substitute {
  const char* face;
  const char* family;
};
constexpr Substitute kSubstitutes[] = {
    {"arial", "Liberation Sans"},
    {"helvetica", "Liberation Sans"},
    {"arial narrow", "Liberation Sans Narrow"},
    {"times new roman", "Liberation Serif"},
    {"courier new", "Liberation Mono"},
};

QFont BaseFont(const QString& family, bool bold) {
  QFont f(family);
  f.setBold(bold);
  f.setItalic(false);
  f.setUnderline(false);
  f.setStrikeOut(false);
  f.setKerning(false);  // character advances add up, as on the other devices
  return f;
}

// Ascent + descent per em of a family, measured once at a large size.
double CellPerEm(const QString& family, bool bold) {
  static QHash<QString, double> cache;
  const QString key = family + (bold ? QStringLiteral("/b") : QStringLiteral("/r"));
  auto it = cache.find(key);
  if (it != cache.end()) return *it;
  constexpr int kReference = 1000;
  QFont f = BaseFont(family, bold);
  f.setPixelSize(kReference);
  const QFontMetricsF fm(f);
  double ratio = (fm.ascent() + fm.descent()) / kReference;
  if (!(ratio > 0.5 && ratio < 3.0)) ratio = 1.15;  // a face without sensible metrics
  cache.insert(key, ratio);
  return ratio;
}

}  // namespace

QString ResolveFamily(std::string_view face) {
  // Asking the font database goes through fontconfig's substitution rules,
  // which costs far more than drawing the text; the answer for a name does not
  // change during a run. One user-interface thread uses it, so no lock.
  static QHash<QString, QString> resolved;
  const QString key = QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
  const auto hit = resolved.constFind(key);
  if (hit != resolved.constEnd()) return *hit;
  const QString name = key.trimmed();
  QString family = name;
  const QString lower = name.toLower();
  for (const Substitute& s : kSubstitutes) {
    if (lower == QLatin1String(s.face)) {
      const QString candidate = QString::fromLatin1(s.family);
      if (QFontDatabase::hasFamily(candidate)) {
        family = candidate;
        break;
      }
    }
  }
  resolved.insert(key, family);
  return family;
}

QFont FontForCellHeight(const QString& family, int cellHeight, bool bold, const QPaintDevice* device) {
  if (cellHeight < 1) cellHeight = 1;
  const int estimate = std::max(1, static_cast<int>(std::lround(cellHeight / CellPerEm(family, bold))));
  QFont best;
  int bestError = -1;
  for (int px : {estimate, estimate - 1, estimate + 1}) {
    if (px < 1) continue;
    QFont f = BaseFont(family, bold);
    f.setPixelSize(px);
    const int h = device ? QFontMetrics(f, device).height() : QFontMetrics(f).height();
    const int error = std::abs(h - cellHeight);
    if (bestError < 0 || error < bestError) {
      best = f;
      bestError = error;
    }
  }
  return best;
}

QFont WindowFont(std::string_view face, int pixels, bool bold) {
  const QString name = QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
  QStringList families{name};
  if (name.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0)
    families << QStringLiteral("Microsoft Sans Serif") << QStringLiteral("Liberation Sans") << QStringLiteral("Arial")
             << QStringLiteral("DejaVu Sans");
  else
    families << QStringLiteral("Liberation Sans");
  QFont f;
  f.setFamilies(families);
  f.setPixelSize(std::max(1, pixels));
  f.setBold(bold);
  return f;
}

QFont FontForEmHeight(const QString& family, int emPixels, bool bold) {
  QFont f = BaseFont(family, bold);
  f.setPixelSize(std::max(1, emPixels));
  return f;
}

}  // namespace vantor
