// The help file of the language in use, and the Help command that shows it.
#include "app/mainwindow/HelpMenu.h"

#include "app/resources/StringIds.h"

#include <QDir>

namespace tovu::mainwindow {

namespace ids = resources::ids;

void HelpMenu::setHelpFile()
{
    helpFile_ = ctx_.paths.assetPath(helpFileName(ctx_.language.LanguageCode()));
}

// The help file of the language in use, or the English one where the language has none,
// is shown by the desktop's viewer. A missing file, or no viewer, gives one message
// naming the file.
void HelpMenu::mnuhelp_Click()
{
    const QString english = ctx_.paths.assetPath(helpFileName(kHelpFallbackLanguage));
    const QString file = !platform::help::helpFileExists(helpFile_) && platform::help::helpFileExists(english)
                             ? english
                             : helpFile_;
    using platform::help::HelpOpenResult;
    const HelpOpenResult result = ctx_.help->openHelpFile(file);
    if (result == HelpOpenResult::Opened)
        return;
    const int failure = result == HelpOpenResult::NoViewer ? ids::HelpViewerMissing : ids::HelpFileMissing;
    ctx_.ui.message(ctx_.language.GetResString(failure) + u'\n' + QDir::toNativeSeparators(file),
                    ctx_.language.GetResString(ids::ProgramTitle), MessageIcon::Exclamation);
}

} // namespace tovu::mainwindow
