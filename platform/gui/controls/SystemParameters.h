#pragma once
// SystemParametersInfo: the user's settings that controls follow. Only the
// mouse wheel's scroll amount is kept: the lines one notch scrolls, or
// WHEEL_PAGESCROLL for a page per notch. It starts as the desktop's setting
// and may be set for this program (tests, the program's options).

#include "platform/gui/gdi/Gdi.h"

inline constexpr UINT SPI_GETWHEELSCROLLLINES = 0x0068;
inline constexpr UINT SPI_SETWHEELSCROLLLINES = 0x0069;
inline constexpr UINT WHEEL_PAGESCROLL = 0xFFFF;
inline constexpr Integer WHEEL_DELTA = 120;

// SPI_GETWHEELSCROLLLINES writes the setting to *(UINT*)PvParam;
// SPI_SETWHEELSCROLLLINES sets it to UiParam. Other actions answer false.
BOOL SystemParametersInfo(UINT Action, UINT UiParam, void* PvParam, UINT WinIni);
