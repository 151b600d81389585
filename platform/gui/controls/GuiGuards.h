#pragma once
// Guards of the GUI: a device context's state and a control's alignment,
// given back when the scope ends, normally or by an exception (the general
// guards and their rules are in platform/rtl/Guards.h).
//
//   TSavedDC saved(DC);        // SaveDC now, RestoreDC to this level at the end
//   IntersectClipRect(DC, ...);
//   ...paint...
//
//   TAlignLock lock(Panel);    // Panel->DisableAlign() now, EnableAlign() at the end,
//   ...move children...        // which realigns once if a child asked for it

#include "platform/gui/controls/WinControl.h"
#include "platform/rtl/Guards.h"

// Saves a device context's clip, origin, drawing objects and text settings
// and restores them (and drops every level saved after it) at the end.
class TSavedDC {
public:
    explicit TSavedDC(HDC DC) : FDC(DC), FLevel(SaveDC(DC)) {}
    ~TSavedDC() { RestoreDC(FDC, FLevel); }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC FDC;
    Integer FLevel;
};

// Holds a windowed control's alignment for the scope.
class TAlignLock {
public:
    explicit TAlignLock(TWinControl* Control) : FEnable([Control] { Control->EnableAlign(); }) {
        Control->DisableAlign();
    }

private:
    TScopeExit<std::function<void()>> FEnable;
};
