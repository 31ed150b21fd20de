#pragma once

#include <QString>
#include <stdexcept>

namespace tovu::platform::zip {

// A package that cannot be built or read: the description says which part and why. The
// office stand-ins turn it into the error of the call that met it.
class ZipError : public std::runtime_error {
public:
    explicit ZipError(const QString& description)
        : std::runtime_error(description.toStdString()), description_(description) {}
    const QString& description() const { return description_; }

private:
    QString description_;
};

}  // namespace tovu::platform::zip
