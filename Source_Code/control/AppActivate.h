// Brings a top-level window of this process to the front by its title: the window whose
// title is the caption, else the first whose title begins with it, else the first that
// shows a document of it ("Report.docx - Word" for the caption "Word").
#pragma once

#include <QString>

namespace tovu::control {

// Raises "Invalid procedure call" when no such window is shown (or no GUI runs).
void AppActivate(const QString& caption);

} // namespace tovu::control
