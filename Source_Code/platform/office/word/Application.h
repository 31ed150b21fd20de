#pragma once

#include "platform/office/word/Document.h"
#include "platform/office/word/Proofing.h"
#include "platform/office/word/WordEnvironment.h"

#include <memory>
#include <vector>

namespace tovu::platform::word {

class Application;

// Application.Documents: the open documents in opening order.
class Documents {
public:
    explicit Documents(std::shared_ptr<Application> application) : app_(std::move(application)) {}
    int count() const;
    std::shared_ptr<Document> item(int index) const;  // 1-based
    std::shared_ptr<Document> item(const QString& name) const;  // name or full name, any case
    // A new, empty document "Document<n>". A template is not offered: a non-empty one fails.
    std::shared_ptr<Document> add(const QString& templateName = {});
    // Opens a .docx (or a plain text file). A document already open under that path is
    // activated instead. Password-protected files cannot be opened here.
    std::shared_ptr<Document> open(const QString& fileName, const QString& passwordDocument = {},
                                   const QString& writePasswordDocument = {});

private:
    std::shared_ptr<Application> app_;
};

class Application : public std::enable_shared_from_this<Application> {
public:
    Application(WordEnvironment& environment, std::shared_ptr<Instrumentation> hooks);
    ~Application();

    QString version() const;  // "16.0"
    QString caption() const;
    void setCaption(const QString& caption);
    bool visible() const;
    // Showing the application opens its viewer window (where the program provides one).
    void setVisible(bool visible);
    // Brings the application's window to the front; fails when it has none.
    void activate();
    int displayAlerts() const;
    void setDisplayAlerts(int alerts);
    QString activePrinter() const;
    void setActivePrinter(const QString& printer);

    Documents documents() { return Documents(shared_from_this()); }
    std::shared_ptr<Document> activeDocument() const;  // throws when no document is open
    Selection selection() const;

    // The window's top edge in points and its state (0 normal, 1 maximised, 2 minimised),
    // the separator of the file system's paths, and the proofing objects.
    std::int32_t top() const;
    void setTop(std::int32_t top);
    int windowState() const;
    void setWindowState(int state);
    QString pathSeparator() const;
    CustomDictionaries customDictionaries();
    Dialogs dialogs();
    ApplicationProofing& proofing();  // what the proofing objects keep for this instance

    // Closes every document (saving changes when asked) and ends the instance.
    void quit(bool saveChanges = false);
    bool isRunning() const { return running_; }

    // Whether the running-object table offers this instance (a test can withdraw it).
    void setOfferedAsActive(bool offered);

    Instrumentation& instrumentation() const { return *hooks_; }
    WordEnvironment& environment() const { return *environment_; }
    ApplicationView* view() const { return view_.get(); }

    // Used by Documents and Document.
    void enter(const char* operation, const QString& arguments = {}) const;
    const std::vector<std::shared_ptr<Document>>& openDocuments() const { return documents_; }
    std::shared_ptr<Document> adopt(std::unique_ptr<DocumentModel> model, const QString& name, const QString& path);
    void makeActive(const std::shared_ptr<Document>& document);
    void detach(const Document* document);
    int nextDocumentNumber() { return ++documentNumber_; }

private:
    WordEnvironment* environment_;
    std::shared_ptr<Instrumentation> hooks_;
    std::vector<std::shared_ptr<Document>> documents_;
    std::weak_ptr<Document> active_;
    std::unique_ptr<ApplicationView> view_;
    QString caption_;
    QString activePrinter_;
    int displayAlerts_ = -1;
    int documentNumber_ = 0;
    bool visible_ = false;
    bool running_ = true;
    bool offered_ = false;
    std::int32_t top_ = 0;
    int windowState_ = 0;
    std::shared_ptr<ApplicationProofing> proofing_;
};

}  // namespace tovu::platform::word
