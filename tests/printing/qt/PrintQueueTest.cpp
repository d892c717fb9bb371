// One sheet through a real print queue: the headless print command on a named
// printer takes the same QPrinter path as the print dialog's printer, CUPS runs
// its filters, and the cups-pdf backend writes what a printer would have got
// as a PDF. Every label of that PDF must read back. scripts/cups-queue starts
// the scheduler and adds the queue; without them the test says so and skips.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <iostream>
#include <sstream>

#include "app/cli/PrintCli.h"
#include "printing/qt/SheetScanUtil.h"
#include "support/ScratchDataHome.h"

namespace vantor {
namespace {

using testing::CutLabel;
using testing::Decode;
using testing::HaveTool;
using testing::RasterisePdf;
using testing::Reader;
using testing::RunCommand;
using testing::SerialAfter;
using testing::ShellQuote;

std::string EnvOr(const char* name, const char* fallback) {
  const char* v = std::getenv(name);
  return v && *v ? v : fallback;
}

QSet<QString> PdfsIn(const QString& folder) {
  const QStringList names = QDir(folder).entryList({"*.pdf"}, QDir::Files);
  return QSet<QString>(names.begin(), names.end());
}

TEST(PrintQueue, SheetOnTheCupsPdfQueueReadsBack) {
  for (const char* tool : {"lpstat", "pdfinfo", "pdftoppm", "zbarimg", "ZXingReader"})
    if (!HaveTool(tool)) GTEST_SKIP() << tool << " is missing: scripts/install-deps installs it";
  const std::string queue = EnvOr("VANTOR_CUPS_QUEUE", "VantorPDF");
  const QString outDir = QString::fromStdString(EnvOr("VANTOR_CUPS_PDF_DIR", "/var/spool/vantor-cups-pdf"));
  auto scheduler = RunCommand("lpstat -r 2>&1");
  while (!scheduler.output.empty() && scheduler.output.back() == '\n') scheduler.output.pop_back();
  if (scheduler.output.find("scheduler is running") == std::string::npos)
    GTEST_SKIP() << "no CUPS scheduler is running here (lpstat -r says: " << scheduler.output
                 << "); scripts/cups-queue starts one and adds the queue " << queue;
  if (RunCommand("lpstat -p " + ShellQuote(queue) + " >/dev/null 2>&1").status != 0)
    GTEST_SKIP() << "the scheduler runs but has no queue " << queue << "; scripts/cups-queue adds it";
  ASSERT_TRUE(QFileInfo(outDir).isDir()) << "the queue's output folder " << outDir.toStdString() << " is missing";

  // The first serial is this process's own, so a sheet that someone else
  // prints on the queue meanwhile is not taken for ours.
  const char* kBase36 = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  const int pid = static_cast<int>(getpid());
  const std::string first = std::string("Q") + kBase36[pid / 36 % 36] + kBase36[pid % 36] + "100";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const int dpi = 300;

  QSet<QString> seen = PdfsIn(outDir);
  std::ostringstream out, err;
  const test::TScratchDataHome data;  // an empty journal of its own
  ASSERT_EQ(RunPrintCli({"--printer", queue, "--media", "dlt4", "--upright", "--serial", first}, out, err), 0)
      << err.str();
  EXPECT_EQ(out.str(), "Printed 1 sheet from " + first + " on " + queue + "\n");

  // The job is done when a new PDF is complete enough for pdfinfo and its
  // first label is ours.
  QString arrived;
  std::string info;
  QImage page;
  std::vector<std::string> others;  // complete PDFs whose first label is not ours
  const bool done = QTest::qWaitFor(
      [&] {
        for (const QString& name : PdfsIn(outDir) - seen) {
          const std::string path = QDir(outDir).filePath(name).toStdString();
          const auto run = RunCommand("pdfinfo " + ShellQuote(path) + " 2>&1");
          if (run.status != 0) continue;  // still being written
          seen.insert(name);
          page = RasterisePdf(path, dpi, dir.filePath("page").toStdString());
          const QString png = dir.filePath("first.png");
          if (page.isNull() || !CutLabel(page, dpi, 0).save(png)) continue;
          if (Decode(Reader::Zbar, png.toStdString()) == std::vector<std::string>{first + "D"}) {
            arrived = QString::fromStdString(path);
            info = run.output;
            return true;
          }
          others.push_back(path);
        }
        return false;
      },
      120000);
  ASSERT_TRUE(done) << "no PDF with " << first << "D on its first label arrived in " << outDir.toStdString()
                    << " within 2 minutes; other PDFs: " << ::testing::PrintToString(others) << "; queue state:\n"
                    << RunCommand("lpstat -o " + ShellQuote(queue) + " -p " + ShellQuote(queue) + " 2>&1").output;
  EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
  EXPECT_NE(info.find("(A4)"), std::string::npos) << info;

  int zbarRead = 0, zxingRead = 0;
  for (int i = 0; i < 30; ++i) {
    const QString png = dir.filePath(QString("label%1.png").arg(i));
    ASSERT_TRUE(CutLabel(page, dpi, i).save(png));
    const std::vector<std::string> expected{SerialAfter(first, i) + "D"};
    const auto zb = Decode(Reader::Zbar, png.toStdString()), zx = Decode(Reader::Zxing, png.toStdString());
    zbarRead += zb == expected;
    zxingRead += zx == expected;
    EXPECT_EQ(zb, expected) << "zbarimg, label " << i + 1;
    EXPECT_EQ(zx, expected) << "ZXingReader, label " << i + 1;
  }
  EXPECT_EQ(zbarRead, 30);
  EXPECT_EQ(zxingRead, 30);
  if (HasFailure())
    std::cout << "the queue's PDF is kept for a look: " << arrived.toStdString() << "\n";
  else
    QFile::remove(arrived);
}

// A queue that refuses jobs (scripts/cups-queue adds one with cupsreject): the
// job fails with the queue's reason, and the journal frees its serials.
TEST(PrintQueue, RefusedJobFailsAndFreesItsSerials) {
  const std::string queue =
      EnvOr("VANTOR_CUPS_REJECT_QUEUE", (EnvOr("VANTOR_CUPS_QUEUE", "VantorPDF") + "Reject").c_str());
  if (RunCommand("lpstat -a " + ShellQuote(queue) + " 2>/dev/null | grep -q 'not accepting'").status != 0)
    GTEST_SKIP() << "no queue " << queue << " that refuses jobs; scripts/cups-queue adds it";
  const std::string reason = RunCommand("lpstat -a " + ShellQuote(queue) + " | sed -n '2s/^[[:space:]]*//p'").output;
  const test::TScratchDataHome data;
  struct TRow {
    const char* name;
    std::vector<std::string> args;
    std::string serials;
  } rows[] = {
      {"sheet", {"--printer", queue, "--serial", "RFS100"}, "RFS100-RFS129:freed"},
      {"lto",
       {"--lto", "--media-id", "L8", "--serial", "RFS000", "--count", "3", "--printer", queue},
       "RFS000-RFS002:freed"},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    std::ostringstream out, err;
    EXPECT_EQ(RunPrintCli(row.args, out, err), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "vantor: the print queue \"" + queue + "\" refuses jobs: " + reason);
    std::ostringstream list, listErr;
    ASSERT_EQ(RunPrintCli({"--journal-list"}, list, listErr), 0) << listErr.str();
    const std::string newest = list.str().substr(0, list.str().find('\n'));
    EXPECT_NE(newest.find("\t" + row.serials + "\tfailed\t"), std::string::npos) << newest;
  }
}

}  // namespace
}  // namespace vantor
