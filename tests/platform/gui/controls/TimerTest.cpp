// Timers on a manual clock: TTimer and window timers fire when the loop runs
// after their time has come, once however late, and not at all when stopped.
#include "platform/gui/controls/Timers.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/EventLoop.h"
#include "tests/platform/gui/controls/ControlProbes.h"

using namespace probes;

namespace {

class Timers : public FormTest {
protected:
    TManualClock Clock{1000};
    TScopedClock Scope{&Clock};
    void Run(Cardinal Ms) {
        Clock.Advance(Ms);
        Application->ProcessMessages();
    }
};

TEST_F(Timers, ATimerComponentFiresEveryIntervalWhileEnabled) {
    TTimer timer(nullptr);
    Integer ticks = 0;
    timer.OnTimer = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &timer);
        ++ticks;
    };
    timer.SetInterval(500);
    Run(499);
    EXPECT_EQ(ticks, 0);
    Run(1);
    EXPECT_EQ(ticks, 1);
    Run(500);
    EXPECT_EQ(ticks, 2);
    // Late by several intervals: one tick, the next one a full interval on.
    Run(1700);
    EXPECT_EQ(ticks, 3);
    Run(499);
    EXPECT_EQ(ticks, 3);
    Run(1);
    EXPECT_EQ(ticks, 4);

    timer.SetEnabled(false);
    Run(5000);
    EXPECT_EQ(ticks, 4);
    timer.SetEnabled(true);
    Run(500);
    EXPECT_EQ(ticks, 5);
    // Interval 0 stops it.
    timer.SetInterval(0);
    EXPECT_EQ(ActiveTimerCount(), 0);
    Run(5000);
    EXPECT_EQ(ticks, 5);
    // A new interval starts counting afresh.
    timer.SetInterval(100);
    Run(100);
    EXPECT_EQ(ticks, 6);
}

TEST_F(Timers, WaitingOnTheManualClockFiresTimers) {
    TTimer timer(nullptr);
    timer.SetInterval(60);
    Integer ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    // No real 100 ms pass: when nothing arrives within a short grace, the
    // clock moves on by the whole wait and the due timer fires.
    const Cardinal start = Clock.Now();
    for (int i = 0; i < 10 && Clock.Now() == start; ++i)
        WaitMessage(100);
    EXPECT_EQ(Clock.Now(), start + 100);
    EXPECT_EQ(ticks, 1);
}

TEST_F(Timers, WindowTimersSendWmTimerWithTheirIdentifier) {
    ShowForm();
    auto* p = Make<TWinProbe>(Form, "P", {0, 0, 10, 10});
    std::vector<UINT_PTR> ids;
    TWndMethod old = p->WindowProc;
    p->WindowProc = [&](TMessage& M) {
        if (M.Msg == WM_TIMER) {
            ids.push_back(M.WParam);
            if (M.WParam == 2) KillTimer(p->Handle(), 2); // a one-shot
        }
        old(M);
    };
    EXPECT_EQ(SetTimer(p->Handle(), 1, 60), 1u);
    EXPECT_EQ(SetTimer(p->Handle(), 2, 400), 2u);
    Run(60);
    Run(60);
    Run(300);
    Run(60);
    EXPECT_EQ(ids, (std::vector<UINT_PTR>{1, 1, 1, 2, 1}));
    // Starting a running timer again restarts its interval.
    ids.clear();
    Run(30);
    SetTimer(p->Handle(), 1, 60);
    Run(30);
    EXPECT_TRUE(ids.empty());
    Run(30);
    EXPECT_EQ(ids, std::vector<UINT_PTR>{1});
    EXPECT_TRUE(KillTimer(p->Handle(), 1));
    EXPECT_FALSE(KillTimer(p->Handle(), 1));
    EXPECT_EQ(SetTimer(0, 1, 10), 0u);
    // A window that goes takes its timers with it.
    SetTimer(p->Handle(), 3, 10);
    p->WindowProc = old;
    p->Free();
    Run(20);
    EXPECT_EQ(ActiveTimerCount(), 0);
}

TEST_F(Timers, AnExceptionInATimerGoesToTheApplication) {
    std::vector<String> shown;
    Application->OnException = [&](TObject*, const std::exception& E) { shown.push_back(E.what()); };
    TTimer timer(nullptr);
    timer.SetInterval(10);
    Integer ticks = 0;
    timer.OnTimer = [&](TObject*) {
        if (++ticks == 1) throw EInvalidOperation("tick failed");
    };
    Run(10);
    Run(10);
    EXPECT_EQ(ticks, 2); // the timer goes on
    EXPECT_EQ(shown, std::vector<String>{"tick failed"});
    Application->OnException = nullptr;
}

} // namespace
