#include "app/items/FileHandlingModule.h"

#include "app/items/ModelTable.h"
#include "platform/text/NumberText.h"
#include "app/items/RecordFields.h"
#include "platform/locale/AnsiCodePage.h"

#include <QFile>
#include <QLocale>
#include <QSaveFile>

#include <algorithm>

namespace tovu::items {

using namespace platform::text;

namespace {

constexpr int kCurvePairs = 254;     // DC and AC lines: elements 0..253
constexpr int kWavePairs = 255;      // WS line: elements 0..254
constexpr int kTcgCurveValues = 255; // YC line: elements 0..254
constexpr qint64 kMaxFileBytes = qint64(512) * 1024 * 1024;

// One integer conversion of a point count, used by the writer and the reader alike.
int pointCount(const QString& countText)
{
    return roundClamped(valueOfText(countText), 0, kMaxPoints);
}

bool modeOn(const QString& modeText)
{
    return valueOfText(modeText) >= 1;
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
    case WriteWhen::DacOnWithCurve:
        return modeOn(s.DacMode) && r.DacCurvePresent;
    case WriteWhen::AvgCurve:
        return r.AvgCurvePresent;
    case WriteWhen::TcgOn:
        return modeOn(s.TcgMode);
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
        out.text(pointsLine(f.fileKey, s.DacX, s.DacY, pointCount(s.DacPointCount)));
        break;
    case FieldKind::TcgPoints:
        out.text(pointsLine(f.fileKey, s.TcgX, s.TcgY, pointCount(s.TcgPointCount)));
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

// Splits a list line's fields after the key: fields[k - 1] is field k.
void listFields(QStringView rest, std::vector<QStringView>& fields)
{
    fields.clear();
    qsizetype from = 0;
    for (;;) {
        const qsizetype comma = rest.indexOf(u',', from);
        if (comma < 0) {
            fields.push_back(rest.mid(from));
            return;
        }
        fields.push_back(rest.mid(from, comma - from));
        from = comma + 1;
    }
}

QString keyText(QStringView key)
{
    return key.toString();
}

// Reads count groups of 16-bit values, one value into each curve per group, from the
// fields after the key. Scans the line once: these lines make up most of a file.
std::optional<QString> readSamples(QStringView key, QStringView rest, bool hasFields, int count,
                                   std::initializer_list<Curve*> into)
{
    const qsizetype size = rest.size();
    const qsizetype expected = static_cast<qsizetype>(count) * static_cast<qsizetype>(into.size());
    qsizetype pos = hasFields ? 0 : size + 1;  // pos > size: no fields left
    qsizetype k = 0;
    for (int i = 0; i < count; ++i)
        for (Curve* curve : into) {
            if (pos > size)
                return QStringLiteral("%1 holds %2 values, %3 expected").arg(keyText(key)).arg(k).arg(expected);
            // Plain decimal integers are read while looking for the comma; anything
            // else goes to the strict conversion.
            const char16_t* d = rest.utf16();
            qsizetype stop = pos;
            const bool negative = stop < size && d[stop] == u'-';
            if (negative)
                ++stop;
            int plain = 0;
            int digits = 0;
            bool simple = true;
            for (; stop < size && d[stop] != u','; ++stop) {
                const char16_t ch = d[stop];
                if (ch >= u'0' && ch <= u'9' && digits < 6) {
                    plain = plain * 10 + (ch - u'0');
                    ++digits;
                } else {
                    simple = false;
                }
            }
            const QStringView field = rest.mid(pos, stop - pos);
            std::optional<std::int16_t> v;
            if (simple && digits > 0) {
                const int value = negative ? -plain : plain;
                if (value >= -32768 && value <= 32767)
                    v = static_cast<std::int16_t>(value);
            } else {
                v = strictInt16(field);
            }
            if (!v)
                return QStringLiteral("%1 value %2 is not a 16-bit integer: \"%3\"")
                    .arg(keyText(key)).arg(k + 1).arg(field.left(40).toString());
            (*curve)[static_cast<std::size_t>(i)] = *v;
            ++k;
            pos = stop + 1;
        }
    return std::nullopt;
}

std::optional<QString> readPoints(QStringView key, const std::vector<QStringView>& fields,
                                  int n, PointList& x, PointList& y)
{
    if (fields.size() < static_cast<std::size_t>(2 * n))
        return QStringLiteral("%1 holds %2 values for %3 points").arg(keyText(key))
            .arg(fields.size()).arg(n);
    for (int i = 1; i <= n; ++i) {
        x[static_cast<std::size_t>(i)] = fields[static_cast<std::size_t>(2 * i - 2)].toString();
        y[static_cast<std::size_t>(i)] = fields[static_cast<std::size_t>(2 * i - 1)].toString();
    }
    return std::nullopt;
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

ItemFileReader::ItemFileReader(std::vector<DFDRecord>& records, int maxPanels, int maxALogs)
    : records_(records), maxPanels_(maxPanels), maxALogs_(maxALogs)
{
}

std::optional<QString> ItemFileReader::header(QStringView key, QStringView field, bool alog)
{
    const int limit = alog ? maxALogs_ : maxPanels_;
    const std::optional<std::int32_t> n = roundToInt32(valueOfText(field));
    if (!n || *n < 1 || *n > limit)
        return QStringLiteral("%1 number \"%2\" outside 1 to %3")
            .arg(keyText(key), field.left(40).toString()).arg(limit);
    const int index = alog ? *n : maxALogs_ + *n;
    if (static_cast<std::size_t>(index) >= records_.size())
        return QStringLiteral("%1 number %2 has no record").arg(keyText(key)).arg(*n);
    current_ = index;
    DFDRecord& r = records_[static_cast<std::size_t>(index)];
    r.InUse = true;
    r.editSettings().SlotText = QString::number(*n);
    return std::nullopt;
}

std::optional<QString> ItemFileReader::ParseItemLine(QStringView line)
{
    if (line.isEmpty())
        return std::nullopt;
    const qsizetype comma = line.indexOf(u',');
    const QStringView key = comma < 0 ? line : line.left(comma);
    // Everything after the key's comma; a bare key has no value at all.
    const QStringView rest = comma < 0 ? QStringView() : line.mid(comma + 1);
    const QStringView field1 = rest.left(rest.indexOf(u',') < 0 ? rest.size() : rest.indexOf(u','));

    if (key == u"AS" || key == u"PS")
        return header(key, field1, key == u"AS");
    if (current_ < 0)
        return std::nullopt;  // before the first header: belongs to no record

    char keyChars[3];
    const RecordField* f = nullptr;
    if (key.size() <= 3) {
        for (qsizetype i = 0; i < key.size(); ++i)
            keyChars[i] = key[i].unicode() < 0x80 ? static_cast<char>(key[i].unicode()) : '\0';
        f = fieldByFileKey(std::string_view(keyChars, static_cast<std::size_t>(key.size())));
    }
    if (!f)
        return std::nullopt;  // not a key of ours

    DFDRecord& r = records_[static_cast<std::size_t>(current_)];
    switch (f->kind) {
    case FieldKind::Text:
        f->text(r.editSettings()) = rest.toString();
        if (f->setsFlag)
            r.*(f->setsFlag) = true;
        return std::nullopt;
    case FieldKind::Memo:
        if (comma >= 0) {
            QString memo = rest.toString();
            memo.replace(u',', QStringLiteral("\r\n"));
            r.editSettings().Memo = memo;
        }
        return std::nullopt;
    case FieldKind::ModelIndex: {
        const std::optional<std::int16_t> v = strictInt16(field1);
        if (!v || *v < 0 || *v >= kModelCount)
            return QStringLiteral("MD model code \"%1\" is not one of 0 to %2")
                .arg(field1.left(40).toString()).arg(kModelCount - 1);
        r.ModelIndex = *v;
        return std::nullopt;
    }
    case FieldKind::DataVersion: {
        const std::optional<double> v = strictDouble(field1);
        if (!v)
            return QStringLiteral("MF value \"%1\" is not a number").arg(field1.left(40).toString());
        r.DataVersion = *v;
        return std::nullopt;
    }
    case FieldKind::DacPoints:
    case FieldKind::TcgPoints: {
        const bool dac = f->kind == FieldKind::DacPoints;
        RecordSettings& s = r.editSettings();
        const int n = pointCount(dac ? s.DacPointCount : s.TcgPointCount);
        if (n == 0)
            return std::nullopt;
        if (comma < 0)
            return QStringLiteral("%1 holds no values for %2 points").arg(keyText(key)).arg(n);
        listFields(rest, fields_);
        return readPoints(key, fields_, n, dac ? s.DacX : s.TcgX, dac ? s.DacY : s.TcgY);
    }
    case FieldKind::DacCurve:
    case FieldKind::AvgCurve:
    case FieldKind::Waveform:
    case FieldKind::TcgCurve: {
        RecordCurves& c = r.editCurves();
        const bool hasFields = comma >= 0;
        std::optional<QString> err;
        switch (f->kind) {
        case FieldKind::DacCurve:
            err = readSamples(key, rest, hasFields, kCurvePairs, {&c.DacCurveA, &c.DacCurveB});
            if (!err)
                r.DacCurvePresent = true;
            break;
        case FieldKind::AvgCurve:
            err = readSamples(key, rest, hasFields, kCurvePairs, {&c.AvgCurveA, &c.AvgCurveB});
            if (!err)
                r.AvgCurvePresent = true;
            break;
        case FieldKind::Waveform:
            err = readSamples(key, rest, hasFields, kWavePairs, {&c.WaveMin, &c.WaveMax});
            if (!err)
                r.WaveformPresent = true;
            break;
        default:
            err = readSamples(key, rest, hasFields, kTcgCurveValues, {&c.TcgCurve});
            if (!err)
                r.TcgCurvePresent = true;
            break;
        }
        return err;
    }
    }
    return std::nullopt;
}

namespace {

// Reads the whole file into staging (laid out like WorkItems). On failure the result
// names the line and staging is to be thrown away.
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
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.reason = QStringLiteral("cannot read the file: %1").arg(file.errorString());
        return result;
    }
    file.close();
    const QString text = platform::locale::decode(bytes, codePage);

    ItemFileReader reader(staging, store.MaxPanels, store.MaxALogs);
    const QStringView all(text);
    qsizetype from = 0;
    int lineNo = 0;
    while (from < all.size()) {
        qsizetype end = from;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        ++lineNo;
        if (const std::optional<QString> err = reader.ParseItemLine(all.mid(from, end - from))) {
            result.line = lineNo;
            result.reason = *err;
            return result;
        }
        // CR LF, a lone CR or a lone LF ends a line.
        if (end < all.size() && all[end] == u'\r' && end + 1 < all.size() && all[end + 1] == u'\n')
            ++end;
        from = end + 1;
    }
    result.ok = true;
    return result;
}

// The records of a whole file become the working records and are distributed, whole
// and in use or not, into the ALog and panel arrays.
void commitLoad(ItemStore& store, std::vector<DFDRecord>&& staging)
{
    store.WorkItems = std::move(staging);
    const std::size_t maxALogs = static_cast<std::size_t>(store.MaxALogs);
    const std::size_t maxPanels = static_cast<std::size_t>(store.MaxPanels);
    for (std::size_t i = 1; i <= maxALogs && i < store.ALogs.size() && i < store.WorkItems.size(); ++i)
        store.ALogs[i] = store.WorkItems[i];
    for (std::size_t i = 1; i <= maxPanels && i < store.Panels.size()
                            && maxALogs + i < store.WorkItems.size(); ++i)
        store.Panels[i] = store.WorkItems[maxALogs + i];
    store.FirmwareVersion = 0;  // the records now come from a file
}

} // namespace

LoadResult LoadItemsFile(ItemStore& store, const QString& path, int codePage)
{
    std::vector<DFDRecord> staging = store.WorkItems;
    LoadResult result = readItemsFile(staging, store, path, codePage);
    if (result.ok)
        commitLoad(store, std::move(staging));
    return result;
}

LoadResult OpenItemsFile(ItemStore& store, const QString& path, int codePage)
{
    std::vector<DFDRecord> staging = store.WorkItems;
    for (std::size_t i = 1; i < staging.size(); ++i)
        ClearRecord(staging[i]);
    LoadResult result = readItemsFile(staging, store, path, codePage);
    if (result.ok)
        commitLoad(store, std::move(staging));
    return result;
}

SaveResult writeWholeFile(const QString& path, QByteArrayView bytes)
{
    SaveResult result;
    result.file = path;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.reason = QStringLiteral("cannot create the file: %1").arg(file.errorString());
        return result;
    }
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        result.reason = QStringLiteral("cannot write the file: %1").arg(file.errorString());
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.reason = QStringLiteral("cannot save the file: %1").arg(file.errorString());
        return result;
    }
    result.ok = true;
    return result;
}

namespace {
SaveResult unsupportedCodePage(const QString& path, int codePage)
{
    return SaveResult{false, path, QStringLiteral("code page %1 is not supported").arg(codePage)};
}
} // namespace

SaveResult SaveItemsFile(const ItemStore& store, const QString& path, int codePage)
{
    if (!platform::locale::isSupportedCodePage(codePage))
        return unsupportedCodePage(path, codePage);
    LineBuffer out(codePage);
    out.reserve(static_cast<std::size_t>(std::count_if(store.ALogs.begin(), store.ALogs.end(),
                                                       [](const DFDRecord& r) { return r.InUse; }))
                * 7500);
    // Panels first, then ALogs, each numbered by its location.
    for (int i = 1; i <= store.MaxPanels && static_cast<std::size_t>(i) < store.Panels.size(); ++i)
        if (store.Panels[static_cast<std::size_t>(i)].InUse)
            WriteItemRecord(store.Panels[static_cast<std::size_t>(i)], i, PanelKind, out);
    for (int i = 1; i <= store.MaxALogs && static_cast<std::size_t>(i) < store.ALogs.size(); ++i)
        if (store.ALogs[static_cast<std::size_t>(i)].InUse)
            WriteItemRecord(store.ALogs[static_cast<std::size_t>(i)], i, ALogKind, out);
    return writeWholeFile(path, out.view());
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
    return writeWholeFile(path, out.view());
}

} // namespace tovu::items
