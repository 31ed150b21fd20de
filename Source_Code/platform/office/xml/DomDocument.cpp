#include "platform/office/xml/DomDocument.h"

#include "platform/automation/AutomationError.h"
#include "platform/automation/DispatchTable.h"

#include <QDomDocument>
#include <QFile>
#include <memory>

namespace tovu::platform::xml {

namespace {

using automation::Args;
using automation::DispatchRef;
using automation::Variant;

// The node kinds' numbers as the DOM gives them in nodeType.
std::int32_t nodeTypeOf(const QDomNode& node)
{
    return static_cast<std::int32_t>(node.nodeType());
}

// The DOM names: the tag of an element, the target of a processing instruction and
// "#text", "#comment", "#cdata-section" for the others.
QString nodeNameOf(const QDomNode& node)
{
    switch (node.nodeType()) {
    case QDomNode::TextNode: return QStringLiteral("#text");
    case QDomNode::CommentNode: return QStringLiteral("#comment");
    case QDomNode::CDATASectionNode: return QStringLiteral("#cdata-section");
    case QDomNode::DocumentNode: return QStringLiteral("#document");
    default: return node.nodeName();
    }
}

// The text of a node and its descendants.
QString textOf(const QDomNode& node)
{
    if (node.isCharacterData())
        return node.toCharacterData().data();
    if (node.isProcessingInstruction())
        return node.toProcessingInstruction().data();
    QString out;
    for (QDomNode c = node.firstChild(); !c.isNull(); c = c.nextSibling())
        if (!c.isComment() && !c.isProcessingInstruction())
            out += textOf(c);
    return out;
}

DispatchRef nodeDispatch(const QDomNode& node);

DispatchRef nodeListDispatch(const QDomNodeList& list)
{
    return automation::makeDispatch(
        {
            {QStringLiteral("length"), 1, [list](Args&) { return Variant(std::int32_t{static_cast<std::int32_t>(list.size())}); }},
            {QStringLiteral("Item"), automation::DispIdValue,
             [list](Args& a) {
                 const std::int32_t i = automation::argumentAt(a, 0).toLong();
                 // Past the end there is no node, as the DOM answers.
                 if (i < 0 || i >= list.size())
                     return Variant::nothing();
                 return Variant(nodeDispatch(list.item(i)));
             }},
        },
        QStringLiteral("IXMLDOMNodeList"));
}

DispatchRef nodeDispatch(const QDomNode& node)
{
    return automation::makeDispatch(
        {
            {QStringLiteral("nodeName"), 1, [node](Args&) { return Variant(nodeNameOf(node)); }},
            {QStringLiteral("nodeType"), 2, [node](Args&) { return Variant(nodeTypeOf(node)); }},
            {QStringLiteral("nodeTypedValue"), 3, [node](Args&) { return Variant(textOf(node)); }},
            {QStringLiteral("text"), 4, [node](Args&) { return Variant(textOf(node)); }},
            {QStringLiteral("childNodes"), 5, [node](Args&) { return Variant(nodeListDispatch(node.childNodes())); }},
        },
        QStringLiteral("IXMLDOMNode"));
}

struct State {
    QDomDocument document;
    bool async = true;
    std::int32_t readyState = 4;  // complete: an empty document is complete too
    std::int32_t errorCode = 0;
    QString reason;
    std::int32_t line = 0;
};

// The error code of a document that is not well-formed (the DOM's own number for it).
constexpr std::int32_t kNotWellFormed = static_cast<std::int32_t>(0xC00CE502u);

bool load(State& s, const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        throw automation::AutomationError::standard(automation::ErrorNumber::FileNotFound);
    const QByteArray bytes = file.readAll();
    s.document = QDomDocument();
    QString message;
    int line = 0;
    int column = 0;
    if (!s.document.setContent(bytes, &message, &line, &column)) {
        s.document = QDomDocument();
        s.errorCode = kNotWellFormed;
        s.reason = message;
        s.line = line;
        return false;
    }
    s.errorCode = 0;
    s.reason.clear();
    s.line = 0;
    return true;
}

}  // namespace

const QStringList& domDocumentClassNames()
{
    static const QStringList names = {QStringLiteral("Msxml2.DOMDocument.4.0"), QStringLiteral("Msxml2.DOMDocument.3.0"),
                                      QStringLiteral("Msxml2.DOMDocument.2.6"), QStringLiteral("Msxml2.DOMDocument"),
                                      QStringLiteral("Msxml.DOMDocument")};
    return names;
}

bool isDomDocumentClass(const QString& progId)
{
    return domDocumentClassNames().contains(progId, Qt::CaseInsensitive);
}

DispatchRef createDomDocument()
{
    auto s = std::make_shared<State>();
    return automation::makeDispatch(
        {
            {QStringLiteral("async"), 1, [s](Args&) { return Variant(s->async); },
             [s](Args& a) { s->async = a.back().toBoolean(); return Variant(); }},
            {QStringLiteral("Load"), 2, [s](Args& a) { return Variant(load(*s, automation::argumentAt(a, 0).toString())); }},
            {QStringLiteral("readyState"), 3, [s](Args&) { return Variant(s->readyState); }},
            {QStringLiteral("parseError"), 4,
             [s](Args&) {
                 return Variant(automation::makeDispatch(
                     {
                         {QStringLiteral("errorCode"), 1, [s](Args&) { return Variant(s->errorCode); }},
                         {QStringLiteral("reason"), 2, [s](Args&) { return Variant(s->reason); }},
                         {QStringLiteral("line"), 3, [s](Args&) { return Variant(s->line); }},
                     },
                     QStringLiteral("IXMLDOMParseError")));
             }},
            {QStringLiteral("documentElement"), 5,
             [s](Args&) {
                 const QDomElement root = s->document.documentElement();
                 return root.isNull() ? Variant::nothing() : Variant(nodeDispatch(root));
             }},
            {QStringLiteral("childNodes"), 6, [s](Args&) { return Variant(nodeListDispatch(s->document.childNodes())); }},
        },
        QStringLiteral("IXMLDOMDocument"));
}

}  // namespace tovu::platform::xml
