// Takes pictures of the program's windows, offscreen, for review: each
// window made as the program makes it, put into the state to be shown, and
// saved as a PNG file in the folder named on the command line.
//
//   screenshots FOLDER
//
// Prints the path of every picture it wrote.

#include "controls/common/QxCommon.h"
#include "host/main/StandInWindow.h"
#include "host/ops/OwnVersion.h"
#include "host/ui/BLAbout.h"
#include "host/ui/Prog.h"
#include "platform/gui/controls/GuiApplication.h"
#include "platform/gui/controls/WindowPicture.h"
#include "platform/rtl/SysUtils.h"

#include <cstdio>
#include <cstdlib>

namespace {

void Picture(TCustomForm* Form, const String& Folder, const String& Name) {
    Form->Show();
    Form->Update();
    const String file = IncludeTrailingPathDelimiter(Folder) + Name + ".png";
    SaveWindowPicture(Form, file);
    std::printf("%s\n", file.c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots FOLDER\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TGuiApplication gui(argc, argv);
    InitQxCommon();
    Application->Initialize();
    try {
        ForceDirectories(argv[1]);
        SetProgramVersionInfo(&HostVersionInfo());
        Application->CreateForm(StandInWindow);
        Picture(StandInWindow, argv[1], "main-window");
        Application->CreateForm(ProgressForm);
        ProgressForm->SetCaption("Program memory...");
        ProgressForm->Show();
        ProgressForm->SetProgress(40);
        Picture(ProgressForm, argv[1], "progress-40");
        Application->CreateForm(AboutBox);
        Picture(AboutBox, argv[1], "about-box");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "screenshots: %s\n", e.what());
        return 1;
    }
    return 0;
}
