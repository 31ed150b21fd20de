// XML table files read through a recordset of the XML data source provider: handed to the
// host as the recordset itself, copied into a two-dimensional array, or written into the
// held document as a Word table.
#include "control/HostArrays.h"
#include "control/HostMembers.h"
#include "control/Trap.h"
#include "control/Verbolt.h"

#include <array>

namespace tovu::control {

namespace {

using automation::SafeArray;
using automation::Variant;

// The provider's connection strings, one per version of the data source class, tried in turn.
const std::array<QString, 3> kXmlConnections = {
    QStringLiteral("Provider=MSDAOSP; Data Source=MSXML2.DSOControl;"),
    QStringLiteral("Provider=MSDAOSP; Data Source=MSXML2.DSOControl.2.6;"),
    QStringLiteral("Provider=MSDAOSP; Data Source=MSXML2.DSOControl.3.0;"),
};

constexpr std::int32_t kChapter = 136;
const QString kTextField = QStringLiteral("$Text");

// Sets the recordset's connection to the first string it accepts; false when it takes none.
bool connectXmlProvider(const automation::DispatchRef& rs)
{
    for (const QString& connection : kXmlConnections)
        if (StepErrors{}([&] { assignMember(rs, QStringLiteral("ActiveConnection"), Variant(connection)); }))
            return true;
    return false;
}

// A new recordset connected to the provider and opened on the file: -1 when no connection
// is accepted, -2 when the file does not open, else 0.
int openXmlRecordset(Verbolt& control, const QString& file, automation::DispatchRef& rs)
{
    StepErrors step;
    step([&] { rs = control.createObject(QStringLiteral("ADODB.Recordset")); });
    if (!connectXmlProvider(rs))
        return -1;
    if (!step([&] { memberOf(rs, QStringLiteral("Open"), {Variant(file)}); }))
        return -2;
    return 0;
}

// The array the records fill: one row per record (after a heading row when asked) and one
// column per field but one, for the "$Text" field every record of the provider carries.
SafeArray xmlArrayFor(const automation::DispatchRef& rs, bool headings)
{
    const std::int32_t records = memberOf(rs, QStringLiteral("RecordCount")).toLong();
    const std::int32_t fields = memberOf(objectOf(rs, QStringLiteral("Fields")), QStringLiteral("Count")).toLong();
    return sizedArray(std::int64_t{records} + (headings ? 1 : 0), std::int64_t{fields} - 1);
}

// Copies the field names (when asked) and the records into the array, leaving out the
// "$Text" field and chapter fields. Every step ignores its errors: a value that does not fit
// is dropped and the next one is tried.
void XMLRecordsetToArray(const automation::DispatchRef& rs, bool headings, SafeArray& array)
{
    StepErrors step;
    std::int32_t count = 0;
    step([&] { count = memberOf(objectOf(rs, QStringLiteral("Fields")), QStringLiteral("Count")).toLong(); });
    std::vector<Variant> names(static_cast<std::size_t>(std::max(count, 0)));
    std::vector<bool> taken(names.size(), false);
    for (std::int32_t k = 0; k < count; ++k)
        step([&] {
            const automation::DispatchRef field = objectOf(objectOf(rs, QStringLiteral("Fields")), QStringLiteral("Item"), {Variant(k)});
            names[static_cast<std::size_t>(k)] = memberOf(field, QStringLiteral("Name"));
            taken[static_cast<std::size_t>(k)] = names[static_cast<std::size_t>(k)].toString() != kTextField &&
                                                 memberOf(field, QStringLiteral("Type")).toLong() != kChapter;
        });
    std::int32_t r = 0;
    if (headings) {
        std::int32_t c = 0;
        for (std::size_t k = 0; k < names.size(); ++k)
            if (taken[k]) {
                step([&] { array.set({r, c}, names[k]); });
                ++c;
            }
        ++r;
    }
    bool atEnd = true;
    while (step([&] { atEnd = memberOf(rs, QStringLiteral("EOF")).toBoolean(); }) && !atEnd) {
        std::int32_t c = 0;
        for (std::int32_t k = 0; k < count; ++k)
            if (taken[static_cast<std::size_t>(k)]) {
                step([&] {
                    const automation::DispatchRef field =
                        objectOf(objectOf(rs, QStringLiteral("Fields")), QStringLiteral("Item"), {Variant(k)});
                    array.set({r, c}, memberOf(field, QStringLiteral("Value")));
                });
                ++c;
            }
        ++r;
        if (!step([&] { memberOf(rs, QStringLiteral("MoveNext")); }))
            break;
    }
}

// The records of an open recordset in an array sized as above.
SafeArray xmlRecordsArray(const automation::DispatchRef& rs, bool headings)
{
    SafeArray array = xmlArrayFor(rs, headings);
    XMLRecordsetToArray(rs, headings, array);
    return array;
}

} // namespace

MethodStatus Verbolt::XMLFileToRecordset(QString& strXMLFile, automation::DispatchRef& objRecd)
{
    if (!connectXmlProvider(objRecd))
        return -1;
    if (!StepErrors{}([&] { memberOf(objRecd, QStringLiteral("Open"), {Variant(strXMLFile)}); }))
        return -2;
    return 1;
}

MethodStatus Verbolt::XMLFileToArray(QString& strXMLFile, automation::Variant& varArray, bool& blnIncludeHeadings)
{
    if (!varArray.isArray())
        return -1;
    automation::DispatchRef rs;
    if (const int failed = openXmlRecordset(*this, strXMLFile, rs))
        return static_cast<MethodStatus>(failed - 1);
    return trapped<MethodStatus>(-4, [&] {
        varArray = Variant(xmlRecordsArray(rs, blnIncludeHeadings));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::XMLFileToWordTable(
    QString& strXMLFile, bool& blnIncludeHeadings, std::int32_t& lngTableType, bool& blnBold, QString& strFont,
    std::int16_t& intSize, std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth,
    bool& blnBorders, bool& blnShading, bool& blnFont, bool& blnColor, bool& blnHeadingRows, bool& blnLastRow,
    bool& blnFirstColumn, bool& blnLastColumn, bool& blnAutoFit, std::int32_t& lngInsertionPoint)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    automation::DispatchRef rs;
    if (const int failed = openXmlRecordset(*this, strXMLFile, rs))
        return static_cast<MethodStatus>(failed - 2);
    return trapped<MethodStatus>(-5, [&] {
        Variant table(xmlRecordsArray(rs, blnIncludeHeadings));
        const MethodStatus written = TwoDArrayToWordTable(
            table, lngTableType, blnBold, strFont, intSize, intSpaceAfter, lngParagraphAlign, intColumnWidth,
            blnBorders, blnShading, blnFont, blnColor, blnHeadingRows, blnLastRow, blnFirstColumn, blnLastColumn,
            blnAutoFit, lngInsertionPoint);
        return written == 1 ? MethodStatus{1} : MethodStatus{-5};
    });
}

} // namespace tovu::control
