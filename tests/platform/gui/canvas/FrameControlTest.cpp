// The classic check box and radio button of DrawFrameControl, pixel by
// pixel, in a colour table where every colour they use is distinct.
#include "platform/gui/gdi/FrameControl.h"
#include "tests/platform/gui/canvas/PixelTestSupport.h"

#include <utility>
#include <vector>

namespace {

constexpr COLORREF Paper = RGB(1, 2, 3);

class FrameControls : public ::testing::Test {
protected:
    void SetUp() override {
        TSysColorTable t = DefaultSysColors();
        t[COLOR_WINDOW] = RGB(250, 250, 250);
        t[COLOR_WINDOWTEXT] = RGB(5, 5, 5);
        t[COLOR_BTNFACE] = RGB(192, 192, 192);
        t[COLOR_BTNSHADOW] = RGB(100, 100, 100);
        t[COLOR_BTNHIGHLIGHT] = RGB(240, 240, 240);
        t[COLOR_3DDKSHADOW] = RGB(10, 10, 10);
        t[COLOR_3DLIGHT] = RGB(200, 200, 200);
        SetSysColors(t);
    }
    void TearDown() override { ResetSysColors(); }

    // Draws the part into a Paper bitmap of W x H and answers its map.
    std::string Draw(UINT State, int W = 13, int H = 13, UINT Type = DFC_BUTTON) {
        TBitmapPtr b = NewBitmap(W, H);
        TCanvas* c = b->Canvas();
        c->Brush()->SetColor(static_cast<TColor>(Paper));
        c->FillRect(TRect(0, 0, W, H));
        TRect r(0, 0, W, H);
        EXPECT_TRUE(DrawFrameControl(c->Handle(), &r, Type, State));
        const std::vector<std::pair<COLORREF, char>> legend = {
            {Paper, '.'},
            {GetSysColor(COLOR_WINDOW), 'w'},
            {GetSysColor(COLOR_WINDOWTEXT), 'X'},
            {GetSysColor(COLOR_BTNFACE), 'F'},
            {GetSysColor(COLOR_BTNSHADOW), 'S'},
            {GetSysColor(COLOR_BTNHIGHLIGHT), 'H'},
            {GetSysColor(COLOR_3DDKSHADOW), 'D'},
            {GetSysColor(COLOR_3DLIGHT), 'L'},
            {RGB(0, 0, 0), '#'},
            {RGB(255, 255, 255), '_'},
        };
        std::string s;
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                COLORREF p = static_cast<COLORREF>(c->Pixels(x, y));
                char ch = '?';
                for (auto& [color, letter] : legend)
                    if (color == p) {
                        ch = letter;
                        break;
                    }
                s += ch;
            }
            s += '\n';
        }
        return s;
    }
};

TEST_F(FrameControls, CheckBoxInEveryState) {
    struct Case {
        UINT State;
        std::string Map;
    };
    const std::vector<Case> cases = {
        {DFCS_BUTTONCHECK, Rows({"SSSSSSSSSSSSH", "SDDDDDDDDDDLH", "SDwwwwwwwwwLH", "SDwwwwwwwwwLH",
                                 "SDwwwwwwwwwLH", "SDwwwwwwwwwLH", "SDwwwwwwwwwLH", "SDwwwwwwwwwLH",
                                 "SDwwwwwwwwwLH", "SDwwwwwwwwwLH", "SDwwwwwwwwwLH", "SLLLLLLLLLLLH",
                                 "HHHHHHHHHHHHH"})},
        {DFCS_BUTTONCHECK | DFCS_CHECKED,
         Rows({"SSSSSSSSSSSSH", "SDDDDDDDDDDLH", "SDwwwwwwwwwLH", "SDwwwwwwwXwLH", "SDwwwwwwXXwLH",
               "SDwXwwwXXXwLH", "SDwXXwXXXwwLH", "SDwXXXXXwwwLH", "SDwwXXXwwwwLH", "SDwwwXwwwwwLH",
               "SDwwwwwwwwwLH", "SLLLLLLLLLLLH", "HHHHHHHHHHHHH"})},
        {DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_PUSHED,
         Rows({"SSSSSSSSSSSSH", "SDDDDDDDDDDLH", "SDFFFFFFFFFLH", "SDFFFFFFFXFLH", "SDFFFFFFXXFLH",
               "SDFXFFFXXXFLH", "SDFXXFXXXFFLH", "SDFXXXXXFFFLH", "SDFFXXXFFFFLH", "SDFFFXFFFFFLH",
               "SDFFFFFFFFFLH", "SLLLLLLLLLLLH", "HHHHHHHHHHHHH"})},
        {DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE,
         Rows({"SSSSSSSSSSSSH", "SDDDDDDDDDDLH", "SDFFFFFFFFFLH", "SDFFFFFFFSFLH", "SDFFFFFFSSFLH",
               "SDFSFFFSSSFLH", "SDFSSFSSSFFLH", "SDFSSSSSFFFLH", "SDFFSSSFFFFLH", "SDFFFSFFFFFLH",
               "SDFFFFFFFFFLH", "SLLLLLLLLLLLH", "HHHHHHHHHHHHH"})},
        {DFCS_BUTTONCHECK | DFCS_BUTTON3STATE | DFCS_CHECKED,
         Rows({"SSSSSSSSSSSSH", "SDDDDDDDDDDLH", "SDHFHFHFHFHLH", "SDFHFHFHFSFLH", "SDHFHFHFSSHLH",
               "SDFSFHFSSSFLH", "SDHSSFSSSFHLH", "SDFSSSSSFHFLH", "SDHFSSSFHFHLH", "SDFHFSFHFHFLH",
               "SDHFHFHFHFHLH", "SLLLLLLLLLLLH", "HHHHHHHHHHHHH"})},
    };
    for (const Case& c : cases) EXPECT_EQ(Draw(c.State), c.Map) << "state " << std::hex << c.State;
}

TEST_F(FrameControls, RadioButtonInEveryState) {
    const std::string checked = Rows({"FFFFSSSSFFFF.", "FFSSDDDDSSFF.", "FSDDwwwwDDHF.", "FSDwwwwwwLHF.",
                                      "SDwwwXXwwwLH.", "SDwwXXXXwwLH.", "SDwwXXXXwwLH.", "SDwwwXXwwwLH.",
                                      "FSDwwwwwwLHF.", "FSLLwwwwLLHF.", "FFHHLLLLHHFF.", "FFFFHHHHFFFF.",
                                      "FFFFFFFFFFFFF"});
    // The 12 x 12 circle sits at the top left of a 13 x 13 square; without
    // DFCS_TRANSPARENT the rest of the square is the button face.
    std::string expected = checked;
    for (std::size_t i = 12; i < expected.size(); i += 14) expected[i] = 'F';
    EXPECT_EQ(Draw(DFCS_BUTTONRADIO | DFCS_CHECKED), expected);

    std::string transparent = Draw(DFCS_BUTTONRADIO | DFCS_TRANSPARENT | DFCS_INACTIVE);
    EXPECT_EQ(transparent, Rows({"....SSSS.....", "..SSDDDDSS...", ".SDDFFFFDDH..", ".SDFFFFFFLH..",
                                 "SDFFFFFFFFLH.", "SDFFFFFFFFLH.", "SDFFFFFFFFLH.", "SDFFFFFFFFLH.",
                                 ".SDFFFFFFLH..", ".SLLFFFFLLH..", "..HHLLLLHH...", "....HHHH.....",
                                 "............."}));
    EXPECT_EQ(Draw(DFCS_BUTTONRADIO | DFCS_TRANSPARENT | DFCS_INACTIVE | DFCS_CHECKED),
              Rows({"....SSSS.....", "..SSDDDDSS...", ".SDDFFFFDDH..", ".SDFFFFFFLH..", "SDFFFSSFFFLH.",
                    "SDFFSSSSFFLH.", "SDFFSSSSFFLH.", "SDFFFSSFFFLH.", ".SDFFFFFFLH..", ".SLLFFFFLLH..",
                    "..HHLLLLHH...", "....HHHH.....", "............."}));
    EXPECT_EQ(Draw(DFCS_BUTTONRADIOMASK, 12, 12),
              Rows({"____####____", "__########__", "_##########_", "_##########_", "############",
                    "############", "############", "############", "_##########_", "_##########_",
                    "__########__", "____####____"}));
}

TEST_F(FrameControls, PartsAreCentredInTheLargestSquareAndUnknownPartsDrawNothing) {
    std::string wide = Draw(DFCS_BUTTONCHECK, 17, 13);
    EXPECT_EQ(wide.substr(0, 18), "..SSSSSSSSSSSSH..\n");
    TBitmapPtr b = NewBitmap(4, 4);
    TRect r(0, 0, 4, 4);
    EXPECT_FALSE(DrawFrameControl(b->Canvas()->Handle(), &r, DFC_BUTTON, DFCS_BUTTONPUSH));
    EXPECT_EQ(Dump(b->Canvas(), 4, 4), Rows({"....", "....", "....", "...."}));
}

TEST_F(FrameControls, ComboArrowRaisedPushedAndInactive) {
    auto combo = [this](UINT State) { return Draw(DFCS_SCROLLCOMBOBOX | State, 12, 10, DFC_SCROLL); };
    EXPECT_EQ(combo(0), Rows({"LLLLLLLLLLLD", "LHHHHHHHHHSD", "LHFFFFFFFFSD", "LHF#####FFSD", "LHFF###FFFSD",
                              "LHFFF#FFFFSD", "LHFFFFFFFFSD", "LHFFFFFFFFSD", "LSSSSSSSSSSD", "DDDDDDDDDDDD"}));
    EXPECT_EQ(combo(DFCS_PUSHED | DFCS_FLAT),
              Rows({"SSSSSSSSSSSS", "SFFFFFFFFFFS", "SFFFFFFFFFFS", "SFFFFFFFFFFS", "SFFF#####FFS", "SFFFF###FFFS",
                    "SFFFFF#FFFFS", "SFFFFFFFFFFS", "SFFFFFFFFFFS", "SSSSSSSSSSSS"}));
    // Inactive: the arrow in shadow over a highlight copy one pixel down and right.
    EXPECT_EQ(combo(DFCS_INACTIVE).substr(3 * 13, 4 * 13),
              Rows({"LHFSSSSSFFSD", "LHFFSSSHHFSD", "LHFFFSHHFFSD", "LHFFFFHFFFSD"}));
}

} // namespace
