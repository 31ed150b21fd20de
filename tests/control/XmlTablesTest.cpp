// XML table files into the host's recordset, into arrays and into Word tables, through the
// XML data source provider of the recordset stand-in.
#include "AdoFixture.h"
#include "ControlFixture.h"

#include <QFile>

namespace tovu::control::testing {
namespace {

namespace ado = tovu::platform::ado;
using automation::SafeArray;

// Three parts; the first has a supplier, a chapter of its own, between its fields.
const QByteArray kParts = R"(<?xml version="1.0"?>
<parts>
  <part id="1"><name>bolt</name><supplier><city>Leeds</city></supplier><weight>2.5</weight></part>
  <part id="2"><name>nut</name></part>
  <part id="3"><name>washer</name><weight>0.25</weight></part>
</parts>
)";

Variant anArray() { return Variant(SafeArray::ofValues({Variant(QStringLiteral("old"))})); }

class XmlTablesTest : public ControlTest {
protected:
    void SetUp() override
    {
        ensureGui();
        control.setObjectCreator(recording.creator());
    }

    QString write(const QString& name, const QByteArray& xml)
    {
        QFile f(file(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(xml);
        return f.fileName();
    }

    std::int16_t toArray(const QString& path, Variant& array, bool headings)
    {
        Args args{Variant(path), array, Variant(headings)};
        const std::int16_t s = call("XMLFileToArray", args).toInteger();
        array = args[1];
        return s;
    }

    Cells lastTable() { return tableCells(control.heldDocument()->tables().item(control.heldDocument()->tables().count()).model()); }

    RecordingAdo recording;
    QStringList& dataSources = recording.xmlDataSources;
    const std::vector<std::shared_ptr<ado::Recordset>>& recordsets = recording.recordsets;
};

TEST_F(XmlTablesTest, AnArrayHoldsTheRecordsUnderTheirFieldNamesWithoutTextAndChapters)
{
    const QString parts = write("parts.xml", kParts);
    Variant array = anArray();
    ASSERT_EQ(toArray(parts, array, true), 1);
    // Five fields (id, name, supplier, weight, $Text) leave four columns: the chapter's
    // column stays empty at the end, and no heading names it.
    EXPECT_EQ(arrayCells(array), (Cells{{"id", "name", "weight", ""},
                                     {"1", "bolt", "2.5", ""},
                                     {"2", "nut", "<Null>", ""},
                                     {"3", "washer", "0.25", ""}}));
    EXPECT_TRUE(array.array().get({0, 3}).isEmpty());

    ASSERT_EQ(toArray(parts, array, false), 1);
    EXPECT_EQ(arrayCells(array).size(), 3u);
    EXPECT_EQ(arrayCells(array).front(), (std::vector<QString>{"1", "bolt", "2.5", ""}));

    // Records of one data field beside "$Text" give one column.
    ASSERT_EQ(toArray(write("notes.xml", "<notes><note><text>gain</text></note><note><text>range</text></note></notes>"),
                      array, false),
              1);
    EXPECT_EQ(arrayCells(array), (Cells{{"gain"}, {"range"}}));
}

TEST_F(XmlTablesTest, EachFailingStepOfAnArrayHasItsCodeAndLeavesTheArray)
{
    const QString parts = write("parts.xml", kParts);
    Variant notArray;
    EXPECT_EQ(toArray(parts, notArray, true), -1);
    EXPECT_TRUE(recordsets.empty()) << "nothing is created for a value that is not an array";

    Variant array = anArray();
    EXPECT_EQ(toArray(file(QStringLiteral("missing.xml")), array, true), -3);
    EXPECT_EQ(toArray(write("broken.xml", "<parts><part>"), array, true), -3);
    // Records without any field but their text leave no column.
    EXPECT_EQ(toArray(write("bare.xml", "<parts><part/></parts>"), array, false), -4);
    // An empty table has no rows without headings.
    EXPECT_EQ(toArray(write("none.xml", "<parts/>"), array, false), -4);
    ASSERT_EQ(array.array().dims(), 1) << "the caller's array is replaced only on success";
    EXPECT_EQ(array.array().get({0}).toString(), QStringLiteral("old"));
    dataSources.clear();
    EXPECT_EQ(toArray(parts, array, true), -2);
}

TEST_F(XmlTablesTest, AMachineWithOnlyTheLatestDataSourceOpensAtTheThirdAttempt)
{
    dataSources = {QStringLiteral("MSXML2.DSOControl.3.0")};
    Variant array = anArray();
    ASSERT_EQ(toArray(write("parts.xml", kParts), array, false), 1);
    ASSERT_EQ(recordsets.size(), 1u);
    EXPECT_EQ(recordsets[0]->activeConnection().toString(),
              QStringLiteral("Provider=MSDAOSP; Data Source=MSXML2.DSOControl.3.0;"));
}

TEST_F(XmlTablesTest, TheHostsRecordsetIsOpenedOnTheFileAndLeftOpen)
{
    auto rs = std::make_shared<ado::Recordset>();
    ASSERT_EQ(status("XMLFileToRecordset", {Variant(write("parts.xml", kParts)), Variant(automation::DispatchRef(rs))}), 1);
    ASSERT_TRUE(rs->isOpen());
    EXPECT_EQ(rs->recordCount(), 3);
    EXPECT_EQ(rs->fieldName(1), QStringLiteral("name"));
    EXPECT_EQ(rs->value(1).toString(), QStringLiteral("bolt"));
    EXPECT_EQ(rs->activeConnection().toString(), QStringLiteral("Provider=MSDAOSP; Data Source=MSXML2.DSOControl;"));

    auto other = std::make_shared<ado::Recordset>();
    EXPECT_EQ(status("XMLFileToRecordset", {Variant(file(QStringLiteral("missing.xml"))), Variant(automation::DispatchRef(other))}), -2);
    other->xmlDataSources.clear();
    EXPECT_EQ(status("XMLFileToRecordset", {Variant(write("parts.xml", kParts)), Variant(automation::DispatchRef(other))}), -1);
    EXPECT_EQ(status("XMLFileToRecordset", {Variant(write("parts.xml", kParts)), Variant::nothing()}), -1);
}

TEST_F(XmlTablesTest, AWordTableIsWrittenWithTheTableArgumentsPassedOn)
{
    ASSERT_EQ(openBlank(), 1);
    const QString parts = write("parts.xml", kParts);
    Args args{Variant(parts), Variant(true), Variant(std::int32_t{0}), Variant(false), Variant(QStringLiteral("Arial"))};
    ASSERT_EQ(status("XMLFileToWordTable", std::move(args)), 1);
    EXPECT_EQ(lastTable(), (Cells{{"id", "name", "weight", ""},
                                  {"1", "bolt", "2.5", ""},
                                  {"2", "nut", "", ""},
                                  {"3", "washer", "0.25", ""}}));
    for (const auto& cell : control.heldDocument()->tables().item(1).model().cells)
        EXPECT_EQ(cell.font.name, QStringLiteral("Arial"));
}

TEST_F(XmlTablesTest, EachFailingStepOfAWordTableHasItsCode)
{
    const QString parts = write("parts.xml", kParts);
    EXPECT_EQ(status("XMLFileToWordTable", {Variant(parts)}), -1) << "no Word running";
    ASSERT_EQ(openBlank(), 1);
    wordUpWithoutHeldDocument();
    EXPECT_EQ(status("XMLFileToWordTable", {Variant(parts)}), -2);
    ASSERT_EQ(openBlank(), 1);
    EXPECT_TRUE(recordsets.empty());

    EXPECT_EQ(status("XMLFileToWordTable", {Variant(file(QStringLiteral("missing.xml")))}), -4);
    EXPECT_EQ(status("XMLFileToWordTable", {Variant(write("bare.xml", "<parts><part/></parts>"))}), -5);
    hooks().failOn(QStringLiteral("Range.ConvertToTable"));
    EXPECT_EQ(status("XMLFileToWordTable", {Variant(parts)}), -5);
    dataSources.clear();
    EXPECT_EQ(status("XMLFileToWordTable", {Variant(parts)}), -3);
    EXPECT_EQ(control.heldDocument()->tables().count(), 0);
}

} // namespace
} // namespace tovu::control::testing
