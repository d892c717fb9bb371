// The vantor-barcode command: encode one barcode and print what came out.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vantor {

// Exit status: 0 done, 1 the engine refused the data, 2 bad command line.
int RunBarcodeCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The code text with bytes outside printable ASCII written as \xNN (and "\" as "\\"),
// so Code 128's marker bytes stay readable on one line.
std::string PrintableCodeText(const char* codeText);

}  // namespace vantor
