// Whether Word is up, the first steps of the document methods, switching to Word, the
// About window and the events sink.
#include "ControlFixture.h"
#include "control/frmAboutBox.h"
#include "platform/office/word/ViewerWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

namespace tovu::control::testing {
namespace {

class FrameTest : public ControlTest {};

// Every document method with arguments that would otherwise do its work.
std::vector<std::pair<const char*, Args>> documentCalls(const QString& picture)
{
    return {
        {"TextToWord", {Variant(QStringLiteral("t"))}},
        {"ClipboardTextToWord", {}},
        {"InsertPageBreak", {}},
        {"InsertPicture", {Variant(picture)}},
        {"InsertLinkedPicture", {Variant(picture)}},
        {"FindInDocumentAndReplace", {Variant(QStringLiteral("a")), Variant(QStringLiteral("b"))}},
        {"InsertHyperlink", {Variant(QStringLiteral("t")), Variant(QStringLiteral("http://x"))}},
        {"InsertHyperlinks", {Variant(automation::SafeArray(std::vector<automation::Bounds>{{0, 0}, {0, 1}}))}},
        {"InsertBlankLines", {Variant(std::int16_t{2})}},
        {"SetPageOrientation", {Variant(std::int32_t{1})}},
        {"SetPageLeftMargin", {Variant(50.0f)}},
        {"SetPageRightMargin", {Variant(50.0f)}},
        {"SetPageTopMargin", {Variant(50.0f)}},
        {"SetPageBottomMargin", {Variant(50.0f)}},
        {"SetPageWidth", {Variant(500.0f)}},
        {"SetPageHeight", {Variant(700.0f)}},
        {"SetPageNumberInFooter", {Variant(std::int32_t{1})}},
        {"SetPageNumberInHeader", {Variant(std::int32_t{1})}},
        {"SaveDocument", {}},
        {"GetDocumentObject", {Variant::nothing()}},
        {"CloseDocument", {Variant(false)}},
        {"HideWord", {}},
        {"UnhideWord", {}},
        {"SwitchToWord", {}},
        {"ActivateDocument", {}},
        {"AddDocument", {}},
        {"GetWordObject", {Variant::nothing()}},
        {"GetDocumentNames", {Variant()}},
        {"NumberOfPages", {Variant(std::int32_t{0})}},
    };
}

TEST_F(FrameTest, WithoutWordEveryDocumentMethodAnswersMinusOneAndTouchesNothing)
{
    hooks().setRecording(true);
    EXPECT_EQ(call("IsWordUp"), Variant(false));
    for (auto& [name, args] : documentCalls(file(QStringLiteral("p.png"))))
        EXPECT_EQ(status(name, std::move(args)), -1) << name;
    EXPECT_EQ(call("DocumentCount"), Variant(std::int32_t{-1}));
    EXPECT_EQ(call("ActiveDocumentName"), Variant(QString()));
    EXPECT_EQ(call("ActiveDocumentPath"), Variant(QString()));
    EXPECT_TRUE(hooks().calls().isEmpty()) << hooks().calls().join(u' ').toStdString();
    EXPECT_EQ(environment.runningCount(), 0);
}

TEST_F(FrameTest, WordUpWithoutAHeldDocumentGivesMinusTwoWhereTheDocumentIsActivated)
{
    auto user = environment.createApplication();
    const char* activating[] = {"TextToWord", "InsertPageBreak", "InsertBlankLines", "SetPageLeftMargin",
                                "SaveDocument", "GetDocumentObject", "InsertHyperlinks"};
    for (auto& [name, args] : documentCalls(file(QStringLiteral("p.png"))))
        for (const char* a : activating)
            if (QLatin1String(name) == QLatin1String(a)) {
                EXPECT_EQ(status(name, std::move(args)), -2) << name;
            }
    EXPECT_EQ(call("DocumentCount"), Variant(std::int32_t{-2}));
    EXPECT_EQ(control.heldApplication(), user);
}

TEST_F(FrameTest, HeldHiddenWordThatTheControlStartedCountsAsUp)
{
    ASSERT_EQ(openBlank(), 1);
    ASSERT_TRUE(control.CreatedWord());
    control.heldApplication()->setOfferedAsActive(false);
    ASSERT_EQ(environment.activeApplication(), nullptr);
    EXPECT_EQ(call("IsWordUp"), Variant(true));
    EXPECT_EQ(status("TextToWord", {Variant(QStringLiteral("still written"))}), 1);
    EXPECT_TRUE(heldText().contains(QStringLiteral("still written")));
    EXPECT_TRUE(control.CreatedWord());
}

TEST_F(FrameTest, AnotherOfferedWordReplacesTheHeldApplicationButNotTheDocument)
{
    ASSERT_EQ(openBlank(), 1);
    auto first = control.heldApplication();
    auto document = control.heldDocument();
    first->setOfferedAsActive(false);
    auto other = environment.createApplication();
    EXPECT_EQ(call("IsWordUp"), Variant(true));
    EXPECT_EQ(control.heldApplication(), other);
    EXPECT_EQ(control.heldDocument(), document);
}

TEST_F(FrameTest, WordThatHasQuitIsNotUp)
{
    ASSERT_EQ(openBlank(), 1);
    control.heldApplication()->quit(false);
    EXPECT_EQ(call("IsWordUp"), Variant(false));
    EXPECT_EQ(status("TextToWord", {Variant(QStringLiteral("x"))}), -1);
}

TEST_F(FrameTest, SwitchToWordFindsTheWindowByTheApplicationCaption)
{
    ensureGui();
    auto user = environment.createApplication();
    user->setCaption(QStringLiteral("Report - Word"));
    EXPECT_EQ(status("SwitchToWord"), -2) << "no window carries the caption";
    QWindow window;
    window.setTitle(QStringLiteral("Report - Word"));
    window.show();
    EXPECT_EQ(status("SwitchToWord"), 1);
    hooks().failOn(QStringLiteral("Application.Caption"));
    EXPECT_EQ(status("SwitchToWord"), -2);
}

TEST_F(FrameTest, SwitchToWordFindsWordsWindowShowingADocument)
{
    ensureGui();
    environment.setViewFactory(word::widgetViewFactory());
    // Started visible and switched to: Word's window shows the document under its caption.
    ASSERT_EQ(status("OpenDocument", {Variant(QString()), Variant(true)}), 1);
    ASSERT_TRUE(control.heldApplication()->visible());
    EXPECT_EQ(status("SwitchToWord"), 1);
    EXPECT_EQ(status("HideWord"), 1);
    EXPECT_EQ(status("SwitchToWord"), -2) << "a hidden window cannot be brought to the front";
}

TEST_F(FrameTest, AboutBoxShowsModallyWithItsCaptionAndNotice)
{
    ensureGui();
    QString caption;
    bool noticeShown = false;
    int height = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<frmAboutBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        noticeShown = box->Label1->isVisible();
        height = box->height();
        EXPECT_EQ(box->Command1->text(), QStringLiteral("&OK"));
        box->Command1->click();
    });
    EXPECT_TRUE(call("AboutBox").isEmpty());
    EXPECT_EQ(caption, QStringLiteral("Verbolt OCX 1.0"));
    EXPECT_TRUE(noticeShown);
    EXPECT_EQ(height, 2655 / 15);
}

TEST_F(FrameTest, AboutBoxThatCannotBeShownRaisesToTheHost)
{
    if (QCoreApplication::instance())
        GTEST_SKIP() << "a window system already runs in this process (ctest runs each test alone)";
    EXPECT_THROW(call("AboutBox"), automation::AutomationError);
}

} // namespace
} // namespace tovu::control::testing
