#include "app/display/widgets/SettingsGridView.h"

#include <QHeaderView>
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

void SettingsGridView::applyColumnWidths()
{
    const double twipsPerPixel = 1440.0 / logicalDpiX();
    const int widthTwips = static_cast<int>(std::lround(viewport()->width() * twipsPerPixel));
    for (int c = 0; c < SettingsGridModel::kColumns; ++c) {
        const int twips = SettingsGridModel::columnWidthTwips(c, widthTwips);
        setColumnWidth(c, std::max(8, static_cast<int>(std::lround(twips / twipsPerPixel))));
    }
}

void SettingsGridView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    applyColumnWidths();
}

} // namespace tovu::display
