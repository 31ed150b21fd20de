#include "display/support/AppEnvironment.h"

#include <QApplication>

namespace {
[[maybe_unused]] const auto* const registered =
    ::testing::AddGlobalTestEnvironment(new tovu::display::testing::AppEnvironment<QApplication>);
} // namespace
