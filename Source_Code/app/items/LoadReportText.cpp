#include "app/items/LoadReportText.h"

#include <QDir>

#include <algorithm>
#include <utility>

// Texts are filled with the many-argument arg(), so a "%" in a file name or a value
// is never taken for a place holder.

namespace tovu::items {

namespace {

QString cutPartText(const QString& key, const StringSource& strings)
{
    static const std::pair<const char*, CutPart> kParts[] = {
        {"WS", CutPart::Trace},    {"RP", CutPart::DacPoints}, {"YP", CutPart::TcgPoints}, {"DC", CutPart::DacCurve},
        {"AC", CutPart::AvgCurve}, {"YC", CutPart::TcgCurve},  {"ME", CutPart::Memo},
    };
    CutPart part = CutPart::Line;
    for (const auto& [k, p] : kParts)
        if (key == QLatin1String(k))
            part = p;
    const QString text = strings.GetResString(kCutPartTextBase + static_cast<int>(part));
    return part == CutPart::Line ? text.arg(key) : text;
}

} // namespace

QString skipReasonText(const SkippedLines& entry, const StringSource& strings)
{
    if (entry.reason == SkipReason::CutItem)
        return strings.GetResString(kCutItemText)
            .arg(strings.GetResString(entry.alog ? kALogWordText : kPanelWordText), QString::number(entry.item),
                 cutPartText(entry.detail, strings));
    if (entry.reason == SkipReason::CutLine)
        return strings.GetResString(kCutLineText);
    const QString text = strings.GetResString(kReasonTextBase + static_cast<int>(entry.reason));
    switch (entry.reason) {
    case SkipReason::BeforeFirstHeader:
        return text;
    case SkipReason::BadHeader:
        return text.arg(entry.detail, QString::number(entry.limit));
    default:
        return text.arg(entry.detail);
    }
}

QString loadReportText(const LoadReport& report, const QString& file, const StringSource& strings, int listed)
{
    QString text = strings.GetResString(kRecordsReadText).arg(QString::number(report.recordsRead), QDir::toNativeSeparators(file));
    text += u'\n' + strings.GetResString(kSkippedLinesText);
    const int shown = std::min(listed, static_cast<int>(report.entries.size()));
    for (int i = 0; i < shown; ++i) {
        const SkippedLines& e = report.entries[static_cast<std::size_t>(i)];
        const QString reason = skipReasonText(e, strings);
        text += u'\n';
        text += e.firstLine == e.lastLine ? strings.GetResString(kSkippedLineText).arg(QString::number(e.firstLine), reason)
                                          : strings.GetResString(kSkippedRangeText).arg(QString::number(e.firstLine), QString::number(e.lastLine), reason);
    }
    if (report.count() > shown)
        text += u'\n' + strings.GetResString(kMoreSkippedText).arg(report.count() - shown);
    return text + QStringLiteral("\n\n") + strings.GetResString(kOpenWhatWasReadText);
}

} // namespace tovu::items
