#include "platform/zip/PartNames.h"

#include "platform/zip/ZipError.h"

#include <QRegularExpression>
#include <QStringList>

namespace tovu::platform::zip {

QString resolvePartName(const QString& sourcePart, const QString& target)
{
    QStringList parts;
    if (!target.startsWith(QLatin1Char('/'))) {
        parts = sourcePart.split(QLatin1Char('/'));
        parts.removeLast();  // the source part's own name; its folders stay
    }
    for (const QString& piece : target.split(QLatin1Char('/'))) {
        if (piece == QLatin1String("..")) {
            if (parts.isEmpty())
                throw ZipError(QStringLiteral("the relationship target \"%1\" of \"%2\" lies outside the package")
                                   .arg(target, sourcePart.isEmpty() ? QStringLiteral("the package") : sourcePart));
            parts.removeLast();
        } else if (!piece.isEmpty() && piece != QLatin1String(".")) {
            parts << piece;
        }
    }
    return parts.join(QLatin1Char('/'));
}

bool staysInsidePackage(const QString& entryName)
{
    if (entryName.startsWith(QLatin1Char('/')) || entryName.startsWith(QLatin1Char('\\')) ||
        (entryName.size() >= 2 && entryName.at(0).isLetter() && entryName.at(1) == QLatin1Char(':')))
        return false;
    static const QRegularExpression separator(QStringLiteral("[/\\\\]"));
    return !entryName.split(separator).contains(QStringLiteral(".."));
}

}  // namespace tovu::platform::zip
