#pragma once
// The proofing tools of the word-processor installation: the spelling dialog the user
// answers, the language the main dictionary is chosen for, and the folder of the user's
// custom dictionaries. Shared by every application of one environment.

#include "platform/spelling/SpellingDialog.h"
#include "platform/spelling/Speller.h"

#include <QString>
#include <memory>

namespace tovu::platform::word {

class ProofingSettings {
public:
    // The dialog Dialogs(828).Show and Document.CheckSpelling run; none: they fail.
    void setDialog(std::shared_ptr<spelling::SpellingDialog> dialog) { dialog_ = std::move(dialog); }
    const std::shared_ptr<spelling::SpellingDialog>& dialog() const { return dialog_; }

    // A hunspell language name ("en_US", "de_DE"); by default the user's locale chooses.
    void setLanguage(const QString& language);
    QString language() const;

    // Where the custom dictionaries lie, CUSTOM.DIC the active one at first; by default
    // "tovu/UProof" in the user's configuration folder.
    void setDictionaryFolder(const QString& folder) { folder_ = folder; }
    QString dictionaryFolder() const;

    // The main dictionary of the language, read once; throws SpellingError when the
    // installation has none.
    std::shared_ptr<const spelling::Speller> speller() const;

private:
    std::shared_ptr<spelling::SpellingDialog> dialog_;
    QString language_;
    QString folder_;
    mutable std::shared_ptr<const spelling::Speller> speller_;
};

}  // namespace tovu::platform::word
