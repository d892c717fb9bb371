#include "helptext/HelpText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace vantor {
namespace {

namespace fs = std::filesystem;

class HelpText : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("vantor-helptext-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Write(const std::string& bytes) {
    const std::string path = HelpFilePath(dir_.string());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  fs::path dir_;
};

TEST_F(HelpText, PathIsTheFolderAndTheFileName) {
  EXPECT_EQ(HelpFilePath("/opt/vantor"), "/opt/vantor/Vantor.HLP");
  EXPECT_EQ(HelpFilePath("/opt/vantor/"), "/opt/vantor/Vantor.HLP");
}

TEST_F(HelpText, ReadsRichText) {
  const THelpText help = LoadHelpText(Write("{\\rtf1 {\\b Makers}\\par Storagetek}"));
  ASSERT_TRUE(help.Ok()) << help.Error;
  EXPECT_EQ(help.Document.Text(), "Makers\nStoragetek");
}

TEST_F(HelpText, MissingFileOrFolderCannotBeOpened) {
  const std::string path = HelpFilePath(dir_.string());
  EXPECT_EQ(LoadHelpText(path).Error, "Cannot open file " + path);
  fs::create_directory(path);  // a folder of that name is no file either
  EXPECT_EQ(LoadHelpText(path).Error, "Cannot open file " + path);
}

TEST_F(HelpText, OversizedFileFailsToLoad) {
  const std::string path = Write("");
  fs::resize_file(path, kMaxHelpFileSize + 1);  // sparse: costs no disk
  const THelpText help = LoadHelpText(path);
  EXPECT_EQ(help.Error, "Failed to Load Stream");
  EXPECT_TRUE(help.Document.Paragraphs.empty());
}

}  // namespace
}  // namespace vantor
