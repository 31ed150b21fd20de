#include "platform/printing/RecordingPrinting.h"

#include "platform/files/AtomicFile.h"

#include <QBuffer>
#include <QPdfWriter>

namespace tovu::platform::printing {

namespace {

// A PDF writer that counts its pages into the job's record when it is done.
class RecordingDevice final : public QPdfWriter {
public:
    RecordingDevice(QBuffer* buffer, std::shared_ptr<std::vector<RecordedJob>> jobs, std::size_t job)
        : QPdfWriter(buffer), jobs_(std::move(jobs)), job_(job) {}
    ~RecordingDevice() override { (*jobs_)[job_].pages = pages_; }

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
    std::shared_ptr<std::vector<RecordedJob>> jobs_;
    std::size_t job_;
    mutable int pages_ = 0;
};

// The job's PDF is made in memory; finishing writes it into the job's file as every file
// job is written, or keeps it in the record when it went to a printer.
class RecordingJob final : public PrintJob {
public:
    RecordingJob(std::shared_ptr<std::vector<RecordedJob>> jobs, std::size_t job)
        : jobs_(jobs), job_(job), device_(&buffer_, std::move(jobs), job)
    {
        buffer_.open(QIODevice::WriteOnly);
    }
    QPagedPaintDevice& device() override { return device_; }
    bool finish() override
    {
        RecordedJob& record = (*jobs_)[job_];
        if (record.target.pdfFile.isEmpty()) {
            record.pdf = buffer_.data();
            return true;
        }
        const files::WriteResult written = files::writeFileAtomically(record.target.pdfFile, buffer_.data());
        reason_ = written.reason;
        return written.ok;
    }

private:
    std::shared_ptr<std::vector<RecordedJob>> jobs_;
    std::size_t job_;
    QBuffer buffer_;  // before the device, which writes into it until it is gone
    RecordingDevice device_;
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

std::unique_ptr<PrintJob> RecordingPrinting::open(const PrintTarget& target, const PageSetup& setup)
{
    if (target.pdfFile.isEmpty() && installedPrinter(target.printer).isEmpty())
        return nullptr;
    jobs_->push_back({target, setup, 0, {}});
    auto job = std::make_unique<RecordingJob>(jobs_, jobs_->size() - 1);
    applyPageSetup(job->device(), setup);
    return job;
}

PrintJob* ScriptedPrinterChoice::choosePrinter()
{
    const std::size_t next = static_cast<std::size_t>(asked_++);
    return next < answers_.size() ? answers_[next] : nullptr;
}

} // namespace tovu::platform::printing
