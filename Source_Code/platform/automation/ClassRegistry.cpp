#include "platform/automation/ClassRegistry.h"

#include "platform/automation/AutomationError.h"
#include "platform/automation/ProgId.h"
#include "platform/files/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <functional>

namespace tovu::platform::automation {

namespace {

const QString classesGroup = QStringLiteral("Classes");

QString keyOf(const QString& progId)
{
    return classesGroup + u'/' + progIdKey(progId);
}

// Written whole or not at all: a registry cut by a full disk would lose other libraries' entries.
void change(const QString& file, const std::function<void(QSettings&)>& edit)
{
    if (const files::WriteResult r = files::changeIniFile(file, edit); !r.ok)
        throw AutomationError(Hresult::Fail, QStringLiteral("ClassRegistry"),
                              QStringLiteral("The class registry could not be written: ") + r.reason);
}

} // namespace

ClassRegistry::ClassRegistry(QString file) : file_(std::move(file)) {}

std::optional<QString> ClassRegistry::libraryOf(const QString& progId) const
{
    if (!isPlainProgId(progId) || file_.isEmpty())
        return std::nullopt;
    QSettings store(file_, QSettings::IniFormat);
    const QString path = store.value(keyOf(progId)).toString();
    // A hand-edited entry must not make us search the loader's paths.
    if (path.isEmpty() || !QDir::isAbsolutePath(path) || path.contains(QChar(0)))
        return std::nullopt;
    return QDir::cleanPath(path);
}

void ClassRegistry::add(const QStringList& progIds, const QString& libraryPath)
{
    if (!QDir::isAbsolutePath(libraryPath))
        throw AutomationError::fromHresult(Hresult::InvalidArg, QStringLiteral("ClassRegistry"));
    for (const QString& id : progIds)
        if (!isPlainProgId(id))
            throw AutomationError::fromHresult(Hresult::InvalidClassString, QStringLiteral("ClassRegistry"));
    QDir().mkpath(QFileInfo(file_).absolutePath());
    change(file_, [&](QSettings& store) {
        for (const QString& id : progIds)
            store.setValue(keyOf(id), QDir::cleanPath(libraryPath));
    });
}

void ClassRegistry::remove(const QStringList& progIds, const QString& libraryPath)
{
    change(file_, [&](QSettings& store) {
        for (const QString& id : progIds)
            if (isPlainProgId(id) && store.value(keyOf(id)).toString() == QDir::cleanPath(libraryPath))
                store.remove(keyOf(id));
    });
}

} // namespace tovu::platform::automation
