#include "app/display/AScanText.h"

#include "app/items/ModelTable.h"
#include "platform/text/NumberText.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>
#include <optional>

namespace tovu::display {

using platform::text::valueOfText;

namespace {

// A text that may be missing: a failed lookup or conversion makes every text built from
// it missing too, and a missing text is not drawn.
struct Txt {
    std::optional<QString> v;
    Txt(QString s) : v(std::move(s)) {}
    Txt(const char* s) : v(QString::fromUtf8(s)) {}
    Txt(std::nullopt_t) {}
};

Txt operator+(const Txt& a, const Txt& b)
{
    if (!a.v || !b.v)
        return std::nullopt;
    return *a.v + *b.v;
}

Txt trimmed(const Txt& t) { return t.v ? Txt(t.v->trimmed()) : Txt(std::nullopt); }

constexpr int kSoundPath = 230;
constexpr int kSurface = 224;
constexpr int kDepth = 226;

class TextLayer {
public:
    TextLayer(const AScanScene& s, Canvas& dc) : s_(s), t_(s.item.settings()), dc_(dc)
    {
        base_ = items::GetModelResourceBase(s.item.ModelIndex);
        unit_ = idText(double(base_) + 172 + valueOfText(t_.Units));
    }

    void run()
    {
        dc_.pushFont(textFont());
        dc_.setTextColour(s_.colours[ColourRole::MainWave]);
        dc_.setTextAlign(AlignLeft);
        axisLabels();
        if (s_.view.superimpose) {
            secondAxisLabels();
        } else {
            curveLabels();
            const double mode = valueOfText(t_.MeasMode);
            if (mode == 1)
                depthMode();
            else if (mode == 2 || mode == 4)
                distanceMode(static_cast<int>(mode));
            else if (mode == 3)
                angleMode();
        }
        dc_.popFont();
    }

private:
    // The text of a string id; missing when the id does not fit or the table fails.
    Txt idText(double id) const
    {
        const auto n = platform::text::roundToInt32(id);
        if (!n)
            return std::nullopt;
        try {
            return s_.strings.GetResString(*n);
        } catch (...) {
            return std::nullopt;
        }
    }

    // base + offset + the strict value of a field: missing when the field is no number.
    Txt strictIdText(int baseId, const QString& field) const
    {
        const auto v = strict(field);
        return v ? idText(baseId + *v) : Txt(std::nullopt);
    }

    std::optional<double> strict(const QString& field) const
    {
        return platform::text::strictValueOfText(field, s_.decimalSeparator);
    }

    // A number as the instrument stored it, written as the picture's other numbers are:
    // its digits as stored, its decimal sign the locale's. Other texts stay as they are.
    QString shown(const QString& stored) const
    {
        static const QRegularExpression number(QStringLiteral("^\\s*[-+]?\\d*\\.\\d*\\s*$"));
        if (s_.decimalSeparator == u"." || !number.match(stored).hasMatch())
            return stored;
        return QString(stored).replace(u'.', s_.decimalSeparator);
    }

    QString fmt(double v, const char* pattern) const
    {
        return platform::text::formatNumber(v, QString::fromLatin1(pattern), s_.decimalSeparator);
    }

    void write(int x, int y, int align, const Txt& text)
    {
        dc_.setTextAlign(align);
        if (text.v)
            dc_.textOut(x, y, *text.v);
    }

    void box(int left, const Txt& text, int symbol = 0)
    {
        if (!text.v)
            return;
        dc_.rectangle(left, 0, 255, 30);
        dc_.setTextAlign(AlignRight);
        dc_.textOut(240, 5, *text.v);
        if (symbol) {
            dc_.setTextAlign(AlignLeft);
            dc_.symbolOut(160, 5, symbol);
        }
    }

    void axisLabels()
    {
        write(5, 205, AlignLeft, shown(t_.Delay));
        write(250, 205, AlignRight, fmt(valueOfText(t_.Range) + valueOfText(t_.Delay), "###0.00"));
        write(127, 205, AlignCentre, labelText(s_.item));
    }

    Txt labelText(const items::DFDRecord& r) const
    {
        return Txt(r.settings().NoteLabel.trimmed()) + " ("
            + trimmed(idText(1172 + valueOfText(r.settings().Units))) + ")";
    }

    void secondAxisLabels()
    {
        if (!s_.second)
            return;
        const auto& o = s_.second->settings();
        dc_.setTextColour(s_.colours[ColourRole::SecondWave]);
        dc_.setTextAlign(AlignLeft);
        write(5, 225, AlignLeft, shown(o.Delay));
        // The plain number text, leading blank included, with the locale's decimal sign.
        write(250, 225, AlignRight,
              platform::text::numberText(valueOfText(o.Range) + valueOfText(o.Delay)).replace(u'.', s_.decimalSeparator));
        write(127, 225, AlignCentre, labelText(*s_.second));
    }

    // The labels of the curves that are on, side by side in one text: written one over
    // another they could not be read.
    void curveLabels()
    {
        QStringList labels;
        if (valueOfText(t_.TcgMode) == 1)
            labels << QStringLiteral("TCG");
        if (valueOfText(t_.DacMode) >= 1)
            labels << QStringLiteral("DAC");
        if (valueOfText(t_.AvgMode) == 3) {
            const Txt avg = idText(1290);
            if (avg.v)
                labels << *avg.v;
        }
        if (!labels.isEmpty())
            write(250, 225, AlignRight, labels.join(u' '));
    }

    bool distanceIsZero() const { return valueOfText(t_.Distance.trimmed()) == 0; }
    bool peakIs(double v) const { return valueOfText(t_.Peak.trimmed()) == v; }

    bool dacModeIs2(bool* ok) const
    {
        const auto v = strict(t_.DacMode);
        *ok = v.has_value();
        return v && *v == 2;
    }

    // The peak box of the depth mode and of the angle mode's HUD.
    Txt peakBoxK() const
    {
        bool ok = false;
        const bool dac = dacModeIs2(&ok);
        if (!ok)
            return std::nullopt;
        if (peakIs(255))
            return dac ? Txt("----- ") + strictIdText(901, t_.DH) : Txt("----- %");
        return dac ? Txt(shown(t_.Peak)) + " " + strictIdText(901, t_.DH) : Txt(shown(t_.Peak) + QStringLiteral(" %"));
    }

    // The peak box of the angle mode's second readout selector.
    Txt peakBoxL() const
    {
        if (peakIs(255))
            return Txt("------- ") + strictIdText(906, t_.HM);
        bool ok = false;
        const bool dac = dacModeIs2(&ok);
        if (!ok)
            return std::nullopt;
        if (dac)
            return Txt("----- ") + strictIdText(901, t_.HM);
        return Txt(shown(t_.Peak)) + strictIdText(906, t_.HM);
    }

    Txt ersText(bool none, const QString& value) const
    {
        return none ? Txt("ERS - ------ ") + unit_ : Txt("ERS - ") + value + " " + unit_;
    }

    void depthMode()
    {
        const QString dist = distanceIsZero() ? QStringLiteral("--") : shown(t_.Distance);
        const QString peak = peakIs(255) ? QStringLiteral("--") : shown(t_.Peak);
        write(128, 225, AlignCentre, Txt("D: ") + dist + unit_ + "  H: " + peak + "%");
        if (t_.Hud != u"N/A") {
            const double hud = valueOfText(t_.Hud);
            if (hud == 1 || hud == 3)
                box(150, Txt(dist) + unit_);
            else if (hud == 2 || hud == 4)
                box(150, peakBoxK());
            return;
        }
        const double hs = valueOfText(t_.HS);
        if (hs == 1)
            box(150, distanceIsZero() ? Txt("-- ") + unit_ : Txt(dist) + unit_, kSoundPath);
        else if (hs == 4)
            box(150, peak + QStringLiteral("%FSH"));
        else if (hs == 9 || hs == 10)
            box(140, ersText(valueOfText(t_.Ers.trimmed()) == 0, shown(t_.Ers)));
    }

    void distanceMode(int mode)
    {
        const Txt reading = Txt(shown(t_.Distance)) + unit_;
        write(128, 225, AlignCentre, idText(base_ + 112 + mode) + ":" + reading);
        if (mode == 2) {
            if (t_.Hud != u"N/A" && valueOfText(t_.Hud) != 0)
                box(150, reading);
            if (t_.HS != u"N/A" && valueOfText(t_.HS) != 0)
                box(150, reading, kSoundPath);
        } else if (valueOfText(t_.Hud) != 0) {
            box(150, reading);
        }
    }

    void angleMode()
    {
        const AngleGeometry g = angleGeometry(valueOfText(t_.Angle), valueOfText(t_.Distance),
                                              valueOfText(t_.XOffset), valueOfText(t_.Thickness));
        const double S = g.surface, D = g.depth;
        dc_.setTextAlign(AlignLeft);
        if (const auto units = strict(t_.Units)) {
            const char* F = *units == 1 ? "0.000" : "0.00";
            dc_.textOut(20, 225, QStringLiteral(": ") + fmt(g.soundPath, F));
            dc_.textOut(80, 225, QStringLiteral(": ") + fmt(S, F));
            dc_.textOut(150, 225, QStringLiteral(": ") + fmt(D, F));
        }
        const bool noDistance = distanceIsZero();
        if (t_.Hud != u"N/A") {
            const double hud = valueOfText(t_.Hud);
            if (hud == 1)
                box(150, S == 255 ? QStringLiteral("----- ") : QStringLiteral(" ") + fmt(S, "0.00"), kSurface);
            else if (hud == 2 || hud == 4)
                box(150, peakBoxK());
            else if (hud == 3)
                box(150, S == 255 ? QStringLiteral("-- ") : QStringLiteral(" ") + fmt(S, "0.00"), kSurface);
            else if (hud == 5 || hud == 6)
                box(150, (noDistance ? Txt("------") : Txt(fmt(D, "0.000"))) + unit_, kDepth);
            else if (hud == 7 || hud == 8)
                box(150, noDistance ? Txt(" ------ ") + unit_ : Txt(shown(t_.Distance)) + " " + unit_, kSoundPath);
            else if (hud == 9)
                box(140, ersText(peakIs(0), shown(t_.Peak)));
            else if (hud == 10)
                box(140, ersText(valueOfText(t_.Ers.trimmed()) == 0, shown(t_.Peak)));
        }
        if (t_.HS != u"N/A") {
            const double hs = valueOfText(t_.HS);
            if (hs == 1)
                box(150, noDistance ? Txt(" ------ ") + unit_ : Txt(shown(t_.Distance)) + " " + unit_, kSoundPath);
            else if (hs == 2)
                box(150, (S == 255 ? Txt("-- ") : Txt(fmt(S, "0.00"))) + unit_, kSurface);
            else if (hs == 3)
                box(150, (noDistance ? Txt("------") : Txt(fmt(D, "0.00"))) + unit_, kDepth);
            else if (hs == 4)
                box(150, peakBoxL());
        }
        // The symbols keep whatever alignment the last text left.
        dc_.symbolOut(10, 225, kSoundPath);
        dc_.symbolOut(70, 225, kSurface);
        dc_.symbolOut(140, 225, kDepth);
    }

    const AScanScene& s_;
    const items::RecordSettings& t_;
    Canvas& dc_;
    int base_ = 0;
    Txt unit_{std::nullopt};
};

} // namespace

CanvasFont textFont()
{
    return CanvasFont{QStringLiteral("Arial"), 20, 7, 400, 0};
}

AngleGeometry angleGeometry(double angleDegrees, double soundPath, double xOffset, double thickness)
{
    constexpr double kPi = 3.14159265358979;
    const double a = platform::text::singlePrecision(angleDegrees * kPi / 180);
    const double d = platform::text::singlePrecision(soundPath);
    const double x = platform::text::singlePrecision(xOffset);
    const double T = thickness;
    AngleGeometry g;
    g.soundPath = d;
    g.surface = std::sin(a) * d - x;
    const double D0 = std::cos(a) * d;
    if (D0 > 5 * T)
        g.depth = 0;
    else if (D0 > 4 * T)
        g.depth = D0 - 4 * T;
    else if (D0 > 3 * T)
        g.depth = 4 * T - D0;
    else if (D0 > 2 * T)
        g.depth = D0 - 2 * T;
    else if (D0 > T)
        g.depth = 2 * T - D0;
    else
        g.depth = D0;
    return g;
}

void DrawAScanText(const AScanScene& scene, Canvas& dc)
{
    TextLayer(scene, dc).run();
}

} // namespace tovu::display
