#pragma once
// One Qt application object for a whole test run, created before the first test and
// deleted after the last. QSerialPort needs one for its notifiers even when polled;
// fonts, images and the clipboard need a GUI application; widget tests a QApplication, all
// on the offscreen platform unless another is set.
//
//   tovu_test(... APP core|gui|widgets ...)     in the program's CMakeLists.txt, or
//   TOVU_TEST_APPLICATION(QCoreApplication);   once, in one source file of the test
//
// A test that needs the application before the run's environment is set up (another
// global environment, say) calls ensureApplication<App>() first; that one then lives as
// long as the process.

#include <QByteArray>
#include <QCoreApplication>
#include <QtGlobal>
#include <gtest/gtest.h>
#include <memory>

namespace tovu::test {

namespace detail {
inline void useOffscreenUnlessSet()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
inline int& argc()
{
    static int count = 1;
    return count;
}
inline char** argv()
{
    static char name[] = "tovu_tests";
    static char* args[] = {name, nullptr};
    return args;
}
} // namespace detail

template <typename App>
void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    detail::useOffscreenUnlessSet();
    new App(detail::argc(), detail::argv());  // lives as long as the test process
}

template <typename App>
class AppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        detail::useOffscreenUnlessSet();
        if (!QCoreApplication::instance())
            app_ = std::make_unique<App>(detail::argc(), detail::argv());
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
