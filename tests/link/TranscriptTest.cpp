// The commands of fault-free one-slot transfers, in order, against the transcripts kept in
// tests/fixtures/link/transcripts (recorded before refusals were handled). The one change
// since is the empty point list ("WRP" / "WYP" alone) where a record without points is
// written, so the instrument keeps no live points of another item; the test takes those
// lines out, checks where they stood, and compares the rest line for line.
//
// TOVU_WRITE_TRANSCRIPTS=folder writes the transcripts instead of comparing.
#include "TransferFixture.h"

#include "app/link/DownloadEngine.h"
#include "app/link/UploadEngine.h"

#include <QDir>
#include <QFile>

using namespace tovu;
using namespace tovu::link;
using namespace tovu::link::test;

namespace {

struct Transfer {
    const char* name;
    int model;
    bool alog;
    bool upload;
    bool withPoints;  // the item carries DAC and TCG points
};

constexpr Transfer kTransfers[] = {
    {"panel-download-15", 15, false, false, true},     {"alog-download-15", 15, true, false, true},
    {"panel-upload-15", 15, false, true, true},        {"alog-upload-15", 15, true, true, true},
    {"panel-upload-15-no-points", 15, false, true, false}, {"alog-upload-21-no-points", 21, true, true, false},
    {"panel-download-21", 21, false, false, true},     {"alog-upload-21", 21, true, true, true},
};

struct Rig : TransferFixture {
    explicit Rig(int model) : TransferFixture(model) {}
    void TestBody() override {}
};

QStringList transcriptOf(const Transfer& t)
{
    Rig rig(t.model);
    auto& memory = t.alog ? rig.instrument.state.alogs : rig.instrument.state.panels;
    sim::StoredItem& item = memory.at(1);
    item.settings.dacPoints = {{"20", "80"}, {"60", "45"}};
    item.settings.values["DM"] = "1";
    if (item.settings.values.count("YM"))
        item.settings.tcgPoints = {{"30", "10"}, {"90", "25"}};
    rig.instrument.state.live.dacPoints = {{"10", "70"}};
    rig.connect();
    const auto download = [&] { return t.alog ? DownloadALogs(rig.env, 1, 1) : DownloadPanels(rig.env, 1, 1); };
    if (!t.upload) {
        EXPECT_TRUE(download().completed);
        return rig.sent();
    }
    // The item to upload comes from a download; the upload then starts from the live
    // set-up the instrument had at first, whatever the download's restore left.
    const sim::Settings live = rig.instrument.state.live;
    EXPECT_TRUE(download().completed);
    rig.instrument.state.live = live;
    int target = 2;
    while (memory.count(target))
        ++target;
    items::DFDRecord rec = (t.alog ? rig.store.ALogs : rig.store.Panels)[1];
    if (!t.withPoints) {
        rec.DacPresent = rec.TcgPresent = false;
        rec.editSettings().DacPointCount = rec.editSettings().TcgPointCount = QStringLiteral(" 0");
    }
    rig.store.WorkItems[static_cast<std::size_t>(target)] = rec;
    rig.port.clearTranscript();
    const TransferReport r = t.alog ? UploadALogs(rig.env, target, target, 0) : UploadPanels(rig.env, target, target, 0);
    EXPECT_TRUE(r.completed) << r.errorText.toStdString();
    return rig.sent();
}

QString fixture(const Transfer& t)
{
    return QStringLiteral(TOVU_FIXTURES_DIR "/link/transcripts/%1.txt").arg(QLatin1String(t.name));
}

} // namespace

TEST(Transcripts, FaultFreeTransfersSendWhatTheyAlwaysSentBesideTheEmptyPointLists)
{
    const QByteArray writeTo = qgetenv("TOVU_WRITE_TRANSCRIPTS");
    for (const Transfer& t : kTransfers) {
        SCOPED_TRACE(t.name);
        const QStringList got = transcriptOf(t);
        if (!writeTo.isEmpty()) {
            QFile f(QDir(QString::fromLocal8Bit(writeTo)).filePath(QLatin1String(t.name) + QStringLiteral(".txt")));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(got.join(u'\n').toLatin1() + '\n');
            continue;
        }
        QFile f(fixture(t));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << fixture(t).toStdString();
        QStringList want = QString::fromLatin1(f.readAll()).split(u'\n');
        want.removeAll(QString());
        // The empty lists stand where the DAC and TCG groups of a record without points are
        // written: after "WZT" (the angle-probe group before the DAC group) or right after
        // the other empty list.
        QStringList rest;
        int empties = 0;
        for (qsizetype i = 0; i < got.size(); ++i) {
            if (got[i] == QLatin1String("WRP") || got[i] == QLatin1String("WYP")) {
                ++empties;
                EXPECT_TRUE(i > 0 && (got[i - 1].startsWith(QLatin1String("WZT")) || got[i - 1] == QLatin1String("WRP")
                                      || got[i - 1].startsWith(QLatin1String("WTR")) || got[i - 1].startsWith(QLatin1String("WYH"))))
                    << "line " << i << " after " << got[i - 1].toStdString();
                continue;
            }
            rest << got[i];
        }
        EXPECT_EQ(rest, want);
        // Live settings without points are restored with the empty lists, and so is an item
        // without points stored with them; an item with points needs none for itself.
        EXPECT_GE(empties, 1) << "the live set-up without points is restored exactly";
        if (!t.withPoints) {
            EXPECT_GE(empties, 2);
        }
    }
}
