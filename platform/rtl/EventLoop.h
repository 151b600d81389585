#pragma once
// The GUI thread's event loop: what the framework's application object does
// for waiting code (process pending messages, block until something
// arrives), plus the hand-over of work from other threads.
//
// The GUI thread is the thread that called InitEventLoop. Programs with
// windows create their GUI application first (platform/gui), which also
// initialises this loop.

#include "platform/rtl/SysUtils.h"

// Makes the calling thread the GUI thread and creates the event loop when
// none exists yet. Idempotent.
void InitEventLoop();
bool IsGuiThread();

// Runs every pending event, posted message and synchronised call once,
// without blocking.
void ProcessMessages();

// Blocks the GUI thread until an event, message or synchronised call
// arrives, or Milliseconds of the current clock pass, and handles what
// arrived. Returns true when something arrived. Never spins: an idle wait
// costs no CPU. With a manual clock (tests) the real wait is capped at
// ManualClockGrace() ms, after which the manual clock is advanced by
// Milliseconds as if the time had passed idle.
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
using TExceptionHandler = std::function<void(const std::exception& E)>;
void SetExceptionHandler(TExceptionHandler Handler);
void HandleException(const std::exception& E);
