// The separator: the gradient's ends by orientation and highlight place,
// plain fills, swapping sides, and a paint that never resizes.
#include "tests/controls/panel/ControlTestSupport.h"

#include "controls/separator/QxBckgnd.h"

namespace {

class Separator : public ControlTest {};

Integer Distance(COLORREF A, COLORREF B) {
    return std::abs(GetRValue(A) - GetRValue(B)) + std::abs(GetGValue(A) - GetGValue(B)) +
           std::abs(GetBValue(A) - GetBValue(B));
}

TEST_F(Separator, TheGradientRunsAlongTheLineBetweenColourAndHighlight) {
    auto* sep = Make<TQxSeparator>(Form, {0, 0, 41, 2});
    sep->SetColor(clWindow);
    sep->SetHighlightColor(clBtnShadow);
    Form->Show();
    const COLORREF colour = ColorToRGB(clWindow), highlight = ColorToRGB(clBtnShadow);
    struct Case {
        TOrientation Orientation;
        TQxHighlightLocation Location;
        COLORREF First, Middle, Last; // along the line
    } cases[] = {
        {orHorizontal, hlCenter, colour, highlight, colour},
        {orHorizontal, hlUpperLeft, highlight, 0, colour},
        {orHorizontal, hlLowerRight, colour, 0, highlight},
        {orVertical, hlCenter, colour, highlight, colour},
        {orVertical, hlUpperLeft, highlight, 0, colour},
        {orVertical, hlLowerRight, colour, 0, highlight},
    };
    for (const Case& c : cases) {
        sep->SetOrientation(c.Orientation);
        sep->SetHighlightLocation(c.Location);
        Snapshot(sep);
        const bool across = c.Orientation == orHorizontal;
        EXPECT_EQ(sep->Width(), across ? 41 : 2); // turning swaps the sides
        auto at = [&](Integer i) { return across ? At(i, 1) : At(1, i); };
        // The gradient's first band is a step in from its start colour.
        const COLORREF other = c.First == colour ? highlight : colour;
        EXPECT_LT(Distance(at(0), c.First), Distance(at(0), other)) << c.Orientation << c.Location;
        EXPECT_EQ(at(40), c.Last) << c.Orientation << c.Location;
        if (c.Middle) {
            EXPECT_EQ(at(20), c.Middle) << c.Orientation << c.Location;
        }
    }
    sep->SetShowGradient(false);
    Snapshot(sep);
    EXPECT_EQ(At(1, 20), colour);
}

TEST_F(Separator, PaintingAnEmptySeparatorDrawsNothingAndKeepsItsSize) {
    auto* sep = Make<TQxSeparator>(Form, {0, 0, 0, 0});
    Form->Show();
    Form->Repaint();
    EXPECT_EQ(sep->Width(), 0);
    EXPECT_EQ(sep->Height(), 0);
}

} // namespace
