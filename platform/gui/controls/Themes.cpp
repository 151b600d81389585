#include "platform/gui/controls/Themes.h"
#include "platform/gui/controls/ControlMessages.h"
#include "platform/gui/controls/GuiGuards.h"
#include "platform/gui/controls/WinControl.h"

namespace {

// Themes off: the controls draw their classic look themselves.
class TClassicThemeServices : public TThemeServices {
public:
    bool ThemesAvailable() const override { return false; }
    bool ThemesEnabled() const override { return false; }
    void DrawElement(HDC, const TThemedElementDetails&, const TRect&, const TRect*) override {}
    void DrawText(HDC DC, const TThemedElementDetails&, const String& Text, TRect R,
                  Cardinal Flags) override {
        ::DrawText(DC, Text, &R, Flags);
    }
    bool GetColor(const TThemedElementDetails&, Integer, COLORREF&) override { return false; }
    TRect ContentRect(HDC, const TThemedElementDetails&, const TRect& BoundingRect) override {
        return BoundingRect;
    }
};

TThemeServices* gCurrent = nullptr;

} // namespace

TRect TThemeServices::GetTextExtent(HDC DC, const TThemedElementDetails&, const String& Text, Cardinal Flags,
                                    const TRect* BoundingRect) {
    TRect r = BoundingRect ? *BoundingRect : TRect{0, 0, 0, 0};
    ::DrawText(DC, Text, &r, Flags | DT_CALCRECT);
    return r;
}

void TThemeServices::DrawParentBackground(HWND Wnd, HDC Target, const TRect* R) {
    TWinControl* control = FindControl(Wnd);
    if (!control || !control->Parent()) return;
    TWinControl* parent = control->Parent();
    TSavedDC saved(Target);
    OffsetViewportOrgEx(Target, -control->Left(), -control->Top(), nullptr);
    TRect clip = parent->WindowClientRect();
    if (R) {
        TRect moved = *R;
        OffsetRect(moved, control->Left(), control->Top());
        IntersectRect(clip, clip, moved);
    }
    IntersectClipRect(Target, clip.Left, clip.Top, clip.Right, clip.Bottom);
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(Target));
    parent->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(Target), PRF_CLIENT);
}

TThemeServices* ClassicThemeServices() {
    static TClassicThemeServices classic;
    return &classic;
}

TThemeServices* ThemeServices() {
    return gCurrent ? gCurrent : ClassicThemeServices();
}

void SetThemeServices(TThemeServices* Services) {
    gCurrent = Services;
}
