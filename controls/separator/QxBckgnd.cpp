#include "controls/separator/QxBckgnd.h"

const TTypeInfo* HighlightLocationTypeInfo() {
    static const TTypeInfo* type = RegisterEnumType<TQxHighlightLocation>(
        "TQxHighlightLocation", {"hlCenter", "hlUpperLeft", "hlLowerRight"});
    return type;
}

TQxSeparator::TQxSeparator(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(Left(), Top(), 200, 2);
    SetParentColor(true);
    FFirstResize = HasState(csDesigning);
    DeriveGradient();
}

void TQxSeparator::DeriveGradient() {
    const bool centre = FHighlightLocation == hlCenter;
    if (FOrientation == orHorizontal)
        FDirection = centre ? gdVerticalCenter : gdVerticalEnd;
    else
        FDirection = centre ? gdHorizontalCenter : gdHorizontalEnd;
    const bool highlightFirst = FHighlightLocation == hlUpperLeft;
    FStart = highlightFirst ? FHighlightColor : Color();
    FStop = highlightFirst ? Color() : FHighlightColor;
}

void TQxSeparator::SetHighlightColor(TColor Value) {
    if (Value == FHighlightColor) return;
    FHighlightColor = Value;
    DeriveGradient();
    Invalidate();
}

void TQxSeparator::SetHighlightLocation(TQxHighlightLocation Value) {
    if (Value == FHighlightLocation) return;
    FHighlightLocation = Value;
    DeriveGradient();
    Invalidate();
}

void TQxSeparator::SetShowGradient(bool Value) {
    if (Value == FShowGradient) return;
    FShowGradient = Value;
    Invalidate();
}

void TQxSeparator::SetOrientation(TOrientation Value) {
    if (Value == FOrientation) return;
    FOrientation = Value;
    if (HasState(csLoading)) return;
    SetBounds(Left(), Top(), Height(), Width());
    DeriveGradient();
    Invalidate();
}

void TQxSeparator::Loaded() {
    TGraphicControl::Loaded();
    FFirstResize = false;
    DeriveGradient();
}

// Painting never changes the size; an empty separator draws nothing.
void TQxSeparator::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    TCanvas* c = Canvas();
    const TRect r = ClientRect();
    c->Brush()->SetStyle(bsSolid);
    if (!FShowGradient) {
        c->Brush()->SetColor(Color());
        c->FillRect(r);
    } else if (FullColorDisplay) {
        TBitmap buffer(Width(), Height());
        GradientFillRect(buffer.Canvas(), {0, 0, Width(), Height()}, FDirection, 1, FStop, FStart);
        c->SetCopyMode(cmSrcCopy);
        c->Draw(0, 0, &buffer);
    } else {
        c->Brush()->SetColor(FStop);
        c->FillRect(r);
    }
}

void TQxSeparator::Resize() {
    if (FFirstResize) {
        FFirstResize = false;
        SetBounds(Left(), Top(), 200, 2);
    }
    TGraphicControl::Resize();
}

void TQxSeparator::Dispatch(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    if (Message.Msg == CM_COLORCHANGED || Message.Msg == CM_PARENTCOLORCHANGED) {
        DeriveGradient();
        Invalidate();
    }
}

const TClassInfo& TQxSeparator::ClassInfo() {
    static const TClassInfo& info = [&]() -> const TClassInfo& {
        using T = TQxSeparator;
        TClassBuilder<T> b("TQxSeparator", &TGraphicControl::ClassInfo());
        b.Property("HighlightColor", &T::HighlightColor, &T::SetHighlightColor, ColorTypeInfo())
            .Default(clHighlight)
            .Property("HighlightLocation", &T::HighlightLocation, &T::SetHighlightLocation,
                      HighlightLocationTypeInfo())
            .Default(hlCenter)
            .Property("Orientation", &T::Orientation, &T::SetOrientation, OrientationTypeInfo())
            .Default(orHorizontal)
            .Property("ShowGradient", &T::ShowGradient, &T::SetShowGradient);
        PublishControlProperties(b, {"Align", "Anchors", "Color", "Constraints", "DragCursor", "DragMode",
                                     "Enabled", "ParentColor", "ParentShowHint", "PopupMenu", "ShowHint",
                                     "Visible", "OnClick", "OnDblClick", "OnDragDrop", "OnDragOver",
                                     "OnEndDrag", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
        return b.Register();
    }();
    return info;
}
