#pragma once
// The A-scan picture of the program: DrawAScan(index) draws a WorkItems record into the
// retained drawing (what the screen, the bitmap copy and the printout show), remembers
// it as PreviousItem for the superimposed view and rewrites the picture file.
// The screen picture is always drawn; a picture file that cannot be written is reported
// once until a later write succeeds.

#include "app/display/AScanScene.h"
#include "app/display/DisplayMessages.h"
#include "app/display/Drawing.h"
#include "app/display/PictureFile.h"
#include "app/display/SettingsAccess.h"
#include "app/items/ItemStore.h"
#include "platform/metafile/EmfWriter.h"

#include <QObject>

namespace tovu::display {

class AScanDisplay : public QObject {
    Q_OBJECT
public:
    AScanDisplay(const items::ItemStore& store, const items::StringSource& strings, SettingsAccess& settings,
                 DisplayMessages& messages, QObject* parent = nullptr);

    // Menu state the painter reads (kept by the menu controller).
    AScanView view;
    // The locale's decimal separator for the picture's numbers; the user's by default.
    QString decimalSeparator;
    // Where the picture file goes; the program's folders by default.
    PictureFolders folders = defaultPictureFolders();
    platform::metafile::ReferenceDevice referenceDevice;

    // Draws WorkItems[index]. False when the index is outside WorkItems (the picture is
    // then cleared and no file written).
    bool DrawAScan(int index);

    int PreviousItem() const { return previousItem_; }
    const Drawing& drawing() const { return drawing_; }
    QString picturePath() const { return pictureFilePath(folders); }
    // True when the last drawing reached the picture file.
    bool pictureWritten() const { return written_; }

    // The picture file's bytes for the current drawing (what DrawAScan writes).
    QByteArray metafileBytes() const;

    const items::ItemStore& store() const { return store_; }
    const items::StringSource& strings() const { return strings_; }
    SettingsAccess& settings() const { return settings_; }

signals:
    void pictureChanged();

private:
    void writePictureFile();

    const items::ItemStore& store_;
    const items::StringSource& strings_;
    SettingsAccess& settings_;
    DisplayMessages& messages_;
    Drawing drawing_;
    int previousItem_ = 0;
    bool written_ = false;
    bool failureReported_ = false;
};

} // namespace tovu::display
