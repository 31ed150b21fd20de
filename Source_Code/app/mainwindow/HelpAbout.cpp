// The About box command and the help file.
#include "app/mainwindow/frmmain.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace tovu::mainwindow {

void frmmain::mnuAbout_Click()
{
    loadAbout();
    about_->lblTitle()->setText(programTitle());
    about_->cmdOK()->setVisible(true);
    about_->BaudData()->setText(ctx_.language.GetResString(ids::BaudRateInformation) + QStringLiteral("( ") + ctx_.port.settings()
                                + QStringLiteral(" )"));
    about_->BaudData()->setVisible(true);
    ctx_.ui.runModal(*about_);
    // cmdOK_Click unloads the box; the next scan or About loads it afresh.
    about_.reset();
}

// The help file of the language in use, or the English one where the language has none,
// is shown by the desktop's viewer. A missing file, or no viewer, gives one message
// naming the file.
void frmmain::mnuhelp_Click()
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
