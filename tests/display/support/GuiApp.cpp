#include "display/support/AppEnvironment.h"

#include <QGuiApplication>

namespace {
[[maybe_unused]] const auto* const registered =
    ::testing::AddGlobalTestEnvironment(new tovu::display::testing::AppEnvironment<QGuiApplication>);
} // namespace
