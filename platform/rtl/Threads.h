#pragma once
// TThread: a thread object whose Execute runs on its own thread.

#include "platform/rtl/SysUtils.h"

#include <atomic>
#include <memory>

class TThread : public TObject {
public:
    // The thread does not run until Start is called (Execute belongs to the
    // derived class, which is not constructed while this constructor runs).
    explicit TThread(bool CreateSuspended = true);
    // Terminates the thread and waits for it when it still runs.
    ~TThread() override;

    // Starts a thread created suspended.
    void Start();
    // Asks Execute to end: sets Terminated, which Execute polls.
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }
    bool Finished() const { return FFinished; }
    // Waits until the thread has ended and returns ReturnValue. On the GUI
    // thread, synchronised calls of the thread are served while waiting, so
    // a thread blocked in Synchronize cannot deadlock its waiter.
    Integer WaitFor();

    // Runs Method on the GUI thread and blocks until it has run; an
    // exception of Method is re-raised here.
    void Synchronize(const std::function<void()>& Method);

    // Called on the GUI thread after Execute ends (through Synchronize).
    TNotifyEvent OnTerminate;
    // Frees the object when the thread ends. Do not WaitFor such a thread.
    bool FreeOnTerminate = false;
    Integer ReturnValue = 0;

protected:
    virtual void Execute() = 0;

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    void Run();
};
