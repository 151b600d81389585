// The library's label: turned bounds, the 3D text styles and stacked borders
// to the pixel on the test font, blinking on the manual clock, fly-by
// colours and curved text on labels too small for it.
#include "controls/label/QxLabel.h"
#include "platform/forms/Reader.h"
#include "platform/rtl/Clock.h"
#include "tests/controls/common/PaintTestSupport.h"
#include "tests/platform/gui/controls/ControlProbes.h"

using namespace probes;

namespace {

class Label : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        ResetSysColors();
    }
    TQxLabel* NewLabel(const String& Caption, TRect Bounds, bool AutoSize = false) {
        auto* l = new TQxLabel(Form);
        l->SetParent(Form);
        l->SetAutoSize(AutoSize);
        l->Font()->SetName(TestBlockFontName);
        l->Font()->SetHeight(-4); // characters 2 x 3, cells 2 x 4
        l->Font()->SetColor(clWindowText);
        l->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        l->SetCaption(Caption);
        return l;
    }
    // The label's pixels as letters: F face, H highlight, S shadow, T text,
    // R red; '?' for anything else.
    std::string Map(TQxLabel* L) {
        TBitmap* b = new TBitmap;
        b->SetSize(L->Width(), L->Height());
        Form->PaintTo(b->Canvas()->Handle(), -L->Left(), -L->Top());
        const std::string map = PixelMap(b->Canvas(), L->Width(), L->Height(),
                                         {{clBtnFace, 'F'}, {clBtnHighlight, 'H'}, {clBtnShadow, 'S'},
                                          {clWindowText, 'T'}, {clRed, 'R'}});
        b->Free();
        return map;
    }
};

TEST(RotatedBounds, AllQuadrantsAndNegativeAngles) {
    struct Case {
        Integer Angle, W, H;
    };
    // A 10 x 4 box.
    const Case cases[] = {{0, 10, 4},   {30, 11, 8},  {90, 4, 10},  {120, 8, 11}, {180, 10, 4},
                          {210, 11, 8}, {270, 4, 10}, {300, 8, 11}, {-60, 8, 11}, {-40, 10, 9}};
    for (const Case& c : cases) {
        const TSize s = RotatedBounds(10, 4, c.Angle);
        EXPECT_EQ(s.cx, c.W) << c.Angle;
        EXPECT_EQ(s.cy, c.H) << c.Angle;
    }
    EXPECT_EQ(RotatedBounds(0, 0, 135).cx, 0);
}

TEST_F(Label, AnglesAreStoredAndTurnedLabelsSizeToTheirBounds) {
    TQxLabel* l = NewLabel("IIIII", {0, 0, 1, 1}, true);
    ShowForm();
    EXPECT_EQ(l->Width(), 10);
    EXPECT_EQ(l->Height(), 4);
    for (auto [angle, stored] : std::vector<std::pair<Integer, Integer>>{{-90, 270}, {450, 90}, {-400, -40}, {120, 120}}) {
        l->SetAngle(0);
        l->SetAngle(angle);
        EXPECT_EQ(l->Angle(), stored);
        EXPECT_EQ(l->Rotation(), roFlat);
        const TSize expected = RotatedBounds(10, 4, stored);
        EXPECT_EQ(l->Width(), expected.cx) << angle;
        EXPECT_EQ(l->Height(), expected.cy) << angle;
        l->SetAutoSize(false);
        l->SetBounds(0, 0, 1, 1);
        l->SetAutoSize(true);
    }
    l->SetRotation(roCurve);
    l->SetCenterPoint(cpLowerLeft);
    l->SetRotation(roFlat); // resets the angle and the centre
    EXPECT_EQ(l->Angle(), 0);
    EXPECT_EQ(l->CenterPoint(), cpCenter);
    // A bitmap font cannot turn: the label takes a scalable one.
    l->Font()->SetName("MS Sans Serif");
    l->SetAngle(30);
    EXPECT_EQ(l->Font()->Name(), "Verdana");
}

TEST_F(Label, TextStylesToThePixel) {
    TQxLabel* l = NewLabel("I", {0, 0, 8, 7});
    l->SetTextMargin(2);
    ShowForm();
    l->SetTextStyle(tsRaised);
    EXPECT_EQ(Map(l), "FFFFFFFF\n"
                      "FHHFFFFF\n"
                      "FHTTFFFF\n"
                      "FHTTSFFF\n"
                      "FFTTSFFF\n"
                      "FFFSSFFF\n"
                      "FFFFFFFF\n");
    l->SetTextStyle(tsRecessed);
    EXPECT_EQ(Map(l), "FFFFFFFF\n"
                      "FSSFFFFF\n"
                      "FSTTFFFF\n"
                      "FSTTHFFF\n"
                      "FFTTHFFF\n"
                      "FFFHHFFF\n"
                      "FFFFFFFF\n");
    l->SetTextStyle(tsShadow);
    EXPECT_EQ(Map(l), "FFFFFFFF\n"
                      "FFFFFFFF\n"
                      "FFTTFFFF\n"
                      "FFTTFFFF\n"
                      "FFTTSSFF\n"
                      "FFFFSSFF\n"
                      "FFFFSSFF\n");
    l->SetTextStyle(tsRaised);
    l->SetLightTextStyle(true); // no shadow copy
    EXPECT_EQ(Map(l).substr(3 * 9, 9), "FHTTFFFF\n");
    l->SetEnabled(false); // only the caption, in grey
    EXPECT_EQ(Map(l), "FFFFFFFF\n"
                      "FFFFFFFF\n"
                      "FFSSFFFF\n"
                      "FFSSFFFF\n"
                      "FFSSFFFF\n"
                      "FFFFFFFF\n"
                      "FFFFFFFF\n");
}

TEST_F(Label, BordersStackAndAutoSizeMakesRoomForThem) {
    TQxLabel* l = NewLabel("II", {0, 0, 1, 1}, true);
    ShowForm();
    EXPECT_EQ(l->Width(), 4);
    l->SetBorderSides({sdLeft, sdTop});
    l->SetBorderOuter(fsFlatBold);
    EXPECT_EQ(l->Width(), 6);
    EXPECT_EQ(l->Height(), 6);
    // Outer frame, one line of border colour, inner frame: the text begins
    // three pixels in.
    l->SetBorderOuter(fsFlat);
    l->SetBorderSides(AllSides);
    l->SetBorderWidth(1);
    l->SetBorderColor(clRed);
    l->SetBorderInner(fsFlat);
    EXPECT_EQ(l->Width(), 4 + 2 * 3);
    const std::string map = Map(l);
    EXPECT_EQ(map.substr(1 * 11, 11), "?RRRRRRRR?\n");
    EXPECT_EQ(map.substr(3 * 11, 11), "?R?TTTT?R?\n");
    // A right-justified label keeps its right edge.
    l->SetAlignment(taRightJustify);
    l->SetLeft(50);
    l->SetCaption("I");
    EXPECT_EQ(l->Left() + l->Width(), 60);
}

TEST_F(Label, BlinkingFollowsTheSharedTimer) {
    TManualClock clock(1000);
    TScopedClock scope(&clock);
    TQxLabel* l = NewLabel("I", {0, 0, 8, 8});
    l->SetBlinkColor(clRed);
    l->SetBlinking(true);
    ShowForm();
    auto run = [&](Cardinal Ms) {
        for (Cardinal t = 0; t < Ms; t += 10) {
            clock.Advance(10);
            CheckTimers();
        }
    };
    std::vector<TColor> colours;
    for (int i = 0; i < 3; ++i) {
        run(500);
        colours.push_back(l->CurrentColor());
    }
    EXPECT_EQ(colours, (std::vector<TColor>{clWindowText, clRed, clWindowText}));
    run(500);
    EXPECT_EQ(l->CurrentColor(), clRed);
    l->SetBlinking(false); // the font colour at once
    EXPECT_EQ(l->CurrentColor(), clWindowText);
    run(1000);
    EXPECT_EQ(l->CurrentColor(), clWindowText);
    l->Free();
}

TEST_F(Label, FlyByGivesBackOnlyTheColourItTook) {
    TQxLabel* l = NewLabel("I", {0, 0, 8, 8});
    l->Font()->SetColor(clRed);
    ShowForm();
    l->SetFlyByEnabled(true);
    l->Perform(CM_MOUSELEAVE); // the mouse was already over it: nothing taken
    EXPECT_EQ(l->Font()->Color(), clRed);
    l->Perform(CM_MOUSEENTER);
    EXPECT_EQ(l->Font()->Color(), clHighlight);
    EXPECT_EQ(l->CurrentColor(), clHighlight);
    l->Perform(CM_MOUSELEAVE);
    l->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(l->Font()->Color(), clRed);
    l->Perform(CM_MOUSEENTER);
    l->SetFlyByEnabled(false);
    EXPECT_EQ(l->Font()->Color(), clRed);
    l->SetFlyByEnabled(true);
    l->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(l->Font()->Color(), clRed);
}

// Columns X0 to X1 - 1 of the first Rows rows of a map.
std::string Window(const std::string& Map, int X0, int X1, int Rows) {
    std::string s;
    const std::size_t width = Map.find('\n') + 1;
    for (int y = 0; y < Rows; ++y) s += Map.substr(y * width + X0, X1 - X0) + "\n";
    return s;
}

// Turned text at its reference point: the caption "II" (two 2 x 3 blocks
// on a 4-pixel cell, ascent 3) on an 8 x 12 label, by angle and alignment.
// At 90 degrees it reads upwards, its baseline at x = 5 (half the width
// plus a quarter of the "Pp" height); at 180 upside down from the right;
// at 270 downwards. A shadow copy goes half the depth down and right, the
// caption as far up and left, and the text is that much longer.
TEST_F(Label, FlatTurnedTextStandsWhereItsAngleAndAlignmentPutIt) {
    TQxLabel* l = NewLabel("II", {0, 0, 8, 12});
    ShowForm();
    struct TCase {
        Integer Angle;
        TAlignment Alignment;
        TTextStyle Style;
        std::vector<const char*> Rows;
    };
    const char* f = "FFFFFFFF";
    const TCase cases[] = {
        {90, taLeftJustify, tsNormal, {f, f, f, f, f, f, f, f, "FFTTTFFF", "FFTTTFFF", "FFTTTFFF", "FFTTTFFF"}},
        {90, taCenter, tsNormal, {f, f, f, f, "FFTTTFFF", "FFTTTFFF", "FFTTTFFF", "FFTTTFFF", f, f, f, f}},
        {90, taRightJustify, tsNormal, {"FFTTTFFF", "FFTTTFFF", "FFTTTFFF", "FFTTTFFF", f, f, f, f, f, f, f, f}},
        {180, taLeftJustify, tsNormal, {f, f, f, f, f, "FFFFTTTT", "FFFFTTTT", "FFFFTTTT", f, f, f, f}},
        {270, taLeftJustify, tsNormal, {"FFFTTTFF", "FFFTTTFF", "FFFTTTFF", "FFFTTTFF", f, f, f, f, f, f, f, f}},
        {90, taLeftJustify, tsShadow,
         {f, f, f, f, f, f, "FTTTFFFF", "FTTTFFFF", "FTTTSSFF", "FTTTSSFF", "FFFSSSFF", "FFFSSSFF"}},
        // Still turned at 0 degrees: the cell's top half the "Pp" height above the middle.
        {0, taCenter, tsNormal, {f, f, f, f, "FFTTTTFF", "FFTTTTFF", "FFTTTTFF", f, f, f, f, f}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Angle) + " " + std::to_string(c.Alignment) + " " + std::to_string(c.Style));
        l->SetAngle(c.Angle);
        l->SetAlignment(c.Alignment);
        l->SetTextStyle(c.Style);
        EXPECT_EQ(l->Rotation(), roFlat);
        EXPECT_EQ(Map(l), Rows(c.Rows));
    }
}

// Curved text about the lower centre of an 80 x 10 label (radii 40 and
// 10): the first character stands at the top of the arc, 10 - (10 - 4)
// = 4 its baseline; the next one is the arc length of "w" plus 2 (0.1 of
// the radius 40) further clockwise: its reference point 4 pixels right,
// turned by -5.7 degrees, which moves its cell 1 pixel left and no
// corner of its block. A disabled label still draws the raised copies,
// then its highlight copy and the caption in the shadow colour.
TEST_F(Label, CurvedTextAdvancesClockwiseAlongItsArc) {
    TQxLabel* l = NewLabel("II", {0, 0, 80, 10});
    l->SetRotation(roCurve);
    l->SetCenterPoint(cpLowerCenter);
    ShowForm();
    EXPECT_EQ(Window(Map(l), 36, 48, 6), Rows({"FFFFFFFFFFFF", //
                                               "FFFTTFFTTFFF", //
                                               "FFFTTFFTTFFF", //
                                               "FFFTTFFTTFFF", //
                                               "FFFFFFFFFFFF", //
                                               "FFFFFFFFFFFF"}));
    l->SetTextStyle(tsRaised);
    l->SetEnabled(false);
    EXPECT_EQ(Window(Map(l), 36, 48, 6), Rows({"FFHHFFHHFFFF", //
                                               "FFHSSFHSSFFF", //
                                               "FFHSSHHSSHFF", //
                                               "FFFSSHFSSHFF", //
                                               "FFFFHHFFHHFF", //
                                               "FFFFFFFFFFFF"}));
}

TEST_F(Label, CurvedTextNeedsRoomForItsArc) {
    TQxLabel* l = NewLabel("III", {0, 0, 6, 6});
    l->SetBorderWidth(2); // radius 3 - 4 < 0
    l->SetRotation(roCurve);
    ShowForm();
    EXPECT_EQ(Map(l).find('T'), std::string::npos);
    l->SetBorderWidth(0);
    l->SetBounds(0, 0, 40, 40);
    EXPECT_NE(Map(l).find('T'), std::string::npos);
}

TEST_F(Label, FormsWithTheOldFrameSidesSettleWhenLoaded) {
    RegisterQxLabelClasses();
    TForm* form = new TForm(nullptr);
    ReadComponentText(form,
                      "object F: TForm\n"
                      "  object L: TQxLabel\n"
                      "    Caption = 'I'\n"
                      "    FrameSides = [sdLeft, sdTop]\n"
                      "    Angle = 90\n"
                      "    Font.Color = clRed\n"
                      "    Font.Name = 'MS Sans Serif'\n"
                      "  end\n"
                      "end\n",
                      "Old.dfm");
    auto* l = dynamic_cast<TQxLabel*>(form->FindComponent("L"));
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->Rotation(), roFlat);
    EXPECT_EQ(l->Font()->Name(), "Verdana"); // a turned label needs a scalable font
    EXPECT_EQ(l->CurrentColor(), clRed);
    EXPECT_EQ(l->BorderSides(), AllSides);
    form->Free();
}

} // namespace
