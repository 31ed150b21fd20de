// The Word connection and the documents: probe, create, open, activate, add, save, close,
// show and hide, and the objects and names handed out.
#include "ControlFixture.h"
#include "control/WordObjects.h"

#include <QFile>

namespace tovu::control::testing {
namespace {

class DocumentsTest : public ControlTest {
protected:
    // OpenDocument with a file and the page arguments; the rest left out.
    std::int16_t open(const QString& path, std::int32_t orientation = 0, float top = 0, float left = 0)
    {
        return status("OpenDocument", {Variant(path), Variant(false), Variant(QString()), Variant(QString()),
                                       Variant(QString()), Variant(true), Variant(orientation), Variant(top),
                                       Variant(left)});
    }
};

TEST_F(DocumentsTest, IsWordAvailableProbesWithAWordOfItsOwnAndLeavesNoneBehind)
{
    auto user = environment.createApplication();
    EXPECT_EQ(call("IsWordAvailable"), Variant(QStringLiteral("16.0")));
    EXPECT_EQ(environment.runningCount(), 1);
    EXPECT_TRUE(user->isRunning());
    EXPECT_EQ(control.heldApplication(), nullptr) << "the probe leaves the held state alone";
    user->quit(false);

    environment.setInstalled(false);
    EXPECT_EQ(call("IsWordAvailable"), Variant(QString()));
    environment.setInstalled(true);
    hooks().failOn(QStringLiteral("Application.Version"));
    EXPECT_EQ(call("IsWordAvailable"), Variant(QString()));
    EXPECT_EQ(environment.runningCount(), 0);
}

TEST_F(DocumentsTest, CreateDocumentWritesAFileAndQuitsItsOwnWord)
{
    auto user = environment.createApplication();
    auto userDoc = user->documents().add();
    const QString path = file(QStringLiteral("report.docx"));
    EXPECT_EQ(status("CreateDocument", {Variant(path)}), 1);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(environment.runningCount(), 1);
    EXPECT_EQ(user->documents().count(), 1);
    EXPECT_FALSE(userDoc->isClosed());
    EXPECT_EQ(control.heldApplication(), nullptr);
}

TEST_F(DocumentsTest, CreateDocumentFailsAtEveryStepWithMinusOneAndLeavesNoWord)
{
    const char* steps[] = {"Application.Create", "Application.Documents.Add", "Document.SaveAs", "Document.Close",
                           "Application.Quit"};
    for (const char* step : steps) {
        hooks().clearFailures();
        hooks().failOn(QString::fromLatin1(step));
        EXPECT_EQ(status("CreateDocument", {Variant(file(QStringLiteral("%1.docx").arg(step)))}), -1) << step;
        EXPECT_EQ(environment.runningCount(), 0) << step;
    }
    hooks().clearFailures();
    // Passwords cannot be written by this word processor: an honest failure.
    EXPECT_EQ(status("CreateDocument", {Variant(file(QStringLiteral("p.docx"))), Variant(QStringLiteral("pw"))}), -1);
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("p.docx"))));
    EXPECT_EQ(environment.runningCount(), 0);
}

TEST_F(DocumentsTest, OpenDocumentStartsAHiddenWordWhenNoneRuns)
{
    EXPECT_EQ(openBlank(), 1);
    ASSERT_NE(control.heldApplication(), nullptr);
    EXPECT_TRUE(control.CreatedWord());
    EXPECT_EQ(control.WordMajorVersion(), 16);
    EXPECT_FALSE(control.heldApplication()->visible());
    ASSERT_NE(control.heldDocument(), nullptr);
    EXPECT_EQ(control.heldApplication()->documents().count(), 1);

    environment.setInstalled(false);
    Verbolt other(environment);
    control.heldApplication()->quit(false);
    QString none;
    bool no = false;
    std::int32_t zero = 0;
    float z = 0;
    EXPECT_EQ(other.OpenDocument(none, no, none, none, none, no, zero, z, z, z, z, z, z), -1);
}

TEST_F(DocumentsTest, OpenDocumentReportsAFailedNewDocument)
{
    hooks().failOn(QStringLiteral("Application.Documents.Add"));
    EXPECT_EQ(openBlank(), -2) << "no document was added: not a success";
    EXPECT_EQ(control.heldDocument(), nullptr);
    EXPECT_EQ(openBlank(), 1);
    EXPECT_NE(control.heldDocument(), nullptr);
    EXPECT_EQ(environment.runningCount(), 1) << "the Word started the first time is used again";
}

TEST_F(DocumentsTest, OpenDocumentUsesTheRunningWordAndLeavesItsVisibilityAlone)
{
    auto user = environment.createApplication();
    const QString path = makeDocx(QStringLiteral("a.docx"), QStringLiteral("alpha"));
    EXPECT_EQ(open(path), 1);
    EXPECT_EQ(control.heldApplication(), user);
    EXPECT_FALSE(control.CreatedWord());
    EXPECT_FALSE(user->visible());
    EXPECT_TRUE(heldText().startsWith(QStringLiteral("alpha")));
}

TEST_F(DocumentsTest, OpenDocumentAppliesOrientationAndOnlyPositiveLengths)
{
    const QString path = makeDocx(QStringLiteral("page.docx"));
    const struct {
        std::int32_t orientation;
        float top;
        word::Orientation expected;
        double expectedTop;
    } cases[] = {
        {2, 0, word::Orientation::Portrait, 72},
        {1, -1, word::Orientation::Landscape, 72},
        {0, 36.5f, word::Orientation::Portrait, 36.5},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(open(path, c.orientation, c.top), 1);
        const word::PageSetup page = control.heldDocument()->pageSetup();
        EXPECT_EQ(page.orientation(), c.expected) << c.orientation;
        EXPECT_DOUBLE_EQ(page.topMargin(), c.expectedTop) << c.top;
        EXPECT_EQ(control.heldApplication()->documents().count(), 1) << "opened only once";
    }
    hooks().failOn(QStringLiteral("PageSetup.LeftMargin"));
    EXPECT_EQ(open(path, 0, 0, 50), -3);
    EXPECT_NE(control.heldDocument(), nullptr) << "the document stays open and held";
}

TEST_F(DocumentsTest, AlreadyOpenDocumentIsFoundAsTheSameFileNotByAText)
{
    const QString path = makeDocx(QStringLiteral("Report.docx"), QStringLiteral("report"));
    ASSERT_EQ(open(path), 1);
    auto first = control.heldDocument();
    // The same file under another name (a link) is the open document.
    ASSERT_TRUE(QFile::link(path, file(QStringLiteral("link.docx"))));
    EXPECT_EQ(open(file(QStringLiteral("link.docx"))), 1);
    EXPECT_EQ(control.heldDocument(), first);
    EXPECT_EQ(control.heldApplication()->documents().count(), 1);

    // Another file whose name differs only in case is another document: never the open one.
    const QString other = makeDocx(QStringLiteral("REPORT.docx"), QStringLiteral("other"));
    const std::int16_t r = open(other);
    if (r == 1) {
        EXPECT_NE(control.heldDocument(), first);
        EXPECT_TRUE(heldText().startsWith(QStringLiteral("other")));
    } else {
        EXPECT_EQ(r, -2) << "the other file must not be taken for the open one";
    }
}

TEST_F(DocumentsTest, OpenDocumentThatCannotBeOpenedGivesMinusTwoAndDropsTheApplication)
{
    EXPECT_EQ(open(file(QStringLiteral("missing.docx"))), -2);
    EXPECT_EQ(control.heldApplication(), nullptr);
    EXPECT_EQ(environment.runningCount(), 1) << "Word itself keeps running";
    EXPECT_EQ(call("IsWordUp"), Variant(true)) << "the next call finds it again";
}

TEST_F(DocumentsTest, ActivateDocumentByNameByIntegerIndexAndOtherwiseTheActiveOne)
{
    auto user = environment.createApplication();
    auto one = user->documents().add();
    auto two = user->documents().add();
    auto three = user->documents().add();
    EXPECT_EQ(status("ActivateDocument", {Variant(std::int16_t{2})}), 1);
    EXPECT_EQ(control.heldDocument(), two);
    EXPECT_EQ(user->activeDocument(), two);
    EXPECT_EQ(status("ActivateDocument", {Variant(one->name())}), 1);
    EXPECT_EQ(control.heldDocument(), one);
    three->activate();
    EXPECT_EQ(status("ActivateDocument", {Variant(std::int32_t{2})}), 1) << "a Long means the active document";
    EXPECT_EQ(control.heldDocument(), three);
    EXPECT_EQ(status("ActivateDocument", {Variant(std::int16_t{9})}), -2);
    EXPECT_EQ(status("ActivateDocument", {Variant(QStringLiteral("NoSuch"))}), -2);
    EXPECT_EQ(status("ActivateDocument"), 1);
}

TEST_F(DocumentsTest, AddDocumentHoldsTheNewDocument)
{
    auto user = environment.createApplication();
    EXPECT_EQ(status("AddDocument"), 1);
    EXPECT_EQ(user->documents().count(), 1);
    EXPECT_EQ(control.heldDocument(), user->activeDocument());
    EXPECT_EQ(status("AddDocument", {Variant(QStringLiteral("Normal.dotm"))}), -2);
}

TEST_F(DocumentsTest, SaveDocumentUnderANewNameHoldsThatDocument)
{
    ASSERT_EQ(openBlank(), 1);
    EXPECT_EQ(status("SaveDocument"), -3) << "never saved: no name to save under";
    const QString path = file(QStringLiteral("saved.docx"));
    EXPECT_EQ(status("SaveDocument", {Variant(path)}), 1);
    EXPECT_EQ(control.heldDocument()->fullName(), path);
    EXPECT_EQ(call("ActiveDocumentName"), Variant(QStringLiteral("saved.docx")));
    EXPECT_EQ(call("ActiveDocumentPath"), Variant(dir.path()));
    EXPECT_EQ(status("SaveDocument"), 1);
    auto held = control.heldDocument();
    EXPECT_EQ(status("SaveDocument", {Variant(file(QStringLiteral("pw.docx"))), Variant(QStringLiteral("pw"))}), -3);
    EXPECT_EQ(control.heldDocument(), held) << "a failed save leaves the held document";
}

TEST_F(DocumentsTest, CloseDocumentAndDocumentCount)
{
    ASSERT_EQ(openBlank(), 1);
    EXPECT_EQ(call("DocumentCount"), Variant(std::int32_t{1}));
    EXPECT_EQ(status("CloseDocument", {Variant(false)}), 1);
    EXPECT_EQ(control.heldApplication()->displayAlerts(), 0);
    EXPECT_TRUE(control.heldDocument()->isClosed());
    EXPECT_EQ(status("CloseDocument", {Variant(false)}), -2);
    EXPECT_EQ(call("DocumentCount"), Variant(std::int32_t{-2})) << "no held document";
}

TEST_F(DocumentsTest, CloseWordQuitsTheWordTheControlStartedWithAllItsDocuments)
{
    ASSERT_EQ(openBlank(), 1);
    auto app = control.heldApplication();
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(status("AddDocument"), 1);
    ASSERT_EQ(app->documents().count(), 4);
    hooks().setRecording(true);
    call("CloseWord", {Variant(false)});
    EXPECT_EQ(recorded({QStringLiteral("Document.Close")}), QStringList(4, QStringLiteral("Document.Close(false)")));
    EXPECT_FALSE(app->isRunning());
    EXPECT_FALSE(control.CreatedWord());
    EXPECT_EQ(control.heldApplication(), nullptr);
    EXPECT_EQ(control.heldDocument(), nullptr);
    EXPECT_EQ(environment.runningCount(), 0);
}

TEST_F(DocumentsTest, CloseWordLeavesTheUsersWordAndTheUsersDocuments)
{
    auto user = environment.createApplication();
    auto letter = user->documents().add();
    const QString path = makeDocx(QStringLiteral("report.docx"));
    ASSERT_EQ(open(path), 1);
    auto report = control.heldDocument();
    call("CloseWord", {Variant(false)});
    EXPECT_TRUE(user->isRunning());
    EXPECT_FALSE(letter->isClosed());
    EXPECT_TRUE(report->isClosed());
    EXPECT_EQ(user->documents().count(), 1);
    EXPECT_EQ(control.heldApplication(), nullptr);
}

TEST_F(DocumentsTest, HideAndUnhideWord)
{
    ASSERT_EQ(openBlank(), 1);
    EXPECT_EQ(status("UnhideWord"), 1);
    EXPECT_TRUE(control.heldApplication()->visible());
    EXPECT_EQ(status("HideWord"), 1);
    EXPECT_FALSE(control.heldApplication()->visible());
    hooks().failOn(QStringLiteral("Application.SetVisible"));
    EXPECT_EQ(status("UnhideWord"), -2);
}

TEST_F(DocumentsTest, WordAndDocumentObjectsGoToTheCaller)
{
    ASSERT_EQ(openBlank(), 1);
    Args app{Variant::nothing()};
    EXPECT_EQ(call("GetWordObject", app), Variant(std::int16_t{1}));
    EXPECT_EQ(applicationBehind(app[0].toObject()), control.heldApplication());
    EXPECT_EQ(app[0].toObject()->get(QStringLiteral("Version")), Variant(QStringLiteral("16.0")));
    Args doc{Variant::nothing()};
    EXPECT_EQ(call("GetDocumentObject", doc), Variant(std::int16_t{1}));
    EXPECT_EQ(documentBehind(doc[0].toObject()), control.heldDocument());
}

TEST_F(DocumentsTest, GetDocumentNamesListsTheOpenDocumentsInOrder)
{
    auto user = environment.createApplication();
    Args names{Variant()};
    EXPECT_EQ(call("GetDocumentNames", names), Variant(std::int16_t{-2})) << "no document open";
    auto a = user->documents().add();
    auto b = user->documents().add();
    EXPECT_EQ(call("GetDocumentNames", names), Variant(std::int16_t{1}));
    ASSERT_TRUE(names[0].isArray());
    const automation::SafeArray& array = names[0].array();
    ASSERT_EQ(array.dims(), 1);
    EXPECT_EQ(array.lbound(), 0);
    EXPECT_EQ(array.ubound(), 1);
    EXPECT_EQ(array.get({0}), Variant(a->name()));
    EXPECT_EQ(array.get({1}), Variant(b->name()));
    hooks().failOn(QStringLiteral("Document.Name"));
    EXPECT_EQ(call("GetDocumentNames", names), Variant(std::int16_t{-3}));
}

} // namespace
} // namespace tovu::control::testing
