#pragma once
// Forms, the application and the screen, as the framework's Forms unit
// offers them.

#include "platform/gui/controls/Application.h"
#include "platform/gui/controls/Controls.h"
#include "platform/gui/controls/CustomForm.h"
#include "platform/gui/controls/Dialogs.h"
#include "platform/gui/controls/Screen.h"
