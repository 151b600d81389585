// Actions shared by controls, and scaling of a control tree.
#include "platform/gui/controls/ActnList.h"
#include "tests/platform/gui/controls/ControlProbes.h"

using namespace probes;

namespace {

class Actions : public FormTest {};

TEST_F(Actions, ControlsShowAndRunTheirAction) {
    auto* action = new TAction(Form);
    action->SetCaption("Go");
    int runs = 0;
    action->OnExecute = [&](TObject*) { ++runs; };
    auto* a = Make<TWinProbe>(Form, "A", {0, 0, 20, 20});
    auto* b = Make<TWinProbe>(Form, "B", {20, 0, 40, 20});
    a->SetAction(action);
    b->SetAction(action);
    EXPECT_EQ(a->Caption(), "Go");
    EXPECT_EQ(a->Action(), action);

    // Every change of the action reaches every control that shows it.
    b->SetCaption("Mine");
    action->SetCaption("Run");
    action->SetEnabled(false);
    EXPECT_EQ(a->Caption(), "Run");
    EXPECT_EQ(b->Caption(), "Run");
    EXPECT_FALSE(a->Enabled());
    EXPECT_FALSE(b->Enabled());

    // A click without an OnClick runs the action; an OnClick wins.
    action->SetEnabled(true);
    a->SetControlStyle(a->ControlStyle() << csClickEvents);
    ShowForm();
    Click(a, {5, 5});
    EXPECT_EQ(runs, 1);
    int own = 0;
    a->OnClick = [&](TObject*) { ++own; };
    Click(a, {5, 5});
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(own, 1);

    // The action going away leaves the controls without one.
    action->Free();
    EXPECT_EQ(a->Action(), nullptr);
    EXPECT_EQ(b->Action(), nullptr);
}

TEST_F(Actions, ScalingMovesAndSizesTheTreeAndOwnFonts) {
    auto* box = Make<TWinProbe>(Form, "Box", {10, 20, 110, 70});
    auto* pane = Make<TGraphicProbe>(box, "Pane", {5, 5, 15, 25});
    pane->Font()->SetSize(10);
    box->ScaleBy(3, 2);
    EXPECT_EQ(box->BoundsRect(), TRect(15, 30, 165, 105));
    EXPECT_EQ(pane->BoundsRect(), TRect(8, 8, 23, 38));
    EXPECT_EQ(pane->Font()->Size(), 15);
    EXPECT_TRUE(box->ParentFont());
}

} // namespace
