// Printing and print preview through Word: which document goes, what comes out of the
// printer (a print-to-file printer, read back with pdftotext), which window ends in front,
// and the statuses.
#include "ControlFixture.h"
#include "platform/office/word/ViewerWindow.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QScrollArea>
#include <QToolBar>
#include <QWidget>

namespace tovu::control::testing {
namespace {

Variant text(const char* s) { return Variant(QString::fromUtf8(s)); }

class PrintingTest : public ControlTest {
protected:
    void SetUp() override
    {
        ensureGui();
        ASSERT_EQ(openBlank(), 1);
        ASSERT_EQ(status("TextToWord", {text("Weld inspection report")}), 1);
        pdf = file(QStringLiteral("printed.pdf"));
        environment.addFilePrinter(QStringLiteral("To File"), pdf);
        control.heldApplication()->setActivePrinter(QStringLiteral("To File"));
    }

    // pdftotext's text of the whole file.
    QString printedText()
    {
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        EXPECT_TRUE(tool.waitForFinished(30000));
        EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
        return QString::fromUtf8(tool.readAllStandardOutput());
    }

    // A second open document holding text, added beside the held one.
    std::shared_ptr<word::Document> secondDocument(const char* content)
    {
        auto held = control.heldDocument();
        auto second = control.heldApplication()->documents().add();
        second->content().insertAfter(QString::fromUtf8(content));
        held->activate();
        return second;
    }

    // The host's form, shown and active, as a host has it when it calls the control.
    bool showHost(QWidget& host)
    {
        host.setWindowTitle(QStringLiteral("Inspection host"));
        host.show();
        host.activateWindow();
        return activeWindow() == &host;
    }

    QWidget* activeWindow()
    {
        QApplication::processEvents();
        return QApplication::activeWindow();
    }

    QString pdf;
};

TEST_F(PrintingTest, PrintDocumentPrintsTheHeldDocumentAndBringsTheHostToTheFront)
{
    QWidget host;
    ASSERT_TRUE(showHost(host));

    EXPECT_EQ(status("PrintDocument"), 1);
    const QString printed = printedText();
    EXPECT_TRUE(printed.contains(QStringLiteral("Weld inspection report"))) << printed.toStdString();
    EXPECT_EQ(activeWindow(), &host);
}

TEST_F(PrintingTest, ADocumentChosenByNameOrSixteenBitNumberIsPrintedInstead)
{
    const auto held = control.heldDocument();
    const auto second = secondDocument("Second document text");
    EXPECT_EQ(status("PrintDocument", {Variant(std::int16_t{2})}), 1);
    EXPECT_TRUE(printedText().contains(QStringLiteral("Second document text")));
    EXPECT_EQ(control.heldDocument(), held) << "the held document stays what it was";

    EXPECT_EQ(status("PrintDocument", {Variant(held->name())}), 1);
    EXPECT_TRUE(printedText().contains(QStringLiteral("Weld inspection report")));

    // A Long is no document number: the held document is printed.
    held->activate();
    EXPECT_EQ(status("PrintDocument", {Variant(std::int32_t{2})}), 1);
    EXPECT_FALSE(printedText().contains(QStringLiteral("Second document text")));
}

TEST_F(PrintingTest, PrintingFailuresGiveMinusThree)
{
    EXPECT_EQ(status("PrintDocument", {text("No such document")}), -3);
    EXPECT_EQ(status("PrintDocument", {Variant(std::int16_t{9})}), -3);
    control.heldApplication()->setActivePrinter(QStringLiteral("No Such Printer 42"));
    EXPECT_EQ(status("PrintDocument"), -3) << "a printer Word cannot reach";
    control.heldApplication()->setActivePrinter(QStringLiteral("To File"));
    hooks().failOn(QStringLiteral("Document.PrintOut"));
    EXPECT_EQ(status("PrintDocument"), -3);
    hooks().clearFailures();
    EXPECT_EQ(status("PrintDocument"), 1);
}

TEST_F(PrintingTest, BothNeedWordAndTheHeldDocument)
{
    for (const char* method : {"PrintDocument", "PrintPreviewDocument"}) {
        hooks().clearFailures();
        hooks().failOn(QStringLiteral("Document.Activate"));
        EXPECT_EQ(status(method), -2) << method;
    }
    hooks().clearFailures();
    control.heldApplication()->quit(false);
    for (const char* method : {"PrintDocument", "PrintPreviewDocument"})
        EXPECT_EQ(status(method), -1) << method;
}

class PreviewTest : public PrintingTest {
protected:
    void SetUp() override
    {
        environment.setViewFactory(word::widgetViewFactory());
        PrintingTest::SetUp();
    }
    // Word's window: the shown top-level window titled with its caption.
    QWidget* wordWindow()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->windowTitle() == control.heldApplication()->caption())
                return w;
        return nullptr;
    }
};

TEST_F(PreviewTest, PreviewShowsTheChosenDocumentAndKeepsTheHeldOne)
{
    const auto held = control.heldDocument();
    const auto second = secondDocument("Second document text");
    ASSERT_EQ(status("PrintPreviewDocument", {Variant(std::int16_t{2})}), 1);
    QWidget* window = wordWindow();
    ASSERT_NE(window, nullptr) << "the preview shows Word's window";
    EXPECT_EQ(window->windowFilePath(), second->name());
    EXPECT_EQ(control.heldDocument(), held);

    ASSERT_EQ(status("PrintPreviewDocument"), 1);
    EXPECT_EQ(window->windowFilePath(), held->name());
}

TEST_F(PreviewTest, SwitchToWordLeavesWordInFrontOtherwiseTheHostComesBack)
{
    QWidget host;
    ASSERT_TRUE(showHost(host));

    ASSERT_EQ(status("PrintPreviewDocument", {Variant::missing(), Variant(true)}), 1);
    QWidget* word = wordWindow();
    ASSERT_NE(word, nullptr);
    EXPECT_EQ(activeWindow(), word);

    ASSERT_EQ(status("PrintPreviewDocument", {Variant::missing(), Variant(false), text("Inspection host")}), 1);
    EXPECT_EQ(activeWindow(), &host);
}

TEST_F(PreviewTest, ThePreviewShowsWholePagesAndPrintsOrClosesFromItsBar)
{
    ASSERT_EQ(status("InsertPageBreak"), 1);
    ASSERT_EQ(status("TextToWord", {text("Second page")}), 1);
    ASSERT_EQ(status("PrintPreviewDocument"), 1);
    QWidget* window = wordWindow();
    ASSERT_NE(window, nullptr);
    auto* bar = window->findChild<QToolBar*>(QStringLiteral("printPreviewBar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    const auto* scroll = window->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    const auto pageImages = [&] {
        std::vector<QSize> sizes;
        for (const QLabel* page : scroll->widget()->findChildren<QLabel*>())
            sizes.push_back(page->pixmap().size());
        return sizes;
    };
    ASSERT_EQ(pageImages().size(), 2u);
    for (const QSize& page : pageImages())
        EXPECT_LE(page.height(), scroll->viewport()->height()) << "a whole page in view";

    // Made active again by the next call, the previewed document stays in its preview.
    ASSERT_EQ(status("DocumentCount"), 1);
    EXPECT_TRUE(bar->isVisible());

    const auto action = [&](const char* name) {
        for (QAction* a : bar->actions())
            if (a->text() == QLatin1String(name))
                return a;
        return static_cast<QAction*>(nullptr);
    };
    ASSERT_NE(action("Print"), nullptr);
    action("Print")->trigger();
    const QString printed = printedText();
    EXPECT_TRUE(printed.contains(QStringLiteral("Weld inspection report")));
    EXPECT_TRUE(printed.contains(QStringLiteral("Second page")));

    ASSERT_NE(action("Close Preview"), nullptr);
    action("Close Preview")->trigger();
    EXPECT_FALSE(bar->isVisible());
    ASSERT_EQ(pageImages().size(), 2u);
    EXPECT_GT(pageImages().front().height(), scroll->viewport()->height()) << "back to the reading zoom";
}

TEST_F(PrintingTest, PreviewWithoutAWindowToShowItInFails)
{
    // This fixture's Word has no window at all.
    EXPECT_EQ(status("PrintPreviewDocument"), -3);
    EXPECT_EQ(status("PrintPreviewDocument", {text("No such document")}), -3);
}

} // namespace
} // namespace tovu::control::testing
