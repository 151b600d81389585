#include "platform/gui/gdi/FrameControl.h"

BOOL DrawFrameControl(HDC DC, TRect* Rect, UINT Type, UINT State) {
    if (!DC || !Rect) return false;
    switch (Type) {
    case DFC_BUTTON: return DrawFrameButton(DC, *Rect, State);
    case DFC_MENU:
    case DFC_POPUPMENU: return DrawFrameMenu(DC, *Rect, State);
    case DFC_SCROLL: return DrawFrameScroll(DC, *Rect, State);
    default: return false;
    }
}
