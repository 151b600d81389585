#include "platform/gui/controls/XPMan.h"

const TClassInfo& TXPManifest::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TXPManifest>("TXPManifest", &ComponentClassInfo()).Register();
    return info;
}
