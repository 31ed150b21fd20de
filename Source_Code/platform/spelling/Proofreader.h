#pragma once
// Walks a text word by word, asks the dialog about every word that neither the main
// dictionary nor a custom dictionary knows, and carries out the answers on the text.
// Ignore All and Change All hold for the proofreader's life, as they do for a session
// of the word processor. Words with digits in them and words in capitals alone are not
// checked, as the word processor's default options have it.

#include "platform/spelling/CustomDictionary.h"
#include "platform/spelling/SpellingDialog.h"
#include "platform/spelling/Speller.h"

#include <QHash>
#include <QSet>
#include <memory>
#include <vector>

namespace tovu::platform::spelling {

// The text being proofread: the proofreader reads it again after each change it makes.
class ProofText {
public:
    virtual ~ProofText() = default;
    virtual QString text() const = 0;
    virtual void replace(int start, int length, const QString& with) = 0;
};

// A plain string as a ProofText.
class StringProofText final : public ProofText {
public:
    explicit StringProofText(QString text) : text_(std::move(text)) {}
    QString text() const override { return text_; }
    void replace(int start, int length, const QString& with) override { text_.replace(start, length, with); }

private:
    QString text_;
};

struct ProofResult {
    bool cancelled = false;
    // Where the word shown when the user cancelled ends; the text's length otherwise.
    int stoppedAt = 0;
};

class Proofreader {
public:
    explicit Proofreader(std::shared_ptr<const Speller> speller);

    // The dictionaries consulted besides the main one; words added go to the active one
    // (none: Add to Dictionary ignores the word for the session instead).
    void setCustomDictionaries(std::vector<std::shared_ptr<CustomDictionary>> dictionaries,
                               std::shared_ptr<CustomDictionary> active);

    bool knows(const QString& word) const;
    ProofResult check(ProofText& text, SpellingDialog& dialog);

private:
    std::shared_ptr<const Speller> speller_;
    std::vector<std::shared_ptr<CustomDictionary>> dictionaries_;
    std::shared_ptr<CustomDictionary> active_;
    QSet<QString> ignored_;
    QHash<QString, QString> changes_;
};

} // namespace tovu::platform::spelling
