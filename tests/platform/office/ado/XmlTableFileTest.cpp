// Recordsets of the XML data source provider: a file's records, fields and chapters, the
// data source classes a machine has, and files that cannot be read.
#include "platform/automation/AutomationError.h"
#include "platform/office/ado/Recordset.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tovu::platform::ado {
namespace {

using automation::AutomationError;
using automation::Variant;

const QString kProvider = QStringLiteral("Provider=MSDAOSP; Data Source=MSXML2.DSOControl.3.0;");

class XmlTableFileTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& xml)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(xml);
        return f.fileName();
    }
    std::shared_ptr<Recordset> openFile(const QString& path)
    {
        auto rs = std::make_shared<Recordset>();
        rs->setActiveConnection(Variant(kProvider));
        rs->open(path, Variant::missing(), adOpenForwardOnly, 1);
        return rs;
    }
    QTemporaryDir dir;
};

const QByteArray kParts = R"(<?xml version="1.0"?>
<parts>
  <part id="1">
    <name>bolt</name>
    <weight>2.5</weight>
    <supplier><city>Leeds</city></supplier>
  </part>
  <part id="2"><name>nut</name></part>
  <part id="3"><name>washer &amp; "flat"</name><weight></weight></part>
</parts>
)";

TEST_F(XmlTableFileTest, RecordsAreTheRootsChildrenWithAttributesElementsAndTextLast)
{
    auto rs = openFile(write("parts.xml", kParts));
    // Known on the default forward-only server cursor too.
    EXPECT_EQ(rs->recordCount(), 3);
    ASSERT_EQ(rs->fieldCount(), 5);
    const QStringList names = {"id", "name", "weight", "supplier", "$Text"};
    for (int f = 0; f < 5; ++f)
        EXPECT_EQ(rs->fieldName(f), names[f]);
    EXPECT_EQ(rs->fieldType(1), adVarWChar);
    EXPECT_EQ(rs->fieldType(3), adChapter);
    EXPECT_EQ(rs->value(0).toString(), "1");
    EXPECT_EQ(rs->value(2).toString(), "2.5");
    EXPECT_EQ(rs->value(4).toString(), "bolt2.5Leeds") << "the record's text, white space between elements dropped";
    // A chapter is a recordset of its own.
    const auto chapter = std::dynamic_pointer_cast<Recordset>(rs->value(3).toObject());
    ASSERT_TRUE(chapter);
    EXPECT_EQ(chapter->recordCount(), 1);
    EXPECT_EQ(chapter->fieldName(0), "city");
    EXPECT_EQ(chapter->value(0).toString(), "Leeds");

    rs->moveNext();
    EXPECT_TRUE(rs->value(2).isNull()) << "a record without the field";
    const auto none = std::dynamic_pointer_cast<Recordset>(rs->value(3).toObject());
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->eof());
    rs->moveNext();
    EXPECT_EQ(rs->value(1).toString(), "washer & \"flat\"");
    EXPECT_TRUE(rs->value(2).isString());
    EXPECT_EQ(rs->value(2).toString(), "");
    rs->moveNext();
    EXPECT_TRUE(rs->eof());
}

TEST_F(XmlTableFileTest, AnElementThatRepeatsIsAChapter)
{
    auto rs = openFile(write("probes.xml", "<probes><probe><freq>5</freq><freq>10</freq></probe></probes>"));
    ASSERT_EQ(rs->fieldCount(), 2);
    EXPECT_EQ(rs->fieldType(0), adChapter);
    const auto chapter = std::dynamic_pointer_cast<Recordset>(rs->value(0).toObject());
    ASSERT_TRUE(chapter);
    EXPECT_EQ(chapter->recordCount(), 2);
    EXPECT_EQ(chapter->fieldName(0), "$Text");
    chapter->moveNext();
    EXPECT_EQ(chapter->value(0).toString(), "10");
}

TEST_F(XmlTableFileTest, OnlyTheDataSourceClassesOfTheMachineAreAccepted)
{
    Recordset rs;
    rs.xmlDataSources = {QStringLiteral("MSXML2.DSOControl.3.0")};
    EXPECT_THROW(rs.setActiveConnection(Variant(QStringLiteral("Provider=MSDAOSP; Data Source=MSXML2.DSOControl;"))),
                 AutomationError);
    EXPECT_TRUE(rs.activeConnection().isNothing());
    rs.setActiveConnection(Variant(kProvider));
    EXPECT_EQ(rs.activeConnection().toString(), kProvider);
    // Through the object's members, as the control sets and opens it.
    rs.put(QStringLiteral("ActiveConnection"), Variant(kProvider));
    std::vector<Variant> args{Variant(write("one.xml", "<r><x><a>1</a></x></r>"))};
    rs.call(QStringLiteral("Open"), args);
    EXPECT_EQ(rs.get(QStringLiteral("RecordCount")).toLong(), 1);
    std::vector<Variant> first{Variant(std::int32_t{0})};
    const auto field = rs.invoke(automation::DispIdValue, first).toObject();
    EXPECT_EQ(field->get(QStringLiteral("Type")).toLong(), adVarWChar);
    EXPECT_EQ(field->get(QStringLiteral("Value")).toString(), "1");
}

TEST_F(XmlTableFileTest, AFileThatCannotBeReadRaisesAndLeavesTheRecordsetClosed)
{
    for (const QString& path : {dir.filePath(QStringLiteral("missing.xml")),
                                write("broken.xml", "<parts><part>bolt</parts>"), write("empty.xml", "")}) {
        Recordset rs;
        rs.setActiveConnection(Variant(kProvider));
        EXPECT_THROW(rs.open(path, Variant::missing(), adOpenForwardOnly, 1), AutomationError) << path.toStdString();
        EXPECT_FALSE(rs.isOpen());
    }
    // No connection at all is the wrong arguments, as before.
    Recordset unconnected;
    EXPECT_THROW(unconnected.open(write("ok.xml", "<r/>"), Variant::missing(), adOpenForwardOnly, 1), AutomationError);
}

} // namespace
} // namespace tovu::platform::ado
