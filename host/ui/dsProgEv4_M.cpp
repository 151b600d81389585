#include "host/ui/dsProgEv4_M.h"
#include "host/image/FirmwareFile.h"
#include "host/ops/OwnVersion.h"
#include "host/ui/BLAbout.h"
#include "host/ui/FormResources.h"
#include "host/ui/IpDlg.h"
#include "host/ui/Prog.h"
#include "platform/gui/controls/Printers.h"
#include "platform/rtl/Guards.h"
#include "platform/rtl/SysUtils.h"
#include "platform/sys/Beep.h"
#include "platform/sys/Shell.h"

TMainForm* MainForm = nullptr;

namespace {
// The results pane's colour while no device can be used.
constexpr TColor NoDeviceColor = 0xF0CAA6;
} // namespace

const TClassInfo& TMainForm::ClassInfo() {
    static const TClassInfo& info = []() -> const TClassInfo& {
        using T = TMainForm;
        TClassBuilder<T> b("TMainForm", &TForm::ClassInfo());
        b.Field("Panel1", &T::Panel1).Field("FindAllBtn", &T::FindAllBtn).Field("QxLabel1", &T::QxLabel1);
        b.Field("DeviceIDCombo", &T::DeviceIDCombo).Field("QxLabel2", &T::QxLabel2);
        b.Field("FixedIP_Edit", &T::FixedIP_Edit).Field("FixedIP_Btn", &T::FixedIP_Btn);
        b.Field("UpgradeBtn", &T::UpgradeBtn).Field("MainPageControl", &T::MainPageControl);
        b.Field("AboutSheet", &T::AboutSheet).Field("Image1", &T::Image1).Field("ResultsSheet", &T::ResultsSheet);
        b.Field("Label2", &T::Label2).Field("QxLabel3", &T::QxLabel3).Field("ProcessorCombo", &T::ProcessorCombo);
        b.Field("ClearBtn", &T::ClearBtn).Field("PrintBtn", &T::PrintBtn).Field("SaveBtn", &T::SaveBtn);
        b.Field("ResultsMemo", &T::ResultsMemo).Field("ROMSheet", &T::ROMSheet).Field("RomMemo", &T::RomMemo);
        b.Field("QxStatusBar1", &T::QxStatusBar1).Field("QxGlyphStatus1", &T::QxGlyphStatus1);
        b.Field("QxStatusPane1", &T::QxStatusPane1).Field("QxFrameController1", &T::QxFrameController1);
        b.Field("QxMenuController1", &T::QxMenuController1).Field("SaveDialog1", &T::SaveDialog1);
        b.Field("PrintDialog1", &T::PrintDialog1).Field("OpenHexDialog", &T::OpenHexDialog);
        b.Field("SaveHexDialog", &T::SaveHexDialog).Field("OpenFwDialog", &T::OpenFwDialog);
        b.Field("ImageList1", &T::ImageList1).Field("XPManifest1", &T::XPManifest1);
        b.Field("Timer1", &T::Timer1).Field("MainMenu1", &T::MainMenu1);
        const std::pair<const char*, TMenuItem* T::*> items[] = {
            {"File1", &T::File1}, {"File_New", &T::File_New}, {"File_OpenHex", &T::File_OpenHex},
            {"File_OpenFW", &T::File_OpenFW}, {"FileDumpBuffers", &T::FileDumpBuffers},
            {"File_SaveHex", &T::File_SaveHex}, {"File_Print", &T::File_Print}, {"File_Exit", &T::File_Exit},
            {"Menu_Prog", &T::Menu_Prog}, {"Prog_Program", &T::Prog_Program},
            {"Prog_BlockProgram", &T::Prog_BlockProgram}, {"Prog_Verify", &T::Prog_Verify},
            {"Prog_DumpBuffers", &T::Prog_DumpBuffers}, {"Prog_Read", &T::Prog_Read},
            {"Prog_BlankCheck", &T::Prog_BlankCheck}, {"Prog_Erase", &T::Prog_Erase},
            {"Prog_GetTargetInfo", &T::Prog_GetTargetInfo}, {"Prog_GetBLVersion", &T::Prog_GetBLVersion},
            {"Prod_MakeProductImage", &T::Prod_MakeProductImage}, {"Prog_RunCode", &T::Prog_RunCode},
            {"MenuTest", &T::MenuTest}, {"Test_StoreIP", &T::Test_StoreIP}, {"Test_ReadIP", &T::Test_ReadIP},
            {"Test_ShowAllOperations", &T::Test_ShowAllOperations},
            {"TestShowOutputReports", &T::TestShowOutputReports},
            {"TestShowInputReports", &T::TestShowInputReports}, {"TestShowIP", &T::TestShowIP},
            {"Test_ShowProgMemDuringVerify", &T::Test_ShowProgMemDuringVerify},
            {"Test_ShowProdImageMemory", &T::Test_ShowProdImageMemory}, {"Menu_Options", &T::Menu_Options},
            {"Options_EraseFirst", &T::Options_EraseFirst}, {"Options_BlankCheckFirst", &T::Options_BlankCheckFirst},
            {"Options_VerifyAfter", &T::Options_VerifyAfter}, {"Options_RunAfter", &T::Options_RunAfter},
            {"Options_DumpAllProgMem", &T::Options_DumpAllProgMem}, {"Options_MemRanges", &T::Options_MemRanges},
            {"Options_ProgMem", &T::Options_ProgMem}, {"Options_ID_Mem", &T::Options_ID_Mem},
            {"Options_ConfigMem", &T::Options_ConfigMem}, {"Options_EEPROM_Mem", &T::Options_EEPROM_Mem},
            {"Menu_Help", &T::Menu_Help}, {"HelpVeltrinOnWeb", &T::HelpVeltrinOnWeb}, {"HelpAbout", &T::HelpAbout}};
        for (const auto& [name, member] : items)
            b.Field(name, member);
        b.Method("FormCreate", &T::FormCreate).Method("FormResize", &T::FormResize);
        b.Method("FormCloseQuery", &T::FormCloseQuery).Method("FormClose", &T::FormClose);
        b.Method("FormDestroy", &T::FormDestroy);
        b.Method("FindAllBtnClick", &T::FindAllBtnClick).Method("DeviceIDComboSelect", &T::DeviceIDComboSelect);
        b.Method("FixedIP_BtnClick", &T::FixedIP_BtnClick).Method("FixedIP_EditChange", &T::FixedIP_EditChange);
        b.Method("ProcessorComboSelect", &T::ProcessorComboSelect);
        b.Method("Prog_BlockProgramClick", &T::Prog_BlockProgramClick).Method("Prog_VerifyClick", &T::Prog_VerifyClick);
        b.Method("Prog_DumpBuffersClick", &T::Prog_DumpBuffersClick).Method("Prog_ReadClick", &T::Prog_ReadClick);
        b.Method("Prog_BlankCheckClick", &T::Prog_BlankCheckClick).Method("Prog_EraseClick", &T::Prog_EraseClick);
        b.Method("Prog_GetTargetInfoClick", &T::Prog_GetTargetInfoClick);
        b.Method("Prog_GetBLVersionClick", &T::Prog_GetBLVersionClick);
        b.Method("Prod_MakeProductImageClick", &T::Prod_MakeProductImageClick);
        b.Method("Prog_RunCodeClick", &T::Prog_RunCodeClick).Method("File_NewClick", &T::File_NewClick);
        b.Method("File_OpenHexClick", &T::File_OpenHexClick).Method("File_OpenFWClick", &T::File_OpenFWClick);
        b.Method("File_SaveHexClick", &T::File_SaveHexClick).Method("File_ExitClick", &T::File_ExitClick);
        b.Method("ClearBtnClick", &T::ClearBtnClick).Method("PrintBtnClick", &T::PrintBtnClick);
        b.Method("SaveBtnClick", &T::SaveBtnClick).Method("ResultsSheetMouseDown", &T::ResultsSheetMouseDown);
        b.Method("Test_StoreIPClick", &T::Test_StoreIPClick).Method("Test_ReadIPClick", &T::Test_ReadIPClick);
        b.Method("ShowOpsChkClick", &T::ShowOpsChkClick);
        b.Method("TestShowOutputReportsClick", &T::TestShowOutputReportsClick);
        b.Method("TestShowInputReportsClick", &T::TestShowInputReportsClick);
        b.Method("TestShowIPClick", &T::TestShowIPClick);
        b.Method("Options_EraseFirstClick", &T::Options_EraseFirstClick);
        b.Method("Options_BlankCheckFirstClick", &T::Options_BlankCheckFirstClick);
        b.Method("Options_VerifyAfterClick", &T::Options_VerifyAfterClick);
        b.Method("Options_RunAfterClick", &T::Options_RunAfterClick);
        b.Method("Options_DumpAllProgMemClick", &T::Options_DumpAllProgMemClick);
        b.Method("Options_ProgMemClick", &T::Options_ProgMemClick);
        b.Method("Options_ID_MemClick", &T::Options_ID_MemClick);
        b.Method("Options_ConfigMemClick", &T::Options_ConfigMemClick);
        b.Method("Options_EEPROM_MemClick", &T::Options_EEPROM_MemClick);
        b.Method("Test_ShowProgMemDuringVerifyClick", &T::Test_ShowProgMemDuringVerifyClick);
        b.Method("Test_ShowProdImageMemoryClick", &T::Test_ShowProdImageMemoryClick);
        b.Method("HelpVeltrinOnWebClick", &T::HelpVeltrinOnWebClick).Method("HelpAboutClick", &T::HelpAboutClick);
        return b.Register();
    }();
    return info;
}

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner), FHost(std::make_unique<TBootloaderHost>(*this)) {
    InitializeForm(FormResourceText("TMAINFORM"), "dsProgEv4_M.dfm");
}

TMainForm::~TMainForm() = default;

// ================================================================ start-up and life

void TMainForm::FormCreate(TObject*) {
    ProgramFolder = ::ProgramFolder();
    FOperatingMode = 4;
    LoadLogo();
    FirmwareKey = XxteaKeyFromString(FirmwareKeyString);
    ClearResults();
    FHost->ReadOwnVersion();
    FHost->AtStartup = true;
    Application->SetHelpFile("PCSideH.hlp");
    FitPagesToClient();
    InitialSizes = {Width(), Height(), MainPageControl->Width(), MainPageControl->Height(),
                    ResultsMemo->Width(), ResultsMemo->Height(), RomMemo->Width(), RomMemo->Height()};
    Randomize();
}

void TMainForm::FitPagesToClient() {
    // The window is at least its minimum width, wider than the client area
    // it is described with: the page control takes the whole client area
    // between the device row and the status line, and the memos on its pages
    // grow with it as they do when the window is resized.
    const Integer top = Panel1->Top() + Panel1->Height();
    const Integer height = QxStatusBar1->Top() - top;
    const Integer dw = ClientWidth() - MainPageControl->Width();
    const Integer dh = height - MainPageControl->Height();
    MainPageControl->SetBounds(0, top, ClientWidth(), height);
    for (TQxMemo* memo : {ResultsMemo, RomMemo})
        memo->SetBounds(memo->Left(), memo->Top(), memo->Width() + dw, memo->Height() + dh);
}

void TMainForm::LoadLogo() {
    for (const char* name : {"Logo.bmp", "Logo.jpg", "Logo.gif"}) {
        const String file = ProgramFolder + name;
        if (!FileExists(file)) continue;
        // A logo that cannot be read is reported; the window is built all the same.
        try {
            Image1->Picture()->LoadFromFile(file);
        } catch (const std::exception& e) {
            Application->HandleException(e);
        }
        return;
    }
}

void TMainForm::StartUp() {
    FAgent = DataModule1;
    FAgent->FreeNotification(this);
    FHost->SetAgent(*FAgent);
    FHost->DiscoveryIP = DiscoveryIP;
    FHost->DiscoveryPort = DiscoveryPort;
    LoadSettings();
    Command([this] { FHost->StartUp(); });
}

void TMainForm::LoadSettings() {
    // What Settings.ini could not be taken as it stands is told in a box:
    // the pane is hidden in the simple view and cleared by the first Find All.
    String problems;
    const TSettings s = ::LoadSettings(ProgramFolder, [&problems](const String& Line) {
        problems += (problems.empty() ? "" : "\r\n\r\n") + Line;
    });
    if (!problems.empty()) {
        AddResultLine(problems);
        MessageDlg(problems, mtError, {mbOK});
    }
    SettingsPath = s.SettingsPath;
    SetCaption(s.FormCaption);
    AccessValue1 = s.AccessValue1;
    AccessValue2 = s.AccessValue2;
    SetOperatingMode(s.OperatingMode);
    Options_EraseFirst->SetChecked(s.Options.EraseFirst);
    Options_BlankCheckFirst->SetChecked(s.Options.BlankCheckFirst);
    Options_VerifyAfter->SetChecked(s.Options.VerifyAfter);
    Options_RunAfter->SetChecked(s.Options.RunAfter);
    Options_DumpAllProgMem->SetChecked(s.Options.DumpAllProgMem);
    Options_ProgMem->SetChecked(s.Options.ProgMem);
    Options_ConfigMem->SetChecked(s.Options.ConfigMem);
    ProcessorCombo->Items()->Clear();
    FProcessorIds.clear();
    for (const TProcessorItem& p : s.ProcessorItems) {
        ProcessorCombo->Items()->Add(p.Name);
        FProcessorIds.push_back(p.DeviceID);
    }
    ProcessorCombo->SetItemIndex(s.ProcessorIndex);
    ProcessorCombo->SetText(s.ProcessorText);
    FTargetIndex = s.ProcessorIndex;
    DefaultFirmwareFile = s.DefaultFirmwareFile;
    FHost->ApplySettings(s);
    LoadFirmwareFile(FirmwareFilePath(ProgramFolder, DefaultFirmwareFile));
}

void TMainForm::SetOperatingMode(Byte Mode) {
    if (Mode == FOperatingMode) return;
    FOperatingMode = Mode;
    if (Mode > 1) return;
    const bool full = Mode == 1;
    AboutSheet->SetTabVisible(full);
    ResultsSheet->SetTabVisible(full);
    ROMSheet->SetTabVisible(false);
    for (TMenuItem* item : {File_SaveHex, File_New, File_OpenHex, File_Print, File_OpenFW, Menu_Options, Prog_Verify,
                            Prog_Read, Prog_BlankCheck, Prog_Erase, Prog_GetTargetInfo, Prog_GetBLVersion,
                            Prod_MakeProductImage, Menu_Help})
        item->SetVisible(full);
    if (full) {
        MainPageControl->SetActivePage(ResultsSheet);
    } else {
        for (TMenuItem* item : {FileDumpBuffers, MenuTest, Prog_DumpBuffers})
            item->SetVisible(false);
    }
}

void TMainForm::FormResize(TObject*) {
    if (InitialSizes.FormWidth == 0) return; // still being built
    const Integer dw = Width() - InitialSizes.FormWidth;
    const Integer dh = Height() - InitialSizes.FormHeight;
    MainPageControl->SetBounds(MainPageControl->Left(), MainPageControl->Top(), InitialSizes.PageWidth + dw,
                               InitialSizes.PageHeight + dh);
    ResultsMemo->SetBounds(ResultsMemo->Left(), ResultsMemo->Top(), InitialSizes.ResultsWidth + dw,
                           InitialSizes.ResultsHeight + dh);
    RomMemo->SetBounds(RomMemo->Left(), RomMemo->Top(), InitialSizes.RomWidth + dw, InitialSizes.RomHeight + dh);
}

void TMainForm::FormCloseQuery(TObject*, bool& CanClose) {
    // Closing in the middle of an operation would free what it works on:
    // the window closes once it has ended.
    if (FHost->IsBusy()) {
        FCloseWhenIdle = true;
        CanClose = false;
    }
}

void TMainForm::FormClose(TObject*, TCloseAction& Action) {
    FHost->ShutDown();
    Action = caFree;
}

void TMainForm::FormDestroy(TObject*) {
    FHost.reset();
}

void TMainForm::Notification(TComponent* AComponent, TOperation Operation) {
    TForm::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FAgent) {
        FAgent = nullptr;
        if (FHost) FHost->DetachAgent();
    }
}

template <class F> void TMainForm::Command(F&& Work) {
    // While an operation runs the results pane is its log: the user cannot
    // edit it (the window's edit control is made read-only; the memo's own
    // ReadOnly, and so its looks, stay as they are).
    const bool outermost = !FHost->IsBusy();
    if (outermost) ResultsMemo->Perform(EM_SETREADONLY, 1, 0);
    TScopeExit unlock([this, outermost] {
        if (outermost) ResultsMemo->Perform(EM_SETREADONLY, ResultsMemo->ReadOnly(), 0);
    });
    Work();
    if (FCloseWhenIdle && FHost && !FHost->IsBusy()) {
        FCloseWhenIdle = false;
        Close();
    }
}

// ================================================================ handlers

void TMainForm::FindAllBtnClick(TObject*) { Command([this] { FHost->FindAllBtnClick(); }); }
void TMainForm::DeviceIDComboSelect(TObject*) { Command([this] { FHost->DeviceIDComboSelect(); }); }
void TMainForm::FixedIP_BtnClick(TObject*) { Command([this] { FHost->FixedIP_BtnClick(FixedIP_Edit->Text()); }); }
void TMainForm::FixedIP_EditChange(TObject*) {}
void TMainForm::Prog_BlockProgramClick(TObject*) { Command([this] { FHost->Prog_BlockProgramClick(); }); }
void TMainForm::Prog_VerifyClick(TObject*) { Command([this] { FHost->Prog_VerifyClick(); }); }
void TMainForm::Prog_DumpBuffersClick(TObject*) { Command([this] { FHost->Prog_DumpBuffersClick(); }); }
void TMainForm::Prog_ReadClick(TObject*) { Command([this] { FHost->Prog_ReadClick(); }); }
void TMainForm::Prog_BlankCheckClick(TObject*) { Command([this] { FHost->Prog_BlankCheckClick(); }); }
void TMainForm::Prog_EraseClick(TObject*) { Command([this] { FHost->Prog_EraseClick(); }); }
void TMainForm::Prog_GetTargetInfoClick(TObject*) { Command([this] { FHost->Prog_GetTargetInfoClick(); }); }
void TMainForm::Prog_GetBLVersionClick(TObject*) { Command([this] { FHost->Prog_GetBLVersionClick(); }); }
void TMainForm::Prod_MakeProductImageClick(TObject*) { Command([this] { FHost->Prod_MakeProductImageClick(); }); }
void TMainForm::Prog_RunCodeClick(TObject*) { Command([this] { FHost->Prog_RunCodeClick(); }); }
void TMainForm::Test_StoreIPClick(TObject*) { Command([this] { FHost->Test_StoreIPClick(); }); }
void TMainForm::Test_ReadIPClick(TObject*) { Command([this] { FHost->Test_ReadIPClick(); }); }
void TMainForm::ShowOpsChkClick(TObject*) {
    if (!Refused(Test_ShowAllOperations)) FHost->ShowOpsChkClick();
}

bool TMainForm::Refused(TMenuItem* AutoChecked) {
    if (!FHost->IsBusy()) return false;
    // The menu has already inverted the item's check mark.
    if (AutoChecked) AutoChecked->SetChecked(!AutoChecked->Checked());
    Beep();
    return true;
}

void TMainForm::ProcessorComboSelect(TObject*) {
    if (Refused()) {
        // The operation keeps its target; the list shows it again.
        ProcessorCombo->SetItemIndex(FTargetIndex);
        if (FTargetIndex < 0) ProcessorCombo->SetText("");
        return;
    }
    const Integer i = ProcessorCombo->ItemIndex();
    if (i < 0 || i >= static_cast<Integer>(FProcessorIds.size())) return;
    const Integer selected = FHost->Catalogue.SelectTargetById(FProcessorIds[static_cast<size_t>(i)], FHost->CurrentTarget);
    if (selected < 0) return;
    ProcessorCombo->SetItemIndex(selected);
    FTargetIndex = selected;
}

void TMainForm::File_NewClick(TObject*) {
    if (!Refused()) FHost->Image.NewImage();
}

void TMainForm::File_OpenHexClick(TObject*) {
    if (!Refused() && OpenHexDialog->Execute()) LoadHexFile(OpenHexDialog->FileName());
}

void TMainForm::LoadHexFile(const String& FileName) {
    SetHourglass(true);
    TScopeExit normal([this] { SetHourglass(false); });
    FHost->Image.LoadHexFile(FileName, FHost->CurrentTarget);
}

void TMainForm::File_OpenFWClick(TObject*) {
    if (Refused() || !OpenFwDialog->Execute()) return;
    const String file = OpenFwDialog->FileName();
    if (MessageDlg("Would you like to make this the default firmware file \r\nthat this program opens the next "
                   "time it is started? ",
                   mtConfirmation, {mbYes, mbNo}) == mrYes)
        DefaultFirmwareFile = file;
    LoadFirmwareFile(file);
}

void TMainForm::LoadFirmwareFile(const String& FileName) {
    SetHourglass(true);
    TScopeExit normal([this] { SetHourglass(false); });
    ::LoadFirmwareFile(FHost->Image, FileName, FirmwareKey, FHost->CurrentTarget);
}

void TMainForm::File_SaveHexClick(TObject*) {
    if (Refused()) return;
    if (FHost->Image.ReadBackLines.Count() == 0) {
        Beep();
        MessageDlg("There is nothing to save! You need to read the device first, \r\nusing menu item Program | Read.",
                   mtInformation, {mbOK});
        return;
    }
    SaveHexFile();
}

void TMainForm::File_ExitClick(TObject*) { Close(); }

void TMainForm::ClearBtnClick(TObject*) {
    if (!Refused()) ClearResults();
}

void TMainForm::PrintBtnClick(TObject*) {
    if (Refused() || !PrintDialog1->Execute()) return;
    TextFile f;
    AssignPrn(f);
    Rewrite(f);
    TScopeExit close([&f] { CloseFile(f); });
    Printer()->Canvas()->SetFont(ResultsMemo->Font());
    const TStrings* lines = ResultsMemo->Lines();
    for (Integer i = 0; i < lines->Count(); ++i)
        Writeln(f, String(16, ' ') + (*lines)[i]);
}

void TMainForm::SaveBtnClick(TObject*) {
    if (!Refused() && SaveDialog1->Execute()) ResultsMemo->Lines()->SaveToFile(SaveDialog1->FileName());
}

void TMainForm::ResultsSheetMouseDown(TObject*, TMouseButton Button, TShiftState Shift, Integer, Integer) {
    // The Test menu's visibility decides what some operations show.
    if (Button != mbRight || !Shift.Contains(ssCtrl) || Refused()) return;
    MenuTest->SetVisible(!MenuTest->Visible());
    FileDumpBuffers->SetVisible(MenuTest->Visible());
}

// The check marks that operations consult: inverted when no operation runs.
void TMainForm::ToggleCheck(TMenuItem* Item) {
    if (!Refused()) Item->SetChecked(!Item->Checked());
}

void TMainForm::TestShowOutputReportsClick(TObject*) { ToggleCheck(TestShowOutputReports); }
void TMainForm::TestShowInputReportsClick(TObject*) { ToggleCheck(TestShowInputReports); }
void TMainForm::TestShowIPClick(TObject*) { ToggleCheck(TestShowIP); }
// These items check themselves (AutoCheck): a refusal takes the mark back.
void TMainForm::Test_ShowProgMemDuringVerifyClick(TObject*) { Refused(Test_ShowProgMemDuringVerify); }
void TMainForm::Test_ShowProdImageMemoryClick(TObject*) { Refused(Test_ShowProdImageMemory); }
void TMainForm::Options_EraseFirstClick(TObject*) { ToggleCheck(Options_EraseFirst); }
void TMainForm::Options_BlankCheckFirstClick(TObject*) { ToggleCheck(Options_BlankCheckFirst); }
void TMainForm::Options_VerifyAfterClick(TObject*) { ToggleCheck(Options_VerifyAfter); }
// The item checks itself (AutoCheck): a refusal takes the mark back.
void TMainForm::Options_RunAfterClick(TObject*) { Refused(Options_RunAfter); }
void TMainForm::Options_DumpAllProgMemClick(TObject*) { ToggleCheck(Options_DumpAllProgMem); }
void TMainForm::Options_ProgMemClick(TObject*) { ToggleCheck(Options_ProgMem); }
void TMainForm::Options_ID_MemClick(TObject*) { ToggleCheck(Options_ID_Mem); }
void TMainForm::Options_ConfigMemClick(TObject*) { ToggleCheck(Options_ConfigMem); }
void TMainForm::Options_EEPROM_MemClick(TObject*) { ToggleCheck(Options_EEPROM_Mem); }

void TMainForm::HelpVeltrinOnWebClick(TObject*) {
    if (Refused()) return;
    String error;
    if (!ShellOpener()->Open(MakerWebAddress, error))
        MessageDlg("Cannot open " + String(MakerWebAddress) + ": " + error, mtError, {mbOK});
}

void TMainForm::HelpAboutClick(TObject*) {
    // A modal box would hold the operation's requests until it is closed.
    if (!Refused()) AboutBox->ShowModal();
}

// ================================================================ IBootloaderView

void TMainForm::AddResultLine(const String& Line) {
    // A text holding "\r\n" breaks becomes several lines, as in the
    // window's edit control; an empty text is one empty line.
    TStrings* lines = ResultsMemo->Lines();
    for (String::size_type start = 0;;) {
        const auto at = Line.find("\r\n", start);
        lines->Add(Line.substr(start, at == String::npos ? String::npos : at - start));
        if (at == String::npos) break;
        start = at + 2;
    }
}

void TMainForm::ClearResults() {
    TStrings* lines = ResultsMemo->Lines();
    lines->Clear();
    lines->Add("Ethernet Quenta:  " + DateTimeToStr(Now()));
    lines->Add("");
    lines->Add("");
}

void TMainForm::SetStatusText(const String& Text, bool RepaintNow) {
    QxStatusPane1->SetCaption(Text);
    if (RepaintNow) QxStatusPane1->Repaint();
}

TMsgBoxAnswer TMainForm::MessageBox(const String& Text, TMsgBoxKind Kind, TMsgBoxButtons Buttons) {
    static const TMsgDlgType types[] = {mtError, mtInformation, mtWarning, mtConfirmation, mtCustom};
    const Integer answer =
        MessageDlg(Text, types[Kind], Buttons == mbYesNo ? TMsgDlgButtons{mbYes, mbNo} : TMsgDlgButtons{mbOK});
    if (Buttons == mbOKOnly) return maOK;
    return answer == mrYes ? maYes : maNo;
}

void TMainForm::SetProgressCaption(const String& Caption) { ProgressForm->SetCaption(Caption); }
void TMainForm::ShowProgress() { ProgressForm->Show(); }
void TMainForm::HideProgress() { ProgressForm->Hide(); }
void TMainForm::SetProgress(Integer Percent) { ProgressForm->SetProgress(Percent); }
void TMainForm::SetHourglass(bool Busy) { Screen->SetCursor(Busy ? crHourGlass : crDefault); }
void TMainForm::Beep() { MessageBeep(0); }

TMenuItem* TMainForm::Item(TOpsMenuItem Which) const {
    switch (Which) {
    case miOptionsEraseFirst: return Options_EraseFirst;
    case miOptionsBlankCheckFirst: return Options_BlankCheckFirst;
    case miOptionsVerifyAfter: return Options_VerifyAfter;
    case miOptionsRunAfter: return Options_RunAfter;
    case miOptionsDumpAllProgMem: return Options_DumpAllProgMem;
    case miOptionsProgMem: return Options_ProgMem;
    case miOptionsConfigMem: return Options_ConfigMem;
    case miTestShowAllOperations: return Test_ShowAllOperations;
    case miTestShowOutputReports: return TestShowOutputReports;
    case miTestShowInputReports: return TestShowInputReports;
    case miTestShowIP: return TestShowIP;
    case miTestShowProgMemDuringVerify: return Test_ShowProgMemDuringVerify;
    case miTestShowProdImageMemory: return Test_ShowProdImageMemory;
    case miProgRunCode: return Prog_RunCode;
    case miProgProgram: return Prog_Program;
    case miMenuTest: return MenuTest;
    }
    return nullptr;
}

bool TMainForm::MenuChecked(TOpsMenuItem Which) const { return Item(Which)->Checked(); }
void TMainForm::SetMenuChecked(TOpsMenuItem Which, bool Checked) { Item(Which)->SetChecked(Checked); }
void TMainForm::SetMenuEnabled(TOpsMenuItem Which, bool Enabled) { Item(Which)->SetEnabled(Enabled); }
bool TMainForm::MenuVisible(TOpsMenuItem Which) const { return Item(Which)->Visible(); }

void TMainForm::ComboClear() { DeviceIDCombo->Items()->Clear(); }
Integer TMainForm::ComboAdd(const String& Text) { return DeviceIDCombo->Items()->Add(Text); }
void TMainForm::ComboDelete(Integer Index) { DeviceIDCombo->Items()->Delete(Index); }
void TMainForm::ComboSetItemText(Integer Index, const String& Text) { DeviceIDCombo->Items()->Put(Index, Text); }
void TMainForm::ComboSetItemIndex(Integer Index) { DeviceIDCombo->SetItemIndex(Index); }
Integer TMainForm::ComboItemIndex() const { return DeviceIDCombo->ItemIndex(); }
void TMainForm::ComboSetText(const String& Text) { DeviceIDCombo->SetText(Text); }

void TMainForm::EnableDeviceControls(bool Enable) {
    ROMSheet->SetTabEnabled(Enable);
    Menu_Prog->SetEnabled(Enable);
    UpgradeBtn->SetEnabled(Enable);
    ResultsMemo->SetColor(Enable ? clWindow : NoDeviceColor);
}

void TMainForm::ClearRomMemo() { RomMemo->Lines()->Clear(); }

void TMainForm::SaveHexFile() {
    if (SaveHexDialog->Execute()) FHost->Image.ReadBackLines.SaveToFile(SaveHexDialog->FileName());
}

bool TMainForm::ExecuteIpDialog(TIpDialogValues& Values) {
    if (!IpAddrDlg->Execute()) return false;
    Values.Address = IpAddrDlg->BLIPAddress();
    Values.SubnetMask = IpAddrDlg->BLSubnetMask();
    Values.DNS = IpAddrDlg->BLDNSAddress();
    Values.UseDHCP = IpAddrDlg->BLUseDHCP();
    return true;
}
