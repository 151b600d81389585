#pragma once
// The GUI thread's event loop: what the framework's application object does
// for waiting code (process pending messages, block until something
// arrives), plus the hand-over of work from other threads.
//
// The GUI thread is the thread that called InitEventLoop. Programs with
// windows create their GUI application first (platform/gui), which also
// initialises this loop.
//
// Other threads reach the GUI thread only through this unit: PostMessage
// queues a message and returns, SendMessage, RunOnGuiThread and
// TThread::Synchronize queue a call and block until the GUI thread has run
// it, HandleException queues the exception. What the threads share for this
// is locked: the registry of message handles and the queue of synchronised
// calls each have a mutex, and the counts of work handed over are atomic.
// Apart from these the loop shares only what is set once before other
// threads start (which thread is the GUI thread).
//
// A waiting thread (the GUI thread in WaitMessage, a caller of
// RunOnGuiThread until its call is done) first watches for its work for up
// to 200 microseconds, yielding the CPU between looks, and then blocks in
// the kernel until the work arrives or its time runs out. A device's answer
// handed over by the link's receive thread usually arrives within the
// watch, and a thread still running takes it far sooner than one that must
// be woken on another CPU. A wait spends at most the watch; blocked, it
// costs no CPU. bench/link_roundtrip measures the round trip and what an
// idle wait costs.

#include "platform/rtl/SysUtils.h"

// Makes the calling thread the GUI thread and creates the event loop when
// none exists yet. Idempotent.
void InitEventLoop();
bool IsGuiThread();

// Runs every pending event, posted message and synchronised call once,
// without blocking.
void ProcessMessages();
// The same for loops that pump once per request of a fast exchange with a
// device: the window system and Qt's own timers are asked for events only
// when they were not asked in the last millisecond (a poll of the system
// costs more than the rest of the host's work on a request); the hooks,
// posted messages and synchronised calls run every time.
void ProcessMessagesThrottled();

// Blocks the GUI thread until an event, message or synchronised call
// arrives, or Milliseconds of the current clock pass, and handles what
// arrived. Returns true when something arrived. It watches for up to 200
// microseconds before it blocks (see above). With a manual clock (tests)
// the real wait is capped at ManualClockGrace() ms, after which the manual
// clock is advanced by Milliseconds as if the time had passed idle.
bool WaitMessage(Cardinal Milliseconds);
Cardinal ManualClockGrace();
void SetManualClockGrace(Cardinal Milliseconds);

// Work the loop does each time it runs on the GUI thread: ProcessMessages
// runs the hooks before it handles events, WaitMessage before and after its
// wait (the window layer fires its due timers here, which is how timers
// follow a manual clock). A hook must not block.
void AddMessageLoopHook(std::function<void()> Hook);

// Runs Method on the GUI thread and waits until it has run. On the GUI
// thread it runs at once. An exception of Method is re-raised in the caller.
void RunOnGuiThread(const std::function<void()>& Method);

// The application's exception handler: what happens to an exception that
// nobody else handled (a GUI program shows it in a message box). The default
// writes "Exception: <message>" to standard error. EAbort is silent.
// HandleException on another thread (a TThread, the link's receive thread)
// returns at once: the exception is handed to the GUI thread, whose handler
// sees it when the loop next runs (called in the catch block of the
// exception, the handler gets that very exception; otherwise an Exception
// with its message). The handler is set and run on the GUI thread only.
using TExceptionHandler = std::function<void(const std::exception& E)>;
void SetExceptionHandler(TExceptionHandler Handler);
void HandleException(const std::exception& E);
