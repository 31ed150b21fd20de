#include "control/OpenDocuments.h"

#include "control/FileExists.h"

namespace tovu::control {

std::shared_ptr<word::Document> findOpenDocument(word::Application& application, const QString& path)
{
    word::Documents documents = application.documents();
    const int count = documents.count();
    for (int i = 1; i <= count; ++i) {
        auto doc = documents.item(i);
        if (!doc->path().isEmpty() && SameFile(doc->fullName(), path))
            return doc;
    }
    return nullptr;
}

} // namespace tovu::control
