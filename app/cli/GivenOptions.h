// The options as Qt's parser found them, for the families to read their own
// from (printing/CommandOptions.h).
#pragma once

#include <QCommandLineParser>

#include "printing/CommandOptions.h"

namespace vantor {

class TQtGivenOptions : public TGivenOptions {
 public:
  explicit TQtGivenOptions(const QCommandLineParser& parser) : parser_(parser) {}
  bool IsSet(const char* name) const override;
  std::string Value(const char* name) const override;
  std::vector<std::string> Given() const override;
  std::optional<std::string> ReadCalibration(std::optional<TCalibration>& calibration) const override;

 private:
  const QCommandLineParser& parser_;
};

}  // namespace vantor
