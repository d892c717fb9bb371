#include "qt/BarcodeImage.h"

#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "qt/OutputFile.h"
#include "qt/QtSurface.h"
#include "surface/RecordingSurface.h"
#include "surface/Units.h"

namespace vantor {

namespace {

// White ground, then the symbol at the quiet zone's corner.
void PaintOn(QPainter& painter, TLLBarcode& bc, const TImageLayout& layout, int dpi) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(QRect(0, 0, layout.image.x, layout.image.y), Qt::white);
  TQtSurface surface(painter, dpi, dpi);
  TPoint drawn;
  bc.Draw(surface, layout.quiet, layout.quiet, drawn);
}

std::string Reason(const QSaveFile& file) { return file.errorString().toStdString(); }

}  // namespace

int QuietZonePixels(const TLLBarcode& bc, int dpi) {
  const double module = bc.ModuleWidthMM() * PixelsPerMm(dpi);
  const int X = std::max(1, RoundEven(module));
  return std::max({10 * X, static_cast<int>(std::ceil(10 * module)), 10});
}

TImageLayout MeasureBarcodeImage(TLLBarcode& bc, int dpi) {
  TRecordingSurface probe(dpi, dpi);
  TImageLayout layout;
  bc.Draw(probe, 0, 0, layout.symbol);
  layout.quiet = QuietZonePixels(bc, dpi);
  layout.image = {layout.symbol.x + 2 * layout.quiet, layout.symbol.y + 2 * layout.quiet};
  return layout;
}

std::string WriteBarcodeImage(TLLBarcode& bc, const std::string& path, TImageFormat format, int dpi) {
  const TImageLayout layout = MeasureBarcodeImage(bc, dpi);  // raises before any file exists

  if (!CanReplaceWithFile(QString::fromStdString(path))) return "cannot write " + path + ": not a file";
  TWholeWrites<QSaveFile> file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return "cannot write " + path + ": " + Reason(file);

  switch (format) {
    case TImageFormat::Png: {
      QImage image(layout.image.x, layout.image.y, QImage::Format_RGB32);
      const int dpm = DotsPerMetre(dpi);
      image.setDotsPerMeterX(dpm);
      image.setDotsPerMeterY(dpm);
      {
        QPainter painter(&image);
        PaintOn(painter, bc, layout, dpi);
      }
      if (!image.convertToFormat(QImage::Format_Grayscale8).save(&file, "PNG"))
        return "cannot write " + path + ": " +
               (file.error() != QFileDevice::NoError ? Reason(file) : std::string("PNG encoding failed"));
      break;
    }
    case TImageFormat::Svg: {
      QSvgGenerator svg;
      svg.setOutputDevice(&file);
      svg.setSize(QSize(layout.image.x, layout.image.y));
      svg.setViewBox(QRect(0, 0, layout.image.x, layout.image.y));
      svg.setResolution(dpi);
      svg.setTitle(QStringLiteral("Barcode"));
      svg.setDescription(QStringLiteral("Drawn by Vantor"));
      QPainter painter;
      if (!painter.begin(&svg)) return "cannot write " + path + ": SVG output failed";
      PaintOn(painter, bc, layout, dpi);
      painter.end();
      break;
    }
    case TImageFormat::Pdf: {
      QPdfWriter pdf(&file);
      pdf.setResolution(dpi);
      pdf.setCreator(QStringLiteral("Vantor"));
      pdf.setTitle(QStringLiteral("Barcode"));
      // PDF page sizes are whole points: widen the white page on the right and
      // at the bottom to the next size that is, so no pixel row is cut off.
      const int step = dpi / std::gcd(dpi, 72);
      const int w = (layout.image.x + step - 1) / step * step;
      const int h = (layout.image.y + step - 1) / step * step;
      pdf.setPageSize(QPageSize(QSize(w * 72 / dpi, h * 72 / dpi), QString(), QPageSize::ExactMatch));
      pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
      QPainter painter;
      if (!painter.begin(&pdf)) return "cannot write " + path + ": PDF output failed";
      painter.fillRect(QRect(0, 0, w, h), Qt::white);
      PaintOn(painter, bc, layout, dpi);
      painter.end();
      break;
    }
  }
  if (!FlushAndCommit(file)) return "cannot write " + path + ": " + Reason(file);
  return {};
}

}  // namespace vantor
