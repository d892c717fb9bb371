// vantor's headless printing: sheets to a PDF, a named printer or a trace,
// with the window's choices given as options. The command line is read in
// app/cli/ (the DLT options: dlt/DltOptions.h); the jobs come from a
// factory, since PDF and printer jobs draw through Qt.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "colors/ColorSchemes.h"
#include "dlt/DltRun.h"
#include "dlt/LabelState.h"
#include "dlt/Sheet.h"
#include "printing/HeadlessRun.h"

namespace vantor {

// A DLT run's options: the shared ones (output, start label, calibration
// page, reprint, progress) and the sheets'.
struct TPrintOptions : TRunOptions {
  TMediaMode mediaMode = TMediaMode::Standard3of9;
  std::optional<std::string> serial;  // as typed; empty: the media kind's default
  std::optional<bool> rotated;        // "Rotated sequence"; empty: the media kind's start-up state
  bool colored = true;                // "Colored sequence"
  std::optional<SchemeId> scheme;
  int sheets = 1;
  // Labels in the run from the start label, the labels after them left
  // blank; the sheets are as many as they fill. Empty: whole sheets.
  std::optional<int> count;
  bool outlines = false;
};

// The makers --maker takes and the media kinds --media takes, in the window's
// order; a maker with media kinds takes them all, the first when none is given.
struct TMediaChoice {
  const char* maker;
  const char* media;  // empty: the maker has no media kinds
  TMediaMode mode;
};
inline constexpr TMediaChoice kMediaChoices[] = {{"standard", "", TMediaMode::Standard3of9},
                                                 {"storagetek", "dlt4", TMediaMode::StkDltIV},
                                                 {"storagetek", "dlt3xt", TMediaMode::StkDltIIIXT},
                                                 {"storagetek", "cleaning", TMediaMode::StkCleaning},
                                                 {"storagetek", "diagnostic", TMediaMode::StkDiagnostic},
                                                 {"breece", "", TMediaMode::BreeceHill},
                                                 {"other", "", TMediaMode::Other}};
inline constexpr const char* kDefaultMaker = "standard";  // the window's start-up choice
// The makers, each once, and the media kinds, in the table's order.
std::vector<std::string> MakerNames();
std::vector<std::string> MediaKindNames();

// The media mode for a maker and a media kind (empty: the maker's first, if it
// has any), or nothing when they do not go together.
std::optional<TMediaMode> MediaModeFor(const std::string& maker, const std::string& media);
// Why MediaModeFor finds nothing, naming what there is; empty when it finds one.
std::string MediaChoiceProblem(const std::string& maker, const std::string& media);

// Checks a DLT run's options before anything is opened: the calibration, the
// start label, the first serial and the run's end. The first problem, or
// nothing.
std::optional<TOptionProblem> DltOptionsProblem(const TPrintOptions& options);
// The labels the run prints (the count, or sheets from the start label), and
// the sheets they fill.
int DltRunLabels(const TPrintOptions& options);
int DltRunSheets(const TPrintOptions& options);
// The most labels a DLT run may count from `startLabel`.
constexpr int DltMaxCount(int startLabel) { return kMaxSheets * kLabelsPerSheet - (startLabel - 1); }

// Exit status: 0 printed; 1 refused (a bad serial, a run past the counter's
// end) or failed (message on `err`), the journal's faults included; 2 for a
// start label or calibration out of range (the command line checks them
// first); 3 refused by the journal: serials printed before (without
// options.reprint) or held by a job still running. Nothing is printed when
// refused. With a journal the sheets' serials are reserved before anything
// prints and recorded page by page (the calibration page has none). A stop
// asked for by a signal (TStopOnSignals) ends the run at the next page, the
// job cancelled, with 128 + the signal's number.
int RunPrint(const TPrintOptions& options, TOutputFactory& factory, std::ostream& out, std::ostream& err,
             journal::TJobLog* journal = nullptr);
// The run RunPrint prints, once DltOptionsProblem finds nothing.
TDltLabelRun DltRunFor(const TPrintOptions& options);

// The caption the print command refuses a serial with, on the window and on
// the command line (there followed by the reason).
inline constexpr const char* kSequenceErrorCaption = "Error in Sequence Number";

}  // namespace vantor
