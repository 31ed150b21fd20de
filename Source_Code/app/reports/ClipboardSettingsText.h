#pragma once
// The settings of the shown item as plain text for the clipboard: the model and date
// lines, the notes, the reading, then one section per instrument menu chosen by the copy
// options, each under the names of the item's model block in the string tables. Every
// line is appended as CR LF and its text, so the text begins with CR LF.

#include "app/items/DFDRecord.h"
#include "app/items/ItemStore.h"
#include "app/items/StringSource.h"
#include "app/reports/CopyOptions.h"
#include "app/reports/ReportHost.h"
#include "platform/clipboard/Clipboard.h"

namespace tovu::reports {

QString ClipboardSettingsText(const items::DFDRecord& record, const QString& modelCaption, const QString& dateCaption,
                              const CopyOptions& options, const items::StringSource& strings);

// The Copy Panel command (menu and toolbar).
class ClipboardCopy {
public:
    ClipboardCopy(const items::ItemStore& store, const items::StringSource& strings, CopyOptions& options,
                  platform::clipboard::Clipboard& clipboard, ReportWindow& window, ReportUser& user);

    // Builds the text for the item the notes pane shows and puts it on the clipboard. A
    // failure (no such item) is shown in a critical box titled "Menu Copy error" and
    // leaves the clipboard as it was: the text is built before the clipboard is cleared.
    void mnuCopyPanel_Click();

private:
    const items::ItemStore& store_;
    const items::StringSource& strings_;
    CopyOptions& options_;
    platform::clipboard::Clipboard& clipboard_;
    ReportWindow& window_;
    ReportUser& user_;
};

} // namespace tovu::reports
