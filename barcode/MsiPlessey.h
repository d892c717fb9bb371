// MSI Plessey: four bits per digit and one modulo-10 check digit.
#pragma once

#include <cstddef>

#include "barcode/BarTypes.h"

namespace vantor {

// Appends the MSI check digit to the NUL-terminated digits in `codeText`
// (kCodeTextSize buffer). Raises for any type but MSI_Plessey.
void AddMSIProofchar(char* codeText, btCodeTypes type);

// The check step of the symbology table: AddMSIProofchar.
void MsiCheck(char* text, std::size_t len, btCodeTypes type);

}  // namespace vantor
