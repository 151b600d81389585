#include "platform/gui/controls/Timers.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/EventLoop.h"
#include "platform/rtl/Guards.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace {

struct TWindowTimer {
    HWND Wnd;
    UINT_PTR ID;
    Cardinal Interval;
    Cardinal Due;
    UInt64 Serial; // start order, for timers due at the same moment
};

struct TTimerService {
    std::vector<TWindowTimer> Timers;
    UInt64 NextSerial = 0;
    bool Hooked = false;
    bool Checking = false;
    QPointer<QTimer> Wake; // fires when the next timer is due (system clock); dies with the application
};

TTimerService& Service() {
    static TTimerService service;
    return service;
}

bool IsDue(Cardinal Now, Cardinal Due) {
    return static_cast<Integer>(Now - Due) >= 0;
}

// With the system clock a Qt timer wakes the loop when the next timer is due;
// a manual clock only moves when told, so nothing is armed then.
void Arm() {
    TTimerService& s = Service();
    if (!s.Wake) {
        if (!QCoreApplication::instance()) return;
        s.Wake = new QTimer(QCoreApplication::instance());
        s.Wake->setSingleShot(true);
        s.Wake->setTimerType(Qt::PreciseTimer);
        QObject::connect(s.Wake, &QTimer::timeout, [] { CheckTimers(); });
    }
    if (s.Timers.empty() || Clock().IsManual()) {
        s.Wake->stop();
        return;
    }
    Cardinal now = timeGetTime();
    Integer wait = INT32_MAX;
    for (const TWindowTimer& t : s.Timers)
        wait = std::min(wait, std::max(0, static_cast<Integer>(t.Due - now)));
    s.Wake->start(wait);
}

void Hook() {
    TTimerService& s = Service();
    if (s.Hooked) return;
    s.Hooked = true;
    AddMessageLoopHook([] { CheckTimers(); });
}

} // namespace

UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, Cardinal Elapse) {
    if (IDEvent == 0 || !IsWindow(Wnd)) return 0;
    Hook();
    Elapse = std::max(Elapse, USER_TIMER_MINIMUM);
    TTimerService& s = Service();
    Cardinal due = timeGetTime() + Elapse;
    auto it = std::find_if(s.Timers.begin(), s.Timers.end(),
                           [&](const TWindowTimer& t) { return t.Wnd == Wnd && t.ID == IDEvent; });
    if (it != s.Timers.end()) {
        it->Interval = Elapse;
        it->Due = due;
    } else {
        s.Timers.push_back({Wnd, IDEvent, Elapse, due, s.NextSerial++});
    }
    Arm();
    return IDEvent;
}

bool KillTimer(HWND Wnd, UINT_PTR IDEvent) {
    TTimerService& s = Service();
    auto it = std::find_if(s.Timers.begin(), s.Timers.end(),
                           [&](const TWindowTimer& t) { return t.Wnd == Wnd && t.ID == IDEvent; });
    if (it == s.Timers.end()) return false;
    s.Timers.erase(it);
    Arm();
    return true;
}

Integer ActiveTimerCount() {
    return static_cast<Integer>(Service().Timers.size());
}

void CheckTimers() {
    TTimerService& s = Service();
    if (s.Checking) return; // a handler that pumps messages does not fire timers again meanwhile
    TRestoreOnExit<bool> checking(s.Checking, true);
    const Cardinal now = timeGetTime();
    // The timers due now, in the order they became due; each is looked up
    // again before it fires, since handlers start and stop timers.
    std::vector<TWindowTimer> due;
    for (const TWindowTimer& t : s.Timers)
        if (IsDue(now, t.Due)) due.push_back(t);
    std::sort(due.begin(), due.end(), [now](const TWindowTimer& a, const TWindowTimer& b) {
        Integer la = static_cast<Integer>(now - a.Due), lb = static_cast<Integer>(now - b.Due);
        return la != lb ? la > lb : a.Serial < b.Serial;
    });
    for (const TWindowTimer& d : due) {
        auto it = std::find_if(s.Timers.begin(), s.Timers.end(),
                               [&](const TWindowTimer& t) { return t.Wnd == d.Wnd && t.ID == d.ID; });
        if (it == s.Timers.end() || it->Serial != d.Serial || !IsDue(now, it->Due)) continue;
        if (!IsWindow(d.Wnd)) { // the window went away without killing its timer
            s.Timers.erase(it);
            continue;
        }
        it->Due = now + it->Interval;
        try {
            SendMessage(d.Wnd, WM_TIMER, d.ID, 0);
        } catch (const std::exception& E) {
            HandleException(E);
        }
    }
    Arm();
}

// ================================================================ TTimer

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    FWindowHandle = AllocateHWnd([this](TMessage& M) { WndProc(M); });
    UpdateTimer();
}

TTimer::~TTimer() {
    FEnabled = false;
    UpdateTimer();
    DeallocateHWnd(FWindowHandle);
}

void TTimer::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value) {
    if (Value == FInterval) return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    KillTimer(FWindowHandle, 1);
    if (FInterval != 0 && FEnabled) SetTimer(FWindowHandle, 1, FInterval);
}

void TTimer::WndProc(TMessage& Message) {
    if (Message.Msg == WM_TIMER) Timer();
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}

const TClassInfo& TTimer::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TTimer>("TTimer", &ComponentClassInfo())
                                        .Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
                                        .Default(true)
                                        .Property("Interval", &TTimer::Interval, &TTimer::SetInterval)
                                        .Default(1000)
                                        .Event("OnTimer", &TTimer::OnTimer)
                                        .Register();
    return info;
}
