#pragma once
// ProgIDs ("Project.Class"): which texts are ProgIDs at all, and the library file names a
// ProgID may live in. A text that is not a plain ProgID is refused before anything looks
// at the file system, so no ProgID can name a path.

#include <QString>
#include <QStringList>

namespace tovu::platform::automation {

// Longest ProgID accepted; longer texts are refused, not cut.
inline constexpr qsizetype maxProgIdLength = 128;

// Two or more parts separated by single points; each part ASCII letters, digits and
// '_', the first beginning with a letter. Nothing else: no blanks, slashes, NULs.
bool isPlainProgId(const QString& progId);

// The key under which a ProgID is kept: ProgIDs match without regard to case.
QString progIdKey(const QString& progId);

// The file names, in the order tried, of the library in the program's library folder
// that serves a plain ProgID: "lib<project>.so" and "<project>.so", the project being
// the first part in lower case.
QStringList libraryFileNames(const QString& progId);

} // namespace tovu::platform::automation
