// The headless side of the vantor command: print sheets to a PDF, a named
// printer or a trace, with the window's choices given as options.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vantor {

// True when the arguments ask for headless printing (or for help).
bool WantsHeadlessPrint(const std::vector<std::string>& args);

// Exit status: 0 printed, 1 refused or failed (message on `err`), 2 bad options.
int RunPrintCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

extern const char* const kPrintCliUsage;

}  // namespace vantor
