#pragma once

#include <QString>

namespace tovu::platform::zip {

// A text as an XML part of a package can carry it: characters XML does not allow (the
// control characters but tab, line feed and carriage return; U+FFFE, U+FFFF) are left out
// and a lone surrogate becomes U+FFFD. One lone surrogate would otherwise stop the stream
// writer's encoding and leave the rest of the part without names.
QString xmlText(const QString& text);

}  // namespace tovu::platform::zip
