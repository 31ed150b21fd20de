// A report page with the A-scan picture, rendered at print resolution and written to the
// build folder for a look: by the stand-in's own page layout, and by LibreOffice (PDF, then
// 300 dpi pixels) where it is installed. The graticule must stay visible: a dot drawn as
// one device pixel would all but vanish at 300 dpi.
#include "ControlFixture.h"

#include "app/display/AScanPainter.h"
#include "app/display/EmfCanvas.h"
#include "platform/office/word/PageLayout.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>

namespace tovu::control::testing {
namespace {

constexpr int kDpi = 300;
constexpr int kDots = 11 * 67 + 11 * 85;  // the graticule's dots

QString buildFolder()
{
    return QStringLiteral(TOVU_TEST_OUTPUT_DIR);
}

// Pixels darker than mid-grey.
int darkPixels(const QImage& image)
{
    int dark = 0;
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            dark += line[x] < 128;
    }
    return dark;
}

class ReportPageTest : public ControlTest {
protected:
    void SetUp() override { ensureGui(); }

    // The held document: a line of text and the graticule picture placed as the report
    // places the A-scan (350 x 200 points).
    QString reportWithGraticule()
    {
        display::EmfCanvas canvas;
        display::DrawGraticule(canvas);
        const QString emf = file(QStringLiteral("graticule.emf"));
        QFile out(emf);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(canvas.finish());
        out.close();
        EXPECT_EQ(openBlank(), 1);
        EXPECT_EQ(status("TextToWord", {Variant(QStringLiteral("A-scan"))}), 1);
        EXPECT_EQ(status("InsertPicture", {Variant(emf), Variant(2.0f), Variant(0.0f), Variant(350.0f), Variant(200.0f)}), 1);
        const QString docx = QDir(buildFolder()).filePath(QStringLiteral("report-graticule.docx"));
        control.heldDocument()->saveAs(docx);
        return docx;
    }
};

TEST_F(ReportPageTest, TheGraticuleShowsOnThePageAt300Dpi)
{
    reportWithGraticule();
    const platform::word::PageLayout layout(control.heldDocument()->model());
    const QSizeF page = layout.pageSize();
    QImage image((page * kDpi / 72.0).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(kDpi / 72.0, kDpi / 72.0);
        layout.paintPage(painter, 1);
    }
    const QString png = QDir(buildFolder()).filePath(QStringLiteral("report-page-300dpi.png"));
    ASSERT_TRUE(image.save(png));
    // Each dot is a box of about four by four pixels here.
    EXPECT_GT(darkPixels(image), kDots * 4) << png.toStdString();
}

TEST_F(ReportPageTest, TheGraticuleShowsInLibreOfficesRenderingAt300Dpi)
{
    const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    const QString raster = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (office.isEmpty() || raster.isEmpty())
        GTEST_SKIP() << "LibreOffice or pdftoppm is not installed";
    const QString docx = reportWithGraticule();
    QProcess convert;
    // A profile of its own, so a LibreOffice the user runs is not disturbed.
    convert.start(office, {QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
                           QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                           QStringLiteral("--outdir"), dir.path(), docx});
    ASSERT_TRUE(convert.waitForFinished(180000));
    const QString pdf = dir.filePath(QStringLiteral("report-graticule.pdf"));
    ASSERT_TRUE(QFile::exists(pdf)) << convert.readAllStandardError().toStdString();
    const QString base = QDir(buildFolder()).filePath(QStringLiteral("report-page-300dpi-libreoffice"));
    QProcess render;
    render.start(raster, {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-png"), QStringLiteral("-f"),
                          QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-singlefile"),
                          pdf, base});
    ASSERT_TRUE(render.waitForFinished(60000));
    const QImage image(base + QStringLiteral(".png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(darkPixels(image), kDots * 4) << base.toStdString() << ".png";
}

} // namespace
} // namespace tovu::control::testing
