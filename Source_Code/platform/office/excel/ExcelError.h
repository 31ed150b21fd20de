#pragma once

#include <QString>
#include <stdexcept>

namespace tovu::platform::excel {

// What a failing call of the spreadsheet automation raises: an operation and a description;
// the document control traps it and turns it into its status code.
class ExcelError : public std::runtime_error {
public:
    ExcelError(const QString& operation, const QString& description)
        : std::runtime_error((operation + QStringLiteral(": ") + description).toStdString()),
          operation_(operation), description_(description) {}

    const QString& operation() const { return operation_; }
    const QString& description() const { return description_; }

private:
    QString operation_;
    QString description_;
};

}  // namespace tovu::platform::excel
