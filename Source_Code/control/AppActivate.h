// Brings a top-level window of this process to the front by its title: the window whose
// title is the caption, else the first whose title begins with it, else the first that
// shows a document of it ("Report.docx - Word" for the caption "Word").
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace tovu::control {

// Raises "Invalid procedure call" when no such window is shown (or no GUI runs).
void AppActivate(const QString& caption);

// The host's window that is active now (the form the control sits on), or none.
QPointer<QWidget> activeHostWindow();
// Brings the host's window back to the front after Word was: the window titled caption, or,
// with no caption, host. Failing to find it is no failure of the calling method.
void bringHostToFront(const QString& caption, QWidget* host) noexcept;
// The same with the window the host has active now.
void bringHostToFront(const QString& caption) noexcept;

} // namespace tovu::control
