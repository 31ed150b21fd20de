#include "platform/automation/Collection.h"

namespace tovu::platform::automation {

namespace {

[[noreturn]] void raise(std::int32_t number)
{
    throw AutomationError::standard(number, QStringLiteral("Collection"));
}

// A key must be a text; Empty or a missing argument stands for "no key".
std::optional<QString> keyOf(const Variant& key)
{
    if (key.isMissing() || key.isEmpty())
        return std::nullopt;
    if (!key.isString())
        raise(ErrorNumber::TypeMismatch);
    return key.toString();
}

} // namespace

Collection::Collection()
    : DispatchTable(
          {
              {QStringLiteral("Item"), DispIdValue,
               [this](Args& a) {
                   requireArgumentCount(a, 1, 1);
                   return item(a[0]);
               }},
              {QStringLiteral("Add"), 1,
               [this](Args& a) {
                   requireArgumentCount(a, 1, 4);
                   add(a[0], argumentAt(a, 1), argumentAt(a, 2), argumentAt(a, 3));
                   return Variant();
               },
               {},
               {QStringLiteral("Item"), QStringLiteral("Key"), QStringLiteral("Before"), QStringLiteral("After")}},
              {QStringLiteral("Count"), 2,
               [this](Args& a) {
                   requireArgumentCount(a, 0, 0);
                   return Variant(count());
               }},
              {QStringLiteral("Remove"), 3,
               [this](Args& a) {
                   requireArgumentCount(a, 1, 1);
                   remove(a[0]);
                   return Variant();
               }},
          },
          QStringLiteral("Collection"))
{
}

std::size_t Collection::positionOf(const Variant& indexOrKey) const
{
    if (indexOrKey.isString()) {
        const QString key = indexOrKey.toString();
        const QString folded = key.toCaseFolded();
        if (keys_.contains(folded))
            for (std::size_t i = 0; i < items_.size(); ++i)
                if (items_[i].key.toCaseFolded() == folded)
                    return i;
        raise(ErrorNumber::InvalidProcedureCall);
    }
    if (indexOrKey.isMissing() || indexOrKey.isObject() || indexOrKey.isArray())
        raise(ErrorNumber::TypeMismatch);
    const std::int32_t index = indexOrKey.toLong();
    if (index < 1 || index > count())
        raise(ErrorNumber::SubscriptOutOfRange);
    return static_cast<std::size_t>(index - 1);
}

void Collection::add(Variant item, const Variant& key, const Variant& before, const Variant& after)
{
    const std::optional<QString> k = keyOf(key);
    if (k && k->isEmpty())
        raise(ErrorNumber::InvalidProcedureCall);
    const bool hasBefore = !before.isMissing();
    const bool hasAfter = !after.isMissing();
    if (hasBefore && hasAfter)
        raise(ErrorNumber::InvalidProcedureCall);
    std::size_t at = items_.size();
    if (hasBefore)
        at = positionOf(before);
    else if (hasAfter)
        at = positionOf(after) + 1;
    if (k && keys_.contains(k->toCaseFolded()))
        raise(ErrorNumber::DuplicateKey);
    if (k)
        keys_.insert(k->toCaseFolded());
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), Element{std::move(item), k.value_or(QString())});
}

const Variant& Collection::item(const Variant& indexOrKey) const
{
    return items_[positionOf(indexOrKey)].value;
}

void Collection::remove(const Variant& indexOrKey)
{
    const auto at = items_.begin() + static_cast<std::ptrdiff_t>(positionOf(indexOrKey));
    keys_.remove(at->key.toCaseFolded());
    items_.erase(at);
}

} // namespace tovu::platform::automation
