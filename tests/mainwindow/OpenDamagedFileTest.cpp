// File, Open of damaged files, scripted: the question that lists what was skipped, No
// keeping memory as it was, Yes taking what was read, the refusal of a file without any
// record, and the texts in the chosen language.
#include "mainwindow/MainWindowFixture.h"

#include "app/items/FileHandlingModule.h"

#include <QDir>
#include <QFile>

namespace tovu::mainwindow::testing {
namespace {

class OpenDamagedFile : public MainWindowFixture {
protected:
    void startIn(int lcid)
    {
        options.lcid = lcid;
        mapComToNothing();
        start();
        // Memory before the Open: ALog 5 and panel 2.
        items::ItemStore& s = context().store;
        s.ALogs[5].InUse = true;
        s.ALogs[5].editSettings().Gain = QStringLiteral("memory");
        s.Panels[2].InUse = true;
    }
    QString write(const char* name, const QByteArray& text)
    {
        const QString p = home.filePath(QString::fromLatin1(name));
        QFile f(p);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray crlf = text;
        crlf.replace("\n", "\r\n");
        f.write(crlf);
        return p;
    }
    items::ItemStore& store() { return context().store; }
};

const QByteArray kDamaged = "AS,1\nGN,11\nAS,0\nGN,lost\nAS,3\nGN,33\nZZ,junk\nAS,1\nGN,again\n";

TEST_F(OpenDamagedFile, TheQuestionListsTheSkippedLinesAndNoKeepsMemory)
{
    startIn(0x809);
    const QString file = write("damaged.dfd", kDamaged);
    const std::vector<items::DFDRecord> alogs = store().ALogs;
    const std::vector<items::DFDRecord> panels = store().Panels;

    for (const Answer answer : {Answer::No, Answer::Cancel}) {
        ui.shown.clear();
        ui.fileNames = {file};
        ui.answers = {answer};
        EXPECT_FALSE(window().fileMenus().mnuOpen_Click());
        ASSERT_EQ(ui.count(QStringLiteral("yesno")), 1);
        const Shown* q = ui.last(QStringLiteral("yesno"));
        EXPECT_EQ(q->title, QStringLiteral("TOVU"));
        EXPECT_EQ(q->text, QStringLiteral("Records read from ") + QDir::toNativeSeparators(file) + QStringLiteral(": 2.\n"
                                                                                                          "These lines were skipped:\n"
                                                                                                          "Lines 3 to 4: record header AS,0 is not a number from 1 to 10000; the record is left out\n"
                                                                                                          "Line 7: unknown key ZZ\n"
                                                                                                          "Lines 8 to 9: record header AS,1 repeats a record already read; the first one is kept\n\n"
                                                                                                          "Open what was read? The items now in memory are replaced."));
        EXPECT_TRUE(store().ALogs == alogs);
        EXPECT_TRUE(store().Panels == panels);
    }

    ui.fileNames = {file};
    ui.answers = {Answer::Yes};
    ASSERT_TRUE(window().fileMenus().mnuOpen_Click());
    EXPECT_EQ(store().ALogs[1].settings().Gain, QStringLiteral("11"));
    EXPECT_EQ(store().ALogs[3].settings().Gain, QStringLiteral("33"));
    EXPECT_FALSE(store().ALogs[5].InUse);
    EXPECT_FALSE(store().Panels[2].InUse);
}

TEST_F(OpenDamagedFile, TwentyLinesAreListedAndTheRestCounted)
{
    startIn(0x809);
    QByteArray text = "AS,1\n";
    for (int i = 0; i < 26; ++i)
        text += "Q" + QByteArray::number(i) + ",1\n";
    text += "ME,\n";  // the record's last line: not cut short
    ui.fileNames = {write("junk.dfd", text)};
    ui.answers = {Answer::Yes};
    ASSERT_TRUE(window().fileMenus().mnuOpen_Click());
    const QStringList lines = ui.last(QStringLiteral("yesno"))->text.split(u'\n');
    EXPECT_EQ(lines.filter(QStringLiteral("unknown key")).size(), 20);
    EXPECT_TRUE(lines.contains(QStringLiteral("Line 21: unknown key Q19")));
    EXPECT_TRUE(lines.contains(QStringLiteral("... and 6 more.")));
    EXPECT_TRUE(store().ALogs[1].InUse);
}

TEST_F(OpenDamagedFile, ASoundFileOpensWithoutAQuestionAndAFileWithoutRecordsIsRefused)
{
    startIn(0x809);
    ui.fileNames = {write("sound.dfd", "AS,7\nGN,1\nME,\n")};
    ASSERT_TRUE(window().fileMenus().mnuOpen_Click());
    EXPECT_EQ(ui.count(QStringLiteral("yesno")), 0);
    EXPECT_TRUE(store().ALogs[7].InUse);

    const QString none = write("none.dfd", "GN,1\nPS,500\nNL,x\n");
    const std::vector<items::DFDRecord> alogs = store().ALogs;
    ui.fileNames = {none};
    EXPECT_FALSE(window().fileMenus().mnuOpen_Click());
    const Shown* m = ui.last(QStringLiteral("message"));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->text, QDir::toNativeSeparators(none) +
                           QStringLiteral(" holds no panel or ALog record that can be read. The items in memory are unchanged."));
    EXPECT_EQ(ui.count(QStringLiteral("yesno")), 0);
    EXPECT_TRUE(store().ALogs == alogs);
}

TEST_F(OpenDamagedFile, TheQuestionIsInTheChosenLanguage)
{
    startIn(0x407);
    ui.fileNames = {write("damaged.dfd", kDamaged)};
    ui.answers = {Answer::No};
    EXPECT_FALSE(window().fileMenus().mnuOpen_Click());
    const Shown* q = ui.last(QStringLiteral("yesno"));
    ASSERT_NE(q, nullptr);
    EXPECT_TRUE(q->text.contains(QStringLiteral("Zeilen 3 bis 4: Datensatzkopf AS,0 ist keine Zahl von 1 bis 10000"))) << q->text.toStdString();
    EXPECT_TRUE(q->text.contains(QStringLiteral("Zeile 7: unbekannter Schl\u00fcssel ZZ"))) << q->text.toStdString();
}

TEST_F(OpenDamagedFile, ACutFileIsAskedAboutWithWhatTheCutRecordLost)
{
    startIn(0x809);
    QByteArray trace = "WS";
    for (int i = 0; i < 510; ++i)
        trace += "," + QByteArray::number(i % 200);
    const QString file = write("cut.dfd", "AS,1\nGN,11\nME,\nAS,3\nGN,33\nME,\n" + trace.left(300));
    ui.fileNames = {file};
    ui.answers = {Answer::No};
    EXPECT_FALSE(window().fileMenus().mnuOpen_Click());
    const Shown* q = ui.last(QStringLiteral("yesno"));
    ASSERT_NE(q, nullptr);
    EXPECT_TRUE(q->text.split(u'\n').contains(
        QStringLiteral("Line 7: ALog 3: the file ends inside this item; its trace and what follows it are missing")))
        << q->text.toStdString();
}

} // namespace
} // namespace tovu::mainwindow::testing
