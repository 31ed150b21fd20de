#include "platform/printing/Printing.h"

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

QString PdfPrinting::installedPrinter(const QString&) const
{
    return {};
}

std::unique_ptr<QPagedPaintDevice> PdfPrinting::open(const PrintTarget& target, const PageSetup& setup)
{
    if (target.pdfFile.isEmpty())
        return nullptr;
    auto pdf = std::make_unique<QPdfWriter>(target.pdfFile);
    applyPageSetup(*pdf, setup);
    return pdf;
}

} // namespace tovu::platform::printing
