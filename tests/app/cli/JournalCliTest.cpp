// The command line under the print journal, end to end: the journal is a real
// SQLite file or a database on the PostgreSQL server that scripts/pg-server
// started (those cases skip without one), given with --journal.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/cli/PrintCli.h"
#include "journal/qt/JournalTestSupport.h"
#include "support/ScratchDataHome.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using journal::TJobOutcome;
using journal::TJobRecord;
using journal::TJournal;
using journal::TPieceState;
using journal::testing::TScratchJournal;

struct CliResult {
  int status;
  std::string out, err;
};

CliResult Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunPrintCli(args, out, err);
  return {status, out.str(), err.str()};
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

class JournalCli : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    journal_ = std::make_unique<TScratchJournal>(GetParam());
    if (!journal_->Ok()) GTEST_SKIP() << journal_->WhyNot();
    ASSERT_TRUE(dir_.isValid());
  }
  std::string File(const std::string& name) const { return dir_.filePath(QString::fromStdString(name)).toStdString(); }
  // A DLT sheet to a PDF through the scratch journal.
  CliResult PrintPdf(const std::string& file, std::vector<std::string> more) {
    std::vector<std::string> args{"--journal", journal_->Text(), "--print-pdf", File(file)};
    args.insert(args.end(), more.begin(), more.end());
    return Cli(args);
  }
  std::vector<TJobRecord> Jobs() {
    auto j = TJournal::Open(journal_->Location());
    return j->List({});
  }

  std::unique_ptr<TScratchJournal> journal_;
  QTemporaryDir dir_;
};

TEST_P(JournalCli, SameSerialsAgainAreRefusedUntilReprinted) {
  const CliResult first = PrintPdf("a.pdf", {"--serial", "ABC100"});
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out, "Printed 1 sheet from ABC100 to " + File("a.pdf") + "\n");

  // ABC110 from label 5: 26 labels, ABC110 to ABC135, twenty of them printed before.
  const CliResult again = PrintPdf("b.pdf", {"--serial", "ABC110", "--start-label", "5"});
  EXPECT_EQ(again.status, 3);
  EXPECT_EQ(again.out, "");
  const std::string who = " by " + journal::CurrentProcess().user + " on " + journal::CurrentProcess().host;
  EXPECT_EQ(FirstLine(again.err), "vantor: ABC110 to ABC129 were printed on " +
                                      journal::FormatMinute(Jobs().back().startedAt) + who + " to the PDF file " +
                                      File("a.pdf"));
  EXPECT_NE(again.err.find("give --reprint to print them again deliberately"), std::string::npos) << again.err;
  EXPECT_FALSE(fs::exists(File("b.pdf")));
  ASSERT_EQ(Jobs().size(), 1u) << "a refused job leaves no record";

  const CliResult reprint = PrintPdf("b.pdf", {"--serial", "ABC110", "--start-label", "5", "--reprint"});
  ASSERT_EQ(reprint.status, 0) << reprint.err;
  EXPECT_TRUE(fs::exists(File("b.pdf")));

  const std::vector<TJobRecord> jobs = Jobs();  // newest first
  ASSERT_EQ(jobs.size(), 2u);
  const TJobRecord& printed = jobs[1];
  const TJobRecord& reprinted = jobs[0];
  EXPECT_FALSE(printed.reprint);
  EXPECT_TRUE(reprinted.reprint);
  for (const TJobRecord* job : {&printed, &reprinted}) {
    EXPECT_EQ(job->outcome, TJobOutcome::Printed);
    EXPECT_EQ(job->family, journal::TTapeFamily::Dlt);
    EXPECT_EQ(job->media, "standard");
    EXPECT_EQ(job->output, journal::TOutputKind::Pdf);
  }
  EXPECT_EQ(printed.target, File("a.pdf"));
  EXPECT_EQ(printed.RangesIn(TPieceState::Sent), (std::vector<journal::TSerialRange>{{"ABC", 3, 100, 129}}));
  EXPECT_EQ(reprinted.RangesIn(TPieceState::Sent), (std::vector<journal::TSerialRange>{{"ABC", 3, 110, 135}}));

  // A reprint is recorded as one: printing over it is explained as such.
  const CliResult third = PrintPdf("c.pdf", {"--serial", "ABC130", "--media", "dlt4"});
  EXPECT_EQ(third.status, 3);
  EXPECT_NE(third.err.find("ABC130 to ABC135 were reprinted on "), std::string::npos) << third.err;
}

TEST_P(JournalCli, LtoVolsersAreJournalledPageByPage) {
  const auto lto = [&](const std::string& file, std::vector<std::string> more) {
    std::vector<std::string> args{"--journal", journal_->Text(), "--lto", "--media-id",  "L8",      "--serial",
                                  "LTO100",    "--count",        "35",    "--print-pdf", File(file)};
    args.insert(args.end(), more.begin(), more.end());
    return Cli(args);
  };
  const CliResult first = lto("a.pdf", {});
  ASSERT_EQ(first.status, 0) << first.err;
  const CliResult again = lto("b.pdf", {});
  EXPECT_EQ(again.status, 3);
  EXPECT_NE(again.err.find("LTO100 to LTO134 were printed on "), std::string::npos) << again.err;
  EXPECT_FALSE(fs::exists(File("b.pdf")));
  ASSERT_EQ(lto("b.pdf", {"--reprint"}).status, 0);

  const std::vector<TJobRecord> jobs = Jobs();
  ASSERT_EQ(jobs.size(), 2u);
  EXPECT_EQ(jobs[1].family, journal::TTapeFamily::Lto);
  EXPECT_EQ(jobs[1].media, "L8");
  EXPECT_EQ(jobs[1].RangesIn(TPieceState::Sent), (std::vector<journal::TSerialRange>{{"LTO", 3, 100, 134}}));
  EXPECT_TRUE(jobs[0].reprint);
}

TEST_P(JournalCli, ListsJobsOneALine) {
  ASSERT_EQ(PrintPdf("a.pdf", {"--serial", "LST100"}).status, 0);
  ASSERT_EQ(PrintPdf("b.pdf", {"--serial", "LST500", "--media", "cleaning"}).status, 0);
  const CliResult all = Cli({"--journal-list", "--journal", journal_->Text()});
  ASSERT_EQ(all.status, 0) << all.err;
  const std::vector<TJobRecord> jobs = Jobs();
  ASSERT_EQ(jobs.size(), 2u);
  const auto line = [&](const TJobRecord& j, const std::string& serials, const std::string& media,
                        const std::string& file) {
    return std::to_string(j.id) + "\t" + journal::FormatMinute(j.startedAt) + "\t" + j.user + "\t" + j.host +
           "\tDLT\t" + media + "\t" + serials + "\tprinted\t-\tpdf\t" + File(file) + "\n";
  };
  // Cleaning media force their prefix: the serials printed are CLN500 on.
  EXPECT_EQ(all.out, line(jobs[0], "CLN500-CLN529:sent", "cleaning", "b.pdf") +
                         line(jobs[1], "LST100-LST129:sent", "standard", "a.pdf"));
  const CliResult one = Cli({"--journal-list", "--journal", journal_->Text(), "--serial", "lst129"});
  EXPECT_EQ(one.out, line(jobs[1], "LST100-LST129:sent", "standard", "a.pdf"));
  EXPECT_EQ(Cli({"--journal-list", "--journal", journal_->Text(), "--serial", "LST130"}).out, "");

  // A row another client spoilt is listed in its place; the list is whole.
  journal::testing::ExecRaw(journal_->Location(),
                            {"UPDATE job SET user_name = 'a\tb' WHERE id = " + std::to_string(jobs[1].id)});
  const CliResult spoilt = Cli({"--journal-list", "--journal", journal_->Text()});
  EXPECT_EQ(spoilt.status, 0) << spoilt.err;
  const std::string unreadable = "unreadable row " + std::to_string(jobs[1].id);
  EXPECT_EQ(spoilt.out, line(jobs[0], "CLN500-CLN529:sent", "cleaning", "b.pdf") + std::to_string(jobs[1].id) + "\t" +
                            journal::FormatMinute(jobs[1].startedAt) + "\t" + unreadable + "\t" + jobs[1].host +
                            "\tDLT\tstandard\tLST100-LST129:sent\tprinted\t-\tpdf\t" + File("a.pdf") + "\n");
  EXPECT_NE(spoilt.err.find(unreadable + ": journal job row"), std::string::npos) << spoilt.err;
}

TEST_P(JournalCli, NoJournalSaysSoFirstAndRecordsNothing) {
  ASSERT_EQ(PrintPdf("a.pdf", {"--serial", "NOJ100"}).status, 0);
  const CliResult without = Cli({"--no-journal", "--print-pdf", File("b.pdf"), "--serial", "NOJ100"});
  ASSERT_EQ(without.status, 0) << without.err;
  EXPECT_EQ(FirstLine(without.err),
            "vantor: not journalled (--no-journal): the serials are neither checked against nor recorded in the print "
            "journal");
  EXPECT_EQ(without.out, "Printed 1 sheet from NOJ100 to " + File("b.pdf") + "\n");
  EXPECT_EQ(Jobs().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Databases, JournalCli, ::testing::Values("sqlite", "postgresql"),
                         [](const ::testing::TestParamInfo<std::string>& p) { return p.param; });

// Without --journal the default journal in the user's data folder is used;
// a trace (no label) is journalled only when a journal is named.
TEST(JournalCliDefault, PdfUsesTheDataFolderTracesOnlyWhenAsked) {
  const test::TScratchDataHome data;
  QTemporaryDir dir;
  const std::string pdf = dir.filePath("a.pdf").toStdString(), trace = dir.filePath("a.trace").toStdString();
  ASSERT_EQ(Cli({"--print-trace", trace, "--serial", "DEF100"}).status, 0);
  ASSERT_EQ(Cli({"--print-trace", trace, "--serial", "DEF100"}).status, 0);
  const std::string path = journal::DefaultJournalPath();
  EXPECT_EQ(path.rfind(data.Path(), 0), 0u) << path;
  EXPECT_FALSE(fs::exists(path)) << "traces without --journal leave no journal";
  ASSERT_EQ(Cli({"--print-pdf", pdf, "--serial", "DEF100"}).status, 0);
  EXPECT_TRUE(fs::exists(path));
  EXPECT_EQ(Cli({"--print-pdf", pdf, "--serial", "DEF100"}).status, 3);
  EXPECT_EQ(Cli({"--print-trace", trace, "--serial", "DEF100", "--journal", path}).status, 3);
}

TEST(JournalCliOptions, Refusals) {
  struct Row {
    const char* name;
    std::vector<std::string> args;
    std::string message;
  };
  const Row rows[] = {
      {"both", {"--print-pdf", "x.pdf", "--journal", "j", "--no-journal"}, "give --journal or --no-journal, not both"},
      {"reprint without", {"--print-pdf", "x.pdf", "--no-journal", "--reprint"}, "--reprint needs the journal"},
      {"empty journal", {"--print-pdf", "x.pdf", "--journal", ""}, "--journal needs a file or a postgresql:// URL"},
      {"list with print", {"--journal-list", "--print-pdf", "x.pdf"}, "--journal-list goes only with"},
      {"list bad serial", {"--journal-list", "--serial", "AB-1"}, "--serial 'AB-1' is not a volume serial"},
      {"reprint alone", {"--reprint"}, "give exactly one of"},
      {"smuggled parameter",
       {"--journal-list", "--journal", "postgresql://ops@127.0.0.1/t?application_name=x%09port=1"},
       "--journal: the journal URL holds a control character"},
      {"unknown parameter",
       {"--print-pdf", "x.pdf", "--journal", "postgresql://ops@db/t?port=1"},
       "--journal: the journal URL's option 'port' is unknown"},
      {"password",
       {"--journal-list", "--journal", "postgresql://ops:TopSecret@db:x/t"},
       "--journal: the journal URL holds a password"},
      {"password in a bad URL",
       {"--journal-list", "--journal", "postgresql://ops:Top/Secret@db/t"},
       "--journal: 'postgresql://ops:***@db/t' is not a valid URL"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const CliResult result = Cli(r.args);
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find(r.message), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("Secret"), std::string::npos) << result.err;
  }
}

// A journal that cannot be used refuses the job: exit 1, the cause named,
// no output written and the journal left as it was.
class JournalCliFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    folder_ = dir_.filePath("journal").toStdString();
    fs::create_directories(folder_);
    path_ = folder_ + "/journal.sqlite";
    pdf_ = dir_.filePath("x.pdf").toStdString();
  }
  CliResult Print() { return Cli({"--journal", path_, "--print-pdf", pdf_, "--serial", "FLT100"}); }
  std::string Bytes() const {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  QTemporaryDir dir_;
  std::string folder_, path_, pdf_;
};

TEST_F(JournalCliFaults, DamagedJournal) {
  {
    std::ofstream out(path_, std::ios::binary);
    out << std::string(4096, 'x');
  }
  const std::string before = Bytes();
  const CliResult r = Print();
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("the journal file is damaged or is not a journal"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("nothing was printed"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(pdf_));
  EXPECT_EQ(Bytes(), before);
}

TEST_F(JournalCliFaults, ReadOnlyJournal) {
  ASSERT_EQ(Cli({"--journal-init", path_}).status, 0);
  ASSERT_EQ(
      Cli({"--journal", path_, "--print-pdf", dir_.filePath("first.pdf").toStdString(), "--serial", "FLT500"}).status,
      0);
  const std::string before = Bytes();
  std::string expected;
  if (geteuid() == 0) {
    // Root writes through permissions; a read-only bind mount, in a mount
    // namespace of this process's own, stops it.
    ASSERT_EQ(unshare(CLONE_NEWNS), 0);
    ASSERT_EQ(mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr), 0);
    ASSERT_EQ(mount(folder_.c_str(), folder_.c_str(), nullptr, MS_BIND, nullptr), 0);
    ASSERT_EQ(mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr), 0);
    expected = "the journal's folder is read-only";
  } else {
    fs::permissions(path_, fs::perms::owner_read);
    expected = "the journal is read-only";
  }
  const CliResult r = Print();
  // A journal one may only read is still listed.
  const CliResult listed = Cli({"--journal-list", "--journal", path_});
  if (geteuid() == 0) umount2(folder_.c_str(), MNT_DETACH);
  EXPECT_EQ(listed.status, 0) << listed.err;
  EXPECT_NE(listed.out.find("FLT500"), std::string::npos) << listed.out;
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(expected), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(pdf_));
  EXPECT_EQ(Bytes(), before);
}

TEST(JournalCliServer, UnreachableServerRefuses) {
  QTemporaryDir dir;
  const std::string pdf = dir.filePath("x.pdf").toStdString();
  // Port 1 on loopback: nothing listens there.
  const CliResult r = Cli({"--journal", "postgresql://vantor@127.0.0.1:1/none?connect_timeout=2", "--print-pdf", pdf});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("the journal server cannot be reached"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(pdf));
}

// Two vantor processes printing overlapping serials at the same moment:
// exactly one prints, the other is told and exits 3.
TEST_P(JournalCli, TwoProcessesAtOnceExactlyOneWins) {
  const QString vantor = QString::fromLocal8Bit(qgetenv("VANTOR_BUILD_DIR")) + QStringLiteral("/vantor");
  if (!QFileInfo::exists(vantor)) GTEST_SKIP() << "no vantor executable in VANTOR_BUILD_DIR";
  for (int round = 0; round < 5; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const std::string first = "TWO" + std::to_string(100 + round * 100),
                      second = "TWO" + std::to_string(120 + round * 100);
    QProcess a, b;
    for (auto [p, serial, name] : {std::tuple{&a, first, "a"}, std::tuple{&b, second, "b"}}) {
      p->start(vantor, {QStringLiteral("--journal"), QString::fromStdString(journal_->Text()),
                        QStringLiteral("--print-pdf"), QString::fromStdString(File(std::string(name) + ".pdf")),
                        QStringLiteral("--serial"), QString::fromStdString(serial)});
    }
    ASSERT_TRUE(a.waitForFinished(60000));
    ASSERT_TRUE(b.waitForFinished(60000));
    const int sa = a.exitCode(), sb = b.exitCode();
    EXPECT_TRUE((sa == 0 && sb == 3) || (sa == 3 && sb == 0))
        << sa << " " << sb << "\n"
        << a.readAllStandardError().toStdString() << b.readAllStandardError().toStdString();
    const QByteArray loserErr = (sa == 3 ? a : b).readAllStandardError();
    EXPECT_TRUE(loserErr.contains("were printed on") || loserErr.contains("reserved by a job still running"))
        << loserErr.toStdString();
    EXPECT_NE(fs::exists(File("a.pdf")), fs::exists(File("b.pdf")));
    fs::remove(File("a.pdf"));
    fs::remove(File("b.pdf"));
  }
  // Every serial recorded once: five printed jobs of 30 serials, no overlap.
  int printed = 0;
  for (const TJobRecord& job : Jobs()) printed += job.outcome == TJobOutcome::Printed;
  EXPECT_EQ(printed, 5);
}

}  // namespace
}  // namespace vantor

namespace vantor {
namespace {

// A PostgreSQL journal that wants a password the environment does not give:
// asked for on the terminal without echo; with no terminal (a script) the
// server's refusal is reported at once instead of the run waiting.
TEST(JournalCliPassword, AskedOnTheTerminalOnlyWhenThereIsOne) {
  const QString vantor = QString::fromLocal8Bit(qgetenv("VANTOR_BUILD_DIR")) + QStringLiteral("/vantor");
  if (!QFileInfo::exists(vantor)) GTEST_SKIP() << "no vantor executable in VANTOR_BUILD_DIR";
  std::ifstream in(journal::testing::PostgresDir() + "/url-password");
  std::string url;
  if (!std::getline(in, url) || url.empty())
    GTEST_SKIP() << "no PostgreSQL test server with a password role (scripts/pg-server starts one)";
  if (QStandardPaths::findExecutable(QStringLiteral("script")).isEmpty())
    GTEST_SKIP() << "no script(1) to give vantor a terminal";
  QTemporaryDir home;  // no ~/.pgpass to answer for the operator
  ASSERT_TRUE(home.isValid());
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove(QStringLiteral("PGPASSWORD"));
  env.remove(QStringLiteral("VANTOR_JOURNAL_PASSWORD"));
  env.insert(QStringLiteral("HOME"), home.path());
  {  // a journal to list (it may be there from an earlier run)
    const auto where = journal::ParseJournalLocation(url);
    ASSERT_TRUE(where.value) << where.error;
    setenv("VANTOR_JOURNAL_PASSWORD", "vantor-test", 1);
    try {
      TJournal::Create(*where.value).reset();
    } catch (const journal::TJournalError&) {
    }
    unsetenv("VANTOR_JOURNAL_PASSWORD");
  }
  const QString list = vantor + QStringLiteral(" --journal-list --journal ") + QString::fromStdString(url);
  struct TRow {
    const char* name;
    bool terminal;
    const char* answer;
    int status;
    const char* said;  // on the terminal or stderr
  } rows[] = {
      {"right_password", true, "vantor-test\n", 0, "Password for the print journal "},
      {"wrong_password", true, "guess\n", 1, "refused the password"},
      {"no_terminal", false, "", 1, "refused the password"},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    if (row.terminal) {
      p.start(QStringLiteral("script"), {QStringLiteral("-qec"), list, QStringLiteral("/dev/null")});
    } else {
      // setsid: no controlling terminal, as under cron or a CI runner.
      p.start(QStringLiteral("setsid"), {QStringLiteral("-w"), vantor, QStringLiteral("--journal-list"),
                                         QStringLiteral("--journal"), QString::fromStdString(url)});
    }
    ASSERT_TRUE(p.waitForStarted(10000));
    p.write(row.answer);
    p.closeWriteChannel();
    ASSERT_TRUE(p.waitForFinished(30000)) << "vantor waited for an answer";
    const std::string said = p.readAll().toStdString();
    EXPECT_EQ(p.exitCode(), row.status) << said;
    EXPECT_NE(said.find(row.said), std::string::npos) << said;
  }
}

}  // namespace
}  // namespace vantor

namespace vantor {
namespace {

// The real program in a scratch home: which journal it takes from the
// documented settings file, and that it makes none but by --journal-init (or
// the default one on first use); PostgreSQL runs say nothing but the cause.
TEST(JournalCliLocation, SettingsFileAndMakingJournals) {
  const QString vantor = QString::fromLocal8Bit(qgetenv("VANTOR_BUILD_DIR")) + QStringLiteral("/vantor");
  if (!QFileInfo::exists(vantor)) GTEST_SKIP() << "no vantor executable in VANTOR_BUILD_DIR";
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  const std::string root = home.path().toStdString();
  const std::string conf = root + "/config/Vantor/Vantor.conf", share = root + "/share/vantor/journal.sqlite";
  const std::string mine = root + "/mine.sqlite", pdf = root + "/out.pdf";
  const TScratchJournal pg("postgresql", false);
  struct TRow {
    const char* name;
    std::string settings;  // the settings file's text; empty: none
    std::vector<std::string> args;
    int status;
    std::string said;  // in stderr (empty: stderr must be empty)
    std::string notMade;
    bool postgres = false;
  };
  const std::vector<TRow> rows = {
      {"kept location not there",
       "[journal]\nlocation=" + share + "\n",
       {"--print-pdf", pdf, "--serial", "SET100"},
       1,
       "there is no journal here (vantor --journal-init " + share,
       root + "/share"},
      {"kept location not one",
       "[journal]\nlocation=a, b\n",
       {"--print-pdf", pdf, "--serial", "SET100"},
       1,
       "the settings file " + conf + " holds no single location in journal/location",
       root + "/data"},
      {"given and not there",
       "",
       {"--journal", mine, "--print-pdf", pdf, "--serial", "SET100"},
       1,
       "there is no journal here",
       mine},
      {"listed and not there", "", {"--journal-list", "--journal", mine}, 1, "there is no journal here", mine},
      {"made", "", {"--journal-init", mine}, 0, "", ""},
      {"made twice", "", {"--journal-init", mine}, 1, "a file is there already", ""},
      {"kept location used",
       "[journal]\nlocation=" + mine + "\n",
       {"--print-pdf", pdf, "--serial", "SET100"},
       0,
       "",
       root + "/data"},
      {"default made on first use", "", {"--print-pdf", pdf, "--serial", "SET200"}, 0, "", ""},
      {"server schema made quietly", "", {"--journal-init", pg.Text()}, 0, "", "", true},
      {"server listed quietly", "", {"--journal-list", "--journal", pg.Text()}, 0, "", "", true},
      {"server listed quietly again", "", {"--journal-list", "--journal", pg.Text()}, 0, "", "", true},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.postgres && !pg.Ok()) continue;
    fs::remove_all(root + "/config");
    fs::remove(pdf);
    if (!row.settings.empty()) {
      fs::create_directories(fs::path(conf).parent_path());
      std::ofstream(conf) << row.settings;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/data"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess p;
    p.setProcessEnvironment(env);
    QStringList args;
    for (const std::string& a : row.args) args << QString::fromStdString(a);
    p.start(vantor, args);
    ASSERT_TRUE(p.waitForFinished(60000));
    const std::string err = p.readAllStandardError().toStdString();
    EXPECT_EQ(p.exitCode(), row.status) << err;
    if (row.said.empty()) {
      EXPECT_EQ(err, "");
    } else {
      EXPECT_NE(err.find(row.said), std::string::npos) << err;
      EXPECT_EQ(err.find('\n'), err.size() - 1) << "one line: " << err;
    }
    if (!row.notMade.empty()) {
      EXPECT_FALSE(fs::exists(row.notMade));
    }
    EXPECT_EQ(fs::exists(pdf), row.status == 0 && row.args[0] == "--print-pdf");
  }
}

}  // namespace
}  // namespace vantor
