#pragma once
// Saving and loading picture files. A save goes to a temporary file beside the target
// that is renamed over it, so a reader never sees half a picture.

#include <QByteArray>
#include <QString>
#include <optional>

namespace tovu::platform::metafile {

// True when the file now holds bytes; otherwise *error says why and the old file stays.
bool saveMetafile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// The file's bytes, or nothing when it cannot be read.
std::optional<QByteArray> loadMetafile(const QString& path);

} // namespace tovu::platform::metafile
