#include "platform/spelling/ScriptedSpellingDialog.h"

namespace tovu::platform::spelling {

void ScriptedSpellingDialog::answer(Decision decision)
{
    script_.push_back([decision](const Misspelling&) { return decision; });
}

void ScriptedSpellingDialog::answer(Answer answer)
{
    script_.push_back(std::move(answer));
}

void ScriptedSpellingDialog::answerFirstSuggestion()
{
    script_.push_back([](const Misspelling& m) {
        return m.suggestions.isEmpty() ? Decision::ignore() : Decision::change(m.suggestions.front());
    });
}

Decision ScriptedSpellingDialog::decide(const Misspelling& misspelling)
{
    asked_.push_back(misspelling);
    if (script_.empty())
        return default_;
    Answer next = std::move(script_.front());
    script_.pop_front();
    return next(misspelling);
}

QStringList ScriptedSpellingDialog::askedWords() const
{
    QStringList words;
    for (const Misspelling& m : asked_)
        words << m.word();
    return words;
}

} // namespace tovu::platform::spelling
