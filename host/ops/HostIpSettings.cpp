// The bootloader's own network settings: store them on the selected device
// and read them back.
#include "host/ops/BootCommands.h"
#include "host/ops/BootloaderHost.h"
#include "host/ops/IpAddressText.h"

void TBootloaderHost::Test_StoreIPClick() {
    TCommand command(*this);
    if (command.Refused()) return;
    TIpDialogValues values;
    if (!FView.ExecuteIpDialog(values)) return;
    TIPSettings settings;
    settings.Address = values.Address;
    settings.DNS = values.DNS;
    settings.Mask = values.SubnetMask;
    settings.UseDHCP = values.UseDHCP;
    if (StoreIPSettings(FSelected, settings).Result == crAnswered) return;
    FView.Beep();
    DeviceFailedToRespond();
    FramedError("Bootloader device failed to respond", false);
    AbortFlag = true;
    FView.MessageBox("The device did not answer: its IP settings were not stored.\r\nPlease check that it is "
                     "connected and in upgrade mode, then try again.",
                     mkError, mbOKOnly);
}

void TBootloaderHost::Test_ReadIPClick() {
    TCommand command(*this);
    if (command.Refused()) return;
    CommFailure = false;
    TdsProg* d = FSelected;
    if (ReadIPSettings(d).Result == crAnswered) {
        Status("");
        const TIPSettings s = IPSettingsFromAnswer(d);
        AddResultLine("");
        Rule(44);
        AddResultLine("  Bootloader (Main App) IP address = " + DottedAddress(s.Address));
        AddResultLine("  Bootloader (Main App) DNS address = " + DottedAddress(s.DNS));
        AddResultLine("  Bootloader (Main App) address mask = " + DottedAddress(s.Mask));
        AddResultLine("");
        AddResultLine(s.UseDHCP ? " Bootloader SHOULD use DHCP" : " Bootloader should NOT use DHCP");
        Rule(44);
    } else {
        CommFailure = true;
        DeviceFailedToRespond();
        FramedError(UnableToCommunicate, false); // its closing empty line ends the command
        return;
    }
    AddResultLine("");
}
