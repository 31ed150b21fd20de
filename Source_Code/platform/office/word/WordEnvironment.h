#pragma once

#include "platform/office/word/Instrumentation.h"
#include "platform/printing/Printing.h"

#include <QHash>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace tovu::platform::word {

class Application;
class Document;
class ProofingSettings;
struct NormalTemplateStore;

// Where running automation servers are registered by ProgID. The program's running-object
// table adapts to this; LocalActiveObjectTable serves tests and a program without one.
class ActiveObjectTable {
public:
    virtual ~ActiveObjectTable() = default;
    virtual void registerActive(const QString& progId, std::shared_ptr<void> object) = 0;
    virtual void revokeActive(const QString& progId, const void* object) = 0;
    // The first object registered under progId and not revoked; null when none.
    virtual std::shared_ptr<void> active(const QString& progId) const = 0;
};

class LocalActiveObjectTable : public ActiveObjectTable {
public:
    void registerActive(const QString& progId, std::shared_ptr<void> object) override;
    void revokeActive(const QString& progId, const void* object) override;
    std::shared_ptr<void> active(const QString& progId) const override;

private:
    std::vector<std::pair<QString, std::shared_ptr<void>>> entries_;
};

// The window that shows a visible application and its active document's pages.
class ApplicationView {
public:
    virtual ~ApplicationView() = default;
    virtual void showView() = 0;
    virtual void hideView() = 0;
    virtual void raiseView() = 0;  // bring to the front
    virtual void showDocument(const std::shared_ptr<Document>& document) = 0;
    // The document's pages as they will print, until the user closes the preview; a view
    // without a preview of its own shows the document.
    virtual void showPreview(const std::shared_ptr<Document>& document) { showDocument(document); }
};
using ViewFactory = std::function<std::unique_ptr<ApplicationView>(Application&)>;
// Checks the spelling of a document interactively (the program's spelling dialog);
// throws WordError when the check cannot be run.
using SpellingChecker = std::function<void(Document&)>;

// The word-processor as an installed program: starts applications, finds the running one,
// and holds the test hooks every application and document shares. The program makes one
// and passes it where Word is driven.
class WordEnvironment {
public:
    static constexpr const char* kProgId = "Word.Application";

    explicit WordEnvironment(ActiveObjectTable& table);
    ~WordEnvironment();
    WordEnvironment(const WordEnvironment&) = delete;
    WordEnvironment& operator=(const WordEnvironment&) = delete;

    // A new instance, as creating the automation object by ProgID does: running (and
    // offered as active) until it quits. Throws WordError when not installed or when the
    // "Application.Create" hook is armed.
    std::shared_ptr<Application> createApplication();
    // The running instance registered as active; null when none.
    std::shared_ptr<Application> activeApplication() const;
    // The proofing tools every application of the installation uses (ProofingSettings.h).
    ProofingSettings& proofing();

    void setInstalled(bool installed) { installed_ = installed; }
    bool installed() const { return installed_; }
    const std::shared_ptr<Instrumentation>& instrumentation() const { return hooks_; }
    void setViewFactory(ViewFactory factory) { viewFactory_ = std::move(factory); }
    const ViewFactory& viewFactory() const { return viewFactory_; }
    void setSpellingChecker(SpellingChecker checker) { spellingChecker_ = std::move(checker); }
    const SpellingChecker& spellingChecker() const { return spellingChecker_; }
    // A printer of the installation beside the system's ones that writes every job it gets
    // into a PDF file, as a print-to-file printer does; the active printer may name it.
    void addFilePrinter(const QString& name, const QString& pdfFile) { filePrinters_[name] = pdfFile; }
    // The file the printer of that name writes into; "" for any other printer.
    QString filePrinterOutput(const QString& name) const { return filePrinters_.value(name); }
    // The printers documents print on: PDF files only (no printer installed) unless the
    // host hands over the system's printers.
    void setPrinting(std::shared_ptr<printing::Printing> printing) { printing_ = std::move(printing); }
    printing::Printing& printing() const { return *printing_; }
    ActiveObjectTable& table() { return table_; }
    // The version every instance reports ("16.0" unless a test sets another).
    void setVersion(const QString& version) { version_ = version; }
    const QString& version() const { return version_; }
    // The user's normal template, one for every instance (MailMerge.cpp fills it).
    std::shared_ptr<NormalTemplateStore>& normalTemplateStore() { return normalTemplate_; }

    // Bookkeeping of the applications (used by Application).
    void applicationQuit(Application* application);
    int runningCount() const { return static_cast<int>(running_.size()); }

private:
    ActiveObjectTable& table_;
    std::shared_ptr<Instrumentation> hooks_ = std::make_shared<Instrumentation>();
    bool installed_ = true;
    ViewFactory viewFactory_;
    SpellingChecker spellingChecker_;
    QHash<QString, QString> filePrinters_;
    std::shared_ptr<printing::Printing> printing_ = std::make_shared<printing::PdfPrinting>();
    QString version_ = QStringLiteral("16.0");
    std::shared_ptr<NormalTemplateStore> normalTemplate_;
    std::vector<std::shared_ptr<Application>> running_;  // a started Word runs until it quits
    std::shared_ptr<ProofingSettings> proofing_;
};

}  // namespace tovu::platform::word
