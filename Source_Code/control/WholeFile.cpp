#include "control/WholeFile.h"

#include "platform/automation/AutomationError.h"

#include <QSaveFile>

namespace tovu::control {

void writeWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw platform::automation::AutomationError::standard(platform::automation::ErrorNumber::FileNotFound);
}

} // namespace tovu::control
