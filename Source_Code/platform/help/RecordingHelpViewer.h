#pragma once
// A help viewer for tests: records every file it is asked to show and answers as a
// desktop with or without a viewer would; a file that does not exist is missing, as on
// the desktop.

#include "platform/help/HelpViewer.h"

#include <QStringList>

namespace tovu::platform::help {

class RecordingHelpViewer final : public HelpViewer {
public:
    bool viewerInstalled = true;
    QStringList asked;   // every path asked for, in order
    QStringList opened;  // the paths handed to the "viewer"

    HelpOpenResult openHelpFile(const QString& path) override
    {
        asked << path;
        if (!helpFileExists(path))
            return HelpOpenResult::FileMissing;
        if (!viewerInstalled)
            return HelpOpenResult::NoViewer;
        opened << path;
        return HelpOpenResult::Opened;
    }
};

} // namespace tovu::platform::help
