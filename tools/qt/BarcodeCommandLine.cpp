#include "tools/qt/BarcodeCommandLine.h"

#include <QCommandLineParser>
#include <algorithm>
#include <charconv>

#include "qt/CommandLine.h"
#include "surface/Text.h"

namespace vantor {

namespace {

constexpr const char* kProgram = "vantor-barcode";
constexpr int kMaxDpi = 2400;

QString TypeList() {
  QStringList names;
  for (int t = 0; t < kCodeTypeCount; ++t) {
    const std::string_view name = CodeTypeName(static_cast<btCodeTypes>(t));
    names << QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
  }
  return names.join(QStringLiteral(", "));
}

// A few words on each type for --help, in the engine's order.
constexpr const char* kTypeHelp[kCodeTypeCount] = {
    QT_TRANSLATE_NOOP("vantor::CommandLine", "7 digits and a check digit (retail goods)"),
    QT_TRANSLATE_NOOP("vantor::CommandLine", "12 digits and a check digit; add-on possible"),
    QT_TRANSLATE_NOOP("vantor::CommandLine", "11 digits and a check digit; add-on possible"),
    QT_TRANSLATE_NOOP("vantor::CommandLine", "6 digits and a check digit (short UPC)"),
    QT_TRANSLATE_NOOP("vantor::CommandLine", "0-9, A-Z, space and - . $ / + %; the tape labels' code"),
    QT_TRANSLATE_NOOP("vantor::CommandLine", "Interleaved 2 of 5: digits; a check digit evens an odd count"),
    QT_TRANSLATE_NOOP("vantor::CommandLine", "the same with the postal check digit"),
    QT_TRANSLATE_NOOP("vantor::CommandLine", "Code 128 from set A: capitals, digits, signs; a-z as controls"),
    QT_TRANSLATE_NOOP("vantor::CommandLine", "Code 128 from set B: printable ASCII"),
    QT_TRANSLATE_NOOP("vantor::CommandLine", "Code 128 from set C: digits in pairs"),
    QT_TRANSLATE_NOOP("vantor::CommandLine", "digits and the MSI check digit"),
    QT_TRANSLATE_NOOP("vantor::CommandLine", "0-9 and - $ : / . +; A-D start and stop"),
    QT_TRANSLATE_NOOP("vantor::CommandLine", "US ZIP code: 5, 9 or 11 digits and a check digit"),
    QT_TRANSLATE_NOOP("vantor::CommandLine", "US facing identification mark: A, B or C"),
};

// The types section of --help: one line each, the descriptions aligned.
QString TypeHelp() {
  int width = 0;
  for (int t = 0; t < kCodeTypeCount; ++t)
    width = std::max(width, static_cast<int>(CodeTypeName(static_cast<btCodeTypes>(t)).size()));
  QString text =
      Tr(QT_TRANSLATE_NOOP("vantor::CommandLine", "Barcode types (--type takes any case):")) + QLatin1Char('\n');
  for (int t = 0; t < kCodeTypeCount; ++t) {
    const std::string_view name = CodeTypeName(static_cast<btCodeTypes>(t));
    text += QStringLiteral("  ") +
            QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())).leftJustified(width + 2) +
            Tr(kTypeHelp[t]) + QLatin1Char('\n');
  }
  return text;
}

void AddOptions(QCommandLineParser& p) {
  AddHelpAndVersion(p);
  const auto add = [&](const char* name, const QString& help, const char* value = nullptr) {
    p.addOption(QCommandLineOption(QString::fromLatin1(name), help, value ? Tr(value) : QString()));
  };
  add("type", Tr(QT_TRANSLATE_NOOP("vantor::CommandLine", "Barcode type: %1.")).arg(TypeList()),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "TYPE"));
  add("data",
      Tr(QT_TRANSLATE_NOOP("vantor::CommandLine",
                           "The text to encode, at most 50 bytes. What the type changes is named on stderr.")),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "TEXT"));
  add("addon",
      Tr(QT_TRANSLATE_NOOP("vantor::CommandLine",
                           "EAN_13 / UPC_A add-on of 2 or 5 digits (of 3 or 4 the first 2 are kept).")),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "DIGITS"));
  add("ratio", Tr(QT_TRANSLATE_NOOP("vantor::CommandLine", "Wide to narrow ratio, 2 or 3 (default 3).")),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "2|3"));
  add("modules", Tr(QT_TRANSLATE_NOOP("vantor::CommandLine", "Print the code text and the module sequence.")));
  add("out",
      Tr(QT_TRANSLATE_NOOP(
          "vantor::CommandLine",
          "Draw the barcode into FILE (.png, .svg or .pdf) on white with a quiet zone of ten modules.")),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "FILE"));
  add("dpi", Tr(QT_TRANSLATE_NOOP("vantor::CommandLine", "Resolution of the image, 1 to 2400 (default 300).")),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "N"));
  add("module", Tr(QT_TRANSLATE_NOOP("vantor::CommandLine", "Module width class (default SC2, 0.33 mm).")),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "SC0..SC9"));
  add("height", Tr(QT_TRANSLATE_NOOP("vantor::CommandLine", "Bar height, 20 to 200 (default 100).")),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "PERCENT"));
  add("rotate", Tr(QT_TRANSLATE_NOOP("vantor::CommandLine", "Counter-clockwise turn (default 0).")),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "0|90|180|270"));
  add("zoom", Tr(QT_TRANSLATE_NOOP("vantor::CommandLine", "Exact physical module widths instead of whole pixels.")));
  add("width-reduce", Tr(QT_TRANSLATE_NOOP("vantor::CommandLine", "Every bar one pixel narrower.")));
  add("high-density", Tr(QT_TRANSLATE_NOOP("vantor::CommandLine", "Half the module width.")));
  add("no-text", Tr(QT_TRANSLATE_NOOP("vantor::CommandLine", "No human-readable line.")));
  add("font-scale", Tr(QT_TRANSLATE_NOOP("vantor::CommandLine", "Text size, 20 to 200 (default 100).")),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "PERCENT"));
}

std::optional<long long> ParseInteger(const std::string& s) {
  long long v = 0;
  const char* end = s.data() + s.size();
  const auto [ptr, ec] = std::from_chars(s.data(), end, v);
  if (ec != std::errc() || ptr != end || s.empty()) return std::nullopt;
  return v;
}

// "SC5" (any case) gives 5; the range is the property's to check.
std::optional<long long> ParseModuleClass(const std::string& s) {
  if (s.size() < 3 || !EqualNoCase(std::string_view(s).substr(0, 2), "SC")) return std::nullopt;
  return ParseInteger(s.substr(2));
}

// A name of a barcode type in any case, e.g. "code39".
std::optional<btCodeTypes> TypeFromName(const std::string& name) {
  for (int t = 0; t < kCodeTypeCount; ++t) {
    const std::string_view known = CodeTypeName(static_cast<btCodeTypes>(t));
    if (EqualNoCase(known, name)) return static_cast<btCodeTypes>(t);
  }
  return std::nullopt;
}

std::string OutOfRange(const char* option, long long value, long long lo, long long hi) {
  return std::string("--") + option + " must be between " + std::to_string(lo) + " and " + std::to_string(hi) +
         ", not " + std::to_string(value);
}

// Reads the options' values into `o`; the first problem, or nothing.
std::optional<std::string> ReadOptions(const QCommandLineParser& p, TBarcodeOptions& o) {
  const auto value = [&](const char* name) { return OptionValue(p, QString::fromLatin1(name)); };
  const auto isSet = [&](const char* name) { return p.isSet(QString::fromLatin1(name)); };
  const auto integer = [&](const char* name, std::optional<long long>& into) -> std::optional<std::string> {
    if (!isSet(name)) return std::nullopt;
    const std::string v = value(name);
    into = ParseInteger(v);
    if (!into) return std::string("--") + name + " needs a whole number, not '" + v + "'";
    return std::nullopt;
  };

  std::optional<long long> dpi;
  if (auto problem = integer("dpi", dpi)) return problem;
  if (dpi) {
    if (*dpi < 1 || *dpi > kMaxDpi) return OutOfRange("dpi", *dpi, 1, kMaxDpi);
    o.dpi = static_cast<int>(*dpi);
  }
  if (isSet("module")) {
    const std::string v = value("module");
    o.moduleWidth = ParseModuleClass(v);
    if (!o.moduleWidth || *o.moduleWidth < SC0 || *o.moduleWidth > SC9)
      return "--module takes SC0 .. SC9, not '" + v + "'";
  }
  // The ranges are the barcode properties' own, checked here so that a value
  // out of range is a bad command line like any other.
  if (auto problem = integer("height", o.heightPercent)) return problem;
  if (o.heightPercent && (*o.heightPercent < kMinPercent || *o.heightPercent > kMaxPercent))
    return OutOfRange("height", *o.heightPercent, kMinPercent, kMaxPercent);
  if (auto problem = integer("font-scale", o.fontScale)) return problem;
  if (o.fontScale && (*o.fontScale < kMinPercent || *o.fontScale > kMaxPercent))
    return OutOfRange("font-scale", *o.fontScale, kMinPercent, kMaxPercent);
  if (isSet("rotate")) {
    const std::string v = value("rotate");
    const char* const turns[] = {"0", "90", "180", "270"};
    const auto* it = std::find(std::begin(turns), std::end(turns), v);
    if (it == std::end(turns)) return "--rotate takes 0, 90, 180 or 270, not '" + v + "'";
    o.rotation = static_cast<int>(it - std::begin(turns));
  }

  if (!isSet("type") || !isSet("data")) return "--type and --data are required";
  const std::string type = value("type");
  const std::optional<btCodeTypes> code = TypeFromName(type);
  if (!code) return "unknown barcode type '" + type + "'";
  o.type = *code;
  o.data = value("data");
  if (o.data.size() > kMaxControlCaption) {
    const bool ascii =
        std::all_of(o.data.begin(), o.data.end(), [](char c) { return static_cast<unsigned char>(c) < 128; });
    const std::string size = std::to_string(o.data.size()), limit = std::to_string(kMaxControlCaption);
    return ascii ? "--data holds " + size + " characters; at most " + limit + " fit"
                 : "--data holds " + size + " bytes; at most " + limit +
                       " fit (a character outside ASCII takes 2 to 4 of them)";
  }
  if (isSet("addon") && !HasAddon(o.type))
    return "--addon needs --type EAN_13 or UPC_A; " + std::string(CodeTypeName(o.type)) + " has no add-on";
  o.addon = value("addon");
  if (isSet("ratio")) {
    const std::string ratio = value("ratio");
    if (ratio != "2" && ratio != "3") return "--ratio must be 2 or 3, not '" + ratio + "'";
    o.ratio = ratio == "2" ? Ratio_2 : Ratio_3;
  }
  o.modules = isSet("modules");
  if (!o.modules && !isSet("out")) return "nothing to do; give --modules or --out FILE";
  if (isSet("out")) {
    o.out = value("out");
    const std::optional<TImageFormat> format = ImageFormatForPath(o.out);
    if (!format) return "--out needs a file name ending in .png, .svg or .pdf, not '" + o.out + "'";
    o.format = *format;
  }
  o.zoom = isSet("zoom");
  o.widthReduce = isSet("width-reduce");
  o.highDensity = isSet("high-density");
  o.noText = isSet("no-text");
  return std::nullopt;
}

}  // namespace

TBarcodeCommandLine ParseBarcodeCommandLine(const std::vector<std::string>& args) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      Tr(QT_TRANSLATE_NOOP("vantor::CommandLine",
                           "Encodes one barcode: prints its code text and module sequence (--modules) and/or draws it\n"
                           "into an image file (--out).")));
  AddOptions(parser);
  TBarcodeCommandLine result;
  if (auto problem = ParseArguments(parser, args)) {
    result.text = CommandLineError(kProgram, *problem);
    return result;
  }
  if (parser.isSet(QStringLiteral("help"))) {
    result.action = TBarcodeCommandLine::TAction::Help;
    result.text = HelpText(
        parser,
        Tr(QT_TRANSLATE_NOOP("vantor::CommandLine",
                             "Usage: vantor-barcode --type TYPE --data TEXT (--modules | --out FILE) [options]")),
        TypeHelp() + QLatin1Char('\n') +
            Tr(QT_TRANSLATE_NOOP(
                "vantor::CommandLine",
                "Exit status: 0 done, 1 data refused or file not written, 2 bad command line or option value.\n")));
    return result;
  }
  if (parser.isSet(QStringLiteral("version"))) {
    result.action = TBarcodeCommandLine::TAction::Version;
    result.text = std::string(kProgram) + " " + VANTOR_VERSION + "\n";
    return result;
  }
  if (auto problem = ReadOptions(parser, result.options)) {
    result.text = CommandLineError(kProgram, *problem);
    return result;
  }
  result.action = TBarcodeCommandLine::TAction::Run;
  return result;
}

int RunBarcodeCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  TImageExporter* exporter) {
  const TBarcodeCommandLine command = ParseBarcodeCommandLine(args);
  switch (command.action) {
    case TBarcodeCommandLine::TAction::Run: return RunBarcode(command.options, out, err, exporter);
    case TBarcodeCommandLine::TAction::Help:
    case TBarcodeCommandLine::TAction::Version: out << command.text; return 0;
    case TBarcodeCommandLine::TAction::Error: break;
  }
  err << command.text << '\n';
  return 2;
}

}  // namespace vantor
