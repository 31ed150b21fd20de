#include "platform/office/word/WordEnvironment.h"

#include "platform/office/word/Application.h"

#include <algorithm>

namespace tovu::platform::word {

void LocalActiveObjectTable::registerActive(const QString& progId, std::shared_ptr<void> object)
{
    entries_.emplace_back(progId, std::move(object));
}

void LocalActiveObjectTable::revokeActive(const QString& progId, const void* object)
{
    std::erase_if(entries_, [&](const auto& e) {
        return e.first.compare(progId, Qt::CaseInsensitive) == 0 && e.second.get() == object;
    });
}

std::shared_ptr<void> LocalActiveObjectTable::active(const QString& progId) const
{
    for (const auto& e : entries_)
        if (e.first.compare(progId, Qt::CaseInsensitive) == 0)
            return e.second;
    return nullptr;
}

WordEnvironment::WordEnvironment(ActiveObjectTable& table) : table_(table) {}

WordEnvironment::~WordEnvironment()
{
    // The table may outlive us: take our instances out of it.
    for (const auto& app : running_)
        table_.revokeActive(QLatin1String(kProgId), app.get());
}

std::shared_ptr<Application> WordEnvironment::createApplication()
{
    hooks_->enter(QStringLiteral("Application.Create"));
    if (!installed_)
        throw WordError(QStringLiteral("Application.Create"), QStringLiteral("the word processor is not installed"));
    auto app = std::make_shared<Application>(*this, hooks_);
    running_.push_back(app);
    app->setOfferedAsActive(true);
    return app;
}

std::shared_ptr<Application> WordEnvironment::activeApplication() const
{
    auto object = table_.active(QLatin1String(kProgId));
    if (!object)
        return nullptr;
    for (const auto& app : running_)
        if (app.get() == object.get())
            return app;
    return nullptr;  // registered by someone else's environment: not ours to hand out
}

void WordEnvironment::applicationQuit(Application* application)
{
    table_.revokeActive(QLatin1String(kProgId), application);
    std::erase_if(running_, [&](const auto& a) { return a.get() == application; });
}

}  // namespace tovu::platform::word
