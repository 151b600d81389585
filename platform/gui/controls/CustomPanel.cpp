#include "platform/gui/controls/CustomPanel.h"
#include "platform/gui/controls/Published.h"

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width) {
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
    --Rect.Bottom;
    --Rect.Right;
    for (; Width > 0; --Width) {
        Canvas->Pen()->SetColor(TopColor);
        Canvas->Polyline({TPoint(Rect.Left, Rect.Bottom), TPoint(Rect.Left, Rect.Top), TPoint(Rect.Right, Rect.Top)});
        Canvas->Pen()->SetColor(BottomColor);
        Canvas->Polyline(
            {TPoint(Rect.Right, Rect.Top), TPoint(Rect.Right, Rect.Bottom), TPoint(Rect.Left - 1, Rect.Bottom)});
        InflateRect(Rect, -1, -1);
    }
    ++Rect.Bottom;
    ++Rect.Right;
}

// ================================================================ TCustomPanel

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                     csOpaque,          csDoubleClicks, csReplicatable};
    SetBounds(Left(), Top(), 185, 41);
    SetColor(clBtnFace);
    SetParentColor(false);
    SetUseDockManager(true);
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    if (!FFullRepaint) Params.WindowClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
    TCustomControl::AdjustClientRect(Rect);
    InflateRect(Rect, -FBorderWidth, -FBorderWidth);
    Integer bevel = 0;
    if (FBevelOuter != bvNone) bevel += FBevelWidth;
    if (FBevelInner != bvNone) bevel += FBevelWidth;
    InflateRect(Rect, -bevel, -bevel);
}

void TCustomPanel::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    auto bevel = [&](TBevelCut Cut) {
        if (Cut == bvNone) return;
        const TColor top = Cut == bvLowered ? clBtnShadow : clBtnHighlight;
        const TColor bottom = Cut == bvLowered ? clBtnHighlight : clBtnShadow;
        Frame3D(c, r, top, bottom, FBevelWidth);
    };
    bevel(FBevelOuter);
    Frame3D(c, r, Color(), Color(), FBorderWidth);
    bevel(FBevelInner);
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
    const String text = Caption();
    if (text.empty()) return;
    c->Brush()->SetStyle(bsClear);
    c->SetFont(Font());
    const Integer h = c->TextHeight("W");
    r.Top = (r.Bottom + r.Top - h) / 2;
    r.Bottom = r.Top + h;
    UINT flags = DT_EXPANDTABS | DT_VCENTER;
    const TAlignment align =
        UseRightToLeftAlignment() && FAlignment != taCenter
            ? (FAlignment == taLeftJustify ? taRightJustify : taLeftJustify)
            : FAlignment;
    flags |= align == taLeftJustify ? DT_LEFT : align == taRightJustify ? DT_RIGHT : DT_CENTER;
    if (UseRightToLeftReading()) flags |= DT_RTLREADING;
    DrawText(c->Handle(), text, &r, flags);
    c->Brush()->SetStyle(bsSolid);
}

void TCustomPanel::BorderChanged() {
    Realign();
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
    if (Value == FBevelInner) return;
    FBevelInner = Value;
    BorderChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
    if (Value == FBevelOuter) return;
    FBevelOuter = Value;
    BorderChanged();
}

void TCustomPanel::SetBevelWidth(Integer Value) {
    if (Value < 1) Value = 1;
    if (Value == FBevelWidth) return;
    FBevelWidth = Value;
    BorderChanged();
}

void TCustomPanel::SetBorderWidth(Integer Value) {
    if (Value < 0) Value = 0;
    if (Value == FBorderWidth) return;
    FBorderWidth = Value;
    BorderChanged();
}

void TCustomPanel::SetFullRepaint(bool Value) {
    if (Value == FFullRepaint) return;
    FFullRepaint = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomPanel::Dispatch(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    if (Message.Msg == CM_TEXTCHANGED) Invalidate();
}

const TClassInfo& TCustomPanel::ClassInfo() {
    static const TClassInfo& info = [&]() -> const TClassInfo& {
        BevelCutTypeInfo();
        RegisterControlTypes();
        using T = TCustomPanel;
        TClassBuilder<T> b("TCustomPanel", &TCustomControl::ClassInfo());
        return b.Register();
    }();
    return info;
}

const TClassInfo& TPanel::ClassInfo() {
    static const TClassInfo& info = [&]() -> const TClassInfo& {
        using T = TPanel;
        TClassBuilder<T> b("TPanel", &TCustomPanel::ClassInfo());
        b.Property("BevelInner", &T::BevelInner, &T::SetBevelInner, BevelCutTypeInfo())
            .Default(bvNone)
            .Property("BevelOuter", &T::BevelOuter, &T::SetBevelOuter, BevelCutTypeInfo())
            .Default(bvRaised)
            .Property("DockSite", &T::DockSite, &T::SetDockSite)
            .Default(false)
            .Property("UseDockManager", &T::UseDockManager, &T::SetUseDockManager)
            .Default(true);
        PublishCustomPanel(b);
        return b.Register();
    }();
    return info;
}
