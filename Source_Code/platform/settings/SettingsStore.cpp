#include "platform/settings/SettingsStore.h"

#include "platform/settings/SettingsError.h"

#include "platform/files/IniFile.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

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

void changeStore(const QString& file, const std::function<void(QSettings&)>& change, const char* caller)
{
    if (const files::WriteResult r = files::changeIniFile(file, change); !r.ok)
        cannotWrite(caller, r.reason);
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
