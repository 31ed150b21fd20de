// The word processor's proofing objects: the spelling and grammar dialog over the
// selection, the custom dictionaries, and the check of a whole document.
#include "platform/office/word/Application.h"
#include "platform/office/word/ProofingSettings.h"
#include "platform/office/word/WordError.h"
#include "platform/spelling/CustomDictionary.h"
#include "platform/spelling/ScriptedSpellingDialog.h"
#include "support/QtPrinters.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tovu::platform::word {
namespace {

using spelling::Decision;

class WordProofing : public ::testing::Test {
protected:
    void SetUp() override
    {
        environment.proofing().setLanguage(QStringLiteral("en_US"));
        environment.proofing().setDictionaryFolder(dir.path());
        environment.proofing().setDialog(dialog);
        app = environment.createApplication();
        doc = app->documents().add();
    }
    QString body() const { return doc->model().body.text(0, doc->model().body.length()); }

    LocalActiveObjectTable table;
    WordEnvironment environment{table};
    QTemporaryDir dir;
    std::shared_ptr<spelling::ScriptedSpellingDialog> dialog = std::make_shared<spelling::ScriptedSpellingDialog>();
    std::shared_ptr<Application> app;
    std::shared_ptr<Document> doc;
};

TEST_F(WordProofing, TheDialogChecksTheSelectionAndLeavesTheCheckedTextSelected)
{
    doc->content().insertAfter(QStringLiteral("Before. "));
    app->selection().setRange(8, 8);
    app->selection().setText(QStringLiteral("A huose and a wrld"));
    EXPECT_EQ(app->selection().text(), QStringLiteral("A huose and a wrld"));
    dialog->answer(Decision::change(QStringLiteral("house")));
    dialog->answer(Decision::change(QStringLiteral("world")));
    EXPECT_EQ(app->dialogs().item(kDialogToolsSpellingAndGrammar).show(), -1);
    EXPECT_EQ(app->selection().text(), QStringLiteral("A house and a world"));
    EXPECT_EQ(body(), QStringLiteral("Before. A house and a world\r"));
    // Only the selection was checked: "Before" is never asked about, being right anyway,
    // and the text before it stays.
    EXPECT_EQ(dialog->askedWords(), (QStringList{QStringLiteral("huose"), QStringLiteral("wrld")}));

    app->selection().deleteText();
    EXPECT_EQ(body(), QStringLiteral("Before. \r"));
}

TEST_F(WordProofing, ACancelLeavesTheInsertionPointBehindTheWordShown)
{
    struct Case {
        QString text;
        QString next;  // what Selection.Text then gives: the character behind the word
    };
    for (const Case& c : {Case{QStringLiteral("huose next"), QStringLiteral(" ")},
                          Case{QStringLiteral("the huose"), QStringLiteral("\r")},
                          Case{QStringLiteral("huose, next"), QStringLiteral(",")}}) {
        SCOPED_TRACE(c.text.toStdString());
        app->selection().setText(c.text);
        dialog->answer(Decision::cancel());
        EXPECT_EQ(app->dialogs().item(kDialogToolsSpellingAndGrammar).show(), 0);
        EXPECT_EQ(app->selection().text(), c.next);
        EXPECT_EQ(body(), c.text + QStringLiteral("\r"));
        app->selection().setRange(0, doc->model().body.length());
        app->selection().deleteText();
    }
    // The final paragraph mark is never deleted.
    app->selection().deleteText();
    EXPECT_EQ(body(), QStringLiteral("\r"));
}

TEST_F(WordProofing, CustomDictionariesLieInTheDictionaryFolder)
{
    CustomDictionaries dictionaries = app->customDictionaries();
    EXPECT_EQ(dictionaries.count(), 1);
    EXPECT_EQ(dictionaries.activeCustomDictionary().name(), QStringLiteral("CUSTOM.DIC"));
    EXPECT_EQ(dictionaries.activeCustomDictionary().path(), QDir::cleanPath(dir.path()));
    EXPECT_EQ(app->pathSeparator(), QStringLiteral("/"));

    spelling::CustomDictionary(dir.filePath(QStringLiteral("probes.dic"))).add(QStringLiteral("transducr"));
    const Dictionary probes = dictionaries.add(QStringLiteral("probes.dic"));
    EXPECT_EQ(dictionaries.add(dir.filePath(QStringLiteral("probes.dic"))).fullName(), probes.fullName());
    EXPECT_EQ(dictionaries.count(), 2);
    dictionaries.setActiveCustomDictionary(probes);
    EXPECT_EQ(dictionaries.activeCustomDictionary().name(), QStringLiteral("probes.dic"));

    // Its words are known; a word added goes into the active dictionary's file.
    app->selection().setText(QStringLiteral("transducr zorkle"));
    dialog->answer(Decision::addToDictionary());
    app->dialogs().item(kDialogToolsSpellingAndGrammar).show();
    EXPECT_EQ(dialog->askedWords(), QStringList{QStringLiteral("zorkle")});
    EXPECT_EQ(spelling::CustomDictionary(probes.fullName()).words(),
              (QStringList{QStringLiteral("transducr"), QStringLiteral("zorkle")}));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("CUSTOM.DIC"))));
}

TEST_F(WordProofing, FailuresAreTheWordProcessorsErrors)
{
    EXPECT_THROW(app->dialogs().item(80), WordError);
    EXPECT_THROW(app->setWindowState(7), WordError);
    app->setTop(-3000);
    EXPECT_EQ(app->top(), -3000);

    environment.proofing().setDialog(nullptr);
    app->selection().setText(QStringLiteral("huose"));
    EXPECT_THROW(app->dialogs().item(kDialogToolsSpellingAndGrammar).show(), WordError);
    EXPECT_THROW(doc->checkSpelling(), WordError);

    environment.proofing().setDialog(dialog);
    environment.proofing().setLanguage(QStringLiteral("xx_XX"));
    EXPECT_THROW(app->dialogs().item(kDialogToolsSpellingAndGrammar).show(), WordError);
    EXPECT_THROW(doc->checkGrammar(), WordError);
}

TEST_F(WordProofing, CheckSpellingChangesOnlyTheWordsItCorrects)
{
    doc->content().insertAfter(QStringLiteral("Teh report"));
    doc->content().insertParagraphAfter();
    doc->content().insertAfter(QStringLiteral("of the scnas"));
    doc->range(0, 3).font().setBold(true);
    dialog->answer(Decision::change(QStringLiteral("The")));
    dialog->answer(Decision::change(QStringLiteral("scans")));
    doc->checkSpelling();
    EXPECT_EQ(body(), QStringLiteral("The report\rof the scans\r"));
    EXPECT_TRUE(doc->range(0, 3).font().bold());
    EXPECT_FALSE(doc->range(4, 10).font().bold());
}

} // namespace
} // namespace tovu::platform::word
