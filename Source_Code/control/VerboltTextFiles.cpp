// Arrays to and from delimited text, in a string or in a text file, and a delimited text
// file into a Word table.
#include "control/DelimitedText.h"
#include "control/Trap.h"
#include "control/Verbolt.h"
#include "control/clsConcat.h"

namespace tovu::control {

namespace {

using automation::SafeArray;
using automation::Variant;

const QString kComma = QStringLiteral(",");
const QString kCrLf = QStringLiteral("\r\n");

QString orComma(const QString& delimiter)
{
    return delimiter.isEmpty() ? kComma : delimiter;
}

bool isBlank(const QString& text)
{
    return text.trimmed().isEmpty();
}

QString quoted(const QString& text, bool quotes)
{
    return quotes ? QStringLiteral("\"") + text + QStringLiteral("\"") : text;
}

// How a line print writes a single value: Null as the word, everything else as its text.
QString printedText(const Variant& value)
{
    return value.isNull() ? QStringLiteral("Null") : value.toString();
}

SafeArray oneDArrayOf(const QStringList& texts, automation::VarType elementType = automation::VarType::Variant)
{
    SafeArray array({{0, static_cast<std::int32_t>(texts.size()) - 1}}, elementType);
    for (qsizetype i = 0; i < texts.size(); ++i)
        array.set({static_cast<std::int32_t>(i)}, Variant(texts[i]));
    return array;
}

} // namespace

MethodStatus Verbolt::TextFileToArray(QString& strTextFile, automation::Variant& varArray, QString& strDelimiter,
                                      bool& blnRemoveQuotes)
{
    const QString delimiter = orComma(strDelimiter);
    const std::optional<QStringList> lines = readTextFileLines(strTextFile);
    if (!lines)
        return -1;
    if (!varArray.isArray())
        return -2;
    return trapped<MethodStatus>(-3, [&] {
        varArray = Variant(delimitedArray(*lines, delimiter, blnRemoveQuotes));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::TextFileToOneDArray(QString& strTextFile, automation::Variant& varArray)
{
    const std::optional<QStringList> lines = readTextFileLines(strTextFile);
    if (!lines)
        return -1;
    if (!varArray.isArray())
        return -2;
    return trapped<MethodStatus>(-3, [&] {
        // The array grows line by line from 0, so an empty file leaves it as it was; its
        // elements keep their kind.
        if (!lines->isEmpty())
            varArray = Variant(oneDArrayOf(*lines, varArray.array().elementType()));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::MultiLineTextToOneDArray(QString& strText, automation::Variant& varArray, QString& strDelimiter)
{
    const QString delimiter = orComma(strDelimiter);
    if (!varArray.isArray())
        return -1;
    return trapped<MethodStatus>(-2, [&] {
        // One element more than the text has parts; hosts read the parts up to the last but one.
        const QStringList parts = delimitedFields(strText, delimiter);
        SafeArray array = oneDArrayOf(parts);
        array.redimPreserve({{0, static_cast<std::int32_t>(parts.size())}});
        varArray = Variant(std::move(array));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::TwoDArrayToText(automation::Variant& varArray, QString& strText, QString& strDelimiter,
                                      QString& strEndOfRowChar, bool& blnQuotes)
{
    if (!varArray.isArray())
        return -1;
    if (isBlank(strDelimiter))
        strDelimiter = QStringLiteral("\t");
    if (isBlank(strEndOfRowChar))
        strEndOfRowChar = kCrLf;
    return trapped<MethodStatus>(-2, [&] {
        const SafeArray& array = varArray.array();
        clsConcat builder;
        for (std::int32_t r = array.lbound(1), lastRow = array.ubound(1); r <= lastRow; ++r)
            for (std::int32_t c = array.lbound(2), lastColumn = array.ubound(2); c <= lastColumn; ++c) {
                builder.SConcat(quoted(array.get({r, c}).toString(), blnQuotes));
                builder.SConcat(c == lastColumn ? strEndOfRowChar : strDelimiter);
            }
        strText = builder.GetString();
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::TwoDArrayToTextFile(automation::Variant& varArray, QString& strTextFile, QString& strDelimiter,
                                          bool& blnQuotes)
{
    if (!varArray.isArray())
        return -1;
    const QString delimiter = orComma(strDelimiter);
    return trapped<MethodStatus>(-2, [&] {
        const SafeArray& array = varArray.array();
        QStringList lines;
        for (std::int32_t r = array.lbound(1), lastRow = array.ubound(1); r <= lastRow; ++r) {
            QStringList fields;
            for (std::int32_t c = array.lbound(2), lastColumn = array.ubound(2); c <= lastColumn; ++c)
                fields << quoted(joinedText(array.get({r, c})), blnQuotes);
            lines << fields.join(delimiter);
        }
        writeTextFileLines(strTextFile, lines);
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::OneDArrayToTextFile(automation::Variant& varArray, QString& strTextFile, bool& blnQuotes)
{
    if (!varArray.isArray())
        return -1;
    return trapped<MethodStatus>(-2, [&] {
        const SafeArray& array = varArray.array();
        QStringList lines;
        for (std::int32_t i = array.lbound(1), last = array.ubound(1); i <= last; ++i) {
            const Variant& element = array.get({i});
            lines << (blnQuotes ? quoted(joinedText(element), true) : printedText(element));
        }
        writeTextFileLines(strTextFile, lines);
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::OneDArrayToText(automation::Variant& varArray, QString& strText, QString& strEndOfRowChar,
                                      QString& strEndOfArrayChar, bool& blnQuotes)
{
    if (!varArray.isArray())
        return -1;
    if (isBlank(strEndOfRowChar))
        strEndOfRowChar = kCrLf;
    return trapped<MethodStatus>(-2, [&] {
        const SafeArray& array = varArray.array();
        clsConcat builder;
        for (std::int32_t i = array.lbound(1), last = array.ubound(1); i <= last; ++i) {
            builder.SConcat(quoted(array.get({i}).toString(), blnQuotes));
            builder.SConcat(i == last ? strEndOfArrayChar : strEndOfRowChar);
        }
        strText = builder.GetString();
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::TextFileToWordTable(
    QString& strTextFile, QString& strDelimiter, bool& blnRemoveQuotes, std::int32_t& lngTableType, bool& blnBold,
    QString& strFont, std::int16_t& intSize, std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign,
    std::int16_t& intColumnWidth, bool& blnBorders, bool& blnShading, bool& blnFont, bool& blnColor,
    bool& blnHeadingRows, bool& blnLastRow, bool& blnFirstColumn, bool& blnLastColumn, bool& blnAutoFit,
    std::int32_t& lngInsertionPoint)
{
    const QString delimiter = orComma(strDelimiter);
    if (const MethodStatus failed = documentPrologue())
        return failed;
    const std::optional<QStringList> lines = readTextFileLines(strTextFile);
    if (!lines)
        return -3;
    Variant table;
    if (!trapped<bool>(false, [&] {
            table = Variant(delimitedArray(*lines, delimiter, blnRemoveQuotes));
            return true;
        }))
        return -4;
    const MethodStatus written = TwoDArrayToWordTable(
        table, lngTableType, blnBold, strFont, intSize, intSpaceAfter, lngParagraphAlign, intColumnWidth, blnBorders,
        blnShading, blnFont, blnColor, blnHeadingRows, blnLastRow, blnFirstColumn, blnLastColumn, blnAutoFit,
        lngInsertionPoint);
    return written == 1 ? MethodStatus{1} : MethodStatus{-4};
}

} // namespace tovu::control
