// Pictures of the main window after start-up against the simulated instrument, in English
// and in German, on a real X server (run under xvfb-run). The PNGs land in the build
// folder's screenshots/ for a person to look at; the test checks that they show a window.
#include "mainwindow/MainWindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QImage>

namespace tovu::mainwindow::testing {
namespace {

using Screenshot = MainWindowFixture;

TEST_F(Screenshot, MainWindowAfterStartUpInEnglishAndGerman)
{
    const QString folder = QStringLiteral(TOVU_BIN_DIR "/../screenshots");
    ASSERT_TRUE(QDir().mkpath(folder));
    struct Case {
        std::uint32_t lcid;
        const char* file;
        const char* fileMenu;
    };
    for (const Case c : {Case{0x809, "mainwindow-809.png", "File "}, Case{0x407, "mainwindow-407.png", nullptr}}) {
        SCOPED_TRACE(c.file);
        startInstrument(21);
        options.lcid = c.lcid;
        frmmain& w = start();
        w.resize(1100, 720);
        w.show();
        w.mnuViewALogs_Click();
        for (int i = 0; i < 20; ++i)
            QApplication::processEvents();
        const QImage picture = w.grab().toImage();
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), w.size() * w.devicePixelRatio());
        const QString path = QDir(folder).filePath(QString::fromLatin1(c.file));
        EXPECT_TRUE(picture.save(path)) << path.toStdString();
        // Something is drawn: the picture holds more than a handful of colours.
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 7)
            for (int x = 0; x < picture.width(); x += 7)
                colours.insert(picture.pixel(x, y));
        EXPECT_GT(colours.size(), 8);
        if (c.fileMenu)
            EXPECT_EQ(w.action("mnuFile")->text(), QString::fromLatin1(c.fileMenu));
        else
            EXPECT_NE(w.action("mnuFile")->text(), QStringLiteral("File "));
        EXPECT_EQ(w.DFDTree()->caption(0), QStringLiteral("VELTRIS 150"));
    }
}

} // namespace
} // namespace tovu::mainwindow::testing
