// The Word session of a spell check: a hidden Word of its own with one new document,
// moved off the screen, with the caller's custom dictionary when one is named. Each text
// goes into the selection, Word's spelling and grammar dialog runs over it, and the
// selection is read back. The session ends by closing the document unsaved, putting the
// window back and quitting that Word; a session left without end() (a failure on the
// way) does the same with every step's errors ignored.
#pragma once

#include "platform/office/word/Application.h"

#include <QString>
#include <initializer_list>
#include <memory>

namespace tovu::control {

namespace word = tovu::platform::word;

class SpellingSession {
public:
    // Raises when Word cannot be started or the dictionary not added.
    SpellingSession(word::WordEnvironment& environment, const QString& customDictionary);
    ~SpellingSession();
    SpellingSession(const SpellingSession&) = delete;
    SpellingSession& operator=(const SpellingSession&) = delete;

    struct Checked {
        QString selection;  // Selection.Text after the dialog
        QString text;       // the same with the source text's own line ends, to write back
        bool cancelled;     // the dialog was cancelled
        // The code of the selection's first character; raises when the selection is empty.
        int firstCode() const;
        // Cancelled, or the first character is one of the marks that stand for a cancel.
        bool cancelledBy(std::initializer_list<int> marks) const;
    };
    Checked check(const QString& text);
    // Selection.Delete: empties the document for the next text.
    void deleteSelection();
    void end();

    // The path a custom dictionary name stands for: the active custom dictionary's folder,
    // the path separator and the trimmed name, with ".dic" unless it ends so in any case.
    static QString dictionaryPath(const QString& folder, const QString& separator, const QString& name);

private:
    void close();  // the failure path: every step, errors ignored

    std::shared_ptr<word::Application> app_;
    std::shared_ptr<word::Document> doc_;
    std::int32_t top_ = 0;
};

// Trim as the run-time has it: blanks at both ends, no other white space.
QString trimBlanks(const QString& text);

} // namespace tovu::control
