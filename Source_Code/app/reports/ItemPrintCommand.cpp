#include "app/reports/ItemPrintCommand.h"

#include "app/display/AScanColours.h"
#include "app/display/AScanPainter.h"
#include "app/display/QPainterCanvas.h"
#include "platform/text/NumberText.h"
#include "app/reports/PrintRender.h"

#include <QPagedPaintDevice>

namespace tovu::reports {

ItemPrintCommand::ItemPrintCommand(const display::AScanDisplay& display, ReportWindow& window, ReportUser& user)
    : display_(display)
    , window_(window)
    , user_(user)
{
}

void ItemPrintCommand::mnuPrint_Click()
{
    QPagedPaintDevice* printer = user_.choosePrinter();
    if (!printer)
        return;
    const std::optional<std::int16_t> n = platform::text::roundToInt16(platform::text::valueOfText(window_.noteIndexCaption()));
    const auto& records = display_.store().WorkItems;
    if (!n || *n < 0 || *n >= static_cast<int>(records.size()))
        return;
    const items::DFDRecord& record = records[static_cast<std::size_t>(*n)];
    const PrintPage page = PrintItem(record, *n, window_.modelCaption(), window_.dateCaption(), display_.strings(),
                                     printableWidthMm(*printer));

    display::AScanView view = display_.view;
    view.superimpose = false;  // the printout shows its own item only
    const display::AScanColours colours = display::readColours(display_.settings());
    const QString separator = display_.decimalSeparator;
    const items::StringSource& strings = display_.strings();
    printPage(page, *printer, [&](QPainter& painter, const QRectF& target) {
        display::QPainterCanvas canvas(painter, target);
        display::DrawAScan(display::AScanScene{record, nullptr, view, colours, strings, separator}, canvas);
    });
}

} // namespace tovu::reports
