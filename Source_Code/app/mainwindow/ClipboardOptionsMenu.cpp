#include "app/mainwindow/ClipboardOptionsMenu.h"

#include "app/reports/CopyOptions.h"
#include "platform/text/NumberText.h"

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

void ClipboardOptionsMenu::loadCopyOptions()
{
    const int mask = platform::text::intOfText(settings_.GetSetting(QStringLiteral("Clipboard"), QStringLiteral("Copy Options")));
    for (int i = 0; i < kCopyOptions; ++i)
        menus_.mnuCopyClipBoardOptions[static_cast<std::size_t>(i)]->setChecked((mask & (1 << i)) == (1 << i));
}

int ClipboardOptionsMenu::copyOptionsMask() const
{
    return optionsOf(menus_).mask();
}

void ClipboardOptionsMenu::storeCopyOptionsMask()
{
    optionsOf(menus_).store(settings_);
}

void ClipboardOptionsMenu::enableAgcOption(int model)
{
    menus_.mnuCopyClipBoardOptions[reports::CopyAgc]->setEnabled(model >= reports::kFirstAgcModel);
}

void ClipboardOptionsMenu::resetAgcOption(int model)
{
    enableAgcOption(model);
    menus_.mnuCopyClipBoardOptions[reports::CopyAgc]->setChecked(false);
    storeCopyOptionsMask();
}

void ClipboardOptionsMenu::mnuCopyClipBoardOptions_Click(int Index)
{
    reports::CopyOptions options = optionsOf(menus_);
    options.mnuCopyClipBoardOptions_Click(Index, settings_);
    showOptions(menus_, options);
}

void ClipboardOptionsMenu::mnuoptall_Click(int Index)
{
    reports::CopyOptions options = optionsOf(menus_);
    options.mnuoptall_Click(Index, settings_);
    showOptions(menus_, options);
}

} // namespace tovu::mainwindow
