#include "printing/Output.h"

#include <filesystem>

namespace vantor {

int DefaultDpi(TOutputKind output) {
  switch (output) {
    case TOutputKind::Pdf: return 600;
    case TOutputKind::Trace: return 300;
    case TOutputKind::Printer: break;
  }
  return 0;
}

std::string JournalTarget(TOutputKind output, const std::string& target) {
  if (output == TOutputKind::Printer || target.empty()) return target;
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(target, ec);
  return ec ? target : absolute.lexically_normal().string();
}

std::optional<std::string> PrintedMessage(const std::string& what, TOutputKind output, const std::string& target) {
  switch (output) {
    case TOutputKind::Pdf: return "Printed " + what + " to " + target;
    case TOutputKind::Printer: return "Printed " + what + " on " + target;
    case TOutputKind::Trace: break;
  }
  return std::nullopt;
}

}  // namespace vantor
