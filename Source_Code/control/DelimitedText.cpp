#include "control/DelimitedText.h"

#include "control/WholeFile.h"
#include "control/clsConcat.h"
#include "platform/automation/AutomationError.h"
#include "platform/locale/AnsiCodePage.h"
#include "platform/locale/UserLocale.h"

#include <QFile>
#include <algorithm>

namespace tovu::control {

namespace {

int codePage()
{
    return platform::locale::ansiCodePage(platform::locale::userDefaultLcid());
}

bool isDelimiter(QChar c, const QString& delimiter)
{
    return delimiter.size() == 1 && c == delimiter.front();
}

qsizetype delimiterCount(const QString& line, const QString& delimiter)
{
    return std::count_if(line.begin(), line.end(), [&](QChar c) { return isDelimiter(c, delimiter); });
}

} // namespace

std::optional<QStringList> readTextFileLines(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString text = platform::locale::decode(file.readAll(), codePage());
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\r'))
            continue;
        lines << text.mid(start, i - start);
        if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

void writeTextFileLines(const QString& path, const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    writeWholeFile(path, platform::locale::encode(text, codePage()));
}

QStringList delimitedFields(QString line, const QString& delimiter)
{
    if (line.right(1) != delimiter)
        line += delimiter;
    clsConcat builder;
    QStringList fields;
    for (const QChar c : line) {
        if (isDelimiter(c, delimiter)) {
            fields << builder.GetString();
            builder.ReInit();
        } else {
            builder.SConcat(QString(c));
        }
    }
    return fields;
}

QString withoutQuotes(const QString& field)
{
    const QChar quote(34);
    if (field.size() >= 2 && field.front() == quote && field.back() == quote)
        return field.mid(1, field.size() - 2);
    return field;
}

automation::SafeArray delimitedArray(const QStringList& lines, const QString& delimiter, bool removeQuotes)
{
    qsizetype widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, delimiterCount(line, delimiter));
    if (lines.isEmpty())
        throw automation::AutomationError::standard(automation::ErrorNumber::SubscriptOutOfRange);
    automation::SafeArray array(
        {{0, static_cast<std::int32_t>(lines.size() - 1)}, {0, static_cast<std::int32_t>(widest)}});
    for (qsizetype row = 0; row < lines.size(); ++row) {
        const QStringList fields = delimitedFields(lines[row], delimiter);
        for (qsizetype column = 0; column < fields.size(); ++column)
            array.set({static_cast<std::int32_t>(row), static_cast<std::int32_t>(column)},
                      automation::Variant(removeQuotes ? withoutQuotes(fields[column]) : fields[column]));
    }
    return array;
}

QString joinedText(const automation::Variant& value)
{
    return value.isNull() ? QString() : value.toString();
}

} // namespace tovu::control
