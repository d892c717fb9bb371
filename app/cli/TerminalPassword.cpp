#include "app/cli/TerminalPassword.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace vantor {

std::optional<std::string> TerminalPassword(const std::string& where) {
  const int tty = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (tty < 0) return std::nullopt;
  std::optional<std::string> password;
  termios saved{};
  if (::tcgetattr(tty, &saved) == 0) {
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    const std::string ask = "Password for the print journal " + where + ": ";
    if (::write(tty, ask.data(), ask.size()) == static_cast<ssize_t>(ask.size()) &&
        ::tcsetattr(tty, TCSANOW, &quiet) == 0) {
      std::string line;
      char c = 0;
      while (::read(tty, &c, 1) == 1 && c != '\n') line += c;
      ::tcsetattr(tty, TCSANOW, &saved);
      if (::write(tty, "\n", 1) != 1) {
        // the answer is read; a missing line break on the terminal is harmless
      }
      if (!line.empty()) password = std::move(line);
    }
  }
  ::close(tty);
  return password;
}

}  // namespace vantor
