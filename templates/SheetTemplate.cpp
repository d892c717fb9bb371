#include "templates/SheetTemplate.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace vantor {

namespace {

using Json = nlohmann::json;

constexpr TPageSize kA4 = {Mm(210), Mm(297)};
constexpr TPageSize kLetter = {Mm(215.9), Mm(279.4)};

// A grid of equal labels centred on the page, no gaps between them.
TTemplateGrid Centred(TPageSize page, TLength w, TLength h, int columns, int rows) {
  TTemplateGrid g;
  g.page = page;
  g.labelWidth = w;
  g.labelHeight = h;
  g.rows = rows;
  g.columns = columns;
  g.left = TLength::Um((page.width - w * columns).Micrometres() / 2);
  g.top = TLength::Um((page.height - h * rows).Micrometres() / 2);
  g.pitchX = w;
  g.pitchY = h;
  return g;
}

TSheetTemplate FromGrid(std::string name, std::string title, const TTemplateGrid& g) {
  return {std::move(name), std::move(title), g.page, GridLabels(g), {}};
}

std::vector<TSheetTemplate> MakeBuiltIns() {
  std::vector<TSheetTemplate> t;
  t.push_back(
      FromGrid(kDefaultLtoTemplate, "LTO, A4, 2 x 15 labels of 79 x 17 mm", Centred(kA4, Mm(79), Mm(17), 2, 15)));
  t.push_back(FromGrid("lto-letter-2x15", "LTO, US Letter, 2 x 15 labels of 79 x 17 mm",
                       Centred(kLetter, Mm(79), Mm(17), 2, 15)));
  // The common LTO stock of this size: edge to edge across, 5 mm from the top.
  TTemplateGrid stock;
  stock.page = kA4;
  stock.labelWidth = Mm(70);
  stock.labelHeight = Mm(16.9);
  stock.columns = 3;
  stock.rows = 17;
  stock.left = Mm(0);
  stock.top = Mm(5);
  stock.pitchX = Mm(70);
  stock.pitchY = Mm(16.9);
  t.push_back(FromGrid("lto-a4-3x17", "LTO, A4, 3 x 17 labels of 70 x 16.9 mm", stock));
  // Roll label printers: the page is the label.
  TTemplateGrid roll;
  roll.page = {Mm(79), Mm(17)};
  roll.labelWidth = Mm(79);
  roll.labelHeight = Mm(17);
  roll.columns = roll.rows = 1;
  roll.pitchX = Mm(79);
  roll.pitchY = Mm(17);
  t.push_back(FromGrid("lto-roll-79x17", "Roll label printer, one 79 x 17 mm label a page", roll));
  const TLabelGrid& d = kTapeLabelGrid;
  TTemplateGrid dlt;
  dlt.page = kA4;
  dlt.labelWidth = d.width;
  dlt.labelHeight = d.height;
  dlt.columns = d.columns;
  dlt.rows = d.rows;
  dlt.left = d.left;
  dlt.top = d.top;
  dlt.pitchX = d.pitchX;
  dlt.pitchY = d.pitchY;
  t.push_back(FromGrid(kDltTemplate, "DLT tape-label sheet, A4, 3 x 10 labels of 57 x 21 mm", dlt));
  return t;
}

std::string Quoted(std::string_view field) { return "\"" + std::string(field) + "\""; }

// Reading one file: the first problem ends it, named by file and field.
class TReader {
 public:
  explicit TReader(const std::string& fileName) : file_(fileName) {}

  const std::string& Problem() const { return problem_; }
  bool Failed() const { return !problem_.empty(); }
  void Fail(const std::string& text) {
    if (problem_.empty()) problem_ = file_ + ": " + text;
  }

  const Json* Member(const Json& object, const char* key, const std::string& field) {
    if (Failed()) return nullptr;
    const auto it = object.find(key);
    if (it == object.end()) {
      Fail(Quoted(field) + " is missing");
      return nullptr;
    }
    return &*it;
  }

  const Json* Object(const Json& parent, const char* key) {
    const Json* v = Member(parent, key, key);
    if (v && !v->is_object()) {
      Fail(Quoted(key) + " must be an object");
      return nullptr;
    }
    return v;
  }

  // A length in millimetres; `positive` asks for more than 0, else at least 0.
  TLength Length(const Json* parent, const char* key, const std::string& field, bool positive) {
    if (!parent) return {};
    const Json* v = Member(*parent, key, field);
    if (!v) return {};
    if (!v->is_number()) {
      Fail(Quoted(field) + " must be a number of millimetres");
      return {};
    }
    const double mm = v->get<double>();
    // Ten metres is more than any page; the bound keeps the micrometres exact.
    if (!std::isfinite(mm) || std::fabs(mm) > kMaxMm) {
      Fail(Quoted(field) + " is too large (at most " + std::to_string(static_cast<int>(kMaxMm)) + " mm)");
      return {};
    }
    const TLength length = Mm(mm);
    if (positive && length <= TLength()) Fail(Quoted(field) + " must be above 0 mm");
    if (!positive && length < TLength()) Fail(Quoted(field) + " must not be below 0 mm");
    return length;
  }

  int Count(const Json& parent, const char* key) {
    const Json* v = Member(parent, key, key);
    if (!v) return 0;
    if (!v->is_number_integer()) {
      Fail(Quoted(key) + " must be a whole number");
      return 0;
    }
    const std::int64_t n =
        v->is_number_unsigned()
            ? static_cast<std::int64_t>(std::min<std::uint64_t>(v->get<std::uint64_t>(), kMaxLabelsPerPage + 1))
            : v->get<std::int64_t>();
    if (n < 1) {
      Fail(Quoted(key) + " must be at least 1");
      return 0;
    }
    return static_cast<int>(std::min<std::int64_t>(n, kMaxLabelsPerPage + 1));
  }

 private:
  static constexpr double kMaxMm = 10000;
  std::string file_;
  std::string problem_;
};

// "label 3 (row 2, column 1)"
std::string LabelName(const TTemplateGrid& g, int index) {
  const int row = g.order == TFillOrder::Rows ? index / g.columns : index % g.rows;
  const int column = g.order == TFillOrder::Rows ? index % g.columns : index / g.rows;
  return "label " + std::to_string(index + 1) + " (row " + std::to_string(row + 1) + ", column " +
         std::to_string(column + 1) + ")";
}

bool Overlap(const TLabelRect& a, const TLabelRect& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

std::optional<std::string> OffPage(const TLabelRect& r, TPageSize page) {
  if (r.x < TLength()) return "past the page's left edge";
  if (r.y < TLength()) return "past the page's top edge";
  if (r.x + r.width > page.width) return "past the page's right edge (" + MmText(page.width) + " mm)";
  if (r.y + r.height > page.height) return "past the page's bottom edge (" + MmText(page.height) + " mm)";
  return std::nullopt;
}

}  // namespace

std::string MmText(TLength length) {
  std::int64_t um = length.Micrometres();
  std::string sign = um < 0 ? "-" : "";
  if (um < 0) um = -um;
  std::string text = sign + std::to_string(um / 1000);
  if (const std::int64_t frac = um % 1000) {
    std::string digits = std::to_string(frac);
    digits.insert(0, 3 - digits.size(), '0');
    while (digits.back() == '0') digits.pop_back();
    text += "." + digits;
  }
  return text;
}

std::vector<TLabelRect> GridLabels(const TTemplateGrid& g) {
  std::vector<TLabelRect> labels;
  if (g.rows < 1 || g.columns < 1) return labels;
  labels.reserve(static_cast<std::size_t>(g.rows) * static_cast<std::size_t>(g.columns));
  const int outer = g.order == TFillOrder::Rows ? g.rows : g.columns;
  const int inner = g.order == TFillOrder::Rows ? g.columns : g.rows;
  for (int a = 0; a < outer; ++a)
    for (int b = 0; b < inner; ++b) {
      const int row = g.order == TFillOrder::Rows ? a : b;
      const int column = g.order == TFillOrder::Rows ? b : a;
      labels.push_back({g.left + g.pitchX * column, g.top + g.pitchY * row, g.labelWidth, g.labelHeight});
    }
  return labels;
}

const std::vector<TSheetTemplate>& BuiltInTemplates() {
  static const std::vector<TSheetTemplate> templates = MakeBuiltIns();
  return templates;
}

std::optional<std::string> TemplateProblem(const TSheetTemplate& t, std::string_view where) {
  const std::string at = std::string(where) + ": ";
  if (t.page.width <= TLength() || t.page.height <= TLength()) return at + "the page size must be above 0 mm";
  if (t.labels.empty()) return at + "no labels";
  if (t.LabelsPerPage() > kMaxLabelsPerPage)
    return at + std::to_string(t.LabelsPerPage()) + " labels a page; at most " + std::to_string(kMaxLabelsPerPage);
  for (std::size_t i = 0; i < t.labels.size(); ++i) {
    const TLabelRect& r = t.labels[i];
    const std::string name = "label " + std::to_string(i + 1);
    if (r.width <= TLength() || r.height <= TLength()) return at + name + ": the size must be above 0 mm";
    if (const auto off = OffPage(r, t.page)) return at + name + " lies " + *off;
  }
  // Labels sorted by their left edge: only those that start before one ends can overlap it.
  std::vector<std::size_t> order(t.labels.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return t.labels[a].x < t.labels[b].x; });
  for (std::size_t i = 0; i < order.size(); ++i)
    for (std::size_t j = i + 1;
         j < order.size() && t.labels[order[j]].x < t.labels[order[i]].x + t.labels[order[i]].width; ++j)
      if (Overlap(t.labels[order[i]], t.labels[order[j]])) {
        const std::size_t a = std::min(order[i], order[j]), b = std::max(order[i], order[j]);
        return at + "labels " + std::to_string(a + 1) + " and " + std::to_string(b + 1) + " overlap";
      }
  return std::nullopt;
}

TTemplateParse ParseTemplateJson(std::string_view text, const std::string& name, const std::string& fileName) {
  TTemplateParse result;
  TReader r(fileName);
  Json doc;
  try {
    doc = Json::parse(text.begin(), text.end());
  } catch (const Json::exception& e) {
    result.problem = fileName + ": not JSON: " + e.what();
    return result;
  }
  if (!doc.is_object()) {
    result.problem = fileName + ": not a JSON object";
    return result;
  }

  TTemplateGrid g;
  const Json* page = r.Object(doc, "page");
  g.page.width = r.Length(page, "width_mm", "page.width_mm", true);
  g.page.height = r.Length(page, "height_mm", "page.height_mm", true);
  const Json* label = r.Object(doc, "label");
  g.labelWidth = r.Length(label, "width_mm", "label.width_mm", true);
  g.labelHeight = r.Length(label, "height_mm", "label.height_mm", true);
  g.rows = r.Count(doc, "rows");
  g.columns = r.Count(doc, "columns");
  const Json* margins = r.Object(doc, "margins");
  g.left = r.Length(margins, "left_mm", "margins.left_mm", false);
  g.top = r.Length(margins, "top_mm", "margins.top_mm", false);
  const Json* pitch = r.Object(doc, "pitch");
  g.pitchX = r.Length(pitch, "across_mm", "pitch.across_mm", true);
  g.pitchY = r.Length(pitch, "down_mm", "pitch.down_mm", true);
  if (const Json* order = r.Member(doc, "fill_order", "fill_order")) {
    if (order->is_string() && *order == "rows")
      g.order = TFillOrder::Rows;
    else if (order->is_string() && *order == "columns")
      g.order = TFillOrder::Columns;
    else
      r.Fail("\"fill_order\" must be \"rows\" or \"columns\"");
  }
  std::string title = name;
  if (const auto it = doc.find("title"); it != doc.end() && !r.Failed()) {
    if (it->is_string())
      title = it->get<std::string>();
    else
      r.Fail("\"title\" must be a string");
  }
  if (r.Failed()) {
    result.problem = r.Problem();
    return result;
  }

  if (static_cast<std::int64_t>(g.rows) * g.columns > kMaxLabelsPerPage) {
    result.problem = fileName + ": \"rows\" x \"columns\" is " +
                     std::to_string(static_cast<std::int64_t>(g.rows) * g.columns) + " labels a page; at most " +
                     std::to_string(kMaxLabelsPerPage);
    return result;
  }
  if (g.columns > 1 && g.pitchX < g.labelWidth) {
    result.problem = fileName + ": labels overlap: \"pitch.across_mm\" (" + MmText(g.pitchX) +
                     ") is less than \"label.width_mm\" (" + MmText(g.labelWidth) + ")";
    return result;
  }
  if (g.rows > 1 && g.pitchY < g.labelHeight) {
    result.problem = fileName + ": labels overlap: \"pitch.down_mm\" (" + MmText(g.pitchY) +
                     ") is less than \"label.height_mm\" (" + MmText(g.labelHeight) + ")";
    return result;
  }
  TSheetTemplate t{name, title, g.page, GridLabels(g), fileName};
  for (std::size_t i = 0; i < t.labels.size(); ++i)
    if (const auto off = OffPage(t.labels[i], g.page)) {
      result.problem = fileName + ": " + LabelName(g, static_cast<int>(i)) + " lies " + *off +
                       ": see \"page\", \"label\", \"margins\" and \"pitch\"";
      return result;
    }
  if (auto problem = TemplateProblem(t, fileName)) {
    result.problem = *problem;
    return result;
  }
  result.sheet = std::move(t);
  return result;
}

std::filesystem::path UserTemplateFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::filesystem::path base;
  if (config && *config && std::filesystem::path(config).is_absolute()) {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    base = std::filesystem::path(home && *home ? home : ".") / ".config";
  }
  return base / "vantor" / "templates";
}

const TSheetTemplate* TTemplateCatalogue::Find(std::string_view name) const {
  for (const TSheetTemplate& t : templates)
    if (t.name == name) return &t;
  return nullptr;
}

std::optional<std::string> TTemplateCatalogue::RefusalOf(std::string_view name) const {
  for (std::size_t i = 0; i < refusedNames.size(); ++i)
    if (refusedNames[i] == name) return refusalProblems[i];
  return std::nullopt;
}

TTemplateCatalogue LoadTemplateCatalogue(const std::filesystem::path& folder) {
  TTemplateCatalogue c;
  c.templates = BuiltInTemplates();
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) return c;
  std::vector<std::filesystem::path> files;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (it->path().extension() == ".json") files.push_back(it->path());
  std::sort(files.begin(), files.end());

  constexpr std::uintmax_t kMaxFileSize = 1 << 20;  // far above any template; keeps a stray file from being read whole
  for (const std::filesystem::path& path : files) {
    const std::string fileName = path.string();
    const std::string name = path.stem().string();
    std::string problem;
    std::optional<TSheetTemplate> sheet;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || !std::filesystem::is_regular_file(path, ec)) {
      problem = fileName + ": cannot be read";
    } else if (size > kMaxFileSize) {
      problem = fileName + ": larger than 1 MiB";
    } else if (std::find_if(BuiltInTemplates().begin(), BuiltInTemplates().end(),
                            [&](const TSheetTemplate& t) { return t.name == name; }) != BuiltInTemplates().end()) {
      problem = fileName + ": \"" + name + "\" is the name of a built-in template";
    } else {
      std::ifstream in(path, std::ios::binary);
      std::ostringstream text;
      text << in.rdbuf();
      if (!in && !in.eof()) {
        problem = fileName + ": cannot be read";
      } else {
        TTemplateParse parsed = ParseTemplateJson(text.str(), name, fileName);
        sheet = std::move(parsed.sheet);
        problem = std::move(parsed.problem);
      }
    }
    if (sheet) {
      c.templates.push_back(std::move(*sheet));
    } else {
      c.problems.push_back(problem);
      c.refusedNames.push_back(name);
      c.refusalProblems.push_back(problem);
    }
  }
  return c;
}

TTemplateCatalogue LoadTemplateCatalogue() { return LoadTemplateCatalogue(UserTemplateFolder()); }

std::string DescribeTemplateJson(const TSheetTemplate& t) {
  // The name comes from a file name and need not be UTF-8: replaced, not thrown on.
  std::string s = "{\"name\": " + Json(t.name).dump(-1, ' ', false, Json::error_handler_t::replace) +
                  ", \"page\": {\"width_mm\": " + MmText(t.page.width) + ", \"height_mm\": " + MmText(t.page.height) +
                  "}, \"labels\": [";
  for (std::size_t i = 0; i < t.labels.size(); ++i) {
    const TLabelRect& r = t.labels[i];
    s += i ? ",\n  " : "\n  ";
    s += "{\"x_mm\": " + MmText(r.x) + ", \"y_mm\": " + MmText(r.y) + ", \"width_mm\": " + MmText(r.width) +
         ", \"height_mm\": " + MmText(r.height) + "}";
  }
  s += "\n]}\n";
  return s;
}

TTemplateShape ShapeOf(const TSheetTemplate& t) {
  TTemplateShape shape;
  shape.page = t.page;
  if (t.page == kA4) shape.paper = "A4";
  if (t.page == kLetter) shape.paper = "US Letter";
  if (t.labels.empty()) return shape;
  const TLabelRect& first = t.labels.front();
  shape.labelWidth = first.width;
  shape.labelHeight = first.height;
  shape.sameSize = std::all_of(t.labels.begin(), t.labels.end(),
                               [&](const TLabelRect& r) { return r.width == first.width && r.height == first.height; });
  shape.roll = t.labels.size() == 1 && first.width == t.page.width && first.height == t.page.height;
  // A grid when every place is one of `columns` lefts and one of `rows` tops, each once.
  std::vector<TLength> xs, ys;
  for (const TLabelRect& r : t.labels) {
    xs.push_back(r.x);
    ys.push_back(r.y);
  }
  for (std::vector<TLength>* v : {&xs, &ys}) {
    std::sort(v->begin(), v->end());
    v->erase(std::unique(v->begin(), v->end()), v->end());
  }
  if (xs.size() * ys.size() == t.labels.size()) {
    shape.columns = static_cast<int>(xs.size());
    shape.rows = static_cast<int>(ys.size());
  }
  return shape;
}

}  // namespace vantor
