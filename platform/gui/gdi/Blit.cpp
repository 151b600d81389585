// Block transfers between device contexts: copies, stretches (nearest
// neighbour, negative extents mirror), raster operations and colour keys.
#include "platform/gui/gdi/PaintCore.h"
#include "platform/gui/gdi/RasterAccess.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace {

// Source index for destination step K of N over a source extent of M.
inline int SourceStep(long long K, long long N, long long M) { return static_cast<int>(((2 * K + 1) * M) / (2 * N)); }

// Pixels a blit reads: rows Stride pixels apart, with the colour rules of a
// monochrome raster and the background colour of the context they come
// from.
struct TSourcePixels {
    const std::uint32_t* Bits = nullptr;
    int Width = 0, Height = 0;
    std::ptrdiff_t Stride = 0;
    bool Monochrome = false;
    std::uint32_t Bk = 0;
    const TRaster* Raster = nullptr; // the raster they belong to, if any
    bool Opaque = true;              // false: the high byte is to be set
    const std::uint32_t* Row(int Y) const { return Bits + Y * Stride; }
};

TSourcePixels SourceOf(const TRaster& R, COLORREF Bk) {
    return {R.Bits(), R.Width(), R.Height(), R.Width(), R.Monochrome, TRaster::FromColorRef(Bk), &R, true};
}

// Copies N pixels; a source without its high byte set gets it set.
void CopyPixels(std::uint32_t* To, const std::uint32_t* From, int N, bool Opaque) {
    if (Opaque) {
        std::memmove(To, From, sizeof(std::uint32_t) * N);
        return;
    }
    // Four pixels per round through a vector register.
    using TQuad = std::uint32_t __attribute__((vector_size(16)));
    const TQuad alpha = {0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFF000000u};
    int i = 0;
    for (; i + 4 <= N; i += 4) {
        TQuad q;
        std::memcpy(&q, From + i, sizeof q);
        q |= alpha;
        std::memcpy(To + i, &q, sizeof q);
    }
    for (; i < N; ++i) To[i] = From[i] | 0xFF000000u;
}

// Picks N pixels from a source row by their source columns.
void StretchRow(std::uint32_t* To, const std::uint32_t* From, const int* Columns, int N) {
    for (int i = 0; i < N; ++i) To[i] = From[Columns[i]] | 0xFF000000u;
}

// Copies N pixels, leaving out those of colour Key (the high byte aside).
void KeyedCopy(std::uint32_t* To, const std::uint32_t* From, int N, std::uint32_t Key) {
    using TQuad = std::uint32_t __attribute__((vector_size(16)));
    const std::uint32_t key = Key & 0xFFFFFF;
    const TQuad keys = {key, key, key, key};
    const TQuad low = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    int i = 0;
    for (; i + 4 <= N; i += 4) {
        TQuad s, d;
        std::memcpy(&s, From + i, sizeof s);
        std::memcpy(&d, To + i, sizeof d);
        const TQuad keep = reinterpret_cast<TQuad>((s & low) == keys); // all ones where the key is
        d = (d & keep) | (s & ~keep);
        std::memcpy(To + i, &d, sizeof d);
    }
    for (; i < N; ++i)
        if ((From[i] & 0xFFFFFF) != key) To[i] = From[i];
}

// Copies (stretching and mirroring by nearest neighbour) the source area
// (SrcX, SrcY, SrcWidth, SrcHeight, raster coordinates) into the
// destination area (X, Y, Width, Height, logical), through Rop or leaving
// out the Key colour. Destination pixels whose source lies outside the
// source stay as they are.
//
// Plain copies of the same size move whole spans with memmove, and copies
// within one raster run rows and spans in the order that reads every
// source pixel before it is overwritten:
//
//   destination below the source: rows bottom-up   right of it: spans right to left
//
// Other copies within one raster read from a copy of the source area only.
bool BlitPixels(TDeviceContext* dst, Integer X, Integer Y, Integer Width, Integer Height, const TSourcePixels* Source,
                Integer SrcX, Integer SrcY, Integer SrcWidth, Integer SrcHeight, DWORD Rop,
                std::optional<std::uint32_t> Key) {
    const bool usesSource = Source != nullptr;
    if (Width == 0 || Height == 0) return true;
    if (usesSource && (SrcWidth == 0 || SrcHeight == 0)) return true;

    const int n = std::abs(Width), m = std::abs(Height);
    const int sn = std::abs(SrcWidth), sm = std::abs(SrcHeight);
    const int dirX = Width > 0 ? 1 : -1, dirY = Height > 0 ? 1 : -1;
    const int sdirX = SrcWidth > 0 ? 1 : -1, sdirY = SrcHeight > 0 ? 1 : -1;
    TRaster& out = dst->Surface();
    const int x0 = dst->RX(X), y0 = dst->RY(Y);
    int sx0 = SrcX, sy0 = SrcY;

    TSourcePixels in;
    if (usesSource) in = *Source;
    const bool toMono = usesSource && out.Monochrome && !in.Monochrome;
    const bool fromMono = usesSource && in.Monochrome && !out.Monochrome;
    const bool plainCopy = Rop == SRCCOPY && !Key && !toMono && !fromMono;
    const bool sameSize = n == sn && m == sm && dirX == sdirX && dirY == sdirY;
    const bool moveSpans = usesSource && plainCopy && sameSize && dirX > 0 && dirY > 0;

    // A source on the destination's raster that the destination overlaps
    // is read from a copy of the source area, unless whole spans move.
    std::optional<TRaster> copy;
    const bool sameRaster = usesSource && in.Raster == &out;
    if (sameRaster && !moveSpans) {
        TRect from(sdirX > 0 ? sx0 : sx0 - sn + 1, sdirY > 0 ? sy0 : sy0 - sm + 1, 0, 0);
        from.Right = from.Left + sn;
        from.Bottom = from.Top + sm;
        TRect to(dirX > 0 ? x0 : x0 - n + 1, dirY > 0 ? y0 : y0 - m + 1, 0, 0);
        to.Right = to.Left + n;
        to.Bottom = to.Top + m;
        TRect area(std::max(from.Left, 0), std::max(from.Top, 0), std::min(from.Right, in.Width),
                   std::min(from.Bottom, in.Height));
        TRect both(std::max(area.Left, to.Left), std::max(area.Top, to.Top), std::min(area.Right, to.Right),
                   std::min(area.Bottom, to.Bottom));
        if (!area.IsEmpty() && !both.IsEmpty()) {
            copy.emplace(area.Width(), area.Height());
            copy->Monochrome = in.Monochrome;
            for (int y = area.Top; y < area.Bottom; ++y)
                std::memcpy(copy->Row(y - area.Top), in.Row(y) + area.Left, sizeof(std::uint32_t) * area.Width());
            // The copy stands in for the source, its (0,0) at the area's corner.
            in = {copy->Bits(), copy->Width(), copy->Height(), copy->Width(), in.Monochrome, in.Bk, nullptr, in.Opaque};
            sx0 -= area.Left;
            sy0 -= area.Top;
        }
    }

    const std::uint32_t dstBk = TRaster::FromColorRef(dst->S.BkColor);
    const std::uint32_t dstText = TRaster::FromColorRef(dst->S.TextColor);
    const bool withPattern = RopUsesPattern(Rop);
    TBrushPaint brush(*dst, dst->S.Brush.get());

    // The destination's columns as a raster span, and for each its source
    // column; those whose source column lies outside the source are left
    // out of the span.
    int left = dirX > 0 ? x0 : x0 - n + 1, right = left + n;
    // Source column of destination step k (the same width maps k to k).
    auto col = [&](int k) { return sx0 + sdirX * (n == sn ? k : SourceStep(k, n, sn)); };
    auto colOf = [&](int x) { return dirX > 0 ? x - x0 : x0 - x; }; // x to k
    if (usesSource) {
        // Source columns run monotonically, so the valid ones are one run.
        int kLo = 0, kHi = n;
        while (kLo < n && (col(kLo) < 0 || col(kLo) >= in.Width)) ++kLo;
        while (kHi > kLo && (col(kHi - 1) < 0 || col(kHi - 1) >= in.Width)) --kHi;
        if (kLo >= kHi) return true;
        if (dirX > 0) {
            left = x0 + kLo;
            right = x0 + kHi;
        } else {
            left = x0 - kHi + 1;
            right = x0 - kLo + 1;
        }
    }

    if (moveSpans) {
        // The rows whose source row exists, cut into visible pieces.
        TRect area(left, std::max(y0, y0 - sy0), right, std::min(y0 + m, y0 - sy0 + in.Height));
        // Within one raster, a destination below the source (or on the same
        // rows and to its right) is written from its far end backwards.
        const bool backwards = sameRaster && (y0 > sy0 || (y0 == sy0 && x0 > sx0));
        if (!backwards) {
            ForVisibleRects(*dst, area, [&](int r0, int r1, int a, int b) {
                for (int y = r0; y < r1; ++y)
                    CopyPixels(out.Row(y) + a, in.Row(sy0 + (y - y0)) + sx0 + (a - x0), b - a, in.Opaque);
            });
            return true;
        }
        std::vector<std::array<int, 4>> pieces;
        ForVisibleRects(*dst, area, [&](int a0, int a1, int a, int b) { pieces.push_back({a0, a1, a, b}); });
        for (std::size_t p = 0; p < pieces.size(); ++p) {
            const auto [r0, r1, a, b] = pieces[pieces.size() - 1 - p];
            for (int y = r1 - 1; y >= r0; --y) {
                CopyPixels(out.Row(y) + a, in.Row(sy0 + (y - y0)) + sx0 + (a - x0), b - a, in.Opaque);
            }
        }
        return true;
    }

    // Columns that copy a source row as it is (same width, same direction).
    const bool columnsAsTheyAre = usesSource && plainCopy && n == sn && dirX > 0 && sdirX > 0;
    // For each destination column from left, its source column (not needed
    // where whole rows or one column are copied).
    std::vector<int> colMap;
    const bool oneColumn = usesSource && plainCopy && sn == 1;
    if (usesSource && !columnsAsTheyAre && !oneColumn) {
        colMap.resize(right - left);
        for (int x = left; x < right; ++x) colMap[x - left] = col(colOf(x));
    }
    const int* sourceColumn = colMap.data(); // indexed by x - left
    // A keyed copy's source row as stretched, and the row it came from.
    std::vector<std::uint32_t> stretched(Key ? right - left : 0);
    const std::uint32_t* stretchedFrom = nullptr;
    // Columns a..b-1 of raster row y from source row srow.
    auto paintSpan = [&](std::uint32_t* row, const std::uint32_t* srow, int y, int a, int b) {
        if (columnsAsTheyAre) {
            CopyPixels(row + a, srow + sx0 + (a - x0), b - a, in.Opaque);
            return;
        }
        if (oneColumn) {
            // One source column stretched across: a fill.
            FillPixels(row + a, b - a, srow[sx0] | 0xFF000000u);
            return;
        }
        if (usesSource && Key && Rop == SRCCOPY && !toMono && !fromMono) {
            // Colour-keyed copy: the source row stretched once, then four
            // pixels at a time, the key's pixels keeping the destination's.
            if (srow != stretchedFrom) {
                StretchRow(stretched.data(), srow, sourceColumn, right - left);
                stretchedFrom = srow;
            }
            KeyedCopy(row + a, stretched.data() + (a - left), b - a, *Key);
            return;
        }
        if (usesSource && plainCopy) {
            const std::uint32_t alpha = in.Opaque ? 0 : 0xFF000000u;
            for (int x = a; x < b; ++x) row[x] = srow[sourceColumn[x - left]] | alpha;
            return;
        }
        for (int x = a; x < b; ++x) {
            std::uint32_t s = 0;
            if (usesSource) {
                s = srow[sourceColumn[x - left]] | 0xFF000000u;
                if (Key && (s & 0xFFFFFF) == (*Key & 0xFFFFFF)) continue;
                if (toMono) s = (s & 0xFFFFFF) == (in.Bk & 0xFFFFFF) ? TRaster::White : 0xFF000000u;
                if (fromMono) s = (s & 0xFFFFFF) == 0xFFFFFF ? dstBk : dstText;
            }
            if (Rop == SRCCOPY || Key) {
                row[x] = s;
                continue;
            }
            std::uint32_t p = 0xFF000000u;
            if (withPattern && !brush.At(x, y, p)) p = row[x];
            row[x] = ApplyRop3(Rop, p, s, row[x]);
        }
    };
    // The destination's visible pieces, row by row; each row takes its
    // source row.
    const int top = dirY > 0 ? y0 : y0 - m + 1;
    ForVisibleRects(*dst, TRect(left, top, right, top + m), [&](int r0, int r1, int a, int b) {
        for (int y = r0; y < r1; ++y) {
            const int j = dirY > 0 ? y - y0 : y0 - y;
            const int sy = sy0 + sdirY * (usesSource ? (m == sm ? j : SourceStep(j, m, sm)) : 0);
            if (usesSource && (sy < 0 || sy >= in.Height)) continue;
            paintSpan(out.Row(y), usesSource ? in.Row(sy) : nullptr, y, a, b);
        }
    });
    return true;
}

bool Blit(HDC Dest, Integer X, Integer Y, Integer Width, Integer Height, HDC Src, Integer SrcX, Integer SrcY,
          Integer SrcWidth, Integer SrcHeight, DWORD Rop, std::optional<std::uint32_t> Key) {
    TDeviceContext* dst = FindDC(Dest);
    if (!dst) return false;
    bool usesSource = RopUsesSource(Rop) || Key;
    TDeviceContext* src = usesSource ? FindDC(Src) : nullptr;
    if (usesSource && !src) return false;
    if (!usesSource) return BlitPixels(dst, X, Y, Width, Height, nullptr, 0, 0, 0, 0, Rop, Key);
    const TSourcePixels in = SourceOf(src->Surface(), src->S.BkColor);
    return BlitPixels(dst, X, Y, Width, Height, &in, src->RX(SrcX), src->RY(SrcY), SrcWidth, SrcHeight, Rop, Key);
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

Integer StretchDIBits(HDC DC, Integer XDest, Integer YDest, Integer DestWidth, Integer DestHeight, Integer XSrc,
                      Integer YSrc, Integer SrcWidth, Integer SrcHeight, const void* Bits, const TBitmapInfo* Info,
                      UINT Usage, DWORD Rop) {
    TDeviceContext* dst = FindDC(DC);
    if (!dst || !Info || Usage != DIB_RGB_COLORS) return 0;
    const TBitmapInfoHeader& h = Info->bmiHeader;
    if (h.biBitCount != 32 || h.biCompression != BI_RGB || h.biWidth <= 0 || h.biHeight >= 0) return 0;
    const bool usesSource = RopUsesSource(Rop);
    if (usesSource && !Bits) return 0;
    // A picture in memory is colour; a monochrome destination takes white
    // for white pixels, black for the rest.
    const TSourcePixels in{static_cast<const std::uint32_t*>(Bits), h.biWidth, -h.biHeight, h.biWidth, false,
                           TRaster::White, nullptr, false};
    if (!BlitPixels(dst, XDest, YDest, DestWidth, DestHeight, usesSource ? &in : nullptr, XSrc, YSrc, SrcWidth,
                    SrcHeight, Rop, std::nullopt))
        return 0;
    return std::abs(SrcHeight);
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
