#include "app/display/widgets/SettingsGridView.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <array>
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
            font = f.value<QFont>().resolve(this->font());
        widest = std::max(widest, QFontMetrics(font).horizontalAdvance(cell.data().toString()));
    }
    // The cell's margins on both sides and its grid line.
    return widest == 0 ? 0 : widest + 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 2;
}

// The view's width for the columns, room for a vertical scroll bar kept: a change of
// the rows' height may bring one in after the columns were laid out.
int SettingsGridView::roomWidth() const
{
    const int bar = verticalScrollBar()->isVisible() ? 0 : style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return viewport()->width() - bar;
}

int SettingsGridView::neededWidth() const
{
    const double twipsPerPixel = 1440.0 / logicalDpiX();
    int total = std::max(static_cast<int>(std::lround(SettingsGridModel::columnWidthTwips(0, 0) / twipsPerPixel)),
                         columnTextWidth(0));
    for (int c = 1; c < SettingsGridModel::kColumns; ++c)
        total += std::max(8, columnTextWidth(c));
    return total;
}

// A grid too narrow for its texts sets them smaller, down to a least size, so that every
// column stays in sight; only below that size does it scroll sideways.
void SettingsGridView::fitTexts()
{
    if (basePointSize_ <= 0)
        basePointSize_ = font().pointSizeF();
    const double least = basePointSize_ * kLeastTextScale;
    QFont f = font();
    double size = basePointSize_;
    f.setPointSizeF(size);
    setFont(f);
    while (neededWidth() > roomWidth() && size - kTextStep >= least) {
        size -= kTextStep;
        f.setPointSizeF(size);
        setFont(f);
    }
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
}

void SettingsGridView::applyColumnWidths()
{
    if (fitting_)
        return;
    fitting_ = true;
    fitTexts();
    fitting_ = false;
    const double twipsPerPixel = 1440.0 / logicalDpiX();
    // The first column is as wide as its longest label needs, 700 twips at the least; the
    // item columns share what it leaves.
    const int first = std::max(static_cast<int>(std::lround(SettingsGridModel::columnWidthTwips(0, 0) / twipsPerPixel)),
                               columnTextWidth(0));
    const int extraTwips = static_cast<int>(std::lround(first * twipsPerPixel)) - SettingsGridModel::columnWidthTwips(0, 0);
    const int widthTwips = static_cast<int>(std::lround(viewport()->width() * twipsPerPixel)) - extraTwips;
    setColumnWidth(0, first);
    std::array<int, SettingsGridModel::kColumns> need{};
    std::array<int, SettingsGridModel::kColumns> wanted{};
    int wantedTotal = first;
    int needTotal = first;
    for (int c = 1; c < SettingsGridModel::kColumns; ++c) {
        need[c] = std::max(8, columnTextWidth(c));
        wanted[c] = std::max(static_cast<int>(std::lround(SettingsGridModel::columnWidthTwips(c, widthTwips) / twipsPerPixel)),
                             need[c]);
        wantedTotal += wanted[c];
        needTotal += need[c];
    }
    // The item columns share the width; when a column needs more than its share, each
    // gets what it needs and the rest is shared, so that none is cut or pushed out of sight.
    const bool shares = wantedTotal <= roomWidth();
    const int spare = std::max(0, roomWidth() - needTotal) / (SettingsGridModel::kColumns - 1);
    for (int c = 1; c < SettingsGridModel::kColumns; ++c)
        setColumnWidth(c, shares ? wanted[c] : need[c] + spare);
}

void SettingsGridView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    applyColumnWidths();
}

} // namespace tovu::display
