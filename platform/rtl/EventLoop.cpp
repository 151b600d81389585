// The event loop, message handles and the GUI-thread hand-over, over QtCore.
#include "platform/rtl/EventLoop.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/EventLoopInternal.h"
#include "platform/rtl/Messages.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <iostream>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

const QEvent::Type kPostedMessageEvent = static_cast<QEvent::Type>(QEvent::User + 0x51);
const QEvent::Type kSyncWakeEvent = static_cast<QEvent::Type>(QEvent::User + 0x52);

class TPostedMessage : public QEvent {
public:
    TPostedMessage(HWND wnd, const TMessage& msg) : QEvent(kPostedMessageEvent), Wnd(wnd), Msg(msg) {}
    HWND Wnd;
    TMessage Msg;
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

struct TSyncRequest {
    std::function<void()> Method;
    std::exception_ptr Error;
    bool Done = false;
};

struct TSyncQueue {
    std::mutex Lock;
    std::condition_variable Changed; // a request arrived, one was done, or a thread ended
    std::deque<std::shared_ptr<TSyncRequest>> Pending;
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
        return QObject::event(e);
    }
};

std::atomic<TLoopObject*> gLoopObject{nullptr};
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
    running = true;
    try {
        for (auto& hook : LoopHooks())
            hook();
    } catch (...) {
        running = false;
        throw;
    }
    running = false;
}

void WakeGuiThread() {
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
    QCoreApplication::processEvents(QEventLoop::AllEvents);
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

    bool timedOut = false;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&timedOut] { timedOut = true; });
    if (realWait > 0) timer.start(static_cast<int>(std::min<Cardinal>(realWait, 0x7FFFFFFF)));

    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread());
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
    while (true) {
        std::shared_ptr<TSyncRequest> req;
        {
            std::lock_guard<std::mutex> g(q.Lock);
            if (q.Pending.empty()) return;
            req = q.Pending.front();
            q.Pending.pop_front();
        }
        try {
            req->Method();
        } catch (...) {
            req->Error = std::current_exception();
        }
        {
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
    auto req = std::make_shared<TSyncRequest>();
    req->Method = Method;
    auto& q = SyncQueue();
    {
        std::lock_guard<std::mutex> g(q.Lock);
        q.Pending.push_back(req);
    }
    q.Changed.notify_all();
    WakeGuiThread();
    {
        std::unique_lock<std::mutex> g(q.Lock);
        q.Changed.wait(g, [&] { return req->Done; });
    }
    if (req->Error) std::rethrow_exception(req->Error);
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
    QCoreApplication::postEvent(obj, new TPostedMessage(Wnd, m));
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
