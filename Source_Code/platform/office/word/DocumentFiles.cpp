#include "platform/office/word/DocumentFiles.h"

#include "platform/office/word/Document.h"
#include "platform/office/word/DocxReader.h"
#include "platform/office/word/DocxWriter.h"
#include "platform/office/word/PageLayout.h"
#include "platform/files/AtomicFile.h"
#include "platform/locale/AnsiCodePage.h"
#include "platform/locale/UserLocale.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>


namespace tovu::platform::word {

namespace {

void saveBytes(const QString& path, const QByteArray& bytes)
{
    const files::WriteResult written = files::writeFileAtomically(path, bytes);
    if (!written.ok)
        throw WordError(QStringLiteral("Document.SaveAs"), written.reason);
}

// The text formats are written in the user's Windows ANSI code page, as Word writes them.
int ansiPage()
{
    return locale::ansiCodePage(locale::userDefaultLcid());
}

QByteArray toAnsi(const QString& text)
{
    return locale::encode(text, ansiPage());
}

QString plainText(const DocumentModel& model)
{
    const Story& body = model.body;
    QString out;
    for (int i = 0; i < body.length(); ++i) {
        const StoryChar& c = body.at(i);
        switch (c.ch) {
        case kParagraphMark:
        case kLineBreak: out += QStringLiteral("\r\n"); break;
        case kObjectChar:
            if (const auto* t = model.objectAs<TableModel>(c.object)) {
                for (int r = 0; r < t->rows; ++r) {
                    for (int col = 0; col < t->columns; ++col) {
                        if (col > 0)
                            out += QLatin1Char('\t');
                        out += QString(t->cell(r, col).text).replace(QLatin1Char('\r'), QLatin1Char(' '));
                    }
                    if (r + 1 < t->rows)
                        out += QStringLiteral("\r\n");
                }
            }
            break;
        default: out += QChar(c.ch);
        }
    }
    return out;
}

// A picture as the page shows it: what it holds and the size it stands at, inline or floating.
struct PagePicture {
    const PictureData* picture = nullptr;
    double width = 0;
    double height = 0;
};

PagePicture pagePicture(const DocumentModel& model, int object)
{
    if (const auto* p = model.objectAs<InlinePicture>(object))
        return {&p->picture, p->width, p->height};
    if (const auto* f = model.objectAs<FloatingPicture>(object))
        return {&f->picture, f->width, f->height};
    return {};
}

// A picture as a browser can show it: its own bytes, or a PNG rendering of a metafile
// (its stored rendering, else the metafile played).
std::pair<QByteArray, QString> webPicture(const PagePicture& p)
{
    const QByteArray bytes = p.picture->currentBytes();
    if (p.picture->format != PictureFormat::Emf)
        return {bytes, pictureExtension(p.picture->format)};
    if (!p.picture->fallbackPng.isEmpty())
        return {p.picture->fallbackPng, QStringLiteral("png")};
    const double scale = 96.0 / 72.0;  // points to screen pixels
    const QImage image = p.picture->render(QSize(qMax(1, qRound(p.width * scale)), qMax(1, qRound(p.height * scale))));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG"))
        return {};
    return {png, QStringLiteral("png")};
}

// The page as HTML, its pictures (inline and floating) written as files in a folder beside
// it ("report_files" for "report.htm") and referenced relative to the page where they
// stand, as the word processor does, so the page and its folder can be moved together.
void writeHtml(const DocumentModel& model, const QString& path)
{
    const QString html = PageLayout(model).html();
    const QFileInfo page(path);
    const QString folderName = page.completeBaseName() + QStringLiteral("_files");
    const QDir folder(page.absoluteDir().filePath(folderName));
    static const QRegularExpression image(QStringLiteral("src=\"tovu-picture-(\\d+)\""));
    QString out;
    qsizetype from = 0;
    int written = 0;
    for (auto it = image.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        out += QStringView(html).mid(from, m.capturedStart() - from);
        from = m.capturedEnd();
        const PagePicture picture = pagePicture(model, m.capturedView(1).toInt());
        const auto [bytes, extension] = picture.picture ? webPicture(picture) : std::pair<QByteArray, QString>{};
        if (bytes.isEmpty()) {
            // Nothing to write: a linked picture keeps pointing at its file.
            out += QStringLiteral("src=\"%1\"").arg(picture.picture ? QUrl::fromLocalFile(picture.picture->sourcePath).toString() : QString());
            continue;
        }
        if (!folder.exists() && !QDir().mkpath(folder.path()))
            throw WordError(QStringLiteral("Document.SaveAs"), QStringLiteral("cannot make the folder \"%1\"").arg(folder.path()));
        const QString name = QStringLiteral("image%1.%2").arg(++written, 3, 10, QLatin1Char('0')).arg(extension);
        saveBytes(folder.filePath(name), bytes);
        out += QStringLiteral("src=\"%1/%2\"")
                   .arg(QString::fromLatin1(QUrl::toPercentEncoding(folderName)), QString::fromLatin1(QUrl::toPercentEncoding(name)));
    }
    out += QStringView(html).mid(from);
    saveBytes(path, out.toUtf8());
}

void writePdf(const DocumentModel& model, const QString& path)
{
    PageLayout layout(model);
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(720);
        pdf.setPageSize(QPageSize(layout.pageSize(), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(model.properties.title);
        pdf.setCreator(QStringLiteral("TOVU"));
        QPainter painter(&pdf);
        if (!painter.isActive())
            throw WordError(QStringLiteral("Document.SaveAs"), QStringLiteral("cannot start the PDF"));
        painter.scale(10, 10);  // points on a 720 dpi device
        for (int page = 1; page <= layout.pageCount(); ++page) {
            if (page > 1)
                pdf.newPage();
            layout.paintPage(painter, page);
        }
    }
    saveBytes(path, bytes);
}

}  // namespace

void writeDocumentFile(const DocumentModel& model, const QString& path, SaveFormat format)
{
    switch (format) {
    case SaveFormat::Default:
    case SaveFormat::OpenXml:
        saveBytes(path, buildDocx(model));
        return;
    case SaveFormat::Text:
        saveBytes(path, toAnsi(plainText(model)));
        return;
    case SaveFormat::TextLineBreaks:
        saveBytes(path, toAnsi(PageLayout(model).textWithLineBreaks()));
        return;
    case SaveFormat::UnicodeText: {
        QByteArray bytes("\xFF\xFE", 2);
        const QString text = plainText(model);
        bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        saveBytes(path, bytes);
        return;
    }
    case SaveFormat::Html:
    case SaveFormat::FilteredHtml:
        writeHtml(model, path);
        return;
    case SaveFormat::Pdf:
        writePdf(model, path);
        return;
    case SaveFormat::Document97:
        break;
    }
    throw WordError(QStringLiteral("Document.SaveAs"),
                    QStringLiteral("file format %1 cannot be written").arg(static_cast<int>(format)));
}

std::unique_ptr<DocumentModel> readDocumentFile(const QString& path, SaveFormat* format)
{
    if (format)
        *format = SaveFormat::Default;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw WordError(QStringLiteral("Documents.Open"), QStringLiteral("cannot open \"%1\"").arg(path));
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06"))
        return readDocx(bytes);
    // A compound file is an old binary document or an encrypted (password-protected) one.
    if (bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        throw WordError(QStringLiteral("Documents.Open"),
                        QStringLiteral("\"%1\" is a protected or old-format document that cannot be opened").arg(path));
    if (format)
        *format = SaveFormat::Text;
    auto model = std::make_unique<DocumentModel>();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = locale::decode(bytes, ansiPage());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    else if (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    model->body.insertText(0, text, 0);
    return model;
}

void printDocument(const DocumentModel& model, printing::Printing& printers, const QString& printerName,
                   const QString& outputFile)
{
    const QString op = QStringLiteral("Document.PrintOut");
    PageLayout layout(model);
    printing::PrintTarget target{printerName, outputFile};
    if (outputFile.isEmpty()) {
        target.printer = printers.installedPrinter(printerName);
        if (target.printer.isEmpty())
            throw WordError(op, printerName.isEmpty() ? QStringLiteral("no printer is installed")
                                                      : QStringLiteral("there is no printer \"%1\"").arg(printerName));
    }
    const std::unique_ptr<printing::PrintJob> job = printers.open(target, {layout.pageSize(), QMarginsF(), true});
    if (!job)
        throw WordError(op, QStringLiteral("the printer did not accept the document"));
    QPagedPaintDevice& printer = job->device();
    QPainter painter;
    if (!painter.begin(&printer))
        throw WordError(op, QStringLiteral("the printer did not accept the document"));
    const double scale = printer.logicalDpiX() / 72.0;
    painter.scale(scale, scale);
    for (int page = 1; page <= layout.pageCount(); ++page) {
        if (page > 1 && !printer.newPage())
            throw WordError(op, QStringLiteral("the printer stopped"));
        layout.paintPage(painter, page);
    }
    if (!painter.end())
        throw WordError(op, QStringLiteral("the printer did not finish the document"));
    if (!job->finish())
        throw WordError(op, job->reason());
}

}  // namespace tovu::platform::word
