#pragma once

#include "platform/office/word/Range.h"

#include <QStringList>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace tovu::platform::word {

class Application;
class Document;

// A piece of a merge layout: typed text (paragraph marks as CR) or a merge field.
struct LayoutPiece {
    QString text;
    QString field;  // the field's name; empty for text
    bool isField() const { return !field.isEmpty(); }
    bool operator==(const LayoutPiece&) const = default;
};
using MergeLayout = std::vector<LayoutPiece>;

// The records of an opened data source: field names and one text per field and record.
struct MergeRecords {
    QStringList fields;
    std::vector<QStringList> rows;
};

// How OpenDataSource was called, as far as the stand-in reads it.
struct DataSourceArgs {
    QString name;          // a data file: delimited text, or a database file queried with sqlStatement
    QString connection;    // an ODBC connection string ("DSN=...")
    QString sqlStatement;
    std::optional<int> subType;
};

// A product of label sheets: its grid and sizes in points.
struct LabelProduct {
    QString name;
    int rows = 0;
    int columns = 0;
    double labelWidth = 0;
    double labelHeight = 0;
    double horizontalPitch = 0;  // from one label's left edge to the next one's
    double verticalPitch = 0;
    double topMargin = 0;
    double sideMargin = 0;
    double pageWidth = 0;
    double pageHeight = 0;
};
// The label products this installation knows; null for another name.
const LabelProduct* labelProduct(const QString& name);

enum MainDocumentType : int { NotAMergeDocument = -1, FormLetters = 0, MailingLabels = 1, Envelopes = 2, Catalog = 3 };
enum MergeDestination : int { NewDocument = 0, Printer = 1, Email = 2, Fax = 3 };

struct MailMergeState {
    int mainDocumentType = NotAMergeDocument;
    int destination = NewDocument;
    bool suppressBlankLines = true;  // a line of nothing but empty fields is left out
    std::optional<DataSourceArgs> source;
    std::optional<MergeRecords> records;
    std::optional<LabelProduct> labels;  // set up by MailingLabel.CreateNewDocument
    MergeLayout labelLayout;             // the layout of each label
};

// MailMerge.Fields of a document.
class MailMergeFields {
public:
    explicit MailMergeFields(StatePtr state) : state_(std::move(state)) {}
    // Puts a merge field in place of the range; when the range is the insertion point, the
    // insertion point moves on behind the field. Returns the field's range.
    Range add(const Range& range, const QString& name);
    int count() const;

private:
    StatePtr state_;
};

// Document.MailMerge.
class MailMerge {
public:
    explicit MailMerge(std::shared_ptr<Document> document);
    MailMergeFields fields() const;
    int mainDocumentType() const;
    void setMainDocumentType(int type);
    int destination() const;
    void setDestination(int destination);
    // Opens the data source and reads its records: an ODBC connection with its query, a
    // database file queried with the statement, or a delimited text file (the first line
    // names the fields; tab-delimited when that line holds a tab, else comma-delimited).
    // A document that was no main document becomes one of form letters.
    void openDataSource(const DataSourceArgs& args);
    // Merges into a new document, which becomes the active one: for mailing labels one label
    // per record, a sheet's table after another, each sheet on its own page. Fails when the
    // document is no labels main document, no data source is open, it holds no record, or
    // the layout names a field the data source does not have.
    std::shared_ptr<Document> execute();
    const MailMergeState& state() const { return *merge_; }

private:
    void enter(const char* operation, const QString& arguments = {}) const;
    std::shared_ptr<Document> document_;
    std::shared_ptr<MailMergeState> merge_;
};

// The user's normal template as the instances share it.
struct NormalTemplateStore {
    std::map<QString, MergeLayout> autoText;  // by name in lower case
    std::map<QString, QString> autoTextNames; // lower case -> as given
    bool saved = true;
};

class AutoTextEntry {
public:
    AutoTextEntry(std::shared_ptr<Application> application, QString name);
    QString name() const { return name_; }
    MergeLayout value() const;
    void remove();  // Delete

private:
    std::shared_ptr<Application> app_;
    QString name_;
};

// NormalTemplate of an application and its AutoTextEntries.
class NormalTemplate {
public:
    explicit NormalTemplate(std::shared_ptr<Application> application);
    // AutoTextEntries.Add: the range's contents, fields included, under name (replacing an
    // entry of that name, whatever its case).
    AutoTextEntry addAutoText(const QString& name, const Range& range);
    bool hasAutoText(const QString& name) const;
    AutoTextEntry autoText(const QString& name) const;  // fails when there is none
    int autoTextCount() const;
    bool saved() const;
    void setSaved(bool saved);

private:
    NormalTemplateStore& store() const;
    std::shared_ptr<Application> app_;
};

// Application.MailingLabel.
class MailingLabel {
public:
    explicit MailingLabel(std::shared_ptr<Application> application) : app_(std::move(application)) {}
    // A sheet of labels of the named product. When the active document is a mailing-labels
    // main document, the sheet is set up in it, every label holding the AutoText entry's
    // layout; otherwise a new document gets the sheet with address in every label. Returns
    // the document of the sheet. An unknown product or AutoText entry fails.
    std::shared_ptr<Document> createNewDocument(const QString& name, const QString& address,
                                                const QString& autoText, int laserTray);

private:
    std::shared_ptr<Application> app_;
};

// The layout of a stretch of text: its characters and merge fields (Content of a label).
MergeLayout layoutOf(const Range& range);

}  // namespace tovu::platform::word
