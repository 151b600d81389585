#pragma once
// TButton: the classic push button of dialogs, painted by the platform.
//
// A left press captures the mouse and shows the button pushed while the
// pointer stays over it; the release over it clicks. Space pushes it and
// its release clicks (only a Space press this button saw). Every click first
// copies ModalResult to the form, so a modal form closes with it.
//
// Dialog roles: Enter clicks the active button and Escape the Cancel
// button, wherever the focus is on the form (CM_DIALOGKEY). The active
// button is the focused one when a TButton has the focus, otherwise the
// Default one; it is drawn with the black default frame. The caption's
// accelerator ("&Go") clicks it too.
//
// Look (classic; with themes on the theme's push button instead), for a
// 10 x 8 button that is active (W = WindowFrame, H = BtnHighlight,
// L = 3DLight, S = BtnShadow, D = 3DDkShadow, face and caption inside):
//
//   WWWWWWWWWW      not active: the same without the W ring, the edges
//   WHHHHHHHDW      one pixel further out
//   WHLLLLLSDW
//   WHL....SDW      pushed while active: the W ring, then one ring of S,
//   WHL....SDW      face inside; pushed while not active: the sunken edge
//   WHSSSSSSDW      (D and S at the top and left, H and L at the bottom
//   WDDDDDDDDW      and right); the caption moves one pixel right and down
//   WWWWWWWWWW
//
// The caption is centred in one line; a disabled one is embossed (BtnHighlight
// one pixel right and down, then BtnShadow). The focused button shows a
// dotted focus rectangle four pixels inside its boundary.

#include "platform/gui/controls/CustomForm.h"
#include "platform/gui/controls/Published.h"

class TButton : public TCustomControl {
public:
    QUENTA_PUBLISHED
    explicit TButton(TComponent* AOwner);

    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }

    // Enter clicks it (see above).
    bool Active() const { return FActive; }
    // Drawn pushed: the mouse holds it down over it, or Space is held.
    bool Pushed() const { return FPushed; }

    // Clicks as the user does: ModalResult to the form, then OnClick.
    void Click() override;
    void Dispatch(TMessage& Message) override;

protected:
    void CreateWnd() override;
    void Paint() override;

private:
    void SetPushed(bool Value);
    // Ends a mouse or Space press without a click.
    void CancelPress();
    void FocusChanged(TWinControl* Focused);
    void PaintClassic(TRect R);

    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
    bool FActive = false;
    bool FPushed = false;
    bool FTracking = false; // a left press on it is held
    bool FSpaceDown = false;
};
