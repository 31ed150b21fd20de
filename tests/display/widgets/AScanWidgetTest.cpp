// The A-scan picture box on the offscreen platform: its picture, cross-hair, readout
// and events; the colour dialog; the settings grid view.

#include "app/display/widgets/AScanPropertiesDialog.h"
#include "app/display/widgets/AScanWidget.h"
#include "app/display/widgets/SettingsGridView.h"
#include "display/support/FakeStrings.h"
#include "display/support/MapSettings.h"
#include "support/QtPrinters.h"
#include "support/SampleRecords.h"

#include <QDir>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tovu::display;
using namespace tovu::display::testing;
using namespace tovu::test;

namespace {
struct NoMessages : DisplayMessages {
    void showCritical(const QString&) override {}
};

struct Fixture {
    Fixture()
    {
        auto r = sampleALogWithDac();
        r.editSettings().DacCurveSet = QStringLiteral("2");
        r.editSettings().Hud = QStringLiteral("4");
        store.WorkItems[1] = r;
        settings.values[QStringLiteral("Colours/Main Wave")] = QString::number(0x000000);
        settings.values[QStringLiteral("Colours/Gates")] = QString::number(0xC00000);  // blue
        settings.values[QStringLiteral("Colours/Dac")] = QString::number(0x0080FF);    // orange
        display.folders = {QStringLiteral(TOVU_BIN_DIR), QStringLiteral(TOVU_BIN_DIR)};
        widget.setShownItemSource([this] { return selected; });
        widget.resize(510, 490);
    }
    tovu::items::ItemStore store;
    FakeStrings strings;
    MapSettings settings;
    NoMessages messages;
    AScanDisplay display{store, strings, settings, messages};
    AScanWidget widget{display};
    std::optional<int> selected = 1;
};
} // namespace

TEST(AScanWidget, RendersTheDrawingToAPng)
{
    Fixture f;
    f.display.DrawAScan(1);
    f.widget.show();
    f.widget.Picture1_MouseMove(200, 150);
    const QImage image = f.widget.grab().toImage();
    const QString path = QDir(QStringLiteral(TOVU_BIN_DIR)).filePath(QStringLiteral("ascan-widget.png"));
    ASSERT_TRUE(image.save(path));
    EXPECT_EQ(image.size(), QSize(510, 490));
    // The cross-hair in blue through the pointer, the gate in its colour at twice the scale.
    EXPECT_EQ(image.pixelColor(20, 150), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(200, 300), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(150, 240), QColor(0, 0, 0xC0));
    // The readout box stays white inside.
    EXPECT_EQ(image.pixelColor(310, 50), QColor(255, 255, 255));
}

TEST(AScanWidget, CursorReadoutFollowsTheShownItem)
{
    Fixture f;
    f.display.DrawAScan(1);
    f.widget.show();
    // 510 x 490: scale width - 6 = 504, H0 = 490 - (81.67 + 2) = 406.33.
    f.widget.Picture1_MouseMove(252, 0);
    EXPECT_TRUE(f.widget.CursorText()->isVisible());
    EXPECT_EQ(f.widget.CursorText()->text(), u"Cursor Positions:   X=25.mm  Y= 100%");
    EXPECT_TRUE(f.widget.cursorVisible());
    EXPECT_EQ(f.widget.cursorPosition(), QPoint(252, 0));

    // Live settings shown: record 0 (no trace) is the item: cross-hair, no readout change.
    f.store.LiveSettingsShown = true;
    f.widget.Picture1_MouseMove(100, 100);
    EXPECT_EQ(f.widget.CursorText()->text(), u"Cursor Positions:   X=25.mm  Y= 100%");
    EXPECT_EQ(f.widget.cursorPosition(), QPoint(100, 100));

    // Nothing shown and no live settings: record 0 as well.
    f.store.LiveSettingsShown = false;
    f.selected.reset();
    f.widget.Picture1_MouseMove(120, 120);
    EXPECT_EQ(f.widget.CursorText()->text(), u"Cursor Positions:   X=25.mm  Y= 100%");

    f.widget.hideCursor();
    EXPECT_FALSE(f.widget.CursorText()->isVisible());
    EXPECT_FALSE(f.widget.cursorVisible());
}

TEST(AScanWidget, TheCrossHairAndReadoutGoWhenThePointerLeavesThePicture)
{
    Fixture f;
    f.display.DrawAScan(1);
    f.widget.show();
    QTest::mouseMove(&f.widget, QPoint(100, 100));
    f.widget.Picture1_MouseMove(100, 100);
    ASSERT_TRUE(f.widget.CursorText()->isVisible());
    ASSERT_TRUE(f.widget.cursorVisible());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&f.widget, &leave);
    EXPECT_FALSE(f.widget.CursorText()->isVisible());
    EXPECT_FALSE(f.widget.cursorVisible());
    // The picture drawn afterwards has no cross-hair in it.
    const QImage image = f.widget.grab().toImage();
    EXPECT_NE(image.pixelColor(20, 100), QColor(0, 0, 255));
}

TEST(AScanWidget, RightButtonAsksForThePopUpMenu)
{
    Fixture f;
    f.widget.show();
    QSignalSpy spy(&f.widget, &AScanWidget::popUpMenuRequested);
    QTest::mouseClick(&f.widget, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(spy.count(), 0);
    QTest::mouseClick(&f.widget, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(spy.count(), 1);
}

TEST(AScanWidget, DragStatesAndDrop)
{
    Fixture f;
    f.widget.show();
    QSignalSpy states(&f.widget, &AScanWidget::dragOverPicture);
    QSignalSpy drops(&f.widget, &AScanWidget::droppedOnPicture);
    QMimeData mime;
    mime.setText(QStringLiteral("item 1"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&f.widget, &enter);
    QDragMoveEvent move(QPoint(6, 6), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&f.widget, &move);
    QDropEvent drop(QPointF(7, 7), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&f.widget, &drop);
    EXPECT_EQ(drops.count(), 1);
    EXPECT_TRUE(enter.isAccepted());
    QDragEnterEvent again(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&f.widget, &again);
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(&f.widget, &leave);
    ASSERT_EQ(states.count(), 4);
    EXPECT_EQ(states[0][0].toInt(), 0);
    EXPECT_EQ(states[1][0].toInt(), 2);
    EXPECT_EQ(states[2][0].toInt(), 0);
    EXPECT_EQ(states[3][0].toInt(), 1);
}

TEST(AScanPropertiesDialog, CaptionsSwatchesAndSave)
{
    FakeStrings strings;
    MapSettings settings;
    settings.values[QStringLiteral("Colours/Tcg")] = QStringLiteral("65280");
    AScanPropertiesDialog dialog(strings, settings);
    EXPECT_EQ(dialog.windowTitle(), u"ALog Properties");
    const QStringList captions = {QStringLiteral("Main Wave"), QStringLiteral("Second Wave"), QStringLiteral("Gates"),
                                  QStringLiteral("DAC Curve"), QStringLiteral("TCG Curve"), QStringLiteral("AVG Curve")};
    for (int i = 0; i < kColourRoles; ++i)
        EXPECT_EQ(dialog.ColourLabel(i)->text(), captions[i]);
    EXPECT_EQ(dialog.OKButton()->text(), u"OK");
    EXPECT_EQ(dialog.CancelButton()->text(), u"Cancel");
    EXPECT_EQ(dialog.colours()[ColourRole::Tcg], 65280u);
    EXPECT_EQ(dialog.colours()[ColourRole::MainWave], 0u);

    dialog.setColourChooser([](const QColor&, QWidget*) { return std::optional<QColor>(QColor(255, 0, 0)); });
    dialog.ColourPicture(2)->click();
    EXPECT_EQ(dialog.colours()[ColourRole::Gates], 0x0000FFu);
    dialog.OKButton_Click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.values.value(QStringLiteral("Colours/Gates")), u"255");
    EXPECT_EQ(settings.values.value(QStringLiteral("Colours/Main Wave")), u"0");  // first use: black written
    EXPECT_EQ(settings.writes.size(), 6);
}

TEST(AScanPropertiesDialog, CancelledPicksAreNotSavedLater)
{
    FakeStrings strings;
    MapSettings settings;
    settings.values[QStringLiteral("Colours/Main Wave")] = QStringLiteral("100");
    AScanPropertiesDialog dialog(strings, settings);
    dialog.setColourChooser([](const QColor&, QWidget*) { return std::optional<QColor>(QColor(0, 0, 255)); });

    // First showing: pick, then Cancel.
    QTimer::singleShot(0, &dialog, [&] {
        dialog.ColourPicture_Click(0);
        EXPECT_EQ(dialog.colours()[ColourRole::MainWave], 0xFF0000u);
        dialog.CancelButton()->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_TRUE(settings.writes.isEmpty());

    // Second showing starts from the store; OK saves the stored colour, not the old pick.
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_EQ(dialog.colours()[ColourRole::MainWave], 100u);
        dialog.OKButton()->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(settings.values.value(QStringLiteral("Colours/Main Wave")), u"100");

    // A chooser closed with Cancel leaves the swatch as it was.
    dialog.setColourChooser([](const QColor&, QWidget*) { return std::optional<QColor>(); });
    dialog.ColourPicture_Click(0);
    EXPECT_EQ(dialog.colours()[ColourRole::MainWave], 100u);
}

// The grid of the sample ALog, shown at 600 x 500 with its column widths applied.
struct ShownSettingsGrid {
    ShownSettingsGrid()
    {
        model.ShowALogSettings(sampleALog(), strings);
        view.setModel(&model);
        view.resize(600, 500);
        view.show();
        view.applyColumnWidths();
    }
    FakeStrings strings;
    SettingsGridTableModel model;
    SettingsGridView view;
};

TEST(SettingsGridView, ShowsTheModelWithItsColumnWidths)
{
    ShownSettingsGrid grid;
    SettingsGridView& view = grid.view;
    const double twipsPerPixel = 1440.0 / view.logicalDpiX();
    // 700 twips, or what the longest label needs.
    EXPECT_NEAR(view.columnWidth(0), std::max(700 / twipsPerPixel, double(view.firstColumnTextWidth())), 1.0);
    EXPECT_GE(view.columnWidth(0), view.firstColumnTextWidth());
    EXPECT_GT(view.columnWidth(1), view.columnWidth(0));
    EXPECT_EQ(view.columnWidth(1), view.columnWidth(4));
    EXPECT_EQ(view.model()->rowCount(), 29);
    const QString path = QDir(QStringLiteral(TOVU_BIN_DIR)).filePath(QStringLiteral("settings-grid.png"));
    EXPECT_TRUE(view.grab().save(path));
}

TEST(SettingsGridView, ColumnsWidenToTheirLongestTextsAndTheOthersShareTheRest)
{
    ShownSettingsGrid grid;
    FakeStrings& strings = grid.strings;
    SettingsGridTableModel& model = grid.model;
    SettingsGridView& view = grid.view;
    const int before = view.columnWidth(4);
    // Every label of the first column made long, as a language with long names has them.
    QSet<QString> labels;
    for (int r = 0; r < model.rowCount(); ++r)
        labels.insert(model.index(r, 0).data().toString());
    for (auto it = strings.table.begin(); it != strings.table.end(); ++it)
        if (!it.value().isEmpty() && labels.contains(it.value()))
            it.value() += QStringLiteral(" WITH A LONG NAME");
    model.ShowALogSettings(sampleALog(), strings);  // the grid refills: the widths follow
    int widest = 0;
    for (int r = 0; r < model.rowCount(); ++r)
        widest = std::max(widest, view.fontMetrics().horizontalAdvance(model.index(r, 0).data().toString()));
    EXPECT_GT(widest, view.fontMetrics().horizontalAdvance(QStringLiteral("WITH A LONG NAME")));
    EXPECT_GE(view.columnWidth(0), widest);
    EXPECT_EQ(view.columnWidth(0), view.firstColumnTextWidth());
    int narrowest = view.columnWidth(1);
    for (int c = 1; c < SettingsGridModel::kColumns; ++c) {
        EXPECT_GE(view.columnWidth(c), view.columnTextWidth(c)) << "column " << c << " cuts no text short";
        narrowest = std::min(narrowest, view.columnWidth(c));
    }
    EXPECT_LT(narrowest, before) << "an item column whose texts fit gives up what the first one took";
}
