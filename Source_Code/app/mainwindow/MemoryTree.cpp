#include "app/mainwindow/MemoryTree.h"

#include "app/mainwindow/DragFeedback.h"
#include "app/mainwindow/Icons.h"
#include "app/resources/StringIds.h"

#include <QApplication>
#include <QPalette>

namespace tovu::mainwindow {

namespace ids = resources::ids;

namespace {

constexpr int kPictureRole = Qt::UserRole + 1;

QString slotCaption(const items::StringSource& strings, int id, int n)
{
    return strings.GetResString(id) + u' ' + QString::number(n);
}

} // namespace

int parentPosition(int position)
{
    if (position <= kRootNode)
        return -1;
    if (position == kPanelsNode || position == kALogsNode)
        return kRootNode;
    return position < kALogsNode ? kPanelsNode : kALogsNode;
}

MemoryTree::MemoryTree(QWidget* parent)
    : QTreeWidget(parent), tick_(iconResource(IconResource::Tick)), empty_(iconResource(IconResource::EmptySlot))
{
    setObjectName(QStringLiteral("DFDTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformRowHeights(true);
}

void MemoryTree::build(const items::StringSource& strings, const QIcon& rootPicture)
{
    clear();
    rootModel_ = -1;
    nodes_.assign(kTreeNodes, nullptr);
    auto* root = new QTreeWidgetItem(this, QStringList(strings.GetResString(ids::DetectorNode)));
    root->setIcon(0, rootPicture);
    auto* panels = new QTreeWidgetItem(root, QStringList(strings.GetResString(ids::PanelsNode)));
    auto* alogs = new QTreeWidgetItem(root, QStringList(strings.GetResString(ids::ALogsNode)));
    nodes_[kRootNode] = root;
    nodes_[kPanelsNode] = panels;
    nodes_[kALogsNode] = alogs;
    for (int n = 1; n <= kPanelsPerPage; ++n)
        nodes_[static_cast<std::size_t>(kPanelsNode + n)] = new QTreeWidgetItem(panels, QStringList(slotCaption(strings, 152, n)));
    for (int n = 1; n <= kALogsPerPage; ++n)
        nodes_[static_cast<std::size_t>(kALogsNode + n)] = new QTreeWidgetItem(alogs, QStringList(slotCaption(strings, 153, n)));
    root->setExpanded(true);
    panels->setExpanded(true);
    alogs->setExpanded(true);
}

void MemoryTree::setRootModel(int model, const QString& name)
{
    rootModel_ = model;
    setCaption(kRootNode, name);
}

void MemoryTree::retitle(const items::StringSource& strings, const items::ModelNameTable& modelNames)
{
    setCaption(kRootNode, rootModel_ >= 0 && rootModel_ < static_cast<int>(modelNames.size())
                              ? modelNames[static_cast<std::size_t>(rootModel_)]
                              : strings.GetResString(ids::DetectorNode));
    setCaption(kPanelsNode, strings.GetResString(ids::PanelsNode));
    setCaption(kALogsNode, strings.GetResString(ids::ALogsNode));
}

int MemoryTree::positionOf(const QTreeWidgetItem* item) const
{
    for (std::size_t i = 0; i < nodes_.size(); ++i)
        if (nodes_[i] == item)
            return static_cast<int>(i);
    return -1;
}

QColor MemoryTree::greyText()
{
    return QApplication::palette().color(QPalette::Disabled, QPalette::Text);
}

void MemoryTree::setSlotState(int position, bool used)
{
    QTreeWidgetItem* n = node(position);
    n->setForeground(0, used ? QColor(Qt::black) : greyText());
    n->setIcon(0, used ? tick_ : empty_);
    n->setData(0, kPictureRole, used ? kUsedPicture : kEmptyPicture);
}

int MemoryTree::picture(int position) const
{
    return node(position)->data(0, kPictureRole).toInt();
}

QColor MemoryTree::textColour(int position) const
{
    return node(position)->foreground(0).color();
}

int MemoryTree::currentPosition() const
{
    return positionOf(currentItem());
}

int MemoryTree::firstSelectedPosition() const
{
    for (std::size_t i = 0; i < nodes_.size(); ++i)
        if (nodes_[i] && nodes_[i]->isSelected())
            return static_cast<int>(i);
    return -1;
}

int MemoryTree::selectedCount() const
{
    int n = 0;
    for (const QTreeWidgetItem* item : nodes_)
        if (item && item->isSelected())
            ++n;
    return n;
}

void MemoryTree::startDrag(Qt::DropActions)
{
    startViewDrag(*this, DragSource::Tree, 0);
}

} // namespace tovu::mainwindow
