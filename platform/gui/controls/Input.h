#pragma once
// Keyboard and mouse input: shift states, mouse buttons, the event types of
// controls, and the keyboard state that GetKeyState reports.

#include "platform/gui/controls/ControlMessages.h"

#include <functional>

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer X, Integer Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
// One notch of the wheel turned up (away from the user) or down.
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
// A right click or the context-menu key; MousePos is (-1, -1) for the key.
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
// Key is a virtual-key code; a handler that sets it to 0 consumes the key.
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
// Key is a character (a Unicode code point); 0 consumes it.
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;

// The state of a key as the window layer last saw it: negative (high bit
// set) while the key is down; bit 0 toggles with each press.
SmallInt GetKeyState(Integer VirtualKey);
// Records a key or mouse button going down or up (the window layer, tests).
void SetKeyDown(Integer VirtualKey, bool Down);
// Forgets every held key and button.
void ResetKeyboardState();

// Shift state from the keyboard state, from mouse-message keys (MK_...),
// and from key-message data (the Alt bit) with the keyboard state.
TShiftState KeyboardStateToShiftState();
TShiftState KeysToShiftState(WPARAM Keys);
TShiftState KeyDataToShiftState(LPARAM KeyData);
// Mouse-message keys (MK_...) from a shift state.
WPARAM ShiftStateToKeys(TShiftState Shift);
