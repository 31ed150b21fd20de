#pragma once
// The memory tree DFDTree: 123 nodes at fixed positions, counted in display order:
// 0 the root, 1 PANELS, 2..21 the panel slots of the page shown (offset k at k + 1),
// 22 ALOGS, 23..122 the ALog slots of the page shown (offset k at k + 22). Every handler
// addresses nodes by these positions. A slot node is used (picture 1, the tick, black
// text) or empty (picture 2, grey text).

#include "app/items/ModelTable.h"
#include "app/items/StringSource.h"

#include <QTreeWidget>
#include <vector>

namespace tovu::mainwindow {

constexpr int kTreeNodes = 123;
constexpr int kRootNode = 0;
constexpr int kPanelsNode = 1;
constexpr int kFirstPanelNode = 2;
constexpr int kALogsNode = 22;
constexpr int kFirstALogNode = 23;
constexpr int kPanelsPerPage = 20;
constexpr int kALogsPerPage = 100;

constexpr int kUsedPicture = 1;
constexpr int kEmptyPicture = 2;

class MemoryTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit MemoryTree(QWidget* parent = nullptr);

    // Removes every node and builds the tree anew in the start-up order: root (string
    // 154), PANELS (150) and ALOGS (151) under it, "Panel n" (152) under PANELS and
    // "ALog n" (153) under ALOGS; the root expanded. Slot nodes start without a picture.
    void build(const items::StringSource& strings, const QIcon& rootPicture);
    // The root names the model a status read found (until then the generic name).
    void setRootModel(int model, const QString& name);
    // The fixed nodes' words in the language now loaded: the root (the model's name once
    // one was read), PANELS and ALOGS. Slot states and the other captions stay.
    void retitle(const items::StringSource& strings, const items::ModelNameTable& modelNames);

    int nodeCount() const { return static_cast<int>(nodes_.size()); }
    QTreeWidgetItem* node(int position) const { return nodes_.at(static_cast<std::size_t>(position)); }
    int positionOf(const QTreeWidgetItem* item) const;

    QString caption(int position) const { return node(position)->text(0); }
    void setCaption(int position, const QString& text) { node(position)->setText(0, text); }

    // Used: text colour black and picture 1; empty: the grey-text colour and picture 2.
    void setSlotState(int position, bool used);
    // 0 when the node has no slot picture, else 1 or 2.
    int picture(int position) const;
    QColor textColour(int position) const;
    static QColor greyText();

    void setRootPicture(const QIcon& icon) { node(kRootNode)->setIcon(0, icon); }

    // The current node, the first selected node in position order (-1 when none) and
    // the number of selected nodes.
    int currentPosition() const;
    int firstSelectedPosition() const;
    int selectedCount() const;

protected:
    // Nodes are dragged with the tree's drop-here and no-drop pictures.
    void startDrag(Qt::DropActions supportedActions) override;

private:
    std::vector<QTreeWidgetItem*> nodes_;
    int rootModel_ = -1;  // the model named at the root; -1: the generic name
    QIcon tick_;
    QIcon empty_;
};

// Parent position of a node in the fixed layout (-1 for the root).
int parentPosition(int position);

} // namespace tovu::mainwindow
