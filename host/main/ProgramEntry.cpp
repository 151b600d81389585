#include "host/main/ProgramEntry.h"
#include "host/image/Catalogue.h"
#include "platform/gui/controls/Forms.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SysUtils.h"

bool StartupFilesMissing(const String& Folder) {
    if (!FileExists(Folder + "Logo.bmp") && !FileExists(Folder + "Logo.jpg") && !FileExists(Folder + "Logo.gif"))
        return true;
    const String settings = Folder + "Settings.ini";
    if (!FileExists(settings)) return true;
    TIniFile ini(settings);
    return !FileExists(FirmwareFilePath(Folder, ini.ReadString("Targets", "FwFileName01", "BadName.pfw")));
}

int RunMainBlock(const String& Folder, const std::function<void()>& CreateWindows,
                 const std::function<void()>& StartUp) {
    if (StartupFilesMissing(Folder)) {
        MessageDlg(StartupFilesMissingText, mtError, {mbOK});
        return 1;
    }
    Application->Initialize();
    CreateWindows();
    StartUp();
    Application->Run();
    return 0;
}
