#pragma once
// The spreadsheet program as the document control drives it: an installed program that
// starts instances and may offer a running one, and the instance with its open workbooks.
// Workbooks are .xlsx files read by the stand-in's own reader; nothing is ever written.

#include "platform/office/excel/Workbook.h"

#include <QString>
#include <memory>
#include <vector>

namespace tovu::platform::excel {

class ExcelEnvironment;

class Application {
public:
    explicit Application(ExcelEnvironment& environment) : environment_(&environment) {}

    // Workbooks.Open(Filename, Password, WriteResPassword). The passwords only matter
    // for protected files, which this reader cannot open: those fail like any file that
    // is no workbook. Throws ExcelError.
    std::shared_ptr<Workbook> openWorkbook(const QString& filename, const QString& password = {},
                                           const QString& writeResPassword = {});
    // Workbooks still open.
    int workbookCount() const;
    // Closes every workbook and ends the instance.
    void quit();
    bool isRunning() const { return running_; }

private:
    ExcelEnvironment* environment_;
    std::vector<std::shared_ptr<Workbook>> workbooks_;
    bool running_ = true;

    void checkRunning(const QString& operation) const;
};

class ExcelEnvironment {
public:
    static constexpr const char* kProgId = "Excel.Application";

    // A new instance, as creating the automation object by ProgID does; ExcelError when
    // the program is not installed.
    std::shared_ptr<Application> createApplication();
    // The instance a user has running and that is offered to automation; none when none
    // is, or when it has quit.
    std::shared_ptr<Application> activeApplication() const;
    void setActiveApplication(std::shared_ptr<Application> application) { active_ = std::move(application); }

    void setInstalled(bool installed) { installed_ = installed; }
    bool installed() const { return installed_; }
    // Instances started and not yet quit.
    int runningCount() const;

private:
    bool installed_ = true;
    std::shared_ptr<Application> active_;
    std::vector<std::shared_ptr<Application>> started_;  // a started instance runs until it quits
};

}  // namespace tovu::platform::excel
