#include "app/mainwindow/AppPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tovu::mainwindow {

AppPaths AppPaths::forProgram(const QString& programFolder)
{
    AppPaths p;
    p.programFolder = programFolder;
    p.assetFolders << programFolder << QDir(programFolder).absoluteFilePath(QStringLiteral("../share/tovu"));
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        p.assetFolders << data + QStringLiteral("/tovu");
    p.userDataFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/tovu");
    p.documentsFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (p.documentsFolder.isEmpty())
        p.documentsFolder = QDir::homePath();
    return p;
}

QString AppPaths::assetPath(const QString& name) const
{
    for (const QString& folder : assetFolders) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile())
            return QDir::cleanPath(path);
    }
    return QDir(programFolder).filePath(name);
}

QString helpFileName(const QString& languageCode)
{
    return QStringLiteral("TOVUHelp") + languageCode + QStringLiteral(".chm");
}

} // namespace tovu::mainwindow
