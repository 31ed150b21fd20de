// A package (.docx, .xlsx) with some of its parts changed, for tests of what a reader does
// with damaged and hostile files: the parts keep their order, new ones follow.
#pragma once

#include "platform/zip/ZipArchive.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

namespace tovu::testing {

// edit gets the parts by name; a part it empties is left out.
inline QByteArray editedPackage(const QByteArray& package, const std::function<void(QMap<QString, QByteArray>&)>& edit)
{
    const platform::zip::ZipReader reader(package);
    QStringList order = reader.names();
    QMap<QString, QByteArray> parts;
    for (const QString& part : order)
        parts[part] = reader.read(part);
    edit(parts);
    for (const QString& part : parts.keys())
        if (!order.contains(part))
            order << part;
    platform::zip::ZipWriter writer;
    for (const QString& part : order)
        if (!parts.value(part).isEmpty())
            writer.add(part, parts.value(part));
    return writer.finish();
}

}  // namespace tovu::testing
