#include "platform/office/word/MailMerge.h"

#include "platform/automation/AutomationError.h"
#include "platform/locale/AnsiCodePage.h"
#include "platform/locale/UserLocale.h"
#include "platform/office/ado/Connection.h"
#include "platform/office/ado/Recordset.h"
#include "platform/office/word/Application.h"
#include "platform/office/word/Document.h"
#include "platform/office/word/Tables.h"

#include <QFile>
#include <QStringDecoder>

namespace tovu::platform::word {

namespace {

namespace automation = tovu::platform::automation;
namespace ado = tovu::platform::ado;

constexpr double kInch = 72;

const std::vector<LabelProduct>& labelProducts()
{
    // Address labels, 30 to a US letter sheet: 3 across, 10 down, 2 5/8 in by 1 in.
    static const std::vector<LabelProduct> products = {
        {QStringLiteral("5160"), 10, 3, 2.625 * kInch, 1 * kInch, 2.75 * kInch, 1 * kInch, 0.5 * kInch,
         0.1875 * kInch, 8.5 * kInch, 11 * kInch},
    };
    return products;
}

// An empty sheet of labels: one cell per label, each row and column a label's pitch, so
// that the labels print where the sheet has them.
TableModel labelSheet(const LabelProduct& product)
{
    TableModel sheet;
    sheet.resize(product.rows, product.columns);
    sheet.columnWidth = product.horizontalPitch;
    sheet.rowHeight = product.verticalPitch;
    return sheet;
}

// The column of a field name, compared without regard to case; -1 for none.
int fieldColumn(const QStringList& fields, const QString& name)
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString fieldDisplay(const QString& name)
{
    return QStringLiteral("\u00AB%1\u00BB").arg(name);
}

// A label's text as the main document shows it: fields by name in chevrons.
QString layoutDisplay(const MergeLayout& layout)
{
    QString out;
    for (const LayoutPiece& piece : layout)
        out += piece.isField() ? fieldDisplay(piece.field) : piece.text;
    return out;
}

// One record's label: the layout's text with each field's value. A line (paragraph) made of
// fields alone, all of them empty, is left out when blank lines are suppressed.
QString mergedLabel(const MergeLayout& layout, const MergeRecords& records, const QStringList& row,
                    bool suppressBlankLines)
{
    struct Line {
        QString text;
        bool onlyFields = true;
        bool anyField = false;
        bool anyValue = false;
    };
    std::vector<Line> lines(1);
    for (const LayoutPiece& piece : layout) {
        if (piece.isField()) {
            const int column = fieldColumn(records.fields, piece.field);
            QString value = column >= 0 && column < row.size() ? row[column] : QString();
            // A value's own line ends become paragraph marks of the label.
            value.replace(QLatin1String("\r\n"), QLatin1String("\r")).replace(QLatin1Char('\n'), QLatin1Char('\r'));
            lines.back().text += value;
            lines.back().anyField = true;
            lines.back().anyValue = lines.back().anyValue || !value.isEmpty();
            continue;
        }
        const QStringList parts = piece.text.split(QLatin1Char('\r'));
        for (int i = 0; i < parts.size(); ++i) {
            if (i > 0)
                lines.emplace_back();
            lines.back().text += parts[i];
            if (!parts[i].trimmed().isEmpty())
                lines.back().onlyFields = false;
        }
    }
    QStringList kept;
    for (const Line& line : lines)
        if (!(suppressBlankLines && line.anyField && line.onlyFields && !line.anyValue))
            kept << line.text;
    return kept.join(QLatin1Char('\r'));
}

// Splits one line of a delimited text file; quoted fields may hold the delimiter and "".
QStringList splitRecord(const QString& line, QChar delimiter)
{
    QStringList out;
    QString field;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"') && field.trimmed().isEmpty()) {
            field.clear();
            quoted = true;
        } else if (c == delimiter) {
            out << field;
            field.clear();
        } else {
            field += c;
        }
    }
    out << field;
    return out;
}

MergeRecords readTextSource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw WordError(QStringLiteral("MailMerge.OpenDataSource"), QStringLiteral("cannot open \"%1\"").arg(path));
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = locale::decode(bytes, locale::ansiCodePage(locale::userDefaultLcid()));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.front().trimmed().isEmpty())
        lines.removeFirst();
    if (lines.isEmpty())
        throw WordError(QStringLiteral("MailMerge.OpenDataSource"),
                        QStringLiteral("\"%1\" holds no header record").arg(path));
    const QChar delimiter = lines.front().contains(QLatin1Char('\t')) ? QLatin1Char('\t') : QLatin1Char(',');
    MergeRecords records;
    for (const QString& name : splitRecord(lines.front(), delimiter))
        records.fields << name.trimmed();
    for (int i = 1; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        QStringList row = splitRecord(lines[i], delimiter);
        while (row.size() < records.fields.size())
            row << QString();
        records.rows.push_back(row);
    }
    return records;
}

MergeRecords queryRecords(const QString& connectionString, const QString& sql)
{
    try {
        auto connection = std::make_shared<ado::Connection>();
        connection->open(connectionString);
        auto rs = std::make_shared<ado::Recordset>();
        rs->cursorLocation = ado::adUseClient;
        rs->open(sql, automation::Variant(automation::DispatchRef(connection)), ado::adOpenForwardOnly, 1);
        MergeRecords records;
        for (int i = 0; i < rs->fieldCount(); ++i)
            records.fields << rs->fieldName(i);
        for (; !rs->eof(); rs->moveNext()) {
            QStringList row;
            for (int i = 0; i < rs->fieldCount(); ++i) {
                const automation::Variant v = rs->value(i);
                row << (v.isNull() || v.isEmpty() ? QString() : v.toString());
            }
            records.rows.push_back(row);
        }
        rs->close();
        connection->close();
        return records;
    } catch (const automation::AutomationError& e) {
        throw WordError(QStringLiteral("MailMerge.OpenDataSource"), e.description());
    }
}

bool isSqliteFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3", 16);
}

}  // namespace

const LabelProduct* labelProduct(const QString& name)
{
    for (const LabelProduct& p : labelProducts())
        if (p.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}

MergeLayout layoutOf(const Range& range)
{
    MergeLayout layout;
    const Story& story = range.story();
    const DocumentModel& model = *range.state()->model;
    for (int i = range.start(); i < range.end() && i < story.length(); ++i) {
        const StoryChar& c = story.at(i);
        if (c.ch == kObjectChar) {
            if (const auto* field = model.objectAs<MergeField>(c.object))
                layout.push_back(LayoutPiece{QString(), field->name});
            continue;  // other objects do not travel in a label
        }
        if (layout.empty() || layout.back().isField())
            layout.emplace_back();
        layout.back().text += QChar(c.ch);
    }
    // The text's closing paragraph mark is no line of the label.
    if (!layout.empty() && !layout.back().isField() && layout.back().text.endsWith(QLatin1Char('\r'))) {
        layout.back().text.chop(1);
        if (layout.back().text.isEmpty())
            layout.pop_back();
    }
    return layout;
}

Range MailMergeFields::add(const Range& range, const QString& name)
{
    state_->enter(QStringLiteral("MailMergeFields.Add"), name);
    if (name.trimmed().isEmpty() || name.contains(QLatin1Char(' ')))
        throw WordError(QStringLiteral("MailMergeFields.Add"), QStringLiteral("\"%1\" is no field name").arg(name));
    Story& body = state_->model->body;
    if (&range.story() != &body)
        throw WordError(QStringLiteral("MailMergeFields.Add"), QStringLiteral("fields go in the main text only"));
    const int start = range.start();
    const bool atSelection = state_->selection && state_->selection->start == start && state_->selection->end == range.end();
    body.remove(start, range.end());
    const int pos = std::min(start, body.length() - 1);
    const int object = state_->model->addObject(MergeField{name.trimmed()});
    body.insertObject(pos, object, body.at(pos).font);
    if (atSelection)
        state_->selection->start = state_->selection->end = pos + 1;
    return Range(state_, &body, body.track(pos, pos + 1));
}

int MailMergeFields::count() const
{
    state_->enter(QStringLiteral("MailMergeFields.Count"));
    return static_cast<int>(objectPositions<MergeField>(*state_).size());
}

MailMerge::MailMerge(std::shared_ptr<Document> document) : document_(std::move(document))
{
    auto& merge = document_->state()->mailMerge;
    if (!merge)
        merge = std::make_shared<MailMergeState>();
    merge_ = merge;
}

void MailMerge::enter(const char* operation, const QString& arguments) const
{
    document_->state()->enter(QStringLiteral("MailMerge.") + QLatin1String(operation), arguments);
}

MailMergeFields MailMerge::fields() const
{
    enter("Fields");
    return MailMergeFields(document_->state());
}

int MailMerge::mainDocumentType() const
{
    enter("MainDocumentType");
    return merge_->mainDocumentType;
}

void MailMerge::setMainDocumentType(int type)
{
    enter("MainDocumentType", QString::number(type));
    if (type < NotAMergeDocument || type > Catalog)
        throw WordError(QStringLiteral("MailMerge.MainDocumentType"), QStringLiteral("%1 is no document type").arg(type));
    merge_->mainDocumentType = type;
}

int MailMerge::destination() const
{
    enter("Destination");
    return merge_->destination;
}

void MailMerge::setDestination(int destination)
{
    enter("Destination", QString::number(destination));
    if (destination < NewDocument || destination > Fax)
        throw WordError(QStringLiteral("MailMerge.Destination"), QStringLiteral("%1 is no destination").arg(destination));
    merge_->destination = destination;
}

void MailMerge::openDataSource(const DataSourceArgs& args)
{
    QStringList shown = {QStringLiteral("Name=") + args.name};
    if (!args.connection.isEmpty())
        shown << QStringLiteral("Connection=") + args.connection;
    if (!args.sqlStatement.isEmpty())
        shown << QStringLiteral("SQLStatement=") + args.sqlStatement;
    if (args.subType)
        shown << QStringLiteral("SubType=%1").arg(*args.subType);
    enter("OpenDataSource", shown.join(QLatin1Char(',')));
    MergeRecords records;
    if (args.connection.contains(QLatin1String("DSN="), Qt::CaseInsensitive) ||
        args.connection.contains(QLatin1String("DRIVER="), Qt::CaseInsensitive)) {
        if (args.sqlStatement.trimmed().isEmpty())
            throw WordError(QStringLiteral("MailMerge.OpenDataSource"), QStringLiteral("a connection needs a query"));
        records = queryRecords(args.connection, args.sqlStatement);
    } else if (args.name.isEmpty()) {
        throw WordError(QStringLiteral("MailMerge.OpenDataSource"), QStringLiteral("no data source is named"));
    } else if (isSqliteFile(args.name)) {
        if (args.sqlStatement.trimmed().isEmpty())
            throw WordError(QStringLiteral("MailMerge.OpenDataSource"), QStringLiteral("a database needs a query"));
        records = queryRecords(QStringLiteral("Driver=SQLite3;Database=%1;").arg(args.name), args.sqlStatement);
    } else if (args.sqlStatement.trimmed().isEmpty()) {
        records = readTextSource(args.name);
    } else {
        // A query cannot be run on a text file here.
        throw WordError(QStringLiteral("MailMerge.OpenDataSource"),
                        QStringLiteral("\"%1\" is no database the query can run on").arg(args.name));
    }
    merge_->source = args;
    merge_->records = std::move(records);
    // A document with a data source is a main document, of form letters unless set otherwise.
    if (merge_->mainDocumentType == NotAMergeDocument)
        merge_->mainDocumentType = FormLetters;
}

std::shared_ptr<Document> MailMerge::execute()
{
    enter("Execute");
    const auto fail = [](const QString& why) { return WordError(QStringLiteral("MailMerge.Execute"), why); };
    if (merge_->mainDocumentType != MailingLabels || !merge_->labels)
        throw fail(QStringLiteral("only a mailing-labels main document with its label sheet is merged here"));
    if (merge_->destination != NewDocument)
        throw fail(QStringLiteral("only a merge into a new document can be made here"));
    if (!merge_->records)
        throw fail(QStringLiteral("the main document has no data source"));
    const MergeRecords& records = *merge_->records;
    for (const LayoutPiece& piece : merge_->labelLayout)
        if (piece.isField() && fieldColumn(records.fields, piece.field) < 0)
            throw fail(QStringLiteral("the data source has no field \"%1\"").arg(piece.field));
    if (records.rows.empty())
        throw fail(QStringLiteral("the data source holds no record"));

    auto app = document_->application();
    if (!app)
        throw fail(QStringLiteral("the application has ended"));
    const LabelProduct& product = *merge_->labels;
    auto merged = app->documents().add();
    const StatePtr& state = merged->state();
    const PageSetupModel page = document_->model().section.page;
    state->model->section.page = page;
    state->touch();
    Story& body = state->model->body;
    const std::size_t perSheet = static_cast<std::size_t>(product.rows * product.columns);
    for (std::size_t first = 0; first < records.rows.size(); first += perSheet) {
        TableModel sheet = labelSheet(product);
        for (std::size_t k = 0; k < perSheet && first + k < records.rows.size(); ++k)
            sheet.cell(static_cast<int>(k) / product.columns, static_cast<int>(k) % product.columns).text =
                mergedLabel(merge_->labelLayout, records, records.rows[first + k], merge_->suppressBlankLines);
        // Each sheet after the first starts a new page: the break stands in a paragraph of
        // its own after the sheet before, so that sheet stays a paragraph of its own, and
        // the mark the break carries over to the new page is one point high, so that the
        // sheet starts at the top of its page.
        if (first > 0) {
            const std::uint16_t normal = body.at(body.length() - 1).font;
            CharFormat onePoint = body.pool().font(normal);
            onePoint.size = 1;
            body.insertText(body.length() - 1, QString(kParagraphMark), normal);
            body.insertText(body.length() - 1, QString(QChar(kPageBreak)) + QChar(kParagraphMark), body.pool().font(onePoint));
        }
        insertTableObject(*state, body, body.length() - 1, std::move(sheet));
    }
    merged->activate();
    return merged;
}

AutoTextEntry::AutoTextEntry(std::shared_ptr<Application> application, QString name)
    : app_(std::move(application)), name_(std::move(name))
{
}

MergeLayout AutoTextEntry::value() const
{
    app_->enter("AutoTextEntry.Value", name_);
    auto& store = app_->environment().normalTemplateStore();
    const auto it = store ? store->autoText.find(name_.toLower()) : decltype(store->autoText.end()){};
    if (!store || it == store->autoText.end())
        throw WordError(QStringLiteral("AutoTextEntry.Value"), QStringLiteral("the entry has been deleted"));
    return it->second;
}

void AutoTextEntry::remove()
{
    app_->enter("AutoTextEntry.Delete", name_);
    auto& store = app_->environment().normalTemplateStore();
    if (!store || !store->autoText.erase(name_.toLower()))
        throw WordError(QStringLiteral("AutoTextEntry.Delete"), QStringLiteral("the entry has been deleted"));
    store->autoTextNames.erase(name_.toLower());
    store->saved = false;
}

NormalTemplate::NormalTemplate(std::shared_ptr<Application> application) : app_(std::move(application)) {}

NormalTemplateStore& NormalTemplate::store() const
{
    auto& store = app_->environment().normalTemplateStore();
    if (!store)
        store = std::make_shared<NormalTemplateStore>();
    return *store;
}

AutoTextEntry NormalTemplate::addAutoText(const QString& name, const Range& range)
{
    app_->enter("AutoTextEntries.Add", name);
    if (name.trimmed().isEmpty())
        throw WordError(QStringLiteral("AutoTextEntries.Add"), QStringLiteral("an entry needs a name"));
    NormalTemplateStore& s = store();
    s.autoText[name.toLower()] = layoutOf(range);
    s.autoTextNames[name.toLower()] = name;
    s.saved = false;
    return AutoTextEntry(app_, name);
}

bool NormalTemplate::hasAutoText(const QString& name) const
{
    return store().autoText.count(name.toLower()) > 0;
}

AutoTextEntry NormalTemplate::autoText(const QString& name) const
{
    app_->enter("AutoTextEntries.Item", name);
    if (!hasAutoText(name))
        throw WordError(QStringLiteral("AutoTextEntries.Item"), QStringLiteral("there is no entry \"%1\"").arg(name));
    return AutoTextEntry(app_, store().autoTextNames.at(name.toLower()));
}

int NormalTemplate::autoTextCount() const { return static_cast<int>(store().autoText.size()); }

bool NormalTemplate::saved() const
{
    app_->enter("NormalTemplate.Saved");
    return store().saved;
}

void NormalTemplate::setSaved(bool saved)
{
    app_->enter("NormalTemplate.Saved", saved ? QStringLiteral("True") : QStringLiteral("False"));
    store().saved = saved;
}

std::shared_ptr<Document> MailingLabel::createNewDocument(const QString& name, const QString& address,
                                                          const QString& autoText, int laserTray)
{
    app_->enter("MailingLabel.CreateNewDocument",
                QStringLiteral("Name=%1,Address=%2,AutoText=%3,LaserTray=%4").arg(name, address, autoText).arg(laserTray));
    const LabelProduct* product = labelProduct(name);
    if (!product)
        throw WordError(QStringLiteral("MailingLabel.CreateNewDocument"), QStringLiteral("there is no label product \"%1\"").arg(name));
    NormalTemplate normal(app_);
    MergeLayout layout;
    if (!autoText.isEmpty())
        layout = normal.autoText(autoText).value();
    else if (!address.isEmpty())
        layout = {LayoutPiece{QString(address).replace(QLatin1String("\r\n"), QLatin1String("\r")), QString()}};

    std::shared_ptr<Document> doc;
    try {
        doc = app_->activeDocument();
    } catch (const WordError&) {
    }
    std::shared_ptr<MailMergeState> merge = doc ? doc->state()->mailMerge : nullptr;
    const bool mainDocument = merge && merge->mainDocumentType == MailingLabels;
    if (!mainDocument)
        doc = app_->documents().add();
    const StatePtr& state = doc->state();
    PageSetupModel& page = state->model->section.page;
    page.orientation = Orientation::Portrait;
    page.pageWidth = product->pageWidth;
    page.pageHeight = product->pageHeight;
    page.topMargin = product->topMargin;
    page.bottomMargin = 0;
    page.leftMargin = product->sideMargin;
    page.rightMargin = product->pageWidth - product->sideMargin - product->columns * product->horizontalPitch;
    state->touch();
    state->model->body.clear();
    TableModel sheet = labelSheet(*product);
    const QString label = layoutDisplay(layout);
    for (int k = 0; k < product->rows * product->columns; ++k)
        sheet.cell(k / product->columns, k % product->columns).text =
            mainDocument && k > 0 ? fieldDisplay(QStringLiteral("Next Record")) + label : label;
    insertTableObject(*state, state->model->body, 0, std::move(sheet));
    if (mainDocument) {
        merge->labels = *product;
        merge->labelLayout = layout;
    }
    doc->activate();
    return doc;
}

}  // namespace tovu::platform::word
