#include "app/items/AlogExport.h"

#include "items/ItemsTestSupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tovu::items;
using namespace tovu::items::test;

namespace {

// Labels named after their ids, so a test sees which block was asked.
class IdStrings : public StringSource {
public:
    QString GetResString(int id) const override
    {
        if (id % 500 == 1)
            return QStringLiteral("Range");
        if (id % 500 == 2)
            return QStringLiteral("Delay");
        return QString::number(id);
    }
};

class NumberedStrings : public StringSource {
public:
    QString GetResString(int id) const override { return QStringLiteral("id%1").arg(id); }
};

class AlogExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        DFDRecord& r = store.WorkItems[42];
        r.InUse = true;
        r.WaveformPresent = true;
        r.ModelIndex = 12;
        RecordSettings& s = r.editSettings();
        s.Range = " 250.0 ";
        s.Delay = "1.5";
        s.Velocity = " 3240";
        s.Gain = "48.5 ";
        RecordCurves& c = r.editCurves();
        for (int i = 0; i < 256; ++i) {
            c.WaveMin[i] = static_cast<std::int16_t>(-i);
            c.WaveMax[i] = static_cast<std::int16_t>(1000 + i);
        }
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    ItemStore store;
    IdStrings strings;
};

} // namespace

TEST_F(AlogExport, CsvLayout)
{
    const QString p = path("a.csv");
    const ExportResult res = ExportAlogCsv(store, 42, p, strings, 1252);
    ASSERT_EQ(res.status, ExportStatus::Written) << res.reason.toStdString();
    const QByteArray bytes = readBytes(p);
    EXPECT_TRUE(bytes.startsWith("Range,250.0\r\nDelay,1.5\r\n\r\nAScan,Min,Max\r\n0,0,1000\r\n1,-1,1001\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n254,-254,1254\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 259);
    EXPECT_EQ(bytes.count('\n'), 259);
}

TEST_F(AlogExport, CsvLabelsComeFromTheModelsBlock)
{
    const NumberedStrings numbered;
    const struct { std::int16_t model; const char* first; const char* second; } cases[] = {
        {7, "id3001,", "id3002,"}, {12, "id1001,", "id1002,"}, {0, "id1501,", "id1502,"},
        {5, "id2001,", "id2002,"}, {6, "id2501,", "id2502,"}};
    for (const auto& c : cases) {
        store.WorkItems[42].ModelIndex = c.model;
        const QList<QByteArray> lines =
            alogCsvBytes(store.WorkItems[42], numbered, 1252).split('\n');
        EXPECT_TRUE(lines[0].startsWith(c.first)) << c.model;
        EXPECT_TRUE(lines[1].startsWith(c.second)) << c.model;
    }
}

TEST_F(AlogExport, CsvReadsBackThroughPythonsCsvModule)
{
    const QString p = path("py.csv");
    ASSERT_EQ(ExportAlogCsv(store, 42, p, strings, 1252).status, ExportStatus::Written);
    QProcess py;
    py.start(QStringLiteral("python3"),
             {QStringLiteral("-c"),
              QStringLiteral("import csv,sys\n"
                             "rows=list(csv.reader(open(sys.argv[1],newline='',encoding='cp1252')))\n"
                             "assert len(rows)==259, len(rows)\n"
                             "assert rows[0]==['Range','250.0'] and rows[1]==['Delay','1.5'], rows[:2]\n"
                             "assert rows[2]==[] and rows[3]==['AScan','Min','Max']\n"
                             "for i,r in enumerate(rows[4:]):\n"
                             "    assert [int(x) for x in r]==[i,-i,1000+i], r\n"
                             "print('ok', len(rows))\n"),
              p});
    ASSERT_TRUE(py.waitForFinished(30000));
    EXPECT_EQ(py.exitCode(), 0) << py.readAllStandardError().toStdString();
    EXPECT_EQ(py.readAllStandardOutput().trimmed(), "ok 259");
}

TEST_F(AlogExport, MatlabLayout)
{
    const QString p = path("a.mtl");
    const ExportResult res = ExportAlogMatlab(store, 42, p, 1252);
    ASSERT_EQ(res.status, ExportStatus::Written) << res.reason.toStdString();
    const QByteArray bytes = readBytes(p);
    EXPECT_TRUE(bytes.startsWith("KELMARAN WAVEFORM FILE: ALOG 42\r\nRANGE = 250.0\r\n"
                                 "VELOCITY = 3240\r\nGAIN = 48.5\r\nWAVEFORM AMPLITUDES\r\n"
                                 "1000\r\n1001\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n1253\r\n1254\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 260);
}

TEST_F(AlogExport, WithoutATraceNothingIsWrittenAndNoFileIsTouched)
{
    store.WorkItems[42].WaveformPresent = false;
    const QString csv = path("none.csv");
    const QString mtl = path("none.mtl");
    EXPECT_EQ(ExportAlogCsv(store, 42, csv, strings, 1252).status, ExportStatus::NothingToWrite);
    EXPECT_EQ(ExportAlogMatlab(store, 42, mtl, 1252).status, ExportStatus::NothingToWrite);
    EXPECT_FALSE(QFileInfo::exists(csv));
    EXPECT_FALSE(QFileInfo::exists(mtl));
    // A file of that name that exists already keeps what it holds.
    for (const QString& p : {csv, mtl})
        ASSERT_TRUE(writeBytes(p, "earlier export\r\n"));
    EXPECT_EQ(ExportAlogCsv(store, 42, csv, strings, 1252).status, ExportStatus::NothingToWrite);
    EXPECT_EQ(ExportAlogMatlab(store, 42, mtl, 1252).status, ExportStatus::NothingToWrite);
    for (const QString& p : {csv, mtl})
        EXPECT_EQ(readBytes(p), "earlier export\r\n") << p.toStdString();
}

TEST_F(AlogExport, FailuresAreReported)
{
    EXPECT_EQ(ExportAlogCsv(store, 99999, path("x.csv"), strings, 1252).status, ExportStatus::Failed);
    EXPECT_EQ(ExportAlogMatlab(store, -1, path("x.mtl"), 1252).status, ExportStatus::Failed);
    const ExportResult res = ExportAlogMatlab(store, 42, path("no/dir/x.mtl"), 1252);
    EXPECT_EQ(res.status, ExportStatus::Failed);
    EXPECT_FALSE(res.reason.isEmpty());
}
