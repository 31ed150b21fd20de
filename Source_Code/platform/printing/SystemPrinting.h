#pragma once
// The system's printers through Qt's print support (QPrinter, QPrinterInfo, QPrintDialog).
// Qt's print support brings widgets: only the program and the control's library link this.

#include "platform/printing/Printing.h"

#include <memory>

class QPrinter;
class QWidget;

namespace tovu::platform::printing {

class SystemPrinting final : public Printing {
public:
    QString installedPrinter(const QString& name) const override;
    // A high-resolution job on the printer; into a PDF file, as PdfPrinting writes it, when
    // the target names one.
    std::unique_ptr<PrintJob> open(const PrintTarget& target, const PageSetup& setup) override;
};

// The printer dialog over a parent window. The printer chosen stays with the dialog, so the
// next choice starts from it. Printing to a file in the dialog gives a job into that PDF
// file as PdfPrinting writes it, whole or not at all.
class PrinterDialog final : public PrinterChoice {
public:
    explicit PrinterDialog(QWidget* parent);
    ~PrinterDialog() override;
    PrintJob* choosePrinter() override;

private:
    QWidget* parent_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<PrintJob> job_;
};

} // namespace tovu::platform::printing
