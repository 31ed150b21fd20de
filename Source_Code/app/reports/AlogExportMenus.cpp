#include "app/reports/AlogExportMenus.h"

#include "app/items/AlogExport.h"
#include "app/items/FileHandlingModule.h"
#include "platform/text/NumberText.h"
#include "app/resources/StringIds.h"

namespace tovu::reports {

namespace {
constexpr int kNoTraceToExportText = 6107;  // "This item holds no A-scan to export. ..."
} // namespace

int indexOfSaveIndividualCaption(const QString& caption)
{
    const QString tail = caption.mid(caption.lastIndexOf(QLatin1Char(' ')) + 1);
    if (tail.isEmpty())
        return 0;
    for (const QChar c : tail)
        if (!c.isDigit() || c.unicode() > 0x7f)
            return 0;
    return platform::text::intOfText(tail, 0);
}

AlogExportMenus::AlogExportMenus(const items::ItemStore& store, const items::StringSource& strings, ReportUser& user,
                                 int codePage)
    : store_(store)
    , strings_(strings)
    , user_(user)
    , codePage_(codePage)
{
}

void AlogExportMenus::mnuExportExcel_Click(const QString& caption)
{
    exportItem(caption, Format::Csv);
}

void AlogExportMenus::mnuExportMatlab_Click(const QString& caption)
{
    exportItem(caption, Format::Matlab);
}

void AlogExportMenus::exportItem(const QString& caption, Format format)
{
    const int n = indexOfSaveIndividualCaption(caption);
    if (n < 0 || n >= static_cast<int>(store_.WorkItems.size()))
        return;
    if (!store_.WorkItems[static_cast<std::size_t>(n)].InUse) {
        user_.message(QStringLiteral("No File is Selected OR It's Empty!"), QStringLiteral("Info"),
                      MessageIcon::Information);
        return;
    }
    // An item without a trace has nothing to export: no file is asked for or touched.
    if (!store_.WorkItems[static_cast<std::size_t>(n)].WaveformPresent) {
        user_.message(strings_.GetResString(kNoTraceToExportText), strings_.GetResString(resources::ids::ProgramTitle), MessageIcon::Information);
        return;
    }
    FileDialogRequest request;
    request.DialogTitle = strings_.GetResString(resources::ids::SaveIndividualTitle);
    request.Flags = kOverwritePrompt;
    request.Filter = format == Format::Csv ? QStringLiteral("Excel Comma Separated Files|*.csv")
                                           : QStringLiteral("Matlab Files|*.dat");
    const std::optional<QString> path = user_.saveFileName(request);
    if (!path || path->isEmpty())
        return;

    const items::ExportResult result = format == Format::Csv
                                           ? items::ExportAlogCsv(store_, n, *path, strings_, codePage_)
                                           : items::ExportAlogMatlab(store_, n, *path, codePage_);
    QString failure;
    if (result.status == items::ExportStatus::NothingToWrite)
        failure = strings_.GetResString(kNoTraceToExportText);
    else if (result.status == items::ExportStatus::Failed)
        failure = result.reason;
    if (!failure.isEmpty())
        user_.message(failure, strings_.GetResString(resources::ids::ProgramTitle), MessageIcon::Critical);
}

} // namespace tovu::reports
