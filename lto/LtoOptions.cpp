#include "lto/LtoOptions.h"

#include "lto/LtoLabel.h"

namespace vantor {

namespace {

std::vector<std::string> TemplateNames() {
  std::vector<std::string> names;
  for (const TSheetTemplate& t : BuiltInTemplates()) names.push_back(t.name);
  return names;
}

std::vector<std::string> PaletteNames() {
  std::vector<std::string> names;
  for (const TLtoPalette& palette : LtoPalettes()) names.push_back(palette.name);
  return names;
}

// The run's labels: the media ID, the first volser and where the run ends.
std::optional<std::string> ReadVolsers(const TGivenOptions& given, TLtoPrintOptions& o) {
  if (!given.IsSet("media-id")) return std::string("--lto needs --media-id");
  o.mediaId = given.Value("media-id");
  if (!given.IsSet("serial")) return std::string("--lto needs --serial, the first volser");
  o.serial = given.Value("serial");
  if (given.IsSet("count") && given.IsSet("last")) return std::string("give --count or --last, not both");
  if (auto problem = given.ReadCount("count", 1, 1000000, o.count, {}, 7)) return problem;
  if (given.IsSet("last")) o.last = given.Value("last");
  return std::nullopt;
}

}  // namespace

const std::vector<TOptionRow>& LtoOptionRows() {
  static const std::vector<TOptionRow> rows = {
      {"lto", nullptr,
       VANTOR_TEXT("vantor::CommandLine",
                   "Print LTO Ultrium labels: --media-id, --serial, --count or --last, --template, --palette."),
       TOptionUse::Print},
      {"media-id", VANTOR_TEXT("vantor::CommandLine", "ID"),
       VANTOR_TEXT("vantor::CommandLine", "LTO: the media ID, L1..L9, LT..LZ, M8, CU or any two characters A-Z, 0-9."),
       TOptionUse::Lto},
      {"count", VANTOR_TEXT("vantor::CommandLine", "N"),
       VANTOR_TEXT("vantor::CommandLine",
                   "The number of labels, LTO 1 to 1000000, DLT 1 to 30000 from the start label, instead of "
                   "--sheets (default: one sheet)."),
       TOptionUse::Print},
      {"last", VANTOR_TEXT("vantor::CommandLine", "VOLSER"),
       VANTOR_TEXT("vantor::CommandLine", "LTO: the last volser of the run, instead of --count."), TOptionUse::Lto},
      {"template", VANTOR_TEXT("vantor::CommandLine", "NAME"),
       VANTOR_TEXT("vantor::CommandLine",
                   "LTO: the sheet template: %1 (default lto-a4-2x15), or one of the user's; see "
                   "--list-templates."),
       TOptionUse::Lto, TemplateNames},
      {"palette", VANTOR_TEXT("vantor::CommandLine", "NAME"),
       VANTOR_TEXT("vantor::CommandLine",
                   "LTO: the cell colours: %1 (default lto; a colour scheme's caption names it too)."),
       TOptionUse::Lto, PaletteNames},
      {"list-templates", nullptr, VANTOR_TEXT("vantor::CommandLine", "List the sheet templates, one name a line."),
       TOptionUse::Any},
      {"describe-template", VANTOR_TEXT("vantor::CommandLine", "NAME"),
       VANTOR_TEXT("vantor::CommandLine", "Print a sheet template as JSON: its page and its labels in fill order."),
       TOptionUse::Any},
  };
  return rows;
}

std::optional<std::string> ReadLtoOptions(const TGivenOptions& given, TLtoPrintOptions& o) {
  if (auto problem = given.ReadCount("dpi", 72, 4800, o.dpi)) return problem;
  // Held to the template's labels a page once the template is known.
  if (auto problem =
          given.ReadCount("start-label", 1, kMaxLabelsPerPage, o.startLabel, "1 to the template's labels a page"))
    return problem;
  if (auto problem = given.ReadCalibration(o.calibration)) return problem;
  if (given.IsSet("template")) o.templateName = given.Value("template");
  // The calibration page replaces the labels: only the template's page counts.
  o.calibrationPage = given.IsSet("calibration-page");
  if (o.calibrationPage) return std::nullopt;
  if (auto problem = ReadVolsers(given, o)) return problem;
  if (given.IsSet("palette") && given.IsSet("no-colour")) return std::string("give --palette or --no-colour, not both");
  if (given.IsSet("palette")) o.palette = given.Value("palette");
  if (given.IsSet("no-colour")) o.palette = kNoColorPalette;
  return std::nullopt;
}

}  // namespace vantor
