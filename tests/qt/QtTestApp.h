// One QApplication for a Qt test executable, created when the tests start
// (not while ctest lists them). QT_QPA_PLATFORM=offscreen comes from CMake.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "qt/QtSurface.h"

namespace vantor::testing {

class QtAppEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!QApplication::instance()) app_ = std::make_unique<QApplication>(argc_, argv_);
    SyncScreenDpiFromQt();
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "vantor-test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

inline ::testing::Environment* const kQtAppEnvironment = ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);

}  // namespace vantor::testing
