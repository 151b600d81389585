#pragma once
// Beep: the framework's short warning sound, MessageBeep's default sound
// (type 0), going to the same replaceable sink (Beep.h).

#include "platform/sys/Beep.h"

void Beep();
