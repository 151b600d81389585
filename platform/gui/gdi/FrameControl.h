#pragma once
// DrawFrameControl: the classic look of the small standard parts that
// controls borrow from the system (check and radio marks, push-button
// faces, menu check marks and bullets, scroll and combo arrows, size
// grips), drawn by us into the rectangle with the system colours.
//
// Each family is drawn by its own function in its own file; the dispatcher
// returns false for a kind it does not know or a state that kind has no
// picture for, and then draws nothing.

#include "platform/gui/gdi/Gdi.h"

// Type
inline constexpr UINT DFC_CAPTION = 1;
inline constexpr UINT DFC_MENU = 2;
inline constexpr UINT DFC_SCROLL = 3;
inline constexpr UINT DFC_BUTTON = 4;
inline constexpr UINT DFC_POPUPMENU = 5;

// State, per type (low byte) ...
inline constexpr UINT DFCS_BUTTONCHECK = 0x0000;
inline constexpr UINT DFCS_BUTTONRADIOIMAGE = 0x0001;
inline constexpr UINT DFCS_BUTTONRADIOMASK = 0x0002;
inline constexpr UINT DFCS_BUTTONRADIO = 0x0004;
inline constexpr UINT DFCS_BUTTON3STATE = 0x0008;
inline constexpr UINT DFCS_BUTTONPUSH = 0x0010;

inline constexpr UINT DFCS_MENUARROW = 0x0000;
inline constexpr UINT DFCS_MENUCHECK = 0x0001;
inline constexpr UINT DFCS_MENUBULLET = 0x0002;
inline constexpr UINT DFCS_MENUARROWRIGHT = 0x0004;

inline constexpr UINT DFCS_SCROLLUP = 0x0000;
inline constexpr UINT DFCS_SCROLLDOWN = 0x0001;
inline constexpr UINT DFCS_SCROLLLEFT = 0x0002;
inline constexpr UINT DFCS_SCROLLRIGHT = 0x0003;
inline constexpr UINT DFCS_SCROLLCOMBOBOX = 0x0005;
inline constexpr UINT DFCS_SCROLLSIZEGRIP = 0x0008;
inline constexpr UINT DFCS_SCROLLSIZEGRIPRIGHT = 0x0010;

// ... and flags common to all types.
inline constexpr UINT DFCS_INACTIVE = 0x0100;
inline constexpr UINT DFCS_PUSHED = 0x0200;
inline constexpr UINT DFCS_CHECKED = 0x0400;
inline constexpr UINT DFCS_TRANSPARENT = 0x0800;
inline constexpr UINT DFCS_HOT = 0x1000;
inline constexpr UINT DFCS_ADJUSTRECT = 0x2000;
inline constexpr UINT DFCS_FLAT = 0x4000;
inline constexpr UINT DFCS_MONO = 0x8000;

BOOL DrawFrameControl(HDC DC, TRect* Rect, UINT Type, UINT State);

// The families, one file each (FrameControlButton.cpp, FrameControlMenu.cpp,
// FrameControlScroll.cpp). Rect is never null here.
BOOL DrawFrameButton(HDC DC, TRect& Rect, UINT State);
BOOL DrawFrameMenu(HDC DC, TRect& Rect, UINT State);
BOOL DrawFrameScroll(HDC DC, TRect& Rect, UINT State);

