#include "lto/LtoForm.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace vantor::test {
namespace {

const TSheetTemplate& BuiltIn(const std::string& name) {
  for (const TSheetTemplate& t : BuiltInTemplates())
    if (t.name == name) return t;
  throw std::runtime_error("no template " + name);
}

// A form that makes a run: 30 labels from ABC100 on LTO-8 media.
TLtoFormFields ValidFields() {
  TLtoFormFields f;
  f.mediaId = "L8";
  f.firstVolser = "ABC100";
  f.count = 30;
  f.sheet = &BuiltIn("lto-a4-3x17");
  f.palette = kDefaultLtoPalette;
  return f;
}

TEST(LtoForm, ValidFieldsMakeTheRunTheyDescribe) {
  TLtoFormFields f = ValidFields();
  f.startLabel = 5;
  const TLtoForm form = EvaluateLtoForm(f);
  ASSERT_TRUE(form.run) << form.problem;
  EXPECT_EQ(form.problem, "");
  for (const std::string* shown : {&form.media, &form.volser, &form.range, &form.sheet}) EXPECT_EQ(*shown, "");
  EXPECT_EQ(form.run->mediaId, "L8");
  EXPECT_EQ(form.run->volsers.First(), "ABC100");
  EXPECT_EQ(form.run->volsers.Last(), "ABC129");
  EXPECT_EQ(form.run->sheet.name, "lto-a4-3x17");
  EXPECT_EQ(form.run->palette.name, kDefaultLtoPalette);
  EXPECT_EQ(form.run->startLabel, 5);

  f.byCount = false;
  f.lastVolser = "ABC104";
  const TLtoForm byLast = EvaluateLtoForm(f);
  ASSERT_TRUE(byLast.run) << byLast.problem;
  EXPECT_EQ(byLast.run->volsers.count, 5);
}

// Each field's refusal stands beside it and is the form's first problem; a
// field just chosen and still empty says nothing beside it yet, though there
// is no run.
TEST(LtoForm, EachFieldsRefusalStandsBesideIt) {
  TSheetTemplate narrow = BuiltIn("lto-roll-79x17");
  narrow.page = {Mm(40), Mm(17)};
  narrow.labels = {{Mm(0), Mm(0), Mm(40), Mm(17)}};
  struct Row {
    const char* name;
    std::function<void(TLtoFormFields&)> change;
    std::string TLtoForm::*beside;  // null: nothing shown anywhere
    const char* says;               // part of the form's problem
  };
  const Row rows[] = {
      {"media ID of one character", [](TLtoFormFields& f) { f.mediaId = "Q"; }, &TLtoForm::media,
       "has 1 characters; it needs two"},
      {"custom media ID, untouched and empty",
       [](TLtoFormFields& f) {
         f.customMedia = true;
         f.mediaId = "";
       },
       nullptr, "The media ID"},
      {"custom media ID, left empty",
       [](TLtoFormFields& f) {
         f.customMedia = f.customMediaTouched = true;
         f.mediaId = "";
       },
       &TLtoForm::media, "The media ID"},
      {"short volser", [](TLtoFormFields& f) { f.firstVolser = "ABC10"; }, &TLtoForm::volser,
       "has 5 characters; it needs six"},
      {"volser with a dash", [](TLtoFormFields& f) { f.firstVolser = "AB-100"; }, &TLtoForm::volser,
       "holds \"-\" at position 3"},
      {"carry", [](TLtoFormFields& f) { f.firstVolser = "ABC990"; }, &TLtoForm::range,
       "A run of 30 labels from ABC990 would need volsers past ABC999. The last first volser that still fits is "
       "ABC970."},
      {"last before first",
       [](TLtoFormFields& f) {
         f.byCount = false;
         f.lastVolser = "ABC099";
       },
       &TLtoForm::range, "comes before the first"},
      {"last volser, untouched and empty", [](TLtoFormFields& f) { f.byCount = false; }, nullptr, ""},
      {"no template", [](TLtoFormFields& f) { f.sheet = nullptr; }, &TLtoForm::sheet, "No template is on offer."},
      {"template too small", [&narrow](TLtoFormFields& f) { f.sheet = &narrow; }, &TLtoForm::sheet,
       "At 300 dpi a label of 40 x 17 mm cannot hold the LTO barcode"},
      {"no palette", [](TLtoFormFields& f) { f.palette = "mauve"; }, &TLtoForm::range, "Choose a palette."},
      {"start label off the template", [](TLtoFormFields& f) { f.startLabel = 52; }, &TLtoForm::range, "52"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TLtoFormFields f = ValidFields();
    r.change(f);
    const TLtoForm form = EvaluateLtoForm(f);
    EXPECT_FALSE(form.run);
    EXPECT_NE(form.problem, "");
    EXPECT_NE(form.problem.find(r.says), std::string::npos) << form.problem;
    for (std::string TLtoForm::*field : {&TLtoForm::media, &TLtoForm::volser, &TLtoForm::range, &TLtoForm::sheet})
      EXPECT_EQ(form.*field, field == r.beside ? form.problem : "");
  }
}

// The form's own refusals come in the window's words; the others as made.
TEST(LtoForm, OwnRefusalsAreTranslated) {
  const TLtoFormTranslate upper = [](const char* english) { return "<" + std::string(english) + ">"; };
  TLtoFormFields f = ValidFields();
  f.sheet = nullptr;
  EXPECT_EQ(EvaluateLtoForm(f, upper).sheet, "<No template is on offer.>");
  f = ValidFields();
  f.palette = "mauve";
  EXPECT_EQ(EvaluateLtoForm(f, upper).range, "<Choose a palette.>");
  f.firstVolser = "ABC10";
  EXPECT_EQ(EvaluateLtoForm(f, upper).problem.front(), 'T') << "made by the volser rules, untranslated";
}

}  // namespace
}  // namespace vantor::test
