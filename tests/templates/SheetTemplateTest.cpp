#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "templates/SheetTemplate.h"
#include "tools/ReaderUtil.h"

namespace vantor {
namespace {

const TSheetTemplate& BuiltIn(const std::string& name) {
  for (const TSheetTemplate& t : BuiltInTemplates())
    if (t.name == name) return t;
  ADD_FAILURE() << "no built-in template " << name;
  static const TSheetTemplate none;
  return none;
}

TEST(BuiltInTemplates, GeometryAsTheStockIs) {
  struct Row {
    const char* name;
    TPageSize page;
    int labels;
    TLabelRect first, second, last;
  };
  const Row rows[] = {
      // 2 x 15 of 79 x 17 mm centred: 26 mm and 21 mm around the grid on A4.
      {"lto-a4-2x15",
       {Mm(210), Mm(297)},
       30,
       {Mm(26), Mm(21), Mm(79), Mm(17)},
       {Mm(105), Mm(21), Mm(79), Mm(17)},
       {Mm(105), Mm(259), Mm(79), Mm(17)}},
      {"lto-letter-2x15",
       {Mm(215.9), Mm(279.4)},
       30,
       {Mm(28.95), Mm(12.2), Mm(79), Mm(17)},
       {Mm(107.95), Mm(12.2), Mm(79), Mm(17)},
       {Mm(107.95), Mm(250.2), Mm(79), Mm(17)}},
      // Edge to edge across, 5 mm from the top, no gaps.
      {"lto-a4-3x17",
       {Mm(210), Mm(297)},
       51,
       {Mm(0), Mm(5), Mm(70), Mm(16.9)},
       {Mm(70), Mm(5), Mm(70), Mm(16.9)},
       {Mm(140), Mm(275.4), Mm(70), Mm(16.9)}},
      {"lto-roll-79x17", {Mm(79), Mm(17)}, 1, {Mm(0), Mm(0), Mm(79), Mm(17)}, {}, {Mm(0), Mm(0), Mm(79), Mm(17)}},
      {"dlt-a4-3x10",
       {Mm(210), Mm(297)},
       30,
       {Mm(22), Mm(34), Mm(57), Mm(21)},
       {Mm(79), Mm(34), Mm(57), Mm(21)},
       {Mm(136), Mm(223), Mm(57), Mm(21)}},
  };
  ASSERT_EQ(BuiltInTemplates().size(), std::size(rows));
  EXPECT_EQ(BuiltInTemplates().front().name, kDefaultLtoTemplate);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const TSheetTemplate& t = BuiltIn(r.name);
    EXPECT_EQ(t.page, r.page);
    ASSERT_EQ(t.LabelsPerPage(), r.labels);
    EXPECT_EQ(t.labels.front(), r.first);
    if (r.labels > 1) {
      EXPECT_EQ(t.labels[1], r.second);
    }
    EXPECT_EQ(t.labels.back(), r.last);
    EXPECT_FALSE(TemplateProblem(t, t.name).has_value()) << *TemplateProblem(t, t.name);
  }
}

TEST(BuiltInTemplates, DltSheetIsTheTapeLabelGrid) {
  const TSheetTemplate& t = BuiltIn(kDltTemplate);
  const TLabelGrid& g = kTapeLabelGrid;
  ASSERT_EQ(t.LabelsPerPage(), g.Labels());
  for (int i = 0; i < g.Labels(); ++i)
    EXPECT_EQ(t.labels[static_cast<std::size_t>(i)],
              (TLabelRect{g.left + g.pitchX * (i % g.columns), g.top + g.pitchY * (i / g.columns), g.width, g.height}))
        << "label " << i + 1;
}

TEST(TemplateGrid, FillOrder) {
  TTemplateGrid g{{Mm(100), Mm(100)}, Mm(10), Mm(5), 2, 3, Mm(1), Mm(2), Mm(20), Mm(30), TFillOrder::Columns};
  const auto labels = GridLabels(g);
  ASSERT_EQ(labels.size(), 6u);
  // Down the first column, then the next.
  EXPECT_EQ(labels[0].x, Mm(1));
  EXPECT_EQ(labels[1].x, Mm(1));
  EXPECT_EQ(labels[1].y, Mm(32));
  EXPECT_EQ(labels[2].x, Mm(21));
  EXPECT_EQ(labels[2].y, Mm(2));
  g.order = TFillOrder::Rows;
  EXPECT_EQ(GridLabels(g)[1].x, Mm(21));
  EXPECT_EQ(GridLabels(g)[1].y, Mm(2));
}

// A valid file; each refusal row changes one thing.
nlohmann::json ValidJson() {
  return nlohmann::json::parse(R"({"page": {"width_mm": 210, "height_mm": 297},
    "label": {"width_mm": 79, "height_mm": 17}, "rows": 15, "columns": 2,
    "margins": {"left_mm": 26, "top_mm": 21}, "pitch": {"across_mm": 79, "down_mm": 17},
    "fill_order": "rows"})");
}

TEST(TemplateJson, ReadsAValidFile) {
  const TTemplateParse p = ParseTemplateJson(ValidJson().dump(), "mine", "mine.json");
  ASSERT_TRUE(p.sheet) << p.problem;
  // The same labels as the built-in LTO sheet it describes.
  EXPECT_EQ(p.sheet->labels, BuiltIn("lto-a4-2x15").labels);
  EXPECT_EQ(p.sheet->page, BuiltIn("lto-a4-2x15").page);
  EXPECT_EQ(p.sheet->name, "mine");
  EXPECT_EQ(p.sheet->file, "mine.json");
}

TEST(TemplateJson, RefusalsNameTheFileAndTheField) {
  using Json = nlohmann::json;
  struct Row {
    const char* name;
    std::function<void(Json&)> change;
    std::vector<std::string> says;  // every piece appears in the message
  };
  const Row rows[] = {
      {"missing page", [](Json& j) { j.erase("page"); }, {"\"page\" is missing"}},
      {"missing label height", [](Json& j) { j["label"].erase("height_mm"); }, {"\"label.height_mm\" is missing"}},
      {"missing rows", [](Json& j) { j.erase("rows"); }, {"\"rows\" is missing"}},
      {"missing columns", [](Json& j) { j.erase("columns"); }, {"\"columns\" is missing"}},
      {"missing margins", [](Json& j) { j.erase("margins"); }, {"\"margins\" is missing"}},
      {"missing top margin", [](Json& j) { j["margins"].erase("top_mm"); }, {"\"margins.top_mm\" is missing"}},
      {"missing pitch", [](Json& j) { j.erase("pitch"); }, {"\"pitch\" is missing"}},
      {"missing fill order", [](Json& j) { j.erase("fill_order"); }, {"\"fill_order\" is missing"}},
      {"zero label width", [](Json& j) { j["label"]["width_mm"] = 0; }, {"\"label.width_mm\" must be above 0"}},
      {"negative page height", [](Json& j) { j["page"]["height_mm"] = -1; }, {"\"page.height_mm\" must be above 0"}},
      {"zero pitch", [](Json& j) { j["pitch"]["down_mm"] = 0; }, {"\"pitch.down_mm\" must be above 0"}},
      {"below a micrometre",
       [](Json& j) { j["label"]["height_mm"] = 0.0001; },
       {"\"label.height_mm\" must be above 0"}},
      {"no rows", [](Json& j) { j["rows"] = 0; }, {"\"rows\" must be at least 1"}},
      {"fractional columns", [](Json& j) { j["columns"] = 1.5; }, {"\"columns\" must be a whole number"}},
      {"text for a length", [](Json& j) { j["page"]["width_mm"] = "210"; }, {"\"page.width_mm\" must be a number"}},
      {"huge length", [](Json& j) { j["page"]["width_mm"] = 1e300; }, {"\"page.width_mm\" is too large"}},
      {"negative margin", [](Json& j) { j["margins"]["left_mm"] = -2; }, {"\"margins.left_mm\" must not be below 0"}},
      {"bad fill order", [](Json& j) { j["fill_order"] = "diagonal"; }, {"\"fill_order\" must be"}},
      {"page not an object", [](Json& j) { j["page"] = 5; }, {"\"page\" must be an object"}},
      {"off the right edge",
       [](Json& j) { j["margins"]["left_mm"] = 60; },
       {"label 2 (row 1, column 2)", "right edge", "\"margins\"", "\"pitch\""}},
      {"off the bottom", [](Json& j) { j["rows"] = 17; }, {"label 33 (row 17, column 1)", "bottom edge (297 mm)"}},
      {"overlap across",
       [](Json& j) { j["pitch"]["across_mm"] = 70; },
       {"overlap", "\"pitch.across_mm\" (70)", "\"label.width_mm\" (79)"}},
      {"overlap down", [](Json& j) { j["pitch"]["down_mm"] = 16.5; }, {"overlap", "\"pitch.down_mm\" (16.5)"}},
      {"too many labels",
       [](Json& j) {
         j["rows"] = 501;
         j["columns"] = 1;
       },
       {"\"rows\" x \"columns\"", "501 labels", "at most 500"}},
      {"too many, huge counts",
       [](Json& j) {
         j["rows"] = 4000000000u;
         j["columns"] = 4000000000u;
       },
       {"at most 500"}},
      {"not an object",
       [](Json& j) {
         j = Json::array({1, 2});
       },
       {"not a JSON object"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Json j = ValidJson();
    r.change(j);
    const TTemplateParse p = ParseTemplateJson(j.dump(), "t", "/cfg/t.json");
    EXPECT_FALSE(p.sheet.has_value());
    EXPECT_EQ(p.problem.rfind("/cfg/t.json: ", 0), 0u) << p.problem;
    for (const std::string& piece : r.says) EXPECT_NE(p.problem.find(piece), std::string::npos) << p.problem;
  }
  const TTemplateParse broken = ParseTemplateJson("{\"page\": ", "t", "t.json");
  EXPECT_FALSE(broken.sheet);
  EXPECT_EQ(broken.problem.rfind("t.json: not JSON", 0), 0u) << broken.problem;
}

TEST(TemplateJson, ExactlyFiveHundredLabelsAreAllowed) {
  nlohmann::json j = ValidJson();
  j["page"] = {{"width_mm", 1000}, {"height_mm", 1000}};
  j["label"] = {{"width_mm", 10}, {"height_mm", 10}};
  j["pitch"] = {{"across_mm", 10}, {"down_mm", 10}};
  j["margins"] = {{"left_mm", 0}, {"top_mm", 0}};
  j["rows"] = 25;
  j["columns"] = 20;
  const TTemplateParse p = ParseTemplateJson(j.dump(), "t", "t.json");
  ASSERT_TRUE(p.sheet) << p.problem;
  EXPECT_EQ(p.sheet->LabelsPerPage(), 500);
}

TEST(TemplateProblem, FindsOverlapsAnywhere) {
  TSheetTemplate t{"x",
                   "x",
                   {Mm(100), Mm(100)},
                   {{Mm(0), Mm(0), Mm(10), Mm(10)}, {Mm(50), Mm(50), Mm(10), Mm(10)}, {Mm(5), Mm(9), Mm(10), Mm(10)}},
                   ""};
  ASSERT_TRUE(TemplateProblem(t, "x"));
  EXPECT_NE(TemplateProblem(t, "x")->find("labels 1 and 3 overlap"), std::string::npos) << *TemplateProblem(t, "x");
  t.labels[2].y = Mm(10);  // touching edges do not overlap
  EXPECT_FALSE(TemplateProblem(t, "x"));
}

class UserTemplates : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& text) {
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ / name) << text;
  }
  testing::ScratchDir dir_;
  std::filesystem::path folder_ = dir_.path() / "vantor" / "templates";
};

TEST_F(UserTemplates, ValidOnesOfferedRefusedOnesNamed) {
  Write("b-stock.json", ValidJson().dump());
  nlohmann::json broken = ValidJson();
  broken["label"].erase("width_mm");
  Write("a-broken.json", broken.dump());
  Write("lto-a4-2x15.json", ValidJson().dump());  // a built-in's name
  Write("notes.txt", "not a template");
  const TTemplateCatalogue c = LoadTemplateCatalogue(folder_);
  ASSERT_EQ(c.templates.size(), BuiltInTemplates().size() + 1);
  EXPECT_EQ(c.templates.back().name, "b-stock");
  EXPECT_EQ(c.Find("a-broken"), nullptr);
  ASSERT_EQ(c.problems.size(), 2u);
  EXPECT_NE(c.problems[0].find("a-broken.json: \"label.width_mm\" is missing"), std::string::npos) << c.problems[0];
  EXPECT_NE(c.problems[1].find("the name of a built-in template"), std::string::npos) << c.problems[1];
  ASSERT_TRUE(c.RefusalOf("a-broken"));
  EXPECT_FALSE(c.RefusalOf("b-stock"));
  EXPECT_EQ(c.Find("lto-a4-2x15")->file, "");  // the built-in one stays
}

TEST_F(UserTemplates, FolderFollowsXdgConfigHome) {
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  const std::string keep = saved ? saved : "";
  setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1);
  EXPECT_EQ(UserTemplateFolder(), folder_);
  setenv("XDG_CONFIG_HOME", "relative/path", 1);  // not absolute: ignored
  EXPECT_EQ(UserTemplateFolder(), std::filesystem::path(std::getenv("HOME")) / ".config" / "vantor" / "templates");
  if (saved)
    setenv("XDG_CONFIG_HOME", keep.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
}

TEST(DescribeTemplate, JsonHoldsPageAndLabelsInFillOrder) {
  for (const TSheetTemplate& t : BuiltInTemplates()) {
    SCOPED_TRACE(t.name);
    const nlohmann::json j = nlohmann::json::parse(DescribeTemplateJson(t));
    EXPECT_EQ(j["name"], t.name);
    EXPECT_EQ(Mm(j["page"]["width_mm"].get<double>()), t.page.width);
    EXPECT_EQ(Mm(j["page"]["height_mm"].get<double>()), t.page.height);
    ASSERT_EQ(j["labels"].size(), t.labels.size());
    for (std::size_t i = 0; i < t.labels.size(); ++i) {
      const auto& l = j["labels"][i];
      EXPECT_EQ((TLabelRect{Mm(l["x_mm"].get<double>()), Mm(l["y_mm"].get<double>()), Mm(l["width_mm"].get<double>()),
                            Mm(l["height_mm"].get<double>())}),
                t.labels[i])
          << "label " << i + 1;
    }
  }
  // A name that is not UTF-8 (from a file name) still gives valid JSON.
  TSheetTemplate odd = BuiltInTemplates().front();
  odd.name = "bad\xff\"name";
  nlohmann::json parsed;
  EXPECT_NO_THROW(parsed = nlohmann::json::parse(DescribeTemplateJson(odd)));
  EXPECT_EQ(parsed["labels"].size(), odd.labels.size());
}

TEST(MmText, ExactDecimals) {
  EXPECT_EQ(MmText(Mm(26)), "26");
  EXPECT_EQ(MmText(Mm(16.9)), "16.9");
  EXPECT_EQ(MmText(Mm(28.95)), "28.95");
  EXPECT_EQ(MmText(TLength::Um(1)), "0.001");
  EXPECT_EQ(MmText(Mm(-0.5)), "-0.5");
}

}  // namespace
}  // namespace vantor
