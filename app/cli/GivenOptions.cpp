#include "app/cli/GivenOptions.h"

#include <cmath>
#include <cstdlib>

#include "qt/CommandLine.h"

namespace vantor {

namespace {

// A whole decimal number, nothing before or after it.
std::optional<double> ParseNumber(const std::string& s) {
  if (s.empty() || s.size() > 32) return std::nullopt;
  for (char c : s)
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+')) return std::nullopt;
  char* end = nullptr;
  const double v = std::strtod(s.c_str(), &end);
  if (end != s.c_str() + s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

}  // namespace

bool TQtGivenOptions::IsSet(const char* name) const { return parser_.isSet(QString::fromLatin1(name)); }

std::string TQtGivenOptions::Value(const char* name) const { return OptionValue(parser_, QString::fromLatin1(name)); }

std::vector<std::string> TQtGivenOptions::Given() const {
  std::vector<std::string> names;
  for (const QString& name : parser_.optionNames()) names.push_back(name.toStdString());
  return names;
}

std::optional<std::string> TQtGivenOptions::ReadCalibration(std::optional<TCalibration>& calibration) const {
  struct TField {
    const char* name;
    bool offset;
    double TCalibration::*value;
  };
  const TField fields[] = {{"offset-x", true, &TCalibration::offsetXMm},
                           {"offset-y", true, &TCalibration::offsetYMm},
                           {"scale-x", false, &TCalibration::scaleX},
                           {"scale-y", false, &TCalibration::scaleY}};
  TCalibration c;
  bool given = false;
  for (const TField& f : fields) {
    const QString name = QString::fromLatin1(f.name);
    if (!parser_.isSet(name)) continue;
    given = true;
    const std::string v = OptionValue(parser_, name);
    const std::optional<double> n = ParseNumber(v);
    if (!n || !(f.offset ? OffsetUsable(*n) : ScaleUsable(*n))) {
      const QString rule = f.offset ? Tr("--%1 must be a number of millimetres from -20 to 20, not '%2'")
                                    : Tr("--%1 must be a number from 0.9 to 1.1, not '%2'");
      return rule.arg(name, QString::fromStdString(v)).toStdString();
    }
    c.*f.value = *n;
  }
  if (given) calibration = c;
  return std::nullopt;
}

}  // namespace vantor
