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
}

// ---------------------------------------------------------------- bitmap button

class BitBtns : public FormPaintTest {
protected:
    void SetUp() override {
        FormPaintTest::SetUp();
        Form->SetBounds(0, 0, 120, 60);
        Btn = new TQxBitBtn(Form);
        Btn->SetBounds(0, 0, 100, 40);
        Btn->SetParent(Form);
        Btn->Font()->SetName(TestBlockFontName);
        Btn->Font()->SetHeight(-8);
        Btn->SetCaption("ab");
        TBitmap glyph(16, 10);
        Btn->SetGlyph(&glyph);
    }
    TQxBitBtn* Btn = nullptr;
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
        Btn = new TQxButton(Form);
        Btn->SetBounds(0, 0, 20, 12);
        Btn->SetParent(Form);
    }
    std::string Look(const TLegend& Legend) {
        Btn->PaintTo(NewCanvas(Btn->Width(), Btn->Height())->Handle(), 0, 0);
        return Map(Legend);
    }
    TQxButton* Btn = nullptr;
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

} // namespace
