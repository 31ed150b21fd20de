#pragma once
// The host-control interfaces over the program's Qt widgets: a line edit, plain or rich
// text edit as a text box, a label, a list widget as a list box, a combo box, and a
// table widget as a flex grid. An adapter holds its widget weakly: once the widget is
// gone, every member raises Object required (424).

#include "platform/controls/FlexGrid.h"
#include "platform/controls/ListControls.h"
#include "platform/controls/TextControls.h"

#include <QPointer>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTableWidget;
class QTextEdit;

namespace tovu::platform::controls {

std::shared_ptr<TextValue> textOf(QLineEdit* edit);
std::shared_ptr<TextValue> textOf(QTextEdit* edit);       // plain text of a rich text box
std::shared_ptr<TextValue> textOf(QPlainTextEdit* edit);
std::shared_ptr<TextValue> captionOf(QLabel* label);
std::shared_ptr<ListEntries> entriesOf(QListWidget* list);
std::shared_ptr<ListEntries> entriesOf(QComboBox* combo);
// Row and column 0 of a flex grid are the table's header cells when the table has
// them hidden; here every cell is a table cell and the grid's size is the table's.
std::shared_ptr<FlexGrid> flexGridOf(QTableWidget* table);

// A widget's automation object in one step.
DispatchRef textBoxDispatch(QLineEdit* edit);
DispatchRef richTextBoxDispatch(QTextEdit* edit);
DispatchRef labelDispatch(QLabel* label);
DispatchRef listBoxDispatch(QListWidget* list);
DispatchRef comboBoxDispatch(QComboBox* combo);
DispatchRef flexGridDispatch(QTableWidget* table);

// The widget of an adapter, or Object required when it is gone.
template <typename W>
W* aliveWidget(const QPointer<W>& widget)
{
    if (!widget)
        throw automation::AutomationError::standard(automation::ErrorNumber::ObjectRequired);
    return widget.data();
}

} // namespace tovu::platform::controls
