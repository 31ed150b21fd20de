#include "support/SideBySide.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace tovu::test {

namespace {

int run(const QString& program, const QStringList& args, QString* output, int timeoutMs)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted(10000))
        return -1;
    p.waitForFinished(timeoutMs);
    if (output)
        *output = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

}  // namespace

QString otherWordProcessor(QString* why)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        *why = QStringLiteral("pdftotext (poppler-utils) is not installed");
        return {};
    }
    for (const char* name : {"soffice", "libreoffice"})
        if (const QString path = QStandardPaths::findExecutable(QLatin1String(name)); !path.isEmpty())
            return path;
    *why = QStringLiteral("LibreOffice (soffice) is not installed: install libreoffice-writer-nogui to compare pages");
    return {};
}

QString convertToPdf(const QString& office, const QString& docx, const QString& outDir, QString* log)
{
    QDir().mkpath(outDir);
    run(office,
        {QStringLiteral("-env:UserInstallation=file://") + QDir(outDir).filePath(QStringLiteral("profile")),
         QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
         QStringLiteral("--outdir"), outDir, docx},
        log, 240000);
    const QString pdf = QDir(outDir).filePath(QFileInfo(docx).completeBaseName() + QStringLiteral(".pdf"));
    return QFileInfo::exists(pdf) ? pdf : QString();
}

PdfWords wordsOf(const QString& pdf)
{
    QString boxes;
    PdfWords out;
    if (run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}, &boxes, 60000) != 0)
        return out;
    static const QRegularExpression tag(QStringLiteral(R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re"));
    for (auto it = tag.globalMatch(boxes); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++out.pages;
            continue;
        }
        out.words.push_back(PlacedWord{m.captured(3), out.pages, m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return out;
}

}  // namespace tovu::test
