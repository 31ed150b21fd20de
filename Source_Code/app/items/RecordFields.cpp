#include "app/items/RecordFields.h"

#include <array>

namespace tovu::items {

namespace {

using S = RecordSettings;
using A = InstrumentAccess;
using K = FieldKind;
using W = WriteWhen;

constexpr RecordField text(std::string_view name, std::string_view key, std::string_view code,
                           QString S::*member, A access = A::ReadWrite, W when = W::Always)
{
    RecordField f{name, key, code, code.empty() ? A::None : access, K::Text, when};
    f.member = member;
    return f;
}

constexpr RecordField gateText(std::string_view name, std::string_view key, int gate,
                               QString Gate::*member)
{
    RecordField f{name, key, key, A::ReadWrite, K::Text, W::Always};
    f.gate = gate;
    f.gateMember = member;
    return f;
}

constexpr RecordField special(std::string_view name, std::string_view key, std::string_view code,
                              K kind, W when)
{
    return RecordField{name, key, code, code.empty() ? A::None : A::ReadWrite, kind, when};
}

constexpr RecordField repeated(RecordField f)
{
    f.repeat = true;
    return f;
}

#define TOVU_GATE(g, letter)                                                           \
    gateText("Gates[" #g "].State", "G" letter, g, &Gate::State),                      \
        gateText("Gates[" #g "].Start", "S" letter, g, &Gate::Start),                  \
        gateText("Gates[" #g "].Width", "W" letter, g, &Gate::Width),                  \
        gateText("Gates[" #g "].Level", "L" letter, g, &Gate::Level)

const auto kFields = std::to_array<RecordField>({
    // Identification and time stamp come from their own replies, not parameter codes.
    text("TimeStamp", "TS", "", &S::TimeStamp, A::None, W::ALogOnly),
    special("ModelIndex", "MD", "", K::ModelIndex, W::Always),
    text("IdentText", "SE", "", &S::IdentText),
    special("DataVersion", "MF", "", K::DataVersion, W::Always),
    text("Range", "RG", "RG", &S::Range),
    text("Delay", "TD", "TD", &S::Delay),
    text("ProbeZero", "PZ", "PZ", &S::ProbeZero),
    text("Velocity", "VL", "VL", &S::Velocity),
    text("Gain", "GN", "GN", &S::Gain),
    text("GainRef", "GR", "GR", &S::GainRef),
    text("UZ", "HU", "UZ", &S::UZ),
    text("UU", "HZ", "UU", &S::UU),
    text("Frequency", "FR", "FR", &S::Frequency),
    text("Detect", "DT", "DT", &S::Detect),
    text("Reject", "RJ", "RJ", &S::Reject),
    text("Contour", "CT", "CT", &S::Contour),
    text("FrequencyText", "FS", "FS", &S::FrequencyText, A::ReadOnly),
    text("TxWidth", "TW", "TW", &S::TxWidth),
    text("Damping", "PD", "PD", &S::Damping),
    text("TxMode", "SD", "SD", &S::TxMode),
    text("PrfMax", "PF", "PF", &S::PrfMax),
    text("Volts", "PV", "PV", &S::Volts),
    text("PE", "PE", "PE", &S::PE),
    TOVU_GATE(0, "A"),
    TOVU_GATE(1, "B"),
    TOVU_GATE(2, "I"),
    text("MeasMode", "MM", "MM", &S::MeasMode),
    text("TrigMode", "MT", "MT", &S::TrigMode),
    text("Hud", "HD", "HD", &S::Hud),
    text("HS", "HS", "HS", &S::HS),
    text("TMin", "TM", "TM", &S::TMin),
    text("Blank", "BK", "BK", &S::Blank),
    text("Angle", "AG", "AG", &S::Angle),
    text("Thickness", "TH", "TH", &S::Thickness),
    text("Distance", "CD", "CD", &S::Distance, A::ReadOnly),
    text("Peak", "SH", "SH", &S::Peak, A::ReadOnly),
    text("XOffset", "XO", "XO", &S::XOffset),
    text("PM", "PM", "PM", &S::PM),
    text("Dist1", "ZO", "ZO", &S::Dist1),
    text("Dist2", "ZT", "ZT", &S::Dist2),
    // DAC block. The point count is the length of the RP list on the instrument.
    text("DacMode", "DM", "DM", &S::DacMode, A::ReadWrite, W::DacOn),
    text("DacCurveSet", "CV", "CV", &S::DacCurveSet, A::ReadWrite, W::DacOn),
    text("TR", "TR", "TR", &S::TR, A::ReadWrite, W::DacOn),
    text("DacPointCount", "DP", "", &S::DacPointCount, A::None, W::DacOn),
    special("DacPoints", "RP", "RP", K::DacPoints, W::DacOnWithPoints),
    text("DR", "DR", "DR", &S::DR, A::ReadWrite, W::DacOn),
    text("DD", "DD", "DD", &S::DD, A::ReadWrite, W::DacOn),
    text("DB", "DB", "DB", &S::DB, A::ReadWrite, W::DacOn),
    special("DacCurve", "DC", "", K::DacCurve, W::DacOnWithCurve),
    text("DH", "DH", "DH", &S::DH),
    text("HM", "HM", "HM", &S::HM),
    // AVG group: file keys and instrument codes part ways here.
    text("AvgMode", "AQ", "EN", &S::AvgMode),
    text("Ers", "AN", "EK", &S::Ers),
    text("RefHole", "AO", "EL", &S::RefHole),
    text("MatDb", "AD", "EB", &S::MatDb),
    text("AP", "AP", "", &S::AP),
    text("AvgProbe", "AH", "", &S::AvgProbe),
    text("RefDb", "AE", "EC", &S::RefDb),
    text("TLoss", "AF", "ED", &S::TLoss),
    text("EP", "EP", "EP", &S::EP),
    text("ES", "ES", "ES", &S::ES),
    text("EH", "EH", "EH", &S::EH),
    text("EJ", "EJ", "EJ", &S::EJ),
    text("EF", "EF", "EF", &S::EF),
    repeated(text("ES", "ES", "ES", &S::ES)),
    special("AvgCurve", "AC", "", K::AvgCurve, W::AvgCurve),
    text("EQ", "EQ", "EQ", &S::EQ),
    text("ER", "ER", "ER", &S::ER),
    text("YT", "YT", "YT", &S::YT),
    text("YA", "YA", "YA", &S::YA),
    text("YB", "YB", "YB", &S::YB),
    text("AgcMode", "SF", "SF", &S::AgcMode),
    text("AgcHeight", "SGE", "SE", &S::AgcHeight),
    // TCG block.
    text("TcgMode", "YM", "YM", &S::TcgMode, A::ReadWrite, W::TcgOn),
    text("YS", "YS", "YS", &S::YS, A::ReadWrite, W::TcgOn),
    text("TcgPointCount", "YF", "", &S::TcgPointCount, A::None, W::TcgOn),
    special("TcgPoints", "YP", "YP", K::TcgPoints, W::TcgOnWithPoints),
    text("YR", "YR", "YR", &S::YR, A::ReadWrite, W::TcgOn),
    text("YD", "YD", "YD", &S::YD, A::ReadWrite, W::TcgOn),
    special("TcgCurve", "YC", "", K::TcgCurve, W::TcgOnWithCurve),
    text("YG", "YG", "YG", &S::YG),
    text("YH", "YH", "YH", &S::YH),
    text("AwsMode", "AV", "AV", &S::AwsMode),
    text("AwsRef", "AW", "AW", &S::AwsRef),
    text("IlDb", "AX", "AX", &S::IlDb, A::ReadOnly),
    text("AfDb", "AY", "AY", &S::AfDb, A::ReadOnly),
    text("IrDb", "AZ", "AZ", &S::IrDb, A::ReadOnly),
    text("Units", "UN", "UN", &S::Units),
    text("Click", "CL", "CL", &S::Click),
    text("Alarm", "AA", "AA", &S::Alarm),
    text("Smooth", "VS", "VS", &S::Smooth),
    text("Video", "VD", "VD", &S::Video),
    text("Colour", "VC", "VC", &S::Colour),
    text("Bright", "VB", "VB", &S::Bright),
    text("Graticule", "GT", "GT", &S::Graticule),
    text("DisplayType", "VA", "VA", &S::DisplayType, A::ReadOnly),
    text("PoutMode", "PO", "PO", &S::PoutMode),
    text("Output1", "OA", "OA", &S::Output1),
    text("Output2", "OB", "OB", &S::Output2),
    text("OutputTrigger", "OT", "OT", &S::OutputTrigger),
    text("NoteLabel", "NL", "NL", &S::NoteLabel),
    text("NoteOperator", "NO", "NO", &S::NoteOperator),
    text("NoteLocation", "NC", "NC", &S::NoteLocation),
    text("NoteProbe", "NP", "NP", &S::NoteProbe),
    text("NoteText", "NN", "NN", &S::NoteText),
    [] {
        RecordField f = text("Memo", "ME", "", &S::Memo);
        f.kind = K::Memo;
        return f;
    }(),
    special("Waveform", "WS", "", K::Waveform, W::WaveformPresent),
});

#undef TOVU_GATE

template <typename Pred>
const RecordField* findFirst(Pred pred)
{
    for (const RecordField& f : kFields)
        if (!f.repeat && pred(f))
            return &f;
    return nullptr;
}

} // namespace

const QString& RecordField::text(const RecordSettings& s) const
{
    return gateMember ? s.Gates[static_cast<std::size_t>(gate)].*gateMember : s.*member;
}

QString& RecordField::text(RecordSettings& s) const
{
    return gateMember ? s.Gates[static_cast<std::size_t>(gate)].*gateMember : s.*member;
}

std::span<const RecordField> recordFields()
{
    return kFields;
}

namespace {
// Every file key is two capital letters, except SGE: a table indexed by the two
// letters answers a lookup without comparing strings, which the reader does once a line.
constexpr int kLetters = 26;

int slotOfKey(std::string_view key)
{
    if (key.size() < 2 || key.size() > 3 || key[0] < 'A' || key[0] > 'Z' || key[1] < 'A'
        || key[1] > 'Z')
        return -1;
    return (key[0] - 'A') * kLetters + (key[1] - 'A');
}

using KeyTable = std::array<const RecordField*, kLetters * kLetters>;

KeyTable buildKeyTable()
{
    KeyTable t{};
    for (const RecordField& f : kFields)
        if (!f.repeat && f.fileKey.size() == 2)
            t[static_cast<std::size_t>(slotOfKey(f.fileKey))] = &f;
    return t;
}
} // namespace

const RecordField* fieldByFileKey(std::string_view key)
{
    static const KeyTable table = buildKeyTable();
    const int slot = slotOfKey(key);
    if (slot < 0)
        return nullptr;
    if (key.size() == 3)
        return findFirst([key](const RecordField& f) { return f.fileKey == key; });
    return table[static_cast<std::size_t>(slot)];
}

const RecordField* fieldByInstrumentCode(std::string_view code)
{
    if (code.empty())
        return nullptr;
    return findFirst([code](const RecordField& f) { return f.instrumentCode == code; });
}

const RecordField* fieldByName(std::string_view name)
{
    return findFirst([name](const RecordField& f) { return f.name == name; });
}

} // namespace tovu::items
