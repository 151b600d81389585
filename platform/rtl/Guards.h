#pragma once
// Guards: small objects that undo a change when their scope ends.
// (Stand-in until the shared guards arrive; same names and behaviour.)

#include <exception>
#include <utility>

template <class F> class TScopeExit {
public:
    explicit TScopeExit(F Undo) : FUndo(std::move(Undo)) {}
    ~TScopeExit() {
        if (FArmed) FUndo();
    }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;
    void Release() { FArmed = false; }

private:
    F FUndo;
    bool FArmed = true;
};

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
