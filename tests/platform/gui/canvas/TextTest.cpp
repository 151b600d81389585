// Text placement, measurement and DrawText layout with the fixed-metrics
// test font (cell 8 high, ascent 6, every character 4 wide), and the real
// faces behind the names the system uses.
#include "PixelTestSupport.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRegion>

namespace {

void UseBlockFont(TCanvas* C) {
    C->Font()->SetName(TestBlockFontName);
    C->Font()->SetHeight(-8);
    C->Font()->SetColor(clBlack);
}

// The bounding box of the black pixels.
TRect InkBox(TCanvas* C, int W, int H) {
    TRect box(W, H, -1, -1);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (C->Pixels(x, y) == clBlack) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box.Right < 0 ? TRect() : box;
}

struct TTextFixture : ::testing::Test {
    TBitmapPtr Bmp = NewBitmap(64, 40);
    TCanvas* C = Bmp->Canvas();
    void SetUp() override {
        UseBlockFont(C);
        C->Brush()->SetStyle(bsClear);
    }
    Integer Draw(const String& Text, TRect R, UINT Format) { return DrawText(C->Handle(), Text, &R, Format); }
    TRect Calc(const String& Text, TRect R, UINT Format) {
        DrawText(C->Handle(), Text, &R, Format | DT_CALCRECT);
        return R;
    }
};

} // namespace

TEST_F(TTextFixture, ExtentsAndMetricsOfTheTestFont) {
    EXPECT_EQ(C->TextExtent("abc"), TSize(12, 8));
    EXPECT_EQ(C->TextWidth(""), 0);
    TTextMetric tm;
    ASSERT_TRUE(GetTextMetrics(C->Handle(), &tm));
    EXPECT_EQ(tm.tmHeight, 8);
    EXPECT_EQ(tm.tmAscent, 6);
    EXPECT_EQ(tm.tmAveCharWidth, 4);
    C->Font()->SetHeight(8); // a cell height gives the same cell for this face
    EXPECT_EQ(C->TextHeight("x"), 8);
}

TEST_F(TTextFixture, TextOutPlacesTheCellByTheTextAlignment) {
    C->TextOut(10, 10, "ab");
    EXPECT_EQ(InkBox(C, 64, 40), Rect(10, 10, 18, 16)); // blocks down to the baseline
    EXPECT_EQ(C->PenPos(), Point(18, 10));
    Bmp = NewBitmap(64, 40);
    C = Bmp->Canvas();
    SetUp();
    SetTextAlign(C->Handle(), TA_CENTER | TA_BASELINE);
    C->TextOut(20, 20, "abc");
    EXPECT_EQ(InkBox(C, 64, 40), Rect(14, 14, 26, 20));
    Bmp = NewBitmap(64, 40);
    C = Bmp->Canvas();
    SetUp();
    SetTextAlign(C->Handle(), TA_RIGHT | TA_BOTTOM);
    C->TextOut(20, 20, "a b");
    EXPECT_EQ(InkBox(C, 64, 40), Rect(8, 12, 20, 18));
    EXPECT_EQ(C->Pixels(13, 14), clWhite); // the space draws nothing
}

TEST_F(TTextFixture, OpaqueTextFillsItsCellsWithTheBrush) {
    C->Brush()->SetColor(clRed); // solid again
    C->TextOut(2, 2, "a");
    EXPECT_EQ(C->Pixels(2, 2), clBlack);
    EXPECT_EQ(C->Pixels(2, 9), clRed); // below the baseline, inside the cell
    EXPECT_EQ(C->Pixels(6, 2), clWhite);
}

TEST_F(TTextFixture, TextRectClipsAndFillsWhenTheBrushIsSolid) {
    C->Brush()->SetColor(clRed);
    C->TextRect(Rect(4, 4, 10, 20), 2, 6, "abc");
    EXPECT_EQ(C->Pixels(3, 6), clWhite); // left of the rectangle: clipped
    EXPECT_EQ(C->Pixels(4, 6), clBlack);
    EXPECT_EQ(C->Pixels(10, 6), clWhite);
    EXPECT_EQ(C->Pixels(9, 19), clRed); // the whole rectangle is filled
    C->Brush()->SetStyle(bsClear);
    C->TextRect(Rect(30, 4, 34, 20), 30, 4, "abc");
    EXPECT_EQ(C->Pixels(30, 15), clWhite);
    EXPECT_EQ(InkBox(C, 64, 40).Right, 34);
}

TEST_F(TTextFixture, CalcRectMeasuresLinesAndKeepsTheTopLeft) {
    EXPECT_EQ(Calc("abc", Rect(5, 5, 100, 100), DT_SINGLELINE), Rect(5, 5, 17, 13));
    EXPECT_EQ(Calc("abc\r\nabcde\nx", Rect(0, 0, 100, 100), 0), Rect(0, 0, 20, 24));
    EXPECT_EQ(Calc("abc\r\nabcde", Rect(0, 0, 100, 100), DT_SINGLELINE), Rect(0, 0, 32, 8));
    EXPECT_EQ(Calc("abc", Rect(0, 0, 100, 100), DT_CENTER | DT_VCENTER | DT_SINGLELINE), Rect(0, 0, 12, 8));
    EXPECT_EQ(Calc("", Rect(3, 3, 50, 50), 0), Rect(3, 3, 3, 3));
    EXPECT_EQ(Calc("", Rect(3, 3, 50, 50), DT_SINGLELINE), Rect(3, 3, 3, 11));
    TRect r(0, 0, 100, 100);
    EXPECT_EQ(DrawText(C->Handle(), "a\nb", &r, DT_CALCRECT), 16); // answers the height
}

TEST_F(TTextFixture, WordBreakFitsWordsAndLeavesLongWordsWhole) {
    // 5 characters (20 pixels) fit a line.
    EXPECT_EQ(Calc("aa bb cc", Rect(0, 0, 20, 100), DT_WORDBREAK), Rect(0, 0, 20, 16));
    EXPECT_EQ(Calc("aa bbb cc", Rect(0, 0, 20, 100), DT_WORDBREAK), Rect(0, 0, 12, 24));
    EXPECT_EQ(Calc("abcdefgh x", Rect(0, 0, 20, 100), DT_WORDBREAK), Rect(0, 0, 32, 16));
    EXPECT_EQ(Calc("aa bb\ncc", Rect(0, 0, 100, 100), DT_WORDBREAK), Rect(0, 0, 20, 16));
    Draw("aa bb cc", Rect(0, 0, 20, 40), DT_WORDBREAK | DT_RIGHT);
    EXPECT_EQ(C->Pixels(8, 8), clWhite); // the second line "cc" stands at the right
    EXPECT_EQ(C->Pixels(12, 8), clBlack);
    EXPECT_EQ(InkBox(C, 64, 40), Rect(0, 0, 20, 14));
}

TEST_F(TTextFixture, AlignmentAndVerticalCentreOfASingleLine) {
    Integer h = Draw("ab", Rect(10, 0, 30, 20), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(InkBox(C, 64, 40), Rect(16, 6, 24, 12));
    EXPECT_EQ(h, 14); // from the rectangle's top to the bottom of the text
    Bmp = NewBitmap(64, 40);
    C = Bmp->Canvas();
    SetUp();
    EXPECT_EQ(Draw("ab", Rect(10, 0, 30, 20), DT_RIGHT | DT_BOTTOM | DT_SINGLELINE), 20);
    EXPECT_EQ(InkBox(C, 64, 40), Rect(22, 12, 30, 18));
    Bmp = NewBitmap(64, 40);
    C = Bmp->Canvas();
    SetUp();
    EXPECT_EQ(Draw("ab", Rect(10, 0, 30, 20), DT_VCENTER), 8); // only for single lines
    EXPECT_EQ(InkBox(C, 64, 40), Rect(10, 0, 18, 6));
}

TEST_F(TTextFixture, DrawTextClipsToItsRectangleUnlessTold) {
    Draw("abcdef", Rect(0, 0, 10, 8), DT_SINGLELINE);
    EXPECT_EQ(InkBox(C, 64, 40), Rect(0, 0, 10, 6));
    Draw("abcdef", Rect(0, 10, 10, 18), DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(InkBox(C, 64, 40), Rect(0, 0, 24, 16));
}

TEST_F(TTextFixture, TabsExpandToEightAverageCharacterWidths) {
    EXPECT_EQ(Calc("a\tb", Rect(0, 0, 200, 50), DT_EXPANDTABS), Rect(0, 0, 36, 8));
    EXPECT_EQ(Calc("abcdefgh\tb", Rect(0, 0, 200, 50), DT_EXPANDTABS), Rect(0, 0, 68, 8));
    Draw("a\tb", Rect(0, 0, 64, 20), DT_EXPANDTABS);
    EXPECT_EQ(C->Pixels(4, 0), clWhite);
    EXPECT_EQ(C->Pixels(32, 0), clBlack);
    EXPECT_EQ(C->Pixels(36, 0), clWhite);
}

TEST_F(TTextFixture, AmpersandsMarkUnderlinedAccelerators) {
    EXPECT_EQ(Calc("&File", Rect(0, 0, 100, 50), 0).Right, 16);
    EXPECT_EQ(Calc("Save && Exit", Rect(0, 0, 100, 50), 0).Right, 44);
    EXPECT_EQ(Calc("&File", Rect(0, 0, 100, 50), DT_NOPREFIX).Right, 20);
    Draw("a&bc", Rect(0, 0, 60, 20), 0);
    const int underline = 7; // the row below the baseline gap
    EXPECT_EQ(C->Pixels(3, underline), clWhite);
    EXPECT_EQ(C->Pixels(4, underline), clBlack);
    EXPECT_EQ(C->Pixels(7, underline), clBlack);
    EXPECT_EQ(C->Pixels(8, underline), clWhite);
    Bmp = NewBitmap(64, 40);
    C = Bmp->Canvas();
    SetUp();
    Draw("a&bc", Rect(0, 0, 60, 20), DT_HIDEPREFIX);
    EXPECT_EQ(InkBox(C, 64, 40), Rect(0, 0, 12, 6));
}

TEST_F(TTextFixture, EllipsesShortenLinesThatDoNotFit) {
    // 10 characters fit 40 pixels.
    EXPECT_EQ(Calc("abcdefghijklmnop", Rect(0, 0, 40, 20), DT_SINGLELINE | DT_END_ELLIPSIS).Right, 40);
    EXPECT_EQ(Calc("abcdefghij", Rect(0, 0, 40, 20), DT_SINGLELINE | DT_END_ELLIPSIS).Right, 40);
    EXPECT_EQ(Calc("abcdefghijk", Rect(0, 0, 41, 20), DT_SINGLELINE | DT_END_ELLIPSIS).Right, 40);
    // A path keeps its last part: "C:\...\file.txt" is 15 characters.
    EXPECT_EQ(Calc("C:\\long\\folder\\file.txt", Rect(0, 0, 60, 20), DT_SINGLELINE | DT_PATH_ELLIPSIS).Right, 60);
    EXPECT_EQ(Calc("C:\\long\\folder\\file.txt", Rect(0, 0, 64, 20), DT_SINGLELINE | DT_PATH_ELLIPSIS).Right, 64);
    Draw("abcdefghijklmnop", Rect(0, 0, 40, 8), DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(InkBox(C, 64, 40), Rect(0, 0, 40, 6)); // seven letters and three dots
}

TEST_F(TTextFixture, RotatedTextTurnsAboutItsReferencePoint) {
    LOGFONT lf{};
    GetObject(AsGdiObj(C->Font()->Handle()), sizeof(lf), &lf);
    lf.lfEscapement = lf.lfOrientation = 900;
    C->Font()->SetHandle(CreateFontIndirect(&lf));
    EXPECT_EQ(C->TextExtent("abc"), TSize(12, 8)); // extents stay unturned
    C->TextOut(10, 30, "abc");
    // Reading upwards: the 12 x 6 block run now covers 6 columns and 12 rows above the point.
    EXPECT_EQ(InkBox(C, 64, 40), Rect(10, 18, 16, 30));
    C->Font()->SetName("Arial"); // a new description drops the turn
    EXPECT_EQ(C->TextExtent("abc").cy < 20, true);
}

TEST_F(TTextFixture, RealFacesMapThroughTheNameTable) {
    EXPECT_TRUE(IsTrueTypeFace("Arial"));
    EXPECT_TRUE(IsTrueTypeFace("verdana"));
    EXPECT_FALSE(IsTrueTypeFace("MS Sans Serif"));
    EXPECT_FALSE(IsTrueTypeFace("Courier"));
    EXPECT_TRUE(IsTrueTypeFace("Some Unknown Face"));
    C->Font()->SetName("MS Sans Serif");
    C->Font()->SetSize(8);
    EXPECT_EQ(C->Font()->Height(), -11);
    TTextMetric tm;
    GetTextMetrics(C->Handle(), &tm);
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_TRUETYPE, 0);
    EXPECT_GE(tm.tmHeight, 11);
    EXPECT_LE(tm.tmHeight, 15);
    C->Font()->SetName("Courier New");
    GetTextMetrics(C->Handle(), &tm);
    EXPECT_NE(tm.tmPitchAndFamily & TMPF_TRUETYPE, 0);
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0); // a fixed-pitch face
    EXPECT_EQ(C->TextWidth("iiii"), C->TextWidth("WWWW"));
    C->Font()->SetName("Arial");
    EXPECT_LT(C->TextWidth("iiii"), C->TextWidth("WWWW"));
    EXPECT_EQ(C->TextWidth("ab") + C->TextWidth("cd"), C->TextWidth("abcd")); // no kerning
    C->TextOut(0, 0, "Hello");
    EXPECT_FALSE(InkBox(C, 64, 40).IsEmpty());
    // Glyphs are not smoothed: every pixel is the text colour or untouched.
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 64; ++x) ASSERT_TRUE(C->Pixels(x, y) == clBlack || C->Pixels(x, y) == clWhite);
}

TEST_F(TTextFixture, RightToLeftReadingMovesNeutralCharacters) {
    C->Font()->SetName("Arial");
    C->Font()->SetHeight(-16);
    Draw("ab!", Rect(0, 0, 64, 20), DT_SINGLELINE);
    auto rtl = NewBitmap(64, 40);
    TCanvas* r = rtl->Canvas();
    r->Font()->Assign(C->Font());
    r->Brush()->SetStyle(bsClear);
    TRect rect(0, 0, 64, 20);
    DrawText(r->Handle(), "ab!", &rect, DT_SINGLELINE | DT_RTLREADING);
    // The same run, but the mark stands before the letters.
    EXPECT_EQ(InkBox(r, 64, 40).Width(), InkBox(C, 64, 40).Width());
    EXPECT_NE(Dump(r, 64, 20), Dump(C, 64, 20));
}

TEST_F(TTextFixture, SymbolFaceDrawsTheCloseCross) {
    C->Font()->SetName("Marlett");
    C->Font()->SetHeight(-11);
    Draw("r", Rect(0, 0, 11, 11), DT_SINGLELINE);
    TRect ink = InkBox(C, 64, 40);
    EXPECT_EQ(ink, Rect(1, 2, 9, 9));
    EXPECT_EQ(C->Pixels(1, 2), clBlack);  // a corner of the cross
    EXPECT_EQ(C->Pixels(5, 2), clWhite);  // open between the arms
    EXPECT_EQ(C->Pixels(4, 5), clBlack);  // the centre
}

TEST(Fonts, DescriptionChangesNotifyAndSizeFollowsHeight) {
    TFont f;
    int changes = 0;
    f.OnChange = [&](TObject*) { ++changes; };
    EXPECT_EQ(f.Name(), "MS Sans Serif");
    EXPECT_EQ(f.Size(), 8);
    f.SetSize(10);
    EXPECT_EQ(f.Height(), -13);
    f.SetHeight(-13); // unchanged: no notice
    f.SetStyle(TFontStyles{fsBold, fsUnderline});
    f.SetColor(clRed);
    EXPECT_EQ(changes, 3);
    LOGFONT lf{};
    GetObject(AsGdiObj(f.Handle()), sizeof(lf), &lf);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfUnderline, 1);
    EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
    TFont g;
    g.Assign(&f);
    EXPECT_EQ(g.Height(), -13);
    EXPECT_EQ(g.Color(), clRed);
    EXPECT_TRUE(g.Style().Contains(fsBold));
}

// Text in a real face is drawn from glyph pixels rendered once per run;
// they must be the toolkit's own pixels wherever the run lands and however
// it is clipped, in both reading directions and with underlined or bold
// faces.
TEST(Fonts, RenderedRunsGiveTheToolkitsPixels) {
    struct TCase {
        const char* Face;
        int Height;
        TFontStyles Style;
        const char* Text;
        bool RightToLeft;
    };
    const TCase cases[] = {{"Arial", -11, {}, "Program flash 0x9D000000", false},
                           {"Tahoma", -13, {fsBold, fsUnderline}, "Verify (g)j", false},
                           {"Courier New", -12, {fsItalic}, "f(x) = [y]", false},
                           {"Arial", -11, {}, "(1) abc", true}};
    for (const TCase& c : cases)
        for (TPoint at : {TPoint(0, 0), TPoint(7, 5), TPoint(-3, 9)}) {
            SCOPED_TRACE(std::string(c.Text) + " at " + std::to_string(at.X) + "," + std::to_string(at.Y));
            auto ours = NewBitmap(160, 30);
            TCanvas* oc = ours->Canvas();
            oc->Font()->SetName(c.Face);
            oc->Font()->SetHeight(c.Height);
            oc->Font()->SetStyle(c.Style);
            oc->Brush()->SetStyle(bsClear);
            // Clipped twice to a band with a hole; once more for the second pass.
            HDC dc = oc->Handle();
            IntersectClipRect(dc, 2, 0, 150, 30);
            ExcludeClipRect(dc, 20, 6, 26, 9);
            const TRect limit = Rect(0, 2, 140, 28);
            ExtTextOut(dc, at.X, at.Y, ETO_CLIPPED | (c.RightToLeft ? ETO_RTLREADING : 0), &limit, c.Text);
            ExtTextOut(dc, at.X + 1, at.Y + 12, c.RightToLeft ? ETO_RTLREADING : 0, nullptr, c.Text);

            QImage image(160, 30, QImage::Format_RGB32);
            image.fill(Qt::white);
            {
                QFont font(QString::fromLatin1(c.Face == std::string("Courier New") ? "Liberation Mono"
                                                                                      : "Liberation Sans"));
                font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
                font.setHintingPreference(QFont::PreferFullHinting);
                font.setKerning(false);
                font.setWeight(c.Style.Contains(fsBold) ? QFont::Bold : QFont::Normal);
                font.setItalic(c.Style.Contains(fsItalic));
                font.setUnderline(c.Style.Contains(fsUnderline));
                font.setPixelSize(-c.Height);
                QPainter p(&image);
                p.setRenderHint(QPainter::TextAntialiasing, false);
                p.setPen(Qt::black);
                p.setFont(font);
                p.setLayoutDirection(c.RightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
                QRegion clip = QRegion(2, 0, 148, 30).subtracted(QRegion(20, 6, 6, 3));
                p.setClipRegion(clip.intersected(QRect(0, 2, 140, 26)));
                p.drawText(QPointF(at.X, at.Y + QFontMetrics(font).ascent()), QString::fromLatin1(c.Text));
                p.setClipRegion(clip);
                p.drawText(QPointF(at.X + 1, at.Y + 12 + QFontMetrics(font).ascent()), QString::fromLatin1(c.Text));
            }
            std::string ourMap, qtMap;
            for (int y = 0; y < 30; ++y) {
                for (int x = 0; x < 160; ++x) {
                    ourMap += oc->Pixels(x, y) == clBlack ? '#' : '.';
                    qtMap += (image.pixel(x, y) & 0xFFFFFF) == 0 ? '#' : '.';
                }
                ourMap += '\n';
                qtMap += '\n';
            }
            ASSERT_NE(ourMap.find('#'), std::string::npos);
            ASSERT_EQ(ourMap, qtMap);
        }
}
