// Long runs: the progress shown on a terminal, and a stop asked for by a
// signal ending the document at the next page.
#include <gtest/gtest.h>

#include <csignal>
#include <sstream>

#include "dlt/SheetFakes.h"
#include "printing/WatchedJob.h"

namespace vantor {
namespace {

using namespace std::chrono_literals;
using test::FakeJob;

// A clock that moves on by `step` every time it is read.
TWatchedJob::TClock Ticking(std::chrono::milliseconds step) {
  auto now = std::make_shared<std::chrono::steady_clock::time_point>();
  return [now, step] { return *now += step; };
}

TEST(WatchedJob, ProgressOnlyForLongRuns) {
  struct TRow {
    const char* name;
    std::chrono::milliseconds step;  // the time a page takes
    std::string shown;
  } rows[] = {
      {"quick run says nothing", 1ms, ""},
      {"long run, every page", 2s,
       "\rvantor: page 1 of 4\rvantor: page 2 of 4\rvantor: page 3 of 4\rvantor: page 4 of 4\n"},
      // Four updates a second at most; the last page is always shown.
      {"pages faster than updates", 100ms, "\rvantor: page 3 of 4\rvantor: page 4 of 4\n"},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    FakeJob inner;
    std::ostringstream progress;
    {
      TWatchedJob job(inner, 4, &progress, 250ms, Ticking(row.step));
      DrawPages(job, 4, [](TSurface&, int) {});
    }
    EXPECT_EQ(progress.str(), row.shown);
    EXPECT_EQ(inner.pages.size(), 4u);
  }
}

TEST(WatchedJob, SignalStopsAtTheNextPage) {
  for (const int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal);
    FakeJob inner;
    std::string what;
    int status = 0;
    {
      const TStopOnSignals stop;
      TWatchedJob job(inner, 5, nullptr);
      try {
        DrawPages(job, 5, [&](TSurface&, int index) {
          if (index == 1) std::raise(signal);  // during the second page
        });
      } catch (const EJobStopped& e) {
        what = e.what();
        status = e.ExitStatus();
      }
    }
    ClearStop();
    EXPECT_EQ(what, std::string("stopped by ") + (signal == SIGINT ? "SIGINT" : "SIGTERM") +
                        " before page 3 of 5; the job is cancelled");
    EXPECT_EQ(status, 128 + signal);
    EXPECT_EQ(inner.newPages, 1) << "the page under way is finished, no other begun";
    EXPECT_EQ(inner.aborted, 1) << "the document is dropped";
    EXPECT_EQ(inner.ended, 0);
  }
}

}  // namespace
}  // namespace vantor
