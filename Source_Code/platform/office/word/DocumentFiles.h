#pragma once

#include "platform/office/word/DocumentModel.h"
#include "platform/office/word/Formats.h"
#include "platform/printing/Printing.h"

#include <QString>
#include <memory>

namespace tovu::platform::word {

// Writes the model in one of the formats SaveAs offers. Every file is written to a
// temporary file and renamed into place, so a failed save leaves the old file intact.
// Throws WordError.
void writeDocumentFile(const DocumentModel& model, const QString& path, SaveFormat format);

// Reads a .docx, or a plain text file (UTF-8, else the user's ANSI code page); format
// tells which it was. Throws WordError for files that cannot be read, among them
// encrypted (password-protected) documents.
std::unique_ptr<DocumentModel> readDocumentFile(const QString& path, SaveFormat* format = nullptr);

// Sends the laid-out pages to the named printer (the default one when empty) or, with an
// output file, into that file as PDF, written whole or not at all. Throws WordError when
// no printer can take them or the file cannot be written (the reason naming the file).
void printDocument(const DocumentModel& model, printing::Printing& printers, const QString& printerName,
                   const QString& outputFile);

}  // namespace tovu::platform::word
