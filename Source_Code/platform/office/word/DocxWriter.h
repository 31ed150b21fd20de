#pragma once

#include "platform/office/word/DocumentModel.h"

#include <QByteArray>

namespace tovu::platform::word {

// Builds the .docx package of a model: content types, package and document relationships,
// the main part in the schema's element order, styles, settings, properties, headers and
// footers with their PAGE fields, and the media parts. Parts carried from a foreign file
// go back in unchanged. Throws WordError.
// Saved again, a model costs what changed since its last save: the writer keeps what it
// wrote in the model's save cache and writes the body again only from its first change,
// and parts and media that did not change go in as they were compressed.
enum class SaveCache { Use, Ignore };
QByteArray buildDocx(const DocumentModel& model, SaveCache use = SaveCache::Use);

}  // namespace tovu::platform::word
