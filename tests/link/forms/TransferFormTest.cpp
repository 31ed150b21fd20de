// The link's windows, driven through the interfaces the engine uses.
#include "app/link/LinkContext.h"
#include "app/link/forms/MessageFrm.h"
#include "app/link/forms/TransferForm.h"
#include "platform/serial/MemoryPort.h"
#include "support/AppEnvironment.h"

#include <QApplication>
#include <QScreen>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace tovu::link;

TOVU_TEST_APPLICATION(QApplication)

namespace {

struct Strings : tovu::items::StringSource {
    QString GetResString(int id) const override { return QStringLiteral("s%1").arg(id); }
};

struct NoClock : Clock, EventPump {
    std::int64_t nowMs() override { return 0; }
    void sleepMs(int) override {}
    void doEvents() override { QCoreApplication::processEvents(); }
    void waitMs(int) override {}
};

QColor background(const QLabel* l) { return l->palette().color(QPalette::Window); }

struct FormsTest : ::testing::Test {
    Strings strings;
};

} // namespace

TEST_F(FormsTest, LoadCaptionsNumbersAndGreysEverySlot)
{
    TransferForm f(strings, {});
    EXPECT_EQ(f.windowTitle(), QStringLiteral("s518"));
    EXPECT_EQ(f.Label1()->text(), QStringLiteral("s111"));
    EXPECT_EQ(f.Label2()->text(), QStringLiteral("s112"));
    EXPECT_EQ(f.CancelButton()->text(), QStringLiteral("s515"));
    EXPECT_EQ(f.ProgressBar()->value(), 0);
    for (int i = 1; i <= 20; ++i) {
        EXPECT_EQ(f.PanelLbl(i)->text(), QString::number(i));
        EXPECT_EQ(background(f.PanelLbl(i)), QColor(0xC0, 0xC0, 0xC0));
    }
    EXPECT_EQ(f.AlogsLbl(100)->text(), QStringLiteral("100"));
    const std::tuple<QLabel*, const char*, QColor> legend[] = {
        {f.PanelLbl(21), "s570", QColor(255, 0, 0)},     {f.AlogsLbl(0), "s571", QColor(0, 255, 0)},
        {f.PanelLbl(22), "s572", QColor(255, 255, 0)},   {f.PanelLbl(0), "s573", QColor(255, 255, 255)},
        {f.PanelLbl(23), "s574", QColor(192, 192, 192)}};
    for (const auto& [label, text, colour] : legend) {
        EXPECT_EQ(label->text(), QLatin1String(text));
        EXPECT_EQ(background(label), colour) << text;
    }
}

TEST_F(FormsTest, TheEngineRecaptionsAndRecoloursSlots)
{
    TransferForm f(strings, {});
    TransferView& view = f;
    view.setSlotCaption(SlotRow::Panels, 1, QStringLiteral("41"));
    view.setSlotColour(SlotRow::Panels, 1, SlotColour::Yellow);
    view.setSlotColour(SlotRow::ALogs, 100, SlotColour::Green);
    view.setStatusText(QStringLiteral("Checking"));
    view.setProgress(48);
    EXPECT_EQ(f.PanelLbl(1)->text(), QStringLiteral("41"));
    EXPECT_EQ(background(f.PanelLbl(1)), QColor(255, 255, 0));
    EXPECT_EQ(background(f.AlogsLbl(100)), QColor(0, 255, 0));
    EXPECT_EQ(f.StatusLabel()->text(), QStringLiteral("Checking"));
    EXPECT_EQ(f.ProgressBar()->value(), 48);
    EXPECT_EQ(f.PanelLbl(21)->text(), QStringLiteral("s570"));  // the legend keeps its captions
    EXPECT_THROW(view.setSlotColour(SlotRow::Panels, 21, SlotColour::Red), std::out_of_range);
}

TEST_F(FormsTest, CancelClearsActiveThroughTheContextAndLeavesTheWindowUp)
{
    tovu::platform::serial::MemoryPort port;
    NoClock time;
    tovu::items::ItemStore store;
    LinkContext ctx(port, time, time, store, strings);
    ctx.makeTransferView = [&] {
        return std::make_unique<TransferForm>(strings, [&ctx] { ctx.Active = false; });
    };
    ctx.Active = false;
    ctx.loadTransferDialog();
    EXPECT_TRUE(ctx.Active);
    auto* form = dynamic_cast<TransferForm*>(ctx.transferDialog());
    ASSERT_NE(form, nullptr);
    form->showModeless();
    form->CancelButton()->click();
    EXPECT_FALSE(ctx.Active);
    EXPECT_TRUE(form->isVisible());
    ctx.unloadTransferDialog();
    ctx.setProgress(10);  // nothing to write to, nothing re-created
    EXPECT_EQ(ctx.transferDialog(), nullptr);
    EXPECT_FALSE(ctx.Active);
}

// Each message is shown whole: a longer one than before widens the window, one wider
// than the screen wraps inside it; the window stays on the screen.
TEST_F(FormsTest, MessageWindowFitsEachMessageWithinTheScreen)
{
    MessageFrm m(strings);
    MessageView& view = m;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QString shortText = QStringLiteral("Please Wait");
    const QString longer = QStringLiteral("Please Wait While Restoring Current Calibration, and then some more words");
    QString wide;
    while (m.msgLabel()->fontMetrics().horizontalAdvance(wide) < 2 * screen.width())
        wide += QStringLiteral("Please Wait While Saving Current Calibration ");
    for (const QString& text : {shortText, longer, wide, shortText}) {
        SCOPED_TRACE(text.left(40).toStdString());
        view.setMessage(text);
        view.showModeless();
        QCoreApplication::processEvents();
        const bool fits = m.msgLabel()->fontMetrics().horizontalAdvance(text) < screen.width() - 100;
        EXPECT_EQ(m.msgLabel()->wordWrap(), !fits);
        if (fits)
            EXPECT_GE(m.msgLabel()->width(), m.msgLabel()->fontMetrics().horizontalAdvance(text));
        else
            EXPECT_GT(m.msgLabel()->height(), 2 * m.msgLabel()->fontMetrics().height());
        EXPECT_TRUE(screen.contains(m.geometry())) << m.geometry().x() << " " << m.geometry().width();
        view.hide();
    }
}

TEST_F(FormsTest, MessageWindowKeepsItsTextAndPlaceAcrossShows)
{
    MessageFrm m(strings);
    EXPECT_EQ(m.windowTitle(), QStringLiteral("s130"));
    MessageView& view = m;
    view.setMessage(QStringLiteral("s562"));
    view.showModeless();
    const QPoint where = m.pos();
    view.hide();
    EXPECT_FALSE(m.isVisible());
    view.showModeless();
    EXPECT_TRUE(m.isVisible());
    EXPECT_EQ(m.msgLabel()->text(), QStringLiteral("s562"));
    EXPECT_EQ(m.pos(), where);
}
