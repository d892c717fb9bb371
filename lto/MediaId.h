// The two-character media IDs that end an LTO cartridge's barcode. The table
// is data: a new cartridge is one more row. Any other two characters of A-Z
// and 0-9 are taken as a custom ID, so a cartridge the table does not know yet
// can still be labelled.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vantor {

enum class TMediaKind { Data, Worm, TypeM, Cleaning, Custom };

struct TMediaId {
  std::string_view id;  // "L8"
  TMediaKind kind = TMediaKind::Custom;
  int generation = 0;        // LTO generation of the cartridge; 0 for the universal cleaning cartridge
  std::string_view caption;  // for people: "LTO-8", "LTO-5 WORM"
};

// clang-format off
inline constexpr TMediaId kMediaIds[] = {
    {"L1", TMediaKind::Data, 1, "LTO-1"},           {"L2", TMediaKind::Data, 2, "LTO-2"},
    {"L3", TMediaKind::Data, 3, "LTO-3"},           {"L4", TMediaKind::Data, 4, "LTO-4"},
    {"L5", TMediaKind::Data, 5, "LTO-5"},           {"L6", TMediaKind::Data, 6, "LTO-6"},
    {"L7", TMediaKind::Data, 7, "LTO-7"},           {"L8", TMediaKind::Data, 8, "LTO-8"},
    {"L9", TMediaKind::Data, 9, "LTO-9"},
    {"LT", TMediaKind::Worm, 3, "LTO-3 WORM"},      {"LU", TMediaKind::Worm, 4, "LTO-4 WORM"},
    {"LV", TMediaKind::Worm, 5, "LTO-5 WORM"},      {"LW", TMediaKind::Worm, 6, "LTO-6 WORM"},
    {"LX", TMediaKind::Worm, 7, "LTO-7 WORM"},      {"LY", TMediaKind::Worm, 8, "LTO-8 WORM"},
    {"LZ", TMediaKind::Worm, 9, "LTO-9 WORM"},
    {"M8", TMediaKind::TypeM, 7, "LTO-7 cartridge initialised as Type M (LTO-8 drives)"},
    {"CU", TMediaKind::Cleaning, 0, "Universal cleaning cartridge"},
};
// clang-format on

std::span<const TMediaId> MediaIdTable();
// The kind's group name, as the window groups the IDs ("Data", "WORM", ...).
std::string_view MediaKindName(TMediaKind kind);

// The table's row for `id`, or a custom row (kind Custom, empty id and
// caption "Custom": the caller holds the characters) for any other two
// characters of A-Z and 0-9; nothing otherwise (lower case included: callers
// upper-case typing first, as the volser field does).
std::optional<TMediaId> FindMediaId(std::string_view id);
// Why `id` is not a media ID, or nothing.
std::optional<std::string> MediaIdProblem(std::string_view id);

}  // namespace vantor
