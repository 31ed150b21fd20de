#include "platform/office/word/SchemaOrder.h"

#include <QRegularExpression>
#include <QStringList>

namespace tovu::platform::word::ooxml {

namespace {

int indexIn(const QStringList& order, QStringView name)
{
    for (qsizetype i = 0; i < order.size(); ++i)
        if (order[i] == name)
            return static_cast<int>(i);
    return static_cast<int>(order.size());
}

}  // namespace

int paragraphPropertyOrder(QStringView localName)
{
    static const QStringList order = QStringLiteral(
        "pStyle keepNext keepLines pageBreakBefore framePr widowControl numPr suppressLineNumbers pBdr shd tabs "
        "suppressAutoHyphens kinsoku wordWrap overflowPunct topLinePunct autoSpaceDE autoSpaceDN bidi adjustRightInd "
        "snapToGrid spacing ind contextualSpacing mirrorIndents suppressOverlap jc textDirection textAlignment "
        "textboxTightWrap outlineLvl divId cnfStyle rPr sectPr pPrChange").split(QLatin1Char(' '));
    return indexIn(order, localName);
}

int runPropertyOrder(QStringView localName)
{
    static const QStringList order = QStringLiteral(
        "rStyle rFonts b bCs i iCs caps smallCaps strike dstrike outline shadow emboss imprint noProof snapToGrid "
        "vanish webHidden color spacing w kern position sz szCs highlight u effect bdr shd fitText vertAlign rtl cs "
        "em lang eastAsianLayout specVanish oMath rPrChange").split(QLatin1Char(' '));
    return indexIn(order, localName);
}

QString fragmentLocalName(const QString& xml)
{
    static const QRegularExpression tag(QStringLiteral("^\\s*<(?:[A-Za-z0-9_.-]+:)?([A-Za-z0-9_.-]+)"));
    const auto m = tag.match(xml);
    return m.hasMatch() ? m.captured(1) : QString();
}

}  // namespace tovu::platform::word::ooxml
