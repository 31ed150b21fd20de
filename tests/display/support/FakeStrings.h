#pragma once
// A small string table for the display tests: the parameter-name blocks 1000 and 1500
// laid out as the program's own table has them, the 1900 volts list and the few other
// ids the display uses. An id it does not hold throws, as a failed lookup does.

#include "app/items/StringSource.h"

#include <QHash>
#include <stdexcept>

namespace tovu::display::testing {

class FakeStrings : public items::StringSource {
public:
    FakeStrings();
    QString GetResString(int id) const override
    {
        const auto it = table.find(id);
        if (it == table.end())
            throw std::out_of_range("no string " + std::to_string(id));
        return *it;
    }
    QHash<int, QString> table;
};

} // namespace tovu::display::testing
