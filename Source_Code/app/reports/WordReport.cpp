#include "app/reports/WordReport.h"

#include "app/reports/SettingsGridFlexGrid.h"
#include "app/reports/VerboltCalls.h"
#include "app/resources/StringIds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tovu::reports {

using automation::Variant;

namespace {

// Texts of the report's file dialog, progress and failures.
constexpr int kDocxFilterId = 6200;
constexpr int kDocFilterId = 6201;
constexpr int kRangeCaptionId = 6211;
constexpr int kRangeItemId = 6212;
constexpr int kNoControlId = 6206;
constexpr int kFolderNotWritableId = 6207;
constexpr int kCreateAnsweredId = 6208;
constexpr int kOpenAnsweredId = 6209;
constexpr int kSaveFailedId = 6210;

namespace ids = resources::ids;

constexpr std::int32_t kAlignLeft = 0;
constexpr std::int32_t kAlignCentre = 1;
constexpr std::int32_t kColourBlue = 16711680;
constexpr std::int32_t kEndOfDocument = 0;
constexpr std::int32_t kCharacter = 3;
constexpr std::int32_t kTableFormatContemporary = 35;

Variant integer(int v) { return Variant(static_cast<std::int16_t>(v)); }
Variant longValue(std::int32_t v) { return Variant(v); }
Variant single(float v) { return Variant(v); }

// TextToWord's arguments: text, bold, font, size, space after, alignment, colour,
// italic, underline, then animation, emboss, engrave, shadow, strike-through and the
// insertion point when the call gives them.
struct TextFormat {
    bool bold = false;
    int size = 10;
    int spaceAfter = 5;
    std::int32_t align = kAlignLeft;
    std::int32_t colour = 0;
    bool italic = false;
    bool underline = false;
    std::optional<std::int32_t> insertionPoint;  // with it the five effects (all off) go too
};

std::vector<Variant> textArguments(const QString& text, const TextFormat& f)
{
    std::vector<Variant> args{Variant(text),         Variant(f.bold),    Variant(QStringLiteral("Arial")),
                              integer(f.size),       integer(f.spaceAfter), longValue(f.align),
                              longValue(f.colour),   Variant(f.italic),  Variant(f.underline)};
    if (f.insertionPoint) {
        args.push_back(longValue(0));  // no animation
        for (int i = 0; i < 4; ++i)    // no emboss, engrave, shadow, strike-through
            args.push_back(Variant(false));
        args.push_back(longValue(*f.insertionPoint));
    }
    return args;
}

std::vector<Variant> pictureArguments(const QString& file, float left, float top, float width, float height)
{
    return {Variant(file), single(left), single(top), single(width), single(height)};
}

} // namespace

WordReport::WordReport(automation::DispatchRef Verbolt1, ReportWindow& window, ReportUser& user,
                       const items::ItemStore& store, const items::StringSource& strings, ReportFiles files)
    : control_(std::move(Verbolt1))
    , window_(window)
    , user_(user)
    , store_(store)
    , strings_(strings)
    , files_(std::move(files))
{
}

QString WordReport::defaultTitle() const
{
    return strings_.GetResString(ids::ProgramTitle);
}

void WordReport::setButtons(bool enabled)
{
    buttonsEnabled_ = enabled;
    window_.setReportButtonsEnabled(enabled);
}

ExportFrameLayout WordReport::Toggle_Export_Frame(const ExportFrameMetrics& m)
{
    ExportFrameLayout layout;
    if (frameVisible_ || !WordAvailable) {
        layout.treeHeight = m.scaleHeight - 1000;
        const bool explain = !frameVisible_;
        frameVisible_ = false;
        if (explain)
            user_.message(strings_.GetResString(ids::NoWordProcessor), defaultTitle(), MessageIcon::None);
    } else {
        layout.treeHeight = m.scaleHeight - 2700;
        layout.frameTop = m.treeTop + layout.treeHeight + 240;
        layout.frameWidth = m.listLeft + m.listWidth - m.frameLeft;
        frameVisible_ = true;
    }
    layout.frameVisible = frameVisible_;
    return layout;
}

void WordReport::Create_Word_Report()
{
    const std::optional<QString> title = user_.inputBox(strings_.GetResString(ids::EnterReportTitle), QString(), QString());
    if (!title || title->isEmpty())
        return;
    ReportTitle = *title;

    // A save dialog: the report is a new file, a Word document package. Replacing an
    // existing one is asked here, so that the user's document is never deleted without a
    // question.
    FileDialogRequest request;
    request.Filter = text(kDocxFilterId) + QStringLiteral("|*.docx|") + text(kDocFilterId) + QStringLiteral("|*.doc");
    const std::optional<QString> chosen = user_.saveFileName(request);
    if (!chosen || chosen->isEmpty())
        return;
    const QString fileName = reportFileNameOf(*chosen);
    const QFileInfo existing(fileName);
    if (existing.exists()
        && !user_.askYesNo(strings_.GetResString(ids::ReplaceExistingFile).arg(existing.fileName()),
                           defaultTitle(), MessageIcon::Exclamation))
        return;
    ReportFileName = fileName;

    window_.showProgress(strings_.GetResString(ids::CreateDocument));
    if (existing.exists() && existing.size() != 0)
        QFile::remove(ReportFileName);

    const int created = statusOf(callIgnoringErrors(control_, kCreateDocument, {Variant(ReportFileName)}));
    ReportCreated = created == 1;
    window_.setProgress(20);
    int opened = 0;
    if (ReportCreated) {
        const Variant status = callIgnoringErrors(
            control_, kOpenDocument,
            {Variant(ReportFileName), Variant(false), Variant(QString()), Variant(QString()), Variant(QString()),
             Variant(true)});
        window_.setProgress(40);
        opened = statusOf(status);
    }
    if (opened == 1) {
        setButtons(true);
        writeTitlePage();
    } else {
        user_.message(strings_.GetResString(ids::ReportNotCreated) + QStringLiteral("\r\n") + creationFailure(created, opened),
                      defaultTitle(), MessageIcon::None);
    }
    window_.setProgress(100);
    window_.hideProgress();
}

QString WordReport::reportFileNameOf(const QString& chosen)
{
    return QFileInfo(chosen).suffix().isEmpty() ? chosen + QStringLiteral(".docx") : chosen;
}

// Why the report could not be made: what the program can see for itself (no control, a
// folder it cannot write to), else what the control answered.
QString WordReport::creationFailure(int createStatus, int openStatus) const
{
    if (!control_)
        return text(kNoControlId);
    const QFileInfo folder(QFileInfo(ReportFileName).absolutePath());
    if (!folder.isDir() || !folder.isWritable())
        return text(kFolderNotWritableId).arg(folder.absoluteFilePath());
    if (createStatus != 1)
        return text(kCreateAnsweredId).arg(createStatus);
    return text(kOpenAnsweredId).arg(openStatus);
}

void WordReport::writeTitlePage()
{
    callIgnoringErrors(control_, kInsertLinkedPicture, pictureArguments(files_.logo, 135, 0, 150, 100));
    callIgnoringErrors(control_, kInsertBlankLines, {integer(4)});
    window_.setProgress(50);
    callIgnoringErrors(control_, kInsertBlankLines, {integer(3)});
    window_.setProgress(70);
    TextFormat title;
    title.bold = true;
    title.size = 25;
    title.spaceAfter = 10;
    title.align = kAlignCentre;
    title.colour = kColourBlue;
    title.underline = true;
    callIgnoringErrors(control_, kTextToWord, textArguments(ReportTitle, title));
    callIgnoringErrors(control_, kInsertPageBreak);
    window_.setProgress(80);
}

bool WordReport::Export_Item_To_Word()
{
    if (!ReportCreated)
        Create_Word_Report();
    if (!ReportCreated) {
        user_.message(strings_.GetResString(ids::ReportFileNotCreated).arg(ReportFileName),
                      defaultTitle(), MessageIcon::None);
        return false;
    }
    callIgnoringErrors(control_, kActivateDocument, {Variant(QString())});
    callIgnoringErrors(control_, kInsertPicture, pictureArguments(files_.picture, 2, 0, 350, 200));
    callIgnoringErrors(control_, kInsertBlankLines, {integer(14), longValue(kEndOfDocument)});

    // The whole grid, fixed row and column included, in the Contemporary table format.
    const Variant grid(platform::controls::flexGridDispatch(std::make_shared<SettingsGridFlexGrid>(window_.gridSettings())));
    callIgnoringErrors(control_, kFlexGridToWordTable,
                       {grid, longValue(0), longValue(0), longValue(0), longValue(0),
                        longValue(kTableFormatContemporary), Variant(false), Variant(QStringLiteral("Arial")),
                        integer(10), integer(10), longValue(kAlignCentre), integer(0),
                        Variant(true), Variant(true), Variant(true), Variant(true), Variant(true),
                        Variant(false), Variant(true), Variant(false), Variant(true), longValue(kEndOfDocument)});
    callIgnoringErrors(control_, kInsertPageBreak);
    writeNotes();
    callIgnoringErrors(control_, kInsertPageBreak);
    // Each item is saved with the document; a save that fails is said at once, with the
    // file, so that the user knows what the report on disk holds.
    const int saved = statusOf(callIgnoringErrors(control_, kSaveDocument));
    if (saved != 1) {
        user_.message(text(kSaveFailedId).arg(QDir::toNativeSeparators(ReportFileName)).arg(saved), defaultTitle(),
                      MessageIcon::Critical);
        return false;
    }
    return true;
}

void WordReport::writeNotes()
{
    TextFormat heading;
    heading.bold = true;
    heading.align = kAlignCentre;
    heading.colour = kColourBlue;
    heading.italic = true;
    heading.underline = true;
    heading.insertionPoint = kCharacter;
    callIgnoringErrors(control_, kTextToWord, textArguments(strings_.GetResString(ids::OperatorNotes), heading));

    TextFormat line;
    line.insertionPoint = kEndOfDocument;
    const NoteBoxes notes = window_.noteBoxes();
    // The location note is not part of the report.
    const std::pair<const char*, const QString*> lines[] = {
        {"Label :", &notes.LabelText},
        {"Operator :", &notes.OperatorText},
        {"Probe :", &notes.ProbeText},
        {"Notes :", &notes.NotesText},
    };
    for (const auto& [caption, text] : lines)
        if (!text->isEmpty())
            callIgnoringErrors(control_, kTextToWord, textArguments(QString::fromLatin1(caption) + *text, line));
}

void WordReport::Export_Selected_To_Word()
{
    int first = 0;
    int last = 0;
    for (int i = 1; i <= window_.listCount(); ++i)
        if (window_.listItemSelected(i)) {
            if (first == 0)
                first = i;
            last = i;
        }
    window_.setListSelection(first, last);
    // Without a selection the range would be record 0, the instrument's live settings,
    // which no one asked to export.
    if (first == 0) {
        user_.message(strings_.GetResString(ids::NoItemSelected), defaultTitle(), MessageIcon::Information);
        return;
    }
    const int records = static_cast<int>(store_.WorkItems.size());
    std::vector<int> range;
    for (int k = first; k <= last && k < records; ++k) {
        const items::DFDRecord& record = store_.WorkItems[static_cast<std::size_t>(k)];
        if (record.InUse || record.WaveformPresent)
            range.push_back(k);
    }
    if (range.empty())
        return;
    // Item by item, each saved with the document: a Cancel stops after the item in hand
    // and the report keeps every item added so far.
    window_.showRangeProgress(text(kRangeCaptionId), static_cast<int>(range.size()));
    int done = 0;
    for (const int k : range) {
        const items::DFDRecord& record = store_.WorkItems[static_cast<std::size_t>(k)];
        const bool inUse = record.InUse;
        window_.DrawAScan(k);
        window_.ShowALogSettings(k);
        if (inUse)
            window_.ShowItemNotes(k);
        const bool appended = Export_Item_To_Word();
        ++done;
        const bool cancelled =
            window_.rangeProgress(done, text(kRangeItemId).arg(done).arg(static_cast<int>(range.size())));
        if (!appended || cancelled)
            break;
    }
    window_.hideRangeProgress();
}

void WordReport::Btn_SaveClose_Click()
{
    // The control closes only what it opened itself: the Word it started with all its
    // documents, or in the user's own Word only the report.
    callIgnoringErrors(control_, kCloseDocument, {Variant(true)});
    callIgnoringErrors(control_, kCloseWord, {Variant(false)});
    setButtons(false);
}

void WordReport::Btn_View_Word_Click()
{
    callIgnoringErrors(control_, kUnhideWord);
    callIgnoringErrors(control_, kSwitchToWord);
}

} // namespace tovu::reports
