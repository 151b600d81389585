#pragma once
// The millisecond clock (timeGetTime) and Sleep, replaceable by tests.

#include "platform/rtl/System.h"

#include <mutex>

// The source of time for timeGetTime and Sleep. The default is the system's
// monotonic clock; tests install a TManualClock so that long pauses cost
// nothing and time-outs can be driven step by step.
class TClock {
public:
    virtual ~TClock() = default;
    // Milliseconds since an arbitrary start, wrapping at 2^32.
    virtual Cardinal Now() = 0;
    virtual void Sleep(Cardinal Milliseconds) = 0;
    // True for a clock whose time only moves when told to (tests).
    virtual bool IsManual() const { return false; }
};

// A clock whose time moves only by Sleep and Advance. Thread-safe.
class TManualClock : public TClock {
public:
    explicit TManualClock(Cardinal Start = 0);
    Cardinal Now() override;
    void Sleep(Cardinal Milliseconds) override; // advances the time at once
    bool IsManual() const override { return true; }
    void Advance(Cardinal Milliseconds);
    void Set(Cardinal Milliseconds);
    // Sum of all Sleep requests, so tests can check mandated pauses.
    UInt64 SleptTotal() const;
    Cardinal SleepCount() const;

private:
    mutable std::mutex FLock;
    Cardinal FTime;
    UInt64 FSlept = 0;
    Cardinal FSleeps = 0;
};

// The clock in use. SetClock(nullptr) restores the system clock; the caller
// keeps ownership of the clock it installs.
TClock& Clock();
void SetClock(TClock* AClock);

// Installs a clock for the lifetime of a scope (tests).
class TScopedClock {
public:
    explicit TScopedClock(TClock* AClock);
    ~TScopedClock();
    TScopedClock(const TScopedClock&) = delete;
    TScopedClock& operator=(const TScopedClock&) = delete;

private:
    TClock* FPrevious;
};

// Milliseconds of the current clock (wraps at 2^32).
Cardinal timeGetTime();
// Pauses the calling thread (or advances a manual clock).
void Sleep(Cardinal Milliseconds);
