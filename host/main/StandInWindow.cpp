#include "host/main/StandInWindow.h"
#include "host/image/FirmwareFile.h"
#include "platform/rtl/SysUtils.h"

#include <cstdio>

TStandInWindow* StandInWindow = nullptr;

namespace {
const char* kStandInForm = R"(object StandInWindow: TStandInWindow
  BorderStyle = bsDialog
  Caption = 'Ethernet Quenta PIC32 Bootloader'
  ClientHeight = 120
  ClientWidth = 400
  Color = clBtnFace
  Font.Name = 'Arial'
  Font.Height = -11
  Position = poScreenCenter
  OnClose = FormClose
  OnPaint = FormPaint
  object UpgradeBtn: TQxBitBtn
    Left = 136
    Top = 16
    Width = 128
    Height = 33
    Caption = 'Upgrade Now'
    Enabled = False
    Color = clMoneyGreen
    Font.Color = clMaroon
    Font.Height = -12
    Font.Name = 'Arial'
    Font.Style = [fsBold]
    OnClick = UpgradeBtnClick
  end
end
)";
} // namespace

const TClassInfo& TStandInWindow::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TStandInWindow>("TStandInWindow", &TForm::ClassInfo())
                                        .Field("UpgradeBtn", &TStandInWindow::UpgradeBtn)
                                        .Method("FormPaint", &TStandInWindow::FormPaint)
                                        .Method("FormClose", &TStandInWindow::FormClose)
                                        .Method("UpgradeBtnClick", &TStandInWindow::UpgradeBtnClick)
                                        .Register();
    return info;
}

TStandInWindow::TStandInWindow(TComponent* AOwner) : TForm(AOwner) {
    InitializeForm(kStandInForm, "StandInWindow.dfm");
}

TStandInWindow::~TStandInWindow() = default;

void TStandInWindow::StartUp() {
    FHost = std::make_unique<TBootloaderHost>(*this, *DataModule1);
    FHost->DiscoveryIP = DiscoveryIP;
    FHost->DiscoveryPort = DiscoveryPort;
    const TSettings settings = LoadSettings(ProgramFolder(), [this](const String& L) { AddResultLine(L); });
    SetCaption(settings.FormCaption);
    FChecked[miOptionsVerifyAfter] = settings.Options.VerifyAfter;
    FChecked[miOptionsRunAfter] = settings.Options.RunAfter;
    FChecked[miOptionsProgMem] = settings.Options.ProgMem;
    FChecked[miOptionsConfigMem] = settings.Options.ConfigMem;
    FHost->ApplySettings(settings);
    FHost->ReadOwnVersion();
    LoadFirmwareFile(FHost->Image, ProgramFolder() + settings.DefaultFirmwareFile,
                     XxteaKeyFromString(FirmwareKeyString), FHost->CurrentTarget);
    FHost->StartUp();
}

void TStandInWindow::FormPaint(TObject*) {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 64, ClientWidth(), ClientHeight()));
    c->TextOut(16, 72, FStatus);
}

void TStandInWindow::FormClose(TObject*, TCloseAction& Action) {
    if (FHost) FHost->ShutDown();
    Action = caFree;
}

void TStandInWindow::UpgradeBtnClick(TObject*) {
    FHost->Prog_BlockProgramClick();
}

void TStandInWindow::AddResultLine(const String& Line) {
    std::printf("%s\n", Line.c_str());
    std::fflush(stdout);
}

void TStandInWindow::ClearResults() {
    AddResultLine("Ethernet Quenta:  " + DateTimeToStr(Now()));
    AddResultLine("");
    AddResultLine("");
}

void TStandInWindow::SetStatusText(const String& Text, bool RepaintNow) {
    FStatus = Text;
    std::printf("status: %s\n", Text.c_str());
    std::fflush(stdout);
    Invalidate();
    if (RepaintNow) Update();
}

TMsgBoxAnswer TStandInWindow::MessageBox(const String& Text, TMsgBoxKind Kind, TMsgBoxButtons Buttons) {
    static const TMsgDlgType types[] = {mtError, mtInformation, mtWarning, mtConfirmation, mtCustom};
    const Integer r = MessageDlg(Text, types[Kind], Buttons == mbYesNo ? TMsgDlgButtons{mbYes, mbNo} : TMsgDlgButtons{mbOK});
    return Buttons == mbOKOnly ? maOK : r == mrYes ? maYes : maNo;
}

bool TStandInWindow::MenuChecked(TOpsMenuItem Item) const {
    auto it = FChecked.find(Item);
    return it != FChecked.end() && it->second;
}
