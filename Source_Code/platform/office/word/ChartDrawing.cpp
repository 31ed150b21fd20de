#include "platform/office/word/ChartDrawing.h"

#include "platform/office/graph/ChartXml.h"
#include "platform/office/word/Formats.h"
#include "platform/office/word/OoxmlNames.h"

#include <QXmlStreamWriter>

namespace tovu::platform::word {

using namespace ooxml;

void writeChartDrawing(QXmlStreamWriter& x, const FloatingChart& chart, int id, const QString& relationshipId)
{
    const auto emu = [](double points) { return QString::number(qRound64(points * kEmuPerPoint)); };
    const auto wp = [&](const char* n) { x.writeStartElement(QLatin1String(kWp), QLatin1String(n)); };
    const auto attrs = [&](std::initializer_list<std::pair<const char*, QString>> list) {
        for (const auto& [name, value] : list)
            x.writeAttribute(QLatin1String(name), value);
    };
    const QString zero = QStringLiteral("0");
    x.writeStartElement(QLatin1String(kW), QStringLiteral("drawing"));
    wp("anchor");
    attrs({{"distT", zero}, {"distB", zero}, {"distL", QStringLiteral("114300")}, {"distR", QStringLiteral("114300")},
           {"simplePos", zero}, {"relativeHeight", QString::number(251658240 + id)}, {"behindDoc", zero},
           {"locked", zero}, {"layoutInCell", QStringLiteral("1")}, {"allowOverlap", QStringLiteral("1")}});
    x.writeEmptyElement(QLatin1String(kWp), QStringLiteral("simplePos"));
    attrs({{"x", zero}, {"y", zero}});
    wp("positionH");
    x.writeAttribute(QStringLiteral("relativeFrom"), QStringLiteral("column"));
    x.writeTextElement(QLatin1String(kWp), QStringLiteral("posOffset"), emu(chart.left));
    x.writeEndElement();
    wp("positionV");
    x.writeAttribute(QStringLiteral("relativeFrom"), QStringLiteral("paragraph"));
    x.writeTextElement(QLatin1String(kWp), QStringLiteral("posOffset"), emu(chart.top));
    x.writeEndElement();
    x.writeEmptyElement(QLatin1String(kWp), QStringLiteral("extent"));
    attrs({{"cx", emu(chart.width)}, {"cy", emu(chart.height)}});
    x.writeEmptyElement(QLatin1String(kWp), QStringLiteral("effectExtent"));
    attrs({{"l", zero}, {"t", zero}, {"r", zero}, {"b", zero}});
    x.writeEmptyElement(QLatin1String(kWp), QStringLiteral("wrapNone"));
    x.writeEmptyElement(QLatin1String(kWp), QStringLiteral("docPr"));
    attrs({{"id", QString::number(id)}, {"name", QStringLiteral("Chart %1").arg(id)}});
    x.writeEmptyElement(QLatin1String(kWp), QStringLiteral("cNvGraphicFramePr"));
    x.writeStartElement(QLatin1String(kA), QStringLiteral("graphic"));
    x.writeStartElement(QLatin1String(kA), QStringLiteral("graphicData"));
    x.writeAttribute(QStringLiteral("uri"), QLatin1String(graph::kChartNamespace));
    x.writeNamespace(QLatin1String(graph::kChartNamespace), QStringLiteral("c"));
    x.writeEmptyElement(QLatin1String(graph::kChartNamespace), QStringLiteral("chart"));
    x.writeAttribute(QLatin1String(kR), QStringLiteral("id"), relationshipId);
    x.writeEndElement();  // graphicData
    x.writeEndElement();  // graphic
    x.writeEndElement();  // anchor
    x.writeEndElement();  // drawing
}

}  // namespace tovu::platform::word
