#pragma once
// MessageBeep: the short warning sound of a refused input. Sounds go to one
// replaceable sink; the default one rings the terminal's bell when standard
// error is a terminal and is silent otherwise. Tests install a sink that
// records the beeps.

#include "platform/sys/Win32.h"

#include <functional>

inline constexpr UINT MB_ICONHAND = 0x00000010;
inline constexpr UINT MB_ICONQUESTION = 0x00000020;
inline constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
inline constexpr UINT MB_ICONASTERISK = 0x00000040;

// Type is 0 (the default sound) or an MB_ICON... kind; always succeeds.
BOOL MessageBeep(UINT Type);

using TBeepSink = std::function<void(UINT Type)>;
// Replaces the sink; nullptr restores the default. Answers the previous one.
TBeepSink SetBeepSink(TBeepSink Sink);
