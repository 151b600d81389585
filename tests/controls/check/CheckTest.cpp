// Check boxes and radio buttons: toggles by mouse, Space and accelerators
// on a shown form, sets of radio buttons, actions, sizing, form
// descriptions and the glyph pixels.
#include "controls/check/QxRadChk.h"
#include "platform/forms/Reader.h"
#include "tests/controls/common/PaintTestSupport.h"
#include "tests/platform/gui/controls/ControlProbes.h"

using namespace probes;

namespace {

class Checks : public FormTest {
protected:
    template <class T> T* New(const String& Name, TRect Bounds, TWinControl* Parent = nullptr) {
        auto* c = Make<T>(Parent ? Parent : Form, Name, Bounds);
        c->SetAutoSize(false);
        c->SetCaption("&" + Name);
        c->OnClick = [this, c](TObject*) { Clicks.push_back(c->Name()); };
        return c;
    }
    void ClickOn(TWinControl* C) {
        MouseInput(C, maDown, mbLeft, {}, {3, 3});
        MouseInput(C, maUp, mbLeft, {}, {3, 3});
    }
    void Space() {
        KeyInput(kaDown, VK_SPACE, {}, " ");
        KeyInput(kaUp, VK_SPACE, {});
    }
    std::vector<String> Clicks;
};

TEST_F(Checks, CheckBoxesCycleTheirStatesByMouseSpaceAndAccelerator) {
    auto* box = New<TQxCheckBox>("Box", {10, 10, 90, 30});
    ShowForm();
    std::vector<TCheckBoxState> seen;
    for (int i = 0; i < 3; ++i) {
        ClickOn(box);
        seen.push_back(box->State());
    }
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked, cbChecked}));
    box->SetAllowGrayed(true);
    seen.clear();
    for (int i = 0; i < 3; ++i) {
        Space();
        seen.push_back(box->State());
    }
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbUnchecked, cbGrayed, cbChecked}));
    box->SetAllowGrayed(false);
    box->SetState(cbGrayed);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(box->Perform(BM_GETCHECK), 2);
    Key('B', {ssAlt}, "b");
    EXPECT_EQ(box->State(), cbChecked);
    box->SetState(cbChecked); // unchanged: no click
    EXPECT_EQ(Clicks.size(), 8u);
    box->SetState(cbGrayed);
    box->SetChecked(false);
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(Checks, SpaceTogglesOnceForThePressThisBoxSaw) {
    auto* a = New<TQxCheckBox>("A", {10, 10, 90, 30});
    auto* b = New<TQxCheckBox>("B", {10, 40, 90, 60});
    ShowForm();
    a->SetFocus();
    KeyInput(kaDown, VK_SPACE, {}, " ");
    EXPECT_TRUE(a->PressedLook());
    KeyInput(kaDown, VK_ESCAPE, {});
    KeyInput(kaUp, VK_SPACE, {});
    EXPECT_EQ(a->State(), cbUnchecked) << "Escape cancels the held Space";
    Space();
    EXPECT_EQ(a->State(), cbChecked);
    EXPECT_FALSE(a->KeyToggle());
    // A Space held on one box and released on another toggles neither.
    KeyInput(kaDown, VK_SPACE, {}, " ");
    b->SetFocus();
    KeyInput(kaUp, VK_SPACE, {});
    EXPECT_EQ(a->State(), cbChecked);
    EXPECT_EQ(b->State(), cbUnchecked);
    a->SetFocus();
    KeyInput(kaUp, VK_SPACE, {});
    EXPECT_EQ(a->State(), cbChecked);
}

TEST_F(Checks, ReadOnlyBoxesChangeOnlyFromCode) {
    auto* box = New<TQxCheckBox>("Box", {10, 10, 90, 30});
    box->SetReadOnly(true);
    ShowForm();
    ClickOn(box);
    Space();
    Key('B', {ssAlt}, "b");
    EXPECT_EQ(box->State(), cbUnchecked);
    box->SetChecked(true);
    EXPECT_TRUE(box->Checked());
}

TEST_F(Checks, RadioButtonsOfOneParentExcludeEachOtherAndShareOneTabStop) {
    auto* panel = Make<TWinProbe>(Form, "Panel", {0, 0, 100, 100});
    auto* other = Make<TWinProbe>(Form, "Other", {100, 0, 200, 100});
    auto* r1 = New<TQxRadioButton>("R1", {0, 0, 90, 20}, panel);
    auto* r2 = New<TQxRadioButton>("R2", {0, 20, 90, 40}, panel);
    auto* r3 = New<TQxRadioButton>("R3", {0, 40, 90, 60}, panel);
    auto* box = New<TQxCheckBox>("Box", {0, 60, 90, 80}, panel);
    auto* far = New<TQxRadioButton>("Far", {0, 0, 90, 20}, other);
    far->SetChecked(true);
    box->SetChecked(true);
    r1->SetChecked(true);
    Clicks.clear();
    ShowForm();
    ClickOn(r2);
    EXPECT_EQ(Clicks, Entries({"R2"}));
    EXPECT_FALSE(r1->Checked());
    EXPECT_TRUE(r2->Checked());
    EXPECT_FALSE(r3->Checked());
    EXPECT_EQ(std::vector<bool>({r1->TabStop(), r2->TabStop(), r3->TabStop()}),
              std::vector<bool>({false, true, false}));
    EXPECT_TRUE(far->Checked());
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(r2->Perform(BM_GETCHECK), 1);

    // The Down arrow clicks the focused button and leaves the focus.
    Key(VK_DOWN);
    EXPECT_EQ(Clicks, Entries({"R2", "R2"}));
    EXPECT_TRUE(r2->Focused());
    r2->SetChecked(false);
    EXPECT_FALSE(r1->Checked() || r2->Checked() || r3->Checked());
    EXPECT_EQ(Clicks.size(), 2u);

    // Focus checks a button, unless the set is read-only.
    r3->SetFocus();
    EXPECT_TRUE(r3->Checked());
    r1->SetReadOnly(true);
    EXPECT_TRUE(r2->ReadOnly() && r3->ReadOnly());
    EXPECT_FALSE(far->ReadOnly());
    r1->SetFocus();
    ClickOn(r2);
    Key('R', {ssAlt}, "r"); // "&R1" is the first accelerator
    EXPECT_TRUE(r3->Checked());
    r1->SetChecked(true);
    EXPECT_FALSE(r3->Checked());
}

TEST_F(Checks, ActionsSetCheckedWithoutAClick) {
    auto* action = new TAction(Form);
    auto* box = New<TQxCheckBox>("Box", {10, 10, 90, 30});
    box->SetAction(action);
    box->OnClick = [this](TObject*) { Clicks.push_back("Box"); };
    action->SetChecked(true);
    EXPECT_TRUE(box->Checked());
    action->SetChecked(false);
    EXPECT_FALSE(box->Checked());
    EXPECT_TRUE(Clicks.empty());
    // Checked is stored unless the action supplies it: a box checked apart
    // from its action keeps its own value.
    const TPropInfo* checked = GetClassInfo(box)->FindProperty("Checked");
    action->SetChecked(true);
    EXPECT_FALSE(checked->IsStored(box));
    action->SetChecked(false);
    box->SetChecked(true);
    EXPECT_TRUE(checked->IsStored(box));
}

TEST_F(Checks, AutoSizeFitsCaptionAndGlyphOnTheGlyphSide) {
    auto* box = New<TQxCheckBox>("Box", {10, 10, 90, 30});
    box->Font()->SetName(TestBlockFontName);
    box->Font()->SetHeight(-13);
    box->SetCaption("abc");
    ShowForm();
    box->SetAutoSize(true);
    // Caption 3 x 6 wide and 13 high; glyph 13 x 13.
    EXPECT_EQ(box->BoundsRect(), TRect(10, 10, 10 + 18 + 13 + 6, 10 + 15));
    TBitmap strip(9 * 18, 20); // a check box strip holds nine glyphs
    box->SetCustomGlyphs(&strip);
    EXPECT_TRUE(box->UseCustomGlyphs());
    EXPECT_EQ(box->GlyphSize(), TPoint(18, 20));
    EXPECT_EQ(box->Height(), 22);
    box->SetAlignment(TLeftRight::taLeftJustify);
    box->SetCaption("abcd");
    EXPECT_EQ(box->BoundsRect().Right, 10 + 18 + 18 + 6) << "the right edge stays";
}

TEST_F(Checks, AFrameControllerPassesItsColoursAndHotTracking) {
    auto* controller = new TQxFrameController(Form);
    controller->SetFrameVisible(true);
    controller->SetFrameColor(clRed);
    controller->SetFocusColor(clYellow);
    controller->SetFrameHotTrack(true);
    controller->SetFrameHotColor(clBlue);
    auto* box = New<TQxCheckBox>("Box", {10, 10, 90, 30});
    box->SetFrameControllerNotifications(AllFrameControllerNotifications - TQxFrameControllerNotifications{fcpFocusColor});
    box->SetFrameController(controller);
    EXPECT_TRUE(box->HotTrack());
    EXPECT_EQ(box->FrameColor(), clRed);
    EXPECT_EQ(box->FocusColor(), clWindow) << "filtered out";
    EXPECT_EQ(box->HotTrackStyle(), htsFrame);
    EXPECT_EQ(box->HotTrackColor(), clBlue);
    controller->Free();
    EXPECT_EQ(box->FrameController(), nullptr);
}

// ---------------------------------------------------------------- descriptions

TEST(CheckDescriptions, StatesAndObsoleteNamesAreRead) {
    Application->Initialize();
    TQxCheckBox::ClassInfo();
    TQxRadioButton::ClassInfo();
    auto* form = new TForm(nullptr);
    form->InitializeForm(R"(object Settings: TForm
  BorderStyle = bsNone
  object UseDhcp: TQxCheckBox
    Left = 8
    Top = 8
    Caption = 'Use DHCP'
    Checked = True
    State = cbChecked
    Flat = True
  end
  object Fixed: TQxRadioButton
    Left = 8
    Top = 30
    Checked = True
  end
end
)",
                         "Settings.dfm");
    auto* box = static_cast<TQxCheckBox*>(form->FindComponent("UseDhcp"));
    auto* radio = static_cast<TQxRadioButton*>(form->FindComponent("Fixed"));
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(box->HotTrack());
    EXPECT_TRUE(radio->Checked());
    EXPECT_TRUE(radio->TabStop());
    form->Free();

    // The caption stands left or right of the glyph: centred is no value.
    for (const char* cls : {"TQxCheckBox", "TQxRadioButton"}) {
        auto* centred = new TForm(nullptr);
        EXPECT_THROW(ReadComponentText(centred,
                                       "object F: TForm\n  object C: " + String(cls) +
                                           "\n    Alignment = taCenter\n  end\nend\n",
                                       "Centred.dfm", &TForm::ClassInfo()),
                     EFormError)
            << cls;
        centred->Free();
    }
}

// ---------------------------------------------------------------- glyph pixels

class Glyphs : public FormPaintTest {
protected:
    template <class T> T* New() {
        auto* c = new T(Form);
        c->SetAutoSize(false);
        c->SetBounds(0, 0, 13, 17);
        c->SetParent(Form);
        return c;
    }
    // The 13 x 13 glyph at (0, 2) of the control.
    std::string Glyph(TWinControl* C, const TLegend& Legend) {
        C->PaintTo(NewCanvas(C->Width(), C->Height())->Handle(), 0, 0);
        return Map(Legend).substr(2 * 14, 13 * 14);
    }
};

TEST_F(Glyphs, ClassicCheckBoxUsesTheFrameControlPictureOverItsColor) {
    auto* box = New<TQxCheckBox>();
    box->SetChecked(true);
    TLegend legend = FrameLegend();
    legend.push_back({clWindowText, 'X'});
    const std::string map = Glyph(box, legend);
    EXPECT_EQ(map.substr(0, 14 * 4), Rows({"SSSSSSSSSSSSH", "SDDDDDDDDDDLH", "SDwwwwwwwwwLH", "SDwwwwwwwXwLH"}));
    box->SetEnabled(false);
    EXPECT_EQ(Glyph(box, legend).substr(14 * 3, 14), "SDFFFFFFFSFLH\n");
}

TEST_F(Glyphs, TransparentClassicRadioEdgesBlendTowardTheFrameColour) {
    auto* radio = New<TQxRadioButton>();
    radio->SetFrameColor(clBlack);
    radio->SetTransparent(true);
    TLegend legend = FrameLegend();
    legend.push_back({BlendColors(clBlack, clBtnShadow, 128), 's'});
    legend.push_back({BlendColors(clBlack, clBtnFace, 40), 'f'});
    legend.push_back({BlendColors(clBlack, clBtnFace, 128), 'g'});
    legend.push_back({BlendColors(clBlack, clBtnHighlight, 128), 'h'});
    legend.push_back({BlendColors(clBlack, clBtnShadow, 40), 't'});
    legend.push_back({BlendColors(clBlack, clBtnHighlight, 40), 'i'});
    const std::string map = Glyph(radio, legend);
    // Half way at (4,0), (8,0), (2,1) ...; a sixth at (3,0), (9,0), (0,3) ...
    EXPECT_EQ(map.substr(0, 14 * 4), Rows({"FFFfsSSSgfFFF", "FFsSDDDDSSgFF", "FsDDwwwwDDHgF", "fSDwwwwwwLHFf"}))
        << map;
}

TEST_F(Glyphs, ImagesTheCustomListLacksLeaveTheGlyphEmpty) {
    auto* box = New<TQxCheckBox>();
    // Three 13 x 13 images: unchecked red, checked blue, grayed green.
    TBitmap strip(39, 13);
    const TColor colors[] = {clRed, clBlue, clLime};
    for (int i = 0; i < 3; ++i) {
        strip.Canvas()->Brush()->SetColor(colors[i]);
        strip.Canvas()->FillRect(TRect(13 * i, 0, 13 * i + 13, 13));
    }
    TImageList list(nullptr);
    list.SetWidth(13);
    list.SetHeight(13);
    list.Add(&strip, nullptr);
    box->SetCustomGlyphImages(&list);
    box->SetColor(clWindow);
    TLegend legend = FrameLegend();
    legend.push_back({clRed, 'r'});
    EXPECT_EQ(Glyph(box, legend).substr(0, 14), "rrrrrrrrrrrrr\n");
    box->SetEnabled(false); // image 6 is not in the list: the control's colour shows
    EXPECT_EQ(Glyph(box, legend).substr(0, 14), "wwwwwwwwwwwww\n");
    box->SetCustomGlyphImages(nullptr);
    EXPECT_EQ(box->GlyphSize(), TPoint(13, 13));
}

TEST_F(Glyphs, CustomGlyphsComeFromTheRowOfTheLook) {
    struct TLookRadio : TQxRadioButton {
        using TQxRadioButton::TQxRadioButton;
        void SetLook(bool Pressed, bool Over) {
            FPressedLook = Pressed;
            FMouseOver = Over;
        }
    };
    // Eight 13 x 13 glyphs, unchecked and checked in rows normal, pressed,
    // disabled, hot; each one colour, named by its index.
    const TColor colors[] = {clRed, clBlue, clGreen, clYellow, clFuchsia, clAqua, clMaroon, clNavy};
    TBitmap strip(8 * 13, 13);
    TLegend legend;
    for (int i = 0; i < 8; ++i) {
        strip.Canvas()->Brush()->SetColor(colors[i]);
        strip.Canvas()->FillRect(TRect(13 * i, 0, 13 * i + 13, 13));
        legend.push_back({colors[i], static_cast<char>('0' + i)});
    }
    TImageList list(nullptr);
    list.SetWidth(13);
    list.SetHeight(13);
    list.Add(&strip, nullptr);
    auto* radio = New<TLookRadio>();
    radio->SetCustomGlyphImages(&list);
    struct Case {
        bool Checked, Enabled, Pressed, Over, HotTrack;
        char Shown;
    };
    const Case cases[] = {
        {false, true, false, false, false, '0'}, {true, true, false, false, false, '1'},
        {false, true, true, false, false, '2'},  {true, true, true, true, true, '3'},
        {false, false, true, true, true, '4'},   {true, false, false, false, false, '5'},
        {false, true, false, true, true, '6'},   {true, true, false, true, true, '7'},
        {true, true, false, true, false, '1'},
    };
    for (const Case& k : cases) {
        radio->SetChecked(k.Checked);
        radio->SetEnabled(k.Enabled);
        radio->SetHotTrack(k.HotTrack);
        radio->SetLook(k.Pressed, k.Over);
        EXPECT_EQ(Glyph(radio, legend)[6 * 14 + 6], k.Shown) << "glyph " << k.Shown;
    }
    // A strip has no hot row: the normal one shows.
    radio->SetCustomGlyphImages(nullptr);
    radio->SetCustomGlyphs(&strip);
    radio->SetEnabled(true);
    EXPECT_EQ(Glyph(radio, legend)[6 * 14 + 6], '1');
}

TEST_F(Glyphs, RightToLeftMirrorsGlyphCaptionAndTheSizingEdge) {
    // Check box and radio button, 24 x 9, a 6 x 6 custom glyph ('r') at
    // y 2, "ab" 6 x 5 ('T') in what is left of the client inset by 1 beside
    // glyph + 4; right to left the glyph changes sides, the caption keeps
    // to the right, and the controls' alignment is the side opposite the
    // caption's.
    auto* box = New<TQxCheckBox>();
    TQxCustomGlyphButton* const buttons[] = {box, New<TQxRadioButton>()};
    TLegend legend = FrameLegend();
    legend.push_back({clRed, 'r'});
    std::string face;
    for (int y = 0; y < 9; ++y) face += "FFFFFFFFFFFFFFFFFFFFFFFF\n";
    auto overlay = [](std::string Map, TRect R, char Letter) {
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x) Map[static_cast<std::size_t>(y * 25 + x)] = Letter;
        return Map;
    };
    constexpr TLeftRight left = TLeftRight::taLeftJustify, right = TLeftRight::taRightJustify;
    struct Case {
        TBiDiMode Mode;
        TLeftRight Alignment;
        TRect Glyph, Text;
        TAlignment Controls;
    };
    const Case cases[] = {{bdLeftToRight, right, {0, 2, 6, 8}, {11, 1, 17, 6}, taRightJustify},
                          {bdLeftToRight, left, {18, 2, 24, 8}, {1, 1, 7, 6}, taRightJustify},
                          {bdRightToLeft, right, {18, 2, 24, 8}, {7, 1, 13, 6}, taLeftJustify},
                          {bdRightToLeft, left, {0, 2, 6, 8}, {17, 1, 23, 6}, taRightJustify}};
    for (TQxCustomGlyphButton* b : buttons) {
        const char* name = b == box ? "check box" : "radio button";
        b->SetBounds(0, 0, 24, 9);
        b->Font()->SetName(TestBlockFontName);
        b->Font()->SetHeight(-6);
        b->Font()->SetColor(clBtnText);
        b->SetCaption("ab");
        // A strip of nine check box glyphs or six radio button glyphs.
        TBitmap strip((b == box ? 9 : 6) * 6, 6);
        strip.Canvas()->Brush()->SetColor(clRed);
        strip.Canvas()->FillRect(TRect(0, 0, strip.Width(), 6));
        b->SetCustomGlyphs(&strip);
        for (const Case& c : cases) {
            b->SetBiDiMode(c.Mode);
            b->SetAlignment(c.Alignment);
            b->PaintTo(NewCanvas(24, 9)->Handle(), 0, 0);
            EXPECT_EQ(Map(legend), overlay(overlay(face, c.Glyph, 'r'), c.Text, 'T'))
                << name << " " << c.Mode << " " << static_cast<int>(c.Alignment);
            EXPECT_EQ(b->GetControlsAlignment(), c.Controls) << name << " " << c.Mode << " " << static_cast<int>(c.Alignment);
        }
    }

    // Fitted to "ab" (6 + glyph 6 + 6 wide), the edge on the glyph's side stays.
    Form->Show();
    for (TQxCustomGlyphButton* b : buttons)
        for (const Case& c : cases) {
            b->SetAutoSize(false);
            b->SetBounds(10, 0, 40, 9);
            b->SetBiDiMode(c.Mode);
            b->SetAlignment(c.Alignment);
            b->SetAutoSize(true);
            EXPECT_EQ(b->BoundsRect(), c.Glyph.Left == 0 ? TRect(10, 0, 28, 8) : TRect(32, 0, 50, 8))
                << (b == box ? "check box " : "radio button ") << c.Mode << " " << static_cast<int>(c.Alignment);
        }
}

} // namespace
