#pragma once
// The font a metafile's logical font stands for on this system: the faces pictures name
// resolve to the metric-compatible Liberation faces, and the font is sized so that text
// keeps the height and width the picture gives it.

#include "platform/metafile/EmfWriter.h"

#include <QFont>
#include <QString>

namespace tovu::platform::metafile {

// "Arial" -> "Liberation Sans", "Times New Roman" -> "Liberation Serif",
// "Courier" and "Courier New" -> "Liberation Mono"; other faces are kept.
QString resolvedFace(const QString& face);

// A font in logical units: its ascent plus descent is the font's height (16 when none is
// given; a negative height is the em size) and its average character width the font's
// width where one is given. Needs a GUI application.
QFont fontForLogFont(const LogFont& font);

} // namespace tovu::platform::metafile
