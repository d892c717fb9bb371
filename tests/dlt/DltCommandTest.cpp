// The headless print runner without Qt: the job comes from a fake factory, so
// what reaches the job and what the run reports can be seen directly.
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "dlt/DltCommand.h"
#include "support/FakePrintJob.h"

namespace vantor {
namespace {

// Records what the run did in the factory: the run owns the output and ends
// it before returning.
struct Recorded {
  int opened = 0;
  int dpi = 0;
  std::string target;
  bool finished = false;
  std::string trace;  // the pages drawn, as a trace
};

class FakeOutput : public TSheetOutput {
 public:
  FakeOutput(Recorded& rec, int dpi, bool finishFails) : job_(dpi), rec_(rec), finishFails_(finishFails) {}
  TPrintJob& Job() override { return job_; }
  void Finish() override {
    if (finishFails_) throw std::runtime_error("Cannot write \"x\": No space left on device");
    rec_.finished = true;
    for (const std::string& page : job_.Traces()) rec_.trace += page;
  }

 private:
  test::TFakePrintJob job_;
  Recorded& rec_;
  bool finishFails_;
};

class FakeFactory : public TOutputFactory {
 public:
  std::unique_ptr<TSheetOutput> Open(const TOutputSpec& spec, const std::optional<TPageSize>&) override {
    ++rec.opened;
    rec.dpi = OutputDpi(spec);
    rec.target = spec.target;
    if (!openFails.empty()) throw std::runtime_error(openFails);
    return std::make_unique<FakeOutput>(rec, rec.dpi ? rec.dpi : 600, finishFails);
  }
  Recorded rec;
  std::string openFails;
  bool finishFails = false;
};

struct PrintRun {
  int status;
  std::string out, err;
};

PrintRun Print(const TPrintOptions& o, FakeFactory& factory) {
  std::ostringstream out, err;
  const int status = RunPrint(o, factory, out, err);
  return {status, out.str(), err.str()};
}

TEST(PrintCommand, EachOutputGetsItsResolutionAndReport) {
  struct Row {
    const char* name;
    TOutputKind output;
    int dpi;
    int sheets;
    int expectedDpi;
    std::string out;
  };
  const Row rows[] = {
      {"PDF", TOutputKind::Pdf, 0, 2, 600, "Printed 2 sheets from ABC100 to target\n"},
      {"trace", TOutputKind::Trace, 0, 1, 300, ""},
      // A printer draws at its own resolution: the factory is given none.
      {"printer", TOutputKind::Printer, 0, 1, 0, "Printed 1 sheet from ABC100 on target\n"},
      {"PDF at a chosen resolution", TOutputKind::Pdf, 150, 1, 150, "Printed 1 sheet from ABC100 to target\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TPrintOptions o;
    o.output = row.output;
    o.target = "target";
    o.serial = "abc100";  // typed in lower case
    o.dpi = row.dpi;
    o.sheets = row.sheets;
    o.outlines = true;
    FakeFactory factory;
    const PrintRun r = Print(o, factory);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, row.out);
    EXPECT_EQ(factory.rec.dpi, row.expectedDpi);
    EXPECT_EQ(factory.rec.target, "target");
    EXPECT_TRUE(DltRunFor(o).Options().outlines);
    EXPECT_TRUE(factory.rec.finished);
    const std::string& trace = factory.rec.trace;
    EXPECT_EQ(trace.find("page " + std::to_string(row.sheets + 1)), std::string::npos);
    EXPECT_NE(trace.find("page " + std::to_string(row.sheets) + "\n"), std::string::npos);
  }
}

TEST(PrintCommand, RefusalsAndFailuresReportAndPrintNothing) {
  struct Row {
    const char* name;
    std::string serial;
    std::string openFails;
    bool finishFails;
    int opened;
    std::string err;
    int dpi = 0;
  };
  const Row rows[] = {
      {"bad serial", "12", "", false, 0, "vantor: Error in Sequence Number: the serial needs six characters, not 2\n"},
      {"no such printer", "000000", "no printer named \"Q\"", false, 1, "vantor: no printer named \"Q\"\n"},
      {"file not written", "000000", "", true, 1, "vantor: cannot write \"x\": No space left on device\n"},
      {"below 150 dpi", "000000", "", false, 0, CliLine(SheetResolutionRefusal(149, 149).value_or("?")) + "\n", 149},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TPrintOptions o;
    o.output = TOutputKind::Printer;
    o.serial = row.serial;
    o.dpi = row.dpi;
    FakeFactory factory;
    factory.openFails = row.openFails;
    factory.finishFails = row.finishFails;
    const PrintRun r = Print(o, factory);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, row.err);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(factory.rec.opened, row.opened);
    EXPECT_FALSE(factory.rec.finished);
  }
}

// Labels drawn on each page of a trace: the serial's three counter digits
// are drawn one text a digit.
std::vector<int> LabelsByPage(const std::string& trace) {
  std::vector<int> digits;
  std::istringstream lines(trace);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("page ", 0) == 0) digits.push_back(0);
    const std::size_t quote = line.find('"');
    if (line.rfind("text ", 0) == 0 && !digits.empty() && quote != std::string::npos && line.size() > quote + 2 &&
        std::isdigit(static_cast<unsigned char>(line[quote + 1])) && line[quote + 2] == '"')
      ++digits.back();
  }
  for (int& d : digits) d /= 3;
  return digits;
}

TEST(PrintCommand, ACountFillsTheSheetsItNeedsFromTheStartLabel) {
  struct Row {
    const char* name;
    int startLabel;
    int count;
    std::string serial;
    int status;
    std::vector<int> labelsByPage;
    std::string out, err;
  };
  const Row rows[] = {
      {"one label", 1, 1, "ABC100", 0, {1}, "Printed 1 sheet from ABC100 to target\n", ""},
      {"the last labels of a sheet and on", 28, 5, "ABC100", 0, {3, 2}, "Printed 2 sheets from ABC100 to target\n", ""},
      {"a whole sheet", 1, 30, "ABC100", 0, {30}, "Printed 1 sheet from ABC100 to target\n", ""},
      {"one past a sheet", 1, 31, "ABC100", 0, {30, 1}, "Printed 2 sheets from ABC100 to target\n", ""},
      {"up to the counter's end", 1, 10, "ABC990", 0, {10}, "Printed 1 sheet from ABC990 to target\n", ""},
      {"past the counter's end",
       1,
       11,
       "ABC990",
       1,
       {},
       "",
       CliLine(LabelRunRefusal("ABC990", 11).value_or("?")) + "\n"},
      {"no labels", 1, 0, "ABC100", 2, {}, "", "vantor: the count must be from 1 to 30000\n"},
      {"more than the sheets hold", 2, 30000, "ABC100", 2, {}, "", "vantor: the count must be from 1 to 29999\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TPrintOptions o;
    o.target = "target";
    o.serial = row.serial;
    o.startLabel = row.startLabel;
    o.count = row.count;
    FakeFactory factory;
    const PrintRun r = Print(o, factory);
    EXPECT_EQ(r.status, row.status);
    EXPECT_EQ(r.out, row.out);
    EXPECT_EQ(r.err, row.err);
    EXPECT_EQ(LabelsByPage(factory.rec.trace), row.labelsByPage);
    EXPECT_EQ(DltRunLabels(o), row.count);
  }
}

}  // namespace
}  // namespace vantor
