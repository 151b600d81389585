// Takes pictures of the program's windows, offscreen, for review: each
// window made as the program makes it, put into the state to be shown, and
// saved as a PNG file in the folder named on the command line.
//
//   screenshots FOLDER
//
// Prints the path of every picture it wrote.

#include "controls/common/QxCommon.h"
#include "host/main/HostWindows.h"
#include "host/ui/IpDlg.h"
#include "host/ui/dsProgEv4_M.h"
#include "host/ops/OwnVersion.h"
#include "host/ui/BLAbout.h"
#include "host/ui/Prog.h"
#include "platform/gui/controls/GuiApplication.h"
#include "platform/gui/controls/WindowInput.h"
#include "platform/gui/controls/WindowPicture.h"
#include "platform/rtl/SysUtils.h"

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

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
        // The windows find their files (the logo) in the build's dist folder.
        SetProgramFileName(String(QUENTA_DIST_DIR) + "/Bravik_PIC32E_F512_ENC28J60");
        CreateHostWindows();
        // Its caption, catalogue (the processor list) and options, as at start.
        MainForm->LoadSettings();
        MainForm->ClearResults();
        const String folder = argv[1];
        // The simple view as the program starts in it, with a device listed.
        MainForm->SetOperatingMode(0);
        MainForm->ComboAdd("192.0.2.10");
        MainForm->ComboSetItemIndex(0);
        MainForm->EnableDeviceControls(true);
        MainForm->SetStatusText("Bootloader device found and selected", false);
        Picture(MainForm, folder, "main-simple-view");
        // The full view, each page.
        MainForm->SetOperatingMode(1);
        for (Integer i = 0; i < 40; ++i) {
            const Integer b = i * 7 & 0xFF; // a payload byte
            MainForm->AddResultLine(Format("  OutPayload_Array[%d] = 0x%x = %d", {i, b, b}));
        }
        Picture(MainForm, folder, "main-full-view-results");
        MainForm->MainPageControl->SetActivePage(MainForm->AboutSheet);
        Picture(MainForm, folder, "main-full-view-about");
        MainForm->ROMSheet->SetTabVisible(true);
        MainForm->RomMemo->Lines()->Add(":020000041D00DD");
        MainForm->RomMemo->Lines()->Add(":10000000885A083C00610835010009241C0009AD8D");
        MainForm->MainPageControl->SetActivePage(MainForm->ROMSheet);
        Picture(MainForm, folder, "main-full-view-program-memory");
        MainForm->ROMSheet->SetTabVisible(false);
        MainForm->MainPageControl->SetActivePage(MainForm->ResultsSheet);
        // The menus opened, the Test menu revealed, each with the window under it.
        MainForm->MenuTest->SetVisible(true);
        MainForm->FileDumpBuffers->SetVisible(true);
        const TRect screen{MainForm->Left(), MainForm->Top(), MainForm->Left() + MainForm->Width() + 120,
                           MainForm->Top() + MainForm->Height()};
        for (const auto& [key, name] : std::vector<std::pair<char, String>>{
                 {'F', "menu-file"}, {'P', "menu-program"}, {'T', "menu-test"}, {'O', "menu-options"},
                 {'H', "menu-help"}}) {
            ActivateForm(MainForm);
            KeyInput(kaDown, key, {ssAlt});
            KeyInput(kaUp, key, {ssAlt});
            Application->ProcessMessages();
            const String file = IncludeTrailingPathDelimiter(folder) + name + ".png";
            SaveScreenPicture(screen, file);
            std::printf("%s\n", file.c_str());
            KeyInput(kaDown, VK_ESCAPE, {});
            KeyInput(kaUp, VK_ESCAPE, {});
            Application->ProcessMessages();
        }
        MainForm->MenuTest->SetVisible(false);
        MainForm->FileDumpBuffers->SetVisible(false);
        MainForm->Hide();
        ProgressForm->SetCaption("Program memory...");
        ProgressForm->Show();
        ProgressForm->SetProgress(40);
        Picture(ProgressForm, folder, "progress-40");
        ProgressForm->Hide();
        Picture(IpAddrDlg, folder, "ip-settings-dialog");
        IpAddrDlg->Hide();
        Picture(AboutBox, folder, "about-box");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "screenshots: %s\n", e.what());
        return 1;
    }
    return 0;
}
