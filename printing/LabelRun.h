// A run of labels of either family as the print path sees it: its pages, the
// serial of each label, each page drawn on a surface, and what the journal
// records of it. The families build their runs as values from the front
// doors' choices; drawing one changes nothing outside it.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "journal/JobRecord.h"
#include "printing/JournalledJob.h"
#include "surface/Surface.h"

namespace vantor {

class TLabelRun {
 public:
  virtual ~TLabelRun() = default;

  virtual int Pages() const = 0;
  virtual int Labels() const = 0;
  // The serial label `label` (0 = the run's first) carries, as printed.
  virtual std::string SerialOf(int label) const = 0;
  // Draws page `page` (0-based) on `surface`. Pages are drawn in order from 0;
  // a run refused at the surface's resolution throws ERunRefused (or its
  // family's refusal) before anything is drawn on the first page.
  virtual void DrawPage(TSurface& surface, int page) const = 0;

  // What the journal records: the family, the media, the serials page by
  // page (empty for a run without serials, such as the calibration page).
  virtual journal::TTapeFamily Family() const = 0;
  virtual std::string Media() const = 0;
  virtual TPageSerials PageSerials() const = 0;

  // Why the run cannot print at all, before anything is opened, or nothing.
  virtual std::optional<std::string> Refusal() const { return std::nullopt; }
  // The run in the words of "Printed ... to FILE": "2 sheets from ABC100".
  virtual std::string Describe() const = 0;
  virtual std::string Title() const { return "Vantor"; }
};

// A run refused once the output's resolution is known: nothing was printed,
// so the journal's job ends cancelled.
class ERunRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace vantor
