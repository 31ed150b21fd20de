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

// One paragraph style of a styles part, as far as headings go.
struct StyleEntry {
    QString basedOn;
    int outline = -1;  // its own outline level (0 body text), -1 for none
    int builtIn = 0;   // the level its built-in name gives
};

// The level of a style: its own outline level, else its built-in heading name (whatever
// its id, which a localized word processor writes in its own language), else its base
// style's level.
int resolvedLevel(const QHash<QString, StyleEntry>& styles, const QString& id, int depth = 0)
{
    const auto it = styles.constFind(id);
    if (it == styles.constEnd() || depth > 32)  // a loop of base styles ends somewhere
        return 0;
    if (it->outline >= 0)
        return it->outline;
    if (it->builtIn)
        return it->builtIn;
    return it->basedOn.isEmpty() ? 0 : resolvedLevel(styles, it->basedOn, depth + 1);
}

}  // namespace

void HeadingLevels::readStyles(const QByteArray& xml)
{
    QHash<QString, StyleEntry> styles;
    QString defaultId;
    QXmlStreamReader x(xml);
    QString id;
    StyleEntry entry;
    bool paragraphStyle = false;
    const QLatin1String w(kW);
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.namespaceUri() == w) {
            const auto a = x.attributes();
            const auto val = a.value(w, QStringLiteral("val"));
            if (x.name() == QLatin1String("style")) {
                id = a.value(w, QStringLiteral("styleId")).toString();
                paragraphStyle = a.value(w, QStringLiteral("type")) == QLatin1String("paragraph");
                if (paragraphStyle && (a.value(w, QStringLiteral("default")) == QLatin1String("1") ||
                                       a.value(w, QStringLiteral("default")) == QLatin1String("true")))
                    defaultId = id;
                entry = StyleEntry{};
            } else if (x.name() == QLatin1String("name")) {
                entry.builtIn = builtInLevel(val.toString());
            } else if (x.name() == QLatin1String("basedOn")) {
                entry.basedOn = val.toString();
            } else if (x.name() == QLatin1String("outlineLvl")) {
                entry.outline = outlineLevel(val);
            }
        } else if (x.isEndElement() && x.name() == QLatin1String("style")) {
            if (paragraphStyle && !id.isEmpty())
                styles.insert(id, entry);
            id.clear();
        }
    }
    for (auto it = styles.constBegin(); it != styles.constEnd(); ++it)
        styleLevels_.insert(it.key(), resolvedLevel(styles, it.key()));
    defaultLevel_ = defaultId.isEmpty() ? 0 : styleLevels_.value(defaultId);
}

HeadingLevels::HeadingLevels(const DocumentModel& model) : model_(model)
{
    if (!model.carried.styles.isEmpty())
        readStyles(model.carried.styles);
}

int HeadingLevels::levelOf(const ParaFormat& format) const
{
    // Paragraph properties the model does not read are kept as their XML.
    static const QRegularExpression style(QStringLiteral("^<(?:\\w+:)?pStyle\\s[^>]*?(?:\\w+:)?val=\"([^\"]*)\""));
    static const QRegularExpression outline(QStringLiteral("^<(?:\\w+:)?outlineLvl\\s[^>]*?(?:\\w+:)?val=\"([^\"]*)\""));
    std::optional<int> level;  // of the paragraph's style
    for (const QString& xml : format.carried) {
        if (const auto m = outline.match(xml); m.hasMatch())
            return outlineLevel(m.capturedView(1));
        if (const auto m = style.match(xml); m.hasMatch()) {
            const QString id = m.captured(1);
            level = styleLevels_.contains(id) ? styleLevels_.value(id) : builtInLevel(id);
        }
    }
    return level.value_or(defaultLevel_);
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
