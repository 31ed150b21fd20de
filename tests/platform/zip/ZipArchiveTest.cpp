#include "platform/zip/CompressedPart.h"
#include "platform/zip/PartNames.h"
#include "platform/zip/PartText.h"
#include "platform/zip/ZipArchive.h"
#include "platform/zip/ZipError.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QFile>
#include <gtest/gtest.h>

namespace tovu::platform::zip {
namespace {

QByteArray text(int n, char seed)
{
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out += QByteArray("<w:p><w:r><w:t>") + QByteArray::number(i * 7 + seed) + "</w:t></w:r></w:p>";
    return out;
}

TEST(ZipArchiveTest, PartsGivenAsBytesOrCompressedComeBackAsTheyWere)
{
    const QByteArray plain = text(2000, 'a');
    const CompressedPart kept = compressPart(text(500, 'b'));
    const CompressedPart empty = compressPart(QByteArray());
    ZipWriter writer;
    writer.add(QStringLiteral("[Content_Types].xml"), QByteArray("<Types/>"));
    writer.add(QStringLiteral("word/document.xml"), plain);
    writer.add(QStringLiteral("word/media/kept.xml"), kept);
    writer.add(QStringLiteral("word/empty.xml"), empty);
    const QByteArray package = writer.finish();

    ZipReader reader(package);
    EXPECT_EQ(reader.names(), (QStringList{QStringLiteral("[Content_Types].xml"), QStringLiteral("word/document.xml"),
                                           QStringLiteral("word/media/kept.xml"), QStringLiteral("word/empty.xml")}));
    EXPECT_EQ(reader.read(QStringLiteral("word/document.xml")), plain);
    EXPECT_EQ(reader.read(QStringLiteral("word/media/kept.xml")), text(500, 'b'));
    EXPECT_TRUE(reader.read(QStringLiteral("word/empty.xml")).isEmpty());
    // The compressed bytes went in as they were, not compressed again.
    EXPECT_TRUE(package.contains(kept.deflated));

    // An independent reader agrees (sizes, CRCs, the data).
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("p.zip")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(package);
    f.close();
    QProcess unzip;
    unzip.start(QStringLiteral("/usr/bin/python3"),
                {QStringLiteral("-c"), QStringLiteral("import sys,zipfile; z=zipfile.ZipFile(sys.argv[1]); "
                                                      "sys.exit(1 if z.testzip() else 0)"),
                 f.fileName()});
    ASSERT_TRUE(unzip.waitForFinished(30000));
    EXPECT_EQ(unzip.exitCode(), 0) << unzip.readAllStandardError().constData();
}

TEST(ZipArchiveTest, AGrowingPartFinishesToWhatItWasFedWhateverTheTail)
{
    GrowingPart part;
    QByteArray all;
    for (int round = 0; round < 5; ++round) {
        // Each finish leaves the settled text as it was: finishing twice gives the same.
        const QByteArray tail = text(round * 30 + 1, 't');
        const CompressedPart once = part.finish(tail);
        const CompressedPart again = part.finish(tail);
        EXPECT_EQ(inflatePart(once), all + tail) << round;
        EXPECT_EQ(once.deflated, again.deflated) << round;
        EXPECT_EQ(once.size, all.size() + tail.size());
        EXPECT_EQ(once.crc, compressPart(all + tail).crc);
        const QByteArray settled = text(round * 400, static_cast<char>('a' + round));
        part.settle(settled);
        all += settled;
    }
    EXPECT_EQ(part.settledSize(), all.size());
    EXPECT_EQ(inflatePart(part.finish(QByteArray())), all);
}

TEST(ZipArchiveTest, DamagedPackagesAndPartsAreRefused)
{
    ZipWriter writer;
    writer.add(QStringLiteral("big.xml"), QByteArray(5000, 'x'));
    writer.add(QStringLiteral("small.xml"), QByteArray("<a/>"));
    const QByteArray package = writer.finish();
    EXPECT_THROW(ZipReader(package.left(package.size() / 2)), ZipError);
    EXPECT_THROW(ZipReader(QByteArray("not a package")), ZipError);
    ZipReader limited(package, 4096);
    EXPECT_THROW(limited.read(QStringLiteral("big.xml")), ZipError);
    EXPECT_THROW(limited.read(QStringLiteral("missing.xml")), ZipError);
    EXPECT_EQ(limited.read(QStringLiteral("small.xml")), QByteArray("<a/>"));

    CompressedPart bad = compressPart(QByteArray("some text to keep"));
    bad.crc ^= 1;
    EXPECT_THROW(inflatePart(bad), ZipError);
}

// Relationship targets resolve against the folder of the part that holds them and never
// leave the package, however many ".." they hold.
TEST(ZipArchiveTest, RelationshipTargetsResolveInsideThePackageOrAreRefused)
{
    struct Case {
        const char* source;
        const char* target;
        const char* part;  // nullptr: refused
    } cases[] = {
        {"word/document.xml", "media/image1.png", "word/media/image1.png"},
        {"word/document.xml", "../customXml/item1.xml", "customXml/item1.xml"},
        {"word/document.xml", "./styles.xml", "word/styles.xml"},
        {"word/document.xml", "/docProps/core.xml", "docProps/core.xml"},
        {"", "word/document.xml", "word/document.xml"},
        {"xl/worksheets/sheet1.xml", "../../xl//sharedStrings.xml", "xl/sharedStrings.xml"},
        {"word/document.xml", "a/../../b.xml", "b.xml"},
        {"word/document.xml", "../../../../../etc/passwd", nullptr},
        {"word/document.xml", "../../x.xml", nullptr},
        {"", "../word/document.xml", nullptr},
        {"word/document.xml", "/../etc/passwd", nullptr},
        {"word/document.xml", "media/../../../x.xml", nullptr},
    };
    for (const Case& c : cases) {
        const QString source = QLatin1String(c.source), target = QLatin1String(c.target);
        if (c.part)
            EXPECT_EQ(resolvePartName(source, target), QLatin1String(c.part)) << c.source << " " << c.target;
        else
            EXPECT_THROW(resolvePartName(source, target), ZipError) << c.source << " " << c.target;
    }
}

// What an XML part can carry: pairs of surrogates and the blanks XML allows stay, the other
// control characters and the non-characters go, a lone surrogate becomes U+FFFD.
TEST(ZipArchiveTest, TextForXmlPartsKeepsWhatXmlCanCarry)
{
    const QString emoji = QStringLiteral("\U0001F600");
    const QChar high(0xD83D), low(0xDE00), replacement(QChar::ReplacementCharacter);
    struct Case {
        QString text, carried;
    } cases[] = {
        {QStringLiteral("plain \u00e9 \u4e2d"), QStringLiteral("plain \u00e9 \u4e2d")},
        {QStringLiteral("a\tb\nc\rd"), QStringLiteral("a\tb\nc\rd")},
        {QStringLiteral("a") + emoji + QStringLiteral("b"), QStringLiteral("a") + emoji + QStringLiteral("b")},
        {QStringLiteral("\x01x\x1f\x0b\x0c") + QChar(0), QStringLiteral("x")},
        {QString(high) + QStringLiteral("x"), QString(replacement) + QStringLiteral("x")},
        {QStringLiteral("x") + low, QStringLiteral("x") + replacement},
        {QString(low) + high, QString(replacement) + replacement},
        {QStringLiteral("x") + high, QStringLiteral("x") + replacement},
        {QStringLiteral("a") + QChar(0xFFFE) + QChar(0xFFFF) + QStringLiteral("b"), QStringLiteral("ab")},
        {QString(), QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(xmlText(c.text), c.carried) << c.text.toStdString();
}

// Entries whose names leave the package wherever it is unpacked are refused with the
// package: a save would carry them on.
TEST(ZipArchiveTest, EntriesNamedOutsideThePackageAreRefused)
{
    struct Case {
        const char* name;
        bool inside;
    } cases[] = {
        {"word/document.xml", true},  {"[Content_Types].xml", true}, {"word\\media\\a.png", true},
        {"a..b/c..xml", true},        {"../evil.xml", false},        {"word/../../evil.xml", false},
        {"/etc/passwd", false},       {"\\evil.xml", false},         {"word\\..\\..\\evil.xml", false},
        {"C:/evil.xml", false},       {"..", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(staysInsidePackage(QLatin1String(c.name)), c.inside) << c.name;
        ZipWriter writer;
        writer.add(QStringLiteral("[Content_Types].xml"), QByteArray("<Types/>"));
        writer.add(QLatin1String(c.name), QByteArray("<x/>"));
        const QByteArray package = writer.finish();
        if (c.inside)
            EXPECT_NO_THROW(ZipReader{package}) << c.name;
        else
            EXPECT_THROW(ZipReader{package}, ZipError) << c.name;
    }
}

}  // namespace
}  // namespace tovu::platform::zip
