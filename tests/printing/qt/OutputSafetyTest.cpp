// What the command line leaves on disk, with real vantor processes: two jobs
// on one file, a link planted where a temporary file might go, an output
// that names the print journal, temporaries of killed jobs, and runs stopped
// by SIGINT or SIGTERM.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "journal/qt/Journal.h"
#include "support/ScratchDataHome.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;

struct TRun {
  int status = -1;
  std::string out, err;
};

class OutputSafety : public ::testing::Test {
 protected:
  void SetUp() override {
    vantor_ = QString::fromLocal8Bit(qgetenv("VANTOR_BUILD_DIR")) + QStringLiteral("/vantor");
    if (!QFileInfo::exists(vantor_)) GTEST_SKIP() << "no vantor executable in VANTOR_BUILD_DIR";
    ASSERT_TRUE(dir_.isValid());
    const TRun made = Vantor({"--journal-init", Journal()});  // a named journal is made only on purpose
    ASSERT_EQ(made.status, 0) << made.err;
  }
  std::string File(const std::string& name) const { return dir_.filePath(QString::fromStdString(name)).toStdString(); }
  std::string Journal() const { return File("journal.sqlite"); }
  std::vector<journal::TJobRecord> Jobs() const {
    journal::TJournalLocation where;
    where.path = Journal();
    return journal::TJournal::Open(where)->List({});
  }

  std::unique_ptr<QProcess> Start(const std::vector<std::string>& args) {
    auto p = std::make_unique<QProcess>();
    QStringList list;
    for (const std::string& a : args) list << QString::fromStdString(a);
    p->start(vantor_, list);
    EXPECT_TRUE(p->waitForStarted(10000));
    return p;
  }
  static TRun Finish(QProcess& p) {
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput().toStdString(),
            p.readAllStandardError().toStdString()};
  }
  TRun Vantor(const std::vector<std::string>& args) { return Finish(*Start(args)); }

  // An LTO run of `labels` labels from `first` to a PDF or trace file.
  static std::vector<std::string> Lto(const std::string& output, const std::string& file, const std::string& first,
                                      int labels) {
    return {"--lto", "--media-id", "L8", "--serial", first, "--count", std::to_string(labels), output, file};
  }
  std::vector<std::string> Temporaries() const {
    std::vector<std::string> names;
    for (const QString& n : QDir(dir_.path()).entryList({"*.part"}, QDir::Files | QDir::Hidden | QDir::System))
      names.push_back(n.toStdString());
    return names;
  }
  // Waits until the job has written part of its temporary file; false when
  // it ends first.
  bool TemporaryGrows(QProcess& job) const {
    bool grown = false;
    (void)QTest::qWaitFor(
        [&] {
          for (const std::string& n : Temporaries()) grown = grown || fs::file_size(File(n)) > 0;
          return grown || job.state() == QProcess::NotRunning;
        },
        60000);
    return grown;
  }
  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static std::string PdfText(const std::string& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QString::fromStdString(path), QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return "(pdftotext failed on " + path + ")";
    return p.readAllStandardOutput().toStdString();
  }

  const test::TScratchDataHome data_;  // the default journal, where a run names none
  const QTemporaryDir config_;
  const test::TEnvOverride noSettings_{"XDG_CONFIG_HOME", config_.path()};  // no journal kept in the settings
  QString vantor_;
  QTemporaryDir dir_;
};

// Both jobs print; the file is always one of them whole.
TEST_F(OutputSafety, TwoJobsOnOneFileLeaveOneWholeJob) {
  struct TRow {
    const char* output;
    std::string (*content)(const std::string&);
  } rows[] = {{"--print-pdf", &PdfText}, {"--print-trace", &Bytes}};
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.output);
    for (const char* first : {"A00000", "B00000"}) {
      std::vector<std::string> args = Lto(row.output, File(std::string(first, 1) + ".ref"), first, 1500);
      args.push_back("--no-journal");
      ASSERT_EQ(Vantor(args).status, 0);
    }
    const std::string a = row.content(File("A.ref")), b = row.content(File("B.ref"));
    ASSERT_NE(a, b);
    for (int round = 0; round < 3; ++round) {
      SCOPED_TRACE("round " + std::to_string(round));
      const std::string shared = File("shared.out");
      std::vector<std::string> a1 = Lto(row.output, shared, "A00000", 1500),
                               b1 = Lto(row.output, shared, "B00000", 1500);
      a1.push_back("--no-journal");
      b1.push_back("--no-journal");
      const auto first = Start(a1);
      const auto second = Start(b1);
      const TRun ra = Finish(*first), rb = Finish(*second);
      EXPECT_EQ(ra.status, 0) << ra.err;
      EXPECT_EQ(rb.status, 0) << rb.err;
      const std::string got = row.content(shared);
      EXPECT_TRUE(got == a || got == b) << "the file holds neither job whole (" << got.size() << " bytes, the jobs "
                                        << a.size() << " and " << b.size() << ")";
      EXPECT_EQ(Temporaries(), std::vector<std::string>{});
    }
  }
}

// A link where the old fixed temporary name was: it is neither followed nor
// removed, and the output is a file of its own.
TEST_F(OutputSafety, PlantedLinkIsNotFollowed) {
  for (const char* output : {"--print-pdf", "--print-trace"}) {
    SCOPED_TRACE(output);
    const std::string precious = File("precious.txt"), target = File("labels.out");
    { std::ofstream(precious) << "keep me\n"; }
    fs::remove(File(".labels.out.part"));
    fs::create_symlink(precious, File(".labels.out.part"));
    const TRun run = Vantor({"--no-journal", output, target, "--serial", "LNK100"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Bytes(precious) == "keep me\n") << "the file the link points to was written";
    EXPECT_TRUE(fs::is_symlink(File(".labels.out.part")));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(target)));
    EXPECT_GT(fs::file_size(target), 1000u);
  }
}

// The default journal's file, made by a first run that names none.
std::string DefaultJournal(const std::string& dataHome) {
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(dataHome))
    if (e.path().filename() == "journal.sqlite") return e.path().string();
  return {};
}

TEST_F(OutputSafety, OutputThatIsTheJournalIsRefused) {
  ASSERT_EQ(Vantor({"--journal", Journal(), "--print-pdf", File("first.pdf"), "--serial", "JNL100"}).status, 0);
  ASSERT_EQ(Vantor({"--print-pdf", File("first.pdf"), "--serial", "JNL100"}).status, 0);
  const std::string journal = Journal(), fallback = DefaultJournal(data_.Path());
  ASSERT_FALSE(fallback.empty());
  fs::create_symlink(journal, File("link.pdf"));
  const std::vector<std::string> with{"--journal", journal, "--serial", "JNL200"};
  const std::vector<std::string> lto{"--journal", journal, "--lto", "--media-id", "L8", "--serial", "JNL000"};
  struct TRow {
    const char* name;
    std::vector<std::string> options;
    const char* output;
    std::string target;
    std::string names;  // the journal's file the message names
  } rows[] = {
      {"pdf", with, "--print-pdf", journal, journal},
      {"trace over -wal", with, "--print-trace", journal + "-wal", journal + "-wal"},
      {"shm, spelt another way", with, "--print-pdf", File("./journal.sqlite-shm"), journal + "-shm"},
      {"a link to it", with, "--print-pdf", File("link.pdf"), journal},
      {"lto", lto, "--print-pdf", journal, journal},
      {"the default journal, without it", {"--no-journal"}, "--print-trace", fallback, fallback},
  };
  const std::string before = Bytes(journal), fallbackBefore = Bytes(fallback);
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> args = row.options;
    args.insert(args.end(), {row.output, row.target});
    const TRun run = Vantor(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "vantor: \"" + row.target + "\" is the print journal's file " + row.names + "; nothing was printed\n");
    EXPECT_TRUE(Bytes(journal) == before) << "the journal was changed";
    EXPECT_TRUE(Bytes(fallback) == fallbackBefore) << "the default journal was changed";
  }
  EXPECT_EQ(Jobs().size(), 1u) << "the history is still there";
}

// A killed job's temporary stays until a job starts in the folder; one of a
// process still running, or of another host, is left alone.
TEST_F(OutputSafety, KilledJobsTemporariesGoAtTheNextStart) {
  auto killed = Start({"--no-journal", "--lto", "--media-id", "L8", "--serial", "K00000", "--count", "90000",
                       "--print-pdf", File("big.pdf")});
  ASSERT_TRUE(TemporaryGrows(*killed)) << killed->readAllStandardError().toStdString();
  ASSERT_EQ(kill(static_cast<pid_t>(killed->processId()), SIGKILL), 0);
  Finish(*killed);
  ASSERT_EQ(Temporaries().size(), 1u) << "the killed job's temporary is there";

  char host[256] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  const std::string running = ".x.pdf." + std::string(host) + "." + std::to_string(getpid()) + ".AbCdEf012345.part";
  const std::string elsewhere = ".x.pdf.another-host.12345.AbCdEf012345.part";
  const std::string unrelated = ".notes.part";
  for (const std::string& name : {running, elsewhere, unrelated}) std::ofstream(File(name)) << "x";

  const TRun next = Vantor({"--no-journal", "--print-pdf", File("small.pdf"), "--serial", "KIL100"});
  ASSERT_EQ(next.status, 0) << next.err;
  std::vector<std::string> left = Temporaries();
  std::sort(left.begin(), left.end());
  std::vector<std::string> kept{running, elsewhere, unrelated};
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(left, kept);
  EXPECT_FALSE(fs::exists(File("big.pdf")));
}

// Stopped at the next page: no file, no temporary, the job cancelled with
// nothing sent, 128 + the signal's number.
TEST_F(OutputSafety, SignalStopsTheRunAtTheNextPage) {
  struct TRow {
    int signal;
    const char* name;
    int status;
    const char* output;
  } rows[] = {{SIGINT, "SIGINT", 130, "--print-pdf"}, {SIGTERM, "SIGTERM", 143, "--print-trace"}};
  int serial = 0;
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string target = File(std::string("stopped") + row.output);
    std::vector<std::string> args =
        Lto(row.output, target, std::string(1, static_cast<char>('S' + ++serial)) + "00000", 90000);
    args.insert(args.begin(), {"--journal", Journal()});
    auto run = Start(args);
    ASSERT_TRUE(TemporaryGrows(*run)) << run->readAllStandardError().toStdString();
    ASSERT_EQ(kill(static_cast<pid_t>(run->processId()), row.signal), 0);
    const TRun stopped = Finish(*run);
    EXPECT_EQ(stopped.status, row.status) << stopped.err;
    EXPECT_NE(stopped.err.find(std::string("vantor: stopped by ") + row.name + " before page "), std::string::npos)
        << stopped.err;
    EXPECT_NE(stopped.err.find(" of 3000; the job is cancelled\n"), std::string::npos) << stopped.err;
    EXPECT_EQ(stopped.out, "");
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(Temporaries(), std::vector<std::string>{});
    const std::vector<journal::TJobRecord> jobs = Jobs();
    ASSERT_FALSE(jobs.empty());
    EXPECT_EQ(jobs.front().outcome, journal::TJobOutcome::Cancelled);
    EXPECT_EQ(jobs.front().RangesIn(journal::TPieceState::Sent), std::vector<journal::TSerialRange>{});
  }
}

}  // namespace
}  // namespace vantor
