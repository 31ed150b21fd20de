#include "platform/spelling/Proofreader.h"

#include <QTextBoundaryFinder>

namespace tovu::platform::spelling {

namespace {

// A word the default options leave alone: one with a digit, or one without lower-case letters.
bool exempt(const QString& word)
{
    bool lower = false;
    for (const QChar c : word) {
        if (c.isDigit())
            return true;
        if (c.isLower())
            lower = true;
    }
    return !lower;
}

bool hasLetter(QStringView word)
{
    for (const QChar c : word)
        if (c.isLetter())
            return true;
    return false;
}

struct Word {
    int start = -1;
    int end = -1;
};

// The first word that starts at or after from.
Word nextWord(const QString& text, int from)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text);
    finder.setPosition(from);
    if (!finder.isAtBoundary())
        finder.toNextBoundary();
    int start = finder.position();
    while (start >= 0 && start < text.size()) {
        const int end = finder.toNextBoundary();
        if (end < 0)
            break;
        QStringView piece = QStringView(text).mid(start, end - start);
        // Apostrophes at the ends belong to the quotation, not to the word.
        while (!piece.isEmpty() && (piece.front() == QLatin1Char('\'') || piece.front() == QChar(0x2019))) {
            piece = piece.mid(1);
            ++start;
        }
        while (!piece.isEmpty() && (piece.back() == QLatin1Char('\'') || piece.back() == QChar(0x2019)))
            piece.chop(1);
        if (hasLetter(piece))
            return {start, start + static_cast<int>(piece.size())};
        start = end;
    }
    return {};
}

} // namespace

Proofreader::Proofreader(std::shared_ptr<const Speller> speller)
    : speller_(std::move(speller))
{
}

void Proofreader::setCustomDictionaries(std::vector<std::shared_ptr<CustomDictionary>> dictionaries,
                                        std::shared_ptr<CustomDictionary> active)
{
    dictionaries_ = std::move(dictionaries);
    active_ = std::move(active);
}

bool Proofreader::knows(const QString& word) const
{
    if (exempt(word) || ignored_.contains(word) || speller_->check(word))
        return true;
    for (const auto& dictionary : dictionaries_)
        if (dictionary->contains(word))
            return true;
    return false;
}

ProofResult Proofreader::check(ProofText& text, SpellingDialog& dialog)
{
    int from = 0;
    for (;;) {
        const QString now = text.text();
        const Word w = nextWord(now, from);
        if (w.start < 0)
            return {false, static_cast<int>(now.size())};
        const QString word = now.mid(w.start, w.end - w.start);
        from = w.end;
        if (knows(word))
            continue;
        if (const auto it = changes_.constFind(word); it != changes_.cend()) {
            text.replace(w.start, w.end - w.start, *it);
            from = w.start + static_cast<int>(it->size());
            continue;
        }
        const Decision decision =
            dialog.decide(Misspelling{now, w.start, w.end - w.start, speller_->suggest(word)});
        switch (decision.kind) {
        case Decision::Kind::Ignore:
            break;
        case Decision::Kind::IgnoreAll:
            ignored_.insert(word);
            break;
        case Decision::Kind::ChangeAll:
            changes_.insert(word, decision.replacement);
            [[fallthrough]];
        case Decision::Kind::Change:
            text.replace(w.start, w.end - w.start, decision.replacement);
            from = w.start + static_cast<int>(decision.replacement.size());
            break;
        case Decision::Kind::AddToDictionary:
            if (active_)
                active_->add(word);
            else
                ignored_.insert(word);
            break;
        case Decision::Kind::Cancel:
            return {true, w.end};
        }
    }
}

} // namespace tovu::platform::spelling
