#pragma once
// Beep: the framework's short warning sound, MessageBeep's default sound
// (type 0). This header repeats the sink's declaration from Beep.h without
// the Win32 constants that Beep.h brings along, so that windows code, which
// has the message-box constants of its own, can beep and tests can count
// the beeps.

#include <cstdint>
#include <functional>

void Beep();

// The same sink as Beep.h's: gets the type of every beep.
using TBeepSink = std::function<void(std::uint32_t Type)>;
TBeepSink SetBeepSink(TBeepSink Sink);
