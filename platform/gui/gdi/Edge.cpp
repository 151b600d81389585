#include "platform/gui/gdi/FrameControl.h"

namespace {

void FillLine(HDC DC, Integer L, Integer T, Integer R, Integer B, TColor Color) {
    if (R <= L || B <= T) return;
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
    const TRect r{L, T, R, B};
    FillRect(DC, &r, brush);
    DeleteObject(AsGdiObj(brush));
}

// One line of the edge on the chosen sides; answers the rectangle inside it.
TRect Line(HDC DC, TRect R, UINT Flags, TColor TopLeft, TColor BottomRight) {
    if (Flags & BF_LEFT) FillLine(DC, R.Left, R.Top, R.Left + 1, R.Bottom - 1, TopLeft);
    if (Flags & BF_TOP) FillLine(DC, R.Left, R.Top, R.Right - 1, R.Top + 1, TopLeft);
    if (Flags & BF_RIGHT) FillLine(DC, R.Right - 1, R.Top, R.Right, R.Bottom, BottomRight);
    if (Flags & BF_BOTTOM) FillLine(DC, R.Left, R.Bottom - 1, R.Right, R.Bottom, BottomRight);
    if (Flags & BF_LEFT) ++R.Left;
    if (Flags & BF_TOP) ++R.Top;
    if (Flags & BF_RIGHT) --R.Right;
    if (Flags & BF_BOTTOM) --R.Bottom;
    return R;
}

} // namespace

BOOL DrawEdge(HDC DC, TRect* Rect, UINT Edge, UINT Flags) {
    if (!DC || !Rect) return false;
    const bool soft = Flags & BF_SOFT;
    TRect r = *Rect;
    if (Edge & BDR_RAISEDOUTER)
        r = Line(DC, r, Flags, soft ? clBtnHighlight : cl3DLight, cl3DDkShadow);
    else if (Edge & BDR_SUNKENOUTER)
        r = Line(DC, r, Flags, soft ? cl3DDkShadow : clBtnShadow, clBtnHighlight);
    if (Edge & BDR_RAISEDINNER)
        r = Line(DC, r, Flags, soft ? cl3DLight : clBtnHighlight, clBtnShadow);
    else if (Edge & BDR_SUNKENINNER)
        r = Line(DC, r, Flags, soft ? clBtnShadow : cl3DDkShadow, cl3DLight);
    if (Flags & BF_MIDDLE) FillLine(DC, r.Left, r.Top, r.Right, r.Bottom, clBtnFace);
    if (Flags & BF_ADJUST) *Rect = r;
    return true;
}
