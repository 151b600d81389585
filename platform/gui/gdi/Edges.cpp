#include "platform/gui/gdi/Edges.h"

namespace {

struct TRingColors {
    Integer TopLeft = -1; // system colour indices; -1: the ring is not drawn
    Integer BottomRight = -1;
};

TRingColors RingColors(UINT Edge, UINT Flags, bool Outer) {
    const UINT raised = Outer ? BDR_RAISEDOUTER : BDR_RAISEDINNER;
    const UINT sunken = Outer ? BDR_SUNKENOUTER : BDR_SUNKENINNER;
    if (!(Edge & (raised | sunken))) return {};
    if (Flags & BF_MONO) return Outer ? TRingColors{COLOR_WINDOWFRAME, COLOR_WINDOWFRAME}
                                      : TRingColors{COLOR_WINDOW, COLOR_WINDOW};
    if (Flags & BF_FLAT) return Outer ? TRingColors{COLOR_BTNSHADOW, COLOR_BTNSHADOW}
                                      : TRingColors{COLOR_BTNFACE, COLOR_BTNFACE};
    const bool soft = (Flags & BF_SOFT) != 0;
    if (Edge & raised) {
        if (Outer) return {soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
        return {soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    }
    if (Outer) return {soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
    return {soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

void Fill(HDC DC, Integer L, Integer T, Integer R, Integer B, Integer SysColor) {
    TRect r{L, T, R, B};
    HBRUSH brush = CreateSolidBrush(GetSysColor(SysColor));
    FillRect(DC, &r, brush);
    DeleteObject(AsGdiObj(brush));
}

// One ring on the boundary of R; answers R moved inside the sides drawn.
TRect DrawRing(HDC DC, TRect R, TRingColors Colors, UINT Flags) {
    if (Colors.TopLeft < 0 || R.Right <= R.Left || R.Bottom <= R.Top) return R;
    // Bottom and right first, over the whole side; top and left then stop
    // one pixel short of the far corner.
    if (Flags & BF_BOTTOM) Fill(DC, R.Left, R.Bottom - 1, R.Right, R.Bottom, Colors.BottomRight);
    if (Flags & BF_RIGHT) Fill(DC, R.Right - 1, R.Top, R.Right, R.Bottom, Colors.BottomRight);
    const Integer right = (Flags & BF_RIGHT) ? R.Right - 1 : R.Right;
    const Integer bottom = (Flags & BF_BOTTOM) ? R.Bottom - 1 : R.Bottom;
    if (Flags & BF_TOP) Fill(DC, R.Left, R.Top, right, R.Top + 1, Colors.TopLeft);
    if (Flags & BF_LEFT) Fill(DC, R.Left, R.Top, R.Left + 1, bottom, Colors.TopLeft);
    if (Flags & BF_LEFT) ++R.Left;
    if (Flags & BF_TOP) ++R.Top;
    if (Flags & BF_RIGHT) --R.Right;
    if (Flags & BF_BOTTOM) --R.Bottom;
    return R;
}

} // namespace

BOOL DrawEdge(HDC DC, TRect* Rect, UINT Edge, UINT Flags) {
    if (!DC || !Rect) return false;
    TRect r = DrawRing(DC, *Rect, RingColors(Edge, Flags, true), Flags);
    r = DrawRing(DC, r, RingColors(Edge, Flags, false), Flags);
    if ((Flags & BF_MIDDLE) && r.Right > r.Left && r.Bottom > r.Top)
        Fill(DC, r.Left, r.Top, r.Right, r.Bottom, (Flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
    if (Flags & BF_ADJUST) *Rect = r;
    return true;
}
