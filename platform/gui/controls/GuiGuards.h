#pragma once
// Guards of the GUI (stand-in until the shared guards arrive; same names).

#include "platform/gui/controls/WinControl.h"
#include "platform/rtl/Guards.h"

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
