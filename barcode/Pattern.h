// Bar patterns as the standards' tables print them, turned into module bytes
// (1 dark, 0 light). One routine serves every family: for tables built at
// compile time (TModuleArray) and for writing into a barcode's module buffer
// (ModuleWriter::PutPattern, bounds-checked).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace vantor {

// How the characters of a pattern read.
enum class TPatternForm : std::uint8_t {
  Modules,     // one character a module, '1' dark: "0001101"
  Widths,      // one character an element, its width in modules ('1'..'9'); dark, light, dark, ...
  NarrowWide,  // one character an element, '0' narrow (one module), '1' wide; dark, light, dark, ...
};

// Calls put(value, count) for each element of `pattern` and returns the number
// of modules; `wide` is the width of a wide element in modules.
template <class Put>
constexpr int ExpandPattern(std::string_view pattern, TPatternForm form, int wide, Put&& put) {
  int total = 0;
  for (std::size_t e = 0; e < pattern.size(); ++e) {
    const char c = pattern[e];
    const std::uint8_t alternating = e % 2 == 0 ? 1 : 0;
    std::uint8_t value = 0;
    int count = 1;
    switch (form) {
      case TPatternForm::Modules: value = c == '1' ? 1 : 0; break;
      case TPatternForm::Widths:
        value = alternating;
        count = c - '0';
        break;
      case TPatternForm::NarrowWide:
        value = alternating;
        count = c == '1' ? wide : 1;
        break;
    }
    put(value, count);
    total += count;
  }
  return total;
}

// Modules collected into a fixed array; usable in constant expressions, where
// writing past the array stops the compilation.
template <std::size_t N>
struct TModuleArray {
  std::array<std::uint8_t, N> modules{};
  std::size_t size = 0;

  constexpr void Put(std::uint8_t value, int count = 1) {
    for (int i = 0; i < count; ++i) {
      if (size >= N) throw std::length_error("TModuleArray: pattern longer than the array");
      modules[size++] = value;
    }
  }
  constexpr void PutPattern(std::string_view pattern, TPatternForm form, int wide = 1) {
    ExpandPattern(pattern, form, wide, [this](std::uint8_t value, int count) { Put(value, count); });
  }
};

// The modules of one pattern that fills exactly N of them.
template <std::size_t N>
constexpr std::array<std::uint8_t, N> PatternModules(std::string_view pattern,
                                                     TPatternForm form = TPatternForm::Modules, int wide = 1) {
  TModuleArray<N> out;
  out.PutPattern(pattern, form, wide);
  if (out.size != N) throw std::length_error("PatternModules: pattern shorter than the array");
  return out.modules;
}

}  // namespace vantor
