// Push and bitmap buttons driven as the user drives them: real mouse and key
// input on a shown offscreen form, dialogs closed by their buttons, form
// descriptions, and the painted looks as pixel maps.
#include "controls/button/QxButton.h"
#include "tests/controls/common/PaintTestSupport.h"
#include "tests/platform/gui/controls/ControlProbes.h"

#include "platform/gui/controls/Themes.h"

using namespace probes;

namespace {

class Buttons : public FormTest {
protected:
    TQxButton* NewButton(const String& Name, TRect Bounds, TWinControl* Parent = nullptr) {
        auto* b = Make<TQxButton>(Parent ? Parent : Form, Name, Bounds);
        b->SetCaption(Name);
        b->OnClick = [this, b](TObject*) { Clicks.push_back(b->Name()); };
        return b;
    }
    void Press(TWinControl* C, TPoint P, TMouseButton B = mbLeft) { MouseInput(C, maDown, B, {}, P); }
    void Move(TWinControl* C, TPoint P) { MouseInput(C, maMove, mbLeft, {ssLeft}, P); }
    void Release(TWinControl* C, TPoint P, TMouseButton B = mbLeft) { MouseInput(C, maUp, B, {}, P); }
    std::vector<String> Clicks;
};

TEST_F(Buttons, MouseClicksOnlyOnALeftReleaseInsideAfterALeftPress) {
    TQxButton* b = NewButton("B", {10, 10, 85, 35});
    ShowForm();
    Press(b, {5, 5});
    EXPECT_TRUE(b->PressedLook());
    EXPECT_TRUE(b->Focused());
    Move(b, {75, 5}); // x = ClientWidth is outside
    EXPECT_FALSE(b->PressedLook());
    Move(b, {74, 24});
    EXPECT_TRUE(b->PressedLook());
    Release(b, {74, 24});
    EXPECT_EQ(Clicks, Entries({"B"}));

    Press(b, {5, 5});
    Release(b, {5, 25}); // y = ClientHeight
    EXPECT_EQ(Clicks.size(), 1u);

    // A right press does nothing; a right release during a left press ends
    // the tracking without a click, and the left release then clicks nothing.
    Press(b, {5, 5}, mbRight);
    Release(b, {5, 5}, mbRight);
    Press(b, {5, 5});
    Press(b, {5, 5}, mbRight);
    Release(b, {5, 5}, mbRight);
    EXPECT_FALSE(b->Tracking());
    EXPECT_FALSE(b->PressedLook());
    Release(b, {5, 5});
    EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(Buttons, TrackingEndsWithFocusEnablingAndCaptureSoNoLateClick) {
    TQxButton* b = NewButton("B", {10, 10, 85, 35});
    TQxButton* other = NewButton("Other", {100, 10, 175, 35});
    ShowForm();
    Press(b, {5, 5});
    other->SetFocus();
    EXPECT_FALSE(b->Tracking());
    Release(b, {5, 5});

    Press(b, {5, 5});
    b->SetEnabled(false);
    EXPECT_FALSE(b->PressedLook());
    b->SetEnabled(true);
    Release(b, {5, 5});

    Press(b, {5, 5});
    SetCaptureControl(other);
    EXPECT_FALSE(b->Tracking());
    SetCaptureControl(nullptr);
    Release(b, {5, 5});

    b->SetEnabled(false);
    Press(b, {5, 5});
    Release(b, {5, 5});
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(Buttons, SpaceClicksOnReleaseOnlyForThePressThisButtonSaw) {
    TQxButton* a = NewButton("A", {10, 10, 85, 35});
    TQxButton* b = NewButton("B", {100, 10, 175, 35});
    ShowForm();
    a->SetFocus();
    KeyInput(kaDown, VK_SPACE, {}, " ");
    EXPECT_TRUE(a->PressedLook());
    KeyInput(kaUp, VK_SPACE, {});
    EXPECT_EQ(Clicks, Entries({"A"}));
    EXPECT_FALSE(a->KeyToggle());

    // The focus moving away while Space is held cancels; the release on the
    // newly focused button does not click it either.
    KeyInput(kaDown, VK_SPACE, {}, " ");
    b->SetFocus();
    EXPECT_FALSE(a->PressedLook());
    KeyInput(kaUp, VK_SPACE, {});
    EXPECT_EQ(Clicks, Entries({"A"}));
    // Alt+Space is not a press.
    KeyInput(kaDown, VK_SPACE, {ssAlt}, " ");
    KeyInput(kaUp, VK_SPACE, {});
    EXPECT_EQ(Clicks, Entries({"A"}));
}

TEST_F(Buttons, EnterEscapeAndAcceleratorsReachTheirButtonsFromAnywhere) {
    auto* edit = Make<TWinProbe>(Form, "Edit", {0, 100, 50, 120});
    edit->SetTabStop(true);
    TQxButton* ok = NewButton("Ok", {10, 10, 85, 35});
    TQxButton* cancel = NewButton("Cancel", {100, 10, 175, 35});
    TQxButton* go = NewButton("Go", {10, 50, 85, 75});
    go->SetCaption("&Go");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrNone);
    ShowForm();
    edit->SetFocus();
    Key(VK_RETURN);
    EXPECT_EQ(Form->ModalResult(), mrOk);
    Form->SetModalResult(mrAbort);
    Key(VK_ESCAPE);
    EXPECT_EQ(Form->ModalResult(), mrNone) << "every click copies ModalResult, 0 included";
    Key(VK_RETURN, {ssCtrl});
    Key('G', {ssAlt}, "g");
    EXPECT_EQ(Clicks, Entries({"Ok", "Cancel", "Go"}));

    // A focused button takes the default role.
    go->SetFocus();
    EXPECT_TRUE(go->Active());
    EXPECT_FALSE(ok->Active());
    Key(VK_RETURN);
    EXPECT_EQ(Clicks.back(), "Go");
    edit->SetFocus();
    EXPECT_TRUE(ok->Active());
}

TEST_F(Buttons, GroupedButtonsHoldOneDownAndShareAllowAllUp) {
    TQxButton* a = NewButton("A", {0, 0, 40, 25});
    TQxButton* b = NewButton("B", {40, 0, 80, 25});
    TQxButton* c = NewButton("C", {80, 0, 120, 25});
    TQxButton* plain = NewButton("Plain", {0, 40, 40, 65});
    for (TQxButton* x : {a, b, c}) x->SetGroupIndex(1);
    ShowForm();
    a->SetDown(true);
    Press(b, {5, 5});
    Release(b, {5, 5});
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(b->Down());
    Press(b, {5, 5});
    Release(b, {5, 5});
    EXPECT_TRUE(b->Down()) << "a held button of a group stays down";
    EXPECT_EQ(Clicks, Entries({"B", "B"}));

    c->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp());
    EXPECT_TRUE(b->AllowAllUp());
    b->SetDown(false);
    EXPECT_FALSE(b->Down());
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());
}

TEST_F(Buttons, AClickThatFreesTheButtonOrItsFormEndsCleanly) {
    TQxButton* b = NewButton("B", {10, 10, 85, 35});
    ShowForm();
    b->OnClick = [b](TObject*) { b->Free(); };
    Press(b, {5, 5});
    Release(b, {5, 5});
    EXPECT_EQ(Form->FindComponent("B"), nullptr);

    TQxButton* c = NewButton("C", {10, 10, 85, 35});
    c->OnClick = [this](TObject*) {
        Form->Free();
        Form = nullptr;
    };
    c->SetFocus();
    KeyInput(kaDown, VK_SPACE, {}, " ");
    KeyInput(kaUp, VK_SPACE, {});
    EXPECT_EQ(Form, nullptr);

    // Enter reaching a default button that frees its form.
    Form = new TProbeForm(nullptr);
    Form->SetBounds(0, 0, 200, 150);
    TQxButton* d = NewButton("D", {10, 10, 85, 35});
    auto* edit = Make<TWinProbe>(Form, "Edit", {0, 100, 50, 120});
    edit->SetTabStop(true);
    d->SetDefault(true);
    d->OnClick = [this](TObject*) {
        Form->Free();
        Form = nullptr;
    };
    ShowForm();
    edit->SetFocus();
    Key(VK_RETURN);
    EXPECT_EQ(Form, nullptr);
}

// A bitmap button that counts its paints.
class TCountingBitBtn : public TQxBitBtn {
public:
    using TQxBitBtn::TQxBitBtn;
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        TQxBitBtn::Paint();
    }
};

TEST_F(Buttons, AnImageListChangeRepaintsAtOnce) {
    auto* b = Make<TCountingBitBtn>(Form, "B", {10, 10, 85, 35});
    TImageList list(nullptr);
    b->SetImages(&list);
    b->SetImageIndex(0);
    ShowForm();
    b->Update();
    const int before = b->Paints;
    TBitmap image(16, 16);
    list.Add(&image, nullptr);
    EXPECT_EQ(b->Paints, before + 1);
    b->SetImages(nullptr);
}

// ---------------------------------------------------------------- dialogs and descriptions

const char* DialogText = R"(object Dialog: TForm
  Left = 0
  Top = 0
  BorderStyle = bsNone
  ClientWidth = 200
  ClientHeight = 80
  object OkBtn: TQxBitBtn
    Left = 10
    Top = 40
    Width = 75
    Height = 25
    Kind = bkOK
    TabOrder = 0
  end
  object CancelBtn: TQxBitBtn
    Left = 100
    Top = 40
    Width = 75
    Height = 25
    Kind = bkCancel
    Caption = ''
    TabOrder = 1
  end
  object Grouped: TQxButton
    Left = 10
    Top = 5
    Down = True
    GroupIndex = 3
    FrameFlat = True
  end
end
)";

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        TQxBitBtn::ClassInfo();
        ResetKeyboardState();
    }
    TModalResult RunDialog(const std::function<void(TForm*)>& Act) {
        auto* dialog = new TForm(nullptr);
        dialog->InitializeForm(DialogText, "Dialog.dfm");
        TModalFormHook old = SetModalFormHook([&](TCustomForm*) { Act(dialog); });
        TModalResult result = dialog->ShowModal();
        SetModalFormHook(old);
        dialog->Free();
        return result;
    }
};

TEST_F(Dialogs, StockButtonsCloseTheDialogByKeyAndByClick) {
    EXPECT_EQ(RunDialog([](TForm*) { KeyInput(kaDown, VK_RETURN, {}); }), mrOk);
    KeyInput(kaUp, VK_RETURN, {});
    EXPECT_EQ(RunDialog([](TForm*) { KeyInput(kaDown, VK_ESCAPE, {}); }), mrCancel);
    KeyInput(kaUp, VK_ESCAPE, {});
    EXPECT_EQ(RunDialog([](TForm* D) {
                  auto* cancel = static_cast<TWinControl*>(D->FindComponent("CancelBtn"));
                  MouseInput(cancel, maDown, mbLeft, {}, {5, 5});
                  MouseInput(cancel, maUp, mbLeft, {}, {5, 5});
              }),
              mrCancel);
}

TEST_F(Dialogs, DescriptionsKeepStoredCaptionsAndSettleGroupsWhenRead) {
    auto* dialog = new TForm(nullptr);
    dialog->InitializeForm(DialogText, "Dialog.dfm");
    auto* ok = static_cast<TQxBitBtn*>(dialog->FindComponent("OkBtn"));
    auto* cancel = static_cast<TQxBitBtn*>(dialog->FindComponent("CancelBtn"));
    auto* grouped = static_cast<TQxButton*>(dialog->FindComponent("Grouped"));
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_EQ(cancel->Caption(), "") << "an empty stored caption is kept";
    EXPECT_EQ(cancel->Kind(), bkCancel);
    EXPECT_TRUE(grouped->Down());
    EXPECT_TRUE(grouped->HotTrack());
    EXPECT_TRUE(grouped->Transparent());

    // Stock kinds store neither their roles nor their own caption; a
    // changed role makes the button custom and keeps the glyph.
    const TClassInfo* info = GetClassInfo(ok);
    EXPECT_FALSE(info->FindProperty("ModalResult")->IsStored(ok));
    EXPECT_FALSE(info->FindProperty("Caption")->IsStored(ok));
    EXPECT_TRUE(info->FindProperty("Caption")->IsStored(cancel));
    ok->SetModalResult(mrIgnore);
    EXPECT_EQ(ok->Kind(), bkCustom);
    EXPECT_FALSE(ok->Glyph()->Empty());
    EXPECT_TRUE(info->FindProperty("ModalResult")->IsStored(ok));
    ok->SetKind(bkNo);
    EXPECT_EQ(ok->Caption(), "&No");
    EXPECT_TRUE(ok->Cancel());
    EXPECT_EQ(ok->ModalResult(), mrNo);
    dialog->Free();

    // A kind read while the caption is still empty gives the stock caption;
    // a caption read after the kind replaces it, an empty one too.
    struct Case {
        const char* Body;
        const char* Caption;
    };
    const Case cases[] = {{"Kind = bkOK", "OK"},
                          {"Caption = ''\n    Kind = bkOK", "OK"},
                          {"Kind = bkOK\n    Caption = ''", ""},
                          {"Caption = 'Go'\n    Kind = bkOK", "Go"},
                          {"Kind = bkOK\n    Caption = 'Go'", "Go"}};
    for (const Case& c : cases) {
        auto* form = new TForm(nullptr);
        form->InitializeForm(String("object F: TForm\n  object B: TQxBitBtn\n    ") + c.Body + "\n  end\nend\n",
                             "F.dfm");
        auto* b = static_cast<TQxBitBtn*>(form->FindComponent("B"));
        EXPECT_EQ(b->Caption(), c.Caption) << c.Body;
        EXPECT_EQ(b->Kind(), bkOK);
        form->Free();
    }
}

// ---------------------------------------------------------------- bitmap button

// A button whose pressed and mouse-over looks a test sets.
template <class B> class TLook : public B {
public:
    using B::B;
    void SetLook(bool Pressed, bool Over) {
        this->FPressedLook = Pressed;
        this->FMouseOver = Over;
    }
};
using TLookButton = TLook<TQxButton>;

// Map with the rectangle R of it (a map of rows W wide) set to Letter.
std::string Overlay(std::string Map, int W, TRect R, char Letter) {
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x) Map[static_cast<std::size_t>(y * (W + 1) + x)] = Letter;
    return Map;
}

class BitBtns : public FormPaintTest {
protected:
    void SetUp() override {
        FormPaintTest::SetUp();
        Form->SetBounds(0, 0, 120, 60);
        Btn = new TLook<TQxBitBtn>(Form);
        Btn->SetBounds(0, 0, 100, 40);
        Btn->SetParent(Form);
        Btn->Font()->SetName(TestBlockFontName);
        Btn->Font()->SetHeight(-8);
        Btn->SetCaption("ab");
        TBitmap glyph(16, 10);
        Btn->SetGlyph(&glyph);
    }
    TLook<TQxBitBtn>* Btn = nullptr;
};

TEST_F(BitBtns, LayoutsPlaceGlyphAndCaptionByMarginAndSpacing) {
    struct Case {
        TButtonLayout Layout;
        Integer Margin, Spacing;
        TRect Glyph, Caption;
    };
    // Caption rectangle before: (5,5,95,35); the caption is 8 high.
    const Case cases[] = {
        {blGlyphLeft, 0, 4, {5, 15, 21, 25}, {25, 5, 95, 35}},
        {blGlyphLeft, 4, 2, {9, 15, 25, 25}, {27, 5, 95, 35}},
        {blGlyphLeft, -1, 4, {5, 15, 21, 25}, {24, 5, 95, 35}},
        {blGlyphRight, 0, 4, {79, 15, 95, 25}, {5, 5, 75, 35}},
        {blGlyphRight, 4, 4, {75, 15, 91, 25}, {5, 5, 71, 35}},
        {blGlyphRight, -1, 4, {79, 15, 95, 25}, {5, 5, 76, 35}},
        {blGlyphTop, 0, 4, {42, 5, 58, 15}, {5, 19, 95, 35}},
        {blGlyphTop, 4, 0, {42, 9, 58, 19}, {5, 19, 95, 35}},
        {blGlyphTop, -1, 4, {42, 9, 58, 19}, {5, 24, 95, 32}},
        {blGlyphBottom, 0, 4, {42, 25, 58, 35}, {5, 5, 95, 21}},
        {blGlyphBottom, 4, 4, {42, 21, 58, 31}, {5, 5, 95, 17}},
        {blGlyphBottom, -1, 4, {42, 22, 58, 32}, {5, 14, 95, 22}},
    };
    for (const Case& c : cases) {
        Btn->SetLayout(c.Layout);
        Btn->SetMargin(c.Margin);
        Btn->SetSpacing(c.Spacing);
        EXPECT_EQ(Btn->GetGlyphRect(), c.Glyph) << c.Layout << " " << c.Margin << " " << c.Spacing;
        EXPECT_EQ(Btn->GetCaptionRect(), c.Caption) << c.Layout << " " << c.Margin << " " << c.Spacing;
    }
}

TEST_F(BitBtns, GlyphCountsMarginsAndImagesStayInRange) {
    TBitmap strip(64, 16);
    Btn->SetGlyph(&strip);
    EXPECT_EQ(Btn->NumGlyphs(), 4);
    strip.SetWidth(80);
    Btn->SetGlyph(&strip);
    EXPECT_EQ(Btn->NumGlyphs(), 1);
    strip.SetWidth(70);
    Btn->SetNumGlyphs(3);
    Btn->SetGlyph(&strip);
    EXPECT_EQ(Btn->NumGlyphs(), 3);
    Btn->SetNumGlyphs(0);
    EXPECT_EQ(Btn->NumGlyphs(), 1);
    Btn->SetMargin(-2);
    EXPECT_EQ(Btn->Margin(), 2);
    Btn->SetMargin(-1);
    Btn->ScaleBy(2, 1);
    EXPECT_EQ(Btn->Margin(), -1);
    EXPECT_EQ(Btn->Spacing(), 8);

    // The stock kind's glyph wins over an image list, for size as for drawing.
    TImageList list(nullptr);
    list.SetWidth(24);
    list.SetHeight(24);
    Btn->SetImages(&list);
    Btn->SetImageIndex(0);
    EXPECT_EQ(Btn->GetGlyphSize(), TPoint(24, 24));
    Btn->SetKind(bkOK);
    EXPECT_EQ(Btn->GetGlyphSize(), TPoint(16, 16));
    EXPECT_EQ(Btn->Glyph()->Width(), 32);
    Btn->SetKind(bkCustom);
    Btn->SetImageIndex(-7);
    Btn->PaintTo(NewCanvas(100, 40)->Handle(), 0, 0); // draws no image, no fault
    Btn->SetImageIndex(57);
    Btn->PaintTo(Canvas()->Handle(), 0, 0);
    Btn->SetImages(nullptr);
}

TEST_F(BitBtns, StockGlyphsComeFromTheLinkedResources) {
    for (TBitBtnKind k : {bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll}) {
        TBitmap* glyph = GetStockGlyph(k);
        ASSERT_NE(glyph, nullptr);
        EXPECT_EQ(glyph->Width(), 32);
        EXPECT_EQ(glyph->Height(), 16);
        EXPECT_EQ(ColorToRGB(glyph->TransparentColor()), ColorToRGB(clOlive));
        EXPECT_EQ(GetStockGlyph(k), glyph) << "loaded once";
    }
    EXPECT_EQ(BitBtnCaption(bkHelp), "&Help");
    EXPECT_EQ(BitBtnCaption(bkAbort), "Abort");
    EXPECT_EQ(BitBtnModalResult(bkAll), mrAll);
}

TEST_F(BitBtns, TheStripImageFollowsTheState) {
    // Images 1 to 4 of a strip: normal, disabled, pressed, held down; each
    // only when the strip holds it.
    const TColor colors[] = {clRed, clBlue, clLime, clYellow};
    struct Case {
        int Images;
        bool Down, Pressed, Enabled;
        int Shown;
    };
    const Case cases[] = {{4, false, false, true, 1}, {4, false, false, false, 2}, {4, false, true, true, 3},
                          {4, true, false, true, 4},  {4, true, true, true, 4},    {3, true, false, true, 1},
                          {3, true, true, true, 3},   {3, false, false, false, 2}, {2, false, true, true, 1},
                          {2, true, false, false, 2}, {1, false, false, false, 1}};
    Btn->SetGroupIndex(1);
    Btn->SetAllowAllUp(true);
    for (const Case& c : cases) {
        TBitmap strip(4 * c.Images, 4);
        for (int i = 0; i < c.Images; ++i) {
            strip.Canvas()->Brush()->SetColor(colors[i]);
            strip.Canvas()->FillRect(TRect(4 * i, 0, 4 * i + 4, 4));
        }
        strip.SetTransparentColor(clFuchsia);
        Btn->SetGlyph(&strip);
        ASSERT_EQ(Btn->NumGlyphs(), c.Images);
        Btn->SetEnabled(c.Enabled);
        Btn->SetDown(c.Down);
        Btn->SetLook(c.Pressed, false);
        Btn->PaintTo(NewCanvas(100, 40)->Handle(), 0, 0);
        const TRect g = Btn->GetGlyphRect();
        EXPECT_EQ(At(g.Left + 2, g.Top + 2), ColorToRGB(colors[c.Shown - 1]))
            << c.Images << " images, down " << c.Down << ", pressed " << c.Pressed << ", enabled " << c.Enabled;
    }
}

TEST_F(BitBtns, RightToLeftMirrorsTheCaptionAndPutsALeftGlyphRight) {
    // 30 x 14, caption rectangle (5,5,25,9), "ab" 4 x 3 ('T'), glyph 4 x 4
    // ('r') at Margin 2 with Spacing 4: left to right the glyph at 7 and the
    // left-aligned caption at 15; right to left the glyph at 19 and the
    // caption right-aligned against 15. A plain push button's left-aligned
    // caption sits at the rectangle's left edge, right to left at its right.
    auto* plain = new TQxButton(Form);
    plain->SetParent(Form);
    for (TQxButton* b : {static_cast<TQxButton*>(Btn), plain}) {
        b->SetBounds(0, 0, 30, 14);
        b->Font()->SetName(TestBlockFontName);
        b->Font()->SetHeight(-4);
        b->Font()->SetColor(clBtnText);
        b->SetCaption("ab");
        b->SetAlignment(taLeftJustify);
    }
    TBitmap glyph(4, 4);
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(TRect(0, 0, 4, 4));
    glyph.SetTransparentColor(clFuchsia);
    Btn->SetGlyph(&glyph);
    TLegend legend = FrameLegend();
    legend.push_back({clRed, 'r'});
    std::string frame = "HHHHHHHHHHHHHHHHHHHHHHHHHHHHHD\nHLLLLLLLLLLLLLLLLLLLLLLLLLLLSD\n";
    for (int y = 2; y < 12; ++y) frame += "HLFFFFFFFFFFFFFFFFFFFFFFFFFFSD\n";
    frame += "HSSSSSSSSSSSSSSSSSSSSSSSSSSSSD\nDDDDDDDDDDDDDDDDDDDDDDDDDDDDDD\n";
    for (TBiDiMode mode : {bdLeftToRight, bdRightToLeft}) {
        Btn->SetBiDiMode(mode);
        const bool rtl = mode == bdRightToLeft;
        const std::string want =
            Overlay(Overlay(frame, 30, rtl ? TRect(19, 5, 23, 9) : TRect(7, 5, 11, 9), 'r'), 30,
                    rtl ? TRect(11, 5, 15, 8) : TRect(15, 5, 19, 8), 'T');
        Btn->PaintTo(NewCanvas(30, 14)->Handle(), 0, 0);
        EXPECT_EQ(Map(legend), want) << (rtl ? "right to left" : "left to right");
        plain->SetBiDiMode(mode);
        plain->PaintTo(NewCanvas(30, 14)->Handle(), 0, 0);
        EXPECT_EQ(Map(legend), Overlay(frame, 30, rtl ? TRect(21, 5, 25, 8) : TRect(5, 5, 9, 8), 'T'))
            << "push button " << (rtl ? "right to left" : "left to right");
    }
    // Only a left glyph changes sides.
    Btn->SetLayout(blGlyphRight);
    EXPECT_EQ(Btn->GetGlyphRect(), TRect(19, 5, 23, 9));
    Btn->SetLayout(blGlyphTop);
    Btn->SetBiDiMode(bdLeftToRight);
    const TRect top = Btn->GetGlyphRect();
    Btn->SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(Btn->GetGlyphRect(), top);
}

// ---------------------------------------------------------------- looks

// Compares a map with a pattern in which '*' matches any pixel.
bool Matches(const std::string& Map, const std::string& Pattern) {
    if (Map.size() != Pattern.size()) return false;
    for (std::size_t i = 0; i < Map.size(); ++i)
        if (Pattern[i] != '*' && Pattern[i] != Map[i]) return false;
    return true;
}


class Looks : public FormPaintTest {
protected:
    void SetUp() override {
        FormPaintTest::SetUp();
        Btn = new TLookButton(Form);
        Btn->SetBounds(0, 0, 20, 12);
        Btn->SetParent(Form);
    }
    std::string Look(const TLegend& Legend) {
        Btn->PaintTo(NewCanvas(Btn->Width(), Btn->Height())->Handle(), 0, 0);
        return Map(Legend);
    }
    TLookButton* Btn = nullptr;
};

TEST_F(Looks, DownPatternDotsAlternateFromTheTopLeft) {
    Btn->SetGroupIndex(1);
    Btn->SetDown(true);
    Btn->SetColor(clSilver);
    TLegend legend = FrameLegend();
    legend.push_back({clGray, 'g'});
    legend.push_back({clSilver, 's'});
    std::string map = Look(legend);
    // Inside the lowered frame (two lines), dots where x + y is even.
    EXPECT_EQ(map.substr(2 * 21 + 2, 8), "gFgFgFgF") << "the test face colour is silver";
    EXPECT_EQ(map.substr(3 * 21 + 2, 8), "FgFgFgFg");
    Btn->SetColor(clRed);
    legend.push_back({clRed, 'r'});
    map = Look(legend);
    EXPECT_EQ(map.substr(2 * 21 + 2, 8), "FrFrFrFr");
}

TEST_F(Looks, FlatLookHasCutCornersAFrameLineAndTheParentBehindTheCorners) {
    Btn->SetHotTrack(true);
    EXPECT_TRUE(Btn->Transparent());
    FullColorDisplay = false;
    Btn->SetColor(clWindow);
    Btn->SetFrameColor(clBtnText);
    TLegend legend = FrameLegend();
    legend.push_back({DarkenColor(clBtnFace, 20), 'd'});
    legend.push_back({LightenColor(clBtnFace, 20), 'l'});
    legend.push_back({DarkenColor(clWindow, 20), '2'});
    legend.push_back({DarkenColor(clWindow, 30), '3'});
    const std::string map = Look(legend);
    // The corners ('*') are the parent's, copied by the erase.
    EXPECT_TRUE(Matches(map, Rows({"**dddddddddddddddd**", "*dTTTTTTTTTTTTTTTTd*", "dTwwwwwwwwwwwwwwwwTl",
                                  "dTwwwwwwwwwwwwwwwwTl", "dTwwwwwwwwwwwwwwwwTl", "dTwwwwwwwwwwwwwwwwTl",
                                  "dTwwwwwwwwwwwwwwwwTl", "dTwwwwwwwwwwwwwwwwTl", "dT2222222222222222Tl",
                                  "dT3333333333333333Tl", "*dTTTTTTTTTTTTTTTTl*", "**llllllllllllllll**"})))
        << map;

    // Erasing copies the parent's face into the corner pixels only.
    NewCanvas(20, 12);
    Btn->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(Canvas()->Handle()));
    EXPECT_EQ(Map().substr(0, 21 * 2), Rows({"FF................FF", "F..................F"}));
    Btn->SetEnabled(false);
    NewCanvas(20, 12);
    Btn->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(Canvas()->Handle()));
    EXPECT_EQ(Map().substr(0, 21 * 4),
              Rows({"FFFFFFFFFFFFFFFFFFFF", "FFF..............FFF", "FF................FF", "F..................F"}));
}

// A theme whose button frame is two pixels wide.
class TFramedTheme : public TTestThemes {
public:
    void DrawElement(HDC DC, const TThemedElementDetails&, const TRect& R, const TRect*) override {
        HBRUSH b = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(DC, &R, b);
        DeleteObject(AsGdiObj(b));
    }
    TRect ContentRect(HDC, const TThemedElementDetails&, const TRect& R) override {
        return {R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2};
    }
};

TEST_F(Looks, ThemedDownPatternLeavesTheThemedFrame) {
    TFramedTheme theme;
    SetThemeServices(&theme);
    Btn->SetGroupIndex(1);
    Btn->SetDown(true);
    TLegend legend = FrameLegend();
    legend.push_back({clBlue, 'b'});
    legend.push_back({clGray, 'g'});
    const std::string map = Look(legend);
    SetThemeServices(nullptr);
    // The test face colour is silver: grey dots, inside the theme's frame.
    EXPECT_EQ(map.substr(0, 21 * 3), Rows({"bbbbbbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbbbbbb", "bbgFgFgFgFgFgFgFgFbb"}));

}

TEST_F(Looks, TextStylesDrawTheirCopiesOnTheRightSides) {
    Btn->SetBounds(0, 0, 20, 20);
    Btn->Font()->SetName(TestBlockFontName);
    Btn->Font()->SetHeight(-4);
    Btn->Font()->SetColor(clBtnText);
    Btn->SetCaption("a");
    Btn->SetTextHighlightColor(clBtnHighlight);
    Btn->SetTextShadowColor(clBtnShadow);
    auto draw = [&](TTextStyle Style, bool Light) {
        Btn->SetTextStyle(Style);
        Btn->SetLightTextStyle(Light);
        TCanvas* c = NewCanvas(20, 20);
        Btn->DrawCaption(c, TRect(5, 5, 15, 15), DT_LEFT);
        return Map();
    };
    // "a" is a 2 x 3 block at (5, 8), centred in a 4-pixel line; (7, 11)
    // shows only the copy below-right, (4, 7) only the one above-left.
    auto at = [](const std::string& M, int X, int Y) { return M[Y * 21 + X]; };
    std::string raised = draw(tsRaised, false), recessed = draw(tsRecessed, false);
    EXPECT_EQ(at(raised, 5, 8), 'T');
    EXPECT_EQ(at(raised, 7, 11), 'S') << "shadow below-right";
    EXPECT_EQ(at(raised, 4, 7), 'H') << "highlight above-left";
    EXPECT_EQ(at(recessed, 7, 11), 'H') << "highlight below-right";
    EXPECT_EQ(at(recessed, 4, 7), 'S') << "shadow above-left";
    std::string light = draw(tsRecessed, true);
    EXPECT_EQ(at(light, 7, 11), 'H');
    EXPECT_EQ(at(light, 4, 7), '.') << "only the highlight copy";
    std::string lightRaised = draw(tsRaised, true);
    EXPECT_EQ(at(lightRaised, 7, 11), '.');
    EXPECT_EQ(at(lightRaised, 4, 7), 'H');
}

// Step N of a gradient of Steps steps from Stop toward Start, as the
// gradients step: per channel in 16.16, the increment truncated.
TColor GradientStep(TColor Stop, TColor Start, int Steps, int N) {
    const COLORREF a = ColorToRGB(Stop), b = ColorToRGB(Start);
    int c[3];
    for (int i = 0; i < 3; ++i) {
        const int from = (a >> (8 * i)) & 0xFF, to = (b >> (8 * i)) & 0xFF;
        c[i] = ((from << 16) + N * (((to << 16) - (from << 16)) / Steps)) >> 16;
    }
    return static_cast<TColor>(RGB(c[0], c[1], c[2]));
}

// Letters First, First + 1, ... for the rows of a top-to-bottom gradient
// H rows high that ends in Stop.
void AddGradientRows(TLegend& Legend, char First, TColor Stop, TColor Start, int H) {
    for (int y = 0; y < H; ++y) Legend.push_back({GradientStep(Stop, Start, H, H - 1 - y), char(First + y)});
}

TEST_F(Looks, FlatLookByState) {
    // 12 x 10, ring '<' '>' and frame line 'D' around the face (2,2,10,8):
    // a gradient 0..3 from Color lightened by 30 down to Color darkened by
    // 10, then a row darkened by 20 ('4') and one by 30 ('5'). Hot and
    // focused looks lay a 2-pixel gradient ring over the face, light at the
    // top and dark at the bottom: a..f from the hot-track colour, g..l from
    // the highlight colour; the focus dots ('K') lie on the client inset by 3.
    Btn->SetBounds(0, 0, 12, 10);
    Btn->SetHotTrack(true);
    auto* other = new TQxButton(Form);
    other->SetBounds(50, 0, 20, 12);
    other->SetParent(Form);
    Form->Show();
    const TColor color = clWindow;
    TLegend legend = FrameLegend();
    legend.push_back({clBlack, 'K'});
    legend.push_back({DarkenColor(clBtnFace, 20), '<'});
    legend.push_back({LightenColor(clBtnFace, 20), '>'});
    AddGradientRows(legend, '0', DarkenColor(color, 10), LightenColor(color, 30), 4);
    legend.push_back({DarkenColor(color, 20), '4'});
    legend.push_back({DarkenColor(color, 30), '5'});
    legend.push_back({DarkenColor(color, 80), 'x'});
    legend.push_back({LightenColor(clBtnShadow, 30), 'y'});
    const TColor hot = 0x149BF0;
    AddGradientRows(legend, 'a', hot, BlendColors(clWhite, hot, 190), 6);
    const TColor e = LightenColor(color, 30);
    AddGradientRows(legend, 'g', BlendColors(clHighlight, e, 160), BlendColors(clHighlight, e, 60), 6);

    auto framed = [](std::initializer_list<const char*> Face) {
        std::string m = "**<<<<<<<<**\n*<DDDDDDDD<*\n";
        for (const char* row : Face) m += std::string("<D") + row + "D>\n";
        return m + "*<DDDDDDDD>*\n**>>>>>>>>**\n";
    };
    auto disabled = [](char Frame, char Face) {
        std::string m = "FFFFFFFFFFFF\nF*" + std::string(8, Frame) + "*F\n";
        for (int y = 0; y < 6; ++y) m += "F" + std::string(1, Frame) + std::string(8, Face) + Frame + "F\n";
        return m + "F*" + std::string(8, Frame) + "*F\nFFFFFFFFFFFF\n";
    };
    struct Case {
        const char* Name;
        TColor Color;
        bool Over, Pressed, Enabled, Focused;
        std::string Map;
    };
    const Case cases[] = {
        {"normal", color, false, false, true, false,
         framed({"00000000", "11111111", "22222222", "33333333", "44444444", "55555555"})},
        {"hot", color, true, false, true, false,
         framed({"aaaaaaaa", "bbbbbbbb", "cc2222cc", "dd3333dd", "eeeeeeee", "ffffffff"})},
        {"pressed", color, true, true, true, false, // the gradient's last colour
         framed({"33333333", "33333333", "33333333", "33333333", "33333333", "33333333"})},
        {"disabled", color, true, true, false, false, disabled('x', 'w')},
        {"disabled face", clBtnFace, false, false, false, false, disabled('y', 'F')},
        {"focused", color, false, false, true, true,
         framed({"gggggggg", "hhKhKhKh", "iK2222Ki", "jj3333jj", "kKKkKkKk", "llllllll"})},
    };
    for (const Case& c : cases) {
        Btn->SetColor(c.Color);
        Btn->SetEnabled(c.Enabled);
        (c.Focused ? static_cast<TWinControl*>(Btn) : other)->SetFocus();
        Btn->SetLook(c.Pressed, c.Over);
        const std::string map = Look(legend);
        EXPECT_TRUE(Matches(map, c.Map)) << c.Name << "\n" << map;
    }
}

TEST_F(Looks, ClassicLookByState) {
    // 12 x 10: the default or focused button gets a ring of clWindowFrame
    // ('W') around its button frame; pressed, the frame is the sunk one
    // (clBtnText, clBtnShadow) and no ring; the focus dots ('K') lie on the
    // client inset by 4.
    TSysColorTable t = DefaultSysColors();
    for (std::size_t i = 0; i < t.size(); ++i) t[i] = GetSysColor(static_cast<Integer>(i));
    t[COLOR_WINDOWFRAME] = RGB(0, 0, 160);
    SetSysColors(t);
    Btn->SetBounds(0, 0, 12, 10);
    // Focused, another control leaves the default role to Default.
    auto* other = new TWinProbe(Form);
    other->SetBounds(50, 0, 20, 12);
    other->SetTabStop(true);
    other->SetParent(Form);
    Form->Show();
    TLegend legend = FrameLegend();
    legend.push_back({clBlack, 'K'});
    legend.push_back({clWindowFrame, 'W'});
    const std::string up = Rows({"HHHHHHHHHHHD", "HLLLLLLLLLSD", "HLFFFFFFFFSD", "HLFFFFFFFFSD", "HLFFFFFFFFSD",
                                 "HLFFFFFFFFSD", "HLFFFFFFFFSD", "HLFFFFFFFFSD", "HSSSSSSSSSSD", "DDDDDDDDDDDD"});
    const std::string ringed = Rows({"WWWWWWWWWWWW", "WHHHHHHHHHDW", "WHLLLLLLLSDW", "WHLFFFFFFSDW", "WHLFFFFFFSDW",
                                     "WHLFFFFFFSDW", "WHLFFFFFFSDW", "WHSSSSSSSSDW", "WDDDDDDDDDDW", "WWWWWWWWWWWW"});
    auto dotted = [](std::string Map) {
        for (auto [x, y] : {std::pair{5, 4}, {7, 4}, {4, 5}, {5, 5}, {7, 5}}) Map[y * 13 + x] = 'K';
        return Map;
    };
    const std::string pressed = Rows({"TTTTTTTTTTTT", "TSSSSSSSSSST", "TSFFFFFFFFST", "TSFFFFFFFFST", "TSFFFFFFFFST",
                                      "TSFFFFFFFFST", "TSFFFFFFFFST", "TSFFFFFFFFST", "TSSSSSSSSSST", "TTTTTTTTTTTT"});
    struct Case {
        const char* Name;
        bool Default, Focused, Pressed;
        std::string Map;
    };
    const Case cases[] = {{"plain", false, false, false, up},
                          {"default", true, false, false, ringed},
                          {"focused", false, true, false, dotted(ringed)},
                          {"pressed", false, true, true, dotted(pressed)}};
    for (const Case& c : cases) {
        (c.Focused ? static_cast<TWinControl*>(Btn) : other)->SetFocus();
        Btn->SetDefault(c.Default);
        Btn->SetLook(c.Pressed, false);
        EXPECT_EQ(Look(legend), c.Map) << c.Name;
    }
}

TEST_F(Looks, CaptionsSitByAlignmentAndCastTheirShadow) {
    // 16 x 18: the caption rectangle is (5,5,11,13); "a" is a 2 x 3 block
    // in a 4-pixel line, its shadow red.
    // avTop takes the top, avCenter the middle, avBottom ends a pixel above
    // the bottom; tsShadow adds a copy offset by the depth, only downwards
    // for right-aligned text, which moves left by the depth instead.
    Btn->SetBounds(0, 0, 16, 18);
    Btn->Font()->SetName(TestBlockFontName);
    Btn->Font()->SetHeight(-4);
    Btn->Font()->SetColor(clBtnText);
    Btn->SetCaption("a");
    Btn->SetTextShadowColor(clRed);
    struct Case {
        TAlignmentVertical Vertical;
        TAlignment Alignment;
        TTextStyle Style;
        TRect Text, Shadow;
    };
    const Case cases[] = {
        {avTop, taLeftJustify, tsNormal, {5, 5, 7, 8}, {}},
        {avCenter, taCenter, tsNormal, {7, 7, 9, 10}, {}},
        {avBottom, taRightJustify, tsNormal, {9, 8, 11, 11}, {}},
        {avTop, taLeftJustify, tsShadow, {5, 5, 7, 8}, {7, 7, 9, 10}},
        {avTop, taRightJustify, tsShadow, {7, 5, 9, 8}, {9, 7, 11, 10}},
        {avBottom, taCenter, tsShadow, {7, 8, 9, 11}, {9, 10, 11, 13}},
    };
    // The bounding box of the pixels of one colour.
    auto ink = [&](TColor C) {
        TRect box;
        bool any = false;
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 16; ++x)
                if (At(x, y) == ColorToRGB(C)) {
                    box = any ? TRect(std::min<Integer>(box.Left, x), std::min<Integer>(box.Top, y),
                                      std::max<Integer>(box.Right, x + 1), std::max<Integer>(box.Bottom, y + 1))
                              : TRect(x, y, x + 1, y + 1);
                    any = true;
                }
        return box;
    };
    for (const Case& c : cases) {
        Btn->SetAlignmentVertical(c.Vertical);
        Btn->SetAlignment(c.Alignment);
        Btn->SetTextStyle(c.Style);
        Btn->PaintTo(NewCanvas(16, 18)->Handle(), 0, 0);
        EXPECT_EQ(ink(clBtnText), c.Text) << c.Vertical << " " << c.Alignment << " " << c.Style;
        EXPECT_EQ(ink(clRed), c.Shadow) << c.Vertical << " " << c.Alignment << " " << c.Style;
    }
}

} // namespace
