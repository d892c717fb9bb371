#include "tools/BarcodeCli.h"

#include <cstdio>

#include "barcode/BarLL.h"
#include "barcode/BarProps.h"

namespace vantor {

namespace {

constexpr const char* kUsage =
    "usage: vantor-barcode --type TYPE --data TEXT [--addon DIGITS] [--ratio 2|3] --modules\n"
    "TYPE: EAN_8 EAN_13 UPC_A UPC_E CODE39 CODE25i CODE25iP CODE128_A CODE128_B CODE128_C\n"
    "      MSI_Plessey Codabar Postnet Postnet_FIM\n";

struct Options {
  std::string type;
  std::string data;
  std::string addon;
  std::string ratio = "3";
  bool haveType = false;
  bool haveData = false;
  bool modules = false;
};

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

int RunBarcodeCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) {
        err << "vantor-barcode: option " << a << " needs a value\n" << kUsage;
        return false;
      }
      into = args[++i];
      return true;
    };
    if (a == "--type") {
      if (!value(o.type)) return 2;
      o.haveType = true;
    } else if (a == "--data") {
      if (!value(o.data)) return 2;
      o.haveData = true;
    } else if (a == "--addon") {
      if (!value(o.addon)) return 2;
    } else if (a == "--ratio") {
      if (!value(o.ratio)) return 2;
    } else if (a == "--modules") {
      o.modules = true;
    } else if (a == "--help" || a == "-h") {
      out << kUsage;
      return 0;
    } else {
      err << "vantor-barcode: unknown option '" << a << "'\n" << kUsage;
      return 2;
    }
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
  if (!o.modules) {
    err << "vantor-barcode: nothing to do; give --modules\n" << kUsage;
    return 2;
  }

  TLLBarcode bc;
  try {
    SetCaption(bc.Params, o.data);
    SetCodeAddon(bc.Params, o.addon);
    bc.Params.CodeType = *type;
    bc.Params.Ratio = o.ratio == "2" ? Ratio_2 : Ratio_3;
    bc.Encode();
  } catch (const EOverflow& e) {
    err << e.what() << '\n';
    return 1;
  }
  out << PrintableCodeText(bc.CodeText) << '\n' << bc.ModuleString() << '\n';
  return 0;
}

}  // namespace vantor
