#pragma once
// GetSystemMetrics: the sizes of the standard window parts in the classic
// look at 96 dots per inch (scroll bars 16, caption 19, menu bar 19, sizing
// frame 4, edges 2, check marks 13), and the screen's size. Controls that
// reserve room for a system part ask here instead of writing the number.
//
// Tests may replace single values with SetSystemMetric and restore the
// defaults with ResetSystemMetrics.

#include "platform/rtl/System.h"

enum : Integer {
    SM_CXSCREEN = 0,
    SM_CYSCREEN = 1,
    SM_CXVSCROLL = 2,
    SM_CYHSCROLL = 3,
    SM_CYCAPTION = 4,
    SM_CXBORDER = 5,
    SM_CYBORDER = 6,
    SM_CXDLGFRAME = 7,
    SM_CXFIXEDFRAME = 7,
    SM_CYDLGFRAME = 8,
    SM_CYFIXEDFRAME = 8,
    SM_CYVTHUMB = 9,
    SM_CXHTHUMB = 10,
    SM_CXICON = 11,
    SM_CYICON = 12,
    SM_CXCURSOR = 13,
    SM_CYCURSOR = 14,
    SM_CYMENU = 15,
    SM_CXFULLSCREEN = 16,
    SM_CYFULLSCREEN = 17,
    SM_MOUSEPRESENT = 19,
    SM_CYVSCROLL = 20,
    SM_CXHSCROLL = 21,
    SM_SWAPBUTTON = 23,
    SM_CXMIN = 28,
    SM_CYMIN = 29,
    SM_CXSIZE = 30,
    SM_CYSIZE = 31,
    SM_CXFRAME = 32,
    SM_CXSIZEFRAME = 32,
    SM_CYFRAME = 33,
    SM_CYSIZEFRAME = 33,
    SM_CXMINTRACK = 34,
    SM_CYMINTRACK = 35,
    SM_CXDOUBLECLK = 36,
    SM_CYDOUBLECLK = 37,
    SM_MENUDROPALIGNMENT = 40,
    SM_CMOUSEBUTTONS = 43,
    SM_CXEDGE = 45,
    SM_CYEDGE = 46,
    SM_CXSMICON = 49,
    SM_CYSMICON = 50,
    SM_CYSMCAPTION = 51,
    SM_CXMENUSIZE = 54,
    SM_CYMENUSIZE = 55,
    SM_CXDRAG = 68,
    SM_CYDRAG = 69,
    SM_CXMENUCHECK = 71,
    SM_CYMENUCHECK = 72,
    SM_MOUSEWHEELPRESENT = 75,
    SM_CXFOCUSBORDER = 83,
    SM_CYFOCUSBORDER = 84,
};

// The metric's value; 0 for an index it does not know.
Integer GetSystemMetrics(Integer Index);

void SetSystemMetric(Integer Index, Integer Value);
void ResetSystemMetrics();
