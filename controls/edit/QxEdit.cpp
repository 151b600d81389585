#include "controls/edit/QxEdit.h"

#include "platform/gui/controls/Clipboard.h"
#include "platform/gui/controls/GuiGuards.h"
#include "platform/gui/controls/SystemMetrics.h"
#include "platform/gui/controls/SystemParameters.h"
#include "platform/gui/controls/Themes.h"
#include "platform/gui/gdi/FrameControl.h"
#include "platform/rtl/OSVersion.h"
#include "platform/rtl/Guards.h"

namespace {

constexpr Word VK_F4 = VK_F1 + 3;

bool ThemesOn() {
    return ThemeServices()->ThemesEnabled();
}

// The first Windows with a 4.0 version number, whose edits behaved apart.
bool IsWindows40() {
    return Win32MajorVersion == 4 && Win32MinorVersion == 0;
}

} // namespace

// ================================================================ shared: TQxFramedEdit

template <class TBase>
TQxFramedEdit<TBase>::TQxFramedEdit(TComponent* AOwner)
    : TBase(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {
    this->FControlStyle >> csSetCaption;
}

template <class TBase> TQxFramedEdit<TBase>::~TQxFramedEdit() {
    FLinks.Leave();
}

template <class TBase> void TQxFramedEdit<TBase>::SetDisabledColor(TColor Value) {
    FFrame.DisabledColor = Value;
    if (!this->Enabled()) UpdateColors();
}

template <class TBase> void TQxFramedEdit<TBase>::SetFocusColor(TColor Value) {
    FFrame.FocusColor = Value;
    if (FocusedForColors()) UpdateColors();
}

template <class TBase> void TQxFramedEdit<TBase>::SetReadOnlyColor(TColor Value) {
    FFrame.ReadOnlyColor = Value;
    if (this->ReadOnly()) UpdateColors();
}

template <class TBase> void TQxFramedEdit<TBase>::SetFrameColor(TColor Value) {
    if (StoreChanged(this, FFrame.FrameColor, Value)) InvalidateFrame();
}

template <class TBase> void TQxFramedEdit<TBase>::SetFrameHotColor(TColor Value) {
    if (StoreChanged(this, FFrame.FrameHotColor, Value)) InvalidateFrame();
}

template <class TBase> void TQxFramedEdit<TBase>::SetFrameHotStyle(TFrameStyle Value) {
    if (StoreChanged(this, FFrame.FrameHotStyle, Value)) InvalidateFrame();
}

template <class TBase> void TQxFramedEdit<TBase>::SetFrameSides(TSides Value) {
    if (StoreChanged(this, FFrame.FrameSides, Value)) InvalidateFrame();
}

template <class TBase> void TQxFramedEdit<TBase>::SetFrameStyle(TFrameStyle Value) {
    if (StoreChanged(this, FFrame.FrameStyle, Value)) InvalidateFrame();
}

template <class TBase> void TQxFramedEdit<TBase>::SetFrameHotTrack(bool Value) {
    if (!StoreFrameHotTrack(this, FFrame, Value)) return;
    InvalidateFrame();
    this->Invalidate();
}

template <class TBase> void TQxFramedEdit<TBase>::SetFrameVisible(bool Value) {
    if (FFrame.FrameVisible == Value) return;
    FFrame.FrameVisible = Value;
    if (Value) this->SetCtl3D(true);
    this->RecreateWnd();
}

template <class TBase> void TQxFramedEdit<TBase>::SetFramingPreference(TFramingPreference Value) {
    if (StoreChanged(this, FFrame.FramingPreference, Value) && Value == fpCustomFraming) InvalidateFrame();
}

template <class TBase> bool TQxFramedEdit<TBase>::UseThemedFrame() const {
    return FFrame.FramingPreference == fpXPThemes && ThemesOn();
}

template <class TBase> void TQxFramedEdit<TBase>::InvalidateFrame() {
    if (this->HandleAllocated()) RedrawWindowFrame(this->Handle(), this->ClientRect());
}

template <class TBase> void TQxFramedEdit<TBase>::RepaintNonClient() {
    if (this->HandleAllocated()) this->Perform(WM_NCPAINT, 1);
}

template <class TBase> TColor TQxFramedEdit<TBase>::StateColor() const {
    if (!this->Enabled()) return FFrame.DisabledColor;
    if (FocusedForColors())
        return this->ReadOnly() && FFrame.ReadOnlyColorOnFocus ? FFrame.ReadOnlyColor : FFrame.FocusColor;
    if (this->ReadOnly()) return FFrame.ReadOnlyColor;
    return FNormalColor;
}

template <class TBase> void TQxFramedEdit<TBase>::UpdateColors() {
    if (this->HasState(csLoading)) return;
    TRestoreOnExit<bool> guard(FColorGuard, true);
    this->SetColor(StateColor());
}

template <class TBase> void TQxFramedEdit<TBase>::ColorChanged(bool Always) {
    if (Always || !FColorGuard) {
        if (FFrame.FocusColor == FNormalColor) FFrame.FocusColor = this->Color();
        FNormalColor = this->Color();
    }
}

template <class TBase> bool TQxFramedEdit<TBase>::PaintLibraryFrame(bool Hot) {
    if (!FFrame.FrameVisible || UseThemedFrame() || !this->HandleAllocated()) return false;
    HDC dc = GetWindowDC(this->Handle());
    if (!dc) return false;
    TScopeExit release([&] {
        FCanvas->SetHandle(nullptr);
        ReleaseDC(this->Handle(), dc);
    });
    FCanvas->SetHandle(dc);
    PaintControlFrame(FCanvas.get(), this->Width(), this->Height(), false, FFrame.FrameSides,
                      Hot ? FFrame.FrameHotColor : FFrame.FrameColor, this->Color(),
                      Hot ? FFrame.FrameHotStyle : FFrame.FrameStyle);
    return true;
}

template <class TBase> void TQxFramedEdit<TBase>::KeyPress(char32_t& Key) {
    if (FTabOnEnter && TabOnEnterKey(this, Key)) return;
    TBase::KeyPress(Key);
}

template <class TBase> void TQxFramedEdit<TBase>::Notification(TComponent* AComponent, TOperation Operation) {
    TBase::Notification(AComponent, Operation);
    FLinks.Notification(AComponent, Operation);
}

template <class TBase> void TQxFramedEdit<TBase>::Loaded() {
    TBase::Loaded();
    UpdateColors();
    UpdateFrameState(false, false);
}

template <class TBase> void TQxFramedEdit<TBase>::DefineProperties(TFiler* Filer) {
    TBase::DefineProperties(Filer);
    DefineObsoleteFrameProperties(Filer, FFrame, [this](bool Value) { SetFrameHotTrack(Value); });
}

template <class TBase> void TQxFramedEdit<TBase>::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_COLORCHANGED:
        TBase::Dispatch(Message);
        ColorChanged(false);
        if (FFrame.FrameVisible && !UseThemedFrame()) InvalidateFrame();
        return;
    case CM_PARENTCOLORCHANGED:
        TBase::Dispatch(Message);
        if (this->ParentColor()) ColorChanged(true);
        if (FFrame.FrameVisible && !UseThemedFrame()) InvalidateFrame();
        return;
    case WM_SIZE:
        TBase::Dispatch(Message);
        if (FFrame.FrameVisible && !UseThemedFrame()) InvalidateFrame();
        return;
    case CM_ENABLEDCHANGED:
        TBase::Dispatch(Message);
        UpdateColors();
        return;
    case CM_ENTER:
        UpdateFrameState(false, true);
        TBase::Dispatch(Message);
        return;
    case CM_EXIT:
        TBase::Dispatch(Message);
        UpdateFrameState(false, false);
        return;
    case CM_MOUSEENTER:
        if (this->HasState(csDesigning)) return;
        TBase::Dispatch(Message);
        if (OnMouseEnter) OnMouseEnter(this);
        UpdateFrameState(true, true);
        return;
    case CM_MOUSELEAVE:
        TBase::Dispatch(Message);
        if (OnMouseLeave) OnMouseLeave(this);
        UpdateFrameState(true, false);
        return;
    default:
        TBase::Dispatch(Message);
        return;
    }
}

template class TQxFramedEdit<TCustomMaskEdit>;
template class TQxFramedEdit<TMemo>;

// ================================================================ TQxCustomEdit

TQxCustomEdit::TQxCustomEdit(TComponent* AOwner) : TQxFramedEdit<TCustomMaskEdit>(AOwner) {
    FControlStyle << csCaptureMouse;
}

void TQxCustomEdit::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    RecreateWnd();
}

void TQxCustomEdit::SetReadOnly(bool Value) {
    if (Value == ReadOnly()) return;
    TCustomMaskEdit::SetReadOnly(Value);
    ReadOnlyChanged();
}

void TQxCustomEdit::ReadOnlyChanged() {
    if (IsReadOnly())
        HideDropButton();
    else if (FDropButtonRequested)
        RestoreDropButton();
    UpdateColors();
    RepaintNonClient();
}

void TQxCustomEdit::SetTextHint(const String& Value) {
    if (Value == FTextHint) return;
    FTextHint = Value;
    if (!HasState(csLoading)) ApplyTextHint(FTextHint);
}

void TQxCustomEdit::SetTextHintVisibleOnFocus(bool Value) {
    if (Value == FTextHintVisibleOnFocus) return;
    FTextHintVisibleOnFocus = Value;
    if (!HasState(csLoading)) ApplyTextHint(FTextHint);
}

void TQxCustomEdit::ApplyTextHint(const String& Text) {
    // The cue banner belongs to the themed edits of newer systems.
    if (!IsWindowsAtLeast(5) || !ThemesOn() || !HandleAllocated()) return;
    Perform(EM_SETCUEBANNER, FTextHintVisibleOnFocus, reinterpret_cast<LPARAM>(&Text));
}

void TQxCustomEdit::SetFlatButtonColor(TColor Value) {
    if (Value == FFrame.FlatButtonColor) return;
    FFrame.FlatButtonColor = Value;
    RepaintNonClient();
}

void TQxCustomEdit::SetFlatButtons(bool Value) {
    if (Value == FFrame.FlatButtons) return;
    FFrame.FlatButtons = Value;
    RepaintNonClient();
}

void TQxCustomEdit::SetDropButtonRequested(bool Value) {
    if (Value == FDropButtonRequested) return;
    FDropButtonRequested = Value;
    SetDropButtonShown(Value);
}

void TQxCustomEdit::SetDropButtonShown(bool Value) {
    if (Value == FDropButtonShown) return;
    FDropButtonShown = Value;
    // The client area changes size: the window is made anew.
    RecreateWnd();
}

void TQxCustomEdit::HideDropButton() {
    if (FDropButtonRequested) SetDropButtonShown(false);
}

void TQxCustomEdit::RestoreDropButton() {
    if (FDropButtonRequested) SetDropButtonShown(true);
}

void TQxCustomEdit::SetButtonState(TQxDropButtonState Value) {
    if (!FDropButtonShown || Value == FButtonState) return;
    FButtonState = Value;
    RepaintNonClient();
}

void TQxCustomEdit::DoDropButtonPress() {
    if (OnDropButtonPress) OnDropButtonPress(this);
}

void TQxCustomEdit::DoDropButtonRelease() {
    if (OnDropButtonRelease) OnDropButtonRelease(this);
}

void TQxCustomEdit::PressSequence(bool ByMouse) {
    if (!FDropButtonShown) return;
    TRestoreOnExit<bool> dropped(FDroppedDown, true);
    if (ByMouse) SetMouseCapture(true);
    SetButtonState(dbsDown);
    DoDropButtonPress();
    DoDropButtonRelease();
    SetButtonState(dbsUp);
}

void TQxCustomEdit::ReleaseStep() {
    if (!FDroppedDown) SetButtonState(dbsUp);
    if (MouseCapture()) SetMouseCapture(false);
}

void TQxCustomEdit::UpdateFrameState(bool MouseNotFocus, bool Value) {
    (MouseNotFocus ? FMouseOver : FFocused) = Value;
    if (FDropButtonShown) {
        if ((FFrame.FlatButtons || FFrame.FrameHotTrack || ThemesOn()) && FButtonState != dbsDown &&
            HandleAllocated()) {
            TRect r = ClientRect();
            if (!FFrame.FrameHotTrack) {
                // Only the strip of the button changes.
                const Integer w = GetSystemMetrics(SM_CXVSCROLL);
                if (UseRightToLeftAlignment())
                    r.Right = r.Left + w + 2;
                else
                    r.Left = r.Right - w - 2;
            }
            InvalidateRect(&r, false);
        }
    } else if (FFrame.FrameHotTrack) {
        InvalidateFrame();
    }
    UpdateColors();
}

void TQxCustomEdit::ValidateError() {
    if (OnValidationMessage) {
        String message;
        OnValidationMessage(this, message);
        if (!message.empty()) throw EDBEditError(message);
    }
    TCustomMaskEdit::ValidateError();
}

void TQxCustomEdit::CreateParams(TCreateParams& Params) {
    TCustomMaskEdit::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
    Params.Style &= ~ES_MULTILINE;
    if (FAlignment == taRightJustify) Params.Style |= ES_RIGHT;
    if (FAlignment == taCenter) Params.Style |= ES_CENTER;
}

void TQxCustomEdit::CreateWnd() {
    TCustomMaskEdit::CreateWnd();
    ApplyTextHint(FTextHint);
}

void TQxCustomEdit::KeyDown(Word& Key, TShiftState Shift) {
    TCustomMaskEdit::KeyDown(Key, Shift);
    if (!FDropButtonShown) return;
    if ((Key == VK_DOWN && Shift == TShiftState{ssAlt}) || Key == VK_F4) {
        PressSequence(false);
        Key = 0;
    }
}

void TQxCustomEdit::KeyPress(char32_t& Key) {
    if (!TabOnEnter() && Key == '\r' && FAlignment == taRightJustify && IsWindows40()) {
        Key = 0;
        return;
    }
    TQxFramedEdit<TCustomMaskEdit>::KeyPress(Key);
}

Integer TQxCustomEdit::DropButtonReserve() const {
    return GetSystemMetrics(SM_CXVSCROLL) - (ThemesOn() ? 1 : 0);
}

void TQxCustomEdit::PaintDropButton(TRect& R) {
    TCanvas* c = NonClientCanvas();
    const bool down = FButtonState == dbsDown;
    const bool active = FFocused || FMouseOver;
    if (ThemesOn()) {
        if (!FFrame.FlatButtons || active) {
            TThemedElementDetails d{teComboBox, CP_DROPDOWNBUTTON,
                                    !Enabled() ? CBXS_DISABLED : down ? CBXS_PRESSED : active ? CBXS_HOT : CBXS_NORMAL};
            ThemeServices()->DrawElement(c->Handle(), d, R);
        } else {
            c->Brush()->SetColor(Color());
            c->FillRect(R);
            PaintDropDownArrow(c, R, tlThemed, Enabled());
        }
        return;
    }
    c->Brush()->SetColor(clBtnFace);
    if (!FFrame.FlatButtons) {
        TRect r = R;
        DrawFrameControl(c->Handle(), &r, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (down ? DFCS_PUSHED | DFCS_FLAT : 0) | (!Enabled() ? DFCS_INACTIVE : 0));
        return;
    }
    TRect inner = R;
    if (active) {
        c->Brush()->SetColor(FFrame.FlatButtonColor);
        if (FFrame.FlatButtonColor == clBtnFace)
            inner = PaintBevelLines(c, R, down ? clBtnShadow : clBtnHighlight, AllSides, 1,
                                    down ? clBtnHighlight : clBtnShadow);
        else
            inner = PaintColorStyleFrame(c, R, FFrame.FlatButtonColor, down ? fsStatus : fsPopup);
        c->Brush()->SetColor(FFrame.FlatButtonColor);
    } else {
        c->Brush()->SetColor(StateColor());
    }
    c->FillRect(inner);
    PaintDropDownArrow(c, inner, tlClassic, Enabled());
}

void TQxCustomEdit::WMNCPaint(TMessage& Message) {
    TQxFramedEdit<TCustomMaskEdit>::Dispatch(Message);
    if (PaintLibraryFrame(FFrame.FrameHotTrack && (FFocused || FMouseOver))) Message.Result = 0;
    if (!FDropButtonShown || !HandleAllocated()) return;
    HDC dc = GetWindowDC(Handle());
    if (!dc) return;
    TControlCanvas* c = NonClientCanvas();
    TScopeExit release([&] {
        c->SetHandle(nullptr);
        ReleaseDC(Handle(), dc);
    });
    c->SetHandle(dc);
    TSavedDC saved(dc);
    TRect r{0, 0, Width(), Height()};
    if (BorderStyle() == bsSingle) {
        const Integer inset = ThemesOn() ? 1 : 2;
        InflateRect(r, -inset, -inset);
        IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
    }
    const Integer w = GetSystemMetrics(SM_CXVSCROLL);
    if (UseRightToLeftAlignment())
        r.Right = r.Left + w;
    else
        r.Left = r.Right - w;
    TRect painted = r;
    PaintDropButton(painted);
    // What the button left uncovered takes the canvas's brush.
    ExcludeClipRect(dc, painted.Left, painted.Top, painted.Right, painted.Bottom);
    c->FillRect(r);
    Message.Result = 0;
}

void TQxCustomEdit::Dispatch(TMessage& Message) {
    using Base = TQxFramedEdit<TCustomMaskEdit>;
    switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
        Base::Dispatch(Message);
        RepaintNonClient();
        return;
    case CM_ENTER:
        if (IsWindows40() && AutoSelect() && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
        Base::Dispatch(Message);
        return;
    case WM_NCPAINT:
        WMNCPaint(Message);
        return;
    case WM_NCCALCSIZE:
        if (FDropButtonShown) {
            auto* r = reinterpret_cast<TRect*>(Message.LParam);
            if (UseRightToLeftAlignment())
                r->Left += DropButtonReserve();
            else
                r->Right -= DropButtonReserve();
        }
        Base::Dispatch(Message);
        return;
    case WM_NCHITTEST:
        Base::Dispatch(Message);
        FOverButton = Message.Result == HTNOWHERE;
        if (FOverButton) Message.Result = HTCLIENT;
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (FOverButton) {
            if (!Focused()) SetFocus();
            PressSequence(true);
            Message.Result = 0;
            return;
        }
        if (Message.Msg == WM_LBUTTONDBLCLK) break;
        Base::Dispatch(Message);
        if (!Focused()) ReleaseStep();
        return;
    case WM_LBUTTONUP:
        ReleaseStep();
        break;
    case WM_RBUTTONDOWN:
        if (FOverButton) {
            Message.Result = 0;
            return;
        }
        break;
    case WM_SETCURSOR:
        if (FOverButton)
            Message.LParam = MakeLParam(static_cast<Word>(HTNOWHERE), HiWord(static_cast<std::uintptr_t>(Message.LParam)));
        break;
    case WM_KILLFOCUS:
        Base::Dispatch(Message);
        ReleaseStep();
        return;
    default:
        break;
    }
    Base::Dispatch(Message);
}

// ================================================================ TQxMemo

TQxMemo::TQxMemo(TComponent* AOwner) : TQxFramedEdit<TMemo>(AOwner) {}

void TQxMemo::SetReadOnly(bool Value) {
    TMemo::SetReadOnly(Value);
    UpdateColors();
}

void TQxMemo::UpdateFrameState(bool MouseNotFocus, bool Value) {
    if (MouseNotFocus) FMouseOver = Value;
    if (FFrame.FrameHotTrack) InvalidateFrame();
    UpdateColors();
}

// Line and Column name the caret, wherever a selection left it.
Integer TQxMemo::Line() const {
    return CaretPos().Y + 1;
}

Integer TQxMemo::Column() const {
    return CaretPos().X + 1;
}

void TQxMemo::SetColumn(Integer Value) {
    if (!HandleAllocated() || Value < 1) return;
    const LRESULT start = Perform(EM_LINEINDEX, static_cast<WPARAM>(Line() - 1));
    const LRESULT length = Perform(EM_LINELENGTH, static_cast<WPARAM>(start));
    if (Value > length + 1) return;
    Perform(EM_SETSEL, static_cast<WPARAM>(start + Value - 1), start + Value - 1);
    LineColChanged();
}

void TQxMemo::SetLine(Integer Value) {
    if (!HandleAllocated() || Value < 1 || Value > Perform(EM_GETLINECOUNT)) return;
    const LRESULT start = Perform(EM_LINEINDEX, static_cast<WPARAM>(Value - 1));
    Perform(EM_SETSEL, static_cast<WPARAM>(start), start);
    if (Line() != Value) return;
    const LRESULT first = Perform(EM_GETFIRSTVISIBLELINE);
    Perform(EM_LINESCROLL, 0, Value - first - 1);
    LineColChanged();
}

void TQxMemo::LineColChanged() {
    if (OnLineColChange) OnLineColChange(this, Line(), Column());
    ClipboardChanged();
}

void TQxMemo::ClipboardChanged() {
    if (OnClipboardChange) OnClipboardChange(this, SelLength() != 0, IsClipboardFormatAvailable(CF_TEXT));
}

void TQxMemo::CreateWnd() {
    TMemo::CreateWnd();
    LineColChanged();
    ClipboardChanged();
}

void TQxMemo::Change() {
    TMemo::Change();
    LineColChanged();
}

void TQxMemo::Click() {
    TMemo::Click();
    LineColChanged();
}

void TQxMemo::KeyDown(Word& Key, TShiftState Shift) {
    TMemo::KeyDown(Key, Shift);
    LineColChanged();
}

void TQxMemo::KeyUp(Word& Key, TShiftState Shift) {
    TMemo::KeyUp(Key, Shift);
    LineColChanged();
}

void TQxMemo::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TMemo::MouseUp(Button, Shift, X, Y);
    ClipboardChanged();
}

bool TQxMemo::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
    if (OnMouseWheel) return TMemo::DoMouseWheel(Shift, WheelDelta, MousePos);
    // The notch events come first; what they leave, the memo scrolls itself.
    if ((OnMouseWheelUp || OnMouseWheelDown) && TControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    // Small deltas (touchpads, fine wheels) add up to whole notches; a
    // turn the other way starts afresh.
    if ((FWheelRest > 0 && WheelDelta < 0) || (FWheelRest < 0 && WheelDelta > 0)) FWheelRest = 0;
    FWheelRest += WheelDelta;
    Integer notches = FWheelRest / WHEEL_DELTA;
    FWheelRest -= notches * WHEEL_DELTA;
    if (notches == 0) return true;
    UINT lines = 3;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const bool pages = lines == WHEEL_PAGESCROLL;
    Integer count = pages ? notches : notches * static_cast<Integer>(lines);
    const WPARAM code = count > 0 ? (pages ? SB_PAGEUP : SB_LINEUP) : (pages ? SB_PAGEDOWN : SB_LINEDOWN);
    for (Integer i = std::abs(count); i > 0; --i)
        if (HiWord(static_cast<std::uintptr_t>(Perform(EM_SCROLL, code))) == 0) break;
    return true;
}

void TQxMemo::Dispatch(TMessage& Message) {
    using Base = TQxFramedEdit<TMemo>;
    switch (Message.Msg) {
    case WM_NCPAINT:
        Base::Dispatch(Message);
        if (PaintLibraryFrame(FFrame.FrameHotTrack && (Focused() || FMouseOver))) Message.Result = 0;
        return;
    default:
        Base::Dispatch(Message);
        return;
    }
}

// ================================================================ published

namespace {

// The framed controls' own Color: stored only while enabled and not governed
// by a controller; FocusColor only when it differs from Color.
template <class T> void PublishFramedColors(TClassBuilder<T>& B) {
    B.Property("Color", &T::Color, [](T* c, TColor v) { c->SetColor(v); }, ColorTypeInfo())
        .Default(clWindow)
        .Stored([](const T* c) { return c->Enabled() && !FrameControllerGoverns(c, fcpColor); });
    B.Property("FocusColor", &T::FocusColor, &T::SetFocusColor, ColorTypeInfo())
        .Default(clWindow)
        .Stored([](const T* c) {
            return !FrameControllerGoverns(c, fcpFocusColor) &&
                   ColorToRGB(c->FocusColor()) != ColorToRGB(c->Color());
        });
    PublishFrameSettings<fcpDisabledColor, fcpReadOnlyColor, fcpReadOnlyColorOnFocus, fcpFrameColor,
                         fcpFrameHotColor, fcpFrameHotTrack, fcpFrameHotStyle, fcpFrameSides, fcpFrameStyle,
                         fcpFrameVisible, fcpFramingPreference>(B);
    PublishFrameController(B);
    B.Property("TabOnEnter", &T::TabOnEnter, &T::SetTabOnEnter).Default(false);
    B.Event("OnMouseEnter", &T::OnMouseEnter);
    B.Event("OnMouseLeave", &T::OnMouseLeave);
}

} // namespace

const TClassInfo& TQxCustomEdit::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TQxCustomEdit>("TQxCustomEdit", &TCustomMaskEdit::ClassInfo()).Register();
    return info;
}

const TClassInfo& TQxEdit::ClassInfo() {
    static const TClassInfo& info = []() -> const TClassInfo& {
        using T = TQxEdit;
        TClassBuilder<T> b("TQxEdit", &TQxCustomEdit::ClassInfo());
        PublishControlProperties(b, {"Align", "Anchors", "BiDiMode", "Constraints", "Ctl3D", "DragCursor",
                                     "DragKind", "DragMode", "Enabled", "Font", "ImeMode", "ImeName",
                                     "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont",
                                     "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder", "TabStop",
                                     "Visible", "OnClick", "OnContextPopup", "OnDblClick", "OnDragDrop",
                                     "OnDragOver", "OnEndDock", "OnEndDrag", "OnEnter", "OnExit", "OnKeyDown",
                                     "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove", "OnMouseUp",
                                     "OnStartDock", "OnStartDrag"});
        b.Qualify("ParentColor").Default(false).Qualify("TabStop").Default(true);
        PublishEditProperties(b, {"AutoSelect", "AutoSize", "CharCase", "HideSelection", "MaxLength", "OEMConvert",
                                  "PasswordChar", "OnChange"});
        b.Property("Text", &T::Text, &T::SetText);
        b.Property("ReadOnly", &T::ReadOnly, [](T* c, bool v) { c->SetReadOnly(v); }).Default(false);
        b.Property("Alignment", &T::Alignment, &T::SetAlignment, AlignmentTypeInfo()).Default(taLeftJustify);
        b.Property("TextHint", &T::TextHint, &T::SetTextHint);
        b.Property("TextHintVisibleOnFocus", &T::TextHintVisibleOnFocus, &T::SetTextHintVisibleOnFocus).Default(false);
        PublishFramedColors(b);
        return b.Register();
    }();
    return info;
}

const TClassInfo& TQxMemo::ClassInfo() {
    static const TClassInfo& info = []() -> const TClassInfo& {
        using T = TQxMemo;
        TClassBuilder<T> b("TQxMemo", &TMemo::ClassInfo());
        PublishFramedColors(b);
        return b.Register();
    }();
    return info;
}

void RegisterQxEditClasses() {
    InitQxCommon();
    RegisterClasses({&TMemo::ClassInfo(), &TQxEdit::ClassInfo(), &TQxMemo::ClassInfo()});
}
