// Reading printed sheets back: rasterise a PDF page, cut each label out by its
// place on the paper and decode it with readers we did not write. Shared by
// the PDF scan tests and the print queue test.
#pragma once

#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QString>
#include <cstdio>
#include <string>

#include "dlt/SheetLayouts.h"
#include "surface/CorrectedSurface.h"
#include "tools/ReaderUtil.h"

namespace vantor::testing {

// Page 1 of a PDF as a grey image at `dpi` (pdftoppm), written beside `prefix`.
inline QImage RasterisePdf(const std::string& pdf, int dpi, const std::string& prefix) {
  QImageReader::setAllocationLimit(1024);  // an A4 page at 600 dpi is larger than Qt's default limit
  RunCommand("pdftoppm -r " + std::to_string(dpi) + " -gray -png -singlefile " + ShellQuote(pdf) + " " +
             ShellQuote(prefix) + " 2>/dev/null");
  return QImage(QString::fromStdString(prefix + ".png"));
}

// The rectangle at `left`, `top` (dots) of a page alone on a white margin,
// so what a reader reads is what lies inside the rectangle.
inline QImage CutRect(const QImage& page, int left, int top, int width, int height, int margin) {
  QImage label(width + 2 * margin, height + 2 * margin, QImage::Format_Grayscale8);
  label.fill(Qt::white);
  {
    QPainter p(&label);
    p.drawImage(QPoint(margin, margin), page.copy(left, top, width, height));
  }
  return label;
}

// Label i (0..29, row by row) of a page rasterised at `dpi`: its place on the
// tape-label grid, on a white margin of 5 mm that stands for the quiet zone the
// neighbouring labels would cut into.
// With a calibration, the label is looked for where the correction puts it.
inline QImage CutLabel(const QImage& page, int dpi, int i, const TCalibration& c = {}) {
  const TLabelGrid& g = kTapeLabelGrid;
  const TDots d = TDots::FromDpi(dpi, dpi);
  const int row = i / g.columns, col = i % g.columns;
  const auto mm = [](TLength l) { return static_cast<double>(l.Micrometres()) / 1000; };
  const auto dots = [&](double millimetres) { return RoundEven(millimetres * dpi / kMmPerInch); };
  const int left = dots(c.offsetXMm + c.scaleX * mm(g.left + g.pitchX * col));
  const int top = dots(c.offsetYMm + c.scaleY * mm(g.top + g.pitchY * row));
  const int width = dots(c.scaleX * mm(g.width)), height = dots(c.scaleY * mm(g.height));
  return CutRect(page, left, top, width, height, d.X(Mm(5)));
}

// The serial i labels after `first`: the counter steps, the prefix stays.
inline std::string SerialAfter(const std::string& first, int i) {
  char counter[4];
  std::snprintf(counter, sizeof counter, "%03d", std::stoi(first.substr(3)) + i);
  return first.substr(0, 3) + counter;
}

}  // namespace vantor::testing
