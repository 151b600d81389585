// Progress bar bodies: traditional, LED segments and gradient.
#include "PaintTestSupport.h"

namespace {

constexpr TColor Back = 0x00C000, Bar = 0xC00000;

class BarPainterTest : public PaintTest {
protected:
    TCanvas* BarCanvas(int W, int H) {
        TCanvas* c = NewCanvas(W, H);
        // Every character is a solid 4 x 6 block in an 8-pixel cell.
        c->Font()->SetName(TestBlockFontName);
        c->Font()->SetHeight(-8);
        return c;
    }
    std::string Row(int Y, int W) {
        std::string s = Map({{Paper, '.'}, {Back, 'k'}, {Bar, 'B'}});
        return s.substr(static_cast<size_t>(Y) * (W + 1), W);
    }
};

TEST_F(BarPainterTest, TraditionalTextReadsInTheOtherColourOnEachPart) {
    TCanvas* c = BarCanvas(40, 12);
    PaintBarTraditional(c, TRect(0, 0, 40, 12), orHorizontal, 0, 0, false, false, true, 50, Back, Bar);
    // "50%" is 12 pixels wide, centred on x = 20, rows 2..7.
    EXPECT_EQ(Row(0, 40), "BBBBBBBBBBBBBBBBBBBBkkkkkkkkkkkkkkkkkkkk");
    EXPECT_EQ(Row(4, 40), "BBBBBBBBBBBBBBkkkkkkBBBBBBkkkkkkkkkkkkkk");
    EXPECT_EQ(Row(9, 40), "BBBBBBBBBBBBBBBBBBBBkkkkkkkkkkkkkkkkkkkk");
}

TEST_F(BarPainterTest, TraditionalTextIsCentredOnHalfTheRightEdge) {
    TCanvas* c = BarCanvas(50, 12);
    PaintBarTraditional(c, TRect(10, 0, 50, 12), orHorizontal, 4, 1, true, false, true, 0, Back, Bar);
    // "1 / 4" is 20 pixels wide (the blanks draw nothing), centred on x = 25.
    EXPECT_EQ(Row(4, 50), "..........kkkkkBBBBkkkkBBBBkkkkBBBBkkkkkkkkkkkkkkk");
}

TEST_F(BarPainterTest, TraditionalVerticalFillsFromTheBottom) {
    TCanvas* c = BarCanvas(4, 10);
    PaintBarTraditional(c, TRect(0, 0, 4, 10), orVertical, 0, 0, false, false, false, 25, Back, Bar);
    // 25 % of 10 rows rounds half to even: 2 rows.
    EXPECT_EQ(Map({{Back, 'k'}, {Bar, 'B'}}),
              Rows({"kkkk", "kkkk", "kkkk", "kkkk", "kkkk", "kkkk", "kkkk", "kkkk", "BBBB", "BBBB"}));
}

TEST_F(BarPainterTest, LedSegmentsAreOutlinedInTheBackColour) {
    TCanvas* c = NewCanvas(30, 6);
    PaintBarLED(c, TRect(0, 0, 30, 6), orHorizontal, false, false, 50, 6, Back, Bar);
    EXPECT_EQ(Map({{Back, 'k'}, {Bar, 'B'}}),
              Rows({"kkkkkkkkkkkkkkkkkkkkkkkkkkkkkk", "kBBBkkBBBkkBBBkkkkkkkkkkkkkkkk",
                    "kBBBkkBBBkkBBBkkkkkkkkkkkkkkkk", "kBBBkkBBBkkBBBkkkkkkkkkkkkkkkk",
                    "kBBBkkBBBkkBBBkkkkkkkkkkkkkkkk", "kkkkkkkkkkkkkkkkkkkkkkkkkkkkkk"}));
}

TEST_F(BarPainterTest, LedVerticalLightsFromTheBottomAndCentresTheSegments) {
    // 23 rows: 4 segments of 5 rows and a margin of 1 at both ends.
    TCanvas* c = NewCanvas(5, 23);
    PaintBarLED(c, TRect(0, 0, 5, 23), orVertical, false, false, 25, 4, Back, Bar);
    std::string m = Map({{Paper, '.'}, {Back, 'k'}, {Bar, 'B'}});
    EXPECT_EQ(m.substr(16 * 6), Rows({"kkkkk", "kBBBk", "kBBBk", "kBBBk", "kkkkk", "kkkkk", "kkkkk"}));
    std::string top;
    for (int y = 0; y < 16; ++y)
        top += "kkkkk\n";
    EXPECT_EQ(m.substr(0, 16 * 6), top);
}

TEST_F(BarPainterTest, LedNeverPaintsOutsideTheBar) {
    for (Word percent : {Word(100), Word(150), Word(65535)}) {
        TCanvas* c = NewCanvas(34, 8);
        PaintBarLED(c, TRect(2, 1, 32, 7), orHorizontal, false, false, percent, 6, Back, Bar);
        std::string m = Map({{Paper, '.'}, {Back, 'k'}, {Bar, 'B'}});
        EXPECT_EQ(m.substr(0, 35), std::string(34, '.') + "\n") << percent;
        EXPECT_EQ(m.substr(7 * 35), std::string(34, '.') + "\n") << percent;
        for (int y = 1; y < 7; ++y) {
            EXPECT_EQ(m[y * 35 + 0], '.');
            EXPECT_EQ(m[y * 35 + 1], '.');
            EXPECT_EQ(m[y * 35 + 32], '.');
            EXPECT_EQ(m[y * 35 + 33], '.');
        }
        EXPECT_EQ(m.substr(3 * 35, 34), "..kBBBkkBBBkkBBBkkBBBkkBBBkkBBBk..") << percent;
    }
}

TEST_F(BarPainterTest, LedWithoutSegmentsOrWithoutBackground) {
    TCanvas* c = NewCanvas(12, 4);
    PaintBarLED(c, TRect(0, 0, 12, 4), orHorizontal, false, false, 100, 0, Back, Bar);
    EXPECT_EQ(Map({{Back, 'k'}, {Bar, 'B'}}),
              Rows({"kkkkkkkkkkkk", "kBBBBBBBBBBk", "kBBBBBBBBBBk", "kkkkkkkkkkkk"}));

    // Without a background only the lit segments are drawn, moved in on
    // their left and top, without outline.
    c = NewCanvas(12, 4);
    PaintBarLED(c, TRect(0, 0, 12, 4), orHorizontal, true, false, 50, 2, Back, Bar);
    EXPECT_EQ(Map({{Paper, '.'}, {Bar, 'B'}}),
              Rows({"............", ".BBBB.......", ".BBBB.......", "............"}));
    EXPECT_EQ(c->Pen()->Style(), psSolid);
}

TEST_F(BarPainterTest, GradientBarFillsBothPartsWithTheirGradients) {
    TCanvas* c = BarCanvas(40, 12);
    PaintBarGradient(c, TRect(0, 0, 40, 12), orHorizontal, 0, 0, false, false, true, 50, gdVerticalEnd, Back,
                     Back, Bar, Bar);
    EXPECT_EQ(Row(0, 40), "BBBBBBBBBBBBBBBBBBBBkkkkkkkkkkkkkkkkkkkk");
    EXPECT_EQ(Row(4, 40), "BBBBBBBBBBBBBBkkkkkkBBBBBBkkkkkkkkkkkkkk");
    EXPECT_EQ(c->Brush()->Style(), bsSolid);

    // Without a background the rest keeps what was there; the text is drawn.
    c = BarCanvas(40, 12);
    PaintBarGradient(c, TRect(0, 0, 40, 12), orHorizontal, 0, 0, false, true, true, 50, gdVerticalEnd, Back,
                     Back, Bar, Bar);
    EXPECT_EQ(Row(0, 40), "BBBBBBBBBBBBBBBBBBBB....................");
    EXPECT_EQ(Row(4, 40), "BBBBBBBBBBBBBBkkkkkkBBBBBB..............");
}

} // namespace
