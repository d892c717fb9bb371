// Encode timings: Vantor's engine against libzint's ZBarcode_Encode on the same
// data, registered in pairs (vantor/<case>, zint/<case>) so one run gives the ratio.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "barcode/BarLL.h"

#ifdef VANTOR_BENCH_ZINT
#include <zint.h>
#endif

namespace {

struct Case {
  const char* name;
  vantor::btCodeTypes type;
  vantor::btCodeRatio ratio;
  const char* data;
  int zintSymbology;
};

// Code 39 at 2:1 (zint's Code 39 is fixed at 2:1), EAN-13 with its check digit
// computed by the encoder, Code 128 in set B.
const Case kCases[] = {
    {"code39_000000D", vantor::CODE39, vantor::Ratio_2, "000000D", 8},
    {"ean13_123456789012", vantor::EAN_13, vantor::Ratio_3, "123456789012", 13},
    {"code128b_ABC123456789", vantor::CODE128_B, vantor::Ratio_3, "ABC123456789", 60},
};

void BM_Vantor(benchmark::State& state, const Case& c) {
  vantor::TLLBarcode bc;
  std::strcpy(bc.Params.Caption, c.data);
  bc.Params.CodeType = c.type;
  bc.Params.Ratio = c.ratio;
  for (auto _ : state) {
    bc.Encode();
    benchmark::DoNotOptimize(bc.Modules);
    benchmark::DoNotOptimize(bc.ModuleCount);
  }
}

#ifdef VANTOR_BENCH_ZINT
void BM_Zint(benchmark::State& state, const Case& c) {
  zint_symbol* symbol = ZBarcode_Create();
  const auto* data = reinterpret_cast<const unsigned char*>(c.data);
  const int length = static_cast<int>(std::strlen(c.data));
  for (auto _ : state) {
    ZBarcode_Clear(symbol);
    symbol->symbology = c.zintSymbology;
    if (ZBarcode_Encode(symbol, data, length) >= 5) {
      state.SkipWithError(symbol->errtxt);
      break;
    }
    benchmark::DoNotOptimize(symbol->encoded_data);
  }
  ZBarcode_Delete(symbol);
}
#endif

int RegisterAll() {
  for (const Case& c : kCases) {
    benchmark::RegisterBenchmark((std::string("vantor/") + c.name).c_str(), BM_Vantor, c);
#ifdef VANTOR_BENCH_ZINT
    benchmark::RegisterBenchmark((std::string("zint/") + c.name).c_str(), BM_Zint, c);
#endif
  }
  return 0;
}
const int kRegistered = RegisterAll();

}  // namespace

BENCHMARK_MAIN();
