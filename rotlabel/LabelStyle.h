// Rotation and 3D-effect settings of a rotated text label. Toolkit-free, so the
// paint algorithm and its tests run headless; the label widget owns one.
#pragma once

#include <cstdint>
#include <functional>

#include "surface/Color.h"

namespace vantor {

// Stored values 0 to 3, in this order.
enum T3DEffectShort : int {
  A3dNormal = 0,    // plain text
  A3dResit = 1,     // sunken
  A3dRaised = 2,    // raised
  A3dShadowed = 3,  // drop shadow
};

inline constexpr TColor kStyleWhite = 0xFFFFFF;
inline constexpr TColor kStyleGrey = 0x808080;

class TLabelStyle {
 public:
  // Sender is the style itself. The owning label points this at its repaint request.
  using TNotifyEvent = std::function<void(TLabelStyle& sender)>;

  TLabelStyle() = default;
  // A style belongs to one label; copying its OnChange to a second owner would
  // repaint the wrong control, so only assignment (which keeps the handler) exists.
  TLabelStyle(const TLabelStyle&) = delete;
  TLabelStyle& operator=(const TLabelStyle& source) {
    Assign(source);
    return *this;
  }

  const TNotifyEvent& OnChange() const { return onChange_; }
  void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

  // Degrees counter-clockwise; anything outside 0..359 is stored as 0.
  std::int32_t Angle() const { return angle_; }
  void SetAngle(std::int32_t value);

  T3DEffectShort AStyle3D() const { return style3D_; }
  void SetAStyle3D(T3DEffectShort value);

  TColor AShadeRightBottom() const { return shadeRightBottom_; }
  void SetAShadeRightBottom(TColor value);

  // Ignored while AShadeLTSet is true.
  TColor AShadeLeftTop() const { return shadeLeftTop_; }
  void SetAShadeLeftTop(TColor value);

  // True forces the highlight to white and keeps the previous highlight aside;
  // false brings it back.
  bool AShadeLTSet() const { return shadeLTSet_; }
  void SetAShadeLTSet(bool value);

  // Drop-shadow displacement; only a shadowed label repaints for a change.
  std::int32_t AHShadeOffSet() const { return hShadeOffset_; }
  void SetAHShadeOffSet(std::int32_t value);
  std::int32_t AVShadeOffSet() const { return vShadeOffset_; }
  void SetAVShadeOffSet(std::int32_t value);

  // The highlight colour held aside while AShadeLTSet is true (not published).
  TColor SavedShadeLeftTop() const { return savedShadeLeftTop_; }

  // Copies every published property through its setter, in published order,
  // then notifies once more; the result behaves like the source, including the
  // highlight held back while white is forced.
  void Assign(const TLabelStyle& source);

  // An opaque label is always painted flat: the painter switches the effect
  // off for good, without a notification (it is already painting).
  void ForceFlat() { style3D_ = A3dNormal; }

 private:
  void Changed();

  TNotifyEvent onChange_;
  std::int32_t angle_ = 0;
  T3DEffectShort style3D_ = A3dRaised;
  TColor shadeRightBottom_ = kStyleGrey;
  TColor shadeLeftTop_ = kStyleWhite;
  bool shadeLTSet_ = false;
  std::int32_t hShadeOffset_ = 5;
  std::int32_t vShadeOffset_ = -5;  // negative is upwards
  TColor savedShadeLeftTop_ = kStyleWhite;
};

}  // namespace vantor
