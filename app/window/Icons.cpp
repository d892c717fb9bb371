#include "app/window/Icons.h"

#include <QPainter>
#include <QPixmap>
#include <array>
#include <functional>

namespace vantor {

namespace {

// Glyphs are designed on a 16 x 16 grid and drawn at each size by scaling.
using TGlyphPainter = std::function<void(QPainter&)>;

QPixmap DrawGlyph(int size, const TGlyphPainter& draw) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.scale(size / 16.0, size / 16.0);
  draw(p);
  return pm;
}

// The disabled state: the same shape in flat grey at reduced opacity.
QPixmap Greyed(const QPixmap& source) {
  QImage img = source.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const int g = 96 + qGray(line[x]) / 2;
      line[x] = qRgba(g, g, g, qAlpha(line[x]) / 2);
    }
  }
  return QPixmap::fromImage(img);
}

QIcon MakeIcon(const TGlyphPainter& draw, bool twoState) {
  QIcon icon;
  for (int size : {16, 32}) {
    const QPixmap normal = DrawGlyph(size, draw);
    icon.addPixmap(normal, QIcon::Normal);
    if (twoState) icon.addPixmap(Greyed(normal), QIcon::Disabled);
  }
  return icon;
}

void DrawCartridge(QPainter& p) {
  p.setPen(QColor(0x20, 0x20, 0x20));
  p.setBrush(QColor(0x3A, 0x4A, 0x6B));
  p.drawRect(1, 2, 13, 12);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(3, 4, 10, 6);
  p.setBrush(Qt::black);
  for (int x : {4, 5, 7, 9, 10, 12}) p.drawRect(x, 5, 1, 4);
  p.setBrush(QColor(0xFF, 0x93, 0x26));
  p.drawRect(3, 11, 3, 2);
}

void DrawPrinter(QPainter& p) {
  p.setPen(QColor(0x20, 0x20, 0x20));
  p.setBrush(Qt::white);
  p.drawRect(4, 1, 7, 5);  // sheet going in
  p.setBrush(QColor(0xB0, 0xB0, 0xB0));
  p.drawRect(1, 6, 13, 6);  // body
  p.setBrush(Qt::white);
  p.drawRect(3, 10, 9, 5);  // printed sheet
  p.setPen(QColor(0x20, 0x20, 0x20));
  p.drawLine(5, 12, 10, 12);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x4D, 0xBF, 0x46));
  p.drawRect(12, 7, 1, 1);  // power lamp
}

void DrawColorCells(QPainter& p) {
  // Digit colours 0 to 3 of the start-up scheme.
  constexpr std::array<QRgb, 4> kCells = {0xFF0000, 0xFFFF00, 0xA7FCBA, 0xB9CAF2};
  p.setPen(QColor(0x20, 0x20, 0x20));
  for (std::size_t i = 0; i < kCells.size(); ++i) {
    p.setBrush(QColor(kCells[i]));
    const int x = static_cast<int>(i % 2) * 7 + 1;
    const int y = static_cast<int>(i / 2) * 7 + 1;
    p.drawRect(x, y, 6, 6);
  }
}

}  // namespace

QIcon MainWindowIcon() { return MakeIcon(DrawCartridge, false); }
QIcon PrintButtonIcon() { return MakeIcon(DrawPrinter, true); }
QIcon ColorsButtonIcon() { return MakeIcon(DrawColorCells, true); }

}  // namespace vantor
