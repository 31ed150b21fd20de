#include "platform/office/word/HeadingLevels.h"

#include "platform/office/word/OoxmlNames.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

namespace tovu::platform::word {

namespace {

using namespace ooxml;

// "heading 3" (the built-in name) and "Heading3" (its id) give 3.
int builtInLevel(const QString& nameOrId)
{
    static const QRegularExpression heading(QStringLiteral("^heading ?([1-9])$"), QRegularExpression::CaseInsensitiveOption);
    const auto m = heading.match(nameOrId);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// An outline level as the file writes it, 0 to 8 for headings (9 is body text), as 1 to 9.
int outlineLevel(QStringView value)
{
    bool ok = false;
    const int v = value.toInt(&ok);
    return ok && v >= 0 && v <= 8 ? v + 1 : 0;
}

QHash<QString, int> readStyleLevels(const QByteArray& xml)
{
    QHash<QString, int> levels;
    QXmlStreamReader x(xml);
    QString id;
    int level = 0;
    bool paragraphStyle = false;
    const QLatin1String w(kW);
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.namespaceUri() == w) {
            const auto a = x.attributes();
            if (x.name() == QLatin1String("style")) {
                id = a.value(w, QStringLiteral("styleId")).toString();
                paragraphStyle = a.value(w, QStringLiteral("type")) == QLatin1String("paragraph");
                level = 0;
            } else if (x.name() == QLatin1String("name") && !level) {
                level = builtInLevel(a.value(w, QStringLiteral("val")).toString());
            } else if (x.name() == QLatin1String("outlineLvl")) {
                level = outlineLevel(a.value(w, QStringLiteral("val")));
            }
        } else if (x.isEndElement() && x.name() == QLatin1String("style")) {
            if (paragraphStyle && level)
                levels.insert(id, level);
            id.clear();
        }
    }
    return levels;
}

}  // namespace

HeadingLevels::HeadingLevels(const DocumentModel& model) : model_(model)
{
    for (const CarriedPart& part : model.carried.parts)
        if (part.contentType == QLatin1String(ooxml::kCtStyles))
            styleLevels_.insert(readStyleLevels(part.data));
}

int HeadingLevels::levelOf(const ParaFormat& format) const
{
    // Paragraph properties the model does not read are kept as their XML.
    static const QRegularExpression style(QStringLiteral("^<(?:\\w+:)?pStyle\\s[^>]*?(?:\\w+:)?val=\"([^\"]*)\""));
    static const QRegularExpression outline(QStringLiteral("^<(?:\\w+:)?outlineLvl\\s[^>]*?(?:\\w+:)?val=\"([^\"]*)\""));
    int level = 0;
    for (const QString& xml : format.carried) {
        if (const auto m = outline.match(xml); m.hasMatch())
            return outlineLevel(m.capturedView(1));
        if (const auto m = style.match(xml); m.hasMatch()) {
            const QString id = m.captured(1);
            level = styleLevels_.contains(id) ? styleLevels_.value(id) : builtInLevel(id);
        }
    }
    return level;
}

std::optional<std::pair<int, int>> HeadingLevels::headingSpan(int position) const
{
    const Story& body = model_.body;
    const auto paragraphs = body.paragraphs();
    const auto levelAt = [&](std::size_t i) { return levelOf(body.pool().para(body.at(paragraphs[i].second - 1).para)); };
    std::size_t at = 0;
    while (at + 1 < paragraphs.size() && paragraphs[at].second <= position)
        ++at;
    std::size_t heading = at + 1;
    for (std::size_t i = at + 1; i-- > 0;)
        if (levelAt(i) > 0) {
            heading = i;
            break;
        }
    if (heading > at)
        return std::nullopt;
    const int level = levelAt(heading);
    std::size_t end = heading + 1;
    while (end < paragraphs.size() && (levelAt(end) == 0 || levelAt(end) > level))
        ++end;
    return std::make_pair(paragraphs[heading].first, paragraphs[end - 1].second);
}

}  // namespace tovu::platform::word
