#pragma once
// The XML document object as callers use it by member name: async, Load(file), readyState,
// parseError (errorCode, reason, line), documentElement, and nodes with nodeName,
// nodeTypedValue, nodeType, text and childNodes (length, Item(i) from 0).
//
// Load reads the whole file synchronously, whatever async says. A file that cannot be read
// raises; one that is not well-formed XML loads as nothing, with the parse error set.
// Whitespace-only text between elements is dropped, as the default of not preserving
// white space does; entities are expanded, external ones never fetched.

#include "platform/automation/Dispatch.h"

#include <QString>
#include <QStringList>

namespace tovu::platform::xml {

// The class names the object answers to: "Msxml2.DOMDocument.4.0", ".3.0", ".2.6",
// "Msxml2.DOMDocument" and "Msxml.DOMDocument".
const QStringList& domDocumentClassNames();
bool isDomDocumentClass(const QString& progId);

// A new, empty document object.
automation::DispatchRef createDomDocument();

}  // namespace tovu::platform::xml
