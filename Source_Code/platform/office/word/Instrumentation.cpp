#include "platform/office/word/Instrumentation.h"

#include "platform/office/word/WordError.h"

namespace tovu::platform::word {

void Instrumentation::failOn(const QString& operation, int occurrence)
{
    armed_[operation].remaining = occurrence <= 0 ? -1 : occurrence - 1;
}

void Instrumentation::clearFailures()
{
    armed_.clear();
}

void Instrumentation::enter(const QString& operation, const QString& arguments)
{
    if (recording_)
        calls_ << (arguments.isEmpty() ? operation : operation + '(' + arguments + ')');
    auto it = armed_.find(operation);
    if (it == armed_.end())
        return;
    if (it->remaining < 0)
        throw WordError(operation, QStringLiteral("injected failure"));
    if (it->remaining == 0) {
        armed_.erase(it);
        throw WordError(operation, QStringLiteral("injected failure"));
    }
    --it->remaining;
}

}  // namespace tovu::platform::word
