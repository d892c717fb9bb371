// Letters of ASCII names and serials, the same way everywhere.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace vantor {

// Whether `a` and `b` are the same but for the case of their letters.
inline bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// `s` with its letters in upper case: serials and media IDs are typed in any case.
inline std::string UpperCase(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace vantor
