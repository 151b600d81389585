// Mouse input: routing to windows and graphic children, hit tests that let
// the parent have a point, capture, clicks, double clicks, enter and leave.
#include "tests/platform/gui/controls/ControlProbes.h"

using namespace probes;

namespace {

class Mouse : public FormTest {};

TEST_F(Mouse, AGraphicChildGetsItsPointsAndItsMissesGoToTheParent) {
    auto* panel = Make<TWinProbe>(Form, "Panel", {10, 10, 110, 110});
    auto* pane = Make<TGraphicProbe>(panel, "Pane", {20, 20, 60, 40});
    pane->Miss = {30, 10, 40, 20}; // the bottom-right corner lets hits through
    ShowForm();

    MouseInput(Form, maDown, mbLeft, {}, {10 + 25, 10 + 25});
    MouseInput(Form, maUp, mbLeft, {}, {10 + 25, 10 + 25});
    EXPECT_EQ(Log(), Entries({"Pane:CM_MOUSEENTER", "Pane:WM_LBUTTONDOWN", "Pane:WM_LBUTTONUP"}));
    EXPECT_EQ(pane->Points.back(), TPoint(5, 5)); // in the pane's own coordinates

    Log().clear();
    MouseInput(Form, maDown, mbLeft, {}, {10 + 55, 10 + 35});
    MouseInput(Form, maUp, mbLeft, {}, {10 + 55, 10 + 35});
    EXPECT_EQ(Log(), Entries({"Pane:CM_MOUSELEAVE", "Panel:CM_MOUSEENTER", "Panel:WM_LBUTTONDOWN",
                              "Panel:WM_LBUTTONUP"}));

    // A disabled graphic control leaves its points to the parent too, but the
    // pointer is still over it.
    pane->SetEnabled(false);
    Log().clear();
    MouseInput(Form, maDown, mbRight, {}, {10 + 25, 10 + 25});
    EXPECT_EQ(Log(), Entries({"Panel:CM_MOUSELEAVE", "Pane:CM_MOUSEENTER", "Panel:WM_RBUTTONDOWN"}));
    EXPECT_EQ(MouseControl(), pane);
}

TEST_F(Mouse, CaptureKeepsTheMouseUntilTheButtonGoesUp) {
    auto* pane = Make<TGraphicProbe>(Form, "Pane", {10, 10, 30, 30});
    Make<TWinProbe>(Form, "Other", {100, 10, 150, 60}); // the window the moves pass over
    ShowForm();
    MouseInput(Form, maDown, mbLeft, {}, {15, 15});
    EXPECT_EQ(GetCaptureControl(), pane);
    EXPECT_EQ(GetCapture(), Form->Handle()); // a graphic control captures through its window
    // Over another window and outside the form, the pane still gets the moves.
    MouseInput(Form, maMove, mbLeft, {ssLeft}, {120, 20});
    MouseInput(Form, maMove, mbLeft, {ssLeft}, {-5, 300});
    EXPECT_EQ(pane->Points.back(), TPoint(-15, 290));
    Log().clear();
    // The pointer is over the other window, though the pane gets the release.
    MouseInput(Form, maUp, mbLeft, {}, {120, 20});
    EXPECT_EQ(Log(), Entries({"Other:CM_MOUSEENTER", "Pane:WM_LBUTTONUP"}));
    EXPECT_EQ(GetCaptureControl(), nullptr);
    MouseInput(Form, maDown, mbLeft, {}, {120, 20});
    EXPECT_EQ(Log().back(), "Other:WM_LBUTTONDOWN");
    MouseInput(Form, maUp, mbLeft, {}, {120, 20});

    // Without csCaptureMouse nothing is captured.
    pane->SetControlStyle(pane->ControlStyle() - TControlStyle{csCaptureMouse});
    MouseInput(Form, maDown, mbLeft, {}, {15, 15});
    EXPECT_EQ(GetCaptureControl(), nullptr);
    MouseInput(Form, maUp, mbLeft, {}, {15, 15});
}

TEST_F(Mouse, AClickIsAPressAndAReleaseInside) {
    auto* pane = Make<TGraphicProbe>(Form, "Pane", {10, 10, 30, 30});
    Integer clicks = 0, doubles = 0;
    std::vector<String> events;
    pane->OnClick = [&](TObject*) { ++clicks; };
    pane->OnDblClick = [&](TObject*) { ++doubles; };
    pane->OnMouseDown = [&](TObject*, TMouseButton B, TShiftState S, Integer X, Integer Y) {
        events.push_back(Format("down %d %d,%d%s",
                                {static_cast<Integer>(B), X, Y, S.Contains(ssDouble) ? " double" : ""}));
    };
    ShowForm();
    Click(pane, {5, 5});
    EXPECT_EQ(clicks, 1);
    // Released outside (the pane holds the capture): no click.
    MouseInput(Form, maDown, mbLeft, {}, {15, 15});
    MouseInput(Form, maUp, mbLeft, {}, {50, 50});
    EXPECT_EQ(clicks, 1);
    // The right button does not click.
    Click(pane, {5, 5}, mbRight);
    EXPECT_EQ(clicks, 1);
    // A double click is a click, a double click and a press marked double.
    MouseInput(Form, maDown, mbLeft, {}, {15, 15});
    MouseInput(Form, maUp, mbLeft, {}, {15, 15});
    MouseInput(Form, maDoubleClick, mbLeft, {}, {15, 15});
    MouseInput(Form, maUp, mbLeft, {}, {15, 15});
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(events.back(), "down 0 5,5 double");
    // A control without double clicks takes the second press as a press.
    pane->SetControlStyle(pane->ControlStyle() - TControlStyle{csDoubleClicks});
    MouseInput(Form, maDoubleClick, mbLeft, {}, {15, 15});
    MouseInput(Form, maUp, mbLeft, {}, {15, 15});
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(events.back(), "down 0 5,5");
}

TEST_F(Mouse, EnterAndLeaveFollowThePointerAcrossWindowsAndControls) {
    auto* panel = Make<TWinProbe>(Form, "Panel", {0, 0, 100, 100});
    auto* pane = Make<TGraphicProbe>(panel, "Pane", {10, 10, 30, 30});
    auto* other = Make<TWinProbe>(Form, "Other", {100, 0, 200, 100});
    ShowForm();
    MouseInput(Form, maMove, mbLeft, {}, {5, 5});
    MouseInput(Form, maMove, mbLeft, {}, {6, 6});
    MouseInput(Form, maMove, mbLeft, {}, {15, 15});
    MouseInput(Form, maMove, mbLeft, {}, {150, 15});
    MouseInput(Form, maMove, mbLeft, {}, {150, 120});
    MouseLeaveInput(Form);
    EXPECT_EQ(Log(), Entries({"Panel:CM_MOUSEENTER", "Panel:CM_MOUSELEAVE", "Pane:CM_MOUSEENTER",
                              "Pane:CM_MOUSELEAVE", "Other:CM_MOUSEENTER", "Other:CM_MOUSELEAVE",
                              "Form:CM_MOUSEENTER", "Form:CM_MOUSELEAVE"}));
    // A control freed under the pointer is forgotten.
    MouseInput(Form, maMove, mbLeft, {}, {15, 15});
    pane->Free();
    EXPECT_EQ(MouseControl(), nullptr);
    (void)other;
}

TEST_F(Mouse, TheWheelGoesToTheFocusedControlAndUpItsParents) {
    auto* panel = Make<TWinProbe>(Form, "Panel", {0, 0, 100, 100});
    auto* inner = Make<TWinProbe>(panel, "Inner", {0, 0, 50, 50});
    inner->SetTabStop(true);
    ShowForm();
    std::vector<String> got;
    panel->OnMouseWheel = [&](TObject*, TShiftState S, Integer Delta, TPoint, bool& Handled) {
        got.push_back("panel " + IntToStr(Delta) + (S.Contains(ssCtrl) ? " ctrl" : ""));
        Handled = true;
    };
    inner->SetFocus();
    MouseWheelInput(Form, {ssCtrl}, -120, {150, 120});
    EXPECT_EQ(got, std::vector<String>{"panel -120 ctrl"});
}

} // namespace
