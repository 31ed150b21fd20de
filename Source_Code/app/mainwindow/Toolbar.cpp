// The toolbar: each button runs the handler of its menu command, chosen by its key.
#include "app/mainwindow/frmmain.h"
#include "app/mainwindow/StatusDisplay.h"
#include "app/mainwindow/ItemCommands.h"
#include "app/mainwindow/FileMenus.h"

#include "app/mainwindow/ReportWiring.h"

namespace tovu::mainwindow {

void frmmain::Toolbar1_ButtonClick(const QString& key)
{
    struct Command {
        const char* key;
        std::function<void()> run;
    };
    const Command commands[] = {
        {"Recycle_Bin_Empty", [this] { items_->Recycle_Bin_Empty(); }},
        {"Open", [this] { files_->mnuOpen_Click(); }},
        {"Save", [this] { files_->mnuSave_Click(); }},
        {"Status", [this] { status_->statusRead(true, true, true, true); }},
        {"CopyAlog", [this] { ascanMenus_->mnuPopUpAscanCopy_Click(); }},
        {"ViewAlogs", [this] { mnuViewALogs_Click(); }},
        {"ViewPanels", [this] { mnuViewPanels_Click(); }},
        {"Superimpose", [this] { mnuSuperimpose_Click(); }},
        {"LargeIcons", [this] { mnuLargeIcons_Click(); }},
        {"SmallIcons", [this] { mnuSmallIcons_Click(); }},
        {"List", [this] { mnuList_Click(); }},
        {"TOVUHelp", [this] { help_.mnuhelp_Click(); }},
        {"wordIcon1", [this] { reports_->Toggle_Export_Frame(); }},
        {"CopyPanel", [this] { reports_->mnuCopyPanel_Click(); }},
    };
    for (const Command& c : commands)
        if (key == QLatin1String(c.key)) {
            c.run();
            return;
        }
}

} // namespace tovu::mainwindow
