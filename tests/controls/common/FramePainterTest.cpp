// Frame and border painters: pixel maps and the rectangles they return.
#include "PaintTestSupport.h"

namespace {

constexpr TColor A = 0x0000A0, B = 0x00B000; // two plain colours for line tests

TLegend LineLegend() {
    return {{Paper, '.'}, {A, 'a'}, {B, 'b'}};
}

using FramePainterTest = PaintTest;

TEST_F(FramePainterTest, FrameSidesGiveTheSharedCornersToTheBottomRightColour) {
    TCanvas* c = NewCanvas(5, 4);
    EXPECT_EQ(PaintFrameSides(c, TRect(0, 0, 5, 4), A, AllSides, B), TRect(1, 1, 4, 3));
    EXPECT_EQ(Map(LineLegend()), Rows({"aaaab", "a...b", "a...b", "bbbbb"}));
}

TEST_F(FramePainterTest, FrameSidesMoveInOnChosenSidesEvenWithoutColour) {
    TCanvas* c = NewCanvas(5, 4);
    EXPECT_EQ(PaintFrameSides(c, TRect(0, 0, 5, 4), A, TSides(), B), TRect(0, 0, 5, 4));
    EXPECT_EQ(PaintFrameSides(c, TRect(0, 0, 5, 4), clNone, TSides{sdLeft, sdTop, sdRight}, B),
              TRect(1, 1, 4, 4));
    EXPECT_EQ(Map(LineLegend()), Rows({"....b", "....b", "....b", "....b"}));
}

TEST_F(FramePainterTest, BevelLinesStackInwards) {
    TCanvas* c = NewCanvas(6, 6);
    EXPECT_EQ(PaintBevelLines(c, TRect(0, 0, 6, 6), A, AllSides, 0, B), TRect(0, 0, 6, 6));
    EXPECT_EQ(PaintBevelLines(c, TRect(0, 0, 6, 6), A, AllSides, 2, B), TRect(2, 2, 4, 4));
    EXPECT_EQ(Map(LineLegend()), Rows({"aaaaab", "aaaabb", "aa..bb", "aa..bb", "abbbbb", "bbbbbb"}));
    EXPECT_EQ(PaintRectOutline(c, TRect(1, 1, 5, 5), B), TRect(2, 2, 4, 4));
}

struct TStyleMap {
    TFrameStyle Style;
    TRect Inner;
    std::vector<const char*> Rows;
};

TEST_F(FramePainterTest, EachStyleOnATenByTenRectangle) {
    const std::vector<TStyleMap> cases = {
        {fsNone,
         {0, 0, 10, 10},
         {"..........", "..........", "..........", "..........", "..........", "..........", "..........",
          "..........", "..........", ".........."}},
        {fsFlat,
         {1, 1, 9, 9},
         {"DDDDDDDDDD", "D........D", "D........D", "D........D", "D........D", "D........D", "D........D",
          "D........D", "D........D", "DDDDDDDDDD"}},
        {fsStatus,
         {1, 1, 9, 9},
         {"SSSSSSSSSH", "S........H", "S........H", "S........H", "S........H", "S........H", "S........H",
          "S........H", "S........H", "HHHHHHHHHH"}},
        {fsPopup,
         {1, 1, 9, 9},
         {"HHHHHHHHHS", "H........S", "H........S", "H........S", "H........S", "H........S", "H........S",
          "H........S", "H........S", "SSSSSSSSSS"}},
        {fsFlatBold,
         {2, 2, 8, 8},
         {"SSSSSSSSSS", "SSSSSSSSSS", "SS......SS", "SS......SS", "SS......SS", "SS......SS", "SS......SS",
          "SS......SS", "SSSSSSSSSS", "SSSSSSSSSS"}},
        {fsLowered,
         {2, 2, 8, 8},
         {"SSSSSSSSSH", "SDDDDDDDLH", "SD......LH", "SD......LH", "SD......LH", "SD......LH", "SD......LH",
          "SD......LH", "SLLLLLLLLH", "HHHHHHHHHH"}},
        {fsRaised,
         {2, 2, 8, 8},
         {"LLLLLLLLLD", "LHHHHHHHSD", "LH......SD", "LH......SD", "LH......SD", "LH......SD", "LH......SD",
          "LH......SD", "LSSSSSSSSD", "DDDDDDDDDD"}},
        {fsButtonUp,
         {2, 2, 8, 8},
         {"HHHHHHHHHD", "HLLLLLLLSD", "HL......SD", "HL......SD", "HL......SD", "HL......SD", "HL......SD",
          "HL......SD", "HSSSSSSSSD", "DDDDDDDDDD"}},
        {fsButtonDown,
         {2, 2, 8, 8},
         {"TTTTTTTTTT", "TSSSSSSSST", "TS......ST", "TS......ST", "TS......ST", "TS......ST", "TS......ST",
          "TS......ST", "TSSSSSSSST", "TTTTTTTTTT"}},
        {fsGroove,
         {2, 2, 8, 8},
         {"SSSSSSSSSH", "SHHHHHHHSH", "SH......SH", "SH......SH", "SH......SH", "SH......SH", "SH......SH",
          "SH......SH", "SSSSSSSSSH", "HHHHHHHHHH"}},
        {fsBump,
         {2, 2, 8, 8},
         {"HHHHHHHHHS", "HSSSSSSSHS", "HS......HS", "HS......HS", "HS......HS", "HS......HS", "HS......HS",
          "HS......HS", "HHHHHHHHHS", "SSSSSSSSSS"}},
    };
    for (const TStyleMap& m : cases) {
        SCOPED_TRACE(GetEnumName(FrameStyleTypeInfo(), m.Style));
        TCanvas* c = NewCanvas(10, 10);
        EXPECT_EQ(PaintStyleFrame(c, TRect(0, 0, 10, 10), m.Style), m.Inner);
        EXPECT_EQ(Map(), Rows(m.Rows));
    }
}

TEST_F(FramePainterTest, EtchedFrameOnSomeSidesEndsCleanly) {
    struct TCase {
        TSides Sides;
        TRect Inner;
        std::vector<const char*> Rows;
    };
    const std::vector<TCase> cases = {
        {{sdTop}, {0, 2, 6, 5}, {"SSSSSS", "HHHHHH", "......", "......", "......"}},
        {{sdLeft}, {2, 0, 6, 5}, {"SH....", "SH....", "SH....", "SH....", "SH...."}},
        {{sdRight}, {0, 0, 4, 5}, {"....SH", "....SH", "....SH", "....SH", "....SH"}},
        {{sdBottom}, {0, 0, 6, 3}, {"......", "......", "......", "SSSSSS", "HHHHHH"}},
        {{sdLeft, sdTop}, {2, 2, 6, 5}, {"SSSSSS", "SHHHHH", "SH....", "SH....", "SH...."}},
        {{sdRight, sdBottom}, {0, 0, 4, 3}, {"....SH", "....SH", "....SH", "SSSSSH", "HHHHHH"}},
        {{sdLeft, sdRight}, {2, 0, 4, 5}, {"SH..SH", "SH..SH", "SH..SH", "SH..SH", "SH..SH"}},
        {{sdTop, sdBottom}, {0, 2, 6, 3}, {"SSSSSS", "HHHHHH", "......", "SSSSSS", "HHHHHH"}},
        {AllSides, {2, 2, 4, 3}, {"SSSSSH", "SHHHSH", "SH..SH", "SSSSSH", "HHHHHH"}},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(SetToString(SidesTypeInfo(), static_cast<Int64>(k.Sides.ToInt())));
        TCanvas* c = NewCanvas(6, 5);
        EXPECT_EQ(PaintStyleFrameSides(c, TRect(0, 0, 6, 5), fsGroove, k.Sides), k.Inner);
        EXPECT_EQ(Map(), Rows(k.Rows));
    }
}

TEST_F(FramePainterTest, ColourStylesDeriveTheirLinesFromOneColour) {
    const TColor base = 0x3070B0;
    const TLegend legend = {{Paper, '.'},
                            {DarkenColor(base, 50), 'd'},
                            {DarkenColor(base, 100), 'D'},
                            {LightenColor(base, 50), 'l'},
                            {LightenColor(base, 100), 'L'},
                            {LightenColor(base, 40), 'k'}};
    TCanvas* c = NewCanvas(6, 6);
    EXPECT_EQ(PaintColorStyleFrame(c, TRect(0, 0, 6, 6), base, fsLowered), TRect(2, 2, 4, 4));
    EXPECT_EQ(Map(legend), Rows({"dddddL", "dDDDlL", "dD..lL", "dD..lL", "dllllL", "LLLLLL"}));

    c = NewCanvas(6, 6);
    PaintColorButtonFrame(c, TRect(0, 0, 6, 6), base, false);
    EXPECT_EQ(Map(legend), Rows({"LLLLLD", "LkkkdD", "Lk..dD", "Lk..dD", "LddddD", "DDDDDD"}));

    c = NewCanvas(6, 6);
    PaintColorButtonFrame(c, TRect(0, 0, 6, 6), base, true);
    EXPECT_EQ(Map(legend), Rows({"DDDDDD", "DddddD", "Dd..dD", "Dd..dD", "DddddD", "DDDDDD"}));

    // Values past the table paint the bump frame.
    c = NewCanvas(6, 6);
    PaintColorStyleFrame(c, TRect(0, 0, 6, 6), base, static_cast<TFrameStyle>(fsFlatRounded));
    EXPECT_EQ(Map(legend), Rows({"LLLLLd", "LdddLd", "Ld..Ld", "Ld..Ld", "LLLLLd", "dddddd"}));
}

TEST_F(FramePainterTest, ColourStylesOfEveryWidth) {
    const TColor base = 0x3070B0;
    const TLegend legend = {{Paper, '.'},
                            {DarkenColor(base, 50), 'd'},
                            {DarkenColor(base, 100), 'D'},
                            {LightenColor(base, 50), 'l'},
                            {LightenColor(base, 100), 'L'}};
    const std::vector<TStyleMap> cases = {
        {fsFlat, {1, 1, 5, 5}, {"dddddd", "d....d", "d....d", "d....d", "d....d", "dddddd"}},
        {fsStatus, {1, 1, 5, 5}, {"dddddL", "d....L", "d....L", "d....L", "d....L", "LLLLLL"}},
        {fsPopup, {1, 1, 5, 5}, {"LLLLLd", "L....d", "L....d", "L....d", "L....d", "dddddd"}},
        {fsFlatBold, {2, 2, 4, 4}, {"dddddd", "dddddd", "dd..dd", "dd..dd", "dddddd", "dddddd"}},
        {fsRaised, {2, 2, 4, 4}, {"lllllD", "lLLLdD", "lL..dD", "lL..dD", "lddddD", "DDDDDD"}},
        {fsGroove, {2, 2, 4, 4}, {"dddddL", "dLLLdL", "dL..dL", "dL..dL", "dddddL", "LLLLLL"}},
    };
    for (const TStyleMap& m : cases) {
        SCOPED_TRACE(GetEnumName(FrameStyleTypeInfo(), m.Style));
        TCanvas* c = NewCanvas(6, 6);
        EXPECT_EQ(PaintColorStyleFrame(c, TRect(0, 0, 6, 6), base, m.Style), m.Inner);
        EXPECT_EQ(Map(legend), Rows(m.Rows));
    }
}

TEST_F(FramePainterTest, RoundedFlatBorderCutsTheCorners) {
    TCanvas* c = NewCanvas(10, 10);
    EXPECT_EQ(PaintRoundedFlatBorder(c, TRect(0, 0, 10, 10), A, AllSides), TRect(2, 2, 8, 8));
    EXPECT_EQ(Map(LineLegend()),
              Rows({"..aaaaaa..", ".a......a.", "a........a", "a........a", "a........a", "a........a",
                    "a........a", "a........a", ".a......a.", "..aaaaaa.."}));
    c = NewCanvas(6, 5);
    EXPECT_EQ(PaintRoundedFlatBorder(c, TRect(0, 0, 6, 5), A, TSides{sdTop, sdLeft}), TRect(2, 2, 6, 5));
    EXPECT_EQ(Map(LineLegend()), Rows({"..aaaa", ".a....", "a.....", "a.....", "a....."}));
}

TEST_F(FramePainterTest, InnerOuterFramesStack) {
    const TColor parent = 0x000001, control = 0x000002, border = 0x000003, flat = 0x000004;
    const TLegend legend = {{Paper, '.'}, {parent, 'p'}, {control, 'c'}, {border, 'b'}, {flat, 'f'}};
    TCanvas* c = NewCanvas(12, 12);
    TRect inner = PaintInnerOuterFrame(c, TRect(0, 0, 12, 12), fsFlatRounded, true, false, parent, control, 0,
                                       flat, clBtnShadow, clBtnHighlight, border, 1, AllSides, 1, fsFlat);
    EXPECT_EQ(inner, TRect(4, 4, 8, 8));
    EXPECT_EQ(Map(legend), Rows({"ppffffffffpp", "pfbbbbbbbbfp", "fbbbbbbbbbbf", "fbb.ffff.bbf",
                                 "fbbf....fbbf", "fbbf....fbbf", "fbbf....fbbf", "fbbf....fbbf",
                                 "fbb.ffff.bbf", "fbbbbbbbbbbf", "pfbbbbbbbbfp", "ppffffffffpp"}));

    // Without inner lines the second ring takes the control colour; popup
    // and status bevels are BevelWidth lines deep.
    c = NewCanvas(8, 8);
    inner = PaintInnerOuterFrame(c, TRect(0, 0, 8, 8), fsPopup, false, false, parent, control, 0, flat,
                                 border, flat, border, 2, AllSides, 0, fsNone);
    EXPECT_EQ(inner, TRect(2, 2, 6, 6));
    EXPECT_EQ(Map(legend), Rows({"fffffffb", "ffffffbb", "ff....bb", "ff....bb", "ff....bb", "ff....bb",
                                 "fbbbbbbb", "bbbbbbbb"}));
    c = NewCanvas(6, 6);
    inner = PaintInnerOuterFrame(c, TRect(0, 0, 6, 6), fsFlatRounded, false, false, parent, control, 0, flat,
                                 border, border, border, 1, AllSides, 0, fsNone);
    EXPECT_EQ(inner, TRect(2, 2, 4, 4));
    EXPECT_EQ(Map(legend), Rows({"ppffpp", "pfccfp", "fc..cf", "fc..cf", "pfccfp", "ppffpp"}));
}

// The rounded flat frame as outer and as inner frame, over the control
// (its lines in the border and control colours) and transparent (only the
// border colour's line, inside the outer frame or under the inner one).
TEST_F(FramePainterTest, RoundedFramesOverTheControlAndTransparent) {
    const TColor parent = 0x000001, control = 0x000002, border = 0x000003, flat = 0x000004;
    const TLegend legend = {{Paper, '.'}, {parent, 'p'}, {control, 'c'}, {border, 'b'}, {flat, 'f'}};
    struct TCase {
        const char* Name;
        TFrameStyleEx Outer, Inner;
        bool Transparent;
        Integer BorderWidth, Size;
        TRect Inside;
        std::vector<const char*> Rows;
    };
    const TCase cases[] = {
        {"outer, transparent, border line", fsFlatRounded, fsNone, true, 1, 8, {3, 3, 5, 5},
         {"..ffff..", ".fbbbbf.", "fbbbbbbf", "fbb..bbf", "fbb..bbf", "fbbbbbbf", ".fbbbbf.", "..ffff.."}},
        {"outer, transparent, no inner lines", fsFlatRounded, fsNone, true, 0, 6, {2, 2, 4, 4},
         {"..ff..", ".f..f.", "f....f", "f....f", ".f..f.", "..ff.."}},
        {"inner, over the control", fsNone, fsFlatRounded, false, 0, 8, {2, 2, 6, 6},
         {"bbffffbb", "bfccccfb", "fc....cf", "fc....cf", "fc....cf", "fc....cf", "bfccccfb", "bbffffbb"}},
        {"inner, transparent", fsNone, fsFlatRounded, true, 0, 6, {2, 2, 4, 4},
         {"bbffbb", "bf..fb", "f....f", "f....f", "bf..fb", "bbffbb"}},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(k.Name);
        TCanvas* c = NewCanvas(k.Size, k.Size);
        const TRect inner =
            PaintInnerOuterFrame(c, TRect(0, 0, k.Size, k.Size), k.Outer, false, k.Transparent, parent, control, 0,
                                 flat, clBtnShadow, clBtnHighlight, border, 1, AllSides, k.BorderWidth, k.Inner);
        EXPECT_EQ(inner, k.Inside);
        EXPECT_EQ(Map(legend), Rows(k.Rows));
    }
}

TEST_F(FramePainterTest, ControlFrameErasesThenFrames) {
    TCanvas* c = NewCanvas(6, 6);
    PaintControlFrame(c, 6, 6, false, TSides{sdLeft, sdTop}, A, clWindow, fsFlat);
    EXPECT_EQ(Map({{Paper, '.'}, {A, 'a'}, {clWindow, 'w'}}),
              Rows({"aaaaaa", "awwwww", "aw..ww", "aw..ww", "awwwww", "awwwww"}));
    // On the window colour the system frame colours apply.
    c = NewCanvas(6, 6);
    PaintControlFrame(c, 6, 6, true, AllSides, A, clWindow, fsStatus);
    EXPECT_EQ(Map(), Rows({"SSSSSH", "S....H", "S....H", "S....H", "S....H", "HHHHHH"}));
}

TEST_F(FramePainterTest, DottedFocusRectBlackensEverySecondPixel) {
    TCanvas* c = NewCanvas(6, 5, clWhite);
    EXPECT_EQ(PaintDottedFocusRect(c, TRect(0, 0, 6, 5)), TRect(1, 1, 5, 4));
    EXPECT_EQ(Map({{clWhite, '.'}, {clBlack, '#'}}),
              Rows({".#.#.#", "#....#", "......", "#....#", ".#.#.#"}));
}

TEST_F(FramePainterTest, HighlightFrameIsATwoPixelRingOnFullColourDisplaysOnly) {
    TCanvas* c = NewCanvas(8, 8);
    PaintHighlightFrame(c, TRect(0, 0, 8, 8), gdDiagonalDown, A, A);
    EXPECT_EQ(Map(LineLegend()), Rows({"aaaaaaaa", "aaaaaaaa", "aa....aa", "aa....aa", "aa....aa", "aa....aa",
                                       "aaaaaaaa", "aaaaaaaa"}));
    FullColorDisplay = false;
    c = NewCanvas(8, 8);
    PaintHighlightFrame(c, TRect(0, 0, 8, 8), gdDiagonalDown, A, A);
    EXPECT_EQ(At(0, 0), ColorToRGB(Paper));
}

TEST_F(FramePainterTest, HighlightFrameKeepsTheCallersClip) {
    TCanvas* c = NewCanvas(8, 8);
    HDC dc = c->Handle();
    IntersectClipRect(dc, 0, 0, 4, 8);
    PaintHighlightFrame(c, TRect(0, 0, 8, 8), gdDiagonalDown, A, A);
    c->Brush()->SetColor(B);
    c->FillRect(TRect(0, 0, 8, 8));
    SelectClipRgn(dc, nullptr);
    // The fill honours the left-half clip the caller set before.
    EXPECT_EQ(Map(LineLegend()), Rows({"bbbb....", "bbbb....", "bbbb....", "bbbb....", "bbbb....", "bbbb....",
                                       "bbbb....", "bbbb...."}));
}

TEST_F(FramePainterTest, AnOutOfRangeFlatColourAdjustmentPaintsLikeTheLargest) {
    auto paint = [&](Integer Adjustment) {
        TCanvas* c = NewCanvas(6, 6);
        PaintInnerOuterFrame(c, TRect(0, 0, 6, 6), fsFlat, false, false, A, A, Adjustment, 0x406080, A, A, A,
                             1, AllSides, 0, fsNone);
        return At(0, 0);
    };
    EXPECT_EQ(paint(300), paint(255));
    EXPECT_EQ(paint(-1000), paint(-255));
    EXPECT_EQ(paint(255), ColorToRGB(LightenColor(0x406080, 255)));
}

} // namespace
