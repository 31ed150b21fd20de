// Finding a file among the documents a Word instance has open.
#pragma once

#include "platform/office/word/Application.h"

#include <memory>

namespace tovu::control {

namespace word = tovu::platform::word;

// The open, saved document of application that is the file path (compared as files), or none.
std::shared_ptr<word::Document> findOpenDocument(word::Application& application, const QString& path);

} // namespace tovu::control
