#pragma once
// One Qt application for a whole test executable (fonts, images, the clipboard and
// widgets need it), on the offscreen platform unless another is asked for.

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace tovu::display::testing {

template <class App>
class AppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tovu_display_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            app_ = new App(argc, argv);
    }
    void TearDown() override
    {
        delete app_;
        app_ = nullptr;
    }

private:
    App* app_ = nullptr;
};

} // namespace tovu::display::testing
