#pragma once
// Pixel-level helpers shared by the drawing calls: raster operations,
// brush and pen paints, clipped spans. Private to platform/gui.

#include "platform/gui/gdi/GdiObjects.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

// Binary raster operation (R2_*) of a pen or brush colour P on pixel D.
std::uint32_t ApplyRop2(Integer Rop2, std::uint32_t D, std::uint32_t P);
// Ternary raster operation (the code's bits 16..23) of pattern, source, destination.
std::uint32_t ApplyRop3(DWORD Rop, std::uint32_t P, std::uint32_t S, std::uint32_t D);
inline bool RopUsesSource(DWORD Rop) {
    Byte r = static_cast<Byte>(Rop >> 16);
    return ((r >> 2) & 0x33) != (r & 0x33);
}
inline bool RopUsesPattern(DWORD Rop) {
    Byte r = static_cast<Byte>(Rop >> 16);
    return ((r >> 4) & 0x0F) != (r & 0x0F);
}

// What a brush paints at a raster position: solid colour, hatch (with the
// background colour when the mode is OPAQUE) or pattern bitmap tiled from
// the brush origin. Answers false where the pixel stays as it is.
class TBrushPaint {
public:
    TBrushPaint(const TDeviceContext& DC, const TBrushObject* Brush);
    bool Null() const { return FNull; }
    bool Solid() const { return FSolid; }
    std::uint32_t SolidPixel() const { return FColor; }
    bool At(int RX, int RY, std::uint32_t& Pixel) const;

private:
    const TBrushObject* FBrush;
    bool FNull = false;
    bool FSolid = false;
    std::uint32_t FColor = 0;
    std::uint32_t FBk = 0;
    bool FOpaque = true;
    int FOrgX = 0, FOrgY = 0; // brush origin in raster coordinates
};

// Sets N pixels from P on to V, several pixels per store; FillPixelRows
// does so on Rows rows Stride pixels apart.
void FillPixels(std::uint32_t* P, std::ptrdiff_t N, std::uint32_t V);
void FillPixelRows(std::uint32_t* P, std::ptrdiff_t Stride, int Rows, std::ptrdiff_t N, std::uint32_t V);

// Paints pixels X0..X1-1 of a row with colour Pixel through Rop2: plain
// stores for R2_COPYPEN, the operation pixel by pixel for the others. No
// clipping.
void PaintRowSpan(std::uint32_t* Row, int X0, int X1, Integer Rop2, std::uint32_t Pixel);

// Paints pixels X0..X1-1 of raster row Y with a brush through Rop2. No
// clipping.
void PaintBrushSpan(TRaster& Raster, const TBrushPaint& Brush, Integer Rop2, int Y, int X0, int X1);

// Calls Fn(x0, x1) for the parts of row Y between X0 and X1 inside Region.
template <class F> void ForRegionSpans(const TRegionData& Region, int Y, int X0, int X1, F&& Fn) {
    if (X1 <= X0) return;
    const TBand* band = Region.BandAt(Y);
    if (!band) return;
    for (const TSpan& s : band->Spans) {
        if (s.X1 <= X0) continue;
        if (s.X0 >= X1) break;
        Fn(s.X0 > X0 ? s.X0 : X0, s.X1 < X1 ? s.X1 : X1);
    }
}

// Calls Fn(x0, x1) for the visible parts of raster row Y between X0 and X1.
template <class F> void ForVisibleSpans(TDeviceContext& DC, int Y, int X0, int X1, F&& Fn) {
    ForRegionSpans(DC.Visible(), Y, X0, X1, Fn);
}

// Calls Fn(y0, y1, x0, x1) for each piece of R (raster coordinates, half
// open) inside Region: rows y0..y1-1 share the columns x0..x1-1. The clip
// is looked up once per band and span, not per row or pixel.
//
//   region bands   R          pieces
//   ##..####       +------+   #|..|##
//   ##..####       |      |   #|..|##     band 1: two pieces
//   ########       |      |   #####|#     band 2: one piece
//                  +------+
template <class F> void ForRegionRects(const TRegionData& Region, const TRect& R, F&& Fn) {
    if (R.Left >= R.Right || R.Top >= R.Bottom) return;
    const std::vector<TBand>& bands = Region.Bands();
    auto it = std::upper_bound(bands.begin(), bands.end(), R.Top, [](int y, const TBand& b) { return y < b.Y1; });
    for (; it != bands.end() && it->Y0 < R.Bottom; ++it) {
        const int y0 = it->Y0 > R.Top ? it->Y0 : R.Top, y1 = it->Y1 < R.Bottom ? it->Y1 : R.Bottom;
        for (const TSpan& s : it->Spans) {
            if (s.X1 <= R.Left) continue;
            if (s.X0 >= R.Right) break;
            Fn(y0, y1, s.X0 > R.Left ? s.X0 : R.Left, s.X1 < R.Right ? s.X1 : R.Right);
        }
    }
}

template <class F> void ForVisibleRects(TDeviceContext& DC, const TRect& R, F&& Fn) {
    ForRegionRects(DC.Visible(), R, Fn);
}

// Fills raster row Y from X0 to X1 (clipped) with a brush through Rop2
// (R2_COPYPEN for plain fills).
void FillSpanWithBrush(TDeviceContext& DC, const TBrushPaint& Brush, Integer Rop2, int Y, int X0, int X1);
// Fills a raster rectangle (clipped) with a brush.
void FillRasterRect(TDeviceContext& DC, const TBrushPaint& Brush, Integer Rop2, const TRect& R);
// Paints a raster rectangle (clipped) with one colour through Rop2.
void PaintRasterRect(TDeviceContext& DC, Integer Rop2, std::uint32_t Pixel, const TRect& R);
// Fills a polygon given in raster coordinates (clipped).
void FillRasterPolygon(TDeviceContext& DC, const TPoint* Points, int Count, bool Winding, Integer Rop2,
                       std::uint32_t Pixel);
