// Sheet templates: a page and the label rectangles on it in the order they are
// filled, in whole micrometres. Built-in templates for the LTO label stock, the
// roll label printers and the DLT tape-label sheet, and templates of the
// user's own read from JSON files in the configuration folder. Either label
// family prints on any of them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "surface/Units.h"
#include "templates/LabelGrid.h"

namespace vantor {

struct TPageSize {
  TLength width{}, height{};
  friend bool operator==(const TPageSize&, const TPageSize&) = default;
};

struct TLabelRect {
  TLength x{}, y{};  // top-left corner, from the paper's corner
  TLength width{}, height{};
  friend bool operator==(const TLabelRect&, const TLabelRect&) = default;
};

enum class TFillOrder { Rows, Columns };  // across then down, or down then across

// What a template file describes: equal labels on a grid.
struct TTemplateGrid {
  TPageSize page{};
  TLength labelWidth{}, labelHeight{};
  int rows = 0, columns = 0;
  TLength left{}, top{};       // the first label's corner
  TLength pitchX{}, pitchY{};  // corner to corner, across and down
  TFillOrder order = TFillOrder::Rows;
};

struct TSheetTemplate {
  std::string name;   // what --template and the window call it
  std::string title;  // one line for people
  TPageSize page{};
  std::vector<TLabelRect> labels;  // in fill order
  std::string file;                // the file it was read from; empty when built in

  int LabelsPerPage() const { return static_cast<int>(labels.size()); }
};

inline constexpr int kMaxLabelsPerPage = 500;

// The rectangles of a grid in its fill order.
std::vector<TLabelRect> GridLabels(const TTemplateGrid& grid);

// The built-in templates, in the order they are offered; the first is the
// LTO default.
const std::vector<TSheetTemplate>& BuiltInTemplates();
inline constexpr const char* kDefaultLtoTemplate = "lto-a4-2x15";
inline constexpr const char* kDltTemplate = "dlt-a4-3x10";

// Why a template cannot be offered (labels off the page, overlapping, too
// many, none, a non-positive size), or nothing. `where` starts the message
// (the file name).
std::optional<std::string> TemplateProblem(const TSheetTemplate& t, std::string_view where);

// One template file's text. The name is `name` (the file's stem). On a
// refusal `problem` says why, naming `fileName` and the field.
struct TTemplateParse {
  std::optional<TSheetTemplate> sheet;
  std::string problem;
};
TTemplateParse ParseTemplateJson(std::string_view text, const std::string& name, const std::string& fileName);

// The folder of the user's templates: $XDG_CONFIG_HOME/vantor/templates, or
// ~/.config/vantor/templates when XDG_CONFIG_HOME is unset or not absolute.
std::filesystem::path UserTemplateFolder();

// The templates on offer: the built-in ones, then every valid *.json file of
// `folder` in name order. A refused file is left out and its problem listed;
// a file whose name a built-in template has is refused too.
struct TTemplateCatalogue {
  std::vector<TSheetTemplate> templates;
  std::vector<std::string> problems;         // one line each, naming the file
  std::vector<std::string> refusedNames;     // the stems of the refused files ...
  std::vector<std::string> refusalProblems;  // ... and why, index by index

  const TSheetTemplate* Find(std::string_view name) const;
  // Why a template of this name is not on offer, when a file of that name was refused.
  std::optional<std::string> RefusalOf(std::string_view name) const;
};
TTemplateCatalogue LoadTemplateCatalogue(const std::filesystem::path& folder);
TTemplateCatalogue LoadTemplateCatalogue();  // from UserTemplateFolder()

// The template as JSON: name, page size and labels in fill order, lengths in
// millimetres written exactly (up to three decimals).
std::string DescribeTemplateJson(const TSheetTemplate& t);

// Millimetres written exactly from micrometres ("26", "16.9", "28.95").
std::string MmText(TLength length);

// What a template looks like to people: its paper, its grid and its label
// size, for a list to show ("A4, 2 x 15, 79 x 17 mm").
struct TTemplateShape {
  std::string paper;  // "A4", "US Letter", or empty: another size, `page`
  TPageSize page{};
  int columns = 0, rows = 0;  // 0 when the labels are not on one grid
  bool sameSize = false;      // every label as large as the first
  TLength labelWidth{}, labelHeight{};
  bool roll = false;  // one label that is the whole page
};
TTemplateShape ShapeOf(const TSheetTemplate& t);

}  // namespace vantor
