// What a tab holds, placed and coloured by the rules: images of an image
// list by ImagePosition and alignment (greyed or the disabled image when
// the tab is disabled, out of the close cross's way), captions by their
// alignment, vertical text on left and right tabs, the unselected tab's
// gradient, and the colours of hot, coloured, selected and disabled tabs.
//
// Square-corner tabs of a fixed size in the test font (8 high: a character
// is a 4 x 6 block in a cell 4 x 8), focus rectangle off. A tab on top
// that is not current has the client rectangle (2,3,42,23) (square corners
// keep 2 pixels in and 3 down for the current tab to grow) and the content
// rectangle (6,5,38,21), 32 x 16.
#include "tests/controls/tabs/TabTestSupport.h"

#include <functional>

namespace {

constexpr TColor LineColor = 0x00C08040;

class TabContent : public TabTest {
protected:
    TQxTabControl* Square(std::initializer_list<const char*> Captions, TRect Bounds = {0, 0, 300, 100}) {
        auto* t = NewTabs(Captions, Bounds);
        t->SetBackgroundColor(Paper);
        t->SetUseGradients(false);
        t->SetTabStyle(tsSquareCorners);
        t->SetShowFocusRect(false);
        t->SetFlatColor(LineColor);
        t->SetTabWidth(40);
        t->SetTabHeight(20);
        return t;
    }
    // The bounding box of the pixels of Color within R of the paint buffer
    // (empty when there are none).
    static TRect Extent(TQxCustomTabControl* T, TColor Color, TRect R) {
        TRect box{R.Right, R.Bottom, R.Left, R.Top};
        bool any = false;
        TCanvas* c = T->PaintBuffer()->Canvas();
        for (Integer y = R.Top; y < R.Bottom; ++y)
            for (Integer x = R.Left; x < R.Right; ++x)
                if (static_cast<COLORREF>(c->Pixels(x, y)) == ColorToRGB(Color)) {
                    any = true;
                    box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                           std::max(box.Bottom, y + 1)};
                }
        return any ? box : TRect();
    }
    static COLORREF At(TQxCustomTabControl* T, Integer X, Integer Y) {
        return static_cast<COLORREF>(T->PaintBuffer()->Canvas()->Pixels(X, Y));
    }
};

// An 8 x 6 image: red (0) or lime (1); ImageMargin 2.
TEST_F(TabContent, ImagesByPositionAndAlignment) {
    auto* images = new TImageList(Form);
    images->SetWidth(8);
    images->SetHeight(6);
    images->SetMasked(false);
    for (TColor color : {clRed, clLime}) {
        TBitmap bitmap(8, 6);
        bitmap.Canvas()->Brush()->SetColor(color);
        bitmap.Canvas()->FillRect(TRect(0, 0, 8, 6));
        images->Add(&bitmap, nullptr);
    }
    struct Case {
        TQxImagePosition Position;
        TQxHorizontalAlignment Align;
        TQxVerticalAlignment AlignVertical;
        bool Enabled = true;
        Integer DisabledIndex = -1;
        bool CloseCross = false;
        TColor Color = clRed;
        TRect Image;
    };
    const std::vector<Case> cases = {
        {ipLeft, haCenter, vaCenter, true, -1, false, clRed, {6, 10, 14, 16}},
        {ipRight, haCenter, vaCenter, true, -1, false, clRed, {30, 10, 38, 16}},
        {ipTop, haCenter, vaCenter, true, -1, false, clRed, {18, 5, 26, 11}},
        {ipBottom, haCenter, vaCenter, true, -1, false, clRed, {18, 15, 26, 21}},
        {ipBack, haCenter, vaCenter, true, -1, false, clRed, {18, 10, 26, 16}},
        {ipStretch, haCenter, vaCenter, true, -1, false, clRed, {6, 5, 14, 11}}, // not aligned
        {ipBack, haLeft, vaTop, true, -1, false, clRed, {6, 5, 14, 11}},
        {ipBack, haRight, vaBottom, true, -1, false, clRed, {30, 15, 38, 21}},
        // The current tab (grown: content (4,3,40,21)) with the close cross:
        // an image on the right moves 20 out of its way.
        {ipRight, haCenter, vaCenter, true, -1, true, clRed, {12, 9, 20, 15}},
        // Disabled: the image greyed (its shape in clBtnShadow), or the
        // disabled image as it is.
        {ipLeft, haCenter, vaCenter, false, -1, false, clBtnShadow, {6, 10, 14, 16}},
        {ipLeft, haCenter, vaCenter, false, 1, false, clLime, {6, 10, 14, 16}},
    };
    Show();
    for (size_t k = 0; k < cases.size(); ++k) {
        const Case& c = cases[k];
        auto* t = Square({""});
        t->SetImages(images);
        TQxTabData* tab = t->Tabs()->GetItem(0);
        tab->ImageIndex = 0;
        tab->DisabledIndex = c.DisabledIndex;
        tab->Enabled = c.Enabled;
        t->SetImagePosition(c.Position);
        t->SetImageAlignment(c.Align);
        t->SetImageAlignmentVertical(c.AlignVertical);
        if (c.CloseCross) {
            t->SetShowCloseButtonOnActiveTab(true);
            t->SetTabIndex(0);
        }
        t->RequestLayout();
        PaintNow(t);
        const TRect tabRect = t->TabClientRect(0);
        EXPECT_EQ(Extent(t, c.Color, tabRect), c.Image) << k;
        if (c.Color != clRed) EXPECT_EQ(Extent(t, clRed, tabRect), TRect()) << k;
        t->Free();
    }
}

// Horizontal captions: the block of lines placed across by
// TextAlignmentVertical, each line along by TextAlignment; an image on the
// left takes its width and the margin from the text.
TEST_F(TabContent, CaptionsByTheirAlignment) {
    struct Case {
        const char* Caption;
        TQxHorizontalAlignment Align;
        TQxVerticalAlignment AlignVertical;
        bool Image;
        TRect Text;
    };
    const std::vector<Case> cases = {
        {"AB", haLeft, vaTop, false, {6, 5, 14, 11}},
        {"AB", haCenter, vaCenter, false, {18, 9, 26, 15}},
        {"AB", haRight, vaBottom, false, {30, 13, 38, 19}},
        {"A\r\nBCD", haRight, vaBottom, false, {26, 5, 38, 19}}, // A at (34,5), BCD at (26,13)
        {"A\r\nBCD", haCenter, vaTop, false, {16, 5, 28, 19}},   // A at (20,5), BCD at (16,13)
        {"AB", haLeft, vaTop, true, {16, 5, 24, 11}},
    };
    auto* images = new TImageList(Form);
    images->SetWidth(8);
    images->SetHeight(6);
    Show();
    for (const Case& c : cases) {
        auto* t = Square({c.Caption});
        t->SetTextAlignment(c.Align);
        t->SetTextAlignmentVertical(c.AlignVertical);
        if (c.Image) {
            t->SetImages(images);
            t->Tabs()->GetItem(0)->ImageIndex = 0;
        }
        PaintNow(t);
        EXPECT_EQ(Extent(t, clBtnText, t->TabClientRect(0)), c.Text) << c.Caption << " " << c.Align;
        t->Free();
    }
}

// Vertical text on side tabs 20 across and 30 along of a 60 x 80 control:
// content (5,51,21,73) on the left, (38,6,54,28) on the right. Left tabs
// read upwards from the content's bottom, right tabs downwards from its
// top; the block is placed across by TextAlignment (mirrored on the right)
// and along by TextAlignmentVertical. "AB" is 6 across and 8 along.
TEST_F(TabContent, VerticalTextOnEitherSide) {
    struct Case {
        TQxTabOrientation Side;
        const char* Caption;
        TQxHorizontalAlignment Align;
        TQxVerticalAlignment AlignVertical;
        TRect Text;
    };
    const std::vector<Case> cases = {
        {toLeft, "AB", haCenter, vaCenter, {9, 58, 15, 66}},
        {toLeft, "AB", haLeft, vaTop, {5, 51, 11, 59}},
        {toLeft, "AB", haRight, vaBottom, {13, 65, 19, 73}},
        {toLeft, "A\r\nB", haLeft, vaBottom, {5, 69, 19, 73}}, // the second line 8 further right
        {toRight, "AB", haCenter, vaCenter, {44, 13, 50, 21}},
        {toRight, "AB", haLeft, vaTop, {40, 6, 46, 14}},
        {toRight, "AB", haRight, vaBottom, {48, 20, 54, 28}},
    };
    Show();
    for (const Case& c : cases) {
        auto* t = Square({c.Caption}, {0, 0, 60, 80});
        t->SetTabOrientation(c.Side);
        t->SetTextOrientation(orVertical);
        t->SetTabWidth(20);
        t->SetTabHeight(30);
        t->SetTextAlignment(c.Align);
        t->SetTextAlignmentVertical(c.AlignVertical);
        PaintNow(t);
        EXPECT_EQ(Extent(t, clBtnText, t->TabClientRect(0)), c.Text)
            << c.Side << " " << c.Caption << " " << c.Align << " " << c.AlignVertical;
        t->Free();
    }
}

// The unselected tab's gradient across the strip, light (140) at the outer
// edge and dark (100) where the tab meets the card, in 20 steps of 2: the
// row (or column) at the gradient's end gets its stop colour, each one
// before it one step more towards the start colour. Sampled from the outer
// edge to the card, the outline and the card's edge left out.
TEST_F(TabContent, TheUnselectedTabsGradientRunsFromTheOuterEdgeToTheCard) {
    struct Case {
        TQxTabOrientation Side;
        TPoint From;
        TPoint Step;
        Integer Count;
        bool OuterFirst; // the gradient starts (top row, left column) at the outer edge
    };
    const std::vector<Case> cases = {{toTop, {22, 4}, {0, 1}, 19, true},
                                     {toLeft, {4, 77}, {1, 0}, 19, true},
                                     {toBottom, {22, 95}, {0, -1}, 19, false},
                                     {toRight, {295, 22}, {-1, 0}, 19, false}};
    const Integer light = 140, dark = 100, n = 20;
    Show();
    for (const Case& c : cases) {
        auto* t = Square({""});
        const bool side = c.Side == toLeft || c.Side == toRight;
        t->SetTabOrientation(c.Side);
        t->SetTabWidth(side ? 20 : 40);
        t->SetTabHeight(side ? 40 : 20);
        t->SetUseGradients(true);
        t->TabColors()->SetUnselected(RGB(light, light, light));
        t->TabColors()->SetShadow(RGB(dark, dark, dark));
        PaintNow(t);
        // Position i of n from the gradient's start: stop + (n - 1 - i) steps.
        const Integer start = c.OuterFirst ? light : dark, stop = c.OuterFirst ? dark : light;
        std::vector<Integer> seen, expected;
        for (Integer k = 0; k < c.Count; ++k) {
            const TPoint p{c.From.X + k * c.Step.X, c.From.Y + k * c.Step.Y};
            seen.push_back(GetRValue(At(t, p.X, p.Y)));
            // Samples run from the outer edge; the outer edge's own row is the outline.
            const Integer i = c.OuterFirst ? k + 1 : n - 1 - k;
            expected.push_back(stop + (n - 1 - i) * (start - stop) / n);
        }
        EXPECT_EQ(seen, expected) << c.Side;
        t->Free();
    }
}

// The colours of tab 0 (not current) and tab 1 (current) by state: tab
// 0's fill without gradients (the light colour), its last row before the
// card with gradients (the dark colour), its caption and its highlight bar;
// tab 1's solid fill and bar. H is HotTrackColor.
TEST_F(TabContent, ColoursOfHotColouredSelectedAndDisabledTabs) {
    const TColor H = 0x149BF0, coloured = 0x204080, white = 0xF8F8F8, second = 0x306030;
    const TColor complement = ComplementColor(H, 140);
    struct Case {
        const char* Name;
        std::function<void(TQxTabControl*)> Setup;
        bool Hot;
        TColor Fill0, Card0, Text0, Bar0, Fill1, Bar1; // clNone: no bar
    };
    auto coloredTabs = [](TColor First) {
        return [First](TQxTabControl* T) {
            T->SetUseColoredTabs(true);
            T->Tabs()->GetItem(0)->Color = First;
            T->Tabs()->GetItem(1)->Color = 0x306030;
        };
    };
    auto style = [](TQxTabHotTrackStyle S, TQxTabHotTrackColorSource Source, TQxHotTrackColorType Type) {
        return [=](TQxTabControl* T) {
            T->SetHotTrackStyle(S);
            T->SetHotTrackColorSource(Source);
            T->SetHotTrackColorType(Type);
        };
    };
    const std::vector<Case> cases = {
        {"plain", [](TQxTabControl*) {}, false, clWindow, clBtnFace, clNavy, clNone, clBtnFace, clNone},
        {"coloured", coloredTabs(coloured), false, LightenColor(coloured, 20), DarkenColor(coloured, 40), clNavy,
         clNone, second, clNone},
        {"coloured near white", coloredTabs(white), false, LightenColor(white, 20), clBtnFace, clNavy, clNone, second,
         clNone},
        {"hot, tab colour", style(htsTab, htcsTabColor, htctActual), true, clWindow, DarkenColor(clBtnFace, 30),
         clMaroon, clNone, clBtnFace, clNone},
        {"hot, colour", style(htsTab, htcsHotTrackColorProp, htctActual), true, LightenColor(H, 60), H, clMaroon,
         clNone, clBtnFace, clNone},
        {"hot, complement", style(htsTab, htcsHotTrackColorProp, htctComplement), true,
         LightenColor(complement, 60), complement, clMaroon, clNone, clBtnFace, clNone},
        {"hot text", style(htsText, htcsHotTrackColorProp, htctActual), true, clWindow, clBtnFace, H, clNone,
         clBtnFace, clNone},
        {"hot text, complement", style(htsText, htcsHotTrackColorProp, htctComplement), true, clWindow, clBtnFace,
         complement, clNone, clBtnFace, clNone},
        {"hot bar, tab colour", style(htsTabBar, htcsTabColor, htctActual), true, clWindow, clBtnFace, clMaroon,
         DarkenColor(clBtnFace, 40), clBtnFace, clHighlight},
        {"hot bar, colour", style(htsTabBar, htcsHotTrackColorProp, htctActual), true, clWindow, clBtnFace,
         clMaroon, H, clBtnFace, clHighlight},
        {"hot bar, complement", style(htsTabBar, htcsHotTrackColorProp, htctComplement), true, clWindow, clBtnFace,
         clMaroon, complement, clBtnFace, clHighlight},
        {"hot and disabled", [](TQxTabControl* T) { T->Tabs()->GetItem(0)->Enabled = false; }, true, clWindow,
         DarkenColor(clBtnFace, 30), clGray, clNone, clBtnFace, clNone},
        {"asked",
         [](TQxTabControl* T) {
             T->OnGetTextColor = [](TObject*, Integer Index, TQxTextStyle Style, TColor& Color, bool& Handled) {
                 Handled = Index == 0 && Style == tsUnselected;
                 Color = clPurple;
             };
         },
         false, clWindow, clBtnFace, clPurple, clNone, clBtnFace, clNone},
    };
    Show();
    for (const Case& c : cases) {
        auto* t = Square({"AB", "CD"});
        t->TextColors()->SetSelected(clMaroon);
        t->TextColors()->SetUnselected(clNavy);
        t->TextColors()->SetDisabled(clGray);
        t->SetTabIndex(1);
        c.Setup(t);
        t->RequestLayout();
        PaintNow(t);
        if (c.Hot) Mouse(t, maMove, {10, 18});
        ASSERT_EQ(t->HotTab(), c.Hot ? 0 : -1) << c.Name;
        PaintNow(t);
        EXPECT_EQ(At(t, 10, 18), ColorToRGB(c.Fill0)) << c.Name;
        EXPECT_EQ(At(t, 20, 11), ColorToRGB(c.Text0)) << c.Name;
        EXPECT_EQ(At(t, 50, 18), ColorToRGB(c.Fill1)) << c.Name;
        if (c.Bar0 != clNone) EXPECT_EQ(At(t, 10, 5), ColorToRGB(c.Bar0)) << c.Name;
        if (c.Bar1 != clNone) EXPECT_EQ(At(t, 60, 4), ColorToRGB(c.Bar1)) << c.Name;
        t->SetUseGradients(true);
        PaintNow(t);
        EXPECT_EQ(At(t, 10, 22), ColorToRGB(c.Card0)) << c.Name;
        t->Free();
    }
}

} // namespace
