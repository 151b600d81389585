#pragma once
// Inside the platform only: the window a box is shown over. The control
// layer, which knows the windows behind handles, tells the boxes how to
// find an owner's widget; without it every box stands on its own.

#include "platform/rtl/Messages.h"

class QWidget;

using TBoxOwnerWidget = QWidget* (*)(HWND Owner);
void SetMessageBoxOwnerWidgets(TBoxOwnerWidget Lookup);
