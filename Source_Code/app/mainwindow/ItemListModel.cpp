#include "app/mainwindow/ItemListModel.h"

#include "platform/text/NumberText.h"
#include "app/mainwindow/Icons.h"

namespace tovu::mainwindow {

ItemListModel::ItemListModel(const items::ItemStore& store, QObject* parent) : QAbstractListModel(parent), store_(store)
{
    for (int i = 1; i <= 4; ++i)
        images_[static_cast<std::size_t>(i)] = listImage(i);
}

void ItemListModel::fill(ListKind kind, int count, const QString& prefix)
{
    beginResetModel();
    kind_ = kind;
    count_ = count < 0 ? 0 : count;
    prefix_ = prefix;
    endResetModel();
}

void ItemListModel::clear()
{
    beginResetModel();
    count_ = 0;
    endResetModel();
}

const items::DFDRecord* ItemListModel::record(int k) const
{
    if (k < 0 || k >= static_cast<int>(store_.WorkItems.size()))
        return nullptr;
    return &store_.WorkItems[static_cast<std::size_t>(k)];
}

QString ItemListModel::itemText(int k) const
{
    const items::DFDRecord* r = record(k);
    if (r && r->InUse)
        return prefix_ + u' ' + r->settings().SlotText;
    return prefix_ + u' ' + platform::text::numberText(static_cast<long long>(k));
}

int ItemListModel::imageIndex(int k) const
{
    const items::DFDRecord* r = record(k);
    const int base = kind_ == ListKind::Panels ? 2 : 0;
    return base + (r && r->InUse ? 2 : 1);
}

int ItemListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count_;
}

QVariant ItemListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count_)
        return {};
    const int k = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole: return itemText(k);
    case Qt::DecorationRole: return images_[static_cast<std::size_t>(imageIndex(k))];
    case kImageRole: return imageIndex(k);
    default: return {};
    }
}

Qt::ItemFlags ItemListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

} // namespace tovu::mainwindow
