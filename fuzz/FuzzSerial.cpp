// The serial rules on any text of up to six bytes in every media mode:
// CheckSequence accepts exactly the valid serials and touches the serial only
// to force a prefix; NextSequence from a valid serial always leaves six
// characters with a counter one higher, never past 999, and a refusal changes
// nothing; the serial hook runs on every change of the text and only then.
#include <string>
#include <vector>

#include "dlt/LabelState.h"
#include "fuzz/FuzzCheck.h"

using namespace vantor;

namespace {

int Counter(const std::string& s) { return std::stoi(s.substr(3, 3)); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const auto mode = static_cast<TMediaMode>(data[0] % 8);  // the seven media modes and one unknown value
  const std::string typed(reinterpret_cast<const char*>(data + 1), std::min<std::size_t>(size - 1, 6));

  TLabelState state;
  state.SetMediaMode(mode);
  state.SetSerial(typed);
  std::vector<std::string> hooked;
  std::string last = state.Serial();
  state.SetSerialHook([&](const std::string& s) {
    FUZZ_CHECK(s != last);
    last = s;
    hooked.push_back(s);
  });
  const std::string suffix(MediaSuffixFor(mode));

  const bool ok = state.CheckSequence();
  const std::string forced(ForcedPrefixFor(mode));
  if (forced.empty()) {
    FUZZ_CHECK(state.Serial() == typed);
  } else {
    FUZZ_CHECK(state.Serial() == forced + (typed.size() > 3 ? typed.substr(3) : std::string()));
  }
  FUZZ_CHECK(ok == IsValidSerial(state.Serial()));
  FUZZ_CHECK(hooked.size() == (state.Serial() == typed ? 0u : 1u));

  // NextSequence on whatever the serial is now: either one step or nothing.
  for (int step = 0; step < 1001; ++step) {
    const std::string serial = state.Serial();
    const std::string barcode = state.BarcodeText();
    const std::size_t hooks = hooked.size();
    if (!state.NextSequence()) {
      FUZZ_CHECK(state.Serial() == serial && state.BarcodeText() == barcode && hooked.size() == hooks);
      // From a valid serial, only counter 999 has no successor.
      if (IsValidSerial(serial)) FUZZ_CHECK(Counter(serial) == kMaxCounter);
      break;
    }
    FUZZ_CHECK(CounterOf(serial).has_value());
    const std::string& next = state.Serial();
    FUZZ_CHECK(next.size() == kSerialLength);
    FUZZ_CHECK(next.substr(0, 3) == serial.substr(0, 3));
    FUZZ_CHECK(CounterOf(next).has_value() && Counter(next) == Counter(serial) + 1 && Counter(next) <= kMaxCounter);
    if (IsValidSerial(serial)) FUZZ_CHECK(IsValidSerial(next));
    FUZZ_CHECK(state.BarcodeText() == next + suffix);
    FUZZ_CHECK(hooked.size() == hooks + 1 && hooked.back() == next);
    if (!ok) break;  // an unprintable serial is never stepped through a sheet
  }
  return 0;
}
