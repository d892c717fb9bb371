// Enumerations, buffer capacities and the engine's one exception class.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vantor {

// Ordinal values are stored and compared; keep the order. A new type goes at
// the end, with its row in the symbology table (barcode/Symbology.h).
enum btCodeTypes : std::uint8_t {
  EAN_8,
  EAN_13,
  UPC_A,
  UPC_E,
  CODE39,
  CODE25i,
  CODE25iP,
  CODE128_A,
  CODE128_B,
  CODE128_C,
  MSI_Plessey,
  Codabar,
  Postnet,
  Postnet_FIM
};
inline constexpr int kCodeTypeCount = 14;

// The name of a type as the command line and the tests spell it ("CODE39"),
// from the symbology table (barcode/Symbology.h); empty outside the enumeration.
std::string_view CodeTypeName(btCodeTypes type);
// The enumeration value named exactly so, or nothing.
std::optional<btCodeTypes> CodeTypeFromName(std::string_view name);

enum btCodeSizes : std::uint8_t { SC0, SC1, SC2, SC3, SC4, SC5, SC6, SC7, SC8, SC9 };
enum btCodeRotate : std::uint8_t { rotate_000, rotate_090, rotate_180, rotate_270 };
enum btCodeRatio : std::uint8_t { Ratio_3, Ratio_2 };

// Every error the engine raises carries one of a few fixed English messages.
class EOverflow : public std::runtime_error {
 public:
  explicit EOverflow(const std::string& message) : std::runtime_error(message) {}
};

namespace msg {
inline constexpr const char* kUnknownType = "Barcode: Unknown Type of Barcode";
inline constexpr const char* kWrongAddon = "BarLL: Wrong Addoncode";
inline constexpr const char* kNoCheckChar = "ZurizID: No check char with this barcode type";
inline constexpr const char* kUpceLength = "Decoded legth of UPC-E code is wrong!";
inline constexpr const char* kCode128 = "ZurizID: Code128 error";
inline constexpr const char* kMsiType = "Wrong barcode type in procedure AddMSIProofchar";
}  // namespace msg

// The range of HeightPercent and Fontscaling that the properties accept.
inline constexpr int kMinPercent = 20;
inline constexpr int kMaxPercent = 200;

// Buffer capacities. The caption array is 53 bytes; Encode must stay inside its
// buffers even when all 53 bytes are data (no terminator). The worst cases:
//   CodeText: Code 128: start + 53 caption bytes, where a digit left pending in set C
//             at a switch is flushed as (switch, digit): at most 76 bytes with check and stop.
//   Modules:  Code 39 with 53 characters: 55 characters x 16 modules = 880;
//             MSI with 54 digits at ratio 3: (1 + 4 x 54 + 2) bits x 4 = 876.
//   Elements: Code 39 with 55 characters x 9 = 495.
inline constexpr std::size_t kCaptionSize = 53;
inline constexpr std::size_t kMaxControlCaption = 50;
inline constexpr std::size_t kAddonSize = 6;
inline constexpr std::size_t kCodeTextSize = 80;
inline constexpr std::size_t kElementsSize = 728;
inline constexpr std::size_t kModulesSize = 896;

}  // namespace vantor
