#pragma once
// The service menu's Print command: the printer dialog (Cancel ends the command), then
// the page of the item the notes pane shows, with its A-scan drawn from the record by
// the display's painter onto the printer, whatever picture type the clipboard uses.

#include "app/display/AScanDisplay.h"
#include "app/reports/ReportHost.h"

namespace tovu::reports {

class ItemPrintCommand {
public:
    // The display gives the trace style, colours and decimal separator of the picture.
    ItemPrintCommand(const display::AScanDisplay& display, ReportWindow& window, ReportUser& user);

    // A failure (no item shown, a printer that cannot be opened or does not take the page)
    // is told with its reason; nothing half-drawn is handed to the printer, because the
    // page is laid out before painting.
    void mnuPrint_Click();

private:
    void failed(int reasonId) const;
    void failedBecause(const QString& reason) const;

    const display::AScanDisplay& display_;
    ReportWindow& window_;
    ReportUser& user_;
};

} // namespace tovu::reports
