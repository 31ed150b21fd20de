#pragma once
// The picture's fonts on this system, by the metafile's font rules: faces resolve to the
// metric-compatible Liberation faces, so text keeps its width and height.

#include "app/display/Canvas.h"

#include <QFont>

namespace tovu::display {

// A font for a CanvasFont in logical units: its ascent plus descent is the given height and
// its average character width the given width (needs a GUI application).
QFont qtFont(const CanvasFont& font);

} // namespace tovu::display
