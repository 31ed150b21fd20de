// The one QCoreApplication of the test program (tovu_test APP core).
#include "support/AppEnvironment.h"

#include <QCoreApplication>

TOVU_TEST_APPLICATION(QCoreApplication);
