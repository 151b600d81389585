#include "support/TestEnvironment.h"

#include <cstdlib>

void SetUpTestEnvironment() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QUENTA_SOURCE_DIR", QUENTA_SOURCE_DIR, 0);
    setenv("QUENTA_BINARY_DIR", QUENTA_BINARY_DIR, 0);
}
