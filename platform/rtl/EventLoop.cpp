// The event loop, message handles and the GUI-thread hand-over, over QtCore.
#include "platform/rtl/EventLoop.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/EventLoopInternal.h"
#include "platform/rtl/Guards.h"
#include "platform/rtl/Messages.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <iostream>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

namespace {

const QEvent::Type kPostedMessageEvent = static_cast<QEvent::Type>(QEvent::User + 0x51);
const QEvent::Type kSyncWakeEvent = static_cast<QEvent::Type>(QEvent::User + 0x52);
const QEvent::Type kHandedOverExceptionEvent = static_cast<QEvent::Type>(QEvent::User + 0x53);

class TPostedMessage : public QEvent {
public:
    TPostedMessage(HWND wnd, const TMessage& msg) : QEvent(kPostedMessageEvent), Wnd(wnd), Msg(msg) {}
    HWND Wnd;
    TMessage Msg;
};

// An exception handled on another thread, on its way to the GUI thread.
class THandedOverException : public QEvent {
public:
    explicit THandedOverException(std::exception_ptr E) : QEvent(kHandedOverExceptionEvent), Error(std::move(E)) {}
    std::exception_ptr Error;
};

// ---- message handles

struct THandleRegistry {
    std::mutex Lock;
    std::unordered_map<HWND, std::shared_ptr<TWndMethod>> Methods;
    HWND Next = 1;
};

THandleRegistry& Handles() {
    static THandleRegistry registry;
    return registry;
}

std::shared_ptr<TWndMethod> FindMethod(HWND wnd) {
    auto& r = Handles();
    std::lock_guard<std::mutex> g(r.Lock);
    auto it = r.Methods.find(wnd);
    return it == r.Methods.end() ? nullptr : it->second;
}

// ---- synchronised calls

// A call waiting for the GUI thread. It lives on the stack of its caller,
// which blocks until Done, so queueing it allocates nothing (only a GUI
// thread that may be blocked in its event loop is woken by a posted event).
struct TSyncRequest {
    const std::function<void()>& Method;
    std::exception_ptr Error;
    std::atomic<bool> Done{false};
};

struct TSyncQueue {
    std::mutex Lock;
    std::condition_variable Changed; // a request arrived, one was done, or a thread ended
    std::deque<TSyncRequest*> Pending;
    std::atomic<std::size_t> Count{0}; // of Pending, read without the lock
};

TSyncQueue& SyncQueue() {
    static TSyncQueue queue;
    return queue;
}

// ---- the GUI thread's receiver of our own events

class TLoopObject : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == kPostedMessageEvent) {
            auto* pm = static_cast<TPostedMessage*>(e);
            if (auto method = FindMethod(pm->Wnd)) {
                TMessage msg = pm->Msg;
                try {
                    (*method)(msg);
                } catch (const std::exception& ex) {
                    HandleException(ex);
                }
            }
            return true;
        }
        if (e->type() == kSyncWakeEvent) {
            CheckSynchronize();
            return true;
        }
        if (e->type() == kHandedOverExceptionEvent) {
            try {
                std::rethrow_exception(static_cast<THandedOverException*>(e)->Error);
            } catch (const std::exception& ex) {
                HandleException(ex);
            }
            return true;
        }
        return QObject::event(e);
    }
};

std::atomic<TLoopObject*> gLoopObject{nullptr};
// Count the messages and synchronised calls handed to the GUI thread, so that
// a waiting GUI thread can see new work without a kernel wake-up.
std::atomic<unsigned> gMessagesPosted{0};
std::atomic<unsigned> gCallsHandedOver{0};
// False only while the GUI thread watches the counters in WaitMessage: then a
// synchronised call needs no wake-up event. (Whoever stores or reads it does
// so sequentially consistent with the counters, so no call is missed.)
std::atomic<bool> gGuiMayBlock{true};

// A waiter first watches for its event for this long before it blocks: an
// answer from a device usually comes back within it, and a thread that is
// still running picks up work far sooner than one that must be woken on
// another CPU. The cost is bounded: a wait that blocks spent at most this.
constexpr auto kSpinBeforeBlocking = std::chrono::microseconds(200);

template <class Pred> bool SpinFor(Pred ready) {
    const auto until = std::chrono::steady_clock::now() + kSpinBeforeBlocking;
    do {
        if (ready()) return true;
        std::this_thread::yield(); // lets a producer on the same CPU run
    } while (std::chrono::steady_clock::now() < until);
    return ready();
}
// ProcessMessagesThrottled asks the window system (and Qt's own timers) for
// events at most this often; every call runs the posted messages and the
// synchronised calls. A millisecond is far below what a user notices, and
// far above the round trip to a device on the local network.
constexpr auto kWindowSystemLookInterval = std::chrono::milliseconds(1);
std::chrono::steady_clock::time_point gLastWindowSystemLook; // GUI thread only

QThread* gGuiThread = nullptr;
std::atomic<Cardinal> gManualGrace{20};
TExceptionHandler gExceptionHandler;

std::vector<std::function<void()>>& LoopHooks() {
    static std::vector<std::function<void()>> hooks;
    return hooks;
}

void RunLoopHooks() {
    // A hook may pump messages itself; it is not run again meanwhile.
    static bool running = false;
    if (running) return;
    TRestoreOnExit<bool> guard(running, true);
    for (auto& hook : LoopHooks())
        hook();
}

// Queues an event for the GUI thread's loop and lets a waiting GUI thread see it.
void PostToGuiThread(TLoopObject* Loop, QEvent* Event) {
    QCoreApplication::postEvent(Loop, Event);
    gMessagesPosted.fetch_add(1);
}

// The exception as it can travel to another thread: the exception being
// handled when E is that one (HandleException called in a catch block, the
// usual case), else an Exception with E's message.
std::exception_ptr TravellingException(const std::exception& E) {
    if (std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::exception& Current) {
            if (&Current == &E) return current;
        } catch (...) {
            // Not a std::exception, so not E.
        }
    }
    return std::make_exception_ptr(Exception(E.what()));
}

void WakeGuiThread() {
    gCallsHandedOver.fetch_add(1);
    if (!gGuiMayBlock.load()) return; // it is watching the counter
    if (TLoopObject* obj = gLoopObject.load()) QCoreApplication::postEvent(obj, new QEvent(kSyncWakeEvent));
}

} // namespace

// ================================================================ event loop

void InitEventLoop() {
    if (gLoopObject.load()) return;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char arg0[] = "quenta";
        static char* argv[] = {arg0, nullptr};
        new QCoreApplication(argc, argv); // lives until the process ends
    }
    gGuiThread = QCoreApplication::instance()->thread();
    auto* obj = new TLoopObject;
    obj->moveToThread(gGuiThread);
    gLoopObject.store(obj);
}

bool IsGuiThread() {
    return gGuiThread && QThread::currentThread() == gGuiThread;
}

void AddMessageLoopHook(std::function<void()> Hook) {
    LoopHooks().push_back(std::move(Hook));
}

void ProcessMessages() {
    if (!gLoopObject.load()) InitEventLoop();
    RunLoopHooks();
    gLastWindowSystemLook = std::chrono::steady_clock::now();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    CheckSynchronize();
}

void ProcessMessagesThrottled() {
    if (std::chrono::steady_clock::now() - gLastWindowSystemLook >= kWindowSystemLookInterval) {
        ProcessMessages();
        return;
    }
    RunLoopHooks();
    QCoreApplication::sendPostedEvents();
    CheckSynchronize();
}

Cardinal ManualClockGrace() {
    return gManualGrace.load();
}
void SetManualClockGrace(Cardinal Milliseconds) {
    gManualGrace.store(Milliseconds);
}

bool WaitMessage(Cardinal Milliseconds) {
    if (!gLoopObject.load()) InitEventLoop();
    RunLoopHooks();
    TClock& clock = Clock();
    const bool manual = clock.IsManual();
    Cardinal realWait = manual ? std::min(Milliseconds, ManualClockGrace()) : Milliseconds;

    // Work handed over by another thread shortly after the wait began (or
    // just before it: a call already queued) is taken without blocking.
    if (realWait > 0) {
        const unsigned messages = gMessagesPosted.load();
        const unsigned calls = gCallsHandedOver.load();
        auto arrived = [&] {
            return gMessagesPosted.load() != messages || gCallsHandedOver.load() != calls ||
                   SyncQueue().Count.load() > 0;
        };
        gGuiMayBlock.store(false);
        SpinFor(arrived);
        gGuiMayBlock.store(true);
        if (arrived()) {
            if (gMessagesPosted.load() != messages) QCoreApplication::processEvents(QEventLoop::AllEvents);
            CheckSynchronize();
            return true;
        }
    }

    bool timedOut = false;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&timedOut] { timedOut = true; });
    if (realWait > 0) timer.start(static_cast<int>(std::min<Cardinal>(realWait, 0x7FFFFFFF)));

    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread());
    gLastWindowSystemLook = std::chrono::steady_clock::now();
    if (dispatcher)
        dispatcher->processEvents(realWait > 0 ? QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents
                                               : QEventLoop::AllEvents);
    CheckSynchronize();
    const bool arrived = !timedOut && realWait > 0;
    if (manual && timedOut) {
        if (auto* mc = dynamic_cast<TManualClock*>(&clock)) mc->Advance(Milliseconds);
        RunLoopHooks();
    }
    return arrived;
}

// ================================================================ hand-over

void CheckSynchronize() {
    auto& q = SyncQueue();
    // Most looks find nothing: they take no lock. A call queued meanwhile
    // wakes the GUI thread, which looks again.
    while (q.Count.load() > 0) {
        TSyncRequest* req;
        {
            std::lock_guard<std::mutex> g(q.Lock);
            if (q.Pending.empty()) return;
            req = q.Pending.front();
            q.Pending.pop_front();
            q.Count.store(q.Pending.size());
        }
        try {
            req->Method();
        } catch (...) {
            req->Error = std::current_exception();
        }
        {
            // The caller may return (and its request end) as soon as Done
            // is set: nothing touches the request afterwards.
            std::lock_guard<std::mutex> g(q.Lock);
            req->Done = true;
        }
        q.Changed.notify_all();
    }
}

void RunOnGuiThread(const std::function<void()>& Method) {
    if (IsGuiThread()) {
        Method();
        return;
    }
    if (!gLoopObject.load())
        throw EInvalidOperation("No GUI thread to synchronize with: the event loop was not initialised");
    TSyncRequest req{Method, nullptr};
    auto& q = SyncQueue();
    {
        std::lock_guard<std::mutex> g(q.Lock);
        q.Pending.push_back(&req);
        q.Count.store(q.Pending.size());
    }
    q.Changed.notify_all();
    WakeGuiThread();
    if (!SpinFor([&] { return req.Done.load(); })) {
        std::unique_lock<std::mutex> g(q.Lock);
        q.Changed.wait(g, [&] { return req.Done.load(); });
    }
    if (req.Error) std::rethrow_exception(req.Error);
}

void WaitServingSynchronize(const std::function<bool()>& Done) {
    auto& q = SyncQueue();
    while (true) {
        CheckSynchronize();
        std::unique_lock<std::mutex> g(q.Lock);
        if (Done()) return;
        if (!q.Pending.empty()) continue;
        q.Changed.wait(g, [&] { return Done() || !q.Pending.empty(); });
    }
}

void NotifySynchronizeWaiters() {
    auto& q = SyncQueue();
    { std::lock_guard<std::mutex> g(q.Lock); }
    q.Changed.notify_all();
}

// ================================================================ exceptions

void SetExceptionHandler(TExceptionHandler Handler) {
    gExceptionHandler = std::move(Handler);
}

void HandleException(const std::exception& E) {
    if (dynamic_cast<const EAbort*>(&E)) return;
    // Another thread must not show a message box or run the handler, which
    // belongs to the GUI thread: the GUI thread handles the exception when
    // its loop next runs.
    if (TLoopObject* loop = gLoopObject.load(); loop && !IsGuiThread()) {
        PostToGuiThread(loop, new THandedOverException(TravellingException(E)));
        return;
    }
    if (gExceptionHandler) {
        gExceptionHandler(E);
        return;
    }
    std::cerr << "Exception: " << E.what() << std::endl;
}

// ================================================================ messages

HWND AllocateHWnd(TWndMethod Method) {
    auto& r = Handles();
    std::lock_guard<std::mutex> g(r.Lock);
    HWND wnd = r.Next++;
    r.Methods.emplace(wnd, std::make_shared<TWndMethod>(std::move(Method)));
    return wnd;
}

void DeallocateHWnd(HWND Wnd) {
    std::shared_ptr<TWndMethod> keep; // released outside the lock
    auto& r = Handles();
    std::lock_guard<std::mutex> g(r.Lock);
    auto it = r.Methods.find(Wnd);
    if (it != r.Methods.end()) {
        keep = it->second;
        r.Methods.erase(it);
    }
}

bool IsWindow(HWND Wnd) {
    return Wnd != 0 && FindMethod(Wnd) != nullptr;
}

bool PostMessage(HWND Wnd, Cardinal Msg, WPARAM WParam, LPARAM LParam) {
    TLoopObject* obj = gLoopObject.load();
    if (!obj || !IsWindow(Wnd)) return false;
    TMessage m;
    m.Msg = Msg;
    m.WParam = WParam;
    m.LParam = LParam;
    PostToGuiThread(obj, new TPostedMessage(Wnd, m));
    return true;
}

LRESULT SendMessage(HWND Wnd, Cardinal Msg, WPARAM WParam, LPARAM LParam) {
    TMessage m;
    m.Msg = Msg;
    m.WParam = WParam;
    m.LParam = LParam;
    RunOnGuiThread([&] {
        if (auto method = FindMethod(Wnd)) (*method)(m);
    });
    return m.Result;
}
