// Saved-items files cut short: at every line end, one byte before and after it, and every
// few bytes between. Whatever the cut, every record complete before it reads as in the
// whole file, no list is present half filled, every change the cut made to the record it
// fell in is in the load report (which names that record and the first line it lacks),
// and what was read saves to a file that reads back the same without a report.

#include "app/items/FileHandlingModule.h"
#include "app/items/RecordFields.h"

#include "items/ItemsTestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <iostream>
#include <set>

using namespace tovu::items;
using namespace tovu::items::test;

namespace {

constexpr qsizetype kStride = 11;  // besides the line ends, a cut every this many bytes

// One record of the whole file: where its bytes are and where it lands in WorkItems.
struct Span {
    qsizetype begin;
    qsizetype end;
    std::size_t index;
    bool alog;
    int number;
};

std::vector<Span> recordsOf(const QByteArray& bytes, int maxALogs)
{
    std::vector<Span> spans;
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype next = bytes.indexOf("\r\n", at) + 2;
        const QByteArray line = bytes.mid(at, next - 2 - at);
        if (line.startsWith("AS,") || line.startsWith("PS,")) {
            if (!spans.empty())
                spans.back().end = at;
            const bool alog = line.startsWith("AS,");
            const int n = line.mid(3).toInt();
            spans.push_back({at, bytes.size(), static_cast<std::size_t>(alog ? n : maxALogs + n), alog, n});
        }
        at = next;
    }
    return spans;
}

// Every cut place: each line end, a byte either side of it, and every kStride-th byte.
std::set<qsizetype> cutsOf(const QByteArray& bytes)
{
    std::set<qsizetype> cuts;
    for (qsizetype at = bytes.indexOf('\n'); at >= 0; at = bytes.indexOf('\n', at + 1))
        for (qsizetype k : {at, at + 1, at + 2})
            if (k >= 1 && k < bytes.size())
                cuts.insert(k);
    for (qsizetype k = 1; k < bytes.size(); k += kStride)
        cuts.insert(k);
    return cuts;
}

QList<QByteArray> linesOf(const DFDRecord& r, int kind)
{
    LineBuffer out(1252);
    WriteItemRecord(r, 1, kind, out);
    return out.bytes().split('\n');
}

QByteArray keyOf(const QByteArray& line)
{
    const qsizetype comma = line.indexOf(',');
    return (comma < 0 ? line : line.left(comma)).trimmed();
}

// The place of a line's key in the writing order (the header before every field).
int placeOf(const QByteArray& key)
{
    if (key == "AS" || key == "PS")
        return -1;
    const RecordField* f = fieldByFileKey(key.toStdString());
    return f ? static_cast<int>(f - recordFields().data()) : -2;
}

// A list is read whole or left absent at its reset values.
std::string halfFilled(const DFDRecord& got, const DFDRecord& want)
{
    const RecordSettings& g = got.settings();
    const RecordSettings& w = want.settings();
    if (got.DacPresent ? (g.DacX != w.DacX || g.DacY != w.DacY || g.DacPointCount != w.DacPointCount)
                       : (g.DacX != PointList{} || g.DacY != PointList{}))
        return "DAC points";
    if (got.TcgPresent ? (g.TcgX != w.TcgX || g.TcgY != w.TcgY || g.TcgPointCount != w.TcgPointCount)
                       : (g.TcgX != PointList{} || g.TcgY != PointList{}))
        return "TCG points";
    const RecordCurves& gc = got.curves();
    const RecordCurves& wc = want.curves();
    const struct {
        const char* name;
        bool present;
        const Curve& a;
        const Curve& wa;
        const Curve& b;
        const Curve& wb;
    } lists[] = {
        {"trace", got.WaveformPresent, gc.WaveMin, wc.WaveMin, gc.WaveMax, wc.WaveMax},
        {"DAC curve", got.DacCurvePresent, gc.DacCurveA, wc.DacCurveA, gc.DacCurveB, wc.DacCurveB},
        {"AVG curve", got.AvgCurvePresent, gc.AvgCurveA, wc.AvgCurveA, gc.AvgCurveB, wc.AvgCurveB},
        {"TCG curve", got.TcgCurvePresent, gc.TcgCurve, wc.TcgCurve, gc.TcgCurve, wc.TcgCurve},
    };
    for (const auto& l : lists)
        if (l.present ? (l.a != l.wa || l.b != l.wb) : (l.a != Curve{} || l.b != Curve{}))
            return l.name;
    return {};
}

struct Figures {
    int cuts = 0;
    int cutItem = 0;      // the cut record's loss reported, naming it
    int cutLine = 0;      // the cut fell in a header: the line reported, no record lost
    int boundary = 0;     // the cut fell between records: nothing lost, nothing reported
    int unchanged = 0;    // the cut fell in a record but cost it nothing
    int noRecord = 0;     // the cut left no record at all: the file is refused
    int beforeTrace = 0;  // the cut fell exactly before a trace line: see below
};

class Truncation : public ::testing::TestWithParam<const char*> {
protected:
    QTemporaryDir dir;
};

} // namespace

TEST_P(Truncation, NoCompleteRecordIsLostAndEveryLossIsReported)
{
    const QByteArray whole = readBytes(fixture(GetParam()));
    ASSERT_FALSE(whole.isEmpty());
    // The counts of the smallest memory hold both fixtures and keep each load quick.
    ItemStore reference;
    reference.RecreateArrays(0);
    ASSERT_TRUE(LoadItemsFile(reference, fixture(GetParam()), 1252).ok);
    const std::vector<Span> spans = recordsOf(whole, reference.MaxALogs);
    ASSERT_GE(spans.size(), 1u);
    const QString path = dir.filePath(QStringLiteral("cut.dfd"));
    Figures figures;
    ItemStore got;
    for (const qsizetype k : cutsOf(whole)) {
        SCOPED_TRACE("cut at byte " + std::to_string(k));
        ++figures.cuts;
        const QByteArray cut = whole.left(k);
        ASSERT_TRUE(writeBytes(path, cut));
        got.RecreateArrays(0);
        const LoadResult res = LoadItemsFile(got, path, 1252);
        const int lastLine = static_cast<int>(cut.count("\r\n")) + (cut.endsWith("\r\n") ? 0 : 1);
        if (!res.ok) {
            // Only a cut inside the first header leaves no record.
            EXPECT_TRUE(res.noRecords);
            EXPECT_LT(k, whole.indexOf("\r\n") + 2);
            ++figures.noRecord;
            continue;
        }
        // At most one entry, at the file's last line: a file the writer wrote has no other fault.
        ASSERT_LE(res.report.entries.size(), 1u);
        for (const SkippedLines& e : res.report.entries)
            EXPECT_EQ(e.firstLine, lastLine);
        const Span* inside = nullptr;
        for (const Span& s : spans) {
            const DFDRecord& r = got.WorkItems[s.index];
            if (s.end <= k)
                EXPECT_EQ(r, reference.WorkItems[s.index]) << "record " << s.number << " complete before the cut";
            else if (s.begin >= k)
                EXPECT_FALSE(r.InUse) << "record " << s.number << " after the cut";
            else
                inside = &s;
        }
        if (!inside) {
            EXPECT_TRUE(res.report.empty());
            ++figures.boundary;
        } else {
            const DFDRecord& r = got.WorkItems[inside->index];
            const DFDRecord& want = reference.WorkItems[inside->index];
            EXPECT_EQ(halfFilled(r, want), "");
            if (!r.InUse) {
                // The cut fell in the record's header: the line is reported, nothing was read.
                ASSERT_EQ(res.report.entries.size(), 1u);
                EXPECT_EQ(res.report.entries[0].reason, SkipReason::CutLine);
                ++figures.cutLine;
            } else {
                const int kind = inside->alog ? ALogKind : PanelKind;
                const QList<QByteArray> g = linesOf(r, kind);
                const QList<QByteArray> w = linesOf(want, kind);
                qsizetype firstDiff = 0;
                while (firstDiff < g.size() && firstDiff < w.size() && g[firstDiff] == w[firstDiff])
                    ++firstDiff;
                const bool changed = !(r == want);
                const QByteArray wsStart = "\r\nWS,";
                if (changed && res.report.empty()) {
                    // A file cut exactly at the line end before a trace reads as an item
                    // without one: nothing in the file tells the two apart. The trace is all
                    // that differs.
                    EXPECT_EQ(whole.mid(k - 2, wsStart.size()), wsStart);
                    DFDRecord withTrace = r;
                    withTrace.WaveformPresent = true;
                    withTrace.editCurves().WaveMin = want.curves().WaveMin;
                    withTrace.editCurves().WaveMax = want.curves().WaveMax;
                    EXPECT_EQ(withTrace, want);
                    ++figures.beforeTrace;
                } else if (changed) {
                    ASSERT_EQ(res.report.entries.size(), 1u);
                    const SkippedLines& e = res.report.entries[0];
                    EXPECT_EQ(e.reason, SkipReason::CutItem);
                    EXPECT_EQ(e.item, inside->number);
                    EXPECT_EQ(e.alog, inside->alog);
                    // The first line the report names missing comes, in the writing order,
                    // no later than the first line that differs.
                    const int named = placeOf(e.detail.toLatin1());
                    const int differs = placeOf(keyOf(w.value(firstDiff, g.value(firstDiff))));
                    EXPECT_GE(named, 0) << e.detail.toStdString();
                    EXPECT_LE(named, differs) << "first difference " << w.value(firstDiff).left(20).toStdString()
                                              << ", report names " << e.detail.toStdString();
                    ++figures.cutItem;
                } else {
                    ++figures.unchanged;
                }
            }
        }
        // What was salvaged is written as the Save command writes it and reads back as it
        // is, without a report (in memory: a synced file per cut would cost seconds).
        LineBuffer saved(1252);
        for (int i = 1; i <= got.MaxPanels; ++i)
            if (got.Panels[static_cast<std::size_t>(i)].InUse)
                WriteItemRecord(got.Panels[static_cast<std::size_t>(i)], i, PanelKind, saved);
        for (int i = 1; i <= got.MaxALogs; ++i)
            if (got.ALogs[static_cast<std::size_t>(i)].InUse)
                WriteItemRecord(got.ALogs[static_cast<std::size_t>(i)], i, ALogKind, saved);
        std::vector<DFDRecord> back(got.WorkItems.size());
        ItemFileReader reader(back, got.MaxPanels, got.MaxALogs, 1252);
        reader.readAll(saved.view());
        EXPECT_TRUE(reader.finish().empty());
        for (const Span& s : spans)
            EXPECT_EQ(back[s.index], got.WorkItems[s.index]) << "record " << s.number << " saved again";
    }
    std::cout << GetParam() << ": " << whole.size() << " bytes, " << spans.size() << " records, " << figures.cuts
              << " cuts: " << figures.cutItem << " item losses reported, " << figures.cutLine
              << " cut headers reported, " << figures.boundary << " between records, " << figures.unchanged
              << " costing nothing, " << figures.noRecord
              << " leaving no record, " << figures.beforeTrace << " exactly before a trace line\n";
    EXPECT_GT(figures.cutItem, figures.cuts / 2);
}

INSTANTIATE_TEST_SUITE_P(FullFixtures, Truncation, ::testing::Values("full-alog.dfd", "mixed.dfd"),
                         [](const auto& info) { return std::string(info.index == 0 ? "FullALog" : "Mixed"); });
