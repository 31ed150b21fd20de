#include "control/WholeFile.h"

#include "platform/automation/AutomationError.h"
#include "platform/files/AtomicFile.h"

namespace tovu::control {

void writeWholeFile(const QString& path, const QByteArray& bytes)
{
    using platform::automation::AutomationError;
    const platform::files::WriteResult written = platform::files::writeFileAtomically(path, bytes);
    if (!written.ok)
        throw AutomationError(platform::automation::ErrorNumber::FileNotFound, QString(), written.reason);
}

} // namespace tovu::control
