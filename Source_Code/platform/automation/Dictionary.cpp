#include "platform/automation/Dictionary.h"

#include "platform/automation/SafeArray.h"

namespace tovu::platform::automation {

namespace {

[[noreturn]] void raise(std::int32_t number)
{
    throw AutomationError::standard(number, QStringLiteral("Dictionary"));
}

} // namespace

Dictionary::Dictionary()
    : DispatchTable(
          {
              {QStringLiteral("Item"), DispIdValue,
               [this](Args& a) {
                   requireArgumentCount(a, 1, 1);
                   return item(a[0]);
               },
               [this](Args& a) {
                   requireArgumentCount(a, 2, 2);
                   setItem(a[0], a[1]);
                   return Variant();
               }},
              {QStringLiteral("Add"), 1,
               [this](Args& a) {
                   requireArgumentCount(a, 2, 2);
                   add(a[0], a[1]);
                   return Variant();
               },
               {},
               {QStringLiteral("Key"), QStringLiteral("Item")}},
              {QStringLiteral("Count"), 2,
               [this](Args& a) {
                   requireArgumentCount(a, 0, 0);
                   return Variant(count());
               }},
              {QStringLiteral("Exists"), 3,
               [this](Args& a) {
                   requireArgumentCount(a, 1, 1);
                   return Variant(exists(a[0]));
               }},
              {QStringLiteral("Items"), 4, [this](Args&) { return Variant(items()); }},
              {QStringLiteral("Keys"), 5, [this](Args&) { return Variant(keys()); }},
              {QStringLiteral("Remove"), 6,
               [this](Args& a) {
                   requireArgumentCount(a, 1, 1);
                   remove(a[0]);
                   return Variant();
               }},
              {QStringLiteral("RemoveAll"), 7,
               [this](Args&) {
                   removeAll();
                   return Variant();
               }},
              {QStringLiteral("CompareMode"), 8, [this](Args&) { return Variant(compareMode()); },
               [this](Args& a) {
                   requireArgumentCount(a, 1, 1);
                   setCompareMode(a[0].toLong());
                   return Variant();
               }},
              {QStringLiteral("Key"), 10, {},
               [this](Args& a) {
                   requireArgumentCount(a, 2, 2);
                   renameKey(a[0], a[1]);
                   return Variant();
               }},
          },
          QStringLiteral("Dictionary"))
{
}

QString Dictionary::identityOf(const Variant& key) const
{
    switch (key.type()) {
    case VarType::Empty: return QStringLiteral("e");
    case VarType::Null: return QStringLiteral("z");
    case VarType::String:
        return u's' + (compareMode_ == TextCompare ? key.toString().toCaseFolded() : key.toString());
    case VarType::Object:
        return u'o' + QString::number(reinterpret_cast<quintptr>(key.toObject().get()));
    case VarType::Error: return u'r' + QString::number(key.errorCode());
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Date:
    case VarType::Boolean:
    case VarType::Byte: {
        const double v = key.toDouble();
        return u'n' + QString::number(v == 0.0 ? 0.0 : v, 'g', 17);  // -0 and 0 are one key
    }
    default: raise(ErrorNumber::TypeMismatch);  // arrays are no keys
    }
}

void Dictionary::reindexFrom(std::size_t first)
{
    for (std::size_t i = first; i < entries_.size(); ++i)
        index_[identityOf(entries_[i].key)] = i;
}

void Dictionary::add(const Variant& key, Variant item)
{
    const QString id = identityOf(key);
    if (index_.contains(id))
        raise(ErrorNumber::DuplicateKey);
    index_.insert(id, entries_.size());
    entries_.push_back(Entry{key, std::move(item)});
}

bool Dictionary::exists(const Variant& key) const
{
    return index_.contains(identityOf(key));
}

Variant Dictionary::item(const Variant& key)
{
    const QString id = identityOf(key);
    if (const auto it = index_.constFind(id); it != index_.constEnd())
        return entries_[*it].item;
    add(key, Variant());
    return Variant();
}

void Dictionary::setItem(const Variant& key, Variant item)
{
    const QString id = identityOf(key);
    if (const auto it = index_.constFind(id); it != index_.constEnd())
        entries_[*it].item = std::move(item);
    else
        add(key, std::move(item));
}

void Dictionary::renameKey(const Variant& key, const Variant& newKey)
{
    const auto it = index_.constFind(identityOf(key));
    if (it == index_.constEnd())
        raise(ErrorNumber::ElementNotFound);
    const QString newId = identityOf(newKey);
    if (index_.contains(newId))
        raise(ErrorNumber::DuplicateKey);
    const std::size_t at = *it;
    index_.erase(it);
    index_.insert(newId, at);
    entries_[at].key = newKey;
}

void Dictionary::remove(const Variant& key)
{
    const auto it = index_.constFind(identityOf(key));
    if (it == index_.constEnd())
        raise(ErrorNumber::ElementNotFound);
    const std::size_t at = *it;
    index_.erase(it);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
    reindexFrom(at);
}

void Dictionary::removeAll()
{
    entries_.clear();
    index_.clear();
}

SafeArray Dictionary::keys() const
{
    std::vector<Variant> values;
    values.reserve(entries_.size());
    for (const Entry& e : entries_)
        values.push_back(e.key);
    return SafeArray::ofValues(std::move(values));
}

SafeArray Dictionary::items() const
{
    std::vector<Variant> values;
    values.reserve(entries_.size());
    for (const Entry& e : entries_)
        values.push_back(e.item);
    return SafeArray::ofValues(std::move(values));
}

void Dictionary::setCompareMode(std::int32_t mode)
{
    if (!entries_.empty() || mode < BinaryCompare || mode > TextCompare)
        raise(ErrorNumber::InvalidProcedureCall);
    compareMode_ = mode;
}

} // namespace tovu::platform::automation
