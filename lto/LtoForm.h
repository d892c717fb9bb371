// The LTO window's form without its widgets: the fields as the operator left
// them in, the run they make (or why not, beside the field at fault) out.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "lto/LtoSheet.h"
#include "templates/SheetTemplate.h"

namespace vantor {

struct TLtoFormFields {
  std::string mediaId;              // the list's choice, or the Custom field's text
  bool customMedia = false;         // Custom is chosen
  bool customMediaTouched = false;  // its field was typed in or left
  std::string firstVolser;
  bool byCount = true;  // else by the last volser
  int count = 1;
  std::string lastVolser;
  bool lastVolserTouched = false;
  const TSheetTemplate* sheet = nullptr;  // none: no template is on offer
  std::string palette;                    // a palette's name
  int startLabel = 1;
};

struct TLtoForm {
  std::optional<TLtoRun> run;
  // Why there is no run, the first reason in the order of the fields; empty
  // when there is one.
  std::string problem;
  // What stands beside each field; empty: nothing. A field just chosen and
  // still empty is not a fault to point at yet.
  std::string media, volser, range, sheet;
};

// The form's own refusals are English; `translate` gives the window's words
// for them (context kLtoFormTextContext).
inline constexpr const char* kLtoFormTextContext = "vantor::TLtoWindow";
using TLtoFormTranslate = std::function<std::string(const char* english)>;
TLtoForm EvaluateLtoForm(const TLtoFormFields& fields, const TLtoFormTranslate& translate = {});

}  // namespace vantor
