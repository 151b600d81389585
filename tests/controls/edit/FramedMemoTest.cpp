// The framed memo: the caret's line and column, the change events, its own
// wheel scrolling and Enter as Tab.
#include "controls/edit/QxEdit.h"
#include "platform/gui/controls/Clipboard.h"
#include "platform/gui/controls/SystemParameters.h"
#include "platform/gui/controls/Themes.h"
#include "tests/platform/gui/controls/ControlProbes.h"

using namespace probes;

namespace {

class FramedMemo : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        SetThemeServices(ClassicThemeServices());
        Memo = new TQxMemo(Form);
        Memo->SetName("Memo");
        Memo->SetParent(Form);
        Memo->SetBounds(0, 0, 180, 60);
        Other = new TQxEdit(Form);
        Other->SetName("Other");
        Other->SetParent(Form);
        Other->SetBounds(0, 70, 100, 21);
    }
    void TearDown() override {
        SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
        FormTest::TearDown();
    }
    void Type(const String& Text) {
        for (char c : Text) {
            if (c == '\n')
                Key(VK_RETURN, {}, "\r");
            else
                Key(static_cast<Word>(std::toupper(static_cast<unsigned char>(c))), {}, String(1, c));
        }
    }
    Integer TopLine() { return static_cast<Integer>(Memo->Perform(EM_GETFIRSTVISIBLELINE)); }
    TQxMemo* Memo = nullptr;
    TQxEdit* Other = nullptr;
};

TEST_F(FramedMemo, LineAndColumnComeFromTheMemosOwnSelection) {
    std::vector<String> events;
    Memo->OnLineColChange = [&](TObject*, Integer L, Integer C) {
        events.push_back(std::to_string(L) + ":" + std::to_string(C));
    };
    ShowForm();
    EXPECT_EQ(Memo->Line(), 1);
    EXPECT_EQ(Memo->Column(), 1);
    Memo->SetFocus();
    Type("ab\ncde");
    EXPECT_EQ(Memo->Line(), 2);
    EXPECT_EQ(Memo->Column(), 4);
    EXPECT_EQ(events.back(), "2:4");
    // A selection names the end the caret is at, also one made leftwards.
    auto at = [&] { return std::to_string(Memo->Line()) + ":" + std::to_string(Memo->Column()); };
    Key(VK_LEFT, {ssShift});
    Key(VK_UP, {ssShift});
    EXPECT_EQ(Memo->SelLength(), 4);
    EXPECT_EQ(at(), "1:3");
    EXPECT_EQ(events.back(), "1:3");
    Memo->Perform(EM_SETSEL, 1, 5);
    EXPECT_EQ(at(), "2:3");
    Memo->Perform(EM_SETSEL, 5, 1);
    EXPECT_EQ(at(), "1:2");

    // Set by the program while another control has the focus.
    Other->SetFocus();
    Memo->SetSelStart(1);
    EXPECT_EQ(Memo->Line(), 1);
    EXPECT_EQ(Memo->Column(), 2);
    events.clear();
    Memo->SetColumn(3);
    EXPECT_EQ(Memo->SelStart(), 2);
    Memo->SetLine(2);
    EXPECT_EQ(Memo->SelStart(), 3);
    EXPECT_EQ(events, Entries({"1:3", "2:1"}));

    // Writes outside the text leave the caret and fire nothing.
    events.clear();
    for (Integer column : {0, -2, 5})
        Memo->SetColumn(column);
    for (Integer line : {0, -1, 3})
        Memo->SetLine(line);
    EXPECT_EQ(Memo->SelStart(), 3);
    EXPECT_TRUE(events.empty());
}

TEST_F(FramedMemo, ClipboardStateAtCreationAndPerKey) {
    Integer calls = 0;
    bool hasText = false;
    Memo->OnClipboardChange = [&](TObject*, bool, bool Text) {
        ++calls;
        hasText = Text;
    };
    SetClipboardText("x");
    ShowForm();
    EXPECT_EQ(calls, 2); // once after the line and column, once on its own
    EXPECT_TRUE(hasText);
    Memo->SetFocus();
    calls = 0;
    Key(VK_LEFT);
    EXPECT_EQ(calls, 2); // key down and key up
}

TEST_F(FramedMemo, WheelScrollsByLinesNotchesAndPages) {
    for (int i = 0; i < 200; ++i)
        Memo->Lines()->Add("line " + std::to_string(i));
    ShowForm();
    Memo->Perform(EM_LINESCROLL, 0, -100); // filled before it was shown, the memo shows its end
    const Integer top = TopLine();
    ASSERT_GT(top, 50);
    auto wheel = [&](Integer Delta) {
        return Memo->Perform(CM_MOUSEWHEEL, MakeWParam(0, static_cast<Word>(Delta)), 0);
    };
    EXPECT_EQ(wheel(120), 1);
    EXPECT_EQ(TopLine(), top - 3);
    // Small deltas are handled, scroll nothing alone, and add up to a notch.
    EXPECT_EQ(wheel(30), 1);
    EXPECT_EQ(TopLine(), top - 3);
    wheel(30);
    wheel(30);
    wheel(30);
    EXPECT_EQ(TopLine(), top - 6);
    wheel(-120);
    EXPECT_EQ(TopLine(), top - 3);
    wheel(-120);
    EXPECT_EQ(TopLine(), top);
    SystemParametersInfo(SPI_SETWHEELSCROLLLINES, WHEEL_PAGESCROLL, nullptr, 0);
    wheel(-120); // a page: more than the three lines of a notch
    EXPECT_GT(TopLine(), top);
    SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
    // The notch events come first, one per notch; what they handle does not scroll.
    std::vector<String> notches;
    bool handled = true;
    Memo->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        notches.push_back("up");
        Handled = handled;
    };
    Memo->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        notches.push_back("down");
        Handled = handled;
    };
    const Integer beforeNotches = TopLine();
    EXPECT_EQ(wheel(240), 1);
    EXPECT_EQ(notches, Entries({"up", "up"}));
    EXPECT_EQ(TopLine(), beforeNotches);
    handled = false;
    wheel(-120);
    EXPECT_EQ(notches.back(), "down");
    EXPECT_EQ(TopLine(), beforeNotches + 3);
    Memo->OnMouseWheelUp = nullptr;
    Memo->OnMouseWheelDown = nullptr;
    // A handler of its own decides instead.
    bool asked = false;
    Memo->OnMouseWheel = [&](TObject*, TShiftState, Integer, TPoint, bool& Handled) { asked = Handled = true; };
    const Integer before = TopLine();
    wheel(120);
    EXPECT_TRUE(asked);
    EXPECT_EQ(TopLine(), before);
}

TEST_F(FramedMemo, EnterAsTabMovesOnAndTypesNothing) {
    Memo->SetTabOnEnter(true);
    ShowForm();
    Memo->SetFocus();
    Type("a\n");
    Application->ProcessMessages();
    EXPECT_TRUE(Other->Focused());
    EXPECT_EQ(Memo->Text(), "a");
    Memo->SetReadOnly(true); // unfocused: the read-only colour at once
    EXPECT_EQ(Memo->Color(), clInfoBk);
}

} // namespace
