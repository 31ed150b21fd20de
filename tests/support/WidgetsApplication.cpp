// The one QApplication of the test program (tovu_test APP widgets).
#include "support/AppEnvironment.h"

#include <QApplication>

TOVU_TEST_APPLICATION(QApplication);
