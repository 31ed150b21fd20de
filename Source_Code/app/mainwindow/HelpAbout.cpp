// The About box command and the help file.
#include "app/mainwindow/frmmain.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace tovu::mainwindow {

void frmmain::mnuAbout_Click()
{
    loadAbout();
    about_->lblTitle()->setText(programTitle());
    about_->cmdOK()->setVisible(true);
    about_->BaudData()->setText(QStringLiteral("Baud Rate Information :") + QStringLiteral("( ") + ctx_.port.settings()
                                + QStringLiteral(" )"));
    about_->BaudData()->setVisible(true);
    ctx_.ui.runModal(*about_);
    // cmdOK_Click unloads the box; the next scan or About loads it afresh.
    about_.reset();
}

// The help file is opened by the desktop's handler for its type. A missing file, or no
// program to show it, gives one message naming the file.
void frmmain::mnuhelp_Click()
{
    const QString title = ctx_.language.GetResString(130);
    if (!QFileInfo(helpFile_).isFile()) {
        ctx_.ui.message(QStringLiteral("The help file cannot be found:\n") + helpFile_, title, MessageIcon::Exclamation);
        return;
    }
    if (!ctx_.ui.openWithDesktop(helpFile_))
        ctx_.ui.message(QStringLiteral("No program is installed that shows the help file:\n") + helpFile_, title,
                        MessageIcon::Exclamation);
}

} // namespace tovu::mainwindow
