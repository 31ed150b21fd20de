// The host's list and text controls, collections and dictionaries copied into arrays, and
// two-column arrays into collections and dictionaries. Every object is read by member name;
// where a method needs a particular class it tests the object's class name first.
#include "control/HostArrays.h"
#include "control/HostMembers.h"
#include "control/Trap.h"
#include "control/DelimitedText.h"
#include "control/Verbolt.h"
#include "control/clsConcat.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/SafeArray.h"

namespace tovu::control {

namespace {

using automation::SafeArray;
using automation::Variant;

// A one-dimensional array from 0 of count values; count 0 cannot be sized.
template <typename F>
SafeArray arrayOf(std::int32_t count, F valueAt)
{
    if (count < 1)
        throw automation::AutomationError::standard(automation::ErrorNumber::SubscriptOutOfRange);
    SafeArray array({{0, count - 1}});
    for (std::int32_t i = 0; i < count; ++i)
        array.set({i}, valueAt(i));
    return array;
}

// The entries List(0) to List(ListCount - 1) of a list-type control, or only those whose
// Selected is True.
SafeArray listEntries(const automation::DispatchRef& list, bool selectedOnly)
{
    const std::int32_t count = memberOf(list, QStringLiteral("ListCount")).toLong();
    std::vector<std::int32_t> taken;
    for (std::int32_t i = 0; i < count; ++i)
        if (!selectedOnly || memberOf(list, QStringLiteral("Selected"), {Variant(i)}).toBoolean())
            taken.push_back(i);
    return arrayOf(static_cast<std::int32_t>(taken.size()), [&](std::int32_t k) {
        return memberOf(list, QStringLiteral("List"), {Variant(taken[static_cast<std::size_t>(k)])});
    });
}

// The lines of a control's Text, one element each; CR dropped, a last line without LF kept.
SafeArray textLines(const automation::DispatchRef& box)
{
    QString text = memberOf(box, QStringLiteral("Text")).toString();
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    QStringList lines;
    clsConcat builder;
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            lines << builder.GetString();
            builder.ReInit();
        } else if (c != QLatin1Char('\r')) {
            builder.SConcat(QString(c));
        }
    }
    return arrayOf(static_cast<std::int32_t>(lines.size()),
                   [&](std::int32_t i) { return Variant(lines[i]); });
}

// Each row's first two columns, handed to add(first, second as text).
template <typename F>
void eachPair(const SafeArray& array, F add)
{
    const std::int32_t first = array.lbound(2);
    for (std::int32_t r = array.lbound(1), last = array.ubound(1); r <= last; ++r)
        add(array.get({r, first}), Variant(array.get({r, first + 1}).toString()));
}

// The list-type method shape: the class test (-1), the array test (-2), then the entries
// (-3 for none and for any failure).
MethodStatus listToArray(const automation::DispatchRef& list, const char* className, Variant& varArray,
                         bool selectedOnly)
{
    if (!isClass(list, className))
        return -1;
    if (!varArray.isArray())
        return -2;
    return trapped<MethodStatus>(-3, [&] {
        varArray = Variant(listEntries(list, selectedOnly));
        return MethodStatus{1};
    });
}

// object.name(index) = value.
void assignIndexed(const automation::DispatchRef& object, const QString& name, const Variant& index, Variant value)
{
    const automation::DispatchRef target = checkedObject(object);
    std::vector<Variant> args{index, std::move(value)};
    target->invoke(target->dispIdOfName(name), args, automation::CallKind::PropertyPut);
}

} // namespace

MethodStatus Verbolt::ComboBoxToOneDArray(automation::DispatchRef& cb, automation::Variant& varArray)
{
    return listToArray(cb, "ComboBox", varArray, false);
}

MethodStatus Verbolt::DirListBoxToOneDArray(automation::DispatchRef& dlb, automation::Variant& varArray)
{
    // The folders above the current one (List(-1) and lower) are not taken.
    return listToArray(dlb, "DirListBox", varArray, false);
}

MethodStatus Verbolt::DriveListBoxToOneDArray(automation::DispatchRef& dlb, automation::Variant& varArray)
{
    return listToArray(dlb, "DriveListBox", varArray, false);
}

MethodStatus Verbolt::FileListBoxToOneDArray(automation::DispatchRef& flb, automation::Variant& varArray,
                                             bool& blnSelectedOnly)
{
    if (!isClass(flb, "FileListBox"))
        return -1;
    if (!varArray.isArray())
        return -2;
    return trapped<MethodStatus>(-3, [&] {
        // The array grows by one element per file taken, so with none taken it stays as it
        // was; its elements keep their kind.
        std::vector<Variant> taken;
        for (std::int32_t i = 0, count = memberOf(flb, QStringLiteral("ListCount")).toLong(); i < count; ++i)
            if (!blnSelectedOnly || memberOf(flb, QStringLiteral("Selected"), {Variant(i)}).toBoolean())
                taken.push_back(memberOf(flb, QStringLiteral("List"), {Variant(i)}));
        if (taken.empty())
            return MethodStatus{1};
        SafeArray array({{0, static_cast<std::int32_t>(taken.size()) - 1}}, varArray.array().elementType());
        for (std::size_t k = 0; k < taken.size(); ++k)
            array.set({static_cast<std::int32_t>(k)}, taken[k]);
        varArray = Variant(std::move(array));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::ListBoxToOneDArray(automation::DispatchRef& lb, automation::Variant& varArray,
                                         bool& blnSelectedOnly)
{
    return listToArray(lb, "ListBox", varArray, blnSelectedOnly);
}

MethodStatus Verbolt::TextBoxToOneDArray(automation::DispatchRef& tb, automation::Variant& varArray)
{
    if (!isClass(tb, "TextBox"))
        return -1;
    if (!varArray.isArray())
        return -2;
    return trapped<MethodStatus>(-3, [&] {
        varArray = Variant(textLines(tb));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::RichTextBoxToOneDArray(automation::DispatchRef& tb, automation::Variant& varArray)
{
    if (!varArray.isArray())
        return -1;
    return trapped<MethodStatus>(-2, [&] {
        varArray = Variant(textLines(tb));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::CollectionToOneDArray(automation::DispatchRef& cl, automation::Variant& varArray)
{
    if (!isClass(cl, "Collection"))
        return -1;
    if (!varArray.isArray())
        return -2;
    return trapped<MethodStatus>(-3, [&] {
        varArray = Variant(arrayOf(memberOf(cl, QStringLiteral("Count")).toLong(), [&](std::int32_t i) {
            return memberOf(cl, QStringLiteral("Item"), {Variant(i + 1)});
        }));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::DictionaryToArray(automation::DispatchRef& dt, automation::Variant& varArray,
                                        bool& blnIncludeKeys)
{
    if (!varArray.isArray())
        return -1;
    return trapped<MethodStatus>(-2, [&] {
        const std::int32_t count = memberOf(dt, QStringLiteral("Count")).toLong();
        const Variant items = memberOf(dt, QStringLiteral("Items"));
        const auto item = [&](std::int32_t i) { return items.array().get({items.array().lbound(1) + i}); };
        if (!blnIncludeKeys) {
            varArray = Variant(arrayOf(count, item));
            return MethodStatus{1};
        }
        if (count < 1)
            throw automation::AutomationError::standard(automation::ErrorNumber::SubscriptOutOfRange);
        const Variant keys = memberOf(dt, QStringLiteral("Keys"));
        SafeArray array({{0, count - 1}, {0, 1}});
        for (std::int32_t i = 0; i < count; ++i) {
            array.set({i, 0}, keys.array().get({keys.array().lbound(1) + i}));
            array.set({i, 1}, item(i));
        }
        varArray = Variant(std::move(array));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::TwoDArrayToDictionary(automation::Variant& varArray, automation::DispatchRef& dt)
{
    if (!varArray.isArray())
        return -1;
    return trapped<MethodStatus>(-2, [&] {
        eachPair(varArray.array(), [&](const Variant& first, const Variant& second) {
            memberOf(dt, QStringLiteral("Add"), {first, second});
        });
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::TwoDArrayToCollection(automation::Variant& varArray, automation::DispatchRef& cl)
{
    if (!varArray.isArray())
        return -1;
    if (!isClass(cl, "Collection"))
        return -2;
    return trapped<MethodStatus>(-3, [&] {
        eachPair(varArray.array(), [&](const Variant& first, const Variant& second) {
            memberOf(cl, QStringLiteral("Add"), {first, second});
        });
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::ListViewToArray(automation::DispatchRef& lv, automation::Variant& varArray,
                                      bool& blnSelectedOnly, bool& blnIncludeHeadings)
{
    if (!varArray.isArray())
        return -1;
    return trapped<MethodStatus>(-2, [&] {
        varArray = Variant(listViewArray(lv, blnSelectedOnly, blnIncludeHeadings));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::TwoDArrayToListView(automation::Variant& varArray, automation::DispatchRef& lv,
                                          automation::Variant& varSelectItems)
{
    if (!varArray.isArray())
        return -1;
    return trapped<MethodStatus>(-2, [&] {
        const SafeArray& array = varArray.array();
        const automation::DispatchRef items = objectOf(lv, QStringLiteral("ListItems"));
        const std::int32_t firstColumn = array.lbound(2);
        for (std::int32_t r = array.lbound(1), lastRow = array.ubound(1); r <= lastRow; ++r) {
            const automation::DispatchRef item =
                objectOf(items, QStringLiteral("Add"),
                         {Variant::missing(), Variant::missing(), Variant(array.get({r, firstColumn}).toString())});
            for (std::int32_t c = firstColumn + 1, lastColumn = array.ubound(2); c <= lastColumn; ++c)
                assignIndexed(item, QStringLiteral("SubItems"), Variant(c - firstColumn), array.get({r, c}));
        }
        memberOf(lv, QStringLiteral("SetFocus"));
        const auto itemAt = [&](std::int32_t k) { return objectOf(items, QStringLiteral("Item"), {Variant(k)}); };
        assignMember(itemAt(1), QStringLiteral("Selected"), Variant(false));
        // Selects the first item whose text equals wanted, without regard to case.
        const auto select = [&](const QString& wanted) {
            for (std::int32_t k = 1, count = memberOf(items, QStringLiteral("Count")).toLong(); k <= count; ++k)
                if (memberOf(itemAt(k), QStringLiteral("Text")).toString().compare(wanted, Qt::CaseInsensitive) == 0) {
                    assignMember(itemAt(k), QStringLiteral("Selected"), Variant(true));
                    return;
                }
        };
        if (varSelectItems.isArray()) {
            const SafeArray& wanted = varSelectItems.array();
            for (std::int32_t i = wanted.lbound(1), last = wanted.ubound(1); i <= last; ++i)
                select(wanted.get({i}).toString());
        } else if (varSelectItems.isString()) {
            select(varSelectItems.toString());
        }
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::TwoDArrayToFlexGrid(automation::Variant& varArray, automation::DispatchRef& fg)
{
    if (!varArray.isArray())
        return -1;
    return trapped<MethodStatus>(-2, [&] {
        const SafeArray& array = varArray.array();
        assignMember(fg, QStringLiteral("Rows"), Variant(array.ubound(1) + 1));
        assignMember(fg, QStringLiteral("cols"), Variant(array.ubound(2) + 1));
        // Cells are numbered row by row from 0, whatever the array's lower bounds.
        std::int32_t cell = 0;
        for (std::int32_t r = array.lbound(1), lastRow = array.ubound(1); r <= lastRow; ++r)
            for (std::int32_t c = array.lbound(2), lastColumn = array.ubound(2); c <= lastColumn; ++c)
                assignIndexed(fg, QStringLiteral("Textarray"), Variant(cell++), array.get({r, c}));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::TwoDArrayToTreeView(automation::Variant& varArray, automation::DispatchRef& tv,
                                          bool& blnExpandAll)
{
    if (!varArray.isArray())
        return -1;
    return trapped<MethodStatus>(-2, [&] {
        const SafeArray& array = varArray.array();
        const automation::DispatchRef nodes = objectOf(tv, QStringLiteral("Nodes"));
        // The last node made at each depth from 1; a row's column is its node's depth.
        std::vector<automation::DispatchRef> lastAtDepth;
        for (std::int32_t r = array.lbound(1), lastRow = array.ubound(1); r <= lastRow; ++r) {
            std::size_t depth = 1;
            for (std::int32_t c = array.lbound(2), lastColumn = array.ubound(2); c <= lastColumn; ++c, ++depth) {
                const QString text = joinedText(array.get({r, c}));
                if (text.isEmpty())
                    continue;
                automation::DispatchRef node;
                if (depth == 1) {
                    node = objectOf(nodes, QStringLiteral("Add"),
                                    {Variant::missing(), Variant::missing(), Variant::missing(), Variant(text)});
                } else {
                    const automation::DispatchRef parent =
                        depth - 2 < lastAtDepth.size() ? lastAtDepth[depth - 2] : automation::DispatchRef();
                    node = objectOf(nodes, QStringLiteral("Add"),
                                    {Variant(checkedObject(parent)), Variant(std::int32_t{4}), Variant::missing(),
                                     Variant(text)});
                    if (blnExpandAll)
                        memberOf(node, QStringLiteral("EnsureVisible"));
                }
                if (lastAtDepth.size() < depth)
                    lastAtDepth.resize(depth);
                lastAtDepth[depth - 1] = node;
            }
        }
        assignMember(objectOf(nodes, QStringLiteral("Item"), {Variant(std::int32_t{1})}), QStringLiteral("Selected"),
                     Variant(true));
        return MethodStatus{1};
    });
}

} // namespace tovu::control
