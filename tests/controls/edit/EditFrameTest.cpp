// The framed edit's library frame and its flat drop button, as shown on the
// form: the control frame of each style over the window's border, the hot
// frame while focused, and the drop button's faces with the classic arrow.
#include "controls/edit/QxEdit.h"
#include "platform/gui/controls/Themes.h"
#include "platform/gui/controls/WindowSurface.h"
#include "tests/controls/common/PaintTestSupport.h"
#include "tests/platform/gui/controls/ControlProbes.h"

#include <QImage>

using namespace probes;

namespace {

class EditFrame : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        SetThemeServices(ClassicThemeServices());
        InstallTestColors();
        Other = NewEdit({10, 100, 50, 121});
    }
    void TearDown() override {
        FormTest::TearDown();
        ResetSysColors();
        SetThemeServices(nullptr);
    }
    TQxEdit* NewEdit(TRect Bounds) {
        auto* e = new TQxEdit(Form);
        e->SetParent(Form);
        e->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        return e;
    }
    // The letters of the frame maps, 'R' red, 'K' black, and the four
    // shades derived from yellow: a, b lightened by 50 and 100, c, d
    // darkened by 50 and 100.
    static TLegend Legend() {
        TLegend l = FrameLegend();
        for (auto [color, letter] : std::vector<std::pair<TColor, char>>{{clRed, 'R'},
                                                                          {clBlack, 'K'},
                                                                          {clYellow, 'y'},
                                                                          {LightenColor(clYellow, 50), 'a'},
                                                                          {LightenColor(clYellow, 100), 'b'},
                                                                          {DarkenColor(clYellow, 50), 'c'},
                                                                          {DarkenColor(clYellow, 100), 'd'}})
            l.push_back({color, letter});
        return l;
    }
    // The pixels of R of the edit's window as the form shows them.
    std::string Map(TQxEdit* Edit, TRect R) {
        Application->ProcessMessages();
        const QImage shot = GrabWindow(Form);
        const TLegend legend = Legend();
        std::string s;
        for (Integer y = R.Top; y < R.Bottom; ++y) {
            for (Integer x = R.Left; x < R.Right; ++x) {
                const QRgb p = shot.pixel(Edit->Left() + x, Edit->Top() + y);
                s += LetterOf(RGB(qRed(p), qGreen(p), qBlue(p)), legend);
            }
            s += '\n';
        }
        return s;
    }
    TQxEdit* Other = nullptr;
};

// The two frame lines erased in the edit's colour, then the frame: flat
// styles in the frame colour, the others from the system colours on the
// window colour and derived from the edit's colour on any other; the hot
// style and colour while focused with hot tracking. The top-left and
// bottom-right 4 x 3 corners of a 40 x 21 edit.
TEST_F(EditFrame, TheFrameOfEachStyleAndColour) {
    TQxEdit* e = NewEdit({10, 10, 50, 31});
    e->SetFramingPreference(fpCustomFraming);
    e->SetFrameVisible(true);
    e->SetFrameColor(clRed);
    ShowForm();
    Other->SetFocus();
    struct TCase {
        const char* Name;
        TFrameStyle Style;
        TColor Color;
        TSides Sides;
        bool Focused;
        std::vector<const char*> TopLeft, BottomRight;
    };
    const TCase cases[] = {
        {"flat", fsFlat, clWindow, AllSides, false, {"RRRR", "Rwww", "Rwww"}, {"wwwR", "wwwR", "RRRR"}},
        {"bold", fsFlatBold, clWindow, AllSides, false, {"RRRR", "RRRR", "RRww"}, {"wwRR", "RRRR", "RRRR"}},
        {"lowered", fsLowered, clWindow, AllSides, false, {"SSSS", "SDDD", "SDww"}, {"wwLH", "LLLH", "HHHH"}},
        {"raised on yellow", fsRaised, clYellow, AllSides, false, {"aaaa", "abbb", "abyy"},
         {"yycd", "cccd", "dddd"}},
        {"left and top", fsFlat, clWindow, TSides{sdLeft, sdTop}, false, {"RRRR", "Rwww", "Rwww"},
         {"wwww", "wwww", "wwww"}},
        {"hot: bold in the shadow colour", fsFlat, clWindow, AllSides, true, {"SSSS", "SSSS", "SSww"},
         {"wwSS", "SSSS", "SSSS"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        e->SetFrameHotTrack(c.Focused);
        e->SetFrameStyle(c.Style);
        e->SetFrameSides(c.Sides);
        e->SetColor(c.Color);
        if (c.Focused) e->SetFocus();
        EXPECT_EQ(Map(e, {0, 0, 4, 3}), Rows(c.TopLeft));
        EXPECT_EQ(Map(e, {36, 18, 40, 21}), Rows(c.BottomRight));
        Other->SetFocus();
    }
}

// The flat drop button of a 40 x 13 edit: the last 16 pixels of the window
// inside its 2-pixel border, (22, 2, 38, 11). Idle it takes the edit's
// colour; focused, a one-pixel bevel in the button face colour (swapped
// while pressed) or a popup frame derived from another button colour;
// disabled, the disabled colour and a shadow-coloured arrow. The arrow's
// four rows (7, 5, 3 and 1 pixels) end 2 below the middle, at column 30.
TEST_F(EditFrame, TheFlatDropButtonByState) {
    TQxEdit* e = NewEdit({10, 10, 50, 23});
    e->SetDropButtonRequested(true);
    e->SetFlatButtons(true);
    ShowForm();
    Other->SetFocus();
    const TRect button{22, 2, 38, 11};
    EXPECT_EQ(Map(e, button), Rows({"wwwwwwwwwwwwwwww", "wwwwwwwwwwwwwwww", "wwwwwwwwwwwwwwww",
                                    "wwwwwKKKKKKKwwww", "wwwwwwKKKKKwwwww", "wwwwwwwKKKwwwwww",
                                    "wwwwwwwwKwwwwwww", "wwwwwwwwwwwwwwww", "wwwwwwwwwwwwwwww"}));
    e->SetFocus();
    EXPECT_EQ(Map(e, button), Rows({"HHHHHHHHHHHHHHHS", "HFFFFFFFFFFFFFFS", "HFFFFFFFFFFFFFFS",
                                    "HFFFFKKKKKKKFFFS", "HFFFFFKKKKKFFFFS", "HFFFFFFKKKFFFFFS",
                                    "HFFFFFFFKFFFFFFS", "HFFFFFFFFFFFFFFS", "SSSSSSSSSSSSSSSS"}));
    std::string pressed;
    e->OnDropButtonPress = [&](TObject*) { pressed = Map(e, button); };
    Key(VK_F1 + 3);
    EXPECT_EQ(pressed, Rows({"SSSSSSSSSSSSSSSH", "SFFFFFFFFFFFFFFH", "SFFFFFFFFFFFFFFH", "SFFFFKKKKKKKFFFH",
                             "SFFFFFKKKKKFFFFH", "SFFFFFFKKKFFFFFH", "SFFFFFFFKFFFFFFH", "SFFFFFFFFFFFFFFH",
                             "HHHHHHHHHHHHHHHH"}));
    e->SetFlatButtonColor(clYellow);
    e->Perform(WM_NCPAINT, 1);
    EXPECT_EQ(Map(e, button), Rows({"bbbbbbbbbbbbbbbc", "byyyyyyyyyyyyyyc", "byyyyyyyyyyyyyyc",
                                    "byyyyKKKKKKKyyyc", "byyyyyKKKKKyyyyc", "byyyyyyKKKyyyyyc",
                                    "byyyyyyyKyyyyyyc", "byyyyyyyyyyyyyyc", "cccccccccccccccc"}));
    Other->SetFocus();
    e->SetEnabled(false);
    EXPECT_EQ(Map(e, button), Rows({"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF",
                                    "FFFFFSSSSSSSFFFF", "FFFFFFSSSSSFFFFF", "FFFFFFFSSSFFFFFF",
                                    "FFFFFFFFSFFFFFFF", "FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF"}));
}

} // namespace
