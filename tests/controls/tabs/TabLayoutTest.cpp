// Tab layout with the test font (every character 4 x 8): sizes per style,
// rows and placement, the reverse sequence, the scroller and the first tab
// shown, the four sides by two sequences, and the card's client area.
#include "tests/controls/tabs/TabTestSupport.h"

namespace {

class TabLayout : public TabTest {
protected:
    void Laid(TQxCustomTabControl* T) { T->LayoutIfNeeded(); }
    TRect Rect(TQxCustomTabControl* T, Integer I) { return T->Tabs()->GetItem(I)->TabRect; }
    Integer Row(TQxCustomTabControl* T, Integer I) { return T->Tabs()->GetItem(I)->Row; }
};

// "Tab1" is 16 x 8: its content 18 x 8 (the image margin counts without an
// image), "Tab22" 22 x 8. Side tabs are as thick as the widest content.
TEST_F(TabLayout, TabSizesAndPlacesOfEachStyle) {
    struct Case {
        TQxTabStyle Style;
        TQxTabOrientation Side;
        Integer Fixed;
        TRect First, Second; // strip frame
    };
    const std::vector<Case> cases = {
        {tsSingleSlant, toTop, 14, {0, 0, 38, 14}, {32, 0, 74, 14}},
        {tsDoubleSlant, toTop, 14, {0, 0, 44, 14}, {31, 0, 79, 14}},
        {tsCutCorner, toTop, 15, {0, 0, 38, 15}, {40, 0, 82, 15}},
        {tsRoundCorners, toTop, 14, {0, 3, 24, 17}, {26, 3, 54, 17}},
        {tsBackSlant, toTop, 14, {0, 0, 38, 14}, {32, 0, 74, 14}},
        {tsSquareCorners, toTop, 14, {0, 3, 24, 17}, {25, 3, 53, 17}},
        {tsSingleSlant, toLeft, 28, {0, 0, 42, 28}, {29, 0, 71, 28}},
        {tsDoubleSlant, toLeft, 28, {0, 0, 62, 28}, {35, 0, 97, 28}},
        {tsCutCorner, toLeft, 35, {0, 0, 18, 35}, {20, 0, 38, 35}},
        {tsRoundCorners, toLeft, 28, {0, 3, 14, 31}, {16, 3, 30, 31}},
        {tsSquareCorners, toLeft, 28, {0, 3, 14, 31}, {15, 3, 29, 31}},
    };
    for (const Case& c : cases) {
        auto* t = NewTabs({"Tab1", "Tab22"});
        t->SetTabStyle(c.Style);
        t->SetTabOrientation(c.Side);
        Laid(t);
        EXPECT_EQ(t->FixedDimension(), c.Fixed) << c.Style << " " << c.Side;
        EXPECT_EQ(Rect(t, 0), c.First) << c.Style << " " << c.Side;
        EXPECT_EQ(Rect(t, 1), c.Second) << c.Style << " " << c.Side;
        t->Free();
    }
}

TEST_F(TabLayout, FixedSizesMinimumsAndTheCloseCross) {
    auto* t = NewTabs({"Tab1", "A long caption"});
    t->SetTabWidth(50);
    Laid(t);
    EXPECT_EQ(Rect(t, 0).Width(), 50);
    EXPECT_EQ(Rect(t, 1).Width(), 50);
    t->SetTabWidth(0);
    t->SetTabHeight(-1); // ignored
    EXPECT_EQ(t->TabHeight(), 0);
    // An empty caption (content 2 x 0) gets the width of "A" and the font's
    // height.
    t->Tabs()->GetItem(0)->Caption = "";
    t->RequestLayout();
    Laid(t);
    EXPECT_EQ(Rect(t, 0), TRect(0, 0, 4 + 2 + 14 + 4, 14));
    // The close cross on the current tab lengthens every tab by 20.
    t->Tabs()->GetItem(0)->Caption = "Tab1";
    t->SetShowCloseButtonOnActiveTab(true);
    Laid(t);
    EXPECT_EQ(Rect(t, 0).Width(), 58);
}

// Control coordinates of the first two tabs and the card's client area on
// each side, in both sequences: the first tab at the left end (top, bottom),
// the bottom end (left) or the top end (right) in the standard sequence,
// at the other end in the reverse one.
TEST_F(TabLayout, FourSidesByTwoSequences) {
    struct Case {
        TQxTabOrientation Side;
        TQxTabSequence Sequence;
        TRect First, Second, Card;
    };
    const std::vector<Case> cases = {
        {toTop, tsStandard, {0, 0, 38, 14}, {32, 0, 74, 14}, {1, 15, 297, 97}},
        {toTop, tsReverse, {261, 0, 299, 14}, {225, 0, 267, 14}, {1, 15, 299, 99}},
        {toLeft, tsStandard, {0, 57, 28, 99}, {0, 28, 28, 70}, {29, 1, 299, 99}},
        {toLeft, tsReverse, {0, 0, 28, 42}, {0, 29, 28, 71}, {29, 1, 299, 99}},
        {toBottom, tsStandard, {0, 85, 38, 99}, {32, 85, 74, 99}, {1, 1, 299, 85}},
        {toBottom, tsReverse, {261, 85, 299, 99}, {225, 85, 267, 99}, {1, 1, 299, 85}},
        {toRight, tsStandard, {271, 0, 299, 42}, {271, 29, 299, 71}, {1, 1, 271, 99}},
        {toRight, tsReverse, {271, 57, 299, 99}, {271, 28, 299, 70}, {1, 1, 271, 99}},
    };
    for (const Case& c : cases) {
        auto* t = NewTabs({"Tab1", "Tab22"});
        t->SetTabOrientation(c.Side);
        t->SetTabSequence(c.Sequence);
        Laid(t);
        EXPECT_EQ(t->TabClientRect(0), c.First) << c.Side << " " << c.Sequence;
        EXPECT_EQ(t->TabClientRect(1), c.Second) << c.Side << " " << c.Sequence;
        EXPECT_EQ(t->CardClientRect(), c.Card) << c.Side << " " << c.Sequence;
        t->Free();
    }
}

TEST_F(TabLayout, CardClientAreaByFrameSettingsAndChildrenAlignedInIt) {
    auto* t = NewTabs({"Tab1"});
    auto* child = new TCustomControl(Form);
    child->SetParent(t);
    child->SetAlign(alClient);
    // Anchored right and bottom: kept to the control's sides, not the card's.
    auto* corner = new TCustomControl(Form);
    corner->SetBounds(250, 60, 30, 20);
    corner->SetParent(t);
    corner->SetAnchors({akRight, akBottom});
    Show();
    EXPECT_EQ(child->BoundsRect(), TRect(1, 15, 297, 97));
    t->SetShowShadow(false);
    Application->ProcessMessages();
    EXPECT_EQ(t->CardClientRect(), TRect(1, 15, 299, 99));
    EXPECT_EQ(child->BoundsRect(), TRect(1, 15, 299, 99));
    EXPECT_EQ(corner->BoundsRect(), TRect(250, 60, 280, 80));
    t->SetBounds(0, 0, 310, 110);
    EXPECT_EQ(corner->BoundsRect(), TRect(260, 70, 290, 90));
    t->SetBounds(0, 0, 300, 100);
    t->SetShowFullFrame(false);
    EXPECT_EQ(t->CardClientRect(), TRect(0, 15, 300, 100));
    t->SetShowCardFrame(false);
    EXPECT_EQ(t->CardClientRect(), TRect(0, 14, 300, 100));
    t->SetShowCard(false);
    EXPECT_EQ(t->CardClientRect(), TRect(-2, -2, -1, -1));
}

// Five tabs of 38 (each 32 further on) in 97 pixels: three rows, each 9
// pixels (14 - RowOverlap 5) further from the card; the current tab's row
// comes next to the card, and stays there after any later layout.
TEST_F(TabLayout, MultiLineRowsAndTheCurrentRowNextToTheCard) {
    auto* t = NewTabs({"Tab1", "Tab2", "Tab3", "Tab4", "Tab5"}, {0, 0, 100, 100});
    t->SetMultiLine(true);
    Laid(t);
    EXPECT_EQ(t->RowCount(), 3);
    const std::vector<TRect> placed = {{0, 18, 38, 32}, {32, 18, 70, 32}, {0, 9, 38, 23}, {32, 9, 70, 23}, {0, 0, 38, 14}};
    const std::vector<Integer> rows = {0, 0, 1, 1, 2};
    for (Integer i = 0; i < 5; ++i) {
        EXPECT_EQ(Rect(t, i), placed[static_cast<size_t>(i)]) << i;
        EXPECT_EQ(Row(t, i), rows[static_cast<size_t>(i)]) << i;
    }
    // Rows further back are shifted along by RowIndent per row.
    EXPECT_EQ(t->TabClientRect(4), TRect(10, 0, 48, 14));
    t->SetTabIndex(4);
    EXPECT_EQ(Row(t, 4), 0);
    EXPECT_EQ(Row(t, 0), 1);
    EXPECT_EQ(Row(t, 2), 2);
    EXPECT_EQ(Rect(t, 4).Top, 18);
    t->RequestLayout();
    Laid(t);
    EXPECT_EQ(Row(t, 4), 0);
    EXPECT_EQ(Rect(t, 4).Top, 18);
}

// Rows are counted over the visible tabs only: a hidden tab's old row plays
// no part in the rotation.
TEST_F(TabLayout, RowRotationIgnoresHiddenTabsRows) {
    auto* t = NewTabs({"Tab1", "Tab2", "Tab3", "Tab4", "Tab5"}, {0, 0, 100, 100});
    t->SetMultiLine(true);
    Laid(t);
    ASSERT_EQ(Row(t, 4), 2);
    t->Tabs()->GetItem(4)->Visible = false;
    t->RequestLayout();
    Laid(t);
    ASSERT_EQ(t->RowCount(), 2);
    t->SetTabIndex(2);
    for (Integer i = 0; i < 4; ++i)
        EXPECT_LT(Row(t, i), 2) << i;
    EXPECT_EQ(Row(t, 2), 0);
    EXPECT_EQ(Row(t, 0), 1);
}

// However the captions fall, the rows placed are the rows counted: no tab
// at a negative place, no row without a tab.
TEST_F(TabLayout, RowsPlacedAreTheRowsCounted) {
    const std::vector<std::vector<const char*>> sets = {
        {"A", "A very long caption indeed", "B", "C"},
        {"A very long caption indeed", "Another very long caption"},
        {"Tab1", "Tab2", "A very long caption indeed", "Tab3", "Tab4", "Tab5"},
    };
    for (Integer width : {60, 80, 100, 140})
        for (const auto& captions : sets) {
            auto* t = NewTabs({}, {0, 0, width, 120});
            for (const char* c : captions) {
                auto* d = new TQxTabData;
                d->Caption = c;
                t->Tabs()->Add(d);
            }
            t->SetMultiLine(true);
            t->SetAlignTabs(true);
            Laid(t);
            Integer maxRow = 0;
            std::vector<bool> used(static_cast<size_t>(t->RowCount()), false);
            for (Integer i = 0; i < t->Tabs()->Count(); ++i) {
                EXPECT_GE(Rect(t, i).Left, 0) << width << " " << i;
                maxRow = std::max(maxRow, Row(t, i));
                if (Row(t, i) < t->RowCount()) used[static_cast<size_t>(Row(t, i))] = true;
            }
            EXPECT_EQ(t->RowCount(), maxRow + 1) << width;
            for (bool u : used)
                EXPECT_TRUE(u) << width;
            t->Free();
        }
}

// Aligned rows span the strip: 97 - 2 x RowIndent 5 = 87 pixels, the
// remainder given to the first tabs of the row.
TEST_F(TabLayout, AlignedRowsFillTheStrip) {
    auto* t = NewTabs({"Tab1", "Tab2", "Tab3", "Tab4", "Tab5"}, {0, 0, 100, 100});
    t->SetMultiLine(true);
    t->SetAlignTabs(true);
    Laid(t);
    // Row 0 held 0..70; 17 more pixels: 9 and 8.
    EXPECT_EQ(Rect(t, 0), TRect(0, 18, 47, 32));
    EXPECT_EQ(Rect(t, 1), TRect(41, 18, 87, 32));
    EXPECT_EQ(Rect(t, 4), TRect(0, 0, 87, 14));
}

TEST_F(TabLayout, TheScrollerAndTheFirstTabShown) {
    auto* t = NewTabs({"Tab1", "Tab2", "Tab3", "Tab4", "Tab5", "Tab6"}, {0, 0, 150, 60});
    Show();
    EXPECT_TRUE(t->ScrollerNeeded());
    ASSERT_NE(t->Scroller(), nullptr);
    // 2 x b1 - 1 by b2: b1 = b2 = 12 for the 8-pixel font.
    EXPECT_EQ(t->Scroller()->Width(), 23);
    EXPECT_EQ(t->Scroller()->Height(), 12);
    EXPECT_EQ(t->FirstVisibleTab(), 0);
    // 147 - 2 x 12 - 0 = 123 pixels: tabs 0..3 (up to 134) do not all fit.
    EXPECT_TRUE(t->TabFullyShown(2));
    EXPECT_FALSE(t->TabFullyShown(3));
    t->ScrollTabs(true);
    EXPECT_EQ(t->FirstVisibleTab(), 1);
    EXPECT_FALSE(t->TabFullyShown(0));
    // Selecting a tab out of sight scrolls it in.
    t->SetTabIndex(5);
    EXPECT_TRUE(t->TabFullyShown(5));
    t->SetTabIndex(0);
    EXPECT_EQ(t->FirstVisibleTab(), 0);
    // Wide enough: no scroller, which then sits out of sight.
    t->SetWidth(300);
    Application->ProcessMessages();
    EXPECT_FALSE(t->ScrollerNeeded());
    EXPECT_LT(t->Scroller()->Left(), 0);
}

// The close button at the strip's end (in from the shadow on top, standard
// sequence), the menu button one close reservation (b1 + 2 = 14) towards
// the strip's start, the scroller two reservations; buttons 12 by 12, the
// scroller 23 long. The tab area: 147 by 14 on top (the shadow's 2 off in
// the standard sequence), 24 across at the sides of a 150 by 100 control.
TEST_F(TabLayout, StripButtonsSitAtTheStripsEndInEachSequence) {
    struct Case {
        TQxTabOrientation Side;
        TQxTabSequence Sequence;
        TPoint Close, Menu, Scroller;
    };
    const std::vector<Case> cases = {
        {toTop, tsStandard, {134, 0}, {120, 0}, {95, 0}},     {toTop, tsReverse, {0, 0}, {14, 0}, {28, 0}},
        {toLeft, tsStandard, {10, 0}, {10, 14}, {10, 28}},    {toLeft, tsReverse, {10, 88}, {10, 74}, {10, 49}},
        {toBottom, tsStandard, {138, 87}, {124, 87}, {99, 87}}, {toBottom, tsReverse, {0, 87}, {14, 87}, {28, 87}},
        {toRight, tsStandard, {127, 88}, {127, 74}, {127, 49}}, {toRight, tsReverse, {127, 0}, {127, 14}, {127, 28}},
    };
    Show();
    for (const Case& c : cases) {
        auto* t = NewTabs({"Tab1", "Tab2", "Tab3", "Tab4", "Tab5", "Tab6", "Tab7", "Tab8"}, {0, 0, 150, 100});
        t->SetTabOrientation(c.Side);
        t->SetTabSequence(c.Sequence);
        t->SetShowCloseButton(true);
        t->SetShowMenuButton(true);
        PaintNow(t);
        const bool side = c.Side == toLeft || c.Side == toRight;
        ASSERT_TRUE(t->ScrollerNeeded()) << c.Side << " " << c.Sequence;
        EXPECT_EQ(t->CloseButton()->BoundsRect(), Bounds(c.Close.X, c.Close.Y, 12, 12)) << c.Side << " " << c.Sequence;
        EXPECT_EQ(t->MenuButton()->BoundsRect(), Bounds(c.Menu.X, c.Menu.Y, 12, 12)) << c.Side << " " << c.Sequence;
        EXPECT_EQ(t->Scroller()->BoundsRect(), Bounds(c.Scroller.X, c.Scroller.Y, side ? 12 : 23, side ? 23 : 12))
            << c.Side << " " << c.Sequence;
        t->Free();
    }
}

// A scroll position or current tab left over from more tabs is brought into
// range before it is used.
TEST_F(TabLayout, StalePositionsAreClampedBeforeUse) {
    auto* t = NewTabs({"Tab1", "Tab2", "Tab3", "Tab4", "Tab5", "Tab6"}, {0, 0, 150, 60});
    Show();
    t->SetTabIndex(5);
    ASSERT_GT(t->FirstVisibleTab(), 1);
    t->Tabs()->Clear();
    for (const char* c : {"One", "Two"}) {
        auto* d = new TQxTabData;
        d->Caption = c;
        t->Tabs()->Add(d);
    }
    t->RequestLayout();
    EXPECT_NO_THROW(PaintNow(t));
    EXPECT_EQ(t->TabIndex(), -1);
    EXPECT_EQ(t->FirstVisibleTab(), 0);
}

// Tabs that are all hidden: no first tab, no scroller, no tab painted; the
// card is.
TEST_F(TabLayout, AllTabsHiddenPaintsTheCardOnly) {
    auto* t = NewTabs({"Tab1", "Tab2", "Tab3"});
    t->SetBackgroundColor(Paper);
    for (Integer i = 0; i < 3; ++i)
        t->Tabs()->GetItem(i)->Visible = false;
    t->RequestLayout();
    Show();
    EXPECT_NO_THROW(PaintNow(t));
    EXPECT_EQ(t->FirstVisibleTab(), -1);
    EXPECT_FALSE(t->ScrollerNeeded());
    EXPECT_EQ(t->TabAtPos({5, 5}), -1);
    const TLegend legend{{Paper, ','}, {clBtnShadow, 'S'}, {clBtnFace, '.'}};
    EXPECT_EQ(BufferMap(t, legend, {0, 0, 4, 3}), Rows({"SSSS", "S...", "S..."}));
}

// With no tab of any height the buttons' height is 0, never negative.
TEST_F(TabLayout, ButtonsOfAStripWithoutTabHeightAreNotNegative) {
    auto* t = NewTabs({"Tab1"});
    t->Tabs()->GetItem(0)->Visible = false;
    t->SetShowCloseButton(true);
    t->RequestLayout();
    Show();
    ASSERT_NE(t->CloseButton(), nullptr);
    EXPECT_EQ(t->CloseButton()->Height(), 0);
    EXPECT_EQ(t->CloseButton()->Top(), t->TabArea().Bottom - 2);
}

} // namespace
