#include "app/reports/ItemPrintout.h"

#include "app/items/ModelTable.h"
#include "platform/text/NumberText.h"
#include "app/resources/StringIds.h"

#include <QRegularExpression>

namespace tovu::reports {

namespace ids = resources::ids;

using items::RecordSettings;

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;
// Cell height plus leading of the Arial metrics, as a fraction of the em.
constexpr double kLineFactor = 2355.0 / 2048.0;
constexpr int kMemoLetters = 80;

class PageWriter {
public:
    PrintPage page;
    double x = 0;
    double y = 0;
    double points = 12;
    bool bold = false;

    void print(const QString& text)
    {
        if (!text.isEmpty())
            page.primitives.push_back(PrintText{x, y, text, points, bold});
        y += lineHeightMm(points);
        x = 0;
    }
    // A text with line breaks (a memo's) prints as one line per part, all at atX.
    void printAt(double atX, const QString& text)
    {
        static const QRegularExpression breaks(QStringLiteral("\\r\\n|\\r|\\n"));
        for (const QString& part : text.split(breaks)) {
            x = atX;
            print(part);
        }
    }
};

} // namespace

double lineHeightMm(double points)
{
    return points * kLineFactor * kMmPerPoint;
}

QStringList memoLines(const QString& memo)
{
    QStringList lines;
    const QStringList pieces = memo.split(QLatin1Char(' '));
    if (pieces.isEmpty() || pieces.first().isEmpty())
        return lines;
    QString line;
    int count = 0;
    for (QString piece : pieces) {
        for (;;) {
            if (count + piece.size() < kMemoLetters) {
                line += QLatin1Char(' ') + piece;
                count += static_cast<int>(piece.size());
                break;
            }
            if (count == 0) {
                // Alone on a line and still too long: break it.
                lines << QLatin1Char(' ') + piece.left(kMemoLetters - 1);
                piece = piece.mid(kMemoLetters - 1);
                continue;
            }
            lines << line;
            line.clear();
            count = 0;
        }
    }
    lines << line;
    return lines;
}

PrintPage PrintItem(const items::DFDRecord& record, int n, const QString& modelCaption, const QString& dateCaption,
                    const items::StringSource& strings, double printableWidthMm)
{
    const RecordSettings& s = record.settings();
    const int base = items::GetModelResourceBase(record.ModelIndex);
    const items::StringLookup lookup = [&strings](int id) { return strings.GetResString(id); };
    auto name = [&](int k) { return items::settingLabel(lookup, base, k); };
    auto value = [&](int k, const QString& field) { return items::choiceLabel(lookup, base, k, field); };
    auto line = [&](int k, const QString& v) { return name(k) + QStringLiteral(" : ") + v; };
    const QString unit =
        strings.GetResString(base + 172 + platform::text::roundClamped(platform::text::valueOfText(s.Units), -1000000, 1000000));

    PageWriter w;
    w.x = 10;
    w.y = 20;

    w.points = 18;
    w.printAt(printableWidthMm / 2 - 10, strings.GetResString(ids::ALogView) + QStringLiteral(" ") + platform::text::numberText(static_cast<long long>(n)));
    w.points = 12;
    w.print(QString());

    w.printAt(10, modelCaption);
    w.printAt(10, dateCaption);
    w.print(QString());

    w.printAt(10, strings.GetResString(ids::NoteLabel) + QStringLiteral(" ") + s.NoteLabel);
    w.printAt(10, strings.GetResString(ids::NoteOperator) + QStringLiteral(" ") + s.NoteOperator);
    w.printAt(10, strings.GetResString(ids::NoteLocation) + QStringLiteral(" ") + s.NoteLocation);
    w.printAt(10, strings.GetResString(ids::NoteProbe) + QStringLiteral(" ") + s.NoteProbe);
    w.printAt(10, strings.GetResString(ids::NoteText) + QStringLiteral(" ") + s.NoteText.mid(0, 25));
    w.printAt(10, QStringLiteral("   ") + s.NoteText.mid(25, 25));
    w.printAt(10, QStringLiteral("   ") + s.NoteText.mid(50, 25));

    w.y += 10;
    const double top = w.y;
    w.y += 10;

    const QString frequency = s.FrequencyText == QStringLiteral("N/A") ? value(20, s.Frequency) : s.FrequencyText;
    for (const QString& text : {line(5, s.Gain), line(6, s.GainRef), line(20, frequency), line(30, value(30, s.Detect)),
                                line(111, value(111, s.MeasMode)), line(40, s.Reject)})
        w.printAt(10, text);

    w.page.primitives.push_back(PrintFrame{60, top, 180, top + 80});
    w.page.primitives.push_back(PrintPicture{60, top, 120, 80});

    const double top2 = top + 90;
    struct Column {
        double x;
        QString heading;
        QStringList lines;
    };
    const Column columns[] = {
        {10, name(0),
         {line(4, s.ProbeZero + unit), line(1, s.Range + unit), line(3, s.Velocity + QStringLiteral("m/s")),
          line(2, s.Delay + unit)}},
        {55, name(50),
         {line(51, s.TxWidth + QStringLiteral("ns")), line(60, value(60, s.Damping)), line(75, value(75, s.Volts)),
          line(80, value(80, s.PrfMax))}},
        {100, name(110), {line(111, value(111, s.MeasMode)), line(120, value(120, s.TrigMode))}},
        {145, QStringLiteral("PROBE"), {line(70, value(70, s.TxMode)), line(151, s.Angle), line(153, s.XOffset)}},
    };
    for (const Column& c : columns) {
        w.y = top2;
        w.bold = true;
        w.printAt(c.x, c.heading);
        w.bold = false;
        for (const QString& text : c.lines)
            w.printAt(c.x, text);
    }

    w.y += 10;
    w.printAt(10, strings.GetResString(ids::PrintoutMemo));
    for (const QString& text : memoLines(s.Memo))
        w.printAt(10, text);
    return w.page;
}

QStringList PrintPage::dump() const
{
    QStringList out;
    auto mm = [](double v) { return QString::number(v, 'f', 2); };
    for (const PrintPrimitive& p : primitives) {
        if (const auto* t = std::get_if<PrintText>(&p))
            out << QStringLiteral("text %1 %2 %3%4 \"%5\"")
                       .arg(mm(t->x), mm(t->y), QString::number(t->points), t->bold ? QStringLiteral(" b") : QString(), t->text);
        else if (const auto* f = std::get_if<PrintFrame>(&p))
            out << QStringLiteral("frame %1 %2 %3 %4").arg(mm(f->left), mm(f->top), mm(f->right), mm(f->bottom));
        else if (const auto* pic = std::get_if<PrintPicture>(&p))
            out << QStringLiteral("picture %1 %2 %3 %4").arg(mm(pic->left), mm(pic->top), mm(pic->width), mm(pic->height));
    }
    return out;
}

} // namespace tovu::reports
