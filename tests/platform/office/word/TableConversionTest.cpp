// Text turned into a table by ConvertToTable: cells split at any separator, rows at the
// paragraph marks of the paragraphs the range touches, ragged rows padded, and the text
// around the table left as it was.
#include "WordTestSupport.h"

namespace tovu::platform::word::test {
namespace {

using Cells = std::vector<std::vector<QString>>;

Cells cellsOf(const Table& t)
{
    Cells out(static_cast<std::size_t>(t.rows()));
    for (int r = 1; r <= t.rows(); ++r)
        for (int c = 1; c <= t.columns(); ++c)
            out[static_cast<std::size_t>(r - 1)].push_back(t.cellText(r, c));
    return out;
}

class TableConversionTest : public WordTest {
protected:
    // Puts text at the end of the document and converts what it covers.
    Table convert(const QString& text, const QString& separator, int rows = 0, int columns = 0)
    {
        Range at = doc->bookmarks().range(QStringLiteral("\\EndOfDoc"));
        at.setText(text);
        return at.convertToTable(separator, rows, columns);
    }
};

TEST_F(TableConversionTest, SeparatorsRowsAndShapes)
{
    struct Case {
        const char* text;
        const char* separator;
        int rows, columns;
        Cells cells;
    };
    const std::vector<Case> cases = {
        {"a,b\r\nc,d\r\n", ",", 0, 0, {{"a", "b"}, {"c", "d"}}},
        {"a; b; c\r", "; ", 0, 0, {{"a", "b", "c"}}},
        {"a\tb\tc\r\nd\r\n", "\t", 0, 0, {{"a", "b", "c"}, {"d", "", ""}}},  // a short row is padded
        {"a\tb\r\n", "\t", 2, 3, {{"a", "b", ""}, {"", "", ""}}},            // more rows and columns asked
        {"a\t\tb\r\n", "\t", 0, 0, {{"a", "", "b"}}},                        // an empty cell between
        {"one\vtwo\tx\r\n", "\t", 0, 0, {{"one\rtwo", "x"}}},               // a line break stays in its cell
        {"no separator here\r\n", "|", 0, 0, {{"no separator here"}}},
    };
    for (const Case& c : cases) {
        doc->content().setText(QString());
        const Table t = convert(QString::fromUtf8(c.text), QString::fromUtf8(c.separator), c.rows, c.columns);
        EXPECT_EQ(cellsOf(t), c.cells) << c.text;
        EXPECT_EQ(doc->tables().count(), 1) << c.text;
    }
}

TEST_F(TableConversionTest, TheTextAroundTheTableStays)
{
    doc->content().setText(QStringLiteral("before\r"));
    Range at = doc->bookmarks().range(QStringLiteral("\\EndOfDoc"));
    doc->content().paragraphs().add();
    at.setText(QStringLiteral("x\ty\r\n"));
    at.convertToTable(QStringLiteral("\t"));
    doc->content().insertAfter(QStringLiteral("after"));
    const QStringList texts = paragraphTexts(*doc);
    EXPECT_EQ(texts.first(), QStringLiteral("before"));
    EXPECT_EQ(texts.last(), QStringLiteral("after"));
    EXPECT_EQ(cellsOf(doc->tables().item(1)), (Cells{{"x", "y"}}));
    // The table is a paragraph of its own: the text before it kept its paragraph.
    EXPECT_EQ(doc->content().text().count(QStringLiteral("before")), 1);
}

TEST_F(TableConversionTest, AnEmptySeparatorIsRefused)
{
    Range at = doc->bookmarks().range(QStringLiteral("\\EndOfDoc"));
    at.setText(QStringLiteral("a\tb\r\n"));
    EXPECT_THROW(at.convertToTable(QString()), WordError);
    EXPECT_EQ(doc->tables().count(), 0);
    EXPECT_TRUE(doc->content().text().startsWith(QStringLiteral("a\tb")));
}

}  // namespace
}  // namespace tovu::platform::word::test
