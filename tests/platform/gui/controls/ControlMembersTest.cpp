// What the control base classes do with the framework's members: anchors on
// a parent resize, the context menu of a right click and of the key, the
// wheel's notches, dock drags and their events, Ctl3D and BiDiMode that
// follow the parent, and the application's hint as a hint action.
#include "platform/gui/controls/Application.h"
#include "platform/gui/controls/CustomPanel.h"
#include "platform/gui/controls/DockTree.h"
#include "platform/gui/controls/MenuLoop.h"
#include "tests/platform/gui/controls/ControlProbes.h"

using namespace probes;

namespace {

class ControlMembers : public FormTest {};

TEST_F(ControlMembers, AnchoredControlsKeepTheirDistancesWhenTheParentIsResized) {
    struct Case {
        TAnchors Anchors;
        TRect After; // the parent grows from 200 x 150 to 260 x 190
    };
    const Case cases[] = {
        {{akLeft, akTop}, {20, 30, 60, 50}},
        {{akRight, akTop}, {80, 30, 120, 50}},                 // keeps 140 to the right
        {{akLeft, akTop, akRight}, {20, 30, 120, 50}},         // stretches
        {{akLeft, akTop, akBottom}, {20, 30, 60, 90}},         // stretches down
        {{akRight, akBottom}, {80, 70, 120, 90}},              // moves with both far sides
        {{akTop}, {32, 30, 72, 50}},                           // the centre keeps its share: 40 of 200, 52 of 260
        {{akLeft, akTop, akRight, akBottom}, {20, 30, 120, 90}},
    };
    for (const Case& c : cases) {
        TGraphicProbe* p = Make<TGraphicProbe>(Form, "P", {20, 30, 60, 50});
        p->SetAnchors(c.Anchors);
        Form->SetBounds(0, 0, 260, 190);
        EXPECT_EQ(p->BoundsRect(), c.After) << SetToString(AnchorsTypeInfo(), c.Anchors.ToInt());
        // Back to the old size: back to the old place.
        Form->SetBounds(0, 0, 200, 150);
        EXPECT_EQ(p->BoundsRect(), TRect(20, 30, 60, 50));
        p->Free();
    }
    // Moved by code, the control keeps to its new place; aligned, its
    // alignment wins and sets the anchors that go with it.
    TGraphicProbe* p = Make<TGraphicProbe>(Form, "P", {20, 30, 60, 50});
    p->SetAnchors({akRight, akTop});
    p->SetLeft(100);
    Form->SetBounds(0, 0, 210, 150);
    EXPECT_EQ(p->Left(), 110);
    p->SetAlign(alTop);
    EXPECT_EQ(p->Anchors(), (TAnchors{akLeft, akTop, akRight}));
    Form->SetBounds(0, 0, 250, 150);
    EXPECT_EQ(p->BoundsRect(), TRect(0, 0, 250, 20));

    // A parent that aligns its children within a part of its client area
    // (as a tab control within its card) still moves anchored children by
    // the change of its whole client size, and only when it changes.
    struct TInsetParent : TWinProbe {
        using TWinProbe::TWinProbe;
        void AlignControls(TControl* AControl, TRect& Rect) override {
            Rect = {4, 24, Rect.Right - 4, Rect.Bottom - 4};
            TWinProbe::AlignControls(AControl, Rect);
        }
    };
    auto* inset = Make<TInsetParent>(Form, "Inset", {0, 0, 100, 100});
    TGraphicProbe* corner = Make<TGraphicProbe>(inset, "Corner", {50, 50, 80, 70});
    TGraphicProbe* both = Make<TGraphicProbe>(inset, "Both", {10, 30, 90, 40});
    corner->SetAnchors({akRight, akBottom});
    both->SetAnchors({akLeft, akTop, akRight});
    inset->Realign();
    EXPECT_EQ(corner->BoundsRect(), TRect(50, 50, 80, 70));
    EXPECT_EQ(both->BoundsRect(), TRect(10, 30, 90, 40));
    inset->SetBounds(0, 0, 120, 110);
    EXPECT_EQ(corner->BoundsRect(), TRect(70, 60, 100, 80));
    EXPECT_EQ(both->BoundsRect(), TRect(10, 30, 110, 40));
}

TEST_F(ControlMembers, ARightClickOpensThePopupMenuUnlessOnContextPopupHandlesIt) {
    auto* own = new TPopupMenu(Form);
    auto* parents = new TPopupMenu(Form);
    for (TPopupMenu* m : {own, parents}) {
        auto* item = new TMenuItem(Form);
        item->SetCaption("Item");
        m->Items()->Add(item);
    }
    TWinProbe* panel = Make<TWinProbe>(Form, "Panel", {10, 10, 150, 100});
    TGraphicProbe* child = Make<TGraphicProbe>(panel, "Child", {10, 10, 40, 20});
    panel->SetPopupMenu(parents);
    child->SetPopupMenu(own);
    std::vector<String> asked;
    bool handle = true;
    child->OnContextPopup = [&](TObject*, TPoint P, bool& Handled) {
        asked.push_back(IntToStr(P.X) + "," + IntToStr(P.Y));
        Handled = handle;
    };
    ShowForm();

    Click(child, {5, 6}, mbRight); // handled: no menu
    EXPECT_EQ(asked, Entries({"5,6"}));
    EXPECT_FALSE(MenuActive());

    handle = false;
    Click(child, {5, 6}, mbRight);
    ASSERT_TRUE(own->IsPoppedUp());
    EXPECT_EQ(own->PopupComponent(), child);
    EXPECT_EQ(TMenuLoop::Get().Level(0).Bounds.TopLeft(), child->ClientToScreen({5, 6}));
    CloseMenus();

    // Without a menu of its own the nearest parent's opens; the key opens it
    // at the control's corner and tells (-1, -1).
    child->SetPopupMenu(nullptr);
    Click(child, {5, 6}, mbRight);
    EXPECT_TRUE(parents->IsPoppedUp());
    CloseMenus();
    panel->OnContextPopup = [&](TObject*, TPoint P, bool&) { asked.push_back(IntToStr(P.X) + "," + IntToStr(P.Y)); };
    panel->SetFocus();
    Key(VK_APPS);
    ASSERT_TRUE(parents->IsPoppedUp());
    EXPECT_EQ(asked.back(), "-1,-1");
    EXPECT_EQ(TMenuLoop::Get().Level(0).Bounds.TopLeft(), panel->ClientToScreen({0, 0}));
    CloseMenus();
    // Shift+F10 asks as the key does, also on a form with a menu bar, which
    // F10 alone enters.
    auto* bar = new TMainMenu(Form);
    auto* file = new TMenuItem(Form);
    file->SetCaption("&File");
    bar->Items()->Add(file);
    Form->SetMenu(bar);
    asked.clear();
    Key(VK_F10, {ssShift});
    ASSERT_TRUE(parents->IsPoppedUp());
    EXPECT_EQ(asked, Entries({"-1,-1"}));
    CloseMenus();
    Key(VK_F10);
    EXPECT_TRUE(MenuActive());
    EXPECT_FALSE(parents->IsPoppedUp());
    CloseMenus();

    // A freed menu is forgotten.
    parents->Free();
    EXPECT_EQ(panel->PopupMenu(), nullptr);
}

TEST_F(ControlMembers, EveryWholeNotchOfTheWheelIsAnUpOrDownEvent) {
    TWinProbe* w = Make<TWinProbe>(Form, "W", {10, 10, 50, 50});
    std::vector<String> notches;
    bool handled = false;
    w->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        notches.push_back("up");
        Handled = handled;
    };
    w->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        notches.push_back("down");
        Handled = handled;
    };
    auto wheel = [&](Integer Delta) {
        return w->Perform(CM_MOUSEWHEEL, MakeWParam(0, static_cast<Word>(Delta)), 0);
    };
    EXPECT_EQ(wheel(240), 0); // two notches, neither handled: on to the parent
    EXPECT_EQ(wheel(60), 0);  // half a notch waits
    EXPECT_EQ(wheel(60), 0);
    EXPECT_EQ(wheel(-120), 0); // the other way starts afresh
    EXPECT_EQ(notches, Entries({"up", "up", "up", "down"}));
    handled = true;
    EXPECT_EQ(wheel(-120), 1);
    // OnMouseWheel that handles the wheel leaves no notches.
    w->OnMouseWheel = [](TObject*, TShiftState, Integer, TPoint, bool& Handled) { Handled = true; };
    notches.clear();
    EXPECT_EQ(wheel(120), 1);
    EXPECT_TRUE(notches.empty());
}

TEST_F(ControlMembers, ADockClientDraggedOntoASiteDocksThereThroughTheDockEvents) {
    TPanel* from = Make<TPanel>(Form, "From", {0, 0, 80, 100});
    TPanel* to = Make<TPanel>(Form, "To", {100, 0, 180, 100});
    for (TPanel* p : {from, to}) {
        p->SetBevelOuter(bvNone);
        p->SetDockSite(true);
    }
    TWinProbe* client = Make<TWinProbe>(Form, "Client", {0, 0, 30, 30});
    client->ManualDock(from);
    client->SetDragKind(dkDock);
    client->SetDragMode(dmAutomatic);
    std::vector<String> events;
    bool allowUndock = false;
    client->OnStartDock = [&](TObject*, TDragDockObject*&) { events.push_back("start"); };
    client->OnEndDock = [&](TObject*, TObject* Target, Integer, Integer) {
        events.push_back("end " + String(Target ? static_cast<TControl*>(Target)->Name() : "nil"));
    };
    to->OnGetSiteInfo = [&](TObject*, TControl* C, TRect&, TPoint, bool&) {
        if (events.back() != "info") events.push_back("info");
        EXPECT_EQ(C, client);
    };
    to->OnDockOver = [&](TObject*, TDragDockObject* S, Integer, Integer, TDragState State, bool&) {
        static const char* names[] = {"enter", "leave", "move"};
        if (State != dsDragMove) events.push_back(names[State]);
        EXPECT_EQ(S->Control(), client);
        EXPECT_EQ(S->DockRect().TopLeft(), to->ClientToScreen({0, 0})); // the site's client area
    };
    to->OnDockDrop = [&](TObject*, TDragDockObject*, Integer, Integer) { events.push_back("drop"); };
    from->OnUnDock = [&](TObject*, TControl*, TWinControl* NewTarget, bool& Allow) {
        events.push_back("undock to " + NewTarget->Name());
        Allow = allowUndock;
    };
    ShowForm();
    auto drag = [&] {
        MouseInput(Form, maDown, mbLeft, {}, {15, 30});
        MouseInput(Form, maMove, mbLeft, {ssLeft}, {130, 50});
        MouseInput(Form, maUp, mbLeft, {}, {130, 50});
    };
    drag(); // the old site keeps its client
    EXPECT_EQ(client->HostDockSite(), from);
    EXPECT_EQ(events, Entries({"start", "info", "enter", "undock to To", "end nil"}));
    events.clear();
    allowUndock = true;
    drag();
    EXPECT_EQ(client->HostDockSite(), to);
    EXPECT_EQ(from->DockClientCount(), 0);
    EXPECT_EQ(events, Entries({"start", "info", "enter", "undock to To", "drop", "end To"}));
}

TEST_F(ControlMembers, Ctl3DAndBiDiModeFollowTheParentUntilSetOnTheirOwn) {
    TWinProbe* outer = Make<TWinProbe>(Form, "Outer", {0, 0, 100, 100});
    TWinProbe* inner = Make<TWinProbe>(outer, "Inner", {0, 0, 50, 50});
    TGraphicProbe* leaf = Make<TGraphicProbe>(inner, "Leaf", {0, 0, 10, 10});
    outer->SetCtl3D(false);
    outer->SetBiDiMode(bdRightToLeft);
    EXPECT_FALSE(inner->Ctl3D());
    EXPECT_TRUE(inner->ParentCtl3D());
    EXPECT_EQ(leaf->BiDiMode(), bdRightToLeft);
    EXPECT_TRUE(leaf->ParentBiDiMode());
    inner->SetBiDiMode(bdLeftToRight);
    EXPECT_FALSE(inner->ParentBiDiMode());
    outer->SetBiDiMode(bdRightToLeftReadingOnly);
    EXPECT_EQ(leaf->BiDiMode(), bdLeftToRight); // follows Inner, which went its own way
    inner->SetParentBiDiMode(true);
    EXPECT_EQ(leaf->BiDiMode(), bdRightToLeftReadingOnly);
}

// A control that takes hint actions, as a status pane with AutoHint does.
class THintProbe : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    bool ExecuteAction(TBasicAction* Action) override {
        auto* hint = dynamic_cast<THintAction*>(Action);
        if (!hint) return false;
        Shown.push_back(hint->Hint());
        return true;
    }
    std::vector<String> Shown;
};

TEST_F(ControlMembers, TheApplicationsHintGoesToTheFormsControlsUnlessOnHintTakesIt) {
    auto* pane = new THintProbe(Form);
    pane->SetParent(Form);
    ShowForm();
    Application->SetHint("First|Long text");
    Application->SetHint("First|Long text"); // the same hint: nothing new
    EXPECT_EQ(pane->Shown, Entries({"First|Long text"}));
    std::vector<String> heard;
    Application->OnHint = [&](TObject*) { heard.push_back(Application->Hint()); };
    Application->SetHint("Other");
    Application->OnHint = nullptr;
    EXPECT_EQ(heard, Entries({"Other"}));
    EXPECT_EQ(pane->Shown.size(), 1u);
    pane->Hide(); // hidden controls are not asked
    Application->SetHint("Third");
    EXPECT_EQ(pane->Shown.size(), 1u);
    Application->SetHint("");
}

} // namespace
