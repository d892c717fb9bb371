#include "rotlabel/widgets/MyRotateWidget.h"

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QImage>
#include <QPalette>
#include <QTest>

#include <functional>
#include <memory>

namespace vantor {
namespace {

// A white parent with one label at (20, 20), so the text can be found in a grab.
struct TLabelOnWhite {
  std::unique_ptr<QWidget> parent = std::make_unique<QWidget>();
  TMyLabelRotate* label = new TMyLabelRotate(parent.get());

  TLabelOnWhite(int w, int h) {
    parent->resize(w + 40, h + 40);
    QPalette pal = parent->palette();
    pal.setColor(QPalette::Window, Qt::white);
    parent->setPalette(pal);
    parent->setAutoFillBackground(true);
    label->setGeometry(20, 20, w, h);
    QFont f = label->font();
    f.setPixelSize(24);
    label->setFont(f);
    label->SetFontColor(Qt::black);
    label->SetCaption(QStringLiteral("HHHH"));
    label->LabelStyle().SetAStyle3D(A3dNormal);
  }

  // Bounding box, in label coordinates, of the pixels `match` accepts.
  template <typename Match>
  QRect Ink(Match match) const {
    const QImage img = parent->grab().toImage();
    QRect box;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (match(img.pixelColor(x, y))) box |= QRect(x - 20, y - 20, 1, 1);
    return box;
  }
};

bool Dark(const QColor& c) { return c.red() < 100 && c.green() < 100 && c.blue() < 100; }

// Ink lies inside the box (with a little slack for antialiasing) and spans most of
// it along the text's direction.
void ExpectInkInBox(const QRect& ink, const QRect& box, bool textRunsDown, int w) {
  ASSERT_FALSE(ink.isNull());
  EXPECT_GE(ink.left(), box.left() - 2);
  EXPECT_LE(ink.right(), box.right() + 2);
  EXPECT_GE(ink.top(), box.top() - 2);
  EXPECT_LE(ink.bottom(), box.bottom() + 2);
  const int along = textRunsDown ? ink.height() : ink.width();
  const int across = textRunsDown ? ink.width() : ink.height();
  EXPECT_GE(along, w * 7 / 10);
  EXPECT_LT(across, along) << "the text runs the other way";
}

TEST(MyRotateWidget, UprightTextIsCentredWhereTheArithmeticPutsIt) {
  TLabelOnWhite f(200, 80);
  const QFontMetrics fm(f.label->font());
  const int w = fm.horizontalAdvance(QStringLiteral("HHHH"));
  const int h = fm.height();
  // X = cx - w/2, Y = cy - h/2; the box spans w across and h down.
  const QRect box(100 - w / 2, 40 - h / 2, w, h);
  ExpectInkInBox(f.Ink(Dark), box, false, w);
}

// The caption goes to the surface as UTF-8 and is measured and drawn as its own
// characters: read byte by byte, "Größe é" would be the wider "GrÃ¶ÃŸe Ã©",
// spilling out of the box on both sides.
TEST(MyRotateWidget, NonAsciiCaptionIsCentredOnItsOwnWidth) {
  TLabelOnWhite f(200, 80);
  const QString caption = QStringLiteral("Gr\u00F6\u00DFe \u00E9");
  f.label->SetCaption(caption);
  const QFontMetrics fm(f.label->font());
  const int w = fm.horizontalAdvance(caption);
  const int h = fm.height();
  const QRect box(100 - w / 2, 40 - h / 2, w, h);
  ExpectInkInBox(f.Ink(Dark), box, false, w);
}

TEST(MyRotateWidget, TextTurnedBy270RunsDownFromTheArithmeticOrigin) {
  TLabelOnWhite f(80, 200);
  f.label->LabelStyle().SetAngle(270);
  const QFontMetrics fm(f.label->font());
  const int w = fm.horizontalAdvance(QStringLiteral("HHHH"));
  const int h = fm.height();
  // X = cx + h/2, Y = cy - w/2; the text's top faces right, so the box is
  // h wide to the left of X and w high below Y.
  const int x = 40 + h / 2;
  const int y = 100 - w / 2;
  const QRect box(x - h, y, h, w);
  ExpectInkInBox(f.Ink(Dark), box, true, w);
  EXPECT_NEAR(f.label->CosAngle(), 0.0, 1e-12);
  EXPECT_DOUBLE_EQ(f.label->SinAngle(), -1.0);
}

TEST(MyRotateWidget, OpaqueLabelPaintsAPlateAndStaysFlat) {
  TLabelOnWhite f(200, 80);
  f.label->LabelStyle().SetAStyle3D(A3dRaised);
  f.label->SetColor(QColor(0, 0, 255));
  const auto blue = [](const QColor& c) { return c.blue() > 200 && c.red() < 60 && c.green() < 60; };

  EXPECT_TRUE(f.Ink(blue).isNull()) << "transparent: no plate";
  f.label->SetMyTransparent(false);
  const QRect plate = f.Ink(blue);
  ASSERT_FALSE(plate.isNull());
  EXPECT_TRUE(plate.contains(QPoint(100, 40)));
  EXPECT_EQ(f.label->LabelStyle().AStyle3D(), A3dNormal);

  f.label->SetMyTransparent(true);
  EXPECT_TRUE(f.Ink(blue).isNull());
  EXPECT_EQ(f.label->LabelStyle().AStyle3D(), A3dNormal) << "the effect is not restored";
}

class TCountingLabel : public TMyLabelRotate {
 public:
  using TMyLabelRotate::TMyLabelRotate;
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent* e) override {
    ++paints;
    TMyLabelRotate::paintEvent(e);
  }
};

TEST(MyRotateWidget, StyleTransparencyAndCaptionChangesRequestARepaint) {
  QWidget parent;
  parent.resize(120, 60);
  auto* label = new TCountingLabel(&parent);
  label->setGeometry(10, 10, 100, 40);
  label->SetCaption(QStringLiteral("0"));
  parent.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
  ASSERT_TRUE(QTest::qWaitFor([&] { return label->paints > 0; }));

  const auto repaintsAfter = [&](const std::function<void()>& change) {
    const int before = label->paints;
    change();
    return QTest::qWaitFor([&] { return label->paints > before; });
  };
  EXPECT_TRUE(repaintsAfter([&] { label->LabelStyle().SetAngle(270); }));
  EXPECT_TRUE(repaintsAfter([&] {
    TLabelStyle other;
    other.SetAngle(90);
    label->SetLabelStyle(other);
  }));
  EXPECT_EQ(label->LabelStyle().Angle(), 90);
  EXPECT_TRUE(repaintsAfter([&] { label->SetMyTransparent(false); }));
  EXPECT_TRUE(repaintsAfter([&] { label->SetCaption(QStringLiteral("D")); }));
}

}  // namespace
}  // namespace vantor
