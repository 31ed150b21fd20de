// The picture copy, picture type, trace style and colour commands.

#include "app/display/AScanMenuController.h"
#include "app/display/StoreSettingsAccess.h"
#include "display/support/FakeStrings.h"
#include "display/support/MapSettings.h"
#include "support/QtPrinters.h"
#include "support/SampleRecords.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tovu::display;
using namespace tovu::display::testing;
using namespace tovu::test;
namespace cb = tovu::platform::clipboard;

namespace {
struct Host : AScanHost {
    std::optional<int> shownItemIndex() const override { return selected; }
    void ShowALogSettings(int index) override { calls << QStringLiteral("settings %1").arg(index); }
    void ShowItemNotes(int index) override { calls << QStringLiteral("notes %1").arg(index); }
    void showColourDialog() override
    {
        calls << QStringLiteral("dialog");
        if (onDialog)
            onDialog();
    }
    QSize pictureSize() const override { return QSize(300, 288); }
    std::optional<int> selected;
    QStringList calls;
    std::function<void()> onDialog;
};

struct NoMessages : DisplayMessages {
    void showCritical(const QString&) override {}
};

struct Fixture {
    Fixture()
    {
        store.WorkItems[1] = sampleALog();
        store.WorkItems[3] = sampleALog();
        store.WorkItems[3].InUse = false;  // a trace without an item in use
        display.folders = {dir.path(), dir.path()};
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    }
    QTemporaryDir dir;
    tovu::items::ItemStore store;
    FakeStrings strings;
    MapSettings settings;
    NoMessages messages;
    AScanDisplay display{store, strings, settings, messages};
    cb::SystemClipboard clipboard;
    Host host;
    AScanMenuController controller{display, clipboard, host};

    const QMimeData* board() const { return QGuiApplication::clipboard()->mimeData(); }
};
} // namespace

TEST(AScanMenu, StartChecksAndPictureTypeSetting)
{
    Fixture f;
    const auto& c = f.controller.checks();
    EXPECT_TRUE(c.mnuPopUpAscanStyleMinMax && c.mnuOptionsAlogStyleMinMax && c.mnuPictureMetafile);
    EXPECT_FALSE(c.mnuPopUpAscanStyleSmooth || c.mnuOptionsAlogStyleSmooth || c.mnuPictureBitmap);
    for (const auto& [value, bitmap] : {std::pair{"bitmap", true}, {"metafile", false}, {"Bitmap", false}, {"", false}}) {
        f.settings.values[QStringLiteral("Clipboard/Export")] = QString::fromUtf8(value);
        f.controller.loadPictureType();
        EXPECT_EQ(c.mnuPictureBitmap, bitmap) << value;
        EXPECT_EQ(c.mnuPictureMetafile, !bitmap) << value;
    }
    f.controller.mnuPictureBitmap_Click();
    EXPECT_EQ(f.settings.values.value(QStringLiteral("Clipboard/Export")), u"bitmap");
    EXPECT_TRUE(c.mnuPictureBitmap && !c.mnuPictureMetafile);
    f.controller.mnuPictureMetafile_Click();
    EXPECT_EQ(f.settings.values.value(QStringLiteral("Clipboard/Export")), u"metafile");
    EXPECT_TRUE(!c.mnuPictureBitmap && c.mnuPictureMetafile);
}

TEST(AScanMenu, CopyBeforeAnyDrawingLeavesTheClipboard)
{
    Fixture f;
    f.controller.mnuPopUpAscanCopy_Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"before");
}

TEST(AScanMenu, MetafileCopyOffersEmfSvgAndPng)
{
    Fixture f;
    f.display.DrawAScan(1);
    f.controller.mnuCopyAlog_Click();
    const QMimeData* m = f.board();
    ASSERT_TRUE(m);
    EXPECT_EQ(m->data(cb::kEmfMimeType), f.display.metafileBytes());
    EXPECT_EQ(m->data(cb::kOfficeEmfMimeType), f.display.metafileBytes());
    EXPECT_TRUE(m->data(cb::kSvgMimeType).contains("<svg"));
    QImage png;
    ASSERT_TRUE(png.loadFromData(m->data(cb::kPngMimeType), "PNG"));
    EXPECT_EQ(png.size(), QSize(300, 288));
}

TEST(AScanMenu, BitmapCopyNeverReadsThePictureFile)
{
    Fixture f;
    f.display.DrawAScan(1);
    QFile::remove(f.display.picturePath());
    f.controller.mnuPictureBitmap_Click();
    f.controller.mnuPopUpAscanCopy_Click();
    const QImage image = QGuiApplication::clipboard()->image();
    EXPECT_EQ(image.size(), QSize(300, 288));
    EXPECT_FALSE(f.board()->hasFormat(cb::kEmfMimeType));
}

TEST(AScanMenu, StyleMenusMoveTheirPairs)
{
    Fixture f;
    const auto& c = f.controller.checks();
    f.host.selected = 1;
    f.controller.mnuPopUpAscanStyleSmooth_Click();
    EXPECT_TRUE(c.mnuPopUpAscanStyleSmooth && !c.mnuPopUpAscanStyleMinMax);
    EXPECT_TRUE(c.mnuOptionsAlogStyleMinMax && !c.mnuOptionsAlogStyleSmooth);  // Options pair unchanged
    EXPECT_TRUE(f.display.view.smooth);
    EXPECT_EQ(f.display.PreviousItem(), 1);  // redrawn
    f.controller.mnuOptionsAlogStyleMinMax_Click();
    EXPECT_TRUE(c.mnuPopUpAscanStyleMinMax && c.mnuOptionsAlogStyleMinMax);
    EXPECT_FALSE(f.display.view.smooth);
    f.controller.mnuOptionsAlogStyleSmooth_Click();
    EXPECT_TRUE(c.mnuPopUpAscanStyleSmooth && c.mnuOptionsAlogStyleSmooth);

    // Without a shown item the checks change and nothing is drawn.
    Fixture g;
    g.controller.mnuPopUpAscanStyleSmooth_Click();
    EXPECT_TRUE(g.controller.checks().mnuPopUpAscanStyleSmooth);
    EXPECT_TRUE(g.display.drawing().empty());
}

TEST(AScanMenu, PropertiesRedrawByWhatTheItemHolds)
{
    struct Case {
        std::optional<int> selected;
        QStringList calls;
        bool drawn;
    };
    const Case cases[] = {
        {1, {QStringLiteral("dialog"), QStringLiteral("settings 1"), QStringLiteral("notes 1")}, true},
        {3, {QStringLiteral("dialog"), QStringLiteral("settings 3")}, true},
        {5, {QStringLiteral("dialog")}, false},  // neither in use nor a trace
        {std::nullopt, {QStringLiteral("dialog")}, false},
        {999999, {QStringLiteral("dialog")}, false},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.host.selected = c.selected;
        f.controller.mnuAlogProperties_Click();
        EXPECT_EQ(f.host.calls, c.calls);
        EXPECT_EQ(!f.display.drawing().empty(), c.drawn);
    }
    // The redraw after the dialog uses the colours it saved.
    Fixture f;
    f.host.selected = 1;
    f.host.onDialog = [&] { f.settings.SaveSetting(QStringLiteral("Colours"), QStringLiteral("Gates"), QStringLiteral("255")); };
    f.controller.mnuAScanProperties_Click();
    EXPECT_TRUE(f.display.drawing().dumpLines().contains(QStringLiteral("pen 2 #ff0000")));
}

TEST(AScanMenu, ColoursReadFromTheStore)
{
    MapSettings s;
    s.values[QStringLiteral("Colours/Main Wave")] = QStringLiteral("255abc");
    s.values[QStringLiteral("Colours/Gates")] = QStringLiteral("16777216");  // beyond 24 bits
    s.values[QStringLiteral("Colours/Dac")] = QStringLiteral("N/A");
    const AScanColours c = readColours(s);
    EXPECT_EQ(c[ColourRole::MainWave], 255u);
    EXPECT_EQ(c[ColourRole::Gates], 0u);
    EXPECT_EQ(c[ColourRole::Dac], 0u);
    EXPECT_EQ(c[ColourRole::Tcg], 0u);  // missing reads as black
    saveColours(s, c);
    EXPECT_EQ(s.writes, (QStringList{QStringLiteral("Dac"), QStringLiteral("Tcg"), QStringLiteral("Gates"),
                                     QStringLiteral("Main Wave"), QStringLiteral("SecondWave"), QStringLiteral("Avg")}));
    EXPECT_EQ(s.values.value(QStringLiteral("Colours/Main Wave")), u"255");
}

TEST(StoreSettingsAccess, ReadsAndWritesTheProgramsStore)
{
    QTemporaryDir dir;
    tovu::platform::settings::SettingsStore store(dir.path());
    StoreSettingsAccess access(store, QStringLiteral("TOVU"));
    AScanColours c;
    c[ColourRole::Gates] = 0x123456;
    saveColours(access, c);
    EXPECT_FALSE(access.lastSaveFailed());
    EXPECT_EQ(store.getSetting(QStringLiteral("TOVU"), QStringLiteral("Colours"), QStringLiteral("Gates")),
              QString::number(0x123456));
    EXPECT_EQ(readColours(access), c);

    // A store that cannot be written keeps the old values and says so.
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    tovu::platform::settings::SettingsStore broken(blocker.fileName() + QStringLiteral("/sub"));
    StoreSettingsAccess failing(broken, QStringLiteral("TOVU"));
    failing.SaveSetting(QStringLiteral("Clipboard"), QStringLiteral("Export"), QStringLiteral("bitmap"));
    EXPECT_TRUE(failing.lastSaveFailed());
    EXPECT_EQ(failing.GetSetting(QStringLiteral("Clipboard"), QStringLiteral("Export"), QStringLiteral("x")), u"x");
}
