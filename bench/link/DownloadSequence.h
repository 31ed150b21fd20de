#pragma once
// The commands a download must send, written from the protocol's description step by
// step, for an instrument whose state is known: its live set-up, and the stored item
// that every downloaded slot holds. Nothing here is taken from the link's code or from a
// transcript of it, so the benchmark catches a command too many, too few or out of place.
//
// An entry is the whole line sent ("WAS 1", "WNL" and eight blanks) where the protocol
// fixes the argument, or a command and "*" where the argument is a setting's value.

#include "instrument-sim/InstrumentState.h"

#include <QString>
#include <QStringList>

namespace tovu::bench {

struct DownloadCase {
    bool panels = false;
    int slotCount = 1;         // slots 1..slotCount, each holding `item`
    int model = 21;            // a banked instrument (lists "APL"/"AWL")
    sim::Settings live;        // the instrument's set-up when the download starts
    sim::Settings item;        // the stored item's set-up
};

namespace detail {

inline bool lacks(const sim::Settings& s, const char* code) { return !s.values.count(code); }

// A setting written with its value; a setting the instrument lacks reads "N/A" and is
// never written.
inline void write(QStringList& out, const sim::Settings& s, const char* command, const char* code)
{
    if (!lacks(s, code))
        out << QLatin1String(command) + u'*';
}

inline void reads(QStringList& out, std::initializer_list<const char*> commands)
{
    for (const char* c : commands)
        out << QLatin1String(c);
}

inline QString gateLetter(int g) { return g == 0 ? QStringLiteral("A") : g == 1 ? QStringLiteral("B") : QStringLiteral("I"); }

// Model identification once the generation is known: "AMD", then "AMF" for the firmware.
inline void identification(QStringList& out) { out << QStringLiteral("AMD") << QStringLiteral("AMF"); }

inline void readGate(QStringList& out, int g)
{
    for (const char* c : {"RL", "RS", "RG", "RW"})
        out << QLatin1String(c) + gateLetter(g);
}

// The whole-record read: identification, then DAC, TCG, YT, AVG, AGC, AWS, calibration,
// amplifier, transmitter, the three gates, measurement, PM, ZO, utility, video, outputs, notes.
inline void readRecord(QStringList& out, const sim::Settings& s)
{
    identification(out);
    reads(out, {"RCV", "RDM", "RTR", "RRP", "RDH", "RHM"});
    if (!s.dacPoints.empty())
        reads(out, {"RDR", "RDD", "RDB"});
    reads(out, {"RYS", "RYM", "RYP"});
    if (!s.tcgPoints.empty())
        reads(out, {"RYR", "RYD"});
    reads(out, {"RYT", "RYA", "RYB"});
    reads(out, {"REN", "REL", "REB", "REK", "REC", "RED", "REP", "REQ", "RER", "RES", "REF", "REJ", "REH"});
    reads(out, {"RSF", "RSE"});
    reads(out, {"RAY", "RAX", "RAZ", "RAV", "RAW"});
    reads(out, {"RPZ", "RVL", "RRG", "RTD", "RGR", "RGN", "RUZ", "RUU", "RYG", "RYH"});
    reads(out, {"RCT", "RDT", "RFS", "RFR", "RRJ"});
    reads(out, {"RPD", "RSD", "RPF", "RTW", "RPV", "RPE"});
    for (int g = 0; g < 3; ++g)
        readGate(out, g);
    reads(out, {"RAG", "RBK", "RHD", "RHS", "RMM", "RTH", "RTM", "RMT", "RXO"});
    reads(out, {"RPM", "RZO", "RZT"});
    reads(out, {"RAA", "RCL", "RVS", "RUN"});
    reads(out, {"RVA", "RVB", "RVC", "RVD", "RGT"});
    reads(out, {"RPO", "ROA", "ROB", "ROT"});
    reads(out, {"RNL", "RNO", "RNC", "RNP", "RNN"});
}

inline void writeGate(QStringList& out, const sim::Settings& s, int g)
{
    const QString x = gateLetter(g);
    for (const char* c : {"L", "S", "W", "G"}) {
        const QString code = QLatin1String(c) + x;
        if (!lacks(s, code.toLatin1().constData()))
            out << u'W' + code + u'*';
    }
}

// The point list of a record without points: sent empty only where the instrument may
// hold points (the set-up being written had none, but a slot recalled during the
// transfer had some), so no other item's points stay live.
inline void emptyPointList(QStringList& out, const char* command, bool instrumentMayHoldPoints)
{
    if (instrumentMayHoldPoints)
        out << QLatin1String(command);
}

// The whole-record write of the saved live set-up s; `slotPoints` tells whether the
// recalled slots had DAC / TCG points.
inline void writeRecord(QStringList& out, const sim::Settings& s, int model, bool slotDac, bool slotTcg)
{
    // Utility first: DAC, TCG and AVG modes and gates A and B off, the units, then the group.
    out << QStringLiteral("WDM0") << QStringLiteral("WYM0") << QStringLiteral("WEN0") << QStringLiteral("WGA0")
        << QStringLiteral("WGB0");
    write(out, s, "ARD", "UN");
    write(out, s, "WAA", "AA"), write(out, s, "WCL", "CL"), write(out, s, "WVS", "VS"), write(out, s, "WUN", "UN");
    // Calibration.
    for (const auto& [c, code] : {std::pair{"WRG", "RG"}, {"WTD", "TD"}, {"WPZ", "PZ"}, {"WVL", "VL"}, {"WGR", "GR"},
                                  {"WGN", "GN"}, {"WUU", "UU"}, {"WUZ", "UZ"}})
        write(out, s, c, code);
    // Amplifier.
    for (const auto& [c, code] : {std::pair{"WFR", "FR"}, {"WDT", "DT"}, {"WRJ", "RJ"}, {"WCT", "CT"}})
        write(out, s, c, code);
    // Transmitter, then the three gates a first time.
    for (const auto& [c, code] : {std::pair{"WPD", "PD"}, {"WSD", "SD"}, {"WPF", "PF"}, {"WTW", "TW"}, {"WPV", "PV"},
                                  {"WPE", "PE"}})
        write(out, s, c, code);
    for (int g = 0; g < 3; ++g)
        writeGate(out, s, g);
    // Measurement, PM, ZO.
    for (const auto& [c, code] : {std::pair{"WAG", "AG"}, {"WBK", "BK"}, {"WHD", "HD"}, {"WHS", "HS"}, {"WMM", "MM"},
                                  {"WTH", "TH"}, {"WTM", "TM"}, {"WMT", "MT"}, {"WXO", "XO"}, {"WPM", "PM"},
                                  {"WZO", "ZO"}, {"WZT", "ZT"}})
        write(out, s, c, code);
    // DAC: with points the list, its range and distance, the reference gain as the gain,
    // then the rest of the group and YG, YH.
    if (!s.dacPoints.empty()) {
        out << QStringLiteral("WRP,*");
        for (const auto& [c, code] : {std::pair{"WDR", "DR"}, {"WDD", "DD"}, {"WGN", "GR"}, {"WCV", "CV"}, {"WDB", "DB"},
                                      {"WDM", "DM"}, {"WDH", "DH"}, {"WHM", "HM"}, {"WTR", "TR"}, {"WYG", "YG"},
                                      {"WYH", "YH"}})
            write(out, s, c, code);
    } else {
        emptyPointList(out, "WRP", slotDac);
    }
    // TCG, on models from 11: with points the list, YR, YD, then YS, YG, YH and the mode.
    if (model >= 11 && !lacks(s, "YM")) {
        if (!s.tcgPoints.empty()) {
            out << QStringLiteral("WYP,*");
            for (const auto& [c, code] : {std::pair{"WYR", "YR"}, {"WYD", "YD"}, {"WYS", "YS"}, {"WYG", "YG"},
                                          {"WYH", "YH"}, {"WYM", "YM"}})
                write(out, s, c, code);
        } else {
            emptyPointList(out, "WYP", slotTcg);
        }
    }
    // YT goes back as WRT; YA and YB as arguments of their reads.
    write(out, s, "WRT", "YT"), write(out, s, "RYA", "YA"), write(out, s, "RYB", "YB");
    write(out, s, "WAV", "AV"), write(out, s, "WAW", "AW");
    // AVG, its mode last; YG and YH follow when the mode is exactly "5".
    for (const auto& [c, code] : {std::pair{"WEK", "EK"}, {"WEL", "EL"}, {"WEB", "EB"}, {"WEC", "EC"}, {"WED", "ED"},
                                  {"WEP", "EP"}, {"WEF", "EF"}, {"WEJ", "EJ"}, {"WEH", "EH"}, {"WEQ", "EQ"},
                                  {"WER", "ER"}, {"WES", "ES"}, {"WEN", "EN"}})
        write(out, s, c, code);
    if (s.value("EN") == "5")
        write(out, s, "WYG", "YG"), write(out, s, "WYH", "YH");
    write(out, s, "WSF", "SF"), write(out, s, "WSE", "SE");
    // The gates a second time, after DAC, TCG, AVG and AGC.
    for (int g = 0; g < 3; ++g)
        writeGate(out, s, g);
    for (const auto& [c, code] : {std::pair{"WVB", "VB"}, {"WVC", "VC"}, {"WVD", "VD"}, {"WGT", "GT"}, {"WPO", "PO"},
                                  {"WOA", "OA"}, {"WOB", "OB"}, {"WOT", "OT"}})
        write(out, s, c, code);
    // Notes: each cleared with blanks of its length, then each sent.
    const std::pair<const char*, int> notes[] = {{"WNL", 8}, {"WNO", 25}, {"WNC", 25}, {"WNP", 25}, {"WNN", 75}};
    for (const auto& [c, length] : notes)
        out << QLatin1String(c) + QString(length, u' ');
    for (const auto& [c, length] : notes)
        out << QLatin1String(c) + u'*';
}

} // namespace detail

inline QStringList expectedDownload(const DownloadCase& d)
{
    using namespace detail;
    const sim::Settings& item = d.item;
    QStringList out;
    // The link opens with the remote-mode handshake.
    out << QStringLiteral("ARM");
    // The live set-up is saved into record 0.
    readRecord(out, d.live);
    // The memory-state display fetches its list, then the download its own.
    const QString list = d.panels ? QStringLiteral("APL") : QStringLiteral("AWL");
    out << list << list;
    for (int s = 1; s <= d.slotCount; ++s) {
        const QString n = QStringLiteral(" %1").arg(s);  // a location with its sign position
        if (d.panels) {
            // Recall: select the location, read gate A, RECALL, complete, gate A again.
            out << QStringLiteral("WPS") + n;
            readGate(out, 0);
            out << QStringLiteral("WSM 1") << QStringLiteral("ADP");
            readGate(out, 0);
            readRecord(out, item);
            out << QStringLiteral("ACD") << QStringLiteral("ASH");
            if (!item.dacPoints.empty())
                out << QStringLiteral("ADC");
            // A panel's TCG curve is read after the model is asked once more.
            if (!item.tcgPoints.empty()) {
                identification(out);
                out << QStringLiteral("RYC");
            }
        } else {
            // The frame pointer, then recall: select the location, RECALL, complete.
            out << QStringLiteral("WFP1") << QStringLiteral("WAS") + n << QStringLiteral("WAM 1") << QStringLiteral("ADA");
            readRecord(out, item);
            out << QStringLiteral("AWT") << QStringLiteral("ATS") << QStringLiteral("ACD") << QStringLiteral("ASH");
            if (!item.dacPoints.empty())
                out << QStringLiteral("ADC");
            if (!item.tcgPoints.empty())
                out << QStringLiteral("AYC");
        }
        // The AVG curve when AVG is on (the mode's value 5).
        if (QString::fromStdString(item.value("EN")).trimmed().toDouble() == 5)
            out << QStringLiteral("AAC");
    }
    // Back to location 1 (and the frame pointer of the ALog memory).
    if (d.panels)
        out << QStringLiteral("WPS1");
    else
        out << QStringLiteral("WAS1") << QStringLiteral("WFP0");
    // The live set-up restored: display modes off, then the whole record.
    out << QStringLiteral("WHD0") << QStringLiteral("WDM0") << QStringLiteral("WYM0");
    writeRecord(out, d.live, d.model, d.slotCount > 0 && !item.dacPoints.empty(), d.slotCount > 0 && !item.tcgPoints.empty());
    // The link closes.
    out << QStringLiteral("ALM");
    return out;
}

// An entry ending in "*" matches a line that begins with what comes before it.
inline bool matches(const QString& expected, const QString& sent)
{
    return expected.endsWith(u'*') ? sent.startsWith(expected.chopped(1)) : sent == expected;
}

} // namespace tovu::bench
