#include "printing/qt/PrintCli.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <cctype>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "app/MediaSetup.h"
#include "colours/ColourSchemes.h"
#include "printing/HeadlessHost.h"
#include "printing/PrintTrace.h"
#include "printing/RecordingJob.h"
#include "printing/qt/QtPrintJob.h"
#include "qt/OutputFile.h"
#include "surface/RecordingSurface.h"

namespace vantor {

const char* const kPrintCliUsage =
    "usage: vantor [--print-pdf FILE | --print-trace FILE | --printer NAME]\n"
    "              [--maker standard|storagetek|breece|other] [--media dlt4|dlt3xt|cleaning|diagnostic]\n"
    "              [--serial XXXNNN] [--rotated | --upright] [--no-colour] [--scheme NAME]\n"
    "              [--sheets N] [--outlines] [--dpi N]\n"
    "Without a print option vantor opens its window.\n"
    "  --print-pdf FILE    print the sheets to a PDF file (600 dpi unless --dpi)\n"
    "  --print-trace FILE  write the drawing operations of each page instead (300 dpi unless --dpi)\n"
    "  --printer NAME      print on the named system printer, without the print dialog\n"
    "  --maker, --media    the tape library maker and StorageTek media kind (start-up: standard)\n"
    "  --serial XXXNNN     the first volume serial (default: the media kind's default)\n"
    "  --rotated/--upright \"Rotated sequence\" on or off where the maker allows it\n"
    "  --no-colour         clear \"Colored sequence\"\n"
    "  --scheme NAME       digit colour scheme by its caption, e.g. \"TAB OCR\"\n"
    "  --sheets N          N sheets, the serial continuing from sheet to sheet\n"
    "  --outlines          draw the label outlines\n"
    "  --dpi N             resolution of the PDF or trace\n";

namespace {

struct Options {
  std::string pdf, trace, printer;
  std::string maker = "standard";
  std::string media;
  std::optional<std::string> serial;
  std::optional<bool> rotated;
  bool colored = true;
  std::string scheme;
  int sheets = 1;
  bool outlines = false;
  int dpi = 0;
};

std::optional<int> ParseCount(const std::string& s, int lo, int hi) {
  if (s.empty() || s.size() > 6) return std::nullopt;
  for (char c : s)
    if (c < '0' || c > '9') return std::nullopt;
  const int v = std::stoi(s);
  if (v < lo || v > hi) return std::nullopt;
  return v;
}

// The media mode for the maker and media kind, or -1.
int MediaModeFor(const std::string& maker, const std::string& media) {
  if (maker == "storagetek") {
    static const std::map<std::string, int> kinds = {{"", mmStkDltIV},
                                                     {"dlt4", mmStkDltIV},
                                                     {"dlt3xt", mmStkDltIIIXT},
                                                     {"cleaning", mmStkCleaning},
                                                     {"diagnostic", mmStkDiagnostic}};
    const auto it = kinds.find(media);
    return it == kinds.end() ? -1 : it->second;
  }
  if (!media.empty()) return -1;
  if (maker == "standard") return mmStandard3of9;
  if (maker == "breece") return mmBreeceHill;
  if (maker == "other") return mmOther;
  return -1;
}

// A sheet job on the recording surface: one trace page a sheet.
class TTraceJob : public TRecordingJob {
 public:
  using TRecordingJob::TRecordingJob;
  void EndDoc() override { WritePrintTrace(text_, ++pages_, Recording().Ops()); }
  std::string Text() const { return text_.str(); }

 private:
  std::ostringstream text_;
  int pages_ = 0;
};

}  // namespace

bool WantsHeadlessPrint(const std::vector<std::string>& args) {
  for (const std::string& a : args)
    if (a == "--print-pdf" || a == "--print-trace" || a == "--printer" || a == "--help" || a == "-h") return true;
  return false;
}

int RunPrintCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options o;
  auto bad = [&](const std::string& what) {
    err << "vantor: " << what << '\n' << kPrintCliUsage;
    return 2;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    auto take = [&](std::string& into) {
      if (!hasValue) return false;
      into = args[++i];
      return true;
    };
    std::string v;
    if (a == "--help" || a == "-h") {
      out << kPrintCliUsage;
      return 0;
    } else if (a == "--print-pdf") {
      if (!take(o.pdf)) return bad("--print-pdf needs a file name");
    } else if (a == "--print-trace") {
      if (!take(o.trace)) return bad("--print-trace needs a file name");
    } else if (a == "--printer") {
      if (!take(o.printer)) return bad("--printer needs a printer name");
    } else if (a == "--maker") {
      if (!take(o.maker)) return bad("--maker needs a value");
    } else if (a == "--media") {
      if (!take(o.media)) return bad("--media needs a value");
      if (o.maker == "standard") o.maker = "storagetek";
    } else if (a == "--serial") {
      if (!take(v)) return bad("--serial needs a value");
      o.serial = v;
    } else if (a == "--rotated") {
      o.rotated = true;
    } else if (a == "--upright") {
      o.rotated = false;
    } else if (a == "--no-colour" || a == "--no-color") {
      o.colored = false;
    } else if (a == "--scheme") {
      if (!take(o.scheme)) return bad("--scheme needs a name");
    } else if (a == "--sheets") {
      if (!take(v)) return bad("--sheets needs a number");
      const auto n = ParseCount(v, 1, 1000);
      if (!n) return bad("--sheets must be a number from 1 to 1000, not '" + v + "'");
      o.sheets = *n;
    } else if (a == "--outlines") {
      o.outlines = true;
    } else if (a == "--dpi") {
      if (!take(v)) return bad("--dpi needs a number");
      const auto n = ParseCount(v, 72, 4800);
      if (!n) return bad("--dpi must be a number from 72 to 4800, not '" + v + "'");
      o.dpi = *n;
    } else {
      return bad("unknown option '" + a + "'");
    }
  }
  const int outputs = !o.pdf.empty() + !o.trace.empty() + !o.printer.empty();
  if (outputs != 1) return bad("give exactly one of --print-pdf, --print-trace and --printer");
  const int mode = MediaModeFor(o.maker, o.media);
  if (mode < 0) return bad("unknown maker or media kind '" + o.maker + (o.media.empty() ? "" : " " + o.media) + "'");
  std::optional<SchemeId> scheme;
  if (!o.scheme.empty()) {
    scheme = FindSchemeByCaption(o.scheme);
    if (!scheme) return bad("unknown colour scheme '" + o.scheme + "'");
  }

  THeadlessChoice choice;
  choice.mediaMode = mode;
  choice.colored = o.colored;
  choice.rotated = o.rotated.value_or(MediaSetupFor(mode).rotatedSequence.checked);
  THeadlessHost host(choice);
  if (scheme) host.State().LoadScheme(*scheme);
  if (o.serial) {
    // As the serial field takes typing: letters in upper case.
    std::string typed = *o.serial;
    for (char& c : typed) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    host.State().SetSerial(typed);
  }
  if (!host.State().CheckSequence()) {
    err << "Error in Sequence Number\n";
    return 1;
  }
  if (const auto refusal = SheetRefusal(host.State().Serial(), o.sheets)) {
    err << *refusal << '\n';
    return 1;
  }
  host.RefreshPreview();

  const TSheetLayout layout = LayoutFor(mode, host.Rotated());
  TSheetOptions options;
  options.outlines = o.outlines;
  const std::string first = host.State().Serial();
  try {
    if (!o.pdf.empty()) {
      TPdfJob job(QString::fromStdString(o.pdf), o.dpi ? o.dpi : 600);
      for (int s = 0; s < o.sheets; ++s) PrintSheet(layout, host, job, options);
      job.Finish();
      out << "Printed " << o.sheets << (o.sheets == 1 ? " sheet" : " sheets") << " from " << first << " to " << o.pdf
          << '\n';
    } else if (!o.trace.empty()) {
      TTraceJob job(o.dpi ? o.dpi : 300);
      for (int s = 0; s < o.sheets; ++s) PrintSheet(layout, host, job, options);
      const QString path = QString::fromStdString(o.trace);
      if (!CanReplaceWithFile(path)) throw std::runtime_error("Cannot write \"" + o.trace + "\": not a file");
      TWholeWrites<QSaveFile> file(path);
      const std::string text = job.Text();
      if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
          file.write(text.data(), static_cast<qint64>(text.size())) < 0 || !FlushAndCommit(file))
        throw std::runtime_error("Cannot write \"" + o.trace + "\": " + file.errorString().toStdString());
    } else {
      const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(o.printer));
      if (info.isNull()) {
        err << "vantor: no printer named \"" << o.printer << "\"\n";
        return 1;
      }
      QPrinter printer(info, QPrinter::HighResolution);
      TNamedPrinterJob job(printer, options);
      for (int s = 0; s < o.sheets; ++s) PrintSheet(layout, host, job, options);
      out << "Printed " << o.sheets << (o.sheets == 1 ? " sheet" : " sheets") << " from " << first << " on "
          << o.printer << '\n';
    }
  } catch (const std::exception& e) {
    err << "vantor: " << e.what() << '\n';
    return 1;
  }
  return 0;
}

}  // namespace vantor
