#include "platform/gui/controls/Spin.h"
#include "platform/gui/controls/Published.h"
#include "platform/gui/gdi/Edges.h"

TSpinButton::TSpinButton(TComponent* AOwner) : TCustomControl(AOwner) {
    FControlStyle = FControlStyle - TControlStyle{csAcceptsControls, csSetCaption} + TControlStyle{csOpaque};
    SetBounds(0, 0, 20, 18);
}

TSpinButton::~TSpinButton() = default;

void TSpinButton::SetFocusControl(TWinControl* Value) {
    if (Value == FFocusControl) return;
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TSpinButton::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

TRect TSpinButton::UpRect() const {
    return {0, 0, Width(), Height() / 2};
}

TRect TSpinButton::DownRect() const {
    return {0, Height() / 2, Width(), Height()};
}

Integer TSpinButton::HalfAt(Integer X, Integer Y) const {
    const TPoint p{X, Y};
    if (PtInRect(UpRect(), p)) return 1;
    if (PtInRect(DownRect(), p)) return 2;
    return 0;
}

void TSpinButton::HalfClick(Integer Half) {
    if (Half == 1 && OnUpClick) OnUpClick(this);
    if (Half == 2 && OnDownClick) OnDownClick(this);
}

// ================================================================ painting

void TSpinButton::PaintHalf(const TRect& R, bool Up, bool Down) {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(R);
    TRect edge = R;
    DrawEdge(c->Handle(), &edge, Down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT);
    // The arrow: rows of 1, 3 and 5 pixels, centred.
    const Integer shift = Down ? 1 : 0;
    const Integer cx = R.Left + (R.Width() - 1) / 2 + shift;
    const Integer top = R.Top + (R.Height() - 3) / 2 + shift;
    const TColor color = Enabled() ? clBtnText : clGrayText;
    for (Integer row = 0; row < 3; ++row) {
        const Integer half = Up ? row : 2 - row;
        for (Integer x = cx - half; x <= cx + half; ++x)
            c->SetPixels(x, top + row, color);
    }
}

void TSpinButton::Paint() {
    PaintHalf(UpRect(), true, FPressed == 1 && FInside);
    PaintHalf(DownRect(), false, FPressed == 2 && FInside);
}

// ================================================================ input

void TSpinButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (TabStop() && CanFocus() && !Focused())
        SetFocus();
    FPressed = HalfAt(X, Y);
    FInside = FPressed != 0;
    if (!FPressed) return;
    SetMouseCapture(true);
    if (!FRepeat) {
        FRepeat = std::make_unique<TTimer>(nullptr);
        FRepeat->OnTimer = [this](TObject* Sender) { RepeatTimer(Sender); };
    }
    FRepeat->SetEnabled(false);
    FRepeat->SetInterval(InitRepeatPause);
    FRepeat->SetEnabled(true);
    Invalidate();
}

void TSpinButton::RepeatTimer(TObject*) {
    FRepeat->SetInterval(RepeatPause);
    if (FPressed && FInside) HalfClick(FPressed);
}

void TSpinButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FPressed) return;
    const bool inside = HalfAt(X, Y) == FPressed;
    if (inside != FInside) {
        FInside = inside;
        Invalidate();
    }
}

void TSpinButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !FPressed) return;
    const Integer half = FPressed;
    const bool inside = HalfAt(X, Y) == half;
    FPressed = 0;
    FInside = false;
    if (FRepeat) FRepeat->SetEnabled(false);
    SetMouseCapture(false);
    Invalidate();
    if (inside) HalfClick(half);
}

void TSpinButton::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == VK_UP) HalfClick(1);
    if (Key == VK_DOWN) HalfClick(2);
}

void TSpinButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        break;
    case CM_ENABLEDCHANGED:
        FPressed = 0;
        if (FRepeat) FRepeat->SetEnabled(false);
        TCustomControl::Dispatch(Message);
        break;
    default:
        TCustomControl::Dispatch(Message);
        break;
    }
}

const TClassInfo& TSpinButton::ClassInfo() {
    using T = TSpinButton;
    static const TClassInfo& info = []() -> const TClassInfo& {
        TClassBuilder<T> b("TSpinButton", &TCustomControl::ClassInfo());
        b.Property("FocusControl", &T::FocusControl, &T::SetFocusControl)
            .Event("OnUpClick", &T::OnUpClick)
            .Event("OnDownClick", &T::OnDownClick);
        PublishControlProperties(b,
                                 {"Align", "Enabled", "Visible", "TabOrder", "TabStop", "OnEnter", "OnExit"});
        return b.Register();
    }();
    return info;
}
