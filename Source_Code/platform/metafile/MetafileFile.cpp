#include "platform/metafile/MetafileFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tovu::platform::metafile {

bool saveMetafile(const QString& path, const QByteArray& bytes, QString* error)
{
    // Temporary file beside the target, renamed over it: readers see the old picture or
    // the new one, never a part. The picture is redrawn at every display, so it is not
    // synced to disk (a sync costs more than the whole drawing).
    const QFileInfo target(path);
    QTemporaryFile temp(QDir(target.absolutePath()).filePath(target.fileName() + QStringLiteral(".XXXXXX")));
    temp.setAutoRemove(true);
    if (!temp.open() || temp.write(bytes) != bytes.size() || !temp.flush()) {
        if (error)
            *error = temp.errorString();
        return false;
    }
    temp.close();
    const QByteArray from = QFile::encodeName(temp.fileName());
    const QByteArray to = QFile::encodeName(target.absoluteFilePath());
    if (std::rename(from.constData(), to.constData()) != 0) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    temp.setAutoRemove(false);  // it is the target now
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                    | QFileDevice::ReadOther);
    return true;
}

std::optional<QByteArray> loadMetafile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace tovu::platform::metafile
