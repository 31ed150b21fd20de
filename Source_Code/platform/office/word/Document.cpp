#include "platform/office/word/Document.h"

#include "platform/office/word/Application.h"
#include "platform/office/word/DocumentFiles.h"
#include "platform/office/word/PageLayout.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace tovu::platform::word {

void Document::enter(const char* operation, const QString& arguments) const
{
    state_->enter(QStringLiteral("Document.") + QLatin1String(operation), arguments);
}

std::shared_ptr<Application> Document::application() const
{
    auto app = state_->application.lock();
    if (!app || !app->isRunning())
        throw WordError(QStringLiteral("Document.Application"), QStringLiteral("the application is not running"));
    return app;
}

QString Document::name() const { enter("Name"); return state_->name; }
QString Document::path() const { enter("Path"); return state_->path; }

QString Document::fullName() const
{
    enter("FullName");
    return state_->path.isEmpty() ? state_->name : QDir(state_->path).filePath(state_->name);
}

bool Document::saved() const { enter("Saved"); return state_->saved(); }

void Document::activate()
{
    enter("Activate");
    application()->makeActive(shared_from_this());
}

void Document::save()
{
    enter("Save");
    if (state_->path.isEmpty())
        throw WordError(QStringLiteral("Document.Save"), QStringLiteral("the document has no file name yet"));
    writeDocumentFile(*state_->model, QDir(state_->path).filePath(state_->name), state_->fileFormat);
    state_->savedRevision = state_->model->revision();
}

void Document::saveAs(const QString& fileName, SaveFormat format, const QString& password, const QString& writePassword)
{
    enter("SaveAs", fileName + QLatin1Char(',') + QString::number(static_cast<int>(format)));
    if (!password.isEmpty() || !writePassword.isEmpty())
        throw WordError(QStringLiteral("Document.SaveAs"),
                        QStringLiteral("password protection is not available; the document was not saved"));
    if (fileName.trimmed().isEmpty())
        throw WordError(QStringLiteral("Document.SaveAs"), QStringLiteral("no file name"));
    const QFileInfo info(fileName);
    writeDocumentFile(*state_->model, info.absoluteFilePath(), format);
    if (format == SaveFormat::Pdf)
        return;  // an export: the document keeps its own file
    state_->name = info.fileName();
    state_->path = info.absolutePath();
    state_->fileFormat = format == SaveFormat::OpenXml ? SaveFormat::Default : format;
    state_->savedRevision = state_->model->revision();
}

void Document::close(bool saveChanges)
{
    enter("Close", saveChanges ? QStringLiteral("true") : QStringLiteral("false"));
    if (saveChanges && !state_->saved())
        save();
    state_->closed = true;
    if (auto app = state_->application.lock())
        app->detach(this);
}

Range Document::content() const
{
    enter("Content");
    Story& body = state_->model->body;
    return Range(state_, &body, body.track(0, body.length()));
}

Range Document::range(int start, int end) const
{
    enter("Range", QStringLiteral("%1,%2").arg(start).arg(end));
    Story& body = state_->model->body;
    if (start < 0 || end < start || end > body.length())
        throw WordError(QStringLiteral("Document.Range"), QStringLiteral("the range lies outside the document"));
    return Range(state_, &body, body.track(start, end));
}

Range Document::goTo(int what, const QString& name)
{
    enter("GoTo", QStringLiteral("%1,%2").arg(what).arg(name));
    if (what != -1)
        throw WordError(QStringLiteral("Document.GoTo"), QStringLiteral("only bookmarks can be gone to"));
    Range target = bookmarks().range(name);
    state_->selection->start = state_->selection->end = target.start();
    target.collapse(true);
    return target;
}

void Document::repaginate()
{
    enter("Repaginate");
    PageLayout layout(*state_->model);
    (void)layout.pageCount();
}

int Document::computeStatistics(Statistic statistic) const
{
    enter("ComputeStatistics", QString::number(static_cast<int>(statistic)));
    const Story& body = state_->model->body;
    const QString text = body.text(0, body.length());
    switch (statistic) {
    case Statistic::Pages:
        return PageLayout(*state_->model).pageCount();
    case Statistic::Lines:
        return PageLayout(*state_->model).lineCount();
    case Statistic::Paragraphs: {
        int n = 0;
        for (auto [s, e] : body.paragraphs())
            if (!body.text(s, e - 1).trimmed().isEmpty())
                ++n;
        return n;
    }
    case Statistic::Words:
        return static_cast<int>(text.split(QRegularExpression(QStringLiteral("[\\s\\x{FFFC}]+")), Qt::SkipEmptyParts).size());
    case Statistic::Characters:
    case Statistic::CharactersWithSpaces: {
        int n = 0;
        for (QChar c : text) {
            if (c == QChar(kParagraphMark) || c == QChar(kObjectChar) || c == QChar(kPageBreak))
                continue;
            if (statistic == Statistic::Characters && c.isSpace())
                continue;
            ++n;
        }
        return n;
    }
    }
    throw WordError(QStringLiteral("Document.ComputeStatistics"), QStringLiteral("unknown statistic"));
}

void Document::printOut(const QString& outputFileName)
{
    enter("PrintOut", outputFileName);
    const auto app = application();
    const QString printer = app->activePrinter();
    // A file printer takes the job into its file as any print to a file would.
    const QString output = outputFileName.isEmpty() ? app->environment().filePrinterOutput(printer) : outputFileName;
    printDocument(*state_->model, app->environment().printing(), printer, output);
}

void Document::printPreview()
{
    enter("PrintPreview");
    auto app = application();
    ApplicationView* view = app->view();
    if (!view) {
        app->setVisible(true);
        view = app->view();
    }
    if (!view)
        throw WordError(QStringLiteral("Document.PrintPreview"), QStringLiteral("no window can be shown"));
    view->showPreview(shared_from_this());
    view->raiseView();
}

void Document::checkSpelling()
{
    enter("CheckSpelling");
    // A checker the program installs goes first; else the installation's spelling dialog.
    const SpellingChecker& checker = application()->environment().spellingChecker();
    if (checker)
        checker(*this);
    else
        proofreadDocument(*this);
}

void Document::checkGrammar()
{
    enter("CheckGrammar");
    throw WordError(QStringLiteral("Document.CheckGrammar"), QStringLiteral("no grammar checker is available"));
}

}  // namespace tovu::platform::word
