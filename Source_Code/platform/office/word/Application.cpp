#include "platform/office/word/Application.h"

#include "platform/office/word/DocumentFiles.h"

#include <QDir>
#include <QFileInfo>

namespace tovu::platform::word {

Application::Application(WordEnvironment& environment, std::shared_ptr<Instrumentation> hooks)
    : environment_(&environment), hooks_(std::move(hooks)), caption_(QStringLiteral("Word"))
{
}

Application::~Application() = default;

void Application::enter(const char* operation, const QString& arguments) const
{
    const QString op = QStringLiteral("Application.") + QLatin1String(operation);
    if (!running_)
        throw WordError(op, QStringLiteral("the application is not running"));
    hooks_->enter(op, arguments);
}

QString Application::version() const { enter("Version"); return environment_->version(); }
QString Application::caption() const { enter("Caption"); return caption_; }
void Application::setCaption(const QString& caption) { enter("SetCaption", caption); caption_ = caption; }
bool Application::visible() const { enter("Visible"); return visible_; }

void Application::setVisible(bool visible)
{
    enter("SetVisible", visible ? QStringLiteral("true") : QStringLiteral("false"));
    visible_ = visible;
    if (visible && !view_ && environment_->viewFactory())
        view_ = environment_->viewFactory()(*this);
    if (!view_)
        return;
    if (visible) {
        if (auto doc = active_.lock())
            view_->showDocument(doc);
        view_->showView();
    } else {
        view_->hideView();
    }
}

void Application::activate()
{
    enter("Activate");
    if (!visible_ || !view_)
        throw WordError(QStringLiteral("Application.Activate"), QStringLiteral("the application has no window shown"));
    view_->raiseView();
}

int Application::displayAlerts() const { enter("DisplayAlerts"); return displayAlerts_; }
void Application::setDisplayAlerts(int alerts) { enter("SetDisplayAlerts", QString::number(alerts)); displayAlerts_ = alerts; }
QString Application::activePrinter() const { enter("ActivePrinter"); return activePrinter_; }
void Application::setActivePrinter(const QString& printer) { enter("SetActivePrinter", printer); activePrinter_ = printer; }

std::shared_ptr<Document> Application::activeDocument() const
{
    enter("ActiveDocument");
    auto doc = active_.lock();
    if (!doc || doc->isClosed())
        throw WordError(QStringLiteral("Application.ActiveDocument"), QStringLiteral("no document is open"));
    return doc;
}

Selection Application::selection() const
{
    enter("Selection");
    return activeDocument()->selection();
}

void Application::quit(bool saveChanges)
{
    enter("Quit", saveChanges ? QStringLiteral("true") : QStringLiteral("false"));
    // A changed document without a file name cannot be saved without asking: refuse
    // before anything is closed rather than drop its changes.
    if (saveChanges)
        for (const auto& doc : documents_)
            if (!doc->saved() && doc->path().isEmpty())
                throw WordError(QStringLiteral("Application.Quit"),
                                QStringLiteral("\"%1\" has no file name to be saved under").arg(doc->name()));
    // Copy: closing detaches each document from the list.
    const auto open = documents_;
    for (const auto& doc : open)
        doc->close(saveChanges);
    if (view_)
        view_->hideView();
    view_.reset();
    running_ = false;
    offered_ = false;
    environment_->applicationQuit(this);  // may release the last reference to us
}

void Application::setOfferedAsActive(bool offered)
{
    if (!running_ || offered == offered_)
        return;
    offered_ = offered;
    ActiveObjectTable& table = environment_->table();
    if (offered)
        table.registerActive(QLatin1String(WordEnvironment::kProgId), shared_from_this());
    else
        table.revokeActive(QLatin1String(WordEnvironment::kProgId), this);
}

std::shared_ptr<Document> Application::adopt(std::unique_ptr<DocumentModel> model, const QString& name,
                                             const QString& path)
{
    auto state = std::make_shared<DocumentState>();
    state->model = std::move(model);
    state->hooks = hooks_;
    state->application = weak_from_this();
    state->name = name;
    state->path = path;
    state->selection = state->model->body.track(0, 0);
    state->savedRevision = state->model->revision();
    auto doc = std::make_shared<Document>(state);
    documents_.push_back(doc);
    makeActive(doc);
    return doc;
}

void Application::makeActive(const std::shared_ptr<Document>& document)
{
    active_ = document;
    if (view_ && visible_)
        view_->showDocument(document);
}

void Application::detach(const Document* document)
{
    std::erase_if(documents_, [&](const auto& d) { return d.get() == document; });
    if (active_.expired() || active_.lock().get() == document)
        active_ = documents_.empty() ? std::weak_ptr<Document>() : std::weak_ptr<Document>(documents_.back());
    if (view_ && visible_)
        view_->showDocument(active_.lock());
}

// --- Documents ---

int Documents::count() const
{
    app_->enter("Documents.Count");
    return static_cast<int>(app_->openDocuments().size());
}

std::shared_ptr<Document> Documents::item(int index) const
{
    app_->enter("Documents.Item", QString::number(index));
    const auto& all = app_->openDocuments();
    if (index < 1 || index > static_cast<int>(all.size()))
        throw WordError(QStringLiteral("Documents.Item"), QStringLiteral("the requested member of the collection does not exist"));
    return all[static_cast<std::size_t>(index - 1)];
}

std::shared_ptr<Document> Documents::item(const QString& name) const
{
    app_->enter("Documents.Item", name);
    for (const auto& doc : app_->openDocuments())
        if (doc->name().compare(name, Qt::CaseInsensitive) == 0 || doc->fullName().compare(name, Qt::CaseInsensitive) == 0)
            return doc;
    throw WordError(QStringLiteral("Documents.Item"), QStringLiteral("the requested member of the collection does not exist"));
}

std::shared_ptr<Document> Documents::add(const QString& templateName)
{
    app_->enter("Documents.Add", templateName);
    if (!templateName.isEmpty())
        throw WordError(QStringLiteral("Documents.Add"), QStringLiteral("document templates are not available"));
    auto model = std::make_unique<DocumentModel>();
    model->properties.created = QDateTime::currentDateTimeUtc();
    return app_->adopt(std::move(model), QStringLiteral("Document%1").arg(app_->nextDocumentNumber()), QString());
}

std::shared_ptr<Document> Documents::open(const QString& fileName, const QString& passwordDocument,
                                          const QString& writePasswordDocument)
{
    app_->enter("Documents.Open", fileName);
    Q_UNUSED(passwordDocument);       // an unprotected file opens without them, as in Word;
    Q_UNUSED(writePasswordDocument);  // a protected one is refused by the reader
    const QFileInfo info(fileName);
    for (const auto& doc : app_->openDocuments())
        if (QFileInfo(doc->fullName()).absoluteFilePath().compare(info.absoluteFilePath(), Qt::CaseInsensitive) == 0 &&
            !doc->path().isEmpty()) {
            doc->activate();
            return doc;
        }
    SaveFormat format = SaveFormat::Default;
    auto model = readDocumentFile(info.absoluteFilePath(), &format);
    auto doc = app_->adopt(std::move(model), info.fileName(), info.absolutePath());
    doc->state()->fileFormat = format;  // a text file is saved back as text
    return doc;
}

}  // namespace tovu::platform::word
