// The LTO family's part of the vantor command line: its options and how an
// LTO run's options are read from them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "lto/LtoCommand.h"
#include "printing/CommandOptions.h"

namespace vantor {

// --lto, --media-id, --count, --last, --template, --palette,
// --list-templates and --describe-template, in the order --help lists them.
const std::vector<TOptionRow>& LtoOptionRows();

// Reads an LTO run's options (the run options every family takes among
// them) into `o`; the first problem, or nothing. The DLT family's own
// options are refused before, by the command line.
std::optional<std::string> ReadLtoOptions(const TGivenOptions& given, TLtoPrintOptions& o);

}  // namespace vantor
