// A print job in a process of its own, for the tests that run many at once
// or kill one part-way. Says what it does on stdout, one line a step:
//   journal_test_worker race|reprint LOCATION PREFIX WIDTH FIRST LAST
//     opens the journal, says "ready", waits for stdin to close (so many start
//     at the same moment), reserves, says "won ID" or "refused", and prints
//     the whole range.
//   journal_test_worker pages LOCATION PREFIX WIDTH FIRST LAST PER_PAGE
//     reserves ("reserved ID"), then for each page says "sending A B" before
//     recording it as sending and "sent A B" once it is recorded as sent; at
//     the end "done".
//   journal_test_worker hold LOCATION PREFIX WIDTH FIRST LAST
//     reserves ("reserved ID"), waits for stdin to close, prints the whole
//     range and says "done".
// Exit status 0, 3 on a journal error (its message on stderr), 2 for bad use.
#include <unistd.h>

#include <QCoreApplication>
#include <cstdio>
#include <iostream>
#include <string>

#include "journal/qt/Journal.h"

using namespace vantor::journal;

namespace {

void Say(const std::string& line) {
  std::cout << line << '\n';
  std::cout.flush();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 7) return 2;
  const std::string mode = argv[1];
  const TParsed<TJournalLocation> where = ParseJournalLocation(argv[2]);
  if (!where.value) return 2;
  const TSerialRange range{argv[3], std::stoi(argv[4]), std::stoi(argv[5]), std::stoi(argv[6])};
  try {
    TJournal::TOptions options;
    // A wide gap between checking and recording: without the write lock, every
    // racer would find the serials free.
    if (mode == "race" || mode == "reprint") options.betweenCheckAndRecord = [] { usleep(5000); };
    auto journal = TJournal::Open(*where.value, options);
    TJobRequest request;
    request.family = TTapeFamily::Lto;
    request.media = "L6";
    request.output = TOutputKind::Trace;
    request.target = "/dev/null";
    request.ranges = {range};
    request.reprint = mode == "reprint";
    if (mode == "race" || mode == "reprint") {
      Say("ready");
      char c;
      while (read(0, &c, 1) > 0) {
      }
      const TReservation r = journal->Reserve(request);
      if (!r.Granted()) {
        Say("refused");
        return 0;
      }
      Say("won " + std::to_string(r.jobId));
      journal->MarkSending(r.jobId, range);
      journal->MarkSent(r.jobId, range);
      journal->Finish(r.jobId, TJobOutcome::Printed);
      return 0;
    }
    if (mode == "hold") {
      const TReservation r = journal->Reserve(request);
      if (!r.Granted()) return 3;
      Say("reserved " + std::to_string(r.jobId));
      char c;
      while (read(0, &c, 1) > 0) {
      }
      journal->MarkSending(r.jobId, range);
      journal->MarkSent(r.jobId, range);
      journal->Finish(r.jobId, TJobOutcome::Printed);
      Say("done");
      return 0;
    }
    if (mode != "pages" || argc < 8) return 2;
    const int per = std::stoi(argv[7]);
    const TReservation r = journal->Reserve(request);
    if (!r.Granted()) return 3;
    Say("reserved " + std::to_string(r.jobId));
    for (int first = range.first; first <= range.last; first += per) {
      TSerialRange page = range;
      page.first = first;
      page.last = std::min(range.last, first + per - 1);
      const std::string numbers = std::to_string(page.first) + " " + std::to_string(page.last);
      Say("sending " + numbers);
      journal->MarkSending(r.jobId, page);
      usleep(2000);  // the output taking the page
      journal->MarkSent(r.jobId, page);
      Say("sent " + numbers);
    }
    journal->Finish(r.jobId, TJobOutcome::Printed);
    Say("done");
  } catch (const TJournalError& e) {
    std::cerr << e.what() << '\n';
    return 3;
  }
  return 0;
}
