// Drawing timings: encode and draw one symbol, on the recording surface and on
// a 300-dpi QImage, against libzint encoding the same data into its vector
// list (ZBarcode_Encode_and_Buffer_Vector) and into its pixel buffer
// (ZBarcode_Encode_and_Buffer). Registered in pairs, vantor/<case>/<target>
// and zint/<case>/<target>, so one run gives each ratio.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "barcode/BarLL.h"
#include "barcode/BarProps.h"
#include "dlt/HeadlessHost.h"
#include "dlt/LabelState.h"
#include "qt/QtSurface.h"
#include "surface/RecordingSurface.h"
#include "surface/Units.h"

#ifdef VANTOR_BENCH_ZINT
#include <zint.h>
#endif

namespace {

using namespace vantor;

constexpr int kDpi = 300;

// Nominal bar heights in modules, as the renderer uses them: EAN-13 and UPC-A
// are taller than every other linear symbology.
constexpr double kTallModules = 74.24;
constexpr double kShortModules = 56.24;

struct DrawCase {
  std::string name;
  TBarcodeParams params;
  // libzint's side: symbology, data, bar height in modules, guard bars'
  // extra length, human-readable text, turn in degrees.
  int zintSymbology = 0;
  std::string zintData;
  float zintHeight = 0;
  float zintGuardDescent = 0;
  int zintShowText = 0;
  int zintRotation = 0;
};

// The DLT IV label's barcode exactly as the sheets print it: the headless host
// sets it up from the media mode (ratio, module width, height, density, width
// reduction, zoom, the 180-degree turn), and its text is serial + suffix.
DrawCase Code39Label() {
  THeadlessChoice choice;
  choice.mediaMode = TMediaMode::StkDltIV;
  THeadlessHost host(choice);
  DrawCase c;
  c.name = "code39_000000D";
  c.params = host.Barcode().Params;
  SetCaption(c.params, host.BarcodeText());
  c.zintSymbology = 8;  // BARCODE_CODE39
  c.zintData = host.BarcodeText();
  c.zintHeight = static_cast<float>(kShortModules * c.params.HeightPercent / 100.0);
  c.zintShowText = c.params.HumanReadable ? 1 : 0;
  c.zintRotation = c.params.Rotation * 90;
  return c;
}

// EAN-13 (check digit computed) with a five-digit add-on, the engine's start
// values otherwise (0.33 mm modules, full height, text line).
DrawCase Ean13Addon5() {
  DrawCase c;
  c.name = "ean13_590123412345_addon12345";
  c.params.CodeType = EAN_13;
  SetCaption(c.params, "590123412345");
  SetCodeAddon(c.params, "12345");
  c.zintSymbology = 13;  // BARCODE_EANX
  c.zintData = "590123412345+12345";
  // The data bars stop at 0.917 of the nominal height, the guard bars run on.
  c.zintHeight = static_cast<float>(kTallModules * 0.917);
  c.zintGuardDescent = static_cast<float>(kTallModules * (1 - 0.917));
  c.zintShowText = 1;
  return c;
}

std::vector<DrawCase> Cases() { return {Code39Label(), Ean13Addon5()}; }

// Dark runs of the encoded module sequence: the bars a drawing must show.
int BarCount(TLLBarcode& bc) {
  bc.Encode();
  const std::string m = bc.ModuleString();
  int bars = 0;
  for (std::size_t i = 0; i < m.size(); ++i)
    if (m[i] == '1' && (i == 0 || m[i - 1] != '1')) ++bars;
  return bars;
}

int FillRectCount(const TRecordingSurface& s) {
  return static_cast<int>(std::count_if(s.Ops().begin(), s.Ops().end(),
                                        [](const TRecordedOp& op) { return op.Kind == TOpKind::FillRect; }));
}

// Dark runs along one pixel row, for any image whose dark pixels read true.
template <class IsDark>
int DarkRuns(int width, IsDark isDark) {
  int runs = 0;
  bool inside = false;
  for (int x = 0; x < width; ++x) {
    const bool dark = isDark(x);
    if (dark && !inside) ++runs;
    inside = dark;
  }
  return runs;
}

// Drawing and recording; with `read`, the operations are also read back as
// TRecordedOp (what a test or the trace writer does), which the recording
// surface expands only then.
void BM_VantorRecording(benchmark::State& state, const DrawCase& c, bool read) {
  TLLBarcode bc;
  bc.Params = c.params;
  const int bars = BarCount(bc);
  TRecordingSurface surface(kDpi, kDpi);
  TPoint size;
  for (auto _ : state) {
    surface.ClearOps();
    bc.Draw(surface, 0, 0, size);
    if (read)
      benchmark::DoNotOptimize(surface.Ops().data());
    else
      benchmark::DoNotOptimize(surface.OpCount());
    benchmark::DoNotOptimize(size);
  }
  if (bars == 0 || FillRectCount(surface) != bars) {
    state.SkipWithError(
        ("drew " + std::to_string(FillRectCount(surface)) + " bars, the modules hold " + std::to_string(bars)).c_str());
    return;
  }
  state.counters["bars"] = bars;
  state.counters["width_px"] = size.x;
  state.counters["height_px"] = size.y;
}

// The image is made once at the symbol's size; each iteration is what drawing
// one symbol into an image costs: a painter, the white ground, a fresh surface
// (its font look-ups included) and the drawing.
void BM_VantorQImage(benchmark::State& state, const DrawCase& c) {
  TLLBarcode bc;
  bc.Params = c.params;
  const int bars = BarCount(bc);
  TRecordingSurface probe(kDpi, kDpi);
  TPoint size;
  bc.Draw(probe, 0, 0, size);
  QImage image(size.x, size.y, QImage::Format_RGB32);
  const int dpm = RoundEven(kDpi / 0.0254);
  image.setDotsPerMeterX(dpm);
  image.setDotsPerMeterY(dpm);
  for (auto _ : state) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(image.rect(), Qt::white);
    TQtSurface surface(painter, kDpi, kDpi);
    TPoint drawn;
    bc.Draw(surface, 0, 0, drawn);
    benchmark::DoNotOptimize(image.constBits());
  }
  // A row that every bar crosses must show each of them as one dark run.
  int top = 0;
  int bottom = size.y;
  for (const TRecordedOp& op : probe.OpsOf(TOpKind::FillRect)) {
    top = std::max(top, op.Top());
    bottom = std::min(bottom, op.Bottom());
  }
  const int row = (top + bottom) / 2;
  const int runs = top < bottom ? DarkRuns(image.width(), [&](int x) { return qGray(image.pixel(x, row)) < 128; }) : 0;
  if (bars == 0 || runs != bars) {
    state.SkipWithError(
        ("image shows " + std::to_string(runs) + " bars, the modules hold " + std::to_string(bars)).c_str());
    return;
  }
  state.counters["bars"] = bars;
  state.counters["width_px"] = image.width();
  state.counters["height_px"] = image.height();
}

#ifdef VANTOR_BENCH_ZINT
// zint draws two units per module at scale 1 (vector and pixels alike); half
// our whole-pixel module width at 300 dpi puts both on the same grid.
float ZintScale(const DrawCase& c) {
  TLLBarcode bc;
  bc.Params = c.params;
  const int X = std::max(1, RoundEven(bc.ModuleWidthMM() * PixelsPerMm(kDpi)));
  return static_cast<float>(X) / 2;
}

void SetUpZint(zint_symbol* symbol, const DrawCase& c, float scale) {
  symbol->symbology = c.zintSymbology;
  symbol->height = c.zintHeight;
  symbol->scale = scale;
  symbol->show_hrt = c.zintShowText;
  if (c.zintGuardDescent > 0) symbol->guard_descent = c.zintGuardDescent;
}

int ZintRectCount(const zint_symbol* symbol) {
  int n = 0;
  for (const zint_vector_rect* r = symbol->vector ? symbol->vector->rectangles : nullptr; r; r = r->next) ++n;
  return n;
}

// Times one of zint's encode-and-buffer calls on the case's data. The symbol
// is reused as zint's documentation asks: ZBarcode_Clear before each encoding
// (it also frees the previous output), as bench_encode does. Returns false
// (the case skipped with zint's message) when zint refuses the data.
template <class Buffer>
bool TimeZint(benchmark::State& state, const DrawCase& c, zint_symbol* symbol, Buffer buffer) {
  const float scale = ZintScale(c);
  const auto* data = reinterpret_cast<const unsigned char*>(c.zintData.data());
  const int length = static_cast<int>(c.zintData.size());
  for (auto _ : state) {
    ZBarcode_Clear(symbol);
    SetUpZint(symbol, c, scale);
    if (buffer(symbol, data, length, c.zintRotation) >= ZINT_ERROR) {
      state.SkipWithError(symbol->errtxt);
      return false;
    }
    benchmark::DoNotOptimize(symbol->vector);
    benchmark::DoNotOptimize(symbol->bitmap);
  }
  return true;
}

void BM_ZintVector(benchmark::State& state, const DrawCase& c) {
  TLLBarcode bc;
  bc.Params = c.params;
  const int bars = BarCount(bc);
  zint_symbol* symbol = ZBarcode_Create();
  if (TimeZint(state, c, symbol, ZBarcode_Encode_and_Buffer_Vector)) {
    const int rects = ZintRectCount(symbol);
    if (rects != bars) {
      state.SkipWithError(("zint drew " + std::to_string(rects) + " bars, ours " + std::to_string(bars)).c_str());
    } else {
      state.counters["bars"] = rects;
      state.counters["width_px"] = symbol->vector->width;
      state.counters["height_px"] = symbol->vector->height;
    }
  }
  ZBarcode_Delete(symbol);
}

void BM_ZintBitmap(benchmark::State& state, const DrawCase& c) {
  TLLBarcode bc;
  bc.Params = c.params;
  const int bars = BarCount(bc);
  zint_symbol* symbol = ZBarcode_Create();
  const bool drawn = TimeZint(state, c, symbol, ZBarcode_Encode_and_Buffer);
  if (drawn) {
    // Three bytes a pixel; a third of the way down every bar is crossed, below
    // the add-on's text and above the main text line.
    const int w = symbol->bitmap_width;
    const int row = symbol->bitmap_height / 3;
    const unsigned char* line = symbol->bitmap ? symbol->bitmap + static_cast<std::size_t>(row) * w * 3 : nullptr;
    const int runs = line ? DarkRuns(w, [&](int x) { return line[3 * x] < 128; }) : 0;
    if (runs != bars) {
      state.SkipWithError(
          ("zint's bitmap shows " + std::to_string(runs) + " bars, ours " + std::to_string(bars)).c_str());
    } else {
      state.counters["bars"] = runs;
      state.counters["width_px"] = w;
      state.counters["height_px"] = symbol->bitmap_height;
    }
  }
  ZBarcode_Delete(symbol);
}
#endif

void RegisterAll(const std::vector<DrawCase>& cases) {
  for (const DrawCase& c : cases) {
    benchmark::RegisterBenchmark(("vantor/" + c.name + "/recording").c_str(), BM_VantorRecording, c, false);
    benchmark::RegisterBenchmark(("vantor/" + c.name + "/recording_read").c_str(), BM_VantorRecording, c, true);
#ifdef VANTOR_BENCH_ZINT
    benchmark::RegisterBenchmark(("zint/" + c.name + "/vector").c_str(), BM_ZintVector, c);
#endif
    benchmark::RegisterBenchmark(("vantor/" + c.name + "/qimage_300dpi").c_str(), BM_VantorQImage, c);
#ifdef VANTOR_BENCH_ZINT
    benchmark::RegisterBenchmark(("zint/" + c.name + "/bitmap_300dpi").c_str(), BM_ZintBitmap, c);
#endif
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Fonts need an application; no display is needed.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  QGuiApplication app(qtArgc, qtArgv);

  const std::vector<DrawCase> cases = Cases();
  RegisterAll(cases);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
