#pragma once
// The main window (unit dsProgEv4_M): the device row (Find All, the device
// list, "Upgrade Now"), the page control with the logo, the results pane
// and the program memory listing, the status line, and the menus. It is
// built from its form description and holds the window's state; every
// command is forwarded to the bootloader host (TBootloaderHost), which
// talks back through IBootloaderView, implemented here over the controls.
//
// Two operating modes: 0 the simple upgrade view (the pages without tabs,
// only File Exit and Program Program / Run Program), 1 the full view.
//
// While an operation waits for the device the event loop runs: the host
// refuses a second command meanwhile, the window refuses every command that
// would change what the operation uses or shows (image, target, options,
// results, the Test menu), and a request to close the window is held until
// the operation has ended.

#include "controls/button/QxButton.h"
#include "controls/common/QxFrameController.h"
#include "controls/common/QxMenuController.h"
#include "controls/edit/QxEdit.h"
#include "controls/label/QxLabel.h"
#include "controls/status/QxStatus.h"
#include "controls/status/QxStatusBar.h"
#include "controls/tabs/QxPageControl.h"
#include "host/image/uTeaSet.h"
#include "host/ops/BootloaderHost.h"
#include "platform/gui/controls/Button.h"
#include "platform/gui/controls/ComboBox.h"
#include "platform/gui/controls/CommonDialogs.h"
#include "platform/gui/controls/CustomPanel.h"
#include "platform/gui/controls/Forms.h"
#include "platform/gui/controls/Image.h"
#include "platform/gui/controls/Menus.h"
#include "platform/gui/controls/Timers.h"
#include "platform/gui/controls/XPMan.h"
#include "platform/gui/graphics/ImgList.h"

#include <memory>
#include <vector>

class TMainForm : public TForm, public IBootloaderView {
public:
    QUENTA_PUBLISHED
    explicit TMainForm(TComponent* AOwner);
    ~TMainForm() override;

    // ------------------------------------------------------------ components
    TPanel* Panel1 = nullptr;
    TButton* FindAllBtn = nullptr;
    TQxLabel* QxLabel1 = nullptr;
    TComboBox* DeviceIDCombo = nullptr;
    TQxLabel* QxLabel2 = nullptr;
    TQxEdit* FixedIP_Edit = nullptr;
    TQxBitBtn* FixedIP_Btn = nullptr;
    TQxBitBtn* UpgradeBtn = nullptr;
    TQxPageControl* MainPageControl = nullptr;
    TQxTabSheet* AboutSheet = nullptr;
    TImage* Image1 = nullptr;
    TQxTabSheet* ResultsSheet = nullptr;
    TLabel* Label2 = nullptr;
    TQxLabel* QxLabel3 = nullptr;
    TComboBox* ProcessorCombo = nullptr;
    TButton* ClearBtn = nullptr;
    TButton* PrintBtn = nullptr;
    TButton* SaveBtn = nullptr;
    TQxMemo* ResultsMemo = nullptr;
    TQxTabSheet* ROMSheet = nullptr;
    TQxMemo* RomMemo = nullptr;
    TQxStatusBar* QxStatusBar1 = nullptr;
    TQxGlyphStatus* QxGlyphStatus1 = nullptr;
    TQxStatusPane* QxStatusPane1 = nullptr;
    TQxFrameController* QxFrameController1 = nullptr;
    TQxMenuController* QxMenuController1 = nullptr;
    TSaveDialog* SaveDialog1 = nullptr;
    TPrintDialog* PrintDialog1 = nullptr;
    TOpenDialog* OpenHexDialog = nullptr;
    TSaveDialog* SaveHexDialog = nullptr;
    TOpenDialog* OpenFwDialog = nullptr;
    TImageList* ImageList1 = nullptr;
    TXPManifest* XPManifest1 = nullptr;
    TTimer* Timer1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem *File1 = nullptr, *File_New = nullptr, *File_OpenHex = nullptr, *File_OpenFW = nullptr,
              *FileDumpBuffers = nullptr, *File_SaveHex = nullptr, *File_Print = nullptr, *File_Exit = nullptr;
    TMenuItem *Menu_Prog = nullptr, *Prog_Program = nullptr, *Prog_BlockProgram = nullptr, *Prog_Verify = nullptr,
              *Prog_DumpBuffers = nullptr, *Prog_Read = nullptr, *Prog_BlankCheck = nullptr, *Prog_Erase = nullptr,
              *Prog_GetTargetInfo = nullptr, *Prog_GetBLVersion = nullptr, *Prod_MakeProductImage = nullptr,
              *Prog_RunCode = nullptr;
    TMenuItem *MenuTest = nullptr, *Test_StoreIP = nullptr, *Test_ReadIP = nullptr,
              *Test_ShowAllOperations = nullptr, *TestShowOutputReports = nullptr,
              *TestShowInputReports = nullptr, *TestShowIP = nullptr, *Test_ShowProgMemDuringVerify = nullptr,
              *Test_ShowProdImageMemory = nullptr;
    TMenuItem *Menu_Options = nullptr, *Options_EraseFirst = nullptr, *Options_BlankCheckFirst = nullptr,
              *Options_VerifyAfter = nullptr, *Options_RunAfter = nullptr, *Options_DumpAllProgMem = nullptr,
              *Options_MemRanges = nullptr, *Options_ProgMem = nullptr, *Options_ID_Mem = nullptr,
              *Options_ConfigMem = nullptr, *Options_EEPROM_Mem = nullptr;
    TMenuItem *Menu_Help = nullptr, *HelpVeltrinOnWeb = nullptr, *HelpAbout = nullptr;

    // ------------------------------------------------------------ state
    String ProgramFolder;    // the program file's folder, with separator
    String SettingsPath;     // ProgramFolder + "Settings.ini"
    String DefaultFirmwareFile;
    Integer AccessValue1 = 0, AccessValue2 = 0;
    // Width and height of the window, the page control and both memos at creation.
    struct TInitialSizes {
        Integer FormWidth = 0, FormHeight = 0;
        Integer PageWidth = 0, PageHeight = 0;
        Integer ResultsWidth = 0, ResultsHeight = 0;
        Integer RomWidth = 0, RomHeight = 0;
    } InitialSizes;
    // Where discovery requests go (tests aim them at a device on loopback).
    String DiscoveryIP = EthBroadcastIP;
    Integer DiscoveryPort = EthDevicePort;

    TBootloaderHost& Host() { return *FHost; }

    // ------------------------------------------------------------ start-up and life
    void FormCreate(TObject* Sender);
    // After all windows exist: settings, the agent (DataModule1), the first discovery.
    void StartUp();
    void LoadSettings();
    void SetOperatingMode(Byte Mode);
    void FormResize(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormDestroy(TObject* Sender);

    // ------------------------------------------------------------ handlers
    void FindAllBtnClick(TObject* Sender);
    void DeviceIDComboSelect(TObject* Sender);
    void FixedIP_BtnClick(TObject* Sender);
    void FixedIP_EditChange(TObject* Sender);
    void ProcessorComboSelect(TObject* Sender);
    void Prog_BlockProgramClick(TObject* Sender);
    void Prog_VerifyClick(TObject* Sender);
    void Prog_DumpBuffersClick(TObject* Sender);
    void Prog_ReadClick(TObject* Sender);
    void Prog_BlankCheckClick(TObject* Sender);
    void Prog_EraseClick(TObject* Sender);
    void Prog_GetTargetInfoClick(TObject* Sender);
    void Prog_GetBLVersionClick(TObject* Sender);
    void Prod_MakeProductImageClick(TObject* Sender);
    void Prog_RunCodeClick(TObject* Sender);
    void File_NewClick(TObject* Sender);
    void File_OpenHexClick(TObject* Sender);
    void File_OpenFWClick(TObject* Sender);
    void File_SaveHexClick(TObject* Sender);
    void File_ExitClick(TObject* Sender);
    void ClearBtnClick(TObject* Sender);
    void PrintBtnClick(TObject* Sender);
    void SaveBtnClick(TObject* Sender);
    void ResultsSheetMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    void Test_StoreIPClick(TObject* Sender);
    void Test_ReadIPClick(TObject* Sender);
    void ShowOpsChkClick(TObject* Sender);
    void TestShowOutputReportsClick(TObject* Sender);
    void TestShowInputReportsClick(TObject* Sender);
    void TestShowIPClick(TObject* Sender);
    void Test_ShowProgMemDuringVerifyClick(TObject* Sender);
    void Test_ShowProdImageMemoryClick(TObject* Sender);
    void Options_EraseFirstClick(TObject* Sender);
    void Options_BlankCheckFirstClick(TObject* Sender);
    void Options_VerifyAfterClick(TObject* Sender);
    void Options_RunAfterClick(TObject* Sender);
    void Options_DumpAllProgMemClick(TObject* Sender);
    void Options_ProgMemClick(TObject* Sender);
    void Options_ID_MemClick(TObject* Sender);
    void Options_ConfigMemClick(TObject* Sender);
    void Options_EEPROM_MemClick(TObject* Sender);
    void HelpVeltrinOnWebClick(TObject* Sender);
    void HelpAboutClick(TObject* Sender);

    // Loads a .hex file into the image (File, Open hex file).
    void LoadHexFile(const String& FileName);
    // Reads a firmware file into the image.
    void LoadFirmwareFile(const String& FileName);

    // ------------------------------------------------------------ IBootloaderView
    void AddResultLine(const String& Line) override;
    void ClearResults() override;
    void SetStatusText(const String& Text, bool RepaintNow) override;
    TMsgBoxAnswer MessageBox(const String& Text, TMsgBoxKind Kind, TMsgBoxButtons Buttons) override;
    void SetProgressCaption(const String& Caption) override;
    void ShowProgress() override;
    void HideProgress() override;
    void SetProgress(Integer Percent) override;
    void SetHourglass(bool Busy) override;
    void Beep() override;
    bool MenuChecked(TOpsMenuItem Item) const override;
    void SetMenuChecked(TOpsMenuItem Item, bool Checked) override;
    void SetMenuEnabled(TOpsMenuItem Item, bool Enabled) override;
    bool MenuVisible(TOpsMenuItem Item) const override;
    Byte OperatingMode() const override { return FOperatingMode; }
    void ComboClear() override;
    Integer ComboAdd(const String& Text) override;
    void ComboDelete(Integer Index) override;
    void ComboSetItemText(Integer Index, const String& Text) override;
    void ComboSetItemIndex(Integer Index) override;
    Integer ComboItemIndex() const override;
    void ComboSetText(const String& Text) override;
    void EnableDeviceControls(bool Enable) override;
    void ClearRomMemo() override;
    void SaveHexFile() override;
    bool ExecuteIpDialog(TIpDialogValues& Values) override;
    void CloseMainWindow() override { Close(); }

protected:
    // The report agent may be freed before the window (the application
    // frees its windows last made first): the host then lets go of it.
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TMenuItem* Item(TOpsMenuItem Which) const;
    // True, with a beep, while an operation runs: a command that would change
    // what it uses or shows does nothing then (its waits run the event loop).
    // AutoChecked: the item the menu has just inverted gets its check back.
    bool Refused(TMenuItem* AutoChecked = nullptr);
    void ToggleCheck(TMenuItem* Item);
    // Runs a command of the host; a close asked for meanwhile follows once
    // no operation runs any more.
    template <class F> void Command(F&& Work);
    void LoadLogo();
    // The page control fills the client area between the device row and the
    // status line (the window may be wider than described).
    void FitPagesToClient();

    std::unique_ptr<TBootloaderHost> FHost;
    TDataModule1* FAgent = nullptr; // DataModule1 once StartUp took it
    TXxteaKey FirmwareKey{};
    std::vector<Integer> FProcessorIds; // the DeviceID of each processor list item
    Integer FTargetIndex = -1;          // the processor list item of the current target
    Byte FOperatingMode = 4;
    bool FCloseWhenIdle = false;
    bool FClosing = false;
};

extern TMainForm* MainForm;
