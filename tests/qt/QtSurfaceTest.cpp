// The QPainter surface on a QImage: pixel-exact fills and outlines, turned and
// aligned text, backgrounds, mapping modes and the font choice.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "barcode/BarLL.h"
#include "barcode/BarProps.h"
#include "qt/QtFonts.h"
#include "qt/QtSurface.h"
#include "qt/QtTestApp.h"
#include "surface/RecordingSurface.h"

namespace vantor {
namespace {

QImage WhiteImage(int w, int h, int dpi = 96) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  const int dpm = static_cast<int>(dpi / 0.0254 + 0.5);
  image.setDotsPerMeterX(dpm);
  image.setDotsPerMeterY(dpm);
  return image;
}

bool Dark(const QImage& img, int x, int y) { return qGray(img.pixel(x, y)) < 128; }
bool White(const QImage& img, int x, int y) { return img.pixel(x, y) == qRgb(255, 255, 255); }

// Bounding box of all non-white pixels.
QRect Ink(const QImage& img) {
  int l = img.width(), t = img.height(), r = -1, b = -1;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (!White(img, x, y)) {
        l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y);
      }
  return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

TEST(QtSurface, ResolutionFromTheDevice) {
  QImage image = WhiteImage(10, 10, 300);
  QPainter p(&image);
  TQtSurface s(p);
  EXPECT_EQ(s.DpiX(), 300);
  EXPECT_EQ(s.DpiY(), 300);
  TQtSurface given(p, 600, 300);
  EXPECT_EQ(given.DpiX(), 600);
}

TEST(QtSurface, FillRectIsHalfOpenWhicheverCornerIsWhich) {
  for (bool swapped : {false, true}) {
    QImage image = WhiteImage(12, 12);
    {
      QPainter p(&image);
      TQtSurface s(p);
      s.SetBrushColor(0);
      if (swapped)
        s.FillRect(5, 7, 2, 3);
      else
        s.FillRect(2, 3, 5, 7);
    }
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x) EXPECT_EQ(Dark(image, x, y), x >= 2 && x < 5 && y >= 3 && y < 7) << x << "," << y;
  }
  QImage clear = WhiteImage(8, 8);
  {
    QPainter p(&clear);
    TQtSurface s(p);
    s.SetBrushColor(0);
    s.SetBrushStyle(TBrushStyle::Clear);
    s.FillRect(0, 0, 8, 8);
  }
  EXPECT_TRUE(Ink(clear).isNull());
}

TEST(QtSurface, RectangleOutlineInsideItsArea) {
  QImage image = WhiteImage(14, 12);
  {
    QPainter p(&image);
    TQtSurface s(p);
    s.SetPenWidth(2);
    s.SetBrushColor(0x0000FF);  // red
    s.Rectangle(1, 1, 11, 9);
  }
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 14; ++x) {
      const bool inside = x >= 1 && x < 11 && y >= 1 && y < 9;
      const bool interior = x >= 3 && x < 9 && y >= 3 && y < 7;
      const QRgb want = !inside ? qRgb(255, 255, 255) : interior ? qRgb(255, 0, 0) : qRgb(0, 0, 0);
      EXPECT_EQ(image.pixel(x, y), want) << x << "," << y;
    }
}

// Ink of "WWW" written at the middle of a 200 x 200 image.
QRect TextInk(int escapement, TTextAlign align, QImage* out = nullptr) {
  QImage image = WhiteImage(200, 200);
  {
    QPainter p(&image);
    TQtSurface s(p);
    TFontSpec f;
    f.Height = 30;
    f.Escapement = escapement;
    s.SetFont(f);
    s.SetTextAlign(align);
    s.SetBkMode(TBkMode::Transparent);
    s.TextOut(100, 100, "WWW");
  }
  if (out) *out = image;
  return Ink(image);
}

TEST(QtSurface, TurnedTextLandsInTheRightQuadrant) {
  // Top-left alignment: the text's top-left corner at (100, 100), turned
  // counter-clockwise about it.
  const QRect e0 = TextInk(0, TTextAlign::TopLeft);
  EXPECT_GE(e0.left(), 100);
  EXPECT_GE(e0.top(), 100);
  EXPECT_GT(e0.width(), e0.height());
  const QRect e90 = TextInk(900, TTextAlign::TopLeft);  // reads upwards, body to the right
  EXPECT_GE(e90.left(), 100);
  EXPECT_LE(e90.bottom(), 100);
  EXPECT_GT(e90.height(), e90.width());
  const QRect e180 = TextInk(1800, TTextAlign::TopLeft);  // upside down, to the left
  EXPECT_LE(e180.right(), 100);
  EXPECT_LE(e180.bottom(), 100);
  const QRect e270 = TextInk(2700, TTextAlign::TopLeft);  // reads downwards, body to the left
  EXPECT_LE(e270.right(), 100);
  EXPECT_GE(e270.top(), 100);
  EXPECT_GT(e270.height(), e270.width());
}

TEST(QtSurface, TopCenterAlignmentCentresOnTheReferencePoint) {
  const QRect e0 = TextInk(0, TTextAlign::TopCenter);
  EXPECT_GE(e0.top(), 100);
  EXPECT_NEAR(e0.center().x(), 100, 3);
  const QRect e90 = TextInk(900, TTextAlign::TopCenter);
  EXPECT_GE(e90.left(), 100);
  EXPECT_NEAR(e90.center().y(), 100, 3);
  const QRect e270 = TextInk(2700, TTextAlign::TopCenter);
  EXPECT_LE(e270.right(), 100);
  EXPECT_NEAR(e270.center().y(), 100, 3);
}

TEST(QtSurface, OpaqueAndTransparentBackground) {
  auto redPixels = [](TBkMode mode) {
    QImage image = WhiteImage(100, 60);
    {
      QPainter p(&image);
      TQtSurface s(p);
      TFontSpec f;
      f.Height = 20;
      s.SetFont(f);
      s.SetBkColor(0x0000FF);
      s.SetBkMode(mode);
      s.TextOut(10, 10, "Ay");
    }
    int n = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 100; ++x) n += image.pixel(x, y) == qRgb(255, 0, 0);
    return n;
  };
  EXPECT_GT(redPixels(TBkMode::Opaque), 100);
  EXPECT_EQ(redPixels(TBkMode::Transparent), 0);
}

// Surface text is UTF-8: the characters drawn and measured are the ones given,
// not their bytes taken one by one ("Größe é" must not become "GrÃ¶ÃŸe Ã©").
TEST(QtSurface, TextIsDrawnAndMeasuredAsUtf8) {
  const char* const kTexts[] = {"Gr\u00F6\u00DFe \u00E9", "\u20AC 5", "AB"};
  for (const char* text : kTexts) {
    SCOPED_TRACE(text);
    const QString real = QString::fromUtf8(text);
    QImage drawn = WhiteImage(300, 60);
    QImage expected = WhiteImage(300, 60);
    QFont font;
    int width = 0;
    {
      QPainter p(&drawn);
      TQtSurface s(p);
      TFontSpec f;
      f.Height = 30;
      s.SetFont(f);
      s.SetBkMode(TBkMode::Transparent);
      s.TextOut(10, 12, text);
      font = s.CurrentQFont();
      width = s.TextWidth(text);
    }
    {
      QPainter p(&expected);
      p.setFont(font);
      p.drawText(QRect(10, 12, 280, 48), Qt::AlignLeft | Qt::AlignTop, real);
    }
    EXPECT_EQ(width, QFontMetrics(font, &drawn).horizontalAdvance(real));
    EXPECT_TRUE(drawn == expected) << "the surface drew other characters than the text's";
  }
}

// Measurements are kept between surfaces: a size in points must still be
// measured at each surface's own resolution, in each mapping mode.
TEST(QtSurface, TextIsMeasuredForItsOwnDevice) {
  TFontSpec f;
  f.PointSize = 10;
  const auto width = [&](int deviceDpi, int surfaceDpi, TMapMode mode) {
    QImage image = WhiteImage(10, 10, deviceDpi);
    QPainter p(&image);
    TQtSurface s(p, surfaceDpi, surfaceDpi);
    s.SetMapMode(mode);
    s.SetFont(f);
    return s.TextWidth("WWW");
  };
  const int at300 = width(300, 300, TMapMode::Pixels);
  EXPECT_NEAR(width(600, 600, TMapMode::Pixels), 2 * at300, 6);  // hinting differs a little
  EXPECT_NEAR(width(300, 600, TMapMode::Pixels), 2 * at300, 6);
  EXPECT_NEAR(width(300, 300, TMapMode::LoMetric), at300 * 254 / 300, 3);
  EXPECT_EQ(width(300, 300, TMapMode::Pixels), at300);
}

TEST(QtSurface, ArialComesOutAsLiberationSans) {
  EXPECT_EQ(ResolveFamily("Arial"), "Liberation Sans");
  EXPECT_EQ(ResolveFamily("arial"), "Liberation Sans");
  EXPECT_EQ(ResolveFamily("Times New Roman"), "Liberation Serif");
  EXPECT_EQ(ResolveFamily("Courier New"), "Liberation Mono");
  EXPECT_EQ(ResolveFamily("DejaVu Sans"), "DejaVu Sans");
  QImage image = WhiteImage(10, 10);
  QPainter p(&image);
  TQtSurface s(p);
  TFontSpec f;
  f.Face = "Arial";
  f.Height = 22;
  s.SetFont(f);
  EXPECT_EQ(QFontInfo(s.CurrentQFont()).family(), "Liberation Sans");
}

TEST(QtSurface, CellHeightBecomesTheFontsMetricsHeight) {
  QImage image = WhiteImage(10, 10, 300);
  QPainter p(&image);
  TQtSurface s(p);
  for (int h : {13, 17, 22, 45, 53, 107, 140}) {
    TFontSpec f;
    f.Height = h;
    s.SetFont(f);
    EXPECT_NEAR(QFontMetrics(s.CurrentQFont(), &image).height(), h, 1) << h;
    EXPECT_NEAR(s.TextHeight("Ay"), h, 1) << h;
  }
  TFontSpec pt;  // 8 pt at 300 dpi: 33 px em
  s.SetFont(pt);
  EXPECT_EQ(s.CurrentQFont().pixelSize(), 33);
}

TEST(QtSurface, MetricModesMapLogicalUnitsWithYUp) {
  // 254 dpi: one pixel per 0.1 mm and ten 0.01 mm units per pixel.
  for (TMapMode mode : {TMapMode::LoMetric, TMapMode::HiMetric}) {
    const int k = mode == TMapMode::LoMetric ? 1 : 10;
    QImage image = WhiteImage(40, 40, 254);
    {
      QPainter p(&image);
      TQtSurface s(p);
      s.SetMapMode(mode);
      s.SetOrigin({5, 2});
      s.SetBrushColor(0);
      s.FillRect(3 * k, -4 * k, 10 * k, -20 * k);
    }
    EXPECT_EQ(Ink(image), QRect(QPoint(8, 6), QPoint(14, 21)));
  }
  // Text extents come back in logical units: 2 px per 0.1 mm at 508 dpi.
  QImage image = WhiteImage(10, 10, 508);
  QPainter p(&image);
  TQtSurface s(p);
  s.SetMapMode(TMapMode::LoMetric);
  TFontSpec f;
  f.Height = 20;  // 2 mm, 40 px
  s.SetFont(f);
  EXPECT_NEAR(QFontMetrics(s.CurrentQFont(), &image).height(), 40, 1);
  EXPECT_NEAR(s.TextHeight("Ay"), 20, 1);
  EXPECT_EQ(s.MapMode(), TMapMode::LoMetric);
}

// The same bars on the image as on the recording surface, pixel for pixel.
TEST(QtSurface, BarcodeColumnsMatchTheModules) {
  for (int dpi : {96, 300}) {
    TLLBarcode bc;
    bc.Params.CodeType = CODE39;
    SetCaption(bc.Params, "000000D");
    bc.Params.HumanReadable = false;
    TRecordingSurface rec(dpi, dpi);
    TPoint size;
    bc.Draw(rec, 3, 4, size);
    QImage image = WhiteImage(size.x + 6, size.y + 8, dpi);
    {
      QPainter p(&image);
      TQtSurface s(p);
      bc.Draw(s, 3, 4, size);
    }
    std::vector<bool> dark(static_cast<std::size_t>(image.width()), false);
    for (const TRecordedOp& f : rec.OpsOf(TOpKind::FillRect))
      for (int x = f.Left(); x < f.Right(); ++x) dark[static_cast<std::size_t>(x)] = true;
    const int y = 4 + size.y / 2;
    for (int x = 0; x < image.width(); ++x) EXPECT_EQ(Dark(image, x, y), dark[static_cast<std::size_t>(x)]) << x;
    EXPECT_TRUE(White(image, 3, 3));
    EXPECT_TRUE(Dark(image, 3, 4));
    EXPECT_TRUE(White(image, 3, 4 + size.y - 1));  // the box has one extra row
  }
}

}  // namespace
}  // namespace vantor
