// Gradient fills by their properties, and the bitmap helpers.
#include "PaintTestSupport.h"

#include <cstdlib>

namespace {

// Start and stop share no channel value with white or the paper, so an
// unpainted pixel shows.
constexpr TColor Start = 0x1060C8, Stop = 0xC83010;

constexpr TGradientDirection AllDirections[] = {
    gdDiagonalUp,  gdDiagonalDown,   gdHorizontalEnd, gdHorizontalCenter, gdHorizontalBox,
    gdVerticalEnd, gdVerticalCenter, gdVerticalBox,   gdSquareBox,        gdBigSquareBox};

struct TSize2 {
    int W, H;
};
constexpr TSize2 Sizes[] = {{1, 1}, {2, 2},   {1, 7},  {7, 1},   {3, 7},  {5, 5},
                            {6, 9}, {10, 10}, {17, 9}, {64, 33}, {33, 64}};

class GradientTest : public PaintTest {
protected:
    // Paints a W x H gradient at (1,1) on a canvas one pixel larger on every side.
    void Gradient(TGradientDirection D, int W, int H, TColor StopColor = Stop, TColor StartColor = Start) {
        NewCanvas(W + 2, H + 2);
        GradientFillRect(Canvas(), TRect(1, 1, 1 + W, 1 + H), D, 1, StopColor, StartColor);
    }
    // The gradient's own pixel.
    COLORREF G(int X, int Y) { return At(X + 1, Y + 1); }

    static int Channel(COLORREF C, int N) { return (C >> (8 * N)) & 0xFF; }
    // Whether C lies between A and B in every channel.
    static bool Between(COLORREF C, COLORREF A, COLORREF B) {
        for (int n = 0; n < 3; ++n) {
            int c = Channel(C, n), a = Channel(A, n), b = Channel(B, n);
            if (c < std::min(a, b) || c > std::max(a, b)) return false;
        }
        return true;
    }
    // Whether C is within K steps of an N-step sweep of Target.
    static bool Near(COLORREF C, COLORREF Target, int Steps, int K = 1) {
        for (int n = 0; n < 3; ++n) {
            int limit = K * (std::abs(Channel(ColorToRGB(Start), n) - Channel(ColorToRGB(Stop), n)) /
                                 std::max(Steps, 1) +
                             1);
            if (std::abs(Channel(C, n) - Channel(Target, n)) > limit) return false;
        }
        return true;
    }
    // The channels of a run of pixels never turn back.
    template <class F> bool Monotone(int Count, F&& Pixel) {
        for (int n = 0; n < 3; ++n) {
            int dir = 0;
            for (int i = 1; i < Count; ++i) {
                int d = Channel(Pixel(i), n) - Channel(Pixel(i - 1), n);
                if (d == 0) continue;
                int s = d > 0 ? 1 : -1;
                if (dir != 0 && s != dir) return false;
                dir = s;
            }
        }
        return true;
    }
};

TEST_F(GradientTest, EveryPixelOfTheRectangleIsPaintedAndNothingElse) {
    for (TGradientDirection d : AllDirections)
        for (TSize2 s : Sizes) {
            SCOPED_TRACE(GetEnumName(GradientDirectionTypeInfo(), d) + " " + std::to_string(s.W) + "x" +
                         std::to_string(s.H));
            Gradient(d, s.W, s.H);
            for (int y = 0; y < s.H + 2; ++y)
                for (int x = 0; x < s.W + 2; ++x) {
                    bool inside = x >= 1 && x <= s.W && y >= 1 && y <= s.H;
                    COLORREF p = At(x, y);
                    if (inside)
                        ASSERT_TRUE(Between(p, ColorToRGB(Start), ColorToRGB(Stop))) << x << "," << y;
                    else
                        ASSERT_EQ(p, ColorToRGB(Paper)) << x << "," << y;
                }
        }
}

TEST_F(GradientTest, LinearGradientsRunFromStartToStop) {
    const COLORREF start = ColorToRGB(Start), stop = ColorToRGB(Stop);
    Gradient(gdHorizontalEnd, 12, 20);
    EXPECT_EQ(G(5, 19), stop);
    EXPECT_TRUE(Near(G(5, 0), start, 20));
    EXPECT_TRUE(Monotone(20, [&](int i) { return G(0, i); }));
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(G(11, y), G(0, y)) << "row " << y << " is one colour";

    Gradient(gdVerticalEnd, 20, 12);
    EXPECT_EQ(G(19, 5), stop);
    EXPECT_TRUE(Near(G(0, 5), start, 20));
    EXPECT_TRUE(Monotone(20, [&](int i) { return G(i, 0); }));
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(G(x, 11), G(x, 0)) << "column " << x << " is one colour";

    // Two rows: the bottom one is the stop colour, the top one a step on.
    Gradient(gdHorizontalEnd, 3, 2, 0x000000, 0x0000FF);
    EXPECT_EQ(G(0, 1), 0x000000u);
    EXPECT_EQ(G(0, 0), RGB(127, 0, 0));
}

TEST_F(GradientTest, CentreGradientsPutTheStopColourInTheMiddle) {
    const COLORREF start = ColorToRGB(Start), stop = ColorToRGB(Stop);
    for (int h : {9, 10, 21}) {
        SCOPED_TRACE(h);
        Gradient(gdHorizontalCenter, 4, h);
        EXPECT_EQ(G(0, h / 2), stop);
        EXPECT_EQ(G(0, h - 1), start);
        EXPECT_TRUE(Near(G(0, 0), start, h / 2));
        EXPECT_TRUE(Monotone(h / 2 + 1, [&](int i) { return G(0, i); }));
        EXPECT_TRUE(Monotone(h - h / 2, [&](int i) { return G(0, h / 2 + i); }));
        // Mirror rows differ by no more than one step of the sweep.
        for (int y = 0; y < h; ++y)
            EXPECT_TRUE(Near(G(0, y), G(0, h - 1 - y), h / 2)) << y;
    }
    Gradient(gdVerticalCenter, 15, 3);
    EXPECT_EQ(G(7, 1), stop);
    EXPECT_EQ(G(14, 1), start);
    for (int x = 0; x < 15; ++x)
        EXPECT_TRUE(Near(G(x, 0), G(14 - x, 0), 7)) << x;
}

TEST_F(GradientTest, DiagonalGradientsRunCornerToCorner) {
    const COLORREF start = ColorToRGB(Start), stop = ColorToRGB(Stop);
    // The sweep takes the diagonal's length plus one steps; the far corner
    // ends within two of them.
    const int w = 30, h = 20, steps = 37;
    Gradient(gdDiagonalUp, w, h);
    EXPECT_EQ(G(0, h - 1), start);
    EXPECT_TRUE(Near(G(w - 1, 0), stop, steps, 2));
    EXPECT_TRUE(Monotone(w, [&](int i) { return G(i, h - 1); }));
    EXPECT_TRUE(Monotone(h, [&](int i) { return G(0, h - 1 - i); }));
    EXPECT_TRUE(Monotone(h, [&](int i) { return G(i * (w - 1) / (h - 1), h - 1 - i); }));

    Gradient(gdDiagonalDown, w, h);
    EXPECT_EQ(G(w - 1, h - 1), stop);
    EXPECT_TRUE(Near(G(0, 0), start, steps, 2));
    EXPECT_TRUE(Monotone(w, [&](int i) { return G(i, 0); }));
    EXPECT_TRUE(Monotone(h, [&](int i) { return G(i * (w - 1) / (h - 1), i); }));
}

TEST_F(GradientTest, BoxGradientsPutTheStopColourInTheCentre) {
    const COLORREF start = ColorToRGB(Start), stop = ColorToRGB(Stop);
    for (TGradientDirection d : {gdHorizontalBox, gdVerticalBox, gdSquareBox, gdBigSquareBox})
        for (TSize2 s : {TSize2{9, 9}, TSize2{10, 10}, TSize2{12, 7}, TSize2{21, 14}, TSize2{30, 31}}) {
            SCOPED_TRACE(GetEnumName(GradientDirectionTypeInfo(), d) + " " + std::to_string(s.W) + "x" +
                         std::to_string(s.H));
            Gradient(d, s.W, s.H);
            EXPECT_EQ(G((s.W - 1) / 2, (s.H - 1) / 2), stop);
            const int cy = (s.H - 1) / 2, cx = (s.W - 1) / 2;
            EXPECT_TRUE(Monotone(cx + 1, [&](int i) { return G(i, cy); }));
            EXPECT_TRUE(Monotone(cy + 1, [&](int i) { return G(cx, i); }));
        }
    // The sweep from the centre ends two steps short of the start colour.
    Gradient(gdSquareBox, 64, 64);
    EXPECT_TRUE(Near(G(0, 0), start, 32, 2));
    EXPECT_TRUE(Near(G(0, 31), start, 32, 2));
}

TEST_F(GradientTest, EqualColoursGiveOneColour) {
    for (TGradientDirection d : AllDirections) {
        SCOPED_TRACE(GetEnumName(GradientDirectionTypeInfo(), d));
        Gradient(d, 13, 8, Start, Start);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 13; ++x)
                ASSERT_EQ(G(x, y), ColorToRGB(Start)) << x << "," << y;
    }
}

TEST_F(GradientTest, NearlyEqualBoxColoursStillCoverTheRectangle) {
    for (TGradientDirection d : {gdHorizontalBox, gdVerticalBox, gdSquareBox, gdBigSquareBox}) {
        SCOPED_TRACE(GetEnumName(GradientDirectionTypeInfo(), d));
        Gradient(d, 20, 20, 0x0A0A0B, 0x0A0A0A);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_TRUE(Between(G(x, y), 0x0A0A0A, 0x0A0A0B)) << x << "," << y;
    }
}

TEST_F(GradientTest, SmallBoxesAreOneStartColourFill) {
    for (TSize2 s : {TSize2{4, 20}, TSize2{20, 4}}) {
        Gradient(gdSquareBox, s.W, s.H);
        for (int y = 0; y < s.H; ++y)
            for (int x = 0; x < s.W; ++x)
                ASSERT_EQ(G(x, y), ColorToRGB(Start));
    }
}

TEST_F(GradientTest, CentreSplitOnOneOrTwoPixels) {
    for (int n : {1, 2}) {
        Gradient(gdHorizontalCenter, 3, n);
        EXPECT_EQ(G(0, n / 2), ColorToRGB(Stop));
        Gradient(gdVerticalCenter, n, 3);
        EXPECT_EQ(G(n / 2, 0), ColorToRGB(Stop));
    }
}

TEST_F(GradientTest, EmptyAndInvertedRectangles) {
    NewCanvas(6, 6);
    GradientFillRect(Canvas(), TRect(2, 2, 2, 5), gdHorizontalEnd, 1, Stop, Start);
    GradientFillRect(Canvas(), TRect(2, 2, 5, 2), gdDiagonalUp, 1, Stop, Start);
    EXPECT_EQ(Map({{Paper, '.'}}), Rows({"......", "......", "......", "......", "......", "......"}));
    // Right left of Left: |width| pixels from Left.
    GradientFillRect(Canvas(), TRect(2, 1, 0, 3), gdVerticalEnd, 1, Start, Start);
    EXPECT_EQ(Map({{Paper, '.'}, {Start, 's'}}),
              Rows({"......", "..ss..", "..ss..", "......", "......", "......"}));
}

// Colours whose red channel is a hex digit, for maps of the colour steps.
constexpr TColor Digit(int Red) { return static_cast<TColor>(0x804000 | Red); }

// The pixels as digits of their red channel ('.' paper, '?' anything else).
std::string DigitMap(TCanvas* C, int W, int H, TColor PaperColor = Paper) {
    std::string s;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const COLORREF p = static_cast<COLORREF>(C->Pixels(x, y));
            s += p == ColorToRGB(PaperColor)      ? '.'
                 : (p & 0xFFFFF0) == 0x804000 ? "0123456789ABCDEF"[p & 0xF]
                                                  : '?';
        }
        s += '\n';
    }
    return s;
}

// Each direction by its rule, with the colour steps few enough to read:
// bands of equal colour, the split of the centre gradients, the two passes
// of the diagonals, and the box quadrant completed by its two stretching
// mirror copies (bottom rows from W div 2 columns stretched to W div 2 + 1;
// right side from W div 2 - k columns, k = 1 when W div 2 is odd).
TEST_F(GradientTest, EachDirectionPaintsItsRule) {
    struct TCase {
        TGradientDirection Direction;
        int W, H, Stop, Start;
        std::vector<const char*> Rows;
    };
    const TCase cases[] = {
        {gdHorizontalEnd, 3, 5, 9, 0, {"111", "333", "555", "777", "999"}},
        {gdHorizontalCenter, 2, 7, 9, 0, {"22", "44", "66", "99", "66", "33", "00"}},
        {gdVerticalEnd, 7, 2, 2, 0, {"0001112", "0001112"}}, // bands of several columns
        {gdVerticalCenter, 9, 1, 8, 0, {"134686420"}},
        {gdDiagonalUp, 7, 5, 9, 0, {"3566778", "2355667", "2235556", "1223355", "0122335"}},
        {gdDiagonalDown, 7, 5, 9, 0, {"2233446", "2344467", "3446678", "4467789", "4677899"}},
        // W div 2 = 4: the bottom rows repeat column 2 and lose the centre column.
        {gdSquareBox, 9, 7, 6, 0,
         {"222222222", "234444432", "234666432", "234666432", "234464432", "234444432", "222222222"}},
        // W div 2 = 5, odd: 4 columns mirrored onto 6, over the centre column too.
        {gdSquareBox, 10, 7, 6, 0,
         {"2222222222", "2344444332", "2346664332", "2346664332", "2344444332", "2344444332", "2222222222"}},
        {gdSquareBox, 14, 9, 9, 2,
         {"44444444444444", "45666666666554", "45678888876554", "45678998876554", "45678998876554",
          "45677887776554", "45677887776554", "45666666666554", "44444444444444"}},
        {gdHorizontalBox, 12, 7, 6, 0,
         {"333333333333", "344444444443", "366666666663", "366666666663", "366666666663", "344444444443",
          "333333333333"}},
        {gdVerticalBox, 9, 9, 6, 0,
         {"233333332", "234666432", "234666432", "234666432", "234666432", "234464432", "234464432",
          "234464432", "233333332"}},
        {gdBigSquareBox, 11, 9, 6, 0,
         {"33333333333", "34666666443", "34666666443", "34666666443", "34666666443", "34666666443",
          "34666666443", "34666666443", "33333333333"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(GetEnumName(GradientDirectionTypeInfo(), c.Direction) + " " + std::to_string(c.W) + "x" +
                     std::to_string(c.H));
        NewCanvas(c.W, c.H);
        GradientFillRect(Canvas(), TRect(0, 0, c.W, c.H), c.Direction, 1, Digit(c.Stop), Digit(c.Start));
        EXPECT_EQ(DigitMap(Canvas(), c.W, c.H), Rows(c.Rows));
    }
}

// The gradient goes on as a bitmap drawn on the canvas would: moved by the
// viewport origin, through the clip region and with the copy mode (here
// an XOR with a paper of red 15, which turns digit d into 15 - d).
TEST_F(GradientTest, TheCanvasOriginClipAndCopyModeApply) {
    NewCanvas(8, 7, 0x00000F);
    HDC dc = Canvas()->Handle();
    SetViewportOrgEx(dc, 2, 3, nullptr);
    IntersectClipRect(dc, 0, 1, 5, 3);
    ExcludeClipRect(dc, 1, 1, 3, 2);
    Canvas()->SetCopyMode(cmSrcInvert);
    GradientFillRect(Canvas(), TRect(0, 0, 5, 3), gdVerticalEnd, 1, Digit(9), Digit(0)); // 1 3 5 7 9
    SelectClipRgn(dc, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    EXPECT_EQ(DigitMap(Canvas(), 8, 7, 0x00000F),
              Rows({"........", "........", "........", "........", "..E..86.", "..ECA86.", "........"}));
}

// A gradient is one drawing call for the canvas's listeners (a printer's
// page that holds only a gradient is not blank); an empty one is none.
TEST_F(GradientTest, AGradientTellsTheCanvasOnce) {
    NewCanvas(12, 9);
    int changing = 0, changed = 0;
    Canvas()->OnChanging = [&](TObject*) { ++changing; };
    Canvas()->OnChange = [&](TObject*) { ++changed; };
    for (TGradientDirection d : AllDirections) {
        SCOPED_TRACE(GetEnumName(GradientDirectionTypeInfo(), d));
        changing = changed = 0;
        GradientFillRect(Canvas(), TRect(0, 0, 12, 9), d, 1, Stop, Start);
        EXPECT_EQ(changing, 1);
        EXPECT_EQ(changed, 1);
        GradientFillRect(Canvas(), TRect(0, 0, 12, 9), d, 1, Start, Start);
        GradientFillRect(Canvas(), TRect(3, 3, 3, 9), d, 1, Stop, Start);
        EXPECT_EQ(changed, 2);
    }
}

TEST_F(GradientTest, TransparentBlitAndVerticalFlip) {
    TBitmap* source = new TBitmap(2, 2);
    source->Canvas()->SetPixels(0, 0, clRed);
    source->Canvas()->SetPixels(1, 0, clLime);
    source->Canvas()->SetPixels(0, 1, clLime);
    source->Canvas()->SetPixels(1, 1, clBlue);
    NewCanvas(4, 4);
    PaintBitmapTransparent(Canvas(), source, TRect(0, 0, 4, 4), clLime, TRect(0, 0, 2, 2));
    const TLegend legend = {{Paper, '.'}, {clRed, 'r'}, {clBlue, 'b'}, {clLime, 'g'}};
    EXPECT_EQ(Map(legend), Rows({"rr..", "rr..", "..bb", "..bb"}));

    FlipBitmapVertically(source);
    EXPECT_EQ(PixelMap(source->Canvas(), 2, 2, legend), Rows({"gb", "rg"}));
    TBitmap* line = new TBitmap(3, 1);
    line->Canvas()->SetPixels(1, 0, clRed);
    FlipBitmapVertically(line);
    EXPECT_EQ(static_cast<COLORREF>(line->Canvas()->Pixels(1, 0)), ColorToRGB(clRed));
    line->Free();
    source->Free();
}

} // namespace

namespace {

// A parent that paints a red square over its blue background.
class TPaintedParent : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(TRect(8, 8, 12, 12));
    }
};

// A plain windowed parent that counts its invalidations.
class TCountingParent : public TWinControl {
public:
    using TWinControl::TWinControl;
    void Invalidate() override {
        ++Invalidated;
        TWinControl::Invalidate();
    }
    int Invalidated = 0;
};

// A parent whose painting fails.
class TFailingParent : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override { throw Exception("paint failed"); }
};

TEST_F(GradientTest, AParentThatFailsToPaintLeavesTheCanvasStateAsItWas) {
    auto* parent = new TFailingParent(nullptr);
    parent->SetBounds(0, 0, 20, 20);
    auto* child = new TGraphicControl(nullptr);
    child->SetBounds(5, 5, 6, 6);
    child->SetParent(parent);
    NewCanvas(6, 6);
    const Integer level = SaveDC(Canvas()->Handle());
    EXPECT_THROW(CopyParentBackgroundToCanvas(child, Canvas(), false), Exception);
    TPoint origin;
    GetViewportOrgEx(Canvas()->Handle(), &origin);
    EXPECT_EQ(origin, TPoint(0, 0));
    EXPECT_EQ(Canvas()->ClipRect(), TRect(0, 0, 6, 6));
    // The level saved before the call is the one that remains.
    EXPECT_EQ(SaveDC(Canvas()->Handle()), level + 1);
    parent->Free();
}

TEST_F(GradientTest, ParentBackgroundIsCopiedAtTheControlsPlace) {
    auto* parent = new TPaintedParent(nullptr);
    parent->SetBounds(0, 0, 20, 20);
    parent->SetColor(clBlue);
    auto* child = new TGraphicControl(nullptr);
    child->SetBounds(5, 5, 6, 6);
    child->SetParent(parent);
    NewCanvas(6, 6);
    CopyParentBackgroundToCanvas(child, Canvas(), true);
    EXPECT_EQ(Map({{clBlue, 'b'}, {clRed, 'r'}}),
              Rows({"bbbbbb", "bbbbbb", "bbbbbb", "bbbrrr", "bbbrrr", "bbbrrr"}));
    // The canvas's own origin and clip are as they were.
    TPoint origin;
    GetViewportOrgEx(Canvas()->Handle(), &origin);
    EXPECT_EQ(origin, TPoint(0, 0));
    EXPECT_EQ(Canvas()->ClipRect(), TRect(0, 0, 6, 6));
    parent->Free();

    // Without a parent nothing is drawn; a plain parent is repainted on request.
    auto* orphan = new TGraphicControl(nullptr);
    NewCanvas(2, 2);
    CopyParentBackgroundToCanvas(orphan, Canvas(), true);
    EXPECT_EQ(At(0, 0), static_cast<COLORREF>(Paper));
    auto* plain = new TCountingParent(nullptr);
    orphan->SetParent(plain);
    CopyParentBackgroundToCanvas(orphan, Canvas(), false);
    EXPECT_EQ(plain->Invalidated, 0);
    CopyParentBackgroundToCanvas(orphan, Canvas(), true);
    EXPECT_EQ(plain->Invalidated, 1);
    plain->Free();
}

} // namespace

