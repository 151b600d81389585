// The spin button: clicks on release, auto-repeat on the manual clock, and
// the look of its halves.
#include "platform/gui/controls/Spin.h"
#include "platform/rtl/Clock.h"
#include "tests/platform/gui/controls/ControlProbes.h"

using namespace probes;

namespace {

class SpinButton : public FormTest {
protected:
    TManualClock Clock{1000};
    TScopedClock Use{&Clock};
};

TEST_F(SpinButton, ReleaseClicksAndHoldingRepeats) {
    auto* spin = new TSpinButton(Form);
    spin->SetParent(Form);
    spin->SetBounds(10, 10, 15, 18);
    std::vector<String> clicks;
    spin->OnUpClick = [&](TObject*) { clicks.push_back("up"); };
    spin->OnDownClick = [&](TObject*) { clicks.push_back("down"); };
    ShowForm();

    Click(spin, {7, 3});
    Click(spin, {7, 14});
    EXPECT_EQ(clicks, Entries({"up", "down"}));

    // Held: nothing before 400 ms, then one click each 100 ms.
    clicks.clear();
    MouseInput(Form, maDown, mbLeft, {}, {17, 13});
    EXPECT_EQ(spin->PressedHalf(), 1);
    Clock.Advance(399);
    Application->ProcessMessages();
    EXPECT_TRUE(clicks.empty());
    Clock.Advance(1);
    Application->ProcessMessages();
    for (int i = 0; i < 3; ++i) {
        Clock.Advance(100);
        Application->ProcessMessages();
    }
    EXPECT_EQ(clicks.size(), 4u);
    // Dragged off the half the repeat pauses; released outside, no click.
    MouseInput(Form, maMove, mbLeft, {ssLeft}, {60, 60});
    Clock.Advance(300);
    Application->ProcessMessages();
    MouseInput(Form, maUp, mbLeft, {}, {60, 60});
    EXPECT_EQ(clicks.size(), 4u);
    Clock.Advance(500);
    Application->ProcessMessages();
    EXPECT_EQ(clicks.size(), 4u);
    EXPECT_EQ(spin->PressedHalf(), 0);
}

TEST_F(SpinButton, HalvesAreButtonFacesWithCentredArrows) {
    auto* spin = new TSpinButton(Form);
    spin->SetParent(Form);
    spin->SetBounds(0, 0, 9, 16);
    TSysColorTable colors = DefaultSysColors();
    colors[COLOR_3DLIGHT] = RGB(200, 200, 200);
    colors[COLOR_BTNFACE] = RGB(192, 192, 192);
    SetSysColors(colors);
    ShowForm();
    TBitmap b(9, 16);
    spin->PaintTo(b.Canvas()->Handle(), 0, 0);
    std::string map;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 9; ++x) {
            const COLORREF c = static_cast<COLORREF>(b.Canvas()->Pixels(x, y));
            map += c == ColorToRGB(clBtnHighlight) ? 'H'
                   : c == ColorToRGB(cl3DDkShadow) ? 'D'
                   : c == ColorToRGB(clBtnShadow)  ? 'S'
                   : c == ColorToRGB(cl3DLight)    ? 'L'
                   : c == ColorToRGB(clBtnFace)    ? '.'
                   : c == ColorToRGB(clBtnText)    ? '#'
                                                   : '?';
        }
        map += '\n';
    }
    EXPECT_EQ(map, "HHHHHHHHD\n"
                   "HLLLLLLSD\n"
                   "HL..#..SD\n"
                   "HL.###.SD\n"
                   "HL#####SD\n"
                   "HL.....SD\n"
                   "HSSSSSSSD\n"
                   "DDDDDDDDD\n"
                   "HHHHHHHHD\n"
                   "HLLLLLLSD\n"
                   "HL#####SD\n"
                   "HL.###.SD\n"
                   "HL..#..SD\n"
                   "HL.....SD\n"
                   "HSSSSSSSD\n"
                   "DDDDDDDDD\n");
    ResetSysColors();
}

} // namespace
