// The main of every test program. Test programs that need an event loop or
// a GUI install it through a global test environment of their own.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
