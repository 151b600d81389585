// Forms: built from a description, the events of their life, modal showing
// and closing, the frame around the client area, and alignment of children.
#include "platform/forms/Reader.h"
#include "platform/gui/controls/Published.h"
#include "platform/gui/controls/Screen.h"
#include "tests/platform/gui/controls/ControlProbes.h"

using namespace probes;

namespace {

// A published probe, so that descriptions can make it.
class TPanelProbe : public TWinProbe {
public:
    using TWinProbe::TWinProbe;
    QUENTA_PUBLISHED
};

const TClassInfo& TPanelProbe::ClassInfo() {
    static const TClassInfo& info = []() -> const TClassInfo& {
        TClassBuilder<TPanelProbe> b("TPanelProbe", &TCustomControl::ClassInfo());
        PublishControlProperties(b, {"Align", "Caption", "Color", "Font", "ParentColor", "ParentFont",
                                     "TabStop", "TabOrder", "Visible", "OnClick", "OnEnter"});
        return b.Register();
    }();
    return info;
}

// A control with a picture and a glyph, as image controls and bitmap buttons have.
class TImageProbe : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    QUENTA_PUBLISHED
    TPicture* Picture() const { return FPicture.get(); }
    TBitmap* Glyph() const { return FGlyph.get(); }

private:
    std::unique_ptr<TPicture> FPicture = std::make_unique<TPicture>();
    std::unique_ptr<TBitmap> FGlyph = std::make_unique<TBitmap>();
};

const TClassInfo& TImageProbe::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TImageProbe>("TImageProbe", &TGraphicControl::ClassInfo())
                                        .Property("Picture", &TImageProbe::Picture, nullptr)
                                        .Property("Glyph", &TImageProbe::Glyph, nullptr)
                                        .Register();
    return info;
}

class TDialogForm : public TForm {
public:
    QUENTA_PUBLISHED
    explicit TDialogForm(TComponent* AOwner, const String& Description) : TForm(AOwner) {
        InitializeForm(Description, "Dialog.dfm");
    }
    TPanelProbe* Header = nullptr;
    TPanelProbe* Body = nullptr;
    TPanelProbe* OkButton = nullptr;
    std::vector<String> Events;
    TCloseAction CloseWith = caHide;
    bool MayClose = true;

    void FormCreate(TObject*) { Events.push_back("create " + IntToStr(Body ? Body->Width() : -1)); }
    void FormShow(TObject*) { Events.push_back("show"); }
    void FormHide(TObject*) { Events.push_back("hide"); }
    void FormClose(TObject*, TCloseAction& Action) {
        Events.push_back("close");
        Action = CloseWith;
    }
    void FormCloseQuery(TObject*, bool& CanClose) {
        Events.push_back("query");
        CanClose = MayClose;
    }
    void FormDestroy(TObject*) { Events.push_back("destroy"); }
    void FormResize(TObject*) {
        Events.push_back("resize " + IntToStr(ClientWidth()) + "x" + IntToStr(ClientHeight()));
    }
    void OkClick(TObject*) { SetModalResult(mrOk); }
};

const TClassInfo& TDialogForm::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TDialogForm>("TDialogForm", &TForm::ClassInfo())
                                        .Field("Header", &TDialogForm::Header)
                                        .Field("Body", &TDialogForm::Body)
                                        .Field("OkButton", &TDialogForm::OkButton)
                                        .Method("FormCreate", &TDialogForm::FormCreate)
                                        .Method("FormShow", &TDialogForm::FormShow)
                                        .Method("FormHide", &TDialogForm::FormHide)
                                        .Method("FormClose", &TDialogForm::FormClose)
                                        .Method("FormCloseQuery", &TDialogForm::FormCloseQuery)
                                        .Method("FormDestroy", &TDialogForm::FormDestroy)
                                        .Method("FormResize", &TDialogForm::FormResize)
                                        .Method("OkClick", &TDialogForm::OkClick)
                                        .Register();
    return info;
}

const char* kDialog = R"(object Dialog: TDialogForm
  Left = 10
  Top = 20
  BorderStyle = bsDialog
  Caption = 'Settings'
  ClientHeight = 120
  ClientWidth = 200
  Color = clBtnFace
  Font.Name = 'Arial'
  Font.Style = [fsBold]
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 14
  OnClose = FormClose
  OnCloseQuery = FormCloseQuery
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnHide = FormHide
  OnResize = FormResize
  OnShow = FormShow
  object Header: TPanelProbe
    Left = 0
    Top = 0
    Width = 200
    Height = 30
    Align = alTop
    object OkButton: TPanelProbe
      Left = 5
      Top = 5
      Width = 50
      Height = 20
      Caption = '&OK'
      TabStop = True
      OnClick = OkClick
    end
  end
  object Body: TPanelProbe
    Left = 0
    Top = 30
    Width = 10
    Height = 10
    Align = alClient
    Color = clWhite
    TabOrder = 0
    TabStop = True
  end
end
)";

class Forms : public ::testing::Test {
protected:
    void SetUp() override { Log().clear(); }
};

TEST_F(Forms, ADescriptionBuildsTheFormAndItsEventsRunInOrder) {
    auto* f = new TDialogForm(nullptr, kDialog);
    ASSERT_NE(f->Body, nullptr);
    EXPECT_EQ(f->Caption(), "Settings");
    EXPECT_EQ(f->ClientWidth(), 200);
    EXPECT_EQ(f->ClientHeight(), 120);
    // The dialog frame: 3 pixels each side, a 19-pixel caption.
    EXPECT_EQ(f->Width(), 206);
    EXPECT_EQ(f->Height(), 145);
    // Aligned children settle once the form is loaded.
    EXPECT_EQ(f->Header->BoundsRect(), TRect(0, 0, 200, 30));
    EXPECT_EQ(f->Body->BoundsRect(), TRect(0, 30, 200, 120));
    EXPECT_EQ(f->Body->Color(), clWhite);
    EXPECT_TRUE(f->OkButton->ParentColor());
    EXPECT_EQ(f->OkButton->Color(), clBtnFace);
    EXPECT_TRUE(f->OkButton->Font()->Style().Contains(fsBold)); // from the form
    EXPECT_EQ(f->OkButton->Parent(), f->Header);
    // OnCreate comes after loading; loading fires no OnResize.
    EXPECT_EQ(f->Events, std::vector<String>{"create 200"});

    f->Show();
    // Centred on the screen.
    EXPECT_EQ(f->Left(), (Screen->Width() - 206) / 2);
    EXPECT_EQ(f->Top(), (Screen->Height() - 145) / 2);
    EXPECT_EQ(f->ActiveControl(), f->Body);
    EXPECT_TRUE(f->Body->Focused()) << (FocusedWindow() ? FocusedWindow()->Name()
                                                        : String("none")); // tab order 0
    f->SetClientSize(300, 200);
    EXPECT_EQ(f->Body->BoundsRect(), TRect(0, 30, 300, 200));
    f->Close();
    EXPECT_FALSE(f->Visible());
    f->Free();
    // (the events after Free are checked through a copy)
}

TEST_F(Forms, CloseAsksAndTheHandlerDecides) {
    auto* f = new TDialogForm(nullptr, kDialog);
    std::vector<String>* events = &f->Events;
    f->Show();
    f->MayClose = false;
    f->Close();
    EXPECT_TRUE(f->Visible());
    f->MayClose = true;
    f->CloseWith = caNone;
    f->Close();
    EXPECT_TRUE(f->Visible());
    f->CloseWith = caFree;
    std::vector<String> seen;
    f->OnDestroy = [&](TObject*) { seen = *events; };
    f->Close();
    EXPECT_TRUE(Screen->HasForm(f)); // freed when the loop next runs
    Application->ProcessMessages();
    EXPECT_FALSE(Screen->HasForm(f));
    EXPECT_EQ(seen, (std::vector<String>{"create 200", "show", "query", "query", "close", "query", "close"}));
}

TEST_F(Forms, ShowModalRunsUntilAModalResultSticks) {
    auto* owner = new TDialogForm(nullptr, kDialog);
    owner->Show();
    auto* f = new TDialogForm(nullptr, kDialog);
    Integer round = 0;
    TModalFormHook old = SetModalFormHook([&](TCustomForm* Form) {
        EXPECT_EQ(Form, f);
        EXPECT_EQ(ActiveCustomForm(), f);
        // The other form takes no input meanwhile.
        EXPECT_TRUE(Screen->IsFormDisabled(owner));
        // The first answer is refused by OnCloseQuery and keeps the form up;
        // the OK button's click then closes it.
        f->MayClose = false;
        f->SetModalResult(mrCancel);
        PostMessage(f->Handle(), WM_APP, 0, 0);
        TWndMethod proc = f->WindowProc;
        f->WindowProc = [&, proc](TMessage& M) {
            proc(M);
            if (M.Msg == WM_APP && ++round == 1) {
                f->MayClose = true;
                f->OkButton->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam({1, 1}));
                f->OkButton->Perform(WM_LBUTTONUP, 0, PointToLParam({1, 1}));
            }
        };
    });
    EXPECT_EQ(f->ShowModal(), mrOk);
    SetModalFormHook(old);
    EXPECT_FALSE(f->Visible());
    EXPECT_FALSE(Screen->IsFormDisabled(owner));
    EXPECT_EQ(ActiveCustomForm(), owner);
    EXPECT_EQ(f->Events, (std::vector<String>{"create 200", "show", "query", "query", "close", "hide"}));
    // A visible form cannot become modal.
    EXPECT_THROW(owner->ShowModal(), EInvalidOperation);
    // Close on a modal form answers mrCancel.
    SetModalFormHook([&](TCustomForm* Form) { Form->Close(); });
    EXPECT_EQ(f->ShowModal(), mrCancel);
    SetModalFormHook(old);
    f->Free();
    owner->Free();
}

// The hex text of bytes, as a form description stores binary data.
String Hex(const std::vector<Byte>& Bytes) {
    String s;
    for (Byte b : Bytes)
        s += IntToHex(b, 2);
    return s;
}

TEST_F(Forms, PicturesAndGlyphsComeFromTheirStoredData) {
    TBitmap source(3, 2);
    source.Canvas()->SetPixels(0, 0, clRed);
    source.Canvas()->SetPixels(2, 1, clBlue);
    std::vector<Byte> bmp = source.SaveToBytes();
    // A picture stores its graphic's class name, then the bitmap's size and file image.
    std::vector<Byte> picture{7, 'T', 'B', 'i', 't', 'm', 'a', 'p'};
    const Cardinal size = static_cast<Cardinal>(bmp.size());
    for (int i = 0; i < 4; ++i)
        picture.push_back(static_cast<Byte>(size >> (8 * i)));
    picture.insert(picture.end(), bmp.begin(), bmp.end());

    class THolder : public TForm {
    public:
        using TForm::TForm;
    };
    THolder form(nullptr);
    // Not a field's class: it must be registered to be found by name.
    RegisterClass(TImageProbe::ClassInfo());
    ReadComponentText(&form,
                      "object Holder: TForm\n  object Image: TImageProbe\n    Picture.Data = {" +
                          Hex(picture) + "}\n    Glyph.Data = {" + Hex(bmp) + "}\n  end\nend\n",
                      "Image.dfm", &TForm::ClassInfo());
    auto* image = dynamic_cast<TImageProbe*>(form.FindComponent("Image"));
    ASSERT_NE(image, nullptr);
    ASSERT_NE(image->Picture()->Graphic(), nullptr);
    EXPECT_EQ(image->Picture()->Width(), 3);
    EXPECT_EQ(image->Picture()->Bitmap()->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(image->Glyph()->Height(), 2);
    EXPECT_EQ(image->Glyph()->Canvas()->Pixels(2, 1), clBlue);
    // Damaged data names the property.
    try {
        ReadComponentText(
            &form,
            "object Holder: TForm\n  object Image2: TImageProbe\n    Picture.Data = {0154}\n  end\nend\n",
            "Image.dfm", &TForm::ClassInfo());
        FAIL() << "read";
    } catch (const EFormError& E) {
        EXPECT_EQ(E.PropPath, "Image2.Picture.Data");
        EXPECT_EQ(E.Line, 3);
    }
}

TEST_F(Forms, AlignmentFillsTheClientAreaSideBySide) {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetClientSize(100, 80);
    form.DisableAlign();
    auto* top = Make<TWinProbe>(&form, "T", {0, 0, 10, 10});
    auto* top2 = Make<TWinProbe>(&form, "T2", {0, 50, 10, 55});
    auto* bottom = Make<TWinProbe>(&form, "Bo", {0, 0, 10, 15});
    auto* left = Make<TWinProbe>(&form, "L", {0, 0, 20, 10});
    auto* right = Make<TWinProbe>(&form, "R", {0, 0, 25, 10});
    auto* client = Make<TWinProbe>(&form, "C", {0, 0, 1, 1});
    top->SetAlign(alTop);
    top2->SetAlign(alTop);
    bottom->SetAlign(alBottom);
    left->SetAlign(alLeft);
    right->SetAlign(alRight);
    client->SetAlign(alClient);
    EXPECT_EQ(client->BoundsRect(), TRect(0, 0, 1, 1)); // nothing moves while alignment is off
    form.EnableAlign();
    EXPECT_EQ(top->BoundsRect(), TRect(0, 0, 100, 10));
    EXPECT_EQ(top2->BoundsRect(), TRect(0, 10, 100, 15)); // below the first: it was further down
    EXPECT_EQ(bottom->BoundsRect(), TRect(0, 65, 100, 80));
    EXPECT_EQ(left->BoundsRect(), TRect(0, 15, 20, 65));
    EXPECT_EQ(right->BoundsRect(), TRect(75, 15, 100, 65));
    EXPECT_EQ(client->BoundsRect(), TRect(20, 15, 75, 65));
    // Hiding one gives its room to the others; constraints are respected.
    top->Hide();
    EXPECT_EQ(top2->BoundsRect(), TRect(0, 0, 100, 5));
    client->Constraints()->SetMaxWidth(30);
    EXPECT_EQ(client->BoundsRect(), TRect(20, 5, 50, 65));
    form.SetClientSize(200, 80);
    EXPECT_EQ(right->BoundsRect(), TRect(175, 5, 200, 65));
}

} // namespace
