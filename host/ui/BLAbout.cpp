#include "host/ui/BLAbout.h"
#include "host/ops/OwnVersion.h"
#include "host/ui/FormResources.h"

TAboutBox* AboutBox = nullptr;

const TClassInfo& TAboutBox::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TAboutBox>("TAboutBox", &TForm::ClassInfo())
                                        .Field("OKButton", &TAboutBox::OKButton)
                                        .Field("Panel2", &TAboutBox::Panel2)
                                        .Field("Image1", &TAboutBox::Image1)
                                        .Field("ProductNameLbl", &TAboutBox::ProductNameLbl)
                                        .Field("Version", &TAboutBox::Version)
                                        .Field("Copyright", &TAboutBox::Copyright)
                                        .Field("Comments", &TAboutBox::Comments)
                                        .Field("Label9", &TAboutBox::Label9)
                                        .Field("SupportLinkLabel", &TAboutBox::SupportLinkLabel)
                                        .Method("FormCreate", &TAboutBox::FormCreate)
                                        .Method("FormShow", &TAboutBox::FormShow)
                                        .Register();
    return info;
}

TAboutBox::TAboutBox(TComponent* AOwner) : TForm(AOwner) {
    InitializeForm(FormResourceText("TABOUTBOX"), "BLAbout.dfm");
}

void TAboutBox::FormCreate(TObject*) {
    std::map<String, String> values;
    if (!ReadVersionStrings(values)) return;
    const String fileVersion = values["FileVersion"];
    for (const String& part : SplitFileVersion(fileVersion))
        if (!DecimalVersionPart(part))
            MessageDlg(Format("Error: Invalid version string \"%s\"", {fileVersion}), mtError, {mbOK});
    Version->SetCaption("Version " + fileVersion);
    Copyright->SetCaption(values["LegalCopyright"]);
    Comments->SetCaption(values["Comments"]);
    SetProductName(values["ProductName"]);
}

void TAboutBox::FormShow(TObject*) {
    for (TLabel* label : {ProductNameLbl, Version, Copyright, Comments})
        label->SetLeft((ClientWidth() - label->Width()) / 2);
}

void TAboutBox::SetProductName(const String& Name) {
    ProductNameLbl->SetCaption(Name);
    SupportLinkLabel->URL =
        String("mailto:") + SupportEmailAddress + "?subject=Need help on product: " + Name;
}
