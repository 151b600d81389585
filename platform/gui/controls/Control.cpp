#include "platform/gui/controls/Control.h"
#include "platform/gui/controls/ActnList.h"
#include "platform/gui/controls/CustomForm.h"
#include "platform/gui/controls/Menus.h"
#include "platform/gui/controls/SystemParameters.h"
#include "platform/gui/controls/Screen.h"
#include "platform/gui/controls/WinControl.h"
#include "platform/gui/controls/WindowInput.h"
#include "platform/rtl/Guards.h"

namespace {
TControl* gCaptureControl = nullptr;
} // namespace

// ================================================================ TSizeConstraints

void TSizeConstraints::SetMinWidth(Integer Value) {
    if (Value == FMinWidth) return;
    FMinWidth = Value;
    if (FMaxWidth > 0 && FMaxWidth < FMinWidth) FMaxWidth = FMinWidth;
    Changed();
}

void TSizeConstraints::SetMinHeight(Integer Value) {
    if (Value == FMinHeight) return;
    FMinHeight = Value;
    if (FMaxHeight > 0 && FMaxHeight < FMinHeight) FMaxHeight = FMinHeight;
    Changed();
}

void TSizeConstraints::SetMaxWidth(Integer Value) {
    if (Value == FMaxWidth) return;
    FMaxWidth = Value;
    if (FMaxWidth > 0 && FMinWidth > FMaxWidth) FMinWidth = FMaxWidth;
    Changed();
}

void TSizeConstraints::SetMaxHeight(Integer Value) {
    if (Value == FMaxHeight) return;
    FMaxHeight = Value;
    if (FMaxHeight > 0 && FMinHeight > FMaxHeight) FMinHeight = FMaxHeight;
    Changed();
}

void TSizeConstraints::Apply(Integer& Width, Integer& Height) const {
    if (FMinWidth > 0 && Width < FMinWidth) Width = FMinWidth;
    if (FMaxWidth > 0 && Width > FMaxWidth) Width = FMaxWidth;
    if (FMinHeight > 0 && Height < FMinHeight) Height = FMinHeight;
    if (FMaxHeight > 0 && Height > FMaxHeight) Height = FMaxHeight;
}

void TSizeConstraints::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TSizeConstraints*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    FMinWidth = s->FMinWidth;
    FMinHeight = s->FMinHeight;
    FMaxWidth = s->FMaxWidth;
    FMaxHeight = s->FMaxHeight;
    Changed();
}

void TSizeConstraints::Changed() {
    if (OnChange) OnChange(this);
}

// ================================================================ anchors

TAnchors AnchorAlign(TAlign Align) {
    switch (Align) {
    case alTop:
        return {akLeft, akTop, akRight};
    case alBottom:
        return {akLeft, akRight, akBottom};
    case alLeft:
        return {akLeft, akTop, akBottom};
    case alRight:
        return {akRight, akTop, akBottom};
    case alClient:
        return {akLeft, akTop, akRight, akBottom};
    default:
        return {akLeft, akTop};
    }
}

const TTypeInfo* AnchorsTypeInfo() {
    static const TTypeInfo* type = MakeSetType(
        "TAnchors", RegisterEnumType<TAnchorKind>("TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"}));
    return type;
}

// ================================================================ TControl

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks},
      FFont(std::make_unique<TFont>()), FConstraints(std::make_unique<TSizeConstraints>()) {
    WindowProc = [this](TMessage& M) { WndProc(M); };
    FFont->OnChange = [this](TObject*) { FontChanged(); };
    FConstraints->OnChange = [this](TObject*) {
        if (!HasState(csLoading)) SetBounds(FLeft, FTop, FWidth, FHeight);
    };
}

TControl::~TControl() {
    // Normally done in BeforeDestruction while the control was whole.
    if (gCaptureControl == this) gCaptureControl = nullptr;
    ForgetMouseControl(this);
    ForgetDragControl(this);
    if (FParent) FParent->RemoveControl(this);
}

void TControl::BeforeDestruction() {
    SetComponentStateFlag(csDestroying, true);
    if (gCaptureControl == this) SetCaptureControl(nullptr);
    ForgetMouseControl(this);
    SetParent(nullptr);
    TComponent::BeforeDestruction();
}

// ---------------------------------------------------------------- tree

void TControl::SetParent(TWinControl* AParent) {
    if (FParent == AParent) return;
    if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const {
    return FParent;
}

void TControl::SetParentComponent(TComponent* Value) {
    if (auto* w = dynamic_cast<TWinControl*>(Value)) SetParent(w);
}

// ---------------------------------------------------------------- bounds

void TControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    ConstrainedResize(AWidth, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    const TRect old = BoundsRect();
    const bool sized = AWidth != FWidth || AHeight != FHeight;
    InvalidateControl(FVisible, false);
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    if (!FAnchorMove) UpdateAnchorRules();
    BoundsChanged(old);
    Invalidate();
    Perform(WM_WINDOWPOSCHANGED);
    if (sized) {
        if (auto* w = dynamic_cast<TWinControl*>(this)) {
            const TRect client = w->WindowClientRect();
            Perform(WM_SIZE, SIZE_RESTORED,
                    MakeLParam(static_cast<Word>(client.Width()), static_cast<Word>(client.Height())));
        } else if (!HasState(csLoading))
            Resize();
    }
    RequestAlign();
}

void TControl::ConstrainedResize(Integer& NewWidth, Integer& NewHeight) {
    FConstraints->Apply(NewWidth, NewHeight);
    if (NewWidth < 0) NewWidth = 0;
    if (NewHeight < 0) NewHeight = 0;
}

TRect TControl::ClientRect() const {
    return {0, 0, FWidth, FHeight};
}

void TControl::SetClientWidth(Integer Value) {
    SetClientSize(Value, ClientHeight());
}
void TControl::SetClientHeight(Integer Value) {
    SetClientSize(ClientWidth(), Value);
}

void TControl::SetClientSize(Integer AWidth, Integer AHeight) {
    TRect c = ClientRect();
    SetBounds(FLeft, FTop, FWidth - c.Width() + AWidth, FHeight - c.Height() + AHeight);
}

TPoint TControl::ClientOrigin() const {
    if (!FParent) return {FLeft, FTop};
    TPoint p = FParent->ClientOrigin();
    return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint P) const {
    TPoint o = ClientOrigin();
    return {P.X + o.X, P.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint P) const {
    TPoint o = ClientOrigin();
    return {P.X - o.X, P.Y - o.Y};
}

void TControl::SetAlign(TAlign Value) {
    if (Value == FAlign) return;
    FAlign = Value;
    FAnchors = AnchorAlign(Value);
    // A control left where its alignment put it keeps to that place.
    if (Value == alNone) UpdateAnchorRules();
    RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
    if (Value == FAnchors) return;
    FAnchors = Value;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
    FAnchorBounds = BoundsRect();
    FAnchorParentSize = FParent ? TPoint{FParent->ClientWidth(), FParent->ClientHeight()} : TPoint{};
}

void TControl::AnchorTo(Integer ParentWidth, Integer ParentHeight) {
    if (FAlign != alNone || FAnchors == TAnchors{akLeft, akTop}) return;
    // One direction: near side, far side or both kept; neither keeps the
    // centre at its share of the parent's size.
    auto place = [](bool Near, bool Far, Integer Pos, Integer Size, Integer OldParent, Integer NewParent,
                    Integer& NewPos, Integer& NewSize) {
        NewPos = Pos;
        NewSize = Size;
        const Integer delta = NewParent - OldParent;
        if (Near && Far)
            NewSize = std::max(0, Size + delta);
        else if (Far)
            NewPos = Pos + delta;
        else if (!Near && OldParent > 0)
            NewPos = MulDiv(Pos + Size / 2, NewParent, OldParent) - Size / 2;
    };
    Integer l, w, t, h;
    place(FAnchors.Contains(akLeft), FAnchors.Contains(akRight), FAnchorBounds.Left, FAnchorBounds.Width(),
          FAnchorParentSize.X, ParentWidth, l, w);
    place(FAnchors.Contains(akTop), FAnchors.Contains(akBottom), FAnchorBounds.Top, FAnchorBounds.Height(),
          FAnchorParentSize.Y, ParentHeight, t, h);
    TRestoreOnExit<bool> moving(FAnchorMove, true);
    SetBounds(l, t, w, h);
}

void TControl::RequestAlign() {
    if (FParent) FParent->AlignControl(this);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

// ---------------------------------------------------------------- state

void TControl::SetVisible(bool Value) {
    if (Value == FVisible) return;
    FVisible = Value;
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
    RequestAlign();
    if (FHostDockSite)
        FHostDockSite->Perform(CM_DOCKNOTIFICATION, reinterpret_cast<WPARAM>(this), CM_VISIBLECHANGED);
}

void TControl::Show() {
    if (FParent) FParent->ShowControl(this);
    if (!HasState(csDesigning) || FControlStyle.Contains(csNoDesignVisible)) SetVisible(true);
}

void TControl::SetBiDiMode(TBiDiMode Value) {
    FParentBiDiMode = false;
    if (Value == FBiDiMode) return;
    FBiDiMode = Value;
    Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool Value) {
    if (Value == FParentBiDiMode) return;
    FParentBiDiMode = Value;
    if (FParent && !HasState(csReading)) Perform(CM_PARENTBIDIMODECHANGED);
}

void TControl::CMParentBiDiModeChanged(TMessage& Message) {
    if (!FParentBiDiMode || !FParent) return;
    SetBiDiMode(FParent->BiDiMode());
    FParentBiDiMode = true;
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
    FPopupMenu = Value;
    if (Value) Value->FreeNotification(this);
}

bool TControl::IsVisibleOnScreen() const {
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FVisible) return false;
    return true;
}

void TControl::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value) {
    if (Value == FParentColor) return;
    FParentColor = Value;
    if (FParent && !HasState(csReading)) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::FontChanged() {
    if (FFontChanging) return;
    FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::ParentFontChanged() {
    // Taking the parent's font is not a font of one's own.
    {
        TRestoreOnExit<bool> changing(FFontChanging, true);
        FFont->Assign(FParent->Font());
    }
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool Value) {
    if (Value == FParentFont) return;
    FParentFont = Value;
    if (FParent && !HasState(csReading)) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetText(const String& Value) {
    if (GetText() == Value) return;
    String copy = Value;
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(&copy));
    if (FHostDockSite)
        FHostDockSite->Perform(CM_DOCKNOTIFICATION, reinterpret_cast<WPARAM>(this), WM_SETTEXT);
}

String TControl::GetText() const {
    String s;
    const_cast<TControl*>(this)->Perform(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(&s));
    return s;
}

void TControl::SetShowHint(bool Value) {
    if (Value == FShowHint) return;
    FShowHint = Value;
    FParentShowHint = false;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool Value) {
    if (Value == FParentShowHint) return;
    FParentShowHint = Value;
    if (FParent && !HasState(csReading)) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetCursor(TCursor Value) {
    if (Value == FCursor) return;
    FCursor = Value;
    Perform(CM_CURSORCHANGED);
}

bool TControl::MouseCapture() const {
    return gCaptureControl == this;
}

void TControl::SetMouseCapture(bool Value) {
    if (MouseCapture() == Value) return;
    SetCaptureControl(Value ? this : nullptr);
}

void TControl::SetName(const String& NewName) {
    // A caption that still shows the name follows a new name.
    const bool changeText = FControlStyle.Contains(csSetCaption) && !HasState(csLoading) &&
                            Name() == GetText() && !(Owner() && Owner()->HasState(csLoading));
    TComponent::SetName(NewName);
    if (changeText) SetText(NewName);
}

// ---------------------------------------------------------------- painting

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
    if (!IsVisible || !FParent) return;
    TRect r = BoundsRect();
    FParent->InvalidateRect(&r, !(IsOpaque || FParent->ControlStyle().Contains(csOpaque)));
}

void TControl::Invalidate() {
    InvalidateControl(FVisible, FControlStyle.Contains(csOpaque));
}

void TControl::Update() {
    if (FParent) FParent->Update();
}

void TControl::Repaint() {
    if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
    if (FControlStyle.Contains(csOpaque)) {
        // Paints over itself: no need to erase what lies behind.
        FParent->PaintControlsNow(this);
    } else {
        Invalidate();
        Update();
    }
}

void TControl::SetZOrder(bool TopMost) {
    if (FParent) FParent->SetChildZOrder(this, TopMost);
}

// ---------------------------------------------------------------- messages

LRESULT TControl::Perform(Cardinal Msg, WPARAM WParam, LPARAM LParam) {
    TMessage m = MakeMessage(Msg, WParam, LParam);
    if (WindowProc)
        WindowProc(m);
    else
        WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // Without double clicks a second press is a press.
        if (Message.Msg == WM_LBUTTONDBLCLK && !FControlStyle.Contains(csDoubleClicks))
            Message.Msg = WM_LBUTTONDOWN;
        FControlState << csLButtonDown;
        break;
    case WM_LBUTTONUP:
        FControlState >> csLButtonDown;
        break;
    case WM_RBUTTONDBLCLK:
        if (!FControlStyle.Contains(csDoubleClicks)) Message.Msg = WM_RBUTTONDOWN;
        break;
    case WM_MBUTTONDBLCLK:
        if (!FControlStyle.Contains(csDoubleClicks)) Message.Msg = WM_MBUTTONDOWN;
        break;
    default:
        break;
    }
    Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
        WMLButtonDown(Message);
        break;
    case WM_LBUTTONDBLCLK:
        WMLButtonDblClk(Message);
        break;
    case WM_LBUTTONUP:
        WMLButtonUp(Message);
        break;
    case WM_RBUTTONDOWN:
        WMButtonDown(Message, mbRight);
        break;
    case WM_RBUTTONDBLCLK:
        WMButtonDown(Message, mbRight);
        break;
    case WM_RBUTTONUP:
        WMButtonUp(Message, mbRight);
        break;
    case WM_MBUTTONDOWN:
        WMButtonDown(Message, mbMiddle);
        break;
    case WM_MBUTTONDBLCLK:
        WMButtonDown(Message, mbMiddle);
        break;
    case WM_MBUTTONUP:
        WMButtonUp(Message, mbMiddle);
        break;
    case WM_MOUSEMOVE:
        WMMouseMove(Message);
        break;
    case CM_MOUSEWHEEL:
        CMMouseWheel(Message);
        break;
    case WM_SETTEXT:
        WMSetText(Message);
        break;
    case WM_GETTEXT:
        WMGetText(Message);
        break;
    case CM_PARENTCOLORCHANGED:
        CMParentColorChanged(Message);
        break;
    case CM_PARENTFONTCHANGED:
        CMParentFontChanged(Message);
        break;
    case CM_PARENTSHOWHINTCHANGED:
        CMParentShowHintChanged(Message);
        break;
    case CM_PARENTBIDIMODECHANGED:
        CMParentBiDiModeChanged(Message);
        break;
    case CM_BIDIMODECHANGED:
        Invalidate();
        break;
    case WM_CONTEXTMENU:
        WMContextMenu(Message);
        break;
    case CM_VISIBLECHANGED:
        CMVisibleChanged(Message);
        break;
    case CM_ENABLEDCHANGED:
        CMEnabledChanged(Message);
        break;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
        Invalidate();
        break;
    case CM_HITTEST:
        Message.Result = HTCLIENT;
        break;
    default:
        DefaultHandler(Message);
        break;
    }
}

void TControl::DefaultHandler(TMessage& Message) {}

void TControl::WMLButtonDown(TMessage& Message) {
    if (FDragMode == dmAutomatic) {
        BeginDrag(false);
        return;
    }
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (FControlStyle.Contains(csClickEvents)) FControlState << csClicked;
    DoMouseDown(Message, mbLeft, {});
}

void TControl::WMLButtonDblClk(TMessage& Message) {
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (FControlStyle.Contains(csClickEvents)) DblClick();
    DoMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TMessage& Message) {
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
    if (FControlState.Contains(csClicked)) {
        FControlState >> csClicked;
        if (PtInRect(ClientRect(), LParamToPoint(Message.LParam))) Click();
    }
    DoMouseUp(Message, mbLeft);
}

void TControl::WMButtonDown(TMessage& Message, TMouseButton Button) {
    DoMouseDown(Message, Button,
                Message.Msg == WM_RBUTTONDBLCLK || Message.Msg == WM_MBUTTONDBLCLK ? TShiftState{ssDouble}
                                                                                   : TShiftState{});
}

void TControl::WMButtonUp(TMessage& Message, TMouseButton Button) {
    DoMouseUp(Message, Button);
    // The released right button asks for the context menu, as the window
    // system's default handling of the release does.
    if (Button == mbRight && !HasState(csDestroying))
        Perform(WM_CONTEXTMENU, 0, PointToLParam(ClientToScreen(LParamToPoint(Message.LParam))));
}

void TControl::WMContextMenu(TMessage& Message) {
    if (Message.Result != 0) return;
    const TPoint screen = LParamToPoint(Message.LParam);
    const bool byKey = screen.X == -1 && screen.Y == -1;
    bool handled = false;
    DoContextPopup(byKey ? screen : ScreenToClient(screen), handled);
    if (handled) {
        Message.Result = 1;
        return;
    }
    if (FPopupMenu && FPopupMenu->AutoPopup()) {
        const TPoint at = byKey ? ClientToScreen({0, 0}) : screen;
        FPopupMenu->SetPopupComponent(this);
        FPopupMenu->Popup(at.X, at.Y);
        Message.Result = 1;
        return;
    }
    // The control's own menu (an edit's), else the parent's turn.
    DefaultHandler(Message);
    if (Message.Result == 0 && FParent) Message.Result = FParent->Perform(WM_CONTEXTMENU, 0, Message.LParam);
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
    if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

void TControl::WMMouseMove(TMessage& Message) {
    if (FControlStyle.Contains(csNoStdEvents)) return;
    TPoint p = LParamToPoint(Message.LParam);
    MouseMove(KeysToShiftState(Message.WParam), p.X, p.Y);
}

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift) {
    if (FControlStyle.Contains(csNoStdEvents)) return;
    TPoint p = LParamToPoint(Message.LParam);
    MouseDown(Button, KeysToShiftState(Message.WParam) + Shift, p.X, p.Y);
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button) {
    if (FControlStyle.Contains(csNoStdEvents)) return;
    TPoint p = LParamToPoint(Message.LParam);
    MouseUp(Button, KeysToShiftState(Message.WParam), p.X, p.Y);
}

void TControl::CMMouseWheel(TMessage& Message) {
    // WParam: shift state (MK_) in the low word, delta in the high word;
    // LParam: the pointer in screen coordinates.
    TShiftState shift = KeysToShiftState(LoWord(Message.WParam));
    Integer delta = static_cast<SmallInt>(HiWord(Message.WParam));
    if (DoMouseWheel(shift, delta, LParamToPoint(Message.LParam)))
        Message.Result = 1;
    else if (FParent)
        Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

bool TControl::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (handled) return true;
    // A turn the other way starts afresh.
    if ((FWheelAccumulator > 0 && WheelDelta < 0) || (FWheelAccumulator < 0 && WheelDelta > 0))
        FWheelAccumulator = 0;
    FWheelAccumulator += WheelDelta;
    while (std::abs(FWheelAccumulator) >= WHEEL_DELTA) {
        const bool down = FWheelAccumulator < 0;
        FWheelAccumulator += down ? WHEEL_DELTA : -WHEEL_DELTA;
        handled = down ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
    }
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click() {
    // The handler runs from a copy: it may free the control, and with it
    // OnClick and what the handler holds.
    if (TNotifyEvent handler = OnClick)
        handler(this);
    else if (FActionLink)
        FActionLink->Execute(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::WMSetText(TMessage& Message) {
    const auto* text = reinterpret_cast<const String*>(Message.LParam);
    String value = text ? *text : String();
    if (value == FText) return;
    FText = value;
    Perform(CM_TEXTCHANGED);
}

void TControl::WMGetText(TMessage& Message) {
    if (auto* out = reinterpret_cast<String*>(Message.LParam)) *out = FText;
    Message.Result = static_cast<LRESULT>(FText.size());
}

void TControl::CMParentColorChanged(TMessage& Message) {
    if (!FParentColor || !FParent) return;
    SetColor(Message.WParam ? static_cast<TColor>(Message.LParam) : FParent->Color());
    FParentColor = true;
}

void TControl::CMParentFontChanged(TMessage& Message) {
    if (FParentFont && FParent) ParentFontChanged();
}

void TControl::CMParentShowHintChanged(TMessage& Message) {
    if (!FParentShowHint || !FParent) return;
    SetShowHint(FParent->ShowHint());
    FParentShowHint = true;
}

void TControl::CMVisibleChanged(TMessage& Message) {
    InvalidateControl(true, FVisible && FControlStyle.Contains(csOpaque));
}

void TControl::CMEnabledChanged(TMessage& Message) {
    Invalidate();
}

void TControl::Loaded() {
    TComponent::Loaded();
    // Settle what the parent passes on now that the own properties are read.
    if (FParent) {
        Perform(CM_PARENTCOLORCHANGED);
        Perform(CM_PARENTFONTCHANGED);
        Perform(CM_PARENTSHOWHINTCHANGED);
        Perform(CM_PARENTBIDIMODECHANGED);
    }
}

// ================================================================ free functions

TControl* GetCaptureControl() {
    return gCaptureControl;
}

void SetCaptureControl(TControl* Control) {
    TControl* old = gCaptureControl;
    gCaptureControl = Control;
    if (old && old != Control) old->Perform(WM_CAPTURECHANGED, 0, 0);
}

TCustomForm* GetParentForm(const TControl* Control) {
    const TControl* c = Control;
    while (c && c->Parent())
        c = c->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

TCustomForm* ValidParentForm(const TControl* Control) {
    TCustomForm* form = GetParentForm(Control);
    if (!form) throw EInvalidOperation("Control '" + Control->Name() + "' has no parent window");
    return form;
}

bool IsAccel(Word Key, const String& Text) {
    // The character after the last single "&" is the accelerator.
    int hotkey = -1;
    for (size_t i = 0; i + 1 < Text.size(); ++i) {
        if (Text[i] != '&') continue;
        ++i;
        if (Text[i] != '&') hotkey = static_cast<unsigned char>(Text[i]);
    }
    auto upper = [](int c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
    return hotkey >= 0 && upper(hotkey) == upper(Key);
}

// ================================================================ published

const TClassInfo& TSizeConstraints::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TSizeConstraints>("TSizeConstraints", &PersistentClassInfo())
            .Property("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight)
            .Default(0)
            .Property("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth)
            .Default(0)
            .Property("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight)
            .Default(0)
            .Property("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth)
            .Default(0)
            .Register();
    return info;
}

const TClassInfo& TControl::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TControl>("TControl", &ComponentClassInfo())
            .Property("Left", &TControl::Left, &TControl::SetLeft)
            .Property("Top", &TControl::Top, &TControl::SetTop)
            .Property("Width", &TControl::Width, &TControl::SetWidth)
            .Property("Height", &TControl::Height, &TControl::SetHeight)
            .Property("Cursor", &TControl::Cursor, &TControl::SetCursor, CursorTypeInfo())
            .Default(crDefault)
            .Property("Hint", &TControl::Hint, &TControl::SetHint)
            .Register();
    return info;
}

// ---------------------------------------------------------------- action

TBasicAction* TControl::Action() const {
    return FActionLink ? FActionLink->Action() : nullptr;
}

void TControl::SetAction(TBasicAction* Value) {
    if (Value == Action()) return;
    if (!Value) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink) FActionLink.reset(CreateActionLink());
    FActionLink->SetAction(Value);
    FActionLink->OnChange = [this](TObject* Sender) { ActionChange(Sender, false); };
    ActionChange(Value, HasState(csLoading));
    Value->FreeNotification(this);
}

TControlActionLink* TControl::CreateActionLink() {
    return new TControlActionLink(this);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!action) return;
    if (!CheckDefaults || Caption().empty()) SetCaption(action->Caption());
    if (!CheckDefaults || Enabled()) SetEnabled(action->Enabled());
    if (!CheckDefaults || Hint().empty()) SetHint(action->Hint());
    if (!CheckDefaults || Visible()) SetVisible(action->Visible());
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && FActionLink && AComponent == FActionLink->Action()) SetAction(nullptr);
    if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

// ---------------------------------------------------------------- scaling

void TControl::ChangeScale(Integer M, Integer D) {
    if (M == D || D == 0) return;
    SetBounds(MulDiv(FLeft, M, D), MulDiv(FTop, M, D), MulDiv(FLeft + FWidth, M, D) - MulDiv(FLeft, M, D),
              MulDiv(FTop + FHeight, M, D) - MulDiv(FTop, M, D));
    if (!FParentFont) FFont->SetSize(MulDiv(FFont->Size(), M, D));
}
