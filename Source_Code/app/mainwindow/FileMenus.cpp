// File, Open; File, Save; File, Save Individual Item.
#include "app/mainwindow/FileMenus.h"

#include "app/items/FileHandlingModule.h"
#include "app/items/LoadReportText.h"
#include "platform/text/NumberText.h"
#include "app/mainwindow/frmmain.h"
#include "app/mainwindow/ItemViews.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QRegularExpression>

namespace tovu::mainwindow {

namespace {

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

FileMenus::FileMenus(frmmain& window) : w_(window)
{
    w_.connectCommand("mnuOpen", [this] { mnuOpen_Click(); });
    w_.connectCommand("mnuSave", [this] { mnuSave_Click(); });
    w_.connectCommand("mnuSaveIndividual", [this] { mnuSaveIndividual_Click(); });
}

QString FileMenus::startFolder() const
{
    const MainContext& ctx = w_.context();
    const QString last = ctx.settings.GetSetting(QStringLiteral("Application"), QStringLiteral("Path"));
    return !last.isEmpty() && QFileInfo(last).isDir() ? last : ctx.paths.documentsFolder;
}

void FileMenus::rememberFolderOf(const QString& file)
{
    w_.context().settings.SaveSetting(QStringLiteral("Application"), QStringLiteral("Path"), QFileInfo(file).absolutePath());
}

bool FileMenus::mnuOpen_Click()
{
    MainContext& ctx = w_.context();
    CommonDialog& dialog = w_.commonDialog();
    // Unsaved items are not dropped without asking, and nothing is emptied before the
    // new file has been read whole.
    if (w_.modified()) {
        const Answer a = ctx.ui.askYesNoCancel(ctx.language.GetResString(ids::OpenUnsavedQuestion),
                                                ctx.language.GetResString(ids::ProgramTitle), MessageIcon::Question);
        if (a == Answer::Cancel || (a == Answer::Yes && !mnuSave_Click()))
            return false;
    }
    dialog.InitDir = startFolder();
    dialog.Filter = kSavedItemsFilter;
    const std::optional<QString> name = ctx.ui.openFileName(dialog);
    if (!name)
        return false;
    dialog.FileName = *name;
    rememberFolderOf(*name);

    // The file is read aside; memory changes only when what was read is accepted.
    items::StagedLoad staged = items::ReadItemsFile(ctx.store, *name, w_.languageCodePage(), items::StagingBase::ResetRecords);
    const items::LoadResult& loaded = staged.result;
    const QString title = ctx.language.GetResString(ids::ProgramTitle);
    if (!loaded.ok) {
        if (loaded.noRecords)
            ctx.ui.message(ctx.language.GetResString(items::kNoRecordText).arg(QDir::toNativeSeparators(loaded.file)), title,
                            MessageIcon::Exclamation);
        else
            ctx.ui.message(failureText(ctx.language, ids::ItemsNotRead, loaded.file, 0, loaded.reason) + u'\n'
                                + ctx.language.GetResString(ids::ItemsInMemoryUnchanged),
                            title, MessageIcon::Critical);
        return false;
    }
    if (!loaded.report.empty() &&
        ctx.ui.askYesNo(items::loadReportText(loaded.report, loaded.file, ctx.language), title, MessageIcon::Exclamation) !=
            Answer::Yes)
        return false;
    items::AcceptLoad(ctx.store, std::move(staged));
    items::ItemStore& store = ctx.store;
    const int searched = std::min(kOpenClearedRecords, static_cast<int>(store.WorkItems.size()));
    int k = 0;
    for (int i = 1; i <= searched; ++i)
        if (store.WorkItems[static_cast<std::size_t>(i - 1)].InUse)
            k = i - 1;
    w_.clipboardOptions().resetAgcOption(store.WorkItems[static_cast<std::size_t>(k)].ModelIndex);
    for (int i = 1; i < searched + 1 && i < static_cast<int>(store.WorkItems.size()); ++i)
        store.ClearDFDRecord(i);
    w_.itemViews().mnuViewPanels_Click();
    // Memory now holds what the file holds.
    w_.setModified(false);
    return true;
}

bool FileMenus::mnuSaveIndividual_Click()
{
    MainContext& ctx = w_.context();
    CommonDialog& dialog = w_.commonDialog();
    static const QRegularExpression trailingNumber(QStringLiteral("(\\d+)$"));
    const QString caption = w_.action(QStringLiteral("mnuSaveIndividual"))->text();
    const QRegularExpressionMatch m = trailingNumber.match(caption);
    const int n = m.hasMatch() && caption.left(m.capturedStart()).endsWith(u' ') ? m.captured(1).toInt() : 0;
    items::ItemStore& store = ctx.store;
    if (n < 1 || n >= static_cast<int>(store.WorkItems.size()) || !store.WorkItems[static_cast<std::size_t>(n)].InUse) {
        ctx.ui.message(ctx.language.GetResString(ids::NoFileSelected), ctx.language.GetResString(ids::InfoTitle),
                        MessageIcon::Information);
        return false;
    }
    dialog.DialogTitle = ctx.language.GetResString(ids::SaveIndividualTitle);
    dialog.Filter = kSavedItemsFilter;
    dialog.Flags = kOverwritePrompt;
    dialog.InitDir = startFolder();
    // Cancel ends the command: no earlier file name is written over.
    const std::optional<QString> chosen = ctx.ui.saveFileName(dialog);
    if (!chosen)
        return false;
    const QString name = savedItemsFileName(*chosen);
    dialog.FileName = name;
    rememberFolderOf(name);
    const int kind = w_.itemViews().alogsShown() ? items::ALogKind : items::PanelKind;
    const items::SaveResult saved = items::SaveSingleItem(store, n, kind, name, w_.languageCodePage());
    if (!saved.ok) {
        ctx.ui.message(failureText(ctx.language, ids::ItemNotSaved, saved.file, 0, saved.reason),
                        ctx.language.GetResString(ids::ProgramTitle), MessageIcon::Critical);
        return false;
    }
    return true;
}

bool FileMenus::mnuSave_Click()
{
    MainContext& ctx = w_.context();
    CommonDialog& dialog = w_.commonDialog();
    dialog.Flags = kOverwritePrompt;
    // The file is always a saved-items file, so only that type is offered.
    dialog.Filter = kSavedItemsFilter;
    dialog.InitDir = startFolder();
    const std::optional<QString> name = ctx.ui.saveFileName(dialog);
    if (!name)
        return false;
    const QString file = savedItemsFileName(*name);
    dialog.FileName = file;
    rememberFolderOf(file);
    const items::SaveResult saved = items::SaveItemsFile(ctx.store, file, w_.languageCodePage());
    if (!saved.ok) {
        // Nothing is reported as saved that was not: the changes stay marked.
        ctx.ui.message(ctx.language.GetResString(ids::ItemsNotSaved) + u' ' + saved.file + QStringLiteral(":\n") + saved.reason,
                        ctx.language.GetResString(ids::ProgramTitle), MessageIcon::Critical);
        return false;
    }
    w_.setCaptionBase(ctx.language.GetResString(ids::ProgramTitle));
    w_.setModified(false);
    return true;
}

} // namespace tovu::mainwindow
