// Fills the manual page's lists of names (makers, media kinds, colour schemes,
// palettes, templates) from the families' option tables, the names each
// option takes, so the page cannot name one the program does not take.
// Usage: vantor_man_page IN OUT.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "dlt/DltOptions.h"
#include "lto/LtoOptions.h"

namespace {

// A name as roff shows it: in quotes, its hyphens as minus signs.
std::string RoffName(const std::string& name) {
  std::string text = "\"";
  for (char c : name) text += c == '-' ? std::string("\\-") : std::string(1, c);
  return text + "\"";
}

// The names in bold, "a, b or c", the last followed by `after` (e.g. ".").
std::string RoffList(const std::vector<std::string>& names, const std::string& after) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const bool last = i + 1 == names.size();
    const std::string punctuation = last ? after : i + 2 == names.size() ? "" : ",";
    text += (punctuation.empty() ? ".B " : ".BR ") + RoffName(names[i]) +
            (punctuation.empty() ? "" : " " + punctuation) + "\n";
    if (i + 2 == names.size()) text += "or\n";
  }
  return text;
}

// The names --name takes, from the family's table that has the option.
std::vector<std::string> ChoicesOf(const char* name) {
  for (const auto* rows : {&vantor::DltOptionRows(), &vantor::LtoOptionRows()})
    for (const vantor::TOptionRow& row : *rows)
      if (std::string(row.name) == name && row.choices) return row.choices();
  std::cerr << "vantor_man_page: no option --" << name << " with a list of names\n";
  std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: vantor_man_page IN OUT\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "vantor_man_page: cannot read " << argv[1] << '\n';
    return 1;
  }
  // A line that is only a marker becomes the list, its punctuation after it.
  const std::pair<std::string, std::vector<std::string>> markers[] = {{"%MAKERS%", ChoicesOf("maker")},
                                                                      {"%MEDIA_KINDS%", ChoicesOf("media")},
                                                                      {"%SCHEMES%", ChoicesOf("scheme")},
                                                                      {"%PALETTES%", ChoicesOf("palette")},
                                                                      {"%TEMPLATES%", ChoicesOf("template")}};
  std::ostringstream out;
  std::string line;
  int filled = 0;
  while (std::getline(in, line)) {
    bool replaced = false;
    for (const auto& [marker, list] : markers) {
      if (line.rfind(marker, 0) != 0) continue;
      out << RoffList(list, line.substr(marker.size()));
      replaced = true;
      ++filled;
    }
    if (!replaced) out << line << '\n';
  }
  if (filled != static_cast<int>(std::size(markers))) {
    std::cerr << "vantor_man_page: " << argv[1] << " has " << filled << " of the " << std::size(markers)
              << " list markers\n";
    return 1;
  }
  std::ofstream file(argv[2], std::ios::trunc);
  file << out.str();
  file.close();
  if (!file) {
    std::cerr << "vantor_man_page: cannot write " << argv[2] << '\n';
    return 1;
  }
  return 0;
}
