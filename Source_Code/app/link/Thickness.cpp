#include "app/link/Thickness.h"

#include "platform/text/NumberText.h"
#include "app/link/CommandPrimitive.h"
#include "app/link/Commands.h"
#include "app/link/Connection.h"
#include "app/link/LinkError.h"
#include "app/link/PortAccess.h"
#include "app/link/TransferSupport.h"
#include "platform/files/AtomicFile.h"
#include "platform/locale/UserLocale.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tovu::link {

namespace {

const QString kComplete = QStringLiteral("complete");
const QString kThicknessSource = QStringLiteral("Get_Thickness");

// Reads one line against the deadline; nothing when the deadline passed.
std::optional<QString> readLine(PortAccess& io, std::int64_t deadline)
{
    QString line;
    for (;;) {
        const int c = io.readChar(deadline);
        if (c < 0)
            return std::nullopt;
        if (c == '\r')
            return line;
        if (c != '\n')
            line += QChar::fromLatin1(static_cast<char>(c));
    }
}

// A whole number from 1 to the bound, or nothing.
std::optional<int> gridIndex(const QString& field)
{
    const std::optional<double> v = platform::text::strictValueOfText(field, u".");
    if (!v || *v < 1 || *v > kMaxThicknessIndex || std::floor(*v) != *v)
        return std::nullopt;
    return static_cast<int>(*v);
}

struct Placed {
    int location;
    int number;
};

std::optional<Placed> placeOf(const QString& reading)
{
    const QStringList f = reading.split(QLatin1Char(','));
    if (f.size() < kThicknessFields)
        return std::nullopt;
    const auto loc = gridIndex(f[1]);
    const auto num = gridIndex(f[2]);
    if (!loc || !num)
        return std::nullopt;
    return Placed{*loc, *num};
}

QString separatorOf(const QString& str_dec) { return str_dec == QLatin1String(".") ? QStringLiteral(",") : QStringLiteral(";"); }

QString rowLabel(int k)
{
    switch (k) {
    case 1: return QStringLiteral("Thickness ");
    case 2: return QStringLiteral("Numeric ");
    case 3: return QStringLiteral("Mode ");
    default: return {};
    }
}

} // namespace

ThicknessEnd Get_Thickness(LinkContext& ctx, const QString& strToSend, ThicknessLog& log,
                           const std::function<void(const QStringList&)>& onReading)
{
    PortAccess io(ctx, kThicknessSource);
    io.clearBuffers();
    log.ThicknessValues.clear();
    ctx.store.ThicknessCount = 0;
    io.send(strToSend);
    for (;;) {
        const std::int64_t deadline = ctx.clock.nowMs() + kThicknessWaitMs;
        std::optional<QString> line;
        QStringList fields;
        do {
            line = readLine(io, deadline);
            if (!line)
                return ThicknessEnd::TimedOut;
            if (*line == kComplete)
                return ThicknessEnd::Complete;
            fields = line->split(QLatin1Char(','));
        } while (fields.size() != kThicknessFields);
        log.ThicknessValues << *line;
        ctx.store.ThicknessCount = log.ThicknessCount();
        ctx.pump.doEvents();
        if (onReading)
            onReading(fields);
    }
}

int downloadThickness(LinkContext& ctx, LinkDialogs& dialogs, ThicknessLog& log, const QString& block,
                      const ThicknessHooks& hooks)
{
    ctx.Active = true;
    if (hooks.setInfo)
        hooks.setInfo(QStringLiteral("Downloading..."));
    try {
        OpenComm(ctx);
        WriteComm(ctx, command::kThicknessLog, QString());
        WriteComm(ctx, command::kThicknessBlock + block, QString());
        if (Get_Thickness(ctx, command::kThicknessDownload, log, hooks.onReading) == ThicknessEnd::TimedOut)
            dialogs.message(QStringLiteral("ERROR"), QString(), LinkIcon::None);
    } catch (const std::exception&) {
        CloseComm(ctx);
        ctx.Active = true;
        log.ThicknessValues.clear();
        ctx.store.ThicknessCount = 0;
        if (hooks.setInfo)
            hooks.setInfo(QStringLiteral("Error in download..."));
        return 0;
    }
    CloseComm(ctx);
    if (hooks.resetValues)
        hooks.resetValues();
    if (hooks.setInfo)
        hooks.setInfo(QStringLiteral("Download Complete..."));
    return log.ThicknessCount();
}

QString GetCurrencySymbol()
{
    const QString sep = platform::locale::decimalSeparator();
    const qsizetype nul = sep.indexOf(QChar(0));
    return nul < 0 ? sep : sep.left(nul);
}

QStringList Populate_Thickness_Values(QStringList ArraySent, int ASIZE, const QString& strSent,
                                      const QString& File_sep)
{
    QString reading = strSent;
    if (File_sep != QLatin1String(","))
        reading.replace(QLatin1Char(','), File_sep);
    const QStringList f = reading.split(File_sep);
    if (f.size() < kThicknessFields)
        return ArraySent;
    const QString thickness = f.mid(kThicknessFields - 1).join(File_sep);
    const auto location = gridIndex(f[1]);
    const auto number = gridIndex(f[2]);
    const int row = number ? *number + 1 : -1;
    if (!location || row >= std::min<qsizetype>(ASIZE, ArraySent.size()))
        return ArraySent;
    const QString& line = ArraySent[row];
    const qsizetype first = line.indexOf(File_sep);
    const qsizetype second = first < 0 ? -1 : line.indexOf(File_sep, first + 1);
    if (second < 0)
        return ArraySent;
    QString out = line.left(second + 1);
    QString rest = line.mid(second + 1);
    for (int i = 1; i <= *location; ++i) {
        const qsizetype p = rest.indexOf(File_sep);
        QString cell;
        if (p < 0) {
            rest.clear();
        } else {
            cell = rest.left(p);
            rest = rest.mid(p + File_sep.size());
        }
        out += (i == *location ? thickness : cell) + File_sep;
    }
    ArraySent[row] = out + rest;
    return ArraySent;
}

QStringList thicknessGrid(const QStringList& readings, const QString& str_dec)
{
    const QString s = separatorOf(str_dec);
    int locations = 0;
    int numbers = 0;
    for (const QString& r : readings)
        if (const auto p = placeOf(r)) {
            locations = std::max(locations, p->location);
            numbers = std::max(numbers, p->number);
        }
    const QString block = readings.isEmpty() ? QString() : readings.last().section(QLatin1Char(','), 0, 0);
    QStringList lines;
    lines << QStringLiteral("BLOCK ") + block + s + s + QStringLiteral("LOCATIONS");
    QString header = s + s;
    for (int l = 1; l <= locations; ++l)
        header += QString::number(l) + s;
    lines << header;
    for (int k = 1; k <= numbers; ++k) {
        QString row = rowLabel(k) + s + QString::number(k);
        for (int l = 1; l <= locations; ++l)
            row += s + QStringLiteral("0");
        lines << row;
    }
    for (const QString& r : readings)
        if (placeOf(r))
            lines = Populate_Thickness_Values(lines, static_cast<int>(lines.size()), r, s);
    return lines;
}

bool Save_Thickness(const QString& FILENAME, const QString& str_dec, const QStringList& readings, QString* reason)
{
    QByteArray bytes;
    for (const QString& line : thicknessGrid(readings, str_dec))
        bytes += line.toLatin1() + "\r\n";
    const platform::files::WriteResult written = platform::files::writeFileAtomically(FILENAME, bytes);
    if (reason)
        *reason = written.reason;
    return written.ok;
}

bool saveThicknessLog(LinkDialogs& dialogs, const ThicknessLog& log, const QString& decimalSeparator,
                      const std::function<QString(const QString& filter)>& chooseFile)
{
    if (log.ThicknessCount() < 1) {
        dialogs.message(QStringLiteral("Make sure you have valid thickness readings downloaded."),
                        QStringLiteral("ERROR"), LinkIcon::Critical);
        return false;
    }
    const QString filter = decimalSeparator == QLatin1String(".") ? kCsvFilter : kSkvFilter;
    const QString name = chooseFile ? chooseFile(filter) : QString();
    if (name.isEmpty())
        return false;
    QString reason;
    if (!Save_Thickness(name, decimalSeparator, log.ThicknessValues, &reason)) {
        dialogs.message(QStringLiteral("Unable to save file :- ") + kCrLf + name + kCrLf + reason, QString(), LinkIcon::None);
        return false;
    }
    return true;
}

} // namespace tovu::link
