#pragma once
// Printers as the program's code sees them: which printers are installed, a print job with
// a page set-up on one of them or into a PDF file, and the user's choice of printer. Only
// this folder touches Qt's print support; the headless code is handed a Printing and paints
// on the device it opens. SystemPrinting.h holds the implementation on the system's printers
// (it needs widgets); RecordingPrinting.h a fake that records its jobs.

#include <QMarginsF>
#include <QPagedPaintDevice>
#include <QSizeF>
#include <QString>
#include <memory>

namespace tovu::platform::printing {

// The paper and the margins, in points. A full page puts the painter's origin at the
// paper's corner rather than at the printable area's.
struct PageSetup {
    QSizeF paper;
    QMarginsF margins;
    bool fullPage = true;
};

// Where a job goes: into pdfFile as PDF when it is set, else to the installed printer of
// that name.
struct PrintTarget {
    QString printer;
    QString pdfFile;
};

// A job opened on a target: paint its pages on device(), end the painter, then finish()
// sends it. A job into a PDF file is held in memory until finish() writes the file whole
// (renamed into place) or not at all; a job dropped unfinished writes nothing.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    virtual QPagedPaintDevice& device() = 0;
    // True once the job went out whole; false with reason() ("<file> could not be
    // written: the disk is full") when it did not, an old file of that name left as it was.
    virtual bool finish() = 0;
    const QString& reason() const { return reason_; }

protected:
    QString reason_;
};

class Printing {
public:
    virtual ~Printing() = default;
    // The name of the installed printer asked for, the default printer's for ""; "" when
    // there is no such printer (or none at all).
    virtual QString installedPrinter(const QString& name) const = 0;
    // A job with the page set-up. Null when the target cannot take a job.
    virtual std::unique_ptr<PrintJob> open(const PrintTarget& target, const PageSetup& setup) = 0;
};

// PDF files only, with no printer installed: what headless code prints through unless the
// program hands it the system's printers.
class PdfPrinting final : public Printing {
public:
    QString installedPrinter(const QString& name) const override;
    std::unique_ptr<PrintJob> open(const PrintTarget& target, const PageSetup& setup) override;
};

// A job into the PDF file, with the page set-up; what every Printing opens for a file.
std::unique_ptr<PrintJob> openPdfFile(const QString& file, const PageSetup& setup);

// A job on a device that sends it when its painter ends, such as a system printer; the
// second form leaves the device the caller's.
std::unique_ptr<PrintJob> deviceJob(std::unique_ptr<QPagedPaintDevice> device);
std::unique_ptr<PrintJob> deviceJob(QPagedPaintDevice& device);

// Applies the page set-up to a device.
void applyPageSetup(QPagedPaintDevice& device, const PageSetup& setup);

// The user's choice of a printer (the printer dialog): a job on the printer chosen, which
// stays the chooser's until the next choice, or null when the user cancels. The printer
// is kept for the next time.
class PrinterChoice {
public:
    virtual ~PrinterChoice() = default;
    virtual PrintJob* choosePrinter() = 0;
};

} // namespace tovu::platform::printing
