#pragma once
// TTimeSpinEdit: a one-line numeric edit with a pair of spin buttons at its
// right edge, for two-digit parts of a time.
//
// The value lives in the text: Value reads the text (an empty text as
// MinValue, or 0 when MinValue is negative; text that is no number as
// MinValue when that is above 0, else 0) and keeps it within MinValue ..
// MaxValue (with MinValue = MaxValue every value is MinValue); writing Value
// writes the kept value, with a "0" in front when LeadingZero is on and the
// value is 0 to 9. Increment steps it up and down by the buttons and the
// Up and Down keys, without overflow near the integer limits.
//
// Typing is filtered: digits, "+", "-" and the decimal separator pass, and
// control characters except Enter, Tab and line feed; anything else is
// refused with a beep. With EditorEnabled off the text cannot be changed by
// the user at all (no typing, Backspace, Delete, cut, paste or undo: refused
// keys beep), though the buttons and arrow keys still step. Leaving the
// control writes the text anew from Value.
//
//   +-------------------------+---+    the spin button (15 wide) sits at the
//   |                      59 | ^ |    right edge inside the border; the text,
//   |                         | v |    right-aligned, ends two pixels left of it
//   +-------------------------+---+

#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/Spin.h"

class TTimeSpinEdit : public TCustomEdit {
public:
    QUENTA_PUBLISHED
    explicit TTimeSpinEdit(TComponent* AOwner);
    ~TTimeSpinEdit() override;

    Integer Value();
    void SetValue(Integer Value);
    Integer MinValue() const { return FMinValue; }
    void SetMinValue(Integer Value) { FMinValue = Value; }
    Integer MaxValue() const { return FMaxValue; }
    void SetMaxValue(Integer Value) { FMaxValue = Value; }
    Integer Increment() const { return FIncrement; }
    void SetIncrement(Integer Value) { FIncrement = Value; }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
    bool LeadingZero() const { return FLeadingZero; }
    virtual void SetLeadingZero(bool Value);
    TSpinButton* Button() const { return FButton; }

    // The value kept within MinValue .. MaxValue.
    Integer Clamp(Int64 Value) const;
    // Whether typing Key is allowed now.
    virtual bool AcceptsChar(char32_t Key) const;
    virtual void StepUp(TObject* Sender);
    virtual void StepDown(TObject* Sender);

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;

private:
    void Step(Int64 Delta);
    void PlaceButton();
    Integer MinHeight();
    // A key that changes the text without typing a character (Delete, cut,
    // paste, undo ...).
    static bool IsEditingKey(Word Key, TShiftState Shift);

    Integer FMinValue = 0;
    Integer FMaxValue = 0;
    Integer FIncrement = 1;
    TSpinButton* FButton = nullptr;
    bool FEditorEnabled = true;
    bool FLeadingZero = false;
};

// Makes TTimeSpinEdit and TSpinButton known to form descriptions by name.
void RegisterTimeSpinClasses();
