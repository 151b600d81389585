#pragma once
// The library's framed edit (TQxCustomEdit, TQxEdit) and framed memo
// (TQxMemo): the framework's edit and memo with colour states, a library
// frame in the non-client area, and what each adds (the edit's drop button,
// cue banner and alignment; the memo's caret line and column, its change
// events and its own wheel scrolling).
//
// Colour states: the control shows, in this order of precedence, its
// DisabledColor while disabled, its FocusColor while focused (ReadOnlyColor
// instead when read-only with ReadOnlyColorOnFocus), its ReadOnlyColor while
// read-only, else the normal colour: the last Color set from outside
// (UpdateColors sets Color itself under the colour guard, which keeps it
// from becoming the normal colour). A FocusColor equal to the normal colour
// follows it when Color changes, so a form that sets only Color is that
// colour when focused too. The states change on focus moves inside the form
// (CM_ENTER / CM_EXIT), not when the program loses the focus.
//
// The frame: with FrameVisible the library frame (FrameStyle in FrameColor,
// FrameHotStyle in FrameHotColor while hot: FrameHotTrack and focused or
// under the mouse) is painted over the window's border on every non-client
// paint; with FramingPreference fpXPThemes and themes on, the themed border
// wins and the library frame is not painted.
//
// The settings of a frame controller named in FrameController reach the
// control through its published setters of the same names; while a form is
// read the setters only store, and the control settles in Loaded.

#include "controls/common/QxCommon.h"
#include "controls/common/QxControlLinks.h"
#include "platform/gui/controls/Edit.h"

#include <memory>

class TControlCanvas;

using TValidationMessageEvent = std::function<void(TObject* Sender, String& Message)>;
using TLineColChangeEvent = std::function<void(TObject* Sender, Integer Line, Integer Column)>;
using TClipboardChangeEvent = std::function<void(TObject* Sender, bool HasSelection, bool HasText)>;

// What the framed edit and the framed memo share: the colour states and
// the frame state, both following enabling and focus moves, the frame
// settings and their controller, the library frame, TabOnEnter and the
// mouse-enter events. TBase is the framework's edit class.
template <class TBase> class TQxFramedEdit : public TBase {
public:
    explicit TQxFramedEdit(TComponent* AOwner);
    ~TQxFramedEdit() override;

    TColor DisabledColor() const { return FFrame.DisabledColor; }
    virtual void SetDisabledColor(TColor Value);
    TColor FocusColor() const { return FFrame.FocusColor; }
    virtual void SetFocusColor(TColor Value);
    TColor ReadOnlyColor() const { return FFrame.ReadOnlyColor; }
    virtual void SetReadOnlyColor(TColor Value);
    bool ReadOnlyColorOnFocus() const { return FFrame.ReadOnlyColorOnFocus; }
    void SetReadOnlyColorOnFocus(bool Value) { FFrame.ReadOnlyColorOnFocus = Value; }
    TColor FrameColor() const { return FFrame.FrameColor; }
    virtual void SetFrameColor(TColor Value);
    TColor FrameHotColor() const { return FFrame.FrameHotColor; }
    virtual void SetFrameHotColor(TColor Value);
    TFrameStyle FrameHotStyle() const { return FFrame.FrameHotStyle; }
    virtual void SetFrameHotStyle(TFrameStyle Value);
    TSides FrameSides() const { return FFrame.FrameSides; }
    virtual void SetFrameSides(TSides Value);
    TFrameStyle FrameStyle() const { return FFrame.FrameStyle; }
    virtual void SetFrameStyle(TFrameStyle Value);
    bool FrameHotTrack() const { return FFrame.FrameHotTrack; }
    virtual void SetFrameHotTrack(bool Value);
    bool FrameVisible() const { return FFrame.FrameVisible; }
    virtual void SetFrameVisible(bool Value);
    TFramingPreference FramingPreference() const { return FFrame.FramingPreference; }
    virtual void SetFramingPreference(TFramingPreference Value);
    TQxFrameController* FrameController() const { return FLinks.Controller(); }
    virtual void SetFrameController(TQxFrameController* Value) { FLinks.SetController(Value); }
    TQxFrameControllerNotifications FrameControllerNotifications() const { return FLinks.Notifications(); }
    void SetFrameControllerNotifications(TQxFrameControllerNotifications Value) { FLinks.SetNotifications(Value); }
    bool TabOnEnter() const { return FTabOnEnter; }
    void SetTabOnEnter(bool Value) { FTabOnEnter = Value; }
    // The colour the user chose: shown when no other state applies.
    TColor NormalColor() const { return FNormalColor; }

    // Shows the colour of the present state (nothing while a form is read).
    virtual void UpdateColors();
    // The mouse came or went (MouseNotFocus) or the focus did.
    virtual void UpdateFrameState(bool MouseNotFocus, bool Value) = 0;
    virtual void InvalidateFrame();
    // The themed border wins over the library frame.
    virtual bool UseThemedFrame() const;

    void Dispatch(TMessage& Message) override;
    void Loaded() override;
    void DefineProperties(TFiler* Filer) override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    // Whether the colour states count the control as focused.
    virtual bool FocusedForColors() const = 0;
    void KeyPress(char32_t& Key) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Paints the library frame on the window when it shows; answers whether it did.
    bool PaintLibraryFrame(bool Hot);
    // The colour of the present state.
    TColor StateColor() const;
    // Repaints the non-client parts now.
    void RepaintNonClient();
    TControlCanvas* NonClientCanvas() const { return FCanvas.get(); }

    TQxFrameSettings FFrame;
    TQxControlLinks FLinks{this};
    bool FColorGuard = false;
    TColor FNormalColor = clWindow;
    bool FMouseOver = false;

private:
    void ColorChanged(bool Always);
    bool FTabOnEnter = false;
    std::unique_ptr<TControlCanvas> FCanvas;
};

// The button state of the drop button.
enum TQxDropButtonState : Byte { dbsUp = 0, dbsDown = 2 };

class TQxCustomEdit : public TQxFramedEdit<TCustomMaskEdit> {
public:
    QUENTA_PUBLISHED
    explicit TQxCustomEdit(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    virtual void SetAlignment(TAlignment Value);
    void SetReadOnly(bool Value) override;
    virtual bool IsReadOnly() const { return ReadOnly(); }
    const String& TextHint() const { return FTextHint; }
    void SetTextHint(const String& Value);
    bool TextHintVisibleOnFocus() const { return FTextHintVisibleOnFocus; }
    void SetTextHintVisibleOnFocus(bool Value);
    TColor FlatButtonColor() const { return FFrame.FlatButtonColor; }
    void SetFlatButtonColor(TColor Value);
    bool FlatButtons() const { return FFrame.FlatButtons; }
    virtual void SetFlatButtons(bool Value);
    bool DropButtonRequested() const { return FDropButtonRequested; }
    virtual void SetDropButtonRequested(bool Value);
    bool DropButtonShown() const { return FDropButtonShown; }
    virtual void SetDropButtonShown(bool Value);
    TQxDropButtonState ButtonState() const { return FButtonState; }
    virtual void SetButtonState(TQxDropButtonState Value);
    bool DroppedDown() const { return FDroppedDown; }
    // The last hit test found the mouse over the drop button.
    bool OverButton() const { return FOverButton; }

    void UpdateFrameState(bool MouseNotFocus, bool Value) override;
    // Hooks for descendants: where the text is edited (the client
    // rectangle) and the text as the edit shows it (the masked edit's).
    virtual void GetEditRect(TRect& Rect) const { Rect = ClientRect(); }
    virtual String GetEditText() const { return EditText(); }
    // The edit's alignment.
    TAlignment GetControlsAlignment() const override { return FAlignment; }
    virtual void HideDropButton();
    virtual void RestoreDropButton();
    void ValidateError() override;
    void Dispatch(TMessage& Message) override;

    TValidationMessageEvent OnValidationMessage;
    TNotifyEvent OnDropButtonPress;
    TNotifyEvent OnDropButtonRelease;

protected:
    bool FocusedForColors() const override { return FFocused; }
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    virtual void ApplyTextHint(const String& Text);
    virtual void ReadOnlyChanged();
    // Paints the drop button in R (window coordinates).
    virtual void PaintDropButton(TRect& R);
    virtual void DoDropButtonPress();
    virtual void DoDropButtonRelease();
    // Pressing the drop button: its events run with the button down. Only a
    // press of the mouse holds the mouse for the edit (its release lets go).
    void PressSequence(bool ByMouse);
    void ReleaseStep();

private:
    void WMNCPaint(TMessage& Message);
    Integer DropButtonReserve() const;

    TAlignment FAlignment = taLeftJustify;
    String FTextHint;
    bool FTextHintVisibleOnFocus = false;
    bool FDropButtonRequested = false;
    bool FDropButtonShown = false;
    bool FOverButton = false;
    bool FDroppedDown = false;
    TQxDropButtonState FButtonState = dbsUp;
    bool FFocused = false;
};

class TQxEdit : public TQxCustomEdit {
public:
    QUENTA_PUBLISHED
    explicit TQxEdit(TComponent* AOwner) : TQxCustomEdit(AOwner) {}
};

class TQxMemo : public TQxFramedEdit<TMemo> {
public:
    QUENTA_PUBLISHED
    explicit TQxMemo(TComponent* AOwner);

    void SetReadOnly(bool Value) override;
    // The caret's line and column, from 1, taken from the memo's own
    // selection end. Writing a line or column outside the text does nothing.
    virtual Integer Line() const;
    virtual void SetLine(Integer Value);
    virtual Integer Column() const;
    virtual void SetColumn(Integer Value);

    void UpdateFrameState(bool MouseNotFocus, bool Value) override;
    void Dispatch(TMessage& Message) override;

    TLineColChangeEvent OnLineColChange;
    TClipboardChangeEvent OnClipboardChange;

protected:
    bool FocusedForColors() const override { return this->Focused(); }
    void CreateWnd() override;
    void Change() override;
    void Click() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
    virtual void LineColChanged();
    virtual void ClipboardChanged();

private:
    Integer FWheelRest = 0; // wheel movement short of a notch, kept for the next event
};

// Registers TQxEdit and TQxMemo (and the framework's TMemo) for form
// descriptions.
void RegisterQxEditClasses();
