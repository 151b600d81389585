#include "host/main/HostWindows.h"
#include "host/ui/BLAbout.h"
#include "host/ui/IpDlg.h"
#include "host/ui/Prog.h"
#include "host/ui/dsProgEv4_M.h"

void CreateHostWindows() {
    Application->CreateForm(MainForm);
    Application->CreateForm(DataModule1);
    Application->CreateForm(ProgressForm);
    Application->CreateForm(IpAddrDlg);
    Application->CreateForm(AboutBox);
}

void StartUpHost() {
    MainForm->StartUp();
}
