#pragma once

#include "platform/office/word/WordError.h"

namespace tovu::platform::excel {

// What a failing call of the spreadsheet automation raises: an operation and a description,
// as the word processor's calls raise them; the document control traps it and turns it into
// its status code.
class ExcelError : public word::WordError {
public:
    using WordError::WordError;
};

}  // namespace tovu::platform::excel
