// One drawing, many outputs: the picture file read back (and converted by emf2svg when
// it is installed), and pixels of the rendered image.

#include "app/display/EmfCanvas.h"
#include "app/display/FontFaces.h"
#include "app/display/PictureRender.h"
#include "app/display/QPainterCanvas.h"
#include "display/support/SceneHelpers.h"
#include "platform/metafile/EmfReader.h"
#include "platform/metafile/LogFontFace.h"
#include "support/SampleRecords.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

using namespace tovu::display;
using namespace tovu::display::testing;
using namespace tovu::test;
namespace mf = tovu::platform::metafile;

namespace {
QByteArray pictureOf(const Drawing& d)
{
    EmfCanvas emf;
    d.replay(emf);
    return emf.finish();
}

Drawing fullScene()
{
    auto r = sampleALogWithDac();
    r.editSettings().DacCurveSet = QStringLiteral("1");
    r.editSettings().MeasMode = QStringLiteral("3");
    r.editSettings().Hud = QStringLiteral("5");
    r.editSettings().Angle = QStringLiteral("60");
    r.editSettings().Distance = QStringLiteral("100");
    return drawScene(r);
}
} // namespace

TEST(PictureFile, FullSceneParsesBackBalanced)
{
    const Drawing d = fullScene();
    const QByteArray bytes = pictureOf(d);
    QString error;
    const auto doc = mf::readEmf(bytes, &error);
    ASSERT_TRUE(doc) << error.toStdString();
    EXPECT_EQ(doc->header.description, u"Alog Metafile");
    EXPECT_EQ(doc->handlesLeftUndeleted, 0);
    EXPECT_EQ(bytes.size() % 4, 0);
    // The context is set up first, with the stock white brush and black pen named.
    const std::vector<std::uint32_t> start = {mf::EMR_HEADER,        mf::EMR_SETMAPMODE,   mf::EMR_SETWINDOWEXTEX,
                                              mf::EMR_SETVIEWPORTEXTEX, mf::EMR_SETBKMODE, mf::EMR_SELECTOBJECT,
                                              mf::EMR_SELECTOBJECT};
    for (std::size_t i = 0; i < start.size(); ++i)
        EXPECT_EQ(doc->records[i].type, start[i]) << i;
    EXPECT_EQ(doc->u32(doc->records[5], 8), mf::kStockWhiteBrush);
    EXPECT_EQ(doc->u32(doc->records[6], 8), mf::kStockBlackPen);
    EXPECT_EQ(doc->u32(doc->records[1], 8), 8u);  // anisotropic
    EXPECT_EQ(doc->s32(doc->records[2], 8), 255);
    EXPECT_EQ(doc->s32(doc->records[2], 12), 245);

    // Every recorded call is in the file: the texts in order, pens per overlay.
    QStringList fileTexts;
    std::set<std::uint32_t> penColours;
    int pixels = 0;
    for (const auto& r : doc->records) {
        if (r.type == mf::EMR_EXTTEXTOUTW)
            fileTexts << doc->text(r);
        if (r.type == mf::EMR_CREATEPEN)
            penColours.insert(doc->u32(r, 24));
        // A pixel is a box of one logical unit, so it stays visible at print resolution.
        pixels += r.type == mf::EMR_RECTANGLE && doc->s32(r, 16) - doc->s32(r, 8) == 1 &&
                  doc->s32(r, 20) - doc->s32(r, 12) == 1;
    }
    QStringList drawnTexts;
    for (const DrawOp& o : d.ops())
        if (auto* t = std::get_if<op::Text>(&o))
            drawnTexts << t->text;
    EXPECT_EQ(fileTexts, drawnTexts);
    EXPECT_TRUE(fileTexts.contains(QStringLiteral("10.000mm")));
    EXPECT_EQ(pixels, static_cast<int>(linesOf(d, QStringLiteral("pixel")).size()));
    for (Rgb c : {kMainWave, kGates, kDac})
        EXPECT_TRUE(penColours.count(c)) << std::hex << c;
    EXPECT_EQ(doc->count(mf::EMR_CREATEPEN) + doc->count(mf::EMR_CREATEBRUSHINDIRECT)
                  + doc->count(mf::EMR_EXTCREATEFONTINDIRECTW),
              doc->count(mf::EMR_DELETEOBJECT));
}

TEST(PictureFile, ConvertsWithEmf2svg)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("emf2svg-conv"));
    if (tool.isEmpty())
        GTEST_SKIP() << "emf2svg-conv is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString emf = dir.filePath(QStringLiteral("MetaTest.emf"));
    const QString svg = dir.filePath(QStringLiteral("MetaTest.svg"));
    QFile out(emf);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(pictureOf(fullScene()));
    out.close();
    QProcess p;
    p.start(tool, {QStringLiteral("-i"), emf, QStringLiteral("-o"), svg});
    ASSERT_TRUE(p.waitForFinished(20000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    QFile in(svg);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(in.readAll()).toLower();
    // Trace red (0x0000FF stored), gates blue, DAC cyan; the texts come through.
    EXPECT_TRUE(text.contains(QStringLiteral("#ff0000"))) << "trace colour";
    EXPECT_TRUE(text.contains(QStringLiteral("#0000ff"))) << "gate colour";
    EXPECT_TRUE(text.contains(QStringLiteral("#ffff00"))) << "dac colour";
    EXPECT_TRUE(text.contains(QStringLiteral("10.000mm")));
}

TEST(PictureImage, GdiPixelsAtOneToOne)
{
    auto r = sampleALog();  // gate A 10..30 at level 40 over range 50, HUD box on
    const QImage img = renderImage(drawScene(r));
    ASSERT_EQ(img.size(), QSize(255, 245));
    const auto at = [&](int x, int y) { return img.pixelColor(x, y); };
    const QColor black(0, 0, 0), white(255, 255, 255), gate = qColour(kGates);
    // Graticule dots are single pixels.
    EXPECT_EQ(at(26, 4), black);
    EXPECT_EQ(at(27, 4), white);
    EXPECT_EQ(at(26, 5), white);
    // A tick leaves out its end pixel.
    EXPECT_EQ(at(1, 206), black);
    EXPECT_EQ(at(1, 207), white);
    // Gate A from x = 52 up to, not including, 152 on row 120.
    for (int x = 52; x < 152; ++x)
        EXPECT_EQ(at(x, 120), gate) << x;
    EXPECT_NE(at(51, 120), gate);
    EXPECT_NE(at(152, 120), gate);
    // The readout box: black outline, white inside over the graticule dot at (151, 1).
    EXPECT_EQ(at(150, 15), black);
    EXPECT_EQ(at(200, 0), black);
    EXPECT_EQ(at(254, 15), black);
    EXPECT_EQ(at(200, 29), black);
    EXPECT_EQ(at(151, 1), white);
    EXPECT_EQ(at(155, 15), white);
    EXPECT_EQ(at(200, 30), white);
}

TEST(PictureImage, NoLengthNoPaintAndScaling)
{
    auto r = sampleALog();
    fillFlatTrace(r, 0, 0);
    r.editSettings().Gates[0].State = QStringLiteral("0");
    const QImage flat = renderImage(drawScene(r));
    for (int x = 2; x < 255; x += 25)
        EXPECT_EQ(flat.pixelColor(x, 200), QColor(255, 255, 255)) << x;  // min/max of equal values
    // At twice the size lines scale, dots stay single device pixels.
    const QImage big = renderImage(drawScene(sampleALog()), QSize(510, 490));
    EXPECT_EQ(big.pixelColor(53, 9), QColor(0, 0, 0));  // dot (26, 4)
    EXPECT_EQ(big.pixelColor(52, 8), QColor(255, 255, 255));
    EXPECT_EQ(big.pixelColor(150, 240), qColour(kGates));  // gate row 120 -> 240..241
}

TEST(PictureImage, SymbolsAreDrawnAsArrows)
{
    Drawing d;
    d.setTextColour(0x000000);
    d.setTextAlign(AlignLeft);
    d.symbolOut(10, 10, 230);
    d.symbolOut(40, 10, 224);
    d.symbolOut(70, 10, 226);
    d.symbolOut(100, 10, 65);  // no arrow for other codes
    const QImage img = renderImage(d);
    const auto inked = [&](int left) {
        int n = 0;
        for (int y = 10; y < 28; ++y)
            for (int x = left; x < left + kSymbolWidth; ++x)
                n += img.pixelColor(x, y).lightness() < 128;
        return n;
    };
    EXPECT_GT(inked(10), 10);
    EXPECT_GT(inked(40), 10);
    EXPECT_GT(inked(70), 10);
    EXPECT_EQ(inked(100), 0);
    // The down arrow is taller than wide, the right arrow wider than tall.
    EXPECT_EQ(img.pixelColor(44, 12).lightness() < 128, false);
    EXPECT_LT(img.pixelColor(74, 22).lightness(), 128);
    EXPECT_LT(img.pixelColor(42, 20).lightness(), 128);
}

TEST(PictureImage, SvgAndPngRenderings)
{
    const Drawing d = fullScene();
    const QByteArray svg = renderSvg(d);
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.toLower().contains("#0000ff"));  // gate lines
    QImage png;
    ASSERT_TRUE(png.loadFromData(renderPng(d, QSize(300, 288)), "PNG"));
    EXPECT_EQ(png.size(), QSize(300, 288));
}

TEST(Fonts, PictureFacesResolveToLiberation)
{
    EXPECT_EQ(mf::resolvedFace(QStringLiteral("Arial")), u"Liberation Sans");
    EXPECT_EQ(mf::resolvedFace(QStringLiteral("Times New Roman")), u"Liberation Serif");
    EXPECT_EQ(mf::resolvedFace(QStringLiteral("Courier")), u"Liberation Mono");
    EXPECT_EQ(mf::resolvedFace(QStringLiteral("Courier New")), u"Liberation Mono");
    const QFont f = qtFont(textFont());
    EXPECT_EQ(QFontInfo(f).family(), u"Liberation Sans");
    const QFontMetricsF m(f);
    EXPECT_NEAR(m.ascent() + m.descent(), 20, 1.5);
    EXPECT_NEAR(m.averageCharWidth(), 7, 1.0);
}
