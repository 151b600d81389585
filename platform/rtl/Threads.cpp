#include "platform/rtl/Threads.h"
#include "platform/rtl/EventLoop.h"
#include "platform/rtl/EventLoopInternal.h"

#include <thread>

struct TThread::TImpl {
    std::thread Thread;
    bool Started = false;
};

TThread::TThread(bool CreateSuspended) : FImpl(std::make_unique<TImpl>()) {
    // A thread cannot start from the base constructor: Execute belongs to a
    // class that is not constructed yet. Creators call Start.
    (void)CreateSuspended;
}

TThread::~TThread() {
    if (FImpl->Started && FImpl->Thread.joinable()) {
        if (FImpl->Thread.get_id() == std::this_thread::get_id()) {
            FImpl->Thread.detach(); // freed by its own thread (FreeOnTerminate)
        } else {
            Terminate();
            WaitFor();
        }
    }
}

void TThread::Start() {
    if (FImpl->Started) throw EInvalidOperation("Cannot call Start on a running or suspended thread");
    FImpl->Started = true;
    FImpl->Thread = std::thread([this] { Run(); });
}

void TThread::Run() {
    try {
        Execute();
    } catch (const std::exception& e) {
        HandleException(e);
    }
    if (OnTerminate) {
        try {
            Synchronize([this] { OnTerminate(this); });
        } catch (const std::exception& e) {
            HandleException(e);
        }
    }
    // After FFinished the owner may free this object at once: read first.
    const bool freeSelf = FreeOnTerminate;
    FFinished = true;
    NotifySynchronizeWaiters();
    if (freeSelf) delete this;
}

Integer TThread::WaitFor() {
    if (!FImpl->Started) return ReturnValue;
    if (FImpl->Thread.get_id() == std::this_thread::get_id())
        throw EInvalidOperation("A thread cannot wait for itself");
    if (IsGuiThread()) WaitServingSynchronize([this] { return FFinished.load(); });
    if (FImpl->Thread.joinable()) FImpl->Thread.join();
    return ReturnValue;
}

void TThread::Synchronize(const std::function<void()>& Method) { RunOnGuiThread(Method); }
