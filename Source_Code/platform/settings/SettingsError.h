#pragma once
// What a failing call of the settings store raises: the run-time error number a caller's
// error handler sees (5 for a name the store cannot take, 75 for a store that cannot be
// written), the caller's name and a description.

#include <QString>
#include <cstdint>
#include <stdexcept>

namespace tovu::platform::settings {

namespace SettingsErrorNumber {
inline constexpr std::int32_t InvalidProcedureCall = 5;
inline constexpr std::int32_t PathFileAccess = 75;
} // namespace SettingsErrorNumber

class SettingsError : public std::runtime_error {
public:
    SettingsError(std::int32_t number, const QString& source, const QString& description)
        : std::runtime_error((source + QStringLiteral(": ") + description).toStdString()),
          number_(number), source_(source), description_(description) {}

    std::int32_t number() const { return number_; }
    const QString& source() const { return source_; }
    const QString& description() const { return description_; }

private:
    std::int32_t number_;
    QString source_;
    QString description_;
};

} // namespace tovu::platform::settings
