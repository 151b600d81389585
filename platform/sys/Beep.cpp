#include "platform/sys/Beep.h"

#include <cstdio>
#include <unistd.h>

namespace {
TBeepSink& Sink() {
    static TBeepSink sink;
    return sink;
}

TWindowBell& WindowBell() {
    static TWindowBell bell;
    return bell;
}
} // namespace

bool MessageBeep(Cardinal Type) {
    if (Sink()) {
        Sink()(Type);
    } else if (WindowBell()) {
        WindowBell()();
    } else if (isatty(STDERR_FILENO)) {
        std::fputc('\a', stderr);
        std::fflush(stderr);
    }
    return true;
}

TBeepSink SetBeepSink(TBeepSink Sink_) {
    TBeepSink old = std::move(Sink());
    Sink() = std::move(Sink_);
    return old;
}

TWindowBell SetWindowBell(TWindowBell Bell) {
    TWindowBell old = std::move(WindowBell());
    WindowBell() = std::move(Bell);
    return old;
}
