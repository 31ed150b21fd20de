#pragma once

#include <QString>

namespace tovu::platform::zip {

// The part name a relationship target names: resolved against the folder of the part that
// holds the relationship ("" for the package's own), "." and ".." taken out. A target that
// climbs above the package's root names no part of it: ZipError.
QString resolvePartName(const QString& sourcePart, const QString& target);

}  // namespace tovu::platform::zip
