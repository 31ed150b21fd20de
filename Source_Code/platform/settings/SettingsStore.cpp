#include "platform/settings/SettingsStore.h"

#include "platform/settings/SettingsError.h"

#include "platform/files/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QRandomGenerator>

#include <functional>

namespace tovu::platform::settings {

namespace {

// Separators would make a name a path (of the file, or of a group inside it).
void requirePlainName(const QString& name, bool mayBeEmpty, const char* caller)
{
    const bool bad = (name.isEmpty() && !mayBeEmpty) || name.contains(u'/') || name.contains(u'\\')
                     || name.contains(QChar(0)) || name == u".." || name == u".";
    if (bad)
        throw SettingsError(SettingsErrorNumber::InvalidProcedureCall, QString::fromLatin1(caller),
                            QStringLiteral("Invalid procedure call or argument"));
}

// The existing spelling of a name among names, compared without regard to case.
std::optional<QString> existing(const QStringList& names, const QString& wanted)
{
    for (const QString& n : names)
        if (n.compare(wanted, Qt::CaseInsensitive) == 0)
            return n;
    return std::nullopt;
}

std::optional<QString> existingSection(const QSettings& store, const QString& section)
{
    return existing(store.childGroups(), section);
}

std::optional<QString> existingKey(QSettings& store, const QString& section, const QString& key)
{
    store.beginGroup(section);
    const auto found = existing(store.childKeys(), key);
    store.endGroup();
    return found;
}

[[noreturn]] void cannotWrite(const char* caller, const QString& why)
{
    throw SettingsError(SettingsErrorNumber::PathFileAccess, QString::fromLatin1(caller),
                        QStringLiteral("Path/File access error: ") + why);
}

// QSettings writes its file through a save file whose last buffered bytes it never
// checks, so a full disk could leave a cut store in place and report nothing. A change is
// therefore made in a scratch copy beside the store, read back and compared with what was
// meant, and only then put in place by the one atomic write.
void changeStore(const QString& file, const std::function<void(QSettings&)>& change, const char* caller)
{
    const auto failed = [&](const files::WriteResult& r) {
        cannotWrite(caller, r.error ? files::writeFailureReason(file, r.error) : r.reason);
    };
    QByteArray old;
    if (QFile f(file); f.exists()) {
        if (!f.open(QIODevice::ReadOnly))
            cannotWrite(caller, QStringLiteral("%1 cannot be read").arg(QDir::toNativeSeparators(file)));
        old = f.readAll();
    }
    struct Scratch {
        QString name;
        ~Scratch() { QFile::remove(name); }
        QString fileName() const { return name; }
    } scratch{file + QStringLiteral(".edit-") + QString::number(QRandomGenerator::global()->generate(), 36)};
    if (const files::WriteResult copied = files::writeFileAtomically(scratch.fileName(), old, files::Durability::Unsynced); !copied.ok)
        failed(copied);
    QVariantMap meant;
    {
        QSettings edited(scratch.fileName(), QSettings::IniFormat);
        change(edited);
        edited.sync();
        if (edited.status() != QSettings::NoError)
            cannotWrite(caller, QStringLiteral("%1 cannot be written").arg(QDir::toNativeSeparators(file)));
        for (const QString& key : edited.allKeys())
            meant.insert(key, edited.value(key));
    }
    QSettings back(scratch.fileName(), QSettings::IniFormat);
    QVariantMap read;
    for (const QString& key : back.allKeys())
        read.insert(key, back.value(key));
    if (back.status() != QSettings::NoError || read != meant)
        cannotWrite(caller, QStringLiteral("%1 could not be written whole").arg(QDir::toNativeSeparators(file)));
    QFile written(scratch.fileName());
    if (!written.open(QIODevice::ReadOnly))
        cannotWrite(caller, QStringLiteral("%1 cannot be written").arg(QDir::toNativeSeparators(file)));
    if (const files::WriteResult r = files::writeFileAtomically(file, written.readAll()); !r.ok)
        failed(r);
}

} // namespace

SettingsStore::SettingsStore(QString folder) : folder_(std::move(folder)) {}

SettingsStore SettingsStore::forUser()
{
    QString folder = qEnvironmentVariable("TOVU_SETTINGS_DIR");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                 + QStringLiteral("/tovu/settings");
    return SettingsStore(folder);
}

QString SettingsStore::fileOf(const QString& application) const
{
    return folder_ + u'/' + application.toLower() + QStringLiteral(".ini");
}

QString SettingsStore::getSetting(const QString& application, const QString& section,
                                  const QString& key, const QString& fallback) const
{
    for (const QString& name : {application, section, key})
        requirePlainName(name, false, "GetSetting");
    QSettings store(fileOf(application), QSettings::IniFormat);
    const auto group = existingSection(store, section);
    if (!group)
        return fallback;
    const auto name = existingKey(store, *group, key);
    if (!name)
        return fallback;
    return store.value(*group + u'/' + *name).toString();
}

void SettingsStore::saveSetting(const QString& application, const QString& section,
                                const QString& key, const QString& value)
{
    for (const QString& name : {application, section, key})
        requirePlainName(name, false, "SaveSetting");
    if (!QDir().mkpath(folder_))
        cannotWrite("SaveSetting", QStringLiteral("the folder %1 cannot be made").arg(QDir::toNativeSeparators(folder_)));
    changeStore(fileOf(application), [&](QSettings& store) {
        const QString group = existingSection(store, section).value_or(section);
        const QString name = existingKey(store, group, key).value_or(key);
        store.setValue(group + u'/' + name, value);
    }, "SaveSetting");
}

bool SettingsStore::deleteSetting(const QString& application, const QString& section,
                                  const QString& key)
{
    requirePlainName(application, false, "DeleteSetting");
    requirePlainName(section, false, "DeleteSetting");
    requirePlainName(key, true, "DeleteSetting");
    QSettings store(fileOf(application), QSettings::IniFormat);
    const auto group = existingSection(store, section);
    if (!group)
        return false;
    QString path = *group;
    if (!key.isEmpty()) {
        const auto name = existingKey(store, *group, key);
        if (!name)
            return false;
        path += u'/' + *name;
    }
    changeStore(fileOf(application), [&](QSettings& edited) { edited.remove(path); }, "DeleteSetting");
    return true;
}

} // namespace tovu::platform::settings
