// The bootloader host program.
#include "controls/common/QxCommon.h"
#include "controls/edit/QxEdit.h"
#include "controls/label/QxLabel.h"
#include "host/main/HostWindows.h"
#include "host/main/ProgramEntry.h"
#include "host/ops/OwnVersion.h"
#include "platform/gui/controls/GuiApplication.h"

int main(int argc, char** argv) {
    TGuiApplication gui(argc, argv);
    SetProgramVersionInfo(&HostVersionInfo());
    InitQxCommon();
    RegisterQxEditClasses();
    RegisterQxLabelClasses();
    return RunMainBlock(ProgramFolder(), CreateHostWindows, StartUpHost);
}
