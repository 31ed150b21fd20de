// The commands of fault-free one-slot transfers, in order, against the transcripts kept in
// tests/fixtures/link/transcripts (recorded before refusals were handled). The one change
// since is the empty point list ("WRP" / "WYP" alone), sent where a record without points
// is written while the instrument may hold points (its live set-up had some, or the item
// recalled or written before): the test takes those lines out, checks where they stood and
// which were sent, and compares the rest line for line. This instrument refuses the bare
// list, as the protocol's list form implies: each is sent once more, then not again.
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
    const char* clears;  // the empty lists sent, in order
};

// The live set-up has DAC points and no TCG points. Its restore clears the TCG points the
// slot (download) or the item (upload) brought; an item without points clears the live DAC
// points before it is stored.
constexpr Transfer kTransfers[] = {
    {"panel-download-15", 15, false, false, true, "WYP WYP"},
    {"alog-download-15", 15, true, false, true, "WYP WYP"},
    {"panel-upload-15", 15, false, true, true, "WYP WYP"},
    {"alog-upload-15", 15, true, true, true, "WYP WYP"},
    {"panel-upload-15-no-points", 15, false, true, false, "WRP WRP"},
    {"alog-upload-21-no-points", 21, true, true, false, "WRP WRP"},
    {"panel-download-21", 21, false, false, true, "WYP WYP"},
    {"alog-upload-21", 21, true, true, true, "WYP WYP"},
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
        QStringList rest, empties;
        for (qsizetype i = 0; i < got.size(); ++i) {
            if (got[i] == QLatin1String("WRP") || got[i] == QLatin1String("WYP")) {
                empties << got[i];
                EXPECT_TRUE(i > 0 && (got[i - 1].startsWith(QLatin1String("WZT")) || got[i - 1] == QLatin1String("WRP")
                                      || got[i - 1] == QLatin1String("WYP") || got[i - 1].startsWith(QLatin1String("WTR"))
                                      || got[i - 1].startsWith(QLatin1String("WYH"))))
                    << "line " << i << " after " << got[i - 1].toStdString();
                continue;
            }
            rest << got[i];
        }
        EXPECT_EQ(rest, want);
        EXPECT_EQ(empties.join(u' '), QLatin1String(t.clears));
    }
}
