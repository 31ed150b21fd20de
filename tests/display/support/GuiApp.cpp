// One GUI application for the whole test executable: fonts, images and the clipboard
// need it. Tests run on the offscreen platform.

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {
class GuiAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tovu_display_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            app_ = new QGuiApplication(argc, argv);
    }
    void TearDown() override
    {
        delete app_;
        app_ = nullptr;
    }

private:
    QGuiApplication* app_ = nullptr;
};

[[maybe_unused]] const auto* const registered = ::testing::AddGlobalTestEnvironment(new GuiAppEnvironment);
} // namespace
