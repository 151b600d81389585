// The library panel and group box: borders and the client area they leave,
// the rounded-corner fill, the lattice, the group styles' frames and client
// rectangles, remembered child states, accelerators, old stored names and
// the captioned dock grabbers.
#include "tests/controls/panel/ControlTestSupport.h"

#include "controls/panel/QxPanel.h"

namespace {

// The panel as its descendants show it, published for these tests.
class TTestPanel : public TQxCustomPanel {
public:
    explicit TTestPanel(TComponent* AOwner) : TQxCustomPanel(AOwner) {}
};

class Panel : public ControlTest {
protected:
    TTestPanel* NewPanel(TRect Bounds) {
        auto* p = Make<TTestPanel>(Form, Bounds);
        p->SetColor(clWindow);
        return p;
    }
    TLegend Legend() {
        TLegend l = FrameLegend();
        l.push_back({AdjustColorLuminance(clBtnShadow, 30), 'A'});
        return l;
    }
};

TEST_F(Panel, RoundedFlatBordersFillUnderTheBorderAndCutTheCornersOfTheListedSides) {
    auto* p = NewPanel({0, 0, 7, 6});
    p->SetBorderOuter(fsFlatRounded);
    Form->Show();
    Snapshot(p);
    // The border's own cut corners, then the fill one pixel under it, whose
    // corner pixels go back to the border colour.
    EXPECT_EQ(Map(Legend()), Rows({"FFAAAFF", //
                                   "FAwwwAF", //
                                   "AwwwwwA", //
                                   "AwwwwwA", //
                                   "FAwwwAF", //
                                   "FFAAAFF"}));
    p->SetBorderSides({sdLeft, sdTop});
    Snapshot(p);
    EXPECT_EQ(Map(Legend()), Rows({"FFAAAAA", //
                                   "FAwwwww", //
                                   "Awwwwww", //
                                   "Awwwwww", //
                                   "Awwwwww", //
                                   "Awwwwww"}));
}

TEST_F(Panel, TheLatticeMarksEveryStep) {
    auto* p = NewPanel({0, 0, 9, 9});
    p->SetBorderOuter(fsNone);
    p->SetLatticeVisible(true);
    p->SetLatticeXStep(4);
    p->SetLatticeYStep(3);
    Form->Show();
    struct Case {
        TQxLatticeStyle Style;
        std::string Map;
    } cases[] = {
        {lsPoints, Rows({"wwwwwwwww", "wwwwwwwww", "wwwSwwwSw", "wwwwwwwww", "wwwwwwwww", "wwwSwwwSw",
                         "wwwwwwwww", "wwwwwwwww", "wwwSwwwSw"})},
        {lsLines, Rows({"wwwSwwwSw", "wwwSwwwSw", "SSSSSSSSS", "wwwSwwwSw", "wwwSwwwSw", "SSSSSSSSS",
                        "wwwSwwwSw", "wwwSwwwSw", "SSSSSSSSS"})},
        {lsDottedLines, Rows({"wwwwwwwww", "wwwSwwwSw", "wSwSwSwSw", "wwwSwwwSw", "wwwwwwwww", "wSwSwSwSw",
                              "wwwwwwwww", "wwwSwwwSw", "wSwSwSwSw"})},
    };
    for (const Case& c : cases) {
        p->SetLatticeStyle(c.Style);
        Snapshot(p);
        EXPECT_EQ(Map(), c.Map) << c.Style;
    }
    p->SetLatticeXStep(0); // no vertical lines, no points
    p->SetLatticeStyle(lsPoints);
    Snapshot(p);
    EXPECT_EQ(Map().find('S'), std::string::npos);
}

TEST_F(Panel, BordersLeaveTheClientAreaToAlignedChildren) {
    auto* p = NewPanel({0, 0, 100, 60});
    auto* child = Make<TTestPanel>(p, {0, 0, 10, 10});
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), TRect(2, 2, 98, 58)); // fsRaised
    // The client area is what lies inside the borders (BorderWidth aside),
    // while the panel's window still covers the whole panel.
    EXPECT_EQ(p->ClientRect(), TRect(2, 2, 98, 58));
    EXPECT_EQ(p->WindowClientRect(), TRect(0, 0, 100, 60));
    p->SetBorderWidth(3);
    p->SetBorderInner(fsFlat);
    p->SetBorderSides({sdLeft, sdBottom});
    EXPECT_EQ(child->BoundsRect(), TRect(6, 3, 97, 54));
    EXPECT_EQ(p->ClientRect(), TRect(3, 0, 100, 57));
    EXPECT_EQ(p->ClientWidth(), 97);
    EXPECT_EQ(p->ClientHeight(), 57);
    p->SetClientWidth(50);
    EXPECT_EQ(p->Width(), 53);
    p->SetWidth(100);
    // A bottom-aligned panel grows upwards.
    p->SetAlign(alBottom);
    const Integer bottom = p->Top() + p->Height();
    p->SetHeight(p->Height() + 10);
    EXPECT_EQ(p->Top() + p->Height(), bottom);
}

TEST_F(Panel, DisablingRemembersEachChildsOwnStateAndForgetsChildrenThatLeave) {
    auto* p = NewPanel({0, 0, 100, 60});
    auto* a = Make<TTestPanel>(p, {0, 0, 10, 10});
    auto* b = Make<TTestPanel>(p, {10, 0, 10, 10});
    auto* c = Make<TTestPanel>(p, {20, 0, 10, 10});
    b->SetEnabled(false);
    p->SetEnabled(false);
    EXPECT_FALSE(a->Enabled());
    EXPECT_EQ(p->RememberedStateCount(), 3);
    c->Free(); // freed while remembered: forgotten at once
    EXPECT_EQ(p->RememberedStateCount(), 2);
    auto* d = Make<TTestPanel>(p, {30, 0, 10, 10}); // arrives while disabled
    d->SetEnabled(false);
    p->SetEnabled(true);
    EXPECT_TRUE(a->Enabled());
    EXPECT_FALSE(b->Enabled());
    EXPECT_TRUE(d->Enabled());
    EXPECT_EQ(p->RememberedStateCount(), 0);
}

TEST_F(Panel, OldStoredNamesAreReadAndDropped) {
    RegisterClass(TQxGroupBox::ClassInfo());
    Read("  object Box: TQxGroupBox\n    FrameSides = [sdLeft, sdTop]\n    ThemeAware = False\n"
         "    UseGradients = True\n  end\n  object Box2: TQxGroupBox\n    UseGradients = False\n  end\n");
    EXPECT_EQ(dynamic_cast<TQxGroupBox*>(Form->FindComponent("Box"))->VisualStyle(), vsGradient);
    EXPECT_EQ(dynamic_cast<TQxGroupBox*>(Form->FindComponent("Box2"))->VisualStyle(), vsWinXP);
}

// ---------------------------------------------------------------- group box

class GroupBox : public Panel {};

TEST_F(GroupBox, EachStyleKeepsItsChildrenClearOfTheCaption) {
    auto* box = Make<TQxGroupBox>(Form, {0, 0, 120, 80});
    auto* child = Make<TTestPanel>(box, {0, 0, 10, 10});
    child->SetAlign(alClient);
    box->SetCaption("Group");
    struct Case {
        TQxGroupBoxStyle Style;
        Integer BannerHeight;
        TRect Client;
    } cases[] = {
        {gsFlat, 0, {1, 14, 119, 79}},      // "Yy" 13 high: 13 plus the 1-pixel inset
        {gsStandard, 0, {2, 15, 118, 78}},  //
        {gsTopLine, 0, {0, 13, 120, 80}},   //
        {gsBanner, 0, {0, 21, 120, 80}},    // 13 + 8
        {gsBanner, 30, {0, 30, 120, 80}},   //
        {gsUnderline, 0, {0, 17, 120, 80}}, //
        {gsCustom, 0, {2, 15, 118, 78}},    // caption height, then 2 all round
    };
    for (const Case& c : cases) {
        box->SetGroupStyle(c.Style);
        box->SetBannerHeight(c.BannerHeight);
        EXPECT_EQ(child->BoundsRect(), c.Client) << c.Style;
    }
    box->SetCaption("");
    EXPECT_EQ(child->BoundsRect(), TRect(2, 2, 118, 78)); // gsCustom without caption
}

TEST_F(GroupBox, FlatFramesCutTheirCornersAndBannersOutlineTheCaption) {
    auto* box = Make<TQxGroupBox>(Form, {0, 0, 8, 9});
    box->SetColor(clWindow);
    box->Font()->SetHeight(-6); // m = 6 / 2 - 1 = 2
    Form->Show();
    Snapshot(box);
    EXPECT_EQ(Map(Legend()), Rows({"wwwwwwww", //
                                   "wwwwwwww", //
                                   "wwAAAAww", //
                                   "wAwwwwAw", //
                                   "AwwwwwwA", //
                                   "AwwwwwwA", //
                                   "AwwwwwwA", //
                                   "wAwwwwAw", //
                                   "wwAAAAww"}));
    box->SetGroupStyle(gsBanner);
    box->SetBannerHeight(5);
    box->SetGradientColorStyle(gcsCustom);
    box->SetGradientColorStart(clBtnFace);
    box->SetGradientColorStop(clBtnFace);
    box->SetCaption(" ");
    Snapshot(box);
    EXPECT_EQ(Map(Legend()), Rows({"wAAAAAAw", //
                                   "AFFFFFFA", //
                                   "AFFFFFFA", //
                                   "AFFFFFFA", //
                                   "wAAAAAAw", //
                                   "wwwwwwww", //
                                   "wwwwwwww", //
                                   "wwwwwwww", //
                                   "wwwwwwww"}));
}

TEST_F(GroupBox, TheAcceleratorFocusesTheFirstChildThatCanTakeTheFocus) {
    auto* box = Make<TQxGroupBox>(Form, {0, 0, 120, 80});
    box->SetCaption("&Group");
    Form->Show();
    // No child: not handled.
    EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'g'), 0);
    auto* first = Make<TTestPanel>(box, {5, 20, 20, 20});
    auto* second = Make<TTestPanel>(box, {30, 20, 20, 20});
    first->SetTabStop(true);
    second->SetTabStop(true);
    first->SetEnabled(false);
    EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'x'), 0);
    EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'g'), 1);
    EXPECT_TRUE(second->Focused());
}

// ---------------------------------------------------------------- docking

TEST_F(Panel, DockedClientsGetCaptionedGrabbersOnTopOrOnTheLeft) {
    auto* site = NewPanel({0, 0, 120, 100});
    site->SetBorderOuter(fsNone);
    site->SetDockSite(true);
    auto* manager = dynamic_cast<TQxPanelDockManager*>(site->DockManager());
    ASSERT_NE(manager, nullptr);
    EXPECT_TRUE(site->DoubleBuffered());
    auto* a = Make<TTestPanel>(Form, {200, 0, 30, 30});
    auto* b = Make<TTestPanel>(Form, {200, 40, 30, 30});
    a->ManualDock(site);
    b->ManualDock(site);
    EXPECT_EQ(a->BoundsRect(), TRect(0, 14, 120, 50));
    EXPECT_EQ(b->BoundsRect(), TRect(0, 64, 120, 100));
    Integer flag = 0;
    EXPECT_EQ(manager->HitTest({110, 5}, flag), a); // the close glyph: R.Right - 15 .. R.Right - 2
    EXPECT_EQ(flag, HTCLOSE);
    Form->Show();
    Snapshot(site);
    const COLORREF grabber = At(50, 3);
    EXPECT_TRUE(grabber == ColorToRGB(clActiveCaption) || grabber == ColorToRGB(clInactiveCaption));

    site->SetAlign(alBottom);
    manager->ResetBounds(true);
    EXPECT_EQ(a->BoundsRect(), TRect(14, 0, site->Width() / 2, site->Height()));
    EXPECT_EQ(manager->HitTest({5, 5}, flag), a);
    EXPECT_EQ(flag, HTCLOSE);
    // The close glyph hides its client.
    MouseInput(site, maDown, mbLeft, {}, {5, 5});
    MouseInput(site, maUp, mbLeft, {}, {5, 5});
    EXPECT_FALSE(a->Visible());
    EXPECT_EQ(b->BoundsRect(), TRect(14, 0, site->Width(), site->Height()));
}

} // namespace
