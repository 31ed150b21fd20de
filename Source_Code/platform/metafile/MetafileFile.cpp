#include "platform/metafile/MetafileFile.h"

#include "platform/files/AtomicFile.h"

#include <QFile>

namespace tovu::platform::metafile {

bool saveMetafile(const QString& path, const QByteArray& bytes, QString* error)
{
    // Readers see the old picture or the new one, never a part. The picture is redrawn at
    // every display, so it is not synced to disk (a sync costs more than the whole drawing).
    const files::WriteResult written = files::writeFileAtomically(path, bytes, files::Durability::Unsynced);
    if (!written.ok && error)
        *error = written.reason;
    return written.ok;
}

std::optional<QByteArray> loadMetafile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace tovu::platform::metafile
