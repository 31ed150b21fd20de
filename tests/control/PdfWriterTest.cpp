// The control's own PDF writer through CreatePDFFromFile and CreatePDF: files checked by
// independent tools (qpdf, pdfinfo, pdftotext) and by reading the bytes back: CR line ends,
// cross-reference offsets, stream lengths, page breaks and cut lines.
#include "ControlFixture.h"
#include "platform/locale/AnsiCodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTemporaryFile>
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
    // the stream keyword. One pass over the file each: the objects are found through the
    // cross-reference, not searched for.
    void expectOffsetsAndLineEnds(const QByteArray& bytes)
    {
        const QByteArrayView file(bytes);
        const qsizetype xref = bytes.lastIndexOf("\rxref\r") + 1;
        ASSERT_GT(xref, 0);
        const QList<QByteArray> tail = bytes.mid(bytes.lastIndexOf("startxref\r")).split('\r');
        EXPECT_EQ(tail.at(1).toLongLong(), xref);
        const QList<QByteArray> xrefLines = bytes.mid(xref).split('\r');
        const int count = xrefLines.at(1).split(' ').at(1).toInt();
        EXPECT_EQ(xrefLines.at(2), QByteArray("0000000000 65535 f "));
        std::vector<qsizetype> offsets(static_cast<std::size_t>(count), -1);
        for (int n = 1; n < count; ++n) {
            const QByteArray entry = xrefLines.at(2 + n);
            ASSERT_EQ(entry.size(), 19) << n;
            const qsizetype at = entry.left(10).toLongLong();
            ASSERT_LT(at, file.size()) << n;
            EXPECT_TRUE(file.sliced(at).startsWith(QByteArray::number(n) + " 0 obj\r")) << n;
            offsets[static_cast<std::size_t>(n)] = at;
        }
        QByteArray withoutLiterals = bytes;
        withoutLiterals.replace("\r\n) Tj", "\r) Tj");
        withoutLiterals.replace("\rstream\r\n", "\rstream\r");
        EXPECT_FALSE(withoutLiterals.contains('\n'));
        // Each stream: "/Length n 0 R", its data, and object n holding the data's length.
        const QByteArray keyword = " 0 R\r>>\rstream\r\n";
        for (qsizetype k = bytes.indexOf(keyword); k >= 0; k = bytes.indexOf(keyword, k + 1)) {
            const qsizetype start = k + keyword.size();
            const qsizetype lengthAt = bytes.lastIndexOf("/Length ", k) + 8;
            const int lengthObject = bytes.mid(lengthAt, k - lengthAt).toInt();
            ASSERT_GT(lengthObject, 0);
            ASSERT_LT(lengthObject, count);
            const qsizetype end = bytes.indexOf("endstream\r", start);
            ASSERT_GT(end, start);
            const qsizetype object = offsets[static_cast<std::size_t>(lengthObject)];
            const QByteArray head = QByteArray::number(lengthObject) + " 0 obj\r";
            const qsizetype valueAt = object + head.size();
            EXPECT_EQ(bytes.mid(valueAt, bytes.indexOf('\r', valueAt) - valueAt).toLongLong(), end - start);
            k = end;
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

// Text the font's code page cannot hold: each character, one beyond the basic plane
// included, is one "?" on the page and one byte in the counts, so offsets, stream lengths
// and line cuts stay right.
TEST_F(PdfTest, CharactersTheFontCannotShowAreOneQuestionMarkEach)
{
    struct Case {
        const char* what;
        QString text;
        QStringList shown;
    };
    const QString emoji = QStringLiteral("\U0001F600");
    const std::vector<Case> cases = {
        {"emoji", QStringLiteral("a") + emoji + QStringLiteral("b ") + emoji + emoji, {QStringLiteral("a?b ??")}},
        // Composed where the code page has the letter; else the letter stays and each mark is "?".
        {"combining marks", QStringLiteral("e\u0301 n\u0303 n\u0303\u0323 k\u0301 A\u030A"),
         {QStringLiteral("\u00e9 \u00f1 n?? k? \u00c5")}},
        {"right to left", QStringLiteral("\u05E9\u05DC\u05D5\u05DD \u0645\u0631\u062D\u0628\u0627 (x)"),
         {QStringLiteral("???? ????? \\(x\\)")}},
        {"code page and beyond mixed", QStringLiteral("caf\u00e9 \u20ac ") + emoji + QStringLiteral(" \u4e2d"),
         {QStringLiteral("caf\u00e9 \u20ac ? ?")}},
        // 93 characters beyond the plane: cut after 92 of them, never inside one.
        {"a long line of emoji", emoji.repeated(93), {QString(92, QLatin1Char('?')), QStringLiteral("?")}},
    };
    for (const Case& c : cases) {
        const QString pdf = file(QStringLiteral("hostile.pdf"));
        ASSERT_EQ(fromText(c.text.toUtf8() + "\r\n", pdf,
                           {Variant("Courier"), Variant(std::int16_t{10}), Variant(std::int16_t{0}), Variant(8.5f),
                            Variant(11.0f), Variant(emoji + QStringLiteral(" author")), Variant(c.text),
                            Variant(QStringLiteral("k\u0301")), Variant(emoji), Variant(QStringLiteral("T") + emoji)}),
                  1)
            << c.what;
        expectSound(pdf);
        const QByteArray bytes = bytesOf(pdf);
        QStringList shown;
        for (const QString& line : shownLines(bytes))
            shown << platform::locale::decode(line.toLatin1(), 1252);
        EXPECT_EQ(shown, c.shown) << c.what;
        for (const char* part : {"/Author (? author)\r", "/Keywords (k?)\r", "/Subject (?)\r", "/Title (T?)\r"})
            EXPECT_TRUE(bytes.contains(part)) << c.what << ' ' << part;
        const ToolRun info = runTool(QStringLiteral("pdfinfo"), {pdf});
        EXPECT_EQ(info.exitCode, 0) << info.out.toStdString();
        EXPECT_TRUE(info.out.contains(QRegularExpression(QStringLiteral("Title:\\s+T\\?\\n")))) << info.out.toStdString();
    }
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
    // A refused run leaves the PDF already there as it was.
    const QByteArray kept = bytesOf(tooMany);
    EXPECT_EQ(fromText(pages, tooMany), -2);
    EXPECT_EQ(bytesOf(tooMany), kept);
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

// CreatePDF's copy of the held document's text: a file of its own in the temporary folder
// (a name no other call shares, readable by this user only), gone after every call.
TEST_F(PdfTest, CreatePdfsTextFileIsPrivateUniqueAndRemovedOnEveryPath)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    struct TempFolder {
        const QByteArray kept = qgetenv("TMPDIR");
        explicit TempFolder(const QString& path) { qputenv("TMPDIR", path.toLocal8Bit()); }
        ~TempFolder() { kept.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", kept); }
    } folder(temp.path());
    ASSERT_EQ(openBlank(), 1);
    control.heldDocument()->content().insertAfter(QStringLiteral("private text"));
    hooks().setRecording(true);
    EXPECT_EQ(status("CreatePDF", {Variant(file("a.pdf"))}), 1);
    EXPECT_EQ(status("CreatePDF", {Variant(file("no/dir/b.pdf"))}), -3);  // the writer fails
    hooks().failOn(QStringLiteral("Document.SaveAs"));
    EXPECT_EQ(status("CreatePDF", {Variant(file("c.pdf"))}), -3);  // the text save fails
    QStringList names;
    for (const QString& c : recorded({QStringLiteral("Document.SaveAs")}))
        names << c.section(QLatin1Char('('), 1).section(QLatin1Char(','), 0, 0);
    ASSERT_EQ(names.size(), 3);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 3) << names.join(QLatin1Char(' ')).toStdString();
    for (const QString& name : names) {
        EXPECT_EQ(QFileInfo(name).absolutePath(), QFileInfo(temp.path()).absoluteFilePath()) << name.toStdString();
        EXPECT_TRUE(QFileInfo(name).fileName().startsWith(QLatin1String("_dummy_"))) << name.toStdString();
    }
    EXPECT_TRUE(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden).isEmpty())
        << QDir(temp.path()).entryList(QDir::Files | QDir::Hidden).join(QLatin1Char(' ')).toStdString();

    // The word processor's text save over such a file keeps it to its owner.
    QTemporaryFile text(QDir(temp.path()).filePath(QStringLiteral("_dummy_XXXXXX.txt")));
    ASSERT_TRUE(text.open());
    text.close();
    hooks().clearFailures();
    control.heldDocument()->saveAs(text.fileName(), word::SaveFormat::Text);
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther;
    EXPECT_EQ(QFileInfo(text.fileName()).permissions() & others, QFileDevice::Permissions());
    EXPECT_TRUE(QFileInfo(text.fileName()).permissions() & QFileDevice::ReadOwner);
}

TEST_F(PdfTest, HeldDocumentToPdfAndHtml)
{
    EXPECT_EQ(status("CreatePDF", {Variant(file("w.pdf"))}), -1);
    EXPECT_EQ(status("CreateHTML", {Variant(file("w.htm"))}), -1);
    ASSERT_EQ(openBlank(), 1);
    control.heldDocument()->content().insertAfter(QStringLiteral("Report (draft) text"));
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
