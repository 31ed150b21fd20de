#include "app/items/LoadReportText.h"

#include <QDir>

#include <algorithm>

// Texts are filled with the many-argument arg(), so a "%" in a file name or a value
// is never taken for a place holder.

namespace tovu::items {

QString skipReasonText(const SkippedLines& entry, const StringSource& strings)
{
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
