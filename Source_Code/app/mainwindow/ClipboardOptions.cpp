// The clipboard copy options of the Edit menu and their mask in the settings store. The
// menu items' checks are the options; the rules of their handlers and of the mask are
// the report's copy options, the one place that defines them.
#include "app/mainwindow/frmmain.h"

#include "app/reports/CopyOptions.h"

namespace tovu::mainwindow {

namespace {

static_assert(kCopyOptions == reports::kCopyOptionCount);

reports::CopyOptions optionsOf(const MainMenus& menus)
{
    reports::CopyOptions options;
    for (int i = 0; i < kCopyOptions; ++i)
        options.setChecked(i, menus.mnuCopyClipBoardOptions[static_cast<std::size_t>(i)]->isChecked());
    return options;
}

void showOptions(MainMenus& menus, const reports::CopyOptions& options)
{
    for (int i = 0; i < kCopyOptions; ++i)
        menus.mnuCopyClipBoardOptions[static_cast<std::size_t>(i)]->setChecked(options.checked(i));
    menus.mnuoptall[1]->setChecked(options.selectAllChecked());
    menus.mnuoptall[2]->setChecked(options.deleteAllChecked());
}

} // namespace

int frmmain::copyOptionsMask() const
{
    return optionsOf(menus_).mask();
}

void frmmain::storeCopyOptionsMask()
{
    optionsOf(menus_).store(ctx_.settings);
}

void frmmain::enableAgcOption(int model)
{
    menus_.mnuCopyClipBoardOptions[reports::CopyAgc]->setEnabled(model >= reports::kFirstAgcModel);
}

void frmmain::resetAgcOption(int model)
{
    enableAgcOption(model);
    menus_.mnuCopyClipBoardOptions[reports::CopyAgc]->setChecked(false);
    storeCopyOptionsMask();
}

void frmmain::mnuCopyClipBoardOptions_Click(int Index)
{
    reports::CopyOptions options = optionsOf(menus_);
    options.mnuCopyClipBoardOptions_Click(Index, ctx_.settings);
    showOptions(menus_, options);
}

void frmmain::mnuoptall_Click(int Index)
{
    reports::CopyOptions options = optionsOf(menus_);
    options.mnuoptall_Click(Index, ctx_.settings);
    showOptions(menus_, options);
}

} // namespace tovu::mainwindow
