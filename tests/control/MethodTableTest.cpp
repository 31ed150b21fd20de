// The control's one method table against the full interface: every built method carries its
// own name and dispatch id, and the dispatch interface is driven by that table.
#include "AllMethods.h"
#include "ControlFixture.h"
#include "control/VerboltMethods.h"

#include <map>
#include <set>

namespace tovu::control::testing {
namespace {

TEST(MethodTable, EveryBuiltMethodHasItsNameAndIdFromTheInterface)
{
    std::map<std::int32_t, QString> interface;
    for (const auto& m : testdata::kAllMethods)
        interface[m.dispid] = QString::fromLatin1(m.name);
    ASSERT_EQ(interface.size(), 139u);

    std::set<std::int32_t> seen;
    for (const MethodEntry& entry : verboltMethods()) {
        ASSERT_TRUE(interface.count(entry.dispid)) << entry.name << " has an id outside the interface";
        EXPECT_EQ(QString::fromLatin1(entry.name), interface[entry.dispid]);
        EXPECT_TRUE(seen.insert(entry.dispid).second) << entry.name << " appears twice";
    }
    EXPECT_GE(seen.size(), 38u);
}

TEST(MethodTable, TheFullListKeepsItsGaps)
{
    // Ids of private procedures, which never carry a method.
    std::set<std::int32_t> ids;
    for (const auto& m : testdata::kAllMethods)
        ids.insert(m.dispid);
    for (std::int32_t gap : {0x60030000, 0x60030005, 0x60030030, 0x60030051, 0x60030080})
        EXPECT_FALSE(ids.count(gap)) << std::hex << gap;
    for (std::int32_t gap = 0x6003008F; gap <= 0x600300A3; ++gap)
        EXPECT_FALSE(ids.count(gap)) << std::hex << gap;
    EXPECT_EQ(*ids.begin(), 0x60030001);
    EXPECT_EQ(*ids.rbegin(), 0x600300A4);
}

class DispatchTest : public ControlTest {};

TEST_F(DispatchTest, NamesResolveWithoutRegardToCaseToTheTableIds)
{
    for (const MethodEntry& entry : verboltMethods()) {
        EXPECT_EQ(object->dispIdOfName(QString::fromLatin1(entry.name).toUpper()), entry.dispid);
        EXPECT_EQ(object->dispIdOfName(QString::fromLatin1(entry.name).toLower()), entry.dispid);
    }
}

TEST_F(DispatchTest, UnknownIdsAndNamesAndMethodsNotBuiltAreMemberNotFound)
{
    std::set<std::int32_t> built;
    for (const MethodEntry& entry : verboltMethods())
        built.insert(entry.dispid);
    std::vector<std::int32_t> absent = {0x60030000, 0x60030005, 0x600300A5, 1, -1};
    for (const auto& m : testdata::kAllMethods)
        if (!built.count(m.dispid))
            absent.push_back(m.dispid);
    for (std::int32_t id : absent) {
        Args args;
        try {
            object->invoke(id, args);
            ADD_FAILURE() << std::hex << id << " answered";
        } catch (const automation::AutomationError& e) {
            EXPECT_EQ(e.number(), automation::ErrorNumber::MemberNotFound) << std::hex << id;
        }
    }
    EXPECT_THROW(object->dispIdOfName(QStringLiteral("NoSuchMethod")), automation::AutomationError);
}

// Each id of the interface answers through the dispatch interface with a method of its
// own: the type information names it, and a call with more arguments than any method takes
// reaches its binding (wrong argument count), not "member not found". Nothing runs.
TEST_F(DispatchTest, EveryIdOfTheInterfaceIsBound)
{
    std::map<std::int32_t, automation::MemberInfo> declared;
    for (const automation::MemberInfo& m : object->typeInfo())
        declared[m.id] = m;
    for (const auto& m : testdata::kAllMethods) {
        const QString name = QString::fromLatin1(m.name);
        ASSERT_TRUE(declared.count(m.dispid)) << m.name << " is not in the type information";
        EXPECT_EQ(declared[m.dispid].name, name);
        EXPECT_EQ(object->dispIdOfName(name), m.dispid) << m.name;
        Args tooMany(64, Variant(std::int16_t{0}));
        try {
            object->invoke(m.dispid, tooMany);
            ADD_FAILURE() << m.name << " ran with 64 arguments";
        } catch (const automation::AutomationError& e) {
            EXPECT_EQ(e.number(), automation::ErrorNumber::WrongArgumentCount) << m.name;
        }
    }
    EXPECT_EQ(declared.size(), testdata::kAllMethods.size()) << "a member beyond the interface";
}

TEST_F(DispatchTest, TheTypeInformationCarriesEachMethodsHelpString)
{
    std::map<QString, automation::MemberInfo> byName;
    for (const automation::MemberInfo& m : object->typeInfo())
        byName[m.name] = m;
    const std::pair<const char*, const char*> cases[] = {
        {"IsWordUp", "Method to determine if Word is currently running."},
        {"CreatePDF", "Method to create an PDF (Adobe Acrobat) file from the active document."},
        {"DownloadFile", "Method to download a file from a remote host."},
        {"SetPageNumberInFooter", "Method to set the page number in the document's footer. "},
        {"TwoDArrayToHTMLFile",
         "Method to move items from a two dimensional array to an HTML table and create an HTML file."},
        {"SortTwoDArray", "Method to sort a two dimensional array."},
        // Methods the type library gives no help string.
        {"CloseWord", ""},
        {"InsertPicture", ""},
    };
    for (const auto& [name, help] : cases) {
        ASSERT_TRUE(byName.count(QString::fromLatin1(name))) << name;
        EXPECT_EQ(byName[QString::fromLatin1(name)].help, QString::fromLatin1(help)) << name;
    }
    // The parameters travel with it, as the binding names them.
    EXPECT_EQ(byName[QStringLiteral("CreatePDFFromFile")].parameters.front(), QStringLiteral("strTextFile"));
}

TEST_F(DispatchTest, NamedArgumentsFindTheirParameters)
{
    ASSERT_EQ(openBlank(), 1);
    Args args{Variant(QStringLiteral("Named")), Variant(true), Variant(std::int16_t{20})};
    const QString names[] = {QStringLiteral("strText"), QStringLiteral("BLNBOLD"), QStringLiteral("intSize")};
    const Variant r = object->invoke(object->dispIdOfName(QStringLiteral("TextToWord")), args,
                                     automation::CallKind::Method, names);
    EXPECT_EQ(r, Variant(std::int16_t{1}));
    const word::Story& body = control.heldDocument()->model().body;
    const int at = heldText().indexOf(QStringLiteral("Named"));
    ASSERT_GE(at, 0);
    const word::CharFormat& f = body.pool().font(body.at(at).font);
    EXPECT_TRUE(f.bold);
    EXPECT_EQ(f.size, 20.0);
    EXPECT_EQ(f.name, QStringLiteral("Times New Roman"));
}

TEST_F(DispatchTest, ResultsCarryTheirDeclaredKinds)
{
    EXPECT_EQ(call("IsWordUp").type(), automation::VarType::Boolean);
    EXPECT_EQ(call("SwitchToWord").type(), automation::VarType::Integer);
    EXPECT_EQ(call("DocumentCount").type(), automation::VarType::Long);
    EXPECT_EQ(call("ActiveDocumentName").type(), automation::VarType::String);
    EXPECT_EQ(call("IsWordAvailable").type(), automation::VarType::String);
    EXPECT_TRUE(call("CloseWord", {Variant(false)}).isEmpty());
}

} // namespace
} // namespace tovu::control::testing
