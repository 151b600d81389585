// Regions as exact pixel sets: polygons, combinations and hit tests.
#include "PixelTestSupport.h"

namespace {

std::string RegionDump(HRGN Rgn, int W, int H) {
    std::string s;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) s += PtInRegion(Rgn, x, y) ? '#' : '.';
        s += '\n';
    }
    return s;
}

} // namespace

TEST(Regions, PolygonRegionHitsExactlyThePixelsAFillCovers) {
    // A tab-like outline with slanted sides.
    const TPoint pts[] = {{0, 6}, {3, 0}, {10, 0}, {13, 6}};
    HRGN rgn = CreatePolygonRgn(pts, 4, ALTERNATE);
    ASSERT_NE(rgn, nullptr);
    auto b = NewBitmap(14, 7);
    TCanvas* c = b->Canvas();
    c->Pen()->SetStyle(psClear);
    c->Brush()->SetColor(clBlack);
    c->Polygon(pts);
    EXPECT_EQ(RegionDump(rgn, 14, 7), Dump(c, 14, 7));
    EXPECT_TRUE(PtInRegion(rgn, 3, 0));
    EXPECT_FALSE(PtInRegion(rgn, 10, 0));
    EXPECT_FALSE(PtInRegion(rgn, 6, 6));
    TRect box;
    EXPECT_EQ(GetRgnBox(rgn, &box), COMPLEXREGION);
    EXPECT_EQ(box, Rect(0, 0, 13, 6));
    DeleteObject(AsGdiObj(rgn));
}

TEST(Regions, DegeneratePolygonsMakeEmptyRegions) {
    const TPoint line[] = {{0, 0}, {5, 5}};
    HRGN rgn = CreatePolygonRgn(line, 2, ALTERNATE);
    TRect box;
    EXPECT_EQ(GetRgnBox(rgn, &box), NULLREGION);
    EXPECT_EQ(CreatePolygonRgn(line, 2, 7), nullptr); // unknown fill mode
    DeleteObject(AsGdiObj(rgn));
}

TEST(Regions, CombinationsFollowSetLogic) {
    HRGN a = CreateRectRgn(0, 0, 4, 3);
    HRGN b = CreateRectRgn(2, 1, 6, 4);
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(r, a, b, RGN_AND), SIMPLEREGION);
    EXPECT_EQ(RegionDump(r, 6, 4), Rows({"......", "..##..", "..##..", "......"}));
    EXPECT_EQ(CombineRgn(r, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(RegionDump(r, 6, 4), Rows({"####..", "######", "######", "..####"}));
    EXPECT_EQ(CombineRgn(r, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_EQ(RegionDump(r, 6, 4), Rows({"####..", "##..##", "##..##", "..####"}));
    EXPECT_EQ(CombineRgn(r, a, b, RGN_DIFF), COMPLEXREGION);
    EXPECT_EQ(RegionDump(r, 6, 4), Rows({"####..", "##....", "##....", "......"}));
    EXPECT_EQ(CombineRgn(r, r, a, RGN_DIFF), NULLREGION); // a source may be the destination
    EXPECT_EQ(CombineRgn(r, a, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(r, a));
    EXPECT_EQ(CombineRgn(r, a, nullptr, RGN_AND), RGN_ERROR);
    // Adjacent rectangles merge into one.
    HRGN below = CreateRectRgn(0, 3, 4, 5);
    EXPECT_EQ(CombineRgn(r, a, below, RGN_OR), SIMPLEREGION);
    EXPECT_EQ(OffsetRgn(r, 10, 10), SIMPLEREGION);
    TRect box;
    GetRgnBox(r, &box);
    EXPECT_EQ(box, Rect(10, 10, 14, 15));
    for (HRGN h : {a, b, r, below}) DeleteObject(AsGdiObj(h));
}

TEST(Regions, ClipToAPolygonRegionAndFrameIt) {
    const TPoint pts[] = {{2, 0}, {6, 4}, {2, 8}, {-2, 4}};
    HRGN diamond = CreatePolygonRgn(pts, 4, ALTERNATE);
    auto b = NewBitmap(5, 8);
    TCanvas* c = b->Canvas();
    SelectClipRgn(c->Handle(), diamond);
    c->Brush()->SetColor(clBlack);
    c->FillRect(Rect(0, 0, 5, 8));
    SelectClipRgn(c->Handle(), nullptr);
    EXPECT_EQ(Dump(c, 5, 8), RegionDump(diamond, 5, 8));

    HRGN box = CreateRectRgn(0, 0, 4, 4);
    auto d = NewBitmap(4, 4);
    HBRUSH black = CreateSolidBrush(0);
    EXPECT_TRUE(FrameRgn(d->Canvas()->Handle(), box, black, 1, 1));
    EXPECT_EQ(Dump(d->Canvas(), 4, 4), Rows({"####", "#..#", "#..#", "####"}));
    for (HGDIOBJ h : {AsGdiObj(diamond), AsGdiObj(box), AsGdiObj(black)}) DeleteObject(h);
}
