#include "platform/printing/SystemPrinting.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace tovu::platform::printing {

QString SystemPrinting::installedPrinter(const QString& name) const
{
    const QPrinterInfo info = name.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(name);
    return info.isNull() ? QString() : info.printerName();
}

std::unique_ptr<PrintJob> SystemPrinting::open(const PrintTarget& target, const PageSetup& setup)
{
    // A printer writing its own output file would cut the old file on a failure.
    if (!target.pdfFile.isEmpty())
        return openPdfFile(target.pdfFile, setup);
    const QString name = installedPrinter(target.printer);
    if (name.isEmpty())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPrinterName(name);
    printer->setPageSize(QPageSize(setup.paper, QPageSize::Point));
    printer->setFullPage(setup.fullPage);
    printer->setPageMargins(setup.margins, QPageLayout::Point);
    return deviceJob(std::move(printer));
}

PrinterDialog::PrinterDialog(QWidget* parent) : parent_(parent) {}

PrinterDialog::~PrinterDialog() = default;

PrintJob* PrinterDialog::choosePrinter()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    job_.reset();
    QPrintDialog dialog(printer_.get(), parent_);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    if (printer_->outputFileName().isEmpty()) {
        job_ = deviceJob(*printer_);
    } else {
        const QPageLayout layout = printer_->pageLayout();
        job_ = openPdfFile(printer_->outputFileName(),
                           {layout.pageSize().size(QPageSize::Point), layout.margins(QPageLayout::Point),
                            printer_->fullPage()});
    }
    return job_.get();
}

} // namespace tovu::platform::printing
