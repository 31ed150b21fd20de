#include "platform/metafile/MetafileFile.h"

#include <QFile>
#include <QSaveFile>

namespace tovu::platform::metafile {

bool saveMetafile(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
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
