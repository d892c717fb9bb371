// The one print job of the tests: records what it was told, keeps every
// finished page, answers the dialog as told and fails where a test asks.
#pragma once

#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "printing/PrintJob.h"
#include "printing/PrintTrace.h"
#include "surface/RecordingSurface.h"

namespace vantor::test {

inline constexpr const char* kPaperJam = "Printing on \"FakePrinter\" failed: paper jam";

// A page on a printer that can fail mid-sheet: once `failAfter` drawing
// operations are on it, the next one throws `failure`.
class FailingPage : public TRecordingSurface {
 public:
  using TRecordingSurface::TRecordingSurface;
  int failAfter = -1;  // -1: never
  std::string failure = kPaperJam;

  void Rectangle(int x1, int y1, int x2, int y2) override {
    Check();
    TRecordingSurface::Rectangle(x1, y1, x2, y2);
  }
  void FillRect(int x1, int y1, int x2, int y2) override {
    Check();
    TRecordingSurface::FillRect(x1, y1, x2, y2);
  }
  void Polygon(const std::vector<TPoint>& points) override {
    Check();
    TRecordingSurface::Polygon(points);
  }
  void TextOut(int x, int y, std::string_view text) override {
    Check();
    TRecordingSurface::TextOut(x, y, text);
  }

 private:
  void Check() const {
    if (failAfter >= 0 && static_cast<int>(Ops().size()) >= failAfter) throw std::runtime_error(failure);
  }
};

class TFakePrintJob : public TPrintJob {
 public:
  explicit TFakePrintJob(int dpi = 300) : page(dpi, dpi) {}

  // --- What the test sets ---
  bool confirm = true;              // the dialog's answer
  int failAfterOps = -1;            // each page fails once this many operations are on it
  int failOnPage = -1;              // Page() fails once this many pages are finished
  bool failAtEnd = false;           // EndDoc fails: the printer refuses the finished document
  std::string failure = kPaperJam;  // what every failure says
  TJobDestination destination;      // what Destination() answers
  // When set, "begin", "newpage", "enddoc" and "abort" go here as they are
  // called, so their order with another log's entries is seen.
  std::vector<std::string>* events = nullptr;

  // --- What the job was told ---
  int dialogs = 0, begun = 0, newPages = 0, ended = 0, aborted = 0;
  bool portrait = false;
  std::string title;
  int copies = 0;
  FailingPage page;                             // the page being drawn (kept after EndDoc)
  std::vector<std::vector<TRecordedOp>> pages;  // every finished page, in order

  bool ShowDialog() override {
    ++dialogs;
    return confirm;
  }
  void SetPortrait() override { portrait = true; }
  void SetTitle(const std::string& t) override { title = t; }
  void SetCopies(int c) override { copies = c; }
  void BeginDoc() override {
    Note("begin");
    ++begun;
    page.ClearOps();
    page.failAfter = failAfterOps;
    page.failure = failure;
  }
  TSurface& Page() override {
    if (failOnPage == static_cast<int>(pages.size())) throw std::runtime_error(failure);
    return page;
  }
  // A page of the same document: the finished one is kept, the surface starts empty.
  void NewPage() override {
    Note("newpage");
    pages.push_back(page.Ops());
    page.ClearOps();
    ++newPages;
  }
  void EndDoc() override {
    Note("enddoc");
    if (failAtEnd) throw std::runtime_error(failure);
    pages.push_back(page.Ops());
    ++ended;
  }
  void AbortDoc() override {
    Note("abort");
    ++aborted;
  }
  TJobDestination Destination() const override { return destination; }

  // Finished page `n` (0-based) as the print trace writes it, so a difference
  // shows as readable lines.
  std::string Trace(std::size_t n) const {
    std::ostringstream out;
    WritePrintTrace(out, static_cast<int>(n) + 1, pages.at(n));
    return out.str();
  }
  // Every finished page's trace; joined, they are the job's trace.
  std::vector<std::string> Traces() const {
    std::vector<std::string> all;
    for (std::size_t n = 0; n < pages.size(); ++n) all.push_back(Trace(n));
    return all;
  }
  // The trace's lines of page `n` without its "page" line.
  std::vector<std::string> TraceLines(std::size_t n) const {
    std::vector<std::string> lines;
    std::istringstream in(Trace(n));
    for (std::string line; std::getline(in, line);)
      if (line.rfind("page ", 0) != 0) lines.push_back(line);
    return lines;
  }

  // A job the code under test may own and destroy after printing that passes
  // every call on to `to`, which the test keeps.
  static std::unique_ptr<TPrintJob> Handle(std::shared_ptr<TFakePrintJob> to);

 private:
  void Note(const char* event) {
    if (events) events->push_back(event);
  }
};

namespace detail {
class TFakeJobHandle : public TPrintJob {
 public:
  explicit TFakeJobHandle(std::shared_ptr<TFakePrintJob> to) : to_(std::move(to)) {}
  bool ShowDialog() override { return to_->ShowDialog(); }
  void SetPortrait() override { to_->SetPortrait(); }
  void SetTitle(const std::string& title) override { to_->SetTitle(title); }
  void SetCopies(int copies) override { to_->SetCopies(copies); }
  void BeginDoc() override { to_->BeginDoc(); }
  TSurface& Page() override { return to_->Page(); }
  void NewPage() override { to_->NewPage(); }
  void EndDoc() override { to_->EndDoc(); }
  void AbortDoc() override { to_->AbortDoc(); }
  TJobDestination Destination() const override { return to_->Destination(); }

 private:
  std::shared_ptr<TFakePrintJob> to_;
};
}  // namespace detail

inline std::unique_ptr<TPrintJob> TFakePrintJob::Handle(std::shared_ptr<TFakePrintJob> to) {
  return std::make_unique<detail::TFakeJobHandle>(std::move(to));
}

}  // namespace vantor::test
