// The held document exported to HTML by Word, and text turned into PDF by the control's own
// writer: the held document saved as plain text first, or any text file.
#include "control/FileExists.h"
#include "control/PdfWriter.h"
#include "control/Trap.h"
#include "control/Verbolt.h"

#include <QDir>
#include <QTemporaryFile>
#include <memory>
#include <stdexcept>

namespace tovu::control {

namespace {

// The held document's text for CreatePDF: a file of its own in the temporary folder, under
// a name no other run shares, readable by this user only, and removed when the call ends
// however it ends.
std::unique_ptr<QTemporaryFile> privateTextFile()
{
    auto file = std::make_unique<QTemporaryFile>(QDir(QDir::tempPath()).filePath(QStringLiteral("_dummy_XXXXXX.txt")));
    if (!file->open())
        throw std::runtime_error("no temporary text file can be made");
    file->close();  // the name stays reserved; the word processor writes the text under it
    return file;
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

// The writer's run over one text file. The PDF replaces an existing file only when it is
// complete: a failing step leaves no partial PDF and the old file as it was.
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
    writer.PDFWriteHeader();
    writer.PDFWriteInfoAndFont();
    writer.PDFWriteTextPages();
    writer.PDFWriteCatalogAndXref();
}

} // namespace

MethodStatus Verbolt::CreateHTML(QString& strHTMLFile)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    return trapped<MethodStatus>(-3, [&] {
        heldDocument_->saveAs(strHTMLFile, word::SaveFormat::Html);
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
        const auto textFile = privateTextFile();
        const QString text = textFile->fileName();
        heldDocument_->saveAs(text, blnUseLineBreaks ? word::SaveFormat::TextLineBreaks : word::SaveFormat::Text);
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
