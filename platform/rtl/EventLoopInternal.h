#pragma once
// Between the event loop and TThread; not for the system's code.

#include <functional>

// Runs the synchronised calls that other threads are waiting for.
void CheckSynchronize();
// Blocks the GUI thread until Done() holds, serving synchronised calls
// meanwhile (and nothing else). Done is evaluated under the queue's lock;
// whoever makes it true calls NotifySynchronizeWaiters.
void WaitServingSynchronize(const std::function<bool()>& Done);
void NotifySynchronizeWaiters();
