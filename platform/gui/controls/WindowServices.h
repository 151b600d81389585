#pragma once
// Window services: what a form asks of the desktop's window manager that the
// control tree cannot do by itself. Today that is sizing a form from one of
// its edges with the mouse, as a size grip asks for (WM_SYSCOMMAND SC_SIZE
// plus the edge).
//
// The desktop's services hand the sizing to the window manager. Where it
// cannot take it (no window manager, the offscreen platform) the form
// follows the mouse itself until the left button is released. Tests install
// their own services to see what is asked.

#include "platform/gui/controls/CustomForm.h"

// The edge of a sizing (WM_SIZING's WMSZ_ values).
inline constexpr Integer WMSZ_LEFT = 1;
inline constexpr Integer WMSZ_RIGHT = 2;
inline constexpr Integer WMSZ_TOP = 3;
inline constexpr Integer WMSZ_TOPLEFT = 4;
inline constexpr Integer WMSZ_TOPRIGHT = 5;
inline constexpr Integer WMSZ_BOTTOM = 6;
inline constexpr Integer WMSZ_BOTTOMLEFT = 7;
inline constexpr Integer WMSZ_BOTTOMRIGHT = 8;

class TWindowServices {
public:
    virtual ~TWindowServices() = default;
    // Lets the user size Form from Edge (WMSZ_...) with the mouse. False
    // when the desktop cannot; the form then follows the mouse itself.
    virtual bool StartSystemResize(TCustomForm* Form, Integer Edge) = 0;
};

// The services in use (never nullptr).
TWindowServices* WindowServices();
// Chooses the services; nullptr returns to the desktop's. The caller keeps
// ownership.
void SetWindowServices(TWindowServices* Services);

// Sizes Form from Edge as the mouse moves, from where the pointer is now
// until the left button is released (or the capture is lost).
void TrackFormSize(TCustomForm* Form, Integer Edge);
