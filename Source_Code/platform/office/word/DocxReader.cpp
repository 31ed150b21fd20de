#include "platform/office/word/DocxReader.h"

#include "platform/office/graph/ChartXml.h"

#include "platform/office/word/OoxmlNames.h"
#include "platform/office/word/WordError.h"
#include "platform/zip/PartNames.h"
#include "platform/zip/ZipArchive.h"
#include "platform/zip/ZipError.h"

#include <QHash>
#include <QSet>
#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamReader>
#include <optional>

namespace tovu::platform::word {

using namespace ooxml;

namespace {

struct Rel {
    QString type;
    QString target;  // package part name, or the external target
    bool external = false;
    QString rawTarget;  // as written in the relationships part
};

[[noreturn]] void bad(const QString& why)
{
    throw WordError(QStringLiteral("Documents.Open"), why);
}

QString relsNameOf(const QString& part)
{
    const int slash = part.lastIndexOf(QLatin1Char('/'));
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

bool onOff(const QXmlStreamReader& x)
{
    const QString v = x.attributes().value(QLatin1String(kW), QStringLiteral("val")).toString();
    return v.isEmpty() || v == QLatin1String("1") || v == QLatin1String("true") || v == QLatin1String("on");
}

// A table or cell border line: none for "nil" and "none", else its style, width and colour.
BorderLine borderLineOf(const QXmlStreamReader& x)
{
    const auto a = x.attributes();
    const QString style = a.value(QLatin1String(kW), QStringLiteral("val")).toString();
    if (style.isEmpty() || style == QLatin1String("nil") || style == QLatin1String("none"))
        return {};
    bool ok = false;
    const int size = a.value(QLatin1String(kW), QStringLiteral("sz")).toInt(&ok);
    return BorderLine{style, ok ? size : 4, wordFromHex(a.value(QLatin1String(kW), QStringLiteral("color")).toString())};
}

// The side a border element names ("start" and "end" are the newer names of left and right).
BorderLine* cellSide(CellBorders& b, QStringView name)
{
    if (name == QLatin1String("top")) return &b.top;
    if (name == QLatin1String("bottom")) return &b.bottom;
    if (name == QLatin1String("left") || name == QLatin1String("start")) return &b.left;
    if (name == QLatin1String("right") || name == QLatin1String("end")) return &b.right;
    return nullptr;
}

BorderLine* tableSide(TableBorders& b, QStringView name)
{
    if (name == QLatin1String("insideH")) return &b.insideH;
    if (name == QLatin1String("insideV")) return &b.insideV;
    if (name == QLatin1String("top")) return &b.top;
    if (name == QLatin1String("bottom")) return &b.bottom;
    if (name == QLatin1String("left") || name == QLatin1String("start")) return &b.left;
    if (name == QLatin1String("right") || name == QLatin1String("end")) return &b.right;
    return nullptr;
}

double twipsAttr(const QXmlStreamReader& x, const char* name, double fallback)
{
    bool ok = false;
    const double v = x.attributes().value(QLatin1String(kW), QLatin1String(name)).toDouble(&ok);
    return ok ? pointsFromTwips(v) : fallback;
}

bool nextChild(QXmlStreamReader& x, qint64& offset);
qint64 elementStart(const QString& text, qint64 offset);

class Reader {
public:
    explicit Reader(const QByteArray& package) : zip_(package) {}
    std::unique_ptr<DocumentModel> read();

private:
    std::vector<std::pair<QString, Rel>> readRels(const QString& part, bool required = false);
    QString partText(const QString& name);
    void readContentTypes();
    void readBodyPart(const QString& name);
    void readHeaderFooter(const QString& name, HeaderFooterModel& hf);
    void readStoryElements(QXmlStreamReader& x, const QString& text, Story& story, bool body);
    void readParagraph(QXmlStreamReader& x, const QString& text, Story& story, bool body, HeaderFooterModel* hf);
    bool readRun(QXmlStreamReader& x, Story& story, std::uint16_t link);
    std::optional<TableModel> readTable(QXmlStreamReader& x);
    bool readDrawing(QXmlStreamReader& x, Story& story, std::uint16_t font);
    void readSectPr(QXmlStreamReader& x);
    void readRunProps(QXmlStreamReader& x, CharFormat& f);
    void readParaProps(QXmlStreamReader& x, ParaFormat& p, CharFormat* mark, QString* frameAlign);
    void readCore();
    QString captureRaw(QXmlStreamReader& x, const QString& text, qint64 startOffset);
    QString keepRaw(const QString& text, qint64 startOffset, qint64 endOffset);
    void skip(QXmlStreamReader& x) { x.skipCurrentElement(); }
    void readBookmark(QXmlStreamReader& x, Story& story);

    zip::ZipReader zip_;
    std::unique_ptr<DocumentModel> m_ = std::make_unique<DocumentModel>();
    QHash<QString, QString> defaults_, overrides_;
    QString mainPart_;
    QHash<QString, Rel> rels_;  // of the part being read
    QString currentPart_;
    const QString* text_ = nullptr;  // XML text of the part being read
    QSet<QString> consumedParts_;
    QSet<QString> consumedRelIds_;  // of the main part
    QHash<QString, QSet<QString>> neededRelIds_;  // by part: ids that kept XML refers to
    QSet<QString> neededParts_;
    QSet<QString> relationshipPrefixes_{QStringLiteral("r")};
    std::vector<CarriedRelationship> neededRelationships(const QString& part, const std::vector<std::pair<QString, Rel>>& rels);
    QHash<QString, int> bookmarkStarts_;
    // Complex fields: instruction being gathered, and whether its result is being skipped.
    QString fieldInstr_;
    int fieldDepth_ = 0;
    bool fieldSkipResult_ = false;
};

QString Reader::partText(const QString& name)
{
    return QString::fromUtf8(zip_.read(name));
}

std::vector<std::pair<QString, Rel>> Reader::readRels(const QString& part, bool required)
{
    std::vector<std::pair<QString, Rel>> out;
    const QString name = part.isEmpty() ? QStringLiteral("_rels/.rels") : relsNameOf(part);
    if (!zip_.contains(name)) {
        if (required)
            bad(QStringLiteral("the package has no relationships"));
        return out;
    }
    consumedParts_.insert(name);
    QXmlStreamReader x(zip_.read(name));
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("Relationship")) {
            const auto a = x.attributes();
            Rel r;
            r.type = a.value(QStringLiteral("Type")).toString();
            r.external = a.value(QStringLiteral("TargetMode")) == QLatin1String("External");
            const QString target = a.value(QStringLiteral("Target")).toString();
            r.target = r.external ? target : zip::resolvePartName(part, target);
            r.rawTarget = target;
            out.emplace_back(a.value(QStringLiteral("Id")).toString(), r);
        }
    }
    if (x.hasError())
        bad(QStringLiteral("damaged relationships in \"%1\"").arg(name));
    return out;
}

void Reader::readContentTypes()
{
    QXmlStreamReader x(zip_.read(QStringLiteral("[Content_Types].xml")));
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement())
            continue;
        const auto a = x.attributes();
        if (x.name() == QLatin1String("Default"))
            defaults_[a.value(QStringLiteral("Extension")).toString().toLower()] = a.value(QStringLiteral("ContentType")).toString();
        else if (x.name() == QLatin1String("Override"))
            overrides_[a.value(QStringLiteral("PartName")).toString().mid(1)] = a.value(QStringLiteral("ContentType")).toString();
    }
    if (x.hasError())
        bad(QStringLiteral("damaged content types"));
}

std::unique_ptr<DocumentModel> Reader::read()
{
    if (!zip_.contains(QStringLiteral("[Content_Types].xml")))
        bad(QStringLiteral("the file is not a document package"));
    readContentTypes();
    for (const auto& [id, r] : readRels(QString(), true)) {
        if (r.type == QLatin1String(kRelOfficeDocument))
            mainPart_ = r.target;
        else if (r.type == QLatin1String(kRelCore) || r.type == QLatin1String(kRelExtended))
            consumedParts_.insert(r.target);
        else
            m_->carried.packageRelationships.push_back(CarriedRelationship{id, r.type, r.rawTarget, r.external});
    }
    if (mainPart_.isEmpty() || !zip_.contains(mainPart_))
        bad(QStringLiteral("the package holds no document"));
    readCore();
    readBodyPart(mainPart_);
    consumedParts_.insert(mainPart_);
    consumedParts_.insert(QStringLiteral("[Content_Types].xml"));
    // What was not read goes back out unchanged.
    for (const QString& name : zip_.names()) {
        if ((consumedParts_.contains(name) && !neededParts_.contains(name)) || name.endsWith(QLatin1Char('/')))
            continue;
        const QString type = overrides_.value(name, defaults_.value(name.section(QLatin1Char('.'), -1).toLower(),
                                                                    QStringLiteral("application/octet-stream")));
        m_->carried.parts.push_back(CarriedPart{name, type, zip_.read(name)});
    }
    return std::move(m_);
}

void Reader::readCore()
{
    const QString name = QStringLiteral("docProps/core.xml");
    if (!zip_.contains(name))
        return;
    QXmlStreamReader x(zip_.read(name));
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement())
            continue;
        const auto n = x.name();
        if (n == QLatin1String("title")) m_->properties.title = x.readElementText();
        else if (n == QLatin1String("subject")) m_->properties.subject = x.readElementText();
        else if (n == QLatin1String("creator")) m_->properties.author = x.readElementText();
        else if (n == QLatin1String("keywords")) m_->properties.keywords = x.readElementText();
        else if (n == QLatin1String("created")) m_->properties.created = QDateTime::fromString(x.readElementText(), Qt::ISODate);
    }
}

// Steps to the next child element of the current one, noting where the reader stood
// before it; false at the current element's end.
bool nextChild(QXmlStreamReader& x, qint64& offset)
{
    while (!x.atEnd()) {
        offset = x.characterOffset();
        x.readNext();
        if (x.isEndElement())
            return false;
        if (x.isStartElement())
            return true;
    }
    return false;
}

// Where the element read after offset starts: the reader may already have looked at
// its '<' when it ended the text before it.
qint64 elementStart(const QString& text, qint64 offset)
{
    if (offset < text.size() && text.at(offset) == QLatin1Char('<'))
        return offset;
    if (offset > 0 && text.at(offset - 1) == QLatin1Char('<'))
        return offset - 1;
    const qint64 next = text.indexOf(QLatin1Char('<'), offset);
    return next < 0 ? offset : next;
}

QString Reader::captureRaw(QXmlStreamReader& x, const QString& text, qint64 startOffset)
{
    x.skipCurrentElement();
    return keepRaw(text, startOffset, x.characterOffset());
}

QString Reader::keepRaw(const QString& text, qint64 startOffset, qint64 endOffset)
{
    const qint64 start = elementStart(text, startOffset);
    const QString xml = text.mid(start, endOffset - start);
    // Relationships the kept XML refers to must travel with it.
    static const QRegularExpression reference(QStringLiteral("\\b([A-Za-z0-9_]+):[A-Za-z]+=\"([^\"]*)\""));
    for (auto it = reference.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        if (relationshipPrefixes_.contains(m.captured(1)) && rels_.contains(m.captured(2)))
            neededRelIds_[currentPart_].insert(m.captured(2));
    }
    return xml;
}

// Marks the parts behind needed relationships as carried, with their own relationships.
std::vector<CarriedRelationship> Reader::neededRelationships(const QString& part, const std::vector<std::pair<QString, Rel>>& rels)
{
    std::vector<CarriedRelationship> out;
    const QSet<QString> needed = neededRelIds_.value(part);
    for (const auto& [id, r] : rels) {
        if (!needed.contains(id))
            continue;
        out.push_back(CarriedRelationship{id, r.type, r.rawTarget, r.external});
        if (!r.external) {
            neededParts_.insert(r.target);
            neededParts_.insert(relsNameOf(r.target));
        }
    }
    return out;
}

void Reader::readBodyPart(const QString& name)
{
    currentPart_ = name;
    rels_.clear();
    const auto rels = readRels(name);
    for (const auto& [id, r] : rels)
        rels_[id] = r;
    const QString text = partText(name);
    text_ = &text;
    QXmlStreamReader x(text);
    while (!x.atEnd() && !(x.isStartElement() && x.name() == QLatin1String("document")))
        x.readNext();
    for (const auto& ns : x.namespaceDeclarations()) {
        m_->carried.namespaces.emplace_back(ns.prefix().toString(), ns.namespaceUri().toString());
        if (ns.namespaceUri() == QLatin1String(kR))
            relationshipPrefixes_.insert(ns.prefix().toString());
    }
    m_->carried.ignorable = x.attributes().value(QLatin1String(kMc), QStringLiteral("Ignorable")).toString();
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("body")) {
            readStoryElements(x, text, m_->body, true);
            break;
        }
    }
    if (x.hasError())
        bad(QStringLiteral("damaged document text: %1").arg(x.errorString()));
    // Relationships the model did not take up travel with the carried elements, and so do
    // those that kept XML refers to, whatever their kind.
    const QSet<QString> needed = neededRelIds_.value(name);
    for (const auto& [id, r] : rels) {
        if (needed.contains(id))
            continue;  // added below, with their parts
        if (consumedRelIds_.contains(id) || r.type == QLatin1String(kRelStyles) || r.type == QLatin1String(kRelSettings) ||
            r.type == QLatin1String(kRelHeader) || r.type == QLatin1String(kRelFooter))
            continue;
        m_->carried.documentRelationships.push_back(CarriedRelationship{id, r.type, r.rawTarget, r.external});
    }
    for (auto& r : neededRelationships(name, rels))
        m_->carried.documentRelationships.push_back(std::move(r));
    for (const auto& [id, r] : rels) {
        if (r.type == QLatin1String(kRelStyles) || r.type == QLatin1String(kRelSettings))
            consumedParts_.insert(r.target);
        if (r.type == QLatin1String(kRelStyles) && zip_.contains(r.target))
            m_->carried.styles = zip_.read(r.target);
    }
    // The last paragraph read is the story's own final paragraph.
    Story& body = m_->body;
    if (body.length() >= 2 && body.at(body.length() - 2).ch == kParagraphMark) {
        const StoryChar last = body.at(body.length() - 2);
        body.remove(body.length() - 2, body.length() - 1);
        body.setFinalMark(last);
    }
}

void Reader::readStoryElements(QXmlStreamReader& x, const QString& text, Story& story, bool body)
{
    qint64 offset = 0;
    while (nextChild(x, offset)) {
        const auto n = x.name();
        if (x.namespaceUri() == QLatin1String(kW) && n == QLatin1String("p")) {
            readParagraph(x, text, story, body, nullptr);
        } else if (x.namespaceUri() == QLatin1String(kW) && n == QLatin1String("tbl")) {
            const qint64 start = offset;
            // Read the table; one the model cannot hold (merged or nested cells) is carried.
            std::optional<TableModel> table = readTable(x);
            const int object = table ? m_->addObject(std::move(*table))
                                     : m_->addObject(CarriedXml{keepRaw(text, start, x.characterOffset()), true});
            story.appendRaw(StoryChar{kObjectChar, 0, 0, 0, object});
            story.appendRaw(StoryChar{});
        } else if (body && x.namespaceUri() == QLatin1String(kW) && n == QLatin1String("sectPr")) {
            readSectPr(x);
        } else if (body && x.namespaceUri() == QLatin1String(kW) && (n == QLatin1String("bookmarkStart") || n == QLatin1String("bookmarkEnd"))) {
            readBookmark(x, story);
        } else {
            const QString raw = captureRaw(x, text, offset);
            story.appendRaw(StoryChar{kObjectChar, 0, 0, 0, m_->addObject(CarriedXml{raw, true})});
            story.appendRaw(StoryChar{});
        }
    }
}

// Properties the model reads become formats; the others are kept as XML for a re-save.
void Reader::readParaProps(QXmlStreamReader& x, ParaFormat& p, CharFormat* mark, QString* frameAlign)
{
    qint64 offset = 0;
    while (nextChild(x, offset)) {
        const auto n = x.name();
        if (x.namespaceUri() != QLatin1String(kW)) {
            p.carried << captureRaw(x, *text_, offset);
        } else if (n == QLatin1String("jc")) {
            const QString v = x.attributes().value(QLatin1String(kW), QStringLiteral("val")).toString();
            p.alignment = v == QLatin1String("center") ? Alignment::Center
                        : (v == QLatin1String("right") || v == QLatin1String("end")) ? Alignment::Right
                        : v == QLatin1String("both") ? Alignment::Justify : Alignment::Left;
            skip(x);
        } else if (n == QLatin1String("spacing")) {
            p.spaceBefore = twipsAttr(x, "before", 0);
            p.spaceAfter = twipsAttr(x, "after", 0);
            for (const QXmlStreamAttribute& a : x.attributes())
                if (!(a.namespaceUri() == QLatin1String(kW) && (a.name() == QLatin1String("before") || a.name() == QLatin1String("after"))))
                    p.spacingExtra.emplace_back(a.qualifiedName().toString(), a.value().toString());
            skip(x);
        } else if (n == QLatin1String("framePr") && frameAlign) {
            *frameAlign = x.attributes().value(QLatin1String(kW), QStringLiteral("xAlign")).toString();
            if (frameAlign->isEmpty())
                *frameAlign = QStringLiteral("left");
            skip(x);
        } else if (n == QLatin1String("rPr")) {
            if (mark)
                readRunProps(x, *mark);
            else
                skip(x);
        } else {
            p.carried << captureRaw(x, *text_, offset);
        }
    }
}

void Reader::readRunProps(QXmlStreamReader& x, CharFormat& f)
{
    qint64 offset = 0;
    while (nextChild(x, offset)) {
        const auto n = x.name();
        const auto val = x.attributes().value(QLatin1String(kW), QStringLiteral("val")).toString();
        const bool w = x.namespaceUri() == QLatin1String(kW);
        if (w && n == QLatin1String("rFonts")) {
            const QString ascii = x.attributes().value(QLatin1String(kW), QStringLiteral("ascii")).toString();
            if (!ascii.isEmpty())
                f.name = ascii;
        } else if (w && n == QLatin1String("b")) f.bold = onOff(x);
        else if (w && n == QLatin1String("i")) f.italic = onOff(x);
        else if (w && n == QLatin1String("strike")) f.strikeThrough = onOff(x);
        else if (w && n == QLatin1String("shadow")) f.shadow = onOff(x);
        else if (w && n == QLatin1String("emboss")) f.emboss = onOff(x);
        else if (w && n == QLatin1String("imprint")) f.engrave = onOff(x);
        else if (w && n == QLatin1String("color")) f.color = wordFromHex(val);
        else if (w && n == QLatin1String("sz")) { bool ok = false; const double h = val.toDouble(&ok); if (ok && h > 0) f.size = h / 2; }
        else if (w && n == QLatin1String("u")) f.underline = !val.isEmpty() && val != QLatin1String("none");
        else if (w && n == QLatin1String("effect")) f.animation = animationFromName(val);
        // The complex-script twins follow their main settings; the link style is ours.
        else if (w && (n == QLatin1String("bCs") || n == QLatin1String("iCs") || n == QLatin1String("szCs") ||
                       (n == QLatin1String("rStyle") && val == QLatin1String("Hyperlink")))) {
        } else {
            f.carried << captureRaw(x, *text_, offset);
            continue;
        }
        skip(x);
    }
}

void Reader::readParagraph(QXmlStreamReader& x, const QString& text, Story& story, bool body, HeaderFooterModel* hf)
{
    ParaFormat para;
    CharFormat markFont;
    QString frameAlign;
    const int startLength = story.length();
    std::uint16_t link = 0;
    std::vector<int> linkDepth;
    int pageFields = 0;
    while (!x.atEnd()) {
        const qint64 offset = x.characterOffset();
        x.readNext();
        if (x.isEndElement()) {
            if (x.name() == QLatin1String("hyperlink") && !linkDepth.empty()) {
                linkDepth.pop_back();
                link = 0;
                continue;
            }
            if (x.name() == QLatin1String("fldSimple"))
                continue;
            if (x.name() == QLatin1String("p"))
                break;
            continue;
        }
        if (!x.isStartElement())
            continue;
        const auto n = x.name();
        const bool w = x.namespaceUri() == QLatin1String(kW);
        if (w && n == QLatin1String("pPr")) {
            readParaProps(x, para, &markFont, hf ? &frameAlign : nullptr);
        } else if (w && n == QLatin1String("r")) {
            const int before = story.length();
            const qint64 runStart = offset;
            if (!readRun(x, story, link)) {
                // Something in the run is beyond the model: keep the whole run as it was.
                story.remove(before - 1, story.length() - 1);
                story.appendRaw(StoryChar{kObjectChar, 0, 0, 0, m_->addObject(CarriedXml{keepRaw(text, runStart, x.characterOffset()), false})});
            }
        } else if (w && n == QLatin1String("hyperlink")) {
            const auto a = x.attributes();
            const QString id = a.value(QLatin1String(kR), QStringLiteral("id")).toString();
            Hyperlink h;
            if (!id.isEmpty() && rels_.contains(id)) {
                h.address = rels_[id].target;
                if (body)
                    consumedRelIds_.insert(id);
            }
            h.subAddress = a.value(QLatin1String(kW), QStringLiteral("anchor")).toString();
            link = (h.address.isEmpty() && h.subAddress.isEmpty()) || !body ? 0 : m_->addHyperlink(h);
            linkDepth.push_back(1);
        } else if (w && n == QLatin1String("fldSimple")) {
            const QString instr = x.attributes().value(QLatin1String(kW), QStringLiteral("instr")).toString().trimmed().section(QLatin1Char(' '), 0, 0).toUpper();
            if (instr == QLatin1String("PAGE") || instr == QLatin1String("NUMPAGES")) {
                ++pageFields;
                story.appendRaw(StoryChar{kObjectChar, story.pool().font(markFont), 0, link, m_->addObject(Field{instr == QLatin1String("PAGE") ? Field::Kind::Page : Field::Kind::NumPages})});
                x.skipCurrentElement();
            } else if (instr == QLatin1String("MERGEFIELD")) {
                const QString name = x.attributes().value(QLatin1String(kW), QStringLiteral("instr")).toString().simplified().section(QLatin1Char(' '), 1, 1).remove(QLatin1Char('"'));
                story.appendRaw(StoryChar{kObjectChar, story.pool().font(markFont), 0, link, m_->addObject(MergeField{name})});
                x.skipCurrentElement();
            }
            // Other fields: their result runs are read as text.
        } else if (w && (n == QLatin1String("bookmarkStart") || n == QLatin1String("bookmarkEnd"))) {
            if (body)
                readBookmark(x, story);
            else
                x.skipCurrentElement();
        } else if (w && (n == QLatin1String("proofErr") || n == QLatin1String("ins") || n == QLatin1String("smartTag"))) {
            if (n == QLatin1String("proofErr"))
                x.skipCurrentElement();
            // Inserted text and smart tags: their runs are read in place.
        } else {
            const QString raw = captureRaw(x, text, offset);
            story.appendRaw(StoryChar{kObjectChar, 0, 0, 0, m_->addObject(CarriedXml{raw, false})});
        }
    }
    // A framed paragraph holding only the PAGE field is the header's or footer's page number.
    if (hf && pageFields == 1 && story.length() - startLength == 1 && !frameAlign.isEmpty()) {
        story.remove(startLength - 1, story.length() - 1);
        static const QStringList kAlign = {QStringLiteral("left"), QStringLiteral("center"), QStringLiteral("right"),
                                           QStringLiteral("inside"), QStringLiteral("outside")};
        hf->pageNumber = static_cast<PageNumberAlignment>(std::max<qsizetype>(0, kAlign.indexOf(frameAlign)));
        return;
    }
    StoryChar mark;
    mark.font = story.pool().font(markFont);
    mark.para = story.pool().para(para);
    story.appendRaw(mark);
}

// Bookmarks start or end before the next character to be read.
void Reader::readBookmark(QXmlStreamReader& x, Story& story)
{
    const auto a = x.attributes();
    const QString id = a.value(QLatin1String(kW), QStringLiteral("id")).toString();
    const int pos = story.length() - 1;
    if (x.name() == QLatin1String("bookmarkStart")) {
        m_->bookmarks.push_back(Bookmark{a.value(QLatin1String(kW), QStringLiteral("name")).toString(), story.track(pos, pos)});
        bookmarkStarts_[id] = static_cast<int>(m_->bookmarks.size()) - 1;
    } else if (bookmarkStarts_.contains(id)) {
        m_->bookmarks[static_cast<std::size_t>(bookmarkStarts_.take(id))].range->end = pos;
    }
    x.skipCurrentElement();
}

bool Reader::readRun(QXmlStreamReader& x, Story& story, std::uint16_t link)
{
    CharFormat font;
    std::uint16_t f = story.pool().font(font);
    auto add = [&](char16_t ch) {
        if (!fieldSkipResult_)
            story.appendRaw(StoryChar{ch, f, 0, link, -1});
    };
    bool understood = true;
    while (x.readNextStartElement()) {
        const auto n = x.name();
        if (x.namespaceUri() != QLatin1String(kW)) {
            understood = false;
            skip(x);
        } else if (n == QLatin1String("rPr")) {
            readRunProps(x, font);
            f = story.pool().font(font);
        } else if (n == QLatin1String("t")) {
            const QString t = x.readElementText();
            if (fieldDepth_ > 0 && fieldSkipResult_)
                continue;
            for (QChar ch : t)
                add(ch == QLatin1Char('\n') || ch == QLatin1Char('\r') ? u' ' : ch.unicode());
        } else if (n == QLatin1String("tab")) {
            add(kTab);
            skip(x);
        } else if (n == QLatin1String("br")) {
            const auto type = x.attributes().value(QLatin1String(kW), QStringLiteral("type"));
            add(type == QLatin1String("page") ? kPageBreak : kLineBreak);
            skip(x);
        } else if (n == QLatin1String("cr")) {
            add(kLineBreak);
            skip(x);
        } else if (n == QLatin1String("noBreakHyphen")) {
            add(u'-');
            skip(x);
        } else if (n == QLatin1String("softHyphen") || n == QLatin1String("lastRenderedPageBreak")) {
            skip(x);
        } else if (n == QLatin1String("drawing")) {
            if (!readDrawing(x, story, f))
                understood = false;
        } else if (n == QLatin1String("fldChar")) {
            const auto type = x.attributes().value(QLatin1String(kW), QStringLiteral("fldCharType"));
            if (type == QLatin1String("begin")) {
                ++fieldDepth_;
                fieldInstr_.clear();
            } else if (type == QLatin1String("separate") && fieldDepth_ == 1) {
                const QString instr = fieldInstr_.trimmed().section(QLatin1Char(' '), 0, 0).toUpper();
                if (instr == QLatin1String("PAGE") || instr == QLatin1String("NUMPAGES")) {
                    story.appendRaw(StoryChar{kObjectChar, f, 0, link, m_->addObject(Field{instr == QLatin1String("PAGE") ? Field::Kind::Page : Field::Kind::NumPages})});
                    fieldSkipResult_ = true;
                }
            } else if (type == QLatin1String("end") && fieldDepth_ > 0) {
                if (--fieldDepth_ == 0)
                    fieldSkipResult_ = false;
            }
            skip(x);
        } else if (n == QLatin1String("instrText")) {
            fieldInstr_ += x.readElementText();
        } else {
            understood = false;
            skip(x);
        }
    }
    return understood;
}

bool Reader::readDrawing(QXmlStreamReader& x, Story& story, std::uint16_t font)
{
    bool floating = false;
    double cx = 0, cy = 0, left = 0, top = 0;
    QString embed, linkTarget, fallback;
    bool picture = false;
    QString axis;
    QString chartId;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isEndElement() && x.name() == QLatin1String("drawing"))
            break;
        if (!x.isStartElement())
            continue;
        const auto n = x.name();
        const auto a = x.attributes();
        if (n == QLatin1String("anchor") && x.namespaceUri() == QLatin1String(kWp)) floating = true;
        else if (n == QLatin1String("extent") && x.namespaceUri() == QLatin1String(kWp)) {
            cx = a.value(QStringLiteral("cx")).toDouble() / kEmuPerPoint;
            cy = a.value(QStringLiteral("cy")).toDouble() / kEmuPerPoint;
        } else if (n == QLatin1String("positionH") || n == QLatin1String("positionV")) axis = n.toString();
        else if (n == QLatin1String("posOffset")) {
            const double v = x.readElementText().toDouble() / kEmuPerPoint;
            (axis == QLatin1String("positionH") ? left : top) = v;
        } else if (n == QLatin1String("align")) return false;  // aligned shapes: beyond the model
        else if (n == QLatin1String("graphicData")) picture = a.value(QStringLiteral("uri")) == QLatin1String(kPic);
        else if (n == QLatin1String("chart") && x.namespaceUri() == QLatin1String(graph::kChartNamespace))
            chartId = a.value(QLatin1String(kR), QStringLiteral("id")).toString();
        else if (n == QLatin1String("blip")) {
            embed = a.value(QLatin1String(kR), QStringLiteral("embed")).toString();
            linkTarget = a.value(QLatin1String(kR), QStringLiteral("link")).toString();
        } else if (n == QLatin1String("fallback") && x.namespaceUri() == QLatin1String(kTv))
            fallback = a.value(QLatin1String(kR), QStringLiteral("embed")).toString();
    }
    if (!chartId.isEmpty()) {
        // A floating chart in the main text whose part stands alone, as ours do, becomes a
        // chart again; any other chart stays as the file has it.
        const Rel* r = rels_.contains(chartId) ? &rels_[chartId] : nullptr;
        if (!floating || &story != &m_->body || !r || r->external || !zip_.contains(r->target) ||
            zip_.contains(r->target.section(QLatin1Char('/'), 0, -2) + QStringLiteral("/_rels/") +
                          r->target.section(QLatin1Char('/'), -1) + QStringLiteral(".rels")))
            return false;
        const std::optional<graph::ChartModel> chart = graph::readChartPart(zip_.read(r->target));
        if (!chart)
            return false;
        consumedRelIds_.insert(chartId);
        consumedParts_.insert(r->target);
        story.appendRaw(StoryChar{kObjectChar, font, 0, 0, m_->addObject(FloatingChart{*chart, left, top, cx, cy})});
        return true;
    }
    if (!picture || (embed.isEmpty() && linkTarget.isEmpty()))
        return false;
    PictureData pic;
    const bool body = &story == &m_->body;
    auto take = [&](const QString& id) -> QString {
        if (!rels_.contains(id))
            return {};
        if (body)
            consumedRelIds_.insert(id);
        const Rel& r = rels_[id];
        if (!r.external)
            consumedParts_.insert(r.target);
        return r.target;
    };
    if (!embed.isEmpty()) {
        const QString part = take(embed);
        if (part.isEmpty() || !zip_.contains(part))
            return false;
        pic.bytes = zip_.read(part);
        pic.savedWithDocument = true;
    } else {
        pic.savedWithDocument = false;
    }
    if (!linkTarget.isEmpty()) {
        const QString target = take(linkTarget);
        const QUrl url(target);
        pic.sourcePath = url.isLocalFile() ? url.toLocalFile() : target;
        pic.linked = true;
    }
    if (!fallback.isEmpty()) {
        const QString part = take(fallback);
        if (zip_.contains(part))
            pic.fallbackPng = zip_.read(part);
    }
    pic.format = detectPictureFormat(pic.currentBytes());
    if (pic.format == PictureFormat::Unknown)
        pic.format = pictureFormatFromExtension(pic.sourcePath.section(QLatin1Char('.'), -1));
    int object;
    if (floating)
        object = m_->addObject(FloatingPicture{pic, left, top, cx, cy});
    else
        object = m_->addObject(InlinePicture{pic, cx, cy});
    story.appendRaw(StoryChar{kObjectChar, font, 0, 0, object});
    return true;
}

std::optional<TableModel> Reader::readTable(QXmlStreamReader& x)
{
    TableModel t;
    bool plain = true;
    bool borders = false;
    bool autoFit = true;
    std::vector<double> grid;
    std::vector<std::vector<TableCell>> rows;
    int headingRows = 0;
    double rowHeight = 0;
    bool headingRun = true;
    while (x.readNextStartElement()) {
        const auto n = x.name();
        if (n == QLatin1String("tblPr")) {
            while (x.readNextStartElement()) {
                if (x.name() == QLatin1String("tblBorders")) {
                    while (x.readNextStartElement()) {
                        const BorderLine line = borderLineOf(x);
                        borders = borders || !line.isNone();
                        if (BorderLine* side = tableSide(t.lines, x.name()))
                            *side = line;
                        skip(x);
                    }
                } else if (x.name() == QLatin1String("tblCellMar")) {
                    while (x.readNextStartElement()) {
                        const auto side = x.name();
                        const double points = twipsAttr(x, "w", 0);
                        if (side == QLatin1String("top"))
                            t.cellMargins.top = points;
                        else if (side == QLatin1String("bottom"))
                            t.cellMargins.bottom = points;
                        else if (side == QLatin1String("left") || side == QLatin1String("start"))
                            t.cellMargins.left = points;
                        else if (side == QLatin1String("right") || side == QLatin1String("end"))
                            t.cellMargins.right = points;
                        skip(x);
                    }
                } else if (x.name() == QLatin1String("tblLayout")) {
                    autoFit = x.attributes().value(QLatin1String(kW), QStringLiteral("type")) != QLatin1String("fixed");
                    skip(x);
                } else {
                    skip(x);
                }
            }
        } else if (n == QLatin1String("tblGrid")) {
            while (x.readNextStartElement()) {
                grid.push_back(twipsAttr(x, "w", 0));
                skip(x);
            }
        } else if (n == QLatin1String("tr")) {
            std::vector<TableCell> row;
            bool header = false;
            double height = 0;  // an exact height; rows as tall as their text have none
            while (x.readNextStartElement()) {
                if (x.name() == QLatin1String("trPr")) {
                    while (x.readNextStartElement()) {
                        header = header || x.name() == QLatin1String("tblHeader");
                        // A least height is a minimum the text outgrows anyway; only an exact one is kept.
                        if (x.name() == QLatin1String("trHeight")
                            && x.attributes().value(QLatin1String(kW), QStringLiteral("hRule")) == QLatin1String("exact"))
                            height = twipsAttr(x, "val", 0);
                        skip(x);
                    }
                } else if (x.name() == QLatin1String("tc")) {
                    TableCell cell;
                    bool firstPara = true;
                    bool firstRun = true;
                    QStringList lines;
                    while (x.readNextStartElement()) {
                        if (x.name() == QLatin1String("tcPr")) {
                            while (x.readNextStartElement()) {
                                const auto cn = x.name();
                                if (cn == QLatin1String("tcBorders")) {
                                    while (x.readNextStartElement()) {
                                        if (BorderLine* side = cellSide(cell.edges, x.name()))
                                            *side = borderLineOf(x);
                                        skip(x);
                                    }
                                    continue;
                                }
                                if (cn == QLatin1String("shd")) {
                                    const QString fill = x.attributes().value(QLatin1String(kW), QStringLiteral("fill")).toString();
                                    cell.shading = wordFromHex(fill);
                                } else if (cn == QLatin1String("gridSpan") || cn == QLatin1String("vMerge") || cn == QLatin1String("hMerge")) {
                                    plain = false;
                                }
                                skip(x);
                            }
                        } else if (x.name() == QLatin1String("p")) {
                            QString line;
                            while (x.readNextStartElement()) {
                                if (x.name() == QLatin1String("pPr")) {
                                    ParaFormat pf;
                                    readParaProps(x, pf, nullptr, nullptr);
                                    if (firstPara)
                                        cell.para = pf;
                                } else if (x.name() == QLatin1String("r")) {
                                    while (x.readNextStartElement()) {
                                        if (x.name() == QLatin1String("rPr")) {
                                            CharFormat cf;
                                            readRunProps(x, cf);
                                            if (firstRun)
                                                cell.font = cf;
                                            firstRun = false;
                                        } else if (x.name() == QLatin1String("t")) {
                                            line += x.readElementText();
                                        } else if (x.name() == QLatin1String("tab")) {
                                            line += QLatin1Char('\t');
                                            skip(x);
                                        } else {
                                            skip(x);
                                        }
                                    }
                                } else {
                                    skip(x);
                                }
                            }
                            lines << line;
                            firstPara = false;
                        } else {
                            plain = false;  // a nested table or other content
                            skip(x);
                        }
                    }
                    cell.text = lines.join(QLatin1Char('\r'));
                    row.push_back(cell);
                } else {
                    skip(x);
                }
            }
            if (header && headingRun)
                ++headingRows;
            else
                headingRun = false;
            // The model holds one exact height for every row.
            if (rows.empty())
                rowHeight = height;
            else if (height != rowHeight)
                plain = false;
            rows.push_back(std::move(row));
        } else {
            skip(x);
        }
    }
    if (!plain || rows.empty())
        return std::nullopt;
    int columns = 0;
    for (const auto& r : rows)
        columns = std::max(columns, static_cast<int>(r.size()));
    t.resize(static_cast<int>(rows.size()), columns);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            t.cell(static_cast<int>(r), static_cast<int>(c)) = rows[r][c];
    // A table format may rule only some cell edges, with no line of the table's own.
    t.borders = borders || std::any_of(t.cells.begin(), t.cells.end(), [](const TableCell& c) { return c.edges.any(); });
    t.autoFit = autoFit;
    t.headingRows = headingRows;
    t.rowHeight = rowHeight;
    if (!autoFit && !grid.empty())
        t.columnWidth = grid.front();
    return t;
}

void Reader::readSectPr(QXmlStreamReader& x)
{
    SectionModel& s = m_->section;
    PageSetupModel& pg = s.page;
    std::vector<std::tuple<bool, QString, QString>> refs;  // header?, type, id
    while (x.readNextStartElement()) {
        const auto n = x.name();
        const auto a = x.attributes();
        if (n == QLatin1String("headerReference") || n == QLatin1String("footerReference")) {
            refs.emplace_back(n == QLatin1String("headerReference"), a.value(QLatin1String(kW), QStringLiteral("type")).toString(),
                              a.value(QLatin1String(kR), QStringLiteral("id")).toString());
        } else if (n == QLatin1String("pgSz")) {
            pg.pageWidth = twipsAttr(x, "w", pg.pageWidth);
            pg.pageHeight = twipsAttr(x, "h", pg.pageHeight);
            pg.orientation = a.value(QLatin1String(kW), QStringLiteral("orient")) == QLatin1String("landscape") ? Orientation::Landscape : Orientation::Portrait;
        } else if (n == QLatin1String("pgMar")) {
            pg.topMargin = std::abs(twipsAttr(x, "top", pg.topMargin));
            pg.bottomMargin = std::abs(twipsAttr(x, "bottom", pg.bottomMargin));
            pg.leftMargin = twipsAttr(x, "left", pg.leftMargin);
            pg.rightMargin = twipsAttr(x, "right", pg.rightMargin);
            pg.headerDistance = twipsAttr(x, "header", pg.headerDistance);
            pg.footerDistance = twipsAttr(x, "footer", pg.footerDistance);
        } else if (n == QLatin1String("titlePg")) {
            s.differentFirstPage = onOff(x);
        }
        skip(x);
    }
    const QHash<QString, Rel> keep = rels_;
    const QString part = currentPart_;
    const QString* partText = text_;
    for (const auto& [header, type, id] : refs) {
        if (!keep.contains(id))
            continue;
        const HeaderFooterIndex index = type == QLatin1String("first") ? HeaderFooterIndex::FirstPage
                                      : type == QLatin1String("even") ? HeaderFooterIndex::EvenPages : HeaderFooterIndex::Primary;
        readHeaderFooter(keep[id].target, header ? s.header(index) : s.footer(index));
    }
    rels_ = keep;
    currentPart_ = part;
    text_ = partText;
}

void Reader::readHeaderFooter(const QString& name, HeaderFooterModel& hf)
{
    if (!zip_.contains(name))
        return;
    consumedParts_.insert(name);
    currentPart_ = name;
    rels_.clear();
    const auto rels = readRels(name);
    for (const auto& [id, r] : rels)
        rels_[id] = r;
    const QString text = partText(name);
    text_ = &text;
    QXmlStreamReader x(text);
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && (x.name() == QLatin1String("hdr") || x.name() == QLatin1String("ftr")))
            break;
    }
    while (!x.atEnd()) {
        x.readNext();
        if (x.isEndElement())
            break;
        if (!x.isStartElement())
            continue;
        if (x.name() == QLatin1String("p"))
            readParagraph(x, text, hf.story, false, &hf);
        else
            x.skipCurrentElement();
    }
    hf.carriedRelationships = neededRelationships(name, rels);
    // The last paragraph read becomes the story's final one.
    Story& story = hf.story;
    if (story.length() >= 2 && story.at(story.length() - 2).ch == kParagraphMark) {
        const StoryChar last = story.at(story.length() - 2);
        story.remove(story.length() - 2, story.length() - 1);
        story.setFinalMark(last);
    }
}

}  // namespace

std::unique_ptr<DocumentModel> readDocx(const QByteArray& package)
{
    try {
        return Reader(package).read();
    } catch (const zip::ZipError& e) {
        throw WordError(QStringLiteral("Zip"), e.description());
    }
}

}  // namespace tovu::platform::word
