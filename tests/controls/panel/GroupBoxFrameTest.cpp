// The group box's frames by group style and outer border style, and its
// caption in each style, to the pixel on the test font (6-pixel cells,
// characters 3 x 5): the frame's top line runs h div 2 - 1 = 2 rows down.
#include "tests/controls/panel/ControlTestSupport.h"

#include "controls/panel/QxPanel.h"

namespace {

class GroupBoxFrame : public ControlTest {
protected:
    TQxGroupBox* NewBox(TRect Bounds) {
        auto* box = Make<TQxGroupBox>(Form, Bounds);
        box->SetColor(clWindow);
        box->Font()->SetHeight(-6);
        return box;
    }
    // 'A' the flat colour (clBtnShadow lightened by 30), 'X' the caption,
    // 'G' a disabled caption, digits the red channel of banner colours.
    TLegend Legend() {
        TLegend l = FrameLegend();
        l.push_back({AdjustColorLuminance(clBtnShadow, 30), 'A'});
        l.push_back({clWindowText, 'X'});
        l.push_back({clGrayText, 'G'});
        for (int d = 0; d < 10; ++d) l.push_back({static_cast<TColor>(0x804000 | d), static_cast<char>('0' + d)});
        return l;
    }
    std::string Map(TControl* Box) {
        Snapshot(Box);
        return PaintTest::Map(Legend());
    }
};

// A 6 x 7 box without caption: two rows of the box colour, then the frame
// on (0, 2, 6, 7). gsStandard draws the outer style on all four sides (the
// groove when there is none, a flat outline for the flat styles); gsTopLine
// the same on the top side only, the flat styles as short lines in from
// the corners.
TEST_F(GroupBoxFrame, EveryOuterStyleOnTheStandardAndTopLineFrames) {
    TQxGroupBox* box = NewBox({0, 0, 6, 7});
    Form->Show();
    struct TCase {
        TFrameStyleEx Outer;
        std::vector<const char*> Standard, TopLine;
    };
    const TCase cases[] = {
        {fsNone, {"SSSSSH", "SHHHSH", "SHwwSH", "SSSSSH", "HHHHHH"}, {"SSSSSS", "HHHHHH"}},
        {fsGroove, {"SSSSSH", "SHHHSH", "SHwwSH", "SSSSSH", "HHHHHH"}, {"SSSSSS", "HHHHHH"}},
        {fsBump, {"HHHHHS", "HSSSHS", "HSwwHS", "HHHHHS", "SSSSSS"}, {"HHHHHH", "SSSSSS"}},
        {fsLowered, {"SSSSSH", "SDDDLH", "SDwwLH", "SLLLLH", "HHHHHH"}, {"SSSSSS", "DDDDDD"}},
        {fsButtonDown, {"TTTTTT", "TSSSST", "TSwwST", "TSSSST", "TTTTTT"}, {"TTTTTT", "SSSSSS"}},
        {fsRaised, {"LLLLLD", "LHHHSD", "LHwwSD", "LSSSSD", "DDDDDD"}, {"LLLLLL", "HHHHHH"}},
        {fsButtonUp, {"HHHHHD", "HLLLSD", "HLwwSD", "HSSSSD", "DDDDDD"}, {"HHHHHH", "LLLLLL"}},
        {fsStatus, {"SSSSSH", "SwwwwH", "SwwwwH", "SwwwwH", "HHHHHH"}, {"SSSSSS", "wwwwww"}},
        {fsPopup, {"HHHHHS", "HwwwwS", "HwwwwS", "HwwwwS", "SSSSSS"}, {"HHHHHH", "wwwwww"}},
        {fsFlat, {"AAAAAA", "AwwwwA", "AwwwwA", "AwwwwA", "AAAAAA"}, {"wwAAww", "wwwwww"}},
        {fsFlatBold, {"AAAAAA", "AAAAAA", "AAwwAA", "AAAAAA", "AAAAAA"}, {"wwAAww", "wwAAww"}},
        {fsFlatRounded, {"AAAAAA", "AwwwwA", "AwwwwA", "AwwwwA", "AAAAAA"}, {"wwAAww", "wwwwww"}},
    };
    const char* w = "wwwwww";
    for (const TCase& c : cases) {
        SCOPED_TRACE(GetEnumName(FrameStyleExTypeInfo(), c.Outer));
        box->SetBorderOuter(c.Outer);
        box->SetGroupStyle(gsStandard);
        std::vector<const char*> rows = {w, w};
        rows.insert(rows.end(), c.Standard.begin(), c.Standard.end());
        EXPECT_EQ(Map(box), Rows(rows));
        box->SetGroupStyle(gsTopLine);
        rows = {w, w, c.TopLine[0], c.TopLine[1], w, w, w};
        EXPECT_EQ(Map(box), Rows(rows));
    }
}

// The caption "I" (3 x 6, characters 3 x 5): set 8 pixels in on the
// standard frame, which is cleared under it; at the left of the top line,
// the line starting 4 past it; above the underline, centred in the
// caption's height plus 2; on the banner, whose outline leaves its corners
// open and whose inside is a top-to-bottom gradient, the caption 4 in. A
// disabled caption is grey, and a transparent box leaves the frame out
// under it.
TEST_F(GroupBoxFrame, CaptionsInEachStyle) {
    TQxGroupBox* box = NewBox({0, 0, 16, 8});
    box->SetCaption("I");
    box->SetGroupStyle(gsStandard);
    Form->Show();
    EXPECT_EQ(Map(box), Rows({"wwwwwwwwXXXwwwww", "wwwwwwwwXXXwwwww", "SSSSSSSSXXXSSSSH", "SHHHHHHHXXXHHHSH",
                              "SHwwwwwwXXXwwwSH", "SHwwwwwwwwwwwwSH", "SSSSSSSSSSSSSSSH", "HHHHHHHHHHHHHHHH"}));
    box->SetGroupStyle(gsTopLine);
    EXPECT_EQ(Map(box), Rows({"XXXwwwwwwwwwwwww", "XXXwwwwwwwwwwwww", "XXXwwwwSSSSSSSSS", "XXXwwwwHHHHHHHHH",
                              "XXXwwwwwwwwwwwww", "wwwwwwwwwwwwwwww", "wwwwwwwwwwwwwwww", "wwwwwwwwwwwwwwww"}));
    box->SetHeight(10);
    box->SetGroupStyle(gsUnderline);
    EXPECT_EQ(Map(box), Rows({"wwwwwwwwwwwwwwww", "XXXwwwwwwwwwwwww", "XXXwwwwwwwwwwwww", "XXXwwwwwwwwwwwww",
                              "XXXwwwwwwwwwwwww", "XXXwwwwwwwwwwwww", "wwwwwwwwwwwwwwww", "wwwwwwwwwwwwwwww",
                              "AAAAAAAAAAAAAAAA", "wwwwwwwwwwwwwwww"}));
    box->SetGroupStyle(gsBanner);
    box->SetBannerHeight(9);
    box->SetGradientColorStyle(gcsCustom);
    box->SetGradientColorStart(static_cast<TColor>(0x804000));
    box->SetGradientColorStop(static_cast<TColor>(0x804006));
    EXPECT_EQ(Map(box), Rows({"wAAAAAAAAAAAAAAw", "A000XXX00000000A", "A111XXX11111111A", "A222XXX22222222A",
                              "A333XXX33333333A", "A444XXX44444444A", "A55555555555555A", "A66666666666666A",
                              "wAAAAAAAAAAAAAAw", "wwwwwwwwwwwwwwww"}));

    box->SetHeight(8);
    box->SetGroupStyle(gsStandard);
    box->SetEnabled(false);
    box->SetTransparent(true);
    EXPECT_EQ(Map(box), Rows({"FFFFFFFFGGGFFFFF", "FFFFFFFFGGGFFFFF", "SSSSSSSSGGGSSSSH", "SHHHHHHHGGGHHHSH",
                              "SHFFFFFFGGGFFFSH", "SHFFFFFFFFFFFFSH", "SSSSSSSSSSSSSSSH", "HHHHHHHHHHHHHHHH"}));
}

} // namespace
