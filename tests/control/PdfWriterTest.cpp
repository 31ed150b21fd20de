// The control's own PDF writer through CreatePDFFromFile and CreatePDF: files checked by
// independent tools (qpdf, pdfinfo, pdftotext) and by reading the bytes back: CR line ends,
// cross-reference offsets, stream lengths, page breaks and cut lines.
#include "ControlFixture.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace tovu::control::testing {
namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
};

ToolRun runTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000))
        return {};
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError())};
}

class PdfTest : public ControlTest {
protected:
    QString writeText(const QString& name, const QByteArray& bytes)
    {
        QFile f(file(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return file(name);
    }
    QByteArray bytesOf(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // CreatePDFFromFile with the text and the given optional arguments.
    std::int16_t fromText(const QByteArray& text, const QString& pdf, Args options = {})
    {
        Args args{Variant(writeText(QStringLiteral("in.txt"), text)), Variant(pdf)};
        args.insert(args.end(), options.begin(), options.end());
        return call("CreatePDFFromFile", args).toInteger();
    }
    // pdftotext's text of the page range, layout kept.
    QString pageText(const QString& pdf, int first, int last)
    {
        const ToolRun r = runTool(QStringLiteral("pdftotext"),
                                  {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(first),
                                   QStringLiteral("-l"), QString::number(last), pdf, QStringLiteral("-")});
        EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
        return r.out;
    }
    // The text shown between "T* (" and its end, one entry per written line, over the file.
    QStringList shownLines(const QByteArray& pdf)
    {
        QStringList out;
        static const QRegularExpression shown(QStringLiteral("T\\* \\((.*)\\r\\n\\) Tj"));
        auto it = shown.globalMatch(QString::fromLatin1(pdf));
        while (it.hasNext())
            out << it.next().captured(1);
        return out;
    }
    void expectSound(const QString& pdf)
    {
        const ToolRun check = runTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf});
        EXPECT_EQ(check.exitCode, 0) << check.out.toStdString();
        EXPECT_FALSE(check.out.contains(QStringLiteral("WARNING"))) << check.out.toStdString();
        expectOffsetsAndLineEnds(bytesOf(pdf));
    }
    // Every xref entry points at its object's first line, startxref at "xref", every stream's
    // length object matches its bytes, and no line ends with LF outside the text literals and
    // the stream keyword.
    void expectOffsetsAndLineEnds(const QByteArray& bytes)
    {
        const qsizetype xref = bytes.lastIndexOf("\rxref\r") + 1;
        ASSERT_GT(xref, 0);
        const QList<QByteArray> tail = bytes.mid(bytes.lastIndexOf("startxref\r")).split('\r');
        EXPECT_EQ(tail.at(1).toLongLong(), xref);
        const QList<QByteArray> xrefLines = bytes.mid(xref).split('\r');
        const int count = xrefLines.at(1).split(' ').at(1).toInt();
        EXPECT_EQ(xrefLines.at(2), QByteArray("0000000000 65535 f "));
        for (int n = 1; n < count; ++n) {
            const QByteArray entry = xrefLines.at(2 + n);
            ASSERT_EQ(entry.size(), 19) << n;
            EXPECT_TRUE(bytes.mid(entry.left(10).toLongLong()).startsWith(QByteArray::number(n) + " 0 obj\r")) << n;
        }
        QByteArray withoutLiterals = bytes;
        withoutLiterals.replace("\r\n) Tj", "\r) Tj");
        withoutLiterals.replace("\rstream\r\n", "\rstream\r");
        EXPECT_FALSE(withoutLiterals.contains('\n'));
        static const QRegularExpression stream(QStringLiteral("/Length (\\d+) 0 R\\r>>\\rstream\\r\\n"));
        const QString latin = QString::fromLatin1(bytes);
        auto it = stream.globalMatch(latin);
        while (it.hasNext()) {
            const auto m = it.next();
            const qsizetype start = m.capturedEnd();
            const qsizetype end = latin.indexOf(QStringLiteral("endstream\r"), start);
            const QString lengthObj = m.captured(1) + QStringLiteral(" 0 obj\r");
            const qsizetype at = latin.indexOf(lengthObj);
            ASSERT_GE(at, 0);
            EXPECT_EQ(latin.mid(at + lengthObj.size()).section(QLatin1Char('\r'), 0, 0).toLongLong(), end - start);
        }
    }
};

TEST_F(PdfTest, DefaultsGiveALetterCourierPageAtTheFixedPlaces)
{
    const QString pdf = file("out.pdf");
    ASSERT_EQ(fromText("first line\r\nsecond\r\n", pdf), 1);
    expectSound(pdf);
    const QByteArray bytes = bytesOf(pdf);
    EXPECT_TRUE(bytes.startsWith("%PDF-1.2\r%\xE2\xE3\xCF\xD3\r1 0 obj\r<<\r/Author ()\r/CreationDate (D:"));
    for (const char* part : {"/BaseFont /Courier\r", "/MediaBox [ 0 0 612 792 ]\r", "/F1 10 Tf\r",
                             "1 0 0 1 50 752 Tm\r12 TL\r", "1 0 0 1 306 25 Tm\r(1) Tj\r", "/Kids [ 7 0 R ]\r",
                             "/Producer (Verbolt OCX)\r", "/Rotate 0\r", "/Size 10\r"})
        EXPECT_TRUE(bytes.contains(part)) << part;
    EXPECT_EQ(shownLines(bytes), QStringList({"first line", "second"}));
    EXPECT_TRUE(bytes.endsWith("startxref\r" + QByteArray::number(bytes.lastIndexOf("xref\r0 ")) + "\r%%EOF\r"));

    const ToolRun info = runTool(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.out.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.out.toStdString();
    EXPECT_TRUE(info.out.contains(QRegularExpression(QStringLiteral("Page size:\\s+612 x 792 pts"))));
    EXPECT_TRUE(info.out.contains(QRegularExpression(QStringLiteral("Producer:\\s+Verbolt OCX"))));
    const QString text = pageText(pdf, 1, 1);
    EXPECT_TRUE(text.contains(QStringLiteral("first line"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("second")));
}

TEST_F(PdfTest, TextInEitherEncodingAndWithAnyLineEnd)
{
    // UTF-8 and ANSI text both reach the page as WinAnsi bytes; CR, CR LF and LF end lines.
    const QString utf8 = file("utf8.pdf");
    ASSERT_EQ(fromText("caf\xC3\xA9\rsecond\nthird\r\n", utf8), 1);
    expectSound(utf8);
    EXPECT_EQ(shownLines(bytesOf(utf8)), QStringList({QStringLiteral("caf\u00e9"), "second", "third"}));
    EXPECT_TRUE(bytesOf(utf8).contains("T* (caf\xE9\r\n) Tj"));
    const QString ansi = file("ansi.pdf");
    ASSERT_EQ(fromText("caf\xE9\r\n", ansi), 1);
    EXPECT_TRUE(bytesOf(ansi).contains("T* (caf\xE9\r\n) Tj"));
    EXPECT_TRUE(pageText(ansi, 1, 1).contains(QStringLiteral("caf\u00e9")));
}

TEST_F(PdfTest, AnEmptyFileIsOnePageShowingOnlyItsNumber)
{
    const QString pdf = file("empty.pdf");
    ASSERT_EQ(fromText("", pdf), 1);
    expectSound(pdf);
    EXPECT_TRUE(shownLines(bytesOf(pdf)).isEmpty());
    EXPECT_EQ(pageText(pdf, 1, 1).simplified(), QStringLiteral("1"));
}

TEST_F(PdfTest, PagesBreakAfterSixtyLinesAndAtFormFeeds)
{
    QByteArray text;
    for (int i = 1; i <= 61; ++i)
        text += "line " + QByteArray::number(i) + "\r\n";
    text += "\fafter feed\r\n";
    const QString pdf = file("pages.pdf");
    ASSERT_EQ(fromText(text, pdf), 1);
    expectSound(pdf);
    const QByteArray bytes = bytesOf(pdf);
    EXPECT_TRUE(bytes.contains("/Count 3\r"));
    EXPECT_TRUE(bytes.contains("/Kids [ 7 0 R 10 0 R 13 0 R ]\r"));
    EXPECT_TRUE(pageText(pdf, 1, 1).contains(QStringLiteral("line 60")));
    EXPECT_FALSE(pageText(pdf, 1, 1).contains(QStringLiteral("line 61")));
    EXPECT_TRUE(pageText(pdf, 2, 2).contains(QStringLiteral("line 61")));
    EXPECT_TRUE(pageText(pdf, 3, 3).contains(QStringLiteral("after feed")));
}

TEST_F(PdfTest, AFormFeedInTheFirstLineLeavesAnEmptyNumberedFirstPage)
{
    const QString pdf = file("ff.pdf");
    ASSERT_EQ(fromText("\ftop\r\n", pdf), 1);
    expectSound(pdf);
    EXPECT_EQ(pageText(pdf, 1, 1).simplified(), QStringLiteral("1"));
    EXPECT_TRUE(pageText(pdf, 2, 2).contains(QStringLiteral("top")));
}

TEST_F(PdfTest, LongLinesAreCutAtABreakCharacterOrHard)
{
    const QByteArray exact(92, 'x');
    const QByteArray hard(93, 'y');
    // A blank at 60 is in the piece's second half: the piece ends after it.
    const QByteArray soft = QByteArray(59, 'a') + ' ' + QByteArray(40, 'b');
    // A comma at 40 lies before half the piece: no break there.
    const QByteArray early = QByteArray(39, 'c') + ',' + QByteArray(60, 'd');
    const QString pdf = file("cut.pdf");
    ASSERT_EQ(fromText("   " + exact + "  \r\n" + hard + "\r\n" + soft + "\r\n" + early + "\r\n", pdf), 1);
    expectSound(pdf);
    EXPECT_EQ(shownLines(bytesOf(pdf)),
              QStringList({QString(exact), QString(92, QLatin1Char('y')), QStringLiteral("y"),
                           QString(QByteArray(59, 'a') + ' '), QString(QByteArray(40, 'b')),
                           QString(QByteArray(39, 'c') + ',' + QByteArray(52, 'd')), QString(QByteArray(8, 'd'))}));
}

TEST_F(PdfTest, EscapesCountTowardsTheLengthAndCutLinesTakeAnExtraLine)
{
    // 46 backslashes become 92 characters: not cut. 47 become 94: cut after 92.
    const QByteArray fits(46, '\\');
    const QByteArray over(47, '\\');
    QByteArray text = fits + "\r\n" + over + "\r\n(a) b\r\n";
    const QString pdf = file("esc.pdf");
    ASSERT_EQ(fromText(text, pdf), 1);
    expectSound(pdf);
    EXPECT_EQ(shownLines(bytesOf(pdf)),
              QStringList({QString(92, QLatin1Char('\\')), QString(92, QLatin1Char('\\')), QStringLiteral("\\\\"),
                           QStringLiteral("\\(a\\) b")}));
    EXPECT_TRUE(pageText(pdf, 1, 1).contains(QStringLiteral("(a) b")));

    // A hard cut that would fall inside the escape of "(" ends the piece before it.
    const QString split = file("split.pdf");
    ASSERT_EQ(fromText(QByteArray(91, 'x') + "(\r\n", split), 1);
    expectSound(split);
    EXPECT_EQ(shownLines(bytesOf(split)), QStringList({QString(91, QLatin1Char('x')), QStringLiteral("\\(")}));

    // Twenty cut lines count 60 lines: the 21st goes on page 2.
    QByteArray many;
    for (int i = 0; i < 21; ++i)
        many += QByteArray(100, 'z') + QByteArray::number(i) + "\r\n";
    const QString pdf2 = file("many.pdf");
    ASSERT_EQ(fromText(many, pdf2), 1);
    expectSound(pdf2);
    EXPECT_TRUE(bytesOf(pdf2).contains("/Count 2\r"));
    EXPECT_TRUE(pageText(pdf2, 2, 2).contains(QStringLiteral("z20")));
}

TEST_F(PdfTest, DocumentTextsAndFontNameCannotBreakTheFile)
{
    const QString pdf = file("info.pdf");
    ASSERT_EQ(fromText("x\r\n", pdf,
                       {Variant("Times Roman"), Variant(std::int16_t{12}), Variant(std::int16_t{90}), Variant(4.0f),
                        Variant(6.0f), Variant("A (unbalanced"), Variant("C\\r"), Variant("k)"), Variant("S"),
                        Variant(QStringLiteral("T\u00e9"))}),
              1);
    expectSound(pdf);
    const QByteArray bytes = bytesOf(pdf);
    for (const char* part : {"/Author (A \\(unbalanced)\r", "/Creator (C\\\\r)\r", "/Keywords (k\\))\r",
                             "/BaseFont /Times#20Roman\r", "/Rotate 90\r", "/MediaBox [ 0 0 288 432 ]\r",
                             "/F1 12 Tf\r", "14.4 TL\r", "1 0 0 1 144 25 Tm\r"})
        EXPECT_TRUE(bytes.contains(part)) << part;
    const ToolRun info = runTool(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.out.contains(QRegularExpression(QStringLiteral("Author:\\s+A \\(unbalanced\\n")))) << info.out.toStdString();
    EXPECT_TRUE(info.out.contains(QRegularExpression(QStringLiteral("Title:\\s+T\u00e9\\n"))));
}

TEST_F(PdfTest, LargeDocumentsFlushInPiecesAndTooManyPagesAreRefused)
{
    // Over 32000 bytes: the output reaches the file in several appends, offsets still exact.
    QByteArray text;
    for (int i = 0; i < 2000; ++i)
        text += "row " + QByteArray::number(i) + "\r\n";
    const QString pdf = file("big.pdf");
    ASSERT_EQ(fromText(text, pdf), 1);
    expectSound(pdf);
    EXPECT_TRUE(bytesOf(pdf).contains("/Count 34\r"));

    // 1665 pages need more than the writer's 5000 objects: refused, no partial file left.
    const QByteArray feeds(1665, '\f');
    QByteArray pages;
    for (char c : feeds)
        pages += QByteArray(1, c) + "\r\n";
    const QString tooMany = file("toomany.pdf");
    EXPECT_EQ(fromText(pages, tooMany), -2);
    EXPECT_FALSE(QFile::exists(tooMany));
    EXPECT_EQ(fromText(pages.left(1664 * 3 - 3), tooMany), 1);
    expectSound(tooMany);
}

TEST_F(PdfTest, StatusCodesOfTheFileMethod)
{
    EXPECT_EQ(status("CreatePDFFromFile", {Variant(file("missing.txt")), Variant(file("x.pdf"))}), -1);
    // A font size of 0 leaves no line metrics: refused instead of dividing by it.
    EXPECT_EQ(fromText("x\r\n", file("zero.pdf"), {Variant("Courier"), Variant(std::int16_t{0})}), -2);
    EXPECT_FALSE(QFile::exists(file("zero.pdf")));
    // A font too large for one character per line would never finish cutting a line.
    EXPECT_EQ(fromText("x\r\n", file("huge.pdf"), {Variant("Courier"), Variant(std::int16_t{2000})}), -2);
    EXPECT_EQ(fromText("x\r\n", file("no/dir/x.pdf")), -2);
    // An existing PDF is replaced, not appended to.
    const QString pdf = file("again.pdf");
    ASSERT_EQ(fromText("one\r\n", pdf), 1);
    ASSERT_EQ(fromText("one\r\n", pdf), 1);
    expectSound(pdf);
    EXPECT_EQ(bytesOf(pdf).count("%PDF-1.2"), 1);
}

TEST_F(PdfTest, HeldDocumentToPdfAndHtml)
{
    EXPECT_EQ(status("CreatePDF", {Variant(file("w.pdf"))}), -1);
    EXPECT_EQ(status("CreateHTML", {Variant(file("w.htm"))}), -1);
    ASSERT_EQ(openBlank(), 1);
    control.HeldDocument->content().insertAfter(QStringLiteral("Report (draft) text"));
    const QString pdf = file("w.pdf");
    ASSERT_EQ(status("CreatePDF", {Variant(pdf), Variant(false), Variant("Arial"), Variant(std::int16_t{11}),
                                   Variant(std::int16_t{0}), Variant(8.5f), Variant(11.0f), Variant("me")}),
              1);
    expectSound(pdf);
    EXPECT_TRUE(bytesOf(pdf).contains("/BaseFont /Arial\r"));
    EXPECT_TRUE(pageText(pdf, 1, 1).contains(QStringLiteral("Report (draft) text")));

    const QString html = file("w.htm");
    {
        QFile old(html);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    ASSERT_EQ(status("CreateHTML", {Variant(html)}), 1);
    const QByteArray page = bytesOf(html);
    EXPECT_TRUE(page.contains("Report (draft) text")) << page.toStdString();
    EXPECT_FALSE(page.startsWith("old"));
    EXPECT_EQ(status("CreateHTML", {Variant(file("no/dir/w.htm"))}), -3);
    EXPECT_EQ(status("CreatePDF", {Variant(file("no/dir/w.pdf"))}), -3);
}

} // namespace
} // namespace tovu::control::testing
