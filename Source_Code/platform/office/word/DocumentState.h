#pragma once

#include "platform/office/word/DocumentModel.h"
#include "platform/office/word/Instrumentation.h"
#include "platform/office/word/WordError.h"

#include <memory>

namespace tovu::platform::word {

class Application;
struct MailMergeState;

// What every object handed out for one document shares: the model, the test hooks, the
// selection, and whether the document is still open. Objects outlive a closed document
// (a caller may still hold them) and then fail on use, as automation objects do.
struct DocumentState {
    std::unique_ptr<DocumentModel> model = std::make_unique<DocumentModel>();
    std::shared_ptr<Instrumentation> hooks = std::make_shared<Instrumentation>();
    std::weak_ptr<Application> application;
    std::shared_ptr<Anchor> selection;
    QString name;  // file name, or "Document<n>" before the first save
    QString path;  // folder; empty before the first save
    std::uint64_t savedRevision = 0;
    SaveFormat fileFormat = SaveFormat::Default;  // what Save writes
    bool closed = false;
    // The document's mail merge (MailMerge.cpp), made on first use.
    std::shared_ptr<MailMergeState> mailMerge;

    void enter(const QString& operation, const QString& arguments = {}) const
    {
        if (closed)
            throw WordError(operation, QStringLiteral("the document has been closed"));
        hooks->enter(operation, arguments);
    }
    bool saved() const { return model->revision() == savedRevision; }
    void touch() { ++model->settingsRevision; }
};

using StatePtr = std::shared_ptr<DocumentState>;

}  // namespace tovu::platform::word
