#pragma once
// The spelling dialog as the proofreader asks it: for each word it does not know, the
// text around it, the word and the suggestions; the user's answer comes back. The
// program's window and the scripted dialog of the tests implement it.

#include <QString>
#include <QStringList>

namespace tovu::platform::spelling {

struct Misspelling {
    QString text;  // the whole text being checked, as it stands now
    int start = 0; // where the word starts in text
    int length = 0;
    QStringList suggestions;

    QString word() const { return text.mid(start, length); }
};

struct Decision {
    enum class Kind {
        Ignore,           // leave this occurrence
        IgnoreAll,        // leave it wherever it occurs, for the rest of the session
        Change,           // replace this occurrence by replacement
        ChangeAll,        // replace it wherever it occurs, for the rest of the session
        AddToDictionary,  // add the word to the active custom dictionary
        Cancel,           // stop checking
    };
    Kind kind = Kind::Cancel;
    QString replacement;

    static Decision ignore() { return {Kind::Ignore, {}}; }
    static Decision ignoreAll() { return {Kind::IgnoreAll, {}}; }
    static Decision change(QString to) { return {Kind::Change, std::move(to)}; }
    static Decision changeAll(QString to) { return {Kind::ChangeAll, std::move(to)}; }
    static Decision addToDictionary() { return {Kind::AddToDictionary, {}}; }
    static Decision cancel() { return {Kind::Cancel, {}}; }
};

class SpellingDialog {
public:
    virtual ~SpellingDialog() = default;
    // Blocks until the user has answered.
    virtual Decision decide(const Misspelling& misspelling) = 0;
};

} // namespace tovu::platform::spelling
