// The serial field's input rule: letters become upper case as they are typed or
// pasted, and only printable ASCII gets in, so one character of the field is
// one character of the serial the labels print.
#pragma once

#include <QValidator>

namespace vantor {

class TSerialValidator : public QValidator {
  Q_OBJECT

 public:
  using QValidator::QValidator;

  // Upper-cases in place (the length and so the cursor stay as they are);
  // anything outside space..tilde makes the whole edit Invalid, which the
  // field then refuses.
  State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;
};

}  // namespace vantor
