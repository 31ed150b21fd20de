// Saving every item held to a saved-items file (File, Save; and the close's Yes).
#include "app/mainwindow/frmmain.h"

#include "app/items/FileHandlingModule.h"
#include "app/mainwindow/FileMenus.h"

#include <QDir>
#include <QFileInfo>

namespace tovu::mainwindow {

bool frmmain::mnuSave_Click()
{
    CommonDialog1.Flags = kOverwritePrompt;
    // The file is always a saved-items file, so only that type is offered.
    CommonDialog1.Filter = kSavedItemsFilter;
    CommonDialog1.InitDir = ctx_.settings.GetSetting(QStringLiteral("Application"), QStringLiteral("Path"), QDir::homePath());
    const std::optional<QString> name = ctx_.ui.saveFileName(CommonDialog1);
    if (!name)
        return false;
    const QString file = savedItemsFileName(*name);
    CommonDialog1.FileName = file;
    ctx_.settings.SaveSetting(QStringLiteral("Application"), QStringLiteral("Path"), QFileInfo(file).absolutePath());
    const items::SaveResult saved = items::SaveItemsFile(ctx_.store, file, languageCodePage());
    if (!saved.ok) {
        // Nothing is reported as saved that was not: the changes stay marked.
        ctx_.ui.message(ctx_.language.GetResString(ids::ItemsNotSaved) + u' ' + saved.file + QStringLiteral(":\n") + saved.reason,
                        ctx_.language.GetResString(ids::ProgramTitle), MessageIcon::Critical);
        return false;
    }
    setCaptionBase(ctx_.language.GetResString(ids::ProgramTitle));
    setModified(false);
    return true;
}

} // namespace tovu::mainwindow
