// The contents of host objects written into the held document: the entries of list-type
// controls, collections and dictionaries joined into one paragraph, the text of a single-value
// control, the elements of an array and the lines of a text file, each formatted as
// TextToWord formats its paragraph; a dictionary with its keys becomes a two-column table.
// Host objects are read by member name; where a member needs a particular class it tests the
// object's class first (-3).
#include "control/HostMembers.h"
#include "control/ParagraphWriter.h"
#include "control/Trap.h"
#include "control/Verbolt.h"
#include "control/clsConcat.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/SafeArray.h"

namespace tovu::control {

namespace {

using automation::DispatchRef;
using automation::SafeArray;
using automation::Variant;

TextFormat formatOf(VERBOLT_TEXT_FORMAT_PARAMS)
{
    return TextFormat{blnBold,      strFont,   intSize,   intSpaceAfter, lngParagraphAlign, lngColor,
                      blnItalic,    blnUnderline, lngAnimation, blnEmboss, blnEngrave, blnShadow,
                      blnStrikeThrough, lngInsertionPoint};
}

// Entries joined as the list-type members join them: the delimiter after every entry whose
// ordinal is not last, then the end text once, also when no entry was written.
class JoinedEntries {
public:
    JoinedEntries(const QString& delimiter, std::int32_t last) : delimiter_(delimiter), last_(last) {}
    void add(const QString& entry)
    {
        builder_.SConcat(entry);
        if (written_ != last_)
            builder_.SConcat(delimiter_);
        ++written_;
    }
    QString finish(const QString& endText)
    {
        builder_.SConcat(endText);
        return builder_.GetString();
    }

private:
    clsConcat builder_;
    const QString& delimiter_;
    std::int32_t last_;
    std::int32_t written_ = 0;
};

// A value read as one step of a member that carries errors past: what it read, or the empty
// value when the read failed (the failure is noted in steps).
template <typename T, typename F>
T carried(StepErrors& steps, F read)
{
    T value{};
    steps([&] { value = read(); });
    return value;
}

std::int32_t listCount(StepErrors& steps, const DispatchRef& list)
{
    return carried<std::int32_t>(steps, [&] { return memberOf(list, QStringLiteral("ListCount")).toLong(); });
}

bool isSelected(StepErrors& steps, const DispatchRef& list, std::int32_t i)
{
    return carried<bool>(steps, [&] { return memberOf(list, QStringLiteral("Selected"), {Variant(i)}).toBoolean(); });
}

// object.name(i) as text.
QString indexedText(StepErrors& steps, const DispatchRef& object, const QString& name, std::int32_t i)
{
    return carried<QString>(steps, [&] { return memberOf(object, name, {Variant(i)}).toString(); });
}

// The entries List(0) to List(ListCount - 1) of a list-type control, or only the selected
// ones, joined; last is the ordinal of the entry after which no delimiter follows.
QString joinedList(StepErrors& steps, const DispatchRef& list, std::int32_t last, bool selectedOnly,
                   const QString& delimiter, const QString& endText)
{
    JoinedEntries joined(delimiter, last);
    for (std::int32_t i = 0, count = listCount(steps, list); i < count; ++i) {
        if (selectedOnly && !isSelected(steps, list, i))
            continue;
        joined.add(indexedText(steps, list, QStringLiteral("List"), i));
    }
    return joined.finish(endText);
}

// Every entry of a list-type control, joined.
QString joinedAll(StepErrors& steps, const DispatchRef& list, const QString& delimiter, const QString& endText)
{
    return joinedList(steps, list, listCount(steps, list) - 1, false, delimiter, endText);
}

// A single-value control's text as the paragraph's text, read once the paragraph is there.
MethodStatus writeControlText(word::Document& document, const DispatchRef& control, const QString& member,
                              const TextFormat& format, MethodStatus failure)
{
    return trapped<MethodStatus>(failure, [&] {
        writeParagraph(document, [&] { return memberOf(control, member).toString(); }, format);
        return MethodStatus{1};
    });
}

// The list-type members end alike: the joined text goes to TextToWord, and the member fails
// with its code when reading the host object or writing the paragraph failed.
MethodStatus handOver(Verbolt& control, QString text, const StepErrors& steps, MethodStatus failure,
                      VERBOLT_TEXT_FORMAT_PARAMS)
{
    const MethodStatus written = control.TextToWord(text, VERBOLT_TEXT_FORMAT_ARGS);
    return steps.raised() || written != 1 ? failure : MethodStatus{1};
}

} // namespace


MethodStatus Verbolt::ListBoxToWord(automation::DispatchRef& lb, QString& strDelimiter, QString& strEndOfDataChar,
                                    bool& blnSelectedOnly, VERBOLT_TEXT_FORMAT_PARAMS)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    if (!isClass(lb, "ListBox"))
        return -3;
    StepErrors steps;
    const std::int32_t last =
        blnSelectedOnly
            ? carried<std::int32_t>(steps, [&] { return memberOf(lb, QStringLiteral("SelCount")).toLong(); }) - 1
            : listCount(steps, lb) - 1;
    const QString text = joinedList(steps, lb, last, blnSelectedOnly, strDelimiter, strEndOfDataChar);
    return handOver(*this, text, steps, -4, VERBOLT_TEXT_FORMAT_ARGS);
}

MethodStatus Verbolt::FileListBoxToWord(automation::DispatchRef& flb, QString& strDelimiter, bool& blnSelectedOnly,
                                        QString& strEndOfDataChar, VERBOLT_TEXT_FORMAT_PARAMS)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    if (!isClass(flb, "FileListBox"))
        return -3;
    StepErrors steps;
    // A file list box has no selection count: the selected files are counted first.
    std::int32_t last = 0;
    if (blnSelectedOnly) {
        std::int32_t selected = 0;
        for (std::int32_t i = 0, count = listCount(steps, flb); i < count; ++i)
            selected += isSelected(steps, flb, i) ? 1 : 0;
        last = selected > 0 ? selected - 1 : 0;
    } else {
        last = listCount(steps, flb) - 1;
    }
    const QString text = joinedList(steps, flb, last, blnSelectedOnly, strDelimiter, strEndOfDataChar);
    return handOver(*this, text, steps, -4, VERBOLT_TEXT_FORMAT_ARGS);
}

MethodStatus Verbolt::ComboBoxToWord(automation::DispatchRef& cb, QString& strDelimiter, QString& strEndOfDataChar,
                                     bool& blnSelectedOnly, VERBOLT_TEXT_FORMAT_PARAMS)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    if (!isClass(cb, "ComboBox"))
        return -3;
    StepErrors steps;
    // Only the current text: neither delimiter nor end text.
    const QString text =
        blnSelectedOnly
            ? carried<QString>(steps, [&] { return memberOf(cb, QStringLiteral("Text")).toString(); })
            : joinedAll(steps, cb, strDelimiter, strEndOfDataChar);
    return handOver(*this, text, steps, -4, VERBOLT_TEXT_FORMAT_ARGS);
}

MethodStatus Verbolt::DirListBoxToWord(automation::DispatchRef& dlb, QString& strDelimiter,
                                       QString& strEndOfDataChar, VERBOLT_TEXT_FORMAT_PARAMS)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    if (!isClass(dlb, "DirListBox"))
        return -3;
    StepErrors steps;
    // The folders from the current one down (List(0) on); those above it are not written.
    const QString text = joinedAll(steps, dlb, strDelimiter, strEndOfDataChar);
    return handOver(*this, text, steps, -4, VERBOLT_TEXT_FORMAT_ARGS);
}

MethodStatus Verbolt::DriveListBoxToWord(automation::DispatchRef& dlb, QString& strDelimiter,
                                         QString& strEndOfDataChar, VERBOLT_TEXT_FORMAT_PARAMS)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    if (!isClass(dlb, "DriveListBox"))
        return -3;
    StepErrors steps;
    const QString text = joinedAll(steps, dlb, strDelimiter, strEndOfDataChar);
    return handOver(*this, text, steps, -4, VERBOLT_TEXT_FORMAT_ARGS);
}

MethodStatus Verbolt::CollectionToWord(automation::DispatchRef& cl, QString& strDelimiter,
                                       QString& strEndOfDataChar, VERBOLT_TEXT_FORMAT_PARAMS)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    if (!isClass(cl, "Collection"))
        return -3;
    StepErrors steps;
    const std::int32_t count =
        carried<std::int32_t>(steps, [&] { return memberOf(cl, QStringLiteral("Count")).toLong(); });
    JoinedEntries joined(strDelimiter, count - 1);
    for (std::int32_t i = 1; i <= count; ++i)
        joined.add(indexedText(steps, cl, QStringLiteral("Item"), i));
    const QString text = joined.finish(strEndOfDataChar);
    return handOver(*this, text, steps, -4, VERBOLT_TEXT_FORMAT_ARGS);
}

MethodStatus Verbolt::DictionaryToWord(automation::DispatchRef& dt, QString& strDelimiter, bool& blnIncludeKeys,
                                       QString& strEndOfDataChar, VERBOLT_TEXT_FORMAT_PARAMS)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    return trapped<MethodStatus>(-3, [&] {
        const std::int32_t count = memberOf(dt, QStringLiteral("Count")).toLong();
        const Variant items = memberOf(dt, QStringLiteral("Items"));
        const auto item = [&](std::int32_t i) { return items.array().get({items.array().lbound(1) + i}); };
        if (!blnIncludeKeys) {
            JoinedEntries joined(strDelimiter, count - 1);
            for (std::int32_t i = 0; i < count; ++i)
                joined.add(item(i).toString());
            QString text = joined.finish(strEndOfDataChar);
            return TextToWord(text, VERBOLT_TEXT_FORMAT_ARGS) == 1 ? MethodStatus{1} : MethodStatus{-3};
        }
        // Keys and items as a table in a fixed look, whatever the caller's formatting.
        // As with any array of rows 0 to Count - 1, an empty dictionary gives no table.
        if (count < 1)
            throw automation::AutomationError::standard(automation::ErrorNumber::SubscriptOutOfRange);
        const Variant keys = memberOf(dt, QStringLiteral("Keys"));
        SafeArray pairs({{0, count - 1}, {0, 1}});
        for (std::int32_t i = 0; i < count; ++i) {
            pairs.set({i, 0}, keys.array().get({keys.array().lbound(1) + i}));
            pairs.set({i, 1}, item(i));
        }
        Variant table(std::move(pairs));
        std::int32_t tableType = vrbTableFormatProfessional;
        bool no = false, yes = true;
        QString font = QStringLiteral("Times New Roman");
        std::int16_t size = 12, spaceAfter = 10, columnWidth = 0;
        std::int32_t align = vrbAlignParagraphLeft;
        const MethodStatus written =
            TwoDArrayToWordTable(table, tableType, no, font, size, spaceAfter, align, columnWidth, yes, yes, yes, yes,
                                 no, no, no, no, yes, lngInsertionPoint);
        return written == 1 ? MethodStatus{1} : MethodStatus{-3};
    });
}

MethodStatus Verbolt::LabelToWord(automation::DispatchRef& lbl, VERBOLT_TEXT_FORMAT_PARAMS)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    if (!isClass(lbl, "Label"))
        return -3;
    return writeControlText(*heldDocument_, lbl, QStringLiteral("Caption"), formatOf(VERBOLT_TEXT_FORMAT_ARGS), -4);
}

MethodStatus Verbolt::TextBoxToWord(automation::DispatchRef& tb, VERBOLT_TEXT_FORMAT_PARAMS)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    if (!isClass(tb, "TextBox"))
        return -3;
    return writeControlText(*heldDocument_, tb, QStringLiteral("Text"), formatOf(VERBOLT_TEXT_FORMAT_ARGS), -4);
}

MethodStatus Verbolt::MaskedTextBoxToWord(automation::DispatchRef& tb, VERBOLT_TEXT_FORMAT_PARAMS)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    return writeControlText(*heldDocument_, tb, QStringLiteral("Text"), formatOf(VERBOLT_TEXT_FORMAT_ARGS), -3);
}

MethodStatus Verbolt::RichTextBoxToWord(automation::DispatchRef& tb, VERBOLT_TEXT_FORMAT_PARAMS)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    return writeControlText(*heldDocument_, tb, QStringLiteral("Text"), formatOf(VERBOLT_TEXT_FORMAT_ARGS), -3);
}

MethodStatus Verbolt::OneDArrayToWord(automation::Variant& varArray, VERBOLT_TEXT_FORMAT_PARAMS)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    return trapped<MethodStatus>(-4, [&] {
        if (!varArray.isArray())
            return MethodStatus{-3};
        // Every element on a line of its own, the last one's line ended too.
        const SafeArray& array = varArray.array();
        clsConcat builder;
        for (std::int32_t i = array.lbound(1), last = array.ubound(1); i <= last; ++i) {
            builder.SConcat(array.get({i}).toString());
            builder.SConcat(QStringLiteral("\r\n"));
        }
        writeParagraph(*heldDocument_, builder.GetString(), formatOf(VERBOLT_TEXT_FORMAT_ARGS));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::TextFileToWord(QString& strTextFile, VERBOLT_TEXT_FORMAT_PARAMS)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    return trapped<MethodStatus>(-3, [&] {
        Variant lines{SafeArray()};
        // A file that cannot be read is a failure, not a document left as it was.
        if (TextFileToOneDArray(strTextFile, lines) != 1)
            return MethodStatus{-3};
        // An empty file leaves the array unallocated: there is nothing to write.
        if (!lines.array().isAllocated())
            return MethodStatus{1};
        return OneDArrayToWord(lines, VERBOLT_TEXT_FORMAT_ARGS) == 1 ? MethodStatus{1} : MethodStatus{-3};
    });
}

} // namespace tovu::control
