// The main of test programs that need the GUI: creates the offscreen GUI
// application before any test runs (fonts, pixmaps and widgets need it), as
// a GUI program does, which makes this thread the GUI thread of the event
// loop.
#include "platform/gui/controls/GuiApplication.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    SetUpTestEnvironment();
    TGuiApplication gui(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
