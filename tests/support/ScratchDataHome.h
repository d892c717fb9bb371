// The user's data folder, where the print journal lives by default, pointed
// at a fresh scratch folder for one scope: a print run in a test starts with
// an empty journal and never touches the user's own.
#pragma once

#include <QTemporaryDir>
#include <string>

#include "support/EnvOverride.h"

namespace vantor::test {

class TScratchDataHome {
 public:
  TScratchDataHome() : env_("XDG_DATA_HOME", dir_.path()) {}
  std::string Path() const { return dir_.path().toStdString(); }

 private:
  QTemporaryDir dir_;
  TEnvOverride env_;
};

}  // namespace vantor::test
