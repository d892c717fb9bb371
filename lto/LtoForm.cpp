#include "lto/LtoForm.h"

#include "journal/SerialRange.h"
#include "lto/MediaId.h"
#include "lto/Volser.h"

namespace vantor {

TLtoForm EvaluateLtoForm(const TLtoFormFields& fields, const TLtoFormTranslate& translate) {
  const auto say = [&translate](const char* english) { return translate ? translate(english) : std::string(english); };
  // Every reason, beside its field: the media ID, the first volser, the run's
  // end, the template, then the rest.
  std::string media, volser, range, sheet, other;
  if (const auto problem = MediaIdProblem(fields.mediaId)) media = *problem;
  std::optional<TVolserRun> volsers;
  if (const auto problem = VolserProblem(fields.firstVolser)) {
    volser = *problem;
  } else {
    const TVolserRunResult r = fields.byCount ? VolserRunByCount(fields.firstVolser, fields.count)
                                              : VolserRunByLast(fields.firstVolser, fields.lastVolser);
    if (r.run)
      volsers = r.run;
    else
      range = r.refusal;
  }
  if (!fields.sheet) {
    sheet = say(VANTOR_TEXT("vantor::TLtoWindow", "No template is on offer."));
  } else if (const auto why = LtoTemplateUnusable(*fields.sheet)) {
    sheet = *why;
  }
  const TLtoPalette* palette = FindLtoPalette(fields.palette);

  TLtoForm form;
  const auto first = [&] {
    for (const std::string* s : {&media, &volser, &range, &sheet, &other})
      if (!s->empty()) return *s;
    return std::string();
  };
  if (first().empty() && volsers && fields.sheet && palette) {
    TLtoRun run{*fields.sheet, fields.mediaId, *volsers, *palette, fields.startLabel};
    if (const auto problem = LtoRunProblem(run))
      other = *problem;
    else
      form.run = std::move(run);
  } else if (first().empty()) {
    other = say(VANTOR_TEXT("vantor::TLtoWindow", "Choose a palette."));
  }
  form.problem = first();

  const bool customQuiet = fields.customMedia && !fields.customMediaTouched && fields.mediaId.empty();
  const bool lastQuiet = !fields.byCount && !fields.lastVolserTouched && fields.lastVolser.empty();
  form.media = customQuiet ? std::string() : media;
  form.volser = volser;
  form.range = lastQuiet ? std::string() : range.empty() ? other : range;
  form.sheet = sheet;
  return form;
}

}  // namespace vantor
