// The control's own PDF writer: a plain text file becomes a PDF 1.2 document of fixed-layout
// text pages in one Type 1 font, one output line per text line (long lines cut at a break
// character), each page numbered at its foot. Every line of the file ends with CR alone,
// except the stream keyword's, which the file format requires to end in CR LF.
//
// Offsets and stream lengths are counted as the lines are produced, so nothing is read back;
// output is gathered and written in pieces of just over 32000 bytes, to a temporary file
// that replaces the PDF file when the document is complete. Offsets count bytes of the
// file: each character the font's code page cannot hold is written as one "?".
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace tovu::platform::files {
class AtomicFile;
}

namespace tovu::control {

class PdfWriter {
public:
    PdfWriter();
    ~PdfWriter();
    PdfWriter(const PdfWriter&) = delete;
    PdfWriter& operator=(const PdfWriter&) = delete;

    // Page metrics of the document. Raises for a font size or page that leaves no room for
    // a line (the metrics divide by the font size and the leading).
    void PDFSetup(const QString& fontName, std::int16_t fontSize, std::int16_t rotation, float widthInches,
                  float heightInches);

    QString Author, Creator, Keywords, Subject, Title;
    QString SourceTextFile, PDFFile;

    // The four writing steps, in this order. Each raises on a failure (a file that cannot be
    // read or written, a document of more objects than the writer numbers); nothing of the
    // run reaches PDFFile then, and a file already there stays as it was.
    void PDFWriteHeader();
    void PDFWriteInfoAndFont();
    void PDFWriteTextPages();
    void PDFWriteCatalogAndXref();

    // The metrics PDFSetup derived, for callers that lay text out to match.
    std::int32_t PageWidthPt = 0, PageHeightPt = 0;
    std::int32_t LinesPerPage = 0, CharsPerLine = 0;
    double FontSize = 0, Leading = 0, FooterX = 0;
    std::int32_t PageCount = 0;

private:
    QString FontName;
    std::int16_t Rotation = 0;
    std::int32_t FooterY = 25;
    std::int32_t ObjectCount = 0;
    std::vector<std::int32_t> ObjectOffsets;  // by object number, from 1
    std::vector<std::int32_t> PageObjects;    // by page number, from 1
    std::int32_t LineCount = 0;
    std::int32_t ByteCount = 0;
    QByteArray OutputBuffer;
    std::unique_ptr<platform::files::AtomicFile> output_;
    [[noreturn]] void failWriting();

    void PDFWriteLine(const QString& line, bool flush = false, const QString& lineEnd = QStringLiteral("\r"));
    void beginObject(std::int32_t number, bool dictionary = true);
    QString PDFStartPage();
    void PDFEndPage(std::int32_t streamStart);
    void pageFoot();
    // Foot of the current page, its end and the start of the next; answers the new stream start.
    std::int32_t nextPage(std::int32_t streamStart);
    void writeTextLine(const QString& text);
};

// A text as a PDF string literal's contents: backslash and both parentheses escaped.
QString pdfStringText(const QString& text);

} // namespace tovu::control
