#include "platform/gui/gdi/Colors.h"

namespace {

// The classic desktop scheme.
constexpr TSysColorTable Defaults = {
    RGB(212, 208, 200), // scroll bar
    RGB(58, 110, 165),  // desktop
    RGB(10, 36, 106),   // active caption
    RGB(128, 128, 128), // inactive caption
    RGB(212, 208, 200), // menu
    RGB(255, 255, 255), // window
    RGB(0, 0, 0),       // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(255, 255, 255), // caption text
    RGB(212, 208, 200), // active border
    RGB(212, 208, 200), // inactive border
    RGB(128, 128, 128), // application workspace
    RGB(10, 36, 106),   // highlight
    RGB(255, 255, 255), // highlight text
    RGB(212, 208, 200), // button face
    RGB(128, 128, 128), // button shadow
    RGB(128, 128, 128), // grey text
    RGB(0, 0, 0),       // button text
    RGB(212, 208, 200), // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(64, 64, 64),    // 3D dark shadow
    RGB(212, 208, 200), // 3D light
    RGB(0, 0, 0),       // info text
    RGB(255, 255, 225), // info background
    RGB(181, 181, 181), // (unused index 25)
    RGB(0, 0, 128),     // hot-tracked item
    RGB(166, 202, 240), // active caption gradient
    RGB(192, 192, 192), // inactive caption gradient
    RGB(10, 36, 106),   // menu highlight
    RGB(212, 208, 200), // menu bar
};

TSysColorTable& Table() {
    static TSysColorTable table = Defaults;
    return table;
}

} // namespace

const TSysColorTable& DefaultSysColors() { return Defaults; }
void SetSysColors(const TSysColorTable& T) { Table() = T; }
void ResetSysColors() { Table() = Defaults; }

void SetSysColor(Integer Index, COLORREF Value) {
    if (Index >= 0 && Index < SysColorCount) Table()[Index] = Value & 0xFFFFFF;
}

COLORREF GetSysColor(Integer Index) {
    return Index >= 0 && Index < SysColorCount ? Table()[Index] : 0;
}

COLORREF ColorToRGB(TColor Color) {
    if (Color < 0) return GetSysColor(Color & 0xFF);
    return static_cast<COLORREF>(Color);
}
