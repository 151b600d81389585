#pragma once
// The IP settings dialog (unit IpDlg): the bootloader's own IP address,
// subnet mask, DNS server address and DHCP choice, entered before the Test
// menu stores them in the device. Made once at start and reused, so it shows
// the values of its last use.

#include "controls/check/QxRadChk.h"
#include "controls/button/QxButton.h"
#include "controls/ipaddress/ComCtrlsAdds.h"
#include "controls/label/QxLabel.h"
#include "platform/gui/controls/Forms.h"

class TIpAddrDlg : public TForm {
public:
    QUENTA_PUBLISHED
    explicit TIpAddrDlg(TComponent* AOwner);

    TQxLabel* QxLabel1 = nullptr;
    TIPAddress* BL_IPAddrEdit = nullptr;
    TQxLabel* QxLabel2 = nullptr;
    TIPAddress* BL_SubnetMask_Edit = nullptr;
    TQxLabel* QxLabel3 = nullptr;
    TIPAddress* BL_DNS_IPAddrEdit = nullptr;
    TQxCheckBox* BL_UseDHCPChk = nullptr;
    TQxBitBtn* OkBtn = nullptr;
    TQxBitBtn* CancelBtn = nullptr;

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);

    // Shows the dialog modally; true when it closed with OK.
    bool Execute();
    // The addresses entered, first octet in the top byte.
    Cardinal BLIPAddress() { return BL_IPAddrEdit->WinAddress(); }
    Cardinal BLSubnetMask() { return BL_SubnetMask_Edit->WinAddress(); }
    Cardinal BLDNSAddress() { return BL_DNS_IPAddrEdit->WinAddress(); }
    bool BLUseDHCP() const { return BL_UseDHCPChk->Checked(); }
};

extern TIpAddrDlg* IpAddrDlg;
