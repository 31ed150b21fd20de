// The report frame's five buttons, offscreen: their place, which start enabled, and that
// each click runs its report handler.
#include "ReportFakes.h"

#include "app/items/ItemStore.h"
#include "app/reports/WordReport.h"
#include "app/reports/widgets/ReportFrame.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace tovu::reports::testing {
namespace {

TEST(ReportFrameTest, FiveButtonsInARowAndOnlyTheFirstEnabledAtStart)
{
    const items::LanguageContext strings = ownStrings();
    ReportFrame frame(strings);
    EXPECT_EQ(frame.title(), QStringLiteral("Report Controls"));
    const QPushButton* buttons[] = {frame.Btn_WordExport(), frame.BtnExport_Current(), frame.BtnExportMulti(),
                                    frame.Btn_SaveClose(), frame.Btn_View_Word()};
    const int lefts[] = {16, 80, 144, 208, 272};  // 240, 1200, 2160, 3120, 4080 twips
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(buttons[i]->geometry(), QRect(lefts[i], 24, 57, 57));
        EXPECT_EQ(buttons[i]->isEnabled(), i == 0);
    }
    frame.setReportButtonsEnabled(true);
    for (const QPushButton* b : buttons)
        EXPECT_TRUE(b->isEnabled());
    // A look at the frame, kept in the build folder.
    frame.resize(360, 97);
    EXPECT_TRUE(frame.grab().save(QStringLiteral(TOVU_BIN_DIR "/report-frame.png")));
}

TEST(ReportFrameTest, EachButtonRunsItsHandler)
{
    items::LanguageContext strings = ownStrings();
    items::ItemStore store;
    FakeWindow window;
    FakeUser user;
    auto control = std::make_shared<RecordingControl>();
    WordReport report(control, window, user, store, strings, ReportFiles{});
    ReportFrame frame(strings);
    frame.connectReport(report);
    frame.setReportButtonsEnabled(true);

    user.inputs.push_back(std::nullopt);  // the new report's title is cancelled
    frame.Btn_WordExport()->click();
    EXPECT_EQ(user.asked, QStringList{QStringLiteral("input Enter Report Title")});

    report.ReportCreated = true;
    frame.BtnExport_Current()->click();
    EXPECT_EQ(control->calls.back().id, 0x60030061);  // saved after the item
    window.selected = {false};
    frame.BtnExportMulti()->click();
    EXPECT_EQ(user.asked.last(), QStringLiteral("message TOVU: No item is selected."));
    frame.Btn_SaveClose()->click();
    EXPECT_EQ(control->calls.back().id, 0x60030056);  // CloseWord
    frame.Btn_View_Word()->click();
    EXPECT_EQ(control->calls.back().id, 0x60030021);  // SwitchToWord
}

} // namespace
} // namespace tovu::reports::testing
