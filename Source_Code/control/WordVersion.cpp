#include "control/WordVersion.h"

#include "platform/automation/Variant.h"

namespace tovu::control {

std::int16_t GetWordMajorVersion(tovu::platform::word::Application& application)
{
    const QString version = application.version();
    const qsizetype dot = version.indexOf(QLatin1Char('.'));
    return tovu::platform::automation::Variant(dot >= 0 ? version.left(dot) : version).toInteger();
}

} // namespace tovu::control
