#include "platform/files/IniFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

namespace tovu::platform::files {

namespace {

QVariantMap contentsOf(QSettings& settings)
{
    QVariantMap values;
    for (const QString& key : settings.allKeys())
        values.insert(key, settings.value(key));
    return values;
}

} // namespace

WriteResult changeIniFile(const QString& path, const std::function<void(QSettings&)>& change)
{
    const QString shown = QDir::toNativeSeparators(path);
    const auto failed = [&](const QString& reason) { return WriteResult{false, path, reason, 0}; };
    // A failure of the scratch copy is told as the file's own.
    const auto failedAs = [&](const WriteResult& r) {
        return WriteResult{false, path, r.error ? writeFailureReason(path, r.error) : r.reason, r.error};
    };
    QByteArray old;
    if (QFile f(path); f.exists()) {
        if (!f.open(QIODevice::ReadOnly))
            return failed(QStringLiteral("%1 cannot be read").arg(shown));
        old = f.readAll();
    }
    struct Scratch {
        QString name;
        ~Scratch() { QFile::remove(name); }
    } scratch{path + QStringLiteral(".edit-") + QString::number(QRandomGenerator::global()->generate(), 36)};
    if (const WriteResult copied = writeFileAtomically(scratch.name, old, Durability::Unsynced); !copied.ok)
        return failedAs(copied);
    QVariantMap meant;
    {
        QSettings edited(scratch.name, QSettings::IniFormat);
        change(edited);
        edited.sync();
        if (edited.status() != QSettings::NoError)
            return failed(QStringLiteral("%1 cannot be written").arg(shown));
        meant = contentsOf(edited);
    }
    QSettings back(scratch.name, QSettings::IniFormat);
    if (contentsOf(back) != meant || back.status() != QSettings::NoError)
        return failed(QStringLiteral("%1 could not be written whole").arg(shown));
    QFile written(scratch.name);
    if (!written.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("%1 cannot be written").arg(shown));
    const WriteResult r = writeFileAtomically(path, written.readAll());
    return r.ok ? r : failedAs(r);
}

} // namespace tovu::platform::files
