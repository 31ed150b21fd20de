// The one QGuiApplication of the test program (tovu_test APP gui).
#include "support/AppEnvironment.h"

#include <QGuiApplication>

TOVU_TEST_APPLICATION(QGuiApplication);
