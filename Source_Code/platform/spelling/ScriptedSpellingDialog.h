#pragma once
// A spelling dialog that answers from a script instead of a user: the answers queued, in
// order, then the default answer (Ignore unless set). It keeps what it was asked.

#include "platform/spelling/SpellingDialog.h"

#include <deque>
#include <functional>
#include <vector>

namespace tovu::platform::spelling {

class ScriptedSpellingDialog final : public SpellingDialog {
public:
    using Answer = std::function<Decision(const Misspelling&)>;

    void answer(Decision decision);
    void answer(Answer answer);
    // Change the word to the dictionary's first suggestion (Ignore when there is none).
    void answerFirstSuggestion();
    void setDefault(Decision decision) { default_ = std::move(decision); }

    Decision decide(const Misspelling& misspelling) override;

    // The words asked about, in order, and everything the dialog was shown.
    QStringList askedWords() const;
    const std::vector<Misspelling>& asked() const { return asked_; }
    std::size_t pending() const { return script_.size(); }

private:
    std::deque<Answer> script_;
    Decision default_ = Decision::ignore();
    std::vector<Misspelling> asked_;
};

} // namespace tovu::platform::spelling
