#include "platform/printing/Printing.h"

#include "platform/files/AtomicFile.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace tovu::platform::printing {

void applyPageSetup(QPagedPaintDevice& device, const PageSetup& setup)
{
    QPageLayout layout(QPageSize(setup.paper, QPageSize::Point), QPageLayout::Portrait, setup.margins,
                       QPageLayout::Point);
    layout.setMode(setup.fullPage ? QPageLayout::FullPageMode : QPageLayout::StandardMode);
    device.setPageLayout(layout);
}

namespace {

class DeviceJob final : public PrintJob {
public:
    explicit DeviceJob(std::unique_ptr<QPagedPaintDevice> owned) : owned_(std::move(owned)), device_(*owned_) {}
    explicit DeviceJob(QPagedPaintDevice& device) : device_(device) {}
    QPagedPaintDevice& device() override { return device_; }
    bool finish() override { return true; }

private:
    std::unique_ptr<QPagedPaintDevice> owned_;
    QPagedPaintDevice& device_;
};

// The PDF is made in memory: the writer writes the file's bytes as the painter goes, and
// a failure part-way must not have cut the old file.
class PdfFileJob final : public PrintJob {
public:
    explicit PdfFileJob(QString file) : file_(std::move(file)), writer_(&buffer_) { buffer_.open(QIODevice::WriteOnly); }
    QPagedPaintDevice& device() override { return writer_; }
    bool finish() override
    {
        const files::WriteResult written = files::writeFileAtomically(file_, buffer_.data());
        reason_ = written.reason;
        return written.ok;
    }

private:
    QString file_;
    QBuffer buffer_;  // before the writer, which writes into it until it is gone
    QPdfWriter writer_;
};

} // namespace

std::unique_ptr<PrintJob> openPdfFile(const QString& file, const PageSetup& setup)
{
    auto job = std::make_unique<PdfFileJob>(file);
    applyPageSetup(job->device(), setup);
    return job;
}

std::unique_ptr<PrintJob> deviceJob(std::unique_ptr<QPagedPaintDevice> device)
{
    return std::make_unique<DeviceJob>(std::move(device));
}

std::unique_ptr<PrintJob> deviceJob(QPagedPaintDevice& device)
{
    return std::make_unique<DeviceJob>(device);
}

QString PdfPrinting::installedPrinter(const QString&) const
{
    return {};
}

std::unique_ptr<PrintJob> PdfPrinting::open(const PrintTarget& target, const PageSetup& setup)
{
    if (target.pdfFile.isEmpty())
        return nullptr;
    return openPdfFile(target.pdfFile, setup);
}

} // namespace tovu::platform::printing
