// DrawFrameControl's menu parts: the check mark, the radio bullet and the
// sub-menu arrow, drawn as fixed pixel shapes centred in the rectangle.
//
// The shape is drawn in the context's text colour (black by default); the
// rest of the rectangle is filled white, unless DFCS_TRANSPARENT leaves it
// as it is. So by default the picture is a black-on-white mask, as menus
// use it, and with DFCS_TRANSPARENT it is the glyph alone.
//
//   check (7 x 7)   bullet (6 x 6)   arrow (4 x 7)
//   ......#         .####.           #...
//   .....##         ######           ##..
//   #...###         ######           ###.
//   ##.###.         ######           ####
//   #####..         ######           ###.
//   .###...         .####.           ##..
//   ..#....                          #...
//
// A shape's top-left lies at (Left + (W - w) / 2, Top + (H - h) / 2) for a
// shape of w x h in a rectangle of W x H.
#include "platform/gui/gdi/FrameControl.h"

#include <initializer_list>

namespace {

struct TShape {
    Integer Width, Height;
    std::initializer_list<const char*> Rows;
};

const TShape Check{7, 7, {"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."}};
const TShape Bullet{6, 6, {".####.", "######", "######", "######", "######", ".####."}};
const TShape Arrow{4, 7, {"#...", "##..", "###.", "####", "###.", "##..", "#..."}};

void DrawShape(HDC DC, const TRect& R, const TShape& Shape, COLORREF Color) {
    const Integer x0 = R.Left + (R.Width() - Shape.Width) / 2;
    const Integer y0 = R.Top + (R.Height() - Shape.Height) / 2;
    Integer y = y0;
    for (const char* row : Shape.Rows) {
        for (Integer x = 0; row[x]; ++x)
            if (row[x] == '#') SetPixel(DC, x0 + x, y, Color);
        ++y;
    }
}

} // namespace

BOOL DrawFrameMenu(HDC DC, TRect& Rect, UINT State) {
    const TShape* shape = nullptr;
    switch (State & 0xFF) {
    case DFCS_MENUCHECK:
        shape = &Check;
        break;
    case DFCS_MENUBULLET:
        shape = &Bullet;
        break;
    case DFCS_MENUARROW:
    case DFCS_MENUARROWRIGHT:
        shape = &Arrow;
        break;
    default:
        return false;
    }
    if (!(State & DFCS_TRANSPARENT)) {
        HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
        FillRect(DC, &Rect, white);
        DeleteObject(AsGdiObj(white));
    }
    DrawShape(DC, Rect, *shape, GetTextColor(DC));
    return true;
}
