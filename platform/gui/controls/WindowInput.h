#pragma once
// How the user's input reaches controls. The window layer calls these for
// every mouse and key event of a form's Qt window; tests call them to act as
// the user.
//
// Mouse: the message goes to the window holding the capture, else to the
// deepest enabled window under the pointer; a window passes it on to the
// graphic child under the point (TWinControl::WndProc). Moving onto another
// control sends CM_MOUSELEAVE to the old one and CM_MOUSEENTER to the new
// one (disabled controls included), and updates the application's hint.
// A press activates the form.
//
// Menus (Menus.h) see every key and mouse event first: while a menu is open
// it takes them, and the active form's menu bar takes Alt, F10, Alt+letter
// and the shortcuts of its items.
//
// Keys go to the focused window: first as CN_KEYDOWN (dialog keys: Tab,
// arrows, Enter, Escape go to the form unless the control wants them), then
// WM_KEYDOWN, then one WM_CHAR per character typed (CN_CHAR first, which
// offers characters the control does not want to the form as accelerators);
// with Alt held WM_SYSKEYDOWN and WM_SYSCHAR.

#include "platform/gui/controls/WinControl.h"

class TCustomForm;

enum TMouseAction { maDown, maUp, maMove, maDoubleClick };
enum TKeyAction { kaDown, kaUp };

// Shift holds the keys (ssShift, ssCtrl, ssAlt) and buttons held besides
// Button; ClientPos is in Window's client coordinates.
void MouseInput(TWinControl* Window, TMouseAction Action, TMouseButton Button, TShiftState Shift,
                TPoint ClientPos);
// Delta in 1/120 notches, positive away from the user.
void MouseWheelInput(TWinControl* Window, TShiftState Shift, Integer Delta, TPoint ClientPos);
// The pointer left Form's window.
void MouseLeaveInput(TCustomForm* Form);
// A key going down or up with the keys held; Text is what the key types
// (UTF-8, may be empty).
void KeyInput(TKeyAction Action, Word Key, TShiftState Shift, const String& Text = String());

// The control under the pointer (nullptr when none).
TControl* MouseControl();
// Forgets Control (and anything inside it) as the control under the
// pointer; called when it goes away.
void ForgetMouseControl(TControl* Control);
