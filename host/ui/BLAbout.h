#pragma once
// The about box (unit BLAbout): the product's picture, name, version,
// copyright and comments, all from the program's own version information,
// and a link that starts an e-mail to technical support about the product.

#include "controls/label/QxLabel.h"
#include "platform/gui/controls/Button.h"
#include "platform/gui/controls/CustomPanel.h"
#include "platform/gui/controls/Forms.h"
#include "platform/gui/controls/Image.h"

class TAboutBox : public TForm {
public:
    QUENTA_PUBLISHED
    explicit TAboutBox(TComponent* AOwner);

    TButton* OKButton = nullptr;
    TPanel* Panel2 = nullptr;
    TImage* Image1 = nullptr;
    TLabel* ProductNameLbl = nullptr;
    TLabel* Version = nullptr;
    TLabel* Copyright = nullptr;
    TLabel* Comments = nullptr;
    TLabel* Label9 = nullptr;
    TQxURLLabel* SupportLinkLabel = nullptr;

    // Fills the labels from the version information; without it they keep
    // their design texts. Each part of FileVersion that is not a decimal
    // number is reported in an error box (the box is built all the same).
    void FormCreate(TObject* Sender);
    // Centres the four labels on the window's client width.
    void FormShow(TObject* Sender);
    // The product name, and the support link's subject naming it.
    void SetProductName(const String& Name);
};

extern TAboutBox* AboutBox;
