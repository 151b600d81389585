#pragma once
// The control classes, as the framework's Controls unit offers them.

#include "platform/gui/controls/Control.h"
#include "platform/gui/controls/CustomPanel.h"
#include "platform/gui/controls/DockTree.h"
#include "platform/gui/controls/GraphicControl.h"
#include "platform/gui/controls/Published.h"
#include "platform/gui/controls/WinControl.h"
