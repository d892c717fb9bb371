// Where a top-level window goes on its screen: centred by its frame (title bar
// and borders included), which the window manager adds only once the window is
// shown.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace vantor {

// The top-left corner that centres a frame of size `frame` on `available` (the
// screen less its panels). A frame larger than the area starts at the area's
// edge instead, so its title bar stays on the screen.
QPoint CentredFramePosition(const QSize& frame, const QRect& available);

// Centres `window` on its screen when it is first shown, and once more when it
// first becomes active if the window manager has framed it by then (the frame
// is unknown before): the centre is the frame's, not the client area's.
void CentreOnFirstShow(QWidget& window);

}  // namespace vantor
