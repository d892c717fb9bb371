// What the print journal records of a DLT job: its media name and its
// serials page by page.
#pragma once

#include <optional>
#include <string>

#include "dlt/LabelState.h"
#include "printing/JournalledJob.h"

namespace vantor {

// The DLT media name the journal records for a media mode: dlt4, dlt3xt,
// cleaning, diagnostic (StorageTek), standard, breece, other; and back.
std::string DltMediaName(TMediaMode mediaMode);
std::optional<TMediaMode> DltMediaMode(const std::string& name);

// The serials of a tape-label job from `firstSerial` page by page (the
// options' sheets, start label and labels), or nothing when the serial is
// no DLT serial or the job would run past the counter's end.
std::optional<TPageSerials> DltPageSerials(const std::string& firstSerial, const TSheetOptions& options);

}  // namespace vantor
