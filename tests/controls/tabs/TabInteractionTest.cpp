// The tab control answering the user through real mouse and key input and
// the manual clock: selection with its veto, hot tracking and tab hints,
// keys, accelerators, the scroller's repeat, closing, dragging tabs.
#include "platform/gui/controls/Menus.h"
#include "tests/controls/tabs/TabTestSupport.h"

namespace {

class TabInteraction : public TabTest {
protected:
    // Three tabs on top: 0..38, 32..74, 64..106 (points inside: x 10, 50, 90).
    TQxTabControl* Three() {
        auto* t = NewTabs({"&About", "&Results", "Memory"});
        t->OnChange = [this](TObject*) { Events.push_back("change " + IntToStr(Tabs->TabIndex())); };
        t->OnTabClick = [this](TObject*) { Events.push_back("click " + IntToStr(Tabs->TabIndex())); };
        Tabs = t;
        Show();
        return t;
    }
    TQxTabControl* Tabs = nullptr;
    std::vector<String> Events;
};

TEST_F(TabInteraction, ClicksSelectUnlessRefusedAndOutOfRangeIsNone) {
    auto* t = Three();
    Click(t, {50, 7});
    EXPECT_EQ(t->TabIndex(), 1);
    t->OnChanging = [&](TObject*, Integer NewIndex, bool& Allow) {
        Events.push_back("changing " + IntToStr(NewIndex));
        Allow = false;
    };
    Click(t, {90, 7});
    EXPECT_EQ(t->TabIndex(), 1);
    t->OnChanging = nullptr;
    // The current tab clicked again: focused, and clicked again.
    Click(t, {50, 7});
    EXPECT_TRUE(t->Focused());
    t->SetTabIndex(99);
    EXPECT_EQ(t->TabIndex(), -1);
    EXPECT_EQ(Events, (std::vector<String>{"change 1", "click 1", "changing 2", "click 1"}));
    // A disabled tab is not selected but is remembered as pressed.
    t->Tabs()->GetItem(2)->Enabled = false;
    Click(t, {90, 7});
    EXPECT_EQ(t->TabIndex(), -1);
}

TEST_F(TabInteraction, HotTrackingFollowsThePointerAndTheTimerNoticesItLeaving) {
    auto* t = Three();
    // A hint the program gives the control in code survives hot tracking,
    // with tab hints or without.
    t->SetHint("The program's tabs");
    Mouse(t, maMove, {10, 7});
    Mouse(t, maMove, {150, 60});
    EXPECT_EQ(t->Hint(), "The program's tabs");
    t->SetTabHints(true);
    t->SetShowHint(true);
    t->Tabs()->GetItem(0)->Hint = "The about page";
    Mouse(t, maMove, {10, 7});
    EXPECT_EQ(t->HotTab(), 0);
    EXPECT_EQ(t->Hint(), "The about page");
    Mouse(t, maMove, {11, 7}); // the hint of the tab starts with the next move
    Run(Application->HintPause());
    EXPECT_EQ(Application->ActiveHint(), "The about page");
    // The empty end of the strip shows no hint.
    Mouse(t, maMove, {200, 7});
    EXPECT_EQ(t->HotTab(), -1);
    EXPECT_EQ(t->Hint(), "");
    EXPECT_EQ(Application->ActiveHint(), "");
    Mouse(t, maMove, {50, 7});
    EXPECT_EQ(t->HotTab(), 1);
    // The pointer goes to another window: the 60 ms timer sees it off the tabs.
    Mouse(Form, maMove, {310, 150});
    EXPECT_EQ(t->HotTab(), 1);
    Run(59);
    EXPECT_EQ(t->HotTab(), 1);
    Run(1);
    EXPECT_EQ(t->HotTab(), -1);
    EXPECT_EQ(t->Hint(), "The program's tabs");
}

// The hot-tracking repaint skips the card's shadow; an expose afterwards
// paints it again.
TEST_F(TabInteraction, AnExposeAfterHotTrackingPaintsTheShadow) {
    auto* t = Three();
    t->SetBackgroundColor(Paper);
    PaintNow(t);
    const COLORREF shadow = t->PaintBuffer()->Canvas()->Pixels(299, 50);
    EXPECT_NE(shadow, ColorToRGB(Paper));
    Mouse(t, maMove, {10, 7});
    Application->ProcessMessages();
    t->Invalidate();
    Application->ProcessMessages();
    EXPECT_EQ(t->PaintBuffer()->Canvas()->Pixels(299, 50), shadow);
}

TEST_F(TabInteraction, KeysMoveAlongTheStripMirroredOnTheLeft) {
    auto* t = Three();
    t->SetFocus();
    t->SetTabIndex(0);
    Events.clear();
    Key(VK_RIGHT);
    EXPECT_EQ(t->TabIndex(), 1);
    Key(VK_END);
    EXPECT_EQ(t->TabIndex(), 2);
    Key(VK_DOWN); // wraps
    EXPECT_EQ(t->TabIndex(), 0);
    Key(VK_LEFT);
    EXPECT_EQ(t->TabIndex(), 2);
    t->Tabs()->GetItem(1)->Enabled = false;
    Key(VK_LEFT); // over the disabled tab
    EXPECT_EQ(t->TabIndex(), 0);
    t->Tabs()->GetItem(1)->Enabled = true;
    // Left tabs in the standard sequence run upwards: Up is forward, Home
    // the last tab.
    t->SetTabOrientation(toLeft);
    Key(VK_UP);
    EXPECT_EQ(t->TabIndex(), 1);
    Key(VK_HOME);
    EXPECT_EQ(t->TabIndex(), 2);
    Key(VK_END);
    EXPECT_EQ(t->TabIndex(), 0);
    EXPECT_EQ(Events.size(), 16u); // a change and a click each
    // Every tab disabled and none current: nothing moves.
    t->SetTabIndex(-1);
    for (Integer i = 0; i < 3; ++i)
        t->Tabs()->GetItem(i)->Enabled = false;
    Key(VK_RIGHT);
    EXPECT_EQ(t->TabIndex(), -1);
}

// From the middle of three tabs, the tab each of Right, Left, Up, Down,
// Home and End selects: arrows towards the strip's end step forward (for
// left tabs Up and Left in the standard sequence), and the reverse sequence
// turns every key around, Home and End included.
TEST_F(TabInteraction, KeysFollowTheSequenceOnEachSide) {
    struct Case {
        TQxTabOrientation Side;
        TQxTabSequence Sequence;
        const char* Reached;
    };
    const std::vector<Case> cases = {{toTop, tsStandard, "200202"},   {toTop, tsReverse, "022020"},
                                     {toLeft, tsStandard, "022020"},  {toLeft, tsReverse, "200202"},
                                     {toBottom, tsReverse, "022020"}, {toRight, tsStandard, "200202"},
                                     {toRight, tsReverse, "022020"}};
    auto* t = Three();
    t->SetFocus();
    for (const Case& c : cases) {
        t->SetTabOrientation(c.Side);
        t->SetTabSequence(c.Sequence);
        std::string reached;
        for (Word key : {VK_RIGHT, VK_LEFT, VK_UP, VK_DOWN, VK_HOME, VK_END}) {
            t->SetTabIndex(1);
            Key(key);
            reached += static_cast<char>('0' + t->TabIndex());
        }
        EXPECT_EQ(reached, c.Reached) << c.Side << " " << c.Sequence;
    }
}

// The flag that lets the control change its own tab unasked is cleared
// again when an OnChange handler raises.
TEST_F(TabInteraction, ARaisingOnChangeLeavesTheVetoInForce) {
    auto* t = Three();
    t->SetFocus();
    t->SetTabIndex(0);
    t->OnChange = [](TObject*) { throw Exception("handler failed"); };
    EXPECT_THROW(Key(VK_RIGHT), Exception);
    t->OnChange = nullptr;
    t->OnChanging = [](TObject*, Integer, bool& Allow) { Allow = false; };
    Click(t, {90, 7});
    EXPECT_EQ(t->TabIndex(), 1);
}

// Accelerators are characters, of any case and any alphabet: those the
// painter underlines, after each line's first "&". A line whose first "&"
// is doubled (a literal "&") has none.
TEST_F(TabInteraction, AcceleratorsSelectTheirTab) {
    auto* t = Three();
    t->Tabs()->GetItem(2)->Caption = "&\u00dcbersicht";
    Events.clear();
    Key('R', {ssAlt});
    EXPECT_EQ(t->TabIndex(), 1);
    EXPECT_TRUE(t->Focused());
    EXPECT_EQ(Events, (std::vector<String>{"change 1", "click 1"}));
    Key('A', {ssAlt});
    EXPECT_EQ(t->TabIndex(), 0);
    Key(0, {ssAlt}, "\u00c3"); // the first byte of the letter's code, as a character
    EXPECT_EQ(t->TabIndex(), 0);
    Key(0, {ssAlt}, "\u00fc");
    EXPECT_EQ(t->TabIndex(), 2);
    t->Tabs()->GetItem(1)->Caption = "A&&B &C";
    t->Tabs()->GetItem(2)->Caption = "Me&&mory";
    for (const char key : {'C', 'M'}) {
        Key(key, {ssAlt});
        EXPECT_EQ(t->TabIndex(), 2) << key;
    }
    t->Tabs()->GetItem(1)->Caption = "&Results\r\nand &Logs";
    Key('L', {ssAlt});
    EXPECT_EQ(t->TabIndex(), 1);
}

// Holding the scroller's arrow scrolls after 400 ms, then every 100 ms, and
// once more on release; a click scrolls once.
TEST_F(TabInteraction, TheScrollerRepeatsWhileHeld) {
    auto* t = NewTabs({"Tab1", "Tab2", "Tab3", "Tab4", "Tab5", "Tab6", "Tab7", "Tab8", "Tab9", "Tab10", "Tab11",
                       "Tab12", "Tab13", "Tab14", "Tab15", "Tab16"},
                      {0, 0, 150, 60});
    Show();
    Integer steps = 0;
    t->OnScrolledTabs = [&](TObject*) { ++steps; };
    TQxTabScroller* s = t->Scroller();
    ASSERT_NE(s, nullptr);
    const TPoint second{s->Width() - 3, 5};
    Mouse(s, maMove, second);
    Mouse(s, maDown, second);
    Run(399);
    EXPECT_EQ(steps, 0);
    Run(1);
    EXPECT_EQ(steps, 1);
    for (int k = 0; k < 6; ++k)
        Run(100);
    EXPECT_EQ(steps, 7);
    Mouse(s, maUp, second);
    EXPECT_EQ(steps, 8);
    EXPECT_EQ(t->FirstVisibleTab(), 8);
    Run(1000);
    EXPECT_EQ(steps, 8);
    // Released outside the pressed arrow: nothing.
    Mouse(s, maDown, {2, 5});
    Mouse(s, maMove, {s->Width() - 2, 5});
    Mouse(s, maUp, {s->Width() - 2, 5});
    EXPECT_EQ(steps, 8);
    Click(s, {2, 5});
    EXPECT_EQ(steps, 9);
    EXPECT_EQ(t->FirstVisibleTab(), 7);
    // A release whose step raises leaves no repeat running.
    t->OnScrolledTabs = [](TObject*) { throw Exception("scroll failed"); };
    Mouse(s, maDown, second);
    EXPECT_THROW(Mouse(s, maUp, second), Exception);
    EXPECT_FALSE(s->RepeatTimer()->Enabled());
}

TEST_F(TabInteraction, TheCloseButtonAsksOnClose) {
    auto* t = Three();
    t->SetShowCloseButton(true);
    t->SetTabIndex(1);
    Application->ProcessMessages();
    auto* close = t->CloseButton();
    ASSERT_NE(close, nullptr);
    Integer asked = 0;
    t->OnClose = [&](TObject*, bool& Allow) { ++asked; };
    Click(close, {3, 3});
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(t->TabIndex(), 1);
    // Any button presses the strip's close button.
    Mouse(close, maDown, {3, 3}, {}, mbRight);
    Mouse(close, maUp, {3, 3}, {}, mbRight);
    EXPECT_EQ(asked, 2);
}

// An OnClose handler that frees the control, allowing the close or not:
// neither close button touches itself or the control afterwards.
TEST_F(TabInteraction, AnOnCloseThatFreesTheControlEndsTheClickCleanly) {
    for (bool cross : {false, true})
        for (bool allow : {false, true}) {
            auto* t = NewTabs({"One", "Two"});
            if (cross)
                t->SetShowCloseButtonOnActiveTab(true);
            else
                t->SetShowCloseButton(true);
            t->SetTabIndex(0);
            Show();
            bool freed = false;
            t->OnClose = [&, t](TObject*, bool& Allow) {
                Allow = allow;
                bool& done = freed; // the handler goes with the control
                t->Free();
                done = true;
            };
            if (cross) {
                const TControl* b = t->ActiveTabCloseButton();
                Click(t, {b->Left() + 3, b->Top() + 3});
            } else
                Click(t->CloseButton(), {3, 3});
            EXPECT_TRUE(freed) << cross << allow;
            Application->ProcessMessages();
        }
}

// Any handler on the way may free the control: OnChanging (allowing),
// OnChange, OnPageChange or OnTabClick, fired by a click on another tab (as
// the window system sends it, to the form's window), the Right arrow, an
// accelerator, the close of a page, and the repair of a current tab that
// was disabled and painted; on a tab control and on a page control; and
// OnTabOrderChange fired by dropping a dragged page's tab. The input ends
// without touching the control again (the sanitizer build tells).
TEST_F(TabInteraction, AHandlerThatFreesTheControlEndsTheInputCleanly) {
    enum TTrigger { ByClick, ByArrow, ByAccelerator, ByClose, ByRepair, ByDrop };
    enum TEvent { OnChanging, OnChange, OnPageChange, OnTabClick, OnTabOrderChange, OnShow, OnHide };
    struct Case {
        bool Pages;
        TTrigger Trigger;
        TEvent Event;
    };
    std::vector<Case> cases;
    for (bool pages : {false, true})
        for (TEvent e : {OnChanging, OnChange, OnPageChange, OnTabClick})
            for (TTrigger by : {ByClick, ByArrow, ByAccelerator, ByClose, ByRepair}) {
                // Only a page control closes a page; closing and repairing
                // click no tab.
                if ((by == ByClose && !pages) || (e == OnTabClick && (by == ByClose || by == ByRepair)))
                    continue;
                cases.push_back({pages, by, e});
            }
    cases.push_back({true, ByDrop, OnTabOrderChange});
    // The page shown and the page hidden by a change.
    for (TEvent e : {OnShow, OnHide})
        for (TTrigger by : {ByClick, ByArrow})
            cases.push_back({true, by, e});

    // The handlers free the control through this: nothing of the handler
    // is touched once the control went.
    auto freeControl = [](TControl* C, bool& Freed) {
        bool& freed = Freed;
        C->Free();
        freed = true;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Pages) + " " + std::to_string(c.Trigger) + " " +
                     std::to_string(c.Event));
        TQxCustomTabControl* t = nullptr;
        if (c.Pages) {
            auto* pages = new TQxPageControl(Form);
            pages->SetBounds(0, 0, 300, 100);
            pages->SetParent(Form);
            for (const char* caption : {"&About", "&Results", "Memory"}) {
                auto* sheet = new TQxTabSheet(pages);
                sheet->SetCaption(caption);
                sheet->SetPageControl(pages);
            }
            pages->SetActivePage(pages->Pages(0));
            pages->SetShowCloseButton(true);
            pages->SetAllowTabDragging(true);
            t = pages;
        } else {
            t = NewTabs({"&About", "&Results", "Memory"});
            t->SetTabIndex(0);
        }
        Show();
        t->SetFocus();
        bool freed = false;
        switch (c.Event) {
        case OnChanging:
            t->OnChanging = [&, t](TObject*, Integer, bool&) { freeControl(t, freed); };
            break;
        case OnChange:
            t->OnChange = [&, t](TObject*) { freeControl(t, freed); };
            break;
        case OnPageChange:
            t->OnPageChange = [&, t](TObject*) { freeControl(t, freed); };
            break;
        case OnTabClick:
            t->OnTabClick = [&, t](TObject*) { freeControl(t, freed); };
            break;
        case OnTabOrderChange:
            t->OnTabOrderChange = [&, t](TObject*, Integer, Integer) { freeControl(t, freed); };
            break;
        case OnShow:
            static_cast<TQxPageControl*>(t)->Pages(1)->OnShow = [&, t](TObject*) { freeControl(t, freed); };
            break;
        case OnHide:
            static_cast<TQxPageControl*>(t)->Pages(0)->OnHide = [&, t](TObject*) { freeControl(t, freed); };
            break;
        }
        switch (c.Trigger) {
        case ByClick:
            Click(Form, {50, 7});
            break;
        case ByArrow:
            Key(VK_RIGHT);
            break;
        case ByAccelerator:
            Key('R', {ssAlt});
            break;
        case ByClose: {
            t->OnClose = [](TObject*, bool& Allow) { Allow = true; };
            const TControl* close = t->CloseButton();
            Click(Form, {close->Left() + 3, close->Top() + 3});
            break;
        }
        case ByRepair:
            if (c.Pages)
                static_cast<TQxPageControl*>(t)->Pages(0)->SetTabEnabled(false);
            else {
                t->Tabs()->GetItem(0)->Enabled = false;
                t->RequestLayout();
            }
            PaintNow(t);
            break;
        case ByDrop:
            Mouse(Form, maMove, {10, 7});
            Mouse(Form, maDown, {10, 7});
            Mouse(Form, maMove, {20, 7}, {ssLeft});
            Mouse(Form, maMove, {90, 7}, {ssLeft});
            Mouse(Form, maUp, {90, 7});
            break;
        }
        Application->ProcessMessages();
        EXPECT_TRUE(freed);
        if (!freed) t->Free();
    }
}

TEST_F(TabInteraction, TheSortedTabMenuKeepsTabsOfEqualCaptions) {
    auto* t = NewTabs({"Beta", "alpha", "Beta", "Gamma"});
    t->Tabs()->GetItem(3)->Visible = false;
    std::vector<Integer> order;
    t->BuildTabMenuItems(order);
    EXPECT_EQ(order, (std::vector<Integer>{1, 0, 2}));
    t->SetSortTabMenu(false);
    t->BuildTabMenuItems(order);
    EXPECT_EQ(order, (std::vector<Integer>{0, 1, 2}));
}

// The layout keeps the current tab only while it can be current: hidden or
// disabled, it gives way to the nearest tab OnChanging allows, forward
// first; refused everywhere, it stays. One invalidation settles at once
// (the repair asks for one more paint), and a setter whose own layout
// repairs tells of one change.
TEST_F(TabInteraction, TheLayoutRepairsTheCurrentTabAskingOnChanging) {
    auto* t = Three();
    t->SetTabIndex(2);
    Integer paints = 0;
    bool refuse = false;
    std::vector<Integer> asked;
    t->OnPaintBackground = [&](TObject*, TCanvas*, const TRect&, bool&) { ++paints; };
    t->OnChanging = [&](TObject*, Integer NewIndex, bool& Allow) {
        asked.push_back(NewIndex);
        Allow = !refuse;
    };
    Events.clear();
    t->Tabs()->GetItem(2)->Visible = false;
    t->RequestLayout();
    for (int k = 0; k < 3; ++k)
        Application->ProcessMessages();
    const Integer settled = paints;
    for (int k = 0; k < 5; ++k)
        Application->ProcessMessages();
    EXPECT_LE(settled, 2);
    EXPECT_EQ(paints, settled);
    EXPECT_EQ(t->TabIndex(), 1);
    EXPECT_EQ(asked, (std::vector<Integer>{1}));
    // Disabled, with every other tab refused: it stays.
    refuse = true;
    asked.clear();
    t->Tabs()->GetItem(1)->Enabled = false;
    t->RequestLayout();
    Application->ProcessMessages();
    EXPECT_EQ(t->TabIndex(), 1);
    EXPECT_EQ(asked, (std::vector<Integer>{0}));
    // The setter lays out, and the repair moves the tab on: one change.
    refuse = false;
    t->Tabs()->GetItem(1)->Enabled = true;
    t->Tabs()->GetItem(2)->Visible = true;
    t->SetTabIndex(2);
    t->Tabs()->GetItem(2)->Visible = false;
    t->RequestLayout();
    Events.clear();
    t->SetTabIndex(2);
    EXPECT_EQ(t->TabIndex(), 1);
    EXPECT_EQ(Events, (std::vector<String>{"change 1"}));
}

// Held beyond the strip's end while dragging, the strip scrolls after
// 400 ms and then every 300 ms; the drag's end stops it.
TEST_F(TabInteraction, DraggingBeyondTheStripScrollsIt) {
    auto* t = NewTabs({"Tab1", "Tab2", "Tab3", "Tab4", "Tab5", "Tab6", "Tab7", "Tab8", "Tab9", "Tab10"},
                      {0, 0, 150, 60});
    t->SetAllowTabDragging(true);
    t->SetTabIndex(0);
    Show();
    Mouse(t, maMove, {10, 7});
    Mouse(t, maDown, {10, 7});
    Mouse(t, maMove, {11, 30}, {ssLeft});
    Mouse(t, maMove, {20, 30}, {ssLeft}); // over the card: no tab, the timer starts
    Mouse(t, maMove, {200, 30}, {ssLeft});
    Run(399);
    EXPECT_EQ(t->FirstVisibleTab(), 0);
    Run(1);
    EXPECT_EQ(t->FirstVisibleTab(), 1);
    Run(300);
    EXPECT_EQ(t->FirstVisibleTab(), 2);
    Mouse(t, maUp, {200, 30});
    Run(1000);
    EXPECT_EQ(t->FirstVisibleTab(), 2);
}

// The drag indicator over tab 0 while tab 1 is current: at the tab's
// leading edge in the standard sequence ("before"), at its trailing edge in
// the reverse one ("after"), 15 along and 8 across over the strip's outer
// edge, moved by half the row height (7) for the slants that lean there and
// by 1 for the upright styles. Tabs 40 along, 14 across.
TEST_F(TabInteraction, TheDragIndicatorMarksTheLeadingOrTrailingEdge) {
    struct Case {
        TQxTabOrientation Side;
        TQxTabSequence Sequence;
        TQxTabStyle Style;
        TRect Tab, Indicator;
    };
    const std::vector<Case> cases = {
        {toTop, tsStandard, tsSingleSlant, {0, 0, 40, 14}, {-8, -2, 7, 6}},
        {toTop, tsStandard, tsDoubleSlant, {0, 0, 40, 14}, {-1, -2, 14, 6}},
        {toTop, tsStandard, tsCutCorner, {0, 0, 40, 14}, {-8, -2, 7, 6}},
        {toTop, tsReverse, tsSingleSlant, {259, 0, 299, 14}, {285, -2, 300, 6}},
        {toTop, tsReverse, tsCutCorner, {259, 0, 299, 14}, {293, -2, 308, 6}},
        {toTop, tsReverse, tsBackSlant, {259, 0, 299, 14}, {292, -2, 307, 6}},
        {toBottom, tsStandard, tsBackSlant, {0, 85, 40, 99}, {-1, 93, 14, 101}},
        {toLeft, tsStandard, tsSingleSlant, {0, 59, 14, 99}, {-2, 92, 6, 107}},
        {toLeft, tsStandard, tsBackSlant, {0, 59, 14, 99}, {-2, 85, 6, 100}},
        {toLeft, tsStandard, tsCutCorner, {0, 59, 14, 99}, {-2, 93, 6, 108}},
        {toLeft, tsReverse, tsDoubleSlant, {0, 0, 14, 40}, {-2, -1, 6, 14}},
        {toLeft, tsReverse, tsCutCorner, {0, 0, 14, 40}, {-2, -8, 6, 7}},
        {toRight, tsStandard, tsSingleSlant, {285, 0, 299, 40}, {294, -8, 302, 7}},
        {toRight, tsStandard, tsDoubleSlant, {285, 0, 299, 40}, {294, 0, 302, 15}},
        {toRight, tsReverse, tsSingleSlant, {285, 59, 299, 99}, {294, 85, 302, 100}},
        {toRight, tsReverse, tsCutCorner, {285, 59, 299, 99}, {294, 93, 302, 108}},
    };
    for (const Case& c : cases) {
        auto* t = NewTabs({"One", "Two"});
        const bool side = c.Side == toLeft || c.Side == toRight;
        t->SetTabOrientation(c.Side);
        t->SetTabSequence(c.Sequence);
        t->SetTabStyle(c.Style);
        t->SetTabWidth(side ? 14 : 40);
        t->SetTabHeight(side ? 40 : 14);
        t->SetTabIndex(1);
        t->LayoutIfNeeded();
        EXPECT_EQ(t->TabClientRect(0), c.Tab) << c.Side << " " << c.Sequence << " " << c.Style;
        EXPECT_EQ(t->DragIndicatorRect(0), c.Indicator) << c.Side << " " << c.Sequence << " " << c.Style;
        t->Free();
    }
}

// The menu button drops down a menu made anew from the visible tabs: the
// current tab checked, a disabled one disabled; an item selects its tab.
TEST_F(TabInteraction, TheTabMenuListsTheTabsAndSelectsOne) {
    auto* t = Three();
    t->SetShowMenuButton(true);
    t->Tabs()->GetItem(2)->Enabled = false;
    t->Tabs()->GetItem(0)->Caption = "Zeta";
    t->SetTabIndex(1);
    Application->ProcessMessages();
    TQxTabMenuButton* button = t->MenuButton();
    ASSERT_NE(button, nullptr);
    Click(button, {3, 3});
    TPopupMenu* menu = button->PopupMenu();
    ASSERT_TRUE(menu->IsPoppedUp());
    EXPECT_EQ(menu->Alignment(), paRight);
    TMenuItem* items = menu->Items();
    ASSERT_EQ(items->Count(), 3);
    // Sorted by the captions as stored ("&" before letters).
    EXPECT_EQ(items->Items(0)->Caption(), "&Results");
    EXPECT_TRUE(items->Items(0)->Checked());
    EXPECT_EQ(items->Items(1)->Caption(), "Memory");
    EXPECT_FALSE(items->Items(1)->Enabled());
    EXPECT_EQ(items->Items(2)->Caption(), "Zeta");
    CloseMenus();
    items->Items(2)->Click();
    EXPECT_EQ(t->TabIndex(), 0);
    // Pressed again, the menu is made anew.
    Click(button, {3, 3});
    EXPECT_TRUE(menu->Items()->Items(2)->Checked());
    CloseMenus();
}

} // namespace
