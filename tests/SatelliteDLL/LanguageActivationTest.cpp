// The lookup with the real language libraries, created by ProgID from the build's bin/.
#include "app/items/RessourcesModule.h"
#include "platform/automation/Activator.h"
#include "platform/automation/AutomationError.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tovu::items;
using namespace tovu::platform::automation;

namespace {

class LanguageActivation : public ::testing::Test {
protected:
    QTemporaryDir home;
    // An empty class registry of our own: only the libraries beside the program count.
    Activator activator{ServerLocations{home.path() + QStringLiteral("/classes.ini"), QStringLiteral(TOVU_BIN_DIR)}};
    LanguageContext ctx{activator};

    void SetUp() override { ASSERT_TRUE(home.isValid()); }
};

} // namespace

TEST_F(LanguageActivation, GermanLibraryAnswersWhatItHoldsAndOwnTableTheRest)
{
    ASSERT_TRUE(ctx.LoadResourceDll(QStringLiteral("407")));
    EXPECT_EQ(ctx.GetResString(2), QStringLiteral("Sprache"));
    EXPECT_EQ(ctx.GetResString(102), QString::fromUtf8("Öffnen"));
    EXPECT_EQ(ctx.GetResString(201), QStringLiteral("Save a DFD File")); // a tooltip no library holds
    EXPECT_EQ(ctx.GetResString(57), QStringLiteral("Polish"));           // German lists only 50 to 54
    EXPECT_EQ(ctx.GetResString(5073), QStringLiteral("TX=>RX"));          // the 5000 block is only ours
    EXPECT_EQ(ctx.GetResString(77777), QString());
}

TEST_F(LanguageActivation, LibraryRaisesAnAutomationErrorForAnIdItLacks)
{
    const DispatchRef lib = activator.createObject(QStringLiteral("TOVU409.clsResources"));
    ASSERT_TRUE(lib);
    try {
        lib->call(QStringLiteral("GetresourceString"), {Variant(std::int32_t(201))});
        ADD_FAILURE() << "id 201 is in no library";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.number(), 326);
        EXPECT_EQ(e.source(), QStringLiteral("TOVU409"));
    }
    EXPECT_EQ(lib->call(QStringLiteral("GetResourceString"), {Variant(std::int32_t(58))}).toString(),
              QStringLiteral("Chinese"));
    const DispatchRef uk = activator.createObject(QStringLiteral("TOVU809.clsResources"));
    ASSERT_TRUE(uk);
    EXPECT_EQ(uk->call(QStringLiteral("GetResourceString"), {Variant(std::int32_t(70))}).toString(),
              QStringLiteral("Unit Memory"));
}

TEST_F(LanguageActivation, LocaleCodeMatchesTheLibraryWithoutRegardToCase)
{
    for (const char* code : {"40b", "40B"}) {
        LanguageContext c(activator);
        ASSERT_TRUE(c.LoadResourceDll(QString::fromLatin1(code))) << code;
        EXPECT_EQ(c.GetResString(1), QStringLiteral("English(US)")) << code;
        EXPECT_EQ(c.GetResString(1211), QStringLiteral("Color")) << code;
        // 40B holds 180 to 189 only; 190 is the program's own.
        EXPECT_EQ(c.GetResString(190), QStringLiteral("Alog Picture Type")) << code;
    }
    for (const char* code : {"40c", "40C", "40a", "40A"})
        EXPECT_TRUE(LanguageContext(activator).LoadResourceDll(QString::fromLatin1(code))) << code;
}

TEST_F(LanguageActivation, LocaleWithoutLibraryKeepsTheTextsShownBefore)
{
    EXPECT_FALSE(ctx.LoadResourceDll(QStringLiteral("804")));
    EXPECT_EQ(ctx.GetResString(2), QStringLiteral("Language"));
    ASSERT_TRUE(ctx.LoadResourceDll(QStringLiteral("40C")));
    EXPECT_EQ(ctx.GetResString(2), QStringLiteral("Langue"));
    for (const char* code : {"804", "415", "", "../407", "407.clsResources"})
        EXPECT_FALSE(ctx.LoadResourceDll(QString::fromLatin1(code))) << code;
    EXPECT_EQ(ctx.GetResString(2), QStringLiteral("Langue"));
}

TEST_F(LanguageActivation, EveryLibrarySaysTovuAndRussianArrivesIntact)
{
    for (const char* code : {"407", "419", "409", "40b", "809", "40A", "40C"}) {
        LanguageContext c(activator);
        ASSERT_TRUE(c.LoadResourceDll(QString::fromLatin1(code))) << code;
        EXPECT_EQ(c.GetResString(130), QStringLiteral("TOVU")) << code;
    }
    ASSERT_TRUE(ctx.LoadResourceDll(QStringLiteral("419")));
    EXPECT_EQ(ctx.GetResString(2), QString::fromUtf8("Язык"));
    EXPECT_EQ(ctx.GetResString(1172), QString::fromUtf8("мм"));
    EXPECT_EQ(ctx.GetResString(1900), QStringLiteral("Volts")) << "419 has no 1900 list: ours";
}
