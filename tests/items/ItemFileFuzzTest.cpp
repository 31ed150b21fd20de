// Seeded random mutations of saved-items files. Whatever the bytes, a load never
// crashes, reports only lines the file has, never writes record 0, and a load that
// takes nothing leaves the arrays as they were. Every record in use has its header in
// range and its counts within range, and what was read saves to a file that reads
// back without a report and saves again to the same bytes.

#include "app/items/FileHandlingModule.h"
#include "platform/text/NumberText.h"

#include "items/ItemsTestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

using namespace tovu::items;
using namespace tovu::items::test;

namespace {

// Lines as the reader splits them: at CR LF when the file holds one, else at LF.
int lineCount(const QByteArray& bytes)
{
    return 1 + static_cast<int>(bytes.contains("\r\n") ? bytes.count("\r\n") : bytes.count('\n'));
}

// The header number of a record in use matches its place, and its counts are in range.
std::string recordFault(const ItemStore& s, std::size_t index)
{
    const DFDRecord& r = s.WorkItems[index];
    if (!r.InUse)
        return {};
    const bool alog = index <= static_cast<std::size_t>(s.MaxALogs);
    const int number = static_cast<int>(alog ? index : index - static_cast<std::size_t>(s.MaxALogs));
    if (index == 0 || r.settings().SlotText != QString::number(number) || number > (alog ? s.MaxALogs : s.MaxPanels))
        return "record " + std::to_string(index) + " has header " + r.settings().SlotText.toStdString();
    if (r.ModelIndex < 0 || r.ModelIndex > 42)
        return "record " + std::to_string(index) + " has model " + std::to_string(r.ModelIndex);
    for (const QString* count : {&r.settings().DacPointCount, &r.settings().TcgPointCount})
        if (tovu::platform::text::valueOfText(*count) > kMaxPoints)
            return "record " + std::to_string(index) + " has point count " + count->toStdString();
    return {};
}

const char* const kHostile[] = {
    "",      ",",          ",,,,",        "-",        "+",      "1e308",  "-1e308", "1e-400",
    "nan",   "inf",        "65536",       "-32769",   "32767",  "-32768", "0x10",   "2.5",
    "99999999999999999999", "\xff\xfe", "\x00", " 7 ", "AS,1",  "PS,1",   "\r",     "\n",
};

QByteArray mutate(const QByteArray& source, std::mt19937& rng)
{
    QByteArray b = source;
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    const int edits = 1 + static_cast<int>(pick(6));
    for (int e = 0; e < edits && !b.isEmpty(); ++e) {
        const qsizetype at = static_cast<qsizetype>(pick(static_cast<std::size_t>(b.size())));
        switch (pick(7)) {
        case 0:  // flip a byte
            b[at] = static_cast<char>(b[at] ^ static_cast<char>(1 + pick(255)));
            break;
        case 1:  // truncate
            b.truncate(at);
            break;
        case 2: {  // insert random bytes
            QByteArray junk;
            for (std::size_t k = 0, n = 1 + pick(16); k < n; ++k)
                junk.append(static_cast<char>(pick(256)));
            b.insert(at, junk);
            break;
        }
        case 3: {  // put a hostile value in place of the rest of a line
            const qsizetype end = b.indexOf('\r', at);
            const char* h = kHostile[pick(std::size(kHostile))];
            b.replace(at, (end < 0 ? b.size() : end) - at, QByteArray(h, std::max<qsizetype>(1, qstrlen(h))));
            break;
        }
        case 4: {  // duplicate a stretch
            const qsizetype len = static_cast<qsizetype>(pick(400));
            b.insert(at, b.mid(at, len));
            break;
        }
        case 5: {  // delete a stretch
            b.remove(at, static_cast<qsizetype>(pick(200)));
            break;
        }
        default: {  // a comma or a line break somewhere
            const char c[] = {',', '\r', '\n', ' '};
            b.insert(at, c[pick(4)]);
            break;
        }
        }
    }
    return b;
}

class ItemFileFuzz : public ::testing::Test {
protected:
    void SetUp() override
    {
        baseline.RecreateArrays(0);  // 20 panels, 100 ALogs: small enough to compare often
        ASSERT_TRUE(LoadItemsFile(baseline, fixture("mixed.dfd"), 1252).ok);
        baseline.FirmwareVersion = 0;
    }

    void checkOne(const QByteArray& bytes, const std::string& what)
    {
        const QString p = dir.filePath(QStringLiteral("f.dfd"));
        ASSERT_TRUE(writeBytes(p, bytes));
        ItemStore s = baseline;
        const LoadResult res = LoadItemsFile(s, p, 1252);
        for (const SkippedLines& e : res.report.entries) {
            EXPECT_GE(e.firstLine, 1) << what;
            EXPECT_LE(e.firstLine, e.lastLine) << what;
            EXPECT_LE(e.lastLine, lineCount(bytes)) << what;
        }
        EXPECT_LE(res.report.entries.size(), LoadReport::kMaxEntries) << what;
        EXPECT_EQ(s.WorkItems[0], baseline.WorkItems[0]) << what;
        if (!res.ok) {
            EXPECT_EQ(res.report.recordsRead, 0) << what;
            EXPECT_FALSE(res.reason.isEmpty()) << what;
            EXPECT_EQ(s.WorkItems, baseline.WorkItems) << what;
            EXPECT_EQ(s.ALogs, baseline.ALogs) << what;
            EXPECT_EQ(s.Panels, baseline.Panels) << what;
            ++failures;
            return;
        }
        salvaged += res.report.empty() ? 0 : 1;
        for (std::size_t i = 0; i < s.WorkItems.size(); ++i)
            ASSERT_EQ(recordFault(s, i), "") << what;
        // What was read saves, reads back without a report, and the saved file is a
        // fixed point.
        const QString p1 = dir.filePath(QStringLiteral("s1.dfd"));
        const QString p2 = dir.filePath(QStringLiteral("s2.dfd"));
        ASSERT_TRUE(SaveItemsFile(s, p1, 1252).ok) << what;
        ItemStore again;
        again.RecreateArrays(0);
        const LoadResult back = LoadItemsFile(again, p1, 1252);
        ASSERT_TRUE(back.ok) << what << ": " << back.reason.toStdString();
        EXPECT_TRUE(back.report.empty()) << what << " line " << back.report.entries[0].firstLine;
        ASSERT_TRUE(SaveItemsFile(again, p2, 1252).ok) << what;
        EXPECT_EQ(readBytes(p1), readBytes(p2)) << what;
        ++successes;
    }

    QTemporaryDir dir;
    ItemStore baseline;
    int failures = 0;
    int successes = 0;
    int salvaged = 0;  // loads that took records and skipped something
};

} // namespace

TEST_F(ItemFileFuzz, MutatedFilesSalvageWhatIsSound)
{
    const QByteArray sources[] = {readBytes(fixture("mixed.dfd")), readBytes(fixture("full-alog.dfd")),
                                  readBytes(fixture("bare-panel.dfd"))};
    for (unsigned seed = 1; seed <= 600; ++seed) {
        std::mt19937 rng(seed);
        const QByteArray& src = sources[seed % std::size(sources)];
        checkOne(mutate(src, rng), "seed " + std::to_string(seed));
        if (HasFatalFailure())
            return;
    }
    // Clean reads, salvaged reads and refusals must all have been exercised for the
    // run to mean anything.
    EXPECT_GT(failures, 5);
    EXPECT_GT(salvaged, 100);
    EXPECT_GT(successes - salvaged, 20);
}

TEST_F(ItemFileFuzz, BinaryAndDegenerateFiles)
{
    std::mt19937 rng(20240314);
    for (int k = 0; k < 60; ++k) {
        QByteArray junk(static_cast<qsizetype>(rng() % 5000), Qt::Uninitialized);
        for (char& c : junk)
            c = static_cast<char>(rng());
        checkOne(junk, "binary " + std::to_string(k));
        checkOne("AS,1\r\n" + junk, "binary after a header " + std::to_string(k));
    }
    checkOne(QByteArray(), "empty file");
    checkOne(QByteArray(100000, '\n'), "only line ends");
    checkOne(QByteArray(100000, ','), "one line of commas");
    checkOne("AS,1\r\nWS" + QByteArray(2000000, ',') + "\r\n", "huge list line");
    QByteArray many = "AS,1\r\nWS";
    for (int i = 0; i < 100000; ++i)
        many += ",7";
    checkOne(many, "long list with extra values");

    checkOne("AS,1\r\nNN," + QByteArray(20 * 1024 * 1024, 'x') + "\r\nAS,2\r\nGN,1\r\n", "one 20 MB line");
    QByteArray tenMillion = "AS,1\r\nDC";
    tenMillion.reserve(20 * 1000 * 1000 + 16);
    for (int i = 0; i < 10 * 1000 * 1000; ++i)
        tenMillion += ",7";
    checkOne(tenMillion + "\r\nGN,1\r\n", "a list line of ten million fields");
    QByteArray headers;
    for (int i = 0; i < 20000; ++i)
        headers += (i % 3 ? "AS," : "PS,") + QByteArray::number(i % 130 - 5) + "\r\nGN," + QByteArray::number(i) + "\r\n";
    checkOne(headers, "thousands of headers, most of them repeats or out of range");
}

TEST_F(ItemFileFuzz, RandomLinesIntoTheReader)
{
    std::vector<DFDRecord> records(8);
    ItemFileReader reader(records, 3, 4, 1252);
    std::mt19937 rng(7);
    const char* const keys[] = {"AS", "PS", "MD", "MF", "DP", "RP", "YF", "YP", "DC", "AC", "WS",
                                "YC", "ME", "NN", "SGE", "DM", "YM", "XX", ""};
    for (int k = 0; k < 20000; ++k) {
        QByteArray line = keys[rng() % std::size(keys)];
        const int fields = static_cast<int>(rng() % 12);
        for (int f = 0; f < fields; ++f) {
            line += ',';
            const int len = static_cast<int>(rng() % 6);
            for (int c = 0; c < len; ++c)
                line += static_cast<char>(rng() % 3 ? '0' + rng() % 10 : rng() % 256);
        }
        reader.ParseItemLine(line, k + 1);
        ASSERT_NE(reader.currentIndex(), 0);
        ASSERT_GE(reader.currentIndex(), -1);
        ASSERT_LT(reader.currentIndex(), 8);
    }
    const LoadReport report = reader.finish();
    EXPECT_GT(report.recordsRead, 0);
    EXPECT_GT(report.count(), 0);
    EXPECT_EQ(records[0], DFDRecord{});
}

TEST_F(ItemFileFuzz, OversizedFileIsRefusedBeforeReading)
{
    const QString p = dir.filePath(QStringLiteral("big.dfd"));
    {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(qint64(600) * 1024 * 1024));  // sparse: costs no disk
    }
    ItemStore s = baseline;
    const LoadResult res = LoadItemsFile(s, p, 1252);
    EXPECT_FALSE(res.ok);
    EXPECT_TRUE(res.reason.contains("too large"));
    EXPECT_EQ(s.ALogs, baseline.ALogs);
}
