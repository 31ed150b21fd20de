// DrawAScan as the program calls it: the retained drawing, PreviousItem and the
// picture file with its place and its failures.

#include "app/display/AScanDisplay.h"
#include "display/support/FakeStrings.h"
#include "display/support/MapSettings.h"
#include "support/QtPrinters.h"
#include "platform/metafile/EmfReader.h"
#include "platform/metafile/MetafileFile.h"
#include "support/SampleRecords.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using namespace tovu::display;
using namespace tovu::display::testing;
using namespace tovu::test;

namespace {
struct Messages : DisplayMessages {
    void showCritical(const QString& text) override { shown << text; }
    QStringList shown;
};

struct Fixture {
    Fixture()
    {
        store.WorkItems[1] = sampleALog();
        store.WorkItems[2] = sampleALogWithDac();
        fillFlatTrace(store.WorkItems[2], 10, 20);
        display.folders = {program.path(), user.path()};
    }
    QTemporaryDir program, user;
    tovu::items::ItemStore store;
    FakeStrings strings;
    MapSettings settings;
    Messages messages;
    AScanDisplay display{store, strings, settings, messages};
};
} // namespace

TEST(AScanDisplay, EachDrawingRewritesThePictureFile)
{
    Fixture f;
    EXPECT_EQ(f.display.PreviousItem(), 0);
    ASSERT_TRUE(f.display.DrawAScan(1));
    const QString path = QDir(f.program.path()).filePath(QStringLiteral("MetaTest.emf"));
    EXPECT_EQ(f.display.picturePath(), path);
    EXPECT_TRUE(f.display.pictureWritten());
    const auto first = tovu::platform::metafile::loadMetafile(path);
    ASSERT_TRUE(first);
    EXPECT_TRUE(tovu::platform::metafile::readEmf(*first));
    EXPECT_EQ(*first, f.display.metafileBytes());
    EXPECT_EQ(f.display.PreviousItem(), 1);

    ASSERT_TRUE(f.display.DrawAScan(2));
    const auto second = tovu::platform::metafile::loadMetafile(path);
    ASSERT_TRUE(second);
    EXPECT_NE(*first, *second);  // the second drawing only
    EXPECT_EQ(*second, f.display.metafileBytes());
    EXPECT_EQ(f.display.PreviousItem(), 2);
    // No temporary file is left beside the picture.
    EXPECT_EQ(QDir(f.program.path()).entryList(QDir::Files), QStringList{QStringLiteral("MetaTest.emf")});
    EXPECT_TRUE(f.messages.shown.isEmpty());
}

TEST(AScanDisplay, SuperimposedViewPairsWithThePreviousItem)
{
    Fixture f;
    f.display.view.superimpose = true;
    f.display.DrawAScan(1);  // paired with record 0, empty at start
    f.display.DrawAScan(2);
    bool secondLabel = false;
    for (const QString& l : f.display.drawing().dumpLines())
        secondLabel |= l == u"text 127 225 \"WELD 7 (mm)\"";  // record 1's label in the second row
    EXPECT_TRUE(secondLabel);

    // After the arrays were re-created smaller the old index names no record.
    f.display.DrawAScan(500);
    f.store.RecreateArrays(0);  // 100 ALogs, 20 panels
    ASSERT_LT(f.store.WorkItems.size(), 501u);
    f.store.WorkItems[1] = sampleALog();
    EXPECT_TRUE(f.display.DrawAScan(1));
    for (const QString& l : f.display.drawing().dumpLines())
        EXPECT_FALSE(l.startsWith(QStringLiteral("text 5 225"))) << l.toStdString();
}

TEST(AScanDisplay, IndexOutsideTheArraysDrawsNothing)
{
    Fixture f;
    f.display.DrawAScan(1);
    EXPECT_FALSE(f.display.DrawAScan(-1));
    EXPECT_FALSE(f.display.DrawAScan(static_cast<int>(f.store.WorkItems.size())));
    EXPECT_TRUE(f.display.drawing().empty());
    EXPECT_EQ(f.display.PreviousItem(), 1);
}

TEST(AScanDisplay, UnusableProgramFolderFallsBackToTheUserFolder)
{
    Fixture f;
    const QString userPicture = QDir(f.user.path()).filePath(QStringLiteral("MetaTest.emf"));
    // A program "folder" that is no folder at all.
    QFile notAFolder(f.program.filePath(QStringLiteral("tovu2")));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    f.display.folders.programFolder = notAFolder.fileName();
    EXPECT_EQ(f.display.picturePath(), userPicture);
    EXPECT_TRUE(f.display.DrawAScan(1));
    EXPECT_TRUE(f.display.pictureWritten());
    EXPECT_TRUE(QFile::exists(userPicture));
    EXPECT_TRUE(f.messages.shown.isEmpty());

    // A folder without write permission (not testable with rights that ignore it).
    f.display.folders.programFolder = f.program.path();
    ASSERT_TRUE(QFile::setPermissions(f.program.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    if (!QFileInfo(f.program.path()).isWritable()) {
        EXPECT_EQ(f.display.picturePath(), userPicture);
    }
    QFile::setPermissions(f.program.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(f.display.picturePath(), QDir(f.program.path()).filePath(QStringLiteral("MetaTest.emf")));
}

TEST(AScanDisplay, WriteFailureIsReportedOnceAndTheScreenStillDraws)
{
    Fixture f;
    // Both places unusable: the user folder path is a file.
    QFile blocker(f.user.filePath(QStringLiteral("blocked")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    f.display.folders = {QString(), blocker.fileName() + QStringLiteral("/sub")};
    EXPECT_TRUE(f.display.DrawAScan(1));
    EXPECT_FALSE(f.display.pictureWritten());
    EXPECT_FALSE(f.display.drawing().empty());
    EXPECT_TRUE(f.display.DrawAScan(2));
    ASSERT_EQ(f.messages.shown.size(), 1);
    EXPECT_TRUE(f.messages.shown[0].startsWith(QStringLiteral("Cannot Create A-scan Enhanced Metafile ")));
    EXPECT_TRUE(f.messages.shown[0].endsWith(QStringLiteral("MetaTest.emf")));
    // Once writing works again a later failure is reported again.
    f.display.folders = {f.program.path(), f.user.path()};
    EXPECT_TRUE(f.display.DrawAScan(1));
    EXPECT_TRUE(f.display.pictureWritten());
    f.display.folders = {QString(), blocker.fileName() + QStringLiteral("/sub")};
    f.display.DrawAScan(1);
    EXPECT_EQ(f.messages.shown.size(), 2);
}

TEST(AScanDisplay, ConversionFailuresStillGiveACompletePicture)
{
    Fixture f;
    auto& s = f.store.WorkItems[1].editSettings();
    s.Hud = QStringLiteral("2");
    s.DacMode = QStringLiteral("N/A");  // the strict reading of the peak box fails
    s.Units = QStringLiteral("1e10");   // the unit's string id does not fit
    s.Range = QStringLiteral("N/A");    // no scale for the gates
    ASSERT_TRUE(f.display.DrawAScan(1));
    EXPECT_TRUE(f.display.pictureWritten());
    const auto bytes = tovu::platform::metafile::loadMetafile(f.display.picturePath());
    ASSERT_TRUE(bytes);
    const auto doc = tovu::platform::metafile::readEmf(*bytes);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->handlesLeftUndeleted, 0);
    // Graticule dots are boxes of one logical unit.
    const auto dots = std::count_if(doc->records.begin(), doc->records.end(), [&](const auto& r) {
        return r.type == tovu::platform::metafile::EMR_RECTANGLE && doc->s32(r, 16) - doc->s32(r, 8) == 1 &&
               doc->s32(r, 20) - doc->s32(r, 12) == 1;
    });
    EXPECT_EQ(dots, 11 * 67 + 11 * 85);
    EXPECT_EQ(doc->count(tovu::platform::metafile::EMR_EXTTEXTOUTW), 2);  // delay and end of the axis
}
