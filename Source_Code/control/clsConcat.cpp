#include "control/clsConcat.h"

#include <algorithm>

namespace tovu::control {

namespace {
constexpr qsizetype kGrowthStep = 15000;
}

void clsConcat::SConcat(const QString& piece)
{
    const qsizetype n = piece.size();
    if (Used + n >= Buffer.size()) {
        qsizetype grow = Used < n ? n : std::max(kGrowthStep, n);
        // After GetString the buffer is empty while the count stays; never write past the end.
        grow = std::max(grow, Used + n - Buffer.size());
        Buffer.resize(Buffer.size() + grow, QChar(0));
    }
    Buffer.replace(Used, n, piece);
    Used += static_cast<std::int32_t>(n);
}

QString clsConcat::GetString()
{
    QString text = Buffer.left(Used);
    Buffer.clear();
    return text;
}

void clsConcat::ReInit()
{
    Buffer.clear();
    Used = 0;
}

} // namespace tovu::control
