// Sets an environment variable for one scope and puts the old value back.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace vantor::test {

class TEnvOverride {
 public:
  TEnvOverride(const char* name, const QString& value)
      : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
    qputenv(name_, value.toUtf8());
  }
  ~TEnvOverride() {
    if (had_)
      qputenv(name_, old_);
    else
      qunsetenv(name_);
  }
  TEnvOverride(const TEnvOverride&) = delete;
  TEnvOverride& operator=(const TEnvOverride&) = delete;

 private:
  const char* name_;
  bool had_;
  QByteArray old_;
};

}  // namespace vantor::test
