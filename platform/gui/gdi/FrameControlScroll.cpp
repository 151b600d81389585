// DrawFrameControl's scroll parts: not drawn yet.
#include "platform/gui/gdi/FrameControl.h"

BOOL DrawFrameScroll(HDC, TRect&, UINT) { return false; }
