// Pictures of the writer played back onto images: where pixels, lines, boxes and text land,
// at the picture's own size and stretched, and pictures the player leaves alone.

#include "platform/metafile/EmfPlayer.h"
#include "platform/metafile/EmfWriter.h"
#include "support/AppEnvironment.h"

#include <QGuiApplication>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace tovu::platform::metafile;

// Fontconfig keeps a cache for the life of the process (the text's fonts).
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

TOVU_TEST_APPLICATION(QGuiApplication)

namespace {

constexpr ColorRef kRed = 0x0000FF;

// A graticule dot, a red line that runs under a readout box, and a narrow text.
QByteArray picture(const QString& text = QStringLiteral("WWWW"), std::vector<std::int32_t> advances = {7, 7, 7, 7})
{
    EmfWriter w(QSize(255, 245), QStringLiteral("Alog Metafile"));
    w.setMapMode(MM_ANISOTROPIC);
    w.setWindowExt(255, 245);
    w.setViewportExt(255, 245);
    w.setBkMode(TRANSPARENT);
    w.selectObject(kStockWhiteBrush);
    w.selectObject(kStockBlackPen);
    w.setPixel(26, 4, 0);
    const auto pen = w.createPen(1, kRed);
    w.selectObject(pen);
    w.moveTo(52, 20);
    w.lineTo(200, 20);
    w.selectObject(kStockBlackPen);
    w.deleteObject(pen);
    w.rectangle(150, 0, 255, 30);
    const auto font = w.createFont({QStringLiteral("Arial"), 20, 7, 400, 0});
    w.selectObject(font);
    w.textOut(10, 205, text, advances);
    w.selectObject(kStockSystemFont);
    w.deleteObject(font);
    return w.finish();
}

bool dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }
bool red(const QImage& image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

// The columns of the image's dark pixels within a band of rows.
std::pair<int, int> darkColumns(const QImage& image, int top, int bottom)
{
    int first = image.width(), last = -1;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (dark(image, x, y)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

} // namespace

TEST(EmfPlayer, DrawsThePictureAsItsRecordsSayAtItsOwnSize)
{
    const QImage image = renderEmf(picture(), QSize(255, 245));
    ASSERT_FALSE(image.isNull());
    // The dot is one pixel.
    EXPECT_TRUE(dark(image, 26, 4));
    EXPECT_FALSE(dark(image, 27, 4));
    EXPECT_FALSE(dark(image, 26, 5));
    // The line in its pen's colour up to its end point, and hidden under the box, whose
    // white inside covers it and whose black outline runs along its left edge.
    EXPECT_TRUE(red(image, 100, 20));
    EXPECT_EQ(image.pixelColor(51, 20), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(170, 20), QColor(Qt::white));
    EXPECT_TRUE(dark(image, 150, 20));
    EXPECT_TRUE(dark(image, 200, 29));
    EXPECT_EQ(image.pixelColor(200, 30), QColor(Qt::white));
    // Text stays within its advances: four characters of width 7 from x = 10 (a W is
    // wider than the average, so its last strokes may reach past its advance).
    const auto [first, last] = darkColumns(image, 200, 230);
    EXPECT_GE(first, 10);
    EXPECT_LE(last, 10 + 4 * 7 + 4);
    EXPECT_GT(last, 10 + 3 * 7) << "the last character is drawn at its advance";
}

TEST(EmfPlayer, StretchesTheFrameOverTheTarget)
{
    const QImage image = renderEmf(picture(), QSize(510, 490));
    ASSERT_FALSE(image.isNull());
    for (int x : {52, 53})
        for (int y : {8, 9})
            EXPECT_TRUE(dark(image, x, y)) << x << "," << y;
    EXPECT_FALSE(dark(image, 54, 8));
    EXPECT_TRUE(red(image, 110, 40));
    EXPECT_TRUE(red(image, 200, 41));
    const auto [first, last] = darkColumns(image, 400, 460);
    EXPECT_GE(first, 20);
    EXPECT_LE(last, 2 * (10 + 4 * 7 + 4));
}

TEST(EmfPlayer, LeavesPicturesWithOtherRecordsToOthers)
{
    QByteArray bytes = picture();
    const auto document = readEmf(bytes);
    ASSERT_TRUE(document);
    EXPECT_TRUE(canPlay(*document));
    // The background-mode record made into a record the player does not draw (a Bezier).
    for (const EmfRecord& r : document->records)
        if (r.type == EMR_SETBKMODE)
            qToLittleEndian<quint32>(2, bytes.data() + r.offset);
    const auto changed = readEmf(bytes);
    ASSERT_TRUE(changed);
    EXPECT_FALSE(canPlay(*changed));
    EXPECT_TRUE(renderEmf(bytes, QSize(255, 245)).isNull());
    EXPECT_TRUE(renderEmf(QByteArray("not a picture"), QSize(10, 10)).isNull());
}

// A dot as the picture writer puts it: a box of one unit with a one-pixel pen and a brush of
// its colour. At the picture's own size it is exactly its pixel; stretched, the whole unit.
TEST(EmfPlayer, AOneUnitBoxIsItsPixelAtOwnSizeAndTheWholeUnitStretched)
{
    EmfWriter w(QSize(20, 20), QStringLiteral("dot"));
    w.setMapMode(MM_ANISOTROPIC);
    w.setWindowExt(20, 20);
    w.setViewportExt(20, 20);
    const auto pen = w.createPen(0, 0);
    const auto brush = w.createBrush(0);
    w.selectObject(pen);
    w.selectObject(brush);
    w.rectangle(5, 7, 6, 8);
    w.selectObject(kStockBlackPen);
    w.selectObject(kStockWhiteBrush);
    w.deleteObject(pen);
    w.deleteObject(brush);
    const QByteArray bytes = w.finish();

    const QImage own = renderEmf(bytes, QSize(20, 20));
    ASSERT_FALSE(own.isNull());
    for (int y = 5; y <= 9; ++y)
        for (int x = 3; x <= 7; ++x)
            EXPECT_EQ(dark(own, x, y), x == 5 && y == 7) << x << ',' << y;

    const QImage print = renderEmf(bytes, QSize(80, 80));
    ASSERT_FALSE(print.isNull());
    for (int y = 26; y <= 33; ++y)
        for (int x = 18; x <= 25; ++x)
            EXPECT_EQ(dark(print, x, y), x >= 20 && x < 24 && y >= 28 && y < 32) << x << ',' << y;
}
