// Dragging a control onto another through the drag manager, with real mouse
// and key input; and a hint that a control cancels while the pointer stays.
#include "platform/rtl/Clock.h"
#include "tests/platform/gui/controls/ControlProbes.h"

using namespace probes;

namespace {

class Dragging : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        Source = Make<TWinProbe>(Form, "Source", {10, 10, 50, 30});
        Target = Make<TGraphicProbe>(Form, "Target", {100, 10, 140, 30});
        Source->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, Integer, Integer) {
            Source->BeginDrag(false);
        };
        Source->OnStartDrag = [this](TObject*, TDragObject*&) { Events.push_back("start"); };
        Source->OnEndDrag = [this](TObject*, TObject* T, Integer X, Integer Y) {
            Events.push_back("end " + String(T ? static_cast<TControl*>(T)->Name() : "nil") + " " +
                             IntToStr(X) + "," + IntToStr(Y));
        };
        Target->OnDragOver = [this](TObject*, TObject* S, Integer X, Integer Y, TDragState State, bool& Accept) {
            static const char* names[] = {"enter", "leave", "move"};
            auto* obj = dynamic_cast<TDragControlObject*>(S);
            EXPECT_TRUE(obj && obj->Control() == Source);
            Events.push_back(String(names[State]) + " " + IntToStr(X) + "," + IntToStr(Y));
            Accept = X < 30;
        };
        Target->OnDragDrop = [this](TObject*, TObject*, Integer X, Integer Y) {
            Events.push_back("drop " + IntToStr(X) + "," + IntToStr(Y));
        };
        ShowForm();
    }
    void Move(TPoint P) { MouseInput(Form, maMove, mbLeft, {ssLeft}, P); }

    TWinProbe* Source = nullptr;
    TGraphicProbe* Target = nullptr;
    std::vector<String> Events;
};

TEST_F(Dragging, ADragStartsPastTheThresholdAsksTheTargetsAndDropsWhereAccepted) {
    MouseInput(Form, maDown, mbLeft, {}, {20, 20});
    EXPECT_TRUE(Source->Dragging());
    EXPECT_FALSE(DragActive());
    Move({23, 23}); // within the system's 4 pixels: nothing asked yet
    EXPECT_EQ(Events, Entries({"start"}));
    Move({110, 20});
    EXPECT_TRUE(DragActive());
    EXPECT_EQ(CursorIdOf(GetCursor()), CursorIdOf(Screen->Cursors(crDrag)));
    Move({135, 20}); // refused at x 35 of the target
    EXPECT_EQ(CursorIdOf(GetCursor()), CursorIdOf(Screen->Cursors(crNoDrop)));
    Move({112, 21});
    MouseInput(Form, maUp, mbLeft, {}, {112, 21});
    EXPECT_FALSE(Source->Dragging());
    EXPECT_EQ(Events, Entries({"start", "enter 10,10", "move 10,10", "move 35,10", "move 12,11", "drop 12,11",
                               "end Target 12,11"}));
    // The press did not end as a click of the source, and the mouse is free.
    EXPECT_EQ(GetCapture(), HWND(0));
}

TEST_F(Dragging, LeavingTheTargetOrPressingEscapeDropsNothing) {
    MouseInput(Form, maDown, mbLeft, {}, {20, 20});
    Move({110, 20});
    Move({70, 20}); // off the target, onto the form
    Move({111, 20});
    KeyInput(kaDown, VK_ESCAPE, {});
    EXPECT_FALSE(Source->Dragging());
    EXPECT_TRUE(CurrentDragObject() == nullptr);
    MouseInput(Form, maUp, mbLeft, {}, {111, 20}); // an ordinary release again
    EXPECT_EQ(Events, Entries({"start", "enter 10,10", "move 10,10", "leave -30,10", "enter 11,10",
                               "move 11,10", "leave 11,10", "end nil 0,0"}));
    // A release before the threshold ends the drag too, without a target.
    Events.clear();
    MouseInput(Form, maDown, mbLeft, {}, {20, 20});
    MouseInput(Form, maUp, mbLeft, {}, {21, 20});
    EXPECT_EQ(Events, Entries({"start", "end nil 0,0"}));
}

TEST_F(Dragging, FindDragTargetAnswersTheDeepestControlUnderAScreenPoint) {
    EXPECT_EQ(FindDragTarget(Form->ClientToScreen({120, 20}), false), Target);
    EXPECT_EQ(FindDragTarget(Form->ClientToScreen({20, 20}), false), Source);
    EXPECT_EQ(FindDragTarget(Form->ClientToScreen({70, 70}), false), Form);
    Target->SetEnabled(false);
    EXPECT_EQ(FindDragTarget(Form->ClientToScreen({120, 20}), false), Form);
    EXPECT_EQ(FindDragTarget(Form->ClientToScreen({120, 20}), true), Target);
    EXPECT_EQ(FindDragTarget(Form->ClientToScreen({500, 500}), false), nullptr);
}

TEST_F(Dragging, AHintCancelledWhileThePointerStaysStartsAgainOnTheNextMove) {
    TManualClock clock{0};
    TScopedClock scope{&clock};
    Target->SetShowHint(true);
    Target->SetHint("first");
    MouseInput(Form, maMove, mbLeft, {}, {110, 20});
    clock.Advance(Application->HintPause());
    Application->ProcessMessages();
    EXPECT_EQ(Application->ActiveHint(), "first");
    // The control cancels its hint and names another part of it.
    Application->CancelHint();
    Target->SetHint("second");
    MouseInput(Form, maMove, mbLeft, {}, {111, 20});
    clock.Advance(Application->HintPause());
    Application->ProcessMessages();
    EXPECT_EQ(Application->ActiveHint(), "second");
}

} // namespace
