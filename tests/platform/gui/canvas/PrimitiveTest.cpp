// Lines, rectangles, polygons, ellipses and pixels by the GDI rules.
#include "PixelTestSupport.h"

TEST(Primitives, FillRectIsHalfOpenAndIgnoresInvertedRectangles) {
    auto b = NewBitmap(6, 5);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clBlack);
    c->FillRect(Rect(1, 1, 4, 3));
    c->FillRect(Rect(5, 4, 4, 3)); // inverted: nothing
    EXPECT_EQ(Dump(c, 6, 5), Rows({"......", ".###..", ".###..", "......", "......"}));
}
