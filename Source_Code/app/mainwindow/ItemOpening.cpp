// Opening an item of the list (a click, a double-click, a drop on the grid or the
// picture), the one shown item that every route sets, and the notes pane writing its
// edits back into the record whose notes it shows.
#include "app/mainwindow/frmmain.h"

#include "platform/text/NumberText.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tovu::mainwindow {

namespace {

constexpr int kAgcOption = 12;
constexpr int kFirstAgcModel = 11;

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

bool frmmain::openItem(int n)
{
    const items::DFDRecord& r = ctx_.store.workItem(n);
    if (!r.InUse && !r.WaveformPresent)
        return false;
    ctx_.display.DrawAScan(n);
    ShowALogSettings(n);
    if (r.InUse)
        ShowItemNotes(n);
    setShownItem(n);
    return true;
}

void frmmain::setShownItem(int n)
{
    shown_ = {n == 0 ? ShownItem::Array::Live : alogsShown() ? ShownItem::Array::ALogs : ShownItem::Array::Panels, n};
    shownRecord_ = ctx_.store.workItem(n);
    // Save Individual and the exports name the same item.
    if (n >= 1)
        lvwPanelsALog_ItemClick(n);
}

std::optional<int> frmmain::shownItemIndex() const
{
    if (shown_.index < 0 || shown_.index >= static_cast<int>(ctx_.store.WorkItems.size()))
        return std::nullopt;
    if (shown_.array != ShownItem::Array::Live && (shown_.array == ShownItem::Array::ALogs) != alogsShown())
        return std::nullopt;
    return shown_.index;
}

// After the working records were refilled (a view switch, the end of a download, a file
// opened): when the shown item's record now holds other data, it is shown anew.
void frmmain::refreshShownItem()
{
    const std::optional<int> n = shownItemIndex();
    if (!n || *n == 0 || ctx_.store.workItem(*n) == shownRecord_)
        return;
    openItem(*n);
}

void frmmain::lvwPanelsALog_DblClick()
{
    ctx_.store.LiveSettingsShown = false;
    const std::optional<int> n = selectedItemIndex();
    if (!n)
        return;
    menus_.mnuCopyClipBoardOptions[kAgcOption]->setEnabled(ctx_.store.workItem(*n).ModelIndex >= kFirstAgcModel);
    if (!openItem(*n))
        ctx_.ui.message(listModel_->itemText(*n) + ctx_.language.GetResString(ids::IsEmpty), ctx_.language.GetResString(ids::DfdFileTitle),
                        MessageIcon::Information);
}

void frmmain::lvwPanelsALog_ItemClick(int item)
{
    // Save Individual names the item clicked (also one that cannot be shown).
    const int id = alogsShown() ? 173 : 172;
    action(QStringLiteral("mnuSaveIndividual"))
        ->setText(ctx_.language.GetResString(id) + QStringLiteral("  ") + platform::text::numberText(static_cast<long long>(item)));
}

void frmmain::GridSettings_DragDrop()
{
    const std::optional<int> n = selectedItemIndex();
    if (!n || !openItem(*n))
        return;
    const items::DFDRecord& r = ctx_.store.workItem(*n);
    if (r.InUse)
        // The title and the model run together; unsaved changes keep their mark.
        setCaptionBase(programTitle() +
                       ctx_.link.ModelNames.at(static_cast<std::size_t>(std::clamp<int>(r.ModelIndex, 0, items::kModelCount - 1))));
}

void frmmain::Picture1_DragDrop()
{
    if (const std::optional<int> n = selectedItemIndex())
        openItem(*n);
}

// ---- Notes ----

void frmmain::connectItemCommands()
{
    for (int box = 0; box < 5; ++box) {
        QLineEdit* edit = std::array{notes_->LabelText(), notes_->OperatorText(), notes_->LocationText(),
                                     notes_->ProbeText(), notes_->NotesText()}[static_cast<std::size_t>(box)];
        // Only what the user changes (typing, pasting, cutting) is stored; showing an
        // item writes nothing back.
        connect(edit, &QLineEdit::textEdited, this, [this, box](const QString& text) { storeNote(box, text); });
    }
    notes_->MemoText()->installEventFilter(new MemoKeys(notes_->MemoText()));
    connect(notes_->MemoText(), &QPlainTextEdit::textChanged, this, [this] {
        if (!showingNotes_)
            storeMemo();
    });
    connect(list_, &QAbstractItemView::doubleClicked, this, [this] { runCommand([this] { lvwPanelsALog_DblClick(); }); });
    // A click shows the item as a double-click does, without the empty-item message.
    connect(list_, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) {
        lvwPanelsALog_ItemClick(i.row() + 1);
        runCommand([this, n = i.row() + 1] {
            ctx_.store.LiveSettingsShown = false;
            openItem(n);
        });
    });
    // The first and last selected items, kept for the commands that work on a range (the
    // list keeps its selection through a drag, so they follow it as it changes).
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        ListSelFirst = ListSelLast = 0;
        for (const QModelIndex& i : list_->selectionModel()->selectedIndexes()) {
            const int k = i.row() + 1;
            ListSelFirst = ListSelFirst == 0 ? k : std::min(ListSelFirst, k);
            ListSelLast = std::max(ListSelLast, k);
        }
    });
    connectFileCommands();
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

void frmmain::storeNote(int box, const QString& text)
{
    const NoteField field = kNoteFields[box];
    if (editShown(ctx_.store, notesItem_, alogsShown(), [&](items::RecordSettings& s) { s.*field = text; }))
        setModified(true);
}

void frmmain::storeMemo()
{
    const QString memo = notes_->MemoText()->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
    if (editShown(ctx_.store, notesItem_, alogsShown(), [&](items::RecordSettings& s) { s.Memo = memo; }))
        setModified(true);
}

} // namespace tovu::mainwindow
