#include "app/link/ParameterGroups.h"

#include "platform/text/NumberText.h"
#include "app/items/RecordFields.h"
#include "app/link/CommandPrimitive.h"
#include "app/link/Commands.h"
#include "app/link/CurvesAndWaveforms.h"
#include "app/link/LinkError.h"
#include "app/link/Refusals.h"

#include <array>
#include <charconv>
#include <span>
#include <stdexcept>
#include <string_view>

namespace tovu::link {

namespace {

using items::DFDRecord;
using Codes = std::span<const std::string_view>;

// One command of a writer: the command and either the parameter code whose field it
// carries or a literal argument.
struct Wire {
    std::string_view command;
    std::string_view code;
    std::string_view literal = {};
};
using Wires = std::span<const Wire>;

QString qs(std::string_view s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

const items::RecordField& fieldOf(std::string_view code)
{
    const items::RecordField* f = items::fieldByInstrumentCode(code);
    if (!f || !f->isText())
        throw std::logic_error("no record field for parameter code " + std::string(code));
    return *f;
}

QString& text(DFDRecord& r, std::string_view code) { return fieldOf(code).text(r.editSettings()); }
const QString& text(const DFDRecord& r, std::string_view code) { return fieldOf(code).text(r.settings()); }

void readCodes(LinkContext& ctx, DFDRecord& r, Codes codes)
{
    for (const std::string_view code : codes)
        text(r, code) = readSetting(ctx, QLatin1Char('R') + qs(code));
}

void sendWires(LinkContext& ctx, const DFDRecord& r, Wires wires)
{
    for (const Wire& w : wires)
        writeSetting(ctx, qs(w.command), w.code.empty() ? qs(w.literal) : text(r, w.code));
}

// A copy, so a writer can never change the record it sends.
DFDRecord copyOf(LinkContext& ctx, int index) { return ctx.store.workItem(index); }

constexpr std::string_view kReadCT[] = {"CT", "DT", "FS", "FR", "RJ"};
constexpr Wire kWriteCT[] = {{"WFR", "FR"}, {"WDT", "DT"}, {"WRJ", "RJ"}, {"WCT", "CT"}};
constexpr std::string_view kReadPZ[] = {"PZ", "VL", "RG", "TD", "GR", "GN", "UZ", "UU", "YG", "YH"};
constexpr Wire kWritePZ[] = {{"WRG", "RG"}, {"WTD", "TD"}, {"WPZ", "PZ"}, {"WVL", "VL"},
                             {"WGR", "GR"}, {"WGN", "GN"}, {"WUU", "UU"}, {"WUZ", "UZ"}};
constexpr std::string_view kReadPD[] = {"PD", "SD", "PF", "TW", "PV", "PE"};
constexpr Wire kWritePD[] = {{"WPD", "PD"}, {"WSD", "SD"}, {"WPF", "PF"}, {"WTW", "TW"}, {"WPV", "PV"}, {"WPE", "PE"}};
constexpr std::string_view kReadAG[] = {"AG", "BK", "HD", "HS", "MM", "TH", "TM", "MT", "XO"};
constexpr Wire kWriteAG[] = {{"WAG", "AG"}, {"WBK", "BK"}, {"WHD", "HD"}, {"WHS", "HS"}, {"WMM", "MM"},
                             {"WTH", "TH"}, {"WTM", "TM"}, {"WMT", "MT"}, {"WXO", "XO"}};
constexpr std::string_view kReadPM[] = {"PM"};
constexpr Wire kWritePM[] = {{"WPM", "PM"}};
constexpr std::string_view kReadZO[] = {"ZO", "ZT"};
constexpr Wire kWriteZO[] = {{"WZO", "ZO"}, {"WZT", "ZT"}};
constexpr std::string_view kReadYT[] = {"YT", "YA", "YB"};
// YT goes back with "WRT"; YA and YB are sent as arguments of their read commands.
constexpr Wire kWriteYT[] = {{"WRT", "YT"}, {"RYA", "YA"}, {"RYB", "YB"}};
constexpr std::string_view kReadAV[] = {"AY", "AX", "AZ", "AV", "AW"};
constexpr Wire kWriteAV[] = {{"WAV", "AV"}, {"WAW", "AW"}};
constexpr std::string_view kReadE[] = {"EN", "EL", "EB", "EK", "EC", "ED", "EP", "EQ", "ER", "ES", "EF", "EJ", "EH"};
constexpr Wire kWriteE[] = {{"WEK", "EK"}, {"WEL", "EL"}, {"WEB", "EB"}, {"WEC", "EC"}, {"WED", "ED"},
                            {"WEP", "EP"}, {"WEF", "EF"}, {"WEJ", "EJ"}, {"WEH", "EH"}, {"WEQ", "EQ"},
                            {"WER", "ER"}, {"WES", "ES"}, {"WEN", "EN"}};
constexpr Wire kAvgOnTail[] = {{"WYG", "YG"}, {"WYH", "YH"}};
constexpr std::string_view kReadSF[] = {"SF", "SE"};
constexpr Wire kWriteSF[] = {{"WSF", "SF"}, {"WSE", "SE"}};
constexpr std::string_view kReadUN[] = {"AA", "CL", "VS", "UN"};
// DAC, TCG and AVG off and gates A and B off before anything else of the record goes out.
constexpr Wire kWriteUN[] = {{"WDM", "", "0"}, {"WYM", "", "0"}, {"WEN", "", "0"}, {"WGA", "", "0"},
                             {"WGB", "", "0"}, {"ARD", "UN"},   {"WAA", "AA"},     {"WCL", "CL"},
                             {"WVS", "VS"},     {"WUN", "UN"}};
constexpr std::string_view kReadVA[] = {"VA", "VB", "VC", "VD", "GT"};
constexpr Wire kWriteVA[] = {{"WVB", "VB"}, {"WVC", "VC"}, {"WVD", "VD"}, {"WGT", "GT"}};
constexpr std::string_view kReadPO[] = {"PO", "OA", "OB", "OT"};
constexpr Wire kWritePO[] = {{"WPO", "PO"}, {"WOA", "OA"}, {"WOB", "OB"}, {"WOT", "OT"}};
constexpr std::string_view kReadDacHead[] = {"CV", "DM", "TR"};
constexpr std::string_view kReadDacMiddle[] = {"DH", "HM"};
constexpr std::string_view kReadDacTail[] = {"DR", "DD", "DB"};
constexpr Wire kWriteDac[] = {{"WGN", "GR"}, {"WCV", "CV"}, {"WDB", "DB"}, {"WDM", "DM"},
                              {"WDH", "DH"}, {"WHM", "HM"}, {"WTR", "TR"}};
constexpr std::string_view kReadTcgHead[] = {"YS", "YM"};
constexpr std::string_view kReadTcgTail[] = {"YR", "YD"};
constexpr Wire kWriteTcg[] = {{"WYS", "YS"}, {"WYG", "YG"}, {"WYH", "YH"}, {"WYM", "YM"}};

struct Note {
    std::string_view code;
    int length;  // the instrument's field length
};
constexpr Note kNotes[] = {{"NL", 8}, {"NO", 25}, {"NC", 25}, {"NP", 25}, {"NN", 75}};

constexpr int kMeasurementPauseMs = 100;
constexpr int kTcgWriteFromModel = 11;
const QString kNoCurve = QStringLiteral("-999");

template <std::size_t N>
void readGroup(LinkContext& ctx, int index, const std::string_view (&codes)[N])
{
    readCodes(ctx, ctx.store.workItem(index), codes);
}

template <std::size_t N>
void writeGroup(LinkContext& ctx, int index, const Wire (&wires)[N])
{
    sendWires(ctx, copyOf(ctx, index), wires);
}

void checkGate(int gate)
{
    if (gate < 0 || gate >= items::kGateCount)
        throw std::out_of_range("gate " + std::to_string(gate) + " outside 0..3");
}

} // namespace

int noteFieldLength(const QString& code)
{
    for (const Note& n : kNotes)
        if (code == qs(n.code))
            return n.length;
    return 0;
}

QString gateLetter(int gate)
{
    return gate == 0 ? QStringLiteral("A") : gate == 1 ? QStringLiteral("B") : QStringLiteral("I");
}

QString rfGateLevel(const QString& level)
{
    const float v = static_cast<float>((platform::text::valueOfText(level) + 100.0) / 2.0);
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    const QString digits = QString::fromLatin1(buf, static_cast<qsizetype>(res.ptr - buf));
    return v >= 0 ? QLatin1Char(' ') + digits : digits;
}

void ReadParamsCT(LinkContext& ctx, int index) { readGroup(ctx, index, kReadCT); }
void WriteParamsCT(LinkContext& ctx, int index) { writeGroup(ctx, index, kWriteCT); }
void ReadParamsPZ(LinkContext& ctx, int index) { readGroup(ctx, index, kReadPZ); }
void WriteParamsPZ(LinkContext& ctx, int index) { writeGroup(ctx, index, kWritePZ); }
void writeCalibration(LinkContext& ctx, const DFDRecord& rec) { sendWires(ctx, rec, kWritePZ); }
void ReadParamsPD(LinkContext& ctx, int index) { readGroup(ctx, index, kReadPD); }
void WriteParamsPD(LinkContext& ctx, int index) { writeGroup(ctx, index, kWritePD); }
void ReadParamPM(LinkContext& ctx, int index) { readGroup(ctx, index, kReadPM); }
void WriteParamPM(LinkContext& ctx, int index) { writeGroup(ctx, index, kWritePM); }
void ReadParamsZO(LinkContext& ctx, int index) { readGroup(ctx, index, kReadZO); }
void WriteParamsZO(LinkContext& ctx, int index) { writeGroup(ctx, index, kWriteZO); }
void ReadParamsYT(LinkContext& ctx, int index) { readGroup(ctx, index, kReadYT); }
void WriteParamsYT(LinkContext& ctx, int index) { writeGroup(ctx, index, kWriteYT); }
void ReadParamsAV(LinkContext& ctx, int index) { readGroup(ctx, index, kReadAV); }
void WriteParamsAV(LinkContext& ctx, int index) { writeGroup(ctx, index, kWriteAV); }
void ReadParamsE(LinkContext& ctx, int index) { readGroup(ctx, index, kReadE); }
void ReadParamsSF(LinkContext& ctx, int index) { readGroup(ctx, index, kReadSF); }
void WriteParamsSF(LinkContext& ctx, int index) { writeGroup(ctx, index, kWriteSF); }
void ReadParamsUN(LinkContext& ctx, int index) { readGroup(ctx, index, kReadUN); }
void WriteParamsUN(LinkContext& ctx, int index) { writeGroup(ctx, index, kWriteUN); }
void ReadParamsVA(LinkContext& ctx, int index) { readGroup(ctx, index, kReadVA); }
void WriteParamsVA(LinkContext& ctx, int index) { writeGroup(ctx, index, kWriteVA); }
void ReadParamsPO(LinkContext& ctx, int index) { readGroup(ctx, index, kReadPO); }
void WriteParamsPO(LinkContext& ctx, int index) { writeGroup(ctx, index, kWritePO); }

void ReadParamsAG(LinkContext& ctx, int index)
{
    ctx.store.workItem(index);
    ctx.clock.sleepMs(kMeasurementPauseMs);
    readGroup(ctx, index, kReadAG);
}

void WriteParamsAG(LinkContext& ctx, int index) { writeGroup(ctx, index, kWriteAG); }

void WriteParamsE(LinkContext& ctx, int index)
{
    const DFDRecord r = copyOf(ctx, index);
    sendWires(ctx, r, kWriteE);
    // AVG on (the text "5") needs the reference gain and height it was set up with.
    if (r.settings().AvgMode == QLatin1String("5"))
        sendWires(ctx, r, kAvgOnTail);
}

void readGateInto(LinkContext& ctx, DFDRecord& rec, int gate)
{
    checkGate(gate);
    const QString x = gateLetter(gate);
    items::Gate& g = rec.editSettings().Gates[static_cast<std::size_t>(gate)];
    g.Level = readSetting(ctx, QStringLiteral("RL") + x);
    g.Start = readSetting(ctx, QStringLiteral("RS") + x);
    g.State = readSetting(ctx, QStringLiteral("RG") + x);
    g.Width = readSetting(ctx, QStringLiteral("RW") + x);
}

void ReadGate(LinkContext& ctx, int index, int gate)
{
    checkGate(gate);
    readGateInto(ctx, ctx.store.workItem(index), gate);
}

void WriteGate(LinkContext& ctx, int index, int gate)
{
    checkGate(gate);
    const DFDRecord r = copyOf(ctx, index);
    const items::Gate& g = r.settings().Gates[static_cast<std::size_t>(gate)];
    bool ok = false;
    const double detect = r.settings().Detect.trimmed().toDouble(&ok);
    if (!ok)
        throw RecordValueError(QStringLiteral("Detection mode \"%1\" is not a number; gate %2 not written")
                                   .arg(r.settings().Detect, gateLetter(gate)));
    const QString x = gateLetter(gate);
    // In RF detection the instrument's level scale starts at the centre line. A level the
    // instrument did not give is not sent, rescaled or not.
    const bool rescale = detect == 3 && !unsendableArgument(g.Level) && g.Level != kNotAvailable;
    writeSetting(ctx, QStringLiteral("WL") + x, rescale ? rfGateLevel(g.Level) : g.Level);
    writeSetting(ctx, QStringLiteral("WS") + x, g.Start);
    writeSetting(ctx, QStringLiteral("WW") + x, g.Width);
    writeSetting(ctx, QStringLiteral("WG") + x, g.State);
}

namespace {

// The DAC and TCG readers: settings, the point list, more settings, and the curve's own
// settings only when points came; without points those read as "no curve".
struct PointGroupRead {
    Codes head;
    CurveKind kind;
    Codes middle;
    Codes tail;
    bool DFDRecord::*present;
    std::string_view noCurve[2];
};

void readPointGroup(LinkContext& ctx, int index, const PointGroupRead& g)
{
    DFDRecord& r = ctx.store.workItem(index);
    readCodes(ctx, r, g.head);
    ReadCurvePoints(ctx, index, g.kind);
    readCodes(ctx, r, g.middle);
    if (!(r.*g.present)) {
        for (const std::string_view code : g.noCurve)
            text(r, code) = kNoCurve;
        return;
    }
    readCodes(ctx, r, g.tail);
}

} // namespace

void ReadDACSettings(LinkContext& ctx, int index)
{
    readPointGroup(ctx, index, {kReadDacHead, CurveKind::DAC, kReadDacMiddle, kReadDacTail, &DFDRecord::DacPresent, {"DR", "DD"}});
}

void WriteDACSettings(LinkContext& ctx, int index)
{
    if (!ctx.store.workItem(index).DacPresent) {
        clearCurvePoints(ctx, CurveKind::DAC);
        return;
    }
    const double version = GetDataVersion(ctx, index);
    DFDRecord wire = copyOf(ctx, index);
    if (version != ctx.store.FirmwareVersion) {
        ConvertDACForFirmware(ctx, wire);
        if (!wire.DacPresent)
            return;  // the points would not survive the conversion: send none
    }
    writeCurvePoints(ctx, wire, CurveKind::DAC);
    sendWires(ctx, wire, kWriteDac);
    const QString& yg = wire.settings().YG;
    writeSetting(ctx, command::kWriteYG, yg.isEmpty() ? QStringLiteral("0") : yg);
    writeSetting(ctx, command::kWriteYH, wire.settings().YH);
}

void ReadTCGSettings(LinkContext& ctx, int index)
{
    readPointGroup(ctx, index, {kReadTcgHead, CurveKind::TCG, {}, kReadTcgTail, &DFDRecord::TcgPresent, {"YR", "YD"}});
}

void WriteTCGSettings(LinkContext& ctx, int index)
{
    const DFDRecord r = copyOf(ctx, index);
    if (r.ModelIndex < kTcgWriteFromModel)
        return;
    if (!r.TcgPresent) {
        clearCurvePoints(ctx, CurveKind::TCG);
        return;
    }
    writeCurvePoints(ctx, r, CurveKind::TCG);
    sendWires(ctx, r, kWriteTcg);
}

void ReadNotes(LinkContext& ctx, int index)
{
    DFDRecord& r = ctx.store.workItem(index);
    // A note is the user's text: commas in it are part of it.
    for (const Note& n : kNotes)
        text(r, n.code) = readSetting(ctx, QLatin1Char('R') + qs(n.code), true);
}

void WriteNotes(LinkContext& ctx, int index)
{
    const DFDRecord r = copyOf(ctx, index);
    // Clear every note on the instrument first, then send each; an empty note goes out
    // as blanks of its field length.
    for (const Note& n : kNotes)
        writeSetting(ctx, QLatin1Char('W') + qs(n.code), QString(n.length, QLatin1Char(' ')));
    for (const Note& n : kNotes) {
        const QString& t = text(r, n.code);
        writeSetting(ctx, QLatin1Char('W') + qs(n.code), t.isEmpty() ? QString(n.length, QLatin1Char(' ')) : t);
    }
}

QStringList groupParameterCodes()
{
    QStringList out;
    const auto add = [&](Codes codes) {
        for (const auto c : codes)
            out << qs(c);
    };
    const auto addWires = [&](Wires wires) {
        for (const auto& w : wires)
            if (!w.code.empty())
                out << qs(w.code);
    };
    for (Codes c : {Codes(kReadCT), Codes(kReadPZ), Codes(kReadPD), Codes(kReadAG), Codes(kReadPM), Codes(kReadZO),
                    Codes(kReadYT), Codes(kReadAV), Codes(kReadE), Codes(kReadSF), Codes(kReadUN), Codes(kReadVA),
                    Codes(kReadPO), Codes(kReadDacHead), Codes(kReadDacMiddle), Codes(kReadDacTail),
                    Codes(kReadTcgHead), Codes(kReadTcgTail)})
        add(c);
    for (Wires w : {Wires(kWriteCT), Wires(kWritePZ), Wires(kWritePD), Wires(kWriteAG), Wires(kWritePM),
                    Wires(kWriteZO), Wires(kWriteYT), Wires(kWriteAV), Wires(kWriteE), Wires(kAvgOnTail),
                    Wires(kWriteSF), Wires(kWriteUN), Wires(kWriteVA), Wires(kWritePO), Wires(kWriteDac),
                    Wires(kWriteTcg)})
        addWires(w);
    for (const Note& n : kNotes)
        out << qs(n.code);
    return out;
}

} // namespace tovu::link
