// The progress bar: how often it repaints, what it keeps from a form
// description whatever the order, percent from parts, the interior ring,
// LED segments, values it cannot draw as given, and presses over a status
// bar's grip.
#include "tests/controls/panel/ControlTestSupport.h"

#include "controls/progress/QxPrgres.h"
#include "controls/status/QxStatusBar.h"

namespace {

// Themes that are on and record which elements are drawn (drawing nothing).
class TRecordingThemes : public TTestThemes {
public:
    std::vector<TThemedElementDetails> Drawn;
    void DrawElement(HDC, const TThemedElementDetails& Details, const TRect&, const TRect*) override {
        Drawn.push_back(Details);
    }
};

class TCountingBar : public TQxProgressBar {
public:
    explicit TCountingBar(TComponent* AOwner) : TQxProgressBar(AOwner) {}
    Integer Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        TQxProgressBar::Paint();
    }
};

class Progress : public ControlTest {
protected:
    TLegend Legend() {
        TLegend l = FrameLegend();
        l.push_back({static_cast<TColor>(0xFFFFFF), 'b'});
        l.push_back({clHighlight, 'X'});
        return l;
    }
};

TEST_F(Progress, EachNewPercentRepaintsOnceAndTheSamePercentNotAtAll) {
    auto* bar = Make<TCountingBar>(Form, {0, 0, 200, 24});
    Form->Show();
    std::vector<Word> changes;
    bar->OnChange = [&](TObject*, Word P) { changes.push_back(P); };
    bar->Paints = 0;
    bar->SetPercent(10);
    bar->SetPercent(10);
    bar->SetPercent(11);
    EXPECT_EQ(bar->Paints, 2);
    EXPECT_EQ(changes, (std::vector<Word>{10, 11}));
}

TEST_F(Progress, PercentFollowsThePartsAndNewTotalsStartAgain) {
    auto* bar = Make<TQxProgressBar>(Form, {0, 0, 200, 24});
    bar->SetTotalParts(10);
    bar->SetPartsComplete(3);
    EXPECT_EQ(bar->Percent(), 30);
    bar->SetPartsComplete(25);
    EXPECT_EQ(bar->PartsComplete(), 10);
    EXPECT_EQ(bar->Percent(), 100);
    bar->SetTotalParts(8);
    EXPECT_EQ(bar->PartsComplete(), 0);
    EXPECT_EQ(bar->Percent(), 0);
    bar->SetPartsComplete(1); // 12.5 -> 12 (half to even)
    EXPECT_EQ(bar->Percent(), 12);
    // Style changes by code: LED bars lose the text and gain a ring.
    bar->SetBarStyle(bsLED);
    EXPECT_FALSE(bar->ShowPercent());
    EXPECT_EQ(bar->InteriorOffset(), 1);
    bar->SetBarStyle(bsGradient);
    EXPECT_TRUE(bar->ShowPercent());
    EXPECT_EQ(bar->InteriorOffset(), 0);
    // Shape decides the direction.
    bar->SetBounds(0, 0, 20, 100);
    EXPECT_EQ(bar->Orientation(), orVertical);
}

TEST_F(Progress, AStoredBarKeepsWhatItStoresInAnyOrder) {
    RegisterClass(TQxProgressBar::ClassInfo());
    Read("  object A: TQxProgressBar\n    InteriorOffset = 2\n    ShowPercent = True\n    BarStyle = bsLED\n"
         "    PartsComplete = 5\n    Percent = 30\n    TotalParts = 10\n  end\n"
         "  object B: TQxProgressBar\n    BarStyle = bsGradient\n    ShowPercent = False\n    InteriorOffset = 3\n"
         "    TotalParts = 4\n    PartsComplete = 9\n  end\n");
    auto* a = dynamic_cast<TQxProgressBar*>(Form->FindComponent("A"));
    auto* b = dynamic_cast<TQxProgressBar*>(Form->FindComponent("B"));
    EXPECT_EQ(a->InteriorOffset(), 2);
    EXPECT_TRUE(a->ShowPercent());
    EXPECT_EQ(a->PartsComplete(), 5);
    EXPECT_EQ(a->Percent(), 30); // as stored: the parts are not worked over it
    EXPECT_EQ(b->InteriorOffset(), 3);
    EXPECT_FALSE(b->ShowPercent());
    EXPECT_EQ(b->PartsComplete(), 4); // cut to the total once both are known
    EXPECT_EQ(b->Percent(), 0);
}

TEST_F(Progress, TheInteriorRingAndTheBodyStayInsideTheFrame) {
    auto* bar = Make<TQxProgressBar>(Form, {0, 0, 12, 8});
    bar->SetBorderOuter(fsFlat);
    bar->SetFlatColorAdjustment(0);
    bar->SetShowPercent(false);
    bar->SetInteriorOffset(2);
    bar->SetPercent(150); // kept, drawn as 100
    Form->Show();
    Snapshot(bar);
    EXPECT_EQ(bar->Percent(), 150);
    EXPECT_EQ(Map(Legend()), Rows({"SSSSSSSSSSSS", //
                                   "SbbbbbbbbbbS", //
                                   "SbbbbbbbbbbS", //
                                   "SbbXXXXXXbbS", //
                                   "SbbXXXXXXbbS", //
                                   "SbbbbbbbbbbS", //
                                   "SbbbbbbbbbbS", //
                                   "SSSSSSSSSSSS"}));
    // No room inside: frame and ring only, nothing drawn outside.
    bar->SetBounds(0, 0, 6, 6);
    Snapshot(bar);
    EXPECT_EQ(Map(Legend()), Rows({"SSSSSS", "SbbbbS", "SbbbbS", "SbbbbS", "SbbbbS", "SSSSSS"}));
}

TEST_F(Progress, LEDSegmentsFillFromTheLeftAndTheirCountIsKeptInRange) {
    auto* bar = Make<TQxProgressBar>(Form, {0, 0, 42, 6});
    bar->SetBorderOuter(fsNone);
    bar->SetBarStyle(bsLED);
    bar->SetInteriorOffset(0);
    bar->SetNumSegments(0);
    EXPECT_EQ(bar->NumSegments(), 1);
    bar->SetNumSegments(500);
    EXPECT_EQ(bar->NumSegments(), 100);
    bar->SetNumSegments(4);
    bar->SetPercent(50);
    Form->Show();
    Snapshot(bar);
    // Count the runs of the bar colour along the middle row.
    Integer runs = 0, last = -1;
    bool in = false;
    for (Integer x = 0; x < 42; ++x) {
        const bool on = At(x, 3) == ColorToRGB(clHighlight);
        if (on) last = x;
        if (on && !in) ++runs;
        in = on;
    }
    EXPECT_EQ(runs, 2);   // two of four segments
    EXPECT_LT(last, 21); // in the left half
    // Theme-aware or not, with themes off the segments look the same.
    std::string before = Map(Legend());
    bar->SetThemeAware(false);
    Snapshot(bar);
    EXPECT_EQ(Map(Legend()), before);
}

TEST_F(Progress, PressesOverAStatusBarsGripGoToTheBar) {
    Form->SetBorderStyle(bsSizeable);
    auto* status = Make<TQxStatusBar>(Form, {0, 0, 300, 19});
    auto* bar = Make<TQxProgressBar>(status, {200, 2, 300, 17});
    Form->Show();
    const TPoint grip{status->Width() - 5, 10};
    EXPECT_EQ(bar->Perform(CM_HITTEST, 0, PointToLParam({grip.X - bar->Left(), grip.Y - bar->Top()})), HTNOWHERE);
    EXPECT_EQ(bar->Perform(CM_HITTEST, 0, PointToLParam({10, 5})), HTCLIENT);
    MouseInput(status, maDown, mbLeft, {}, grip);
    MouseInput(status, maUp, mbLeft, {}, grip);
    ASSERT_EQ(Services.Calls.size(), 1u);
    // Without the grip the bar keeps the point.
    status->SetShowSizeGrip(false);
    EXPECT_EQ(bar->Perform(CM_HITTEST, 0, PointToLParam({grip.X - bar->Left(), grip.Y - bar->Top()})), HTCLIENT);
}

TEST_F(Progress, InAClassicStatusBarLEDsAreClassicEvenWithThemesOn) {
    TRecordingThemes themes;
    SetThemeServices(&themes);
    auto* status = Make<TQxStatusBar>(Form, {0, 0, 300, 24});
    status->SetVisualStyle(vsClassic);
    auto* bar = Make<TQxProgressBar>(status, {0, 0, 100, 24});
    bar->SetBarStyle(bsLED);
    bar->SetPercent(50);
    Form->Show();
    EXPECT_FALSE(bar->Themed());
    themes.Drawn.clear();
    Snapshot(bar);
    for (const TThemedElementDetails& d : themes.Drawn)
        EXPECT_NE(d.Element, teProgress); // neither the frame nor the chunks come from the theme
    status->SetVisualStyle(vsWinXP);
    EXPECT_TRUE(bar->Themed());
    SetThemeServices(ClassicThemeServices());
}

// Themes that fill each element's rectangle in a colour of its own.
class TFillingThemes : public TTestThemes {
public:
    void DrawElement(HDC DC, const TThemedElementDetails& D, const TRect& R, const TRect*) override {
        COLORREF c = RGB(1, 1, 1); // anything else: '?'
        if (D.Element == teStatus) c = D.Part == SP_PANE ? RGB(0, 200, 0) : RGB(0, 100, 0);
        if (D.Element == teProgress) c = D.Part == PP_CHUNK ? RGB(200, 200, 0) : RGB(0, 0, 200);
        HBRUSH b = CreateSolidBrush(c);
        FillRect(DC, &R, b);
        DeleteObject(AsGdiObj(b));
    }
};

// Themed, the frame lies (3, 2) inside a status pane on a status bar (with
// an InteriorOffset, IO + 2 and IO + 1), the whole bar elsewhere; the body
// lies IO + 3 inside the frame, an LED body IO + 1 (its chunks one more).
TEST_F(Progress, ThemedFramesAndBodiesKeepTheirInsets) {
    TFillingThemes themes;
    SetThemeServices(&themes);
    auto* status = Make<TQxStatusBar>(Form, {0, 0, 300, 24});
    TLegend l{{static_cast<TColor>(RGB(0, 200, 0)), 'p'},
              {static_cast<TColor>(RGB(0, 100, 0)), 'g'},
              {static_cast<TColor>(RGB(200, 200, 0)), 'c'},
              {static_cast<TColor>(RGB(0, 0, 200)), 'f'},
              {clHighlight, 'X'}};
    // The map's rows give the bar's size.
    auto check = [&](bool InStatusBar, TBarStyle Style, Byte Offset, const std::string& Want) {
        const Integer w = static_cast<Integer>(Want.find('\n'));
        const Integer h = static_cast<Integer>(Want.size()) / (w + 1);
        const Integer top = InStatusBar ? 0 : 30;
        auto* bar = Make<TQxProgressBar>(InStatusBar ? static_cast<TWinControl*>(status) : Form,
                                         {0, top, w, top + h});
        bar->SetBarStyle(Style);
        bar->SetInteriorOffset(Offset);
        bar->SetShowPercent(false);
        bar->SetPercent(100);
        Form->Show();
        Snapshot(bar);
        EXPECT_EQ(Map(l), Want) << InStatusBar << " " << Style << " " << int(Offset);
        bar->Free();
    };
    check(true, bsTraditional, 0,
          Rows({"pppppppppppppp", //
                "pppppppppppppp", //
                "pppffffffffppp", //
                "pppffffffffppp", //
                "pppffffffffppp", //
                "pppfffXXfffppp", //
                "pppfffXXfffppp", //
                "pppffffffffppp", //
                "pppffffffffppp", //
                "pppffffffffppp", //
                "pppppppppppppp", //
                "pppppppppppppp"}));
    check(true, bsLED, 2,
          Rows({"pppppppppppppppppp", //
                "pppppppppppppppppp", //
                "pppppppppppppppppp", //
                "ppppffffffffffpppp", //
                "ppppffffffffffpppp", //
                "ppppffffffffffpppp", //
                "ppppffffffffffpppp", //
                "ppppffffccffffpppp", //
                "ppppffffccffffpppp", //
                "ppppffffffffffpppp", //
                "ppppffffffffffpppp", //
                "ppppffffffffffpppp", //
                "ppppffffffffffpppp", //
                "pppppppppppppppppp", //
                "pppppppppppppppppp", //
                "pppppppppppppppppp"}));
    check(false, bsTraditional, 1,
          Rows({"ffffffffffff", //
                "ffffffffffff", //
                "ffffffffffff", //
                "ffffffffffff", //
                "ffffXXXXffff", //
                "ffffXXXXffff", //
                "ffffffffffff", //
                "ffffffffffff", //
                "ffffffffffff", //
                "ffffffffffff"}));
    check(false, bsLED, 0,
          Rows({"ffffffffff", //
                "ffffffffff", //
                "ffccccccff", //
                "ffccccccff", //
                "ffffffffff", //
                "ffffffffff"}));
    SetThemeServices(ClassicThemeServices());
}

} // namespace
