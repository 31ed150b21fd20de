#include "platform/controls/TreeView.h"

namespace tovu::platform::controls {

namespace {

const QString kName = QStringLiteral("TreeView");

DispatchRef nodeDispatch(const std::shared_ptr<TreeNodes>& t, int n);

// The first node after `after` whose parent is `parent`, or 0: children follow one another
// in the order the nodes were added.
int nextUnder(const TreeNodes& t, int parent, int after)
{
    for (int k = after + 1, count = t.nodeCount(); k <= count; ++k)
        if (t.parentOf(k) == parent)
            return k;
    return 0;
}

Variant nodeOrNothing(const std::shared_ptr<TreeNodes>& t, int n)
{
    return n ? Variant(nodeDispatch(t, n)) : Variant::nothing();
}

// The texts from the node's top-level ancestor down to the node, joined by the separator.
QString fullPath(const TreeNodes& t, int n)
{
    QString path = t.nodeText(n);
    for (int p = t.parentOf(n); p; p = t.parentOf(p))
        path = t.nodeText(p) + t.pathSeparator() + path;
    return path;
}

DispatchRef nodeDispatch(const std::shared_ptr<TreeNodes>& t, int n)
{
    auto alive = [t, n] { checkedIndex(n, 1, t->nodeCount(), kName); };
    return automation::makeDispatch(
        {
            {QStringLiteral("Text"), automation::DispIdValue, [t, n, alive](Args&) { alive(); return Variant(t->nodeText(n)); },
             [t, n, alive](Args& a) { alive(); t->setNodeText(n, assignedValue(a).toString()); return Variant(); }},
            {QStringLiteral("Index"), 1, [n](Args&) { return Variant(std::int32_t{n}); }},
            {QStringLiteral("Selected"), 2, [t, n, alive](Args&) { alive(); return Variant(t->selectedNode() == n); },
             [t, n, alive](Args& a) {
                 alive();
                 if (assignedValue(a).toBoolean())
                     t->selectNode(n);
                 else if (t->selectedNode() == n)
                     t->selectNode(0);
                 return Variant();
             }},
            {QStringLiteral("EnsureVisible"), 3, [t, n, alive](Args&) { alive(); t->ensureVisible(n); return Variant(true); }},
            {QStringLiteral("Expanded"), 5, [t, n, alive](Args&) { alive(); return Variant(t->isExpanded(n)); },
             [t, n, alive](Args& a) { alive(); t->setExpanded(n, assignedValue(a).toBoolean()); return Variant(); }},
            {QStringLiteral("Parent"), 4, [t, n, alive](Args&) { alive(); return nodeOrNothing(t, t->parentOf(n)); }},
            {QStringLiteral("FullPath"), 6, [t, n, alive](Args&) { alive(); return Variant(fullPath(*t, n)); }},
            {QStringLiteral("Children"), 7, [t, n, alive](Args&) {
                 alive();
                 std::int32_t children = 0;
                 for (int k = nextUnder(*t, n, n); k; k = nextUnder(*t, n, k))
                     ++children;
                 return Variant(children);
             }},
            {QStringLiteral("Child"), 8, [t, n, alive](Args&) { alive(); return nodeOrNothing(t, nextUnder(*t, n, n)); }},
            {QStringLiteral("Next"), 9, [t, n, alive](Args&) { alive(); return nodeOrNothing(t, nextUnder(*t, t->parentOf(n), n)); }},
        },
        QStringLiteral("Node"));
}

// The node a Relative argument names: a node object of this tree, or its number.
int relativeNode(const std::shared_ptr<TreeNodes>& t, const Variant& relative)
{
    if (relative.isObject()) {
        const DispatchRef node = relative.toObject();
        if (!node)
            raiseInvalidIndex(kName);
        return checkedIndex(node->get(QStringLiteral("Index")).toLong(), 1, t->nodeCount(), kName);
    }
    return checkedIndex(relative.toLong(), 1, t->nodeCount(), kName);
}

DispatchRef nodesDispatch(const std::shared_ptr<TreeNodes>& t)
{
    return automation::makeDispatch(
        {
            {QStringLiteral("Count"), 1, [t](Args&) { return Variant(std::int32_t{t->nodeCount()}); }},
            {QStringLiteral("Item"), automation::DispIdValue,
             [t](Args& a) { return Variant(nodeDispatch(t, checkedIndex(longArgument(a, 0), 1, t->nodeCount(), kName))); }},
            {QStringLiteral("Add"), 2,
             [t](Args& a) {
                 const Variant& relative = automation::argumentAt(a, 0);
                 const Variant& relationship = automation::argumentAt(a, 1);
                 const Variant& text = automation::argumentAt(a, 3);
                 int parent = 0;
                 if (!relative.isMissing() && !relative.isEmpty()) {
                     const int r = relativeNode(t, relative);
                     const int how = relationship.isMissing() ? tvwLast : relationship.toLong();
                     // A child goes under the relative; a sibling under the relative's parent.
                     parent = how == tvwChild ? r : t->parentOf(r);
                 }
                 return Variant(nodeDispatch(t, t->addNode(parent, text.isMissing() ? QString() : text.toString())));
             },
             {}, {QStringLiteral("Relative"), QStringLiteral("Relationship"), QStringLiteral("Key"), QStringLiteral("Text")}},
        },
        QStringLiteral("INodes"));
}

} // namespace

DispatchRef treeViewDispatch(std::shared_ptr<TreeNodes> tree)
{
    return automation::makeDispatch(
        {
            {QStringLiteral("Nodes"), 1, [tree](Args&) { return Variant(nodesDispatch(tree)); }},
            {QStringLiteral("SelectedItem"), 2, [tree](Args&) { return nodeOrNothing(tree, tree->selectedNode()); }},
            {QStringLiteral("PathSeparator"), 3, [tree](Args&) { return Variant(tree->pathSeparator()); },
             [tree](Args& a) { tree->setPathSeparator(assignedValue(a).toString()); return Variant(); }},
        },
        kName);
}

int MemoryTreeView::addNode(int parent, const QString& text)
{
    nodes_.push_back(Node{text, parent, false});
    return nodeCount();
}

} // namespace tovu::platform::controls
