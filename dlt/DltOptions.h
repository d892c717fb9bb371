// The DLT family's part of the vantor command line: its options and how a
// DLT run's options are read from them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dlt/DltCommand.h"
#include "printing/CommandOptions.h"

namespace vantor {

// --maker, --media, --serial, --rotated, --upright, --no-colour, --scheme,
// --sheets and --outlines, in the order --help lists them.
const std::vector<TOptionRow>& DltOptionRows();

// Reads a DLT run's options (the run options every family takes among them)
// into `o`; the first problem, or nothing.
std::optional<std::string> ReadDltOptions(const TGivenOptions& given, TPrintOptions& o);

}  // namespace vantor
