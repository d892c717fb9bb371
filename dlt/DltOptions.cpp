#include "dlt/DltOptions.h"

#include "dlt/MediaSetup.h"
#include "surface/Text.h"

namespace vantor {

namespace {

std::vector<std::string> SchemeCaptions() {
  std::vector<std::string> captions;
  for (const ColorScheme& scheme : ColorSchemes()) captions.emplace_back(scheme.caption);
  return captions;
}

// More sheets than the serial can reach are refused here, with the number
// that fits; a serial that cannot print at all is left to the print run,
// which says why.
std::optional<std::string> SheetsBeyondSerial(const TPrintOptions& o) {
  TLabelState state;
  state.SetMediaMode(o.mediaMode);
  const std::string serial = UpperCase(o.serial ? *o.serial : std::string(MediaSetupFor(o.mediaMode).serial));
  state.SetSerial(serial);
  const int fit = state.CheckSequence() ? SheetsThatFit(state.Serial(), o.startLabel) : 0;
  if (fit >= 1 && fit < o.sheets)
    return "--sheets " + std::to_string(o.sheets) + " is more than the serials from " + state.Serial() +
           " can reach: " + std::to_string(fit) + (fit == 1 ? " sheet fits" : " sheets fit") + " before " +
           state.Serial().substr(0, 3) + std::to_string(kMaxCounter);
  return std::nullopt;
}

// The maker and the media kind, a media kind alone meaning StorageTek's.
std::optional<std::string> ReadMedia(const TGivenOptions& given, TPrintOptions& o) {
  std::string maker = given.IsSet("maker") ? given.Value("maker") : kDefaultMaker;
  const std::string media = given.Value("media");
  if (given.IsSet("media") && maker == kDefaultMaker) maker = "storagetek";
  const std::optional<TMediaMode> mode = MediaModeFor(maker, media);
  if (!mode) return MediaChoiceProblem(maker, media);
  o.mediaMode = *mode;
  return std::nullopt;
}

}  // namespace

const std::vector<TOptionRow>& DltOptionRows() {
  static const std::vector<TOptionRow> rows = {
      {"maker", VANTOR_TEXT("vantor::CommandLine", "MAKER"),
       VANTOR_TEXT("vantor::CommandLine", "The tape library maker: %1 (default: standard, the start-up choice)."),
       TOptionUse::Dlt, MakerNames},
      {"media", VANTOR_TEXT("vantor::CommandLine", "KIND"),
       VANTOR_TEXT("vantor::CommandLine", "The StorageTek media kind: %1; the maker is then storagetek."),
       TOptionUse::Dlt, MediaKindNames},
      {"serial", VANTOR_TEXT("vantor::CommandLine", "XXXNNN"),
       VANTOR_TEXT("vantor::CommandLine", "The first volume serial (default: the media kind's default)."),
       TOptionUse::Print},
      {"rotated", nullptr, VANTOR_TEXT("vantor::CommandLine", "\"Rotated sequence\" on, where the maker allows it."),
       TOptionUse::Dlt},
      {"upright", nullptr, VANTOR_TEXT("vantor::CommandLine", "\"Rotated sequence\" off."), TOptionUse::Dlt},
      {"no-colour", nullptr, VANTOR_TEXT("vantor::CommandLine", "Clear \"Colored sequence\"."), TOptionUse::Print,
       nullptr, "no-color"},
      {"scheme", VANTOR_TEXT("vantor::CommandLine", "NAME"),
       VANTOR_TEXT("vantor::CommandLine", "Digit colour scheme by its caption, any case: %1."), TOptionUse::Dlt,
       SchemeCaptions},
      {"sheets", VANTOR_TEXT("vantor::CommandLine", "N"),
       VANTOR_TEXT("vantor::CommandLine", "N sheets, 1 to 1000, the serial continuing from sheet to sheet."),
       TOptionUse::Dlt},
      {"outlines", nullptr, VANTOR_TEXT("vantor::CommandLine", "Draw the label outlines."), TOptionUse::Dlt},
  };
  return rows;
}

std::optional<std::string> ReadDltOptions(const TGivenOptions& given, TPrintOptions& o) {
  if (auto problem = given.ReadCount("sheets", 1, 1000, o.sheets)) return problem;
  if (auto problem = given.ReadCount("start-label", 1, kLabelsPerSheet, o.startLabel)) return problem;
  if (given.IsSet("count") && given.IsSet("sheets")) return std::string("give --sheets or --count, not both");
  if (auto problem = given.ReadCount("count", 1, DltMaxCount(o.startLabel), o.count)) return problem;
  if (auto problem = given.ReadCalibration(o.calibration)) return problem;
  o.calibrationPage = given.IsSet("calibration-page");
  if (auto problem = given.ReadCount("dpi", 72, 4800, o.dpi)) return problem;
  if (auto problem = ReadMedia(given, o)) return problem;
  if (given.IsSet("serial")) o.serial = given.Value("serial");
  if (given.IsSet("sheets") && !o.calibrationPage)
    if (auto problem = SheetsBeyondSerial(o)) return problem;
  // The later of --rotated and --upright counts.
  for (const std::string& name : given.Given()) {
    if (name == "rotated") o.rotated = true;
    if (name == "upright") o.rotated = false;
  }
  o.colored = !given.IsSet("no-colour");
  if (const std::string caption = given.Value("scheme"); !caption.empty()) {
    o.scheme = FindSchemeByCaption(caption);
    if (!o.scheme) return "unknown colour scheme '" + caption + "'; the schemes are " + JoinNames(SchemeCaptions());
  }
  o.outlines = given.IsSet("outlines");
  return std::nullopt;
}

}  // namespace vantor
