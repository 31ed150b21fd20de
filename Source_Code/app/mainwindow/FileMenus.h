#pragma once
// The File menu's item commands: Open a saved-items file, Save every item held, Save
// Individual Item. They share the saved-items type the dialogs offer and the name a chosen
// file is written under; the dialog is the window's one file dialog.

#include <QString>

namespace tovu::mainwindow {

class frmmain;

inline const QString kSavedItemsFilter = QStringLiteral("DFD Files|*.dfd");

// The chosen name with ".dfd" added unless it already ends so (case ignored).
QString savedItemsFileName(const QString& chosen);

class FileMenus {
public:
    // Wires Open, Save and Save Individual Item to the handlers below.
    explicit FileMenus(frmmain& window);
    FileMenus(const FileMenus&) = delete;
    FileMenus& operator=(const FileMenus&) = delete;

    // Each is true when the command went through: the file was read and accepted, or
    // written.
    bool mnuOpen_Click();
    bool mnuSave_Click();
    bool mnuSaveIndividual_Click();

    // Where every file dialog starts: the folder used last ("Application"/"Path") while it
    // exists, else the user's documents.
    QString startFolder() const;
    // The folder of a file chosen in a dialog becomes the one used last.
    void rememberFolderOf(const QString& file);

private:
    frmmain& w_;
};

} // namespace tovu::mainwindow
