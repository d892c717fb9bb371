#include "printing/WatchedJob.h"

#include <signal.h>

#include <csignal>
#include <ostream>
#include <string>

namespace vantor {

namespace {

volatile std::sig_atomic_t gStop = 0;

extern "C" void OnStopSignal(int signal) { gStop = signal; }

const char* SignalName(int signal) {
  switch (signal) {
    case SIGINT: return "SIGINT";
    case SIGTERM: return "SIGTERM";
    default: return "a signal";
  }
}

}  // namespace

int StopSignal() { return gStop; }
void ClearStop() { gStop = 0; }

struct TStopOnSignals::TSaved {
  struct sigaction interrupt {};
  struct sigaction terminate {};
};

TStopOnSignals::TStopOnSignals() : saved_(new TSaved) {
  struct sigaction stop {};
  stop.sa_handler = OnStopSignal;
  sigemptyset(&stop.sa_mask);
  // Once asked, a second signal is the default again: an operator whose run
  // does not stop can still end it.
  stop.sa_flags = SA_RESETHAND | SA_RESTART;
  sigaction(SIGINT, &stop, &saved_->interrupt);
  sigaction(SIGTERM, &stop, &saved_->terminate);
}

TStopOnSignals::~TStopOnSignals() {
  sigaction(SIGINT, &saved_->interrupt, nullptr);
  sigaction(SIGTERM, &saved_->terminate, nullptr);
  delete saved_;
}

EJobStopped::EJobStopped(int signal, int page, int pages)
    : std::runtime_error(std::string("stopped by ") + SignalName(signal) + " before page " + std::to_string(page) +
                         " of " + std::to_string(pages) + "; the job is cancelled"),
      signal_(signal) {}

TWatchedJob::TWatchedJob(TPrintJob& inner, int pages, std::ostream* progress, std::chrono::milliseconds quiet,
                         TClock clock)
    : inner_(inner), pages_(pages), progress_(progress), quiet_(quiet), clock_(std::move(clock)), start_(clock_()) {}

TWatchedJob::~TWatchedJob() {
  if (showing_) *progress_ << '\n' << std::flush;  // the next message starts on a line of its own
}

void TWatchedJob::Starting() {
  if (const int signal = StopSignal()) throw EJobStopped(signal, begun_ + 1, pages_);
  ++begun_;
}

void TWatchedJob::BeginDoc() {
  Starting();
  inner_.BeginDoc();
}

void TWatchedJob::NewPage() {
  ++done_;
  Show();
  Starting();
  inner_.NewPage();
}

void TWatchedJob::EndDoc() {
  inner_.EndDoc();
  done_ = begun_;
  Show();
}

void TWatchedJob::Show() {
  if (!progress_) return;
  const auto now = clock_();
  // Quiet for a short run; then at most four updates a second, and the last.
  if (now - start_ < quiet_ || (showing_ && done_ < pages_ && now - shown_ < std::chrono::milliseconds(250))) return;
  *progress_ << "\rvantor: page " << done_ << " of " << pages_ << std::flush;
  showing_ = true;
  shown_ = now;
}

}  // namespace vantor
