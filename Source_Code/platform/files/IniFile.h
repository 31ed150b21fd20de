#pragma once
// A change to an INI file, written whole or not at all. QSettings writes its file through a
// save file whose last buffered bytes it never checks, so a full disk could leave a cut file
// in place and report nothing. The change is therefore made in a scratch copy beside the
// file, read back and compared with what was meant, and only then put in place by the one
// atomic write.

#include "platform/files/AtomicFile.h"

#include <QSettings>
#include <functional>

namespace tovu::platform::files {

// Applies change to the INI file at path (made when absent). The result's reason names
// path, never the scratch copy.
WriteResult changeIniFile(const QString& path, const std::function<void(QSettings&)>& change);

} // namespace tovu::platform::files
