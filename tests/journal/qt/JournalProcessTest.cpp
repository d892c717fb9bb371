// The journal between processes, on both databases: many processes reserving
// overlapping serials at the same moment (exactly one wins each time, and no
// serial is ever recorded twice except as a deliberate reprint), and a job
// killed at random moments (the journal stays consistent, and the next open
// shows the job interrupted with the serials whose pages were sent).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <sstream>
#include <thread>

#include "journal/qt/Journal.h"
#include "journal/qt/JournalTestSupport.h"

namespace vantor::journal {
namespace {

using testing::TScratchJournal;

[[maybe_unused]] ::testing::Environment* const gApp =
    ::testing::AddGlobalTestEnvironment(new testing::TCoreAppEnvironment);

struct TChild {
  pid_t pid = -1;
  FILE* out = nullptr;  // the child's stdout
  int in = -1;          // the child's stdin
};

TChild Spawn(const std::vector<std::string>& args) {
  int out[2], in[2];
  // Close-on-exec: another child holding this one's stdin open would keep it
  // from ever seeing the end of it.
  if (pipe2(out, O_CLOEXEC) != 0 || pipe2(in, O_CLOEXEC) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], 1);
    dup2(in[0], 0);
    close(out[0]);
    close(out[1]);
    close(in[0]);
    close(in[1]);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(out[1]);
  close(in[0]);
  return {pid, fdopen(out[0], "r"), in[1]};
}

std::string ReadLine(FILE* f) {
  char line[256];
  if (!std::fgets(line, sizeof line, f)) return "";
  std::string s = line;
  if (!s.empty() && s.back() == '\n') s.pop_back();
  return s;
}

int Reap(TChild& c) {
  if (c.in >= 0) close(c.in);
  c.in = -1;
  int status = 0;
  waitpid(c.pid, &status, 0);
  return status;
}

std::string Worker() {
  const char* build = std::getenv("VANTOR_BUILD_DIR");
  return std::string(build && *build ? build : ".") + "/journal_test_worker";
}

class JournalProcesses : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    scratch_ = std::make_unique<TScratchJournal>(GetParam());
    if (!scratch_->Ok()) GTEST_SKIP() << scratch_->WhyNot();
    if (access(Worker().c_str(), X_OK) != 0) GTEST_SKIP() << Worker() << " is not built";
    TJournal::Open(scratch_->Location()).reset();  // the schema, before the crowd
  }
  std::unique_ptr<TScratchJournal> scratch_;
};

TEST_P(JournalProcesses, EightAtOnceOverlappingExactlyOneWinsFiftyTimes) {
  std::mt19937 random(20261209);
  constexpr int kRounds = 50, kWorkers = 8;
  int previous = -1;
  for (int round = 0; round < kRounds; ++round) {
    const int shared = 100 + round * 40;  // every worker's range holds it
    std::vector<TChild> children;
    std::vector<bool> reprint;
    for (int k = 0; k < kWorkers; ++k) {
      // In odd rounds one worker deliberately reprints the last round's shared serial.
      const bool again = k == kWorkers - 1 && previous >= 0 && round % 2 == 1;
      int first = shared - static_cast<int>(random() % 16), last = shared + static_cast<int>(random() % 16);
      if (again) first = last = previous;
      children.push_back(Spawn({Worker(), again ? "reprint" : "race", scratch_->Text(), "R", "5", std::to_string(first),
                                std::to_string(last)}));
      reprint.push_back(again);
      ASSERT_GT(children.back().pid, 0);
    }
    for (TChild& c : children) ASSERT_EQ(ReadLine(c.out), "ready") << "round " << round;
    for (TChild& c : children) {  // all go at once
      close(c.in);
      c.in = -1;
    }
    int winners = 0;
    for (std::size_t k = 0; k < children.size(); ++k) {
      const std::string said = ReadLine(children[k].out);
      const int status = Reap(children[k]);
      fclose(children[k].out);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round << " worker " << k;
      if (reprint[k]) {
        EXPECT_EQ(said.rfind("won ", 0), 0u) << "round " << round << ": the deliberate reprint said " << said;
      } else {
        winners += said.rfind("won ", 0) == 0 ? 1 : 0;
        EXPECT_TRUE(said == "refused" || said.rfind("won ", 0) == 0) << said;
      }
    }
    EXPECT_EQ(winners, 1) << "round " << round;
    previous = shared;
  }

  // No serial sent by two jobs unless all but one were deliberate reprints.
  auto journal = TJournal::Open(scratch_->Location());
  TJobFilter all;
  all.limit = 100000;
  const std::vector<TJobRecord> jobs = journal->List(all);
  EXPECT_TRUE(journal->Problems().empty());
  std::map<int, int> printed, reprinted;
  for (const TJobRecord& job : jobs) {
    EXPECT_EQ(job.outcome, TJobOutcome::Printed);
    for (const TSerialRange& r : job.RangesIn(TPieceState::Sent))
      for (int n = r.first; n <= r.last; ++n) ++(job.reprint ? reprinted : printed)[n];
  }
  EXPECT_EQ(jobs.size(), static_cast<std::size_t>(kRounds + kRounds / 2));
  for (const auto& [number, times] : printed) EXPECT_EQ(times, 1) << "R" << number << " printed " << times << " times";
  for (const auto& [number, times] : reprinted) EXPECT_EQ(printed[number], 1) << "R" << number;
}

// Parses "sending A B" / "sent A B" lines into ranges of prefix K, width 5.
std::vector<TSerialRange> Said(const std::vector<std::string>& lines, const std::string& word) {
  std::vector<TSerialRange> out;
  for (const std::string& line : lines) {
    std::istringstream in(line);
    std::string w;
    int a = 0, b = 0;
    if (in >> w >> a >> b && w == word) out.push_back({"K", 5, a, b});
  }
  return Merge(out);
}

bool Within(const std::vector<TSerialRange>& inner, const std::vector<TSerialRange>& outer) {
  for (const TSerialRange& r : inner) {
    bool in = false;
    for (const TSerialRange& o : outer) in = in || (Overlaps(r, o) && o.first <= r.first && r.last <= o.last);
    if (!in) return false;
  }
  return true;
}

TEST_P(JournalProcesses, KilledAtRandomMomentsLosesAndInventsNothing) {
  std::mt19937 random(1209);
  constexpr int kRuns = 16, kSerials = 60, kPerPage = 10;
  double wholeMs = 0;
  int interrupted = 0, finished = 0;
  for (int run = 0; run < kRuns; ++run) {
    const int base = run * 100;
    TChild child = Spawn({Worker(), "pages", scratch_->Text(), "K", "5", std::to_string(base),
                          std::to_string(base + kSerials - 1), std::to_string(kPerPage)});
    ASSERT_GT(child.pid, 0);
    const auto start = std::chrono::steady_clock::now();
    if (run == 0) {
      Reap(child);  // the first run whole: how long one takes
      wholeMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    } else {
      std::this_thread::sleep_for(std::chrono::microseconds(random() % static_cast<unsigned>(wholeMs * 1000 + 1)));
      kill(child.pid, SIGKILL);
      Reap(child);
    }
    std::vector<std::string> lines;
    for (std::string line = ReadLine(child.out); !line.empty(); line = ReadLine(child.out)) lines.push_back(line);
    fclose(child.out);

    auto journal = TJournal::Open(scratch_->Location());
    TJobFilter filter;
    filter.serial = SerialAt({"K", 5, base, base}, base);
    const std::vector<TJobRecord> jobs = journal->List(filter);
    ASSERT_TRUE(journal->Problems().empty()) << journal->Problems()[0];
    ASSERT_LE(jobs.size(), 1u) << "run " << run;
    const bool done = !lines.empty() && lines.back() == "done";
    if (jobs.empty()) {  // killed before the reservation was committed
      EXPECT_TRUE(lines.empty()) << "run " << run << ": " << lines[0];
      continue;
    }
    const TJobRecord& job = jobs[0];
    EXPECT_FALSE(IsRunning(job.outcome)) << "run " << run;
    if (done) {
      EXPECT_EQ(job.outcome, TJobOutcome::Printed) << "run " << run;
    }
    if (job.outcome == TJobOutcome::Interrupted) {
      ++interrupted;
      ASSERT_EQ(journal->Interrupted().size(), 1u) << "run " << run;
      EXPECT_EQ(journal->Interrupted()[0].id, job.id);
    } else {
      ++finished;
      EXPECT_EQ(job.outcome, TJobOutcome::Printed) << "run " << run;
    }
    // Every serial is in exactly one state, none left reserved.
    std::vector<TSerialRange> all;
    for (const TRangePiece& p : job.pieces) all.push_back(p.range);
    EXPECT_EQ(Merge(all), (std::vector<TSerialRange>{{"K", 5, base, base + kSerials - 1}})) << "run " << run;
    EXPECT_TRUE(job.RangesIn(TPieceState::Reserved).empty()) << "run " << run;
    // Nothing lost: every page confirmed as sent is recorded as sent.
    EXPECT_TRUE(Within(Said(lines, "sent"), job.RangesIn(TPieceState::Sent))) << "run " << run;
    // Nothing invented: what is recorded as (maybe) printed was handed over.
    std::vector<TSerialRange> taken = job.RangesIn(TPieceState::Sent);
    for (const TSerialRange& r : job.RangesIn(TPieceState::Sending)) taken.push_back(r);
    EXPECT_TRUE(Within(Merge(taken), Said(lines, "sending"))) << "run " << run;
    // The next job over the same serials is told about exactly what was taken.
    const auto conflicts = journal->Check({{"K", 5, base, base + kSerials - 1}});
    int conflicting = 0;
    for (const TConflict& c : conflicts) conflicting += c.serials.Count();
    int takenCount = 0;
    for (const TSerialRange& r : Merge(taken)) takenCount += r.Count();
    EXPECT_EQ(conflicting, takenCount) << "run " << run;
  }
  EXPECT_GT(finished, 0);
  std::cout << "killed runs: " << interrupted << " interrupted part-way, " << finished
            << " finished before the kill; one whole run took " << wholeMs << " ms\n";
}

// A job running in another pid namespace of this machine (a container) has
// the same host name, and its pid names another process here: it is not
// taken for dead, and it ends printed.
TEST_P(JournalProcesses, JobInAnotherPidNamespaceIsNotTakenForDead) {
  if (geteuid() != 0) GTEST_SKIP() << "a pid namespace of its own needs root (unshare --pid)";
  TChild child = Spawn({"/usr/bin/unshare", "--pid", "--fork", "--mount-proc", Worker(), "hold", scratch_->Text(), "N",
                        "5", "100", "129"});
  ASSERT_GT(child.pid, 0);
  const std::string said = ReadLine(child.out);
  ASSERT_EQ(said.rfind("reserved ", 0), 0u) << said;
  const std::int64_t id = std::stoll(said.substr(9));
  {
    auto journal = TJournal::Open(scratch_->Location());
    EXPECT_TRUE(journal->Interrupted().empty());
    EXPECT_TRUE(IsRunning(journal->Job(id)->outcome));
    EXPECT_FALSE(
        journal->Reserve({TTapeFamily::Lto, "L6", TOutputKind::Trace, "/dev/null", {{"N", 5, 129, 129}}, false, {}, {}})
            .Granted());
  }
  const int status = Reap(child);
  EXPECT_EQ(ReadLine(child.out), "done");
  fclose(child.out);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(TJournal::Open(scratch_->Location())->Job(id)->outcome, TJobOutcome::Printed);
}

INSTANTIATE_TEST_SUITE_P(Databases, JournalProcesses, ::testing::Values("sqlite", "postgresql"),
                         [](const ::testing::TestParamInfo<std::string>& p) { return p.param; });

}  // namespace
}  // namespace vantor::journal
