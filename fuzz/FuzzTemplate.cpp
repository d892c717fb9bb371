// The template file reader on any bytes: it never crashes, and either refuses
// with a message naming the file, or gives a template that holds 1 to 500
// labels, each on the page and none overlapping another, whose description
// reads back as JSON with the same page and labels.
#include <nlohmann/json.hpp>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "templates/SheetTemplate.h"

using namespace vantor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  fuzz::Context() = std::string(text);
  const TTemplateParse parsed = ParseTemplateJson(text, "fuzz", "fuzz.json");
  if (!parsed.sheet) {
    FUZZ_CHECK(parsed.problem.rfind("fuzz.json: ", 0) == 0);
    return 0;
  }
  const TSheetTemplate& t = *parsed.sheet;
  FUZZ_CHECK(parsed.problem.empty());
  FUZZ_CHECK(t.LabelsPerPage() >= 1 && t.LabelsPerPage() <= kMaxLabelsPerPage);
  FUZZ_CHECK(!TemplateProblem(t, "fuzz.json"));
  for (const TLabelRect& r : t.labels) {
    FUZZ_CHECK(r.x >= TLength() && r.y >= TLength() && r.width > TLength() && r.height > TLength());
    FUZZ_CHECK(r.x + r.width <= t.page.width && r.y + r.height <= t.page.height);
  }
  const nlohmann::json described = nlohmann::json::parse(DescribeTemplateJson(t), nullptr, false);
  FUZZ_CHECK(!described.is_discarded());
  FUZZ_CHECK(described["labels"].size() == t.labels.size());
  FUZZ_CHECK(Mm(described["page"]["width_mm"].get<double>()) == t.page.width);
  const auto& last = described["labels"].back();
  FUZZ_CHECK(Mm(last["y_mm"].get<double>()) == t.labels.back().y);
  return 0;
}
