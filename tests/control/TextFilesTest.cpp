// Arrays to and from delimited text: the readers' shapes and fields, the writers' texts and
// files (CR LF, the ANSI code page), round trips, statuses, and a text file as a Word table.
#include "ArrayValues.h"
#include "ControlFixture.h"
#include "platform/locale/AnsiCodePage.h"
#include "platform/locale/UserLocale.h"

#include <QFile>

namespace tovu::control::testing {
namespace {

using automation::SafeArray;

Variant text(const QString& s) { return Variant(s); }
Variant text(const char* s) { return Variant(QString::fromUtf8(s)); }
Variant anArray() { return Variant(SafeArray::ofValues({text("old")})); }
const QString crlf = QStringLiteral("\r\n");

// Cells of a two-dimensional array, Empty cells as "<e>".
std::vector<std::vector<QString>> cellsOf(const Variant& v)
{
    const SafeArray& a = v.array();
    std::vector<std::vector<QString>> rows;
    for (std::int32_t r = a.lbound(1); r <= a.ubound(1); ++r) {
        rows.emplace_back();
        for (std::int32_t c = a.lbound(2); c <= a.ubound(2); ++c) {
            const Variant& cell = a.get({r, c});
            rows.back().push_back(cell.isEmpty() ? QStringLiteral("<e>") : cell.toString());
        }
    }
    return rows;
}

std::vector<QString> elementsOf(const Variant& v)
{
    std::vector<QString> out;
    for (const Variant& e : v.array().elements())
        out.push_back(e.isEmpty() ? QStringLiteral("<e>") : e.toString());
    return out;
}

class TextFilesTest : public ControlTest {
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile f(file(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return file(name);
    }
    QByteArray contents(const QString& path)
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
    // TextFileToArray; the array after the call.
    std::int16_t toArray(const QByteArray& bytes, Variant& array, Args extra = {})
    {
        Args args{text(write(QStringLiteral("in.txt"), bytes)), array};
        args.insert(args.end(), extra.begin(), extra.end());
        const std::int16_t s = call("TextFileToArray", args).toInteger();
        array = args[1];
        return s;
    }
    static bool westernPage()
    {
        return platform::locale::ansiCodePage(platform::locale::userDefaultLcid()) == 1252;
    }
};

using Cells = std::vector<std::vector<QString>>;

TEST_F(TextFilesTest, TextFileToArrayShapesByTheLongestLine)
{
    struct Case {
        QByteArray file;
        Args extra;
        Cells expected;
    } cases[] = {
        {"a,b,c\r\nd\r\n", {}, {{"a", "b", "c"}, {"d", "<e>", "<e>"}}},
        {"a,b,\r\n,", {}, {{"a", "b", "<e>"}, {"", "<e>", "<e>"}}},
        {"x;y\ry;z\r\n\r\nlast", {text(";")}, {{"x", "y"}, {"y", "z"}, {"", "<e>"}, {"last", "<e>"}}},
        {"a\nb,c\r\n", {}, {{"a\nb", "c"}}},  // a lone line feed ends no line
        {"\"a,b\",c\r\n", {text(""), Variant(true)}, {{"\"a", "b\"", "c"}}},  // quotes do not hold a delimiter
        {"\"x\",y\",\"\r\n", {text(","), Variant(true)}, {{"x", "y\"", "\""}}},
        {"\"x\",\"\"\r\n", {text(","), Variant(false)}, {{"\"x\"", "\"\""}}},
        {"\"x\",\"\"\r\n", {text(","), Variant(true)}, {{"x", ""}}},
        {"a::b\r\nc\r\n", {text("::")}, {{"<e>"}, {"<e>"}}},  // a delimiter of two characters never matches
        {"a\tb\r\n", {text("\t")}, {{"a", "b"}}},
    };
    for (const Case& c : cases) {
        Variant array = anArray();
        ASSERT_EQ(toArray(c.file, array, c.extra), 1) << c.file.toStdString();
        EXPECT_EQ(cellsOf(array), c.expected) << c.file.toStdString();
        EXPECT_EQ(array.array().lbound(1), 0);
        EXPECT_EQ(array.array().lbound(2), 0);
    }
}

TEST_F(TextFilesTest, ReaderStatuses)
{
    Variant array = anArray();
    EXPECT_EQ(toArray("", array), -3) << "no rows to shape";
    EXPECT_EQ(array, anArray());

    Variant notArray = text("x");
    EXPECT_EQ(toArray("a,b\r\n", notArray), -2);
    Args missing{text(file(QStringLiteral("missing.txt"))), anArray()};
    EXPECT_EQ(call("TextFileToArray", missing).toInteger(), -1);
    EXPECT_EQ(status("TextFileToArray", {text(""), anArray()}), -1);
    EXPECT_EQ(status("TextFileToOneDArray", {text(file(QStringLiteral("missing.txt"))), anArray()}), -1);
    EXPECT_EQ(status("TextFileToOneDArray", {text(write(QStringLiteral("a.txt"), "a\r\n")), text("x")}), -2);
    EXPECT_EQ(status("MultiLineTextToOneDArray", {text("a,b"), text("x")}), -1);
}

TEST_F(TextFilesTest, TextFileToOneDArrayTakesEveryLineAndAnEmptyFileChangesNothing)
{
    const QString path = write(QStringLiteral("lines.txt"), "one\r\ntwo, three\rfour");
    Args args{text(path), Variant(SafeArray({{3, 9}}))};
    ASSERT_EQ(call("TextFileToOneDArray", args).toInteger(), 1);
    EXPECT_EQ(elementsOf(args[1]), (std::vector<QString>{"one", "two, three", "four"}));
    EXPECT_EQ(args[1].array().lbound(1), 0);
    EXPECT_EQ(args[0], text(path));

    Args typed{text(path), Variant(SafeArray({{0, 0}}, automation::VarType::String))};
    ASSERT_EQ(call("TextFileToOneDArray", typed).toInteger(), 1);
    EXPECT_EQ(typed[1].array().elementType(), automation::VarType::String);

    Args numbers{text(path), Variant(SafeArray({{0, 0}}, automation::VarType::Long))};
    EXPECT_EQ(call("TextFileToOneDArray", numbers).toInteger(), -3) << "texts do not fit a Long array";

    Args empty{text(write(QStringLiteral("empty.txt"), "")), anArray()};
    ASSERT_EQ(call("TextFileToOneDArray", empty).toInteger(), 1);
    EXPECT_EQ(empty[1], anArray());
}

TEST_F(TextFilesTest, MultiLineTextGetsOneElementMoreThanItsParts)
{
    struct Case {
        const char* text;
        Variant delimiter;
        std::vector<QString> expected;
    } cases[] = {
        {"a,b", Variant::missing(), {"a", "b", "<e>"}},
        {"a,b,", text(""), {"a", "b", "<e>"}},
        {"", Variant::missing(), {"", "<e>"}},
        {"\"a|b\"", text("|"), {"\"a", "b\"", "<e>"}},
        {"a::b", text("::"), {"<e>"}},
    };
    for (const Case& c : cases) {
        Args args{text(c.text), anArray()};
        if (!c.delimiter.isMissing())
            args.push_back(c.delimiter);
        ASSERT_EQ(call("MultiLineTextToOneDArray", args).toInteger(), 1) << c.text;
        EXPECT_EQ(elementsOf(args[1]), c.expected) << c.text;
    }
}

TEST_F(TextFilesTest, TwoDArrayToTextWritesBlankSeparatorsBackAsTabAndCrLf)
{
    const Variant array(twoDArray({{1, 2}, {-1, 0}}, {text("a"), Variant(std::int32_t{2}), Variant(true), Variant()}));
    Args args{array, text("stale"), text(" "), text("")};
    ASSERT_EQ(call("TwoDArrayToText", args).toInteger(), 1);
    EXPECT_EQ(args[1], text("a\t2\r\nTrue\t\r\n"));
    EXPECT_EQ(args[2], text("\t"));
    EXPECT_EQ(args[3], text(crlf));

    Args quoted{array, text(""), text(";"), text("|"), Variant(true)};
    ASSERT_EQ(call("TwoDArrayToText", quoted).toInteger(), 1);
    EXPECT_EQ(quoted[1], text("\"a\";\"2\"|\"True\";\"\"|"));

    EXPECT_EQ(status("TwoDArrayToText", {text("x"), text(""), text(""), text("")}), -1);
    EXPECT_EQ(status("TwoDArrayToText", {Variant(SafeArray::ofValues({text("a")})), text(""), text(""), text("")}), -2);
    EXPECT_EQ(status("TwoDArrayToText", {Variant(twoDArray({{0, 0}, {0, 0}}, {Variant(SafeArray::ofValues({text("a")}))})),
                                         text(""), text(""), text("")}),
              -2);
}

TEST_F(TextFilesTest, OneDArrayToTextEndsWithTheEndOfArrayText)
{
    const Variant array(SafeArray::ofValues({text("a"), Variant(1.5), text("c")}, 4));
    Args args{array, text(""), text("|"), text(".")};
    ASSERT_EQ(call("OneDArrayToText", args).toInteger(), 1);
    EXPECT_EQ(args[1], text("a|1.5|c."));

    Args plain{array, text(""), text("  "), Variant::missing(), Variant(true)};
    ASSERT_EQ(call("OneDArrayToText", plain).toInteger(), 1);
    EXPECT_EQ(plain[1], text("\"a\"\r\n\"1.5\"\r\n\"c\""));
    EXPECT_EQ(plain[2], text(crlf));

    EXPECT_EQ(status("OneDArrayToText", {text("x"), text(""), text("")}), -1);
    EXPECT_EQ(status("OneDArrayToText", {Variant(SafeArray({{0, 1}, {0, 1}})), text(""), text("")}), -2);
}

TEST_F(TextFilesTest, WritersReplaceTheFileWithCrLfLines)
{
    const QString path = write(QStringLiteral("out.txt"), QByteArray(500, 'z'));
    const Variant array(twoDArray({{0, 1}, {0, 2}}, {text("a"), text("b c"), Variant(std::int32_t{3}), text("d"),
                                                Variant::null(), Variant()}));
    ASSERT_EQ(status("TwoDArrayToTextFile", {array, text(path)}), 1);
    EXPECT_EQ(contents(path), QByteArray("a,b c,3\r\nd,,\r\n"));
    ASSERT_EQ(status("TwoDArrayToTextFile", {array, text(path), text(" "), Variant(true)}), 1);
    EXPECT_EQ(contents(path), QByteArray("\"a\" \"b c\" \"3\"\r\n\"d\" \"\" \"\"\r\n"));

    const Variant list(SafeArray::ofValues({text("x"), Variant(2.5), Variant(false), Variant::null(), Variant()}, 1));
    ASSERT_EQ(status("OneDArrayToTextFile", {list, text(path)}), 1);
    EXPECT_EQ(contents(path), QByteArray("x\r\n2.5\r\nFalse\r\nNull\r\n\r\n"));
    ASSERT_EQ(status("OneDArrayToTextFile", {list, text(path), Variant(true)}), 1);
    EXPECT_EQ(contents(path), QByteArray("\"x\"\r\n\"2.5\"\r\n\"False\"\r\n\"\"\r\n\"\"\r\n"));

    EXPECT_EQ(status("TwoDArrayToTextFile", {text("x"), text(path)}), -1);
    EXPECT_EQ(status("OneDArrayToTextFile", {text("x"), text(path)}), -1);
    const QString unwritable = file(QStringLiteral("no/such/folder.txt"));
    EXPECT_EQ(status("TwoDArrayToTextFile", {array, text(unwritable)}), -2);
    EXPECT_EQ(status("OneDArrayToTextFile", {list, text(unwritable)}), -2);
    EXPECT_EQ(status("TwoDArrayToTextFile", {list, text(path)}), -2) << "a one-dimensional array has no columns";
}

TEST_F(TextFilesTest, RoundTripsThroughFilesInTheAnsiCodePage)
{
    if (!westernPage())
        GTEST_SKIP() << "the user's locale has another ANSI code page";
    const QString path = file(QStringLiteral("round.txt"));
    const Variant array(twoDArray({{0, 1}, {0, 1}}, {text("café"), text("€ 5"), text("ß"), text("naïve")}));
    ASSERT_EQ(status("TwoDArrayToTextFile", {array, text(path), text(";"), Variant(true)}), 1);
    EXPECT_EQ(contents(path), QByteArray("\"caf\xE9\";\"\x80 5\"\r\n\"\xDF\";\"na\xEFve\"\r\n"));
    Variant back = anArray();
    Args args{text(path), back, text(";"), Variant(true)};
    ASSERT_EQ(call("TextFileToArray", args).toInteger(), 1);
    EXPECT_EQ(cellsOf(args[1]), cellsOf(array));

    const Variant lines(SafeArray::ofValues({text("Prüfkopf"), text(""), text("Ende")}));
    ASSERT_EQ(status("OneDArrayToTextFile", {lines, text(path)}), 1);
    Args oneD{text(path), anArray()};
    ASSERT_EQ(call("TextFileToOneDArray", oneD).toInteger(), 1);
    EXPECT_EQ(oneD[1], lines);
}

class TextFileTableTest : public TextFilesTest {};

TEST_F(TextFileTableTest, TheFileBecomesATableOfItsFields)
{
    ensureGui();
    const QString path = write(QStringLiteral("t.txt"), "a,b\r\nc,d,e\r\n");
    EXPECT_EQ(status("TextFileToWordTable", {text(path)}), -1) << "Word not running";
    ASSERT_EQ(openBlank(), 1);
    EXPECT_EQ(status("TextFileToWordTable", {text(file(QStringLiteral("missing.txt")))}), -3);
    EXPECT_EQ(status("TextFileToWordTable", {text(write(QStringLiteral("e.txt"), ""))}), -4);
    EXPECT_EQ(control.heldDocument()->tables().count(), 0);

    ASSERT_EQ(status("TextFileToWordTable", {text(write(QStringLiteral("q.txt"), "\"x\",\"\r\n,b\r\n")), text(""),
                                             Variant(true)}),
              1);
    ASSERT_EQ(status("TextFileToWordTable", {text(path)}), 1);
    ASSERT_EQ(control.heldDocument()->tables().count(), 2);
    const auto cells = [&](int n) {
        word::Table table = control.heldDocument()->tables().item(n);
        Cells out;
        for (int r = 1; r <= table.rows(); ++r) {
            out.emplace_back();
            for (int c = 1; c <= table.columns(); ++c)
                out.back().push_back(table.cellText(r, c));
        }
        return out;
    };
    EXPECT_EQ(cells(1), (Cells{{"x", "\""}, {"", "b"}}));
    EXPECT_EQ(cells(2), (Cells{{"a", "b", ""}, {"c", "d", "e"}}));
}

} // namespace
} // namespace tovu::control::testing
