#pragma once
// Where the engine gets user-visible texts by string id. The language-library lookup
// implements it; tests use a small table.

#include <QString>

namespace tovu::items {

class StringSource {
public:
    virtual ~StringSource() = default;
    virtual QString GetResString(int id) const = 0;
};

} // namespace tovu::items
