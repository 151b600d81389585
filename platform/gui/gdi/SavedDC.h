#pragma once
// TSavedDC: keeps a device context's state for the length of a scope.
// SaveDC on construction; RestoreDC to exactly that level when the scope
// ends, also when an exception leaves it, so that clip, origin and selected
// objects changed inside never leak to the caller.
//
//   {
//       TSavedDC saved(DC);
//       SetViewportOrgEx(DC, ...);   // undone at the closing brace
//       IntersectClipRect(DC, ...);
//   }

#include "platform/gui/gdi/Gdi.h"

class TSavedDC {
public:
    explicit TSavedDC(HDC DC) : FDC(DC), FLevel(SaveDC(DC)) {}
    ~TSavedDC() {
        if (FLevel) RestoreDC(FDC, FLevel);
    }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

    // The save level, 0 when the context could not be saved.
    Integer Level() const { return FLevel; }

private:
    HDC FDC;
    Integer FLevel;
};
