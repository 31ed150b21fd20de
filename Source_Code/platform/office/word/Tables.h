#pragma once

#include "platform/office/word/Range.h"

namespace tovu::platform::word {

class Table {
public:
    Table(StatePtr state, int object) : state_(std::move(state)), object_(object) {}

    int rows() const;
    int columns() const;
    // Cells are numbered from 1, as Word numbers them.
    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString& text);
    void setCellShading(int row, int column, std::int32_t color);
    bool borders() const;
    void setBorders(bool enable);
    void setHeadingRows(int rows);
    void setAutoFit(bool contents);
    const TableModel& model() const;

private:
    TableModel& get() const;
    TableCell& cell(int row, int column, const char* operation) const;
    StatePtr state_;
    int object_;
};

class Tables {
public:
    explicit Tables(StatePtr state) : state_(std::move(state)) {}
    int count() const;
    Table item(int index) const;  // 1-based, in text order
    // An empty table of rows x columns in place of the range, as a paragraph of its own.
    Table add(Range range, int rows, int columns);

private:
    StatePtr state_;
};

// Puts a table object in as its own paragraph at pos; returns the object's position.
int insertTableObject(DocumentState& state, Story& story, int pos, TableModel table);

}  // namespace tovu::platform::word
