#include "app/window/MessageReporter.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace vantor {

namespace {

class TMessageBoxReporter : public TMessageReporter {
 public:
  explicit TMessageBoxReporter(QWidget* parent) : parent_(parent) {}

  void Warning(const QString& text) override {
    QMessageBox::warning(parent_, QCoreApplication::translate("vantor::MessageBox", "Warning"), text, QMessageBox::Ok);
  }
  void Error(const QString& text) override {
    QMessageBox::critical(parent_, QCoreApplication::applicationName(), text, QMessageBox::Ok);
  }

 private:
  QPointer<QWidget> parent_;
};

}  // namespace

std::unique_ptr<TMessageReporter> MakeMessageBoxReporter(QWidget* parent) {
  return std::make_unique<TMessageBoxReporter>(parent);
}

}  // namespace vantor
