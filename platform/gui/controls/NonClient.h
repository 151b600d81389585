#pragma once
// The non-client model of windows that keep parts of their own around the
// client area (the edit's border and drop button): the window is asked for
// its client rectangle with WM_NCCALCSIZE, for the region under a point
// with WM_NCHITTEST, paints the non-client parts on WM_NCPAINT after its
// client area, and shows a cursor per region on WM_SETCURSOR.
//
// Window coordinates have (0,0) at the window's top-left corner. The
// functions below are the geometry those messages answer with, kept apart
// so that they can be checked without windows:
//
//   +--------------------------------+   B: border inset (BorderInset)
//   |B+------------------------+---+B|   the client rectangle loses the
//   | |  client (HTCLIENT)     |btn| |   button width on the right (on the
//   | |                        |   | |   left under right-to-left reading)
//   |B+------------------------+---+B|   border: HTBORDER; button area:
//   +--------------------------------+   HTNOWHERE (the window's own)

#include "platform/gui/controls/CustomForm.h"

// WM_NCCALCSIZE: LParam is a TRect* holding the proposed client rectangle
// in window coordinates (the whole window), which the handler narrows.

// The width of the border on each side: none 0; a single border 2 with the
// sunken 3D edge (Ctl3D), 1 as a plain line.
Integer BorderInset(TFormBorderStyle Style, bool Ctl3D);
// The client rectangle of a Width x Height window: ButtonWidth taken from
// the right (left when RightToLeft), then the border from every side.
TRect NonClientClientRect(Integer Width, Integer Height, Integer Border, Integer ButtonWidth, bool RightToLeft);
// The drop button: the window inset by Inset, its last Width pixels on the
// right (its first on the left when RightToLeft).
TRect DropButtonRect(Integer Width, Integer Height, Integer Inset, Integer ButtonWidth, bool RightToLeft);
// HTCLIENT inside Client; HTBORDER within Border pixels of the window's
// edge; HTNOWHERE elsewhere in the window (reserved parts) and outside it.
LRESULT NonClientHitTest(TPoint P, Integer Width, Integer Height, Integer Border, const TRect& Client);
// The cursor of a region: over the client area the control's own cursor
// (ClientCursor, or the text cursor when that is crDefault), the arrow
// anywhere else.
TCursor NonClientCursor(LRESULT HitCode, TCursor ClientCursor);

// A device context on the whole window, non-client parts included (the
// windows that have them keep a surface the size of the window).
HDC GetWindowDC(HWND Wnd);
