// The metafile writer's output read back by the reader: structure, handles, texts.

#include "platform/metafile/EmfReader.h"
#include "platform/metafile/EmfWriter.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace tovu::platform::metafile;

namespace {
QByteArray smallPicture()
{
    EmfWriter w(QSize(255, 245), QStringLiteral("Alog Metafile"));
    w.setMapMode(MM_ANISOTROPIC);
    w.selectObject(kStockWhiteBrush);
    w.selectObject(kStockBlackPen);
    const auto pen = w.createPen(2, 0x0000FF);
    w.selectObject(pen);
    w.moveTo(52, 120);
    w.lineTo(152, 120);
    w.selectObject(kStockBlackPen);
    w.deleteObject(pen);
    const auto font = w.createFont({QStringLiteral("Arial"), 20, 7, 400, 0});
    w.selectObject(font);
    w.textOut(5, 205, u"12.5mm", {7, 7, 3, 7, 10, 10});
    w.setPixel(1, 1, 0);
    w.rectangle(150, 0, 255, 30);
    w.polygon({{0, 0}, {5, 5}, {0, 10}});
    return w.finish();  // the font is still alive: finish deletes it
}
} // namespace

TEST(EmfWriter, HeaderAndRecordsParseBack)
{
    const QByteArray bytes = smallPicture();
    QString error;
    const auto doc = readEmf(bytes, &error);
    ASSERT_TRUE(doc.has_value()) << error.toStdString();
    EXPECT_EQ(bytes.size() % 4, 0);
    EXPECT_EQ(doc->header.bytes, static_cast<std::uint32_t>(bytes.size()));
    EXPECT_EQ(doc->header.records, doc->records.size());
    EXPECT_EQ(doc->header.description, u"Alog Metafile");
    EXPECT_EQ(doc->header.bounds[2], 254);
    EXPECT_EQ(doc->header.bounds[3], 244);
    // 255 pixels of a 1920-pixel, 508 mm wide screen: 6746.875 -> 6747 hundredths of a mm.
    EXPECT_EQ(doc->header.frame[2], 6747);
    EXPECT_EQ(doc->header.frame[3], EmfWriter::frameHeight(245, ReferenceDevice{}));
    EXPECT_EQ(doc->header.handles, 2);  // index 0 and the one slot pen and font took in turn
    EXPECT_EQ(doc->handlesLeftUndeleted, 0);
    EXPECT_EQ(doc->records.back().type, EMR_EOF);
    for (const EmfRecord& r : doc->records) {
        EXPECT_EQ(r.size % 4, 0u);
        EXPECT_EQ(r.offset % 4, 0);
    }
    int texts = 0;
    for (const EmfRecord& r : doc->records) {
        if (r.type == EMR_EXTTEXTOUTW) {
            EXPECT_EQ(doc->text(r), u"12.5mm");
            EXPECT_EQ(doc->s32(r, 36), 5);
            EXPECT_EQ(doc->s32(r, 40), 205);
            ++texts;
        }
        if (r.type == EMR_EXTCREATEFONTINDIRECTW) {
            EXPECT_EQ(doc->fontFace(r), u"Arial");
            EXPECT_EQ(doc->s32(r, 12), 20);
            EXPECT_EQ(doc->s32(r, 16), 7);
        }
        if (r.type == EMR_CREATEPEN) {
            EXPECT_EQ(doc->u32(r, 24), 0x0000FFu);
        }
    }
    EXPECT_EQ(texts, 1);
    EXPECT_EQ(doc->count(EMR_DELETEOBJECT), 2);
}

TEST(EmfWriter, ReusesFreedHandleSlots)
{
    EmfWriter w(QSize(10, 10), QStringLiteral("x"));
    for (int i = 0; i < 50; ++i) {
        const auto h = w.createPen(1, 0);
        EXPECT_EQ(h, 1u);
        w.selectObject(h);
        w.selectObject(kStockBlackPen);
        w.deleteObject(h);
    }
    EXPECT_EQ(w.liveHandles(), 0);
    const auto doc = readEmf(w.finish());
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->header.handles, 2);
}

TEST(EmfReader, RejectsBrokenFiles)
{
    const QByteArray good = smallPicture();
    ASSERT_TRUE(readEmf(good));
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    QByteArray badSignature = good;
    badSignature[40] = 'X';
    QByteArray cut = good.left(good.size() - 20);
    QByteArray badCount = good;
    qToLittleEndian<std::uint32_t>(3, badCount.data() + 52);
    QByteArray misaligned = good;
    // The second record's size made odd.
    const std::uint32_t headerSize = qFromLittleEndian<std::uint32_t>(good.constData() + 4);
    qToLittleEndian<std::uint32_t>(13, misaligned.data() + headerSize + 4);
    QByteArray doubleDelete = good;
    // Turn the first SELECTOBJECT of a created handle into a DELETEOBJECT: the later
    // delete then finds the handle gone.
    const auto doc = readEmf(good);
    for (const EmfRecord& r : doc->records) {
        if (r.type == EMR_SELECTOBJECT && doc->u32(r, 8) == 1) {
            qToLittleEndian<std::uint32_t>(EMR_DELETEOBJECT, doubleDelete.data() + r.offset);
            break;
        }
    }
    const Case cases[] = {
        {"signature", badSignature}, {"cut", cut},           {"record count", badCount},
        {"alignment", misaligned},   {"handles", doubleDelete}, {"empty", QByteArray()},
    };
    for (const Case& c : cases) {
        QString error;
        EXPECT_FALSE(readEmf(c.bytes, &error)) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
    }
}
