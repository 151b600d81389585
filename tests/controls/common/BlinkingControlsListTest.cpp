// The shared blink timer, driven by a manual clock.
#include "controls/common/QxCommon.h"

#include "platform/rtl/Clock.h"

#include <gtest/gtest.h>

namespace {

// A label that can blink: it registers with the list for its whole life
// and records the phases it is told, with the time.
class TFakeBlinker : public TControl {
public:
    explicit TFakeBlinker(bool ABlinking) : TControl(nullptr), Blinking(ABlinking) {
        NeedBlinkingControlsList()->RegisterControl(this);
    }
    ~TFakeBlinker() override {
        if (BlinkingControlsList) BlinkingControlsList->UnregisterControl(this);
        ReleaseBlinkingControlsList();
    }
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == QM_GETBLINKING) {
            ++Asked;
            Message.Result = Blinking ? 1 : 0;
            return;
        }
        if (Message.Msg == QM_BLINK) {
            Phases.push_back({timeGetTime(), static_cast<int>(Message.WParam)});
            return;
        }
        TControl::Dispatch(Message);
    }

    bool Blinking;
    int Asked = 0;
    std::vector<std::pair<Cardinal, int>> Phases;
};

class BlinkingControlsListTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(BlinkingControlsList, nullptr); }
    void TearDown() override { EXPECT_EQ(BlinkingControlsList, nullptr); }
    // Moves the clock on in steps of Step milliseconds, letting due timers fire.
    void Run(Cardinal Milliseconds, Cardinal Step = 10) {
        for (Cardinal t = 0; t < Milliseconds; t += Step) {
            FClock.Advance(Step);
            CheckTimers();
        }
    }

    TManualClock FClock{1000};
    TScopedClock FScope{&FClock};
};

using Phases = std::vector<std::pair<Cardinal, int>>;

TEST_F(BlinkingControlsListTest, TheFirstControlCreatesTheListAndTheLastFreesIt) {
    auto* a = new TFakeBlinker(false);
    TQxBlinkingControlsList* list = BlinkingControlsList;
    ASSERT_NE(list, nullptr);
    auto* b = new TFakeBlinker(false);
    EXPECT_EQ(BlinkingControlsList, list);
    EXPECT_EQ(list->Count(), 2);
    a->Free();
    EXPECT_EQ(BlinkingControlsList, list);
    EXPECT_EQ(list->Count(), 1);
    b->Free();
    EXPECT_EQ(BlinkingControlsList, nullptr);
    // Releasing without a list, or with controls left, does nothing.
    ReleaseBlinkingControlsList();
}

TEST_F(BlinkingControlsListTest, PhasesAlternateWithTheirOwnIntervals) {
    auto* label = new TFakeBlinker(true);
    EXPECT_EQ(BlinkingControlsList->BlinkState(), 1);
    BlinkingControlsList->SetIntervalOff(300);
    BlinkingControlsList->SetIntervalOn(700);
    // The first period is the off interval the timer started with (500),
    // ending with the switch to the off phase.
    Run(2600);
    EXPECT_EQ(label->Phases, (Phases{{1500, 0}, {1800, 1}, {2500, 0}, {2800, 1}, {3500, 0}}));
    label->Free();
}

TEST_F(BlinkingControlsListTest, BlinkingControlsChangeOnTheSameTick) {
    auto* a = new TFakeBlinker(true);
    auto* quiet = new TFakeBlinker(false);
    auto* b = new TFakeBlinker(true);
    Run(1000);
    EXPECT_EQ(a->Phases, (Phases{{1500, 0}, {2000, 1}}));
    EXPECT_EQ(b->Phases, a->Phases);
    // A control that does not blink is asked on every tick, never told.
    EXPECT_EQ(quiet->Asked, 2);
    EXPECT_TRUE(quiet->Phases.empty());
    a->Free();
    quiet->Free();
    b->Free();
}

// A phase of interval 0 never ends, as a timer of interval 0 never fires.
TEST_F(BlinkingControlsListTest, AZeroIntervalStopsBlinkingInThatPhase) {
    auto* label = new TFakeBlinker(true);
    BlinkingControlsList->SetIntervalOn(0);
    Run(3000, 1);
    EXPECT_EQ(label->Phases, (Phases{{1500, 0}, {2000, 1}}));
    label->Free();
    label = new TFakeBlinker(true); // a new list
    BlinkingControlsList->SetIntervalOff(0);
    Run(3000, 1);
    EXPECT_EQ(label->Phases, (Phases{{4500, 0}}));
    label->Free();
}

TEST_F(BlinkingControlsListTest, UnregisteringAStrangerChangesNothing) {
    auto* label = new TFakeBlinker(true);
    TControl* stranger = new TControl(nullptr);
    BlinkingControlsList->UnregisterControl(stranger);
    EXPECT_EQ(BlinkingControlsList->Count(), 1);
    ReleaseBlinkingControlsList();
    EXPECT_NE(BlinkingControlsList, nullptr);
    stranger->Free();
    label->Free();
}

} // namespace
