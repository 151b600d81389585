#include "platform/rtl/EventLoop.h"

#include <cstdlib>
#include <gtest/gtest.h>

TEST(GuiTestMain, TheTestsRunOnTheGuiThread) {
    EXPECT_TRUE(IsGuiThread());
    ProcessMessages();
}

TEST(TestEnvironment, NamesTheSourceAndBuildTrees) {
    ASSERT_NE(std::getenv("QUENTA_SOURCE_DIR"), nullptr);
    ASSERT_NE(std::getenv("QUENTA_BINARY_DIR"), nullptr);
    EXPECT_STREQ(std::getenv("QT_QPA_PLATFORM"), "offscreen");
}
