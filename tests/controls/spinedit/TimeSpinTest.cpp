// The time spin edit: its value kept in range, stepping without overflow,
// leading zeros, the character filter with its beeps, the editor switched
// off, and the text written anew on leaving.
#include "controls/spinedit/TimeSpin.h"
#include "platform/gui/controls/Clipboard.h"
#include "platform/gui/controls/Forms.h"
#include "platform/gui/controls/WindowInput.h"
#include "platform/sys/Beep.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

class TimeSpin : public ::testing::Test {
protected:
    void SetUp() override {
        ResetKeyboardState();
        Application->Initialize();
        FOldSink = SetBeepSink([this](Cardinal) { ++Beeps; });
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 200, 100);
        Spin = new TTimeSpinEdit(Form);
        Spin->SetParent(Form);
        Spin->SetBounds(10, 10, 60, 21);
        Other = new TTimeSpinEdit(Form);
        Other->SetParent(Form);
        Other->SetTop(50);
    }
    void TearDown() override {
        Form->Free();
        Application->ProcessMessages();
        SetBeepSink(FOldSink);
    }
    void Focus() {
        Form->Show();
        Spin->SetFocus();
    }
    // Types the text; "<" is Backspace.
    void Type(const String& Text, TShiftState Shift = {}) {
        for (char c : Text) {
            const Word key = c == '<'                 ? VK_BACK
                             : (c >= 'a' && c <= 'z') ? static_cast<Word>(c - 'a' + 'A')
                                                      : static_cast<Word>(c);
            KeyInput(kaDown, key, Shift, c == '<' ? String("\b") : String(1, c));
            KeyInput(kaUp, key, Shift);
        }
    }
    void Key(Word K, TShiftState Shift = {}) {
        KeyInput(kaDown, K, Shift);
        KeyInput(kaUp, K, Shift);
    }
    void Range(Integer Min, Integer Max) {
        Spin->SetMinValue(Min);
        Spin->SetMaxValue(Max);
    }

    TForm* Form = nullptr;
    TTimeSpinEdit* Spin = nullptr;
    TTimeSpinEdit* Other = nullptr;
    Integer Beeps = 0;
    TBeepSink FOldSink;
};

TEST_F(TimeSpin, ValuesAreKeptInRangeAndShownWithTheirLeadingZero) {
    EXPECT_EQ(Spin->Text(), "00");
    // With MinValue = MaxValue every value is MinValue.
    Spin->SetValue(7);
    EXPECT_EQ(Spin->Text(), "0");
    EXPECT_EQ(Spin->Value(), 0);
    struct Case {
        Integer Min, Max;
        bool LeadingZero;
        Integer Set;
        const char* Shown;
    };
    for (const Case& c :
         {Case{0, 59, false, 75, "59"}, Case{0, 59, false, -3, "0"}, Case{0, 59, true, -3, "00"},
          Case{0, 59, true, 7, "07"}, Case{0, 59, true, 12, "12"},
          Case{0, 5, true, 12, "5"},    // the value given was not below 10
          Case{-5, 20, true, -3, "-3"}, // no "0-3", which is no number
          Case{10, 20, true, 5, "010"}, // the value given was below 10
          Case{0, 0, true, 7, "00"}}) {
        Range(c.Min, c.Max);
        Spin->SetLeadingZero(c.LeadingZero);
        Spin->SetValue(c.Set);
        EXPECT_EQ(Spin->Text(), c.Shown) << c.Min << ".." << c.Max << " " << c.Set;
    }
    // Reading: an empty text is MinValue (0 when that is negative), text that
    // is no number falls back to a value in range.
    struct Read {
        Integer Min, Max;
        const char* Text;
        Integer Value;
    };
    for (const Read& r : {Read{0, 59, "", 0}, Read{0, 59, "ab", 0}, Read{1, 12, "", 1}, Read{1, 12, "x", 1},
                          Read{-10, -5, "", -5}, Read{-10, -5, "zz", -5}, Read{0, 59, "75", 59}}) {
        Range(r.Min, r.Max);
        Spin->SetText(r.Text);
        EXPECT_EQ(Spin->Value(), r.Value) << r.Min << ".." << r.Max << " '" << r.Text << "'";
    }
}

TEST_F(TimeSpin, StepsStopAtTheLimitsWithoutOverflow) {
    struct Case {
        Integer Min, Max, Start, Increment;
        bool Up;
        Integer Result;
    };
    for (const Case& c :
         {Case{0, 59, 58, 1, true, 59}, Case{0, 59, 59, 1, true, 59}, Case{0, 59, 0, 5, false, 0},
          Case{0, INT_MAX, INT_MAX - 1, 10, true, INT_MAX}, Case{INT_MIN, 0, INT_MIN + 1, 10, false, INT_MIN},
          Case{-100, 100, 0, INT_MIN, false, 100}, Case{-100, 100, 0, INT_MAX, true, 100}}) {
        Range(c.Min, c.Max);
        Spin->SetIncrement(c.Increment);
        Spin->SetValue(c.Start);
        if (c.Up)
            Spin->StepUp(nullptr);
        else
            Spin->StepDown(nullptr);
        EXPECT_EQ(Spin->Value(), c.Result) << c.Start << (c.Up ? " + " : " - ") << c.Increment;
    }
    // The arrow keys and the buttons step; read-only, they only beep.
    Range(0, 59);
    Spin->SetIncrement(1);
    Spin->SetValue(10);
    Focus();
    Key(VK_UP);
    EXPECT_EQ(Spin->Value(), 11);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(Spin->Value(), 9);
    Spin->SetReadOnly(true);
    Spin->Button()->OnUpClick(Spin->Button());
    EXPECT_EQ(Spin->Value(), 9);
    EXPECT_EQ(Beeps, 1);
}

TEST_F(TimeSpin, TypingIsFilteredAndRefusedKeysBeep) {
    Range(0, 59);
    Spin->SetText("");
    Focus();
    Type("a5+");
    EXPECT_EQ(Spin->Text(), "5+");
    EXPECT_EQ(Beeps, 1);
    for (char32_t c : {U'\r', U'\t', U'\n', U'x', U' '})
        EXPECT_FALSE(Spin->AcceptsChar(c)) << int(c);
    for (char32_t c : {U'0', U'9', U'-', U'+', U'.', U'\b', U'\x1b'})
        EXPECT_TRUE(Spin->AcceptsChar(c)) << int(c);
    Type("<");
    EXPECT_EQ(Spin->Text(), "5");
    // Pasting replaces the selection while the editor is on and the text
    // is writable.
    SetClipboardText("42");
    Spin->SelectAll();
    Spin->Perform(WM_PASTE);
    EXPECT_EQ(Spin->Text(), "42");
    Spin->SetReadOnly(true);
    SetClipboardText("7");
    Spin->SelectAll();
    Spin->Perform(WM_PASTE);
    EXPECT_EQ(Spin->Text(), "42");
    Spin->SetReadOnly(false);
    Spin->SetText("5");

    // Without the editor nothing the user does changes the text.
    Spin->SetEditorEnabled(false);
    EXPECT_FALSE(Spin->AcceptsChar('5'));
    EXPECT_FALSE(Spin->AcceptsChar('\b'));
    EXPECT_TRUE(Spin->AcceptsChar('\x1b'));
    Beeps = 0;
    Spin->SelectAll();
    Type("7<");
    Key(VK_DELETE);
    Key('X', {ssCtrl});
    Key('Z', {ssCtrl});
    Key(VK_INSERT, {ssShift});
    Spin->Perform(WM_PASTE);
    Spin->Perform(WM_CUT);
    Spin->Perform(EM_UNDO);
    EXPECT_EQ(Spin->Text(), "5");
    EXPECT_EQ(Beeps, 6);
    // ... while the arrows still step.
    Key(VK_UP);
    EXPECT_EQ(Spin->Text(), "6");
}

TEST_F(TimeSpin, LeavingWritesTheTextFromTheValue) {
    Range(0, 59);
    Spin->SetLeadingZero(true);
    Focus();
    Spin->SetText("");
    Other->SetFocus();
    EXPECT_EQ(Spin->Text(), "00");
    Spin->SetFocus();
    Spin->SetText("75");
    Other->SetFocus();
    EXPECT_EQ(Spin->Text(), "59");
}

TEST_F(TimeSpin, TheButtonSitsAtTheRightEdgeAndTheHeightHasAMinimum) {
    Form->Show();
    TSpinButton* b = Spin->Button();
    EXPECT_EQ(b->Width(), 15);
    EXPECT_EQ(b->Left() + b->Width(), Spin->Width() - 3);
    EXPECT_EQ(b->Height(), Spin->Height() - 5);
    EXPECT_EQ(Spin->TextRect().Right, b->Left() - 1);
    // A control never resized has its button in place too.
    EXPECT_EQ(Other->Button()->Left() + 15, Other->Width() - 3);
    Spin->SetHeight(4);
    EXPECT_GT(Spin->Height(), 4);
}

} // namespace

namespace {

TEST(TimeSpinForm, AFormDescriptionMakesTheControl) {
    RegisterTimeSpinClasses();
    auto* form = new TForm(nullptr);
    form->InitializeForm(R"(object TimeForm: TForm
  object Minutes: TTimeSpinEdit
    Left = 8
    Top = 8
    Width = 41
    Height = 21
    MaxValue = 59
    MinValue = 0
    LeadingZero = True
    EditorEnabled = False
    Value = 5
  end
end
)",
                         "TimeForm.dfm");
    auto* spin = dynamic_cast<TTimeSpinEdit*>(form->FindComponent("Minutes"));
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->Text(), "05");
    EXPECT_FALSE(spin->EditorEnabled());
    EXPECT_EQ(spin->Button()->Owner(), spin); // the button is the edit's own, not the form's
    form->Free();
}

} // namespace
