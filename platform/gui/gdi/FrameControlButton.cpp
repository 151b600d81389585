// DrawFrameControl's button parts: not drawn yet.
#include "platform/gui/gdi/FrameControl.h"

BOOL DrawFrameButton(HDC, TRect&, UINT) { return false; }
