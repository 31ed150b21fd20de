#pragma once

#include <QString>

namespace tovu::platform::zip {

// The part name a relationship target names: resolved against the folder of the part that
// holds the relationship ("" for the package's own), "." and ".." taken out. A target that
// climbs above the package's root names no part of it: ZipError.
QString resolvePartName(const QString& sourcePart, const QString& target);

// Whether an entry's name stays inside the package wherever it is unpacked: not absolute
// (a leading slash or backslash, a drive) and without a ".." among its folders, "\\" taken
// for a folder separator too, as some unpackers take it.
bool staysInsidePackage(const QString& entryName);

}  // namespace tovu::platform::zip
