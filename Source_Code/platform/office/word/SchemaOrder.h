#pragma once

#include <QString>
#include <QStringView>

namespace tovu::platform::word::ooxml {

// Position of a child element in the schema's order for paragraph and run properties;
// a name the schema does not list sorts last.
int paragraphPropertyOrder(QStringView localName);
int runPropertyOrder(QStringView localName);

// The local name of the first element of an XML fragment ("<w:numPr ..." -> "numPr").
QString fragmentLocalName(const QString& xml);

}  // namespace tovu::platform::word::ooxml
