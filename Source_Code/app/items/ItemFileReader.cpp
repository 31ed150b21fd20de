#include "app/items/ItemFileReader.h"

#include "platform/text/FieldText.h"
#include "app/items/ModelTable.h"
#include "platform/text/NumberText.h"
#include "app/items/RecordFields.h"
#include "platform/locale/AnsiCodePage.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace tovu::items {

// The reader parses with the shared number and field helpers throughout.
using namespace platform::text;

namespace {

constexpr qsizetype kDetailChars = 40;
constexpr std::size_t kMaxSharedTexts = 4096;

QString detailOf(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes.first(std::min(bytes.size(), kDetailChars)));
}

std::string_view asKey(QByteArrayView key)
{
    return std::string_view(key.data(), static_cast<std::size_t>(key.size()));
}

// The field up to the next comma, and the position after that comma (past the end when
// the field was the last of the line).
QByteArrayView nextField(QByteArrayView rest, qsizetype& pos)
{
    const char* const begin = rest.data() + pos;
    const void* comma = std::memchr(begin, ',', static_cast<std::size_t>(rest.size() - pos));
    const qsizetype len = comma ? static_cast<const char*>(comma) - begin : rest.size() - pos;
    const QByteArrayView field(begin, len);
    pos += len + 1;
    return field;
}

// A 16-bit value: plain decimal integers directly, anything else by the strict rule
// (blanks around, half-to-even rounding). Never wraps.
std::optional<std::int16_t> int16Of(QByteArrayView field)
{
    const char* p = field.data();
    const char* const end = p + field.size();
    const bool negative = p != end && *p == '-';
    if (negative)
        ++p;
    if (p != end && end - p <= 5) {
        int v = 0;
        const char* q = p;
        while (q != end && *q >= '0' && *q <= '9')
            v = v * 10 + (*q++ - '0');
        if (q == end) {
            v = negative ? -v : v;
            if (v < -32768 || v > 32767)
                return std::nullopt;
            return static_cast<std::int16_t>(v);
        }
    }
    return strictInt16(QString::fromLatin1(field));
}

// A point value: plain decimals ("-12", "25.5") directly, anything else by the strict rule.
bool isNumber(QByteArrayView field)
{
    return isPlainDecimal(field) || strictDouble(QString::fromLatin1(field)).has_value();
}

// Reads count values of one list into out in one pass over the line; false when the
// line holds fewer or one of them is no 16-bit number. Values after the count are not
// looked at.
bool readValues(QByteArrayView rest, bool hasFields, int count, std::int16_t* out)
{
    if (!hasFields)
        return false;
    const char* const d = rest.data();
    const qsizetype n = rest.size();
    qsizetype i = 0;  // start of the next field; n + 1 once the last has been read
    for (int k = 0; k < count; ++k) {
        if (i > n)
            return false;
        const qsizetype start = i;
        const bool negative = i < n && d[i] == '-';
        if (negative)
            ++i;
        const qsizetype digits = i;
        int v = 0;
        while (i < n && d[i] >= '0' && d[i] <= '9' && i - digits < 6)
            v = v * 10 + (d[i++] - '0');
        if (i != digits && (i == n || d[i] == ',')) {
            v = negative ? -v : v;
            if (v < -32768 || v > 32767)
                return false;
            out[k] = static_cast<std::int16_t>(v);
        } else {
            // Not a plain integer: find the field's end and take the strict rule.
            while (i < n && d[i] != ',')
                ++i;
            const std::optional<std::int16_t> strict = int16Of(QByteArrayView(d + start, i - start));
            if (!strict)
                return false;
            out[k] = *strict;
        }
        ++i;  // past the comma, or past the end after the last field
    }
    return true;
}

} // namespace

int pointCountOf(const QString& countText)
{
    return roundClamped(valueOfText(countText), 0, kMaxPoints);
}

ItemFileReader::ItemFileReader(std::vector<DFDRecord>& records, int maxPanels, int maxALogs,
                               int codePage)
    : records_(records)
    , maxPanels_(maxPanels)
    , maxALogs_(maxALogs)
    , codePage_(codePage)
    , readInThisFile_(records.size(), false)
{
}

void ItemFileReader::readAll(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    const char* const data = bytes.data();
    const qsizetype size = bytes.size();
    const bool crlf = bytes.indexOf(QByteArrayView("\r\n")) >= 0;
    qsizetype from = 0;
    int lineNo = 0;
    while (from < size) {
        qsizetype end = size;
        qsizetype next = size;
        bool ended = false;
        for (qsizetype at = from; at < size;) {
            const void* lf = std::memchr(data + at, '\n', static_cast<std::size_t>(size - at));
            if (!lf)
                break;
            const qsizetype e = static_cast<const char*>(lf) - data;
            if (!crlf) {
                end = e;
                next = e + 1;
                ended = true;
                break;
            }
            if (e > from && data[e - 1] == '\r') {
                end = e - 1;
                next = e + 1;
                ended = true;
                break;
            }
            at = e + 1;  // a lone LF inside a value
        }
        if (!ended) {
            cutLine(QByteArrayView(data + from, size - from), ++lineNo);
            break;
        }
        ParseItemLine(QByteArrayView(data + from, end - from), ++lineNo);
        from = next;
    }
}

void ItemFileReader::cutLine(QByteArrayView line, int lineNo)
{
    lastLine_ = lineNo;
    cutLine_ = lineNo;
    const qsizetype comma = line.indexOf(',');
    cutKey_ = detailOf(comma >= 0 ? line.first(comma) : line);
}

QString ItemFileReader::text(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    bool ascii = true;
    for (qsizetype i = 0; i < n && ascii; ++i)
        ascii = static_cast<unsigned char>(bytes[i]) < 0x80;
    if (!ascii)
        return platform::locale::decode(bytes, codePage_);
    if (n == 0)
        return QString();
    if (n > 7)
        return QString::fromLatin1(bytes);
    // Short values repeat from record to record: one shared text serves them all.
    std::uint64_t key = static_cast<std::uint64_t>(n) << 56;
    for (qsizetype i = 0; i < n; ++i)
        key |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    const auto it = shortTexts_.find(key);
    if (it != shortTexts_.end())
        return it->second;
    QString t = QString::fromLatin1(bytes);
    if (shortTexts_.size() < kMaxSharedTexts)
        shortTexts_.emplace(key, t);
    return t;
}

void ItemFileReader::addEntry(SkippedLines entry)
{
    if (report_.entries.size() < LoadReport::kMaxEntries)
        report_.entries.push_back(std::move(entry));
    else
        ++report_.notListed;
}

void ItemFileReader::openRun(int lineNo, SkipReason reason, QString detail, int limit)
{
    closeRun();
    runOpen_ = true;
    run_ = SkippedLines{lineNo, lineNo, reason, std::move(detail), limit};
}

void ItemFileReader::closeRun()
{
    if (!runOpen_)
        return;
    runOpen_ = false;
    addEntry(std::move(run_));
}

void ItemFileReader::skipLine(int lineNo, SkipReason reason, QByteArrayView detail)
{
    addEntry(SkippedLines{lineNo, lineNo, reason, detailOf(detail), 0});
}

namespace {

enum class Expected { No, Maybe, Yes };

// Whether the writer writes field j of a record read up to place `position`. A DAC or TCG
// line is known once the block's mode line has been passed; curve and trace lines may
// rightly be absent.
Expected expectedAt(std::size_t j, int position, const DFDRecord& r, bool alog)
{
    static const auto placeOf = [](std::string_view key) {
        return static_cast<int>(fieldByFileKey(key) - recordFields().data());
    };
    static const int dacMode = placeOf("DM");
    static const int tcgMode = placeOf("YM");
    const RecordSettings& s = r.settings();
    const auto block = [&](int modePlace, const QString& mode) {
        if (position < modePlace)
            return Expected::Maybe;
        return valueOfText(mode) >= 1 ? Expected::Yes : Expected::No;
    };
    const auto orMaybe = [](Expected e) { return e == Expected::No ? e : Expected::Maybe; };
    const auto withPoints = [](Expected e, const QString& count) {
        return e == Expected::Yes && pointCountOf(count) < 1 ? Expected::No : e;
    };
    switch (recordFields()[j].when) {
    case WriteWhen::Always: return Expected::Yes;
    case WriteWhen::ALogOnly: return alog ? Expected::Yes : Expected::No;
    case WriteWhen::DacOn: return block(dacMode, s.DacMode);
    case WriteWhen::DacOnWithPoints: return withPoints(block(dacMode, s.DacMode), s.DacPointCount);
    case WriteWhen::DacOnWithCurve: return orMaybe(block(dacMode, s.DacMode));
    case WriteWhen::TcgOn: return block(tcgMode, s.TcgMode);
    case WriteWhen::TcgOnWithPoints: return withPoints(block(tcgMode, s.TcgMode), s.TcgPointCount);
    case WriteWhen::TcgOnWithCurve: return orMaybe(block(tcgMode, s.TcgMode));
    case WriteWhen::AvgCurve:
    case WriteWhen::WaveformPresent: return Expected::Maybe;
    }
    return Expected::No;
}

QString keyText(const RecordField& f)
{
    return QString::fromLatin1(f.fileKey.data(), static_cast<qsizetype>(f.fileKey.size()));
}

} // namespace

void ItemFileReader::reportCut()
{
    if (current_ < 0) {
        if (!cutLine_)
            return;
        if (runOpen_)
            run_.lastLine = cutLine_;  // part of the lines skipped already
        else
            addEntry(SkippedLines{cutLine_, cutLine_, SkipReason::CutLine, QString(), 0});
        return;
    }
    const std::span<const RecordField> fields = recordFields();
    const DFDRecord& r = records_[static_cast<std::size_t>(current_)];
    const bool alog = current_ <= maxALogs_;
    // Something was lost when a line the record always has is missing, or when the cut
    // line begins the key of a line it could hold next; a cut line that is neither was
    // the next record's header.
    const std::string cutKey = cutLine_ ? cutKey_.toStdString() : std::string();
    bool lost = false;
    const RecordField* first = nullptr;  // the first line that may be missing
    for (std::size_t j = static_cast<std::size_t>(position_ + 1); j < fields.size() && !lost; ++j) {
        const Expected e = expectedAt(j, position_, r, alog);
        if (e == Expected::No)
            continue;
        if (!first)
            first = &fields[j];
        lost = e == Expected::Yes || (!cutKey.empty() && fields[j].fileKey.starts_with(cutKey));
    }
    const int line = cutLine_ ? cutLine_ : lastLine_;
    if (!lost) {
        if (cutLine_)
            addEntry(SkippedLines{line, line, SkipReason::CutLine, QString(), 0});
        return;
    }
    const int number = alog ? current_ : current_ - maxALogs_;
    addEntry(SkippedLines{line, line, SkipReason::CutItem, keyText(*first), 0, number, alog});
}

LoadReport ItemFileReader::finish()
{
    reportCut();
    cutLine_ = 0;
    closeRun();
    current_ = -1;
    return std::move(report_);
}

void ItemFileReader::header(QByteArrayView key, QByteArrayView field, bool alog, int lineNo)
{
    headerSeen_ = true;
    current_ = -1;
    position_ = -1;
    const int limit = alog ? maxALogs_ : maxPanels_;
    const std::optional<double> value = strictDouble(QString::fromLatin1(field));
    const std::int32_t n = value ? roundToInt32(*value).value_or(0) : 0;
    const QString shown = QString::fromLatin1(key) + u',' + detailOf(field);
    if (n < 1 || n > limit) {
        openRun(lineNo, SkipReason::BadHeader, shown, limit);
        return;
    }
    const std::size_t index = static_cast<std::size_t>(alog ? n : maxALogs_ + n);
    if (index == 0 || index >= records_.size()) {
        openRun(lineNo, SkipReason::BadHeader, shown, limit);
        return;
    }
    if (readInThisFile_[index]) {
        openRun(lineNo, SkipReason::DuplicateRecord, shown, limit);
        return;
    }
    closeRun();
    readInThisFile_[index] = true;
    ++report_.recordsRead;
    current_ = static_cast<int>(index);
    // Nothing of what the record held before carries over into the one read.
    DFDRecord& r = records_[index];
    r = DFDRecord{};
    r.InUse = true;
    r.editSettings().SlotText = QString::number(n);
}

void ItemFileReader::ParseItemLine(QByteArrayView line, int lineNo)
{
    lastLine_ = lineNo;
    if (line.isEmpty())
        return;
    // Keys are two or three letters: look for the comma there before scanning further.
    qsizetype comma = -1;
    for (qsizetype i = 0; i < std::min<qsizetype>(line.size(), 4); ++i)
        if (line[i] == ',') {
            comma = i;
            break;
        }
    if (comma < 0 && line.size() > 4)
        comma = line.indexOf(',');
    const bool hasFields = comma >= 0;
    const QByteArrayView key = hasFields ? line.first(comma) : line;
    // Everything after the key's comma; a bare key is an empty value.
    const QByteArrayView rest = hasFields ? line.sliced(comma + 1) : QByteArrayView();
    const auto firstField = [&] {
        qsizetype after = 0;
        return hasFields ? nextField(rest, after) : QByteArrayView();
    };

    if (key == "AS" || key == "PS") {
        header(key, firstField(), key == "AS", lineNo);
        return;
    }
    if (current_ < 0) {
        if (runOpen_) {
            run_.lastLine = lineNo;
        } else if (!headerSeen_) {
            openRun(lineNo, SkipReason::BeforeFirstHeader, QString(), 0);
        }
        return;
    }
    const RecordField* f = key.size() <= 3 ? fieldByFileKey(asKey(key)) : nullptr;
    if (!f) {
        skipLine(lineNo, SkipReason::UnknownKey, key);
        return;
    }

    // Where the line stands in the writing order; the second ES line is the repeat's.
    const std::span<const RecordField> fields = recordFields();
    int at = static_cast<int>(f - fields.data());
    if (at <= position_)
        for (std::size_t j = static_cast<std::size_t>(position_ + 1); j < fields.size(); ++j)
            if (fields[j].fileKey == f->fileKey) {
                at = static_cast<int>(j);
                break;
            }
    position_ = std::max(position_, at);

    DFDRecord& r = records_[static_cast<std::size_t>(current_)];
    switch (f->kind) {
    case FieldKind::Text: {
        QString value = text(rest);
        // More points than a list can hold read as the most it holds.
        if ((f->member == &RecordSettings::DacPointCount || f->member == &RecordSettings::TcgPointCount)
            && valueOfText(value) > kMaxPoints)
            value = QString::number(kMaxPoints);
        f->text(r.editSettings()) = std::move(value);
        return;
    }
    case FieldKind::Memo: {
        QString memo = text(rest);
        memo.replace(u',', QStringLiteral("\r\n"));
        r.editSettings().Memo = std::move(memo);
        return;
    }
    case FieldKind::ModelIndex: {
        const QByteArrayView field1 = firstField();
        const std::optional<std::int16_t> v = int16Of(field1);
        const bool known = v && *v >= 0 && *v < kModelCount;
        r.ModelIndex = known ? *v : 0;
        if (!known)
            skipLine(lineNo, SkipReason::ModelOutOfTable, field1);
        return;
    }
    case FieldKind::DataVersion: {
        const std::optional<double> v = strictDouble(QString::fromLatin1(firstField()));
        r.DataVersion = v ? *v : 0;
        if (!v)
            skipLine(lineNo, SkipReason::BadNumber, key);
        return;
    }
    case FieldKind::DacPoints:
    case FieldKind::TcgPoints: {
        const bool dac = f->kind == FieldKind::DacPoints;
        RecordSettings& s = r.editSettings();
        PointList& x = dac ? s.DacX : s.TcgX;
        PointList& y = dac ? s.DacY : s.TcgY;
        x.fill(QString());
        y.fill(QString());
        const int n = pointCountOf(dac ? s.DacPointCount : s.TcgPointCount);
        qsizetype pos = 0;
        for (int i = 1; i <= n; ++i) {
            const QByteArrayView fx = pos <= rest.size() && hasFields ? nextField(rest, pos) : QByteArrayView();
            const bool haveY = hasFields && pos <= rest.size();
            const QByteArrayView fy = haveY ? nextField(rest, pos) : QByteArrayView();
            if (!haveY || !isNumber(fx) || !isNumber(fy)) {
                // The list is left out whole: no point of it, and the count says so.
                x.fill(QString());
                y.fill(QString());
                (dac ? s.DacPointCount : s.TcgPointCount) = QString();
                r.*(dac ? &DFDRecord::DacPresent : &DFDRecord::TcgPresent) = false;
                skipLine(lineNo, SkipReason::BadList, key);
                return;
            }
            x[static_cast<std::size_t>(i)] = text(fx);
            y[static_cast<std::size_t>(i)] = text(fy);
        }
        // Present only with points: a list of none is no list.
        r.*(dac ? &DFDRecord::DacPresent : &DFDRecord::TcgPresent) = n >= 1;
        return;
    }
    case FieldKind::DacCurve:
    case FieldKind::AvgCurve:
    case FieldKind::Waveform:
    case FieldKind::TcgCurve: {
        struct List {
            int groups;
            Curve RecordCurves::*a;
            Curve RecordCurves::*b;
            bool DFDRecord::*present;
        };
        const List l = f->kind == FieldKind::DacCurve   ? List{kCurvePairs, &RecordCurves::DacCurveA, &RecordCurves::DacCurveB, &DFDRecord::DacCurvePresent}
                       : f->kind == FieldKind::AvgCurve ? List{kCurvePairs, &RecordCurves::AvgCurveA, &RecordCurves::AvgCurveB, &DFDRecord::AvgCurvePresent}
                       : f->kind == FieldKind::Waveform ? List{kWavePairs, &RecordCurves::WaveMin, &RecordCurves::WaveMax, &DFDRecord::WaveformPresent}
                                                        : List{kTcgCurveValues, &RecordCurves::TcgCurve, nullptr, &DFDRecord::TcgCurvePresent};
        const int perGroup = l.b ? 2 : 1;
        const bool whole = readValues(rest, hasFields, l.groups * perGroup, scratch_.data());
        // Read whole, or left absent at its reset values: never half filled.
        RecordCurves& c = r.editCurves();
        Curve& a = c.*(l.a);
        a.fill(0);
        if (l.b)
            (c.*(l.b)).fill(0);
        r.*(l.present) = whole;
        if (!whole) {
            skipLine(lineNo, SkipReason::BadList, key);
            return;
        }
        for (int i = 0; i < l.groups; ++i) {
            a[static_cast<std::size_t>(i)] = scratch_[static_cast<std::size_t>(perGroup * i)];
            if (l.b)
                (c.*(l.b))[static_cast<std::size_t>(i)] = scratch_[static_cast<std::size_t>(2 * i + 1)];
        }
        return;
    }
    }
}

} // namespace tovu::items
