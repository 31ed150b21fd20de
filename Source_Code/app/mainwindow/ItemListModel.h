#pragma once
// The item list lvwPanelsALog as a model over WorkItems: item k (1-based) shows record k
// of WorkItems, so 10 000 items cost no widgets and no texts until they are painted.
// An occupied record reads prefix, blank, SlotText (image base + 2); an empty one prefix,
// blank and the number with its own leading blank (image base + 1).

#include "app/items/ItemStore.h"

#include <QAbstractListModel>
#include <QIcon>
#include <array>

namespace tovu::mainwindow {

enum class ListKind { ALogs, Panels };

class ItemListModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kImageRole = Qt::UserRole + 1;

    explicit ItemListModel(const items::ItemStore& store, QObject* parent = nullptr);

    // Refills the list: count items of the kind, texts with prefix (string 152 or 153).
    void fill(ListKind kind, int count, const QString& prefix);
    void clear();

    ListKind kind() const { return kind_; }
    int count() const { return count_; }
    QString itemText(int k) const;  // k from 1
    int imageIndex(int k) const;    // 1 ALog empty, 2 ALog used, 3 panel empty, 4 panel used

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const items::DFDRecord* record(int k) const;

    const items::ItemStore& store_;
    ListKind kind_ = ListKind::ALogs;
    int count_ = 0;
    QString prefix_;
    std::array<QIcon, 5> images_;
};

} // namespace tovu::mainwindow
