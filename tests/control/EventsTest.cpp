// The control's events reach the host's sink with a copy of the value, except for a
// method's loop counter, which the host may move.
#include "ControlFixture.h"

namespace tovu::control::testing {
namespace {

class RecordingSink : public VerboltEvents {
public:
    void CurrentRow(std::int32_t& row) override
    {
        rows.push_back(row);
        row += 10;
    }
    void CurrentColumn(std::int32_t& column) override
    {
        columns.push_back(column);
        column = -1;
    }
    void CurrentField(QString& field) override
    {
        fields << field;
        field.clear();
    }
    std::vector<std::int32_t> rows, columns;
    QStringList fields;
};

TEST_F(ControlTest, EventsGoToTheSinkAsCopiesExceptTheLoopCounter)
{
    control.raiseCurrentRow(1);  // no sink yet: nothing happens
    RecordingSink sink;
    control.setEventSink(&sink);
    std::int32_t row = 3;
    control.raiseCurrentRow(row);
    control.raiseCurrentColumn(2);
    const QString field = QStringLiteral("Operator");
    control.raiseCurrentField(field);
    EXPECT_EQ(row, 3);
    EXPECT_EQ(field, QStringLiteral("Operator"));
    std::int32_t counter = 4;
    control.raiseCurrentRowCounter(counter);
    EXPECT_EQ(counter, 14);
    EXPECT_EQ(sink.rows, (std::vector<std::int32_t>{3, 4}));
    EXPECT_EQ(sink.columns, (std::vector<std::int32_t>{2}));
    EXPECT_EQ(sink.fields, QStringList{QStringLiteral("Operator")});
    EXPECT_EQ(kEventCurrentRow, 1);
    EXPECT_EQ(kEventCurrentColumn, 2);
    EXPECT_EQ(kEventCurrentField, 3);
}

} // namespace
} // namespace tovu::control::testing
