// A run of DLT sheets as a value: the first serial, the media and the look
// (rotated, coloured, the barcode's turn, the digit colours) captured from the
// window or the command line, and the sheets. Drawing it walks serials of its
// own, so the window's serial moves on only once the journal says the job
// ended printed (NextSerial).
#pragma once

#include <memory>
#include <string>

#include "dlt/HeadlessHost.h"
#include "dlt/Sheet.h"
#include "printing/LabelRun.h"

namespace vantor {

class TDltLabelRun : public TLabelRun {
 public:
  // `look.serial`: the run's first serial, checked (CheckSequence); the digit
  // colours from `colours`; `options` as the print dialog's Labels tab left
  // them.
  TDltLabelRun(const THeadlessChoice& look, const TColorTable& colors, const TSheetOptions& options);

  int Pages() const override;
  int Labels() const override;
  std::string SerialOf(int label) const override;
  // Not safe to call from two threads at once: the run keeps its place between pages.
  void DrawPage(TSurface& surface, int page) const override;
  journal::TTapeFamily Family() const override { return journal::TTapeFamily::Dlt; }
  std::string Media() const override;
  TPageSerials PageSerials() const override;
  std::string Describe() const override;

  const std::string& FirstSerial() const { return look_.serial; }
  const TSheetOptions& Options() const { return options_; }
  // The serial field's text once the run is printed: the serial after its
  // last label (the last one itself at 999).
  std::string NextSerial() const;

 private:
  std::unique_ptr<THeadlessHost> Fresh() const;
  // The host's serial moved on by `labels` labels, as the painter moves it.
  static void Advance(THeadlessHost& host, int labels);
  int LabelsOnPage(int page) const;

  THeadlessChoice look_;
  TColorTable colors_;
  TSheetOptions options_;
  // Where drawing left off: the host at the start of page `cursorPage_`.
  mutable std::unique_ptr<THeadlessHost> cursor_;
  mutable int cursorPage_ = -1;
};

// A reprint of `count` labels from `look.serial` onto a sheet fed again from
// label `start`, looking as `look` and `colours` say; nothing when the
// serials cannot be recorded in the journal.
std::unique_ptr<TDltLabelRun> DltReprintRun(THeadlessChoice look, const TColorTable& colors, int count, int start);

}  // namespace vantor
