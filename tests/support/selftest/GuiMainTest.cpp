#include "platform/rtl/EventLoop.h"

#include <gtest/gtest.h>

TEST(GuiTestMain, TheTestsRunOnTheGuiThread) {
    EXPECT_TRUE(IsGuiThread());
    ProcessMessages();
}
