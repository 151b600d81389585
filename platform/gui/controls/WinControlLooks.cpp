// The looks of windowed controls: Ctl3D, which follows the parent's until
// set on its own, and the bevel, whose edges take a band of the window
// around the client area and are drawn there on non-client painting.
#include "platform/gui/controls/WinControl.h"
#include "platform/gui/gdi/Edges.h"
#include "platform/rtl/Guards.h"

void TWinControl::SetCtl3D(bool Value) {
    FParentCtl3D = false;
    if (Value == FCtl3D) return;
    FCtl3D = Value;
    Perform(CM_CTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool Value) {
    if (Value == FParentCtl3D) return;
    FParentCtl3D = Value;
    if (Parent() && !HasState(csReading)) Perform(CM_PARENTCTL3DCHANGED);
}

void TWinControl::CMParentCtl3DChanged(TMessage& Message) {
    if (!FParentCtl3D || !Parent()) return;
    SetCtl3D(Parent()->Ctl3D());
    FParentCtl3D = true;
}

namespace {
// The bevel changed: the client area is asked for again and the edges drawn.
void BevelChanged(TWinControl* Control) {
    if (Control->HandleAllocated()) Control->RecreateWnd();
}
} // namespace

void TWinControl::SetBevelEdges(TBevelEdges Value) {
    if (Value == FBevelEdges) return;
    FBevelEdges = Value;
    if (FBevelKind != bkNone) BevelChanged(this);
}

void TWinControl::SetBevelInner(TBevelCut Value) {
    if (Value == FBevelInner) return;
    FBevelInner = Value;
    if (FBevelKind != bkNone) BevelChanged(this);
}

void TWinControl::SetBevelOuter(TBevelCut Value) {
    if (Value == FBevelOuter) return;
    FBevelOuter = Value;
    if (FBevelKind != bkNone) BevelChanged(this);
}

void TWinControl::SetBevelKind(TBevelKind Value) {
    if (Value == FBevelKind) return;
    FBevelKind = Value;
    BevelChanged(this);
}

void TWinControl::SetBevelWidth(Integer Value) {
    if (Value < 1 || Value == FBevelWidthNC) return;
    FBevelWidthNC = Value;
    if (FBevelKind != bkNone) BevelChanged(this);
}

void TWinControl::AdjustForBevel(TRect& R) const {
    if (FBevelKind == bkNone) return;
    Integer edge = 0;
    if (FBevelInner != bvNone) edge += FBevelWidthNC;
    if (FBevelOuter != bvNone) edge += FBevelWidthNC;
    if (FBevelEdges.Contains(beLeft)) R.Left += edge;
    if (FBevelEdges.Contains(beTop)) R.Top += edge;
    if (FBevelEdges.Contains(beRight)) R.Right -= edge;
    if (FBevelEdges.Contains(beBottom)) R.Bottom -= edge;
    if (R.Right < R.Left) R.Right = R.Left;
    if (R.Bottom < R.Top) R.Bottom = R.Top;
}

void TWinControl::WMNCPaint(TMessage& Message) {
    Message.Result = 0;
    if (FBevelKind == bkNone || !FHandle) return;
    HDC dc = GetDC(FHandle); // the surface spans the whole window
    if (!dc) return;
    TScopeExit release([&] { ReleaseDC(FHandle, dc); });
    // The bevel's band in the control's colour, then each cut as an edge,
    // outer first, BevelWidth rings each.
    TRect outer{0, 0, Width(), Height()}, inner = outer;
    AdjustForBevel(inner);
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
    TScopeExit freeBrush([&] { DeleteObject(AsGdiObj(brush)); });
    const TRect bands[4] = {{outer.Left, outer.Top, inner.Left, outer.Bottom},
                            {outer.Left, outer.Top, outer.Right, inner.Top},
                            {inner.Right, outer.Top, outer.Right, outer.Bottom},
                            {outer.Left, inner.Bottom, outer.Right, outer.Bottom}};
    for (const TRect& b : bands)
        if (!IsRectEmpty(b)) FillRect(dc, &b, brush);
    UINT flags = BF_ADJUST;
    if (FBevelEdges.Contains(beLeft)) flags |= BF_LEFT;
    if (FBevelEdges.Contains(beTop)) flags |= BF_TOP;
    if (FBevelEdges.Contains(beRight)) flags |= BF_RIGHT;
    if (FBevelEdges.Contains(beBottom)) flags |= BF_BOTTOM;
    if (FBevelKind == bkSoft) flags |= BF_SOFT;
    if (FBevelKind == bkFlat) flags |= BF_FLAT;
    if (!FCtl3D) flags |= BF_MONO;
    auto cut = [&](TBevelCut Cut, UINT Raised, UINT Sunken) {
        if (Cut == bvNone) return;
        for (Integer i = 0; i < FBevelWidthNC; ++i) {
            if (Cut == bvSpace) {
                if (flags & BF_LEFT) ++outer.Left;
                if (flags & BF_TOP) ++outer.Top;
                if (flags & BF_RIGHT) --outer.Right;
                if (flags & BF_BOTTOM) --outer.Bottom;
            } else {
                DrawEdge(dc, &outer, Cut == bvRaised ? Raised : Sunken, flags);
            }
        }
    };
    // One ring per call: the outer cut as the outer ring, the inner cut as
    // the inner one.
    cut(FBevelOuter, BDR_RAISEDOUTER, BDR_SUNKENOUTER);
    cut(FBevelInner, BDR_RAISEDINNER, BDR_SUNKENINNER);
}
