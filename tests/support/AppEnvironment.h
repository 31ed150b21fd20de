#pragma once
// One Qt application object for a whole test run, created before the first test and
// deleted after the last. QSerialPort needs one for its notifiers even when polled;
// widget tests need a QApplication on the offscreen platform.
//
//   TOVU_TEST_APPLICATION(QCoreApplication);   // once, in one source file of the test

#include <QByteArray>
#include <QtGlobal>
#include <gtest/gtest.h>
#include <memory>

namespace tovu::test {

template <typename App>
class AppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tovu_tests";
        static char* argv[] = {name, nullptr};
        if (!App::instance())
            app_ = std::make_unique<App>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<App> app_;
};

} // namespace tovu::test

#define TOVU_TEST_APPLICATION(App)                                                                 \
    namespace {                                                                                    \
    [[maybe_unused]] const auto* const tovuAppEnvironment =                                        \
        ::testing::AddGlobalTestEnvironment(new ::tovu::test::AppEnvironment<App>);                 \
    }
