#pragma once
// DrawEdge: the classic three-dimensional edges of windows and buttons, two
// one-pixel rings drawn in the system colours (the outer ring on the
// rectangle's boundary, the inner ring inside it).
//
// Each ring is raised (light at the top and left, dark at the bottom and
// right) or sunken (the other way round):
//
//   ring    raised: top-left / bottom-right     sunken: top-left / bottom-right
//   outer   3DLight / 3DDkShadow                BtnShadow / BtnHighlight
//   inner   BtnHighlight / BtnShadow            3DDkShadow / 3DLight
//
// BF_SOFT swaps the top-left colours of the two rings (a raised soft edge is
// white outside and light grey inside: the face of a classic push button).
// BF_FLAT draws the outer ring in BtnShadow and the inner one in BtnFace on
// every side; BF_MONO draws the outer ring in WindowFrame and the inner one
// in Window. The top and left sides own the corners they share with the
// bottom and right ones except the far ends: with R = (0,0)-(6,5), EDGE_RAISED
// and BF_RECT (L = 3DLight, D = 3DDkShadow, H = BtnHighlight, S = BtnShadow):
//
//   LLLLLD
//   LHHHSD
//   LH..SD
//   LSSSSD
//   DDDDDD
//
// BF_MIDDLE fills what is inside the rings with BtnFace (Window with
// BF_MONO); BF_ADJUST moves the rectangle inside the sides drawn.

#include "platform/gui/gdi/Gdi.h"

enum : UINT {
    BDR_RAISEDOUTER = 0x0001,
    BDR_SUNKENOUTER = 0x0002,
    BDR_RAISEDINNER = 0x0004,
    BDR_SUNKENINNER = 0x0008,
    BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER,
    BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
    EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
    EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};

enum : UINT {
    BF_LEFT = 0x0001,
    BF_TOP = 0x0002,
    BF_RIGHT = 0x0004,
    BF_BOTTOM = 0x0008,
    BF_TOPLEFT = BF_TOP | BF_LEFT,
    BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT,
    BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
    BF_MIDDLE = 0x0800,
    BF_SOFT = 0x1000,
    BF_ADJUST = 0x2000,
    BF_FLAT = 0x4000,
    BF_MONO = 0x8000,
};

// Draws the edge; false for a null device context or rectangle.
BOOL DrawEdge(HDC DC, TRect* Rect, UINT Edge, UINT Flags);
