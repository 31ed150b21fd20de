// A file the control writes whole (an HTML page, delimited text), through the one atomic
// write: a failure leaves a file already there as it was and never a half-written one.
#pragma once

#include <QByteArray>
#include <QString>

namespace tovu::control {

// Raises "File not found" (53) when the file cannot be made or written (an empty path among
// them); its description says why, naming the file.
void writeWholeFile(const QString& path, const QByteArray& bytes);

} // namespace tovu::control
