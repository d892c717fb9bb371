// Fonts for the Qt drawing surface: which family a face name stands for, and
// how a cell height (ascent + descent, the way the engine sizes its text) turns
// into a Qt pixel size.
#pragma once

#include <QFont>
#include <QString>
#include <string_view>

class QPaintDevice;

namespace vantor {

// The family to ask Qt for. The Windows core faces become their metric-compatible
// Liberation faces when those are installed (Arial and Helvetica -> Liberation
// Sans, Arial Narrow -> Liberation Sans Narrow, Times New Roman -> Liberation
// Serif, Courier New -> Liberation Mono), whatever fontconfig would pick first;
// any other name is used as given.
QString ResolveFamily(std::string_view face);

// A font of the family whose QFontMetrics height (ascent + descent) on `device`
// comes as near to `cellHeight` pixels as the face allows. The pixel size is
// derived from the face's own ascent + descent per em, then checked one pixel
// either way.
QFont FontForCellHeight(const QString& family, int cellHeight, bool bold, const QPaintDevice* device);

// A font with an em height of `emPixels` pixels (for sizes given in points).
QFont FontForEmHeight(const QString& family, int emPixels, bool bold);

// The face every window's captions are laid out for.
inline constexpr std::string_view kWindowFace = "MS Sans Serif";

// A window control's font: `face` at `pixels` pixels, followed by the faces that
// stand in for it where it is not installed. Every window takes its fonts from
// here, so the same face comes out the same everywhere: "MS Sans Serif" asked for
// alone is left to fontconfig's default sans (DejaVu Sans, much wider), whereas
// its list ends in Liberation Sans (Arial's metrics), which keeps captions inside
// the boxes laid out for them. Any other face falls back to Liberation Sans.
QFont WindowFont(std::string_view face, int pixels, bool bold = false);

}  // namespace vantor
