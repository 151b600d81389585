// The radio group: buttons from the lines, their columns (even and
// measured), the selection kept in range, changes offered to OnChanging
// before anything moves, the item font following the group's, accelerators
// and Enter as Tab.
#include "tests/controls/panel/ControlTestSupport.h"

#include "controls/radiogroup/QxRadGrp.h"

namespace {

class RadioGroup : public ControlTest {
protected:
    TQxRadioGroup* NewGroup(Integer Width, Integer Items) {
        auto* g = Make<TQxRadioGroup>(Form, {0, 0, Width, 150});
        g->ItemFont()->SetName(TestBlockFontName);
        g->ItemFont()->SetHeight(-10); // 5 pixels a character
        for (Integer i = 0; i < Items; ++i)
            g->Items()->Add(String(static_cast<size_t>(i + 1), 'A')); // A, AA, AAA, ...
        return g;
    }
};

TEST_F(RadioGroup, ItemsFillTheColumnsTopToBottom) {
    auto* g = NewGroup(200, 7);
    g->SetColumns(3);
    ASSERT_EQ(g->ButtonCount(), 7);
    // gsFlat, "Yy" 13 high: the client area starts at 14, the items 2 below.
    const Integer top = 16, step = 17 + 3;
    // Measured: each column as wide as its widest caption + glyph 13 + 12.
    const Integer c0 = 3 * 5 + 25, c1 = 6 * 5 + 25;
    const TRect expected[] = {{8, top, 8 + c0 - 4, top + 17},
                              {8, top + step, 8 + c0 - 4, top + step + 17},
                              {8, top + 2 * step, 8 + c0 - 4, top + 2 * step + 17},
                              {8 + c0, top, 8 + c0 + c1 - 4, top + 17},
                              {8 + c0, top + step, 8 + c0 + c1 - 4, top + step + 17},
                              {8 + c0, top + 2 * step, 8 + c0 + c1 - 4, top + 2 * step + 17},
                              {8 + c0 + c1, top, 8 + c0 + c1 + 7 * 5 + 25 - 4, top + 17}};
    for (Integer i = 0; i < 7; ++i)
        EXPECT_EQ(g->ItemButton(i)->BoundsRect(), expected[i]) << i;

    // Evenly: (200 - 8 - 0 - 10) div 2 = 91 pixels a column.
    g->SetColumns(2);
    g->SetSpaceEvenly(true);
    EXPECT_EQ(g->ItemButton(0)->BoundsRect(), TRect(8, top, 8 + 91, top + 17));
    EXPECT_EQ(g->ItemButton(4)->BoundsRect(), TRect(8 + 91, top, 8 + 2 * 91, top + 17));
    // Right to left, mirrored; the items follow the group at once, glyphs
    // on their right.
    g->SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(g->ItemButton(0)->Left(), g->ClientWidth() - 91 - 8);
    EXPECT_EQ(g->ItemButton(0)->GlyphRect().Right, 91);
    g->SetColumns(3);
    g->SetColumns(2);
    EXPECT_EQ(g->ItemButton(0)->Left(), g->ClientWidth() - 91 - 8);
    // A group too narrow for its columns gives empty ones, never negative.
    g->SetBiDiMode(bdLeftToRight);
    g->SetWidth(12);
    g->SetColumns(3);
    EXPECT_EQ(g->ItemButton(0)->Width(), 0);

    g->SetColumns(20);
    EXPECT_EQ(g->Columns(), 16);
    g->SetColumns(0);
    EXPECT_EQ(g->Columns(), 1);
}

TEST_F(RadioGroup, RightToLeftMirrorsTheColumnsAndEachItem) {
    // 100 wide, two even columns of 41 from 8; items "A" and "AA" (5 pixels
    // a character, 8 high, 'T') 17 high from 16, each a 6 x 6 glyph ('r') at
    // 2 and its caption inset by 1 beside glyph + 4. Right to left the
    // columns run from the right (100 - 8 - 41 = 51, then 10), each glyph
    // goes to its item's right and each caption is right-aligned beside it.
    auto* g = NewGroup(100, 2);
    g->SetColumns(2);
    g->SetSpaceEvenly(true);
    g->ItemFont()->SetColor(clBtnText);
    TBitmap strip(6 * 6, 6); // a radio button strip holds six glyphs
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect(TRect(0, 0, 36, 6));
    g->SetCustomGlyphs(&strip);
    TLegend legend = FrameLegend();
    legend.push_back({clRed, 'r'});
    struct Case {
        TBiDiMode Mode;
        TRect Glyphs[2], Captions[2];
    };
    const Case cases[] = {
        {bdLeftToRight, {{8, 18, 14, 24}, {49, 18, 55, 24}}, {{19, 17, 24, 25}, {60, 17, 70, 25}}},
        {bdRightToLeft, {{86, 18, 92, 24}, {45, 18, 51, 24}}, {{76, 17, 81, 25}, {30, 17, 40, 25}}},
    };
    // The rows 16 to 33 of the items, within the frame's sides (x 1 to 98).
    std::string face;
    for (int y = 0; y < 17; ++y) face += std::string(98, 'F') + "\n";
    auto overlay = [](std::string Map, TRect R, char Letter) {
        for (int y = R.Top - 16; y < R.Bottom - 16; ++y)
            for (int x = R.Left - 1; x < R.Right - 1; ++x) Map[static_cast<std::size_t>(y * 99 + x)] = Letter;
        return Map;
    };
    for (const Case& c : cases) {
        g->SetBiDiMode(c.Mode);
        g->PaintTo(NewCanvas(98, 17)->Handle(), -1, -16);
        std::string want = face;
        for (int i = 0; i < 2; ++i) want = overlay(overlay(want, c.Glyphs[i], 'r'), c.Captions[i], 'T');
        EXPECT_EQ(Map(legend), want) << c.Mode;
    }
}

TEST_F(RadioGroup, TheSelectionStaysWithinTheLines) {
    auto* g = NewGroup(200, 4);
    g->SetItemIndex(10);
    EXPECT_EQ(g->ItemIndex(), 3);
    EXPECT_TRUE(g->ItemButton(3)->Checked());
    g->SetItemIndex(-5);
    EXPECT_EQ(g->ItemIndex(), -1);
    EXPECT_FALSE(g->ItemButton(3)->Checked());
    g->SetItemIndex(3);
    g->Items()->Delete(3);
    EXPECT_EQ(g->ItemIndex(), 2);
    EXPECT_TRUE(g->ItemButton(2)->Checked());
    g->Items()->Clear();
    EXPECT_EQ(g->ItemIndex(), -1);

    // A stored index beyond the stored lines loads as the last line.
    RegisterClass(TQxRadioGroup::ClassInfo());
    Read("  object Stored: TQxRadioGroup\n    ItemIndex = 5\n    Items.Strings = (\n      'One'\n      'Two'\n"
         "      'Three')\n  end\n");
    auto* stored = dynamic_cast<TQxRadioGroup*>(Form->FindComponent("Stored"));
    EXPECT_EQ(stored->ItemIndex(), 2);
    EXPECT_TRUE(stored->ItemButton(2)->Checked());
}

TEST_F(RadioGroup, ChangesAreOfferedFirstAndARefusalMovesNothing) {
    auto* g = NewGroup(200, 3);
    Form->Show();
    bool allow = true;
    std::vector<Integer> asked;
    Integer clicks = 0;
    g->OnChanging = [&](TObject*, Integer NewIndex, bool& Allow) {
        asked.push_back(NewIndex);
        Allow = allow;
    };
    g->OnClick = [&](TObject*) { ++clicks; };
    g->SetItemIndex(1);
    EXPECT_EQ(asked, (std::vector<Integer>{1}));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(g->ItemButton(1)->Checked());

    // Refused by code: the index, the checks and the focus stay.
    allow = false;
    g->SetItemIndex(2);
    EXPECT_EQ(g->ItemIndex(), 1);
    EXPECT_TRUE(g->ItemButton(1)->Checked());
    EXPECT_FALSE(g->ItemButton(2)->Checked());
    EXPECT_FALSE(g->ItemButton(2)->Focused());
    EXPECT_EQ(clicks, 1);

    // Refused click: the old item is checked again and takes the focus.
    MouseInput(g, maDown, mbLeft, {}, {g->ItemButton(2)->Left() + 3, g->ItemButton(2)->Top() + 5});
    MouseInput(g, maUp, mbLeft, {}, {g->ItemButton(2)->Left() + 3, g->ItemButton(2)->Top() + 5});
    EXPECT_EQ(g->ItemIndex(), 1);
    EXPECT_TRUE(g->ItemButton(1)->Checked());
    EXPECT_FALSE(g->ItemButton(2)->Checked());
    EXPECT_TRUE(g->ItemButton(1)->Focused());

    // The Down arrow on the selected item is offered and clicks again.
    allow = true;
    asked.clear();
    KeyInput(kaDown, VK_DOWN, {});
    KeyInput(kaUp, VK_DOWN, {});
    EXPECT_EQ(asked, (std::vector<Integer>{1}));
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(g->ItemButton(1)->Focused());

    // A rebuild re-checks quietly.
    asked.clear();
    g->Items()->Add("New");
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(clicks, 2);

    // Clearing the selection checks no button: nothing is offered or
    // clicked, and a handler that refuses everything cannot keep it.
    allow = false;
    g->SetItemIndex(-1);
    EXPECT_EQ(g->ItemIndex(), -1);
    EXPECT_FALSE(g->ItemButton(1)->Checked());
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(clicks, 2);
}

TEST_F(RadioGroup, TheItemFontFollowsTheGroupsUntilSetOnItsOwn) {
    auto* g = Make<TQxRadioGroup>(Form, {0, 0, 100, 100});
    g->Font()->SetName("Arial");
    EXPECT_EQ(g->ItemFont()->Name(), "Arial");
    EXPECT_FALSE(g->ItemFontSet());
    g->ItemFont()->SetName("Courier New");
    EXPECT_TRUE(g->ItemFontSet());
    g->Font()->SetName("Verdana");
    EXPECT_EQ(g->ItemFont()->Name(), "Courier New");
}

TEST_F(RadioGroup, TheAcceleratorNeedsAnItemThatCanTakeTheFocus) {
    auto* g = NewGroup(200, 2);
    g->SetCaption("&Choice");
    Form->Show();
    g->ItemButton(0)->SetEnabled(false);
    EXPECT_EQ(g->Perform(CM_DIALOGCHAR, 'c'), 1);
    EXPECT_TRUE(g->ItemButton(1)->Focused());
    g->ItemButton(1)->SetEnabled(false);
    EXPECT_EQ(g->Perform(CM_DIALOGCHAR, 'c'), 0);
}

// With TabOnEnter, Enter on an item moves on as Tab does, past the other
// items, to the next control; a check box with TabOnEnter passes it on.
TEST_F(RadioGroup, EnterAsTabLeavesTheGroup) {
    auto* g = NewGroup(200, 3);
    auto* box = Make<TQxCheckBox>(Form, {210, 0, 290, 20});
    auto* last = Make<TQxCheckBox>(Form, {210, 30, 290, 50});
    g->SetTabOnEnter(true);
    box->SetTabOnEnter(true);
    Form->Show();
    g->SetItemIndex(1);
    g->ItemButton(1)->SetFocus();
    auto enter = [] {
        KeyInput(kaDown, VK_RETURN, {}, "\r");
        KeyInput(kaUp, VK_RETURN, {});
        Application->ProcessMessages();
    };
    enter();
    EXPECT_TRUE(box->Focused());
    EXPECT_EQ(g->ItemIndex(), 1);
    enter();
    EXPECT_TRUE(last->Focused());
}

} // namespace
