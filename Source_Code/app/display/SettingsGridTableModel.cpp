#include "app/display/SettingsGridTableModel.h"

#include <QColor>
#include <QFont>

namespace tovu::display {

SettingsGridTableModel::SettingsGridTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void SettingsGridTableModel::InitSettingsGrid(const items::StringSource& strings)
{
    beginResetModel();
    grid_.InitSettingsGrid(strings);
    endResetModel();
}

void SettingsGridTableModel::ShowALogSettings(const items::DFDRecord& record, const items::StringSource& strings,
                                              const QString& decimalSeparator)
{
    beginResetModel();
    grid_.ShowALogSettings(record, strings, decimalSeparator);
    endResetModel();
}

bool SettingsGridTableModel::ShowALogSettings(const items::ItemStore& store, int index,
                                              const items::StringSource& strings, const QString& decimalSeparator)
{
    beginResetModel();
    const bool shown = grid_.ShowALogSettings(store, index, strings, decimalSeparator);
    endResetModel();
    return shown;
}

int SettingsGridTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : grid_.rowCount();
}

int SettingsGridTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : SettingsGridModel::kColumns;
}

QVariant SettingsGridTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row(), column = index.column();
    const GridRowStyle style = grid_.rowStyle(row);
    switch (role) {
    case Qt::DisplayRole:
        return grid_.text(row, column);
    case Qt::BackgroundRole:
        if (style == GridRowStyle::Label)
            return QColor(200, 200, 200);
        return {};
    case Qt::ForegroundRole:
        if (style == GridRowStyle::Label && column == 0)
            return QColor(0, 0, 255);
        return {};
    case Qt::FontRole:
        if (style == GridRowStyle::Header) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::TextAlignmentRole:
        if (column >= 1)
            return int(Qt::AlignCenter);
        return {};
    default:
        return {};
    }
}

} // namespace tovu::display
