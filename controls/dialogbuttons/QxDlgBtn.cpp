#include "controls/dialogbuttons/QxDlgBtn.h"
#include "platform/gui/controls/ActnList.h"

TQxDialogButtons::TQxDialogButtons(TComponent* AOwner) : TQxCustomPanel(AOwner) {
    FControlStyle >> csSetCaption;
    SetHeight(36);
    SetAlign(alBottom);
    SetBorderOuter(fsNone);
    CreateButtons();
}

void TQxDialogButtons::CreateButtons() {
    auto make = [&](TBitBtnKind Kind) {
        auto* b = new TQxBitBtn(this);
        b->SetBounds(0, 0, FDefaultWidth, FButtonHeight);
        b->SetCaption(BitBtnCaption(Kind));
        b->OnClick = [this](TObject* Sender) { ButtonClicked(Sender); };
        b->SetParent(this);
        return b;
    };
    FOk = make(bkOK);
    FOk->SetModalResult(mrOk);
    FOk->SetDefault(true);
    FCancel = make(bkCancel);
    FCancel->SetModalResult(mrCancel);
    FCancel->SetCancel(true);
    FHelp = make(bkHelp);
    FHelp->SetVisible(false);
    PositionButtons();
}

TQxBitBtn* TQxDialogButtons::Button(Integer Index) const {
    switch (Index) {
    case biOk:
        return FOk;
    case biCancel:
        return FCancel;
    case biHelp:
        return FHelp;
    default:
        throw ERangeError(Format("Dialog button index %d is out of range (1 OK, 2 Cancel, 3 Help)", {Index}));
    }
}

// The button's own click has already given its modal result to the form.
void TQxDialogButtons::ButtonClicked(TObject* Sender) {
    auto* b = static_cast<TQxBitBtn*>(Sender);
    if (TBasicAction* action = b->Action()) action->Execute();
    if (b == FOk)
        ClickOk();
    else if (b == FCancel)
        ClickCancel();
    else if (b == FHelp)
        ClickHelp();
}

void TQxDialogButtons::ClickOk() {
    if (OnClickOk) OnClickOk(this);
}
void TQxDialogButtons::ClickCancel() {
    if (OnClickCancel) OnClickCancel(this);
}
void TQxDialogButtons::ClickHelp() {
    if (OnClickHelp) OnClickHelp(this);
}

// Docked left or right the column is as wide as the widest visible button
// will be: the widths set, which PositionButtons gives the buttons next.
void TQxDialogButtons::AdjustPanelSize() {
    switch (Align()) {
    case alLeft:
    case alRight: {
        Integer widest = 0;
        for (Integer i = biOk; i <= biHelp; ++i)
            if (Button(i)->Visible()) widest = std::max(widest, ButtonWidth(i));
        SetWidth(widest + 12);
        break;
    }
    case alTop:
    case alBottom:
        SetHeight(FButtonHeight + 11);
        break;
    default:
        break;
    }
}

void TQxDialogButtons::PositionButtons() {
    if (!FOk || !FCancel || !FHelp) return;
    const Integer h = FButtonHeight;
    TQxBitBtn* const buttons[] = {FOk, FCancel, FHelp};
    for (TQxBitBtn* b : buttons)
        if (!b->Visible()) b->SetBounds(0, 0, 0, 0);
    const bool column = Align() == alLeft || Align() == alRight || Align() == alCustom;
    if (column) {
        Integer n = 0;
        if (FOk->Visible()) {
            FOk->SetBounds(6, 8, FWidths[0], h);
            ++n;
        }
        if (FCancel->Visible()) {
            FCancel->SetBounds(6, FOk->Visible() ? h + 16 : 8, FWidths[1], h);
            ++n;
        }
        if (FHelp->Visible()) FHelp->SetBounds(6, 8 + n * (h + 8), FWidths[2], h);
        return;
    }
    // Right-aligned: each Left is the width less what it and those after it take.
    Integer taken = 0;
    for (Integer i = 2; i >= 0; --i) {
        TQxBitBtn* b = buttons[i];
        if (!b->Visible()) continue;
        const Integer w = FWidths[static_cast<size_t>(i)];
        taken += w + 8;
        Integer left = Width() - taken;
        if (UseRightToLeftAlignment()) left = Width() - left - w;
        b->SetBounds(left, 6, w, h);
    }
}

void TQxDialogButtons::SetAlign(TAlign Value) {
    if (Value == Align()) return;
    TQxCustomPanel::SetAlign(Value);
    AdjustPanelSize();
    PositionButtons();
    Invalidate();
}

void TQxDialogButtons::SetButtonAction(Integer Index, TBasicAction* Value) {
    Button(Index)->SetAction(Value);
}
void TQxDialogButtons::SetButtonColor(TColor Value) {
    for (Integer i = biOk; i <= biHelp; ++i)
        Button(i)->SetColor(Value);
}
void TQxDialogButtons::SetButtonFrameColor(TColor Value) {
    for (Integer i = biOk; i <= biHelp; ++i)
        Button(i)->SetFrameColor(Value);
}
void TQxDialogButtons::SetButtonCaption(Integer Index, const String& Value) {
    Button(Index)->SetCaption(Value);
}
void TQxDialogButtons::SetButtonEnabled(Integer Index, bool Value) {
    Button(Index)->SetEnabled(Value);
}
void TQxDialogButtons::SetButtonWidth(Integer Index, Integer Value) {
    Button(Index); // checks the index
    FWidths[static_cast<size_t>(Index - 1)] = Value;
    AdjustPanelSize();
    PositionButtons();
    Invalidate();
}
void TQxDialogButtons::SetShowDivider(bool Value) {
    if (Value == FShowDivider) return;
    FShowDivider = Value;
    Invalidate();
}

void TQxDialogButtons::SetShowGlyphs(bool Value) {
    if (Value == FShowGlyphs) return;
    FShowGlyphs = Value;
    const TBitBtnKind kinds[] = {bkOK, bkCancel, bkHelp};
    for (Integer i = biOk; i <= biHelp; ++i) {
        if (Value) {
            Button(i)->SetGlyph(GetStockGlyph(kinds[i - 1]));
        } else {
            TBitmap empty;
            Button(i)->SetGlyph(&empty);
        }
    }
    Invalidate();
}

// Without a Cancel button Escape reaches OK.
void TQxDialogButtons::SetShowButton(Integer Index, bool Value) {
    Button(Index)->SetVisible(Value);
    if (Index == biCancel) FOk->SetCancel(!Value);
    AdjustPanelSize();
    PositionButtons();
}

void TQxDialogButtons::SetCancelCancel(bool Value) {
    FCancel->SetCancel(Value);
}
void TQxDialogButtons::SetOKDefault(bool Value) {
    FOk->SetDefault(Value);
}
void TQxDialogButtons::SetHotTrack(bool Value) {
    for (Integer i = biOk; i <= biHelp; ++i)
        Button(i)->SetHotTrack(Value);
}
void TQxDialogButtons::SetHotTrackColor(TColor Value) {
    for (Integer i = biOk; i <= biHelp; ++i)
        Button(i)->SetHotTrackColor(Value); // a plain store: seen at the next repaint
}
void TQxDialogButtons::SetHotTrackColorType(TQxHotTrackColorType Value) {
    for (Integer i = biOk; i <= biHelp; ++i)
        Button(i)->SetHotTrackColorType(Value);
}
void TQxDialogButtons::SetHighlightColor(TColor Value) {
    for (Integer i = biOk; i <= biHelp; ++i)
        Button(i)->SetHighlightColor(Value);
}
void TQxDialogButtons::SetButtonModalResult(Integer Index, TModalResult Value) {
    Button(Index)->SetModalResult(Value);
}

void TQxDialogButtons::Loaded() {
    TQxCustomPanel::Loaded();
    PositionButtons();
}

void TQxDialogButtons::Resize() {
    TQxCustomPanel::Resize();
    PositionButtons();
}

void TQxDialogButtons::ChangeScale(Integer M, Integer D) {
    TQxCustomPanel::ChangeScale(M, D);
    FButtonHeight = MulDiv(FButtonHeight, M, D);
    FDefaultWidth = MulDiv(FDefaultWidth, M, D);
    for (Integer& w : FWidths)
        w = MulDiv(w, M, D);
    PositionButtons();
}

// The divider is a groove on the edge that faces the dialog.
void TQxDialogButtons::Paint() {
    TQxCustomPanel::Paint();
    if (!FShowDivider) return;
    TSide side;
    switch (Align()) {
    case alTop:
        side = sdBottom;
        break;
    case alLeft:
        side = sdRight;
        break;
    case alRight:
        side = sdLeft;
        break;
    case alCustom:
        return;
    default:
        side = sdTop;
        break;
    }
    PaintStyleFrameSides(Canvas(), ClientRect(), fsGroove, TSides{side});
}

void TQxDialogButtons::DefineProperties(TFiler* Filer) {
    TQxCustomPanel::DefineProperties(Filer);
    Filer->DefineProperty("FrameFlat", [this](TReader* R) { SetHotTrack(R->ReadBoolean()); }, nullptr, false);
}

const TClassInfo& TQxDialogButtons::ClassInfo() {
    static const TClassInfo& info = [&]() -> const TClassInfo& {
        using T = TQxDialogButtons;
        RegisterButtonTypes();
        TClassBuilder<T> b("TQxDialogButtons", &TQxCustomPanel::ClassInfo());
        PublishPanelProperties(b);
        b.Qualify("Align").Default(alBottom);
        const char* names[] = {"Ok", "Cancel", "Help"};
        const char* defaults[] = {"OK", "Cancel", "&Help"};
        for (Integer i = biOk; i <= biHelp; ++i) {
            const String n = names[i - 1];
            const String d = defaults[i - 1];
            b.Property(
                 "Action" + n, [i](const T* c) { return c->ButtonAction(i); },
                 [i](T* c, TBasicAction* v) { c->SetButtonAction(i, v); })
                .Property(
                    "Caption" + n, [i](const T* c) { return c->ButtonCaption(i); },
                    [i](T* c, const String& v) { c->SetButtonCaption(i, v); })
                .Stored([i, d](const T* c) { return c->ButtonCaption(i) != d; })
                .Property(
                    "Enable" + n, [i](const T* c) { return c->ButtonEnabled(i); },
                    [i](T* c, bool v) { c->SetButtonEnabled(i, v); })
                .Default(true)
                .Property(
                    "Width" + n, [i](const T* c) { return c->ButtonWidth(i); },
                    [i](T* c, Integer v) { c->SetButtonWidth(i, v); })
                .Default(75)
                .Property(
                    "ModalResult" + n, [i](const T* c) { return c->ButtonModalResult(i); },
                    [i](T* c, TModalResult v) { c->SetButtonModalResult(i, v); })
                .Default(i == biOk ? mrOk : i == biCancel ? mrCancel : mrNone);
        }
        const char* shows[] = {"ShowOKButton", "ShowCancelButton", "ShowHelpButton"};
        for (Integer i = biOk; i <= biHelp; ++i)
            b.Property(
                 shows[i - 1], [i](const T* c) { return c->ShowButton(i); },
                 [i](T* c, bool v) { c->SetShowButton(i, v); })
                .Default(i != biHelp);
        b.Property("ButtonColor", &T::ButtonColor, &T::SetButtonColor, ColorTypeInfo())
            .Default(clBtnFace)
            .Property("ButtonFrameColor", &T::ButtonFrameColor, &T::SetButtonFrameColor, ColorTypeInfo())
            .Default(cl3DDkShadow)
            .Property("ShowDivider", &T::ShowDivider, &T::SetShowDivider)
            .Default(false)
            .Property("ShowGlyphs", &T::ShowGlyphs, &T::SetShowGlyphs)
            .Default(false)
            .Property("CancelCancel", &T::CancelCancel, &T::SetCancelCancel)
            .Default(true)
            .Property("OKDefault", &T::OKDefault, &T::SetOKDefault)
            .Default(true)
            .Event("OnClickOk", &T::OnClickOk)
            .Event("OnClickCancel", &T::OnClickCancel)
            .Event("OnClickHelp", &T::OnClickHelp);
        PublishButtonHotTrack(b);
        return b.Register();
    }();
    return info;
}
