#include "dlt/DltJournal.h"

#include <algorithm>

#include "dlt/LabelState.h"
#include "dlt/Sheet.h"

namespace vantor {

using journal::TSerialRange;

std::string DltMediaName(TMediaMode mediaMode) {
  switch (mediaMode) {
    case TMediaMode::StkDltIV: return "dlt4";
    case TMediaMode::StkDltIIIXT: return "dlt3xt";
    case TMediaMode::StkCleaning: return "cleaning";
    case TMediaMode::StkDiagnostic: return "diagnostic";
    case TMediaMode::BreeceHill: return "breece";
    case TMediaMode::Other: return "other";
    default: return "standard";
  }
}

std::optional<TMediaMode> DltMediaMode(const std::string& name) {
  for (TMediaMode mode :
       {TMediaMode::StkDltIV, TMediaMode::StkDltIIIXT, TMediaMode::StkCleaning, TMediaMode::StkDiagnostic,
        TMediaMode::Standard3of9, TMediaMode::BreeceHill, TMediaMode::Other})
    if (DltMediaName(mode) == name) return mode;
  return std::nullopt;
}

std::optional<TPageSerials> DltPageSerials(const std::string& firstSerial, const TSheetOptions& options) {
  const int sheets = options.sheets < 1 ? 1 : options.sheets;
  const int labels = options.labels > 0 ? options.labels : JobLabels(kLabelsPerSheet, sheets, options.startLabel);
  const std::optional<TSerialRange> run = journal::RunOf(journal::TTapeFamily::Dlt, firstSerial, labels);
  if (!run) return std::nullopt;
  TPageSerials pages;
  int next = run->first;
  for (int page = 0; next <= run->last; ++page) {
    const int count = EndLabelOnPage(page, options.startLabel, options.labels, kLabelsPerSheet) -
                      FirstLabelOnPage(page, options.startLabel);
    if (count <= 0) break;
    TSerialRange r = *run;
    r.first = next;
    r.last = std::min(run->last, next + count - 1);
    pages.push_back({r});
    next = r.last + 1;
  }
  return pages;
}

}  // namespace vantor
