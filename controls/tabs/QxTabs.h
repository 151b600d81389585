#pragma once
// The tab family as one unit: tab records and colours (QxTabData.h), the
// strip buttons (QxTabButtons.h), the tab control (QxTabControl.h) and the
// page control with its sheets (QxPageControl.h).

#include "controls/tabs/QxPageControl.h"
#include "controls/tabs/QxTabButtons.h"
#include "controls/tabs/QxTabControl.h"
#include "controls/tabs/QxTabData.h"

// Makes TQxTabControl, TQxPageControl and TQxTabSheet known to form
// descriptions by name.
void RegisterQxTabsClasses();
