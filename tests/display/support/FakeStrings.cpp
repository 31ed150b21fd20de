#include "display/support/FakeStrings.h"

#include <utility>
#include <vector>

namespace tovu::display::testing {

namespace {
using Rows = std::vector<std::pair<int, std::vector<const char*>>>;

// Offset, then the texts of that row and the rows after it.
const Rows& block()
{
    static const Rows rows = {
        {0, {"CAL", "Range", "Delay", "Vel", "Zero", "Gain", "Ref"}},
        {10, {"AMP"}},
        {20, {"Freq", "1 MHz", "2 MHz", "5 MHz", "10 MHz", "15 Mhz", "Wide"}},
        {30, {"Detect", "-Ve HW", "+Ve HW", "Full", "RF"}},
        {40, {"Reject", "Contour"}},
        {50, {"TX", "Tx Width"}},
        {60, {"Damping", "50 Ohms", "100 Ohms", "180 Ohms", "400 Ohms"}},
        {70, {"Tx Mode", "Single", "Double"}},
        {75, {"Volts", "200v", "400v"}},
        {80, {"PRF MAX", "1000 Hz", "500 Hz", "250 Hz", "150 Hz", "70 Hz", "35 Hz"}},
        {90, {"GATE", "Start", "Width", "Level", "State"}},
        {100, {"State", "OFF", "On +Ve", "On -Ve", "Expand"}},
        {110, {"MEAS", "Meas Mode", "Monitor", "Depth", "E-E", "Trig", "G1-G2"}},
        {120, {"Trig Mode", "Flank", "Peak"}},
        {130, {"HUD", "OFF", "Distance", "Peak"}},
        {140, {"T-Min", "OFF", "On"}},
        {150, {"Blank", "Angle", "Thick", "X_Off"}},
        {160, {"A_CAL", "Dist1", "Dist2"}},
        {170, {"UTIL", "Units", "mm", "in", "us"}},
        {180, {"Click", "OFF", "On"}},
        {190, {"Alarm", "Mute", "Audible"}},
        {200, {"Smooth", "OFF", "On"}},
        {210, {"VIDEO", "Colour", "Bright", "Video", "PAL", "NTSC", "Contrast", "Backlight", "On", "Off"}},
        {220, {"Graticule", "OFF", "Full", "Sparse", "50%", "50%+", "50%++"}},
        {230, {"P_O/P", "Mode", "Off", "50 Hz", "100 Hz"}},
        {240, {"O/P 1", "OFF", "Depth 1", "Depth 2", "E1-E2"}},
        {250, {"O/P 2", "Off", "Level 1", "Level 2", "L1-L2"}},
        {260, {"Trigger", "Flank", "Peak"}},
        {270, {"AWS", "Mode", "Off", "Set", "Meas", "Ref"}},
        {280, {"IL dB", "AF dB", "IR dB"}},
        {290, {"AVG", "Mode", "Off", "Set Probe", "Set Attenuation", "Set Reference", "Set Signal", "On"}},
        {300, {"Probe", "ERS", "Ref Hole", "T_LOSS", "REF. dB", "MAT. dB", "AGC", "Mode", "Height"}},
    };
    return rows;
}

void addBlock(QHash<int, QString>& t, int base)
{
    for (int k = 0; k <= 309; ++k)
        t[base + k] = QString::number(k);  // rows without a text hold their offset
    for (const auto& [offset, texts] : block())
        for (std::size_t i = 0; i < texts.size(); ++i)
            t[base + offset + static_cast<int>(i)] = QString::fromUtf8(texts[i]);
}
} // namespace

FakeStrings::FakeStrings()
{
    addBlock(table, 1000);
    addBlock(table, 1500);
    addBlock(table, 2000);
    addBlock(table, 2500);
    addBlock(table, 3000);
    table[1522] = QStringLiteral("2.25 MHz");
    const char* volts[] = {"Volts", "100v", "150v", "200v", "250v", "300v", "350v", "400v", "450v"};
    for (int i = 0; i < 9; ++i)
        table[1900 + i] = QString::fromUtf8(volts[i]);
    const std::vector<std::pair<int, const char*>> others = {
        {130, "TOVU"},      {153, "ALog"},        {170, "Menu"},    {171, "Item"},   {508, "Properties"},
        {509, "Curve"},     {510, "DAC"},         {511, "TCG"},     {512, "Main Wave"}, {513, "Second Wave"},
        {514, "Gates"},     {901, "dB"},          {902, "%FSH"},    {903, "%REF"},   {904, "ERS mm"},
        {906, "%FSH"},      {907, "dB"},          {908, "%REF"},    {909, "ERS mm"},
    };
    for (const auto& [id, text] : others)
        table[id] = QString::fromUtf8(text);
}

} // namespace tovu::display::testing
