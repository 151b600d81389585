// DrawFrameControl's menu parts: not drawn yet.
#include "platform/gui/gdi/FrameControl.h"

BOOL DrawFrameMenu(HDC, TRect&, UINT) { return false; }
