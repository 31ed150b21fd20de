#pragma once

#include "platform/office/word/Bookmarks.h"
#include "platform/office/word/Hyperlinks.h"
#include "platform/office/word/PageSetup.h"
#include "platform/office/word/Paragraphs.h"
#include "platform/office/word/Range.h"
#include "platform/office/word/Sections.h"
#include "platform/office/word/Selection.h"
#include "platform/office/word/Shapes.h"
#include "platform/office/word/Tables.h"

#include <memory>

namespace tovu::platform::word {

class Application;

enum class Statistic : int { Words = 0, Lines = 1, Pages = 2, Characters = 3, Paragraphs = 4, CharactersWithSpaces = 5 };

class Document : public std::enable_shared_from_this<Document> {
public:
    explicit Document(StatePtr state) : state_(std::move(state)) {}

    QString name() const;
    QString path() const;      // folder without a trailing separator; "" before the first save
    QString fullName() const;  // path and name; the name alone before the first save
    bool saved() const;
    bool isClosed() const { return state_->closed; }

    // Makes this the application's active document.
    void activate();
    // Saves under the document's own name and format; a document never saved has none
    // and the call fails.
    void save();
    // Saves as fileName in format. Passwords cannot be honoured by this writer: with
    // either password given the call fails and nothing is written.
    void saveAs(const QString& fileName, SaveFormat format = SaveFormat::Default, const QString& password = {},
                const QString& writePassword = {});
    void close(bool saveChanges = false);

    Range content() const;
    Range range(int start, int end) const;
    Paragraphs paragraphs() const { return content().paragraphs(); }
    Tables tables() const { return Tables(state_); }
    Bookmarks bookmarks() const { return Bookmarks(state_); }
    Sections sections() const { return Sections(state_); }
    PageSetup pageSetup() const { return PageSetup(state_); }
    InlineShapes inlineShapes() const { return InlineShapes(state_); }
    Shapes shapes() const { return Shapes(state_); }
    Hyperlinks hyperlinks() const { return Hyperlinks(state_); }
    Selection selection() const { return Selection(state_); }

    // GoTo with What = -1 (a bookmark): moves the selection to the bookmark's start and
    // returns that point. Other kinds of target are not offered.
    Range goTo(int what, const QString& name);

    void repaginate();
    int computeStatistics(Statistic statistic) const;
    // Prints to the application's active printer, or into outputFileName (as PDF).
    void printOut(const QString& outputFileName = {});
    // Shows the pages in the viewer window; fails where no window can be shown.
    void printPreview();
    // Runs the program's spelling check over the document; fails where none is installed.
    void checkSpelling();
    // There is no grammar checker here: the call always fails.
    void checkGrammar();

    const DocumentModel& model() const { return *state_->model; }
    DocumentModel& model() { return *state_->model; }
    const StatePtr& state() const { return state_; }
    std::shared_ptr<Application> application() const;

private:
    void enter(const char* operation, const QString& arguments = {}) const;
    StatePtr state_;
};

}  // namespace tovu::platform::word
