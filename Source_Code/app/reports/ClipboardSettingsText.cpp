#include "app/reports/ClipboardSettingsText.h"

#include "app/items/ModelTable.h"
#include "platform/text/NumberText.h"
#include "app/resources/StringIds.h"
#include "platform/automation/AutomationError.h"

#include <vector>

namespace tovu::reports {

namespace {

using items::RecordSettings;
using Field = QString RecordSettings::*;

// How a parameter line shows its field.
enum class Form {
    Text,    // as stored
    Unit,    // directly followed by the unit text
    Pct,     // followed by "%"
    Spct,    // followed by " %"
    Smm,     // followed by " mm"
    Choice,  // the text of the enumerated value
};

struct Line {
    int offset;
    Field field;
    Form form;
};

struct Section {
    int option;
    int heading;
    std::vector<Line> lines;
};

// In the order the text writes them; the frequency line and the display-type lines are
// written by their own rules.
const std::vector<Section>& sections()
{
    static const std::vector<Section> table{
        {CopyCal, 0,
         {{1, &RecordSettings::Range, Form::Unit},
          {2, &RecordSettings::Delay, Form::Unit},
          {3, &RecordSettings::Velocity, Form::Text},
          {4, &RecordSettings::ProbeZero, Form::Unit},
          {5, &RecordSettings::Gain, Form::Text},
          {6, &RecordSettings::GainRef, Form::Text}}},
        {CopyAmp, 10,
         {{30, &RecordSettings::Detect, Form::Choice},
          {40, &RecordSettings::Reject, Form::Text},
          {41, &RecordSettings::Contour, Form::Text}}},
        {CopyTx, 50,
         {{70, &RecordSettings::TxMode, Form::Choice},
          {51, &RecordSettings::TxWidth, Form::Text},
          {60, &RecordSettings::Damping, Form::Choice},
          {75, &RecordSettings::Volts, Form::Choice},
          {80, &RecordSettings::PrfMax, Form::Choice}}},
        {CopyGates, 90, {}},
        {CopyMeas, 110,
         {{111, &RecordSettings::MeasMode, Form::Choice},
          {120, &RecordSettings::TrigMode, Form::Choice},
          {130, &RecordSettings::Hud, Form::Choice},
          {140, &RecordSettings::TMin, Form::Choice},
          {150, &RecordSettings::Blank, Form::Pct},
          {151, &RecordSettings::Angle, Form::Text},
          {152, &RecordSettings::Thickness, Form::Text},
          {153, &RecordSettings::XOffset, Form::Text}}},
        {CopyACal, 160, {{161, &RecordSettings::Dist1, Form::Unit}, {162, &RecordSettings::Dist2, Form::Unit}}},
        {CopyAws, 270,
         {{271, &RecordSettings::AwsMode, Form::Choice},
          {275, &RecordSettings::AwsRef, Form::Spct},
          {280, &RecordSettings::IlDb, Form::Text},
          {281, &RecordSettings::AfDb, Form::Text},
          {282, &RecordSettings::IrDb, Form::Text}}},
        {CopyAvg, 290,
         {{291, &RecordSettings::AvgMode, Form::Choice},
          {300, &RecordSettings::AvgProbe, Form::Text},
          {301, &RecordSettings::Ers, Form::Smm},
          {302, &RecordSettings::RefHole, Form::Smm},
          {303, &RecordSettings::TLoss, Form::Text},
          {304, &RecordSettings::RefDb, Form::Text},
          {305, &RecordSettings::MatDb, Form::Text}}},
        {CopyAgc, 306, {{307, &RecordSettings::AgcMode, Form::Text}, {308, &RecordSettings::AgcHeight, Form::Pct}}},
        {CopyUtil, 170,
         {{171, &RecordSettings::Units, Form::Choice},
          {180, &RecordSettings::Click, Form::Choice},
          {190, &RecordSettings::Alarm, Form::Choice},
          {200, &RecordSettings::Smooth, Form::Choice}}},
        {CopyVideo, 210, {{213, &RecordSettings::Video, Form::Choice}, {220, &RecordSettings::Graticule, Form::Choice}}},
        {CopyPout, 230,
         {{231, &RecordSettings::PoutMode, Form::Choice},
          {240, &RecordSettings::Output1, Form::Choice},
          {250, &RecordSettings::Output2, Form::Choice},
          {260, &RecordSettings::OutputTrigger, Form::Choice}}},
    };
    return table;
}

constexpr int kUnitsOffset = 172;
constexpr int kNoteIds[] = {142, 143, 144, 145, 146};

class TextBuilder {
public:
    TextBuilder(const RecordSettings& s, const items::StringSource& strings, int base)
        : s_(s), strings_(strings), base_(base)
    {
        lookup_ = [this](int id) { return strings_.GetResString(id); };
        unit_ = strings_.GetResString(base_ + kUnitsOffset + platform::text::roundClamped(platform::text::valueOfText(s_.Units), -1000000, 1000000));
    }

    void line(const QString& text) { out_ += QStringLiteral("\r\n") + text; }
    void emptyLine() { out_ += QStringLiteral("\r\n"); }
    QString label(int offset) const { return items::settingLabel(lookup_, base_, offset); }
    QString choice(int offset, const QString& value) const { return items::choiceLabel(lookup_, base_, offset, value); }
    void parameter(int offset, const QString& value) { line(label(offset) + QStringLiteral(" : ") + value); }

    QString value(const Line& l, const QString& field) const
    {
        switch (l.form) {
        case Form::Text: return field;
        case Form::Unit: return field + unit_;
        case Form::Pct: return field + QStringLiteral("%");
        case Form::Spct: return field + QStringLiteral(" %");
        case Form::Smm: return field + QStringLiteral(" mm");
        case Form::Choice: return choice(l.offset, field);
        }
        return field;
    }
    void lines(const std::vector<Line>& ls, const RecordSettings& s)
    {
        for (const Line& l : ls)
            parameter(l.offset, value(l, s.*(l.field)));
    }

    const QString& unit() const { return unit_; }
    QString text() const { return out_; }

private:
    const RecordSettings& s_;
    const items::StringSource& strings_;
    int base_;
    items::StringLookup lookup_;
    QString unit_;
    QString out_;
};

void writeGates(TextBuilder& b, const RecordSettings& s)
{
    for (int n = 1; n <= 2; ++n) {
        const items::Gate& g = s.Gates[static_cast<std::size_t>(n - 1)];
        b.line(b.label(90) + platform::text::numberText(static_cast<long long>(n)));
        b.parameter(100, b.choice(100, g.State));
        b.parameter(91, g.Start + b.unit());
        b.parameter(92, g.Width + b.unit());
        b.parameter(93, g.Level + QStringLiteral("%"));
        b.emptyLine();
    }
}

bool valueIs(const QString& text, double v)
{
    return platform::text::valueOfText(text) == v;
}

} // namespace

QString ClipboardSettingsText(const items::DFDRecord& record, const QString& modelCaption, const QString& dateCaption,
                              const CopyOptions& options, const items::StringSource& strings)
{
    const RecordSettings& s = record.settings();
    TextBuilder b(s, strings, items::GetModelResourceBase(record.ModelIndex));

    b.line(modelCaption);
    b.line(dateCaption);
    b.emptyLine();

    if (options.includes(CopyNotes)) {
        const QString* notes[] = {&s.NoteLabel, &s.NoteOperator, &s.NoteLocation, &s.NoteProbe, &s.NoteText};
        for (int i = 0; i < 5; ++i)
            b.line(strings.GetResString(kNoteIds[i]) + QStringLiteral(" ") + *notes[i]);
        b.emptyLine();
    }

    if (valueIs(s.MeasMode, 1)) {
        b.line(b.label(132) + QStringLiteral(": ") + s.Distance + b.unit());
        b.line(b.label(133) + QStringLiteral(": ") + s.Peak + QStringLiteral("%"));
    } else if (valueIs(s.MeasMode, 2)) {
        b.line(b.label(132) + QStringLiteral(" ") + s.Distance + b.unit());
    }
    b.emptyLine();

    for (const Section& section : sections()) {
        if (!options.includes(section.option))
            continue;
        if (section.option == CopyGates) {
            writeGates(b, s);
            continue;
        }
        b.line(b.label(section.heading));
        if (section.option == CopyAmp)
            b.parameter(20, s.FrequencyText == QStringLiteral("N/A") ? b.choice(20, s.Frequency) : s.FrequencyText);
        b.lines(section.lines, s);
        if (section.option == CopyVideo) {
            if (valueIs(s.DisplayType, 2)) {
                b.parameter(217, s.Colour);
                b.parameter(216, b.label(valueIs(s.Bright, 6) ? 219 : 218));
            } else {
                b.parameter(211, s.Colour);
                b.parameter(212, s.Bright);
            }
        }
        b.emptyLine();
    }
    return b.text();
}

ClipboardCopy::ClipboardCopy(const items::ItemStore& store, const items::StringSource& strings, CopyOptions& options,
                             platform::clipboard::Clipboard& clipboard, ReportWindow& window, ReportUser& user)
    : store_(store)
    , strings_(strings)
    , options_(options)
    , clipboard_(clipboard)
    , window_(window)
    , user_(user)
{
}

void ClipboardCopy::mnuCopyPanel_Click()
{
    namespace automation = platform::automation;
    try {
        const std::optional<std::int16_t> index = platform::text::roundToInt16(platform::text::valueOfText(window_.noteIndexCaption()));
        if (!index)
            throw automation::AutomationError::standard(automation::ErrorNumber::Overflow, strings_.GetResString(resources::ids::ProgramTitle));
        if (*index < 0 || *index >= static_cast<int>(store_.WorkItems.size()))
            throw automation::AutomationError::standard(automation::ErrorNumber::SubscriptOutOfRange,
                                                        strings_.GetResString(resources::ids::ProgramTitle));
        const items::DFDRecord& record = store_.WorkItems[static_cast<std::size_t>(*index)];
        options_.followModel(record.ModelIndex);
        const QString text =
            ClipboardSettingsText(record, window_.modelCaption(), window_.dateCaption(), options_, strings_);
        clipboard_.clear();
        clipboard_.setText(text);
    } catch (const automation::AutomationError& e) {
        user_.message(e.description() + QStringLiteral("\r\n") + e.source(), strings_.GetResString(resources::ids::MenuCopyError),
                      MessageIcon::Critical);
    }
}

} // namespace tovu::reports
