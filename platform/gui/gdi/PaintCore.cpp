#include "platform/gui/gdi/PaintCore.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace {

// The 8 x 8 hatch patterns; bit 7 of a row is its left pixel.
constexpr Byte Hatches[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00}, // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // forward diagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // backward diagonal
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08}, // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // diagonal cross
};

int Mod(int A, int M) {
    int r = A % M;
    return r < 0 ? r + M : r;
}

} // namespace

std::uint32_t ApplyRop2(Integer Rop2, std::uint32_t D, std::uint32_t P) {
    unsigned f = static_cast<unsigned>(Rop2 - 1) & 15u;
    std::uint32_t r = 0;
    if (f & 8) r |= P & D;
    if (f & 4) r |= P & ~D;
    if (f & 2) r |= ~P & D;
    if (f & 1) r |= ~P & ~D;
    return r | 0xFF000000u;
}

std::uint32_t ApplyRop3(DWORD Rop, std::uint32_t P, std::uint32_t S, std::uint32_t D) {
    unsigned f = (Rop >> 16) & 0xFFu;
    switch (f) {
    case 0xCC: return S;
    case 0xF0: return P;
    case 0xAA: return D;
    default: break;
    }
    std::uint32_t r = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (!(f & (1u << i))) continue;
        r |= ((i & 4) ? P : ~P) & ((i & 2) ? S : ~S) & ((i & 1) ? D : ~D);
    }
    return r | 0xFF000000u;
}

TBrushPaint::TBrushPaint(const TDeviceContext& DC, const TBrushObject* Brush) : FBrush(Brush) {
    FNull = !Brush || Brush->Style == BS_NULL || (Brush->Style == BS_PATTERN && !Brush->Pattern) ||
            (Brush->Style == BS_PATTERN && (Brush->Pattern->Width() == 0 || Brush->Pattern->Height() == 0));
    FSolid = !FNull && Brush->Style == BS_SOLID;
    if (Brush) FColor = TRaster::FromColorRef(Brush->Color);
    FBk = TRaster::FromColorRef(DC.S.BkColor);
    FOpaque = DC.S.BkMode == OPAQUE;
    FOrgX = DC.S.BrushOrg.X + DC.DeviceOrigin.X;
    FOrgY = DC.S.BrushOrg.Y + DC.DeviceOrigin.Y;
}

bool TBrushPaint::At(int RX, int RY, std::uint32_t& Pixel) const {
    if (FNull) return false;
    if (FSolid) {
        Pixel = FColor;
        return true;
    }
    if (FBrush->Style == BS_PATTERN) {
        const TRaster& p = *FBrush->Pattern;
        Pixel = p.At(Mod(RX - FOrgX, p.Width()), Mod(RY - FOrgY, p.Height()));
        return true;
    }
    // Hatched.
    int h = std::clamp(FBrush->Hatch, 0, 5);
    bool line = (Hatches[h][Mod(RY - FOrgY, 8)] >> (7 - Mod(RX - FOrgX, 8))) & 1;
    if (line) {
        Pixel = FColor;
        return true;
    }
    if (!FOpaque) return false;
    Pixel = FBk;
    return true;
}

// Built twice, for processors with 32-byte vector stores and for the rest;
// the loader picks one. Rows spans of N pixels, Stride pixels apart.
__attribute__((target_clones("avx2", "default"))) void FillPixelRows(std::uint32_t* P, std::ptrdiff_t Stride,
                                                                      int Rows, std::ptrdiff_t N, std::uint32_t V) {
    if (N >= 256) {
        // The C library's 32-bit fill picks the widest stores the processor has.
        static_assert(sizeof(wchar_t) == sizeof(std::uint32_t));
        for (int r = 0; r < Rows; ++r, P += Stride)
            std::wmemset(reinterpret_cast<wchar_t*>(P), static_cast<wchar_t>(V), static_cast<std::size_t>(N));
        return;
    }
    // Short spans without a call: one block store at the start, aligned
    // block stores from the first boundary after it, and one ending at the
    // span's end (the first and last overlap their neighbours), so that
    // every row of a rectangle takes the same, well predicted path.
    using TQuad = std::uint32_t __attribute__((vector_size(16)));
    using TOcta = std::uint32_t __attribute__((vector_size(32)));
    const TQuad quad = {V, V, V, V};
    const TOcta octa = {V, V, V, V, V, V, V, V};
    for (int r = 0; r < Rows; ++r, P += Stride) {
        if (N < 4) {
            for (std::ptrdiff_t i = 0; i < N; ++i) P[i] = V;
        } else if (N < 8) {
            std::memcpy(P, &quad, sizeof quad);
            std::memcpy(P + N - 4, &quad, sizeof quad);
        } else {
            std::memcpy(P, &octa, sizeof octa);
            std::uint32_t* q = P + (8 - (reinterpret_cast<std::uintptr_t>(P) & 31) / sizeof(std::uint32_t));
            for (std::uint32_t* last = P + N - 8; q < last; q += 8) *reinterpret_cast<TOcta*>(q) = octa;
            std::memcpy(P + N - 8, &octa, sizeof octa);
        }
    }
}

void FillPixels(std::uint32_t* P, std::ptrdiff_t N, std::uint32_t V) { FillPixelRows(P, 0, 1, N, V); }

void PaintRowSpan(std::uint32_t* Row, int X0, int X1, Integer Rop2, std::uint32_t Pixel) {
    if (X1 <= X0) return;
    switch (Rop2) {
    case R2_COPYPEN: FillPixels(Row + X0, X1 - X0, Pixel); return;
    case R2_NOP: return;
    case R2_XORPEN:
        for (int x = X0; x < X1; ++x) Row[x] = (Row[x] ^ Pixel) | 0xFF000000u;
        return;
    case R2_NOT:
        for (int x = X0; x < X1; ++x) Row[x] = ~Row[x] | 0xFF000000u;
        return;
    default:
        for (int x = X0; x < X1; ++x) Row[x] = ApplyRop2(Rop2, Row[x], Pixel);
        return;
    }
}

void PaintBrushSpan(TRaster& Raster, const TBrushPaint& Brush, Integer Rop2, int Y, int X0, int X1) {
    std::uint32_t* row = Raster.Row(Y);
    if (Brush.Solid()) {
        PaintRowSpan(row, X0, X1, Rop2, Brush.SolidPixel());
        return;
    }
    for (int x = X0; x < X1; ++x) {
        std::uint32_t p;
        if (Brush.At(x, Y, p)) row[x] = ApplyRop2(Rop2, row[x], p);
    }
}

void FillSpanWithBrush(TDeviceContext& DC, const TBrushPaint& Brush, Integer Rop2, int Y, int X0, int X1) {
    if (Brush.Null()) return;
    TRaster& r = DC.Surface();
    ForVisibleSpans(DC, Y, X0, X1, [&](int a, int b) { PaintBrushSpan(r, Brush, Rop2, Y, a, b); });
}

void FillRasterRect(TDeviceContext& DC, const TBrushPaint& Brush, Integer Rop2, const TRect& R) {
    if (Brush.Null()) return;
    if (Brush.Solid()) {
        PaintRasterRect(DC, Rop2, Brush.SolidPixel(), R);
        return;
    }
    TRaster& r = DC.Surface();
    ForVisibleRects(DC, R, [&](int y0, int y1, int a, int b) {
        for (int y = y0; y < y1; ++y) PaintBrushSpan(r, Brush, Rop2, y, a, b);
    });
}

void PaintRasterRect(TDeviceContext& DC, Integer Rop2, std::uint32_t Pixel, const TRect& R) {
    TRaster& r = DC.Surface();
    ForVisibleRects(DC, R, [&](int y0, int y1, int a, int b) {
        if (Rop2 == R2_COPYPEN) {
            FillPixelRows(r.Row(y0) + a, r.Width(), y1 - y0, b - a, Pixel);
            return;
        }
        for (int y = y0; y < y1; ++y) PaintRowSpan(r.Row(y), a, b, Rop2, Pixel);
    });
}

void FillRasterPolygon(TDeviceContext& DC, const TPoint* Points, int Count, bool Winding, Integer Rop2,
                       std::uint32_t Pixel) {
    TRect box = DC.Visible().Box();
    TRaster& r = DC.Surface();
    ScanPolygon(Points, Count, Winding, box.Top, box.Bottom, [&](int y, const std::vector<TSpan>& spans) {
        std::uint32_t* row = r.Row(y);
        for (const TSpan& s : spans)
            ForVisibleSpans(DC, y, s.X0, s.X1, [&](int a, int b) { PaintRowSpan(row, a, b, Rop2, Pixel); });
    });
}
