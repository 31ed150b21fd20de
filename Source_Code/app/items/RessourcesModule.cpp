#include "app/items/RessourcesModule.h"

#include "app/resources/OwnStringTable.h"
#include "platform/automation/Activator.h"
#include "platform/automation/Dispatch.h"

#include <exception>
#include <vector>

namespace tovu::items {

using platform::automation::DispatchRef;
using platform::automation::Variant;

std::optional<QString> OwnResString(int id)
{
    const TovuStringEntry* e = tovu_find_string(&tovu_own_string_table, id);
    if (!e)
        return std::nullopt;
    return QString::fromUtf8(e->text, static_cast<qsizetype>(e->length));
}

LanguageContext::LanguageContext(ObjectFactory createObject)
    : createObject_(std::move(createObject))
{
}

LanguageContext::LanguageContext(platform::automation::Activator& activator)
    : createObject_([&activator](const QString& progId) { return activator.createObject(progId); })
{
}

bool LanguageContext::LoadResourceDll(const QString& lcid)
{
    DispatchRef object;
    try {
        if (createObject_)
            object = createObject_(QStringLiteral("TOVU") + lcid + QStringLiteral(".clsResources"));
    } catch (const std::exception&) {
        return false; // no library for this locale: keep the one in force
    }
    if (!object)
        return false;
    languageResources_ = std::move(object);
    return true;
}

QString LanguageContext::GetResString(int id) const
{
    if (languageResources_) {
        try {
            std::vector<Variant> args{Variant(static_cast<std::int32_t>(id))};
            return languageResources_->call(QStringLiteral("GetresourceString"), args).toString();
        } catch (const std::exception&) {
            // The library lacks the id or failed: this one text comes from our own table.
        }
    }
    return OwnResString(id).value_or(QString());
}

} // namespace tovu::items
