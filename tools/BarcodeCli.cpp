#include "tools/BarcodeCli.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <optional>

#include "barcode/BarLL.h"
#include "barcode/BarProps.h"

namespace vantor {

namespace {

// "TYPE:" and the names of the symbology table, wrapped at 86 columns.
std::string TypeList() {
  std::string list;
  std::string line = "TYPE:";
  for (int t = 0; t < kCodeTypeCount; ++t) {
    const std::string_view name = CodeTypeName(static_cast<btCodeTypes>(t));
    if (line.size() + 1 + name.size() > 86) {
      list += line + '\n';
      line = "     ";
    }
    line += ' ';
    line += name;
  }
  return list + line + '\n';
}

const std::string kUsage =
    "usage: vantor-barcode --type TYPE --data TEXT [--addon DIGITS] [--ratio 2|3]\n"
    "                      [--modules] [--out FILE.png|FILE.svg|FILE.pdf] [drawing options]\n" +
    TypeList() +
    "--modules            print the code text and the module sequence\n"
    "--out FILE           draw the barcode on a white image with a quiet zone of ten modules\n"
    "drawing options:\n"
    "  --dpi N            resolution of the image (default 300)\n"
    "  --module SC0..SC9  module width class (default SC2, 0.33 mm)\n"
    "  --height PERCENT   bar height, 20..200 (default 100)\n"
    "  --rotate 0|90|180|270  counter-clockwise turn (default 0)\n"
    "  --zoom             exact physical module widths instead of whole pixels\n"
    "  --width-reduce     every bar one pixel narrower\n"
    "  --high-density     half the module width\n"
    "  --no-text          no human-readable line\n"
    "  --font-scale PERCENT  text size, 20..200 (default 100)\n"
    "exit status: 0 done, 1 data or value refused or file not written, 2 bad command line\n";

constexpr int kMaxDpi = 2400;

struct Options {
  std::string type;
  std::string data;
  std::string addon;
  std::string ratio = "3";
  bool haveType = false;
  bool haveData = false;
  bool modules = false;
  std::string out;
  bool haveOut = false;
  int dpi = 300;
  std::optional<long long> module;
  std::optional<long long> height;
  std::optional<long long> fontScale;
  int rotation = 0;  // quarter turns
  bool zoom = false;
  bool widthReduce = false;
  bool highDensity = false;
  bool noText = false;
};

std::optional<long long> ParseInteger(const std::string& s) {
  long long v = 0;
  const char* end = s.data() + s.size();
  const auto [ptr, ec] = std::from_chars(s.data(), end, v);
  if (ec != std::errc() || ptr != end || s.empty()) return std::nullopt;
  return v;
}

// "SC5" (any case) gives 5; the range is the property's to check.
std::optional<long long> ParseModuleClass(const std::string& s) {
  if (s.size() < 3 || std::toupper(static_cast<unsigned char>(s[0])) != 'S' ||
      std::toupper(static_cast<unsigned char>(s[1])) != 'C')
    return std::nullopt;
  return ParseInteger(s.substr(2));
}

// Parses the command line; on an error writes the message and returns false.
bool Parse(const std::vector<std::string>& args, Options& o, std::ostream& err, bool& help) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string v;
    auto value = [&]() {
      if (i + 1 >= args.size()) {
        err << "vantor-barcode: option " << a << " needs a value\n" << kUsage;
        return false;
      }
      v = args[++i];
      return true;
    };
    auto integer = [&](std::optional<long long>& into) {
      if (!value()) return false;
      into = ParseInteger(v);
      if (!into) err << "vantor-barcode: " << a << " needs a whole number, not '" << v << "'\n";
      return into.has_value();
    };
    if (a == "--type") {
      if (!value()) return false;
      o.type = v;
      o.haveType = true;
    } else if (a == "--data") {
      if (!value()) return false;
      o.data = v;
      o.haveData = true;
    } else if (a == "--addon") {
      if (!value()) return false;
      o.addon = v;
    } else if (a == "--ratio") {
      if (!value()) return false;
      o.ratio = v;
    } else if (a == "--modules") {
      o.modules = true;
    } else if (a == "--out") {
      if (!value()) return false;
      o.out = v;
      o.haveOut = true;
    } else if (a == "--dpi") {
      std::optional<long long> dpi;
      if (!integer(dpi)) return false;
      if (*dpi < 1 || *dpi > kMaxDpi) {
        err << "vantor-barcode: --dpi must be between 1 and " << kMaxDpi << ", not " << *dpi << '\n';
        return false;
      }
      o.dpi = static_cast<int>(*dpi);
    } else if (a == "--module") {
      if (!value()) return false;
      o.module = ParseModuleClass(v);
      if (!o.module) {
        err << "vantor-barcode: --module takes SC0 .. SC9, not '" << v << "'\n";
        return false;
      }
    } else if (a == "--height") {
      if (!integer(o.height)) return false;
    } else if (a == "--font-scale") {
      if (!integer(o.fontScale)) return false;
    } else if (a == "--rotate") {
      if (!value()) return false;
      if (v == "0")
        o.rotation = 0;
      else if (v == "90")
        o.rotation = 1;
      else if (v == "180")
        o.rotation = 2;
      else if (v == "270")
        o.rotation = 3;
      else {
        err << "vantor-barcode: --rotate takes 0, 90, 180 or 270, not '" << v << "'\n";
        return false;
      }
    } else if (a == "--zoom") {
      o.zoom = true;
    } else if (a == "--width-reduce") {
      o.widthReduce = true;
    } else if (a == "--high-density") {
      o.highDensity = true;
    } else if (a == "--no-text") {
      o.noText = true;
    } else if (a == "--help" || a == "-h") {
      help = true;
      return true;
    } else {
      err << "vantor-barcode: unknown option '" << a << "'\n" << kUsage;
      return false;
    }
  }
  return true;
}

// The parameters through the control's own setters, so range checks and their
// messages are the ones the application shows.
void Apply(const Options& o, btCodeTypes type, TBarcodeParams& p) {
  SetCaption(p, o.data);
  SetCodeAddon(p, o.addon);
  p.CodeType = type;
  SetRatio(p, o.ratio == "2" ? Ratio_2 : Ratio_3);
  if (o.module) SetModuleWidth(p, *o.module);
  if (o.height) SetHeightPercent(p, *o.height);
  if (o.fontScale) SetFontscaling(p, *o.fontScale);
  SetRotation(p, o.rotation);
  p.ZoomSize = o.zoom;
  p.WidthReduce = o.widthReduce;
  p.HighDensity = o.highDensity;
  p.HumanReadable = !o.noText;
}

}  // namespace

std::string PrintableCodeText(const char* codeText) {
  std::string s;
  for (const char* p = codeText; *p; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c == '\\') {
      s += "\\\\";
    } else if (c >= 32 && c < 127) {
      s += static_cast<char>(c);
    } else {
      char buf[5];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      s += buf;
    }
  }
  return s;
}

int RunBarcodeCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  TImageExporter* exporter) {
  Options o;
  bool help = false;
  if (!Parse(args, o, err, help)) return 2;
  if (help) {
    out << kUsage;
    return 0;
  }
  if (!o.haveType || !o.haveData) {
    err << "vantor-barcode: --type and --data are required\n" << kUsage;
    return 2;
  }
  const std::optional<btCodeTypes> type = CodeTypeFromName(o.type);
  if (!type) {
    err << "vantor-barcode: unknown barcode type '" << o.type << "'\n" << kUsage;
    return 2;
  }
  if (o.ratio != "2" && o.ratio != "3") {
    err << "vantor-barcode: --ratio must be 2 or 3, not '" << o.ratio << "'\n";
    return 2;
  }
  if (!o.modules && !o.haveOut) {
    err << "vantor-barcode: nothing to do; give --modules or --out FILE\n" << kUsage;
    return 2;
  }
  const std::optional<TImageFormat> format = ImageFormatForPath(o.out);
  if (o.haveOut && !format) {
    err << "vantor-barcode: --out needs a file name ending in .png, .svg or .pdf, not '" << o.out << "'\n";
    return 2;
  }
  if (o.haveOut && !exporter) {
    err << "vantor-barcode: image output is not available in this build\n";
    return 2;
  }

  TLLBarcode bc;
  std::string listing;
  try {
    Apply(o, *type, bc.Params);
    bc.Encode();
    // Taken before drawing, which rewrites the code text into its display form.
    listing = PrintableCodeText(bc.CodeText) + '\n' + bc.ModuleString() + '\n';
    if (o.haveOut) {
      const std::string problem = exporter->Write(bc, o.out, *format, o.dpi);
      if (!problem.empty()) {
        err << "vantor-barcode: " << problem << '\n';
        return 1;
      }
    }
  } catch (const EOverflow& e) {
    err << e.what() << '\n';
    return 1;
  }
  if (o.modules) out << listing;
  return 0;
}

}  // namespace vantor
