#include "platform/gui/controls/NonClient.h"

Integer BorderInset(TFormBorderStyle Style, bool Ctl3D) {
    if (Style == bsNone) return 0;
    return Ctl3D ? 2 : 1;
}

TRect NonClientClientRect(Integer Width, Integer Height, Integer Border, Integer ButtonWidth, bool RightToLeft) {
    TRect r{0, 0, Width, Height};
    if (RightToLeft)
        r.Left += ButtonWidth;
    else
        r.Right -= ButtonWidth;
    InflateRect(r, -Border, -Border);
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    return r;
}

TRect DropButtonRect(Integer Width, Integer Height, Integer Inset, Integer ButtonWidth, bool RightToLeft) {
    TRect r{0, 0, Width, Height};
    InflateRect(r, -Inset, -Inset);
    if (RightToLeft)
        r.Right = r.Left + ButtonWidth;
    else
        r.Left = r.Right - ButtonWidth;
    return r;
}

LRESULT NonClientHitTest(TPoint P, Integer Width, Integer Height, Integer Border, const TRect& Client) {
    if (PtInRect(Client, P)) return HTCLIENT;
    const TRect window{0, 0, Width, Height};
    if (!PtInRect(window, P)) return HTNOWHERE;
    TRect inner = window;
    InflateRect(inner, -Border, -Border);
    return PtInRect(inner, P) ? HTNOWHERE : HTBORDER;
}

TCursor NonClientCursor(LRESULT HitCode, TCursor ClientCursor) {
    if (HitCode != HTCLIENT) return crArrow;
    return ClientCursor == crDefault ? crIBeam : ClientCursor;
}

HDC GetWindowDC(HWND Wnd) {
    return GetDC(Wnd);
}
