#pragma once

#include <QString>

namespace tovu::platform::word {

// A mail-merge field in the text: replaced by the named field of each data record when the
// document is merged, shown as the name in chevrons until then.
struct MergeField {
    QString name;
};

}  // namespace tovu::platform::word
