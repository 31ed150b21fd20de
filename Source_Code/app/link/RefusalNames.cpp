#include "app/link/RefusalNames.h"

#include "app/items/ItemStore.h"
#include "app/items/ModelTable.h"
#include "app/link/Commands.h"

#include <string_view>

namespace tovu::link {

namespace {

// The settings grid's label of each setting: its offset in the model's block of names.
struct GridLabel {
    std::string_view code;
    int offset;
};
constexpr GridLabel kGridLabels[] = {
    {"RG", 1},   {"TD", 2},   {"VL", 3},   {"PZ", 4},   {"GN", 5},   {"GR", 6},   {"FR", 20},  {"FS", 20},
    {"DT", 30},  {"RJ", 40},  {"CT", 41},  {"SD", 50},  {"TW", 51},  {"PV", 75},  {"PF", 80},  {"MM", 111},
    {"MT", 120}, {"HD", 130}, {"TM", 140}, {"BK", 150}, {"AG", 151}, {"TH", 152}, {"XO", 153}, {"AV", 270},
    {"AW", 275}, {"AX", 280}, {"AY", 281}, {"AZ", 282}, {"EN", 291}, {"EK", 301}, {"EL", 302}, {"ED", 303},
    {"EC", 304}, {"EB", 305}, {"SF", 306}, {"SE", 307}, {"UN", 171}, {"CL", 180}, {"AA", 190}, {"VS", 200},
    {"VC", 211}, {"VB", 212}, {"VD", 213}, {"GT", 220},
};
// The grid names the damping only on instruments without banks; banked ones show "Edge".
constexpr int kDampingOffset = 60;
constexpr int kGateTitleOffset = 90;
constexpr GridLabel kGateColumns[] = {{"G", 100}, {"S", 91}, {"W", 92}, {"L", 93}};
// The notes panes' captions ("Label :", "Operator :" ...).
constexpr GridLabel kNoteCaptions[] = {{"NL", 142}, {"NO", 143}, {"NC", 144}, {"NP", 145}, {"NN", 146}};
struct Part {
    QLatin1String cmd;
    int string;
};
constexpr Part kParts[] = {
    {command::kReadDacPoints, kDacPointsString},     {command::kWriteDacPoints, kDacPointsString},
    {command::kReadTcgPoints, kTcgPointsString},     {command::kWriteTcgPoints, kTcgPointsString},
    {command::kReadDacCurve, kDacCurveString},       {command::kReadAvgCurve, kAvgCurveString},
    {command::kReadPanelTcgCurve, kTcgCurveString},  {command::kReadALogTcgCurve, kTcgCurveString},
    {command::kReadWaveform, kWaveformString},       {command::kWriteWaveform, kWaveformString},
    {command::kReadTimeStamp, kTimeStampString},
};

bool is(const QString& s, std::string_view v) { return s == QLatin1String(v.data(), static_cast<qsizetype>(v.size())); }

QString lookup(const items::StringSource& strings, int id)
{
    try {
        return strings.GetResString(id).trimmed();
    } catch (...) {
        return {};
    }
}

QString settingWords(const items::StringSource& strings, int model, const QString& cmd)
{
    for (const Part& p : kParts)
        if (cmd == p.cmd)
            return lookup(strings, p.string);
    if (cmd.size() != 3 || !(cmd[0] == u'R' || cmd[0] == u'W'))
        return {};
    const QString code = cmd.mid(1);
    for (const GridLabel& n : kNoteCaptions)
        if (is(code, n.code)) {
            QString caption = lookup(strings, n.offset);
            if (caption.endsWith(u':'))
                caption.chop(1);
            return caption.trimmed();
        }
    const int base = items::GetModelResourceBase(model);
    for (const GridLabel& l : kGridLabels)
        if (is(code, l.code))
            return lookup(strings, items::settingLabelId(base, l.offset));
    if (code == u"PD" && items::MemoryGenerationOfModel(model) < 1)
        return lookup(strings, items::settingLabelId(base, kDampingOffset));
    const QChar gate = code[1];
    if (gate == u'A' || gate == u'B' || gate == u'I')
        for (const GridLabel& c : kGateColumns)
            if (code[0] == QLatin1Char(c.code[0])) {
                const QString title = gate == u'I' ? QStringLiteral("IFT GATE")
                                                   : lookup(strings, items::settingLabelId(base, kGateTitleOffset))
                                                         + (gate == u'A' ? QStringLiteral(" 1") : QStringLiteral(" 2"));
                return title + u' ' + lookup(strings, items::settingLabelId(base, c.offset));
            }
    return {};
}

} // namespace

QString refusalName(const items::StringSource& strings, int model, const QString& cmd)
{
    const QString words = settingWords(strings, model, cmd);
    return words.isEmpty() ? cmd : words + QStringLiteral(" [") + cmd + u']';
}

QString refusalNames(const items::StringSource& strings, int model, const QStringList& cmds)
{
    QStringList out;
    for (const QString& c : cmds)
        out << refusalName(strings, model, c);
    return out.join(QStringLiteral(", "));
}

} // namespace tovu::link
