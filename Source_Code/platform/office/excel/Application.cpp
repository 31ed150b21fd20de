#include "platform/office/excel/Application.h"

#include "platform/office/excel/ExcelError.h"

#include <QFileInfo>
#include <algorithm>

namespace tovu::platform::excel {

void Application::checkRunning(const QString& operation) const
{
    if (!running_)
        throw ExcelError(operation, QStringLiteral("the application has quit"));
}

std::shared_ptr<Workbook> Application::openWorkbook(const QString& filename, const QString&, const QString&)
{
    checkRunning(QStringLiteral("Workbooks.Open"));
    auto book = std::make_shared<Workbook>(QFileInfo(filename).absoluteFilePath(), readXlsx(filename));
    workbooks_.push_back(book);
    return book;
}

int Application::workbookCount() const
{
    return static_cast<int>(std::count_if(workbooks_.begin(), workbooks_.end(),
                                          [](const auto& b) { return !b->isClosed(); }));
}

void Application::quit()
{
    checkRunning(QStringLiteral("Application.Quit"));
    for (const auto& book : workbooks_)
        if (!book->isClosed())
            book->close();
    workbooks_.clear();
    running_ = false;
}

std::shared_ptr<Application> ExcelEnvironment::createApplication()
{
    if (!installed_)
        throw ExcelError(QStringLiteral("Application.Create"), QStringLiteral("the spreadsheet program is not installed"));
    std::erase_if(started_, [](const auto& a) { return !a->isRunning(); });
    auto app = std::make_shared<Application>(*this);
    started_.push_back(app);
    return app;
}

std::shared_ptr<Application> ExcelEnvironment::activeApplication() const
{
    return active_ && active_->isRunning() ? active_ : nullptr;
}

int ExcelEnvironment::runningCount() const
{
    return static_cast<int>(
        std::count_if(started_.begin(), started_.end(), [](const auto& app) { return app->isRunning(); }));
}

}  // namespace tovu::platform::excel
