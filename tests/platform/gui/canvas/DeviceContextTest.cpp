// Clipping, viewport origin, saved states and selected objects of device contexts.
#include "PixelTestSupport.h"

namespace {

void Fill(TCanvas* C, const TRect& R) {
    C->Brush()->SetColor(clBlack);
    C->FillRect(R);
}

} // namespace

TEST(DeviceContext, ClipRectanglesAddAndExcludeExactly) {
    auto b = NewBitmap(6, 4);
    TCanvas* c = b->Canvas();
    HDC dc = c->Handle();
    EXPECT_EQ(IntersectClipRect(dc, 1, 0, 5, 4), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(dc, 2, 1, 4, 3), COMPLEXREGION);
    Fill(c, Rect(0, 0, 6, 4));
    EXPECT_EQ(c->ClipRect(), Rect(1, 0, 5, 4));
    EXPECT_EQ(c->Pixels(0, 0), -1); // outside the clip nothing can be read
    EXPECT_EQ(IntersectClipRect(dc, 10, 10, 12, 12), NULLREGION);
    EXPECT_EQ(c->ClipRect(), TRect());
    SelectClipRgn(dc, nullptr);
    EXPECT_EQ(Dump(c, 6, 4), Rows({".####.", ".#..#.", ".#..#.", ".####."}));
}

TEST(DeviceContext, SaveAndRestoreBringBackClipOriginObjectsAndModes) {
    auto b = NewBitmap(6, 4);
    TCanvas* c = b->Canvas();
    HDC dc = c->Handle();
    c->TextWidth("x"); // selects the canvas font
    HFONT font = c->Font()->Handle();
    SetTextAlign(dc, TA_RIGHT | TA_BASELINE);
    SetBkMode(dc, TRANSPARENT);
    Integer level = SaveDC(dc);
    EXPECT_EQ(level, 1);
    IntersectClipRect(dc, 0, 0, 2, 2);
    SetViewportOrgEx(dc, 3, 1, nullptr);
    SetTextAlign(dc, TA_LEFT);
    SetBkMode(dc, OPAQUE);
    HPEN pen = CreatePen(PS_SOLID, 1, clRed);
    SelectObject(dc, AsGdiObj(pen));
    LOGFONT lf{};
    lf.lfHeight = -20;
    HFONT other = CreateFontIndirect(&lf);
    SelectObject(dc, AsGdiObj(other));
    EXPECT_EQ(SaveDC(dc), 2);
    SelectClipRgn(dc, nullptr);
    EXPECT_TRUE(RestoreDC(dc, -1)); // back to level 2: the clip again
    EXPECT_EQ(c->ClipRect(), Rect(-3, -1, -1, 1));
    EXPECT_TRUE(RestoreDC(dc, level));
    EXPECT_EQ(c->ClipRect(), Rect(0, 0, 6, 4));
    TPoint org;
    GetViewportOrgEx(dc, &org);
    EXPECT_EQ(org, Point(0, 0));
    EXPECT_EQ(GetTextAlign(dc), TA_RIGHT | TA_BASELINE);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), AsGdiObj(font));
    EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), AsGdiObj(pen));
    EXPECT_FALSE(RestoreDC(dc, 1)); // no such level any more
    EXPECT_FALSE(RestoreDC(dc, -1));
    DeleteObject(AsGdiObj(pen));
    DeleteObject(AsGdiObj(other));
}

TEST(DeviceContext, ViewportOriginMovesDrawingButNotTheClipRegion) {
    auto b = NewBitmap(6, 4);
    TCanvas* c = b->Canvas();
    HDC dc = c->Handle();
    IntersectClipRect(dc, 0, 0, 4, 4); // device (0,0)-(4,4)
    SetViewportOrgEx(dc, 2, 1, nullptr);
    Fill(c, Rect(0, 0, 3, 2)); // lands at (2,1)-(5,3), cut at x = 4
    EXPECT_EQ(c->Pixels(0, 0), clBlack); // pixels are read through the origin too
    SetViewportOrgEx(dc, 0, 0, nullptr);
    EXPECT_EQ(c->ClipRect(), Rect(0, 0, 4, 4));
    SaveDC(dc);
    SelectClipRgn(dc, nullptr);
    EXPECT_EQ(Dump(c, 6, 4), Rows({"......", "..##..", "..##..", "......"}));
    RestoreDC(dc, -1);
    SetViewportOrgEx(dc, -1, -1, nullptr);
    EXPECT_EQ(c->ClipRect(), Rect(1, 1, 5, 5)); // the clip box in logical coordinates
    TPoint old;
    OffsetViewportOrgEx(dc, 1, 1, &old);
    EXPECT_EQ(old, Point(-1, -1));
}

TEST(DeviceContext, SelectedClipRegionIsACopyInDeviceCoordinates) {
    auto b = NewBitmap(5, 3);
    TCanvas* c = b->Canvas();
    HDC dc = c->Handle();
    HRGN rgn = CreateRectRgn(1, 0, 3, 3);
    SetViewportOrgEx(dc, 1, 0, nullptr); // no effect on a selected region
    EXPECT_EQ(SelectClipRgn(dc, rgn), SIMPLEREGION);
    OffsetRgn(rgn, 2, 0); // the context keeps its own copy
    SetViewportOrgEx(dc, 0, 0, nullptr);
    Fill(c, Rect(0, 0, 5, 3));
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(dc, copy), 1);
    TRect box;
    GetRgnBox(copy, &box);
    EXPECT_EQ(box, Rect(1, 0, 3, 3));
    SelectClipRgn(dc, nullptr);
    EXPECT_EQ(GetClipRgn(dc, copy), 0);
    EXPECT_EQ(Dump(c, 5, 3), Rows({".##..", ".##..", ".##.."}));
    Fill(c, Rect(0, 0, 5, 3));
    EXPECT_EQ(Dump(c, 5, 3), Rows({"#####", "#####", "#####"}));
    DeleteObject(AsGdiObj(rgn));
    DeleteObject(AsGdiObj(copy));
}

TEST(DeviceContext, CopyingAParentBackgroundThroughAMovedOrigin) {
    // What a control does to show its parent behind it: save, move the
    // origin by the control's position, clip to the parent, let the parent
    // paint, restore.
    auto child = NewBitmap(3, 3);
    TCanvas* c = child->Canvas();
    HDC dc = c->Handle();
    Integer saved = SaveDC(dc);
    TPoint org;
    GetViewportOrgEx(dc, &org);
    SetViewportOrgEx(dc, org.X - 4, org.Y - 2, nullptr); // the child sits at (4,2)
    IntersectClipRect(dc, 0, 0, 8, 4);                  // the parent's client area
    c->Brush()->SetColor(clBlack);
    c->FillRect(Rect(5, 0, 8, 3)); // the parent paints a block in its own coordinates
    RestoreDC(dc, saved);
    EXPECT_EQ(Dump(c, 3, 3), Rows({".##", "...", "..."}));
}

TEST(DeviceContext, GdiObjectsAreCheckedAndDeletedSafely) {
    auto b = NewBitmap(3, 1);
    HDC dc = b->Canvas()->Handle();
    HBRUSH brush = CreateSolidBrush(clBlack);
    HGDIOBJ old = SelectObject(dc, AsGdiObj(brush));
    EXPECT_NE(old, nullptr);
    EXPECT_TRUE(DeleteObject(AsGdiObj(brush))); // still selected: the context keeps it alive
    EXPECT_TRUE(PatBlt(dc, 0, 0, 2, 1, PATCOPY));
    EXPECT_EQ(Dump(b->Canvas(), 3, 1), Rows({"##."}));
    EXPECT_FALSE(DeleteObject(AsGdiObj(brush))); // the handle is gone
    EXPECT_EQ(SelectObject(dc, AsGdiObj(brush)), nullptr);
    EXPECT_EQ(SelectObject(nullptr, GetStockObject(WHITE_BRUSH)), nullptr);
    EXPECT_EQ(GetClipBox(reinterpret_cast<HDC>(brush), nullptr), ERROR);
    EXPECT_TRUE(DeleteObject(GetStockObject(NULL_BRUSH))); // stock objects stay
    EXPECT_EQ(GetObjectType(GetStockObject(NULL_BRUSH)), OBJ_BRUSH);
}

TEST(DeviceContext, ScreenContextAnswersTheDisplayFacts) {
    HDC dc = GetDC(0);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(dc, NUMCOLORS), -1);
    TDisplayFacts saved = DisplayFacts();
    SetDisplayFacts({8, 120});
    EXPECT_EQ(GetDeviceCaps(dc, NUMCOLORS), 256);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 120);
    SetDisplayFacts(saved);
    EXPECT_EQ(ReleaseDC(0, dc), 1);
}

TEST(DeviceContext, SystemColoursResolveThroughAReplaceableTable) {
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clRed), RGB(255, 0, 0));
    EXPECT_EQ(ColorToRGB(clNone), 0x1FFFFFFFu);
    SetSysColor(COLOR_BTNFACE, RGB(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(1, 2, 3));
    ResetSysColors();
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(GetSysColor(99), 0u);
}
