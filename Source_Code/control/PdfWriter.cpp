#include "control/PdfWriter.h"

#include "platform/files/AtomicFile.h"
#include "platform/text/NumberText.h"
#include "platform/locale/AnsiCodePage.h"

#include <algorithm>

#include <QDateTime>
#include <QFile>
#include <QStringDecoder>
#include <stdexcept>

namespace tovu::control {

namespace {

constexpr int kWesternPage = 1252;  // the font's WinAnsiEncoding
constexpr std::int32_t kMaxObjects = 5000;
constexpr qsizetype kFlushSize = 32000;
constexpr std::int32_t kInfoObject = 1, kCatalogObject = 2, kPagesObject = 3, kFontObject = 4,
                       kEncodingObject = 5, kResourcesObject = 6;
const QString kBreakCharacters = QStringLiteral("*&^%$#,. ;<=>[])}!\"");
const QChar kFormFeed(12);

[[noreturn]] void fail(const char* what)
{
    throw std::runtime_error(what);
}

std::int32_t rounded(double value)
{
    const auto r = platform::text::roundToInt32(value);
    if (!r)
        fail("page metrics out of range");
    return *r;
}

// A decimal with a point and at most four places, without trailing zeros.
QString decimalText(double value)
{
    QString text = QString::number(value, 'f', 4);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

QString number(std::int64_t value)
{
    return QString::number(value);
}

// A PDF name: characters outside the printable range, delimiters and "#" as #xx, so a font
// name with blanks still gives one name.
QString pdfName(const QString& name)
{
    QString out;
    for (const char b : platform::locale::encode(name, kWesternPage)) {
        const auto u = static_cast<unsigned char>(b);
        if (u < 0x21 || u > 0x7E || QByteArrayView("#()<>[]{}/%").contains(static_cast<char>(u)))
            out += QStringLiteral("#%1").arg(u, 2, 16, QLatin1Char('0')).toUpper();
        else
            out += QLatin1Char(static_cast<char>(u));
    }
    return out;
}

// Spaces only, as the text lines lose them at both ends.
QString trimSpaces(const QString& text)
{
    qsizetype start = 0, end = text.size();
    while (start < end && text[start] == QLatin1Char(' '))
        ++start;
    while (end > start && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(start, end - start);
}

// A text file in UTF-8 when it is valid as such (as files made on this system are), else in
// the ANSI code page (as the word processor's plain-text saves are).
QString fileText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? platform::locale::decode(bytes, kWesternPage) : text;
}

// The lines of the text file: each ends at CR, CR LF or (for files made here) LF.
QStringList textLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail("the text file cannot be read");
    const QString text = fileText(file.readAll());
    QStringList lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            lines << current;
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        lines << current;
    return lines;
}

bool inCodePage(const QString& character)
{
    return platform::locale::decode(platform::locale::encode(character, kWesternPage), kWesternPage) == character;
}

// A letter and its combining marks composed where the code page holds the composed letter
// ("e" and a combining acute become one "\u00e9"); left apart where it does not, so that the
// letter itself still shows.
QString composedForCodePage(const QString& text)
{
    const bool marks = std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0x300; });
    if (!marks)
        return text;
    const QString composed = text.normalized(QString::NormalizationForm_C);
    QString out;
    for (qsizetype i = 0; i < composed.size();) {
        const qsizetype n = composed.at(i).isHighSurrogate() && i + 1 < composed.size() ? 2 : 1;
        const QString character = composed.mid(i, n);
        out += character.front().unicode() < 0x80 || inCodePage(character)
                   ? character
                   : character.normalized(QString::NormalizationForm_D);
        i += n;
    }
    return out;
}

// The text as the font can show it: composed where the code page has the letter, and then
// each character the code page cannot hold, one beyond the basic plane (a surrogate pair)
// among them, one "?", so that one character of the result is one byte of the file.
QString encodableText(const QString& text)
{
    return platform::locale::decode(platform::locale::encode(composedForCodePage(text), kWesternPage), kWesternPage);
}

// Where a piece of a long line ends: after the last break character in its second half,
// else after the whole piece.
qsizetype cutLength(const QString& piece)
{
    qsizetype length = piece.size();
    for (qsizetype i = piece.size(); i >= std::max<qsizetype>(1, piece.size() / 2); --i)
        if (kBreakCharacters.contains(piece[i - 1])) {
            length = i;
            break;
        }
    // Never between an escape's backslash and the character it escapes: a lone "(" opening
    // the next piece would leave its string literal unclosed.
    qsizetype backslashes = 0;
    while (backslashes < length && piece[length - 1 - backslashes] == QLatin1Char('\\'))
        ++backslashes;
    if (backslashes % 2 == 1 && length > 1)
        --length;
    return length;
}

} // namespace

QString pdfStringText(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    out.replace(QLatin1Char('('), QStringLiteral("\\("));
    out.replace(QLatin1Char(')'), QStringLiteral("\\)"));
    return out;
}

PdfWriter::PdfWriter() = default;
PdfWriter::~PdfWriter() = default;

void PdfWriter::PDFSetup(const QString& fontName, std::int16_t fontSize, std::int16_t rotation, float widthInches,
                         float heightInches)
{
    if (fontSize <= 0)
        fail("font size must be positive");
    PageWidthPt = rounded(static_cast<double>(widthInches) * 72);
    PageHeightPt = rounded(static_cast<double>(heightInches) * 72);
    FontName = fontName;
    FontSize = fontSize;
    Leading = std::round(FontSize * 1.2 * 10000) / 10000;
    Rotation = rotation;
    LinesPerPage = rounded((PageHeightPt - 72) / Leading);
    const QString lower = fontName.toLower();
    const double k = lower == QLatin1String("courier") ? 1.5 : lower == QLatin1String("arial") ? 2.0 : 2.2;
    CharsPerLine = rounded(PageWidthPt * k / FontSize);
    // A page without room for one line or one character would never end a line or a page.
    if (LinesPerPage < 1 || CharsPerLine < 1)
        fail("the page holds no text line");
    FooterX = PageWidthPt / 2.0;
    FooterY = 25;
    ObjectCount = 0;
    PageCount = 0;
    ByteCount = 0;
    OutputBuffer.clear();
    output_.reset();
    ObjectOffsets.assign(kMaxObjects + 1, 0);
    PageObjects.assign(kMaxObjects + 1, 0);
}

void PdfWriter::PDFWriteLine(const QString& line, bool flush, const QString& lineEnd)
{
    // Counted in the bytes written, so every offset holds whatever the text held.
    const QByteArray bytes = platform::locale::encode(line + lineEnd, kWesternPage);
    ByteCount += static_cast<std::int32_t>(bytes.size());
    OutputBuffer += bytes;
    if (OutputBuffer.size() <= kFlushSize && !flush)
        return;
    // The document goes to a temporary file beside PDFFile that replaces it only when the
    // last line is written: a failed run leaves an existing file as it was.
    if (!output_) {
        output_ = std::make_unique<platform::files::AtomicFile>(PDFFile);
        if (!output_->open())
            failWriting();
    }
    if (!output_->write(OutputBuffer))
        failWriting();
    OutputBuffer.clear();
    if (flush) {
        if (!output_->commit())
            failWriting();
        output_.reset();
    }
}

void PdfWriter::failWriting()
{
    const QString reason = output_->reason();
    output_.reset();
    throw std::runtime_error(reason.toStdString());
}

void PdfWriter::beginObject(std::int32_t number, bool dictionary)
{
    if (number > kMaxObjects)
        fail("the document needs more objects than the writer numbers");
    ObjectOffsets[number] = ByteCount;
    ObjectCount = std::max(ObjectCount, number);
    PDFWriteLine(QString::number(number) + QStringLiteral(" 0 obj"));
    if (dictionary)
        PDFWriteLine(QStringLiteral("<<"));
}

void PdfWriter::PDFWriteHeader()
{
    PDFWriteLine(QStringLiteral("%PDF-1.2"));
    PDFWriteLine(QStringLiteral("%") + QChar(226) + QChar(227) + QChar(207) + QChar(211));
}

void PdfWriter::PDFWriteInfoAndFont()
{
    // The document texts are escaped like the page text, so parentheses and backslashes in
    // them keep the file well-formed.
    const auto text = [](const QString& t) { return pdfStringText(encodableText(t)); };
    beginObject(kInfoObject);
    PDFWriteLine(QStringLiteral("/Author (") + text(Author) + QStringLiteral(")"));
    PDFWriteLine(QStringLiteral("/CreationDate (D:") +
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss")) + QStringLiteral(")"));
    PDFWriteLine(QStringLiteral("/Creator (") + text(Creator) + QStringLiteral(")"));
    PDFWriteLine(QStringLiteral("/Producer (Verbolt OCX)"));
    PDFWriteLine(QStringLiteral("/Title (") + text(Title) + QStringLiteral(")"));
    PDFWriteLine(QStringLiteral("/Subject (") + text(Subject) + QStringLiteral(")"));
    PDFWriteLine(QStringLiteral("/Keywords (") + text(Keywords) + QStringLiteral(")"));
    PDFWriteLine(QStringLiteral(">>"));
    PDFWriteLine(QStringLiteral("endobj"));

    beginObject(kFontObject);
    PDFWriteLine(QStringLiteral("/Type /Font"));
    PDFWriteLine(QStringLiteral("/Subtype /Type1"));
    PDFWriteLine(QStringLiteral("/Name /F1"));
    PDFWriteLine(QStringLiteral("/Encoding ") + number(kEncodingObject) + QStringLiteral(" 0 R"));
    PDFWriteLine(QStringLiteral("/BaseFont /") + pdfName(FontName));
    PDFWriteLine(QStringLiteral(">>"));
    PDFWriteLine(QStringLiteral("endobj"));

    beginObject(kEncodingObject);
    PDFWriteLine(QStringLiteral("/Type /Encoding"));
    PDFWriteLine(QStringLiteral("/BaseEncoding /WinAnsiEncoding"));
    PDFWriteLine(QStringLiteral(">>"));
    PDFWriteLine(QStringLiteral("endobj"));

    beginObject(kResourcesObject);
    PDFWriteLine(QStringLiteral("  /Font << /F1 ") + number(kFontObject) + QStringLiteral(" 0 R >>"));
    PDFWriteLine(QStringLiteral("  /ProcSet [ /PDF /Text ]"));
    PDFWriteLine(QStringLiteral(">>"));
    PDFWriteLine(QStringLiteral("endobj"));
}

QString PdfWriter::PDFStartPage()
{
    const std::int32_t page = ObjectCount + 1;
    beginObject(page);
    ++PageCount;
    PageObjects[PageCount] = page;
    PDFWriteLine(QStringLiteral("/Type /Page"));
    PDFWriteLine(QStringLiteral("/Parent ") + number(kPagesObject) + QStringLiteral(" 0 R"));
    PDFWriteLine(QStringLiteral("/Resources ") + number(kResourcesObject) + QStringLiteral(" 0 R"));
    PDFWriteLine(QStringLiteral("/Contents ") + number(page + 1) + QStringLiteral(" 0 R"));
    PDFWriteLine(QStringLiteral("/Rotate ") + number(Rotation));
    PDFWriteLine(QStringLiteral(">>"));
    PDFWriteLine(QStringLiteral("endobj"));

    const std::int32_t contents = page + 1;
    beginObject(contents);
    PDFWriteLine(QStringLiteral("/Length ") + number(contents + 1) + QStringLiteral(" 0 R"));
    PDFWriteLine(QStringLiteral(">>"));
    // The one line that ends in CR LF: a stream's data may not begin after a CR alone.
    PDFWriteLine(QStringLiteral("stream"), false, QStringLiteral("\r\n"));
    const std::int32_t streamStart = ByteCount;
    PDFWriteLine(QStringLiteral("BT"));
    PDFWriteLine(QStringLiteral("/F1 ") + decimalText(FontSize) + QStringLiteral(" Tf"));
    PDFWriteLine(QStringLiteral("1 0 0 1 50 ") + number(PageHeightPt - 40) + QStringLiteral(" Tm"));
    PDFWriteLine(decimalText(Leading) + QStringLiteral(" TL"));
    return QString::number(streamStart);
}

void PdfWriter::pageFoot()
{
    PDFWriteLine(QStringLiteral("1 0 0 1 ") + decimalText(FooterX) + QLatin1Char(' ') + number(FooterY) +
                 QStringLiteral(" Tm"));
    PDFWriteLine(QStringLiteral("(") + number(PageCount) + QStringLiteral(") Tj"));
    PDFWriteLine(QStringLiteral("/F1 ") + decimalText(FontSize) + QStringLiteral(" Tf"));
}

void PdfWriter::PDFEndPage(std::int32_t streamStart)
{
    PDFWriteLine(QStringLiteral("ET"));
    const std::int32_t streamEnd = ByteCount;
    PDFWriteLine(QStringLiteral("endstream"));
    PDFWriteLine(QStringLiteral("endobj"));
    beginObject(ObjectCount + 1, false);
    PDFWriteLine(number(streamEnd - streamStart));
    PDFWriteLine(QStringLiteral("endobj"));
    LineCount = 0;
}

std::int32_t PdfWriter::nextPage(std::int32_t streamStart)
{
    pageFoot();
    PDFEndPage(streamStart);
    return PDFStartPage().toInt();
}

void PdfWriter::writeTextLine(const QString& text)
{
    // The literal ends with CR LF and ") Tj" opens the next line of the file.
    PDFWriteLine(QStringLiteral("T* (") + text + QStringLiteral("\r\n) Tj"));
}

void PdfWriter::PDFWriteTextPages()
{
    const QStringList lines = textLines(SourceTextFile);
    std::int32_t streamStart = PDFStartPage().toInt();
    LineCount = -1;
    for (const QString& source : lines) {
        ++LineCount;
        if (source.contains(kFormFeed) || LineCount >= LinesPerPage)
            streamStart = nextPage(streamStart);
        QString rest = trimSpaces(pdfStringText(encodableText(source)));
        if (rest.size() <= CharsPerLine) {
            writeTextLine(rest);
            continue;
        }
        while (rest.size() > CharsPerLine) {
            const QString piece = rest.left(cutLength(rest.left(CharsPerLine)));
            writeTextLine(piece);
            rest = rest.mid(piece.size());
            ++LineCount;
            if (rest.contains(kFormFeed) || LineCount >= LinesPerPage)
                streamStart = nextPage(streamStart);
        }
        ++LineCount;
        writeTextLine(rest);
    }
    pageFoot();
    PDFEndPage(streamStart);
}

void PdfWriter::PDFWriteCatalogAndXref()
{
    beginObject(kCatalogObject);
    PDFWriteLine(QStringLiteral("/Type /Catalog"));
    PDFWriteLine(QStringLiteral("/Pages ") + number(kPagesObject) + QStringLiteral(" 0 R"));
    PDFWriteLine(QStringLiteral(">>"));
    PDFWriteLine(QStringLiteral("endobj"));

    beginObject(kPagesObject);
    PDFWriteLine(QStringLiteral("/Type /Pages"));
    PDFWriteLine(QStringLiteral("/Count ") + number(PageCount));
    PDFWriteLine(QStringLiteral("/MediaBox [ 0 0 ") + number(PageWidthPt) + QLatin1Char(' ') + number(PageHeightPt) +
                 QStringLiteral(" ]"));
    QString kids = QStringLiteral("/Kids [ ");
    for (std::int32_t p = 1; p <= PageCount; ++p)
        kids += number(PageObjects[p]) + QStringLiteral(" 0 R ");
    PDFWriteLine(kids + QLatin1Char(']'));
    PDFWriteLine(QStringLiteral(">>"));
    PDFWriteLine(QStringLiteral("endobj"));

    const std::int32_t xrefStart = ByteCount;
    PDFWriteLine(QStringLiteral("xref"));
    PDFWriteLine(QStringLiteral("0 ") + number(ObjectCount + 1));
    PDFWriteLine(QStringLiteral("0000000000 65535 f "));
    for (std::int32_t n = 1; n <= ObjectCount; ++n)
        PDFWriteLine(QStringLiteral("%1 00000 n ").arg(ObjectOffsets[n], 10, 10, QLatin1Char('0')));
    PDFWriteLine(QStringLiteral("trailer"));
    PDFWriteLine(QStringLiteral("<<"));
    PDFWriteLine(QStringLiteral("/Size ") + number(ObjectCount + 1));
    PDFWriteLine(QStringLiteral("/Root ") + number(kCatalogObject) + QStringLiteral(" 0 R"));
    PDFWriteLine(QStringLiteral("/Info ") + number(kInfoObject) + QStringLiteral(" 0 R"));
    PDFWriteLine(QStringLiteral(">>"));
    PDFWriteLine(QStringLiteral("startxref"));
    PDFWriteLine(number(xrefStart));
    PDFWriteLine(QStringLiteral("%%EOF"), true);
}

} // namespace tovu::control
