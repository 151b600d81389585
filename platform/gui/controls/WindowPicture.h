#pragma once
// Pictures of windows as they are shown, for screenshots taken by the
// program itself (review pictures, the headless run).

#include "platform/gui/controls/WinControl.h"

// Saves the window's client area with everything in it, as shown now, as a
// PNG file. Raises EFCreateError when the window has no handle yet or the
// file cannot be written.
void SaveWindowPicture(TWinControl* Control, const String& FileName);

// Saves what the screen shows in Area (screen coordinates) as a PNG file:
// every window there, menus and other pop-ups included. Raises
// EFCreateError when the file cannot be written.
void SaveScreenPicture(const TRect& Area, const String& FileName);
