// Word's major version as the control reads it from a running instance.
#pragma once

#include "platform/office/word/Application.h"

#include <cstdint>

namespace tovu::control {

// The text of Version up to its first "." as a 16-bit number. A text that is no number
// raises a conversion error to the caller.
std::int16_t GetWordMajorVersion(tovu::platform::word::Application& application);

} // namespace tovu::control
