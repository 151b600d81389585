// Tab painting to the pixel: the outline of each style, the card frame
// with the current tab's gap on each side, the shadow, the strip buttons'
// face and the drag indicator. Maps: ',' the control's background (set to
// the test paper), '.' clBtnFace (card and current tab), 'w' clWindow (the
// other tabs, gradients off), 'S' the frame colour (clBtnShadow), '?' a
// shadow pixel blended over the background.
#include "tests/controls/tabs/TabTestSupport.h"

namespace {

class TabPainting : public TabTest {
protected:
    TLegend Legend{{Paper, ','}, {clWindow, 'w'}, {clBtnShadow, 'S'}, {clBtnFace, '.'}};
    TQxTabControl* Plain(TRect Bounds) {
        auto* t = NewTabs({""}, Bounds);
        t->SetBackgroundColor(Paper);
        t->SetUseGradients(false);
        return t;
    }
};

// The Part's examples: the outline points of the tab (0,0,60,20) on top.
TEST_F(TabPainting, OutlinePointsOfEachStyle) {
    struct Case {
        TQxTabStyle Style;
        bool Soft;
        std::vector<TPoint> Points;
    };
    const std::vector<Case> cases = {
        {tsSingleSlant, false, {{0, 20}, {0, 2}, {2, 0}, {40, 0}, {60, 20}}},
        {tsSingleSlant, true, {{0, 20}, {0, 2}, {2, 0}, {36, 0}, {42, 2}, {60, 20}}},
        {tsDoubleSlant, false, {{0, 20}, {20, 0}, {40, 0}, {60, 20}}},
        {tsDoubleSlant, true, {{0, 20}, {18, 2}, {24, 0}, {36, 0}, {42, 2}, {60, 20}}},
        {tsCutCorner, false, {{0, 20}, {0, 0}, {54, 0}, {60, 6}, {60, 20}}},
        {tsCutCorner, true, {{0, 20}, {0, 0}, {54, 0}, {60, 6}, {60, 20}}},
        {tsRoundCorners, false, {{0, 20}, {0, 2}, {2, 0}, {58, 0}, {60, 2}, {60, 20}}},
        {tsBackSlant, false, {{0, 20}, {20, 0}, {58, 0}, {60, 2}, {60, 20}}},
        {tsBackSlant, true, {{0, 20}, {18, 2}, {24, 0}, {58, 0}, {60, 2}, {60, 20}}},
        {tsSquareCorners, false, {{0, 20}, {0, 0}, {60, 0}, {60, 20}}},
    };
    auto* t = Plain({0, 0, 200, 40});
    for (const Case& c : cases) {
        t->SetTabStyle(c.Style);
        t->SetSoftCorners(c.Soft);
        t->LayoutIfNeeded();
        t->Tabs()->GetItem(0)->TabRect = {0, 0, 60, 20};
        EXPECT_EQ(t->TabShape(0), c.Points) << c.Style << " " << c.Soft;
    }
}

// Each style's outline painted on top, SoftCorners off and on where they
// differ; the tab (0,0,24,10) is not the current one (round and square
// corners sit 2 pixels in and 3 down, room for the current tab to grow).
TEST_F(TabPainting, OutlineOfEachStyle) {
    const std::vector<std::pair<TQxTabStyle, bool>> styles = {
        {tsSingleSlant, false}, {tsSingleSlant, true}, {tsDoubleSlant, false}, {tsDoubleSlant, true},
        {tsCutCorner, false},   {tsRoundCorners, false}, {tsBackSlant, false}, {tsBackSlant, true},
        {tsSquareCorners, false}};
    const std::vector<std::string> maps = {
        Rows({",wSSSSSSSSSSSSS,,,,,,,,,,,,,",
              "wSwwwwwwwwwwwwwS,,,,,,,,,,,,",
              "SwwwwwwwwwwwwwwwS,,,,,,,,,,,",
              "SwwwwwwwwwwwwwwwwS,,,,,,,,,,",
              "SwwwwwwwwwwwwwwwwwS,,,,,,,,,",
              "SwwwwwwwwwwwwwwwwwwS,,,,,,,,",
              "SwwwwwwwwwwwwwwwwwwwS,,,,,,,",
              "SwwwwwwwwwwwwwwwwwwwwS,,,,,,",
              "SwwwwwwwwwwwwwwwwwwwwwS,,,,,",
              "SwwwwwwwwwwwwwwwwwwwwwwS,,,,",
              "SSSSSSSSSSSSSSSSSSSSSSSSSSSS",
              "S...........................",
              "S...........................",
              "S..........................."}),
        Rows({",wSSSSSSSSSS,,,,,,,,,,,,,,,,",
              "wSwwwwwwwwwwSSS,,,,,,,,,,,,,",
              "SwwwwwwwwwwwwwwSS,,,,,,,,,,,",
              "SwwwwwwwwwwwwwwwwS,,,,,,,,,,",
              "SwwwwwwwwwwwwwwwwwS,,,,,,,,,",
              "SwwwwwwwwwwwwwwwwwwS,,,,,,,,",
              "SwwwwwwwwwwwwwwwwwwwS,,,,,,,",
              "SwwwwwwwwwwwwwwwwwwwwS,,,,,,",
              "SwwwwwwwwwwwwwwwwwwwwwS,,,,,",
              "SwwwwwwwwwwwwwwwwwwwwwwS,,,,",
              "SSSSSSSSSSSSSSSSSSSSSSSSSSSS",
              "S...........................",
              "S...........................",
              "S..........................."}),
        Rows({",,,,,,,,,wSSSSS,,,,,,,,,,,,,",
              ",,,,,,,,wSwwwwwS,,,,,,,,,,,,",
              ",,,,,,,wSwwwwwwwS,,,,,,,,,,,",
              ",,,,,,wSwwwwwwwwwS,,,,,,,,,,",
              ",,,,,wSwwwwwwwwwwwS,,,,,,,,,",
              ",,,,wSwwwwwwwwwwwwwS,,,,,,,,",
              ",,,wSwwwwwwwwwwwwwwwS,,,,,,,",
              ",,wSwwwwwwwwwwwwwwwwwS,,,,,,",
              ",wSwwwwwwwwwwwwwwwwwwwS,,,,,",
              "wSwwwwwwwwwwwwwwwwwwwwwS,,,,",
              "SSSSSSSSSSSSSSSSSSSSSSSSSSSS",
              "S...........................",
              "S...........................",
              "S..........................."}),
        Rows({",,,,,,,,,,SSSSS,,,,,,,,,,,,,",
              ",,,,,,,,,wSSSSS,,,,,,,,,,,,,",
              ",,,,,,,wSSwwwwwSS,,,,,,,,,,,",
              ",,,,,,wSwwwwwwwwwS,,,,,,,,,,",
              ",,,,,wSwwwwwwwwwwwS,,,,,,,,,",
              ",,,,wSwwwwwwwwwwwwwS,,,,,,,,",
              ",,,wSwwwwwwwwwwwwwwwS,,,,,,,",
              ",,wSwwwwwwwwwwwwwwwwwS,,,,,,",
              ",wSwwwwwwwwwwwwwwwwwwwS,,,,,",
              "wSwwwwwwwwwwwwwwwwwwwwwS,,,,",
              "SSSSSSSSSSSSSSSSSSSSSSSSSSSS",
              "S...........................",
              "S...........................",
              "S..........................."}),
        Rows({"SSSSSSSSSSSSSSSSSSS,,,,,,,,,",
              "SwwwwwwwwwwwwwwwwwwS,,,,,,,,",
              "SwwwwwwwwwwwwwwwwwwwS,,,,,,,",
              "SwwwwwwwwwwwwwwwwwwwwS,,,,,,",
              "SwwwwwwwwwwwwwwwwwwwwwS,,,,,",
              "SwwwwwwwwwwwwwwwwwwwwwwS,,,,",
              "SwwwwwwwwwwwwwwwwwwwwwwwS,,,",
              "SwwwwwwwwwwwwwwwwwwwwwwwS,,,",
              "SwwwwwwwwwwwwwwwwwwwwwwwS,,,",
              "SwwwwwwwwwwwwwwwwwwwwwwwS,,,",
              "SSSSSSSSSSSSSSSSSSSSSSSSSSSS",
              "S...........................",
              "S...........................",
              "S..........................."}),
        Rows({",,,,,,,,,,,,,,,,,,,,,,,,,,,,",
              ",,,,,,,,,,,,,,,,,,,,,,,,,,,,",
              ",,,,,,,,,,,,,,,,,,,,,,,,,,,,",
              ",,,wSSSSSSSSSSSSSSSSSSSSS,,,",
              ",,wSwwwwwwwwwwwwwwwwwwwwwS,,",
              ",,SwwwwwwwwwwwwwwwwwwwwwwwS,",
              ",,SwwwwwwwwwwwwwwwwwwwwwwwS,",
              ",,SwwwwwwwwwwwwwwwwwwwwwwwS,",
              ",,SwwwwwwwwwwwwwwwwwwwwwwwS,",
              ",,SwwwwwwwwwwwwwwwwwwwwwwwS,",
              ",,SwwwwwwwwwwwwwwwwwwwwwwwS,",
              ",,SwwwwwwwwwwwwwwwwwwwwwwwS,",
              ",,SwwwwwwwwwwwwwwwwwwwwwwwS,",
              "SSSSSSSSSSSSSSSSSSSSSSSSSSSS"}),
        Rows({",,,,,,,,,wSSSSSSSSSSSSS,,,,,",
              ",,,,,,,,wSwwwwwwwwwwwwwS,,,,",
              ",,,,,,,wSwwwwwwwwwwwwwwwS,,,",
              ",,,,,,wSwwwwwwwwwwwwwwwwS,,,",
              ",,,,,wSwwwwwwwwwwwwwwwwwS,,,",
              ",,,,wSwwwwwwwwwwwwwwwwwwS,,,",
              ",,,wSwwwwwwwwwwwwwwwwwwwS,,,",
              ",,wSwwwwwwwwwwwwwwwwwwwwS,,,",
              ",wSwwwwwwwwwwwwwwwwwwwwwS,,,",
              "wSwwwwwwwwwwwwwwwwwwwwwwS,,,",
              "SSSSSSSSSSSSSSSSSSSSSSSSSSSS",
              "S...........................",
              "S...........................",
              "S..........................."}),
        Rows({",,,,,,,,,,,,wSSSSSSSSSS,,,,,",
              ",,,,,,,,,wSSSwwwwwwwwwwS,,,,",
              ",,,,,,,wSSwwwwwwwwwwwwwwS,,,",
              ",,,,,,wSwwwwwwwwwwwwwwwwS,,,",
              ",,,,,wSwwwwwwwwwwwwwwwwwS,,,",
              ",,,,wSwwwwwwwwwwwwwwwwwwS,,,",
              ",,,wSwwwwwwwwwwwwwwwwwwwS,,,",
              ",,wSwwwwwwwwwwwwwwwwwwwwS,,,",
              ",wSwwwwwwwwwwwwwwwwwwwwwS,,,",
              "wSwwwwwwwwwwwwwwwwwwwwwwS,,,",
              "SSSSSSSSSSSSSSSSSSSSSSSSSSSS",
              "S...........................",
              "S...........................",
              "S..........................."}),
        Rows({",,,,,,,,,,,,,,,,,,,,,,,,,,,,",
              ",,,,,,,,,,,,,,,,,,,,,,,,,,,,",
              ",,,,,,,,,,,,,,,,,,,,,,,,,,,,",
              ",,SSSSSSSSSSSSSSSSSSSSSSSSS,",
              ",,SwwwwwwwwwwwwwwwwwwwwwwwS,",
              ",,SwwwwwwwwwwwwwwwwwwwwwwwS,",
              ",,SwwwwwwwwwwwwwwwwwwwwwwwS,",
              ",,SwwwwwwwwwwwwwwwwwwwwwwwS,",
              ",,SwwwwwwwwwwwwwwwwwwwwwwwS,",
              ",,SwwwwwwwwwwwwwwwwwwwwwwwS,",
              ",,SwwwwwwwwwwwwwwwwwwwwwwwS,",
              ",,SwwwwwwwwwwwwwwwwwwwwwwwS,",
              ",,SwwwwwwwwwwwwwwwwwwwwwwwS,",
              "SSSSSSSSSSSSSSSSSSSSSSSSSSSS"}),
    };
    Show();
    for (size_t k = 0; k < styles.size(); ++k) {
        auto* t = Plain({0, 0, 100, 16});
        t->SetTabStyle(styles[k].first);
        t->SetSoftCorners(styles[k].second);
        t->SetTabWidth(24);
        t->SetTabHeight(10);
        t->SetShowShadow(false);
        PaintNow(t);
        EXPECT_EQ(BufferMap(t, Legend, {0, 0, 28, 14}), maps[k]) << styles[k].first << " " << styles[k].second;
        t->Free();
    }
}

// The card under the current tab keeps a gap between the tab's two feet;
// without ShowFullFrame only the edge at the tabs is drawn; tabs on top in
// the standard sequence with ShowShadow get the shadow at the right and
// bottom, and a frame 2 pixels in. With round and square corners the
// current tab grows by 2 over its neighbours and away from the card, and
// the frame has corner rules of its own (it starts at D, one pixel marks
// G2 on top). Tabs 6 across, 12 along (6 for round and square corners),
// the font 4 high.
TEST_F(TabPainting, CardFrameWithTheGapOnEachSide) {
    struct Case {
        TQxTabOrientation Side;
        bool Full, Shadow;
        TQxTabStyle Style = tsSingleSlant;
        Integer Along = 12;
    };
    const TQxTabStyle sq = tsSquareCorners, rc = tsRoundCorners;
    const std::vector<Case> cases = {
        {toTop, true, false},         {toTop, true, true},          {toTop, false, false},
        {toLeft, true, false},        {toLeft, false, false},       {toBottom, true, false},
        {toBottom, false, false},     {toRight, true, false},       {toRight, false, false},
        {toTop, true, true, sq, 6},   {toTop, true, false, sq, 6},  {toTop, false, false, sq, 6},
        {toLeft, true, false, sq, 6}, {toLeft, false, false, sq, 6}, {toBottom, true, false, sq, 6},
        {toBottom, false, false, sq, 6}, {toRight, true, false, sq, 6}, {toRight, false, false, sq, 6},
        {toTop, true, true, rc, 6}};
    const std::vector<std::string> maps = {
        Rows({",.SSSSS,,,,,,,,,,,,,,,,,,,,,,,,,",
              ".S.....S,,,,,,,,,,,,,,,,,,,,,,,,",
              "S.......S,,,,,,,,,,,,,,,,,,,,,,,",
              "S........S,,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S..........S,,,,,,,,,,,,,,,,,,,,",
              "S...........SSSSSSSSSSSSSSSSSSSS",
              "S..............................S",
              "S..............................S",
              "S..............................S",
              "S..............................S",
              "S..............................S",
              "S..............................S",
              "SSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSS"}),
        Rows({",.SSSS,,,,,,,,,,,,,,,,,,,,,,,,,,",
              ".S....S,,,,,,,,,,,,,,,,,,,,,,,,,",
              "S......S,,,,,,,,,,,,,,,,,,,,,,,,",
              "S.......S,,,,,,,,,,,,,,,,,,,,,,,",
              "S........S,,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S..........SSSSSSSSSSSSSSSSSSS??",
              "S............................S??",
              "S............................S??",
              "S............................S??",
              "S............................S??",
              "SSSSSSSSSSSSSSSSSSSSSSSSSSSSSS??",
              "????????????????????????????????",
              "????????????????????????????????"}),
        Rows({",.SSSSS,,,,,,,,,,,,,,,,,,,,,,,,,",
              ".S.....S,,,,,,,,,,,,,,,,,,,,,,,,",
              "S.......S,,,,,,,,,,,,,,,,,,,,,,,",
              "S........S,,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S..........S,,,,,,,,,,,,,,,,,,,,",
              "S...........SSSSSSSSSSSSSSSSSSSS",
              "................................",
              "................................",
              "................................",
              "................................",
              "................................",
              "................................",
              "................................"}),
        Rows({",,,,,,SSSSSSSS",
              ",,,,,,S......S",
              ",,,,,,S......S",
              ",,,,,,S......S",
              ",,,,,,S......S",
              ",,,,,,S......S",
              ",,,,,,S......S",
              ",,,,,,S......S",
              ",,,,,,S......S",
              ",,,,,,S......S",
              ",,,,,,S......S",
              ",,,,,,S......S",
              ",,,,,,S......S",
              ",,,,,,S......S",
              ",,,,,,S......S",
              ",,,,,,S......S",
              ",,,,,,S......S",
              ",,,,,,S......S",
              ",,,,,,S......S",
              ",,,,,.S......S",
              ",,,,.S.......S",
              ",,,.S........S",
              ",,.S.........S",
              ",.S..........S",
              ".S...........S",
              "S............S",
              "S............S",
              "S............S",
              "S............S",
              "S............S",
              ",S...........S",
              ",,SSSSSSSSSSSS"}),
        Rows({",,,,,S........",
              ",,,,,S........",
              ",,,,,S........",
              ",,,,,S........",
              ",,,,,S........",
              ",,,,,S........",
              ",,,,,S........",
              ",,,,,S........",
              ",,,,,S........",
              ",,,,,S........",
              ",,,,,S........",
              ",,,,,S........",
              ",,,,,S........",
              ",,,,,S........",
              ",,,,,S........",
              ",,,,,S........",
              ",,,,,S........",
              ",,,,,S........",
              ",,,,,S........",
              ",,,,,S........",
              ",,,,.S........",
              ",,,.S.........",
              ",,.S..........",
              ",.S...........",
              ".S............",
              "S.............",
              "S.............",
              "S.............",
              "S.............",
              "S.............",
              ",S............",
              ",,SSSS........"}),
        Rows({"SSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSS",
              "S..............................S",
              "S..............................S",
              "S..............................S",
              "S..............................S",
              "S..............................S",
              "S..............................S",
              "S...........SSSSSSSSSSSSSSSSSSSS",
              "S.........,S,,,,,,,,,,,,,,,,,,,,",
              "S........,S,,,,,,,,,,,,,,,,,,,,,",
              "S.......,S,,,,,,,,,,,,,,,,,,,,,,",
              "S......,S,,,,,,,,,,,,,,,,,,,,,,,",
              ",S....,S,,,,,,,,,,,,,,,,,,,,,,,,",
              ",,SSSSS,,,,,,,,,,,,,,,,,,,,,,,,,"}),
        Rows({"................................",
              "................................",
              "................................",
              "................................",
              "................................",
              "................................",
              "................................",
              "................................",
              "S.........,SSSSSSSSSSSSSSSSSSSSS",
              "S........,S,,,,,,,,,,,,,,,,,,,,,",
              "S.......,S,,,,,,,,,,,,,,,,,,,,,,",
              "S......,S,,,,,,,,,,,,,,,,,,,,,,,",
              ",S....,S,,,,,,,,,,,,,,,,,,,,,,,,",
              ",,SSSSS,,,,,,,,,,,,,,,,,,,,,,,,,"}),
        Rows({"SSSSSSSSSSSS,,",
              "S...........S,",
              "S............S",
              "S............S",
              "S............S",
              "S............S",
              "S...........,S",
              "S..........,S,",
              "S.........,S,,",
              "S........,S,,,",
              "S.......,S,,,,",
              "S.......S,,,,,",
              "S......S,,,,,,",
              "S......S,,,,,,",
              "S......S,,,,,,",
              "S......S,,,,,,",
              "S......S,,,,,,",
              "S......S,,,,,,",
              "S......S,,,,,,",
              "S......S,,,,,,",
              "S......S,,,,,,",
              "S......S,,,,,,",
              "S......S,,,,,,",
              "S......S,,,,,,",
              "S......S,,,,,,",
              "S......S,,,,,,",
              "S......S,,,,,,",
              "S......S,,,,,,",
              "S......S,,,,,,",
              "S......S,,,,,,",
              "S......S,,,,,,",
              "SSSSSSSS,,,,,,"}),
        Rows({"........SSSS,,",
              "............S,",
              ".............S",
              ".............S",
              ".............S",
              ".............S",
              "............,S",
              "...........,S,",
              "..........,S,,",
              ".........,S,,,",
              "........,S,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,",
              "........S,,,,,"}),
        // square top full shadow
        Rows({",,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,",
              "SSSSSSSSSSS,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........SSSSSSSSSSSSSSSSSSSS??",
              "S............................S??",
              "SSSSSSSSSSSSSSSSSSSSSSSSSSSSSS??",
              "????????????????????????????????",
              "????????????????????????????????"}),
        // square top full
        Rows({",,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,",
              "SSSSSSSSSSS,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........SSSSSSSSSSSSSSSSSSSSSS",
              "S..............................S",
              "S..............................S",
              "S..............................S",
              "SSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSS"}),
        // square top
        Rows({",,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,",
              "SSSSSSSSSSS,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........SSSSSSSSSSSSSSSSSSSSSS",
              "................................",
              "................................",
              "................................",
              "................................"}),
        // square left full
        Rows({",,,,,,,,,SSSSS",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",,,,,,,,,S...S",
              ",SSSSSSSSS...S",
              ",S...........S",
              ",S...........S",
              ",S...........S",
              ",S...........S",
              ",S...........S",
              ",S...........S",
              ",S...........S",
              ",S...........S",
              ",S...........S",
              ",SSSSSSSSSSSSS"}),
        // square left
        Rows({",,,,,,,,,.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",,,,,,,,S.....",
              ",SSSSSSSS.....",
              ",S............",
              ",S............",
              ",S............",
              ",S............",
              ",S............",
              ",S............",
              ",S............",
              ",S............",
              ",S............",
              ",SSSSSSSS....."}),
        // square bottom full
        Rows({"SSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSS",
              "S..............................S",
              "S..............................S",
              "S..............................S",
              "S.........SSSSSSSSSSSSSSSSSSSSSS",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "SSSSSSSSSSS,,,,,,,,,,,,,,,,,,,,,",
              ",,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,"}),
        // square bottom
        Rows({"................................",
              "................................",
              "................................",
              "................................",
              "................................",
              "S.........SSSSSSSSSSSSSSSSSSSSSS",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "SSSSSSSSSSS,,,,,,,,,,,,,,,,,,,,,",
              ",,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,"}),
        // square right full
        Rows({"SSSSSSSSSSSSS,",
              "S...........S,",
              "S...........S,",
              "S...........S,",
              "S...........S,",
              "S...........S,",
              "S...........S,",
              "S...........S,",
              "S...........S,",
              "S...........S,",
              "S...SSSSSSSSS,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "S...S,,,,,,,,,",
              "SSSSS,,,,,,,,,"}),
        // square right
        Rows({".....SSSSSSSS,",
              "............S,",
              "............S,",
              "............S,",
              "............S,",
              "............S,",
              "............S,",
              "............S,",
              "............S,",
              "............S,",
              ".....SSSSSSSS,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,",
              ".....S,,,,,,,,"}),
        // round top full shadow
        Rows({",,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,",
              ",.SSSSSSS,,,,,,,,,,,,,,,,,,,,,,,",
              ".S.......S,,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........S,,,,,,,,,,,,,,,,,,,,,",
              "S.........SSSSSSSSSSSSSSSSSSSS??",
              "S............................S??",
              "SSSSSSSSSSSSSSSSSSSSSSSSSSSSSS??",
              "????????????????????????????????",
              "????????????????????????????????"}),
    };
    Show();
    for (size_t k = 0; k < cases.size(); ++k) {
        const Case& c = cases[k];
        const bool side = c.Side == toLeft || c.Side == toRight;
        auto* t = Plain(side ? TRect{0, 0, 14, 32} : TRect{0, 0, 32, 14});
        t->Font()->SetHeight(-4);
        t->SetTabStyle(c.Style);
        t->SetTabOrientation(c.Side);
        t->SetTabWidth(side ? 6 : c.Along);
        t->SetTabHeight(side ? c.Along : 6);
        t->SetShowFullFrame(c.Full);
        t->SetShowShadow(c.Shadow);
        t->SetTabIndex(0);
        PaintNow(t);
        EXPECT_EQ(BufferMap(t, Legend, t->ClientRect()), maps[k])
            << c.Style << " " << c.Side << " " << c.Full << " " << c.Shadow;
        t->Free();
    }
}

// The strip buttons' face: frame outline; inside a gradient from light
// (ButtonColor + 20) to dark (ButtonColor - 20), 30 lighter when hot and 30
// darker when down; flat ButtonColor without gradients; disabled all
// LightenColor(clBtnShadow, 30). '?' marks the gradient's rows between.
TEST_F(TabPainting, StripButtonFace) {
    auto* t = NewTabs({""});
    const TColor base = clBtnFace;
    const TLegend legend{{clBtnShadow, 'S'},
                         {DarkenColor(base, 20), 'd'},
                         {LightenColor(DarkenColor(base, 20), 30), 'D'},
                         {DarkenColor(DarkenColor(base, 20), 30), 'n'},
                         {base, 'b'},
                         {LightenColor(base, 30), 'h'},
                         {DarkenColor(base, 30), 'k'},
                         {LightenColor(clBtnShadow, 30), 'x'}};
    struct Case {
        bool Enabled, Gradients, Hot, Down;
        char Bottom;
    };
    for (Case c : {Case{true, true, false, false, 'd'}, Case{true, true, true, false, 'D'},
                   Case{true, true, false, true, 'n'}, Case{true, false, false, false, 'b'},
                   Case{true, false, true, false, 'h'}, Case{true, false, false, true, 'k'},
                   Case{false, true, false, false, 'x'}}) {
        t->SetUseGradients(c.Gradients);
        NewCanvas(6, 5);
        PaintTabButtonFace(Canvas(), {0, 0, 6, 5}, t, c.Enabled, clBtnShadow, c.Hot, c.Down);
        const std::string inner = c.Gradients && c.Enabled ? "S????S" : std::string("S") + std::string(4, c.Bottom) + "S";
        const std::string bottom = std::string("S") + std::string(4, c.Bottom) + "S";
        EXPECT_EQ(Map(legend), Rows({"SSSSSS", inner.c_str(), inner.c_str(), bottom.c_str(), "SSSSSS"}))
            << c.Enabled << c.Gradients << c.Hot << c.Down;
    }
}

// The drag indicator on black shows its own pixels: the XOR colour 'o'
// beside black triangles, an arrow head pointing at the strip; drawn a
// second time it leaves black again.
TEST_F(TabPainting, DragIndicatorOnEachSide) {
    const std::vector<std::string> maps = {
        Rows({"oooooooooooooo.", ".oooooooooooo..", "..oooooooooo...", "...oooooooo....", "....oooooo.....",
              ".....oooo......", "......oo.......", "..............."}),
        Rows({"o.......", "oo......", "ooo.....", "oooo....", "ooooo...", "oooooo..", "ooooooo.", "ooooooo.",
              "oooooo..", "ooooo...", "oooo....", "ooo.....", "oo......", "o.......", "........"}),
        Rows({"......oo.......", ".....oooo......", "....oooooo.....", "...oooooooo....", "..oooooooooo...",
              ".oooooooooooo..", "oooooooooooooo.", "ooooooooooooooo"}),
        Rows({"......oo", ".....ooo", "....oooo", "...ooooo", "..oooooo", ".ooooooo", "oooooooo", "oooooooo",
              ".ooooooo", "..oooooo", "...ooooo", "....oooo", ".....ooo", "......oo", ".......o"}),
    };
    const TLegend legend{{clBlack, '.'}, {XorColors(0x505050, clBtnFace), 'o'}};
    for (int side = 0; side < 4; ++side) {
        const int w = side % 2 ? 8 : 15, h = side % 2 ? 15 : 8;
        NewCanvas(w, h, clBlack);
        const std::string black = Map(legend);
        PaintTabDragIndicator(Canvas(), {0, 0, w, h}, static_cast<TQxTabOrientation>(side), 0x505050, clBtnFace);
        EXPECT_EQ(Map(legend), maps[static_cast<size_t>(side)]) << side;
        PaintTabDragIndicator(Canvas(), {0, 0, w, h}, static_cast<TQxTabOrientation>(side), 0x505050, clBtnFace);
        EXPECT_EQ(Map(legend), black) << side;
    }
}

// Captions in the test font: blocks from the cell's top to the baseline
// (rows 4..9 of the tab), the underline on row 11. Only a line's first
// ampersand counts: "&&" draws one "&" and underlines nothing, "&F"
// underlines the F (the whole character, of however many bytes), and a
// later "&" is drawn as it is.
TEST_F(TabPainting, CaptionsAndTheirAccelerators) {
    Show();
    struct Case {
        const char* Caption;
        const char* TextRow;      // row 6, x 5..21
        const char* UnderlineRow; // row 11, x 5..21
    };
    for (Case c : {Case{"&&ab", "wTTTTTTTTTTTTwwww", "wwwwwwwwwwwwwwwww"},
                   Case{"&Fab", "wTTTTTTTTTTTTwwww", "wTTTTwwwwwwwwwwww"},
                   Case{"&\u00c9ab", "wTTTTTTTTTTTTwwww", "wTTTTwwwwwwwwwwww"}, // one character of two bytes
                   Case{"a&b&c", "wTTTTTTTTTTTTTTTT", "wwwwwTTTTwwwwwwww"},
                   Case{"a&&b&c", "wTTTTTTTTTTTTTTTT", "wwwwwwwwwwwwwwwww"}}) {
        auto* t = Plain({0, 0, 200, 40});
        t->Tabs()->GetItem(0)->Caption = c.Caption;
        t->SetShowFocusRect(false);
        t->RequestLayout();
        PaintNow(t);
        const TLegend legend{{clWindow, 'w'}, {clBtnText, 'T'}};
        EXPECT_EQ(BufferMap(t, legend, {5, 6, 22, 7}), std::string(c.TextRow) + "\n") << c.Caption;
        EXPECT_EQ(BufferMap(t, legend, {5, 11, 22, 12}), std::string(c.UnderlineRow) + "\n") << c.Caption;
        t->Free();
    }
}

// A handler that fills the tab itself leaves the control's fill out; the
// caption and the outline are still drawn.
TEST_F(TabPainting, AHandledTabBackgroundIsNotFilled) {
    auto* t = Plain({0, 0, 200, 40});
    t->Tabs()->GetItem(0)->Caption = "A";
    t->OnPaintTabBackground = [](TObject*, TCanvas* C, Integer, const TRect& R, bool& Handled) {
        C->Brush()->SetColor(clRed);
        C->FillRect(R);
        Handled = true;
    };
    Show();
    PaintNow(t);
    const TLegend legend{{clRed, 'r'}, {clBtnText, 'T'}, {clBtnShadow, 'S'}};
    EXPECT_EQ(BufferMap(t, legend, {0, 5, 14, 6}), "SrrrrrTTTTrrrr\n");
}

// The close cross on the current tab: 15 x 13 in a content area at least
// 13 high, else 10 x 9; it closes on the left button only.
TEST_F(TabPainting, TheActiveTabsCloseCross) {
    for (Integer height : {19, 18}) {
        auto* t = Plain({0, 0, 200, 40});
        t->SetTabHeight(height);
        t->SetShowCloseButtonOnActiveTab(true);
        t->SetTabIndex(0);
        Show();
        PaintNow(t);
        const TRect content = t->TabContentRect(t->TabClientRect(0));
        const bool large = content.Height() >= 13;
        EXPECT_EQ(content.Height(), height - 6);
        TQxActiveTabCloseButton* b = t->ActiveTabCloseButton();
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->Width(), large ? 15 : 10) << height;
        EXPECT_EQ(b->Height(), large ? 13 : 9) << height;
        EXPECT_EQ(b->BoundsRect().Right, content.Right) << height;
        Integer closes = 0;
        t->OnClose = [&](TObject*, bool&) { ++closes; };
        const TPoint p{b->Left() + 3, b->Top() + 3};
        Mouse(t, maMove, p);
        Mouse(t, maDown, p, {}, mbRight);
        Mouse(t, maUp, p, {}, mbRight);
        EXPECT_EQ(closes, 0);
        Click(t, p);
        EXPECT_EQ(closes, 1);
        t->Free();
    }
}

// Hits follow the outline, not the rectangle: the slanted corner of a
// single-slant tab belongs to the tab behind it or to none.
TEST_F(TabPainting, HitsFollowTheOutline) {
    auto* t = NewTabs({"Tab1", "Tab2"});
    Show();
    EXPECT_EQ(t->TabAtPos({30, 12}), 0); // tab 0, tested before tab 1 that lies over it
    EXPECT_EQ(t->TabAtPos({36, 12}), 1); // on tab 0's slant: tab 1's
    EXPECT_EQ(t->TabAtPos({36, 1}), 1);  // tab 1's top left, above tab 0's slant
    EXPECT_EQ(t->TabAtPos({73, 1}), -1); // tab 1's rectangle, outside its slant
    EXPECT_EQ(t->TabAtPos({0, 0}), -1);  // the cut corner
}

} // namespace
