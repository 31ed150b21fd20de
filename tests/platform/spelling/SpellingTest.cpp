// The spelling layer: hunspell's dictionaries, custom dictionary files, the proofreader
// driven by the scripted dialog, and the dialog window.
#include "platform/spelling/CustomDictionary.h"
#include "platform/spelling/Proofreader.h"
#include "platform/spelling/ScriptedSpellingDialog.h"
#include "platform/spelling/Speller.h"
#include "platform/spelling/SpellingError.h"
#include "platform/spelling/SpellingWindow.h"
#include "support/AppEnvironment.h"
#include "support/QtPrinters.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Fontconfig keeps a cache for the life of the process (the dialog window's fonts).
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace tovu::platform::spelling {
namespace {

std::shared_ptr<const Speller> english()
{
    static const auto speller = std::make_shared<const Speller>(QStringLiteral("en_US"));
    return speller;
}

QByteArray readAll(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& file, const QByteArray& bytes)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(Speller, KnowsItsLanguageAndSuggests)
{
    EXPECT_TRUE(english()->check(QStringLiteral("house")));
    EXPECT_TRUE(english()->check(QStringLiteral("House")));
    EXPECT_FALSE(english()->check(QStringLiteral("huose")));
    EXPECT_TRUE(english()->suggest(QStringLiteral("huose")).contains(QStringLiteral("house")));

    const Speller german(QStringLiteral("de_DE"));
    EXPECT_TRUE(german.check(QStringLiteral("Straße")));
    EXPECT_FALSE(english()->check(QStringLiteral("Straße")));

    EXPECT_THROW(Speller(QStringLiteral("xx_XX")), SpellingError);
    EXPECT_EQ(Speller::languageOfLcid(0x407), QStringLiteral("de_DE"));
    EXPECT_EQ(Speller::languageOfLcid(0xC07), QStringLiteral("de_DE"));
    EXPECT_EQ(Speller::languageOfLcid(0x809), QStringLiteral("en_US"));
}

TEST(CustomDictionary, ReadsEveryEncodingAndMatchesCapitalsAsTheWordProcessorDoes)
{
    QTemporaryDir dir;
    const QString utf16 = dir.filePath(QStringLiteral("utf16.dic"));
    writeAll(utf16, QByteArray("\xFF\xFE", 2) + QByteArray("s\0o\0n\0o\0t\0e\0s\0t\0\r\0\n\0T\0O\0V\0u\0\r\0\n\0", 32));
    const QString ansi = dir.filePath(QStringLiteral("ansi.dic"));
    writeAll(ansi, "caf\xE9\r\nmultiscan\n");

    const CustomDictionary a(utf16);
    EXPECT_EQ(a.words(), (QStringList{QStringLiteral("sonotest"), QStringLiteral("TOVu")}));
    EXPECT_TRUE(a.contains(QStringLiteral("sonotest")));
    EXPECT_TRUE(a.contains(QStringLiteral("Sonotest")));
    EXPECT_TRUE(a.contains(QStringLiteral("SONOTEST")));
    EXPECT_TRUE(a.contains(QStringLiteral("TOVu")));
    EXPECT_TRUE(a.contains(QStringLiteral("TOVU")));
    EXPECT_FALSE(a.contains(QStringLiteral("tovu")));

    const CustomDictionary b(ansi);
    EXPECT_EQ(b.words(), (QStringList{QString::fromUtf8("café"), QStringLiteral("multiscan")}));
}

TEST(CustomDictionary, AddedWordsReachTheFileInItsOwnEncoding)
{
    QTemporaryDir dir;
    // A new dictionary, in a folder not there yet: UTF-16 with a byte-order mark, CR LF lines.
    const QString fresh = dir.filePath(QStringLiteral("UProof/CUSTOM.DIC"));
    CustomDictionary d(fresh);
    EXPECT_TRUE(d.words().isEmpty());
    d.add(QStringLiteral("ascan"));
    d.add(QStringLiteral("ascan"));
    EXPECT_EQ(readAll(fresh), QByteArray("\xFF\xFE" "a\0s\0c\0a\0n\0\r\0\n\0", 16));
    EXPECT_EQ(CustomDictionary(fresh).words(), QStringList{QStringLiteral("ascan")});

    // An ANSI file stays ANSI, until a word comes that the code page cannot hold.
    const QString ansi = dir.filePath(QStringLiteral("ansi.dic"));
    writeAll(ansi, "caf\xE9\r\n");
    CustomDictionary e(ansi);
    e.add(QStringLiteral("gate"));
    EXPECT_EQ(readAll(ansi), QByteArray("caf\xE9\r\ngate\r\n"));
    e.add(QString::fromUtf8("щуп"));
    EXPECT_EQ(CustomDictionary(ansi).words(),
              (QStringList{QString::fromUtf8("café"), QStringLiteral("gate"), QString::fromUtf8("щуп")}));

    // A file that cannot be written keeps the list as it was.
    CustomDictionary blocked(dir.filePath(QStringLiteral("ansi.dic/inside.dic")));
    EXPECT_THROW(blocked.add(QStringLiteral("word")), SpellingError);
    EXPECT_TRUE(blocked.words().isEmpty());
}

struct ProofCase {
    const char* name;
    QString text;
    std::vector<Decision> answers;
    QString expected;
    QStringList asked;
    bool cancelled;
};

TEST(Proofreader, CarriesOutTheAnswers)
{
    const std::vector<ProofCase> cases = {
        {"change", QStringLiteral("The huose is old."), {Decision::change(QStringLiteral("house"))},
         QStringLiteral("The house is old."), {QStringLiteral("huose")}, false},
        {"ignore once asks again", QStringLiteral("teh and teh"), {Decision::ignore(), Decision::change(QStringLiteral("the"))},
         QStringLiteral("teh and the"), {QStringLiteral("teh"), QStringLiteral("teh")}, false},
        {"ignore all", QStringLiteral("teh and teh"), {Decision::ignoreAll()}, QStringLiteral("teh and teh"),
         {QStringLiteral("teh")}, false},
        {"change all", QStringLiteral("teh, teh; teh"), {Decision::changeAll(QStringLiteral("the"))},
         QStringLiteral("the, the; the"), {QStringLiteral("teh")}, false},
        {"change to a longer word moves on behind it", QStringLiteral("a wrld here"), {Decision::change(QStringLiteral("world wide"))},
         QStringLiteral("a world wide here"), {QStringLiteral("wrld")}, false},
        {"cancel keeps the changes made before", QStringLiteral("teh cat sat on teh mat"),
         {Decision::change(QStringLiteral("the")), Decision::cancel()}, QStringLiteral("the cat sat on teh mat"),
         {QStringLiteral("teh"), QStringLiteral("teh")}, true},
        {"numbers, capitals and quotes", QStringLiteral("Gate A2 at 12mm, DAC and TCG 'curvs'"), {},
         QStringLiteral("Gate A2 at 12mm, DAC and TCG 'curvs'"), {QStringLiteral("curvs")}, false},
        {"nothing to ask", QStringLiteral("All words are right."), {}, QStringLiteral("All words are right."), {}, false},
    };
    for (const ProofCase& c : cases) {
        SCOPED_TRACE(c.name);
        Proofreader reader(english());
        ScriptedSpellingDialog dialog;
        for (const Decision& d : c.answers)
            dialog.answer(d);
        StringProofText text(c.text);
        const ProofResult result = reader.check(text, dialog);
        EXPECT_EQ(text.text(), c.expected);
        EXPECT_EQ(dialog.askedWords(), c.asked);
        EXPECT_EQ(result.cancelled, c.cancelled);
    }
}

TEST(Proofreader, CancelStopsBehindTheWordShownAndSuggestionsComeWithTheQuestion)
{
    Proofreader reader(english());
    ScriptedSpellingDialog dialog;
    dialog.answer(Decision::cancel());
    StringProofText text(QStringLiteral("one huose, two"));
    const ProofResult result = reader.check(text, dialog);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.stoppedAt, 9);
    ASSERT_EQ(dialog.asked().size(), 1u);
    EXPECT_EQ(dialog.asked()[0].start, 4);
    EXPECT_TRUE(dialog.asked()[0].suggestions.contains(QStringLiteral("house")));
}

TEST(Proofreader, AddToDictionaryWritesTheActiveDictionaryAndIgnoreAllLastsTheSession)
{
    QTemporaryDir dir;
    auto custom = std::make_shared<CustomDictionary>(dir.filePath(QStringLiteral("CUSTOM.DIC")));
    Proofreader reader(english());
    reader.setCustomDictionaries({custom}, custom);
    ScriptedSpellingDialog dialog;
    dialog.answer(Decision::addToDictionary());
    dialog.answer(Decision::ignoreAll());
    StringProofText first(QStringLiteral("ultrasonix probes are zorked"));
    reader.check(first, dialog);
    EXPECT_EQ(CustomDictionary(custom->fileName()).words(), QStringList{QStringLiteral("ultrasonix")});

    // Neither word is asked about again: one is in the dictionary, the other ignored.
    StringProofText second(QStringLiteral("Ultrasonix zorked"));
    reader.check(second, dialog);
    EXPECT_EQ(dialog.askedWords(), (QStringList{QStringLiteral("ultrasonix"), QStringLiteral("zorked")}));

    // A new proofreader (another session) still knows the added word, not the ignored one.
    Proofreader next(english());
    next.setCustomDictionaries({std::make_shared<CustomDictionary>(custom->fileName())}, nullptr);
    EXPECT_TRUE(next.knows(QStringLiteral("ultrasonix")));
    EXPECT_FALSE(next.knows(QStringLiteral("zorked")));
}

TEST(SpellingWindow, AnswersWithTheChosenSuggestionOrCancel)
{
    tovu::test::ensureApplication<QApplication>();
    SpellingWindow window;
    const Misspelling m{QStringLiteral("The huose is old"), 4, 5, {QStringLiteral("house"), QStringLiteral("hose")}};
    window.present(m);
    EXPECT_TRUE(window.contextView()->toPlainText() == m.text);
    EXPECT_EQ(window.suggestionList()->count(), 2);
    EXPECT_EQ(window.changeField()->text(), QStringLiteral("house"));
    window.suggestionList()->setCurrentRow(1);
    window.button(Decision::Kind::Change)->click();
    EXPECT_EQ(window.decision().kind, Decision::Kind::Change);
    EXPECT_EQ(window.decision().replacement, QStringLiteral("hose"));

    window.present(m);
    window.button(Decision::Kind::Cancel)->click();
    EXPECT_EQ(window.decision().kind, Decision::Kind::Cancel);
    EXPECT_FALSE(window.isVisible());

    window.present(Misspelling{QStringLiteral("xqzv"), 0, 4, {}});
    EXPECT_EQ(window.changeField()->text(), QStringLiteral("xqzv"));
    window.button(Decision::Kind::IgnoreAll)->click();
    EXPECT_EQ(window.decision().kind, Decision::Kind::IgnoreAll);
}

} // namespace
} // namespace tovu::platform::spelling
