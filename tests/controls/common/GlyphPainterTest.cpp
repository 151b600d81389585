// Glyph painters: the check tick, the radio circle, arrows and crosses.
#include "PaintTestSupport.h"

#include "platform/rtl/OSVersion.h"

namespace {

constexpr TColor Frame = 0x000080, Fill = 0xE0E0E0, Mark = 0x008000, Focus = 0xF0F0FF, ReadOnly = 0xC0FFFF,
                 Disabled = 0xB0B0B0, HotFrame = 0x800000, HotFill = 0xFFE0C0, Control = 0x40C0C0,
                 Mask = clOlive, Dot = 0x202020;

using GlyphPainterTest = PaintTest;

void CheckBox(TCanvas* C, TCheckBoxState State, TQxGlyphLook Look, bool Focused = false,
              bool IsReadOnly = false, TQxButtonHotTrackStyle HotTrackStyle = htsFrame) {
    PaintCheckBoxGlyph(C, C->ClipRect(), State, ReadOnly, false, IsReadOnly, HotFrame, HotFill, Disabled,
                       Focus, Fill, Mark, Frame, HotTrackStyle, Focused, Look);
}

TEST_F(GlyphPainterTest, CheckBoxTick) {
    CheckBox(NewCanvas(13, 13), cbChecked, glNormal);
    EXPECT_EQ(Map({{Frame, 'f'}, {Fill, '.'}, {Mark, 'm'}}),
              Rows({"fffffffffffff", "f...........f", "f...........f", "f........m..f", "f.......mm..f",
                    "f..m...mmm..f", "f..mm.mmm...f", "f..mmmmm....f", "f...mmm.....f", "f....m......f",
                    "f...........f", "f...........f", "fffffffffffff"}));
}

TEST_F(GlyphPainterTest, CheckBoxFillsAndFramesByLook) {
    // Grayed: the inner square inset by 2 in the mark colour; disabled: the
    // mark turns to the button shadow.
    CheckBox(NewCanvas(9, 9), cbGrayed, glDisabled);
    EXPECT_EQ(Map({{Frame, 'f'}, {Disabled, '.'}, {clBtnShadow, 's'}}),
              Rows({"fffffffff", "f.......f", "f.......f", "f..sss..f", "f..sss..f", "f..sss..f", "f.......f",
                    "f.......f", "fffffffff"}));

    struct TCase {
        TQxGlyphLook Look;
        bool Focused, IsReadOnly;
        COLORREF Expected;
    };
    for (const TCase& k :
         {TCase{glNormal, false, false, ColorToRGB(Fill)}, TCase{glNormal, true, false, ColorToRGB(Focus)},
          TCase{glNormal, false, true, ColorToRGB(ReadOnly)}, TCase{glNormal, true, true, ColorToRGB(Focus)},
          TCase{glPressed, false, false, ColorToRGB(DarkenColor(Focus, 20))},
          TCase{glDisabled, true, false, ColorToRGB(Disabled)}}) {
        CheckBox(NewCanvas(13, 13), cbUnchecked, k.Look, k.Focused, k.IsReadOnly);
        EXPECT_EQ(At(6, 6), k.Expected) << "look " << k.Look << " focused " << k.Focused;
    }

    // Plain hot frame: the hot colour outside and once more inside.
    CheckBox(NewCanvas(6, 6), cbUnchecked, glHot, false, false, htsFrame);
    EXPECT_EQ(Map({{HotFrame, 'h'}, {Fill, '.'}}),
              Rows({"hhhhhh", "hhhhhh", "hh..hh", "hh..hh", "hhhhhh", "hhhhhh"}));
    // Gradient hot frame: a 2-pixel ring inside the normal frame.
    CheckBox(NewCanvas(9, 9), cbUnchecked, glHot, false, false, htsInterior);
    EXPECT_EQ(At(0, 0), ColorToRGB(Frame));
    EXPECT_NE(At(1, 1), ColorToRGB(Fill));
    EXPECT_NE(At(2, 2), ColorToRGB(Fill));
    EXPECT_EQ(At(3, 3), ColorToRGB(Fill));
}

void Radio(TCanvas* C, bool Checked, TQxGlyphLook Look = glNormal, bool Transparent = false,
           TQxButtonHotTrackStyle HotTrackStyle = htsFrame) {
    PaintRadioGlyph(C, TRect(0, 0, 13, 13), Checked, ReadOnly, false, false, Mask, Transparent, Control,
                    HotFrame, HotFill, Disabled, Focus, Fill, Dot, Frame, HotTrackStyle, false, Look);
}

TEST_F(GlyphPainterTest, RadioCircleOnAFullColourDisplay) {
    Radio(NewCanvas(13, 13), true);
    const TLegend legend = {{Control, 'c'},
                            {Frame, 'F'},
                            {Fill, '.'},
                            {Dot, 'd'},
                            {LightenColor(Frame, 10), 'u'},
                            {BlendColors(Frame, Control, 128), 'e'},
                            {BlendColors(Frame, Control, 40), 'g'},
                            {BlendColors(Frame, Fill, 128), 'x'},
                            {BlendColors(Frame, Fill, 80), 'y'},
                            {BlendColors(Frame, Fill, 40), 'z'},
                            {BlendColors(Dot, Fill, 153), 'q'}};
    EXPECT_EQ(Map(legend),
              Rows({"cccgeuFuegccc", "cceFxyzyxFecc", "ceuy.....yuec", "gFy.......yFg", "ex...qdq...xe",
                    "uy..qdddq..yu", "Fz..ddddd..zF", "uy..qdddq..yu", "ex...qdq...xe", "gFy.......yFg",
                    "ceuy.....yuec", "cceFxyzyxFecc", "cccgeuFuegccc"}));
}

TEST_F(GlyphPainterTest, RadioCircleWith256Colours) {
    FullColorDisplay = false;
    Radio(NewCanvas(13, 13), true);
    const TLegend legend = {{Control, 'c'}, {Frame, 'F'}, {Fill, '.'}, {Dot, 'd'}, {clSilver, 's'}};
    EXPECT_EQ(Map(legend),
              Rows({"ccccFFFFFcccc", "ccFFFs.sFFFcc", "cFFs.....sFFc", "cFs.......sFc", "FF...ddd...FF",
                    "Fs..ddddd..sF", "F...ddddd...F", "Fs..ddddd..sF", "FF...ddd...FF", "cFs.......sFc",
                    "cFFs.....sFFc", "ccFFFs.sFFFcc", "ccccFFFFFcccc"}));
}

TEST_F(GlyphPainterTest, RadioCircleTransparentDisabledAndHot) {
    // Transparent: the corners and the outer edge shading take the mask
    // colour; a disabled dot is the button shadow.
    FullColorDisplay = false;
    Radio(NewCanvas(13, 13), true, glDisabled, true);
    EXPECT_EQ(At(0, 0), ColorToRGB(Mask));
    EXPECT_EQ(At(3, 0), ColorToRGB(Mask));
    EXPECT_EQ(At(4, 0), ColorToRGB(Mask));
    EXPECT_EQ(At(6, 0), ColorToRGB(Frame));
    EXPECT_EQ(At(6, 6), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(2, 6), ColorToRGB(Disabled));

    // Hot, plain style: the hot frame one pixel further in.
    FullColorDisplay = true;
    Radio(NewCanvas(13, 13), false, glHot, false, htsFrame);
    EXPECT_EQ(At(6, 1), ColorToRGB(LightenColor(HotFrame, 10)));
    EXPECT_EQ(At(4, 1), ColorToRGB(HotFrame));
    EXPECT_EQ(At(3, 2), ColorToRGB(BlendColors(HotFrame, Fill, 150)));
    EXPECT_EQ(At(4, 2), ColorToRGB(BlendColors(HotFrame, Fill, 80)));
    EXPECT_EQ(At(6, 6), ColorToRGB(Fill));

    // Hot, gradient style: the gradient shows between the rim and the centre
    // cross, never inside it.
    Radio(NewCanvas(13, 13), false, glHot, false, htsInterior);
    EXPECT_EQ(At(6, 6), ColorToRGB(Fill));
    EXPECT_EQ(At(6, 3), ColorToRGB(Fill));
    EXPECT_EQ(At(3, 6), ColorToRGB(Fill));
    EXPECT_NE(At(3, 3), ColorToRGB(Fill));
}

TEST_F(GlyphPainterTest, ClassicArrowsAreFourRowTriangles) {
    const TLegend legend = {{clWhite, '.'}, {clBlack, '#'}};
    auto arrow = [&](TQxArrowDirection Direction) {
        TCanvas* c = NewCanvas(11, 11, clWhite);
        c->Brush()->SetColor(clWhite);
        PaintArrowButton(c, TRect(0, 0, 11, 11), tlClassic, true, Direction);
        return Map(legend);
    };
    const char* empty = "...........";
    EXPECT_EQ(arrow(adUp), Rows({empty, empty, empty, ".....#.....", "....###....", "...#####...",
                                 "..#######..", empty, empty, empty, empty}));
    EXPECT_EQ(arrow(adDown), Rows({empty, empty, empty, "..#######..", "...#####...", "....###....",
                                   ".....#.....", empty, empty, empty, empty}));
    EXPECT_EQ(arrow(adLeft), Rows({empty, empty, "......#....", ".....##....", "....###....", "...####....",
                                   "....###....", ".....##....", "......#....", empty, empty}));
    EXPECT_EQ(arrow(adRight), Rows({empty, empty, "...#.......", "...##......", "...###.....", "...####....",
                                    "...###.....", "...##......", "...#.......", empty, empty}));
}

TEST_F(GlyphPainterTest, DropDownArrowSitsLowerAndAvoidsABlackBackground) {
    TCanvas* c = NewCanvas(11, 11, clWhite);
    c->Brush()->SetColor(clWhite);
    PaintDropDownArrow(c, TRect(0, 0, 11, 11), tlThemed, true); // classic on modern systems
    const char* empty = "...........";
    EXPECT_EQ(Map({{clWhite, '.'}, {clBlack, '#'}}),
              Rows({empty, empty, empty, empty, "..#######..", "...#####...", "....###....", ".....#.....",
                    empty, empty, empty}));
    // The pen is solid again and the brush has its colour back.
    EXPECT_EQ(c->Pen()->Style(), psSolid);
    EXPECT_EQ(c->Brush()->Color(), clWhite);

    c = NewCanvas(11, 11, clWhite);
    c->Brush()->SetColor(0x101010);
    PaintDropDownArrow(c, TRect(0, 0, 11, 11), tlClassic, true);
    EXPECT_EQ(At(5, 7), ColorToRGB(cl3DDkShadow));
    c = NewCanvas(11, 11, clWhite);
    PaintDropDownArrow(c, TRect(0, 0, 11, 11), tlClassic, false);
    EXPECT_EQ(At(5, 7), ColorToRGB(clBtnShadow));
}

TEST_F(GlyphPainterTest, DropDownArrowKeepsTheThemedShapeOnOlderSystems) {
    SetWin32Version(VER_PLATFORM_WIN32_NT, 5, 1);
    TCanvas* c = NewCanvas(11, 11, clWhite);
    c->Brush()->SetColor(clWhite);
    PaintDropDownArrow(c, TRect(0, 0, 11, 11), tlThemed, true);
    SetWin32Version();
    // The themed arrow is a chevron whose tip is at (cx, cy) = (5, 9).
    EXPECT_NE(At(5, 7), ColorToRGB(clWhite));
    EXPECT_EQ(At(5, 4), ColorToRGB(clWhite));
}

TEST_F(GlyphPainterTest, CloseGlyphSmallAndLarge) {
    TCanvas* c = NewCanvas(10, 10, clWhite);
    PaintCloseGlyph(c, TRect(0, 0, 10, 10), clBlack);
    const char* empty = "..........";
    EXPECT_EQ(Map({{clWhite, '.'}, {clBlack, '#'}}),
              Rows({empty, empty, "..##.##...", "...###....", "...###....", "..##.##...", "..#....#..", empty,
                    empty, empty}));

    // 11 high and 9 wide takes the large cross, which reaches 3 rows below
    // the centre row.
    c = NewCanvas(9, 11, clWhite);
    PaintCloseGlyph(c, TRect(0, 0, 9, 11), clBlack);
    EXPECT_EQ(At(1, 8), ColorToRGB(clBlack));
    c = NewCanvas(9, 10, clWhite);
    PaintCloseGlyph(c, TRect(0, 0, 9, 10), clBlack);
    EXPECT_EQ(At(1, 8), ColorToRGB(clWhite));

    c = NewCanvas(10, 10, clWhite);
    PaintCloseButton(c, TRect(0, 0, 10, 10), tlClassic, false);
    EXPECT_EQ(At(4, 4), ColorToRGB(clBtnShadow));
}

} // namespace
