// The held document exported to HTML by Word, and text turned into PDF by the control's own
// writer: the held document saved as plain text first, or any text file.
#include "control/FileExists.h"
#include "control/PdfWriter.h"
#include "control/Trap.h"
#include "control/Verbolt.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace tovu::control {

namespace {

// Where CreatePDF leaves the held document's text; it stays on disk after the call.
QString dummyTextFile()
{
    return QDir(QDir::tempPath()).filePath(QStringLiteral("_dummy_.txt"));
}

void removeIfExists(const QString& path)
{
    if (FileExists(path) && !QFile::remove(path))
        throw std::runtime_error("the old file cannot be deleted");
}

struct PdfOptions {
    const QString& font;
    std::int16_t size;
    std::int16_t rotation;
    float width;
    float height;
    const QString& author;
    const QString& creator;
    const QString& keywords;
    const QString& subject;
    const QString& title;
};

// The writer's run over one text file. A failing step leaves no partial PDF behind.
void writePdf(const QString& textFile, const QString& pdfFile, const PdfOptions& o)
{
    PdfWriter writer;
    writer.PDFSetup(o.font, o.size, o.rotation, o.width, o.height);
    writer.Author = o.author;
    writer.Creator = o.creator;
    writer.Keywords = o.keywords;
    writer.Subject = o.subject;
    writer.Title = o.title;
    writer.SourceTextFile = textFile;
    writer.PDFFile = pdfFile;
    removeIfExists(pdfFile);
    try {
        writer.PDFWriteHeader();
        writer.PDFWriteInfoAndFont();
        writer.PDFWriteTextPages();
        writer.PDFWriteCatalogAndXref();
    } catch (...) {
        QFile::remove(pdfFile);
        throw;
    }
}

} // namespace

MethodStatus Verbolt::CreateHTML(QString& strHTMLFile)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    return trapped<MethodStatus>(-3, [&] {
        removeIfExists(strHTMLFile);
        HeldDocument->saveAs(strHTMLFile, word::SaveFormat::Html);
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::CreatePDF(QString& strPDFFile, bool& blnUseLineBreaks, QString& strFontName,
                                std::int16_t& intFontSize, std::int16_t& intRotation, float& sngWidth,
                                float& sngHeight, QString& strAuthor, QString& strCreator, QString& strKeywords,
                                QString& strSubject, QString& strTitle)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    return trapped<MethodStatus>(-3, [&] {
        const QString text = dummyTextFile();
        removeIfExists(text);
        HeldDocument->saveAs(text, blnUseLineBreaks ? word::SaveFormat::TextLineBreaks : word::SaveFormat::Text);
        writePdf(text, strPDFFile,
                 {strFontName, intFontSize, intRotation, sngWidth, sngHeight, strAuthor, strCreator, strKeywords,
                  strSubject, strTitle});
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::CreatePDFFromFile(QString& strTextFile, QString& strPDFFile, QString& strFontName,
                                        std::int16_t& intFontSize, std::int16_t& intRotation, float& sngWidth,
                                        float& sngHeight, QString& strAuthor, QString& strCreator,
                                        QString& strKeywords, QString& strSubject, QString& strTitle)
{
    if (!FileExists(strTextFile))
        return -1;
    return trapped<MethodStatus>(-2, [&] {
        writePdf(strTextFile, strPDFFile,
                 {strFontName, intFontSize, intRotation, sngWidth, sngHeight, strAuthor, strCreator, strKeywords,
                  strSubject, strTitle});
        return MethodStatus{1};
    });
}

} // namespace tovu::control
