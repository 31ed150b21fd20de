// What the reader salvages from a damaged saved-items file: one small fixture per rule,
// each with a sound ALog before the fault and one after it. The neighbours must come
// through field by field as if the fault were not there; the fault is reported with its
// file line and reason, and the record at fault is read as the rule says.

#include "app/items/FileHandlingModule.h"
#include "app/items/LoadReportText.h"

#include "items/ItemsTestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

using namespace tovu::items;
using namespace tovu::items::test;

namespace {

QByteArray listLine(const char* key, int values, int seed)
{
    QByteArray line(key);
    for (int i = 0; i < values; ++i)
        line += ',' + QByteArray::number((i * 7 + seed) % 300 - 20);
    return line + '\n';
}

// The sound neighbours: ALog 1 before the fault (lines 1..kBeforeLines), ALog 3 after it.
const QByteArray kBefore = "AS,1\nTS,t1\nMD,12\nGN,40.5\nNL,before\nDM,1\nDP,2\nRP,1,2,3,4\nDB,6\n" + listLine("WS", 510, 1);
// The file ends with ALog 3's memo, its last line that is always written: it is not cut.
const QByteArray kAfter = "AS,3\nTS,t3\nMD,5\nGN,7\nNL,after\n" + listLine("AC", 508, 3) + "ME,after\n";
constexpr int kBeforeLines = 10;
constexpr int kMid = kBeforeLines;  // line kMid + k is line k of the fault

struct Skip {
    int first;
    int last;
    SkipReason reason;
};

struct Case {
    const char* rule;
    QByteArray prefix;  // lines before the first neighbour
    QByteArray fault;   // lines between the neighbours
    std::vector<Skip> skips;
    std::function<void(const ItemStore&)> check;
};

// Every line of the record as the writer puts it, so a difference names its field.
std::string fieldDiff(const DFDRecord& got, const DFDRecord& want)
{
    LineBuffer a(1252), b(1252);
    WriteItemRecord(got, 0, ALogKind, a);
    WriteItemRecord(want, 0, ALogKind, b);
    const QList<QByteArray> la = a.bytes().split('\n');
    const QList<QByteArray> lb = b.bytes().split('\n');
    std::string diff;
    for (qsizetype i = 0; i < std::max(la.size(), lb.size()); ++i) {
        const QByteArray x = i < la.size() ? la[i] : QByteArray("<none>");
        const QByteArray y = i < lb.size() ? lb[i] : QByteArray("<none>");
        if (x != y)
            diff += "got " + x.left(60).trimmed().toStdString() + " want " + y.left(60).trimmed().toStdString() + "; ";
    }
    if (diff.empty() && !(got == want))
        diff = "records differ outside their file lines (flags)";
    return diff;
}

class SalvageRules : public ::testing::Test {
protected:
    LoadResult load(const QByteArray& lfText, ItemStore& into, bool crlf = true)
    {
        QByteArray bytes = lfText;
        if (crlf)
            bytes.replace("\n", "\r\n");
        const QString p = dir.filePath(QStringLiteral("in.dfd"));
        EXPECT_TRUE(writeBytes(p, bytes));
        return LoadItemsFile(into, p, 1252);
    }

    QTemporaryDir dir;
};

const RecordSettings& settingsOf(const ItemStore& s, int alog)
{
    return s.ALogs[static_cast<std::size_t>(alog)].settings();
}

} // namespace

TEST_F(SalvageRules, EachFaultCostsOnlyWhatItTouches)
{
    ItemStore reference;
    ASSERT_TRUE(load(kBefore + kAfter, reference).ok);
    ASSERT_TRUE(reference.ALogs[1].WaveformPresent && reference.ALogs[3].AvgCurvePresent);

    const auto absent = [](int alog) {
        return [alog](const ItemStore& s) { EXPECT_FALSE(s.ALogs[static_cast<std::size_t>(alog)].InUse); };
    };
    const Case cases[] = {
        {"header not a number", {}, "AS,x2\nGN,1\nNL,lost\n", {{kMid + 1, kMid + 3, SkipReason::BadHeader}}, absent(2)},
        {"header empty", {}, "AS,\nGN,1\n", {{kMid + 1, kMid + 2, SkipReason::BadHeader}}, absent(2)},
        {"bare header", {}, "AS\nGN,1\n", {{kMid + 1, kMid + 2, SkipReason::BadHeader}}, absent(2)},
        {"header 0", {}, "AS,0\nGN,1\n", {{kMid + 1, kMid + 2, SkipReason::BadHeader}},
         [](const ItemStore& s) { EXPECT_EQ(s.WorkItems[0], DFDRecord{}); }},
        {"header negative", {}, "PS,-2\nGN,1\n", {{kMid + 1, kMid + 2, SkipReason::BadHeader}},
         [](const ItemStore& s) { EXPECT_FALSE(s.Panels[2].InUse); }},
        {"header overflows", {}, "AS,1e30\nGN,1\nAS,99999999999999999999\n",
         {{kMid + 1, kMid + 2, SkipReason::BadHeader}, {kMid + 3, kMid + 3, SkipReason::BadHeader}}, absent(2)},
        {"ALog header above MaxALogs", {}, "AS,10001\nGN,1\n", {{kMid + 1, kMid + 2, SkipReason::BadHeader}}, absent(2)},
        {"panel header above MaxPanels", {}, "PS,101\nGN,1\n", {{kMid + 1, kMid + 2, SkipReason::BadHeader}},
         [](const ItemStore& s) { EXPECT_TRUE(std::none_of(s.Panels.begin(), s.Panels.end(), [](const DFDRecord& r) { return r.InUse; })); }},
        {"ALog header in the panel range", {}, "AS,10005\nGN,1\n", {{kMid + 1, kMid + 2, SkipReason::BadHeader}},
         [](const ItemStore& s) { EXPECT_FALSE(s.Panels[5].InUse); }},
        {"second header of a record read", {}, "AS,1\nGN,99\nNL,second\n", {{kMid + 1, kMid + 3, SkipReason::DuplicateRecord}},
         [](const ItemStore& s) { EXPECT_EQ(settingsOf(s, 1).Gain, "40.5"); }},
        {"lines before the first header", "GN,5\nJUNK\n\nNL,orphan\n", {}, {{1, 4, SkipReason::BeforeFirstHeader}},
         [](const ItemStore& s) { EXPECT_EQ(s.WorkItems[0], DFDRecord{}); }},
        {"bare keys are empty values", {}, "AS,2\nGN\nNL\nME\n", {},
         [](const ItemStore& s) {
             EXPECT_TRUE(s.ALogs[2].InUse);
             EXPECT_EQ(settingsOf(s, 2).Gain, "");
             EXPECT_EQ(settingsOf(s, 2).NoteLabel, "");
             EXPECT_EQ(settingsOf(s, 2).Memo, "");
         }},
        {"unknown key", {}, "AS,2\nXQ,1\nGN,3\n", {{kMid + 2, kMid + 2, SkipReason::UnknownKey}},
         [](const ItemStore& s) { EXPECT_EQ(settingsOf(s, 2).Gain, "3"); }},
        {"trace line short", {}, "AS,2\n" + listLine("WS", 509, 2) + "GN,3\n", {{kMid + 2, kMid + 2, SkipReason::BadList}},
         [](const ItemStore& s) {
             EXPECT_FALSE(s.ALogs[2].WaveformPresent);
             EXPECT_EQ(s.ALogs[2].curves().WaveMin, Curve{});
             EXPECT_EQ(settingsOf(s, 2).Gain, "3");
         }},
        {"curve value that does not convert", {}, "AS,2\n" + listLine("DC", 507, 2).replace("\n", ",x1\n"), {{kMid + 2, kMid + 2, SkipReason::BadList}},
         [](const ItemStore& s) {
             EXPECT_FALSE(s.ALogs[2].DacCurvePresent);
             EXPECT_EQ(s.ALogs[2].curves().DacCurveA, Curve{});
         }},
        {"curve value outside 16 bits never wraps", {}, "AS,2\nAC,40000" + listLine("", 507, 2), {{kMid + 2, kMid + 2, SkipReason::BadList}},
         [](const ItemStore& s) {
             EXPECT_FALSE(s.ALogs[2].AvgCurvePresent);
             EXPECT_EQ(s.ALogs[2].curves().AvgCurveA, Curve{});
         }},
        {"TCG curve below -32768", {}, "AS,2\nYC,-32769" + listLine("", 254, 2), {{kMid + 2, kMid + 2, SkipReason::BadList}},
         [](const ItemStore& s) { EXPECT_FALSE(s.ALogs[2].TcgCurvePresent); }},
        {"points list short", {}, "AS,2\nDM,1\nDP,3\nRP,1,2,3,4,5\n", {{kMid + 4, kMid + 4, SkipReason::BadList}},
         [](const ItemStore& s) {
             EXPECT_FALSE(s.ALogs[2].DacPresent);
             EXPECT_EQ(settingsOf(s, 2).DacX, PointList{});
             EXPECT_EQ(settingsOf(s, 2).DacPointCount, "");
         }},
        {"points value not a number", {}, "AS,2\nYM,1\nYF,2\nYP,1,2,zz,4\n", {{kMid + 4, kMid + 4, SkipReason::BadList}},
         [](const ItemStore& s) {
             EXPECT_FALSE(s.ALogs[2].TcgPresent);
             EXPECT_EQ(settingsOf(s, 2).TcgX, PointList{});
         }},
        {"point count above 10 reads as 10", {}, "AS,2\nDM,1\nDP,15\n" + listLine("RP", 30, 2), {},
         [](const ItemStore& s) {
             EXPECT_TRUE(s.ALogs[2].DacPresent);
             EXPECT_EQ(settingsOf(s, 2).DacPointCount, "10");
             EXPECT_EQ(settingsOf(s, 2).DacY[10], QString::number((19 * 7 + 2) % 300 - 20));
         }},
        {"model code outside the table", {}, "AS,2\nMD,43\nAS,4\nMD,-1\n",
         {{kMid + 2, kMid + 2, SkipReason::ModelOutOfTable}, {kMid + 4, kMid + 4, SkipReason::ModelOutOfTable}},
         [](const ItemStore& s) {
             EXPECT_EQ(s.ALogs[2].ModelIndex, 0);
             EXPECT_EQ(s.ALogs[4].ModelIndex, 0);
             EXPECT_TRUE(s.ALogs[4].InUse);
         }},
        {"data version not a number", {}, "AS,2\nMF,three\n", {{kMid + 2, kMid + 2, SkipReason::BadNumber}},
         [](const ItemStore& s) { EXPECT_EQ(s.ALogs[2].DataVersion, 0); }},
        {"a lone LF in a CR LF file is data", {}, "AS,2\nNN,two\x01lines\n", {},
         [](const ItemStore& s) { EXPECT_EQ(settingsOf(s, 2).NoteText, "two\nlines"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        QByteArray text = c.prefix + kBefore + c.fault + kAfter;
        ItemStore s;
        const bool loneLf = QByteArray(c.fault).contains('\x01');
        if (loneLf) {
            text.replace("\n", "\r\n");
            text.replace('\x01', '\n');
        }
        const LoadResult res = load(text, s, !loneLf);
        ASSERT_TRUE(res.ok) << res.reason.toStdString();
        const int prefixLines = static_cast<int>(c.prefix.count('\n'));
        ASSERT_EQ(res.report.entries.size(), c.skips.size());
        for (std::size_t k = 0; k < c.skips.size(); ++k) {
            const SkippedLines& e = res.report.entries[k];
            const int shift = c.skips[k].reason == SkipReason::BeforeFirstHeader ? 0 : prefixLines;
            EXPECT_EQ(e.firstLine, c.skips[k].first + shift) << k;
            EXPECT_EQ(e.lastLine, c.skips[k].last + shift) << k;
            EXPECT_EQ(e.reason, c.skips[k].reason) << k;
        }
        EXPECT_EQ(fieldDiff(s.ALogs[1], reference.ALogs[1]), "");
        EXPECT_EQ(fieldDiff(s.ALogs[3], reference.ALogs[3]), "");
        c.check(s);
        // What was salvaged saves to a file that reads back without a report.
        const QString out = dir.filePath(QStringLiteral("out.dfd"));
        ASSERT_TRUE(SaveItemsFile(s, out, 1252).ok);
        ItemStore back;
        const LoadResult again = LoadItemsFile(back, out, 1252);
        ASSERT_TRUE(again.ok);
        EXPECT_EQ(again.report.count(), 0);
        EXPECT_EQ(fieldDiff(back.ALogs[1], s.ALogs[1]), "");
        EXPECT_EQ(fieldDiff(back.ALogs[3], s.ALogs[3]), "");
    }
}

TEST_F(SalvageRules, EveryRecordReadStartsFromAResetRecord)
{
    // Memory and an earlier file held ALog 2 with a time stamp and DAC values; the file
    // read now has ALog 2 without them.
    ItemStore s;
    ASSERT_TRUE(load("AS,2\nTS,old\nDM,1\nDB,9\nDP,1\nRP,1,2\n" + listLine("WS", 510, 5), s).ok);
    s.WorkItems[2].editSettings().Gain = QStringLiteral("in memory");
    const LoadResult res = load("AS,2\nGN,1\n", s);
    ASSERT_TRUE(res.ok);
    const DFDRecord& r = s.ALogs[2];
    EXPECT_EQ(r.settings().TimeStamp, "");
    EXPECT_EQ(r.settings().DB, "");
    EXPECT_EQ(r.settings().DacX[1], "");
    EXPECT_EQ(r.settings().Gain, "1");
    EXPECT_FALSE(r.DacPresent || r.WaveformPresent);
    EXPECT_EQ(r.curves().WaveMax, Curve{});
}

TEST_F(SalvageRules, LineEndsByteOrderMarkAndTruncation)
{
    const struct {
        const char* what;
        QByteArray bytes;
        QString noteText;
        bool trace;
        int skipped;
    } cases[] = {
        {"LF only", "AS,1\nNN,a\rb\n" + listLine("WS", 510, 1), QStringLiteral("a\rb"), true, 0},
        {"CR LF with a lone CR", "AS,1\r\nNN,a\rb\r\n" + listLine("WS", 510, 1).replace("\n", "\r\n"), QStringLiteral("a\rb"), true, 0},
        {"byte-order mark", "\xEF\xBB\xBF" "AS,1\r\nNN,x\r\nME,\r\n", QStringLiteral("x"), false, 0},
        // A record the file ends in before its memo line was cut short.
        {"ends before the memo", "AS,1\r\nNN,x\r\n", QStringLiteral("x"), false, 1},
        {"cut inside the trace", "AS,1\r\nNN,x\r\n" + listLine("WS", 510, 1).left(900), QStringLiteral("x"), false, 1},
        {"cut inside a text", "AS,1\r\nNN,whole\r\nNL,ha", QStringLiteral("whole"), false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ItemStore s;
        const QString p = dir.filePath(QStringLiteral("raw.dfd"));
        ASSERT_TRUE(writeBytes(p, c.bytes));
        const LoadResult res = LoadItemsFile(s, p, 1252);
        ASSERT_TRUE(res.ok) << res.reason.toStdString();
        EXPECT_EQ(res.report.count(), c.skipped);
        EXPECT_EQ(s.ALogs[1].settings().NoteText, c.noteText);
        EXPECT_EQ(s.ALogs[1].WaveformPresent, c.trace);
        if (!c.trace) {
            EXPECT_EQ(s.ALogs[1].curves().WaveMin, Curve{});
        }
    }
    ItemStore s;
    const QString p = dir.filePath(QStringLiteral("cut.dfd"));
    ASSERT_TRUE(writeBytes(p, "AS,1\r\nNL,ha"));
    const LoadResult res = LoadItemsFile(s, p, 1252);
    ASSERT_TRUE(res.ok);
    // The cut value is left out, not kept cut short, and the report names what is missing.
    EXPECT_EQ(s.ALogs[1].settings().NoteLabel, "");
    ASSERT_EQ(res.report.entries.size(), 1u);
    const SkippedLines& e = res.report.entries[0];
    EXPECT_EQ(e.reason, SkipReason::CutItem);
    EXPECT_EQ(e.firstLine, 2);
    EXPECT_EQ(e.detail, "TS");  // the first line an ALog has that this one lacks
    EXPECT_EQ(e.item, 1);
    EXPECT_TRUE(e.alog);
}

TEST_F(SalvageRules, WriterKeepsPointCountsAndPointsTogether)
{
    // A count of no points is an absent list: its count goes out as its text, without a
    // points line.
    const struct { const char* count; const char* dp; int points; } cases[] = {
        {"3", "DP,3", 3}, {"15", "DP,10", 10}, {"N/A", "DP,N/A", 0}, {"2.5", "DP,2", 2}, {"", "DP,", 0}};
    for (const auto& c : cases) {
        DFDRecord r;
        r.DacPresent = true;
        RecordSettings& s = r.editSettings();
        s.DacMode = "1";
        s.DacPointCount = c.count;
        for (int i = 1; i <= 10; ++i)
            s.DacX[static_cast<std::size_t>(i)] = s.DacY[static_cast<std::size_t>(i)] = QString::number(i);
        LineBuffer out(1252);
        WriteItemRecord(r, 1, ALogKind, out);
        const QByteArray bytes = out.bytes();
        EXPECT_TRUE(bytes.contains("\r\n" + QByteArray(c.dp) + "\r\n")) << c.count;
        const qsizetype at = bytes.indexOf("\r\nRP");
        if (c.points == 0) {
            EXPECT_EQ(at, -1) << c.count;
            continue;
        }
        const QByteArray rp = bytes.mid(at + 2, bytes.indexOf('\r', at + 2) - at - 2);
        EXPECT_EQ(rp.count(','), 2 * c.points) << c.count;
    }
}

TEST_F(SalvageRules, ReportTextListsTwentyAndCountsTheRest)
{
    class Texts : public StringSource {
    public:
        QString GetResString(int id) const override
        {
            switch (id) {
            case kRecordsReadText: return QStringLiteral("read %1 from %2");
            case kSkippedLinesText: return QStringLiteral("skipped:");
            case kSkippedLineText: return QStringLiteral("L%1 %2");
            case kSkippedRangeText: return QStringLiteral("L%1-%2 %3");
            case kMoreSkippedText: return QStringLiteral("+%1");
            case kOpenWhatWasReadText: return QStringLiteral("open?");
            case kReasonTextBase + static_cast<int>(SkipReason::BadHeader): return QStringLiteral("bad %1 max %2");
            case kReasonTextBase + static_cast<int>(SkipReason::UnknownKey): return QStringLiteral("key %1");
            default: return QStringLiteral("id%1").arg(id);
            }
        }
    } texts;
    QByteArray text = "AS,%2\nGN,1\nAS,1\n";
    for (int i = 0; i < 30; ++i)
        text += "Q" + QByteArray::number(i) + ",1\n";
    text += "ME,\n";
    ItemStore s;
    const LoadResult res = load(text, s);
    ASSERT_TRUE(res.ok);
    ASSERT_EQ(res.report.count(), 31);
    const QString shown = loadReportText(res.report, QStringLiteral("/x/in%1.dfd"), texts);
    const QStringList lines = shown.split(u'\n');
    EXPECT_EQ(lines[0], QStringLiteral("read 1 from /x/in%1.dfd"));
    EXPECT_EQ(lines[1], QStringLiteral("skipped:"));
    EXPECT_EQ(lines[2], QStringLiteral("L1-2 bad AS,%2 max 10000"));
    EXPECT_EQ(lines[3], QStringLiteral("L4 key Q0"));
    EXPECT_EQ(lines[21], QStringLiteral("L22 key Q18"));
    EXPECT_EQ(lines[22], QStringLiteral("+11"));
    EXPECT_EQ(lines.back(), QStringLiteral("open?"));
}

// A cut names the item and what of it is missing, in the words of the string table.
TEST_F(SalvageRules, ReportTextOfACutNamesTheItemAndWhatIsMissing)
{
    class Texts : public StringSource {
    public:
        QString GetResString(int id) const override
        {
            switch (id) {
            case kSkippedLineText: return QStringLiteral("L%1 %2");
            case kCutItemText: return QStringLiteral("%1 %2 cut; %3 missing");
            case kCutLineText: return QStringLiteral("line cut");
            case kPanelWordText: return QStringLiteral("Panel");
            case kALogWordText: return QStringLiteral("ALog");
            case kCutPartTextBase + static_cast<int>(CutPart::Trace): return QStringLiteral("its trace");
            case kCutPartTextBase + static_cast<int>(CutPart::Line): return QStringLiteral("its %1 line");
            default: return QStringLiteral("id%1").arg(id);
            }
        }
    } texts;
    const struct {
        QByteArray bytes;
        const char* shown;
    } cases[] = {
        {"AS,37\r\nME,\r\n" + listLine("WS", 510, 1).left(40), "L3 ALog 37 cut; its trace missing"},
        {"PS,5\r\nMD,7\r\nSE,x\r\nMF,3\r\nRG,1\r\nTD,0\r\nPZ,0\r\nVL,59\r\nGN,4\r\nGR,4\r\nHU,1\r\nHZ,1\r\nFR,1\r\nDT,2\r\nRJ,0\r\nCT,0\r\nFS,5\r\nTW,1\r\nPD,1\r\nSD,0\r\nPF,1\r\nPV,1\r\nPE,1\r\nGA,1\r\nSA,1\r\nWA,1\r\nLA,1\r\nGB,0\r\nSB,1\r\nWB,1\r\nLB,1\r\nGI,0\r\nSI,1\r\nWI,1\r\nLI,1\r\nMM,1\r\nMT,0\r\nHD,0\r\nHS,0\r\nTM,0\r\nBK,0\r\nAG,0\r\nTH,0\r\nCD,0\r\nSH,0\r\nXO,0.",
         "L46 Panel 5 cut; its XO line missing"},
        {"AS,1\r\nME,\r\nAS,2", "L3 line cut"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        ItemStore s;
        const QString p = dir.filePath(QStringLiteral("cut.dfd"));
        ASSERT_TRUE(writeBytes(p, c.bytes));
        const LoadResult res = LoadItemsFile(s, p, 1252);
        ASSERT_TRUE(res.ok);
        const QStringList lines = loadReportText(res.report, p, texts).split(u'\n');
        ASSERT_GE(lines.size(), 3);
        EXPECT_EQ(lines[2], QString::fromLatin1(c.shown));
    }
}

TEST_F(SalvageRules, AHostileFileKeepsItsReportBounded)
{
    QByteArray text = "AS,1\n";
    for (int i = 0; i < 5000; ++i)
        text += "AS,1\nZZ\n";
    ItemStore s;
    const LoadResult res = load(text, s);
    ASSERT_TRUE(res.ok);
    EXPECT_EQ(res.report.count(), 5000);
    EXPECT_EQ(res.report.entries.size(), LoadReport::kMaxEntries);
    EXPECT_EQ(res.report.entries[0].firstLine, 2);
    EXPECT_EQ(res.report.entries[0].lastLine, 3);
}
