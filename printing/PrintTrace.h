// The print trace: a page's recorded drawing, one operation a line, in paper
// coordinates (device dots). The format is documented in the README.
#pragma once

#include <iosfwd>
#include <string_view>
#include <vector>

#include "surface/RecordingSurface.h"

namespace vantor {

// Writes "page N" and then every operation of the page.
void WritePrintTrace(std::ostream& out, int pageNumber, const std::vector<TRecordedOp>& ops);
// A string in double quotes with \" and \\ escaped.
std::string QuoteTraceText(std::string_view text);

}  // namespace vantor
