#pragma once
// Word's proofing objects as the document control uses them: the custom dictionaries of
// an application (Add, the active dictionary, its Path) and the built-in dialogs, of which
// the spelling and grammar dialog (828) is offered. Its Show checks the selection (from the
// insertion point to the end of the document when nothing is selected) word by word with
// the installation's spelling dialog and makes the changes the user chooses in the
// document. Afterwards the selection holds the checked text; after a cancel it is the
// insertion point behind the word the dialog showed. Show answers -1 when the check ran to
// its end and 0 when the user cancelled.

#include "platform/spelling/CustomDictionary.h"

#include <QString>
#include <memory>

namespace tovu::platform::word {

class Application;
class Document;
struct ApplicationProofing;

// One custom dictionary of an application.
class Dictionary {
public:
    Dictionary(std::shared_ptr<Application> application, std::shared_ptr<spelling::CustomDictionary> words)
        : app_(std::move(application)), words_(std::move(words)) {}
    QString name() const;
    QString path() const;  // the folder, without a trailing separator
    QString fullName() const;
    const std::shared_ptr<spelling::CustomDictionary>& words() const { return words_; }

private:
    std::shared_ptr<Application> app_;
    std::shared_ptr<spelling::CustomDictionary> words_;
};

// Application.CustomDictionaries: CUSTOM.DIC of the installation's dictionary folder, and
// those added.
class CustomDictionaries {
public:
    explicit CustomDictionaries(std::shared_ptr<Application> application) : app_(std::move(application)) {}
    int count() const;
    // Adds the file (a name without a folder lies in the dictionary folder); a file not
    // there yet is a new, empty dictionary. A file already in the list is not added twice.
    Dictionary add(const QString& fileName);
    Dictionary activeCustomDictionary() const;
    void setActiveCustomDictionary(const Dictionary& dictionary);

private:
    std::shared_ptr<Application> app_;
};

// Word's number of the spelling and grammar dialog.
inline constexpr int kDialogToolsSpellingAndGrammar = 828;

class Dialog {
public:
    Dialog(std::shared_ptr<Application> application, int type) : app_(std::move(application)), type_(type) {}
    int show();

private:
    std::shared_ptr<Application> app_;
    int type_;
};

class Dialogs {
public:
    explicit Dialogs(std::shared_ptr<Application> application) : app_(std::move(application)) {}
    // Only the spelling and grammar dialog is offered; another number fails.
    Dialog item(int type) const;

private:
    std::shared_ptr<Application> app_;
};

// Checks the spelling of the document's main text with the installation's dialog, as
// Document.CheckSpelling does; false when the user cancelled.
bool proofreadDocument(Document& document);

}  // namespace tovu::platform::word
