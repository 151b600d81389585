// DrawFrameControl's button parts: the classic check box and radio button.
//
// Both are pixel art in the system colours, drawn in the largest square that
// fits the rectangle, centred (the odd pixel to the right and below).
//
// Check box (a 13 x 13 square shown; other sizes keep the two-pixel sunken
// edge and centre the 7 x 7 mark in the well):
//
//   SSSSSSSSSSSSH      S clBtnShadow      H clBtnHighlight
//   SDDDDDDDDDDLH      D cl3DDkShadow     L cl3DLight
//   SDwwwwwwwwwLH      w the well: clWindow; clBtnFace when pushed or
//   SDwwwwwwwXwLH        inactive; a clBtnHighlight / clBtnFace checker
//   SDwwwwwwXXwLH        (clBtnHighlight where x + y is even) for a checked
//   SDwXwwwXXXwLH        three-state box
//   SDwXXwXXXwwLH      X the mark: clWindowText; clBtnShadow when inactive
//   SDwXXXXXwwwLH        or three-state
//   SDwwXXXwwwwLH
//   SDwwwXwwwwwLH
//   SDwwwwwwwwwLH
//   SLLLLLLLLLLLH
//   HHHHHHHHHHHHH
//
// Radio button (12 x 12, at the square's top left plus half the spare):
//
//   ....SSSS....       outer ring: S on the top-left half, H on the other
//   ..SSDDDDSS..       inner ring: D on the top-left half, L on the other
//   .SDDwwwwDDH.       w the well as for the check box (no checker)
//   .SDwwwwwwLH.       X the dot when checked: clWindowText, clBtnShadow
//   SDwwwXXwwwLH         when inactive
//   SDwwXXXXwwLH       '.' outside the circle: left as it is with
//   SDwwXXXXwwLH         DFCS_TRANSPARENT, else clBtnFace
//   SDwwwXXwwwLH
//   .SDwwwwwwLH.
//   .SLLwwwwLLH.
//   ..HHLLLLHH..
//   ....HHHH....
//
// DFCS_BUTTONRADIOMASK draws the circle black on white (the mask of the
// image); DFCS_BUTTONRADIOIMAGE is the same as DFCS_BUTTONRADIO here.
#include "platform/gui/gdi/FrameControl.h"

#include <algorithm>

namespace {

constexpr const char* CheckMark[7] = {
    "......X", //
    ".....XX", //
    "X...XXX", //
    "XX.XXX.", //
    "XXXXX..", //
    ".XXX...", //
    "..X....", //
};

// The radio button with its rings named by side: 'S'/'H' outer top-left and
// bottom-right, 'D'/'L' inner, 'w' well, 'X' dot (drawn only when checked).
constexpr const char* RadioArt[12] = {
    "....SSSS....", //
    "..SSDDDDSS..", //
    ".SDDwwwwDDH.", //
    ".SDwwwwwwLH.", //
    "SDwwwXXwwwLH", //
    "SDwwXXXXwwLH", //
    "SDwwXXXXwwLH", //
    "SDwwwXXwwwLH", //
    ".SDwwwwwwLH.", //
    ".SLLwwwwLLH.", //
    "..HHLLLLHH..", //
    "....HHHH....", //
};

void Fill(HDC DC, const TRect& R, COLORREF Color) {
    HBRUSH brush = CreateSolidBrush(Color);
    FillRect(DC, &R, brush);
    DeleteObject(AsGdiObj(brush));
}

TRect CentredSquare(const TRect& R, Integer Size) {
    Integer x = R.Left + (R.Width() - Size) / 2;
    Integer y = R.Top + (R.Height() - Size) / 2;
    return {x, y, x + Size, y + Size};
}

COLORREF WellColor(UINT State) {
    return GetSysColor(State & (DFCS_PUSHED | DFCS_INACTIVE) ? COLOR_BTNFACE : COLOR_WINDOW);
}

COLORREF MarkColor(UINT State) {
    return GetSysColor(State & (DFCS_INACTIVE | DFCS_BUTTON3STATE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
}

void DrawCheck(HDC DC, const TRect& Square, UINT State) {
    const Integer n = Square.Width();
    // The sunken edge: outer top-left shadow, inner top-left dark shadow;
    // the bottom-right lines own the corners they share.
    const TRect inner{Square.Left + 1, Square.Top + 1, Square.Right - 1, Square.Bottom - 1};
    Fill(DC, {Square.Left, Square.Top, Square.Right - 1, Square.Top + 1}, GetSysColor(COLOR_BTNSHADOW));
    Fill(DC, {Square.Left, Square.Top, Square.Left + 1, Square.Bottom - 1}, GetSysColor(COLOR_BTNSHADOW));
    Fill(DC, {Square.Right - 1, Square.Top, Square.Right, Square.Bottom}, GetSysColor(COLOR_BTNHIGHLIGHT));
    Fill(DC, {Square.Left, Square.Bottom - 1, Square.Right, Square.Bottom}, GetSysColor(COLOR_BTNHIGHLIGHT));
    Fill(DC, {inner.Left, inner.Top, inner.Right - 1, inner.Top + 1}, GetSysColor(COLOR_3DDKSHADOW));
    Fill(DC, {inner.Left, inner.Top, inner.Left + 1, inner.Bottom - 1}, GetSysColor(COLOR_3DDKSHADOW));
    Fill(DC, {inner.Right - 1, inner.Top, inner.Right, inner.Bottom}, GetSysColor(COLOR_3DLIGHT));
    Fill(DC, {inner.Left, inner.Bottom - 1, inner.Right, inner.Bottom}, GetSysColor(COLOR_3DLIGHT));

    const TRect well{Square.Left + 2, Square.Top + 2, Square.Right - 2, Square.Bottom - 2};
    const bool checked = State & DFCS_CHECKED;
    if (checked && (State & DFCS_BUTTON3STATE) && !(State & (DFCS_PUSHED | DFCS_INACTIVE))) {
        const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), face = GetSysColor(COLOR_BTNFACE);
        for (Integer y = well.Top; y < well.Bottom; ++y)
            for (Integer x = well.Left; x < well.Right; ++x)
                SetPixel(DC, x, y, ((x - Square.Left) + (y - Square.Top)) % 2 == 0 ? light : face);
    } else {
        Fill(DC, well, WellColor(State));
    }
    if (!checked || n < 11) return;
    const COLORREF mark = MarkColor(State);
    const Integer mx = well.Left + (well.Width() - 7) / 2, my = well.Top + (well.Height() - 7) / 2;
    for (Integer y = 0; y < 7; ++y)
        for (Integer x = 0; x < 7; ++x)
            if (CheckMark[y][x] == 'X') SetPixel(DC, mx + x, my + y, mark);
}

void DrawRadio(HDC DC, const TRect& Square, UINT State) {
    const Integer x0 = Square.Left + (Square.Width() - 12) / 2, y0 = Square.Top + (Square.Height() - 12) / 2;
    const bool mask = (State & 0xFF) == DFCS_BUTTONRADIOMASK;
    if (!(State & DFCS_TRANSPARENT)) Fill(DC, Square, mask ? RGB(255, 255, 255) : GetSysColor(COLOR_BTNFACE));
    const bool checked = State & DFCS_CHECKED;
    for (Integer y = 0; y < 12; ++y)
        for (Integer x = 0; x < 12; ++x) {
            const char c = RadioArt[y][x];
            if (c == '.') continue;
            COLORREF color;
            if (mask)
                color = RGB(0, 0, 0);
            else if (c == 'X' && checked)
                color = GetSysColor(State & DFCS_INACTIVE ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
            else if (c == 'w' || c == 'X')
                color = WellColor(State);
            else
                color = GetSysColor(c == 'S'   ? COLOR_BTNSHADOW
                                    : c == 'H' ? COLOR_BTNHIGHLIGHT
                                    : c == 'D' ? COLOR_3DDKSHADOW
                                               : COLOR_3DLIGHT);
            SetPixel(DC, x0 + x, y0 + y, color);
        }
}

} // namespace

BOOL DrawFrameButton(HDC DC, TRect& Rect, UINT State) {
    const Integer size = std::min(Rect.Width(), Rect.Height());
    if (size <= 0) return false;
    const TRect square = CentredSquare(Rect, size);
    switch (State & 0xFF & ~DFCS_BUTTON3STATE) {
    case DFCS_BUTTONCHECK:
        if (size < 4) return false;
        DrawCheck(DC, square, State);
        return true;
    case DFCS_BUTTONRADIO:
    case DFCS_BUTTONRADIOIMAGE:
    case DFCS_BUTTONRADIOMASK:
        DrawRadio(DC, square, State);
        return true;
    default:
        return false;
    }
}
