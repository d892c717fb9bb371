#include "app/window/SerialField.h"

namespace vantor {

namespace {
bool IsPrintableAscii(QChar c) { return c.unicode() >= 0x20 && c.unicode() <= 0x7E; }
}  // namespace

QValidator::State TSerialValidator::validate(QString& input, int&) const {
  for (QChar c : input)
    if (!IsPrintableAscii(c)) return Invalid;
  fixup(input);
  return Acceptable;
}

void TSerialValidator::fixup(QString& input) const {
  for (QChar& c : input)
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = c.toUpper();
}

}  // namespace vantor
