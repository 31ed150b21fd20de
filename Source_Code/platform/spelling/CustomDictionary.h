#pragma once
// A custom dictionary: a word list file of the user's, one word to a line. Files are read
// as UTF-16 or UTF-8 when they start with a byte-order mark, else as UTF-8 when they are
// valid UTF-8 and in the Western ANSI code page otherwise; a file that does not exist yet
// is an empty list and is created, in UTF-16 with a byte-order mark and CR LF lines, when
// the first word is added.

#include <QString>
#include <QStringList>

namespace tovu::platform::spelling {

class CustomDictionary {
public:
    // Reads the file when it exists; throws SpellingError when it exists and cannot be read.
    explicit CustomDictionary(const QString& fileName);

    const QString& fileName() const { return fileName_; }
    const QStringList& words() const { return words_; }
    // A word in lower case stands for every capitalisation of it; one with capitals
    // matches itself and its upper-case form.
    bool contains(const QString& word) const;
    // Adds the word and writes the file (through a temporary file, so that a failed write
    // leaves the old list on disk); throws SpellingError when the file cannot be written.
    void add(const QString& word);

private:
    enum class Encoding { Utf16LE, Utf16BE, Utf8Bom, Utf8, Ansi };
    QString fileName_;
    QStringList words_;
    Encoding encoding_ = Encoding::Utf16LE;
};

} // namespace tovu::platform::spelling
