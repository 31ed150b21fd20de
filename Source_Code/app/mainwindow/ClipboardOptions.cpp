// The clipboard copy options of the Edit menu and their mask in the settings store.
#include "app/mainwindow/frmmain.h"

namespace tovu::mainwindow {

namespace {
constexpr int kAllOptions = (1 << kCopyOptions) - 1;  // 8191
}

int frmmain::copyOptionsMask() const
{
    int mask = 0;
    for (int i = 0; i < kCopyOptions; ++i)
        if (menus_.mnuCopyClipBoardOptions[static_cast<std::size_t>(i)]->isChecked())
            mask += 1 << i;
    return mask;
}

void frmmain::storeCopyOptionsMask()
{
    ctx_.settings.SaveSetting(QStringLiteral("Clipboard"), QStringLiteral("Copy Options"), QString::number(copyOptionsMask()));
}

void frmmain::mnuCopyClipBoardOptions_Click(int Index)
{
    QAction* option = menus_.mnuCopyClipBoardOptions.at(static_cast<std::size_t>(Index));
    option->setChecked(!option->isChecked());
    menus_.mnuoptall[1]->setChecked(false);
    menus_.mnuoptall[2]->setChecked(false);
    storeCopyOptionsMask();
}

void frmmain::mnuoptall_Click(int Index)
{
    const bool all = Index == 1;
    for (QAction* option : menus_.mnuCopyClipBoardOptions)
        option->setChecked(all);
    ctx_.settings.SaveSetting(QStringLiteral("Clipboard"), QStringLiteral("Copy Options"),
                              QString::number(all ? kAllOptions : 0));
    menus_.mnuoptall[1]->setChecked(all);
    menus_.mnuoptall[2]->setChecked(!all);
}

} // namespace tovu::mainwindow
