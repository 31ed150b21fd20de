// Closing the window: the save question whenever items hold changes, and a window that
// stays open when the save does not happen.
#include "mainwindow/MainWindowFixture.h"

#include <QFile>

namespace tovu::mainwindow::testing {
namespace {

class Closing : public MainWindowFixture {
protected:
    frmmain& startWithAnItem()
    {
        mapComToNothing();
        frmmain& w = start();
        items::DFDRecord& r = context().store.ALogs[3];
        r.InUse = true;
        r.editSettings().SlotText = QStringLiteral("3");
        w.setModified(true);
        return w;
    }
};

TEST_F(Closing, UnchangedWindowClosesWithoutAQuestion)
{
    mapComToNothing();
    frmmain& w = start();
    EXPECT_TRUE(w.close());
    EXPECT_EQ(ui.count("yesnocancel"), 0);
}

TEST_F(Closing, AnswersToTheSaveQuestion)
{
    struct Case {
        const char* name;
        Answer answer;
        std::optional<QString> file;  // the save dialog's answer
        bool closes;
        bool written;
    };
    const QString good = home.filePath(QStringLiteral("items.dfd"));
    const QString bad = home.filePath(QStringLiteral("no-such-folder/items.dfd"));
    for (const Case& c : {Case{"no", Answer::No, std::nullopt, true, false},
                          Case{"cancel", Answer::Cancel, std::nullopt, false, false},
                          Case{"yes, saved", Answer::Yes, good, true, true},
                          Case{"yes, dialog cancelled", Answer::Yes, std::nullopt, false, false},
                          Case{"yes, save fails", Answer::Yes, bad, false, false}}) {
        SCOPED_TRACE(c.name);
        QFile::remove(good);
        ui.shown.clear();
        frmmain& w = startWithAnItem();
        ui.answers = {c.answer};
        ui.fileNames = {c.file};
        EXPECT_EQ(w.close(), c.closes);
        const Shown* q = ui.last("yesnocancel");
        ASSERT_NE(q, nullptr);
        EXPECT_EQ(q->text, QStringLiteral("Save Data before closing?"));
        EXPECT_EQ(q->title, QStringLiteral("TOVU"));
        EXPECT_EQ(q->icon, MessageIcon::Question);
        EXPECT_EQ(QFile::exists(good), c.written);
        EXPECT_EQ(ui.count("save"), c.answer == Answer::Yes ? 1 : 0);
        if (!c.closes) {
            EXPECT_TRUE(w.modified());
            EXPECT_EQ(w.windowTitle(), QStringLiteral("TOVU *"));
        }
        if (c.file == bad) {
            EXPECT_EQ(ui.count("message"), 1) << "a failed save is reported";
        }
    }
}

TEST_F(Closing, SavedFileHoldsTheItemsAndClearsTheMark)
{
    frmmain& w = startWithAnItem();
    const QString file = home.filePath(QStringLiteral("saved.dfd"));
    ui.fileNames = {file};
    ASSERT_TRUE(w.fileMenus().mnuSave_Click());
    EXPECT_FALSE(w.modified());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("TOVU"));
    EXPECT_EQ(ui.lastDialog.Flags, kOverwritePrompt);
    EXPECT_EQ(ui.lastDialog.Filter, QStringLiteral("DFD Files|*.dfd")) << "only the type that is written";
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("AS,3")) << "the ALog section of the item in use";
    EXPECT_EQ(setting("Application", "Path"), home.path());
    // Nothing changed since: the close asks nothing.
    EXPECT_TRUE(w.close());
    EXPECT_EQ(ui.count("yesnocancel"), 0);
}

// The flag, not the caption text, decides: captions rewritten by other commands do not
// lose the changes.
TEST_F(Closing, ModifiedFlagSurvivesCaptionRewrites)
{
    frmmain& w = startWithAnItem();
    w.setCaptionBase(QStringLiteral("TOVUVELTRIS 150"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("TOVUVELTRIS 150 *"));
    w.ApplyLanguageCaptions();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("TOVU *"));
    ui.answers = {Answer::Cancel};
    EXPECT_FALSE(w.close());
    EXPECT_EQ(ui.count("yesnocancel"), 1);
}

TEST_F(Closing, ExitMenuComesThroughTheSameQuestion)
{
    frmmain& w = startWithAnItem();
    w.show();
    ui.answers = {Answer::Cancel};
    w.action("mnuExit")->trigger();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(ui.count("yesnocancel"), 1);
    ui.answers = {Answer::No};
    w.action("mnuExit")->trigger();
    EXPECT_FALSE(w.isVisible());
}

} // namespace
} // namespace tovu::mainwindow::testing
