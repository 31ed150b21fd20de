#include "app/reports/CopyOptions.h"

#include "platform/text/NumberText.h"

namespace tovu::reports {

int CopyOptions::mask() const
{
    int mask = 0;
    for (int i = 0; i < kCopyOptionCount; ++i)
        if (checked(i))
            mask += 1 << i;
    return mask;
}

void CopyOptions::setMask(int mask)
{
    for (int i = 0; i < kCopyOptionCount; ++i)
        setChecked(i, (mask >> i) & 1);
}

void CopyOptions::load(const display::SettingsAccess& settings)
{
    // A missing or unreadable value selects every section, as a first start does.
    const QString text = settings.GetSetting(kCopyOptionsSection, kCopyOptionsKey, QString::number(kAllCopyOptions));
    setMask(platform::text::roundClamped(platform::text::valueOfText(text), 0, kAllCopyOptions));
}

void CopyOptions::store(display::SettingsAccess& settings) const
{
    settings.SaveSetting(kCopyOptionsSection, kCopyOptionsKey, QString::number(mask()));
}

void CopyOptions::mnuCopyClipBoardOptions_Click(int Index, display::SettingsAccess& settings)
{
    setChecked(Index, !checked(Index));
    all_ = {false, false};
    store(settings);
}

void CopyOptions::mnuoptall_Click(int Index, display::SettingsAccess& settings)
{
    const bool all = Index == 1;
    setMask(all ? kAllCopyOptions : 0);
    store(settings);
    all_ = {all, !all};
}

} // namespace tovu::reports
