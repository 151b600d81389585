#pragma once
// MessageBeep: the short warning sound of a refused input. Sounds go to one
// replaceable sink; the default one rings the window system's bell when the
// program has one (a GUI program installs it when it connects to its
// display), else the terminal's bell when standard error is a terminal, and
// is silent otherwise. Tests install a sink that records the beeps.

#include "platform/rtl/System.h"

#include <functional>

// Type is 0 (the default sound) or an MB_ICON... kind (the message box
// kinds); always succeeds.
bool MessageBeep(Cardinal Type);

using TBeepSink = std::function<void(Cardinal Type)>;
// Replaces the sink; nullptr restores the default. Answers the previous one.
TBeepSink SetBeepSink(TBeepSink Sink);

using TWindowBell = std::function<void()>;
// Installs the window system's bell that the default sink rings; nullptr
// leaves the terminal's bell. Answers the previous one.
TWindowBell SetWindowBell(TWindowBell Bell);
