#pragma once
// Where the program finds its files. The program's folder may be read-only (an installed
// program on Linux), so everything the program writes goes to per-user folders, and the
// read-only assets (the help files, the report logo) are looked for next to the program
// and then in its data folders.

#include <QString>
#include <QStringList>

namespace tovu::mainwindow {

struct AppPaths {
    QString programFolder;     // the language libraries and the control live here
    QStringList assetFolders;  // looked in for read-only assets, in order
    QString userDataFolder;    // files the program writes (the A-scan picture)
    QString documentsFolder;   // where the file dialogs start before any folder was used

    // The folder of the running program, then ../share/tovu beside it and the system's
    // data folders; the user's data folder of the application.
    static AppPaths forProgram(const QString& programFolder);

    // The first asset folder that holds name; the program's folder when none does (so a
    // message names where the file was expected).
    QString assetPath(const QString& name) const;
};

// "TOVUHelp" & code & ".chm".
QString helpFileName(const QString& languageCode);
// The help shipped for every language that has none of its own: English.
inline const QString kHelpFallbackLanguage = QStringLiteral("809");

} // namespace tovu::mainwindow
