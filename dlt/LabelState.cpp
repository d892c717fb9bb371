#include "dlt/LabelState.h"

#include <cstdio>

namespace vantor {

namespace {
bool IsPrefixChar(char c) { return c == ' ' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); }
bool IsCounterChar(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::string_view MediaSuffixFor(TMediaMode mediaMode) {
  switch (mediaMode) {
    case TMediaMode::StkDltIV: return "D";
    case TMediaMode::StkDiagnostic:
    case TMediaMode::StkCleaning:
    case TMediaMode::StkDltIIIXT: return "C";
    default: return "";
  }
}

std::string_view ForcedPrefixFor(TMediaMode mediaMode) {
  switch (mediaMode) {
    case TMediaMode::StkDiagnostic: return "DG ";
    case TMediaMode::StkCleaning: return "CLN";
    default: return "";
  }
}

const char* TSerialProblem::Rule() const {
  switch (rule) {
    case TSerialRule::Length: return kSerialLengthRule;
    case TSerialRule::Prefix: return kSerialPrefixRule;
    case TSerialRule::Counter: break;
  }
  return kSerialCounterRule;
}

std::string TSerialProblem::Text() const {
  const std::string first = rule == TSerialRule::Length ? std::to_string(length) : SerialCharText(character);
  const std::string second = std::to_string(position);
  std::string text;
  for (const char* p = Rule(); *p; ++p) {
    if (p[0] == '%' && (p[1] == '1' || p[1] == '2')) {
      text += p[1] == '1' ? first : second;
      ++p;
    } else {
      text += *p;
    }
  }
  return text;
}

std::string SerialCharText(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 0x20 && byte < 0x7F) return std::string("'") + c + "'";
  char text[16];
  std::snprintf(text, sizeof text, "byte 0x%02X", byte);
  return text;
}

std::optional<TSerialProblem> SerialProblem(std::string_view s) {
  TSerialProblem problem;
  if (s.size() != kSerialLength) {
    problem.length = s.size();
    return problem;
  }
  for (std::size_t i = 0; i < kSerialLength; ++i) {
    const bool prefix = i < 3;
    if (prefix ? IsPrefixChar(s[i]) : IsCounterChar(s[i])) continue;
    problem.rule = prefix ? TSerialRule::Prefix : TSerialRule::Counter;
    problem.position = i + 1;
    problem.character = s[i];
    return problem;
  }
  return std::nullopt;
}

bool IsValidSerial(std::string_view s) { return !SerialProblem(s); }

std::optional<int> CounterOf(std::string_view s) {
  if (s.size() != kSerialLength) return std::nullopt;
  int n = 0;
  for (std::size_t i = 3; i < 6; ++i) {
    if (!IsCounterChar(s[i])) return std::nullopt;
    n = n * 10 + (s[i] - '0');
  }
  return n;
}

std::optional<std::string> SuccessorSerial(std::string_view s) {
  const std::optional<int> counter = CounterOf(s);
  if (!counter || *counter >= kMaxCounter) return std::nullopt;
  const int n = *counter + 1;
  std::string next(s.substr(0, 3));
  // "00" + n below 10, "0" + n below 100, n itself from 100 on: always three digits.
  if (n <= 9)
    next += "00";
  else if (n <= 99)
    next += "0";
  next += std::to_string(n);
  return next;
}

TLabelState::TLabelState() {
  LoadScheme(SchemeId::Active_EDP);
  SetMediaMode(TMediaMode::Standard3of9);
}

void TLabelState::SetSerial(std::string serial) {
  if (serial == serial_) return;
  serial_ = std::move(serial);
  if (hook_) hook_(serial_);
}

std::string TLabelState::ComposeBarcodeText() const { return serial_ + std::string(MediaSuffix()); }

bool TLabelState::CheckSequence() {
  const std::string_view forced = ForcedPrefixFor(MediaMode());
  if (!forced.empty()) {
    const std::string tail = serial_.size() > 3 ? serial_.substr(3, 3) : std::string();
    SetSerial(std::string(forced) + tail);
  }
  return IsValidSerial(serial_);
}

std::optional<TSerialProblem> TLabelState::SequenceProblem() const {
  const std::string_view forced = ForcedPrefixFor(MediaMode());
  if (forced.empty()) return SerialProblem(serial_);
  return SerialProblem(std::string(forced) + (serial_.size() > 3 ? serial_.substr(3, 3) : std::string()));
}

bool TLabelState::NextSequence() {
  std::optional<std::string> next = SuccessorSerial(serial_);
  if (!next) return false;
  SetSerial(*next);
  barcodeText_ = *next + std::string(MediaSuffix());
  return true;
}

void TLabelState::LoadScheme(SchemeId id) { ApplyScheme(Colors, id); }

}  // namespace vantor
