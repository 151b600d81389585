#include "controls/common/QxGrafx.h"

#include "platform/gui/controls/Controls.h"
#include "platform/gui/controls/CustomForm.h"
#include "platform/gui/gdi/SavedDC.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

// A colour as three 16.16 fixed-point channels, stepped toward a target.
struct TFixedColor {
    Int64 R = 0, G = 0, B = 0;

    static TFixedColor Of(TColor Color) {
        COLORREF c = ColorToRGB(Color);
        return {Int64(GetRValue(c)) << 16, Int64(GetGValue(c)) << 16, Int64(GetBValue(c)) << 16};
    }
    // The per-step increment from this colour to Target in Steps steps
    // (integer division truncating toward zero).
    TFixedColor StepTo(const TFixedColor& Target, Int64 Steps) const {
        return {(Target.R - R) / Steps, (Target.G - G) / Steps, (Target.B - B) / Steps};
    }
    void Add(const TFixedColor& Step) {
        R += Step.R;
        G += Step.G;
        B += Step.B;
    }
    // The colour of the high words; a sweep that runs a step past its
    // target stays inside the channel range.
    COLORREF Value() const {
        auto channel = [](Int64 v) { return static_cast<Byte>(std::clamp<Int64>(v >> 16, 0, 255)); };
        return RGB(channel(R), channel(G), channel(B));
    }
};

// How many steps beyond the first a band takes at least: 0 for
// granularity 1, so that a band is exactly a run of equal colours.
Integer BandGrain(Integer Granularity, bool Box) {
    Integer g = Granularity > 8 ? (Box ? 256 / Granularity : (255 / Granularity + 1) - 1) : Granularity - 1;
    return std::max(g, 0);
}

// One solid brush per band, deleted right after it is used.
void FillBand(HDC DC, const TRect& R, COLORREF Color) {
    HBRUSH brush = CreateSolidBrush(Color);
    FillRect(DC, &R, brush);
    DeleteObject(AsGdiObj(brush));
}

void PolygonBand(HDC DC, std::initializer_list<TPoint> Points, COLORREF Color) {
    HBRUSH brush = CreateSolidBrush(Color);
    HGDIOBJ old = SelectObject(DC, AsGdiObj(brush));
    Polygon(DC, Points.begin(), static_cast<Integer>(Points.size()));
    SelectObject(DC, old);
    DeleteObject(AsGdiObj(brush));
}

enum TAxis { axRows, axColumns };

// Fills an 8-pixel strip (columns 0..7 of a row gradient, rows 0..7 of a
// column gradient) along Extent. Without a split (Split < 0) the last line
// gets StopColor and line 0 ends near StartColor; with a split the line
// Split gets StopColor and both ends StartColor.
void FillLinearGradient(HDC DC, TAxis Axis, Integer Split, Integer Granularity, TColor StopColor,
                        TColor StartColor, Integer Extent) {
    const Integer grain = BandGrain(Granularity, false);
    auto pass = [&](Integer From, Integer Limit, TColor FromColor, TColor ToColor) {
        const Int64 steps = From - Limit + 1;
        if (steps <= 0) return; // a split on a 1-2 pixel extent leaves one pass empty
        TFixedColor color = TFixedColor::Of(FromColor);
        const TFixedColor step = color.StepTo(TFixedColor::Of(ToColor), steps);
        Integer p = From;
        while (p >= Limit) {
            const Integer bandEnd = p;
            const COLORREF bandColor = color.Value();
            Integer taken = 0;
            do {
                --p;
                color.Add(step);
                ++taken;
            } while (p >= Limit && (color.Value() == bandColor || taken <= grain));
            TRect band = Axis == axRows ? TRect(0, p, 8, bandEnd) : TRect(p, 0, bandEnd, 8);
            FillBand(DC, band, bandColor);
        }
    };
    if (Split < 0) {
        pass(Extent, 1, StopColor, StartColor);
    } else {
        pass(Split + 1, 1, StopColor, StartColor);
        pass(Extent, Split + 2, StartColor, StopColor);
    }
}

// Widens (then lengthens) an already filled block to the target size by
// copying it onto the adjacent stretch, doubling the covered length each
// time; the last copy is cut to the target.
void TileBlit(HDC DC, Integer X, Integer Y, DWORD Rop, Integer FilledHeight, Integer FilledWidth,
              Integer TargetHeight, Integer TargetWidth) {
    while (FilledWidth < TargetWidth) {
        Integer n = std::min(FilledWidth, TargetWidth - FilledWidth);
        BitBlt(DC, X + FilledWidth, Y, n, FilledHeight, DC, X, Y, Rop);
        FilledWidth += n;
    }
    while (FilledHeight < TargetHeight) {
        Integer n = std::min(FilledHeight, TargetHeight - FilledHeight);
        BitBlt(DC, X, Y + FilledHeight, FilledWidth, n, DC, X, Y, Rop);
        FilledHeight += n;
    }
}

// Paints the top-left quadrant (up to and including the centre column and
// row) of a box gradient: StopColor in the centre and over the inset area
// around it, StartColor toward the outer edge.
void FillBoxGradient(HDC DC, Integer W, Integer H, Integer Granularity, TColor StopColor, TColor StartColor,
                     Integer InsetY, Integer InsetX) {
    if (ColorToRGB(StopColor) == ColorToRGB(StartColor) || W < 5 || H <= 4) {
        FillBand(DC, TRect(0, 0, W + 1, H + 1), ColorToRGB(StartColor));
        return;
    }
    const Integer grain = BandGrain(Granularity, true);
    const Integer cx = (W - 1) / 2, cy = (H - 1) / 2;
    const Int64 ax = cx - InsetX, ay = cy - InsetY;
    const Int64 steps = std::max(ax, ay) + 1;
    TFixedColor color = TFixedColor::Of(StopColor);
    const TFixedColor step = color.StepTo(TFixedColor::Of(StartColor), steps);
    Int64 xpos = ax << 16, ypos = ay << 16;
    // (At least 1, so that a sweep over tens of thousands of pixels ends.)
    const Int64 dx = std::max<Int64>((ax << 16) / steps, 1), dy = std::max<Int64>((ay << 16) / steps, 1);
    Integer oldX = cx + 1, oldY = cy + 1;
    for (;;) {
        const COLORREF bandColor = color.Value();
        Integer taken = 0;
        do {
            xpos -= dx;
            ypos -= dy;
            color.Add(step);
            ++taken;
        } while (!(xpos < 0 && ypos < 0) && (color.Value() == bandColor || taken <= grain));
        if (xpos < 0 && ypos < 0) break;
        const Integer x = static_cast<Integer>(xpos >> 16), y = static_cast<Integer>(ypos >> 16);
        if (y != oldY) FillBand(DC, TRect(x, y, cx + 1, oldY), bandColor);
        if (x != oldX) FillBand(DC, TRect(x, oldY, oldX, cy + 1), bandColor);
        oldX = x;
        oldY = y;
    }
}

// Completes a box from its top-left quadrant: the top rows mirrored onto
// the bottom rows, then the left columns mirrored onto the right ones, so
// that the box is exactly symmetric about both middle lines.
void MirrorQuadrantBlit(HDC DC, Integer X, Integer Y, DWORD Rop, Integer H, Integer W) {
    const Integer quadrantWidth = W - W / 2; // the left half with the centre column
    StretchBlt(DC, X, Y + H - 1, quadrantWidth, -(H / 2), DC, X, Y, quadrantWidth, H / 2, Rop);
    StretchBlt(DC, X + W - 1, Y, -(W / 2), H, DC, X, Y, W / 2, H, Rop);
}

// A diagonal sweep in two passes over the triangles on either side of the
// middle diagonal. SignedWidth > 0: from the bottom-left corner in
// StartColor to the top-right one in StopColor; < 0: from the bottom-right
// corner in StopColor to the top-left one in StartColor.
void FillDiagonalGradient(HDC DC, Integer SignedWidth, Integer H, Integer Granularity, TColor StopColor,
                          TColor StartColor) {
    const Integer w = std::abs(SignedWidth);
    const Integer dir = SignedWidth > 0 ? 1 : -1;
    const Integer grain = BandGrain(Granularity, false);
    const Int64 steps = static_cast<Int64>(std::sqrt(double(w) * w + double(H) * H)) + 1;
    const Int64 half = std::max<Int64>(steps / 2, 1);
    const Int64 dx = (Int64(w) << 16) / half, dy = std::max<Int64>((Int64(H) << 16) / half, 1);
    const Integer x0 = dir > 0 ? 0 : w, xf = dir > 0 ? w : 0;
    TFixedColor color = TFixedColor::Of(dir > 0 ? StartColor : StopColor);
    const TFixedColor step = color.StepTo(TFixedColor::Of(dir > 0 ? StopColor : StartColor), steps);

    for (int passNo = 1; passNo <= 2; ++passNo) {
        Int64 xpos = Int64(x0) << 16, ypos = Int64(H) << 16;
        Integer x = x0, y = H;
        for (;;) {
            const Integer oldX = x, oldY = y;
            const COLORREF bandColor = color.Value();
            Integer taken = 0;
            do {
                xpos += dir * dx;
                ypos -= dy;
                color.Add(step);
                ++taken;
                x = static_cast<Integer>(xpos >> 16);
                y = static_cast<Integer>(ypos >> 16);
            } while (y >= 0 && (color.Value() == bandColor || taken <= grain));
            if (y < 0) {
                // The closing band reaches the middle diagonal (pass 1) or
                // the far top corner (pass 2).
                if (passNo == 1) {
                    if (oldY > 0 || oldX != xf)
                        PolygonBand(DC, {{x0, 0}, {x0, oldY}, {oldX, H}, {xf, H}}, bandColor);
                } else if (oldX != xf || oldY > 0) {
                    PolygonBand(DC, {{xf, 0}, {oldX, 0}, {xf, oldY}}, bandColor);
                }
                break;
            }
            if (y < oldY || x != oldX) {
                if (passNo == 1)
                    PolygonBand(DC, {{x0, y}, {x0, oldY}, {oldX, H}, {x, H}}, bandColor);
                else
                    PolygonBand(DC, {{x, 0}, {oldX, 0}, {xf, oldY}, {xf, y}}, bandColor);
            }
        }
    }
}

} // namespace

const TTypeInfo* GradientDirectionTypeInfo() {
    static const TTypeInfo* info = [] {
        return RegisterEnumType<TGradientDirection>(
            "TGradientDirection",
            {"gdDiagonalUp", "gdDiagonalDown", "gdHorizontalEnd", "gdHorizontalCenter", "gdHorizontalBox",
             "gdVerticalEnd", "gdVerticalCenter", "gdVerticalBox", "gdSquareBox", "gdBigSquareBox"});
    }();
    return info;
}

void GradientFillRect(TCanvas* Canvas, const TRect& R, TGradientDirection Direction, Integer Granularity,
                      TColor StopColor, TColor StartColor) {
    const Integer w = std::abs(R.Right - R.Left), h = std::abs(R.Bottom - R.Top);
    if (w == 0 || h == 0) return;
    std::unique_ptr<TBitmap> bitmap = std::make_unique<TBitmap>(w, h);
    HDC dc = bitmap->Canvas()->Handle();
    // Bands are polygons without outline and rectangles, each with a brush
    // of its own.
    SelectObject(dc, GetStockObject(NULL_PEN));
    SetROP2(dc, R2_COPYPEN);
    const COLORREF start = ColorToRGB(StartColor);
    auto prefill = [&] { FillBand(dc, TRect(0, 0, w, h), start); };

    switch (Direction) {
    case gdDiagonalUp:
    case gdDiagonalDown:
        if (start == ColorToRGB(StopColor))
            prefill();
        else
            FillDiagonalGradient(dc, Direction == gdDiagonalUp ? w : -w, h, Granularity, StopColor,
                                 StartColor);
        break;
    case gdHorizontalEnd:
    case gdHorizontalCenter:
        FillLinearGradient(dc, axRows, Direction == gdHorizontalCenter ? h / 2 : -1, Granularity, StopColor,
                           StartColor, h);
        TileBlit(dc, 0, 0, SRCCOPY, h, 8, h, w);
        break;
    case gdVerticalEnd:
    case gdVerticalCenter:
        FillLinearGradient(dc, axColumns, Direction == gdVerticalCenter ? w / 2 : -1, Granularity, StopColor,
                           StartColor, w);
        TileBlit(dc, 0, 0, SRCCOPY, 8, w, h, w);
        break;
    case gdHorizontalBox:
    case gdVerticalBox:
    case gdSquareBox:
    case gdBigSquareBox: {
        // Pixels that no band reaches keep the start colour of the edge.
        prefill();
        const bool insetRows = Direction == gdVerticalBox || Direction == gdBigSquareBox;
        const bool insetColumns = Direction == gdHorizontalBox || Direction == gdBigSquareBox;
        FillBoxGradient(dc, w, h, Granularity, StopColor, StartColor, insetRows ? h / 4 : 0,
                        insetColumns ? w / 4 : 0);
        MirrorQuadrantBlit(dc, 0, 0, SRCCOPY, h, w);
        break;
    }
    }
    Canvas->Draw(R.Left, R.Top, bitmap.get());
}

void PaintBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, const TRect& DestRect, TColor TransparentColor,
                            const TRect& SourceRect) {
    if (!Canvas || !Bitmap) return;
    const Integer w = DestRect.Width(), h = DestRect.Height();
    if (w <= 0 || h <= 0) return;
    auto stretched = std::make_unique<TBitmap>(w, h);
    StretchBlt(stretched->Canvas()->Handle(), 0, 0, w, h, Bitmap->Canvas()->Handle(), SourceRect.Left,
               SourceRect.Top, SourceRect.Width(), SourceRect.Height(), SRCCOPY);
    TransparentBlt(Canvas->Handle(), DestRect.Left, DestRect.Top, w, h, stretched->Canvas()->Handle(), 0, 0,
                   w, h, ColorToRGB(TransparentColor));
}

void FlipBitmapVertically(TBitmap* Bitmap) {
    if (!Bitmap || Bitmap->Empty()) return;
    const Integer w = Bitmap->Width(), h = Bitmap->Height();
    auto copy = std::make_unique<TBitmap>(w, h);
    StretchBlt(copy->Canvas()->Handle(), 0, h - 1, w, -h, Bitmap->Canvas()->Handle(), 0, 0, w, h, SRCCOPY);
    Bitmap->Assign(copy.get());
}

void CopyParentBackground(TControl* Control, HDC DC, bool InvalidateParent) {
    TWinControl* parent = Control ? Control->Parent() : nullptr;
    if (!parent) return;
    {
        TSavedDC saved(DC);
        // The parent's coordinates land on the control; it paints no further
        // than its own client area.
        TPoint origin;
        GetViewportOrgEx(DC, &origin);
        SetViewportOrgEx(DC, origin.X - Control->Left(), origin.Y - Control->Top(), nullptr);
        IntersectClipRect(DC, 0, 0, parent->ClientWidth(), parent->ClientHeight());
        const WPARAM dc = reinterpret_cast<WPARAM>(DC);
        if (Control->HasState(csDesigning)) {
            // While designing, a parent that fails to paint leaves the rest blank.
            try {
                parent->Perform(WM_ERASEBKGND, dc, 0);
                try {
                    parent->Perform(WM_PRINTCLIENT, dc, PRF_CLIENT);
                } catch (const Exception&) {
                }
            } catch (const Exception&) {
            }
        } else {
            parent->Perform(WM_ERASEBKGND, dc, 0);
            parent->Perform(WM_PRINTCLIENT, dc, PRF_CLIENT);
        }
    }
    if (InvalidateParent && !dynamic_cast<TCustomControl*>(parent) && !dynamic_cast<TCustomForm*>(parent) &&
        !Control->HasState(csDesigning))
        parent->Invalidate();
}

void CopyParentBackgroundToCanvas(TControl* Control, TCanvas* Canvas, bool InvalidateParent) {
    CopyParentBackground(Control, Canvas->Handle(), InvalidateParent);
}
