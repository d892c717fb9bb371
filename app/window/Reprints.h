// The families' reprints for the journal window: each family builds the run
// of a journal job's labels it prints again.
#pragma once

#include <functional>

#include "dlt/HeadlessHost.h"
#include "dlt/LabelState.h"

namespace vantor {

class TJournalWindow;

// How a DLT reprint looks besides its media (rotated, coloured, the barcode's
// turn, the digit colours): the main window's current choice.
using TDltLook = std::function<void(THeadlessChoice& choice, TColorTable& colors)>;

// DLT reprints looking as `look` says (the media's start-up state without
// one); LTO reprints on the template in the window's Template field.
void AddReprints(TJournalWindow& window, TDltLook look);

}  // namespace vantor
