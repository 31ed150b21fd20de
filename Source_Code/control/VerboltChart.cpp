// A chart embedded in the held document: a chart object at the end of the text, its data
// sheet filled from a two-dimensional array whose row 0 and column 0 hold the labels.
#include "control/Verbolt.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/SafeArray.h"
#include "platform/office/word/Charts.h"
#include "platform/office/word/Document.h"

#include <QDateTime>

namespace tovu::control {

namespace {

using automation::Variant;
using automation::VarType;

const QString kEndOfDoc = QStringLiteral("\\EndOfDoc");

// An array element as a data-sheet cell takes it: numbers, texts, truth values and dates as
// they are; Empty and Null leave the cell empty; anything else does not fit in a cell.
QVariant cellValue(const Variant& v)
{
    switch (v.type()) {
    case VarType::Empty:
    case VarType::Null:
        return QVariant();
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Byte:
        return v.toDouble();
    case VarType::Boolean:
        return v.toBoolean();
    case VarType::Date:
    case VarType::String:
        return v.toString();
    default:
        throw automation::AutomationError::standard(automation::ErrorNumber::TypeMismatch);
    }
}

} // namespace

MethodStatus Verbolt::CreateChart(automation::Variant& varArray, std::int32_t& lngChart, QString& strTitle,
                                  QString& strAxisTitle, std::int16_t& intLeft, std::int16_t& intTop,
                                  std::int16_t& intWidth, std::int16_t& intHeight, std::int16_t& intChartFontSize,
                                  std::int16_t& intChartTitleFontSize, bool& blnAutoScaleFont)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    if (!varArray.isArray())
        return -3;
    try {
        word::Document& document = requireHeldDocument();
        const word::Range anchor = document.bookmarks().range(kEndOfDoc);
        document.content().paragraphs().add();
        const word::ChartShape shape = word::addOLEObject(document, QLatin1String(word::kChartClassType), false, anchor,
                                                          intLeft, intTop, intWidth, intHeight);
        word::GraphChart chart = shape.object();
        chart.setChartAreaFontSize(intChartFontSize);
        chart.update();
        chart.setChartType(lngChart);
        if (!strTitle.trimmed().isEmpty()) {
            chart.setHasTitle(true);
            chart.setTitleText(strTitle);
        }
        chart.setTitleFontSize(intChartTitleFontSize);
        if (!strAxisTitle.trimmed().isEmpty()) {
            chart.setValueAxisHasTitle(true);
            chart.setValueAxisTitle(strAxisTitle);
        }
        chart.setAutoScaleFont(blnAutoScaleFont);
        word::ChartDataSheet sheet = chart.dataSheet();
        sheet.clearCells();
        // Element (r, c) is cell (r + 1, c + 1); every loop starts at 1, whatever the bounds.
        const automation::SafeArray& data = varArray.array();
        const std::int16_t rows = Variant(data.ubound(1)).toInteger();
        const std::int16_t columns = Variant(data.ubound(2)).toInteger();
        for (std::int16_t r = 1; r <= rows; ++r)
            sheet.setCell(r + 1, 1, data.get({r, 0}).toString());
        for (std::int16_t c = 1; c <= columns; ++c)
            sheet.setCell(1, c + 1, data.get({0, c}).toString());
        for (std::int16_t r = 1; r <= rows; ++r)
            for (std::int16_t c = 1; c <= columns; ++c)
                sheet.setCell(r + 1, c + 1, cellValue(data.get({r, c})));
        chart.update();
        chart.quit();
        return 1;
    } catch (...) {
        // What was built so far stays in the document.
        return -4;
    }
}

} // namespace tovu::control
