// The small SVG writer: each picture drawn both on an image and as SVG read
// back by Qt's renderer must come out the same, with touching bars joined.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdlib>
#include <functional>

#include "qt/LeanSvg.h"
#include "qt/QtColor.h"
#include "qt/QtSurface.h"
#include "qt/QtTestApp.h"

namespace vantor {
namespace {

constexpr int kSize = 64;

QImage Raster(const std::function<void(QPainter&)>& draw) {
  QImage image(kSize, kSize, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p);
  return image;
}

QByteArray Svg(const std::function<void(QPainter&)>& draw) {
  QByteArray svg;
  TLeanSvgDevice device(QSize(kSize, kSize), 96, svg);
  QPainter p(&device);
  draw(p);
  p.end();
  return svg;
}

QImage Rendered(const QByteArray& svg) {
  QImage image(kSize, kSize, QImage::Format_RGB32);
  image.fill(Qt::white);
  QSvgRenderer renderer(svg);
  EXPECT_TRUE(renderer.isValid()) << svg.toStdString();
  QPainter p(&image);
  renderer.render(&p);
  return image;
}

// Pixels whose grey differs by more than a quarter.
int Differing(const QImage& a, const QImage& b) {
  int n = 0;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x)
      if (std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 64 ||
          std::abs(qRed(a.pixel(x, y)) - qRed(b.pixel(x, y))) > 64)
        ++n;
  return n;
}

TEST(LeanSvg, DrawsWhatThePainterDrawsWithTouchingBarsJoined) {
  struct Row {
    const char* name;
    std::function<void(QPainter&)> draw;
    int shapes;         // rectangles and polygons in the path data
    int tolerance = 0;  // differing pixels allowed (antialiased slanted edges)
  };
  const Row rows[] = {
      {"touching bars become one, a gap keeps two",
       [](QPainter& p) {
         p.fillRect(QRect(10, 5, 2, 40), Qt::black);
         p.fillRect(QRect(12, 5, 3, 40), Qt::black);
         p.fillRect(QRect(20, 5, 2, 40), Qt::black);
       },
       2},
      {"stacked cells of one colour become one",
       [](QPainter& p) {
         p.fillRect(QRect(5, 5, 20, 10), Qt::red);
         p.fillRect(QRect(5, 15, 20, 10), Qt::red);
       },
       1},
      {"a white box over bars stays over them",
       [](QPainter& p) {
         p.fillRect(QRect(10, 10, 30, 30), Qt::black);
         p.fillRect(QRect(15, 15, 10, 10), Qt::white);
         p.fillRect(QRect(42, 10, 5, 30), Qt::black);
       },
       3},
      {"moved by the painter",
       [](QPainter& p) {
         p.translate(7, 9);
         p.fillRect(QRect(0, 0, 12, 20), Qt::blue);
       },
       1},
      {"turned a quarter",
       [](QPainter& p) {
         p.translate(40, 40);
         p.rotate(-90);
         p.fillRect(QRect(0, 0, 20, 8), Qt::black);
       },
       1},
      {"an outlined polygon",
       [](QPainter& p) {
         QPen pen(Qt::black);
         pen.setWidth(2);
         pen.setJoinStyle(Qt::MiterJoin);
         p.setPen(pen);
         p.setBrush(Qt::yellow);
         p.drawPolygon(QPolygon({QPoint(10, 50), QPoint(30, 10), QPoint(50, 50)}));
       },
       1, 40},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const QByteArray svg = Svg(row.draw);
    EXPECT_EQ(svg.count('M'), row.shapes) << svg.toStdString();
    EXPECT_LE(Differing(Raster(row.draw), Rendered(svg)), row.tolerance) << svg.toStdString();
  }
}

TEST(LeanSvg, TextStaysTextWithItsCharactersEscaped) {
  const QByteArray svg = Svg([](QPainter& p) {
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 12));
    p.drawText(QPoint(5, 30), QStringLiteral("A&B <1>"));
  });
  EXPECT_TRUE(QSvgRenderer(svg).isValid());
  EXPECT_NE(svg.indexOf(">A&amp;B &lt;1&gt;</text>"), -1) << svg.toStdString();
}

// The surface writes text straight into the SVG, skipping Qt's layout: it
// must come out as a painter laying the text out would have written it.
TEST(LeanSvg, SurfaceTextAsThePainterWritesIt) {
  struct Row {
    int escapement;
    TTextAlign align;
    TColor color;
    bool bold;
    TPoint origin;
  };
  const Row rows[] = {{0, TTextAlign::TopLeft, 0, false, {0, 0}},
                      {0, TTextAlign::TopCenter, 0x0000FF, true, {3, 4}},
                      {900, TTextAlign::TopCenter, 0xFFFFFF, false, {0, 0}},
                      {2700, TTextAlign::TopLeft, 0, true, {-2, 5}}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.escapement);
    TFontSpec font;
    font.Height = 14;
    font.Bold = row.bold;
    font.Color = row.color;
    font.Escapement = row.escapement;
    QByteArray direct, laidOut;
    QFont qfont;
    {
      TLeanSvgDevice device(QSize(kSize, kSize), 300, direct);
      QPainter p(&device);
      TQtSurface surface(p);
      surface.SetOrigin(row.origin);
      surface.SetFont(font);
      surface.SetTextAlign(row.align);
      surface.SetBkMode(TBkMode::Transparent);
      surface.TextOut(30, 20, "L8&<");
      qfont = surface.CurrentQFont();
    }
    {
      TLeanSvgDevice device(QSize(kSize, kSize), 300, laidOut);
      QPainter p(&device);
      const QFontMetrics fm(qfont, &device);
      p.translate(30 + row.origin.x, 20 + row.origin.y);
      p.rotate(-row.escapement / 10.0);
      p.setFont(qfont);
      p.setPen(ToQColor(row.color));
      const int width = fm.horizontalAdvance(QStringLiteral("L8&<"));
      p.drawText(QPoint(row.align == TTextAlign::TopCenter ? -(width / 2) : 0, fm.ascent()), QStringLiteral("L8&<"));
    }
    EXPECT_EQ(direct.toStdString(), laidOut.toStdString());
  }
}

}  // namespace
}  // namespace vantor
