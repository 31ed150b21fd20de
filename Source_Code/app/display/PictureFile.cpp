#include "app/display/PictureFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tovu::display {

PictureFolders defaultPictureFolders()
{
    return {QCoreApplication::applicationDirPath(),
            QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)};
}

QString pictureFilePath(const PictureFolders& folders)
{
    const QString name = QString::fromLatin1(kPictureFileName);
    const QFileInfo folder(folders.programFolder);
    const QFileInfo file(QDir(folders.programFolder).filePath(name));
    // The rename that replaces the file needs the folder writable, not only the file.
    if (!folders.programFolder.isEmpty() && folder.isDir() && folder.isWritable()
        && (!file.exists() || file.isWritable()))
        return file.filePath();
    return QDir(folders.userDataFolder).filePath(name);
}

QString pictureFilePath()
{
    return pictureFilePath(defaultPictureFolders());
}

} // namespace tovu::display
