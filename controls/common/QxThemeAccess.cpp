#include "controls/common/QxThemeAccess.h"

// Until the platform's theme services are wired in, the library paints its
// classic look: no visual style is in use.
bool QxThemesEnabled() {
    return false;
}

bool QxGetThemeColor(TQxThemeClass, Integer, Integer, Integer, TColor&) {
    return false;
}

void QxDrawThemeElement(HDC, TQxThemeClass, Integer, Integer, const TRect&) {}
