#pragma once

#include "platform/office/word/DocumentModel.h"

#include <QByteArray>
#include <memory>

namespace tovu::platform::word {

// Reads a .docx package into a new model: what the writer writes comes back as it was;
// of a foreign file, elements the model does not understand are kept as their XML and
// parts it does not read are carried, so a re-save writes them back. Throws WordError.
std::unique_ptr<DocumentModel> readDocx(const QByteArray& package);

}  // namespace tovu::platform::word
