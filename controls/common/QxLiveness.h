#pragma once
// Tells whether an object still exists after a call into user code (an
// event handler may free the control, or the control that owns it): the
// object holds a TQxLiveness, which clears a shared flag when it is
// destroyed.
//
//   auto alive = FLiveness.Watch();
//   OnClick(this);            // may free this
//   if (!*alive) return;      // nothing of this is touched any more
//
// or, for a call that fires events,
//
//   if (!FLiveness.Outlives([&] { DoChange(); })) return;

#include "platform/rtl/Guards.h"

#include <memory>
#include <utility>

class TQxLiveness {
public:
    TQxLiveness() : FAlive(std::make_shared<bool>(true)) {}
    ~TQxLiveness() { *FAlive = false; }
    TQxLiveness(const TQxLiveness&) = delete;
    TQxLiveness& operator=(const TQxLiveness&) = delete;
    // A watch taken before the call answers afterwards.
    std::shared_ptr<const bool> Watch() const { return FAlive; }
    // Runs Call, which may free the object; true when the object is still
    // there afterwards.
    template <class F> bool Outlives(F&& Call) const {
        const auto alive = Watch();
        std::forward<F>(Call)();
        return *alive;
    }
    // Clears Flag, a member of the object, when the scope ends, unless the
    // object went first.
    auto ClearOnExit(bool& Flag) const {
        return TScopeExit([&Flag, alive = Watch()] {
            if (*alive) Flag = false;
        });
    }
    // Gives Field, a member of the object, Value for the scope; its old value
    // comes back when the scope ends, unless the object went first.
    template <class T> auto RestoreOnExit(T& Field, T Value) const {
        return TScopeExit([&Field, old = std::exchange(Field, std::move(Value)), alive = Watch()]() mutable {
            if (*alive) Field = std::move(old);
        });
    }

private:
    std::shared_ptr<bool> FAlive;
};
