// Lines, rectangles, polygons, ellipses and pixels by the GDI rules.
#include "PixelTestSupport.h"

TEST(Primitives, FillRectIsHalfOpenAndIgnoresInvertedRectangles) {
    auto b = NewBitmap(6, 5);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clBlack);
    c->FillRect(Rect(1, 1, 4, 3));
    c->FillRect(Rect(5, 4, 4, 3)); // inverted: nothing
    c->FillRect(Rect(2, 4, 2, 5)); // empty: nothing
    EXPECT_EQ(Dump(c, 6, 5), Rows({"......", ".###..", ".###..", "......", "......"}));
}

TEST(Primitives, LinesLeaveOutTheirEndPixelInEveryDirection) {
    auto b = NewBitmap(7, 7);
    TCanvas* c = b->Canvas();
    c->MoveTo(1, 1);
    c->LineTo(5, 1); // right
    c->LineTo(5, 5); // down
    c->LineTo(1, 5); // left
    c->LineTo(1, 1); // up: the closed square has every corner once
    EXPECT_EQ(Dump(c, 7, 7), Rows({".......", ".#####.", ".#...#.", ".#...#.", ".#...#.", ".#####.", "......."}));
    EXPECT_EQ(c->PenPos(), Point(1, 1));

    auto d = NewBitmap(5, 5);
    TCanvas* e = d->Canvas();
    e->MoveTo(0, 0);
    e->LineTo(4, 4);
    e->MoveTo(4, 0);
    e->LineTo(4, 0); // zero length: nothing
    EXPECT_EQ(Dump(e, 5, 5), Rows({"#....", ".#...", "..#..", "...#.", "....."}));
}

TEST(Primitives, PolylineStaysOpenAndLeavesOutItsLastPoint) {
    auto b = NewBitmap(5, 4);
    TCanvas* c = b->Canvas();
    c->Polyline({Point(0, 0), Point(4, 0), Point(4, 3)});
    EXPECT_EQ(Dump(c, 5, 4), Rows({"#####", "....#", "....#", "....."}));
}

TEST(Primitives, DottedPenFillsItsGapsOnlyWithAnOpaqueBackground) {
    auto b = NewBitmap(12, 2);
    TCanvas* c = b->Canvas();
    c->Pen()->SetStyle(psDot);
    c->Brush()->SetColor(clRed); // background colour of the gaps
    c->MoveTo(0, 0);
    c->LineTo(12, 0);
    c->Brush()->SetStyle(bsClear);
    c->MoveTo(0, 1);
    c->LineTo(12, 1);
    std::string row0, row1;
    for (int x = 0; x < 12; ++x) {
        row0 += c->Pixels(x, 0) == clBlack ? '#' : c->Pixels(x, 0) == clRed ? 'r' : '?';
        row1 += c->Pixels(x, 1) == clBlack ? '#' : c->Pixels(x, 1) == clWhite ? '.' : '?';
    }
    EXPECT_EQ(row0, "###rrr###rrr");
    EXPECT_EQ(row1, "###...###...");
}

TEST(Primitives, XorPenModeInvertsAndRestores) {
    auto b = NewBitmap(4, 1);
    TCanvas* c = b->Canvas();
    c->Pen()->SetColor(clWhite);
    c->Pen()->SetMode(pmXor);
    c->MoveTo(0, 0);
    c->LineTo(3, 0);
    EXPECT_EQ(Dump(c, 4, 1), Rows({"###."}));
    c->MoveTo(0, 0);
    c->LineTo(3, 0);
    EXPECT_EQ(Dump(c, 4, 1), Rows({"...."}));
}

TEST(Primitives, RectangleOutlinesTheHalfOpenBoundsAndFillsInside) {
    auto b = NewBitmap(7, 6);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clRed);
    c->Rectangle(1, 1, 6, 5);
    std::string s;
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 7; ++x) s += c->Pixels(x, y) == clBlack ? '#' : c->Pixels(x, y) == clRed ? 'r' : '.';
        s += '\n';
    }
    EXPECT_EQ(s, Rows({".......", ".#####.", ".#rrr#.", ".#rrr#.", ".#####.", "......."}));
}

TEST(Primitives, RectangleWithAClearPenFillsOnePixelLessRightAndBelow) {
    auto b = NewBitmap(6, 5);
    TCanvas* c = b->Canvas();
    c->Pen()->SetStyle(psClear);
    c->Brush()->SetColor(clBlack);
    c->Rectangle(Rect(1, 1, 5, 4));
    EXPECT_EQ(Dump(c, 6, 5), Rows({"......", ".###..", ".###..", "......", "......"}));
}

TEST(Primitives, WidePensCentreOnTheOutlineOrStayInsideTheFrame) {
    auto b = NewBitmap(10, 10);
    TCanvas* c = b->Canvas();
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetWidth(3);
    c->Pen()->SetStyle(psInsideFrame);
    c->Rectangle(1, 1, 9, 9);
    EXPECT_EQ(Dump(c, 10, 10), Rows({"..........", ".########.", ".########.", ".########.", ".###..###.",
                                     ".###..###.", ".########.", ".########.", ".########.", ".........."}));
    auto d = NewBitmap(10, 10);
    TCanvas* e = d->Canvas();
    e->Brush()->SetStyle(bsClear);
    e->Pen()->SetWidth(3);
    e->Rectangle(2, 2, 8, 8); // outline columns 2 and 7, each widened by one on both sides
    EXPECT_EQ(Dump(e, 10, 10), Rows({"..........", ".########.", ".########.", ".########.", ".###..###.",
                                     ".###..###.", ".########.", ".########.", ".########.", ".........."}));
}

TEST(Primitives, FrameRectDrawsOnePixelFrameWithTheBrush) {
    auto b = NewBitmap(5, 4);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clBlack);
    c->FrameRect(Rect(0, 0, 5, 4));
    EXPECT_EQ(Dump(c, 5, 4), Rows({"#####", "#...#", "#...#", "#####"}));
}

TEST(Primitives, PolygonFillsPixelCentresTopLeftInBottomRightOut) {
    auto b = NewBitmap(6, 6);
    TCanvas* c = b->Canvas();
    c->Pen()->SetStyle(psClear);
    c->Brush()->SetColor(clBlack);
    c->Polygon({Point(1, 1), Point(5, 1), Point(5, 4), Point(1, 4)});
    EXPECT_EQ(Dump(c, 6, 6), Rows({"......", ".####.", ".####.", ".####.", "......", "......"}));
    // A triangle whose slanted edge runs through pixel centres: a centre on
    // a right edge is outside.
    auto d = NewBitmap(4, 4);
    TCanvas* e = d->Canvas();
    e->Pen()->SetStyle(psClear);
    e->Brush()->SetColor(clBlack);
    e->Polygon({Point(0, 0), Point(4, 0), Point(0, 4)});
    EXPECT_EQ(Dump(e, 4, 4), Rows({"###.", "##..", "#...", "...."}));
    // The same centres lie on a left edge of the mirrored triangle: inside.
    auto f = NewBitmap(4, 4);
    TCanvas* g = f->Canvas();
    g->Pen()->SetStyle(psClear);
    g->Brush()->SetColor(clBlack);
    g->Polygon({Point(0, 0), Point(4, 0), Point(4, 4)});
    EXPECT_EQ(Dump(g, 4, 4), Rows({"####", ".###", "..##", "...#"}));
}

TEST(Primitives, AdjacentPolygonsTileWithoutGapsOrOverlaps) {
    // Four triangles around a shared centre and a fan of slivers: drawing
    // each with an XOR brush leaves every covered pixel hit exactly once.
    const std::vector<std::vector<TPoint>> shapes = {
        {{0, 0}, {17, 0}, {9, 7}},    {{17, 0}, {17, 13}, {9, 7}}, {{17, 13}, {0, 13}, {9, 7}},
        {{0, 13}, {0, 0}, {9, 7}},    {{3, 2}, {8, 3}, {5, 11}},
    };
    auto b = NewBitmap(20, 15);
    TCanvas* c = b->Canvas();
    c->Pen()->SetStyle(psClear);
    c->Pen()->SetMode(pmXor);
    c->Brush()->SetColor(clWhite); // XOR with white inverts
    for (int i = 0; i < 4; ++i) c->Polygon(shapes[i]);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 20; ++x)
            EXPECT_EQ(c->Pixels(x, y), (x < 17 && y < 13) ? clBlack : clWhite) << x << "," << y;
}

TEST(Primitives, PolygonFillModesDifferOnlyInsideOverlaps) {
    // A five-pointed star: its centre is outside with even-odd filling.
    std::vector<TPoint> star = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    auto b = NewBitmap(21, 20);
    TCanvas* c = b->Canvas();
    c->Pen()->SetStyle(psClear);
    c->Brush()->SetColor(clBlack);
    c->Polygon(star);
    EXPECT_EQ(c->Pixels(10, 10), clWhite);
    EXPECT_EQ(c->Pixels(10, 3), clBlack);
    SetPolyFillMode(c->Handle(), WINDING);
    c->Polygon(star);
    EXPECT_EQ(c->Pixels(10, 10), clBlack);
}

TEST(Primitives, EllipseStaysInItsBoundsAndIsSymmetric) {
    auto b = NewBitmap(12, 10);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clRed);
    c->Ellipse(1, 1, 11, 9);
    int outline = 0, inside = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) {
            TColor p = c->Pixels(x, y);
            bool inBounds = x >= 1 && x < 11 && y >= 1 && y < 9;
            if (!inBounds) {
                EXPECT_EQ(p, clWhite) << x << "," << y;
            }
            EXPECT_EQ(p, c->Pixels(11 - x, y)) << "mirror x at " << x << "," << y;
            EXPECT_EQ(p, c->Pixels(x, 9 - y)) << "mirror y at " << x << "," << y;
            outline += p == clBlack;
            inside += p == clRed;
        }
    EXPECT_EQ(c->Pixels(6, 1), clBlack); // touches the top edge
    EXPECT_EQ(c->Pixels(1, 4), clBlack); // and the left edge
    EXPECT_EQ(c->Pixels(5, 4), clRed);
    EXPECT_GT(outline, 20);
    EXPECT_GT(inside, 30);
}

TEST(Primitives, PixelsReadAndWriteExactlyAndIgnoreOutOfRange) {
    auto b = NewBitmap(3, 2);
    TCanvas* c = b->Canvas();
    c->SetPixels(1, 1, 0x123456);
    c->SetPixels(-1, 0, clBlack);
    c->SetPixels(3, 0, clBlack);
    c->SetPixels(0, 2, clBlack);
    EXPECT_EQ(c->Pixels(1, 1), 0x123456);
    EXPECT_EQ(c->Pixels(3, 0), -1); // CLR_INVALID
    EXPECT_EQ(c->Pixels(0, -1), -1);
    EXPECT_EQ(Dump(c, 3, 2), Rows({"...", ".?."}));
    c->SetPixels(0, 0, clBtnFace); // system colours resolve on writing
    EXPECT_EQ(static_cast<COLORREF>(c->Pixels(0, 0)), ColorToRGB(clBtnFace));
}

TEST(Primitives, FocusRectInvertsEverySecondFramePixelAndUndoesItself) {
    auto b = NewBitmap(6, 5);
    TCanvas* c = b->Canvas();
    c->DrawFocusRect(Rect(0, 0, 6, 5));
    EXPECT_EQ(Dump(c, 6, 5), Rows({"#.#.#.", ".....#", "#.....", ".....#", "#.#.#."}));
    c->DrawFocusRect(Rect(0, 0, 6, 5));
    EXPECT_EQ(Dump(c, 6, 5), Rows({"......", "......", "......", "......", "......"}));
}

TEST(Primitives, PatternBrushTilesFromTheBrushOrigin) {
    auto pattern = NewBitmap(2, 2);
    pattern->Canvas()->SetPixels(0, 0, clBlack);
    auto b = NewBitmap(4, 3);
    TCanvas* c = b->Canvas();
    c->Brush()->SetBitmap(pattern.get());
    c->FillRect(Rect(0, 0, 4, 3));
    EXPECT_EQ(Dump(c, 4, 3), Rows({"#.#.", "....", "#.#."}));
    SetBrushOrgEx(c->Handle(), 1, 0, nullptr);
    c->FillRect(Rect(0, 0, 4, 3));
    EXPECT_EQ(Dump(c, 4, 3), Rows({".#.#", "....", ".#.#"}));
    c->Brush()->SetBitmap(nullptr);
}

TEST(Primitives, HatchedBrushDrawsLinesOverTheBackground) {
    auto b = NewBitmap(8, 8);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clBlack);
    c->Brush()->SetStyle(bsHorizontal);
    c->FillRect(Rect(0, 0, 8, 8));
    for (int y = 0; y < 8; ++y) EXPECT_EQ(c->Pixels(5, y), y == 3 ? clBlack : clWhite) << y;
}

TEST(Primitives, CanvasReportsEveryDrawingCall) {
    auto b = NewBitmap(4, 4);
    int changes = 0, bitmapChanges = 0;
    b->Canvas()->OnChange = [&](TObject*) { ++changes; };
    b->OnChange = [&](TObject*) { ++bitmapChanges; };
    b->Canvas()->FillRect(Rect(0, 0, 2, 2));
    b->Canvas()->LineTo(3, 3);
    b->Canvas()->MoveTo(0, 0); // moving draws nothing
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(bitmapChanges, 2);
}

TEST(Primitives, CanvasWithoutDeviceContextRefusesToDraw) {
    TCanvas c;
    EXPECT_THROW(c.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
}

TEST(Primitives, BrushesOfOneColourShareAHandleThatLivesWhileAnyUsesIt) {
    TBrush a, b;
    a.SetColor(clRed);
    b.SetColor(clRed);
    ASSERT_EQ(a.Handle(), b.Handle());
    HBRUSH red = a.Handle();
    // One brush moving on, through more colours than are kept spare, leaves
    // the other's handle working.
    for (int i = 0; i < 100; ++i) {
        a.SetColor(RGB(i, 0, 0));
        a.Handle();
    }
    auto bmp = NewBitmap(2, 1);
    const TRect all = Rect(0, 0, 2, 1);
    ASSERT_TRUE(FillRect(bmp->Canvas()->Handle(), &all, red));
    EXPECT_EQ(bmp->Canvas()->Pixels(1, 0), clRed);
    // A pattern brush has a handle of its own.
    auto pattern = NewBitmap(2, 2);
    TBrush p;
    p.SetColor(clRed);
    p.SetBitmap(pattern.get());
    EXPECT_NE(p.Handle(), red);
}
