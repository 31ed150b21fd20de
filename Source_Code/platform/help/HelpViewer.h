#pragma once
// The help viewer: a help file is shown by whatever program the desktop has for its type
// (on Linux, the handler xdg-open chooses for compiled HTML help). The program asks
// through this interface only; tests put the recording viewer in its place.

#include <QString>

namespace tovu::platform::help {

enum class HelpOpenResult {
    Opened,       // handed to the desktop's handler
    FileMissing,  // no such file
    NoViewer,     // the desktop has no program for the file's type
};

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual HelpOpenResult openHelpFile(const QString& path) = 0;
};

// Through QDesktopServices. Before handing the file over it asks the desktop's MIME
// handler database (xdg-mime) whether any program takes the type, because the hand-over
// itself succeeds as soon as xdg-open starts, viewer or not.
class DesktopHelpViewer final : public HelpViewer {
public:
    HelpOpenResult openHelpFile(const QString& path) override;
};

// True when the file exists as a file (a folder of that name is no help file).
bool helpFileExists(const QString& path);

} // namespace tovu::platform::help
