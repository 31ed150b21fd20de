#pragma once
// The tree view as the document control reads and fills it: Nodes (Count, Item(i),
// Add(Relative, Relationship, Key, Text)) whose nodes have Text, Index, Selected, Parent,
// Expanded and EnsureVisible, and the outline members PathSeparator (of the tree, "\" at
// first) with each node's FullPath, Children, Child and Next. Nodes are numbered from 1 in
// the order they were added, and a node's children follow one another in that order.

#include "platform/controls/ControlMembers.h"

#include <memory>
#include <vector>

namespace tovu::platform::controls {

// Relationships of Nodes.Add, numbered as the tree view's.
enum TreeRelationship : int { tvwFirst = 0, tvwLast = 1, tvwNext = 2, tvwPrevious = 3, tvwChild = 4 };

class TreeNodes {
public:
    virtual ~TreeNodes() = default;
    virtual int nodeCount() const = 0;
    virtual QString nodeText(int node) const = 0;
    virtual void setNodeText(int node, const QString& text) = 0;
    virtual int parentOf(int node) const = 0;  // 0 for a root node
    // Adds a node under parent (0: a root) and returns its number.
    virtual int addNode(int parent, const QString& text) = 0;
    virtual void ensureVisible(int node) = 0;
    // Whether the node shows its children.
    virtual bool isExpanded(int node) const = 0;
    virtual void setExpanded(int node, bool expanded) = 0;
    virtual int selectedNode() const = 0;  // 0 when none
    virtual void selectNode(int node) = 0;

    // The text that joins the node texts of a FullPath.
    const QString& pathSeparator() const { return pathSeparator_; }
    void setPathSeparator(const QString& separator) { pathSeparator_ = separator; }

private:
    QString pathSeparator_ = QStringLiteral("\\");
};

DispatchRef treeViewDispatch(std::shared_ptr<TreeNodes> tree);  // "TreeView"

class MemoryTreeView final : public TreeNodes {
public:
    int nodeCount() const override { return static_cast<int>(nodes_.size()); }
    QString nodeText(int node) const override { return at(node).text; }
    void setNodeText(int node, const QString& text) override { at(node).text = text; }
    int parentOf(int node) const override { return at(node).parent; }
    int addNode(int parent, const QString& text) override;
    void ensureVisible(int node) override { at(node).visible = true; }
    bool isExpanded(int node) const override { return at(node).expanded; }
    void setExpanded(int node, bool expanded) override { at(node).expanded = expanded; }
    int selectedNode() const override { return selected_; }
    void selectNode(int node) override { selected_ = node; }

    bool madeVisible(int node) const { return at(node).visible; }

private:
    struct Node {
        QString text;
        int parent = 0;
        bool visible = false;
        bool expanded = false;
    };
    Node& at(int node) { return nodes_.at(static_cast<std::size_t>(node - 1)); }
    const Node& at(int node) const { return nodes_.at(static_cast<std::size_t>(node - 1)); }
    std::vector<Node> nodes_;
    int selected_ = 0;
};

} // namespace tovu::platform::controls
