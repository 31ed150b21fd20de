#pragma once
// Printers for tests: the printers it is told are installed, each job recorded with its
// target, its page set-up and the pages painted on it. A job goes into its PDF file when it
// names one (written when the job finishes), else into memory, so what was printed can be
// read back.

#include "platform/printing/Printing.h"

#include <QByteArray>
#include <QStringList>
#include <memory>
#include <vector>

namespace tovu::platform::printing {

struct RecordedJob {
    PrintTarget target;
    PageSetup setup;
    int pages = 0;    // pages begun on the device (painting on the first begins it)
    QByteArray pdf;   // the job's PDF when it went to a printer, not to a file, once finished
};

class RecordingPrinting final : public Printing {
public:
    // The first printer named is the default one.
    explicit RecordingPrinting(QStringList installed = {});
    ~RecordingPrinting() override;

    QString installedPrinter(const QString& name) const override;
    std::unique_ptr<PrintJob> open(const PrintTarget& target, const PageSetup& setup) override;

    // The jobs opened so far, oldest first; a job's pages are complete once it is gone,
    // its bytes once it is finished.
    const std::vector<RecordedJob>& jobs() const { return *jobs_; }

private:
    QStringList installed_;
    std::shared_ptr<std::vector<RecordedJob>> jobs_;
};

// A printer choice that answers from a list: each call takes the next job (null meaning
// Cancel) and counts the call.
class ScriptedPrinterChoice final : public PrinterChoice {
public:
    void answer(PrintJob* job) { answers_.push_back(job); }
    PrintJob* choosePrinter() override;
    int asked() const { return asked_; }

private:
    std::vector<PrintJob*> answers_;
    int asked_ = 0;
};

} // namespace tovu::platform::printing
