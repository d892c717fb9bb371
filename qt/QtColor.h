// The one conversion between the toolkit colour value every layer draws with
// (red in the low byte) and Qt's QColor.
#pragma once

#include <QColor>

#include "surface/Color.h"

namespace vantor {

QColor ToQColor(TColor c);
// The alpha channel is dropped: toolkit colours are opaque.
TColor FromQColor(const QColor& c);

}  // namespace vantor
