#pragma once
// The picture's font faces on this system: the faces the picture names resolve to the
// metric-compatible Liberation faces, so text keeps its width and height.

#include "app/display/Canvas.h"

#include <QFont>
#include <QString>

namespace tovu::display {

// "Arial" -> "Liberation Sans", "Times New Roman" -> "Liberation Serif",
// "Courier" and "Courier New" -> "Liberation Mono"; other faces are kept.
QString resolvedFace(const QString& face);

// A font for a CanvasFont in logical units: its ascent plus descent is the given height and
// its average character width the given width (needs a GUI application).
QFont qtFont(const CanvasFont& font);

} // namespace tovu::display
