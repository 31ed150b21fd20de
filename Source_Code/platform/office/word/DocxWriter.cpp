#include "platform/office/word/DocxWriter.h"

#include "platform/office/graph/ChartXml.h"
#include "platform/office/word/ChartDrawing.h"

#include "platform/office/word/OoxmlNames.h"
#include "platform/office/word/TableFormats.h"
#include "platform/office/word/SchemaOrder.h"
#include "platform/office/word/WordError.h"
#include "platform/zip/PartText.h"
#include "platform/zip/ZipArchive.h"
#include "platform/zip/ZipError.h"

#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <functional>
#include <optional>

namespace tovu::platform::word {

using namespace ooxml;

namespace docx {

struct Relationship {
    QString id;
    QString type;
    QString target;
    bool external = false;
};

struct MediaPart {
    QString name;  // word/...
    QByteArray bytes;
    PictureFormat format;
};

}  // namespace docx

using docx::MediaPart;
using docx::Relationship;

// One body block (a paragraph, or a table with the paragraph it stands in) as written,
// with how far the main part's relationships, the media, the chart parts and the drawing
// numbers had got at its end.
struct DocxBlock {
    int start = 0;
    int end = 0;
    QByteArray xml;
    std::size_t relationships = 0;
    std::size_t media = 0;
    std::size_t charts = 0;
    int drawingId = 0;
};

// What a save wrote, for the next save of the same model: a block is written again only
// from the first change of the text, of an object, bookmark or hyperlink it shows; the
// blocks before it are settled in the compressed body; parts and media that come out the
// same as last time go in with their compressed bytes.
struct DocxSaveCache {
    // What the blocks were written from.
    std::vector<StoryChar> chars;
    std::vector<std::tuple<QString, int, int>> bookmarks;
    std::vector<Hyperlink> hyperlinks;
    std::vector<std::uint64_t> objectEdits;
    double textWidth = -1;
    QString head;  // the main part up to the first block
    std::size_t carriedRelationships = 0;
    std::vector<DocxBlock> blocks;
    // The state of the main part once the last block was written.
    std::vector<Relationship> relationships;
    std::vector<MediaPart> media;
    std::vector<std::pair<QString, QByteArray>> charts;  // chart parts, in order
    // The head and blocks [0, settled) compressed.
    std::unique_ptr<zip::GrowingPart> body;
    std::size_t settled = 0;
    // Every part of the last package by name: its bytes and those compressed.
    QHash<QString, std::pair<QByteArray, zip::CompressedPart>> compressed;
};

namespace {

using zip::xmlText;

// A part is written whole or the save fails: a stream writer that met an error has left
// names and text out of what follows it.
QByteArray checked(const QXmlStreamWriter& x, QByteArray bytes, const QString& part)
{
    if (x.hasError())
        throw WordError(QStringLiteral("Save"), QStringLiteral("the part \"%1\" could not be written").arg(part));
    return bytes;
}

// The relationships of one part: those carried from a foreign file, listed first, and
// ours, numbered "tvR<n>" past every id already listed.
struct PartRelationships {
    std::vector<Relationship> list;
    QString add(const char* type, const QString& target, bool external = false)
    {
        // A new id never meets one the part already has, ours or carried.
        const auto taken = [&](const QString& id) {
            return std::any_of(list.begin(), list.end(), [&](const Relationship& r) { return r.id == id; });
        };
        std::size_t n = list.size() + 1;
        while (taken(QStringLiteral("tvR%1").arg(n)))
            ++n;
        const QString id = QStringLiteral("tvR%1").arg(n);
        list.push_back(Relationship{id, QLatin1String(type), target, external});
        return id;
    }
};

QByteArray relationshipsXml(const std::vector<Relationship>& rels)
{
    QByteArray out;
    QXmlStreamWriter x(&out);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeDefaultNamespace(QLatin1String(kPkgRels));
    x.writeStartElement(QLatin1String(kPkgRels), QStringLiteral("Relationships"));
    for (const auto& r : rels) {
        x.writeStartElement(QLatin1String(kPkgRels), QStringLiteral("Relationship"));
        x.writeAttribute(QStringLiteral("Id"), xmlText(r.id));
        x.writeAttribute(QStringLiteral("Type"), xmlText(r.type));
        x.writeAttribute(QStringLiteral("Target"), xmlText(r.target));
        if (r.external)
            x.writeAttribute(QStringLiteral("TargetMode"), QStringLiteral("External"));
        x.writeEndElement();
    }
    x.writeEndElement();
    x.writeEndDocument();
    return checked(x, out, QStringLiteral("relationships"));
}

// The styles part of the file a document came from, written back with the styles of ours
// it lacks (by id; a default one only where the file has no default of its kind) added at
// its end. Ours alone when it cannot be read, or does not name the main namespace "w" as
// ours do.
QByteArray mergedStyles(const QByteArray& file, const QByteArray& ours)
{
    QSet<QString> ids, defaults;  // style ids; kinds with a default style
    bool wIsMain = false;
    QXmlStreamReader x(file);
    const QLatin1String main(kW);
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement())
            continue;
        if (x.name() == QLatin1String("styles"))
            for (const auto& ns : x.namespaceDeclarations())
                wIsMain = wIsMain || (ns.prefix() == QLatin1String("w") && ns.namespaceUri() == main);
        else if (x.name() == QLatin1String("style") && x.namespaceUri() == main) {
            const auto a = x.attributes();
            ids.insert(a.value(main, QStringLiteral("styleId")).toString());
            if (a.value(main, QStringLiteral("default")) == QLatin1String("1"))
                defaults.insert(a.value(main, QStringLiteral("type")).toString());
        }
    }
    const qsizetype close = file.lastIndexOf("</w:styles>");
    if (x.hasError() || !wIsMain || close < 0)
        return ours;
    // Ours as the writer above writes them: type, default, id.
    static const QRegularExpression style(
        QStringLiteral("<w:style w:type=\"([^\"]*)\"( w:default=\"1\")? w:styleId=\"([^\"]*)\">.*?</w:style>"),
        QRegularExpression::DotMatchesEverythingOption);
    QByteArray added;
    const QString text = QString::fromUtf8(ours);
    for (auto it = style.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        if (!ids.contains(m.captured(3)) && (m.captured(2).isEmpty() || !defaults.contains(m.captured(1))))
            added += m.captured(0).toUtf8();
    }
    return file.left(close) + added + file.mid(close);
}

QString fileUrl(const QString& path)
{
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

class Writer {
public:
    Writer(const DocumentModel& model, DocxSaveCache& cache) : m_(model), cache_(cache) {}
    QByteArray build();

private:
    // One XML part: the stream writer and the relationships it gathers.
    // The stream writes into text, converted once at the end: a large part written
    // piece by piece into a device costs a conversion and a write for every piece.
    struct Part {
        QString text;
        QXmlStreamWriter x{&text};
        PartRelationships rels;
        void raw(const QString& xml)
        {
            x.writeCharacters(QString());  // closes a start tag still open
            text += xml;
        }
        QByteArray bytes() const { return checked(x, text.toUtf8(), QStringLiteral("XML")); }
    };

    void startRoot(Part& p, const char* name, bool body);
    // Elements and attributes of the main namespace by their "w:" names: the root declares
    // the prefix, and a name given with its namespace would be looked up on every call.
    static QString wName(const char* name) { return QStringLiteral("w:") + QLatin1String(name); }
    void w(Part& p, const char* name) { p.x.writeStartElement(wName(name)); }
    void wEmpty(Part& p, const char* name) { p.x.writeEmptyElement(wName(name)); }
    void attr(Part& p, const char* name, const QString& value) { p.x.writeAttribute(wName(name), xmlText(value)); }
    void attr(Part& p, const char* name, qint64 value) { attr(p, name, QString::number(value)); }
    void valElement(Part& p, const char* name, const QString& value)
    {
        wEmpty(p, name);
        attr(p, "val", value);
    }

    void writeStory(Part& p, const Story& story, bool body);
    // One paragraph of a story, or the table or carried element standing in it.
    void writeBlock(Part& p, const Story& story, const std::vector<std::pair<int, int>>& paragraphs, std::size_t i, bool body);
    // The main text into doc, from the first block that changed since the last save;
    // answers the body part compressed, given the XML that follows the blocks.
    struct Body {
        std::vector<std::pair<int, int>> paragraphs;
        std::size_t reused = 0;        // leading blocks taken from the last save
        qsizetype firstNew = 0;        // where the blocks written now begin in the part's text
        std::vector<qsizetype> ends;   // and where each of them ends
    };
    Body writeBody(Part& doc);
    int firstChange() const;
    zip::CompressedPart compressBody(const Part& doc, const Body& body);
    const zip::CompressedPart& compressed(const QString& name, const QByteArray& bytes);
    void writeParagraph(Part& p, const Story& story, int start, int end, bool body);
    struct PropertyItem {
        int order;
        std::function<void()> write;
    };
    void writeOrdered(Part& p, std::vector<PropertyItem>& items, const QStringList& carried, int (*order)(QStringView));
    void writeParaProps(Part& p, const ParaFormat& para, const CharFormat* markFont, const char* frameAlign = nullptr);
    void writeRunProps(Part& p, const CharFormat& f, bool hyperlinkStyle, bool extraBold = false);
    // The same properties from a cache of what they wrote: a document repeats a few
    // formats over thousands of paragraphs, runs and table cells.
    void writeParaPropsCached(Part& p, const ParaFormat& para, const CharFormat* markFont);
    void writeRunPropsCached(Part& p, const CharFormat& f, bool hyperlinkStyle);
    template <typename Key, typename Write>
    void writeCached(Part& p, std::vector<std::pair<Key, QString>>& cache, const Key& key, Write write);
    void writeRunText(Part& p, const QString& text);
    void writeObject(Part& p, const EmbeddedObject& object, const CharFormat& font);
    void writeField(Part& p, const char* instr, const CharFormat& font);
    void writeTable(Part& p, const TableModel& table);
    void writePicture(Part& p, const PictureData& pic, double width, double height, const FloatingPicture* floating);
    void writeSectPr(Part& p);
    void writeHeaderFooter(bool header, const HeaderFooterModel& hf, const QString& partName);
    QByteArray stylesXml();
    QByteArray settingsXml();
    QByteArray coreXml();
    QByteArray appXml();
    QByteArray contentTypesXml();
    double textWidth() const { return m_.section.page.pageWidth - m_.section.page.leftMargin - m_.section.page.rightMargin; }

    const DocumentModel& m_;
    DocxSaveCache& cache_;
    QHash<QString, std::pair<QByteArray, zip::CompressedPart>> compressed_;  // this package's
    std::vector<QString> chartParts_;  // in the order the body wrote them
    // The XML written for a paragraph format (with its mark's font) and for a run format
    // (with its hyperlink style), for the length of one save.
    using ParaKey = std::pair<ParaFormat, std::optional<CharFormat>>;
    using RunKey = std::pair<CharFormat, bool>;
    static constexpr std::size_t kMaxCachedFormats = 64;
    std::vector<std::pair<ParaKey, QString>> paraProps_;
    std::vector<std::pair<RunKey, QString>> runProps_;
    std::vector<MediaPart> media_;
    QMap<QString, QByteArray> parts_;        // our XML parts by name
    QMap<QString, QString> overrides_;       // part name -> content type
    std::vector<std::pair<QString, QString>> headerRefs_, footerRefs_;  // type, rel id
    int drawingId_ = 0;
};

void Writer::startRoot(Part& p, const char* name, bool body)
{
    p.x.setAutoFormatting(false);
    p.x.writeStartDocument(QStringLiteral("1.0"), true);
    p.x.writeNamespace(QLatin1String(kW), QStringLiteral("w"));
    p.x.writeNamespace(QLatin1String(kR), QStringLiteral("r"));
    p.x.writeNamespace(QLatin1String(kWp), QStringLiteral("wp"));
    p.x.writeNamespace(QLatin1String(kA), QStringLiteral("a"));
    p.x.writeNamespace(QLatin1String(kPic), QStringLiteral("pic"));
    p.x.writeNamespace(QLatin1String(kMc), QStringLiteral("mc"));
    p.x.writeNamespace(QLatin1String(kTv), QStringLiteral("tv"));
    const QStringList ours = {QStringLiteral("w"), QStringLiteral("r"), QStringLiteral("wp"), QStringLiteral("a"),
                              QStringLiteral("pic"), QStringLiteral("mc"), QStringLiteral("tv")};
    if (body)
        for (const auto& [prefix, uri] : m_.carried.namespaces)
            if (!ours.contains(prefix) && !prefix.isEmpty())
                p.x.writeNamespace(uri, prefix);
    p.x.writeStartElement(QLatin1String(kW), QLatin1String(name));
    if (body && !m_.carried.ignorable.isEmpty())
        p.x.writeAttribute(QLatin1String(kMc), QStringLiteral("Ignorable"), m_.carried.ignorable);
}

QByteArray Writer::build()
{
    // Main part.
    Part doc;
    for (const auto& r : m_.carried.documentRelationships)
        doc.rels.list.push_back(Relationship{r.id, r.type, r.target, r.external});
    startRoot(doc, "document", true);
    w(doc, "body");
    const Body body = writeBody(doc);

    // Headers and footers get parts of their own, referenced from the section.
    static constexpr std::array<const char*, 3> kTypes = {"default", "first", "even"};
    int hfNumber = 0;
    for (int i = 0; i < 3; ++i) {
        for (int h = 0; h < 2; ++h) {
            const bool header = h == 0;
            const HeaderFooterModel& hf = header ? m_.section.headers[static_cast<std::size_t>(i)] : m_.section.footers[static_cast<std::size_t>(i)];
            const bool firstNeeded = i == 1 && m_.section.differentFirstPage;
            if (hf.isEmpty() && !firstNeeded)
                continue;
            // Our parts' names never meet those of parts carried from a foreign file.
            const QString name = QStringLiteral("tv%1%2.xml").arg(header ? "header" : "footer").arg(++hfNumber);
            writeHeaderFooter(header, hf, QStringLiteral("word/") + name);
            const QString id = doc.rels.add(header ? kRelHeader : kRelFooter, name);
            (header ? headerRefs_ : footerRefs_).emplace_back(QLatin1String(kTypes[static_cast<std::size_t>(i)]), id);
        }
    }
    writeSectPr(doc);
    doc.x.writeEndElement();  // body
    doc.x.writeEndElement();  // document
    doc.x.writeEndDocument();

    doc.rels.add(kRelStyles, QStringLiteral("styles.xml"));
    doc.rels.add(kRelSettings, QStringLiteral("settings.xml"));
    const QString mainPart = QStringLiteral("word/document.xml");
    overrides_[QStringLiteral("word/document.xml")] = QLatin1String(kCtMain);
    parts_[QStringLiteral("word/_rels/document.xml.rels")] = relationshipsXml(doc.rels.list);
    parts_[QStringLiteral("word/styles.xml")] = stylesXml();
    overrides_[QStringLiteral("word/styles.xml")] = QLatin1String(kCtStyles);
    parts_[QStringLiteral("word/settings.xml")] = settingsXml();
    overrides_[QStringLiteral("word/settings.xml")] = QLatin1String(kCtSettings);
    parts_[QStringLiteral("docProps/core.xml")] = coreXml();
    overrides_[QStringLiteral("docProps/core.xml")] = QLatin1String(kCtCore);
    parts_[QStringLiteral("docProps/app.xml")] = appXml();
    overrides_[QStringLiteral("docProps/app.xml")] = QLatin1String(kCtExtended);

    std::vector<Relationship> pkgRels = {
        {QStringLiteral("tvR1"), QLatin1String(kRelOfficeDocument), QStringLiteral("word/document.xml"), false},
        {QStringLiteral("tvR2"), QLatin1String(kRelCore), QStringLiteral("docProps/core.xml"), false},
        {QStringLiteral("tvR3"), QLatin1String(kRelExtended), QStringLiteral("docProps/app.xml"), false}};
    for (const auto& r : m_.carried.packageRelationships)
        pkgRels.push_back(Relationship{r.id, r.type, r.target, r.external});
    parts_[QStringLiteral("_rels/.rels")] = relationshipsXml(pkgRels);

    const zip::CompressedPart mainBytes = compressBody(doc, body);
    zip::ZipWriter zip;
    // The content types come first, as readers that stream the package expect.
    zip.add(QStringLiteral("[Content_Types].xml"), compressed(QStringLiteral("[Content_Types].xml"), contentTypesXml()));
    bool mainWritten = false;
    for (auto it = parts_.cbegin(); it != parts_.cend(); ++it) {
        if (!mainWritten && mainPart < it.key()) {
            zip.add(mainPart, mainBytes);
            mainWritten = true;
        }
        zip.add(it.key(), compressed(it.key(), it.value()));
    }
    if (!mainWritten)
        zip.add(mainPart, mainBytes);
    for (const auto& mp : media_)
        zip.add(mp.name, compressed(mp.name, mp.bytes));
    for (const auto& cp : m_.carried.parts)
        if (!parts_.contains(cp.name) && cp.name != mainPart)
            zip.add(cp.name, compressed(cp.name, cp.data));
    cache_.compressed = std::move(compressed_);
    return zip.finish();
}

const zip::CompressedPart& Writer::compressed(const QString& name, const QByteArray& bytes)
{
    const auto same = [](const QByteArray& a, const QByteArray& b) {
        return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
    };
    const auto last = cache_.compressed.constFind(name);
    if (last != cache_.compressed.constEnd() && same(last->first, bytes))
        return compressed_.insert(name, *last)->second;
    return compressed_.insert(name, {bytes, zip::compressPart(bytes)})->second;
}

int Writer::firstChange() const
{
    const DocxSaveCache& c = cache_;
    const std::vector<StoryChar>& now = m_.body.chars();
    const std::size_t common = std::min(now.size(), c.chars.size());
    int first = static_cast<int>(std::mismatch(now.begin(), now.begin() + static_cast<long>(common), c.chars.begin()).first - now.begin());
    for (int i = 0; i < first; ++i) {
        const int object = now[static_cast<std::size_t>(i)].object;
        if (object >= 0 && (static_cast<std::size_t>(object) >= c.objectEdits.size() ||
                            m_.objectEdit(object) != c.objectEdits[static_cast<std::size_t>(object)])) {
            first = i;
            break;
        }
    }
    // A bookmark that came, went or moved changes the blocks from the first place it was or is.
    const std::size_t marks = std::max(m_.bookmarks.size(), c.bookmarks.size());
    for (std::size_t b = 0; b < marks; ++b) {
        const bool was = b < c.bookmarks.size();
        const bool is = b < m_.bookmarks.size();
        const auto now = is ? std::tuple{m_.bookmarks[b].name, m_.bookmarks[b].range->start, m_.bookmarks[b].range->end}
                            : std::tuple<QString, int, int>{};
        if (was && is && now == c.bookmarks[b])
            continue;
        if (was)
            first = std::min({first, std::get<1>(c.bookmarks[b]), std::get<2>(c.bookmarks[b])});
        if (is)
            first = std::min({first, std::get<1>(now), std::get<2>(now)});
    }
    if (!std::equal(c.hyperlinks.begin(), c.hyperlinks.begin() + static_cast<long>(std::min(c.hyperlinks.size(), m_.hyperlinks.size())),
                    m_.hyperlinks.begin()))
        first = 0;
    return std::max(0, first);
}

Writer::Body Writer::writeBody(Part& doc)
{
    doc.raw(QString());  // the body's start tag closed: what follows is blocks
    DocxSaveCache& c = cache_;
    Body body;
    body.paragraphs = m_.body.paragraphs();
    const bool sameFrame = c.head == doc.text && c.textWidth == textWidth() &&
                           c.carriedRelationships == m_.carried.documentRelationships.size();
    if (sameFrame && !c.blocks.empty()) {
        // The last block of the last save is written again: the text went on after it.
        const int first = firstChange();
        while (body.reused + 1 < c.blocks.size() && body.reused < body.paragraphs.size() &&
               c.blocks[body.reused].end <= first &&
               body.paragraphs[body.reused] == std::pair{c.blocks[body.reused].start, c.blocks[body.reused].end})
            ++body.reused;
    }
    if (body.reused > 0) {
        const DocxBlock& last = c.blocks[body.reused - 1];
        doc.rels.list.assign(c.relationships.begin(), c.relationships.begin() + static_cast<long>(last.relationships));
        media_.assign(c.media.begin(), c.media.begin() + static_cast<long>(last.media));
        for (std::size_t k = 0; k < last.charts; ++k) {
            const auto& [name, xml] = c.charts[k];
            parts_[name] = xml;
            overrides_[name] = QLatin1String(graph::kChartContentType);
            chartParts_.push_back(name);
        }
        drawingId_ = last.drawingId;
    }
    c.blocks.resize(body.reused);
    body.firstNew = doc.text.size();
    for (std::size_t i = body.reused; i < body.paragraphs.size(); ++i) {
        writeBlock(doc, m_.body, body.paragraphs, i, true);
        doc.raw(QString());
        body.ends.push_back(doc.text.size());
        const qsizetype from = body.ends.size() > 1 ? body.ends[body.ends.size() - 2] : body.firstNew;
        c.blocks.push_back(DocxBlock{body.paragraphs[i].first, body.paragraphs[i].second,
                                     QStringView(doc.text).mid(from, body.ends.back() - from).toUtf8(),
                                     doc.rels.list.size(), media_.size(), chartParts_.size(), drawingId_});
    }
    // What the blocks were written from, for the next save.
    c.head = doc.text.left(body.firstNew);
    c.textWidth = textWidth();
    c.carriedRelationships = m_.carried.documentRelationships.size();
    c.chars = m_.body.chars();
    c.bookmarks.clear();
    for (const Bookmark& b : m_.bookmarks)
        c.bookmarks.emplace_back(b.name, b.range->start, b.range->end);
    c.hyperlinks = m_.hyperlinks;
    c.objectEdits.resize(m_.objects.size());
    for (std::size_t k = 0; k < m_.objects.size(); ++k)
        c.objectEdits[k] = m_.objectEdit(static_cast<int>(k));
    c.relationships = doc.rels.list;
    c.media = media_;
    c.charts.clear();
    for (const QString& name : chartParts_)
        c.charts.emplace_back(name, parts_.value(name));
    return body;
}

zip::CompressedPart Writer::compressBody(const Part& doc, const Body& body)
{
    DocxSaveCache& c = cache_;
    const std::size_t blocks = c.blocks.size();
    // Settled text must not have changed: else the body is compressed from its start.
    if (!c.body || body.reused == 0 || c.settled > body.reused) {
        c.body = std::make_unique<zip::GrowingPart>();
        c.body->settle(c.head.toUtf8());
        c.settled = 0;
    }
    // Every block but the last settles: the next save most likely goes on after it.
    for (; c.settled + 1 < blocks; ++c.settled)
        c.body->settle(c.blocks[c.settled].xml);
    QByteArray tail = blocks > 0 ? c.blocks.back().xml : QByteArray();
    const qsizetype blocksEnd = body.ends.empty() ? body.firstNew : body.ends.back();
    tail += QStringView(doc.text).mid(blocksEnd).toUtf8();
    return c.body->finish(tail);
}

void Writer::writeStory(Part& p, const Story& story, bool body)
{
    const auto paragraphs = story.paragraphs();
    for (std::size_t i = 0; i < paragraphs.size(); ++i)
        writeBlock(p, story, paragraphs, i, body);
}

void Writer::writeBlock(Part& p, const Story& story, const std::vector<std::pair<int, int>>& paragraphs, std::size_t i, bool body)
{
    const auto [s, e] = paragraphs[i];
    // A table or a carried body element stands alone in its paragraph.
    if (e - s == 2 && story.at(s).ch == kObjectChar) {
        const int object = story.at(s).object;
        if (const auto* table = m_.objectAs<TableModel>(object)) {
            writeTable(p, *table);
            // The text must not end on a table: the closing paragraph follows it.
            if (i + 1 == paragraphs.size())
                writeParagraph(p, story, e - 1, e, body);
            return;
        }
        if (const auto* carried = m_.objectAs<CarriedXml>(object); carried && carried->block) {
            p.raw(carried->xml);
            if (i + 1 == paragraphs.size())
                writeParagraph(p, story, e - 1, e, body);
            return;
        }
    }
    writeParagraph(p, story, s, e, body);
}

void Writer::writeParagraph(Part& p, const Story& story, int start, int end, bool body)
{
    const StoryChar& mark = story.at(end - 1);
    w(p, "p");
    writeParaPropsCached(p, story.pool().para(mark.para), &story.pool().font(mark.font));

    // Bookmarks open before the character at their start; one that reaches over a
    // paragraph mark closes in front of that mark.
    auto bookmarksAt = [&](int pos) {
        if (!body)
            return;
        const int last = story.length() - 1;
        for (std::size_t b = 0; b < m_.bookmarks.size(); ++b) {
            const Bookmark& bm = m_.bookmarks[b];
            const int bs = std::min(bm.range->start, last);
            int be = std::min(std::max(bm.range->end, bs), story.length());
            if (be > bs && story.at(be - 1).ch == kParagraphMark)
                --be;
            be = std::min(be, last);
            if (bs == pos) {
                wEmpty(p, "bookmarkStart");
                attr(p, "id", static_cast<qint64>(b));
                attr(p, "name", bm.name);
            }
            if (be == pos) {
                wEmpty(p, "bookmarkEnd");
                attr(p, "id", static_cast<qint64>(b));
            }
        }
    };

    std::uint16_t openLink = 0;
    for (int i = start; i < end - 1;) {
        bookmarksAt(i);
        const StoryChar& c = story.at(i);
        if (c.link != openLink) {
            if (openLink)
                p.x.writeEndElement();  // hyperlink
            openLink = c.link;
            if (openLink) {
                const Hyperlink* link = m_.hyperlink(openLink);
                w(p, "hyperlink");
                if (link && !link->address.isEmpty())
                    p.x.writeAttribute(QLatin1String(kR), QStringLiteral("id"), p.rels.add(kRelHyperlink, link->address, true));
                if (link && !link->subAddress.isEmpty())
                    attr(p, "anchor", link->subAddress);
                attr(p, "history", QStringLiteral("1"));
            }
        }
        const CharFormat& font = story.pool().font(c.font);
        if (c.ch == kObjectChar) {
            if (const EmbeddedObject* obj = c.object >= 0 && c.object < static_cast<int>(m_.objects.size()) ? &m_.objects[static_cast<std::size_t>(c.object)] : nullptr)
                writeObject(p, *obj, font);
            ++i;
            continue;
        }
        // One run per stretch of equal formatting and link.
        int j = i;
        QString text;
        while (j < end - 1 && story.at(j).font == c.font && story.at(j).link == c.link && story.at(j).ch != kObjectChar) {
            if (j > i && body) {
                bool boundary = false;
                for (const auto& bm : m_.bookmarks)
                    boundary = boundary || bm.range->start == j || bm.range->end == j;
                if (boundary)
                    break;
            }
            text += QChar(story.at(j).ch);
            ++j;
        }
        w(p, "r");
        writeRunPropsCached(p, font, c.link != 0);
        writeRunText(p, text);
        p.x.writeEndElement();
        i = j;
    }
    if (openLink)
        p.x.writeEndElement();
    bookmarksAt(end - 1);
    p.x.writeEndElement();  // p
}

void Writer::writeRunText(Part& p, const QString& text)
{
    QString pending;
    auto flush = [&] {
        if (pending.isEmpty())
            return;
        w(p, "t");
        if (pending.front().isSpace() || pending.back().isSpace())
            p.x.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        p.x.writeCharacters(xmlText(pending));
        p.x.writeEndElement();
        pending.clear();
    };
    for (QChar ch : text) {
        switch (ch.unicode()) {
        case kTab: flush(); wEmpty(p, "tab"); break;
        case kPageBreak: flush(); wEmpty(p, "br"); attr(p, "type", QStringLiteral("page")); break;
        case kLineBreak: flush(); wEmpty(p, "br"); break;
        default:
            // Characters XML cannot carry are left out rather than break the part.
            if (ch.unicode() >= 0x20 || ch == u'\n')
                pending += ch;
        }
    }
    flush();
}

// Property elements are written in the schema's order, the ones carried from a foreign
// file put in their places among ours.
void Writer::writeOrdered(Part& p, std::vector<PropertyItem>& items, const QStringList& carried,
                          int (*order)(QStringView))
{
    for (const QString& xml : carried) {
        const QString name = ooxml::fragmentLocalName(xml);
        items.push_back(PropertyItem{order(name), [&p, xml] { p.raw(xml); }});
    }
    std::stable_sort(items.begin(), items.end(), [](const PropertyItem& a, const PropertyItem& b) { return a.order < b.order; });
    for (const auto& item : items)
        item.write();
}

void Writer::writeParaProps(Part& p, const ParaFormat& para, const CharFormat* markFont, const char* frameAlign)
{
    using ooxml::paragraphPropertyOrder;
    std::vector<PropertyItem> items;
    if (frameAlign)
        items.push_back({paragraphPropertyOrder(u"framePr"), [&] {
                             wEmpty(p, "framePr");
                             attr(p, "wrap", QStringLiteral("around"));
                             attr(p, "vAnchor", QStringLiteral("text"));
                             attr(p, "hAnchor", QStringLiteral("margin"));
                             attr(p, "xAlign", QLatin1String(frameAlign));
                             attr(p, "y", QStringLiteral("1"));
                         }});
    items.push_back({paragraphPropertyOrder(u"spacing"), [&] {
                         wEmpty(p, "spacing");
                         attr(p, "before", twips(para.spaceBefore));
                         attr(p, "after", twips(para.spaceAfter));
                         for (const auto& [name, value] : para.spacingExtra)
                             p.x.writeAttribute(name, value);
                     }});
    items.push_back({paragraphPropertyOrder(u"jc"), [&] {
                         static constexpr std::array<const char*, 4> kJc = {"left", "center", "right", "both"};
                         valElement(p, "jc", QLatin1String(kJc[static_cast<std::size_t>(std::clamp(static_cast<int>(para.alignment), 0, 3))]));
                     }});
    if (markFont)
        items.push_back({paragraphPropertyOrder(u"rPr"), [&] { writeRunProps(p, *markFont, false); }});
    w(p, "pPr");
    writeOrdered(p, items, para.carried, &ooxml::paragraphPropertyOrder);
    p.x.writeEndElement();
}

template <typename Key, typename Write>
void Writer::writeCached(Part& p, std::vector<std::pair<Key, QString>>& cache, const Key& key, Write write)
{
    for (const auto& [cached, xml] : cache)
        if (cached == key) {
            p.raw(xml);
            return;
        }
    if (cache.size() >= kMaxCachedFormats) {
        write(p);
        return;
    }
    Part scratch;
    write(scratch);
    cache.emplace_back(key, scratch.text);
    p.raw(scratch.text);
}

void Writer::writeParaPropsCached(Part& p, const ParaFormat& para, const CharFormat* markFont)
{
    const ParaKey key{para, markFont ? std::optional<CharFormat>(*markFont) : std::nullopt};
    writeCached(p, paraProps_, key, [&](Part& out) { writeParaProps(out, para, markFont); });
}

void Writer::writeRunPropsCached(Part& p, const CharFormat& f, bool hyperlinkStyle)
{
    writeCached(p, runProps_, RunKey{f, hyperlinkStyle}, [&](Part& out) { writeRunProps(out, f, hyperlinkStyle); });
}

void Writer::writeRunProps(Part& p, const CharFormat& f, bool hyperlinkStyle, bool extraBold)
{
    using ooxml::runPropertyOrder;
    std::vector<PropertyItem> items;
    auto add = [&](const char16_t* name, std::function<void()> write) {
        items.push_back({runPropertyOrder(QStringView(name)), std::move(write)});
    };
    auto toggle = [&](const char16_t* name, const char* element, bool on) {
        if (on)
            add(name, [&p, this, element] { wEmpty(p, element); });
    };
    if (hyperlinkStyle)
        add(u"rStyle", [&] { valElement(p, "rStyle", QStringLiteral("Hyperlink")); });
    add(u"rFonts", [&] {
        wEmpty(p, "rFonts");
        attr(p, "ascii", f.name);
        attr(p, "hAnsi", f.name);
        attr(p, "cs", f.name);
    });
    const bool bold = f.bold || extraBold;
    toggle(u"b", "b", bold);
    toggle(u"bCs", "bCs", bold);
    toggle(u"i", "i", f.italic);
    toggle(u"iCs", "iCs", f.italic);
    toggle(u"strike", "strike", f.strikeThrough);
    toggle(u"shadow", "shadow", f.shadow);
    toggle(u"emboss", "emboss", f.emboss);
    toggle(u"imprint", "imprint", f.engrave);
    if (f.color != kColorAutomatic)
        add(u"color", [&] { valElement(p, "color", hexFromWord(f.color)); });
    const QString half = QString::number(qRound(f.size * 2));
    add(u"sz", [&, half] { valElement(p, "sz", half); });
    add(u"szCs", [&, half] { valElement(p, "szCs", half); });
    if (f.underline)
        add(u"u", [&] { valElement(p, "u", QStringLiteral("single")); });
    if (f.animation > 0)
        add(u"effect", [&] { valElement(p, "effect", animationName(f.animation)); });
    w(p, "rPr");
    writeOrdered(p, items, f.carried, &ooxml::runPropertyOrder);
    p.x.writeEndElement();
}

void Writer::writeField(Part& p, const char* instr, const CharFormat& font)
{
    w(p, "fldSimple");
    attr(p, "instr", QLatin1String(instr));
    w(p, "r");
    writeRunProps(p, font, false);
    w(p, "t");
    p.x.writeCharacters(QStringLiteral("1"));
    p.x.writeEndElement();
    p.x.writeEndElement();
    p.x.writeEndElement();
}

void Writer::writeObject(Part& p, const EmbeddedObject& object, const CharFormat& font)
{
    if (const auto* pic = std::get_if<InlinePicture>(&object)) {
        w(p, "r");
        writeRunProps(p, font, false);
        writePicture(p, pic->picture, pic->width, pic->height, nullptr);
        p.x.writeEndElement();
    } else if (const auto* fl = std::get_if<FloatingPicture>(&object)) {
        w(p, "r");
        writeRunProps(p, font, false);
        writePicture(p, fl->picture, fl->width, fl->height, fl);
        p.x.writeEndElement();
    } else if (const auto* field = std::get_if<Field>(&object)) {
        writeField(p, field->kind == Field::Kind::Page ? " PAGE " : " NUMPAGES ", font);
    } else if (const auto* carried = std::get_if<CarriedXml>(&object)) {
        p.raw(carried->xml);
    } else if (const auto* chart = std::get_if<FloatingChart>(&object)) {
        // A chart part of its own; name and relationship never meet those carried from a file.
        const int id = ++drawingId_;
        const auto taken = [&](const QString& name, const QString& rel) {
            for (const auto& cp : m_.carried.parts)
                if (cp.name == QStringLiteral("word/") + name)
                    return true;
            for (const auto& r : m_.carried.documentRelationships)
                if (r.id == rel)
                    return true;
            return parts_.contains(QStringLiteral("word/") + name);
        };
        QString name = QStringLiteral("charts/tvchart%1.xml").arg(id);
        QString rel = QStringLiteral("tvChart%1").arg(id);
        for (int k = 1; taken(name, rel); ++k) {
            name = QStringLiteral("charts/tvchart%1-%2.xml").arg(id).arg(k);
            rel = QStringLiteral("tvChart%1-%2").arg(id).arg(k);
        }
        QByteArray chartXml = graph::chartPartXml(chart->chart);
        if (chartXml.isEmpty())
            throw WordError(QStringLiteral("Save"), QStringLiteral("the chart part \"%1\" could not be written").arg(name));
        parts_[QStringLiteral("word/") + name] = std::move(chartXml);
        chartParts_.push_back(QStringLiteral("word/") + name);
        overrides_[QStringLiteral("word/") + name] = QLatin1String(graph::kChartContentType);
        p.rels.list.push_back(Relationship{rel, QLatin1String(graph::kChartRelationship), name, false});
        w(p, "r");
        writeRunProps(p, font, false);
        writeChartDrawing(p.x, *chart, id, rel);
        p.x.writeEndElement();
    } else if (const auto* merge = std::get_if<MergeField>(&object)) {
        w(p, "fldSimple");
        attr(p, "instr", QStringLiteral(" MERGEFIELD %1 ").arg(merge->name));
        w(p, "r");
        writeRunProps(p, font, false);
        writeRunText(p, QStringLiteral("\u00AB%1\u00BB").arg(merge->name));
        p.x.writeEndElement();
        p.x.writeEndElement();
    }
    // A table inside running text cannot occur: tables are always paragraphs of their own.
}

void Writer::writePicture(Part& p, const PictureData& pic, double width, double height, const FloatingPicture* floating)
{
    QString embedId;
    QString linkId;
    QString fallbackId;
    const QString base = QStringLiteral("tvimage%1").arg(media_.size() + 1);
    if (pic.savedWithDocument && !pic.bytes.isEmpty()) {
        const QString name = QStringLiteral("media/%1.%2").arg(base, pictureExtension(pic.format));
        media_.push_back(MediaPart{QStringLiteral("word/") + name, pic.bytes, pic.format});
        embedId = p.rels.add(kRelImage, name);
    }
    if (pic.linked && !pic.sourcePath.isEmpty())
        linkId = p.rels.add(kRelImage, fileUrl(pic.sourcePath), true);
    if (!pic.fallbackPng.isEmpty()) {
        const QString name = QStringLiteral("media/%1-fallback.png").arg(base);
        media_.push_back(MediaPart{QStringLiteral("word/") + name, pic.fallbackPng, PictureFormat::Png});
        fallbackId = p.rels.add(kRelImage, name);
    }
    const qint64 cx = static_cast<qint64>(width * kEmuPerPoint + 0.5);
    const qint64 cy = static_cast<qint64>(height * kEmuPerPoint + 0.5);
    const int id = ++drawingId_;
    const QString name = QStringLiteral("Picture %1").arg(id);
    QXmlStreamWriter& x = p.x;
    auto wp = [&](const char* n) { x.writeStartElement(QLatin1String(kWp), QLatin1String(n)); };
    auto a = [&](const char* n) { x.writeStartElement(QLatin1String(kA), QLatin1String(n)); };
    auto pc = [&](const char* n) { x.writeStartElement(QLatin1String(kPic), QLatin1String(n)); };
    auto end = [&] { x.writeEndElement(); };
    auto extent = [&](const char* ns, const char* n) {
        x.writeEmptyElement(QLatin1String(ns), QLatin1String(n));
        x.writeAttribute(QStringLiteral("cx"), QString::number(cx));
        x.writeAttribute(QStringLiteral("cy"), QString::number(cy));
    };

    w(p, "drawing");
    if (floating) {
        wp("anchor");
        for (const char* d : {"distT", "distB"})
            x.writeAttribute(QLatin1String(d), QStringLiteral("0"));
        for (const char* d : {"distL", "distR"})
            x.writeAttribute(QLatin1String(d), QStringLiteral("114300"));
        x.writeAttribute(QStringLiteral("simplePos"), QStringLiteral("0"));
        x.writeAttribute(QStringLiteral("relativeHeight"), QString::number(251658240 + id));
        x.writeAttribute(QStringLiteral("behindDoc"), QStringLiteral("0"));
        x.writeAttribute(QStringLiteral("locked"), QStringLiteral("0"));
        x.writeAttribute(QStringLiteral("layoutInCell"), QStringLiteral("1"));
        x.writeAttribute(QStringLiteral("allowOverlap"), QStringLiteral("1"));
        x.writeEmptyElement(QLatin1String(kWp), QStringLiteral("simplePos"));
        x.writeAttribute(QStringLiteral("x"), QStringLiteral("0"));
        x.writeAttribute(QStringLiteral("y"), QStringLiteral("0"));
        wp("positionH");
        x.writeAttribute(QStringLiteral("relativeFrom"), QStringLiteral("column"));
        x.writeTextElement(QLatin1String(kWp), QStringLiteral("posOffset"), QString::number(qRound64(floating->left * kEmuPerPoint)));
        end();
        wp("positionV");
        x.writeAttribute(QStringLiteral("relativeFrom"), QStringLiteral("paragraph"));
        x.writeTextElement(QLatin1String(kWp), QStringLiteral("posOffset"), QString::number(qRound64(floating->top * kEmuPerPoint)));
        end();
    } else {
        wp("inline");
        for (const char* d : {"distT", "distB", "distL", "distR"})
            x.writeAttribute(QLatin1String(d), QStringLiteral("0"));
    }
    extent(kWp, "extent");
    x.writeEmptyElement(QLatin1String(kWp), QStringLiteral("effectExtent"));
    for (const char* d : {"l", "t", "r", "b"})
        x.writeAttribute(QLatin1String(d), QStringLiteral("0"));
    if (floating)
        x.writeEmptyElement(QLatin1String(kWp), QStringLiteral("wrapNone"));
    x.writeEmptyElement(QLatin1String(kWp), QStringLiteral("docPr"));
    x.writeAttribute(QStringLiteral("id"), QString::number(id));
    x.writeAttribute(QStringLiteral("name"), xmlText(name));
    wp("cNvGraphicFramePr");
    x.writeEmptyElement(QLatin1String(kA), QStringLiteral("graphicFrameLocks"));
    x.writeAttribute(QStringLiteral("noChangeAspect"), QStringLiteral("1"));
    end();
    a("graphic");
    a("graphicData");
    x.writeAttribute(QStringLiteral("uri"), QLatin1String(kPic));
    pc("pic");
    pc("nvPicPr");
    x.writeEmptyElement(QLatin1String(kPic), QStringLiteral("cNvPr"));
    x.writeAttribute(QStringLiteral("id"), QStringLiteral("0"));
    x.writeAttribute(QStringLiteral("name"), xmlText(pic.sourcePath.isEmpty() ? name : pic.sourcePath.section(QLatin1Char('/'), -1)));
    x.writeEmptyElement(QLatin1String(kPic), QStringLiteral("cNvPicPr"));
    end();
    pc("blipFill");
    a("blip");
    if (!embedId.isEmpty())
        x.writeAttribute(QLatin1String(kR), QStringLiteral("embed"), embedId);
    if (!linkId.isEmpty())
        x.writeAttribute(QLatin1String(kR), QStringLiteral("link"), linkId);
    if (!fallbackId.isEmpty()) {
        a("extLst");
        a("ext");
        x.writeAttribute(QStringLiteral("uri"), QLatin1String(kFallbackExtUri));
        x.writeEmptyElement(QLatin1String(kTv), QStringLiteral("fallback"));
        x.writeAttribute(QLatin1String(kR), QStringLiteral("embed"), fallbackId);
        end();
        end();
    }
    end();  // blip
    a("stretch");
    x.writeEmptyElement(QLatin1String(kA), QStringLiteral("fillRect"));
    end();
    end();  // blipFill
    pc("spPr");
    a("xfrm");
    x.writeEmptyElement(QLatin1String(kA), QStringLiteral("off"));
    x.writeAttribute(QStringLiteral("x"), QStringLiteral("0"));
    x.writeAttribute(QStringLiteral("y"), QStringLiteral("0"));
    extent(kA, "ext");
    end();
    a("prstGeom");
    x.writeAttribute(QStringLiteral("prst"), QStringLiteral("rect"));
    x.writeEmptyElement(QLatin1String(kA), QStringLiteral("avLst"));
    end();
    end();  // spPr
    end();  // pic
    end();  // graphicData
    end();  // graphic
    end();  // inline / anchor
    end();  // drawing
}

void Writer::writeTable(Part& p, const TableModel& t)
{
    const double width = t.columnWidth > 0 ? t.columnWidth : textWidth() / std::max(1, t.columns);
    w(p, "tbl");
    w(p, "tblPr");
    wEmpty(p, "tblW");
    attr(p, "w", t.autoFit ? 0 : twips(width * t.columns));
    attr(p, "type", t.autoFit ? QStringLiteral("auto") : QStringLiteral("dxa"));
    // "nil" where no line is drawn.
    const auto border = [&](const char* side, const BorderLine& line) {
        wEmpty(p, side);
        attr(p, "val", line.isNone() ? QStringLiteral("nil") : line.style);
        if (!line.isNone()) {
            attr(p, "sz", line.size);
            attr(p, "space", QStringLiteral("0"));
            attr(p, "color", hexFromWord(line.color));
        }
    };
    const TableBorders l = drawnTableLines(t);
    w(p, "tblBorders");
    for (const auto& [side, line] : {std::pair{"top", &l.top}, {"left", &l.left}, {"bottom", &l.bottom},
                                     {"right", &l.right}, {"insideH", &l.insideH}, {"insideV", &l.insideV}})
        border(side, *line);
    p.x.writeEndElement();
    wEmpty(p, "tblLayout");
    attr(p, "type", t.autoFit ? QStringLiteral("autofit") : QStringLiteral("fixed"));
    // Margins other than those of the table style the styles part declares.
    if (t.cellMargins != CellMargins{}) {
        w(p, "tblCellMar");
        for (const auto& [side, points] : {std::pair{"top", t.cellMargins.top}, {"left", t.cellMargins.left},
                                           {"bottom", t.cellMargins.bottom}, {"right", t.cellMargins.right}}) {
            wEmpty(p, side);
            attr(p, "w", twips(points));
            attr(p, "type", QStringLiteral("dxa"));
        }
        p.x.writeEndElement();
    }
    wEmpty(p, "tblLook");
    attr(p, "val", QStringLiteral("0000"));
    attr(p, "firstRow", t.headingRows > 0 ? QStringLiteral("1") : QStringLiteral("0"));
    attr(p, "lastRow", QStringLiteral("0"));
    attr(p, "firstColumn", QStringLiteral("0"));
    attr(p, "lastColumn", QStringLiteral("0"));
    attr(p, "noHBand", QStringLiteral("1"));
    attr(p, "noVBand", QStringLiteral("1"));
    p.x.writeEndElement();  // tblPr
    w(p, "tblGrid");
    for (int c = 0; c < t.columns; ++c) {
        wEmpty(p, "gridCol");
        attr(p, "w", twips(width));
    }
    p.x.writeEndElement();
    for (int r = 0; r < t.rows; ++r) {
        w(p, "tr");
        if (r < t.headingRows || t.rowHeight > 0) {
            w(p, "trPr");
            if (t.rowHeight > 0) {
                wEmpty(p, "trHeight");
                attr(p, "val", twips(t.rowHeight));
                attr(p, "hRule", QStringLiteral("exact"));
            }
            if (r < t.headingRows)
                wEmpty(p, "tblHeader");
            p.x.writeEndElement();
        }
        for (int c = 0; c < t.columns; ++c) {
            const TableCell& cell = t.cell(r, c);
            w(p, "tc");
            w(p, "tcPr");
            wEmpty(p, "tcW");
            attr(p, "w", t.autoFit ? 0 : twips(width));
            attr(p, "type", t.autoFit ? QStringLiteral("auto") : QStringLiteral("dxa"));
            if (t.borders && cell.edges.any()) {
                w(p, "tcBorders");
                const CellBorders& e = cell.edges;
                for (const auto& [side, line] : {std::pair{"top", &e.top}, {"left", &e.left}, {"bottom", &e.bottom},
                                                 {"right", &e.right}})
                    if (!line->isNone())
                        border(side, *line);
                p.x.writeEndElement();
            }
            if (cell.shading != kColorAutomatic) {
                wEmpty(p, "shd");
                attr(p, "val", QStringLiteral("clear"));
                attr(p, "color", QStringLiteral("auto"));
                attr(p, "fill", hexFromWord(cell.shading));
            }
            p.x.writeEndElement();  // tcPr
            // A cell holds at least one paragraph.
            for (const QString& line : cell.text.split(QLatin1Char('\r'))) {
                w(p, "p");
                writeParaPropsCached(p, cell.para, nullptr);
                if (!line.isEmpty()) {
                    w(p, "r");
                    writeRunPropsCached(p, cellRunFormat(cell), false);
                    writeRunText(p, line);
                    p.x.writeEndElement();
                }
                p.x.writeEndElement();
            }
            p.x.writeEndElement();  // tc
        }
        p.x.writeEndElement();  // tr
    }
    p.x.writeEndElement();  // tbl
}

void Writer::writeSectPr(Part& p)
{
    const PageSetupModel& pg = m_.section.page;
    w(p, "sectPr");
    for (const auto& [type, id] : headerRefs_) {
        wEmpty(p, "headerReference");
        attr(p, "type", type);
        p.x.writeAttribute(QLatin1String(kR), QStringLiteral("id"), id);
    }
    for (const auto& [type, id] : footerRefs_) {
        wEmpty(p, "footerReference");
        attr(p, "type", type);
        p.x.writeAttribute(QLatin1String(kR), QStringLiteral("id"), id);
    }
    wEmpty(p, "pgSz");
    attr(p, "w", twips(pg.pageWidth));
    attr(p, "h", twips(pg.pageHeight));
    if (pg.orientation == Orientation::Landscape)
        attr(p, "orient", QStringLiteral("landscape"));
    wEmpty(p, "pgMar");
    attr(p, "top", twips(pg.topMargin));
    attr(p, "right", twips(pg.rightMargin));
    attr(p, "bottom", twips(pg.bottomMargin));
    attr(p, "left", twips(pg.leftMargin));
    attr(p, "header", twips(pg.headerDistance));
    attr(p, "footer", twips(pg.footerDistance));
    attr(p, "gutter", QStringLiteral("0"));
    wEmpty(p, "cols");
    attr(p, "space", QStringLiteral("708"));
    if (m_.section.differentFirstPage)
        wEmpty(p, "titlePg");
    wEmpty(p, "docGrid");
    attr(p, "linePitch", QStringLiteral("360"));
    p.x.writeEndElement();
}

void Writer::writeHeaderFooter(bool header, const HeaderFooterModel& hf, const QString& partName)
{
    Part part;
    for (const auto& r : hf.carriedRelationships)
        part.rels.list.push_back(Relationship{r.id, r.type, r.target, r.external});
    startRoot(part, header ? "hdr" : "ftr", false);
    if (hf.pageNumber) {
        static constexpr std::array<const char*, 5> kAlign = {"left", "center", "right", "inside", "outside"};
        const CharFormat font;
        w(part, "p");
        writeParaProps(part, ParaFormat{}, nullptr, kAlign[static_cast<std::size_t>(*hf.pageNumber)]);
        writeField(part, " PAGE ", font);
        part.x.writeEndElement();
    }
    writeStory(part, hf.story, false);
    part.x.writeEndElement();
    part.x.writeEndDocument();
    parts_[partName] = part.bytes();
    overrides_[partName] = QLatin1String(header ? kCtHeader : kCtFooter);
    if (!part.rels.list.empty()) {
        const QString file = partName.section(QLatin1Char('/'), -1);
        parts_[QStringLiteral("word/_rels/%1.rels").arg(file)] = relationshipsXml(part.rels.list);
    }
}

QByteArray Writer::stylesXml()
{
    Part p;
    startRoot(p, "styles", false);
    const CharFormat defaults;
    w(p, "docDefaults");
    w(p, "rPrDefault");
    writeRunProps(p, defaults, false);
    p.x.writeEndElement();
    w(p, "pPrDefault");
    writeParaProps(p, ParaFormat{}, nullptr);
    p.x.writeEndElement();
    p.x.writeEndElement();
    auto style = [&](const char* type, const char* id, const char* name, bool isDefault) {
        w(p, "style");
        attr(p, "type", QLatin1String(type));
        if (isDefault)
            attr(p, "default", QStringLiteral("1"));
        attr(p, "styleId", QLatin1String(id));
        valElement(p, "name", QLatin1String(name));
    };
    style("paragraph", "Normal", "Normal", true);
    wEmpty(p, "qFormat");
    p.x.writeEndElement();
    style("character", "DefaultParagraphFont", "Default Paragraph Font", true);
    wEmpty(p, "uiPriority");
    attr(p, "val", QStringLiteral("1"));
    wEmpty(p, "semiHidden");
    p.x.writeEndElement();
    style("table", "TableNormal", "Normal Table", true);
    wEmpty(p, "semiHidden");
    w(p, "tblPr");
    w(p, "tblCellMar");
    for (const char* side : {"top", "left", "bottom", "right"}) {
        wEmpty(p, side);
        attr(p, "w", (side[0] == 'l' || side[0] == 'r') ? QStringLiteral("108") : QStringLiteral("0"));
        attr(p, "type", QStringLiteral("dxa"));
    }
    p.x.writeEndElement();
    p.x.writeEndElement();
    p.x.writeEndElement();
    style("character", "Hyperlink", "Hyperlink", false);
    valElement(p, "basedOn", QStringLiteral("DefaultParagraphFont"));
    w(p, "rPr");
    valElement(p, "color", QStringLiteral("0000FF"));
    valElement(p, "u", QStringLiteral("single"));
    p.x.writeEndElement();
    p.x.writeEndElement();
    p.x.writeEndElement();  // styles
    p.x.writeEndDocument();
    return m_.carried.styles.isEmpty() ? p.bytes() : mergedStyles(m_.carried.styles, p.bytes());
}

QByteArray Writer::settingsXml()
{
    Part p;
    startRoot(p, "settings", false);
    valElement(p, "defaultTabStop", QStringLiteral("720"));
    valElement(p, "characterSpacingControl", QStringLiteral("doNotCompress"));
    // The current compatibility mode: without it Word opens the file in the mode of its
    // oldest format and says so in the title bar.
    w(p, "compat");
    wEmpty(p, "compatSetting");
    attr(p, "name", QStringLiteral("compatibilityMode"));
    attr(p, "uri", QStringLiteral("http://schemas.microsoft.com/office/word"));
    attr(p, "val", QStringLiteral("15"));
    p.x.writeEndElement();
    p.x.writeEndElement();
    p.x.writeEndDocument();
    return p.bytes();
}

QByteArray Writer::coreXml()
{
    QByteArray out;
    QXmlStreamWriter x(&out);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeNamespace(QLatin1String(kCoreProps), QStringLiteral("cp"));
    x.writeNamespace(QLatin1String(kDc), QStringLiteral("dc"));
    x.writeNamespace(QLatin1String(kDcTerms), QStringLiteral("dcterms"));
    x.writeNamespace(QLatin1String(kXsi), QStringLiteral("xsi"));
    x.writeStartElement(QLatin1String(kCoreProps), QStringLiteral("coreProperties"));
    const DocumentProperties& pr = m_.properties;
    auto text = [&](const char* ns, const char* name, const QString& value) {
        if (!value.isEmpty())
            x.writeTextElement(QLatin1String(ns), QLatin1String(name), xmlText(value));
    };
    text(kDc, "title", pr.title);
    text(kDc, "subject", pr.subject);
    text(kDc, "creator", pr.author);
    text(kCoreProps, "keywords", pr.keywords);
    const QDateTime created = pr.created.isValid() ? pr.created : QDateTime::currentDateTimeUtc();
    x.writeStartElement(QLatin1String(kDcTerms), QStringLiteral("created"));
    x.writeAttribute(QLatin1String(kXsi), QStringLiteral("type"), QStringLiteral("dcterms:W3CDTF"));
    x.writeCharacters(created.toUTC().toString(Qt::ISODate));
    x.writeEndElement();
    x.writeStartElement(QLatin1String(kDcTerms), QStringLiteral("modified"));
    x.writeAttribute(QLatin1String(kXsi), QStringLiteral("type"), QStringLiteral("dcterms:W3CDTF"));
    x.writeCharacters(QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    x.writeEndElement();
    x.writeEndElement();
    x.writeEndDocument();
    return checked(x, out, QStringLiteral("docProps/core.xml"));
}

QByteArray Writer::appXml()
{
    QByteArray out;
    QXmlStreamWriter x(&out);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeDefaultNamespace(QLatin1String(kExtProps));
    x.writeStartElement(QLatin1String(kExtProps), QStringLiteral("Properties"));
    x.writeTextElement(QLatin1String(kExtProps), QStringLiteral("Application"), QStringLiteral("TOVU"));
    x.writeEndElement();
    x.writeEndDocument();
    return checked(x, out, QStringLiteral("docProps/app.xml"));
}

QByteArray Writer::contentTypesXml()
{
    QMap<QString, QString> defaults;
    defaults[QStringLiteral("rels")] = QLatin1String(kCtRels);
    defaults[QStringLiteral("xml")] = QStringLiteral("application/xml");
    for (const auto& mp : media_)
        defaults[mp.name.section(QLatin1Char('.'), -1)] = pictureMimeType(mp.format);
    QMap<QString, QString> overrides = overrides_;
    for (const auto& cp : m_.carried.parts) {
        if (parts_.contains(cp.name))
            continue;
        const QString ext = cp.name.section(QLatin1Char('.'), -1).toLower();
        if (defaults.value(ext) != cp.contentType)
            overrides[cp.name] = cp.contentType;
    }
    QByteArray out;
    QXmlStreamWriter x(&out);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeDefaultNamespace(QLatin1String(kContentTypes));
    x.writeStartElement(QLatin1String(kContentTypes), QStringLiteral("Types"));
    for (auto it = defaults.cbegin(); it != defaults.cend(); ++it) {
        x.writeEmptyElement(QLatin1String(kContentTypes), QStringLiteral("Default"));
        x.writeAttribute(QStringLiteral("Extension"), it.key());
        x.writeAttribute(QStringLiteral("ContentType"), it.value());
    }
    for (auto it = overrides.cbegin(); it != overrides.cend(); ++it) {
        x.writeEmptyElement(QLatin1String(kContentTypes), QStringLiteral("Override"));
        x.writeAttribute(QStringLiteral("PartName"), QLatin1Char('/') + it.key());
        x.writeAttribute(QStringLiteral("ContentType"), it.value());
    }
    x.writeEndElement();
    x.writeEndDocument();
    return checked(x, out, QStringLiteral("[Content_Types].xml"));
}

}  // namespace

QByteArray buildDocx(const DocumentModel& model, SaveCache use)
{
    try {
        if (use == SaveCache::Ignore) {
            DocxSaveCache fresh;
            return Writer(model, fresh).build();
        }
        if (!model.docxSaveCache)
            model.docxSaveCache = std::make_shared<DocxSaveCache>();
        // A save that fails part way leaves no half-updated cache behind.
        try {
            return Writer(model, *model.docxSaveCache).build();
        } catch (...) {
            model.docxSaveCache.reset();
            throw;
        }
    } catch (const zip::ZipError& e) {
        throw WordError(QStringLiteral("Zip"), e.description());
    }
}

}  // namespace tovu::platform::word
