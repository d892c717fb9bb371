// The image files the drawing can be written to, chosen by file name.
#pragma once

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

namespace vantor {

enum class TImageFormat { Png, Svg, Pdf };

// By the extension (.png, .svg, .pdf, any case) of a name that has more than
// the extension; nothing otherwise.
inline std::optional<TImageFormat> ImageFormatForPath(std::string_view path) {
  auto endsWith = [&](std::string_view ext) {
    return path.size() > ext.size() &&
           std::equal(ext.begin(), ext.end(), path.end() - static_cast<std::ptrdiff_t>(ext.size()),
                      [](char e, char c) { return e == std::tolower(static_cast<unsigned char>(c)); });
  };
  if (endsWith(".png")) return TImageFormat::Png;
  if (endsWith(".svg")) return TImageFormat::Svg;
  if (endsWith(".pdf")) return TImageFormat::Pdf;
  return std::nullopt;
}

}  // namespace vantor
