#include "platform/automation/ProgId.h"

namespace tovu::platform::automation {

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isPartCharacter(QChar c)
{
    return isAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'_';
}

} // namespace

bool isPlainProgId(const QString& progId)
{
    if (progId.isEmpty() || progId.size() > maxProgIdLength || !isAsciiLetter(progId[0]))
        return false;
    int parts = 1;
    bool partHasCharacters = false;
    for (const QChar c : progId) {
        if (c == u'.') {
            if (!partHasCharacters)
                return false;
            ++parts;
            partHasCharacters = false;
        } else if (isPartCharacter(c)) {
            partHasCharacters = true;
        } else {
            return false;
        }
    }
    return partHasCharacters && parts >= 2;
}

QString progIdKey(const QString& progId)
{
    return progId.toLower();
}

QStringList libraryFileNames(const QString& progId)
{
    const QString project = progId.section(u'.', 0, 0).toLower();
    return {QStringLiteral("lib") + project + QStringLiteral(".so"), project + QStringLiteral(".so")};
}

} // namespace tovu::platform::automation
