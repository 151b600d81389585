// Block transfers between device contexts: copies, stretches (nearest
// neighbour, negative extents mirror), raster operations and colour keys.
#include "platform/gui/gdi/PaintCore.h"
#include "platform/gui/gdi/RasterAccess.h"

#include <algorithm>
#include <optional>

namespace {

// Source index for destination step K of N over a source extent of M.
inline int SourceStep(long long K, long long N, long long M) { return static_cast<int>(((2 * K + 1) * M) / (2 * N)); }

bool Blit(HDC Dest, Integer X, Integer Y, Integer Width, Integer Height, HDC Src, Integer SrcX, Integer SrcY,
          Integer SrcWidth, Integer SrcHeight, DWORD Rop, std::optional<std::uint32_t> Key) {
    TDeviceContext* dst = FindDC(Dest);
    if (!dst) return false;
    bool usesSource = RopUsesSource(Rop) || Key;
    TDeviceContext* src = usesSource ? FindDC(Src) : nullptr;
    if (usesSource && !src) return false;
    if (Width == 0 || Height == 0) return true;
    if (usesSource && (SrcWidth == 0 || SrcHeight == 0)) return true;

    const int n = std::abs(Width), m = std::abs(Height);
    const int sn = std::abs(SrcWidth), sm = std::abs(SrcHeight);
    const int dirX = Width > 0 ? 1 : -1, dirY = Height > 0 ? 1 : -1;
    const int sdirX = SrcWidth > 0 ? 1 : -1, sdirY = SrcHeight > 0 ? 1 : -1;
    TRaster& out = dst->Surface();

    // A source on the same raster is read from a copy, so overlapping
    // areas move as a whole.
    std::optional<TRaster> copy;
    const TRaster* in = nullptr;
    if (src) {
        in = &src->Surface();
        if (in == &out) {
            copy.emplace(*in);
            in = &*copy;
        }
    }
    const bool toMono = in && out.Monochrome && !in->Monochrome;
    const bool fromMono = in && in->Monochrome && !out.Monochrome;
    const std::uint32_t srcBk = src ? TRaster::FromColorRef(src->S.BkColor) : 0;
    const std::uint32_t dstBk = TRaster::FromColorRef(dst->S.BkColor);
    const std::uint32_t dstText = TRaster::FromColorRef(dst->S.TextColor);
    const bool plainCopy = Rop == SRCCOPY && !Key;
    const bool withPattern = RopUsesPattern(Rop);
    TBrushPaint brush(*dst, dst->S.Brush.get());

    // Destination rows and columns in raster coordinates.
    const int x0 = dst->RX(X), y0 = dst->RY(Y);
    const int sx0 = src ? src->RX(SrcX) : 0, sy0 = src ? src->RY(SrcY) : 0;
    std::vector<int> srcCol(n);
    for (int k = 0; k < n; ++k) srcCol[k] = sx0 + sdirX * (usesSource ? SourceStep(k, n, sn) : 0);

    for (int j = 0; j < m; ++j) {
        int y = y0 + dirY * j;
        if (y < 0 || y >= out.Height()) continue;
        int sy = sy0 + sdirY * (usesSource ? SourceStep(j, m, sm) : 0);
        if (usesSource && (sy < 0 || sy >= in->Height())) continue;
        const std::uint32_t* srow = usesSource ? in->Row(sy) : nullptr;
        std::uint32_t* row = out.Row(y);
        // The destination columns of this row as a raster span.
        int left = dirX > 0 ? x0 : x0 - n + 1;
        ForVisibleSpans(*dst, y, left, left + n, [&](int a, int b) {
            for (int x = a; x < b; ++x) {
                int k = dirX > 0 ? x - x0 : x0 - x;
                std::uint32_t s = 0;
                if (usesSource) {
                    int sx = srcCol[k];
                    if (sx < 0 || sx >= in->Width()) continue;
                    s = srow[sx];
                    if (Key && (s & 0xFFFFFF) == (*Key & 0xFFFFFF)) continue;
                    if (toMono) s = (s & 0xFFFFFF) == (srcBk & 0xFFFFFF) ? TRaster::White : 0xFF000000u;
                    if (fromMono) s = (s & 0xFFFFFF) == 0xFFFFFF ? dstBk : dstText;
                }
                if (plainCopy) {
                    row[x] = s;
                    continue;
                }
                std::uint32_t p = 0xFF000000u;
                if (withPattern && !brush.At(x, y, p)) p = row[x];
                row[x] = ApplyRop3(Key ? SRCCOPY : Rop, p, s, row[x]);
            }
        });
    }
    return true;
}

} // namespace

BOOL BitBlt(HDC Dest, Integer X, Integer Y, Integer Width, Integer Height, HDC Src, Integer SrcX, Integer SrcY,
            DWORD Rop) {
    return Blit(Dest, X, Y, Width, Height, Src, SrcX, SrcY, Width, Height, Rop, std::nullopt);
}

BOOL StretchBlt(HDC Dest, Integer X, Integer Y, Integer Width, Integer Height, HDC Src, Integer SrcX,
                Integer SrcY, Integer SrcWidth, Integer SrcHeight, DWORD Rop) {
    return Blit(Dest, X, Y, Width, Height, Src, SrcX, SrcY, SrcWidth, SrcHeight, Rop, std::nullopt);
}

BOOL TransparentBlt(HDC Dest, Integer X, Integer Y, Integer Width, Integer Height, HDC Src, Integer SrcX,
                    Integer SrcY, Integer SrcWidth, Integer SrcHeight, COLORREF Transparent) {
    return Blit(Dest, X, Y, Width, Height, Src, SrcX, SrcY, SrcWidth, SrcHeight, SRCCOPY,
                TRaster::FromColorRef(Transparent));
}

BOOL MaskBlt(HDC Dest, Integer X, Integer Y, Integer Width, Integer Height, HDC Src, Integer SrcX, Integer SrcY,
             Integer SrcWidth, Integer SrcHeight, HDC Mask, Integer MaskX, Integer MaskY) {
    TDeviceContext* dst = FindDC(Dest);
    TDeviceContext* src = FindDC(Src);
    TDeviceContext* mask = FindDC(Mask);
    if (!dst || !src || !mask) return false;
    // The source and its mask, both stretched to the destination's size,
    // then copied where the mask is black.
    int n = std::abs(Width), m = std::abs(Height);
    if (n == 0 || m == 0) return true;
    auto part = std::make_shared<TRaster>(n, m);
    auto shape = std::make_shared<TRaster>(n, m);
    HDC p = CreateRasterDC(part), s = CreateRasterDC(shape);
    StretchBlt(p, 0, 0, n, m, Src, SrcX, SrcY, SrcWidth, SrcHeight, SRCCOPY);
    SetBkColor(s, 0xFFFFFF);
    SetTextColor(s, 0);
    StretchBlt(s, 0, 0, n, m, Mask, MaskX, MaskY, SrcWidth, SrcHeight, SRCCOPY);
    DeleteDC(p);
    DeleteDC(s);
    TRaster& out = dst->Surface();
    int x0 = dst->RX(X), y0 = dst->RY(Y);
    int dirX = Width > 0 ? 1 : -1, dirY = Height > 0 ? 1 : -1;
    for (int j = 0; j < m; ++j) {
        int y = y0 + dirY * j;
        int left = dirX > 0 ? x0 : x0 - n + 1;
        ForVisibleSpans(*dst, y, left, left + n, [&](int a, int b) {
            std::uint32_t* row = out.Row(y);
            for (int x = a; x < b; ++x) {
                int k = dirX > 0 ? x - x0 : x0 - x;
                if ((shape->At(k, j) & 0xFFFFFF) == 0) row[x] = part->At(k, j);
            }
        });
    }
    return true;
}
