#pragma once
// What the spelling layer raises when a dictionary cannot be read or written, or when no
// dialog is there to ask the user.

#include <QString>
#include <stdexcept>

namespace tovu::platform::spelling {

class SpellingError : public std::runtime_error {
public:
    explicit SpellingError(const QString& description)
        : std::runtime_error(description.toStdString()), description_(description) {}
    const QString& description() const { return description_; }

private:
    QString description_;
};

} // namespace tovu::platform::spelling
