// The frame and border painters of QxCommon.
#include "controls/common/QxCommon.h"

#include <algorithm>

const std::array<TColor, 11> StyleColorsTopLeft = {
    clWindow,       // fsNone
    cl3DDkShadow,   // fsFlat
    clBtnShadow,    // fsGroove
    clBtnHighlight, // fsBump
    clBtnShadow,    // fsLowered (painted from the two-line tables)
    clBtnShadow,    // fsButtonDown (painted from the two-line tables)
    clBtnHighlight, // fsRaised (painted from the two-line tables)
    clBtnHighlight, // fsButtonUp (painted from the two-line tables)
    clBtnShadow,    // fsStatus
    clBtnHighlight, // fsPopup
    clBtnShadow,    // fsFlatBold
};

const std::array<TColor, 11> StyleColorsBottomRight = {
    clWindow,       // fsNone
    cl3DDkShadow,   // fsFlat
    clBtnHighlight, // fsGroove
    clBtnShadow,    // fsBump
    clBtnHighlight, // fsLowered (painted from the two-line tables)
    clBtnHighlight, // fsButtonDown (painted from the two-line tables)
    clBtnShadow,    // fsRaised (painted from the two-line tables)
    clBtnShadow,    // fsButtonUp (painted from the two-line tables)
    clBtnHighlight, // fsStatus
    clBtnShadow,    // fsPopup
    clBtnShadow,    // fsFlatBold
};

const std::array<TTwoLineColors, 2> Ctl3DColors = {{
    {cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow}, // raised
    {clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight}, // lowered
}};

const std::array<TTwoLineColors, 2> ButtonColors = {{
    {clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow}, // up
    {clBtnText, clBtnText, clBtnShadow, clBtnShadow},       // down
}};

namespace {

TRect PaintTwoLines(TCanvas* Canvas, const TRect& R, const TTwoLineColors& C, TSides Sides) {
    TRect inner = PaintBevelLines(Canvas, R, C.OuterTopLeft, Sides, 1, C.OuterBottomRight);
    return PaintBevelLines(Canvas, inner, C.InnerTopLeft, Sides, 1, C.InnerBottomRight);
}

TRect InsetSides(const TRect& R, TSides Sides, Integer By) {
    TRect r = R;
    if (Sides.Contains(sdLeft)) r.Left += By;
    if (Sides.Contains(sdTop)) r.Top += By;
    if (Sides.Contains(sdRight)) r.Right -= By;
    if (Sides.Contains(sdBottom)) r.Bottom -= By;
    return r;
}

// The groove and bump frame: two interleaved one-pixel frames, the
// bottom-right one moved in by a pixel. The corner pixels are set first so
// that a frame on some sides only ends cleanly.
TRect PaintEtchedFrameSides(TCanvas* Canvas, const TRect& R, TColor TopLeft, TColor BottomRight,
                            TSides Sides) {
    const bool l = Sides.Contains(sdLeft), t = Sides.Contains(sdTop), r = Sides.Contains(sdRight),
               b = Sides.Contains(sdBottom);
    if (r) Canvas->SetPixels(R.Right - 1, R.Top, BottomRight);
    if (t && !r) Canvas->SetPixels(R.Right - 1, R.Top, TopLeft);
    if (b) Canvas->SetPixels(R.Left, R.Bottom - 1, BottomRight);
    if (l && !b) Canvas->SetPixels(R.Left, R.Bottom - 1, TopLeft);
    if (t && !l) Canvas->SetPixels(R.Left, R.Top + 1, BottomRight);
    if (l && !t) Canvas->SetPixels(R.Left + 1, R.Top, BottomRight);
    if (b && !r) Canvas->SetPixels(R.Right - 1, R.Bottom - 2, TopLeft);
    if (r && !b) Canvas->SetPixels(R.Right - 2, R.Bottom - 1, TopLeft);
    PaintFrameSides(Canvas, TRect(R.Left + 1, R.Top + 1, R.Right, R.Bottom), BottomRight, Sides, BottomRight);
    PaintFrameSides(Canvas, TRect(R.Left, R.Top, R.Right - 1, R.Bottom - 1), TopLeft, Sides, TopLeft);
    return InsetSides(R, Sides, 2);
}

// One line in one colour on the chosen sides.
TRect PaintLines(TCanvas* Canvas, const TRect& R, TColor Color, TSides Sides, Integer Count) {
    return PaintBevelLines(Canvas, R, Color, Sides, Count, Color);
}

} // namespace

// ---------------------------------------------------------------- basic lines

TRect PaintFrameSides(TCanvas* Canvas, const TRect& R, TColor TopLeftColor, TSides Sides,
                      TColor BottomRightColor) {
    if (TopLeftColor != clNone) {
        Canvas->Pen()->SetColor(TopLeftColor);
        if (Sides.Contains(sdLeft)) {
            Canvas->MoveTo(R.Left, R.Top);
            Canvas->LineTo(R.Left, R.Bottom);
        }
        if (Sides.Contains(sdTop)) {
            Canvas->MoveTo(R.Left, R.Top);
            Canvas->LineTo(R.Right, R.Top);
        }
    }
    if (BottomRightColor != clNone) {
        Canvas->Pen()->SetColor(BottomRightColor);
        if (Sides.Contains(sdRight)) {
            Canvas->MoveTo(R.Right - 1, R.Top);
            Canvas->LineTo(R.Right - 1, R.Bottom);
        }
        if (Sides.Contains(sdBottom)) {
            Canvas->MoveTo(R.Left, R.Bottom - 1);
            Canvas->LineTo(R.Right, R.Bottom - 1);
        }
    }
    return InsetSides(R, Sides, 1);
}

TRect PaintBevelLines(TCanvas* Canvas, const TRect& R, TColor TopLeftColor, TSides Sides, Integer Count,
                      TColor BottomRightColor) {
    Canvas->Pen()->SetWidth(1);
    TRect r = R;
    for (Integer i = 0; i < Count; ++i)
        r = PaintFrameSides(Canvas, r, TopLeftColor, Sides, BottomRightColor);
    return r;
}

TRect PaintRectOutline(TCanvas* Canvas, const TRect& R, TColor Color) {
    return PaintFrameSides(Canvas, R, Color, AllSides, Color);
}

// ---------------------------------------------------------------- two-line frames

TRect PaintCtl3DFrameSides(TCanvas* Canvas, const TRect& R, bool Lowered, TSides Sides) {
    return PaintTwoLines(Canvas, R, Ctl3DColors[Lowered], Sides);
}

TRect PaintButtonFrameSides(TCanvas* Canvas, const TRect& R, bool Down, TSides Sides) {
    return PaintTwoLines(Canvas, R, ButtonColors[Down], Sides);
}

TRect PaintButtonFrame(TCanvas* Canvas, const TRect& R, bool Down) {
    return PaintButtonFrameSides(Canvas, R, Down, AllSides);
}

TRect PaintColorButtonFrameSides(TCanvas* Canvas, const TRect& R, TColor BaseColor, TSides Sides, bool Down) {
    if (Down) {
        TRect inner = PaintLines(Canvas, R, DarkenColor(BaseColor, 100), Sides, 1);
        return PaintLines(Canvas, inner, DarkenColor(BaseColor, 50), Sides, 1);
    }
    return PaintTwoLines(Canvas, R,
                         {LightenColor(BaseColor, 100), DarkenColor(BaseColor, 100),
                          LightenColor(BaseColor, 40), DarkenColor(BaseColor, 50)},
                         Sides);
}

TRect PaintColorButtonFrame(TCanvas* Canvas, const TRect& R, TColor BaseColor, bool Down) {
    return PaintColorButtonFrameSides(Canvas, R, BaseColor, AllSides, Down);
}

// ---------------------------------------------------------------- style frames

TRect PaintStyleFrameSides(TCanvas* Canvas, const TRect& R, TFrameStyle Style, TSides Sides) {
    switch (Style) {
    case fsNone:
        return R;
    case fsFlat:
    case fsStatus:
    case fsPopup:
        return PaintBevelLines(Canvas, R, StyleColorsTopLeft[Style], Sides, 1, StyleColorsBottomRight[Style]);
    case fsLowered:
    case fsRaised:
        return PaintCtl3DFrameSides(Canvas, R, Style == fsLowered, Sides);
    case fsButtonDown:
    case fsButtonUp:
        return PaintButtonFrameSides(Canvas, R, Style == fsButtonDown, Sides);
    case fsFlatBold:
        return PaintBevelLines(Canvas, R, StyleColorsTopLeft[Style], Sides, 2, StyleColorsBottomRight[Style]);
    case fsGroove:
    case fsBump:
        return PaintEtchedFrameSides(Canvas, R, StyleColorsTopLeft[Style], StyleColorsBottomRight[Style],
                                     Sides);
    default:
        return R; // fsFlatRounded is painted by PaintInnerOuterFrame only
    }
}

TRect PaintStyleFrame(TCanvas* Canvas, const TRect& R, TFrameStyle Style) {
    return PaintStyleFrameSides(Canvas, R, Style, AllSides);
}

TRect PaintColorStyleFrameSides(TCanvas* Canvas, const TRect& R, TColor BaseColor, TSides Sides,
                                TFrameStyle Style) {
    auto dk = [BaseColor](Byte n) { return DarkenColor(BaseColor, n); };
    auto lt = [BaseColor](Byte n) { return LightenColor(BaseColor, n); };
    switch (Style) {
    case fsNone:
        return R;
    case fsFlat:
        return PaintLines(Canvas, R, dk(50), Sides, 1);
    case fsGroove:
        return PaintEtchedFrameSides(Canvas, R, dk(50), lt(100), Sides);
    case fsLowered:
        return PaintTwoLines(Canvas, R, {dk(50), lt(100), dk(100), lt(50)}, Sides);
    case fsRaised:
        return PaintTwoLines(Canvas, R, {lt(50), dk(100), lt(100), dk(50)}, Sides);
    case fsButtonDown:
    case fsButtonUp:
        return PaintColorButtonFrameSides(Canvas, R, BaseColor, Sides, Style == fsButtonDown);
    case fsStatus:
        return PaintBevelLines(Canvas, R, dk(50), Sides, 1, lt(100));
    case fsPopup:
        return PaintBevelLines(Canvas, R, lt(100), Sides, 1, dk(50));
    case fsFlatBold:
        return PaintLines(Canvas, R, dk(50), Sides, 2);
    default:
        return PaintEtchedFrameSides(Canvas, R, lt(100), dk(50), Sides); // fsBump and beyond
    }
}

TRect PaintColorStyleFrame(TCanvas* Canvas, const TRect& R, TColor BaseColor, TFrameStyle Style) {
    return PaintColorStyleFrameSides(Canvas, R, BaseColor, AllSides, Style);
}

// ---------------------------------------------------------------- rounded and composite borders

TRect PaintRoundedFlatBorder(TCanvas* Canvas, const TRect& R, TColor Color, TSides Sides) {
    const bool l = Sides.Contains(sdLeft), t = Sides.Contains(sdTop), r = Sides.Contains(sdRight),
               b = Sides.Contains(sdBottom);
    Canvas->Pen()->SetColor(Color);
    const Integer y0 = R.Top + (t ? 2 : 0), y1 = b ? R.Bottom - 2 : R.Bottom;
    const Integer x0 = l ? R.Left + 2 : R.Left, x1 = r ? R.Right - 2 : R.Right;
    if (l) {
        Canvas->MoveTo(R.Left, y0);
        Canvas->LineTo(R.Left, y1);
    }
    if (r) {
        Canvas->MoveTo(R.Right - 1, y0);
        Canvas->LineTo(R.Right - 1, y1);
    }
    if (t) {
        Canvas->MoveTo(x0, R.Top);
        Canvas->LineTo(x1, R.Top);
    }
    if (b) {
        Canvas->MoveTo(x0, R.Bottom - 1);
        Canvas->LineTo(x1, R.Bottom - 1);
    }
    if (l && t) Canvas->SetPixels(R.Left + 1, R.Top + 1, Color);
    if (t && r) Canvas->SetPixels(R.Right - 2, R.Top + 1, Color);
    if (r && b) Canvas->SetPixels(R.Right - 2, R.Bottom - 2, Color);
    if (l && b) Canvas->SetPixels(R.Left + 1, R.Bottom - 2, Color);
    return InsetSides(R, Sides, 2);
}

TRect PaintInnerOuterFrame(TCanvas* Canvas, const TRect& R, TFrameStyleEx BorderOuter, bool RoundInnerFlat,
                           bool Transparent, TColor ParentColor, TColor ControlColor,
                           Integer FlatColorAdjustment, TColor FlatColor, TColor BorderShadow,
                           TColor BorderHighlight, TColor BorderColor, Integer BevelWidth, TSides BorderSides,
                           Integer BorderWidth, TFrameStyleEx BorderInner) {
    // A stored adjustment beyond the luminance range looks the same as the
    // largest one; clamped here so that painting never fails on it.
    const TColor fc = AdjustColorLuminance(FlatColor, std::clamp(FlatColorAdjustment, -255, 255));
    const bool innerLines = BorderWidth > 0 || BorderInner != fsNone;

    auto frame = [&](const TRect& r, TFrameStyleEx style, bool inner) -> TRect {
        switch (style) {
        case fsFlat:
            if (inner && RoundInnerFlat) {
                // All four sides without their corner pixels.
                Canvas->Pen()->SetColor(fc);
                Canvas->MoveTo(r.Left, r.Top + 1);
                Canvas->LineTo(r.Left, r.Bottom - 1);
                Canvas->MoveTo(r.Left + 1, r.Top);
                Canvas->LineTo(r.Right - 1, r.Top);
                Canvas->MoveTo(r.Right - 1, r.Top + 1);
                Canvas->LineTo(r.Right - 1, r.Bottom - 1);
                Canvas->MoveTo(r.Left + 1, r.Bottom - 1);
                Canvas->LineTo(r.Right - 1, r.Bottom - 1);
                return TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
            }
            return PaintLines(Canvas, r, fc, BorderSides, 1);
        case fsFlatBold:
            return PaintLines(Canvas, r, fc, BorderSides, 2);
        case fsFlatRounded: {
            if (!inner) {
                if (!Transparent) {
                    TRect in = PaintLines(Canvas, r, ParentColor, BorderSides, 1);
                    PaintLines(Canvas, in, innerLines ? BorderColor : ControlColor, BorderSides, 1);
                } else if (innerLines) {
                    PaintLines(Canvas, InsetSides(r, BorderSides, 1), BorderColor, BorderSides, 1);
                }
            } else if (!Transparent) {
                TRect in = PaintLines(Canvas, r, BorderColor, BorderSides, 1);
                PaintLines(Canvas, in, ControlColor, BorderSides, 1);
            } else {
                PaintLines(Canvas, r, BorderColor, BorderSides, 1);
            }
            return PaintRoundedFlatBorder(Canvas, r, fc, BorderSides);
        }
        case fsPopup:
            return PaintBevelLines(Canvas, r, BorderHighlight, BorderSides, BevelWidth, BorderShadow);
        case fsStatus:
            return PaintBevelLines(Canvas, r, BorderShadow, BorderSides, BevelWidth, BorderHighlight);
        default:
            return PaintStyleFrameSides(Canvas, r, style, BorderSides);
        }
    };

    TRect r = frame(R, BorderOuter, false);
    if (BorderWidth > 0) r = PaintLines(Canvas, r, BorderColor, BorderSides, BorderWidth);
    return frame(r, BorderInner, true);
}

void PaintControlFrame(TCanvas* Canvas, Integer Width, Integer Height, bool SkipErase, TSides Sides,
                       TColor FrameColor, TColor BackColor, TFrameStyle Style) {
    const TRect r(0, 0, Width, Height);
    if (!SkipErase) PaintLines(Canvas, r, BackColor, AllSides, 2);
    switch (Style) {
    case fsFlat:
        PaintLines(Canvas, r, FrameColor, Sides, 1);
        break;
    case fsFlatBold:
        PaintLines(Canvas, r, FrameColor, Sides, 2);
        break;
    default:
        if (BackColor == clWindow)
            PaintStyleFrameSides(Canvas, r, Style, Sides);
        else
            PaintColorStyleFrameSides(Canvas, r, BackColor, Sides, Style);
        break;
    }
}

// ---------------------------------------------------------------- focus and highlight

TRect PaintDottedFocusRect(TCanvas* Canvas, const TRect& R) {
    // Every second pixel becomes the XOR of its colour with itself: black.
    for (Integer y = R.Top + 1; y < R.Bottom; y += 2) {
        Canvas->SetPixels(R.Left, y, clBlack);
        Canvas->SetPixels(R.Right - 1, y, clBlack);
    }
    for (Integer x = R.Left + 1; x < R.Right; x += 2) {
        Canvas->SetPixels(x, R.Top, clBlack);
        Canvas->SetPixels(x, R.Bottom - 1, clBlack);
    }
    return TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
}

void PaintHighlightFrame(TCanvas* Canvas, const TRect& R, TGradientDirection Direction, TColor Color1,
                         TColor Color2) {
    if (!FullColorDisplay) return;
    HDC dc = Canvas->Handle();
    // The caller's clip region is kept and given back afterwards.
    HRGN saved = CreateRectRgn(0, 0, 0, 0);
    const bool hadClip = GetClipRgn(dc, saved) == 1;
    ExcludeClipRect(dc, R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
    GradientFillRect(Canvas, R, Direction, 1, Color1, Color2);
    SelectClipRgn(dc, hadClip ? saved : nullptr);
    DeleteObject(AsGdiObj(saved));
}
