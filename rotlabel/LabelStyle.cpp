#include "rotlabel/LabelStyle.h"

namespace vantor {

void TLabelStyle::Changed() {
  if (onChange_) onChange_(*this);
}

void TLabelStyle::SetAngle(std::int32_t value) {
  if (value == angle_) return;
  // An out-of-range angle still counts as a change and repaints, even when it
  // lands on the 0 already stored.
  angle_ = (value < 0 || value >= 360) ? 0 : value;
  Changed();
}

void TLabelStyle::SetAStyle3D(T3DEffectShort value) {
  if (value == style3D_) return;
  style3D_ = value;
  Changed();
}

void TLabelStyle::SetAShadeRightBottom(TColor value) {
  if (value == shadeRightBottom_) return;
  shadeRightBottom_ = value;
  Changed();
}

void TLabelStyle::SetAShadeLeftTop(TColor value) {
  if (shadeLTSet_ || value == shadeLeftTop_) return;
  shadeLeftTop_ = value;
  Changed();
}

void TLabelStyle::SetAShadeLTSet(bool value) {
  if (value != shadeLTSet_) {
    shadeLTSet_ = value;
    if (value) {
      savedShadeLeftTop_ = shadeLeftTop_;
      shadeLeftTop_ = kStyleWhite;
    } else {
      shadeLeftTop_ = savedShadeLeftTop_;
    }
  }
  // Only a raised or sunken label shows the highlight, and forcing white changes
  // the picture only if the held-back colour was not white already.
  if (shadeLTSet_ && (style3D_ == A3dResit || style3D_ == A3dRaised) && savedShadeLeftTop_ != kStyleWhite) Changed();
}

void TLabelStyle::SetAHShadeOffSet(std::int32_t value) {
  if (value == hShadeOffset_) return;
  hShadeOffset_ = value;
  if (style3D_ == A3dShadowed) Changed();
}

void TLabelStyle::SetAVShadeOffSet(std::int32_t value) {
  if (value == vShadeOffset_) return;
  vShadeOffset_ = value;
  if (style3D_ == A3dShadowed) Changed();
}

void TLabelStyle::Assign(const TLabelStyle& source) {
  if (&source == this) {
    Changed();
    return;
  }
  SetAngle(source.Angle());
  SetAStyle3D(source.AStyle3D());
  SetAShadeRightBottom(source.AShadeRightBottom());
  SetAShadeLeftTop(source.AShadeLeftTop());
  SetAShadeLTSet(source.AShadeLTSet());
  // The highlight above was refused if this style was still forcing white, and
  // the colour held back while forcing is not a property: carry both over so
  // the copy behaves like the source.
  if (!shadeLTSet_)
    SetAShadeLeftTop(source.AShadeLeftTop());
  else
    savedShadeLeftTop_ = source.savedShadeLeftTop_;
  SetAHShadeOffSet(source.AHShadeOffSet());
  SetAVShadeOffSet(source.AVShadeOffSet());
  Changed();
}

}  // namespace vantor
