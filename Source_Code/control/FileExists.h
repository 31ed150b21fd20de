// File checks the control's methods share.
#pragma once

#include <QString>

namespace tovu::control {

// True when the file's length can be read: it exists and is a file (a file of length 0 too).
bool FileExists(const QString& path);

// Whether two paths name the same file: the same file on disk (links and "." / ".." resolved)
// when both exist, else the same absolute path. Case counts, as it does on this file system.
bool SameFile(const QString& a, const QString& b);

} // namespace tovu::control
