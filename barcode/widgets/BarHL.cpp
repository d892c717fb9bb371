#include "barcode/widgets/BarHL.h"

#include <QPainter>

#include "barcode/BarProps.h"
#include "qt/QtSurface.h"

namespace vantor {

namespace {
constexpr int kInitialWidth = 69;  // until the first painting
constexpr int kInitialHeight = 66;
}  // namespace

TCustomBarcode::TCustomBarcode(QWidget* parent) : QWidget(parent), barcode_(std::make_unique<TLLBarcode>()) {
  resize(kInitialWidth, kInitialHeight);
}

TCustomBarcode::~TCustomBarcode() = default;

void TCustomBarcode::RequestRepaint() {
  ++repaintRequests_;
  update();
}

std::string TCustomBarcode::Bar_Caption() const {
  return std::string(barcode_->Params.Caption, BoundedLength(barcode_->Params.Caption, kCaptionSize));
}
void TCustomBarcode::SetBar_Caption(std::string_view caption) {
  SetCaption(barcode_->Params, caption);
  RequestRepaint();
}

std::string TCustomBarcode::Bar_CodeAddon() const {
  return std::string(barcode_->Params.CodeAddon, BoundedLength(barcode_->Params.CodeAddon, kAddonSize));
}
void TCustomBarcode::SetBar_CodeAddon(std::string_view addon) {
  SetCodeAddon(barcode_->Params, addon);
  RequestRepaint();
}

btCodeTypes TCustomBarcode::Bar_CodeType() const { return barcode_->Params.CodeType; }
void TCustomBarcode::SetBar_CodeType(btCodeTypes type) {
  barcode_->Params.CodeType = type;
  RequestRepaint();
}

std::string TCustomBarcode::Bar_Fontname() const { return barcode_->Params.Fontname; }
void TCustomBarcode::SetBar_Fontname(std::string_view name) {
  barcode_->Params.Fontname = std::string(name);
  RequestRepaint();
}

int TCustomBarcode::Bar_Fontscaling() const { return barcode_->Params.Fontscaling; }
void TCustomBarcode::SetBar_Fontscaling(long long percent) {
  SetFontscaling(barcode_->Params, percent);
  RequestRepaint();
}

int TCustomBarcode::Bar_HeightPercent() const { return barcode_->Params.HeightPercent; }
void TCustomBarcode::SetBar_HeightPercent(long long percent) {
  SetHeightPercent(barcode_->Params, percent);
  RequestRepaint();
}

bool TCustomBarcode::Bar_HighDensity() const { return barcode_->Params.HighDensity; }
void TCustomBarcode::SetBar_HighDensity(bool on) {
  barcode_->Params.HighDensity = on;
  RequestRepaint();
}

bool TCustomBarcode::Bar_HumanReadable() const { return barcode_->Params.HumanReadable; }
void TCustomBarcode::SetBar_HumanReadable(bool on) {
  barcode_->Params.HumanReadable = on;
  RequestRepaint();
}

btCodeSizes TCustomBarcode::Bar_ModuleWidth() const { return barcode_->Params.ModuleWidth; }
void TCustomBarcode::SetBar_ModuleWidth(long long size) {
  SetModuleWidth(barcode_->Params, size);
  RequestRepaint();
}

btCodeRatio TCustomBarcode::Bar_Ratio() const { return barcode_->Params.Ratio; }
void TCustomBarcode::SetBar_Ratio(long long ratio) {
  SetRatio(barcode_->Params, ratio);
  RequestRepaint();
}

btCodeRotate TCustomBarcode::Bar_Rotation() const { return barcode_->Params.Rotation; }
void TCustomBarcode::SetBar_Rotation(long long rotation) {
  SetRotation(barcode_->Params, rotation);
  RequestRepaint();
}

bool TCustomBarcode::Bar_WidthReduce() const { return barcode_->Params.WidthReduce; }
void TCustomBarcode::SetBar_WidthReduce(bool on) {
  barcode_->Params.WidthReduce = on;
  RequestRepaint();
}

bool TCustomBarcode::Bar_ZoomSize() const { return barcode_->Params.ZoomSize; }
void TCustomBarcode::SetBar_ZoomSize(bool on) {
  barcode_->Params.ZoomSize = on;
  RequestRepaint();
}

void TCustomBarcode::DrawTo(TSurface& canvas, int x, int y, TPoint* size) {
  TPoint drawn;
  barcode_->Draw(canvas, x, y, drawn);
  if (size) *size = drawn;
}

void TCustomBarcode::Paint(TSurface& canvas) {
  TPoint drawn;
  barcode_->Draw(canvas, 0, 0, drawn);
  resize(drawn.x, drawn.y);
}

void TCustomBarcode::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  TQtSurface canvas(painter);
  try {
    Paint(canvas);
    lastPaintError_.clear();
  } catch (const EOverflow& e) {
    // An exception must not cross Qt's event dispatch; report it instead.
    const QString message = QString::fromUtf8(e.what());
    const bool fresh = message != lastPaintError_;
    lastPaintError_ = message;
    if (fresh) emit paintFailed(message);
  }
}

}  // namespace vantor
