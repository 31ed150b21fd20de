#include "platform/automation/ClassRegistry.h"

#include "platform/automation/AutomationError.h"
#include "platform/automation/ProgId.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace tovu::platform::automation {

namespace {

const QString classesGroup = QStringLiteral("Classes");

QString keyOf(const QString& progId)
{
    return classesGroup + u'/' + progIdKey(progId);
}

void commit(QSettings& store)
{
    store.sync();
    if (store.status() != QSettings::NoError)
        throw AutomationError(Hresult::Fail, QStringLiteral("ClassRegistry"),
                              QStringLiteral("The class registry could not be written: ") + store.fileName());
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
    QSettings store(file_, QSettings::IniFormat);
    for (const QString& id : progIds)
        store.setValue(keyOf(id), QDir::cleanPath(libraryPath));
    commit(store);
}

void ClassRegistry::remove(const QStringList& progIds, const QString& libraryPath)
{
    QSettings store(file_, QSettings::IniFormat);
    for (const QString& id : progIds)
        if (isPlainProgId(id) && store.value(keyOf(id)).toString() == QDir::cleanPath(libraryPath))
            store.remove(keyOf(id));
    commit(store);
}

} // namespace tovu::platform::automation
