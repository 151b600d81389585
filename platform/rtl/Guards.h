#pragma once
// Guards: small objects that undo a change when their scope ends, whether it
// ends normally or by an exception. The change is made (or named) where the
// guard is declared, and the undo cannot be forgotten on any way out:
//
//   TRestoreOnExit<bool> checking(FChecking, true); // FChecking = true; the old value comes back
//   TFlagGuard focusing(FControlState, csFocusing); // FControlState << csFocusing; >> at the end
//   TUpdateLock update(Strings);                    // Strings->BeginUpdate(); EndUpdate() at the end
//   TScopeExit closeSocket([fd] { ::close(fd); });  // runs at the end ...
//   ApplyOptions(fd);
//   closeSocket.Release();                          // ... unless released once the work succeeded
//
// Guards are destroyed in the reverse order of their declaration, so the
// undos run in the reverse order of the changes.
//
// An undo that raises (EndUpdate and other undos that notify) raises as any
// statement would when the scope ends normally. While an exception is already
// leaving the scope a second one cannot be raised: the undo's exception goes
// to HandleException and the first exception goes on.
//
// The guards of the GUI (a saved device context, an alignment lock) are in
// platform/gui/controls/GuiGuards.h.

#include "platform/rtl/EventLoop.h"
#include "platform/rtl/Types.h"

#include <exception>
#include <functional>
#include <utility>

// Runs Undo for a guard made while UncaughtBefore exceptions were in flight.
template <class F> void RunUndo(F& Undo, int UncaughtBefore) {
    if (std::uncaught_exceptions() == UncaughtBefore) {
        Undo();
        return;
    }
    try {
        Undo();
    } catch (const std::exception& E) {
        HandleException(E);
    }
}

// Runs a function when the scope ends, unless Release was called.
template <class F> class TScopeExit {
public:
    explicit TScopeExit(F Undo) : FUndo(std::move(Undo)) {}
    ~TScopeExit() noexcept(false) {
        if (FArmed) RunUndo(FUndo, FUncaught);
    }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

    // The work succeeded: nothing is undone.
    void Release() { FArmed = false; }

private:
    F FUndo;
    int FUncaught = std::uncaught_exceptions();
    bool FArmed = true;
};

// Gives a variable a value for the scope; its old value comes back at the end.
template <class T> class TRestoreOnExit {
public:
    TRestoreOnExit(T& Ref, T Value) : FRef(Ref), FOld(std::move(Ref)) { FRef = std::move(Value); }
    ~TRestoreOnExit() { FRef = std::move(FOld); }
    TRestoreOnExit(const TRestoreOnExit&) = delete;
    TRestoreOnExit& operator=(const TRestoreOnExit&) = delete;

private:
    T& FRef;
    T FOld;
};

// Includes a flag in a set (a state such as csFocusing or fsModal) for the
// scope and excludes it at the end.
template <class E> class TFlagGuard {
public:
    TFlagGuard(TSet<E>& Set, E Flag) : FSet(Set), FFlag(Flag) { FSet << FFlag; }
    ~TFlagGuard() { FSet >> FFlag; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    TSet<E>& FSet;
    E FFlag;
};

// BeginUpdate on a list (strings, a collection) for the scope, EndUpdate at
// the end: the list reports its changes once, when the last lock goes.
template <class T> class TUpdateLock {
public:
    explicit TUpdateLock(T* List) : FEnd([List] { List->EndUpdate(); }) { List->BeginUpdate(); }

private:
    TScopeExit<std::function<void()>> FEnd;
};
