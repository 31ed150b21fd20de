#include "platform/controls/widgets/WidgetControls.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextEdit>

namespace tovu::platform::controls {

namespace {

template <typename W, auto Get, auto Set>
class WidgetText final : public TextValue {
public:
    explicit WidgetText(W* w) : w_(w) {}
    QString text() const override { return (aliveWidget(w_)->*Get)(); }
    void setText(const QString& text) override { (aliveWidget(w_)->*Set)(text); }

private:
    QPointer<W> w_;
};

using LineText = WidgetText<QLineEdit, &QLineEdit::text, &QLineEdit::setText>;
using RichText = WidgetText<QTextEdit, &QTextEdit::toPlainText, &QTextEdit::setPlainText>;
using PlainText = WidgetText<QPlainTextEdit, &QPlainTextEdit::toPlainText, &QPlainTextEdit::setPlainText>;
using LabelText = WidgetText<QLabel, &QLabel::text, &QLabel::setText>;

class ListWidgetEntries final : public ListEntries {
public:
    explicit ListWidgetEntries(QListWidget* w) : w_(w) {}
    int count() const override { return aliveWidget(w_)->count(); }
    QString item(int i) const override { return aliveWidget(w_)->item(i)->text(); }
    void setItem(int i, const QString& t) override { aliveWidget(w_)->item(i)->setText(t); }
    bool selected(int i) const override { return aliveWidget(w_)->item(i)->isSelected(); }
    void setSelected(int i, bool s) override { aliveWidget(w_)->item(i)->setSelected(s); }
    int current() const override { return aliveWidget(w_)->currentRow(); }
    void setCurrent(int i) override { aliveWidget(w_)->setCurrentRow(i); }
    void insert(int i, const QString& t) override { aliveWidget(w_)->insertItem(i, t); }
    void clear() override { aliveWidget(w_)->clear(); }
    QString text() const override
    {
        const QListWidgetItem* current = aliveWidget(w_)->currentItem();
        return current ? current->text() : QString();
    }
    void setText(const QString& t) override
    {
        const QList<QListWidgetItem*> found = aliveWidget(w_)->findItems(t, Qt::MatchExactly);
        if (!found.isEmpty())
            w_->setCurrentItem(found.first());
    }

private:
    QPointer<QListWidget> w_;
};

class ComboEntries final : public ListEntries {
public:
    explicit ComboEntries(QComboBox* w) : w_(w) {}
    int count() const override { return aliveWidget(w_)->count(); }
    QString item(int i) const override { return aliveWidget(w_)->itemText(i); }
    void setItem(int i, const QString& t) override { aliveWidget(w_)->setItemText(i, t); }
    bool selected(int i) const override { return aliveWidget(w_)->currentIndex() == i; }
    void setSelected(int i, bool s) override
    {
        if (s)
            aliveWidget(w_)->setCurrentIndex(i);
    }
    int current() const override { return aliveWidget(w_)->currentIndex(); }
    void setCurrent(int i) override { aliveWidget(w_)->setCurrentIndex(i); }
    void insert(int i, const QString& t) override { aliveWidget(w_)->insertItem(i, t); }
    void clear() override { aliveWidget(w_)->clear(); }
    QString text() const override { return aliveWidget(w_)->currentText(); }
    void setText(const QString& t) override
    {
        QComboBox* combo = aliveWidget(w_);
        if (combo->isEditable())
            combo->setEditText(t);
        else
            combo->setCurrentIndex(combo->findText(t));
    }

private:
    QPointer<QComboBox> w_;
};

constexpr int kTwipsPerPixel = 15;

class TableFlexGrid final : public FlexGrid {
public:
    explicit TableFlexGrid(QTableWidget* w) : w_(w) {}
    int rows() const override { return aliveWidget(w_)->rowCount(); }
    int cols() const override { return aliveWidget(w_)->columnCount(); }
    QString textMatrix(int r, int c) const override
    {
        const QTableWidgetItem* item = aliveWidget(w_)->item(r, c);
        return item ? item->text() : QString();
    }
    int colWidth(int c) const override { return aliveWidget(w_)->columnWidth(c) * kTwipsPerPixel; }
    void setRows(int n) override { aliveWidget(w_)->setRowCount(n); }
    void setCols(int n) override { aliveWidget(w_)->setColumnCount(n); }
    void setTextMatrix(int r, int c, const QString& t) override
    {
        QTableWidget* table = aliveWidget(w_);
        if (QTableWidgetItem* item = table->item(r, c))
            item->setText(t);
        else
            table->setItem(r, c, new QTableWidgetItem(t));
    }
    void setColWidth(int c, int twips) override { aliveWidget(w_)->setColumnWidth(c, twips / kTwipsPerPixel); }

private:
    QPointer<QTableWidget> w_;
};

} // namespace

std::shared_ptr<TextValue> textOf(QLineEdit* edit) { return std::make_shared<LineText>(edit); }
std::shared_ptr<TextValue> textOf(QTextEdit* edit) { return std::make_shared<RichText>(edit); }
std::shared_ptr<TextValue> textOf(QPlainTextEdit* edit) { return std::make_shared<PlainText>(edit); }
std::shared_ptr<TextValue> captionOf(QLabel* label) { return std::make_shared<LabelText>(label); }
std::shared_ptr<ListEntries> entriesOf(QListWidget* list) { return std::make_shared<ListWidgetEntries>(list); }
std::shared_ptr<ListEntries> entriesOf(QComboBox* combo) { return std::make_shared<ComboEntries>(combo); }
std::shared_ptr<FlexGrid> flexGridOf(QTableWidget* table) { return std::make_shared<TableFlexGrid>(table); }

DispatchRef textBoxDispatch(QLineEdit* edit) { return textBoxDispatch(textOf(edit)); }
DispatchRef richTextBoxDispatch(QTextEdit* edit) { return richTextBoxDispatch(textOf(edit)); }
DispatchRef labelDispatch(QLabel* label) { return labelDispatch(captionOf(label)); }
DispatchRef listBoxDispatch(QListWidget* list) { return listBoxDispatch(entriesOf(list)); }
DispatchRef comboBoxDispatch(QComboBox* combo) { return comboBoxDispatch(entriesOf(combo)); }
DispatchRef flexGridDispatch(QTableWidget* table) { return flexGridDispatch(flexGridOf(table)); }

} // namespace tovu::platform::controls
