#include "platform/printing/RecordingPrinting.h"

#include <QBuffer>
#include <QPdfWriter>

namespace tovu::platform::printing {

namespace {

// A PDF writer that counts its pages into the job's record when it is done.
class RecordingDevice final : public QPdfWriter {
public:
    RecordingDevice(const QString& file, std::shared_ptr<std::vector<RecordedJob>> jobs, std::size_t job)
        : QPdfWriter(file), jobs_(std::move(jobs)), job_(job) {}
    RecordingDevice(QBuffer* buffer, std::shared_ptr<std::vector<RecordedJob>> jobs, std::size_t job)
        : QPdfWriter(buffer), buffer_(buffer), jobs_(std::move(jobs)), job_(job) {}
    ~RecordingDevice() override
    {
        RecordedJob& record = (*jobs_)[job_];
        record.pages = pages_;
        if (buffer_)
            record.pdf = buffer_->data();
    }

    bool newPage() override
    {
        if (!QPdfWriter::newPage())
            return false;
        ++pages_;
        return true;
    }

protected:
    QPaintEngine* paintEngine() const override
    {
        // The first page begins when painting begins.
        if (pages_ == 0)
            pages_ = 1;
        return QPdfWriter::paintEngine();
    }

private:
    QBuffer* buffer_ = nullptr;
    std::shared_ptr<std::vector<RecordedJob>> jobs_;
    std::size_t job_;
    mutable int pages_ = 0;
};

} // namespace

RecordingPrinting::RecordingPrinting(QStringList installed)
    : installed_(std::move(installed)), jobs_(std::make_shared<std::vector<RecordedJob>>())
{
}

RecordingPrinting::~RecordingPrinting() = default;

QString RecordingPrinting::installedPrinter(const QString& name) const
{
    if (name.isEmpty())
        return installed_.value(0);
    for (const QString& printer : installed_)
        if (printer.compare(name, Qt::CaseInsensitive) == 0)
            return printer;
    return {};
}

std::unique_ptr<QPagedPaintDevice> RecordingPrinting::open(const PrintTarget& target, const PageSetup& setup)
{
    if (target.pdfFile.isEmpty() && installedPrinter(target.printer).isEmpty())
        return nullptr;
    jobs_->push_back({target, setup, 0, {}});
    const std::size_t job = jobs_->size() - 1;
    std::unique_ptr<RecordingDevice> device;
    if (target.pdfFile.isEmpty()) {
        auto* buffer = new QBuffer;  // owned by the device below
        buffer->open(QIODevice::WriteOnly);
        device = std::make_unique<RecordingDevice>(buffer, jobs_, job);
        buffer->setParent(device.get());
    } else {
        device = std::make_unique<RecordingDevice>(target.pdfFile, jobs_, job);
    }
    applyPageSetup(*device, setup);
    return device;
}

QPagedPaintDevice* ScriptedPrinterChoice::choosePrinter()
{
    const std::size_t next = static_cast<std::size_t>(asked_++);
    return next < answers_.size() ? answers_[next] : nullptr;
}

} // namespace tovu::platform::printing
