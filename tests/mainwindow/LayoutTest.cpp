// The window as laid out at the default size (800 x 600), at the least size it allows and
// at 1920 x 1080, in English and in German, with and without the report frame, on either
// tab: nothing overlaps, nothing sticks out, no text is clipped, the picture keeps its
// drawing size. Switching the language, the view or the size changes nothing the user
// has saved or downloaded.
#include "mainwindow/LayoutCheck.h"
#include "mainwindow/MainWindowFixture.h"

#include "app/display/Canvas.h"
#include "app/mainwindow/CaptionTable.h"

#include <QApplication>
#include <QGroupBox>

namespace tovu::mainwindow::testing {
namespace {

class Layout : public MainWindowFixture {
protected:
    // The window in the language, the fixture's items opened and one ALog with a trace
    // shown, so that the grid and the notes hold texts.
    frmmain& withItems(std::uint32_t lcid)
    {
        options.lcid = lcid;
        frmmain& w = startWithItems();
        for (int k = 1; k <= w.listModel().count(); ++k)
            if (context().store.WorkItems[static_cast<std::size_t>(k)].WaveformPresent) {
                w.itemCommands().openItem(k);
                break;
            }
        w.show();
        settle();
        return w;
    }
};

TEST_F(Layout, NothingOverlapsOrIsClippedAtTheThreeSizesInEnglishAndGerman)
{
    for (const std::uint32_t lcid : {0x809u, 0x407u}) {
        frmmain& w = withItems(lcid);
        ASSERT_TRUE(w.wordAvailable()) << "the report frame is part of the layout";
        const QSize least = w.minimumSize();
        EXPECT_GE(least.width(), 9750 / kTwipsPerPixel);
        EXPECT_GE(least.height(), 7365 / kTwipsPerPixel);
        for (const QSize size : {QSize(800, 600), QSize(1, 1), QSize(1920, 1080)}) {
            w.resize(size);
            settle();
            const bool atLeast = size == QSize(1, 1);
            if (atLeast) {
                EXPECT_EQ(w.size(), least) << "the window holds its least size";
            }
            for (const bool frame : {false, true}) {
                if (w.Frm_Export()->isVisible() != frame)
                    w.Toolbar1_ButtonClick(QStringLiteral("wordIcon1"));
                for (const int tab : {kSettingsTab, kNotesTab}) {
                    w.NotesSettingsTab()->setCurrentIndex(tab);
                    settle();
                    SCOPED_TRACE(QStringLiteral("%1 at %2x%3, report frame %4, tab %5")
                                     .arg(lcid, 0, 16)
                                     .arg(w.width())
                                     .arg(w.height())
                                     .arg(frame)
                                     .arg(tab)
                                     .toStdString());
                    const QStringList faults = layoutFaults(w);
                    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
                    EXPECT_GE(w.Picture1()->width(), display::kLogicalWidth);
                    EXPECT_GE(w.Picture1()->height(), display::kLogicalHeight);
                    if (atLeast) {
                        EXPECT_LE(w.Picture1()->height(), display::kLogicalHeight + 2)
                            << "the least height is what the picture and the tab need";
                    }
                }
            }
        }
    }
}

TEST_F(Layout, TheSplitterCannotSqueezeTheItemListAway)
{
    frmmain& w = withItems(0x809);
    w.resize(800, 600);
    settle();
    float far = 50000;
    w.paneLayout().ResizeControls(far);
    EXPECT_LT(far, 50000) << "the splitter position was lowered";
    settle();
    EXPECT_TRUE(layoutFaults(w).isEmpty()) << layoutFaults(w).join(QLatin1Char('\n')).toStdString();
    EXPECT_GE(w.lvwPanelsALog()->width(), 60);
}

TEST_F(Layout, ResizingSwitchingViewAndLanguageChangeNoSavedOrDownloadedData)
{
    frmmain& w = withItems(0x809);
    const items::ItemStore& store = context().store;
    const auto alogs = store.ALogs;
    const auto panels = store.Panels;
    const bool modified = w.modified();
    int german = -1;
    for (int i = 0; i < kLanguages; ++i)
        if (QLatin1String(localeCodeOfLanguageItem(i)) == u"407")
            german = i;
    ASSERT_GE(german, 0);

    w.resize(1920, 1080);
    settle();
    w.itemViews().mnuViewPanels_Click();
    w.mnuMultSel_Click(german);
    w.resize(800, 600);
    w.itemViews().mnuViewALogs_Click();
    w.Toolbar1_ButtonClick(QStringLiteral("wordIcon1"));
    settle();

    EXPECT_TRUE(store.ALogs == alogs);
    EXPECT_TRUE(store.Panels == panels);
    EXPECT_EQ(w.modified(), modified);
    EXPECT_TRUE(layoutFaults(w).isEmpty()) << layoutFaults(w).join(QLatin1Char('\n')).toStdString();
}

} // namespace
} // namespace tovu::mainwindow::testing
