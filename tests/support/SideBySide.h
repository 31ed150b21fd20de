#pragma once
// Another word processor's pages beside the stand-in's: LibreOffice converts a .docx to
// PDF, and the words of either PDF are read with their page and place. Tests that use it
// skip where LibreOffice or pdftotext is not installed.

#include <QString>
#include <vector>

namespace tovu::test {

struct PlacedWord {
    QString text;
    int page = 0;
    double x = 0, y = 0;  // top-left corner, points from the page's top-left
};

struct PdfWords {
    int pages = 0;
    std::vector<PlacedWord> words;  // in reading order
};

// The LibreOffice program, or empty when it is not installed; the reason to skip in *why.
QString otherWordProcessor(QString* why);

// Converts docx into outDir with a profile of its own (a LibreOffice the user runs is left
// alone); answers the PDF's path, or empty with the program's output in *log.
QString convertToPdf(const QString& office, const QString& docx, const QString& outDir, QString* log);

PdfWords wordsOf(const QString& pdf);

}  // namespace tovu::test
