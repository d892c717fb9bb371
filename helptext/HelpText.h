// Reading the help text file that lies beside the program. Toolkit-free: the
// help window only shows what this returns and reports its error.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "helptext/RtfReader.h"

namespace vantor {

inline constexpr std::string_view kHelpFileName = "Vantor.HLP";
// Further pages (LTO labels, the journal, calibration, the start label), shown
// after the help text; looked for beside the help file, left out when absent.
inline constexpr std::string_view kHelpTopicsFileName = "Vantor-topics.HLP";
// Larger files are refused rather than read whole into memory.
inline constexpr std::size_t kMaxHelpFileSize = 16u * 1024u * 1024u;

struct THelpText {
  TRtfDocument Document;
  // Empty on success; otherwise the exact message for the operator.
  std::string Error;
  bool Ok() const { return Error.empty(); }
};

// The help file's path in `folder` (no trailing separator needed).
std::string HelpFilePath(std::string_view folder);

// Reads `path`: "Cannot open file <path>" when it is missing, not a regular
// file or unreadable; "Failed to Load Stream" when the content is neither rich
// text nor plain text, or too large. On an error the document is empty.
THelpText LoadHelpText(const std::string& path);

}  // namespace vantor
