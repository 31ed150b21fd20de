#include "app/items/AlogExport.h"

#include "app/items/FileHandlingModule.h"
#include "platform/text/FieldText.h"
#include "app/items/ModelTable.h"
#include "platform/locale/AnsiCodePage.h"

namespace tovu::items {

using namespace platform::text;

namespace {

constexpr int kExportSamples = 255;  // element 255 is in neither file

// Shared checks of both exports; the record when there is something to write.
const DFDRecord* exportable(const ItemStore& store, int index, const QString& path,
                            int codePage, ExportResult& result)
{
    result.file = path;
    if (index < 0 || static_cast<std::size_t>(index) >= store.WorkItems.size()) {
        result.reason = QStringLiteral("item %1 does not exist").arg(index);
        return nullptr;
    }
    if (!platform::locale::isSupportedCodePage(codePage)) {
        result.reason = QStringLiteral("code page %1 is not supported").arg(codePage);
        return nullptr;
    }
    const DFDRecord& r = store.WorkItems[static_cast<std::size_t>(index)];
    if (!r.WaveformPresent) {
        result.status = ExportStatus::NothingToWrite;
        result.reason = QStringLiteral("item %1 holds no A-scan trace").arg(index);
        return nullptr;
    }
    return &r;
}

ExportResult writeExport(const QString& path, const QByteArray& bytes)
{
    const SaveResult saved = platform::files::writeFileAtomically(path, bytes);
    return ExportResult{saved.ok ? ExportStatus::Written : ExportStatus::Failed, path,
                        saved.reason};
}

} // namespace

QByteArray alogCsvBytes(const DFDRecord& record, const StringSource& strings, int codePage)
{
    const RecordSettings& s = record.settings();
    const RecordCurves& c = record.curves();
    const int base = GetModelResourceBase(record.ModelIndex);
    LineBuffer out(codePage);
    out.text(blankLineBreaks(strings.GetResString(settingLabelId(base, 1)))).comma()
        .cleanText(s.Range);
    out.endLine();
    out.text(blankLineBreaks(strings.GetResString(settingLabelId(base, 2)))).comma()
        .cleanText(s.Delay);
    out.endLine();
    out.endLine();
    out.key("AScan,Min,Max");
    out.endLine();
    for (int i = 0; i < kExportSamples; ++i) {
        const auto k = static_cast<std::size_t>(i);
        out.number(i).comma().number(c.WaveMin[k]).comma().number(c.WaveMax[k]);
        out.endLine();
    }
    return out.bytes();
}

QByteArray alogMatlabBytes(const DFDRecord& record, int index, int codePage)
{
    const RecordSettings& s = record.settings();
    LineBuffer out(codePage);
    out.key("KELMARAN WAVEFORM FILE: ALOG ").number(index);
    out.endLine();
    out.key("RANGE = ").cleanText(s.Range);
    out.endLine();
    out.key("VELOCITY = ").cleanText(s.Velocity);
    out.endLine();
    out.key("GAIN = ").cleanText(s.Gain);
    out.endLine();
    out.key("WAVEFORM AMPLITUDES");
    out.endLine();
    for (int i = 0; i < kExportSamples; ++i) {
        out.number(record.curves().WaveMax[static_cast<std::size_t>(i)]);
        out.endLine();
    }
    return out.bytes();
}

ExportResult ExportAlogCsv(const ItemStore& store, int index, const QString& path,
                           const StringSource& strings, int codePage)
{
    ExportResult result;
    const DFDRecord* r = exportable(store, index, path, codePage, result);
    return r ? writeExport(path, alogCsvBytes(*r, strings, codePage)) : result;
}

ExportResult ExportAlogMatlab(const ItemStore& store, int index, const QString& path,
                              int codePage)
{
    ExportResult result;
    const DFDRecord* r = exportable(store, index, path, codePage, result);
    return r ? writeExport(path, alogMatlabBytes(*r, index, codePage)) : result;
}

} // namespace tovu::items
