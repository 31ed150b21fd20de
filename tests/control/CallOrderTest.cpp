// The order in which the methods ask Word for things, as the word processor records it.
#include "ControlFixture.h"

#include <QImage>

namespace tovu::control::testing {
namespace {

class CallOrderTest : public ControlTest {
protected:
    // The recorded calls of ops while running body, one line.
    QString order(const QStringList& ops, const std::function<void()>& body)
    {
        hooks().clearCalls();
        hooks().setRecording(true);
        body();
        hooks().setRecording(false);
        return recorded(ops).join(u' ');
    }
};

TEST_F(CallOrderTest, SelfContainedMethodsStartAndQuitTheirOwnWord)
{
    const QString path = file(QStringLiteral("new.docx"));
    EXPECT_EQ(order({"Application.Create", "Application.Documents.Add", "Document.SaveAs", "Document.Close",
                     "Application.Quit"},
                    [&] { EXPECT_EQ(status("CreateDocument", {Variant(path)}), 1); }),
              QStringLiteral("Application.Create Application.Documents.Add Document.SaveAs(%1,16) Document.Close(false) "
                             "Application.Quit(false)")
                  .arg(path));
    EXPECT_EQ(order({"Application.Create", "Application.Version", "Application.Quit"},
                    [&] { call("IsWordAvailable"); }),
              QStringLiteral("Application.Create Application.Version Application.Quit(false)"));
}

TEST_F(CallOrderTest, PageBreakPictureAndReplaceAtTheEnd)
{
    ensureGui();
    ASSERT_EQ(openBlank(), 1);
    EXPECT_EQ(order({"Document.Activate", "Bookmarks.Range", "Paragraphs.Add", "Range.InsertBreak"},
                    [&] { EXPECT_EQ(status("InsertPageBreak"), 1); }),
              QStringLiteral("Document.Activate Bookmarks.Range(\\EndOfDoc) Paragraphs.Add Range.InsertBreak(7)"));

    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QString picture = file(QStringLiteral("p.png"));
    ASSERT_TRUE(image.save(picture));
    EXPECT_EQ(order({"Document.Activate", "Bookmarks.Range", "Paragraphs.Add", "Shapes.AddPicture"},
                    [&] { EXPECT_EQ(status("InsertLinkedPicture", {Variant(picture)}), 1); }),
              QStringLiteral("Document.Activate Bookmarks.Range(\\EndOfDoc) Paragraphs.Add Shapes.AddPicture(%1)")
                  .arg(picture));

    EXPECT_EQ(order({"Find.ClearFormatting", "Find.Execute"},
                    [&] {
                        EXPECT_EQ(status("FindInDocumentAndReplace",
                                         {Variant(QStringLiteral("a")), Variant(QStringLiteral("b"))}),
                                  1);
                    }),
              QStringLiteral("Find.ClearFormatting Find.Execute(a)"));
}

TEST_F(CallOrderTest, CloseWordClosesWithTheCallersChoiceThenQuits)
{
    ASSERT_EQ(openBlank(), 1);
    EXPECT_EQ(order({"Application.SetDisplayAlerts", "Document.Close", "Application.Quit"},
                    [&] { call("CloseWord", {Variant(false)}); }),
              QStringLiteral("Application.SetDisplayAlerts(0) Document.Close(false) Application.Quit(false)"));
}

TEST_F(CallOrderTest, ReleasingTheControlLeavesWordRunning)
{
    ASSERT_EQ(openBlank(), 1);
    std::weak_ptr<word::Document> document = control.heldDocument();
    const QString calls = order({"Application.Quit", "Document.Close"}, [&] { object.reset(); });
    EXPECT_TRUE(calls.isEmpty()) << calls.toStdString();
    EXPECT_EQ(environment.runningCount(), 1);
    ASSERT_FALSE(document.expired());
    EXPECT_FALSE(document.lock()->isClosed());
}

} // namespace
} // namespace tovu::control::testing
