#include "app/mainwindow/MainToolbar.h"

#include "app/mainwindow/Icons.h"
#include "app/mainwindow/frmmain.h"

#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <optional>

namespace tovu::mainwindow {

namespace {

struct ToolbarButton {
    const char* key;  // nullptr: a separator
    QStyle::StandardPixmap icon;
    bool checkable = false;
    std::optional<ToolbarPicture> own = std::nullopt;  // a picture of the program's own instead
};

// Positions 1 to 17 in order.
constexpr ToolbarButton kToolbar[] = {
    {"Open", QStyle::SP_DialogOpenButton},
    {"Save", QStyle::SP_DialogSaveButton},
    {nullptr, QStyle::SP_CustomBase},
    {"Status", QStyle::SP_BrowserReload},
    {nullptr, QStyle::SP_CustomBase},
    {"CopyAlog", QStyle::SP_FileDialogContentsView},
    {"CopyPanel", QStyle::SP_CustomBase, false, ToolbarPicture::CopyPanel},
    {"wordIcon1", QStyle::SP_CustomBase, false, ToolbarPicture::Word},
    {nullptr, QStyle::SP_CustomBase},
    {"ViewAlogs", QStyle::SP_ArrowLeft},
    {"ViewPanels", QStyle::SP_ArrowRight},
    {"Superimpose", QStyle::SP_TitleBarNormalButton, true},
    {"Recycle_Bin_Empty", QStyle::SP_TrashIcon},
    {"LargeIcons", QStyle::SP_FileDialogListView},
    {"SmallIcons", QStyle::SP_FileDialogInfoView},
    {"List", QStyle::SP_CustomBase, false, ToolbarPicture::List},
    {"TOVUHelp", QStyle::SP_DialogHelpButton},
};

} // namespace

MainToolbar::MainToolbar(frmmain& window, const items::StringSource& language, std::function<void(const QString& key)> click)
{
    toolbar_ = window.addToolBar(QStringLiteral("Toolbar1"));
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar_->setMovable(false);
    buttons_.assign(1, nullptr);  // positions from 1
    for (const ToolbarButton& b : kToolbar) {
        if (!b.key) {
            buttons_.push_back(toolbar_->addSeparator());
            continue;
        }
        const QString key = QString::fromLatin1(b.key);
        const QIcon icon = b.own ? toolbarPicture(*b.own) : window.style()->standardIcon(b.icon);
        const QString text = key == u"TOVUHelp" ? language.GetResString(ids::HelpButton) : QString();
        QAction* a = toolbar_->addAction(icon, text);
        a->setObjectName(key);
        a->setData(key);
        a->setCheckable(b.checkable);
        window.connectCommand(a, [click, key] { click(key); });
        buttons_.push_back(a);
    }
    // The help button carries its fixed text beside the picture.
    if (auto* help = toolbar_->widgetForAction(buttons_.back()))
        if (auto* button = qobject_cast<QToolButton*>(help))
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

QAction* MainToolbar::button(int position) const
{
    return buttons_.at(static_cast<std::size_t>(position));
}

} // namespace tovu::mainwindow
