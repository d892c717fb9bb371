#include "lto/MediaId.h"

namespace vantor {

namespace {
bool IsVolserChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }
}  // namespace

std::span<const TMediaId> MediaIdTable() { return kMediaIds; }

std::string_view MediaKindName(TMediaKind kind) {
  switch (kind) {
    case TMediaKind::Data: return "Data";
    case TMediaKind::Worm: return "WORM";
    case TMediaKind::TypeM: return "Type M";
    case TMediaKind::Cleaning: return "Cleaning";
    case TMediaKind::Custom: break;
  }
  return "Custom";
}

std::optional<TMediaId> FindMediaId(std::string_view id) {
  if (MediaIdProblem(id)) return std::nullopt;
  for (const TMediaId& row : kMediaIds)
    if (row.id == id) return row;
  return TMediaId{"", TMediaKind::Custom, 0, "Custom"};
}

std::optional<std::string> MediaIdProblem(std::string_view id) {
  const std::string quoted = "\"" + std::string(id) + "\"";
  if (id.size() != 2)
    return "The media ID " + quoted + " has " + std::to_string(id.size()) + " characters; it needs two (A-Z, 0-9).";
  for (char c : id)
    if (!IsVolserChar(c))
      return "The media ID " + quoted + " holds \"" + std::string(1, c) + "\"; only A-Z and 0-9 are allowed.";
  return std::nullopt;
}

}  // namespace vantor
