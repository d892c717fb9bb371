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

}  // namespace vantor
