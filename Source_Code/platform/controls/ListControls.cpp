#include "platform/controls/ListControls.h"

namespace tovu::platform::controls {

namespace {

std::vector<DispatchMember> listMembers(const std::shared_ptr<ListEntries>& l, const QString& name)
{
    auto entry = [l, name](const Args& a) { return checkedIndex(longArgument(a, 0), 0, l->count() - 1, name); };
    return {
        {QStringLiteral("ListCount"), 1, [l](Args&) { return Variant(std::int32_t{l->count()}); }},
        {QStringLiteral("List"), 2, [l, entry](Args& a) { return Variant(l->item(entry(a))); },
         [l, entry](Args& a) {
             l->setItem(entry(a), assignedValue(a).toString());
             return Variant();
         }},
        {QStringLiteral("ListIndex"), 3, [l](Args&) { return Variant(std::int32_t{l->current()}); },
         [l, name](Args& a) {
             l->setCurrent(checkedIndex(assignedValue(a).toLong(), -1, l->count() - 1, name));
             return Variant();
         }},
        {QStringLiteral("Text"), automation::DispIdValue, [l](Args&) { return Variant(l->text()); },
         [l](Args& a) {
             l->setText(assignedValue(a).toString());
             return Variant();
         }},
        {QStringLiteral("AddItem"), 4,
         [l, name](Args& a) {
             const Variant& at = automation::argumentAt(a, 1);
             const int index = at.isMissing() ? l->count() : checkedIndex(at.toLong(), 0, l->count(), name);
             l->insert(index, textArgument(a, 0));
             return Variant();
         },
         {}, {QStringLiteral("Item"), QStringLiteral("Index")}},
        {QStringLiteral("Clear"), 5, [l](Args&) { l->clear(); return Variant(); }},
    };
}

} // namespace

DispatchRef listBoxDispatch(std::shared_ptr<ListEntries> list)
{
    const QString name = QStringLiteral("ListBox");
    std::vector<DispatchMember> members = listMembers(list, name);
    auto entry = [list, name](const Args& a) { return checkedIndex(longArgument(a, 0), 0, list->count() - 1, name); };
    members.push_back({QStringLiteral("Selected"), 6, [list, entry](Args& a) { return Variant(list->selected(entry(a))); },
                       [list, entry](Args& a) {
                           list->setSelected(entry(a), assignedValue(a).toBoolean());
                           return Variant();
                       }});
    members.push_back({QStringLiteral("SelCount"), 7, [list](Args&) {
                           std::int32_t n = 0;
                           for (int i = 0; i < list->count(); ++i)
                               n += list->selected(i) ? 1 : 0;
                           return Variant(n);
                       }});
    return automation::makeDispatch(std::move(members), name);
}

DispatchRef comboBoxDispatch(std::shared_ptr<ListEntries> combo)
{
    return automation::makeDispatch(listMembers(combo, QStringLiteral("ComboBox")), QStringLiteral("ComboBox"));
}

MemoryList::MemoryList(std::vector<QString> entries, bool comboText)
    : comboText_(comboText)
{
    for (QString& e : entries)
        entries_.push_back({std::move(e), false});
}

void MemoryList::setSelected(int index, bool selected)
{
    entries_.at(static_cast<std::size_t>(index)).selected = selected;
    if (selected)
        current_ = index;
}

void MemoryList::setCurrent(int index)
{
    current_ = index;
    if (comboText_ && index >= 0)
        editText_ = item(index);
}

void MemoryList::insert(int index, const QString& text)
{
    entries_.insert(entries_.begin() + index, Entry{text, false});
    if (current_ >= index)
        ++current_;
}

void MemoryList::clear()
{
    entries_.clear();
    current_ = -1;
    editText_.clear();
}

QString MemoryList::text() const
{
    if (comboText_)
        return editText_;
    return current_ >= 0 ? item(current_) : QString();
}

void MemoryList::setText(const QString& text)
{
    if (comboText_) {
        editText_ = text;
        return;
    }
    // A list box's Text selects the entry that holds it.
    for (int i = 0; i < count(); ++i)
        if (item(i) == text) {
            current_ = i;
            return;
        }
}

} // namespace tovu::platform::controls
