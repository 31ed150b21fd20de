#pragma once

#include "platform/office/word/DocumentModel.h"

#include <QByteArray>

namespace tovu::platform::word {

// Builds the .docx package of a model: content types, package and document relationships,
// the main part in the schema's element order, styles, settings, properties, headers and
// footers with their PAGE fields, and the media parts. Parts carried from a foreign file
// go back in unchanged. Throws WordError.
QByteArray buildDocx(const DocumentModel& model);

}  // namespace tovu::platform::word
