#pragma once
// Window timers (SetTimer / KillTimer) and the timer component TTimer.
//
// A due timer sends WM_TIMER (WParam = its identifier) to its window on the
// GUI thread, once however many intervals have passed, and becomes due again
// one interval after that. Time is the run-time clock's (timeGetTime): with
// the system clock timers fire by themselves while the event loop runs; with
// a manual clock they fire when the loop runs after the clock was advanced
// (ProcessMessages, WaitMessage), so tests drive them step by step.

#include "platform/rtl/Messages.h"
#include "platform/rtl/TypInfo.h"

using UINT_PTR = std::uintptr_t;

// The shortest interval a window timer runs with, in milliseconds.
inline constexpr Cardinal USER_TIMER_MINIMUM = 10;

// Starts (or restarts, for the same window and identifier) a timer; answers
// IDEvent, or 0 when Wnd is not a valid handle or IDEvent is 0.
UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, Cardinal Elapse);
// Stops a timer; false when there is no such timer.
bool KillTimer(HWND Wnd, UINT_PTR IDEvent);
// Sends the WM_TIMER of every timer that is due now. The event loop calls it;
// tests may too.
void CheckTimers();
// The number of running timers (diagnostics and tests).
Integer ActiveTimerCount();

// Calls OnTimer every Interval milliseconds while Enabled; Interval 0 stops it.
class TTimer : public TComponent {
public:
    QUENTA_PUBLISHED
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    Cardinal Interval() const { return FInterval; }
    void SetInterval(Cardinal Value);

    TNotifyEvent OnTimer;

protected:
    // Fires OnTimer.
    virtual void Timer();

private:
    void UpdateTimer();
    void WndProc(TMessage& Message);

    HWND FWindowHandle = 0;
    Cardinal FInterval = 1000;
    bool FEnabled = true;
};
