#pragma once
// Where the A-scan picture file "MetaTest.emf" lies: next to the program when that
// folder can be written, otherwise in the user's data folder. Every user of the
// picture (painter, clipboard copy, Word report) asks pictureFilePath() for it.

#include <QString>

namespace tovu::display {

inline constexpr const char* kPictureFileName = "MetaTest.emf";

struct PictureFolders {
    QString programFolder;
    QString userDataFolder;
};

// The program's folder and the per-user data folder of this application.
PictureFolders defaultPictureFolders();

QString pictureFilePath(const PictureFolders& folders);
QString pictureFilePath();

} // namespace tovu::display
