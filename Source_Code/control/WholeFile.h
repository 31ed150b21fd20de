// A file the control writes whole (an HTML page, delimited text): the bytes go to a
// temporary file beside it, which replaces the file only once everything is written, so a
// failure leaves a file already there as it was and never a half-written one.
#pragma once

#include <QByteArray>
#include <QString>

namespace tovu::control {

// Raises "File not found" when the file cannot be made or written (an empty path among them).
void writeWholeFile(const QString& path, const QByteArray& bytes);

} // namespace tovu::control
