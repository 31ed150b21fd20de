#pragma once

#include "platform/office/word/WordEnvironment.h"

namespace tovu::platform::word {

// A view factory for WordEnvironment::setViewFactory: a top-level window whose title is
// the application's caption, showing the active document's pages.
ViewFactory widgetViewFactory();

}  // namespace tovu::platform::word
