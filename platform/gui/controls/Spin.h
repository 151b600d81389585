#pragma once
// TSpinButton: a small pair of buttons, up over down, that step a value.
//
// Pressing a half shows it down; releasing it inside fires its click
// (OnUpClick or OnDownClick). Held down, the half repeats its click: first
// 400 ms after the press, then every 100 ms, while the pointer stays on it.
// A press moves the focus to FocusControl (or to the button itself when it
// has TabStop). Up and Down keys click the halves while the button has the
// focus.
//
// Each half is a classic button face with a black arrow (grey when
// disabled) centred in it; the arrow moves one pixel down and right while
// its half is down:
//
//   HHHHHHHHD     H clBtnHighlight   D cl3DDkShadow
//   HLLLLLLSD     L cl3DLight        S clBtnShadow
//   HL..#..SD     . clBtnFace        # the arrow (5 x 3), its top row at
//   HL.###.SD                          (height - 3) / 2, its middle column
//   HL#####SD                          at (width - 1) / 2
//   HL.....SD
//   HSSSSSSSD
//   DDDDDDDDD

#include "platform/gui/controls/GraphicControl.h"
#include "platform/gui/controls/Timers.h"

#include <memory>

class TSpinButton : public TCustomControl {
public:
    QUENTA_PUBLISHED
    explicit TSpinButton(TComponent* AOwner);
    ~TSpinButton() override;

    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

    // The half held down now: 0 none, 1 up, 2 down.
    Integer PressedHalf() const { return FPressed; }
    // The rectangles of the halves (client coordinates).
    TRect UpRect() const;
    TRect DownRect() const;

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

    // The delays of the auto-repeat, in milliseconds.
    static constexpr Cardinal InitRepeatPause = 400;
    static constexpr Cardinal RepeatPause = 100;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    // Fires the click of a half (1 up, 2 down).
    virtual void HalfClick(Integer Half);

private:
    void RepeatTimer(TObject* Sender);
    Integer HalfAt(Integer X, Integer Y) const;
    void PaintHalf(const TRect& R, bool Up, bool Down);

    TWinControl* FFocusControl = nullptr;
    Integer FPressed = 0;
    bool FInside = false;
    std::unique_ptr<TTimer> FRepeat;
};
