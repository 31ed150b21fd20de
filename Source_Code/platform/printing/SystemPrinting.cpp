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

std::unique_ptr<QPagedPaintDevice> SystemPrinting::open(const PrintTarget& target, const PageSetup& setup)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!target.pdfFile.isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(target.pdfFile);
    } else {
        const QString name = installedPrinter(target.printer);
        if (name.isEmpty())
            return nullptr;
        printer->setPrinterName(name);
    }
    printer->setPageSize(QPageSize(setup.paper, QPageSize::Point));
    printer->setFullPage(setup.fullPage);
    printer->setPageMargins(setup.margins, QPageLayout::Point);
    return printer;
}

PrinterDialog::PrinterDialog(QWidget* parent) : parent_(parent) {}

PrinterDialog::~PrinterDialog() = default;

QPagedPaintDevice* PrinterDialog::choosePrinter()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer_.get(), parent_);
    return dialog.exec() == QDialog::Accepted ? printer_.get() : nullptr;
}

} // namespace tovu::platform::printing
