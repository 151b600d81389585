// The status bar and its panes: the automatic style at load, simple status
// with hidden panes, panes that keep their share of the width, the grip and
// the presses it takes (also through panes over it), the pane frames and
// captions, auto size, the glyph pane's picture and the colours stored in
// form descriptions.
#include "tests/controls/panel/ControlTestSupport.h"

#include "controls/status/QxStatus.h"
#include "controls/status/QxStatusBar.h"

namespace {

class StatusBar : public ControlTest {
protected:
    TQxStatusBar* NewBar() {
        auto* bar = Make<TQxStatusBar>(Form, {0, 0, 300, 19});
        bar->SetVisualStyle(vsClassic);
        return bar;
    }
};

TEST_F(StatusBar, TheAutomaticStyleWinsAtLoadAndAnyBorderChangeEndsIt) {
    RegisterClasses({&TQxStatusBar::ClassInfo(), &TQxStatusPane::ClassInfo()});
    // As a form writer stores a bar: AutoStyle before the borders, and left
    // out while it keeps its default (True). A bar that keeps the automatic
    // style loads with it whatever borders were stored.
    Read("  object Auto: TQxStatusBar\n    Height = 28\n    AutoStyle = True\n    BorderOuter = fsRaised\n"
         "    BorderWidth = 1\n  end\n"
         "  object Unsaid: TQxStatusBar\n    Height = 28\n    BorderOuter = fsRaised\n    BorderWidth = 1\n  end\n"
         "  object Stored: TQxStatusBar\n    Height = 28\n    AutoStyle = False\n    BorderOuter = fsRaised\n"
         "    BorderWidth = 1\n  end\n");
    for (const char* name : {"Auto", "Unsaid"}) {
        auto* automatic = dynamic_cast<TQxStatusBar*>(Form->FindComponent(name));
        EXPECT_TRUE(automatic->AutoStyle()) << name;
        EXPECT_EQ(automatic->BorderOuter(), fsNone) << name;
        EXPECT_EQ(automatic->Height(), 19) << name;
        EXPECT_EQ(automatic->BorderWidth(), 0) << name;
    }
    auto* stored = dynamic_cast<TQxStatusBar*>(Form->FindComponent("Stored"));
    EXPECT_FALSE(stored->AutoStyle());
    EXPECT_EQ(stored->BorderOuter(), fsRaised);
    EXPECT_EQ(stored->Height(), 28);
    EXPECT_EQ(stored->BorderWidth(), 1);

    auto* automatic = dynamic_cast<TQxStatusBar*>(Form->FindComponent("Auto"));
    automatic->SetBorderInner(fsNone); // the same value keeps it
    EXPECT_TRUE(automatic->AutoStyle());
    automatic->SetBorderInner(fsFlat);
    EXPECT_FALSE(automatic->AutoStyle());
}

TEST_F(StatusBar, LeavingSimpleStatusShowsAgainOnlyWhatWasShown) {
    auto* bar = NewBar();
    auto* shown = Make<TQxStatusPane>(bar, {0, 0, 100, 19});
    auto* hidden = Make<TQxStatusPane>(bar, {100, 0, 200, 19});
    hidden->Hide();
    bar->SetSimpleStatus(true);
    EXPECT_FALSE(shown->Visible());
    auto* arrived = Make<TQxStatusPane>(bar, {200, 0, 250, 19});
    bar->SetSimpleStatus(false);
    EXPECT_TRUE(shown->Visible());
    EXPECT_FALSE(hidden->Visible());
    EXPECT_TRUE(arrived->Visible());

    // The simple caption in a flat frame with open corners (classic style).
    bar->SetSimpleStatus(true);
    bar->SetSimpleCaption("Ready");
    Form->Show();
    Snapshot(bar);
    const COLORREF frame = ColorToRGB(AdjustColorLuminance(clBtnShadow, 30));
    EXPECT_EQ(At(0, 2), ColorToRGB(clBtnFace)); // the open corner
    EXPECT_EQ(At(1, 2), frame);
    EXPECT_EQ(At(0, 3), frame);
    EXPECT_EQ(At(3, 10), ColorToRGB(bar->Font()->Color())); // the caption, x = R.Left + 2 inside the frame
}

TEST_F(StatusBar, PanesKeepTheirShareWhenTheBarIsSized) {
    auto* bar = NewBar();
    bar->SetAlign(alNone);
    bar->SetWidth(400);
    bar->SetAutoScalePanes(true);
    auto* a = Make<TQxStatusPane>(bar, {0, 0, 100, 19});
    auto* b = Make<TQxStatusPane>(bar, {100, 0, 400, 19});
    bar->SetWidth(401); // remembers 401 as the last width (first scaling step)
    bar->SetWidth(400);
    a->SetWidth(100);
    b->SetWidth(300);
    bar->SetWidth(500);
    EXPECT_EQ(a->Width(), 125);
    EXPECT_EQ(b->Width(), 375);
    // Below 50 pixels nothing changes and the last width stays 500.
    bar->SetWidth(49);
    EXPECT_EQ(a->Width(), 125);
    bar->SetWidth(50); // scaled against 500: -450 * 125 / 500
    EXPECT_EQ(a->Width(), 125 - 113 + 1); // -112.5 rounds to -112 (ties to even)
    EXPECT_EQ(b->Width(), 375 - 337 - 1); // -337.5 rounds to -338
}

TEST_F(StatusBar, TheGripShowsAndSizesTheFormOnlyWhenTheFormCanBeSized) {
    auto* bar = NewBar();
    auto* pane = Make<TQxStatusPane>(bar, {150, 0, 300, 19}); // reaches under the grip
    Integer clicks = 0;
    pane->OnClick = [&](TObject*) { ++clicks; };
    struct Case {
        TFormBorderStyle Border;
        TWindowState State;
        bool Grip;
    } cases[] = {{bsSizeable, wsNormal, true}, {bsSizeToolWin, wsNormal, true}, {bsSingle, wsNormal, false},
                 {bsSizeable, wsMaximized, false}};
    Form->Show();
    for (const Case& c : cases) {
        Form->SetBorderStyle(c.Border);
        Form->SetWindowState(c.State);
        Services.Calls.clear();
        clicks = 0;
        Snapshot(bar);
        EXPECT_EQ(At(bar->Width() - 4, bar->Height() - 4) == ColorToRGB(clBtnShadow), c.Grip) << c.Border;
        MouseInput(bar, maDown, mbLeft, {}, {bar->Width() - 5, 10});
        MouseInput(bar, maUp, mbLeft, {}, {bar->Width() - 5, 10});
        EXPECT_EQ(Services.Calls.size(), c.Grip ? 1u : 0u) << c.Border;
        EXPECT_EQ(clicks, c.Grip ? 0 : 1) << c.Border;
        if (!Services.Calls.empty()) {
            EXPECT_EQ(Services.Calls[0].second, WMSZ_BOTTOMRIGHT);
        }
        // Left of the grip the pane keeps its presses.
        MouseInput(bar, maDown, mbLeft, {}, {bar->Width() - 20, 10});
        MouseInput(bar, maUp, mbLeft, {}, {bar->Width() - 20, 10});
        EXPECT_EQ(clicks, c.Grip ? 1 : 2);
    }
    Form->SetWindowState(wsNormal);
}

TEST_F(StatusBar, TheGripsDotsAreLightSquaresUnderDarkOnes) {
    auto* bar = NewBar();
    bar->SetAlign(alNone);
    bar->SetBounds(0, 0, 14, 14);
    Form->SetBorderStyle(bsSizeable);
    Form->Show();
    Snapshot(bar);
    // Without themes the client rectangle reaches one pixel past the bar's
    // right edge: the dots' right column stays 2 pixels in.
    EXPECT_EQ(Map(), Rows({"FFFFFFFFFFFFFF", //
                           "FFFFFFFFFSSFFF", //
                           "FFFFFFFFFSSHFF", //
                           "FFFFFFFFFFHHFF", //
                           "FFFFFFFFFFFFFF", //
                           "FFFFFSSFFSSFFF", //
                           "FFFFFSSHFSSHFF", //
                           "FFFFFFHHFFHHFF", //
                           "FFFFFFFFFFFFFF", //
                           "FSSFFSSFFSSFFF", //
                           "FSSHFSSHFSSHFF", //
                           "FFHHFFHHFFHHFF", //
                           "FFFFFFFFFFFFFF", //
                           "FFFFFFFFFFFFFF"}));
}

// ---------------------------------------------------------------- panes

class StatusPane : public StatusBar {};

TEST_F(StatusPane, FlatFramesLeaveTheirCornersOpen) {
    auto* pane = Make<TQxStatusPane>(Form, {0, 0, 6, 5});
    pane->SetBorderWidth(0);
    Form->Show();
    Snapshot(pane);
    TLegend l = FrameLegend();
    l.push_back({AdjustColorLuminance(clBtnShadow, 30), 'A'});
    EXPECT_EQ(Map(l), Rows({"FAAAAF", "AFFFFA", "AFFFFA", "AFFFFA", "FAAAAF"}));
}

TEST_F(StatusPane, AutoSizeFollowsTheCaptionAndASameCaptionChangesNothing) {
    auto* pane = Make<TQxStatusPane>(Form, {0, 0, 100, 20});
    pane->SetAutoSize(true);
    EXPECT_EQ(pane->Width(), 40); // DefaultWidth for an empty caption
    Integer changes = 0;
    pane->OnResize = [&](TObject*) { ++changes; };
    pane->Font()->SetHeight(-10);                   // 5 pixels a character
    pane->SetCaption("ABCDEFGHIJ");                 // 50 wide
    EXPECT_EQ(pane->Width(), 50 + 2 + 2 + 6);       // + 2 x BorderWidth + CaptionOffset + 6
    pane->SetCaption("ABCDEFGHIJ");
    EXPECT_EQ(changes, 1);
}

TEST_F(StatusPane, LoadedPanesAreOpaqueAsStoredAndReadAsTheirForm) {
    RegisterClasses({&TQxStatusBar::ClassInfo(), &TQxStatusPane::ClassInfo()});
    Read("  object Pane: TQxStatusPane\n    ParentColor = False\n    Color = clWindow\n  end\n"
         "  object Bar: TQxStatusBar\n    object Inner: TQxStatusPane\n    end\n  end\n",
         "  BiDiMode = bdRightToLeft\n");
    auto* pane = dynamic_cast<TQxStatusPane*>(Form->FindComponent("Pane"));
    auto* inner = dynamic_cast<TQxStatusPane*>(Form->FindComponent("Inner"));
    EXPECT_FALSE(pane->Transparent());
    EXPECT_TRUE(pane->ControlStyle().Contains(csOpaque));
    // Panes take their reading order from the form, through the bar too,
    // and follow it when it changes.
    EXPECT_TRUE(pane->UseRightToLeftAlignment());
    EXPECT_TRUE(inner->UseRightToLeftAlignment());
    Form->SetBiDiMode(bdLeftToRight);
    EXPECT_FALSE(inner->UseRightToLeftAlignment());
}

TEST_F(StatusPane, TheApplicationsHintReachesAPaneWithAutoHint) {
    auto* bar = NewBar();
    auto* plain = Make<TQxStatusPane>(bar, {0, 0, 100, 20});
    auto* hints = Make<TQxStatusPane>(bar, {100, 0, 200, 20});
    plain->SetCaption("Plain");
    hints->SetAutoHint(true);
    Form->Show();
    Application->SetHint("Opens a file");
    EXPECT_EQ(hints->Caption(), "Opens a file");
    EXPECT_EQ(plain->Caption(), "Plain");
    Application->SetHint("");
}

TEST_F(StatusPane, TheFirstPaneOfAGradientBarDrawsNoSeparator) {
    auto* bar = NewBar();
    bar->SetVisualStyle(vsGradient);
    bar->SetBorderOuter(fsRaised); // the client area starts 2 pixels in
    auto* first = Make<TQxStatusPane>(bar, {0, 0, 50, 10});
    auto* second = Make<TQxStatusPane>(bar, {60, 0, 110, 10});
    first->SetAlign(alLeft);
    second->SetAlign(alLeft);
    first->SetTransparent(false);
    second->SetTransparent(false);
    first->SetColor(clWindow);
    second->SetColor(clWindow);
    Form->Show();
    Snapshot(first);
    EXPECT_EQ(At(1, 5), ColorToRGB(clWindow));
    Snapshot(second);
    EXPECT_NE(At(1, 5), ColorToRGB(clWindow));
}

// The caption starts CaptionOffset + 1 inside the interior (BorderWidth and
// the frame's width in from the edge), ends as far in from its right, or is
// centred on the interior; it is centred vertically on the height of "Pp".
TEST_F(StatusPane, TheCaptionSitsByItsAlignmentInTheInterior) {
    auto* pane = Make<TQxStatusPane>(Form, {0, 0, 20, 10});
    pane->Font()->SetName(TestBlockFontName);
    pane->Font()->SetHeight(-4); // cells 4 high, 2 wide, blocks 3 high
    pane->Font()->SetColor(clRed);
    pane->SetCaption("ab");
    Form->Show();
    TLegend l = FrameLegend();
    l.push_back({AdjustColorLuminance(clBtnShadow, 30), 'A'});
    l.push_back({clRed, 'T'});
    auto map = [&](const char* Text) {
        return Rows({"FFFFFFFFFFFFFFFFFFFF", "FFAAAAAAAAAAAAAAAAFF", "FAFFFFFFFFFFFFFFFFAF", Text, Text, Text,
                     "FAFFFFFFFFFFFFFFFFAF", "FAFFFFFFFFFFFFFFFFAF", "FFAAAAAAAAAAAAAAAAFF",
                     "FFFFFFFFFFFFFFFFFFFF"});
    };
    struct Case {
        TAlignment Alignment;
        TBiDiMode BiDi;
        const char* TextRow;
    } cases[] = {
        {taLeftJustify, bdLeftToRight, "FAFFFTTTTFFFFFFFFFAF"},
        {taRightJustify, bdLeftToRight, "FAFFFFFFFFFTTTTFFFAF"},
        {taCenter, bdLeftToRight, "FAFFFFFFTTTTFFFFFFAF"},
        {taLeftJustify, bdRightToLeft, "FAFFFFFFFFFTTTTFFFAF"},
        {taRightJustify, bdRightToLeft, "FAFFFTTTTFFFFFFFFFAF"},
    };
    for (const Case& c : cases) {
        pane->SetAlignment(c.Alignment);
        pane->SetBiDiMode(c.BiDi);
        Snapshot(pane);
        EXPECT_EQ(Map(l), map(c.TextRow)) << c.Alignment << " " << c.BiDi;
    }
    // The interior's inset by frame style and border width: where a left
    // caption's first column and top row land.
    pane->SetBiDiMode(bdLeftToRight);
    pane->SetAlignment(taLeftJustify);
    pane->SetBounds(0, 0, 30, 14);
    struct Inset {
        TFrameStyle Frame;
        Integer K;
    } insets[] = {{fsNone, 0}, {fsFlat, 1}, {fsPopup, 1}, {fsLowered, 2}, {fsBump, 2}};
    for (const Inset& f : insets)
        for (Integer bw : {0, 1, 3}) {
            pane->SetFrameStyle(f.Frame);
            pane->SetBorderWidth(bw);
            Snapshot(pane);
            const Integer in = bw + f.K, interior = 14 - 2 * in;
            const std::string m = Map(l);
            const size_t first = m.find('T');
            ASSERT_NE(first, std::string::npos);
            EXPECT_EQ(static_cast<Integer>(first % 31), in + 2 + 1) << f.Frame << " " << bw;
            EXPECT_EQ(static_cast<Integer>(first / 31), in + (interior - 4) / 2) << f.Frame << " " << bw;
        }
}

// ---------------------------------------------------------------- glyph pane

TEST_F(StatusPane, TheGlyphSitsBesideTheFrameOnEitherSideAndIsCutToTheInterior) {
    auto* pane = Make<TQxGlyphStatus>(Form, {0, 0, 100, 20});
    TBitmap glyph(32, 16); // two images: NumGlyphs 2
    pane->SetGlyph(&glyph);
    EXPECT_EQ(pane->NumGlyphs(), 2);
    struct Case {
        TFrameStyle Frame;
        Integer K;
    } frames[] = {{fsNone, 0}, {fsFlat, 1}, {fsStatus, 1}, {fsLowered, 2}, {fsFlatBold, 2}};
    for (const Case& f : frames) {
        pane->SetFrameStyle(f.Frame);
        for (Integer bw : {0, 1, 3}) {
            pane->SetBorderWidth(bw);
            pane->SetGlyphAlignment(gaLeft);
            TRect p = pane->PictureRect();
            EXPECT_EQ(p.Left, 2 + bw + f.K) << f.Frame << " " << bw;
            const Integer interior = 20 - 2 * (bw + f.K);
            EXPECT_EQ(p.Height(), std::min(16, interior)); // cut, never squashed
            TRect text;
            pane->GetInteriorRect(text);
            EXPECT_EQ(text.Left, bw + f.K + 16 + 2);
            pane->SetGlyphAlignment(gaRight);
            p = pane->PictureRect();
            EXPECT_EQ(p.Right, 100 - bw - f.K - 2) << f.Frame << " " << bw;
            pane->GetInteriorRect(text);
            EXPECT_EQ(text.Right, p.Left - 2 + 2);
        }
    }
    // Right to left puts a left picture on the right.
    pane->SetGlyphAlignment(gaLeft);
    pane->SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(pane->PictureRect().Right, 100 - pane->BorderWidth() - 2 - 2);
}

TEST_F(StatusPane, AnOpaqueGlyphPaneFillsThePicturesSideAndShowsTheDisabledImage) {
    auto* pane = Make<TQxGlyphStatus>(Form, {0, 0, 40, 12});
    pane->SetTransparent(false);
    pane->SetFillColor(clWindow);
    pane->SetBorderWidth(0);
    TBitmap glyph(8, 4);
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect({0, 0, 4, 4});
    glyph.Canvas()->Brush()->SetColor(clBlue);
    glyph.Canvas()->FillRect({4, 0, 8, 4});
    glyph.SetTransparentColor(clLime);
    pane->SetGlyph(&glyph);
    pane->SetGlyphAlignment(gaRight);
    Form->Show();
    Snapshot(pane);
    const TRect p = pane->PictureRect();
    EXPECT_EQ(At(p.Left, p.Top), ColorToRGB(clRed));
    EXPECT_EQ(At(p.Right, 5), ColorToRGB(clWindow)); // the strip right of the picture
    EXPECT_EQ(At(p.Left - 1, 2), ColorToRGB(clWindow));
    pane->SetEnabled(false);
    Snapshot(pane);
    EXPECT_EQ(At(p.Left, p.Top), ColorToRGB(clBlue));
}

class TCountingGlyphStatus : public TQxGlyphStatus {
public:
    using TQxGlyphStatus::TQxGlyphStatus;
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        TQxGlyphStatus::Paint();
    }
};

TEST_F(StatusPane, AnImageListChangeRepaintsAtOnce) {
    auto* pane = Make<TCountingGlyphStatus>(Form, {0, 0, 60, 20});
    TImageList list(nullptr);
    pane->SetImages(&list);
    pane->SetImageIndex(0);
    Form->Show();
    Application->ProcessMessages();
    const int before = pane->Paints;
    TBitmap image(16, 16);
    list.Add(&image, nullptr);
    EXPECT_EQ(pane->Paints, before + 1);
    pane->SetImages(nullptr);
}

} // namespace
