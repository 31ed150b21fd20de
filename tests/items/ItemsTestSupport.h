#pragma once
// Helpers shared by the item tests: fixture paths, whole-file reads and writes.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tovu::items::test {

inline QString fixture(const char* name)
{
    return QStringLiteral(TOVU_FIXTURES_DIR "/items/") + QString::fromLatin1(name);
}

inline QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace tovu::items::test
