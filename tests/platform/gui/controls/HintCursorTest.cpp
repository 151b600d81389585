// Hints and cursors follow the control under the pointer.
#include "platform/rtl/Clock.h"
#include "tests/platform/gui/controls/ControlProbes.h"

using namespace probes;

namespace {

class HintsAndCursors : public FormTest {
protected:
    TManualClock Clock{0};
    TScopedClock Scope{&Clock};
};

TEST_F(HintsAndCursors, TheHintOfTheControlUnderThePointerIsShownAfterAPause) {
    auto* pane = Make<TGraphicProbe>(Form, "Pane", {10, 10, 30, 30});
    pane->SetHint("Status|Shows what the device does");
    pane->SetShowHint(true);
    auto* plain = Make<TGraphicProbe>(Form, "Plain", {40, 10, 60, 30});
    ShowForm();
    std::vector<String> hints;
    Application->OnHint = [&](TObject*) { hints.push_back(Application->Hint()); };
    MouseInput(Form, maMove, mbLeft, {}, {15, 15});
    EXPECT_EQ(Application->Hint(), "Shows what the device does"); // the long part, at once
    EXPECT_EQ(Application->ActiveHint(), "");
    Clock.Advance(Application->HintPause());
    Application->ProcessMessages();
    EXPECT_EQ(Application->ActiveHint(), "Status"); // the short part, after the pause
    Clock.Advance(Application->HintHidePause());
    Application->ProcessMessages();
    EXPECT_EQ(Application->ActiveHint(), "");
    // Moving on cancels; a control without a hint shows none.
    MouseInput(Form, maMove, mbLeft, {}, {15, 16});
    MouseInput(Form, maMove, mbLeft, {}, {45, 15});
    Clock.Advance(Application->HintPause());
    Application->ProcessMessages();
    EXPECT_EQ(Application->ActiveHint(), "");
    EXPECT_EQ(hints, (std::vector<String>{"Shows what the device does", ""}));
    Application->OnHint = nullptr;
    (void)plain;
}

TEST_F(HintsAndCursors, TheCursorIsTheControlsOwnUnlessTheScreenSetsOne) {
    auto* link = Make<TGraphicProbe>(Form, "Link", {10, 10, 30, 30});
    auto* box = Make<TWinProbe>(Form, "Box", {40, 10, 60, 30});
    // A program's own cursor number.
    Screen->SetCursors(26000, LoadCursor(0, IDC_HAND));
    link->SetCursor(26000);
    box->SetCursor(crIBeam);
    ShowForm();
    MouseInput(Form, maMove, mbLeft, {}, {15, 15});
    EXPECT_EQ(CursorIdOf(GetCursor()), IDC_HAND);
    MouseInput(Form, maMove, mbLeft, {}, {45, 15});
    EXPECT_EQ(CursorIdOf(GetCursor()), IDC_IBEAM);
    MouseInput(Form, maMove, mbLeft, {}, {5, 5});
    EXPECT_EQ(CursorIdOf(GetCursor()), IDC_ARROW);
    Screen->SetCursor(crHourGlass);
    MouseInput(Form, maMove, mbLeft, {}, {15, 15});
    EXPECT_EQ(CursorIdOf(GetCursor()), IDC_WAIT);
    Screen->SetCursor(crDefault);
    MouseInput(Form, maMove, mbLeft, {}, {15, 16});
    EXPECT_EQ(CursorIdOf(GetCursor()), IDC_HAND);
    EXPECT_EQ(CursorIdOf(Screen->Cursors(12345)), IDC_ARROW); // unknown numbers show the arrow
    EXPECT_EQ(LoadCursor(0, 1), nullptr);
}

} // namespace
