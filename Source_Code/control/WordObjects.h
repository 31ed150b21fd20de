// The Word application and document as automation objects, for the methods that hand them to
// the host (GetWordObject, GetDocumentObject). The host reads them by member name.
#pragma once

#include "platform/automation/Dispatch.h"
#include "platform/office/word/Application.h"

#include <memory>

namespace tovu::control {

namespace automation = tovu::platform::automation;
namespace word = tovu::platform::word;

// Members: Name, Version, Caption, Visible (read and assign).
automation::DispatchRef applicationObject(std::shared_ptr<word::Application> application);
// Members: Name, Path, FullName, Saved.
automation::DispatchRef documentObject(std::shared_ptr<word::Document> document);

// The instance behind such an object; null for any other object.
std::shared_ptr<word::Application> applicationBehind(const automation::DispatchRef& object);
std::shared_ptr<word::Document> documentBehind(const automation::DispatchRef& object);

} // namespace tovu::control
