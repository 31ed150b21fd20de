#include "WordTestSupport.h"

#include "platform/automation/RunningObjectTable.h"
#include "platform/office/word/AutomationActiveObjects.h"

#include <QFile>

namespace tovu::platform::word::test {
namespace {

class FakeView : public ApplicationView {
public:
    explicit FakeView(int* raised) : raised_(raised) {}
    void showView() override { shown = true; }
    void hideView() override { shown = false; }
    void raiseView() override { ++*raised_; }
    void showDocument(const std::shared_ptr<Document>& d) override { document = d; }
    bool shown = false;
    std::shared_ptr<Document> document;

private:
    int* raised_;
};

using EnvironmentTest = WordTest;

TEST_F(EnvironmentTest, AStartedApplicationRunsAsTheActiveOneUntilItQuits)
{
    EXPECT_EQ(env->activeApplication(), app);
    EXPECT_EQ(app->version(), QStringLiteral("16.0"));
    std::weak_ptr<Application> weak = app;
    app.reset();
    doc.reset();
    // Nobody holds it any more, yet it runs on and is found again.
    auto found = env->activeApplication();
    ASSERT_TRUE(found);
    EXPECT_EQ(found.get(), weak.lock().get());
    found->quit(false);
    EXPECT_FALSE(env->activeApplication());
    EXPECT_EQ(env->runningCount(), 0);
    EXPECT_THROW(found->documents().count(), WordError);
    EXPECT_TRUE(table.active(QLatin1String(WordEnvironment::kProgId)) == nullptr);
}

TEST_F(EnvironmentTest, AWithdrawnInstanceIsNotOfferedButKeepsRunning)
{
    auto second = env->createApplication();
    EXPECT_EQ(env->activeApplication(), app);  // the first registered answers
    app->setOfferedAsActive(false);
    EXPECT_EQ(env->activeApplication(), second);
    second->quit();
    EXPECT_FALSE(env->activeApplication());
    EXPECT_TRUE(app->isRunning());
    EXPECT_EQ(app->documents().count(), 1);
}

TEST_F(EnvironmentTest, TheProgramsRunningObjectTableOffersTheApplicationByProgId)
{
    automation::RunningObjectTable rot;
    AutomationActiveObjects objects(rot);
    WordEnvironment word(objects);
    auto started = word.createApplication();
    auto entry = rot.activeObject(QStringLiteral("word.application"));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->get(QStringLiteral("Version")).toString(), QStringLiteral("16.0"));
    entry->put(QStringLiteral("Caption"), automation::Variant(QStringLiteral("Reports")));
    EXPECT_EQ(started->caption(), QStringLiteral("Reports"));
    EXPECT_EQ(word.activeApplication(), started);
    entry->call(QStringLiteral("Quit"), {automation::Variant(false)});
    EXPECT_FALSE(started->isRunning());
    EXPECT_FALSE(rot.activeObject(QStringLiteral("Word.Application")));
    EXPECT_FALSE(word.activeApplication());
    // A held entry of a quit application fails as an automation error.
    EXPECT_THROW(entry->get(QStringLiteral("Version")), automation::AutomationError);
}

TEST_F(EnvironmentTest, StartingFailsWhenNotInstalledOrArmed)
{
    env->setInstalled(false);
    EXPECT_THROW(env->createApplication(), WordError);
    env->setInstalled(true);
    env->instrumentation()->failOn(QStringLiteral("Application.Create"));
    EXPECT_THROW(env->createApplication(), WordError);
    EXPECT_NO_THROW(env->createApplication()->quit());
}

TEST_F(EnvironmentTest, DocumentsAreFoundByIndexAndNameAndOpenedOnce)
{
    auto second = app->documents().add();
    EXPECT_EQ(app->documents().count(), 2);
    EXPECT_EQ(app->documents().item(2), second);
    EXPECT_EQ(app->documents().item(second->name().toUpper()), second);
    EXPECT_EQ(app->activeDocument(), second);
    EXPECT_THROW(app->documents().item(3), WordError);
    EXPECT_THROW(app->documents().item(QStringLiteral("nothing")), WordError);
    EXPECT_THROW(app->documents().add(QStringLiteral("Normal.dotm")), WordError);

    const QString path = file(QStringLiteral("Report.docx"));
    second->content().insertAfter(QStringLiteral("saved text"));
    second->saveAs(path);
    doc->activate();
    EXPECT_EQ(app->activeDocument(), doc);
    // Opening the same file again hands back the open document (any case of the name).
    EXPECT_EQ(app->documents().open(file(QStringLiteral("report.docx")).replace(QStringLiteral("report"), QStringLiteral("Report"))), second);
    EXPECT_EQ(app->activeDocument(), second);
    second->close(false);
    auto reopened = app->documents().open(path);
    EXPECT_NE(reopened, second);
    EXPECT_EQ(reopened->content().text(), QStringLiteral("saved text\r"));
    EXPECT_EQ(reopened->fullName(), path);
    EXPECT_THROW(app->documents().open(file(QStringLiteral("missing.docx"))), WordError);
}

TEST_F(EnvironmentTest, QuitSavesWhatItCanAndRefusesToDropUnnamedChanges)
{
    doc->content().insertAfter(QStringLiteral("unsaved"));
    EXPECT_THROW(app->quit(true), WordError);
    EXPECT_TRUE(app->isRunning());
    EXPECT_EQ(app->documents().count(), 1);

    const QString path = file(QStringLiteral("named.docx"));
    doc->saveAs(path);
    doc->content().insertAfter(QStringLiteral(" more"));
    app->quit(true);
    EXPECT_FALSE(app->isRunning());
    auto again = env->createApplication();
    EXPECT_TRUE(again->documents().open(path)->content().text().contains(QStringLiteral("more")));
}

TEST_F(EnvironmentTest, VisibleShowsTheViewerAndActivateNeedsIt)
{
    EXPECT_THROW(app->activate(), WordError);
    int raised = 0;
    FakeView* view = nullptr;
    env->setViewFactory([&](Application&) {
        auto v = std::make_unique<FakeView>(&raised);
        view = v.get();
        return v;
    });
    app->setVisible(true);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->shown);
    EXPECT_EQ(view->document, doc);
    app->activate();
    EXPECT_EQ(raised, 1);
    doc->printPreview();
    EXPECT_EQ(raised, 2);
    app->setVisible(false);
    EXPECT_FALSE(view->shown);
    EXPECT_THROW(app->activate(), WordError);
}

TEST_F(EnvironmentTest, SpellingNeedsTheProgramsCheckerAndGrammarFails)
{
    EXPECT_THROW(doc->checkSpelling(), WordError);
    std::vector<QString> checked;
    env->setSpellingChecker([&](Document& d) { checked.push_back(d.name()); });
    doc->checkSpelling();
    EXPECT_EQ(checked, std::vector<QString>{doc->name()});
    EXPECT_THROW(doc->checkGrammar(), WordError);
}

TEST_F(EnvironmentTest, PrintingWithoutPrinterFailsAndPrintToFileWorks)
{
    doc->content().insertAfter(QStringLiteral("printed page"));
    app->setActivePrinter(QStringLiteral("No Such Printer 42"));
    EXPECT_THROW(doc->printOut(), WordError);
    const QString out = file(QStringLiteral("printed.pdf"));
    doc->printOut(out);
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");
}

}  // namespace
}  // namespace tovu::platform::word::test
