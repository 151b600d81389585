#include "platform/gui/controls/Button.h"
#include "platform/gui/controls/Themes.h"
#include "platform/gui/gdi/Edges.h"

namespace {

bool NoShiftKeys(LPARAM KeyData) {
    return KeyDataToShiftState(KeyData).Empty() && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 &&
           GetKeyState(VK_MENU) >= 0;
}

} // namespace

TButton::TButton(TComponent* AOwner) : TCustomControl(AOwner) {
    // Presses and clicks are its own (a press captures, a release over it clicks).
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csOpaque};
    SetBounds(Left(), Top(), 75, 25);
    SetColor(clBtnFace);
    SetTabStop(true);
}

void TButton::SetDefault(bool Value) {
    FDefault = Value;
    if (!HandleAllocated()) return;
    // The active button may change: ask the form to tell its buttons again.
    if (TCustomForm* form = GetParentForm(this))
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TButton::CreateWnd() {
    TCustomControl::CreateWnd();
    FActive = FDefault;
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    TCustomControl::Click();
}

void TButton::SetPushed(bool Value) {
    if (Value == FPushed) return;
    FPushed = Value;
    Invalidate();
}

void TButton::CancelPress() {
    const bool tracking = FTracking;
    FTracking = false;
    FSpaceDown = false;
    if (tracking && MouseCapture()) SetMouseCapture(false);
    SetPushed(false);
}

void TButton::FocusChanged(TWinControl* Focused) {
    const bool active = dynamic_cast<TButton*>(Focused) ? Focused == this : FDefault;
    if (active == FActive) return;
    FActive = active;
    Invalidate();
}

void TButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (!Focused() && CanFocus()) SetFocus();
        if (!HandleAllocated() || !Enabled()) return;
        FTracking = true;
        SetMouseCapture(true);
        SetPushed(true);
        TCustomControl::Dispatch(Message);
        return;
    }
    case WM_MOUSEMOVE:
        if (FTracking) SetPushed(PtInRect(ClientRect(), LParamToPoint(Message.LParam)));
        break;
    case WM_LBUTTONUP: {
        if (!FTracking) break;
        const bool inside = PtInRect(ClientRect(), LParamToPoint(Message.LParam));
        CancelPress();
        if (inside) {
            // The click may free the button (its form closing): nothing of
            // it is touched afterwards.
            const HWND handle = Handle();
            Click();
            if (FindControl(handle) != this) return;
        }
        TCustomControl::Dispatch(Message);
        return;
    }
    case WM_CAPTURECHANGED:
        if (FTracking && !MouseCapture()) CancelPress();
        break;
    case WM_KILLFOCUS:
        CancelPress();
        break;
    case CM_ENABLEDCHANGED:
        if (!Enabled()) CancelPress();
        Invalidate();
        break;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        Invalidate();
        break;
    case WM_GETDLGCODE:
        Message.Result = DLGC_BUTTON | (FActive ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        return;
    case WM_KEYDOWN:
        if (Message.WParam == VK_SPACE && !FTracking) {
            FSpaceDown = true;
            SetPushed(true);
        }
        break;
    case WM_KEYUP:
        if (Message.WParam == VK_SPACE && FSpaceDown) {
            FSpaceDown = false;
            SetPushed(false);
            const HWND handle = Handle();
            Click();
            if (FindControl(handle) != this) return;
        }
        break;
    case CM_DIALOGKEY:
        if (((Message.WParam == VK_RETURN && FActive) || (Message.WParam == VK_ESCAPE && FCancel)) &&
            NoShiftKeys(Message.LParam) && CanFocus()) {
            Message.Result = 1;
            Click();
            return;
        }
        break;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<Word>(Message.WParam), Caption()) && CanFocus()) {
            Message.Result = 1;
            Click();
            return;
        }
        break;
    case CM_FOCUSCHANGED:
        FocusChanged(reinterpret_cast<TWinControl*>(Message.LParam));
        break;
    default:
        break;
    }
    TCustomControl::Dispatch(Message);
}

// ---------------------------------------------------------------- painting

void TButton::Paint() {
    TRect r = ClientRect();
    TThemeServices* themes = ThemeServices();
    if (!themes->ThemesEnabled()) {
        PaintClassic(r);
        return;
    }
    Integer state = PBS_NORMAL;
    if (!Enabled())
        state = PBS_DISABLED;
    else if (FPushed)
        state = PBS_PRESSED;
    else if (FActive)
        state = PBS_DEFAULTED;
    const TThemedElementDetails details{teButton, BP_PUSHBUTTON, state};
    HDC dc = Canvas()->Handle();
    themes->DrawElement(dc, details, r);
    Canvas()->SetFont(Font());
    Canvas()->Brush()->SetStyle(bsClear);
    HDC textDC = Canvas()->Handle();
    themes->DrawText(textDC, details, Caption(), themes->ContentRect(textDC, details, r),
                     DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (Focused()) {
        InflateRect(r, -4, -4);
        Canvas()->Font()->SetColor(clBtnText);
        Canvas()->DrawFocusRect(r);
    }
}

void TButton::PaintClassic(TRect R) {
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    const TRect bounds = R;
    if (FActive) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(clWindowFrame);
        canvas->FrameRect(R);
        InflateRect(R, -1, -1);
    }
    TRect face = R;
    if (FPushed && FActive)
        DrawEdge(dc, &face, EDGE_SUNKEN, BF_RECT | BF_FLAT | BF_MIDDLE);
    else if (FPushed)
        DrawEdge(dc, &face, EDGE_SUNKEN, BF_RECT | BF_SOFT | BF_MIDDLE);
    else
        DrawEdge(dc, &face, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);

    TRect text = R;
    if (FPushed) OffsetRect(text, 1, 1);
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsClear);
    const UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    const String caption = Caption();
    if (Enabled()) {
        DrawText(canvas->Handle(), caption, &text, flags);
    } else {
        OffsetRect(text, 1, 1);
        canvas->Font()->SetColor(clBtnHighlight);
        DrawText(canvas->Handle(), caption, &text, flags);
        OffsetRect(text, -1, -1);
        canvas->Font()->SetColor(clBtnShadow);
        DrawText(canvas->Handle(), caption, &text, flags);
    }
    if (Focused()) {
        TRect focus = bounds;
        InflateRect(focus, -4, -4);
        canvas->Font()->SetColor(clBtnText);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(clBtnFace);
        canvas->DrawFocusRect(focus);
    }
}

const TClassInfo& TButton::ClassInfo() {
    static const TClassInfo& info = []() -> const TClassInfo& {
        TClassBuilder<TButton> b("TButton", &TCustomControl::ClassInfo());
        PublishControlProperties(b, {"Caption", "Enabled", "Font", "ParentFont", "ParentShowHint", "ShowHint",
                                     "TabOrder", "TabStop", "Visible", "OnClick", "OnEnter", "OnExit",
                                     "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove",
                                     "OnMouseUp"});
        b.Qualify("TabStop").Default(true);
        b.Property("Cancel", &TButton::Cancel, &TButton::SetCancel)
            .Default(false)
            .Property("Default", &TButton::Default, &TButton::SetDefault)
            .Default(false)
            .Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
            .Default(mrNone);
        return b.Register();
    }();
    return info;
}
