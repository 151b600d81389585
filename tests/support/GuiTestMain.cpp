// The main of test programs that need the GUI: creates the offscreen GUI
// application before any test runs (fonts, pixmaps and widgets need it) and
// makes this thread the GUI thread of the event loop.
#include "platform/rtl/EventLoop.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    SetUpTestEnvironment();
    QApplication app(argc, argv);
    InitEventLoop();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
