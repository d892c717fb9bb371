#include "rotlabel/LabelStyle.h"

#include <gtest/gtest.h>

#include <functional>

namespace vantor {
namespace {

constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kGreen = 0x00FF00;

struct TCountingStyle {
  TLabelStyle style;
  int notified = 0;
  TCountingStyle() {
    style.SetOnChange([this](TLabelStyle& sender) {
      EXPECT_EQ(&sender, &style);
      ++notified;
    });
  }
};

TEST(LabelStyle, StartsWithRaisedWhiteOverGreyAndShadowUpRight) {
  const TLabelStyle s;
  EXPECT_EQ(s.Angle(), 0);
  EXPECT_EQ(s.AStyle3D(), A3dRaised);
  EXPECT_EQ(s.AShadeRightBottom(), 0x808080u);
  EXPECT_EQ(s.AShadeLeftTop(), 0xFFFFFFu);
  EXPECT_FALSE(s.AShadeLTSet());
  EXPECT_EQ(s.AHShadeOffSet(), 5);
  EXPECT_EQ(s.AVShadeOffSet(), -5);
  EXPECT_EQ(s.SavedShadeLeftTop(), 0xFFFFFFu);
}

struct TSetterRow {
  const char* name;
  std::function<void(TLabelStyle&)> setup;  // not counted
  std::function<void(TLabelStyle&)> act;
  int notifications;
  std::function<void(const TLabelStyle&)> check;
};

const auto kNoSetup = [](TLabelStyle&) {};

const TSetterRow kSetterRows[] = {
    {"angle unchanged", kNoSetup, [](TLabelStyle& s) { s.SetAngle(0); }, 0,
     [](const TLabelStyle& s) { EXPECT_EQ(s.Angle(), 0); }},
    {"angle 90", kNoSetup, [](TLabelStyle& s) { s.SetAngle(90); }, 1,
     [](const TLabelStyle& s) { EXPECT_EQ(s.Angle(), 90); }},
    {"angle 359 kept", kNoSetup, [](TLabelStyle& s) { s.SetAngle(359); }, 1,
     [](const TLabelStyle& s) { EXPECT_EQ(s.Angle(), 359); }},
    {"angle 360 stored as 0", [](TLabelStyle& s) { s.SetAngle(90); }, [](TLabelStyle& s) { s.SetAngle(360); }, 1,
     [](const TLabelStyle& s) { EXPECT_EQ(s.Angle(), 0); }},
    {"angle -90 at 0 stays 0 but repaints", kNoSetup, [](TLabelStyle& s) { s.SetAngle(-90); }, 1,
     [](const TLabelStyle& s) { EXPECT_EQ(s.Angle(), 0); }},
    {"effect unchanged", kNoSetup, [](TLabelStyle& s) { s.SetAStyle3D(A3dRaised); }, 0,
     [](const TLabelStyle& s) { EXPECT_EQ(s.AStyle3D(), A3dRaised); }},
    {"effect changed", kNoSetup, [](TLabelStyle& s) { s.SetAStyle3D(A3dShadowed); }, 1,
     [](const TLabelStyle& s) { EXPECT_EQ(s.AStyle3D(), A3dShadowed); }},
    {"shade colour changed", kNoSetup, [](TLabelStyle& s) { s.SetAShadeRightBottom(kBlue); }, 1,
     [](const TLabelStyle& s) { EXPECT_EQ(s.AShadeRightBottom(), kBlue); }},
    {"shade colour unchanged", kNoSetup, [](TLabelStyle& s) { s.SetAShadeRightBottom(0x808080); }, 0,
     [](const TLabelStyle& s) { EXPECT_EQ(s.AShadeRightBottom(), 0x808080u); }},
    {"highlight changed", kNoSetup, [](TLabelStyle& s) { s.SetAShadeLeftTop(kRed); }, 1,
     [](const TLabelStyle& s) { EXPECT_EQ(s.AShadeLeftTop(), kRed); }},
    {"highlight ignored while forced white", [](TLabelStyle& s) { s.SetAShadeLTSet(true); },
     [](TLabelStyle& s) { s.SetAShadeLeftTop(kRed); }, 0,
     [](const TLabelStyle& s) { EXPECT_EQ(s.AShadeLeftTop(), 0xFFFFFFu); }},
    {"forcing white over a red highlight on a raised label", [](TLabelStyle& s) { s.SetAShadeLeftTop(kRed); },
     [](TLabelStyle& s) { s.SetAShadeLTSet(true); }, 1,
     [](const TLabelStyle& s) {
       EXPECT_TRUE(s.AShadeLTSet());
       EXPECT_EQ(s.AShadeLeftTop(), 0xFFFFFFu);
       EXPECT_EQ(s.SavedShadeLeftTop(), kRed);
     }},
    {"forcing white over white", kNoSetup, [](TLabelStyle& s) { s.SetAShadeLTSet(true); }, 0,
     [](const TLabelStyle& s) { EXPECT_TRUE(s.AShadeLTSet()); }},
    {"forcing white on a flat label",
     [](TLabelStyle& s) {
       s.SetAStyle3D(A3dNormal);
       s.SetAShadeLeftTop(kRed);
     },
     [](TLabelStyle& s) { s.SetAShadeLTSet(true); }, 0,
     [](const TLabelStyle& s) { EXPECT_EQ(s.SavedShadeLeftTop(), kRed); }},
    {"forcing white again on a sunken label repaints again",
     [](TLabelStyle& s) {
       s.SetAStyle3D(A3dResit);
       s.SetAShadeLeftTop(kRed);
       s.SetAShadeLTSet(true);
     },
     [](TLabelStyle& s) { s.SetAShadeLTSet(true); }, 1, [](const TLabelStyle&) {}},
    {"releasing white brings the old highlight back without a repaint",
     [](TLabelStyle& s) {
       s.SetAShadeLeftTop(kRed);
       s.SetAShadeLTSet(true);
     },
     [](TLabelStyle& s) { s.SetAShadeLTSet(false); }, 0,
     [](const TLabelStyle& s) {
       EXPECT_FALSE(s.AShadeLTSet());
       EXPECT_EQ(s.AShadeLeftTop(), kRed);
     }},
    {"shadow offset on a raised label: stored, no repaint", kNoSetup, [](TLabelStyle& s) { s.SetAHShadeOffSet(9); }, 0,
     [](const TLabelStyle& s) { EXPECT_EQ(s.AHShadeOffSet(), 9); }},
    {"shadow offset on a shadowed label", [](TLabelStyle& s) { s.SetAStyle3D(A3dShadowed); },
     [](TLabelStyle& s) { s.SetAVShadeOffSet(-2); }, 1, [](const TLabelStyle& s) { EXPECT_EQ(s.AVShadeOffSet(), -2); }},
    {"shadow offset unchanged on a shadowed label", [](TLabelStyle& s) { s.SetAStyle3D(A3dShadowed); },
     [](TLabelStyle& s) { s.SetAHShadeOffSet(5); }, 0, [](const TLabelStyle&) {}},
};

TEST(LabelStyle, SettersStoreAndNotifyByTheirRules) {
  for (const TSetterRow& row : kSetterRows) {
    SCOPED_TRACE(row.name);
    TCountingStyle c;
    row.setup(c.style);
    c.notified = 0;
    row.act(c.style);
    EXPECT_EQ(c.notified, row.notifications);
    row.check(c.style);
  }
}

TEST(LabelStyle, AssignCopiesEveryPropertyAndNotifiesOnceMore) {
  TLabelStyle source;
  source.SetAngle(45);
  source.SetAStyle3D(A3dShadowed);
  source.SetAShadeRightBottom(kBlue);
  source.SetAShadeLeftTop(kGreen);
  source.SetAHShadeOffSet(3);
  source.SetAVShadeOffSet(4);

  TCountingStyle target;
  target.style = source;
  // Angle, effect, shade, highlight, both offsets (now shadowed), and the final call.
  EXPECT_EQ(target.notified, 7);
  EXPECT_EQ(target.style.Angle(), 45);
  EXPECT_EQ(target.style.AStyle3D(), A3dShadowed);
  EXPECT_EQ(target.style.AShadeRightBottom(), kBlue);
  EXPECT_EQ(target.style.AShadeLeftTop(), kGreen);
  EXPECT_FALSE(target.style.AShadeLTSet());
  EXPECT_EQ(target.style.AHShadeOffSet(), 3);
  EXPECT_EQ(target.style.AVShadeOffSet(), 4);
  EXPECT_TRUE(target.style.OnChange()) << "assignment keeps the target's handler";

  target.notified = 0;
  target.style = target.style;
  EXPECT_EQ(target.notified, 1);
}

// The highlight is copied before the forced-white switch; a target that was
// forcing white must still end with the source's highlight.
TEST(LabelStyle, AssignOverAForcedWhiteTargetKeepsTheSourceHighlight) {
  TLabelStyle source;
  source.SetAShadeLeftTop(kBlue);

  TLabelStyle target;
  target.SetAShadeLeftTop(kRed);
  target.SetAShadeLTSet(true);
  target = source;
  EXPECT_FALSE(target.AShadeLTSet());
  EXPECT_EQ(target.AShadeLeftTop(), kBlue);
}

TEST(LabelStyle, AssignOfAForcedWhiteSourceCarriesItsHeldHighlight) {
  TLabelStyle source;
  source.SetAShadeLeftTop(kRed);
  source.SetAShadeLTSet(true);

  TLabelStyle target;
  target = source;
  EXPECT_TRUE(target.AShadeLTSet());
  EXPECT_EQ(target.AShadeLeftTop(), 0xFFFFFFu);
  target.SetAShadeLTSet(false);
  EXPECT_EQ(target.AShadeLeftTop(), kRed);
}

}  // namespace
}  // namespace vantor
