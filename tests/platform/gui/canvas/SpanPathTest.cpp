// Fills, copies, lines and outlines drawn a span at a time give the pixels
// that drawing them a pixel at a time gave: each group below draws many
// cases (overlapping copies within one bitmap in every direction, clip
// regions with holes, mirrored and partly outside sources, every raster
// operation, styled and wide pens) and compares a fingerprint of all the
// pixels with the one taken from the pixel-by-pixel drawing.
#include "PixelTestSupport.h"

#include <cstdint>

namespace {

// A bitmap whose pixel (x, y) has a colour of its own.
TBitmapPtr Numbered(int W, int H) {
    auto b = NewBitmap(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) b->Canvas()->SetPixels(x, y, RGB(x * 9, y * 13, (x * y) & 0xFF));
    return b;
}

// FNV-1a over the pixels of a canvas, added to H.
void Take(std::uint32_t& H, TCanvas* C, int W, int Ht) {
    for (int y = 0; y < Ht; ++y)
        for (int x = 0; x < W; ++x) {
            COLORREF p = static_cast<COLORREF>(C->Pixels(x, y));
            for (int n = 0; n < 3; ++n) H = (H ^ ((p >> (8 * n)) & 0xFF)) * 16777619u;
        }
}

// A clip of the rectangle (1, 1, W-1, H-1) with a hole in the middle.
void ClipWithHole(HDC DC, int W, int H) {
    IntersectClipRect(DC, 1, 1, W - 1, H - 1);
    ExcludeClipRect(DC, W / 3, H / 3, W / 2 + 1, H / 2 + 1);
}

constexpr DWORD Rops[] = {SRCCOPY,  SRCPAINT,  SRCAND,  SRCINVERT, SRCERASE,  NOTSRCCOPY, NOTSRCERASE, MERGECOPY,
                          MERGEPAINT, PATCOPY, PATPAINT, PATINVERT, DSTINVERT, BLACKNESS,  WHITENESS};

} // namespace

TEST(SpanPaths, CopiesWithinOneBitmapInEveryDirection) {
    std::uint32_t h = 2166136261u;
    for (bool clipped : {false, true})
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx) {
                auto b = Numbered(24, 16);
                HDC dc = b->Canvas()->Handle();
                if (clipped) ClipWithHole(dc, 24, 16);
                BitBlt(dc, 5 + dx, 4 + dy, 14, 9, dc, 5, 4, SRCCOPY);
                // Mirrored and stretched onto itself as well.
                StretchBlt(dc, 20 + dx, 2 + dy, -9, 6, dc, 4, 3, 9, 6, SRCCOPY);
                StretchBlt(dc, 2 + dx, 14 + dy, 11, -7, dc, 3, 5, 7, 9, SRCCOPY);
                SelectClipRgn(dc, nullptr);
                Take(h, b->Canvas(), 24, 16);
            }
    EXPECT_EQ(h, 0xC6BD46D8u);
}

TEST(SpanPaths, StretchesMirrorsAndSourcesPartlyOutside) {
    std::uint32_t h = 2166136261u;
    auto src = Numbered(13, 7);
    for (bool clipped : {false, true})
        for (int w : {5, -5, 13, -13, 26, -26, 1})
            for (int ht : {3, -3, 7, -7, 15, -15})
                for (int sx : {0, -2, 9}) {
                    auto dst = NewBitmap(30, 20);
                    HDC d = dst->Canvas()->Handle();
                    if (clipped) ClipWithHole(d, 30, 20);
                    StretchBlt(d, w < 0 ? 27 : 2, ht < 0 ? 17 : 1, w, ht, src->Canvas()->Handle(), sx, 1,
                               sx == 9 ? -6 : 8, 5, SRCCOPY);
                    BitBlt(d, -3, 12, 20, 10, src->Canvas()->Handle(), sx, -1, SRCCOPY);
                    Take(h, dst->Canvas(), 30, 20);
                }
    EXPECT_EQ(h, 0x0A3FADC5u);
}

TEST(SpanPaths, EveryRasterOperationKeyAndMonochromeConversion) {
    std::uint32_t h = 2166136261u;
    auto src = Numbered(9, 6);
    for (DWORD rop : Rops)
        for (bool stretched : {false, true}) {
            auto dst = Numbered(12, 8);
            TCanvas* c = dst->Canvas();
            c->Brush()->SetStyle(bsDiagCross);
            c->Brush()->SetColor(clRed);
            HDC d = c->Handle();
            ClipWithHole(d, 12, 8);
            if (stretched)
                StretchBlt(d, 11, 0, -12, 8, src->Canvas()->Handle(), 0, 0, 9, 6, rop);
            else
                BitBlt(d, 1, 1, 9, 6, src->Canvas()->Handle(), 0, 0, rop);
            BitBlt(d, 3, 2, 6, 5, d, 2, 1, rop);
            Take(h, c, 12, 8);
        }
    // Colour keys, and blits into and out of monochrome bitmaps.
    auto dst = NewBitmap(12, 8);
    TransparentBlt(dst->Canvas()->Handle(), 0, 0, 12, 8, src->Canvas()->Handle(), 0, 0, 9, 6, RGB(9, 13, 1));
    Take(h, dst->Canvas(), 12, 8);
    auto mono = NewBitmap(9, 6);
    mono->SetMonochrome(true);
    SetBkColor(src->Canvas()->Handle(), RGB(18, 26, 4));
    BitBlt(mono->Canvas()->Handle(), 0, 0, 9, 6, src->Canvas()->Handle(), 0, 0, SRCCOPY);
    SetTextColor(dst->Canvas()->Handle(), ColorToRGB(clBlue));
    SetBkColor(dst->Canvas()->Handle(), ColorToRGB(clLime));
    StretchBlt(dst->Canvas()->Handle(), 0, 0, 12, 8, mono->Canvas()->Handle(), 0, 0, 9, 6, SRCCOPY);
    Take(h, dst->Canvas(), 12, 8);
    EXPECT_EQ(h, 0x9388D48Fu);
}

TEST(SpanPaths, FillsOutlinesAndLinesWithEveryPenMode) {
    std::uint32_t h = 2166136261u;
    for (TPenMode mode : {pmCopy, pmXor, pmNot, pmMask, pmMergePenNot, pmNotCopy, pmNop, pmWhite})
        for (bool clipped : {false, true}) {
            auto b = Numbered(40, 30);
            TCanvas* c = b->Canvas();
            if (clipped) ClipWithHole(c->Handle(), 40, 30);
            c->Pen()->SetMode(mode);
            c->Pen()->SetColor(clTeal);
            c->Brush()->SetColor(clYellow);
            c->FillRect(Rect(3, 2, 37, 9));
            for (int w : {1, 3}) {
                c->Pen()->SetWidth(w);
                for (TPenStyle style : {psSolid, psDot, psInsideFrame, psClear}) {
                    c->Pen()->SetStyle(style);
                    c->Rectangle(2 + w, 4 + w, 30 - w, 26 - w);
                }
            }
            c->Pen()->SetWidth(1);
            c->Pen()->SetStyle(psSolid);
            for (int i = 0; i < 16; ++i) {
                // Lines in every octant and both axes from the middle.
                static const int ends[16][2] = {{39, 15}, {39, 0},  {39, 29}, {20, 0},  {20, 29}, {0, 15},
                                                {0, 0},   {0, 29},  {30, 0},  {30, 29}, {10, 0},  {10, 29},
                                                {39, 8},  {39, 22}, {0, 8},   {0, 22}};
                c->MoveTo(20, 15);
                c->LineTo(ends[i][0], ends[i][1]);
            }
            c->Brush()->SetStyle(bsBDiagonal);
            c->Ellipse(5, 5, 35, 25);
            c->Polygon({TPoint(2, 28), TPoint(20, 3), TPoint(38, 28)});
            PatBlt(c->Handle(), 4, 4, 30, 20, PATINVERT);
            const TRect band = Rect(8, 8, 12, 28);
            InvertRect(c->Handle(), &band);
            Take(h, c, 40, 30);
        }
    EXPECT_EQ(h, 0xFABD0AA5u);
}

TEST(SpanPaths, FillsOfEveryShortLengthAndStartCoverExactlyTheirSpan) {
    // Short spans are filled in overlapping blocks: no pixel before or
    // after the span may change, whatever its length and alignment.
    auto b = NewBitmap(300, 8);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clBlack);
    for (int start = 0; start < 8; ++start)
        for (int length : {0, 1, 3, 4, 5, 7, 8, 9, 12, 15, 16, 17, 31, 33, 40, 255, 256, 257}) {
            c->Brush()->SetColor(clWhite);
            c->FillRect(Rect(0, start, 300, start + 1));
            c->Brush()->SetColor(clBlack);
            c->FillRect(Rect(start + 3, start, start + 3 + length, start + 1));
            for (int x = 0; x < 300; ++x)
                ASSERT_EQ(c->Pixels(x, start), x >= start + 3 && x < start + 3 + length ? clBlack : clWhite)
                    << "start " << start << ", length " << length << ", x " << x;
        }
}
