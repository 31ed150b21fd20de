#pragma once
// The per-user class registry: which library file serves which ProgID, as the libraries'
// DllRegisterServer declared it. A small INI file; ProgIDs are kept in lower case, so
// they match without regard to case. Only absolute library paths are ever handed out.

#include <QString>
#include <QStringList>
#include <optional>

namespace tovu::platform::automation {

class ClassRegistry {
public:
    explicit ClassRegistry(QString file);

    const QString& file() const { return file_; }

    // The absolute path of the library registered for a plain ProgID, if any.
    std::optional<QString> libraryOf(const QString& progId) const;

    // Records (or replaces) the ProgIDs of one library; all or nothing. Raises an
    // AutomationError when the store cannot be written or an entry is not plain.
    void add(const QStringList& progIds, const QString& libraryPath);
    // Forgets those of the ProgIDs that are registered for this library.
    void remove(const QStringList& progIds, const QString& libraryPath);

private:
    QString file_;
};

} // namespace tovu::platform::automation
