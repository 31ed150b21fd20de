#pragma once
// The window connected to the simulated instrument, with the selections and drops the
// item and transfer commands' tests make, and what they compare.

#include "mainwindow/MainWindowFixture.h"

#include "app/mainwindow/MemoryTree.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListView>
#include <initializer_list>
#include <map>
#include <vector>

namespace tovu::mainwindow::testing {

// What typing does: one key press and release per character, delivered to the widget.
inline void typeKey(QWidget* w, int key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}
inline void typeText(QWidget* w, const QString& text)
{
    for (QChar c : text)
        typeKey(w, c.toUpper().unicode(), QString(c));
}

class ConnectedWindow : public MainWindowFixture {
protected:
    static constexpr int kModel = 21;  // generation 1: 100 panels, 800 ALogs, banked

    frmmain& connected()
    {
        startInstrument(kModel);
        frmmain& w = start();
        w.show();
        QApplication::processEvents();
        return w;
    }
    items::ItemStore& store() { return context().store; }

    void selectNodes(std::initializer_list<int> positions)
    {
        window().DFDTree()->clearSelection();
        for (int p : positions)
            window().DFDTree()->node(p)->setSelected(true);
    }
    void selectItems(int first, int last)
    {
        QListView* list = window().lvwPanelsALog();
        list->clearSelection();
        for (int k = first; k <= last; ++k)
            list->selectionModel()->select(window().listModel().index(k - 1), QItemSelectionModel::Select);
    }
    // Where a drag over the tree would be when it drops on the node.
    QPoint pointOf(int position)
    {
        MemoryTree* tree = window().DFDTree();
        tree->scrollToItem(tree->node(position));
        QApplication::processEvents();
        return tree->visualItemRect(tree->node(position)).center();
    }
    // Puts the same item into instrument ALog slots from..to.
    void fillALogSlots(int from, int to)
    {
        instrument->editState([&](sim::InstrumentState& s) {
            const sim::StoredItem model = s.alogs.begin()->second;
            for (int n = from; n <= to; ++n) {
                s.alogs[n] = model;
                s.alogs[n].settings.values["NL"] = "ITEM" + std::to_string(n);
            }
        });
    }
    void downloadALogs(std::initializer_list<int> offsets)
    {
        selectNodes({});
        for (int o : offsets)
            window().DFDTree()->node(kALogsNode + o)->setSelected(true);
        window().transferCommands().lvwPanelsALog_DragDrop(QStringLiteral("DFDTree"));
    }
};

inline std::vector<int> inUse(const std::vector<items::DFDRecord>& v, int from, int to)
{
    std::vector<int> out;
    for (int i = from; i <= to; ++i)
        if (v.at(static_cast<std::size_t>(i)).InUse)
            out.push_back(i);
    return out;
}

inline std::vector<int> occupied(const std::map<int, sim::StoredItem>& m, int from, int to)
{
    std::vector<int> out;
    for (const auto& [n, item] : m)
        if (n >= from && n <= to)
            out.push_back(n);
    return out;
}

} // namespace tovu::mainwindow::testing
