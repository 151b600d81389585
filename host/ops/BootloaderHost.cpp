#include "host/ops/BootloaderHost.h"
#include "host/ops/BootCommands.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/EventLoop.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

TBootloaderHost::TBusy::TBusy(TBootloaderHost& Host) : FHost(Host) {
    ++FHost.FBusyDepth;
}

TBootloaderHost::TBusy::~TBusy() {
    if (--FHost.FBusyDepth > 0) return;
    FHost.ReleaseHeldReports();
    std::vector<TdsProg*> retired;
    retired.swap(FHost.FRetired);
    for (TdsProg* d : retired)
        d->Free();
}

TBootloaderHost::TCommand::TCommand(TBootloaderHost& Host) {
    if (Host.IsBusy())
        Host.FView.Beep();
    else
        FBusy.emplace(Host);
}

void TBootloaderHost::ReleaseHeldReports() {
    std::vector<Integer> held;
    held.swap(FHeldReports);
    for (Integer id : held) {
        const auto silent = std::find_if(FDevices.begin(), FDevices.end(), [id](TdsProg* d) {
            return (d->AssignedID == id || d->Device_ID->GetValue() == id) && !d->Answered;
        });
        if (silent != FDevices.end())
            PostMessage(FHandle, WM_DEVICE_NOT_RESPONDING, static_cast<WPARAM>(static_cast<Cardinal>(id)), 0);
    }
}

void TBootloaderHost::Pause(Cardinal Milliseconds) {
    ProcessMessages();
    if (Clock().IsManual()) {
        Sleep(Milliseconds);
        ProcessMessages();
        return;
    }
    const Cardinal start = timeGetTime();
    for (Cardinal elapsed = 0; elapsed < Milliseconds; elapsed = timeGetTime() - start)
        WaitMessage(Milliseconds - elapsed);
}

TBootloaderHost::TBootloaderHost(IBootloaderView& View, TDataModule1& Agent) : TBootloaderHost(View) {
    SetAgent(Agent);
}

TBootloaderHost::TBootloaderHost(IBootloaderView& View) : FView(View) {
    FHandle = AllocateHWnd([this](TMessage& Message) {
        if (Message.Msg == WM_DEVICE_NOT_RESPONDING) WMDeviceNotResponding(Message);
    });
    WireImageEvents();
    SetReportViews({[this](TdsProg* d) { ShowOutputReport(d); }, [this](TdsProg* d) { ShowInputReport(d); }});
}

void TBootloaderHost::SetAgent(TDataModule1& Agent) {
    FAgent = &Agent;
    FAgent->MainWindowHandle = FHandle;
}

void TBootloaderHost::DetachAgent() {
    if (!FAgent) return;
    if (FAgent->MainWindowHandle == FHandle) FAgent->MainWindowHandle = 0;
    FAgent->OnDisplay = nullptr;
    FAgent->OnDeviceFound = nullptr;
    FAgent->OnDeviceIDChanged = nullptr;
    FAgent = nullptr;
}

TBootloaderHost::~TBootloaderHost() {
    SetReportViews({});
    DetachAgent();
    DeallocateHWnd(FHandle);
    FSelected = nullptr;
    FComboDevices.clear();
    for (TdsProg* d : FRetired)
        d->Free();
    for (TdsProg* d : FDevices)
        d->Free();
    FRetired.clear();
    FDevices.clear();
    FreeAndNil(FDispatcher);
}

void TBootloaderHost::WireImageEvents() {
    Image.Events.OnResultLine = [this](const String& Line) { FView.AddResultLine(Line); };
    Image.Events.OnMessageBox = [this](const String& Text, TImageBoxKind Kind) {
        FView.MessageBox(Text, Kind == TImageBoxKind::Error ? mkError : mkWarning, mbOKOnly);
    };
    Image.Events.OnValidImage = [this] {
        FView.SetMenuEnabled(miProgProgram, true);
        // At start-up before any device answered the window has no
        // bootloader window to compare with yet.
        if (!(AtStartup && FDevices.empty())) CheckFirmwareFits();
    };
}

void TBootloaderHost::ApplySettings(const TSettings& Settings) {
    Catalogue = Settings.Catalogue;
    CurrentTarget = Settings.CurrentTarget;
    Image.Buffers.Allocate(CurrentTarget);
}

bool TBootloaderHost::ReadOwnVersion() {
    OwnVersion.Clear();
    ::ReadOwnVersion(OwnVersion);
    const String line = FileVersionLine(OwnVersion);
    if (ParseFileVersion(line, HostVersion)) return true;
    FView.MessageBox(Format("Error: Invalid version string \"%s\"", {line}), mkError, mbOKOnly);
    FView.CloseMainWindow();
    return false;
}

void TBootloaderHost::AttachAgentDisplay() {
    FAgent->OnDisplay = [this](TObject*, const String& Line) { AddResultLine(Line); };
}

void TBootloaderHost::WireAgent() {
    AttachAgentDisplay();
    FAgent->OnDeviceFound = [this](TObject* Sender, Integer Index, Integer Count, Integer Id) {
        DeviceFound(Sender, Index, Count, Id);
    };
    FAgent->OnDeviceIDChanged = [this](TObject* Sender, Integer OldId, Integer NewId) {
        DeviceIdChanged(Sender, OldId, NewId);
    };
    FAgent->SetShowOperations(Checked(miTestShowAllOperations));
}

void TBootloaderHost::ShowOpsChkClick() {
    if (FAgent) FAgent->SetShowOperations(Checked(miTestShowAllOperations));
}

void TBootloaderHost::StartUp() {
    WireAgent();
    FAgent->Open();
    CreateDispatcher();
    FindAllBtnClick();
    AtStartup = false;
}

void TBootloaderHost::ShutDown() {
    if (FAgent) FAgent->Close();
    Sleep(1000);
}

void TBootloaderHost::Rule(Integer Length, char C) {
    FView.AddResultLine(String(Length, C));
}

void TBootloaderHost::FramedError(const String& Text, bool Spaced) {
    FView.AddResultLine("");
    Rule(88);
    FView.AddResultLine(Text);
    if (Spaced) FView.AddResultLine("");
    Rule(88);
    FView.AddResultLine("");
}

// ================================================================ listings

namespace {

String HexValue(Integer Value) {
    return Format("0x%x", {Value});
}

void HeaderLines(IBootloaderView& View, TdsProg* D) {
    View.AddResultLine("  Protocol_ID = " + HexValue(D->Protocol_ID->GetValue()));
    View.AddResultLine("  Device_ID = " + HexValue(D->Device_ID->GetValue()));
    View.AddResultLine("  MsgNum = " + HexValue(D->MsgNum->GetValue()));
    View.AddResultLine("  Company_ID = " + HexValue(D->Company_ID->GetValue()));
    View.AddResultLine("  Model_ID = " + HexValue(D->Model_ID->GetValue()));
    View.AddResultLine("  SerialNum = " + HexValue(D->SerialNum->GetValue()));
    View.AddResultLine("");
}

void PayloadLines(IBootloaderView& View, const char* Name, const Integer* Elements) {
    for (Integer i = 0; i < PayloadSize; ++i)
        View.AddResultLine(Format("  %s[%d] = 0x%x = %d", {Name, i, Elements[i] & 0xFF, Elements[i]}));
}

} // namespace

void TBootloaderHost::ListReport(TdsProg* Device, bool Output) {
    FView.AddResultLine("");
    Rule(38, '*');
    FView.AddResultLine("");
    FView.AddResultLine(Output ? "Sending to device:" : "Received from device:");
    Rule(Output ? 17 : 20, '-');
    HeaderLines(FView, Device);
    // (A field's own name is emptied when the object's fields are reset.)
    const std::pair<const char*, const TOneEthVar*> fields[3] = {
        {Output ? "Command" : "CmdResponse", Output ? Device->Command : Device->CmdResponse},
        {Output ? "OutLen" : "InLen", Output ? Device->OutLen : Device->InLen},
        {Output ? "OutAddress" : "InAddress", Output ? Device->OutAddress : Device->InAddress}};
    for (const auto& [name, field] : fields)
        FView.AddResultLine(String("  ") + name + " = " + HexValue(field->GetValue()));
    PayloadLines(FView, Output ? "OutPayload_Array" : "InPayload_Array",
                 Output ? Device->OutPayload->Elements : Device->InPayload->Elements);
    FView.AddResultLine("");
}

void TBootloaderHost::ShowOutputReport(TdsProg* Device) {
    if (!Device || !Checked(miTestShowOutputReports)) return;
    ListReport(Device, true);
    Rule(38, '*');
    FView.AddResultLine("");
    FView.AddResultLine("");
}

void TBootloaderHost::ShowInputReport(TdsProg* Device) {
    if (Device && Checked(miTestShowInputReports)) ListReport(Device, false);
}
