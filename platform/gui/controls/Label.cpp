#include "platform/gui/controls/Label.h"

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    FControlStyle << csOpaque << csReplicatable;
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
    if (Value == FLayout) return;
    FLayout = Value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
    if (Value == FAutoSize) return;
    FAutoSize = Value;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool Value) {
    if (Value == FWordWrap) return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
    if (Value == FShowAccelChar) return;
    FShowAccelChar = Value;
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    FTransparent = Value;
    if (Value)
        FControlStyle >> csOpaque;
    else
        FControlStyle << csOpaque;
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

String TCustomLabel::GetLabelText() {
    return Caption();
}

Integer TCustomLabel::DrawTextBiDiModeFlags(Integer Flags) const {
    if (UseRightToLeftAlignment()) {
        if (Flags & DT_RIGHT)
            Flags &= ~DT_RIGHT;
        else if (!(Flags & DT_CENTER))
            Flags |= DT_RIGHT;
    }
    if (UseRightToLeftReading()) Flags |= DT_RTLREADING;
    return Flags;
}

void TCustomLabel::DoDrawText(TRect& Rect, Integer Flags) {
    String text = GetLabelText();
    // An empty caption (or a lone accelerator mark) still measures one line.
    if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&"))) text += " ";
    if (!FShowAccelChar) Flags |= DT_NOPREFIX;
    Flags = DrawTextBiDiModeFlags(Flags);
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    if (!Enabled()) {
        OffsetRect(Rect, 1, 1);
        canvas->Font()->SetColor(clBtnHighlight);
        DrawText(canvas->Handle(), text, &Rect, static_cast<UINT>(Flags));
        OffsetRect(Rect, -1, -1);
        canvas->Font()->SetColor(clBtnShadow);
        DrawText(canvas->Handle(), text, &Rect, static_cast<UINT>(Flags));
    } else {
        DrawText(canvas->Handle(), text, &Rect, static_cast<UINT>(Flags));
    }
}

void TCustomLabel::Paint() {
    static const Integer alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    TCanvas* canvas = Canvas();
    if (!FTransparent) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(ClientRect());
    }
    canvas->Brush()->SetStyle(bsClear);
    TRect rect = ClientRect();
    Integer flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | alignments[FAlignment];
    if (FLayout != tlTop) {
        TRect calc = rect;
        DoDrawText(calc, flags | DT_CALCRECT);
        const Integer offset = rect.Height() - calc.Height();
        OffsetRect(rect, 0, FLayout == tlBottom ? offset : offset / 2);
    }
    DoDrawText(rect, flags);
}

void TCustomLabel::AdjustBounds() {
    static const Integer wordWraps[] = {0, DT_WORDBREAK};
    if (HasState(csReading) || HasState(csLoading) || !FAutoSize) return;
    TRect rect = ClientRect();
    HDC dc = CreateCompatibleDC(nullptr);
    Canvas()->SetHandle(dc);
    DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | wordWraps[FWordWrap]);
    Canvas()->SetHandle(nullptr);
    DeleteDC(dc);
    Integer x = Left();
    TAlignment alignment = FAlignment;
    if (UseRightToLeftAlignment() && alignment != taCenter)
        alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    if (alignment == taRightJustify) x += Width() - rect.Right;
    SetBounds(x, Top(), rect.Right, rect.Bottom);
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_TEXTCHANGED:
        Invalidate();
        AdjustBounds();
        return;
    case CM_FONTCHANGED:
        TGraphicControl::Dispatch(Message);
        AdjustBounds();
        return;
    case CM_DIALOGCHAR:
        if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(static_cast<Word>(Message.WParam), Caption()) &&
            FFocusControl->CanFocus()) {
            FFocusControl->SetFocus();
            Message.Result = 1;
        }
        return;
    default:
        TGraphicControl::Dispatch(Message);
        return;
    }
}

const TClassInfo& TCustomLabel::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TCustomLabel>("TCustomLabel", &TGraphicControl::ClassInfo()).Register();
    return info;
}

const TClassInfo& TLabel::ClassInfo() {
    static const TClassInfo& info = []() -> const TClassInfo& {
        TClassBuilder<TLabel> b("TLabel", &TCustomLabel::ClassInfo());
        PublishControlProperties(b, {"Align", "Anchors", "BiDiMode", "Caption", "Color", "Constraints",
                                     "DragCursor", "DragKind", "DragMode", "Enabled", "Font", "ParentBiDiMode",
                                     "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint",
                                     "Visible", "OnClick", "OnContextPopup", "OnDblClick", "OnDragDrop",
                                     "OnDragOver", "OnEndDock", "OnEndDrag", "OnMouseDown", "OnMouseMove",
                                     "OnMouseUp", "OnStartDock", "OnStartDrag"});
        PublishLabelProperties(
            b, {"Alignment", "AutoSize", "FocusControl", "Layout", "ShowAccelChar", "Transparent", "WordWrap"});
        return b.Register();
    }();
    return info;
}
