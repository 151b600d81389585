#include "platform/gui/controls/SystemMetrics.h"

#include <QGuiApplication>
#include <QScreen>

#include <map>

namespace {

std::map<Integer, Integer>& Overrides() {
    static std::map<Integer, Integer> overrides;
    return overrides;
}

Integer ScreenMetric(Integer Index) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 0;
    QRect all = screen->geometry(), work = screen->availableGeometry();
    switch (Index) {
    case SM_CXSCREEN: return all.width();
    case SM_CYSCREEN: return all.height();
    case SM_CXFULLSCREEN: return work.width();
    default: return work.height() - 19; // SM_CYFULLSCREEN: below the caption
    }
}

Integer ClassicMetric(Integer Index) {
    switch (Index) {
    case SM_CXSCREEN:
    case SM_CYSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CYFULLSCREEN: return ScreenMetric(Index);
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYCAPTION:
    case SM_CYMENU: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
    case SM_MOUSEPRESENT:
    case SM_MOUSEWHEELPRESENT:
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER: return 1;
    case SM_CXFIXEDFRAME:
    case SM_CYFIXEDFRAME:
    case SM_CMOUSEBUTTONS: return 3;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXMIN:
    case SM_CXMINTRACK: return 112;
    case SM_CYMIN:
    case SM_CYMINTRACK: return 27;
    case SM_CXSIZE:
    case SM_CYSIZE:
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE: return 18;
    case SM_CXFRAME:
    case SM_CYFRAME:
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CYSMCAPTION: return 15;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK: return 13;
    default: return 0; // SM_SWAPBUTTON, SM_MENUDROPALIGNMENT and unknown indices
    }
}

} // namespace

Integer GetSystemMetrics(Integer Index) {
    auto it = Overrides().find(Index);
    return it != Overrides().end() ? it->second : ClassicMetric(Index);
}

void SetSystemMetric(Integer Index, Integer Value) { Overrides()[Index] = Value; }

void ResetSystemMetrics() { Overrides().clear(); }
