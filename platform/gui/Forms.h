#pragma once
// Forms, the application and the screen, as the framework's Forms unit
// offers them.

#include "platform/gui/Application.h"
#include "platform/gui/Controls.h"
#include "platform/gui/CustomForm.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Screen.h"
