#pragma once
// Tells whether an object still exists after a call into user code (an
// event handler may free the control, or the control that owns it): the
// object holds a TQxLiveness, which clears a shared flag when it is
// destroyed.
//
//   auto alive = FLiveness.Watch();
//   OnClick(this);            // may free this
//   if (!*alive) return;      // nothing of this is touched any more

#include "platform/rtl/Guards.h"

#include <memory>

class TQxLiveness {
public:
    TQxLiveness() : FAlive(std::make_shared<bool>(true)) {}
    ~TQxLiveness() { *FAlive = false; }
    TQxLiveness(const TQxLiveness&) = delete;
    TQxLiveness& operator=(const TQxLiveness&) = delete;
    // A watch taken before the call answers afterwards.
    std::shared_ptr<const bool> Watch() const { return FAlive; }
    // Clears Flag, a member of the object, when the scope ends, unless the
    // object went first.
    auto ClearOnExit(bool& Flag) const {
        return TScopeExit([&Flag, alive = Watch()] {
            if (*alive) Flag = false;
        });
    }

private:
    std::shared_ptr<bool> FAlive;
};
