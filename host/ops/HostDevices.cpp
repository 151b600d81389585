// The device list and discovery: one report object per bootloader device,
// the combo that lists them, the dispatcher that asks the network, and the
// removal of a device that stopped answering.
#include "host/ops/BootCommands.h"
#include "host/ops/BootloaderHost.h"
#include "host/ops/IpAddressText.h"
#include "platform/rtl/EventLoop.h"
#include "platform/rtl/Guards.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace {

const char* const NoDevicesFoundText =
    "No devices in upgrade mode were found.\r\n\r\nPlease put your device in "
    "upgrade mode, \r\nconnect it to the network, and click Find All.";
const char* const NoBootloaderDevicesText =
    "No devices in bootloader mode were found.\r\n\r\nPlease put your device in bootloader mode, \r\nconnect "
    "it to the network, and click Find All.";
const char* const NoDevicesStatus = "No devices in Upgrade Mode were found";

} // namespace

TdsProg* TBootloaderHost::NewDeviceObject() {
    auto* d = new TdsProg(FAgent);
    if (d->Open() < 0) {
        d->Free();
        return nullptr;
    }
    return d;
}

void TBootloaderHost::FreeDevice(TdsProg* Device) {
    if (FSelected == Device) FSelected = nullptr;
    if (FBusyDepth > 0)
        FRetired.push_back(Device); // an operation below may still hold it
    else
        Device->Free();
}

void TBootloaderHost::CreateDispatcher() {
    if (FDispatcher) return;
    TdsProg* d = NewDeviceObject();
    if (!d) return;
    d->DeviceName = "Dispatcher";
    d->PeerIP = DiscoveryIP;
    d->AfterOpen();
    d->SetIdAsDispatcher(DispatcherAssignedID);
    d->OnReport = [](TObject*, Integer) {};
    FDispatcher = d;
}

void TBootloaderHost::CreateDefaultDevice() {
    TdsProg* d = NewDeviceObject();
    if (!d) return;
    FDevices.push_back(d);
    d->AfterOpen();
    d->SetIdAndRegister(0);
    EnableDeviceControls(true);
    d->OnReport = [](TObject*, Integer) {};
    FView.ComboClear();
    FComboDevices.clear();
    const Integer index = FView.ComboAdd(d->PeerIP);
    FComboDevices.push_back(d);
    d->DeviceName = "Dev_" + IntToStr(index);
    FView.ComboSetItemIndex(index);
}

void TBootloaderHost::DeviceFound(TObject* Sender, Integer OpenIntfIndex, Integer NumConnected,
                                  Integer NewDevID) {
    FView.Beep();
    AddResultLine(
        Format("+ + + Device[%d] with ID = 0x%x  has just been FOUND. + + +", {OpenIntfIndex, NewDevID}));
    AddResultLine("(There are now " + IntToStr(NumConnected) + " known devices connected)");
    AddResultLine("");
    TdsProg* d = NewDeviceObject();
    if (!d) return;
    FDevices.push_back(d);
    d->AfterOpen();
    d->SetIdAndRegister(NewDevID);
    EnableDeviceControls(true);
    d->OnReport = [](TObject*, Integer) {};
    d->PeerIP = FAgent->LastPeerIP;
    d->PeerPort = FAgent->LastPeerPort;
    const Integer index = FView.ComboAdd(d->PeerIP);
    FComboDevices.push_back(d);
    d->DeviceName = "Dev_" + IntToStr(index);
    // An operation keeps the device it works on; a discovery (Find All or
    // Connect, to their end) selects what it finds.
    if (!IsBusy() || FDiscovering) {
        FView.ComboSetItemIndex(index);
        SelectDevice(index);
        FFoundByDiscovery = FDiscovering;
    }
    AddResultLine(Format("+ + + Device[%d] with ID = 0x%x  has PeerIP = %s. + + +",
                         {OpenIntfIndex, NewDevID, d->PeerIP}));
}

void TBootloaderHost::DeviceIdChanged(TObject* Sender, Integer OldDevID, Integer NewDevID) {
    const Integer i = ComboIndexOfId(OldDevID);
    if (i < 0) return;
    TdsProg* d = FComboDevices[i];
    d->AssignedID = NewDevID;
    FView.ComboSetItemText(i, d->PeerIP);
    FView.ComboSetItemIndex(i);
}

void TBootloaderHost::WMDeviceNotResponding(TMessage& Message) {
    const Integer id = static_cast<Integer>(Message.WParam & 0xFFFF);
    if (IsBusy()) {
        // The operation may still reach the device (its retry uses the same
        // object): the report waits until the operation ends.
        if (std::find(FHeldReports.begin(), FHeldReports.end(), id) == FHeldReports.end())
            FHeldReports.push_back(id);
        return;
    }
    FView.Beep();
    FView.MessageBox("Device ID " + IntToHex(id, 4) + " is not responding!", mkPlain, mbOKOnly);
    if (id != 0) RemoveDevice(id);
}

Integer TBootloaderHost::ComboIndexOfId(Integer Id) const {
    for (std::size_t i = 0; i < FComboDevices.size(); ++i)
        if (FComboDevices[i]->AssignedID == Id) return static_cast<Integer>(i);
    return -1;
}

void TBootloaderHost::RemoveDevice(Integer Id) {
    const Integer item = ComboIndexOfId(Id);
    if (item < 0) return;
    TdsProg* listed = FComboDevices[item];
    FAgent->RemoveDeviceById(Id);
    FView.ComboDelete(item);
    FComboDevices.erase(FComboDevices.begin() + item);
    FView.ComboSetText("Select Device");
    FSelected = nullptr;
    FSelectedIndex = -1;
    // The item's device goes, and every device that carries the ID; combo
    // items of a device that goes go with it, so the combo and the list
    // keep matching by index.
    std::vector<TdsProg*> going;
    for (TdsProg* d : FDevices)
        if (d == listed || d->Device_ID->GetValue() == Id) going.push_back(d);
    for (TdsProg* d : going) {
        FDevices.erase(std::find(FDevices.begin(), FDevices.end(), d));
        for (auto it = std::find(FComboDevices.begin(), FComboDevices.end(), d); it != FComboDevices.end();
             it = std::find(FComboDevices.begin(), FComboDevices.end(), d)) {
            FView.ComboDelete(static_cast<Integer>(it - FComboDevices.begin()));
            FComboDevices.erase(it);
        }
        FreeDevice(d);
    }
    for (TdsProg* d : FDevices)
        d->ResetFields();
    EnableDeviceControls(!FDevices.empty());
    if (!FDevices.empty()) {
        FView.ComboSetItemIndex(0);
        SelectDevice(FView.ComboItemIndex());
    } else {
        FView.ComboSetText("No devices");
    }
}

void TBootloaderHost::RemoveAllDevices() {
    for (Integer i = static_cast<Integer>(FComboDevices.size()) - 1; i >= 0; --i)
        if (i < static_cast<Integer>(FComboDevices.size())) RemoveDevice(FComboDevices[i]->AssignedID);
    FSelected = nullptr;
}

void TBootloaderHost::SelectDevice(Integer Index) {
    if (Index < 0 || Index >= static_cast<Integer>(FDevices.size())) return;
    FSelected = FDevices[Index];
    FSelectedIndex = Index;
}

void TBootloaderHost::DeviceIDComboSelect() {
    TCommand command(*this);
    if (command.Refused()) {
        // The operation keeps its device; the combo shows it again.
        if (FSelected) FView.ComboSetItemIndex(FSelectedIndex);
        return;
    }
    SelectDevice(FView.ComboItemIndex());
}

void TBootloaderHost::EnableDeviceControls(bool Enable) {
    FView.EnableDeviceControls(Enable);
}

void TBootloaderHost::SetDispatcherHeader(TdsProg* Device) {
    if (Device) Device->Protocol_ID->SetValue(DispatcherProtocolID);
}

bool TBootloaderHost::AwaitDiscoveryReply(TdsProg* Device) {
    AddResultLine("");
    EnableDeviceControls(false);
    ProcessMessages();
    const bool answered = Device->WaitReply();
    if (answered) {
        ShowInputReport(Device);
    } else {
        FView.Beep();
        AddResultLine("No response from device!");
        AddResultLine("");
    }
    EnableDeviceControls(true);
    Status("");
    Hourglass(false);
    return answered;
}

namespace {

const char* const UnableToSendText = "+ + + Unable to send to device! + + +";

// Sends the discovery request of the dispatcher: the version request to its
// peer (the broadcast address unless an address was typed). Returns why the
// request could not be sent, or an empty text when it went out.
String SendDiscovery(TBootloaderHost& Host, TdsProg* Dispatcher, IBootloaderView& View) {
    Host.SetDispatcherHeader(Dispatcher);
    Dispatcher->Device_ID->SetValue(0);
    Dispatcher->Command->SetValue(cmdGetVersion);
    Host.ShowOutputReport(Dispatcher);
    try {
        Dispatcher->Send();
    } catch (const std::exception& e) {
        View.AddResultLine(UnableToSendText);
        View.AddResultLine(e.what());
        return e.what();
    }
    return String();
}

} // namespace

void TBootloaderHost::FindAllBtnClick() {
    TCommand command(*this);
    if (!command.Refused()) FindAll();
}

void TBootloaderHost::FixedIP_BtnClick(const String& Text) {
    TCommand command(*this);
    if (!command.Refused()) ConnectTo(Text);
}

void TBootloaderHost::FindAll() {
    CreateDispatcher();
    if (!FDispatcher) return;
    TRestoreOnExit<bool> discovering(FDiscovering, true);
    FFoundByDiscovery = false;
    const bool wasFound = FAgent->DeviceAnswered;
    FAgent->DeviceAnswered = false;
    RemoveAllDevices();
    CreateDefaultDevice();
    FDispatcher->PeerPort = DiscoveryPort;
    Discover();
    FinishDiscovery(!wasFound && !AtStartup, true, NoDevicesFoundText);
}

void TBootloaderHost::ConnectTo(const String& Text) {
    if (IpAddressInvalid(Text)) {
        FView.Beep();
        FView.MessageBox(Format("Sorry, the IP address you entered, \"%s\", is invalid.", {Text}), mkPlain,
                         mbOKOnly);
        return;
    }
    CreateDispatcher();
    if (!FDispatcher) return;
    TRestoreOnExit<bool> discovering(FDiscovering, true);
    FFoundByDiscovery = false;
    const bool wasFound = FAgent->DeviceAnswered;
    FAgent->DeviceAnswered = false;
    if (FDevices.empty()) CreateDefaultDevice();
    FDispatcher->PeerIP = Text;
    FDispatcher->PeerPort = DiscoveryPort;
    Discover();
    FinishDiscovery(!wasFound, false, NoBootloaderDevicesText);
}

void TBootloaderHost::Discover() {
    FDiscoverySendError = SendDiscovery(*this, FDispatcher, FView);
    // A request that did not go out gets no answer: nothing is waited for.
    if (FDiscoverySendError.empty())
        AwaitDiscoveryReply(FDispatcher);
    else
        Hourglass(false);
}

void TBootloaderHost::FinishDiscovery(bool ClearWhenFound, bool CheckFit, const char* NotFoundText) {
    if (FAgent->DeviceAnswered) {
        // The first device, unless a later one answered meanwhile and was
        // selected as it was found.
        if (!FFoundByDiscovery) SelectDevice(0);
        EnableDeviceControls(true);
        if (ClearWhenFound) FView.ClearResults();
        Status("Bootloader device found and selected");
        GetBLVersion();
        if (CheckFit) CheckFirmwareFits();
    } else {
        EnableDeviceControls(false);
        FView.ClearResults();
        // The pane is cleared for the answer; a request that never went out
        // says so again, or nothing would tell why no device was found.
        if (!FDiscoverySendError.empty()) {
            AddResultLine(UnableToSendText);
            AddResultLine(FDiscoverySendError);
        }
        AddResultLine(NotFoundText);
        Status(NoDevicesStatus);
        FView.MessageBox(NotFoundText, mkInformation, mbOKOnly);
    }
}
