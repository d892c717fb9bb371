// Asking for a PostgreSQL journal's password on the terminal.
#pragma once

#include <optional>
#include <string>

namespace vantor {

// The password for the journal at `where`, asked for on the terminal without
// echo; nothing when there is no terminal to ask on (a script), so the
// server's refusal is reported instead of the run waiting for an answer.
std::optional<std::string> TerminalPassword(const std::string& where);

}  // namespace vantor
