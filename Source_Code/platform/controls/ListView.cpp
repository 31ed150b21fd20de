#include "platform/controls/ListView.h"

namespace tovu::platform::controls {

namespace {

const QString kName = QStringLiteral("ListView");

DispatchRef listItemDispatch(const std::shared_ptr<ListViewItems>& v, int k)
{
    auto sub = [v](const Args& a) { return checkedIndex(longArgument(a, 0), 1, std::max(1, v->columnCount() - 1), kName); };
    auto alive = [v, k] { checkedIndex(k, 1, v->itemCount(), kName); };
    return automation::makeDispatch(
        {
            {QStringLiteral("Text"), automation::DispIdValue, [v, k, alive](Args&) { alive(); return Variant(v->itemText(k)); },
             [v, k, alive](Args& a) { alive(); v->setItemText(k, assignedValue(a).toString()); return Variant(); }},
            {QStringLiteral("Selected"), 1, [v, k, alive](Args&) { alive(); return Variant(v->itemSelected(k)); },
             [v, k, alive](Args& a) { alive(); v->setItemSelected(k, assignedValue(a).toBoolean()); return Variant(); }},
            {QStringLiteral("SubItems"), 2, [v, k, sub, alive](Args& a) { alive(); return Variant(v->subItem(k, sub(a))); },
             [v, k, sub, alive](Args& a) {
                 alive();
                 v->setSubItem(k, sub(a), assignedValue(a).toString());
                 return Variant();
             }},
            {QStringLiteral("Index"), 3, [k](Args&) { return Variant(std::int32_t{k}); }},
        },
        QStringLiteral("ListItem"));
}

DispatchRef listItemsDispatch(const std::shared_ptr<ListViewItems>& v)
{
    return automation::makeDispatch(
        {
            {QStringLiteral("Count"), 1, [v](Args&) { return Variant(std::int32_t{v->itemCount()}); }},
            {QStringLiteral("Item"), automation::DispIdValue,
             [v](Args& a) { return Variant(listItemDispatch(v, checkedIndex(longArgument(a, 0), 1, v->itemCount(), kName))); }},
            // Add([Index], [Key], [Text]): the item goes to the end; index and key are not kept.
            {QStringLiteral("Add"), 2,
             [v](Args& a) {
                 const Variant& text = automation::argumentAt(a, 2);
                 return Variant(listItemDispatch(v, v->addItem(text.isMissing() ? QString() : text.toString())));
             },
             {}, {QStringLiteral("Index"), QStringLiteral("Key"), QStringLiteral("Text")}},
        },
        QStringLiteral("IListItems"));
}

DispatchRef columnHeadersDispatch(const std::shared_ptr<ListViewItems>& v)
{
    auto header = [v](int c) {
        return automation::makeDispatch(
            {{QStringLiteral("Text"), automation::DispIdValue, [v, c](Args&) { return Variant(v->columnText(c)); },
              [v, c](Args& a) { v->setColumnText(c, assignedValue(a).toString()); return Variant(); }}},
            QStringLiteral("ColumnHeader"));
    };
    return automation::makeDispatch(
        {
            {QStringLiteral("Count"), 1, [v](Args&) { return Variant(std::int32_t{v->columnCount()}); }},
            {QStringLiteral("Item"), automation::DispIdValue,
             [v, header](Args& a) { return Variant(header(checkedIndex(longArgument(a, 0), 1, v->columnCount(), kName))); }},
        },
        QStringLiteral("IColumnHeaders"));
}

} // namespace

DispatchRef listViewDispatch(std::shared_ptr<ListViewItems> view)
{
    return automation::makeDispatch(
        {
            {QStringLiteral("ListItems"), 1, [view](Args&) { return Variant(listItemsDispatch(view)); }},
            {QStringLiteral("ColumnHeaders"), 2, [view](Args&) { return Variant(columnHeadersDispatch(view)); }},
            {QStringLiteral("SetFocus"), 3, [view](Args&) { view->setFocus(); return Variant(); }},
        },
        kName);
}

void ListViewItems::setColumnText(int, const QString&)
{
    raiseReadOnly(kName);
}

MemoryListView::MemoryListView(std::vector<QString> columns)
    : columns_(std::move(columns))
{
}

QString MemoryListView::subItem(int item, int sub) const
{
    const Item& i = at(item);
    return sub - 1 < static_cast<int>(i.subItems.size()) ? i.subItems[static_cast<std::size_t>(sub - 1)] : QString();
}

void MemoryListView::setSubItem(int item, int sub, const QString& text)
{
    Item& i = at(item);
    if (static_cast<int>(i.subItems.size()) < sub)
        i.subItems.resize(static_cast<std::size_t>(sub));
    i.subItems[static_cast<std::size_t>(sub - 1)] = text;
}

int MemoryListView::addItem(const QString& text)
{
    items_.push_back(Item{text, false, {}});
    return itemCount();
}

} // namespace tovu::platform::controls
