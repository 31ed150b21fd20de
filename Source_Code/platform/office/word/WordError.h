#pragma once

#include <QString>
#include <stdexcept>

namespace tovu::platform::word {

// What a failing call of the document automation raises: the caller (the document
// control) traps it and turns it into its status code, as it would an automation error.
class WordError : public std::runtime_error {
public:
    WordError(const QString& operation, const QString& description)
        : std::runtime_error((operation + QStringLiteral(": ") + description).toStdString()),
          operation_(operation), description_(description) {}

    const QString& operation() const { return operation_; }
    const QString& description() const { return description_; }

private:
    QString operation_;
    QString description_;
};

}  // namespace tovu::platform::word
