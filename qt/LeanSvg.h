// A paint device that writes small SVG for pictures of many filled rectangles
// (barcode sheets): QSvgGenerator writes a group with the whole painter state
// for every change of colour and an element for every bar, some 400 KB a
// sheet. Here fills of one colour in a row share one path, bars that touch
// become one rectangle, and coordinates are whole device pixels wherever the
// painter draws on them. Text stays text.
//
// What it draws: rectangles, polygons and paths filled with a solid brush and
// outlined with a solid or dashed pen, text, under any affine transform.
// Gradients, images and clipping are not written (the sheet painters use
// none of them).
#pragma once

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QPaintDevice>
#include <QPointF>
#include <QSize>
#include <QTransform>
#include <memory>

namespace vantor {

class TLeanSvgEngine;

class TLeanSvgDevice : public QPaintDevice {
 public:
  // A page of `size` device pixels at `dpi`, its SVG appended to `out` when
  // the painter ends.
  TLeanSvgDevice(QSize size, int dpi, QByteArray& out);
  ~TLeanSvgDevice() override;
  QPaintEngine* paintEngine() const override;

  // Writes `text` as a painter drawing it at `baseline` under `transform`
  // would, without laying it out first. For callers that draw one short
  // string at a time and already know its font and colour.
  void Text(const QTransform& transform, QPointF baseline, const QFont& font, const QColor& color, const QString& text);

 protected:
  int metric(PaintDeviceMetric metric) const override;

 private:
  QSize size_;
  int dpi_;
  std::unique_ptr<TLeanSvgEngine> engine_;
};

}  // namespace vantor
