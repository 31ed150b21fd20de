// Spell checks of the host's texts: controls, collections, dictionaries, plain strings and
// arrays. Each call runs in a Word session of its own (SpellingSession), puts every text
// through Word's spelling and grammar dialog and writes the checked text back into its
// source. The methods that walk many items raise CurrentRow and CurrentColumn on the way.
//
// A cancel is told by the dialog itself, and also by the first character of the selection
// after it, as the members have always read it: a text beginning with one of a member's
// cancel marks counts as cancelled.
#include "control/HostMembers.h"
#include "control/Recordsets.h"
#include "control/SpellingSession.h"
#include "control/Trap.h"
#include "control/Verbolt.h"
#include "platform/automation/SafeArray.h"

namespace tovu::control {

namespace {

using automation::SafeArray;
using automation::Variant;

constexpr int kSpace = 32;
constexpr int kReturn = 13;

bool ofClass(const automation::DispatchRef& object, const char* name)
{
    return object && object->typeName() == QLatin1String(name);
}

bool blank(const QString& text)
{
    return trimBlanks(text).isEmpty();
}

// Whether the value would convert to a number: numbers, Booleans and Empty do, and texts
// that read as one.
bool numeric(const Variant& value)
{
    if (value.isEmpty())
        return true;
    if (value.isNull() || value.isArray() || value.isObject() || value.isError() || value.isMissing())
        return false;
    if (value.type() == automation::VarType::Date)
        return false;
    if (!value.isString())
        return true;
    if (blank(value.toString()))
        return false;
    try {
        value.toDouble();
        return true;
    } catch (...) {
        return false;
    }
}

// object.name(index) = value.
void assignIndexed(const automation::DispatchRef& object, const QString& name, std::vector<Variant> index, Variant value)
{
    const automation::DispatchRef target = checkedObject(object);
    index.push_back(std::move(value));
    target->invoke(target->dispIdOfName(name), index, automation::CallKind::PropertyPut);
}

void raiseColumnCounter(VerboltEvents* sink, std::int32_t& counter)
{
    if (sink)
        sink->CurrentColumn(counter);
}

// How a single-text member reads and writes its text.
struct TextMember {
    std::function<QString()> read;
    std::function<void(const QString&)> write;
};

// The session around a member's checks: 1 when they ran to their end, onError when
// anything failed on the way (the session then closes quietly).
MethodStatus spellChecked(Verbolt& control, MethodStatus onError, const QString& customDictionary,
                          const std::function<void(SpellingSession&)>& body)
{
    try {
        SpellingSession session(control.wordEnvironment(), customDictionary);
        body(session);
        session.end();
        return 1;
    } catch (...) {
        return onError;
    }
}


// The model of the single-text members: the saved text, the session, one check unless the
// text is blank; on a cancel the saved text goes back, else the checked text unless
// blnNoChanges.
MethodStatus checkOneText(Verbolt& control, MethodStatus onError, const TextMember& member,
                          std::initializer_list<int> marks, bool noChanges, const QString& dictionary)
{
    QString saved;
    try {
        saved = member.read();
    } catch (...) {
        return onError;
    }
    return spellChecked(control, onError, dictionary, [&](SpellingSession& session) {
        if (blank(member.read()))
            return;
        const SpellingSession::Checked checked = session.check(member.read());
        if (checked.cancelledBy(marks))
            member.write(saved);
        else if (!noChanges)
            member.write(checked.text);
        session.deleteSelection();
    });
}

TextMember memberText(const automation::DispatchRef& object, const QString& name)
{
    return {[object, name] { return memberOf(object, name).toString(); },
            [object, name](const QString& text) { assignMember(object, name, Variant(text)); }};
}

// The list-type members: entries 0 to ListCount - 1, numeric and blank ones skipped, a
// cancel ends the walk.
MethodStatus checkListEntries(Verbolt& control, const automation::DispatchRef& list, bool selectedOnly,
                              bool noChanges, const QString& dictionary)
{
    return spellChecked(control, -2, dictionary, [&](SpellingSession& session) {
        control.raiseCurrentColumn(1);
        const std::int32_t count = memberOf(list, QStringLiteral("ListCount")).toLong();
        for (std::int32_t i = 0; i < count; ++i) {
            control.raiseCurrentRow(i + 1);
            if (selectedOnly && !memberOf(list, QStringLiteral("Selected"), {Variant(i)}).toBoolean())
                continue;
            const Variant entry = memberOf(list, QStringLiteral("List"), {Variant(i)});
            if (numeric(entry) || blank(entry.toString()))
                continue;
            const SpellingSession::Checked checked =
                session.check(memberOf(list, QStringLiteral("List"), {Variant(i)}).toString());
            if (checked.cancelledBy({kReturn, kSpace}))
                break;
            if (!noChanges)
                assignIndexed(list, QStringLiteral("List"), {Variant(i)}, Variant(checked.text));
            session.deleteSelection();
        }
    });
}

// One element of an array: skipped unless a text that is not blank; true when cancelled.
bool checkElement(SpellingSession& session, SafeArray& array, std::initializer_list<std::int32_t> at, bool noChanges)
{
    const Variant& element = array.get(at);
    if (!element.isString() || blank(element.toString()))
        return false;
    const SpellingSession::Checked checked = session.check(element.toString());
    if (checked.cancelledBy({kReturn}))
        return true;
    if (!noChanges)
        array.set(at, Variant(checked.text));
    session.deleteSelection();
    return false;
}

// The grids: TextMatrix over the rows and columns asked for; a cancel ends the check.
MethodStatus checkGridCells(Verbolt& control, const automation::DispatchRef& fg, std::int32_t startRow,
                            std::int32_t startCol, std::int32_t endRow, std::int32_t endCol, bool noChanges,
                            const QString& dictionary)
{
    try {
        if (endRow == 0)
            endRow = memberOf(fg, QStringLiteral("Rows")).toLong() - 1;
        if (endCol == 0)
            endCol = memberOf(fg, QStringLiteral("Cols")).toLong() - 1;
    } catch (...) {
        return -1;
    }
    return spellChecked(control, -1, dictionary, [&](SpellingSession& session) {
        for (std::int32_t r = startRow; r <= endRow; ++r) {
            control.raiseCurrentRow(r + 1);
            for (std::int32_t c = startCol; c <= endCol; ++c) {
                control.raiseCurrentColumn(c + 1);
                const Variant cell = memberOf(fg, QStringLiteral("TextMatrix"), {Variant(r), Variant(c)});
                if (numeric(cell) || blank(cell.toString()))
                    continue;
                const SpellingSession::Checked checked =
                    session.check(memberOf(fg, QStringLiteral("TextMatrix"), {Variant(r), Variant(c)}).toString());
                if (checked.cancelledBy({kReturn}))
                    return;
                if (!noChanges)
                    assignIndexed(fg, QStringLiteral("TextMatrix"), {Variant(r), Variant(c)}, Variant(checked.text));
                session.deleteSelection();
            }
        }
    });
}

} // namespace

MethodStatus Verbolt::SpellCheckTextBox(automation::DispatchRef& tb, bool& blnNoChanges, QString& strCustomDictionary)
{
    if (!ofClass(tb, "TextBox"))
        return -1;
    return checkOneText(*this, -2, memberText(tb, QStringLiteral("Text")), {kSpace}, blnNoChanges,
                        strCustomDictionary);
}

MethodStatus Verbolt::SpellCheckRichTextBox(automation::DispatchRef& tb, bool& blnNoChanges,
                                            QString& strCustomDictionary)
{
    return checkOneText(*this, -1, memberText(tb, QStringLiteral("Text")), {kSpace}, blnNoChanges,
                        strCustomDictionary);
}

MethodStatus Verbolt::SpellCheckLabel(automation::DispatchRef& lbl, bool& blnNoChanges, QString& strCustomDictionary)
{
    if (!ofClass(lbl, "Label"))
        return -1;
    return checkOneText(*this, -2, memberText(lbl, QStringLiteral("Caption")), {kReturn, kSpace}, blnNoChanges,
                        strCustomDictionary);
}

MethodStatus Verbolt::SpellCheckText(QString& strText, bool& blnNoChanges, QString& strCustomDictionary)
{
    const TextMember text{[&] { return strText; }, [&](const QString& t) { strText = t; }};
    return checkOneText(*this, -1, text, {kSpace}, blnNoChanges, strCustomDictionary);
}

MethodStatus Verbolt::SpellCheckListBox(automation::DispatchRef& lb, bool& blnSelectedOnly, bool& blnNoChanges,
                                        QString& strCustomDictionary)
{
    if (!ofClass(lb, "ListBox"))
        return -1;
    return checkListEntries(*this, lb, blnSelectedOnly, blnNoChanges, strCustomDictionary);
}

MethodStatus Verbolt::SpellCheckComboBox(automation::DispatchRef& cb, bool& blnNoChanges, QString& strCustomDictionary)
{
    if (!ofClass(cb, "ComboBox"))
        return -1;
    return checkListEntries(*this, cb, false, blnNoChanges, strCustomDictionary);
}

MethodStatus Verbolt::SpellCheckCollection(automation::DispatchRef& cl, bool& blnNoChanges, QString& strCustomDictionary)
{
    if (!ofClass(cl, "Collection"))
        return -1;
    return spellChecked(*this, -2, strCustomDictionary, [&](SpellingSession& session) {
        raiseCurrentColumn(1);
        const std::int32_t count = memberOf(cl, QStringLiteral("Count")).toLong();
        for (std::int32_t i = 1; i <= count; ++i) {
            raiseCurrentRowCounter(i);
            const Variant item = memberOf(cl, QStringLiteral("Item"), {Variant(i)});
            if (!item.isString() || blank(item.toString()))
                continue;
            const SpellingSession::Checked checked = session.check(item.toString());
            if (checked.cancelledBy({kReturn}))
                break;
            // Only a text the check changed is put back: putting back costs the item its key.
            if (!blnNoChanges && checked.text != item.toString()) {
                memberOf(cl, QStringLiteral("Remove"), {Variant(i)});
                if (i == count)
                    memberOf(cl, QStringLiteral("Add"), {Variant(checked.text)});
                else
                    memberOf(cl, QStringLiteral("Add"), {Variant(checked.text), Variant::missing(), Variant(i)});
            }
            session.deleteSelection();
        }
    });
}

MethodStatus Verbolt::SpellCheckDictionary(automation::DispatchRef& dt, bool& blnNoChanges, QString& strCustomDictionary)
{
    return spellChecked(*this, -1, strCustomDictionary, [&](SpellingSession& session) {
        raiseCurrentColumn(1);
        // The keys as they are: a number key stays a number, so that Item finds its entry
        // instead of adding an empty one under the key's text.
        const Variant keys = memberOf(dt, QStringLiteral("Keys"));
        std::vector<Variant> copied;
        const SafeArray& list = keys.array();
        for (std::int32_t k = list.lbound(), last = list.ubound(); k <= last; ++k)
            copied.push_back(list.get({k}));
        const std::int32_t count = memberOf(dt, QStringLiteral("Count")).toLong();
        for (std::int32_t i = 1; i <= count; ++i) {
            raiseCurrentRowCounter(i);
            const Variant& key = copied.at(static_cast<std::size_t>(i - 1));
            const Variant item = memberOf(dt, QStringLiteral("Item"), {key});
            if (!item.isString() || blank(item.toString()))
                continue;
            const SpellingSession::Checked checked = session.check(item.toString());
            if (checked.cancelledBy({kReturn}))
                break;
            if (!blnNoChanges)
                assignIndexed(dt, QStringLiteral("Item"), {key}, Variant(checked.text));
            session.deleteSelection();
        }
    });
}

MethodStatus Verbolt::SpellCheckOneDArray(automation::Variant& varArray, bool& blnNoChanges, QString& strCustomDictionary)
{
    if (!varArray.isArray())
        return -1;
    return spellChecked(*this, -2, strCustomDictionary, [&](SpellingSession& session) {
        SafeArray& array = varArray.array();
        const std::int32_t lo = array.lbound(1);
        const std::int32_t hi = array.ubound(1);
        raiseCurrentColumn(1);
        for (std::int32_t i = lo; i <= hi; ++i) {
            raiseCurrentRow(i + 1);
            if (checkElement(session, array, {i}, blnNoChanges))
                break;
        }
    });
}

MethodStatus Verbolt::SpellCheckTwoDArray(automation::Variant& varArray, bool& blnNoChanges, QString& strCustomDictionary)
{
    if (!varArray.isArray())
        return -1;
    return spellChecked(*this, -2, strCustomDictionary, [&](SpellingSession& session) {
        SafeArray& array = varArray.array();
        const std::int32_t rowLo = array.lbound(1), rowHi = array.ubound(1);
        const std::int32_t colLo = array.lbound(2), colHi = array.ubound(2);
        for (std::int32_t i = rowLo; i <= rowHi; ++i) {
            raiseCurrentRow(i + 1);
            for (std::int32_t j = colLo; j <= colHi; ++j) {
                raiseCurrentColumn(j + 1);
                if (checkElement(session, array, {i, j}, blnNoChanges))
                    return;
            }
        }
    });
}

MethodStatus Verbolt::SpellCheckThreeDArray(automation::Variant& varArray, bool& blnNoChanges,
                                            QString& strCustomDictionary)
{
    if (!varArray.isArray())
        return -1;
    return spellChecked(*this, -2, strCustomDictionary, [&](SpellingSession& session) {
        SafeArray& array = varArray.array();
        const std::int32_t rowLo = array.lbound(1), rowHi = array.ubound(1);
        const std::int32_t colLo = array.lbound(2), colHi = array.ubound(2);
        const std::int32_t pageLo = array.lbound(3), pageHi = array.ubound(3);
        for (std::int32_t k = pageLo; k <= pageHi; ++k)
            for (std::int32_t i = rowLo; i <= rowHi; ++i) {
                raiseCurrentRow(i + 1);
                for (std::int32_t j = colLo; j <= colHi; ++j) {
                    raiseCurrentColumn(j + 1);
                    if (checkElement(session, array, {i, j, k}, blnNoChanges))
                        return;
                }
            }
    });
}

MethodStatus Verbolt::SpellCheckFlexGrid(automation::DispatchRef& fg, std::int32_t& lngStartRow,
                                         std::int32_t& lngStartCol, std::int32_t& lngEndRow, std::int32_t& lngEndCol,
                                         bool& blnNoChanges, QString& strCustomDictionary)
{
    return checkGridCells(*this, fg, lngStartRow, lngStartCol, lngEndRow, lngEndCol, blnNoChanges,
                          strCustomDictionary);
}

MethodStatus Verbolt::SpellCheckHFlexGrid(automation::DispatchRef& fg, std::int32_t& lngStartRow,
                                          std::int32_t& lngStartCol, std::int32_t& lngEndRow, std::int32_t& lngEndCol,
                                          bool& blnNoChanges, QString& strCustomDictionary)
{
    return checkGridCells(*this, fg, lngStartRow, lngStartCol, lngEndRow, lngEndCol, blnNoChanges,
                          strCustomDictionary);
}

MethodStatus Verbolt::SpellCheckDataGrid(automation::DispatchRef& dg, std::int32_t& lngStartCol,
                                         std::int32_t& lngEndCol, bool& blnNoChanges, QString& strCustomDictionary)
{
    return spellChecked(*this, -1, strCustomDictionary, [&](SpellingSession& session) {
        // The start column goes back to the caller as the zero-based index worked with.
        lngStartCol = lngStartCol < 1 ? 0 : lngStartCol - 1;
        const std::int32_t endCol = lngEndCol < 1
                                        ? memberOf(objectOf(dg, QStringLiteral("Columns")), QStringLiteral("Count")).toLong() - 1
                                        : lngEndCol - 1;
        const std::int16_t visible = memberOf(dg, QStringLiteral("VisibleRows")).toInteger();
        std::int32_t p = 0;
        const std::int32_t rows = memberOf(dg, QStringLiteral("approxcount")).toLong();
        for (std::int32_t i = 0; i < rows; ++i) {
            raiseCurrentRow(i + 1);
            if (p == visible)
                p = visible - 1;
            else if (memberOf(dg, QStringLiteral("VisibleRows")).toLong() != visible)
                p = 0;
            assignMember(dg, QStringLiteral("row"), Variant(p));
            ++p;
            for (std::int32_t j = lngStartCol; j <= endCol; ++j) {
                raiseCurrentColumn(j + 1);
                assignMember(dg, QStringLiteral("col"), Variant(j));
                const Variant cell = memberOf(dg, QStringLiteral("Text"));
                if (numeric(cell) || blank(cell.toString()))
                    continue;
                const QString before = memberOf(dg, QStringLiteral("Text")).toString();
                const SpellingSession::Checked checked = session.check(before);
                if (checked.cancelledBy({kReturn, kSpace})) {
                    assignMember(dg, QStringLiteral("Text"), Variant(before));
                    return;
                }
                if (!blnNoChanges)
                    assignMember(dg, QStringLiteral("Text"), Variant(checked.text));
                session.deleteSelection();
            }
        }
        memberOf(dg, QStringLiteral("Scroll"), {Variant(std::int32_t{0}), Variant(-rows - 1)});
    });
}

MethodStatus Verbolt::SpellCheckListView(automation::DispatchRef& lv, bool& blnSelectedOnly, bool& blnIncludeHeadings,
                                         bool& blnNoChanges, QString& strCustomDictionary)
{
    return spellChecked(*this, -1, strCustomDictionary, [&](SpellingSession& session) {
        const automation::DispatchRef headers = objectOf(lv, QStringLiteral("ColumnHeaders"));
        if (blnIncludeHeadings) {
            raiseCurrentRow(0);
            const std::int32_t headings = memberOf(headers, QStringLiteral("Count")).toLong();
            for (std::int32_t i = 1; i <= headings; ++i) {
                raiseColumnCounter(eventSink(), i);
                const automation::DispatchRef header = objectOf(headers, QStringLiteral("Item"), {Variant(i)});
                const QString heading = memberOf(header, QStringLiteral("Text")).toString();
                if (blank(heading))
                    continue;
                const SpellingSession::Checked checked = session.check(heading);
                if (checked.cancelledBy({kReturn}))
                    return;
                if (!blnNoChanges)
                    assignMember(header, QStringLiteral("Text"), Variant(checked.text));
                session.deleteSelection();
            }
        }
        const automation::DispatchRef items = objectOf(lv, QStringLiteral("ListItems"));
        const std::int32_t count = memberOf(items, QStringLiteral("Count")).toLong();
        for (std::int32_t i = 1; i <= count; ++i) {
            raiseCurrentRowCounter(i);
            const automation::DispatchRef item = objectOf(items, QStringLiteral("Item"), {Variant(i)});
            if (blnSelectedOnly && !memberOf(item, QStringLiteral("Selected")).toBoolean())
                continue;
            const Variant text = memberOf(item, QStringLiteral("Text"));
            if (numeric(text) || blank(text.toString()))
                continue;
            const SpellingSession::Checked checked = session.check(text.toString());
            if (checked.cancelledBy({kReturn}))
                return;
            if (!blnNoChanges)
                assignMember(item, QStringLiteral("Text"), Variant(checked.text));
            session.deleteSelection();
            const std::int32_t subItems = memberOf(headers, QStringLiteral("Count")).toLong() - 1;
            for (std::int32_t j = 1; j <= subItems; ++j) {
                raiseColumnCounter(eventSink(), j);
                const Variant sub = memberOf(item, QStringLiteral("SubItems"), {Variant(j)});
                if (numeric(sub) || blank(sub.toString()))
                    continue;
                const SpellingSession::Checked subChecked = session.check(sub.toString());
                if (subChecked.cancelledBy({kReturn}))
                    return;
                if (!blnNoChanges)
                    assignIndexed(item, QStringLiteral("SubItems"), {Variant(j)}, Variant(subChecked.text));
                session.deleteSelection();
            }
        }
    });
}

namespace {

// The records from the current one to the end: CurrentRow with the record's number, then for
// each field CurrentColumn and CurrentField before its value is read. Only texts that are
// not blank are checked; a correction goes back into the field and Update writes it. A
// first character among the marks ends the whole walk.
void checkRecords(Verbolt& control, SpellingSession& session, const automation::DispatchRef& records,
                  std::int32_t firstField, const std::function<std::int32_t()>& lastField,
                  std::initializer_list<int> marks, bool noChanges)
{
    std::int32_t record = 0;
    while (!memberOf(records, QStringLiteral("EOF")).toBoolean()) {
        control.raiseCurrentRow(++record);
        const std::int32_t last = lastField();
        for (std::int32_t f = firstField; f <= last; ++f) {
            control.raiseCurrentColumn(f + 1);
            const automation::DispatchRef field =
                objectOf(objectOf(records, QStringLiteral("Fields")), QStringLiteral("Item"), {Variant(f)});
            control.raiseCurrentField(memberOf(field, QStringLiteral("Name")).toString());
            const Variant value = memberOf(field, QStringLiteral("Value"));
            if (!value.isString() || blank(value.toString()))
                continue;
            const SpellingSession::Checked checked = session.check(value.toString());
            if (checked.cancelledBy(marks))
                return;
            if (!noChanges) {
                assignMember(field, QStringLiteral("Value"), Variant(checked.text));
                memberOf(records, QStringLiteral("Update"));
            }
            session.deleteSelection();
        }
        memberOf(records, QStringLiteral("MoveNext"));
    }
}

std::int32_t lastFieldOf(const automation::DispatchRef& records)
{
    return memberOf(objectOf(records, QStringLiteral("Fields")), QStringLiteral("Count")).toLong() - 1;
}

constexpr std::int32_t kUseClient = 3;
constexpr std::int32_t kOpenForwardOnly = 0;
constexpr std::int32_t kLockOptimistic = 3;
constexpr int kComma = 44;

} // namespace

MethodStatus Verbolt::SpellCheckRecordset(automation::DispatchRef& objRecd, std::int32_t& lngStartCol,
                                          std::int32_t& lngEndCol, bool& blnNoChanges, QString& strCustomDictionary)
{
    try {
        memberOf(objRecd, QStringLiteral("MoveFirst"));
        lngStartCol = lngStartCol < 1 ? 0 : lngStartCol - 1;
        const std::int32_t lastField = lngEndCol < 1 ? lastFieldOf(objRecd) : lngEndCol - 1;
        SpellingSession session(environment_, strCustomDictionary);
        checkRecords(*this, session, objRecd, lngStartCol, [&] { return lastField; }, {kSpace, kReturn}, blnNoChanges);
        memberOf(objRecd, QStringLiteral("MoveFirst"));
        session.end();
        return 1;
    } catch (...) {
        // The recordset stays where the failure left it.
        return -1;
    }
}

MethodStatus Verbolt::SpellCheckDatabaseTable(QString& strDSN, QString& strSQL, QString& strUserID,
                                              QString& strPassword, bool& blnNoChanges, QString& strCustomDictionary)
{
    automation::DispatchRef connection;
    try {
        connection = createObject(QStringLiteral("ADODB.Connection"));
        memberOf(connection, QStringLiteral("Open"), {Variant(odbcConnectionString(strDSN, strUserID, strPassword))});
    } catch (...) {
        return -1;
    }
    automation::DispatchRef records;
    try {
        records = createObject(QStringLiteral("ADODB.Recordset"));
        assignMember(records, QStringLiteral("CursorLocation"), Variant(kUseClient));
        assignMember(records, QStringLiteral("CacheSize"), Variant(std::int32_t{20}));
        memberOf(records, QStringLiteral("Open"),
                 {Variant(strSQL), Variant(connection), Variant(kOpenForwardOnly), Variant(kLockOptimistic)});
    } catch (...) {
        closeQuietly(connection);
        return -2;
    }
    MethodStatus status = 1;
    try {
        SpellingSession session(environment_, strCustomDictionary);
        checkRecords(*this, session, records, 0, [&] { return lastFieldOf(records); }, {kSpace, kReturn, kComma},
                     blnNoChanges);
        session.end();
    } catch (...) {
        status = -3;
    }
    closeQuietly(records);
    closeQuietly(connection);
    return status;
}

MethodStatus Verbolt::CheckSpelling()
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    return trapped<MethodStatus>(-3, [&] { return requireHeldDocument().checkSpelling(), MethodStatus{1}; });
}

// There is no grammar checker here: Word's call fails, and so does the method, with -3.
MethodStatus Verbolt::CheckGrammar()
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    return trapped<MethodStatus>(-3, [&] { return requireHeldDocument().checkGrammar(), MethodStatus{1}; });
}

} // namespace tovu::control
