#pragma once
// What every test program sets up before its tests run.

// Sets QT_QPA_PLATFORM=offscreen and QUENTA_SOURCE_DIR / QUENTA_BINARY_DIR
// (the source and build trees) in the environment, unless already set.
void SetUpTestEnvironment();
