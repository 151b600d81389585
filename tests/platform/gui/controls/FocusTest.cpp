// Focus and keys: tab order, enter and exit notifications, dialog keys,
// accelerators, and what happens when the focused control goes away.
#include "tests/platform/gui/controls/ControlProbes.h"

using namespace probes;

namespace {

class Focus : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        Box = Make<TWinProbe>(Form, "Box", {0, 0, 100, 100});
        A = Make<TWinProbe>(Box, "A", {0, 0, 10, 10});
        B = Make<TWinProbe>(Box, "B", {0, 20, 10, 30});
        C = Make<TWinProbe>(Form, "C", {120, 0, 130, 10});
        for (auto* p : {A, B, C})
            p->SetTabStop(true);
    }
    TWinProbe *Box, *A, *B, *C;
};

TEST_F(Focus, ShowingAFormFocusesItsFirstTabStop) {
    Form->Show();
    EXPECT_EQ(Form->ActiveControl(), A);
    EXPECT_TRUE(A->Focused());
    EXPECT_EQ(Screen->ActiveControl(), A);
    EXPECT_EQ(Screen->ActiveCustomForm(), Form);
    // The containers were entered from the outside in.
    auto& log = Log();
    auto at = [&](const char* e) { return std::find(log.begin(), log.end(), e) - log.begin(); };
    EXPECT_LT(at("Box:CM_ENTER"), at("A:CM_ENTER"));
    // The window's own WM_SETFOCUS handling comes after the form's notices.
    EXPECT_LT(at("A:CM_FOCUSCHANGED"), at("A:WM_SETFOCUS"));
    EXPECT_NE(at("A:WM_SETFOCUS"), static_cast<std::ptrdiff_t>(log.size()));
}

TEST_F(Focus, TabMovesThroughTheTabOrderAndShiftTabBack) {
    ShowForm();
    Key(VK_TAB);
    EXPECT_TRUE(B->Focused());
    // The form takes Tab as a dialog key; the old window loses the focus, the
    // form tells who leaves and who enters and everyone that it changed,
    // then the new window handles its WM_SETFOCUS; the key's release goes to
    // the new window.
    EXPECT_EQ(Log(), Entries({"Form:CM_DIALOGKEY", "A:WM_KILLFOCUS", "A:CM_EXIT", "B:CM_ENTER",
                              "Form:CM_FOCUSCHANGED", "Box:CM_FOCUSCHANGED", "A:CM_FOCUSCHANGED",
                              "B:CM_FOCUSCHANGED", "C:CM_FOCUSCHANGED", "B:WM_SETFOCUS", "B:WM_KEYUP"}));
    Log().clear();
    Key(VK_TAB);
    EXPECT_TRUE(C->Focused());
    // Leaving the box: the control, then the box.
    EXPECT_EQ(std::vector<String>(Log().begin() + 2, Log().begin() + 5),
              Entries({"B:CM_EXIT", "Box:CM_EXIT", "C:CM_ENTER"}));
    Key(VK_TAB);
    EXPECT_TRUE(A->Focused()); // wraps
    Key(VK_TAB, {ssShift});
    EXPECT_TRUE(C->Focused());

    // Changing the tab order changes the walk; controls that cannot take the
    // focus or do not stop on Tab are skipped.
    C->SetTabOrder(0);
    A->SetFocus();
    Key(VK_TAB);
    EXPECT_TRUE(B->Focused());
    B->SetEnabled(false);
    EXPECT_FALSE(B->Focused()); // disabling moves the focus away
    A->SetFocus();
    Key(VK_TAB);
    EXPECT_TRUE(C->Focused());
    B->SetEnabled(true);
    B->SetTabStop(false);
    A->SetFocus();
    Key(VK_TAB);
    EXPECT_TRUE(C->Focused());
}

TEST_F(Focus, ArrowsMoveAmongSiblingsUnlessTheControlWantsThem) {
    ShowForm();
    Key(VK_DOWN);
    EXPECT_TRUE(B->Focused());
    Key(VK_DOWN);
    EXPECT_TRUE(A->Focused()); // stays among the box's children
    Key(VK_UP);
    EXPECT_TRUE(B->Focused());
    B->Wants = DLGC_WANTARROWS;
    Log().clear();
    Key(VK_DOWN);
    EXPECT_TRUE(B->Focused());
    EXPECT_EQ(Log(), Entries({"B:WM_KEYDOWN", "B:WM_KEYUP"}));
    // Tab still moves on, unless it is wanted too.
    B->Wants = DLGC_WANTARROWS | DLGC_WANTTAB;
    Key(VK_TAB, {}, "\t");
    EXPECT_TRUE(B->Focused());
    EXPECT_EQ(Log().back(), "B:WM_KEYUP");
    EXPECT_EQ(Log()[Log().size() - 2], "B:WM_CHAR");
}

TEST_F(Focus, EnterAndEscapeAreOfferedToEveryControlOfTheForm) {
    ShowForm();
    C->DialogKey = VK_RETURN;
    Key(VK_RETURN, {}, "\r");
    // The form broadcast it: the box passed it on to its children, C took it.
    EXPECT_EQ(Log(), Entries({"Form:CM_DIALOGKEY", "Box:CM_DIALOGKEY", "A:CM_DIALOGKEY", "B:CM_DIALOGKEY",
                              "C:CM_DIALOGKEY", "A:WM_KEYUP"}));
    // Nobody takes Escape: it reaches the focused control as a key and a character.
    Log().clear();
    Key(VK_ESCAPE, {}, "\x1b");
    EXPECT_EQ(Log(),
              Entries({"Form:CM_DIALOGKEY", "Box:CM_DIALOGKEY", "A:CM_DIALOGKEY", "B:CM_DIALOGKEY",
                       "C:CM_DIALOGKEY", "A:WM_KEYDOWN", "Form:CM_DIALOGCHAR", "Box:CM_DIALOGCHAR",
                       "A:CM_DIALOGCHAR", "B:CM_DIALOGCHAR", "C:CM_DIALOGCHAR", "A:WM_CHAR", "A:WM_KEYUP"}));
    // A control that wants all keys gets Enter itself.
    A->Wants = DLGC_WANTALLKEYS;
    Log().clear();
    Key(VK_RETURN, {}, "\r");
    EXPECT_EQ(Log().front(), "A:WM_KEYDOWN");
}

TEST_F(Focus, AcceleratorsReachTheControlThatShowsThem) {
    B->SetCaption("&Save");
    C->SetCaption("Save && E&xit");
    ShowForm();
    EXPECT_TRUE(IsAccel('s', "&Save"));
    EXPECT_FALSE(IsAccel('E', "Save && E&xit"));
    EXPECT_TRUE(IsAccel('X', "Save && E&xit"));
    EXPECT_FALSE(IsAccel('a', "A&&B"));
    Key('S', {ssAlt});
    EXPECT_NE(std::find(Log().begin(), Log().end(), "B:accel"), Log().end());
    // A plain character is an accelerator too when the focused control does
    // not want characters ...
    Log().clear();
    Key('X', {}, "x");
    EXPECT_NE(std::find(Log().begin(), Log().end(), "C:accel"), Log().end());
    // ... and is typed when it does.
    A->Wants = DLGC_WANTCHARS;
    Log().clear();
    Key('X', {}, "x");
    EXPECT_EQ(std::find(Log().begin(), Log().end(), "C:accel"), Log().end());
    EXPECT_NE(std::find(Log().begin(), Log().end(), "A:WM_CHAR"), Log().end());
}

TEST_F(Focus, KeyEventsAndFormPreview) {
    ShowForm();
    std::vector<String> events;
    A->OnKeyDown = [&](TObject*, Word& Key, TShiftState S) {
        events.push_back("down " + IntToStr(Key) + (S.Contains(ssCtrl) ? " ctrl" : ""));
    };
    A->OnKeyPress = [&](TObject*, char32_t& Key) {
        events.push_back("press " + IntToStr(static_cast<Int64>(Key)));
        if (Key == 'q') Key = 0;
    };
    A->OnKeyUp = [&](TObject*, Word& Key, TShiftState) { events.push_back("up " + IntToStr(Key)); };
    Key('Q', {ssCtrl}, "q");
    EXPECT_EQ(events, (std::vector<String>{"down 81 ctrl", "press 113", "up 81"}));
    // With KeyPreview the form sees keys first and may take them.
    events.clear();
    Form->SetKeyPreview(true);
    Form->OnKeyDown = [&](TObject*, Word& Key, TShiftState) {
        events.push_back("form " + IntToStr(Key));
        if (Key == 'Z') Key = 0;
    };
    Key('Z');
    Key('Y');
    EXPECT_EQ(events, (std::vector<String>{"form 90", "up 90", "form 89", "down 89", "up 89"}));
}

TEST_F(Focus, TheFocusLeavesAControlThatGoes) {
    ShowForm();
    B->SetFocus();
    B->Free();
    EXPECT_FALSE(A->Focused());
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    EXPECT_TRUE(Form->Focused());
    // Hiding a container that holds the focus moves it too.
    A->SetFocus();
    Box->Hide();
    EXPECT_FALSE(A->Focused());
    EXPECT_THROW(A->SetFocus(), EInvalidOperation);
    C->SetFocus();
    EXPECT_TRUE(C->Focused());
    // SelectFirst goes to the first control that stops on Tab.
    Box->Show();
    Form->SelectFirst();
    EXPECT_TRUE(A->Focused());
}

} // namespace
