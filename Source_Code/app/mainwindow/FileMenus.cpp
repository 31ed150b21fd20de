// File, Open and File, Save Individual Item, and the wiring of the item commands' menus.
#include "app/mainwindow/frmmain.h"

#include "app/items/FileHandlingModule.h"
#include "app/items/LoadReportText.h"
#include "platform/text/NumberText.h"
#include "app/mainwindow/FileMenus.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QRegularExpression>

namespace tovu::mainwindow {

namespace {

constexpr int kAgcOption = 12;
constexpr int kFirstAgcModel = 11;
constexpr int kOpenClearedRecords = 900;

QString failureText(const items::StringSource& s, int whatId, const QString& file, int line, const QString& reason)
{
    QString text = s.GetResString(whatId) + u' ' + QDir::toNativeSeparators(file);
    if (line > 0)
        text += s.GetResString(ids::AtLine).arg(line);
    return text + QStringLiteral(":\n") + reason;
}

} // namespace

QString savedItemsFileName(const QString& chosen)
{
    return QFileInfo(chosen).suffix().compare(QLatin1String("dfd"), Qt::CaseInsensitive) == 0 ? chosen
                                                                                              : chosen + QStringLiteral(".dfd");
}

bool frmmain::mnuOpen_Click()
{
    // Unsaved items are not dropped without asking, and nothing is emptied before the
    // new file has been read whole.
    if (modified_) {
        const Answer a = ctx_.ui.askYesNoCancel(ctx_.language.GetResString(ids::OpenUnsavedQuestion),
                                                ctx_.language.GetResString(ids::ProgramTitle), MessageIcon::Question);
        if (a == Answer::Cancel || (a == Answer::Yes && !mnuSave_Click()))
            return false;
    }
    QString folder = ctx_.settings.GetSetting(QStringLiteral("Application"), QStringLiteral("Path"), ctx_.paths.programFolder);
    if (!QFileInfo(folder).isDir())
        folder = ctx_.paths.programFolder;
    CommonDialog1.InitDir = folder;
    CommonDialog1.Filter = kSavedItemsFilter;
    const std::optional<QString> name = ctx_.ui.openFileName(CommonDialog1);
    if (!name)
        return false;
    CommonDialog1.FileName = *name;
    ctx_.settings.SaveSetting(QStringLiteral("Application"), QStringLiteral("Path"), QFileInfo(*name).absolutePath());

    // The file is read aside; memory changes only when what was read is accepted.
    items::StagedLoad staged = items::ReadItemsFile(ctx_.store, *name, languageCodePage(), items::StagingBase::ResetRecords);
    const items::LoadResult& loaded = staged.result;
    const QString title = ctx_.language.GetResString(ids::ProgramTitle);
    if (!loaded.ok) {
        if (loaded.noRecords)
            ctx_.ui.message(ctx_.language.GetResString(items::kNoRecordText).arg(QDir::toNativeSeparators(loaded.file)), title,
                            MessageIcon::Exclamation);
        else
            ctx_.ui.message(failureText(ctx_.language, ids::ItemsNotRead, loaded.file, 0, loaded.reason) + u'\n'
                                + ctx_.language.GetResString(ids::ItemsInMemoryUnchanged),
                            title, MessageIcon::Critical);
        return false;
    }
    if (!loaded.report.empty() &&
        ctx_.ui.askYesNo(items::loadReportText(loaded.report, loaded.file, ctx_.language), title, MessageIcon::Exclamation) !=
            Answer::Yes)
        return false;
    items::AcceptLoad(ctx_.store, std::move(staged));
    items::ItemStore& store = ctx_.store;
    const int searched = std::min(kOpenClearedRecords, static_cast<int>(store.WorkItems.size()));
    int k = 0;
    for (int i = 1; i <= searched; ++i)
        if (store.WorkItems[static_cast<std::size_t>(i - 1)].InUse)
            k = i - 1;
    QAction* agc = menus_.mnuCopyClipBoardOptions[kAgcOption];
    agc->setEnabled(store.WorkItems[static_cast<std::size_t>(k)].ModelIndex >= kFirstAgcModel);
    agc->setChecked(false);
    storeCopyOptionsMask();
    for (int i = 1; i < searched + 1 && i < static_cast<int>(store.WorkItems.size()); ++i)
        store.ClearDFDRecord(i);
    mnuViewPanels_Click();
    // Memory now holds what the file holds.
    setModified(false);
    return true;
}

bool frmmain::mnuSaveIndividual_Click()
{
    static const QRegularExpression trailingNumber(QStringLiteral("(\\d+)$"));
    const QString caption = action(QStringLiteral("mnuSaveIndividual"))->text();
    const QRegularExpressionMatch m = trailingNumber.match(caption);
    const int n = m.hasMatch() && caption.left(m.capturedStart()).endsWith(u' ') ? m.captured(1).toInt() : 0;
    items::ItemStore& store = ctx_.store;
    if (n < 1 || n >= static_cast<int>(store.WorkItems.size()) || !store.WorkItems[static_cast<std::size_t>(n)].InUse) {
        ctx_.ui.message(ctx_.language.GetResString(ids::NoFileSelected), ctx_.language.GetResString(ids::InfoTitle),
                        MessageIcon::Information);
        return false;
    }
    CommonDialog1.DialogTitle = ctx_.language.GetResString(ids::SaveIndividualTitle);
    CommonDialog1.Filter = kSavedItemsFilter;
    CommonDialog1.Flags = kOverwritePrompt;
    // Cancel ends the command: no earlier file name is written over.
    const std::optional<QString> chosen = ctx_.ui.saveFileName(CommonDialog1);
    if (!chosen)
        return false;
    const QString name = savedItemsFileName(*chosen);
    CommonDialog1.FileName = name;
    const int kind = alogsShown() ? items::ALogKind : items::PanelKind;
    const items::SaveResult saved = items::SaveSingleItem(store, n, kind, name, languageCodePage());
    if (!saved.ok) {
        ctx_.ui.message(failureText(ctx_.language, ids::ItemNotSaved, saved.file, 0, saved.reason),
                        ctx_.language.GetResString(ids::ProgramTitle), MessageIcon::Critical);
        return false;
    }
    return true;
}

void frmmain::connectFileCommands()
{
    const auto on = [this](const char* name, std::function<void()> f) {
        connectCommand(action(QString::fromLatin1(name)), std::move(f));
    };
    on("mnuOpen", [this] { mnuOpen_Click(); });
    on("mnuSaveIndividual", [this] { mnuSaveIndividual_Click(); });
    on("mnuGetCurrentSettings", [this] { mnuGetCurrentSettings_Click(); });
    on("mnuCompactMem", [this] { mnuCompactMem_Click(); });
    on("PopUpmnuRecallItem", [this] { PopUpmnuRecallItem_Click(); });
    on("PopUpmnuDeleteItem", [this] { PopUpmnuDeleteItem_Click(); });
    on("MnuErasePanels", [this] { MnuErasePanels_Click(); });
    on("MnuEraseALOGS", [this] { MnuEraseALOGS_Click(); });
    for (int i = 0; i < 2; ++i)
        connect(moveOrder_[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { runCommand([this, i] { cmdMoveOrder_Click(i); }); });
}

} // namespace tovu::mainwindow
