#include "barcode/Symbology.h"

namespace vantor {

std::string_view CodeTypeName(btCodeTypes type) {
  return static_cast<int>(type) < kCodeTypeCount ? kSymbologies[type].name : std::string_view();
}

std::optional<btCodeTypes> CodeTypeFromName(std::string_view name) {
  for (const TSymbology& row : kSymbologies)
    if (row.name == name) return row.type;
  return std::nullopt;
}

}  // namespace vantor
