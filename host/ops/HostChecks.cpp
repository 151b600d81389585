// The version and target checks: the device's bootloader version and
// address window against the host's own version, its device ID register
// against the selected catalogue target.
#include "host/ops/BootCommands.h"
#include "host/ops/BootloaderHost.h"
#include "platform/rtl/SysUtils.h"

bool TBootloaderHost::Prog_GetBLVersionClick() {
    TCommand command(*this);
    return !command.Refused() && GetBLVersion();
}

void TBootloaderHost::Prog_GetTargetInfoClick() {
    TCommand command(*this);
    if (!command.Refused()) GetTargetInfo();
}

bool TBootloaderHost::GetBLVersion() {
    TBusy busy(*this);
    TdsProg* d = FSelected;
    if (!GetBootloaderVersion(d).Ok() || !d) {
        FView.Beep();
        DeviceFailedToRespond();
        FramedError(String("+ + + Unable to get bootloader version info") + "0" + "! + + +", false);
        return false;
    }
    Status("");
    for (Integer i = 0; i < 4; ++i)
        BootloaderVersionBytes[i] = static_cast<Byte>(d->InPayload->Elements[i]);
    const Byte* v = BootloaderVersionBytes;
    AddResultLine("");
    Rule(44);
    AddResultLine(Format("Bootloader Version = %d.%d.%d.%d  ", {v[0], v[1], v[2], v[3]}));
    BootloaderVersion = v[0] + v[1] * 0.1L;

    TDeviceAddressWindow& w = Image.Buffers.AddressWindow;
    w.BootloaderStart = InPayloadLE32(d, 4);
    AddResultLine(Format("Bootloader Start Address = 0x%8.8X  ", {w.BootloaderStart}));
    w.BootloaderEnd = InPayloadLE32(d, 8);
    AddResultLine(Format("Bootloader End Address = 0x%8.8X  ", {w.BootloaderEnd}));
    w.BootloaderLength = w.BootloaderEnd - w.BootloaderStart;
    AddResultLine(Format("Bootloader Length = %d = 0x%8.8X  ",
                         {static_cast<Integer>(w.BootloaderLength), w.BootloaderLength}));
    AddResultLine("");
    w.AppStart = InPayloadLE32(d, 12);
    AddResultLine(Format("Expected Main App Start Address = 0x%8.8X  ", {w.AppStart}));
    w.AppMaxEnd = InPayloadLE32(d, 16);
    AddResultLine(Format("Max Main App End Address = 0x%8.8X  ", {w.AppMaxEnd}));
    Rule(44);
    AddResultLine("");

    if (Checked(miTestShowIP)) {
        AddResultLine(Format("For device ID 0x%4.4x, PeerIP = %s, PeerPort = %d ",
                             {d->Device_ID->GetValue(), d->PeerIP, d->PeerPort}));
        AddResultLine(
            Format("For UDPagent, PeerIP = %s, PeerPort = %d ", {FAgent->LastPeerIP, FAgent->LastPeerPort}));
        AddResultLine("");
    }

    if (v[0] != HostVersion.Major || v[1] != HostVersion.Minor) {
        FView.Beep();
        const String text =
            Format("Sorry, but the upgrader firmware version %d.%d.%d.%d in \r\nthe device at IP address ",
                   {v[0], v[1], v[2], v[3]}) +
            d->PeerIP + "\r\n" +
            Format("is not compatible with the version %s of this PC program. ",
                   {FileVersionLine(OwnVersion)}) +
            "\r\n" + "\r\n" + "Please exit the PC program and contact the manufacturer" + "\r\n" +
            "of your device for the correct version.";
        AddResultLine(text);
        FView.MessageBox(text, mkError, mbOKOnly);
        AbortFlag = true;
        Status("Error: Incompatible firmware version. Please exit.");
    }
    return true;
}

void TBootloaderHost::GetTargetInfo() {
    TBusy busy(*this);
    TdsProg* d = FSelected;
    if (!::GetTargetInfo(d).Ok() || !d) {
        FView.Beep();
        DeviceFailedToRespond();
        const String text = String("+ + + Unable to get target info for device ") + "0" + "! + + +";
        FramedError(text, false);
        AbortFlag = true;
        FView.MessageBox(text, mkError, mbOKOnly);
        return;
    }
    Status("");
    DeviceIdRegister = InPayloadLE32(d, 0);
    TargetDeviceID = DeviceIdRegister & 0x0FFFFFFF;
    TargetRevision = (DeviceIdRegister & 0xF0000000) >> 20;
    TargetJedecID = DeviceIdRegister & 0xFFF;
    AddResultLine("");
    AddResultLine(Format("Raw Device ID Register Contents = 0x%8.8X  ", {DeviceIdRegister}));
    AddResultLine(Format("Target Device ID = 0x%2.2X, Revision = 0x%4.4X, JEDEC Mfr ID = 0x%4.4X",
                         {TargetDeviceID, TargetRevision, TargetJedecID}));
    if (CurrentTarget.DeviceID >= 0 && static_cast<Cardinal>(CurrentTarget.DeviceID) == TargetDeviceID) {
        AddResultLine("Connected device matches expected Device ID");
        return;
    }
    FView.Beep();
    String text;
    if (FView.OperatingMode() == 1) {
        text =
            "+ + + Connected device does not match selected processor type! + + +\r\n Device ID of actual "
            "device = " +
            IntToHex(TargetDeviceID, 8) + " = \"" +
            Catalogue.TargetNameById(static_cast<Integer>(TargetDeviceID)) + "\"" + "\r\n" +
            " Device ID of selected target = " + IntToHex(static_cast<Cardinal>(CurrentTarget.DeviceID), 8) +
            " = \"" + CurrentTarget.DeviceName + "\"" + "\r\n" + " Please correct this problem.";
    } else {
        text = "+ + + Unable to program device: incorrect Device ID! + + +";
    }
    AddResultLine(text);
    AbortFlag = true;
    FView.MessageBox(text, mkError, mbOKOnly);
}
