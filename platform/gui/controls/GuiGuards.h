#pragma once
// Guards of the GUI: a device context's state (TSavedDC, from the gdi layer)
// and a control's alignment, given back when the scope ends, normally or by
// an exception (the general guards and their rules are in
// platform/rtl/Guards.h).
//
//   TSavedDC saved(DC);        // SaveDC now, RestoreDC to this level at the end
//   IntersectClipRect(DC, ...);
//   ...paint...
//
//   TAlignLock lock(Panel);    // Panel->DisableAlign() now, EnableAlign() at the end,
//   ...move children...        // which realigns once if a child asked for it

#include "platform/gui/controls/WinControl.h"
#include "platform/gui/gdi/SavedDC.h"
#include "platform/rtl/Guards.h"

// Holds a windowed control's alignment for the scope.
class TAlignLock {
public:
    explicit TAlignLock(TWinControl* Control) : FEnable([Control] { Control->EnableAlign(); }) {
        Control->DisableAlign();
    }

private:
    TScopeExit<std::function<void()>> FEnable;
};
