#include "host/main/HostWindows.h"
#include "host/main/StandInWindow.h"

void CreateHostWindows() {
    Application->CreateForm(StandInWindow);
    Application->CreateForm(DataModule1);
}

void StartUpHost() {
    StandInWindow->StartUp();
}
