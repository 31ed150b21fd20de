#include "app/reports/ItemPrintCommand.h"

#include "app/display/AScanColours.h"
#include "app/display/AScanPainter.h"
#include "app/display/QPainterCanvas.h"
#include "platform/text/NumberText.h"
#include "app/reports/PrintRender.h"

#include "platform/printing/Printing.h"

#include <QPagedPaintDevice>

namespace tovu::reports {

ItemPrintCommand::ItemPrintCommand(const display::AScanDisplay& display, ReportWindow& window, ReportUser& user)
    : display_(display)
    , window_(window)
    , user_(user)
{
}

namespace {
constexpr int kProductNameId = 130;
constexpr int kNotPrintedId = 6202;
constexpr int kPrinterNotOpenedId = 6203;
constexpr int kPageNotTakenId = 6204;
constexpr int kNoItemShownId = 6205;
} // namespace

void ItemPrintCommand::failed(int reasonId) const
{
    failedBecause(display_.strings().GetResString(reasonId));
}

void ItemPrintCommand::failedBecause(const QString& reason) const
{
    const items::StringSource& s = display_.strings();
    user_.message(s.GetResString(kNotPrintedId) + QStringLiteral("\r\n") + reason, s.GetResString(kProductNameId),
                  MessageIcon::Critical);
}

void ItemPrintCommand::mnuPrint_Click()
{
    platform::printing::PrintJob* job = user_.choosePrinter();
    if (!job)
        return;
    QPagedPaintDevice* printer = &job->device();
    const std::optional<std::int16_t> n = platform::text::roundToInt16(platform::text::valueOfText(window_.noteIndexCaption()));
    const auto& records = display_.store().WorkItems;
    if (!n || *n < 0 || *n >= static_cast<int>(records.size())) {
        failed(kNoItemShownId);
        return;
    }
    const items::DFDRecord& record = records[static_cast<std::size_t>(*n)];
    const PrintPage page = PrintItem(record, *n, window_.modelCaption(), window_.dateCaption(), display_.strings(),
                                     printableWidthMm(*printer));

    display::AScanView view = display_.view;
    view.superimpose = false;  // the printout shows its own item only
    const display::AScanColours colours = display::readColours(display_.settings());
    const QString separator = display_.decimalSeparator;
    const items::StringSource& strings = display_.strings();
    const PrintOutcome outcome = printPage(page, *printer, [&](QPainter& painter, const QRectF& target) {
        display::QPainterCanvas canvas(painter, target);
        display::DrawAScan(display::AScanScene{record, nullptr, view, colours, strings, separator}, canvas);
    });
    if (outcome == PrintOutcome::NotOpened)
        failed(kPrinterNotOpenedId);
    else if (outcome == PrintOutcome::PageNotTaken)
        failed(kPageNotTakenId);
    else if (!job->finish())
        failedBecause(job->reason());
}

} // namespace tovu::reports
