// Pictures of the main window against the simulated instrument, in English and in German,
// at the default size (800 x 600), at the least size the window allows and at 1920 x 1080,
// on a real X server (run under xvfb-run). An item of the fixture file is shown so that
// the picture, the grid and the notes hold something. The PNGs land in the build folder's
// screenshots/ for a person to look at; the test checks that they show a window and that
// the layout holds with the X server's fonts.
#include "mainwindow/LayoutCheck.h"
#include "mainwindow/MainWindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QImage>

namespace tovu::mainwindow::testing {
namespace {

using Screenshot = MainWindowFixture;

TEST_F(Screenshot, MainWindowAtThreeSizesInEnglishAndGerman)
{
    const QString folder = QStringLiteral(TOVU_BIN_DIR "/../screenshots");
    ASSERT_TRUE(QDir().mkpath(folder));
    struct Case {
        std::uint32_t lcid;
        const char* fileMenu;  // nullptr: any text but the English one
    };
    for (const Case c : {Case{0x809, "File "}, Case{0x407, nullptr}}) {
        startInstrument(21);
        options.lcid = c.lcid;
        frmmain& w = start();
        ui.fileNames.push_back(QStringLiteral(TOVU_FIXTURES_DIR "/items/mixed.dfd"));
        w.Toolbar1_ButtonClick(QStringLiteral("Open"));
        w.itemViews().mnuViewALogs_Click();
        for (int k = 1; k <= w.listModel().count(); ++k)
            if (context().store.WorkItems[static_cast<std::size_t>(k)].WaveformPresent) {
                w.lvwPanelsALog()->setCurrentIndex(w.listModel().index(k - 1));
                w.itemCommands().openItem(k);
                break;
            }
        w.show();
        if (c.fileMenu)
            EXPECT_EQ(w.action("mnuFile")->text(), QString::fromLatin1(c.fileMenu));
        else
            EXPECT_NE(w.action("mnuFile")->text(), QStringLiteral("File "));
        EXPECT_EQ(w.DFDTree()->caption(0), QStringLiteral("VELTRIS 150"));
        for (const QSize size : {QSize(800, 600), QSize(1, 1), QSize(1920, 1080)}) {
            w.resize(size);
            // The X server applies the size when it gets to it; then the window lays out.
            EXPECT_TRUE(waitUntil([&] { return w.size() == size.expandedTo(w.minimumSize()); })) << w.width() << "x" << w.height();
            settle();
            const QString name = QStringLiteral("mainwindow-%1-%2x%3.png").arg(c.lcid, 0, 16).arg(w.width()).arg(w.height());
            SCOPED_TRACE(name.toStdString());
            const QImage picture = w.grab().toImage();
            ASSERT_FALSE(picture.isNull());
            EXPECT_EQ(picture.size(), w.size() * w.devicePixelRatio());
            EXPECT_TRUE(picture.save(QDir(folder).filePath(name))) << name.toStdString();
            // Something is drawn: the picture holds more than a handful of colours.
            QSet<QRgb> colours;
            for (int y = 0; y < picture.height(); y += 7)
                for (int x = 0; x < picture.width(); x += 7)
                    colours.insert(picture.pixel(x, y));
            EXPECT_GT(colours.size(), 8);
            const QStringList faults = layoutFaults(w);
            EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
        }
    }
}

} // namespace
} // namespace tovu::mainwindow::testing
