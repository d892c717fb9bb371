// How the main window tells the operator something: a warning with an OK
// button, or the error box for a failure. Tests put in a recorder so nothing
// modal opens.
#pragma once

#include <QString>
#include <memory>

class QWidget;

namespace vantor {

class TMessageReporter {
 public:
  virtual ~TMessageReporter() = default;
  virtual void Warning(const QString& text) = 0;  // warning icon, one OK button
  virtual void Error(const QString& text) = 0;    // the program's error box
};

// Message boxes over `parent`.
std::unique_ptr<TMessageReporter> MakeMessageBoxReporter(QWidget* parent);

}  // namespace vantor
