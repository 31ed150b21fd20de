// The string lookup: library first, the program's own table as fallback, never an error.
#include "TableFiles.h"
#include "app/items/RessourcesModule.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/DispatchTable.h"

#include <gtest/gtest.h>

#include <map>

using namespace tovu::items;
using namespace tovu::platform::automation;
using tovu::satellite::test::loadTable;

namespace {

// A stand-in language library: answers from its table, raises 326 for ids it lacks,
// as the real libraries do.
struct FakeLibrary {
    std::map<int, Variant> texts;
    int calls = 0;
    DispatchRef object()
    {
        return makeDispatch({{QStringLiteral("GetResourceString"), 0x60030000, [this](Args& a) {
                                  ++calls;
                                  requireArgumentCount(a, 1, 1);
                                  EXPECT_EQ(a.at(0).type(), VarType::Long);
                                  const auto it = texts.find(a.at(0).toLong());
                                  if (it == texts.end())
                                      throw AutomationError(326, QStringLiteral("TOVU407"),
                                                            QStringLiteral("Resource not found"));
                                  return it->second;
                              }}});
    }
};

// Creates fakes by ProgID and remembers what it was asked for.
struct Factory {
    std::map<QString, DispatchRef> objects;
    std::vector<QString> asked;
    LanguageContext::ObjectFactory fn()
    {
        return [this](const QString& progId) {
            asked.push_back(progId);
            const auto it = objects.find(progId);
            if (it == objects.end())
                throw AutomationError::standard(ErrorNumber::CannotCreateObject);
            return it->second;
        };
    }
};

} // namespace

TEST(RessourcesModule, WithoutLibraryEveryTextIsTheProgramsOwn)
{
    LanguageContext ctx([](const QString&) -> DispatchRef { return nullptr; });
    EXPECT_FALSE(ctx.LanguageResources());
    const auto own = loadTable("own");
    ASSERT_GT(own.size(), 2000u);
    for (const auto& [id, text] : own)
        ASSERT_EQ(ctx.GetResString(id), QString::fromStdString(text)) << id; // the compiled table is the file
    EXPECT_EQ(ctx.GetResString(201), QStringLiteral("Save a DFD File"));
    EXPECT_EQ(ctx.GetResString(101), QStringLiteral("File "));
    EXPECT_EQ(ctx.GetResString(130), QStringLiteral("TOVU"));
}

TEST(RessourcesModule, IdInNoTableGivesEmptyTextAndNoError)
{
    FakeLibrary lib;
    Factory f;
    f.objects[QStringLiteral("TOVU407.clsResources")] = lib.object();
    LanguageContext ctx(f.fn());
    for (int id : {0, -1, 3, 59, 209, 999999}) {
        EXPECT_EQ(ctx.GetResString(id), QString()) << id;
        EXPECT_FALSE(OwnResString(id)) << id;
    }
    ASSERT_TRUE(ctx.LoadResourceDll(QStringLiteral("407")));
    EXPECT_EQ(ctx.GetResString(209), QString());
}

TEST(RessourcesModule, LibraryFirstThenOwnTableForWhatItLacksOrFailsAt)
{
    FakeLibrary lib;
    lib.texts = {{2, Variant("Sprache")}, {141, Variant(QString())},   // an empty text that exists
                 {150, Variant::null()},                                // not convertible to a text
                 {152, Variant(std::int32_t(7))}};                      // a number converts
    Factory f;
    f.objects[QStringLiteral("TOVU407.clsResources")] = lib.object();
    LanguageContext ctx(f.fn());
    ASSERT_TRUE(ctx.LoadResourceDll(QStringLiteral("407")));
    EXPECT_EQ(f.asked, std::vector<QString>{QStringLiteral("TOVU407.clsResources")});
    EXPECT_TRUE(ctx.LanguageResources());

    EXPECT_EQ(ctx.GetResString(2), QStringLiteral("Sprache"));
    EXPECT_EQ(ctx.GetResString(141), QString()) << "an empty library text is the library's answer";
    EXPECT_EQ(ctx.GetResString(150), QStringLiteral("PANELS")) << "Null cannot be a text";
    EXPECT_EQ(ctx.GetResString(152), QStringLiteral("7"));
    EXPECT_EQ(ctx.GetResString(201), QStringLiteral("Save a DFD File"));
    lib.calls = 0;
    ctx.GetResString(201);
    EXPECT_EQ(lib.calls, 1) << "every lookup asks the library first";
}

TEST(RessourcesModule, ObjectWithoutTheMethodFallsBackToOwnTable)
{
    Factory f;
    f.objects[QStringLiteral("TOVU809.clsResources")] =
        makeDispatch({{QStringLiteral("Other"), 1, [](Args&) { return Variant(); }}});
    LanguageContext ctx(f.fn());
    ASSERT_TRUE(ctx.LoadResourceDll(QStringLiteral("809")));
    EXPECT_EQ(ctx.GetResString(70), QStringLiteral("Unit Memory"));
}

TEST(RessourcesModule, LocaleWithoutLibraryKeepsTheLanguageShownBefore)
{
    FakeLibrary german;
    german.texts = {{2, Variant("Sprache")}};
    Factory f;
    f.objects[QStringLiteral("TOVU407.clsResources")] = german.object();
    LanguageContext ctx(f.fn());

    EXPECT_FALSE(ctx.LoadResourceDll(QStringLiteral("804"))) << "no library yet: own texts stay";
    EXPECT_FALSE(ctx.LanguageResources());
    EXPECT_EQ(ctx.GetResString(2), QStringLiteral("Language"));

    ASSERT_TRUE(ctx.LoadResourceDll(QStringLiteral("407")));
    const DispatchRef loaded = ctx.LanguageResources();
    EXPECT_FALSE(ctx.LoadResourceDll(QStringLiteral("804")));
    EXPECT_EQ(ctx.LanguageResources(), loaded);
    EXPECT_EQ(ctx.GetResString(2), QStringLiteral("Sprache"));

    // A factory that answers with no object counts as a failure too.
    LanguageContext nothing([](const QString&) -> DispatchRef { return nullptr; });
    EXPECT_FALSE(nothing.LoadResourceDll(QStringLiteral("407")));
    EXPECT_EQ(f.asked.back(), QStringLiteral("TOVU804.clsResources"));
}
