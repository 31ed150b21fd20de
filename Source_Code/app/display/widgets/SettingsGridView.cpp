#include "app/display/widgets/SettingsGridView.h"

#include <QHeaderView>
#include <QStyle>
#include <cmath>

namespace tovu::display {

SettingsGridView::SettingsGridView(QWidget* parent) : QTableView(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
}

void SettingsGridView::setModel(QAbstractItemModel* model)
{
    QTableView::setModel(model);
    // New texts (another item, another language) may need a wider first column.
    connect(model, &QAbstractItemModel::modelReset, this, &SettingsGridView::applyColumnWidths);
    connect(model, &QAbstractItemModel::layoutChanged, this, &SettingsGridView::applyColumnWidths);
    connect(model, &QAbstractItemModel::dataChanged, this, &SettingsGridView::applyColumnWidths);
    connect(model, &QAbstractItemModel::rowsInserted, this, &SettingsGridView::applyColumnWidths);
}

int SettingsGridView::columnTextWidth(int column) const
{
    int widest = 0;
    if (!model())
        return widest;
    for (int r = 0; r < model()->rowCount(); ++r) {
        const QModelIndex cell = model()->index(r, column);
        // Bold cells (the header row) are wider than the view's own font makes them.
        QFont font = this->font();
        if (const QVariant f = cell.data(Qt::FontRole); f.isValid())
            font = f.value<QFont>();
        widest = std::max(widest, QFontMetrics(font).horizontalAdvance(cell.data().toString()));
    }
    // The cell's margins on both sides and its grid line.
    return widest == 0 ? 0 : widest + 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 2;
}

void SettingsGridView::applyColumnWidths()
{
    const double twipsPerPixel = 1440.0 / logicalDpiX();
    // The first column is as wide as its longest label needs, 700 twips at the least; the
    // item columns share what it leaves.
    const int first = std::max(static_cast<int>(std::lround(SettingsGridModel::columnWidthTwips(0, 0) / twipsPerPixel)),
                               columnTextWidth(0));
    const int extraTwips = static_cast<int>(std::lround(first * twipsPerPixel)) - SettingsGridModel::columnWidthTwips(0, 0);
    const int widthTwips = static_cast<int>(std::lround(viewport()->width() * twipsPerPixel)) - extraTwips;
    setColumnWidth(0, first);
    for (int c = 1; c < SettingsGridModel::kColumns; ++c) {
        const int twips = SettingsGridModel::columnWidthTwips(c, widthTwips);
        // A narrow grid scrolls sideways rather than cut its texts short.
        setColumnWidth(c, std::max({8, static_cast<int>(std::lround(twips / twipsPerPixel)), columnTextWidth(c)}));
    }
}

void SettingsGridView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    applyColumnWidths();
}

} // namespace tovu::display
