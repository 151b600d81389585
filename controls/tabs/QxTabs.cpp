#include "controls/tabs/QxTabs.h"

void RegisterQxTabsClasses() {
    RegisterClasses({&TQxTabControl::ClassInfo(), &TQxPageControl::ClassInfo(), &TQxTabSheet::ClassInfo()});
}
