// Lines, rectangles, polygons, ellipses, pixels and pattern fills.
#include "platform/gui/gdi/PaintCore.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// Dash patterns of styled one-pixel pens: on, off, on, off ...
struct TDash {
    int Count;
    int Runs[6];
};
constexpr TDash Dashes[] = {
    {2, {18, 6}},             // PS_DASH
    {2, {3, 3}},              // PS_DOT
    {4, {9, 6, 3, 6}},        // PS_DASHDOT
    {6, {9, 3, 3, 3, 3, 3}},  // PS_DASHDOTDOT
};

std::shared_ptr<TBrushObject> BrushFromHandle(HBRUSH Brush) {
    // A system colour index + 1 stands for that colour's brush.
    auto value = reinterpret_cast<std::uintptr_t>(Brush);
    if (value >= 1 && value <= static_cast<std::uintptr_t>(SysColorCount)) {
        auto b = std::make_shared<TBrushObject>();
        b->Color = GetSysColor(static_cast<Integer>(value - 1));
        return b;
    }
    return FindGdi<TBrushObject>(AsGdiObj(Brush), TGdiKind::Brush);
}

// Draws with the selected pen, collecting wide strokes first so that every
// pixel gets the raster operation once.
class TStroker {
public:
    explicit TStroker(TDeviceContext& DC)
        : FDC(DC), FPen(*DC.S.Pen), FVisible(DC.Visible()), FSurface(DC.Surface()), FRop2(DC.S.Rop2) {
        FNull = FPen.Style == PS_NULL;
        FWidth = std::max(1, FPen.Width);
        FColor = TRaster::FromColorRef(FPen.Color);
        FBk = TRaster::FromColorRef(DC.S.BkColor);
        FStyled = FWidth == 1 && FPen.Style >= PS_DASH && FPen.Style <= PS_DASHDOTDOT;
        if (FStyled) FDash = &Dashes[FPen.Style - PS_DASH];
    }
    ~TStroker() { Flush(); }

    bool Null() const { return FNull; }

    // A line in raster coordinates without its end pixel.
    void Line(int X0, int Y0, int X1, int Y1) {
        if (FNull) return;
        if (Y0 == Y1 && FWidth == 1 && !FStyled) {
            // A plain one-pixel row: one span, clipped once.
            //   X0 -> X1:  [X0, X1)     X1 <- X0:  (X1, X0]
            int a = X0 < X1 ? X0 : X1 + 1, b = X0 < X1 ? X1 : X0 + 1;
            std::uint32_t* row = nullptr;
            ForRegionSpans(FVisible, Y0, a, b, [&](int p, int q) {
                if (!row) row = FSurface.Row(Y0);
                PaintRowSpan(row, p, q, FRop2, FColor);
            });
            return;
        }
        int dx = std::abs(X1 - X0), dy = std::abs(Y1 - Y0);
        int sx = X1 >= X0 ? 1 : -1, sy = Y1 >= Y0 ? 1 : -1;
        int x = X0, y = Y0;
        if (dx >= dy) {
            int err = 2 * dy - dx;
            for (int i = 0; i < dx; ++i) {
                Plot(x, y);
                if (err > 0) {
                    y += sy;
                    err -= 2 * dx;
                }
                err += 2 * dy;
                x += sx;
            }
        } else {
            int err = 2 * dx - dy;
            for (int i = 0; i < dy; ++i) {
                Plot(x, y);
                if (err > 0) {
                    x += sx;
                    err -= 2 * dy;
                }
                err += 2 * dx;
                y += sy;
            }
        }
    }

    void Flush() {
        for (auto& entry : FRows) {
            const int y = entry.first;
            auto& spans = entry.second;
            std::sort(spans.begin(), spans.end(), [](const TSpan& a, const TSpan& b) { return a.X0 < b.X0; });
            int cur0 = 0, cur1 = 0;
            bool open = false;
            auto paint = [&](int a, int b) {
                ForRegionSpans(FVisible, y, a, b,
                               [&](int p, int q) { PaintRowSpan(FSurface.Row(y), p, q, FRop2, FColor); });
            };
            for (const TSpan& s : spans) {
                if (open && s.X0 <= cur1) {
                    cur1 = std::max(cur1, s.X1);
                    continue;
                }
                if (open) paint(cur0, cur1);
                cur0 = s.X0;
                cur1 = s.X1;
                open = true;
            }
            if (open) paint(cur0, cur1);
        }
        FRows.clear();
    }

private:
    void Plot(int X, int Y) {
        if (FWidth > 1) {
            Stamp(X, Y);
            return;
        }
        std::uint32_t pen = FColor;
        if (FStyled) {
            bool on = FPhase % 2 == 0;
            if (++FRun >= FDash->Runs[FPhase]) {
                FRun = 0;
                FPhase = (FPhase + 1) % FDash->Count;
            }
            if (!on) {
                if (FDC.S.BkMode != OPAQUE) return;
                pen = FBk;
            }
        }
        if (!Visible(X, Y)) return;
        std::uint32_t& p = FSurface.At(X, Y);
        p = FRop2 == R2_COPYPEN ? pen : ApplyRop2(FRop2, p, pen);
    }

    // Whether the clip holds the pixel; the band of the last row asked
    // serves the rows it covers, so a line looks the band up only when it
    // leaves it.
    bool Visible(int X, int Y) {
        if (!FBand || Y < FBand->Y0 || Y >= FBand->Y1) {
            FBand = FVisible.BandAt(Y);
            if (!FBand) return false;
        }
        for (const TSpan& s : FBand->Spans) {
            if (X < s.X0) return false;
            if (X < s.X1) return true;
        }
        return false;
    }

    // A round dot of the pen's width centred on the pixel.
    void Stamp(int X, int Y) {
        double r = FWidth / 2.0;
        int top = Y - (FWidth - 1) / 2, left = X - (FWidth - 1) / 2;
        for (int j = 0; j < FWidth; ++j) {
            double cy = j + 0.5 - r;
            double half = std::sqrt(std::max(0.0, r * r - cy * cy));
            int a = static_cast<int>(std::ceil(r - half - 0.5));
            int b = static_cast<int>(std::floor(r + half - 0.5));
            if (b >= a) FRows[top + j].push_back({left + a, left + b + 1});
        }
    }

    TDeviceContext& FDC;
    const TPenObject& FPen;
    const TRegionData& FVisible;
    TRaster& FSurface;
    const Integer FRop2;
    const TBand* FBand = nullptr;
    bool FNull = false;
    int FWidth = 1;
    std::uint32_t FColor = 0, FBk = 0;
    bool FStyled = false;
    const TDash* FDash = nullptr;
    int FPhase = 0, FRun = 0;
    std::map<int, std::vector<TSpan>> FRows;
};

TRect Normalized(Integer Left, Integer Top, Integer Right, Integer Bottom) {
    if (Right < Left) std::swap(Left, Right);
    if (Bottom < Top) std::swap(Top, Bottom);
    return TRect(Left, Top, Right, Bottom);
}

TRect ToRaster(const TDeviceContext& DC, const TRect& R) {
    return TRect(DC.RX(R.Left), DC.RY(R.Top), DC.RX(R.Right), DC.RY(R.Bottom));
}

// Paints the ring between two rectangles (Inner inside Outer) with a
// colour, as up to four rectangles:
//
//   TTTTTT     T top, B bottom
//   L....R     L left, R right (the rows of Inner)
//   BBBBBB
void FillRing(TDeviceContext& DC, const TRect& Outer, const TRect& Inner, std::uint32_t Pixel) {
    const Integer rop = DC.S.Rop2;
    if (Inner.IsEmpty()) {
        PaintRasterRect(DC, rop, Pixel, Outer);
        return;
    }
    PaintRasterRect(DC, rop, Pixel, TRect(Outer.Left, Outer.Top, Outer.Right, Inner.Top));
    PaintRasterRect(DC, rop, Pixel, TRect(Outer.Left, Inner.Top, Inner.Left, Inner.Bottom));
    PaintRasterRect(DC, rop, Pixel, TRect(Inner.Right, Inner.Top, Outer.Right, Inner.Bottom));
    PaintRasterRect(DC, rop, Pixel, TRect(Outer.Left, Inner.Bottom, Outer.Right, Outer.Bottom));
}

// The span of an ellipse inscribed in R on row Y (pixel centres inside).
bool EllipseSpan(const TRect& R, int Y, int& X0, int& X1) {
    double a = R.Width() / 2.0, b = R.Height() / 2.0;
    if (a <= 0 || b <= 0) return false;
    double cx = R.Left + a, cy = R.Top + b;
    double dy = (Y + 0.5 - cy) / b;
    if (dy * dy > 1.0) return false;
    double half = a * std::sqrt(1.0 - dy * dy);
    X0 = static_cast<int>(std::ceil(cx - half - 0.5));
    X1 = static_cast<int>(std::floor(cx + half - 0.5)) + 1;
    return X1 > X0;
}

} // namespace

BOOL MoveToEx(HDC DC, Integer X, Integer Y, TPoint* Old) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return false;
    if (Old) *Old = dc->S.CurPos;
    dc->S.CurPos = {X, Y};
    return true;
}

BOOL GetCurrentPositionEx(HDC DC, TPoint* Pos) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc || !Pos) return false;
    *Pos = dc->S.CurPos;
    return true;
}

BOOL LineTo(HDC DC, Integer X, Integer Y) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return false;
    TStroker(*dc).Line(dc->RX(dc->S.CurPos.X), dc->RY(dc->S.CurPos.Y), dc->RX(X), dc->RY(Y));
    dc->S.CurPos = {X, Y};
    return true;
}

BOOL Polyline(HDC DC, const TPoint* Points, Integer Count) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc || !Points || Count < 2) return false;
    TStroker pen(*dc);
    for (Integer i = 0; i + 1 < Count; ++i)
        pen.Line(dc->RX(Points[i].X), dc->RY(Points[i].Y), dc->RX(Points[i + 1].X), dc->RY(Points[i + 1].Y));
    return true;
}

BOOL Polygon(HDC DC, const TPoint* Points, Integer Count) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc || !Points || Count < 2) return false;
    std::vector<TPoint> pts(Points, Points + Count);
    for (TPoint& p : pts) p = {dc->RX(p.X), dc->RY(p.Y)};
    TBrushPaint brush(*dc, dc->S.Brush.get());
    if (!brush.Null()) {
        TRect box = dc->Visible().Box();
        ScanPolygon(pts.data(), Count, dc->S.PolyFillMode == WINDING, box.Top, box.Bottom,
                    [&](int y, const std::vector<TSpan>& spans) {
                        for (const TSpan& s : spans) FillSpanWithBrush(*dc, brush, dc->S.Rop2, y, s.X0, s.X1);
                    });
    }
    TStroker pen(*dc);
    for (Integer i = 0; i < Count; ++i) {
        const TPoint& a = pts[i];
        const TPoint& b = pts[(i + 1) % Count];
        pen.Line(a.X, a.Y, b.X, b.Y);
    }
    return true;
}

BOOL Rectangle(HDC DC, Integer Left, Integer Top, Integer Right, Integer Bottom) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return false;
    TRect r = ToRaster(*dc, Normalized(Left, Top, Right, Bottom));
    const TPenObject& pen = *dc->S.Pen;
    TBrushPaint brush(*dc, dc->S.Brush.get());
    if (pen.Style == PS_NULL) {
        FillRasterRect(*dc, brush, dc->S.Rop2, TRect(r.Left, r.Top, r.Right - 1, r.Bottom - 1));
        return true;
    }
    if (r.IsEmpty()) return true;
    int w = std::max(1, pen.Width);
    if (w == 1 && pen.Style != PS_SOLID && pen.Style != PS_INSIDEFRAME) {
        FillRasterRect(*dc, brush, dc->S.Rop2, TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
        TStroker s(*dc);
        int l = r.Left, t = r.Top, rt = r.Right - 1, b = r.Bottom - 1;
        s.Line(l, t, rt, t);
        s.Line(rt, t, rt, b);
        s.Line(rt, b, l, b);
        s.Line(l, b, l, t);
        return true;
    }
    TRect outer, inner;
    if (pen.Style == PS_INSIDEFRAME) {
        outer = r;
        inner = TRect(r.Left + w, r.Top + w, r.Right - w, r.Bottom - w);
    } else {
        int before = (w - 1) / 2, after = w / 2;
        outer = TRect(r.Left - before, r.Top - before, r.Right + after, r.Bottom + after);
        inner = TRect(r.Left + after + 1, r.Top + after + 1, r.Right - 1 - before, r.Bottom - 1 - before);
    }
    if (!inner.IsEmpty()) FillRasterRect(*dc, brush, dc->S.Rop2, inner);
    FillRing(*dc, outer, inner, TRaster::FromColorRef(pen.Color));
    return true;
}

BOOL Ellipse(HDC DC, Integer Left, Integer Top, Integer Right, Integer Bottom) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return false;
    TRect r = ToRaster(*dc, Normalized(Left, Top, Right, Bottom));
    const TPenObject& pen = *dc->S.Pen;
    TBrushPaint brush(*dc, dc->S.Brush.get());
    bool nullPen = pen.Style == PS_NULL;
    if (nullPen) {
        r.Right -= 1;
        r.Bottom -= 1;
    }
    if (r.IsEmpty()) return true;
    int w = nullPen ? 0 : std::max(1, pen.Width);
    TRect outer = r, inner = r;
    if (w > 1 && pen.Style != PS_INSIDEFRAME) InflateRect(outer, (w - 1) / 2, (w - 1) / 2);
    inner = TRect(outer.Left + w, outer.Top + w, outer.Right - w, outer.Bottom - w);
    std::uint32_t penPixel = TRaster::FromColorRef(pen.Color);
    TRaster& ras = dc->Surface();
    auto paintPen = [&](int y, int a, int b) {
        std::uint32_t* row = ras.Row(y);
        ForVisibleSpans(*dc, y, a, b, [&](int p, int q) { PaintRowSpan(row, p, q, dc->S.Rop2, penPixel); });
    };
    for (int y = outer.Top; y < outer.Bottom; ++y) {
        int a, b;
        if (!EllipseSpan(outer, y, a, b)) continue;
        if (w == 0) {
            FillSpanWithBrush(*dc, brush, dc->S.Rop2, y, a, b);
            continue;
        }
        // Interior: inside the inner ellipse, or for a one-pixel outline the
        // pixels whose four neighbours are all inside.
        int ia = 0, ib = 0;
        bool hasInner;
        if (w == 1) {
            int ua, ub, da, db;
            hasInner = EllipseSpan(outer, y - 1, ua, ub) && EllipseSpan(outer, y + 1, da, db);
            if (hasInner) {
                ia = std::max({a + 1, ua, da});
                ib = std::min({b - 1, ub, db});
                hasInner = ib > ia;
            }
        } else {
            hasInner = EllipseSpan(inner, y, ia, ib);
        }
        if (!hasInner) {
            paintPen(y, a, b);
            continue;
        }
        paintPen(y, a, ia);
        FillSpanWithBrush(*dc, brush, dc->S.Rop2, y, ia, ib);
        paintPen(y, ib, b);
    }
    return true;
}

Integer FillRect(HDC DC, const TRect* Rect, HBRUSH Brush) {
    TDeviceContext* dc = FindDC(DC);
    auto brush = BrushFromHandle(Brush);
    if (!dc || !Rect || !brush) return 0;
    FillRasterRect(*dc, TBrushPaint(*dc, brush.get()), R2_COPYPEN, ToRaster(*dc, *Rect));
    return 1;
}

Integer FrameRect(HDC DC, const TRect* Rect, HBRUSH Brush) {
    TDeviceContext* dc = FindDC(DC);
    auto brush = BrushFromHandle(Brush);
    if (!dc || !Rect || !brush) return 0;
    TRect r = ToRaster(*dc, *Rect);
    if (r.IsEmpty()) return 1;
    TBrushPaint paint(*dc, brush.get());
    FillRasterRect(*dc, paint, R2_COPYPEN, TRect(r.Left, r.Top, r.Right, r.Top + 1));
    if (r.Height() > 1) FillRasterRect(*dc, paint, R2_COPYPEN, TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
    FillRasterRect(*dc, paint, R2_COPYPEN, TRect(r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1));
    if (r.Width() > 1) FillRasterRect(*dc, paint, R2_COPYPEN, TRect(r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1));
    return 1;
}

BOOL InvertRect(HDC DC, const TRect* Rect) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc || !Rect) return false;
    PaintRasterRect(*dc, R2_NOT, 0, ToRaster(*dc, *Rect));
    return true;
}

BOOL DrawFocusRect(HDC DC, const TRect* Rect) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc || !Rect) return false;
    TRect r = ToRaster(*dc, *Rect);
    if (r.IsEmpty()) return true;
    const TRegionData& vis = dc->Visible();
    TRaster& ras = dc->Surface();
    // Every second pixel of the frame, on the checkerboard of the device.
    auto dot = [&](int x, int y) {
        if (((x - dc->DeviceOrigin.X + y - dc->DeviceOrigin.Y) & 1) != 0) return;
        if (!vis.Contains(x, y)) return;
        ras.At(x, y) = ~ras.At(x, y) | 0xFF000000u;
    };
    for (int x = r.Left; x < r.Right; ++x) {
        dot(x, r.Top);
        if (r.Bottom - 1 > r.Top) dot(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        dot(r.Left, y);
        if (r.Right - 1 > r.Left) dot(r.Right - 1, y);
    }
    return true;
}

COLORREF SetPixel(HDC DC, Integer X, Integer Y, COLORREF Color) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return CLR_INVALID;
    int x = dc->RX(X), y = dc->RY(Y);
    if (!dc->Visible().Contains(x, y)) return CLR_INVALID;
    dc->Surface().At(x, y) = TRaster::FromColorRef(Color);
    return Color & 0xFFFFFF;
}

COLORREF GetPixel(HDC DC, Integer X, Integer Y) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return CLR_INVALID;
    int x = dc->RX(X), y = dc->RY(Y);
    if (!dc->Visible().Contains(x, y)) return CLR_INVALID;
    return TRaster::ToColorRef(dc->Surface().At(x, y));
}

BOOL PatBlt(HDC DC, Integer X, Integer Y, Integer Width, Integer Height, DWORD Rop) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return false;
    TRect r = ToRaster(*dc, Normalized(X, Y, X + Width, Y + Height));
    TBrushPaint brush(*dc, dc->S.Brush.get());
    TRaster& ras = dc->Surface();
    TRect box = dc->Visible().Box();
    for (int y = std::max(r.Top, box.Top); y < std::min(r.Bottom, box.Bottom); ++y) {
        std::uint32_t* row = ras.Row(y);
        ForVisibleSpans(*dc, y, r.Left, r.Right, [&](int a, int b) {
            for (int x = a; x < b; ++x) {
                std::uint32_t p = 0xFF000000u;
                if (!brush.At(x, y, p)) p = row[x]; // a null brush leaves the pattern as the pixel
                row[x] = ApplyRop3(Rop, p, 0, row[x]);
            }
        });
    }
    return true;
}

BOOL FillRgn(HDC DC, HRGN Rgn, HBRUSH Brush) {
    TDeviceContext* dc = FindDC(DC);
    auto rgn = FindGdi<TRegionObject>(AsGdiObj(Rgn), TGdiKind::Region);
    auto brush = BrushFromHandle(Brush);
    if (!dc || !rgn || !brush) return false;
    TBrushPaint paint(*dc, brush.get());
    for (const TBand& b : rgn->Data.Bands())
        for (int y = b.Y0; y < b.Y1; ++y)
            for (const TSpan& s : b.Spans)
                FillSpanWithBrush(*dc, paint, R2_COPYPEN, dc->RY(y), dc->RX(s.X0), dc->RX(s.X1));
    return true;
}

BOOL FrameRgn(HDC DC, HRGN Rgn, HBRUSH Brush, Integer Width, Integer Height) {
    auto rgn = FindGdi<TRegionObject>(AsGdiObj(Rgn), TGdiKind::Region);
    if (!rgn || Width < 0 || Height < 0) return false;
    // The frame is what the region loses when eroded by Width x Height.
    TRegionData inner = rgn->Data;
    for (auto [dx, dy] : {std::pair{Width, 0}, {-Width, 0}, {0, Height}, {0, -Height}}) {
        TRegionData shifted = rgn->Data;
        shifted.Offset(dx, dy);
        inner = TRegionData::Combine(inner, shifted, TRegionOp::And);
    }
    auto frame = std::make_shared<TRegionObject>();
    frame->Data = TRegionData::Combine(rgn->Data, inner, TRegionOp::Diff);
    HRGN h = reinterpret_cast<HRGN>(RegisterGdiObject(frame));
    BOOL ok = FillRgn(DC, h, Brush);
    DeleteObject(AsGdiObj(h));
    return ok;
}
