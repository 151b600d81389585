// What the library takes from the visual style, with a fake theme.
#include "PaintTestSupport.h"

#include "platform/gui/controls/Themes.h"

namespace {

constexpr COLORREF FaceColor = RGB(40, 90, 160), TopRowColor = RGB(200, 30, 30);
constexpr COLORREF EditBorder = RGB(1, 2, 3), GroupText = RGB(4, 5, 6);

// Elements are drawn as a face colour with a differently coloured top row,
// so a flip shows; two colours are known.
class TFakeThemes : public TTestThemes {
public:
    COLORREF Face = FaceColor;
    std::vector<TThemedElementDetails> Drawn;

    void DrawElement(HDC DC, const TThemedElementDetails& Details, const TRect& R, const TRect*) override {
        Drawn.push_back(Details);
        HBRUSH face = CreateSolidBrush(Face), top = CreateSolidBrush(TopRowColor);
        FillRect(DC, &R, face);
        TRect row(R.Left, R.Top, R.Right, R.Top + 1);
        FillRect(DC, &row, top);
        DeleteObject(AsGdiObj(face));
        DeleteObject(AsGdiObj(top));
    }
    bool GetColor(const TThemedElementDetails& Details, Integer PropId, COLORREF& Color) override {
        if (Details.Element == teEdit && PropId == TMT_BORDERCOLOR) {
            Color = EditBorder;
            return true;
        }
        if (Details.Element == teButton && Details.Part == BP_GROUPBOX && PropId == TMT_TEXTCOLOR) {
            Color = GroupText;
            return true;
        }
        return false;
    }
};

class ThemedTest : public PaintTest {
protected:
    void SetUp() override {
        PaintTest::SetUp();
        SetThemeServices(&FThemes);
    }
    void TearDown() override {
        SetThemeServices(nullptr);
        XPColorScheme = 0;
        PaintTest::TearDown();
    }
    TFakeThemes FThemes;
};

TEST_F(ThemedTest, TheOfficeStyleTakesTheSchemeTable) {
    XPColorScheme = 1;
    TColor frame, start, stop, third;
    GetSchemeSelectionColors(gcsMSOffice, frame, start, stop);
    EXPECT_EQ(frame, 0x385D3F);
    EXPECT_EQ(start, 0xC2EEFF);
    EXPECT_EQ(stop, 0xA0D9FF);
    GetSchemeGradientColors(gcsMSOffice, start, stop);
    EXPECT_EQ(start, 0xEDFFFF);
    EXPECT_EQ(stop, 0x92C7B8);
    EXPECT_EQ(GetSchemeFrameColor(gcsMSOffice), 0x77A17F);
    GetSchemeBarColors(gcsMSOffice, stop, start, third);
    EXPECT_EQ(stop, 0x92C7B8);
    EXPECT_EQ(start, 0xEDFFFF);
    EXPECT_EQ(third, 0x92C7B8);
    // Other styles keep the classic colours.
    EXPECT_EQ(GetSchemeFrameColor(gcsCustom), LightenColor(clBtnShadow, 30));
    // A flat selection on 256 colours.
    FullColorDisplay = false;
    GetSchemeSelectionColors(gcsMSOffice, frame, start, stop);
    EXPECT_EQ(start, 0xA0D9FF);
}

TEST_F(ThemedTest, AnUnknownSchemeFallsBackToTheClassicColours) {
    XPColorScheme = 3;
    TColor frame = clNone, start = clNone, stop = clNone, third = clNone;
    GetSchemeSelectionColors(gcsMSOffice, frame, start, stop);
    EXPECT_EQ(frame, clHighlight);
    EXPECT_EQ(stop, BlendColors(clHighlight, clWindow, 77));
    GetSchemeGradientColors(gcsMSOffice, start, stop);
    EXPECT_EQ(start, clWindow);
    EXPECT_EQ(stop, DarkenColor(clBtnFace, 10));
    GetSchemeBarColors(gcsMSOffice, stop, start, third);
    EXPECT_EQ(third, DarkenColor(clBtnFace, 40));
    EXPECT_EQ(GetSchemeFrameColor(gcsMSOffice), clBtnShadow);
}

TEST_F(ThemedTest, ElementColoursComeFromTheStyle) {
    EXPECT_EQ(static_cast<COLORREF>(GetThemedElementColor(0)), EditBorder);
    EXPECT_EQ(static_cast<COLORREF>(GetThemedElementColor(6)), GroupText);
    EXPECT_EQ(GetThemedElementColor(3), clBtnFace); // no explorer bar in the style
    EXPECT_EQ(GetThemedElementColor(7), clWhite);
    EXPECT_EQ(GetThemedElementColor(-1), clWhite);
}

TEST_F(ThemedTest, ThemedGlyphsTakeTheDropDownButtonColour) {
    TCanvas* c = NewCanvas(11, 11, clWhite);
    PaintArrowButton(c, TRect(0, 0, 11, 11), tlThemed, true, adDown);
    ASSERT_EQ(FThemes.Drawn.size(), 1u);
    EXPECT_EQ(FThemes.Drawn[0].Element, teComboBox);
    EXPECT_EQ(FThemes.Drawn[0].Part, CP_DROPDOWNBUTTON);
    // The down chevron's tip is at (cx, cy) = (5, 7).
    EXPECT_EQ(At(5, 5), FaceColor);

    // A face close to the window colour gives way to the dark shadow.
    FThemes.Face = RGB(250, 250, 250);
    c = NewCanvas(11, 11, clWhite);
    PaintCloseButton(c, TRect(0, 0, 11, 11), tlThemed, true);
    EXPECT_EQ(At(5, 4), TestDkShadow);
}

TEST_F(ThemedTest, ThemedLedBarsDrawChunksUpToTheFilledLength) {
    const TLegend legend = {
        {Paper, '.'}, {static_cast<TColor>(FaceColor), 'f'}, {static_cast<TColor>(TopRowColor), 't'}};
    TCanvas* c = NewCanvas(12, 4);
    PaintBarLED(c, TRect(0, 0, 12, 4), orHorizontal, false, true, 50, 5, clBlack, clBlack);
    EXPECT_EQ(Map(legend), Rows({"............", ".ttttt......", ".fffff......", "............"}));

    // Vertical chunks start at the bottom: the element is drawn turned over.
    c = NewCanvas(4, 12);
    PaintBarLED(c, TRect(0, 0, 4, 12), orVertical, false, true, 50, 5, clBlack, clBlack);
    EXPECT_EQ(Map(legend), Rows({"....", "....", "....", "....", "....", "....", ".ff.", ".ff.", ".ff.",
                                 ".ff.", ".tt.", "...."}));

    // Nothing at 0 %, and a full bar above 100 %.
    c = NewCanvas(4, 12);
    PaintBarLED(c, TRect(0, 0, 4, 12), orVertical, false, true, 0, 5, clBlack, clBlack);
    EXPECT_EQ(At(1, 10), static_cast<COLORREF>(Paper));
    c = NewCanvas(12, 4);
    PaintBarLED(c, TRect(0, 0, 12, 4), orHorizontal, false, true, 400, 5, clBlack, clBlack);
    EXPECT_EQ(Map(legend), Rows({"............", ".tttttttttt.", ".ffffffffff.", "............"}));
}

} // namespace
