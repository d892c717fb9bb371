// The built executables run as child processes in an emptied environment (no
// DISPLAY, no QT_QPA_PLATFORM unless a row sets one), as on a server or in
// CI: options are checked before Qt starts, and Qt never aborts for want of a
// display.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tools/ReaderUtil.h"

namespace vantor {
namespace {

using testing::BuildDir;
using testing::RunCommand;
using testing::ScratchDir;
using testing::ShellQuote;

struct Outcome {
  int status;
  std::string out, err;
};

// `env` holds NAME=VALUE entries, the only variables the child gets.
Outcome RunProgram(const std::string& program, const std::vector<std::string>& env,
                   const std::vector<std::string>& args, const ScratchDir& dir) {
  std::string command = "env -i";
  for (const std::string& e : env) command += " " + ShellQuote(e);
  command += " " + ShellQuote((BuildDir() / program).string());
  for (const std::string& a : args) command += " " + ShellQuote(a);
  const std::string errFile = dir / "stderr";
  const auto run = RunCommand(command + " 2>" + ShellQuote(errFile));
  std::ifstream in(errFile);
  return {run.status, run.output, std::string(std::istreambuf_iterator<char>(in), {})};
}

std::string Head(const std::string& path, std::size_t n) {
  std::ifstream in(path);
  std::string text(n, '\0');
  in.read(text.data(), static_cast<std::streamsize>(n));
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

TEST(Executables, RunWithoutADisplay) {
  ScratchDir dir;
  const std::string trace = dir / "sheet.trace";
  const std::string png = dir / "window.png";
  const std::string unknown = "vantor: unknown option '--no-such-option'; see vantor --help\n";
  const std::string noDisplay =
      "vantor: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set); to print without the "
      "window, give --print-pdf FILE (see vantor --help)\n";
  struct Row {
    const char* name;
    const char* program;
    std::vector<std::string> env;
    std::vector<std::string> args;
    int status;
    std::string err;      // the whole of stderr; "*" leaves it unchecked
    std::string outPart;  // a part of stdout
    std::string file;     // written by the run
    std::string fileHead;
  };
  const Row rows[] = {
      {"window without a display", "vantor", {}, {}, 1, noDisplay, "", "", ""},
      {"X platform asked for, no display", "vantor", {"QT_QPA_PLATFORM=xcb"}, {}, 1, noDisplay, "", "", ""},
      {"Wayland or X asked for, neither there",
       "vantor",
       {"QT_QPA_PLATFORM=wayland;xcb"},
       {},
       1,
       noDisplay,
       "",
       "",
       ""},
      {"empty DISPLAY", "vantor", {"DISPLAY="}, {}, 1, noDisplay, "", "", ""},
      {"unknown option without a display", "vantor", {}, {"--no-such-option"}, 2, unknown, "", "", ""},
      {"unknown option off-screen",
       "vantor",
       {"QT_QPA_PLATFORM=offscreen"},
       {"--no-such-option"},
       2,
       unknown,
       "",
       "",
       ""},
      {"unknown option with a display named", "vantor", {"DISPLAY=:99"}, {"--no-such-option"}, 2, unknown, "", "", ""},
      {"help", "vantor", {}, {"--help"}, 0, "", "--print-pdf <FILE>", "", ""},
      {"version", "vantor", {}, {"--version"}, 0, "", std::string("vantor ") + VANTOR_VERSION + "\n", "", ""},
      {"trace", "vantor", {}, {"--print-trace", trace}, 0, "*", "", trace, "page 1\n"},
      {"trace with the X platform asked for",
       "vantor",
       {"QT_QPA_PLATFORM=xcb"},
       {"--print-trace", trace},
       0,
       "*",
       "",
       trace,
       "page 1\n"},
      {"window off-screen",
       "vantor",
       {"QT_QPA_PLATFORM=offscreen"},
       {"--screenshot", png},
       0,
       "*",
       "vantor: window saved to",
       png,
       "\x89PNG"},
      {"barcode version",
       "vantor-barcode",
       {},
       {"--version"},
       0,
       "",
       std::string("vantor-barcode ") + VANTOR_VERSION + "\n",
       "",
       ""},
      {"barcode with replaced characters",
       "vantor-barcode",
       {},
       {"--type", "CODE39", "--data", "hello", "--modules"},
       0,
       "vantor-barcode: CODE39 cannot encode \"h\", \"e\", \"l\", \"o\"; they were replaced by \"0\"\n",
       "*00000*\n",
       "",
       ""},
      {"barcode unknown option",
       "vantor-barcode",
       {},
       {"--foo"},
       2,
       "vantor-barcode: unknown option '--foo'; see vantor-barcode --help\n",
       "",
       "",
       ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::filesystem::remove(trace);
    std::filesystem::remove(png);
    const Outcome r = RunProgram(row.program, row.env, row.args, dir);
    EXPECT_EQ(r.status, row.status) << r.err;
    if (row.err != "*") {
      EXPECT_EQ(r.err, row.err);
    }
    EXPECT_NE(r.out.find(row.outPart), std::string::npos) << r.out;
    if (!row.file.empty()) {
      EXPECT_EQ(Head(row.file, row.fileHead.size()), row.fileHead);
    }
  }
}

// Only --help follows the operator's language; errors and output that
// scripts read stay English.
TEST(Executables, HelpIsInTheLocalesLanguageWithEnglishAsTheFallback) {
  ScratchDir dir;
  struct Row {
    const char* name;
    const char* program;
    std::vector<std::string> env;
    std::vector<std::string> args;
    std::string outStart;  // how stdout begins
    std::string err;
  };
  const std::string unknown = "vantor: unknown option '--foo'; see vantor --help\n";
  const Row rows[] = {
      {"LANGUAGE=de", "vantor", {"LANGUAGE=de"}, {"--help"}, "Aufruf: vantor [--print-pdf DATEI", ""},
      {"LANG=de_DE.UTF-8", "vantor", {"LANG=de_DE.UTF-8"}, {"--help"}, "Aufruf: vantor ", ""},
      {"LC_ALL=de_AT.UTF-8", "vantor", {"LC_ALL=de_AT.UTF-8"}, {"--help"}, "Aufruf: vantor ", ""},
      {"English asked for before German", "vantor", {"LANGUAGE=en:de"}, {"--help"}, "Usage: vantor ", ""},
      {"no translation for French", "vantor", {"LANG=fr_FR.UTF-8"}, {"--help"}, "Usage: vantor ", ""},
      {"the barcode tool", "vantor-barcode", {"LANGUAGE=de"}, {"--help"}, "Aufruf: vantor-barcode ", ""},
      {"the web service", "vantor", {"LANGUAGE=de"}, {"serve", "--help"}, "Aufruf: vantor serve [", ""},
      {"version", "vantor", {"LANGUAGE=de"}, {"--version"}, std::string("vantor ") + VANTOR_VERSION + "\n", ""},
      {"an error stays English", "vantor", {"LANGUAGE=de"}, {"--foo"}, "", unknown},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Outcome r = RunProgram(row.program, row.env, row.args, dir);
    EXPECT_EQ(r.status, row.err.empty() ? 0 : 2);
    EXPECT_EQ(r.out.substr(0, row.outStart.size()), row.outStart) << r.out;
    EXPECT_EQ(r.err, row.err);
  }
}

}  // namespace
}  // namespace vantor
