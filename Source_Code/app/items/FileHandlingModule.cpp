#include "app/items/FileHandlingModule.h"

#include "app/items/ModelTable.h"
#include "platform/text/NumberText.h"
#include "platform/text/FieldText.h"
#include "app/items/RecordFields.h"
#include "platform/locale/AnsiCodePage.h"

#include <QFile>
#include <QLocale>

#include <algorithm>

#include <sys/mman.h>

namespace tovu::items {

using namespace platform::text;

namespace {

constexpr qint64 kMaxFileBytes = qint64(512) * 1024 * 1024;

int pointCount(const QString& countText)
{
    return pointCountOf(countText);
}

bool modeOn(const QString& modeText)
{
    return valueOfText(modeText) >= 1;
}

// The points a record can write: as many as its count says, at most 10, and no more
// than lead the lists as numbers, so that what is written reads back whole.
bool isPointValue(QStringView v)
{
    return isPlainDecimal(v) || strictDouble(v).has_value();
}

int writablePoints(const QString& countText, const PointList& x, const PointList& y)
{
    const int n = pointCount(countText);
    for (int i = 1; i <= n; ++i)
        if (!isPointValue(x[static_cast<std::size_t>(i)]) || !isPointValue(y[static_cast<std::size_t>(i)]))
            return i - 1;
    return n;
}

// The points a record writes: none when its list is absent. An absent list is written as
// its count alone, without a points line, so that it reads back absent with that count.
int pointsToWrite(const DFDRecord& r, bool dac)
{
    const RecordSettings& s = r.settings();
    if (!(dac ? r.DacPresent : r.TcgPresent))
        return 0;
    return dac ? writablePoints(s.DacPointCount, s.DacX, s.DacY) : writablePoints(s.TcgPointCount, s.TcgX, s.TcgY);
}

bool written(WriteWhen when, const DFDRecord& r, int kind)
{
    const RecordSettings& s = r.settings();
    switch (when) {
    case WriteWhen::Always:
        return true;
    case WriteWhen::ALogOnly:
        return kind == ALogKind;
    case WriteWhen::DacOn:
        return modeOn(s.DacMode);
    case WriteWhen::DacOnWithPoints:
        return modeOn(s.DacMode) && pointsToWrite(r, true) > 0;
    case WriteWhen::DacOnWithCurve:
        return modeOn(s.DacMode) && r.DacCurvePresent;
    case WriteWhen::AvgCurve:
        return r.AvgCurvePresent;
    case WriteWhen::TcgOn:
        return modeOn(s.TcgMode);
    case WriteWhen::TcgOnWithPoints:
        return modeOn(s.TcgMode) && pointsToWrite(r, false) > 0;
    case WriteWhen::TcgOnWithCurve:
        return modeOn(s.TcgMode) && r.TcgCurvePresent;
    case WriteWhen::WaveformPresent:
        return r.WaveformPresent;
    }
    return false;
}

void writePairs(LineBuffer& out, const Curve& a, const Curve& b, int count)
{
    out.samples(a.data(), b.data(), count);
}

// The points line is trimmed as a whole, so blanks inside the list stay.
QString pointsLine(std::string_view key, const PointList& x, const PointList& y, int n)
{
    QString line = QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
    for (int i = 1; i <= n; ++i)
        line += u',' + x[static_cast<std::size_t>(i)] + u',' + y[static_cast<std::size_t>(i)];
    return cleanValue(line);
}

// Lines joined with commas; with two or more lines each is trimmed, a single line
// goes out as it is.
QString memoValue(const QString& memo)
{
    QStringList lines = memo.split(QStringLiteral("\r\n"));
    for (QString& l : lines)
        l = lines.size() >= 2 ? cleanValue(l) : blankLineBreaks(l);
    return lines.join(u',');
}

void writeField(const RecordField& f, const DFDRecord& r, LineBuffer& out)
{
    const RecordSettings& s = r.settings();
    const RecordCurves& c = r.curves();
    switch (f.kind) {
    case FieldKind::Text:
        // A point count goes out as the number of points its list line holds; the count
        // of an absent list as its text.
        if (const bool dac = f.member == &RecordSettings::DacPointCount; dac || f.member == &RecordSettings::TcgPointCount) {
            const int n = pointsToWrite(r, dac);
            if (n > 0)
                out.key(f.fileKey).comma().number(n);
            else
                out.key(f.fileKey).comma().cleanText(f.text(s));
        } else
            out.key(f.fileKey).comma().cleanText(f.text(s));
        break;
    case FieldKind::Memo:
        out.key(f.fileKey).comma().text(memoValue(s.Memo));
        break;
    case FieldKind::ModelIndex:
        out.key(f.fileKey).comma().number(r.ModelIndex);
        break;
    case FieldKind::DataVersion:
        // Shortest text that reads back to the same value ("2", "3", "2.05").
        out.key(f.fileKey).comma().text(
            QString::number(r.DataVersion, 'g', QLocale::FloatingPointShortest));
        break;
    case FieldKind::DacPoints:
        out.text(pointsLine(f.fileKey, s.DacX, s.DacY, pointsToWrite(r, true)));
        break;
    case FieldKind::TcgPoints:
        out.text(pointsLine(f.fileKey, s.TcgX, s.TcgY, pointsToWrite(r, false)));
        break;
    case FieldKind::DacCurve:
        out.key(f.fileKey);
        writePairs(out, c.DacCurveA, c.DacCurveB, kCurvePairs);
        break;
    case FieldKind::AvgCurve:
        out.key(f.fileKey);
        writePairs(out, c.AvgCurveA, c.AvgCurveB, kCurvePairs);
        break;
    case FieldKind::Waveform:
        out.key(f.fileKey);
        writePairs(out, c.WaveMin, c.WaveMax, kWavePairs);
        break;
    case FieldKind::TcgCurve:
        out.key(f.fileKey);
        out.samples(c.TcgCurve.data(), nullptr, kTcgCurveValues);
        break;
    }
    out.endLine();
}

} // namespace

void WriteItemRecord(const DFDRecord& record, int number, int kind, LineBuffer& out)
{
    if (kind == PanelKind || kind == ALogKind) {
        out.key(kind == PanelKind ? "PS" : "AS").comma().number(number);
        out.endLine();
    }
    for (const RecordField& f : recordFields())
        if (written(f.when, record, kind))
            writeField(f, record, out);
}

void WriteItemRecord(const ItemStore& store, int index, int kind, LineBuffer& out)
{
    if (index < 0 || static_cast<std::size_t>(index) >= store.WorkItems.size())
        throw std::out_of_range("WorkItems index outside the array");
    WriteItemRecord(store.WorkItems[static_cast<std::size_t>(index)], index, kind, out);
}

namespace {

// Reads the file's bytes into staging (laid out like WorkItems).
LoadResult readItemsFile(std::vector<DFDRecord>& staging, const ItemStore& store,
                         const QString& path, int codePage)
{
    LoadResult result;
    result.file = path;
    if (!platform::locale::isSupportedCodePage(codePage)) {
        result.reason = QStringLiteral("code page %1 is not supported").arg(codePage);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.reason = QStringLiteral("cannot open the file: %1").arg(file.errorString());
        return result;
    }
    if (file.size() > kMaxFileBytes) {
        result.reason = QStringLiteral("the file is too large (%1 bytes)").arg(file.size());
        return result;
    }
    {
        // The file is read where the system maps it; only when it cannot be mapped is it
        // copied into memory.
        QByteArray copy;
        QByteArrayView bytes;
        if (file.size() > 0) {
            if (uchar* mapped = file.map(0, file.size())) {
                bytes = QByteArrayView(reinterpret_cast<const char*>(mapped), file.size());
#ifdef MADV_POPULATE_READ
                // One call maps every page, instead of one fault per page while reading.
                ::madvise(mapped, static_cast<std::size_t>(file.size()), MADV_POPULATE_READ);
#endif
            }
        }
        if (bytes.isNull()) {
            copy = file.readAll();
            if (file.error() != QFileDevice::NoError) {
                result.reason = QStringLiteral("cannot read the file: %1").arg(file.errorString());
                return result;
            }
            bytes = copy;
        }
        ItemFileReader reader(staging, store.MaxPanels, store.MaxALogs, codePage);
        reader.readAll(bytes);
        result.report = reader.finish();
        file.close();  // unmaps
    }  // the bytes go before the records are distributed
    if (result.report.recordsRead == 0) {
        result.noRecords = true;
        result.reason = QStringLiteral("the file holds no panel or ALog record");
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace

StagedLoad ReadItemsFile(const ItemStore& store, const QString& path, int codePage, StagingBase base)
{
    StagedLoad staged;
    if (base == StagingBase::WorkItems) {
        staged.records = store.WorkItems;
    } else {
        // Reset as ClearDFDRecord leaves a fresh record; nothing carries over from memory.
        staged.records.resize(store.WorkItems.size());
        for (std::size_t i = 1; i < staged.records.size(); ++i)
            staged.records[i].shareClearedSettings();
        if (!store.WorkItems.empty())
            staged.records[0] = store.WorkItems[0];
    }
    staged.result = readItemsFile(staged.records, store, path, codePage);
    return staged;
}

// The records of a whole file become the working records and are distributed, whole
// and in use or not, into the ALog and panel arrays.
void AcceptLoad(ItemStore& store, StagedLoad&& staged)
{
    store.WorkItems = std::move(staged.records);
    const std::size_t maxALogs = static_cast<std::size_t>(store.MaxALogs);
    const std::size_t maxPanels = static_cast<std::size_t>(store.MaxPanels);
    for (std::size_t i = 1; i <= maxALogs && i < store.ALogs.size() && i < store.WorkItems.size(); ++i)
        store.ALogs[i] = store.WorkItems[i];
    for (std::size_t i = 1; i <= maxPanels && i < store.Panels.size()
                            && maxALogs + i < store.WorkItems.size(); ++i)
        store.Panels[i] = store.WorkItems[maxALogs + i];
    store.FirmwareVersion = 0;  // the records now come from a file
}

namespace {
LoadResult loadOver(ItemStore& store, const QString& path, int codePage, StagingBase base)
{
    StagedLoad staged = ReadItemsFile(store, path, codePage, base);
    LoadResult result = std::move(staged.result);
    if (result.ok)
        AcceptLoad(store, std::move(staged));
    return result;
}
} // namespace

LoadResult LoadItemsFile(ItemStore& store, const QString& path, int codePage)
{
    return loadOver(store, path, codePage, StagingBase::WorkItems);
}

LoadResult OpenItemsFile(ItemStore& store, const QString& path, int codePage)
{
    return loadOver(store, path, codePage, StagingBase::ResetRecords);
}

namespace {

using platform::files::AtomicFile;

SaveResult unsupportedCodePage(const QString& path, int codePage)
{
    return SaveResult{false, path, QStringLiteral("code page %1 is not supported").arg(codePage)};
}

constexpr std::size_t kFlushBytes = 1 << 20;

} // namespace

SaveResult SaveItemsFile(const ItemStore& store, const QString& path, int codePage)
{
    if (!platform::locale::isSupportedCodePage(codePage))
        return unsupportedCodePage(path, codePage);
    AtomicFile file(path);
    if (!file.open())
        return file.result();
    // The lines go out a megabyte at a time through one buffer, so a save needs no
    // memory of the file's size.
    LineBuffer out(codePage);
    out.reserve(kFlushBytes + 64 * 1024);
    const auto flushed = [&](bool always) {
        if (!always && out.view().size() < static_cast<qsizetype>(kFlushBytes))
            return true;
        const bool ok = file.write(out.view());
        out.clear();
        return ok;
    };
    // Panels first, then ALogs, each numbered by its location.
    for (int i = 1; i <= store.MaxPanels && static_cast<std::size_t>(i) < store.Panels.size(); ++i)
        if (store.Panels[static_cast<std::size_t>(i)].InUse) {
            WriteItemRecord(store.Panels[static_cast<std::size_t>(i)], i, PanelKind, out);
            if (!flushed(false))
                return file.result();
        }
    for (int i = 1; i <= store.MaxALogs && static_cast<std::size_t>(i) < store.ALogs.size(); ++i)
        if (store.ALogs[static_cast<std::size_t>(i)].InUse) {
            WriteItemRecord(store.ALogs[static_cast<std::size_t>(i)], i, ALogKind, out);
            if (!flushed(false))
                return file.result();
        }
    if (flushed(true))
        file.commit();
    return file.result();
}

SaveResult SaveSingleItem(const ItemStore& store, int index, int kind, const QString& path,
                          int codePage)
{
    if (!platform::locale::isSupportedCodePage(codePage))
        return unsupportedCodePage(path, codePage);
    if (index < 0 || static_cast<std::size_t>(index) >= store.WorkItems.size())
        return SaveResult{false, path, QStringLiteral("item %1 does not exist").arg(index)};
    LineBuffer out(codePage);
    WriteItemRecord(store, index, kind, out);
    return platform::files::writeFileAtomically(path, out.view());
}

} // namespace tovu::items
