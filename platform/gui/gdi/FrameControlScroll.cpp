// DrawFrameControl's scroll parts: the four scroll-bar arrow buttons and the
// combo box's drop-down button (the down arrow), in the classic look.
//
// A raised button, 16 x 16 (h = clBtnHighlight, s = clBtnShadow,
// d = cl3DDkShadow, l = cl3DLight, face clBtnFace, # the arrow):
//
//   llllllllllllllld      outer ring: l top-left, d bottom-right
//   lhhhhhhhhhhhhhsd      inner ring: h top-left, s bottom-right
//   lh............sd
//   lh............sd
//   lh............sd
//   lh............sd
//   lh...#######..sd      the arrow: rows of 7, 5, 3, 1 pixels, centred
//   lh....#####...sd      on the face (one pixel right and down when
//   lh.....###....sd      pushed)
//   lh......#.....sd
//   ...
//   lsssssssssssssssd
//   dddddddddddddddd
//
// Pushed: the rings become one line of s all round (DFCS_FLAT) or the
// sunken pair (s, d top-left; h, l bottom-right). DFCS_INACTIVE draws the
// arrow in s over a copy in h one pixel right and down.
#include "platform/gui/gdi/FrameControl.h"

#include <algorithm>

namespace {

void Fill(HDC DC, const TRect& R, TColor Color) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
    FillRect(DC, &R, brush);
    DeleteObject(AsGdiObj(brush));
}

// One ring: top and left in TopLeft, bottom and right (with the corners
// they share) in BottomRight; answers the rectangle inside.
TRect Ring(HDC DC, const TRect& R, TColor TopLeft, TColor BottomRight) {
    if (R.Right - R.Left < 1 || R.Bottom - R.Top < 1) return R;
    Fill(DC, {R.Left, R.Top, R.Right - 1, R.Top + 1}, TopLeft);
    Fill(DC, {R.Left, R.Top, R.Left + 1, R.Bottom - 1}, TopLeft);
    Fill(DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, BottomRight);
    Fill(DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, BottomRight);
    return {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
}

// Direction 0 up, 1 down, 2 left, 3 right; the arrow is centred in Face.
void Arrow(HDC DC, const TRect& Face, Integer Direction, TColor Color) {
    const Integer along = (Direction < 2) ? Face.Right - Face.Left : Face.Bottom - Face.Top;
    const Integer across = (Direction < 2) ? Face.Bottom - Face.Top : Face.Right - Face.Left;
    const Integer rows = std::max(1, std::min((along + 4) / 4, (across + 1) / 2));
    const Integer base = 2 * rows - 1;
    const Integer x0 = Face.Left + (Face.Right - Face.Left - ((Direction < 2) ? base : rows)) / 2;
    const Integer y0 = Face.Top + (Face.Bottom - Face.Top - ((Direction < 2) ? rows : base)) / 2;
    for (Integer i = 0; i < rows; ++i) {
        // Row i from the arrow's base holds base - 2i pixels.
        const Integer len = base - 2 * i;
        switch (Direction) {
        case 0: Fill(DC, {x0 + i, y0 + rows - 1 - i, x0 + i + len, y0 + rows - i}, Color); break;
        case 1: Fill(DC, {x0 + i, y0 + i, x0 + i + len, y0 + i + 1}, Color); break;
        case 2: Fill(DC, {x0 + rows - 1 - i, y0 + i, x0 + rows - i, y0 + i + len}, Color); break;
        default: Fill(DC, {x0 + i, y0 + i, x0 + i + 1, y0 + i + len}, Color); break;
        }
    }
}

} // namespace

BOOL DrawFrameScroll(HDC DC, TRect& Rect, UINT State) {
    Integer direction;
    switch (State & 0xFF) {
    case DFCS_SCROLLUP: direction = 0; break;
    case DFCS_SCROLLDOWN:
    case DFCS_SCROLLCOMBOBOX: direction = 1; break;
    case DFCS_SCROLLLEFT: direction = 2; break;
    case DFCS_SCROLLRIGHT: direction = 3; break;
    default: return false;
    }
    const bool pushed = (State & DFCS_PUSHED) != 0;
    TRect face = Rect;
    if (pushed && (State & DFCS_FLAT))
        face = Ring(DC, face, clBtnShadow, clBtnShadow);
    else if (pushed)
        face = Ring(DC, Ring(DC, face, clBtnShadow, clBtnHighlight), cl3DDkShadow, cl3DLight);
    else
        face = Ring(DC, Ring(DC, face, cl3DLight, cl3DDkShadow), clBtnHighlight, clBtnShadow);
    Fill(DC, face, clBtnFace);
    TRect arrow = face;
    if (pushed) OffsetRect(arrow, 1, 1);
    if (State & DFCS_INACTIVE) {
        TRect shadow = arrow;
        OffsetRect(shadow, 1, 1);
        Arrow(DC, shadow, direction, clBtnHighlight);
        Arrow(DC, arrow, direction, clBtnShadow);
    } else {
        Arrow(DC, arrow, direction, clBtnText);
    }
    return true;
}
