// Delimited text as the array methods read and write it: text files in the ANSI code page of
// the user's locale, lines ended by CR or CR LF when read and by CR LF when written, fields
// split at a one-character delimiter.
#pragma once

#include "platform/automation/SafeArray.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tovu::control {

namespace automation = tovu::platform::automation;

// The lines of a text file; none when it cannot be opened for reading.
std::optional<QStringList> readTextFileLines(const QString& path);
// Creates or replaces the file with the lines, each ended by CR LF; raises "File not found"
// when it cannot be written, leaving a file already there as it was.
void writeTextFileLines(const QString& path, const QStringList& lines);

// The fields of a line: one more at the line's end unless it already ends with the
// delimiter, a field at every character equal to the delimiter. A delimiter of more than
// one character equals no character and gives no fields.
QStringList delimitedFields(QString line, const QString& delimiter);
// Enclosing double quotes taken off a field of two or more characters that has them.
QString withoutQuotes(const QString& field);
// Rows 0 to lines - 1 and columns 0 to the largest count of delimiters in a line, each
// line's fields from column 0 as texts, the other cells Empty. Raises "Subscript out of
// range" for no lines.
automation::SafeArray delimitedArray(const QStringList& lines, const QString& delimiter, bool removeQuotes);

// The text of a value joined into a line, Null as nothing.
QString joinedText(const automation::Variant& value);

} // namespace tovu::control
