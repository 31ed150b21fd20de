#pragma once
// The settings grid model as a Qt table model: cell texts, the label rows' grey
// background and blue menu names, the bold header row, centred item columns. The
// grid view shows it; the model itself stays the source the report reads.

#include "app/display/SettingsGridModel.h"

#include <QAbstractTableModel>

namespace tovu::display {

class SettingsGridTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SettingsGridTableModel(QObject* parent = nullptr);

    const SettingsGridModel& grid() const { return grid_; }

    void InitSettingsGrid(const items::StringSource& strings);
    void ShowALogSettings(const items::DFDRecord& record, const items::StringSource& strings,
                          const QString& decimalSeparator = QStringLiteral("."));

    bool ShowALogSettings(const items::ItemStore& store, int index, const items::StringSource& strings,
                          const QString& decimalSeparator = QStringLiteral("."));

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    SettingsGridModel grid_;
};

} // namespace tovu::display
