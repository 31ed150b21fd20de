// The control's HTML tables and pages, called through the dispatch interface as a host calls
// them: the exact mark-up, the attributes, and every status.
#include "ControlFixture.h"

#include <QFile>

namespace tovu::control::testing {
namespace {

using automation::SafeArray;

Variant oneD(std::vector<Variant> values)
{
    return Variant(SafeArray::ofValues(std::move(values)));
}

Variant twoD(std::int32_t rows, std::int32_t cols, std::vector<Variant> values)
{
    return Variant(SafeArray::ofElements({{0, rows - 1}, {0, cols - 1}}, std::move(values)));
}

class HtmlTest : public ControlTest {
protected:
    // The table text a table method hands back, after its status was checked to be 1.
    QString table(const char* method, Args args)
    {
        args.insert(args.begin() + 1, Variant(QString()));
        EXPECT_EQ(call(method, args).toInteger(), 1);
        return args[1].toString();
    }
    QByteArray fileBytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(HtmlTest, OneDimensionalDefaultsGiveTheFixedMarkUp)
{
    EXPECT_EQ(table("OneDArrayToHTMLTable", {oneD({"a", "b"})}),
              QStringLiteral("<TABLE ALIGN=CENTER BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH='100%'><TBODY>\r\n"
                             "<TR ALIGN=RIGHT NOWRAP><TD NOWRAP>a</TD></TR>\r\n"
                             "<TR ALIGN=RIGHT NOWRAP><TD NOWRAP>b</TD></TR>\r\n"
                             "</TBODY></TABLE>"));
}

TEST_F(HtmlTest, AttributesInTheirOrderAndBoldCellsWithoutNesting)
{
    // align, background, bgcolor, border, bordercolor, spacing, padding, width, cell align,
    // wrap, bold first row, bold first column.
    const QString text = table("TwoDArrayToHTMLTable",
                               {twoD(2, 2, {"r0c0", "r1c0", "r0c1", "r1c1"}), Variant(std::int32_t{0}),
                                Variant("bg.png"), Variant("red "), Variant(std::int16_t{2}), Variant("   "),
                                Variant(std::int16_t{3}), Variant(std::int16_t{4}), Variant(std::int16_t{50}),
                                Variant(std::int32_t{1}), Variant(true), Variant(true), Variant(true)});
    EXPECT_EQ(text, QStringLiteral("<TABLE ALIGN=LEFT BORDER=2 CELLSPACING=3 CELLPADDING=4 WIDTH='50%'"
                                   " BACKGROUND='bg.png' BGCOLOR='red '><TBODY>\r\n"
                                   "<TR ALIGN=CENTER><TD><STRONG>r0c0</STRONG></TD><TD><STRONG>r0c1</STRONG></TD></TR>\r\n"
                                   "<TR ALIGN=CENTER><TD><STRONG>r1c0</STRONG></TD><TD>r1c1</TD></TR>\r\n"
                                   "</TBODY></TABLE>"));
}

TEST_F(HtmlTest, FirstColumnBoldAndCellMarkUpPassedThrough)
{
    const QString text = table("TwoDArrayToHTMLTable",
                               {twoD(1, 2, {"<b>x</b> & y", "z"}), Variant(std::int32_t{2}), Variant(), Variant(),
                                Variant(std::int16_t{0}), Variant(), Variant(std::int16_t{0}), Variant(std::int16_t{0}),
                                Variant(std::int16_t{100}), Variant(std::int32_t{0}), Variant(false), Variant(false),
                                Variant(true)});
    EXPECT_TRUE(text.contains(QStringLiteral("<TR ALIGN=LEFT NOWRAP><TD NOWRAP><STRONG><b>x</b> & y</STRONG></TD>"
                                             "<TD NOWRAP>z</TD></TR>\r\n")))
        << text.toStdString();
    EXPECT_TRUE(text.startsWith(QStringLiteral("<TABLE ALIGN=RIGHT ")));
}

TEST_F(HtmlTest, AQuoteInAnAttributeCannotEndIt)
{
    const QString text = table("OneDArrayToHTMLTable", {oneD({"a"}), Variant(std::int32_t{1}), Variant("x' onload='y&z")});
    EXPECT_TRUE(text.contains(QStringLiteral(" BACKGROUND='x&#39; onload=&#39;y&amp;z'>"))) << text.toStdString();
}

TEST_F(HtmlTest, StatusCodes)
{
    Args notArray{Variant("a"), Variant(QString())};
    EXPECT_EQ(call("OneDArrayToHTMLTable", notArray).toInteger(), -1);
    Args notArray2{Variant(), Variant(QString())};
    EXPECT_EQ(call("TwoDArrayToHTMLTable", notArray2).toInteger(), -1);
    // A one-dimensional array has no second dimension: the two-dimensional table fails and
    // leaves the caller's text alone.
    Args oneDim{oneD({"a"}), Variant("kept")};
    EXPECT_EQ(call("TwoDArrayToHTMLTable", oneDim).toInteger(), -2);
    EXPECT_EQ(oneDim[1].toString(), QStringLiteral("kept"));

    EXPECT_EQ(status("OneDArrayToHTMLFile", {Variant(std::int32_t{1}), Variant(file("x.htm"))}), -1);
    EXPECT_EQ(status("TwoDArrayToHTMLFile", {Variant(), Variant(file("x.htm"))}), -1);
    EXPECT_EQ(status("OneDArrayToHTMLFile", {oneD({"a"}), Variant(QString())}), -2);
    EXPECT_EQ(status("TwoDArrayToHTMLFile", {twoD(1, 1, {"a"}), Variant(file("no/such/dir/x.htm"))}), -2);
}

TEST_F(HtmlTest, PageAroundTheTableWithHeadingTitleAndBody)
{
    const QString path = file("page.htm");
    ASSERT_EQ(status("OneDArrayToHTMLFile", {oneD({"a"}), Variant(path), Variant("  Head  "), Variant(" T & <t> "),
                                              Variant("back.gif"), Variant("#FFFFFF")}),
              1);
    EXPECT_EQ(fileBytes(path),
              QByteArray("<HTML>\r\n<HEAD>\r\n<STRONG><CENTER>Head</CENTER></STRONG><BR>\r\n<TITLE>\r\n"
                         "T &amp; &lt;t>\r\n</TITLE>\r\n</HEAD>\r\n"
                         "<BODY  BGCOLOR='#FFFFFF' BACKGROUND='back.gif'>\r\n"
                         "<TABLE ALIGN=CENTER BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH='100%'><TBODY>\r\n"
                         "<TR ALIGN=RIGHT NOWRAP><TD NOWRAP>a</TD></TR>\r\n</TBODY></TABLE>\r\n"
                         "</BODY>\r\n</HTML>\r\n\r\n"));
}

// The heading is the caller's text, escaped as the title is: no text of it can open an
// element, end the heading early or stand as a character reference. Cells stay raw.
TEST_F(HtmlTest, HeadingAndTitleTextsCannotCarryMarkUp)
{
    struct Case {
        const char* text;
        const char* written;
    };
    const Case cases[] = {
        {"<script>alert(1)</script>", "&lt;script>alert(1)&lt;/script>"},
        {"</CENTER></STRONG><BR><TITLE>x", "&lt;/CENTER>&lt;/STRONG>&lt;BR>&lt;TITLE>x"},
        {"Tom & Jerry", "Tom &amp; Jerry"},
        {"&lt; stays text", "&amp;lt; stays text"},
        {"<<&&", "&lt;&lt;&amp;&amp;"},
    };
    for (const Case& c : cases) {
        const QString path = file("heading.htm");
        ASSERT_EQ(status("OneDArrayToHTMLFile", {oneD({"<B>cell</B>"}), Variant(path), Variant(c.text), Variant(c.text)}), 1);
        const QByteArray page = fileBytes(path);
        EXPECT_TRUE(page.contains(QByteArray("<STRONG><CENTER>") + c.written + "</CENTER></STRONG><BR>\r\n<TITLE>\r\n" +
                                  c.written + "\r\n</TITLE>"))
            << c.text << '\n' << page.toStdString();
        EXPECT_TRUE(page.contains("<TD NOWRAP><B>cell</B></TD>")) << c.text;
    }
}

TEST_F(HtmlTest, PageWithoutHeadingOrTitleKeepsAnEmptyTitleAndReplacesTheFile)
{
    const QString path = file("page2.htm");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
    }
    ASSERT_EQ(status("TwoDArrayToHTMLFile", {twoD(1, 1, {Variant(QString(QChar(0xE9)))}), Variant(path), Variant(" "), Variant()}), 1);
    const QByteArray bytes = fileBytes(path);
    EXPECT_TRUE(bytes.startsWith("<HTML>\r\n<HEAD>\r\n<TITLE>\r\n</TITLE>\r\n</HEAD>\r\n<BODY >\r\n<TABLE"));
    EXPECT_FALSE(bytes.contains('x'));
    // Written in the ANSI code page: é is one byte.
    EXPECT_TRUE(bytes.contains("<TD NOWRAP>\xE9</TD>"));
}

} // namespace
} // namespace tovu::control::testing
