#pragma once
// The per-user settings store: texts kept by application name, section and key, as
// GetSetting, SaveSetting and DeleteSetting read and write them. One INI file per
// application in the user's settings folder. Names match without regard to case, and
// a name keeps the spelling it was first saved with.

#include <QString>
#include <optional>

namespace tovu::platform::settings {

// The name under which the program keeps its settings.
inline const QString applicationName = QStringLiteral("TOVU");

class SettingsStore {
public:
    // A store in the given folder.
    explicit SettingsStore(QString folder);
    // The user's store: the folder TOVU_SETTINGS_DIR names, else
    // $XDG_CONFIG_HOME/tovu/settings (~/.config when unset).
    static SettingsStore forUser();

    const QString& folder() const { return folder_; }

    // The saved text, or fallback when none is saved.
    QString getSetting(const QString& application, const QString& section, const QString& key,
                       const QString& fallback = QString()) const;
    // Saves a text; raises a "Path/File access error" (75) when the store cannot be written.
    void saveSetting(const QString& application, const QString& section, const QString& key,
                     const QString& value);
    // Deletes one key, or the whole section when key is empty; false when there was
    // nothing to delete.
    bool deleteSetting(const QString& application, const QString& section,
                       const QString& key = QString());

    // Empty names, and names with a path separator or a NUL, raise "Invalid procedure
    // call or argument" (5) in all three.

private:
    QString folder_;

    QString fileOf(const QString& application) const;
};

} // namespace tovu::platform::settings
