// The captions of the main window from string ids, and the language menu.
#include "app/mainwindow/frmmain.h"
#include "app/mainwindow/PaneLayout.h"
#include "app/mainwindow/PageMenus.h"
#include "app/mainwindow/ItemCommands.h"

#include "app/mainwindow/CaptionTable.h"
#include "app/mainwindow/Icons.h"
#include "app/mainwindow/ReportWiring.h"
#include "app/mainwindow/ItemViews.h"
#include "app/reports/widgets/ReportFrame.h"

#include <QLabel>
#include <QToolBar>

namespace tovu::mainwindow {

void frmmain::ApplyLanguageCaptions()
{
    const items::StringSource& s = ctx_.language;
    setCaptionBase(programTitle());
    for (int i = 0; i < kLanguages; ++i)
        menus_.mnuMultSel[static_cast<std::size_t>(i)]->setText(s.GetResString(kLanguageCaptionBase + i));
    for (const Caption& c : menuCaptions())
        action(QString::fromLatin1(c.control))->setText(s.GetResString(c.id));
    for (int i = 0; i < kComPorts; ++i)
        menus_.mnuCom[static_cast<std::size_t>(i)]->setText(s.GetResString(kComCaptionId) + u' ' + QString::number(i + 1));

    notes_->setCurrentIndex(kNotesTab);
    notes_->setCurrentCaption(s.GetResString(kNotesTabCaptionId));
    for (const Caption& c : noteCaptions())
        notes_->findChild<QLabel*>(QString::fromLatin1(c.control))->setText(s.GetResString(c.id));
    notes_->setCurrentIndex(kSettingsTab);
    notes_->setCurrentCaption(s.GetResString(kSettingsTabCaptionId));
    notes_->setTabText(kMemoTab, s.GetResString(ids::MemoTab));

    menus_.mnuoptall[1]->setText(s.GetResString(kSelectAllOptionsId));
    menus_.mnuoptall[2]->setText(s.GetResString(kDeleteAllOptionsId));
    for (int i = 0; i < kCopyOptions; ++i)
        menus_.mnuCopyClipBoardOptions[static_cast<std::size_t>(i)]->setText(
            s.GetResString(copyOptionCaptionIds()[static_cast<std::size_t>(i)]));

    for (const Tooltip& t : toolbarTooltips())
        toolbarButton(t.position)->setToolTip(s.GetResString(t.id));
    toolbarButtons_.back()->setText(s.GetResString(ids::HelpButton));
    if (reports_)
        reports_->frame().applyCaptions(s);
    // The grid's heading row (strings 170 and 171) is written by InitSettingsGrid, which
    // both callers run right after this routine.
}

void frmmain::mnuMultSel_Click(int Index)
{
    for (int i = 0; i < kLanguages; ++i)
        menus_.mnuMultSel[static_cast<std::size_t>(i)]->setChecked(i == Index);
    ctx_.language.setLanguageCode(QString::fromLatin1(localeCodeOfLanguageItem(Index)));
    help_.setHelpFile();
    ctx_.settings.SaveSetting(QStringLiteral("Application"), QStringLiteral("Language"), ctx_.language.LanguageCode());
    // Without a library for the code every text on screen stays as it is.
    if (!ctx_.language.LoadResourceDll(ctx_.language.LanguageCode()))
        return;
    tree_->build(ctx_.language, iconResource(IconResource::YellowDetector));
    // The rebuilt tree shows the first page of each kind, so that is the page in work.
    pages_->showFirstPages();
    items::InitModelNames(ctx_.link.ModelNames);
    ApplyLanguageCaptions();
    notes_->gridModel().InitSettingsGrid(ctx_.language);
    views_->FillItemList();
    // The shown item in the new language's names; longer captions may need more room.
    if (const std::optional<int> n = shownItemIndex())
        items_->openItem(*n);
    layout_->Form_Resize();
}

} // namespace tovu::mainwindow
