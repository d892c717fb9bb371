// Running vantor-barcode and the independent barcode readers (zbarimg from
// ZBar, ZXingReader from zxing-cpp) from a test.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace vantor::testing {

struct CommandResult {
  int status = -1;
  std::string output;  // stdout
};

inline std::string ShellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

inline CommandResult RunCommand(const std::string& command) {
  CommandResult r;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return r;
  std::array<char, 4096> buf{};
  std::size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) r.output.append(buf.data(), n);
  const int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

inline bool HaveTool(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Where vantor-barcode was built: VANTOR_BUILD_DIR when set, else beside the
// test executable (every executable lands in the build directory).
inline std::filesystem::path BuildDir() {
  if (const char* dir = std::getenv("VANTOR_BUILD_DIR")) return dir;
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : self.parent_path();
}

inline std::string BarcodeTool() { return (BuildDir() / "vantor-barcode").string(); }

// A fresh directory for one test, removed when the test ends.
class ScratchDir {
 public:
  ScratchDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
      if (c == '/' || c == ' ') c = '_';
    path_ = std::filesystem::temp_directory_path() / ("vantor-" + std::to_string(getpid()) + "-" + name);
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& file) const { return (path_ / file).string(); }

 private:
  std::filesystem::path path_;
};

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) lines.push_back(line);
  return lines;
}

enum class Reader { Zbar, Zxing };

inline const char* ReaderBinary(Reader r) { return r == Reader::Zbar ? "zbarimg" : "ZXingReader"; }

// Every symbol the reader finds in the image, as decoded text. ZBar reports
// UPC-A and UPC-E in their own form and the EAN add-ons as separate symbols;
// ZXing appends an add-on to its main symbol after a space.
inline std::vector<std::string> Decode(Reader reader, const std::string& image) {
  if (reader == Reader::Zbar)
    return Lines(RunCommand("zbarimg -q --raw -Supca.enable -Supce.enable -Sean2.enable -Sean5.enable " +
                            ShellQuote(image) + " 2>/dev/null")
                     .output);
  // ZXingReader 1.4.0 (Debian 12) aborts on an assertion in Result::operator==
  // when its downscaled pass finds the same symbol again (zxing-cpp issue 740,
  // fixed in later releases); a clean symbol needs no downscaling, so then
  // read again without it.
  CommandResult run = RunCommand("ZXingReader -1 " + ShellQuote(image) + " 2>/dev/null");
  if (run.status > 128 || run.status < 0)
    run = RunCommand("ZXingReader -1 -noscale " + ShellQuote(image) + " 2>/dev/null");
  std::vector<std::string> texts;
  for (const std::string& line : Lines(run.output)) {
    const auto first = line.find('"');
    const auto last = line.rfind('"');
    if (first != std::string::npos && last > first) texts.push_back(line.substr(first + 1, last - first - 1));
  }
  return texts;
}

// What the reader made of each of many images, read in one run of the reader:
// the decoded texts by file name.
inline std::map<std::string, std::vector<std::string>> DecodeEach(Reader reader,
                                                                  const std::vector<std::string>& files) {
  std::string names;
  for (const auto& f : files) names += " " + ShellQuote(f);
  std::map<std::string, std::vector<std::string>> found;
  if (reader == Reader::Zbar) {
    const std::string xml = RunCommand("zbarimg -q --xml" + names + " 2>/dev/null").output;
    std::string source;
    for (std::size_t at = 0; at < xml.size();) {
      const std::size_t href = xml.find("<source href='", at), data = xml.find("<![CDATA[", at);
      if (href == std::string::npos && data == std::string::npos) break;
      if (href < data) {
        const std::size_t start = href + 14;
        source = xml.substr(start, xml.find('\'', start) - start);
        at = start;
      } else {
        const std::size_t start = data + 9;
        found[source].push_back(xml.substr(start, xml.find("]]>", start) - start));
        at = start;
      }
    }
    return found;
  }
  // See Decode for the second run without downscaling.
  CommandResult run = RunCommand("ZXingReader -1" + names + " 2>/dev/null");
  if (run.status != 0) run = RunCommand("ZXingReader -1 -noscale" + names + " 2>/dev/null");
  for (const std::string& line : Lines(run.output)) {
    const auto first = line.find('"'), last = line.rfind('"');
    const auto space = line.find(' ');
    if (first == std::string::npos || last <= first || space == std::string::npos) continue;
    found[line.substr(0, space)].push_back(line.substr(first + 1, last - first - 1));
  }
  return found;
}

}  // namespace vantor::testing
