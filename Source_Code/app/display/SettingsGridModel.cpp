#include "app/display/SettingsGridModel.h"

#include "app/items/ItemStore.h"
#include "app/items/ModelTable.h"
#include "platform/text/NumberText.h"

#include <cmath>
#include <optional>

namespace tovu::display {

using platform::text::valOfText;

namespace {

using Cell = std::optional<QString>;  // missing: the cell stays empty

class GridFiller {
public:
    GridFiller(const items::DFDRecord& r, const items::StringSource& strings, const QString& sep)
        : r_(r), t_(r.settings()), strings_(strings), sep_(sep), base_(items::GetModelResourceBase(r.ModelIndex))
    {
    }

    std::vector<SettingsGridModel::Row> rows;

    void fill()
    {
        add({L(0), L(1), L(2), L(3), L(4)});
        add({E(), R(t_.Range), R(t_.Delay), R(t_.Velocity), R(t_.ProbeZero)});
        add({E(), L(5), L(6), E(), E()});
        add({E(), R(t_.Gain), R(t_.GainRef), E(), E()});

        add({L(10), L(20), L(30), L(40), L(41)});
        add({E(), notNA(t_.FrequencyText) ? R(t_.FrequencyText) : C(20, t_.Frequency),
             notNA(t_.Detect) ? C(30, t_.Detect) : Lit("N/A"), R(t_.Reject), R(t_.Contour)});

        // The TX layout follows the generation of the record's own model.
        const bool banked = items::MemoryGenerationOfModel(r_.ModelIndex) >= 1;
        add({L(50), L(51), banked ? Lit("Edge") : L(60), L(75), L(80)});
        if (!banked)
            add({C(70, t_.TxMode), R(t_.TxWidth), C(60, t_.Damping), C(75, t_.Volts), C(80, t_.PrfMax)});
        else
            add({C(70, t_.TxMode), R(t_.TxWidth), N(t_.PE), notNA(t_.Volts) ? C(400, t_.Volts) : Lit("N/A"),
                 notNA(t_.PrfMax) ? join(N(t_.PrfMax), " Hz") : Lit("N/A")});

        for (int g = 0; g < 3; ++g) {
            const items::Gate& gate = t_.Gates[g];
            add({g < 2 ? join(L(90), g == 0 ? " 1" : " 2") : Lit("IFT GATE"), L(100), L(91), L(92), L(93)});
            add({E(), C(100, gate.State), R(gate.Start), R(gate.Width), R(gate.Level)});
        }

        add({L(110), L(111), L(120), L(130), L(140)});
        add({E(), C(111, t_.MeasMode), C(120, t_.TrigMode), C(130, t_.Hud), C(140, t_.TMin)});
        add({E(), L(150), L(151), L(152), L(153)});
        add({E(), R(t_.Blank), R(t_.Angle), R(t_.Thickness), R(t_.XOffset)});

        add({L(270), L(275), L(280), L(281), L(282)});
        add({C(271, t_.AwsMode), R(t_.AwsRef), R(t_.IlDb), R(t_.AfDb), R(t_.IrDb)});

        add({L(290), L(291), L(300), L(301), L(302)});
        add({E(), C(291, t_.AvgMode), Lit("-"), R(t_.Ers), R(t_.RefHole)});
        add({E(), L(303), L(304), L(305), E()});
        add({E(), R(t_.TLoss), R(t_.RefDb), R(t_.MatDb), E()});

        if (r_.ModelIndex >= 11) {
            add({L(306), L(307), join(L(308), " %"), E(), E()});
            add({E(), R(t_.AgcMode), R(t_.AgcHeight), E(), E()});
        }

        add({L(170), L(171), L(180), L(190), L(200)});
        add({E(), C(171, t_.Units), C(180, t_.Click), C(190, t_.Alarm), C(200, t_.Smooth)});

        const bool layoutB = notNA(t_.DisplayType) && valOfText(t_.DisplayType) != 1;
        if (!layoutB) {
            add({L(210), L(211), L(212), L(213), L(220)});
            add({E(), R(t_.Colour), R(t_.Bright), C(213, t_.Video),
                 notNA(t_.Graticule) ? C(220, t_.Graticule) : R(t_.Graticule)});
        } else {
            add({L(210), L(216), L(217), L(213), L(220)});
            add({E(), valOfText(t_.Colour) == 6 ? L(219) : L(218), R(t_.Bright), C(213, t_.Video),
                 C(220, t_.Graticule)});
        }
    }

private:
    static bool notNA(const QString& s) { return s != u"N/A"; }
    static Cell E() { return QString(); }
    static Cell Lit(const char* s) { return QString::fromUtf8(s); }
    static Cell R(const QString& s) { return s; }
    static Cell join(const Cell& a, const char* b)
    {
        return a ? Cell(*a + QString::fromUtf8(b)) : std::nullopt;
    }

    Cell text(double id) const
    {
        const auto n = platform::text::roundToInt32(id);
        if (!n)
            return std::nullopt;
        try {
            return strings_.GetResString(*n);
        } catch (...) {
            return std::nullopt;
        }
    }
    Cell L(int k) const { return text(base_ + k); }
    Cell C(int k, const QString& field) const { return text(double(base_ + k) + valOfText(field) + 1); }
    Cell N(const QString& field) const { return platform::text::generalNumber(valOfText(field), sep_); }

    void add(const std::array<Cell, SettingsGridModel::kColumns>& cells)
    {
        SettingsGridModel::Row row;
        for (int c = 0; c < SettingsGridModel::kColumns; ++c)
            row[c] = cells[c].value_or(QString());
        rows.push_back(row);
    }

    const items::DFDRecord& r_;
    const items::RecordSettings& t_;
    const items::StringSource& strings_;
    QString sep_;
    int base_;
};

QString lookupOrEmpty(const items::StringSource& strings, int id)
{
    try {
        return strings.GetResString(id);
    } catch (...) {
        return {};
    }
}

} // namespace

void SettingsGridModel::InitSettingsGrid(const items::StringSource& strings)
{
    rows_.clear();
    Row header;
    header[0] = lookupOrEmpty(strings, 170);
    const QString item = lookupOrEmpty(strings, 171);
    for (int c = 1; c < kColumns; ++c)
        header[c] = item + QString::number(c);
    rows_.push_back(header);
}

void SettingsGridModel::ShowALogSettings(const items::DFDRecord& record, const items::StringSource& strings,
                                         const QString& decimalSeparator)
{
    InitSettingsGrid(strings);
    GridFiller filler(record, strings, decimalSeparator);
    filler.fill();
    rows_.insert(rows_.end(), filler.rows.begin(), filler.rows.end());
}

bool SettingsGridModel::ShowALogSettings(const items::ItemStore& store, int index,
                                         const items::StringSource& strings, const QString& decimalSeparator)
{
    if (index < 0 || index >= static_cast<int>(store.WorkItems.size())) {
        InitSettingsGrid(strings);
        return false;
    }
    ShowALogSettings(store.WorkItems[index], strings, decimalSeparator);
    return true;
}

QString SettingsGridModel::text(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumns)
        return {};
    return rows_[row][column];
}

GridRowStyle SettingsGridModel::rowStyle(int row) const
{
    if (row == 0)
        return GridRowStyle::Header;
    return row % 2 == 1 ? GridRowStyle::Label : GridRowStyle::Value;
}

int SettingsGridModel::columnWidthTwips(int column, int gridWidthTwips)
{
    if (column == 0)
        return 700;
    const float share = (static_cast<float>(gridWidthTwips) - 700.0f) / 4.0f - 50.0f;
    return platform::text::roundToInt32(share).value_or(0);
}

} // namespace tovu::display
