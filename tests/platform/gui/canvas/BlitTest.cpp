// Copies between canvases: plain, stretched, mirrored, keyed and with raster operations.
#include "PixelTestSupport.h"

namespace {

// A bitmap whose pixel (x, y) has the colour x + 16 y (distinct per pixel).
TBitmapPtr Numbered(int W, int H) {
    auto b = NewBitmap(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) b->Canvas()->SetPixels(x, y, x + 16 * y);
    return b;
}

} // namespace

TEST(Blits, StretchByNearestNeighbourAndMirrorWithNegativeExtents) {
    auto src = Numbered(4, 2);
    auto dst = NewBitmap(8, 4);
    HDC d = dst->Canvas()->Handle(), s = src->Canvas()->Handle();
    ASSERT_TRUE(StretchBlt(d, 0, 0, 8, 2, s, 0, 0, 4, 2, SRCCOPY)); // doubled across
    for (int x = 0; x < 8; ++x) EXPECT_EQ(dst->Canvas()->Pixels(x, 0), x / 2);
    // Negative width: the destination runs leftwards from x = 3.
    ASSERT_TRUE(StretchBlt(d, 3, 2, -4, 1, s, 0, 0, 4, 1, SRCCOPY));
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dst->Canvas()->Pixels(x, 2), 3 - x);
    // Negative height: upside down, ending at row 2.
    ASSERT_TRUE(StretchBlt(d, 4, 3, 1, -2, s, 0, 0, 1, 2, SRCCOPY));
    EXPECT_EQ(dst->Canvas()->Pixels(4, 3), 0);
    EXPECT_EQ(dst->Canvas()->Pixels(4, 2), 16);
    // Shrinking samples the middle of each source pair.
    auto small = NewBitmap(2, 1);
    StretchBlt(small->Canvas()->Handle(), 0, 0, 2, 1, s, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(small->Canvas()->Pixels(0, 0), 1);
    EXPECT_EQ(small->Canvas()->Pixels(1, 0), 3);
}

TEST(Blits, CopyWithinOneBitmapMovesOverlappingAreasAsAWhole) {
    auto b = Numbered(8, 1);
    HDC dc = b->Canvas()->Handle();
    BitBlt(dc, 2, 0, 6, 1, dc, 0, 0, SRCCOPY);
    for (int x = 2; x < 8; ++x) EXPECT_EQ(b->Canvas()->Pixels(x, 0), x - 2);
}

TEST(Blits, CopyRectHonoursCopyModeAndClip) {
    auto src = NewBitmap(3, 1);
    src->Canvas()->SetPixels(0, 0, clBlack);
    auto dst = NewBitmap(3, 1);
    dst->Canvas()->SetPixels(1, 0, clBlack);
    dst->Canvas()->SetCopyMode(cmSrcInvert);
    dst->Canvas()->CopyRect(Rect(0, 0, 3, 1), src->Canvas(), Rect(0, 0, 3, 1));
    // black ^ white, white ^ black, white ^ white
    EXPECT_EQ(dst->Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(dst->Canvas()->Pixels(1, 0), clWhite);
    EXPECT_EQ(dst->Canvas()->Pixels(2, 0), clBlack);
    dst->Canvas()->SetCopyMode(cmSrcCopy);
    IntersectClipRect(dst->Canvas()->Handle(), 0, 0, 1, 1);
    dst->Canvas()->CopyRect(Rect(0, 0, 3, 1), src->Canvas(), Rect(0, 0, 3, 1));
    SelectClipRgn(dst->Canvas()->Handle(), nullptr);
    EXPECT_EQ(Dump(dst->Canvas(), 3, 1), Rows({"#.#"}));
}

TEST(Blits, TransparentBitmapsLeaveTheirKeyColourOut) {
    auto glyph = NewBitmap(3, 2);
    TCanvas* g = glyph->Canvas();
    g->Brush()->SetColor(clOlive);
    g->FillRect(Rect(0, 0, 3, 2));
    g->SetPixels(1, 0, clBlack);
    g->SetPixels(2, 1, clRed);
    glyph->SetTransparent(true);
    EXPECT_EQ(glyph->TransparentMode(), tmAuto);
    EXPECT_EQ(glyph->TransparentColor(), clOlive); // the bottom-left pixel
    auto dst = NewBitmap(4, 3);
    dst->Canvas()->Draw(1, 1, glyph.get());
    EXPECT_EQ(dst->Canvas()->Pixels(1, 1), clWhite);
    EXPECT_EQ(dst->Canvas()->Pixels(2, 1), clBlack);
    EXPECT_EQ(dst->Canvas()->Pixels(3, 2), clRed);
    glyph->SetTransparentColor(clRed);
    EXPECT_EQ(glyph->TransparentMode(), tmFixed);
    auto dst2 = NewBitmap(3, 2);
    dst2->Canvas()->StretchDraw(Rect(0, 0, 3, 2), glyph.get());
    EXPECT_EQ(dst2->Canvas()->Pixels(0, 0), clOlive);
    EXPECT_EQ(dst2->Canvas()->Pixels(2, 1), clWhite);
    glyph->SetTransparentMode(tmAuto);
    EXPECT_EQ(glyph->TransparentColor(), clOlive);
}

TEST(Blits, StretchDrawMirrorsAnInvertedRectangle) {
    auto src = Numbered(3, 1);
    auto dst = NewBitmap(3, 1);
    dst->Canvas()->StretchDraw(Rect(2, 0, -1, 1), src.get());
    for (int x = 0; x < 3; ++x) EXPECT_EQ(dst->Canvas()->Pixels(x, 0), 2 - x);
}

TEST(Blits, BrushCopyPaintsTheBrushWhereTheBitmapHasTheColour) {
    auto src = NewBitmap(3, 1);
    src->Canvas()->SetPixels(1, 0, clRed);
    auto dst = NewBitmap(3, 1);
    dst->Canvas()->Brush()->SetColor(clBlack);
    dst->Canvas()->BrushCopy(Rect(0, 0, 3, 1), src.get(), Rect(0, 0, 3, 1), clWhite);
    EXPECT_EQ(dst->Canvas()->Pixels(0, 0), clBlack);
    EXPECT_EQ(dst->Canvas()->Pixels(1, 0), clRed);
    EXPECT_EQ(dst->Canvas()->Pixels(2, 0), clBlack);
}

TEST(Blits, PatternOperationsUseTheSelectedBrush) {
    auto b = NewBitmap(3, 1);
    HDC dc = b->Canvas()->Handle();
    b->Canvas()->Brush()->SetColor(clRed);
    dc = b->Canvas()->Handle();
    PatBlt(dc, 0, 0, 2, 1, PATCOPY);
    PatBlt(dc, 1, 0, 2, 1, DSTINVERT);
    EXPECT_EQ(b->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(b->Canvas()->Pixels(1, 0), static_cast<TColor>(RGB(0, 255, 255)));
    EXPECT_EQ(b->Canvas()->Pixels(2, 0), clBlack);
}

TEST(Blits, MonochromeMasksSeparateAKeyColourAndDrawThrough) {
    // A colour bitmap, its mask made by a blit into a monochrome bitmap with
    // the key as the source's background colour, then drawn through the mask.
    auto colour = NewBitmap(3, 1);
    colour->Canvas()->SetPixels(0, 0, clOlive);
    colour->Canvas()->SetPixels(1, 0, clRed);
    colour->Canvas()->SetPixels(2, 0, clOlive);
    auto mask = NewBitmap(3, 1);
    mask->SetMonochrome(true);
    EXPECT_EQ(mask->PixelFormat(), pf1bit);
    SetBkColor(colour->Canvas()->Handle(), ColorToRGB(clOlive));
    BitBlt(mask->Canvas()->Handle(), 0, 0, 3, 1, colour->Canvas()->Handle(), 0, 0, SRCCOPY);
    EXPECT_EQ(Dump(mask->Canvas(), 3, 1), Rows({".#."}));
    auto dst = NewBitmap(6, 1);
    TransparentStretchBlt(dst->Canvas()->Handle(), 0, 0, 6, 1, colour->Canvas()->Handle(), 0, 0, 3, 1,
                          mask->Canvas()->Handle(), 0, 0);
    std::string s;
    for (int x = 0; x < 6; ++x) s += dst->Canvas()->Pixels(x, 0) == clRed ? 'r' : '.';
    EXPECT_EQ(s, "..rr..");
    // A monochrome source paints the destination's text and background colours.
    auto out = NewBitmap(3, 1);
    SetTextColor(out->Canvas()->Handle(), ColorToRGB(clBlue));
    SetBkColor(out->Canvas()->Handle(), ColorToRGB(clLime));
    BitBlt(out->Canvas()->Handle(), 0, 0, 3, 1, mask->Canvas()->Handle(), 0, 0, SRCCOPY);
    EXPECT_EQ(out->Canvas()->Pixels(0, 0), clLime);
    EXPECT_EQ(out->Canvas()->Pixels(1, 0), clBlue);
    // Making a colour bitmap monochrome keeps white and blackens the rest.
    colour->SetPixelFormat(pf1bit);
    EXPECT_TRUE(colour->Monochrome());
    EXPECT_EQ(Dump(colour->Canvas(), 3, 1), Rows({"###"}));
}
