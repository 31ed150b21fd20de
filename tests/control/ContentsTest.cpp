// The contents of host controls, collections, dictionaries, arrays and text files written
// into the held document: the text each writes, its format, and the statuses.
#include "ControlFixture.h"
#include "HostFakes.h"
#include "platform/automation/Collection.h"
#include "platform/automation/Dictionary.h"
#include "platform/controls/ListControls.h"
#include "platform/controls/TextControls.h"

#include <QFile>

namespace tovu::control::testing {
namespace {

namespace controls = tovu::platform::controls;
using automation::DispatchRef;
using automation::SafeArray;

Variant text(const char* s) { return Variant(QString::fromUtf8(s)); }
Variant objectArg(DispatchRef ref) { return Variant(std::move(ref)); }

DispatchRef listBox(std::vector<QString> entries, std::set<int> selected = {})
{
    auto list = std::make_shared<controls::MemoryList>(std::move(entries));
    for (int i : selected)
        list->setSelected(i, true);
    return controls::listBoxDispatch(list);
}

DispatchRef label(const char* caption)
{
    return controls::labelDispatch(std::make_shared<controls::MemoryText>(QString::fromUtf8(caption)));
}

DispatchRef textBox(const char* content)
{
    return controls::textBoxDispatch(std::make_shared<controls::MemoryText>(QString::fromUtf8(content)));
}

class ContentsTest : public ControlTest {
protected:
    void SetUp() override
    {
        ensureGui();
        ASSERT_EQ(openBlank(), 1);
    }

    // The held document's paragraphs, without the empty ones.
    QStringList paragraphs()
    {
        return heldText().split(QChar(word::kParagraphMark), Qt::SkipEmptyParts);
    }
    int paragraphCount() { return control.heldDocument()->paragraphs().count(); }
    const word::CharFormat& fontAt(int pos)
    {
        const word::Story& body = control.heldDocument()->model().body;
        return body.pool().font(body.at(pos).font);
    }
};

TEST_F(ContentsTest, ListBoxWritesItsEntriesOrOnlyTheSelectedOnesJoined)
{
    const struct {
        std::set<int> selected;
        bool selectedOnly;
        const char* expected;
    } cases[] = {
        {{}, false, "A;B;C."},
        {{1}, true, "B."},
        {{0, 1, 2}, true, "A;B;C."},
        {{0, 2}, true, "A;C."},
        {{}, true, "."},
    };
    for (const auto& c : cases) {
        Args args{objectArg(listBox({"A", "B", "C"}, c.selected)), text(";"), text("."), Variant(c.selectedOnly)};
        ASSERT_EQ(call("ListBoxToWord", args), Variant(std::int16_t{1})) << c.expected;
        EXPECT_EQ(paragraphs().back(), QString::fromUtf8(c.expected));
    }
    EXPECT_EQ(paragraphs().size(), 5);
}

TEST_F(ContentsTest, ComboBoxWritesItsEntriesOrItsCurrentTextAlone)
{
    auto combo = std::make_shared<controls::MemoryList>(std::vector<QString>{"gain", "range"}, true);
    combo->setText(QStringLiteral("delay"));
    ASSERT_EQ(status("ComboBoxToWord", {objectArg(controls::comboBoxDispatch(combo)), text(", "), text("!")}), 1);
    EXPECT_EQ(paragraphs().back(), QStringLiteral("gain, range!"));
    ASSERT_EQ(status("ComboBoxToWord", {objectArg(controls::comboBoxDispatch(combo)), text(", "), text("!"), Variant(true)}),
              1);
    EXPECT_EQ(paragraphs().back(), QStringLiteral("delay")) << "neither delimiter nor end text";
}

TEST_F(ContentsTest, FolderDriveAndFileListBoxesWriteTheirEntriesFromZero)
{
    ASSERT_EQ(status("DirListBoxToWord", {objectArg(fileSystemList("DirListBox", {"/", "home", "data", "scans"}, -2)),
                                          text("|"), text("<")}),
              1);
    EXPECT_EQ(paragraphs().back(), QStringLiteral("data|scans<")) << "not the folders above the current one";
    ASSERT_EQ(status("DriveListBoxToWord", {objectArg(fileSystemList("DriveListBox", {"a:", "c:"})), text(" ")}), 1);
    EXPECT_EQ(paragraphs().back(), QStringLiteral("a: c:"));

    const DispatchRef files = fileSystemList("FileListBox", {"one.dat", "two.dat", "three.dat"}, 0, {0, 2});
    // The file list box takes its selection flag before its end text.
    ASSERT_EQ(status("FileListBoxToWord", {objectArg(files), text(";"), Variant(true), text(".")}), 1);
    EXPECT_EQ(paragraphs().back(), QStringLiteral("one.dat;three.dat."));
    ASSERT_EQ(status("FileListBoxToWord", {objectArg(files), text(";"), Variant(false), text(".")}), 1);
    EXPECT_EQ(paragraphs().back(), QStringLiteral("one.dat;two.dat;three.dat."));
    const DispatchRef none = fileSystemList("FileListBox", {"one.dat"});
    ASSERT_EQ(status("FileListBoxToWord", {objectArg(none), text(";"), Variant(true), text("end")}), 1);
    EXPECT_EQ(paragraphs().back(), QStringLiteral("end"));
}

TEST_F(ContentsTest, CollectionItemsAsTextInTheirOrder)
{
    auto collection = std::make_shared<automation::Collection>();
    ASSERT_EQ(status("CollectionToWord", {objectArg(collection), text(";"), text("[end]")}), 1);
    EXPECT_EQ(paragraphs().back(), QStringLiteral("[end]")) << "an empty collection writes only the end text";
    collection->add(Variant(std::int16_t{7}));
    collection->add(text("probe"), text("key"));
    collection->add(Variant(2.5));
    ASSERT_EQ(status("CollectionToWord", {objectArg(collection), text(" / ")}), 1);
    EXPECT_EQ(paragraphs().back(), QStringLiteral("7 / probe / 2.5"));
}

TEST_F(ContentsTest, DictionaryItemsJoinedOrWithTheirKeysAsAProfessionalTable)
{
    auto dictionary = std::make_shared<automation::Dictionary>();
    dictionary->add(text("Gain"), text("20 dB"));
    dictionary->add(text("Range"), Variant(std::int32_t{100}));
    dictionary->add(text("Probe"), text("MSEB4"));
    ASSERT_EQ(status("DictionaryToWord", {objectArg(dictionary), text(";"), Variant(false), text(".")}), 1);
    EXPECT_EQ(paragraphs().back(), QStringLiteral("20 dB;100;MSEB4."));
    ASSERT_EQ(control.heldDocument()->tables().count(), 0);

    // The caller's formatting is not used for the table.
    Args args{objectArg(dictionary), text(";"), Variant(true), text("."), Variant(true), text("Arial"),
              Variant(std::int16_t{30})};
    ASSERT_EQ(call("DictionaryToWord", args), Variant(std::int16_t{1}));
    ASSERT_EQ(control.heldDocument()->tables().count(), 1);
    const word::Table table = control.heldDocument()->tables().item(1);
    ASSERT_EQ(table.rows(), 3);
    ASSERT_EQ(table.columns(), 2);
    EXPECT_EQ(table.cellText(1, 1), QStringLiteral("Gain"));
    EXPECT_EQ(table.cellText(2, 2), QStringLiteral("100"));
    EXPECT_EQ(table.cellText(3, 1), QStringLiteral("Probe"));
    EXPECT_EQ(table.model().format, vrbTableFormatProfessional);
    EXPECT_FALSE(heldText().contains(QStringLiteral("Gain;"))) << "no delimiter in the table";
}

TEST_F(ContentsTest, SingleValueControlsWriteTheirTextFormatted)
{
    const struct {
        const char* method;
        DispatchRef control;
        const char* expected;
    } cases[] = {
        {"LabelToWord", label("Model: USM"), "Model: USM"},
        {"TextBoxToWord", textBox("Operator notes"), "Operator notes"},
        {"MaskedTextBoxToWord", controls::maskedEditDispatch(std::make_shared<controls::MemoryText>("12-34")), "12-34"},
        {"RichTextBoxToWord", controls::richTextBoxDispatch(std::make_shared<controls::MemoryText>("rich")), "rich"},
    };
    for (const auto& c : cases) {
        Args args{objectArg(c.control), Variant(true), text("Arial"), Variant(std::int16_t{16}), Variant(std::int16_t{4}),
                  Variant(std::int32_t{vrbAlignParagraphCenter}), Variant(std::int32_t{vrbColorRed}), Variant(true)};
        ASSERT_EQ(call(c.method, args), Variant(std::int16_t{1})) << c.method;
        const QString expected = QString::fromUtf8(c.expected);
        EXPECT_EQ(paragraphs().back(), expected) << c.method;
        const word::CharFormat& f = fontAt(heldText().lastIndexOf(expected));
        EXPECT_TRUE(f.bold && f.italic) << c.method;
        EXPECT_EQ(f.name, QStringLiteral("Arial")) << c.method;
        EXPECT_EQ(f.size, 16.0) << c.method;
        EXPECT_EQ(f.color, vrbColorRed) << c.method;
    }
}

TEST_F(ContentsTest, OneDArrayElementsEachOnALineOfTheirOwn)
{
    Variant array(SafeArray::ofValues({text("first"), Variant(std::int16_t{2}), text("third")}, 1));
    ASSERT_EQ(status("OneDArrayToWord", {array, Variant(true), text("Courier New"), Variant(std::int16_t{9})}), 1);
    const QString body = heldText();
    const int at = body.indexOf(QStringLiteral("first\r2\rthird\r"));
    ASSERT_GE(at, 0) << body.toStdString();
    // Every line takes the format, not only the paragraph that ends the text.
    for (const QString& line : {QStringLiteral("first"), QStringLiteral("2"), QStringLiteral("third")}) {
        const word::CharFormat& f = fontAt(body.indexOf(line, at));
        EXPECT_TRUE(f.bold) << line.toStdString();
        EXPECT_EQ(f.name, QStringLiteral("Courier New")) << line.toStdString();
        EXPECT_EQ(f.size, 9.0) << line.toStdString();
    }
    ASSERT_EQ(status("TextToWord", {text("plain after")}), 1);
    EXPECT_FALSE(fontAt(heldText().indexOf(QStringLiteral("plain after"))).bold) << "the next paragraph is plain";

    EXPECT_EQ(status("OneDArrayToWord", {text("not an array")}), -3);
    EXPECT_EQ(status("OneDArrayToWord", {Variant(SafeArray())}), -4) << "an array without bounds";
    EXPECT_EQ(status("OneDArrayToWord", {Variant(SafeArray::ofValues({text("x"), Variant::null()}))}), -4)
        << "Null has no text";
}

TEST_F(ContentsTest, TextFileLinesAsTheArrayWritesThem)
{
    const QString path = file(QStringLiteral("notes.txt"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Weld 4\r\nno indication\r\nchecked\r\n");
    }
    ASSERT_EQ(status("TextFileToWord", {Variant(path)}), 1);
    EXPECT_TRUE(heldText().contains(QStringLiteral("Weld 4\rno indication\rchecked\r"))) << heldText().toStdString();

    const QString empty = file(QStringLiteral("empty.txt"));
    QFile(empty).open(QIODevice::WriteOnly);
    const QString before = heldText();
    EXPECT_EQ(status("TextFileToWord", {Variant(empty)}), 1);
    EXPECT_EQ(heldText(), before) << "an empty file has nothing to write";
    // A file that cannot be read is reported, not passed over.
    EXPECT_EQ(status("TextFileToWord", {Variant(file(QStringLiteral("missing.txt")))}), -3);
    EXPECT_EQ(heldText(), before);
}

// One call of every member with an argument it can write.
struct Member {
    const char* method;
    std::function<Args(const QString& dir)> args;
};

const std::vector<Member>& members()
{
    static const std::vector<Member> all = {
        {"ListBoxToWord", [](const QString&) { return Args{objectArg(listBox({"A"})), text(";")}; }},
        {"FileListBoxToWord", [](const QString&) { return Args{objectArg(fileSystemList("FileListBox", {"f"})), text(";")}; }},
        {"ComboBoxToWord",
         [](const QString&) {
             return Args{objectArg(controls::comboBoxDispatch(std::make_shared<controls::MemoryList>(std::vector<QString>{"c"}, true))),
                         text(";")};
         }},
        {"DirListBoxToWord", [](const QString&) { return Args{objectArg(fileSystemList("DirListBox", {"d"})), text(";")}; }},
        {"DriveListBoxToWord", [](const QString&) { return Args{objectArg(fileSystemList("DriveListBox", {"c:"})), text(";")}; }},
        {"CollectionToWord", [](const QString&) { return Args{objectArg(std::make_shared<automation::Collection>()), text(";")}; }},
        {"DictionaryToWord", [](const QString&) { return Args{objectArg(std::make_shared<automation::Dictionary>()), text(";")}; }},
        {"LabelToWord", [](const QString&) { return Args{objectArg(label("l"))}; }},
        {"TextBoxToWord", [](const QString&) { return Args{objectArg(textBox("t"))}; }},
        {"MaskedTextBoxToWord",
         [](const QString&) { return Args{objectArg(controls::maskedEditDispatch(std::make_shared<controls::MemoryText>("m")))}; }},
        {"RichTextBoxToWord",
         [](const QString&) { return Args{objectArg(controls::richTextBoxDispatch(std::make_shared<controls::MemoryText>("r")))}; }},
        {"OneDArrayToWord", [](const QString&) { return Args{Variant(SafeArray::ofValues({text("e")}))}; }},
        {"TextFileToWord",
         [](const QString& dir) {
             const QString path = dir + QStringLiteral("/line.txt");
             QFile f(path);
             if (f.open(QIODevice::WriteOnly))
                 f.write("line\r\n");
             return Args{Variant(path)};
         }},
    };
    return all;
}

TEST_F(ContentsTest, EveryMemberNeedsWordAndTheHeldDocument)
{
    for (const Member& m : members()) {
        hooks().clearFailures();
        EXPECT_EQ(call(m.method, m.args(dir.path())).toInteger(), 1) << m.method;
        hooks().failOn(QStringLiteral("Document.Activate"));
        EXPECT_EQ(call(m.method, m.args(dir.path())).toInteger(), -2) << m.method;
    }
    hooks().clearFailures();
    control.heldApplication()->quit(false);
    for (const Member& m : members())
        EXPECT_EQ(call(m.method, m.args(dir.path())).toInteger(), -1) << m.method;
}

TEST_F(ContentsTest, AFailingWordStepIsReportedByEveryMember)
{
    // Writing the paragraph fails after the text was handed over.
    for (const Member& m : members()) {
        hooks().clearFailures();
        hooks().failOn(QStringLiteral("Font.Size"));
        const std::int16_t got = call(m.method, m.args(dir.path())).toInteger();
        const std::string name = m.method;
        const bool failsWithMinusThree = name == "MaskedTextBoxToWord" || name == "RichTextBoxToWord" ||
                                 name == "DictionaryToWord" || name == "TextFileToWord";
        EXPECT_EQ(got, failsWithMinusThree ? -3 : -4) << m.method;
    }
}

TEST_F(ContentsTest, AnObjectOfAnotherClassIsRefusedBeforeAnythingIsWritten)
{
    const struct {
        const char* method;
        Args args;
    } cases[] = {
        {"ListBoxToWord", {objectArg(fileSystemList("FileListBox", {"x"})), text(";")}},
        {"FileListBoxToWord", {objectArg(listBox({"x"})), text(";")}},
        {"ComboBoxToWord", {objectArg(listBox({"x"})), text(";")}},
        {"DirListBoxToWord", {objectArg(fileSystemList("DriveListBox", {"x"})), text(";")}},
        {"DriveListBoxToWord", {objectArg(fileSystemList("DirListBox", {"x"})), text(";")}},
        {"CollectionToWord", {objectArg(std::make_shared<automation::Dictionary>()), text(";")}},
        {"LabelToWord", {objectArg(textBox("x"))}},
        {"TextBoxToWord", {objectArg(label("x"))}},
        {"ListBoxToWord", {Variant(DispatchRef()), text(";")}},
    };
    for (const auto& c : cases) {
        const int before = paragraphCount();
        Args args = c.args;
        EXPECT_EQ(call(c.method, args), Variant(std::int16_t{-3})) << c.method;
        EXPECT_EQ(paragraphCount(), before) << c.method;
    }
}

TEST_F(ContentsTest, AControlWithoutTheMemberLeavesItsEmptyParagraph)
{
    for (const char* method : {"MaskedTextBoxToWord", "RichTextBoxToWord"}) {
        const int before = paragraphCount();
        EXPECT_EQ(status(method, {objectArg(label("no Text here"))}), -3) << method;
        EXPECT_EQ(paragraphCount(), before + 1) << method;
    }
    EXPECT_FALSE(heldText().contains(QStringLiteral("no Text here")));
}

TEST_F(ContentsTest, AnEntryThatCannotBeReadIsLeftOutButReported)
{
    // A list box whose second entry fails: the others are still written, then -4.
    const std::vector<QString> entries = {"A", "B", "C"};
    const DispatchRef faulty = automation::makeDispatch(
        {{QStringLiteral("ListCount"), 1, [](Args&) { return Variant(std::int32_t{3}); }},
         {QStringLiteral("List"), 2,
          [entries](Args& a) {
              const std::int32_t i = automation::argumentAt(a, 0).toLong();
              if (i == 1)
                  throw automation::AutomationError::standard(381);
              return Variant(entries.at(static_cast<std::size_t>(i)));
          }}},
        QStringLiteral("ListBox"));
    EXPECT_EQ(status("ListBoxToWord", {objectArg(faulty), text(";"), text(".")}), -4);
    EXPECT_EQ(paragraphs().back(), QStringLiteral("A;;C."));

    auto dictionary = std::make_shared<automation::Dictionary>();
    dictionary->add(text("k"), Variant::null());
    EXPECT_EQ(status("DictionaryToWord", {objectArg(dictionary), text(";")}), -3);
    EXPECT_EQ(status("DictionaryToWord", {objectArg(std::make_shared<automation::Dictionary>()), text(";"),
                                          Variant(true)}),
              -3)
        << "no table without entries";
}

} // namespace
} // namespace tovu::control::testing
