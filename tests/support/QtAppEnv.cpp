// One QApplication for the whole test program, created before the first test
// runs (not while tests are only being listed) and deleted after the last.
#include <gtest/gtest.h>
#include <QApplication>

namespace {

class TQtAppEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "vantor-tests";
    static char* argv[] = {name, nullptr};
    app_ = new QApplication(argc, argv);
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

 private:
  QApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const gQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new TQtAppEnvironment);

}  // namespace
