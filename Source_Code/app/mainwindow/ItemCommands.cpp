// Opening an item of the list (a click, a double-click, a drop on the grid or the
// picture), the one shown item that every route sets, the notes pane writing its edits
// back into the record whose notes it shows, and the list's selected range.
#include "app/mainwindow/ItemCommands.h"

#include "app/mainwindow/frmmain.h"
#include "app/mainwindow/ItemViews.h"
#include "platform/text/NumberText.h"

#include <QPushButton>
#include <QScopedValueRollback>

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tovu::mainwindow {

namespace {

using NoteField = QString items::RecordSettings::*;
constexpr NoteField kNoteFields[5] = {&items::RecordSettings::NoteLabel, &items::RecordSettings::NoteOperator,
                                      &items::RecordSettings::NoteLocation, &items::RecordSettings::NoteProbe,
                                      &items::RecordSettings::NoteText};

// Enter adds no line to the memo: its lines come from the stored memo only.
class MemoKeys final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

ItemCommands::ItemCommands(frmmain& window) : w_(window)
{
    connectNotes();
    connectList();
    for (int i = 0; i < 2; ++i)
        QObject::connect(w_.cmdMoveOrder(i), &QPushButton::clicked, &w_,
                         [this, i] { w_.runCommand([this, i] { cmdMoveOrder_Click(i); }); });
    w_.connectCommand("mnuCompactMem", [this] { mnuCompactMem_Click(); });
}

bool ItemCommands::openItem(int n)
{
    const items::DFDRecord& r = w_.context().store.workItem(n);
    if (!r.InUse && !r.WaveformPresent)
        return false;
    w_.context().display.DrawAScan(n);
    ShowALogSettings(n);
    if (r.InUse)
        ShowItemNotes(n);
    setShownItem(n);
    return true;
}

void ItemCommands::setShownItem(int n)
{
    shown_ = {n == 0 ? ShownItem::Array::Live : w_.itemViews().alogsShown() ? ShownItem::Array::ALogs : ShownItem::Array::Panels, n};
    shownRecord_ = w_.context().store.workItem(n);
    // Save Individual and the exports name the same item.
    if (n >= 1)
        lvwPanelsALog_ItemClick(n);
}

std::optional<int> ItemCommands::shownItemIndex() const
{
    if (shown_.index < 0 || shown_.index >= static_cast<int>(w_.context().store.WorkItems.size()))
        return std::nullopt;
    if (shown_.array != ShownItem::Array::Live && (shown_.array == ShownItem::Array::ALogs) != w_.itemViews().alogsShown())
        return std::nullopt;
    return shown_.index;
}

const items::DFDRecord* ItemCommands::recordOf(const ShownItem& item) const
{
    const items::ItemStore& store = w_.context().store;
    const std::vector<items::DFDRecord>& records = item.array == ShownItem::Array::Live     ? store.WorkItems
                                                   : item.array == ShownItem::Array::ALogs ? store.ALogs
                                                                                           : store.Panels;
    if (item.index < 0 || item.index >= static_cast<int>(records.size()))
        return nullptr;
    return &records[static_cast<std::size_t>(item.index)];
}

// After the records were refilled or emptied (a view switch, a download, a file opened,
// compacting, moving, emptying): when the shown item's record now holds other data it is
// shown anew; when it holds nothing, or the list shows the other kind (so it cannot be
// drawn), the picture, the grid and the notes are cleared: nothing shows or reports an
// item that is gone.
void ItemCommands::refreshShownItem()
{
    if (shown_.index < 0)
        return;
    const items::DFDRecord* now = recordOf(shown_);
    if (now && *now == shownRecord_)
        return;
    if (const std::optional<int> n = shownItemIndex(); now && n && openItem(*n))
        return;
    clearShownItem();
}

void ItemCommands::clearShownItem()
{
    MainContext& ctx = w_.context();
    shown_ = {ShownItem::Array::ALogs, -1};
    notesItem_ = shown_;
    shownRecord_ = items::DFDRecord();
    ctx.display.DrawAScan(-1);
    w_.NotesSettingsTab()->gridModel().InitSettingsGrid(ctx.language);
    NotesPane* notes = w_.NotesSettingsTab();
    const QScopedValueRollback<bool> showing(showingNotes_, true);
    notes->NoteIndex()->clear();
    for (QLineEdit* box : {notes->LabelText(), notes->OperatorText(), notes->LocationText(), notes->ProbeText(),
                           notes->NotesText()})
        box->clear();
    notes->DateLbl()->clear();
    notes->ModelLbl()->clear();
    notes->MemoText()->clear();
}

bool ItemCommands::requireShownItem()
{
    if (shownItemIndex())
        return true;
    MainContext& ctx = w_.context();
    ctx.ui.message(ctx.language.GetResString(ids::NoItemSelected), ctx.language.GetResString(ids::ProgramTitle),
                   MessageIcon::Information);
    return false;
}

void ItemCommands::lvwPanelsALog_DblClick()
{
    MainContext& ctx = w_.context();
    ctx.store.LiveSettingsShown = false;
    const std::optional<int> n = selectedItemIndex();
    if (!n)
        return;
    w_.clipboardOptions().enableAgcOption(ctx.store.workItem(*n).ModelIndex);
    if (!openItem(*n))
        ctx.ui.message(w_.listModel().itemText(*n) + ctx.language.GetResString(ids::IsEmpty), ctx.language.GetResString(ids::DfdFileTitle),
                       MessageIcon::Information);
}

void ItemCommands::lvwPanelsALog_ItemClick(int item)
{
    // Save Individual names the item clicked (also one that cannot be shown).
    const int id = w_.itemViews().alogsShown() ? 173 : 172;
    w_.action(QStringLiteral("mnuSaveIndividual"))
        ->setText(w_.context().language.GetResString(id) + QStringLiteral("  ") + platform::text::numberText(static_cast<long long>(item)));
}

void ItemCommands::GridSettings_DragDrop()
{
    const std::optional<int> n = selectedItemIndex();
    if (!n || !openItem(*n))
        return;
    const items::DFDRecord& r = w_.context().store.workItem(*n);
    if (r.InUse)
        // The title and the model run together; unsaved changes keep their mark.
        w_.setCaptionBase(kProgramTitle +
                       w_.context().link.ModelNames.at(static_cast<std::size_t>(std::clamp<int>(r.ModelIndex, 0, items::kModelCount - 1))));
}

void ItemCommands::Picture1_DragDrop()
{
    if (const std::optional<int> n = selectedItemIndex())
        openItem(*n);
}

// ---- Notes ----

void ItemCommands::connectNotes()
{
    NotesPane* notes = w_.NotesSettingsTab();
    for (int box = 0; box < 5; ++box) {
        QLineEdit* edit = std::array{notes->LabelText(), notes->OperatorText(), notes->LocationText(),
                                     notes->ProbeText(), notes->NotesText()}[static_cast<std::size_t>(box)];
        // Only what the user changes (typing, pasting, cutting) is stored; showing an
        // item writes nothing back.
        QObject::connect(edit, &QLineEdit::textEdited, &w_, [this, box](const QString& text) { storeNote(box, text); });
    }
    notes->MemoText()->installEventFilter(new MemoKeys(notes->MemoText()));
    QObject::connect(notes->MemoText(), &QPlainTextEdit::textChanged, &w_, [this] {
        if (!showingNotes_)
            storeMemo();
    });
}

void ItemCommands::connectList()
{
    QListView* list = w_.lvwPanelsALog();
    QObject::connect(list, &QAbstractItemView::doubleClicked, &w_, [this] { w_.runCommand([this] { lvwPanelsALog_DblClick(); }); });
    // A click shows the item as a double-click does, without the empty-item message.
    QObject::connect(list, &QAbstractItemView::clicked, &w_, [this](const QModelIndex& i) {
        lvwPanelsALog_ItemClick(i.row() + 1);
        w_.runCommand([this, n = i.row() + 1] {
            w_.context().store.LiveSettingsShown = false;
            openItem(n);
        });
    });
    // The first and last selected items, kept for the commands that work on a range (the
    // list keeps its selection through a drag, so they follow it as it changes).
    QObject::connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, &w_, [this, list] {
        listSelFirst_ = listSelLast_ = 0;
        for (const QModelIndex& i : list->selectionModel()->selectedIndexes()) {
            const int k = i.row() + 1;
            listSelFirst_ = listSelFirst_ == 0 ? k : std::min(listSelFirst_, k);
            listSelLast_ = std::max(listSelLast_, k);
        }
    });
}

void ItemCommands::setListSelection(int first, int last)
{
    listSelFirst_ = first;
    listSelLast_ = last;
}

std::optional<int> ItemCommands::selectedItemIndex() const
{
    const QListView* list = w_.lvwPanelsALog();
    const QModelIndexList rows = list->selectionModel() ? list->selectionModel()->selectedIndexes() : QModelIndexList();
    if (rows.isEmpty())
        return std::nullopt;
    int first = rows.front().row();
    for (const QModelIndex& i : rows)
        first = std::min(first, i.row());
    return first + 1;
}

void ItemCommands::ShowALogSettings(int index)
{
    MainContext& ctx = w_.context();
    w_.NotesSettingsTab()->gridModel().ShowALogSettings(ctx.store.workItem(index), ctx.language, ctx.display.decimalSeparator);
}

void ItemCommands::ShowItemNotes(int index)
{
    const items::DFDRecord& r = w_.context().store.workItem(index);
    const items::RecordSettings& s = r.settings();
    NotesPane* notes = w_.NotesSettingsTab();
    // Edits go to this record of the array shown now; filling the boxes stores nothing.
    notesItem_ = {index == 0 ? ShownItem::Array::Live : w_.itemViews().alogsShown() ? ShownItem::Array::ALogs : ShownItem::Array::Panels, index};
    const QScopedValueRollback<bool> showing(showingNotes_, true);
    notes->NoteIndex()->setText(QString::number(index));
    notes->LabelText()->setText(s.NoteLabel.trimmed());
    notes->OperatorText()->setText(s.NoteOperator.trimmed());
    notes->LocationText()->setText(s.NoteLocation.trimmed());
    notes->ProbeText()->setText(s.NoteProbe.trimmed());
    notes->NotesText()->setText(s.NoteText.trimmed());
    notes->DateLbl()->setText(s.TimeStamp.trimmed());
    notes->ModelLbl()->setText(s.IdentText.trimmed());
    notes->MemoText()->setPlainText(QString(s.Memo).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

namespace {

// The records a note of the shown item lives in: its array and, while the list shows
// that array, the working record too.
template <typename Edit>
bool editShown(items::ItemStore& store, const ShownItem& shown, bool alogsShown, Edit&& edit)
{
    const auto in = [](std::vector<items::DFDRecord>& v, int i) -> items::DFDRecord* {
        return i >= 0 && i < static_cast<int>(v.size()) ? &v[static_cast<std::size_t>(i)] : nullptr;
    };
    bool changed = false;
    items::DFDRecord* work = in(store.WorkItems, shown.index);
    if (shown.array == ShownItem::Array::Live) {
        if (work)
            edit(work->editSettings());
        return false;
    }
    const bool alogs = shown.array == ShownItem::Array::ALogs;
    if (items::DFDRecord* r = in(alogs ? store.ALogs : store.Panels, shown.index); r && shown.index >= 1) {
        edit(r->editSettings());
        changed = true;
    }
    if (work && alogs == alogsShown && shown.index >= 1)
        edit(work->editSettings());
    return changed;
}

} // namespace

void ItemCommands::storeNote(int box, const QString& text)
{
    const NoteField field = kNoteFields[box];
    const auto edit = [&](items::RecordSettings& s) { s.*field = text; };
    if (notesItem_.array == shown_.array && notesItem_.index == shown_.index)
        edit(shownRecord_.editSettings());
    if (editShown(w_.context().store, notesItem_, w_.itemViews().alogsShown(), edit))
        w_.setModified(true);
}

void ItemCommands::storeMemo()
{
    const QString memo = w_.NotesSettingsTab()->MemoText()->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
    const auto edit = [&](items::RecordSettings& s) { s.Memo = memo; };
    if (notesItem_.array == shown_.array && notesItem_.index == shown_.index)
        edit(shownRecord_.editSettings());
    if (editShown(w_.context().store, notesItem_, w_.itemViews().alogsShown(), edit))
        w_.setModified(true);
}

// ---- Compacting, reordering and emptying: each changes items held on the PC, so each
// sets the modified mark. ----

namespace {

// Items to the front in their order, numbered 1..n; true when any record moved.
bool compact(std::vector<items::DFDRecord>& records, int count)
{
    std::vector<items::DFDRecord> work(static_cast<std::size_t>(count) + 1);
    int k = 1;
    for (int i = 1; i <= count; ++i) {
        const items::DFDRecord& r = records.at(static_cast<std::size_t>(i));
        if (!r.InUse)
            continue;
        items::DFDRecord& moved = work[static_cast<std::size_t>(k)];
        moved = r;
        moved.editSettings().SlotText = QString::number(k);
        moved.InUse = true;
        ++k;
    }
    bool changed = false;
    for (int j = 1; j <= count; ++j) {
        items::DFDRecord& target = records.at(static_cast<std::size_t>(j));
        if (!(target == work[static_cast<std::size_t>(j)])) {
            target = std::move(work[static_cast<std::size_t>(j)]);
            changed = true;
        }
    }
    return changed;
}

} // namespace

void ItemCommands::mnuCompactMem_Click()
{
    items::ItemStore& s = w_.context().store;
    const bool panels = compact(s.Panels, s.MaxPanels);
    const bool alogs = compact(s.ALogs, s.MaxALogs);
    w_.itemViews().mnuViewPanels_Click();
    if (panels || alogs)
        w_.setModified(true);
}

void ItemCommands::cmdMoveOrder_Click(int Index)
{
    const std::optional<int> selected = selectedItemIndex();
    if (!selected)
        return;
    const bool alogs = w_.itemViews().alogsShown();
    items::ItemStore& store = w_.context().store;
    std::vector<items::DFDRecord>& records = alogs ? store.ALogs : store.Panels;
    const int n = alogs ? store.MaxALogs : store.MaxPanels;
    const int s = *selected;
    if (s < 1 || s > n)
        return;
    int d = Index == 0 ? s - 1 : s + 1;
    if (d < 1 || d > n)
        d = s;
    std::swap(records.at(static_cast<std::size_t>(s)), records.at(static_cast<std::size_t>(d)));
    records[static_cast<std::size_t>(s)].editSettings().SlotText = QString::number(s);
    records[static_cast<std::size_t>(d)].editSettings().SlotText = QString::number(d);
    if (alogs)
        w_.itemViews().mnuViewALogs_Click();
    else
        w_.itemViews().mnuViewPanels_Click();
    QListView* list = w_.lvwPanelsALog();
    list->selectionModel()->select(w_.listModel().index(d - 1), QItemSelectionModel::ClearAndSelect);
    list->setCurrentIndex(w_.listModel().index(d - 1));
    w_.setModified(true);
}

// Empties the records of the shown kind, on the PC only; the user confirms first.
void ItemCommands::Recycle_Bin_Empty()
{
    MainContext& ctx = w_.context();
    const bool alogs = w_.itemViews().alogsShown();
    const QString kind = ctx.language.GetResString(alogs ? ids::ALogsNode : ids::PanelsNode);
    if (ctx.ui.askYesNo(ctx.language.GetResString(ids::RecycleQuestion).arg(kind.trimmed()),
                        ctx.language.GetResString(ids::ProgramTitle), MessageIcon::Question) != Answer::Yes)
        return;
    items::ItemStore& store = ctx.store;
    std::vector<items::DFDRecord>& records = alogs ? store.ALogs : store.Panels;
    const int n = alogs ? store.MaxALogs : store.MaxPanels;
    bool changed = false;
    for (int i = 1; i <= n; ++i) {
        changed = changed || records.at(static_cast<std::size_t>(i)).InUse;
        records[static_cast<std::size_t>(i)] = items::DFDRecord();
        store.WorkItems.at(static_cast<std::size_t>(i)) = items::DFDRecord();
    }
    w_.itemViews().FillItemList();
    refreshShownItem();
    if (changed)
        w_.setModified(true);
}

} // namespace tovu::mainwindow
