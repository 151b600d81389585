#include "host/ui/IpDlg.h"
#include "host/ui/FormResources.h"

TIpAddrDlg* IpAddrDlg = nullptr;

const TClassInfo& TIpAddrDlg::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TIpAddrDlg>("TIpAddrDlg", &TForm::ClassInfo())
                                        .Field("QxLabel1", &TIpAddrDlg::QxLabel1)
                                        .Field("BL_IPAddrEdit", &TIpAddrDlg::BL_IPAddrEdit)
                                        .Field("QxLabel2", &TIpAddrDlg::QxLabel2)
                                        .Field("BL_SubnetMask_Edit", &TIpAddrDlg::BL_SubnetMask_Edit)
                                        .Field("QxLabel3", &TIpAddrDlg::QxLabel3)
                                        .Field("BL_DNS_IPAddrEdit", &TIpAddrDlg::BL_DNS_IPAddrEdit)
                                        .Field("BL_UseDHCPChk", &TIpAddrDlg::BL_UseDHCPChk)
                                        .Field("OkBtn", &TIpAddrDlg::OkBtn)
                                        .Field("CancelBtn", &TIpAddrDlg::CancelBtn)
                                        .Method("FormCreate", &TIpAddrDlg::FormCreate)
                                        .Method("FormDestroy", &TIpAddrDlg::FormDestroy)
                                        .Register();
    return info;
}

TIpAddrDlg::TIpAddrDlg(TComponent* AOwner) : TForm(AOwner) {
    InitializeForm(FormResourceText("TIPADDRDLG"), "IpDlg.dfm");
}

void TIpAddrDlg::FormCreate(TObject*) {}
void TIpAddrDlg::FormDestroy(TObject*) {}

bool TIpAddrDlg::Execute() {
    return ShowModal() == mrOk;
}
