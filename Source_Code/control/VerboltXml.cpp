// An XML file's node tree shown in a host tree view: one tree node per XML node, elements as
// their name in angle brackets, text as its text.
#include "control/HostMembers.h"
#include "control/Trap.h"
#include "control/Verbolt.h"
#include "platform/automation/AutomationError.h"

namespace tovu::control {

namespace {

// Tree-view relationship of a node added under another.
constexpr std::int32_t kChild = 4;

// The document object of the first class name that can be created, newest first; none
// when no class can be.
automation::DispatchRef createXmlDocument(Verbolt& control)
{
    for (const char* name : {"Msxml2.DOMDocument.4.0", "Msxml2.DOMDocument.3.0", "Msxml2.DOMDocument.2.6",
                             "Msxml.DOMDocument"}) {
        automation::DispatchRef document;
        if (StepErrors{}([&] { document = control.createObject(QString::fromLatin1(name)); }) && document)
            return document;
    }
    return {};
}

// Adds node x under parent (a root when none) and then its children, in order. Every step
// ignores its errors and the next one runs.
void AddXMLNodeToTreeView(const automation::DispatchRef& x, const automation::DispatchRef& tv, bool expand,
                          const automation::DispatchRef& parent)
{
    StepErrors step;
    automation::DispatchRef added;
    step([&] {
        const automation::DispatchRef nodes = objectOf(tv, QStringLiteral("Nodes"));
        added = parent ? objectOf(nodes, QStringLiteral("Add"), {automation::Variant(parent), automation::Variant(kChild)})
                       : objectOf(nodes, QStringLiteral("Add"));
    });
    if (expand)
        step([&] { assignMember(added, QStringLiteral("Expanded"), true); });
    step([&] {
        const QString name = memberOf(x, QStringLiteral("nodeName")).toString();
        const QString text = name == QLatin1String("#text")
                                 ? memberOf(x, QStringLiteral("nodeTypedValue")).toString()
                                 : QLatin1Char('<') + name + QLatin1Char('>');
        assignMember(added, QStringLiteral("Text"), text);
    });
    automation::DispatchRef children;
    std::int32_t count = 0;
    step([&] {
        children = objectOf(x, QStringLiteral("childNodes"));
        count = memberOf(children, QStringLiteral("length")).toLong();
    });
    for (std::int32_t i = 0; i < count; ++i) {
        automation::DispatchRef child;
        if (step([&] { child = objectOf(children, QStringLiteral("Item"), {automation::Variant(i)}); }))
            AddXMLNodeToTreeView(child, tv, expand, added);
    }
}

} // namespace

MethodStatus Verbolt::XMLFileToTreeView(QString& strXMLFile, automation::DispatchRef& tv, bool& blnExpandAll)
{
    const automation::DispatchRef document = createXmlDocument(*this);
    if (!document)
        return -1;
    StepErrors step;
    if (!step([&] {
            assignMember(document, QStringLiteral("async"), false);
            memberOf(document, QStringLiteral("Load"), {automation::Variant(strXMLFile)});
        }))
        return -2;
    std::int32_t errorCode = 0;
    if (!step([&] { errorCode = memberOf(objectOf(document, QStringLiteral("parseError")), QStringLiteral("errorCode")).toLong(); })
        || errorCode != 0)
        return -3;
    step([&] {
        if (memberOf(document, QStringLiteral("readyState")).toLong() == 4)
            AddXMLNodeToTreeView(objectOf(document, QStringLiteral("documentElement")), tv, blnExpandAll, {});
    });
    return 1;
}

} // namespace tovu::control
