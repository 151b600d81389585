#pragma once
// The control classes, as the framework's Controls unit offers them.

#include "platform/gui/Control.h"
#include "platform/gui/GraphicControl.h"
#include "platform/gui/Published.h"
#include "platform/gui/WinControl.h"
