#include "controls/button/QxButton.h"

#include "controls/common/QxControlLinks.h"
#include "controls/common/QxOldPropReader.h"
#include "platform/gui/controls/Button.h"
#include "platform/gui/controls/Input.h"
#include "platform/gui/controls/Published.h"
#include "platform/gui/controls/GuiGuards.h"
#include "platform/gui/controls/Themes.h"

namespace {

bool NoShiftKeys() {
    return GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
}

} // namespace

// ================================================================ TQxCustomButton

TQxCustomButton::TQxCustomButton(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle({csCaptureMouse, csSetCaption, csDoubleClicks, csReplicatable, csReflector});
    SetBounds(Left(), Top(), 115, 17);
    SetTabStop(true);
}

TQxCustomButton::~TQxCustomButton() = default;

void TQxCustomButton::SetAlignmentVertical(TAlignmentVertical Value) {
    if (StoreChanged(this, FAlignmentVertical, Value)) Invalidate();
}
void TQxCustomButton::SetHotTrack(bool Value) {
    if (StoreChanged(this, FHotTrack, Value)) Invalidate();
}
void TQxCustomButton::SetHighlightColor(TColor Value) {
    if (StoreChanged(this, FHighlightColor, Value)) Invalidate();
}
void TQxCustomButton::SetLightTextStyle(bool Value) {
    if (StoreChanged(this, FLightTextStyle, Value)) Invalidate();
}
void TQxCustomButton::SetTextStyle(TTextStyle Value) {
    if (StoreChanged(this, FTextStyle, Value)) Invalidate();
}
void TQxCustomButton::SetTextHighlightColor(TColor Value) {
    if (StoreChanged(this, FTextHighlightColor, Value)) Invalidate();
}
void TQxCustomButton::SetTextShadowColor(TColor Value) {
    if (StoreChanged(this, FTextShadowColor, Value)) Invalidate();
}
void TQxCustomButton::SetTextShadowDepth(Integer Value) {
    if (StoreChanged(this, FTextShadowDepth, Value)) Invalidate();
}
void TQxCustomButton::SetThemeAware(bool Value) {
    if (StoreChanged(this, FThemeAware, Value)) Invalidate();
}
void TQxCustomButton::SetTransparent(bool Value) {
    if (StoreChanged(this, FTransparent, Value)) Invalidate();
}

bool TQxCustomButton::UseThemes() const {
    return FThemeAware && ThemeServices()->ThemesEnabled();
}

// The text styles, as copies of the caption drawn before it:
//
//   tsRaised    shadow at (+1,+1) (not with LightTextStyle), highlight at (-1,-1)
//   tsRecessed  highlight at (+1,+1), shadow at (-1,-1) (not with LightTextStyle)
//   tsShadow    shadow at (+depth,+depth); right-aligned text moves left by
//               the depth and its shadow only down
void TQxCustomButton::DrawCaption(TCanvas* Canvas, TRect R, UINT Flags) {
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Font()->SetName("System");
    Canvas->Font()->Assign(Font());
    const String text = Caption();

    TRect measure = R;
    const Integer h = DrawTextOnCanvas(Canvas, text, measure, 0x455);
    if (UseRightToLeftAlignment()) Flags |= DT_RTLREADING;
    switch (FAlignmentVertical) {
    case avTop:
        R.Bottom = R.Top + h;
        break;
    case avCenter:
        R.Top = (R.Top + R.Bottom - h) / 2;
        R.Bottom = R.Top + h;
        break;
    case avBottom:
        R.Top = R.Bottom - h - 1;
        break;
    }

    auto copyAt = [&](Integer DX, Integer DY, TColor Color) {
        TRect c = R;
        OffsetRect(c, DX, DY);
        Canvas->Font()->SetColor(Color);
        DrawTextOnCanvas(Canvas, text, c, Flags);
    };
    TColor textColor = Font()->Color();
    if (Enabled()) {
        switch (FTextStyle) {
        case tsRaised:
            if (!FLightTextStyle) copyAt(1, 1, FTextShadowColor);
            copyAt(-1, -1, FTextHighlightColor);
            break;
        case tsRecessed:
            copyAt(1, 1, FTextHighlightColor);
            if (!FLightTextStyle) copyAt(-1, -1, FTextShadowColor);
            break;
        case tsShadow:
            if (Flags & DT_RIGHT) {
                copyAt(0, FTextShadowDepth, FTextShadowColor);
                OffsetRect(R, -FTextShadowDepth, 0);
            } else {
                copyAt(FTextShadowDepth, FTextShadowDepth, FTextShadowColor);
            }
            break;
        case tsNormal:
            break;
        }
    } else {
        textColor = ColorsAreSimilar(Color(), clGrayText) ? cl3DDkShadow : clGrayText;
    }
    Canvas->Font()->SetColor(textColor);
    DrawTextOnCanvas(Canvas, text, R, Flags);
    Canvas->Brush()->SetStyle(bsSolid);
}

void TQxCustomButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    auto alive = Alive();
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft || !Enabled()) return;
    if (!Focused()) ::SetFocus(Handle());
    if (!*alive || !Focused()) return;
    FPressedLook = true;
    UpdateDisplay();
    FTracking = true;
}

void TQxCustomButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    auto alive = Alive();
    TCustomControl::MouseMove(Shift, X, Y);
    if (!*alive || !FTracking) return;
    const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight();
    if (inside == FPressedLook) return;
    FPressedLook = inside;
    UpdateDisplay();
}

void TQxCustomButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    auto alive = Alive();
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (!*alive || !FTracking) return;
    // Any button's release ends the tracking; only the left one's clicks.
    FTracking = false;
    FPressedLook = false;
    if (Button == mbLeft && PtInRect(TRect(0, 0, ClientWidth(), ClientHeight()), TPoint(X, Y))) {
        ChangeState();
        if (!*alive) return;
    }
    UpdateDisplay();
}

void TQxCustomButton::CancelTracking() {
    if (!FTracking && !FPressedLook) return;
    FTracking = false;
    FPressedLook = false;
    UpdateDisplay();
}

void TQxCustomButton::CMMouseEnterLeave(TMessage& Message, bool Enter) {
    if (Enter && HasState(csDesigning)) return;
    auto alive = Alive();
    FMouseOver = Enter;
    TCustomControl::Dispatch(Message);
    if (!*alive) return;
    if (TNotifyEvent event = Enter ? OnMouseEnter : OnMouseLeave) {
        event(this);
        if (!*alive) return;
    }
    if ((FHotTrack || UseThemes()) && HandleAllocated()) {
        TRect r = GetHotTrackRect();
        InvalidateRect(&r, false);
    }
}

void TQxCustomButton::CMEnabledChanged(TMessage& Message) {
    if (!Enabled()) {
        CancelTracking();
        if (Parent())
            if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
    }
    TCustomControl::Dispatch(Message);
    Invalidate();
}

void TQxCustomButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        if (!FTransparent) break;
        EraseTransparentBackground(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        auto alive = Alive();
        TCustomControl::Dispatch(Message);
        if (!*alive) return;
        if (Message.Msg == WM_KILLFOCUS) CancelTracking();
        UpdateFocusDisplay();
        return;
    }
    case WM_LBUTTONUP: {
        // The release gives up the mouse capture before it reaches MouseUp;
        // that loss is not one that cancels.
        FReleasing = true;
        auto released = ClearOnExit(FReleasing);
        TCustomControl::Dispatch(Message);
        return;
    }
    case WM_CAPTURECHANGED:
        if (!FReleasing) CancelTracking();
        break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        CMMouseEnterLeave(Message, Message.Msg == CM_MOUSEENTER);
        return;
    case CM_ENABLEDCHANGED:
        CMEnabledChanged(Message);
        return;
    case CM_TEXTCHANGED: {
        auto alive = Alive();
        TCustomControl::Dispatch(Message);
        if (*alive) Repaint();
        return;
    }
    default:
        break;
    }
    TCustomControl::Dispatch(Message);
}

// ================================================================ TQxButton

TQxButton::TQxButton(TComponent* AOwner) : TQxCustomButton(AOwner) {
    SetBounds(Left(), Top(), 75, 25);
    SetColor(clBtnFace);
}

void TQxButton::SetAlignment(TAlignment Value) {
    if (StoreChanged(this, FAlignment, Value)) Invalidate();
}

void TQxButton::SetDefault(bool Value) {
    FDefault = Value;
    if (!HandleAllocated()) return;
    if (TCustomForm* form = GetParentForm(this))
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TQxButton::SetAllowAllUp(bool Value) {
    if (StoreChanged(this, FAllowAllUp, Value)) NotifyGroup();
}

void TQxButton::SetGroupIndex(Integer Value) {
    if (StoreChanged(this, FGroupIndex, Value)) NotifyGroup();
}

void TQxButton::SetDown(bool Value) {
    if (HasState(csLoading)) {
        // Settled in Loaded, once the group index is known whatever the order.
        FDown = Value;
        return;
    }
    if (FGroupIndex == 0) Value = false;
    if (Value == FDown || (FDown && !FAllowAllUp && FGroupIndex != 0)) return;
    FDown = Value;
    Invalidate();
    if (Value) NotifyGroup();
}

void TQxButton::SetShowDownPattern(bool Value) {
    if (StoreChanged(this, FShowDownPattern, Value)) Invalidate();
}
void TQxButton::SetShowFocusRect(bool Value) {
    if (StoreChanged(this, FShowFocusRect, Value)) Invalidate();
}
void TQxButton::SetFrameColor(TColor Value) {
    if (StoreChanged(this, FFrameColor, Value)) Invalidate();
}

void TQxButton::SetHotTrack(bool Value) {
    TQxCustomButton::SetHotTrack(Value);
    SetTransparent(FHotTrack);
    if (HandleAllocated()) InvalidateRect(nullptr, true);
}

void TQxButton::NotifyGroup() {
    if (FGroupIndex == 0 || !Parent()) return;
    TMessage m = MakeMessage(QM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this));
    Parent()->Broadcast(m);
}

void TQxButton::QMButtonPressed(TMessage& Message) {
    auto* sender = reinterpret_cast<TQxButton*>(Message.LParam);
    if (static_cast<Integer>(Message.WParam) != FGroupIndex || !sender || sender == this) return;
    if (sender->FDown && FDown) {
        FDown = false;
        Invalidate();
    }
    FAllowAllUp = sender->FAllowAllUp;
}

void TQxButton::Loaded() {
    TQxCustomButton::Loaded();
    if (FGroupIndex == 0) FDown = false;
    if (FDown) NotifyGroup();
}

void TQxButton::CreateWnd() {
    TQxCustomButton::CreateWnd();
    FActive = FDefault;
}

void TQxButton::ChangeState() {
    if (FGroupIndex != 0)
        SetDown(!FDown);
    else
        UpdateDisplay();
    FClicking = true;
    auto clicked = ClearOnExit(FClicking);
    Click();
}

void TQxButton::Click() {
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    TQxCustomButton::Click();
}

void TQxButton::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_SPACE && !Shift.Contains(ssAlt)) {
        FKeyToggle = true;
        FPressedLook = true;
        UpdateDisplay();
    }
    TQxCustomButton::KeyDown(Key, Shift);
}

// The Space release is handled before the framework's key-up handling and
// its OnKeyUp: a click that frees the button then leaves nothing to run.
bool TQxButton::SpaceReleased() {
    auto alive = Alive();
    FPressedLook = false;
    // Only a Space press this button saw clicks it, once.
    if (FKeyToggle) {
        FKeyToggle = false;
        ChangeState();
        if (!*alive) return false;
    }
    UpdateDisplay();
    return true;
}

void TQxButton::CMFocusChanged(TMessage& Message) {
    auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
    bool active;
    if (dynamic_cast<TQxButton*>(focused) || dynamic_cast<TButton*>(focused))
        active = focused == this;
    else
        active = FDefault;
    if (active != FActive) {
        FActive = active;
        Repaint();
    }
}

void TQxButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_KILLFOCUS: {
        auto alive = Alive();
        TQxCustomButton::Dispatch(Message);
        if (!*alive) return;
        FKeyToggle = false;
        FPressedLook = false;
        UpdateDisplay();
        return;
    }
    case CM_DIALOGKEY:
        if (((Message.WParam == VK_RETURN && FActive) || (Message.WParam == VK_ESCAPE && FCancel)) &&
            NoShiftKeys() && CanFocus()) {
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
    case CM_FOCUSCHANGED: {
        auto alive = Alive();
        CMFocusChanged(Message);
        if (!*alive) return;
        break;
    }
    case QM_BUTTONPRESSED:
        QMButtonPressed(Message);
        return;
    case WM_KEYUP:
        if (Message.WParam == VK_SPACE && !SpaceReleased()) return;
        break;
    default:
        break;
    }
    TQxCustomButton::Dispatch(Message);
}

void TQxButton::DefineProperties(TFiler* Filer) {
    TQxCustomButton::DefineProperties(Filer);
    Filer->DefineProperty("FrameFlat", [this](TReader* Reader) { SetHotTrack(Reader->ReadBoolean()); }, nullptr,
                          false);
}

TRect TQxButton::GetCaptionRect() {
    TRect r = ClientRect();
    InflateRect(r, -5, -5);
    if (!FHotTrack && !UseThemes() && ((FGroupIndex != 0 && FDown) || FPressedLook)) OffsetRect(r, 1, 1);
    return r;
}

void TQxButton::DrawButtonContent() {
    UINT flags = DT_WORDBREAK | DT_EXPANDTABS;
    // Right to left, a caption on one side moves to the other.
    TAlignment alignment = FAlignment;
    if (UseRightToLeftAlignment() && alignment != taCenter)
        alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    switch (alignment) {
    case taLeftJustify:
        flags |= DT_LEFT;
        break;
    case taRightJustify:
        flags |= DT_RIGHT;
        break;
    case taCenter:
        flags |= DT_CENTER;
        break;
    }
    DrawCaption(Canvas(), GetCaptionRect(), flags);
}

// The down pattern, tiled from the control's top left: the second colour
// where x + y is even.
//
//   g.g.g.g.     g clGray on a clSilver button, clSilver on any other
//   .g.g.g.g     . the button's Color
//   g.g.g.g.
void TQxButton::CreateDownPattern(TBitmap* Bitmap) {
    Bitmap->SetSize(8, 8);
    TCanvas* c = Bitmap->Canvas();
    c->Brush()->SetColor(Color());
    c->FillRect(TRect(0, 0, 8, 8));
    const TColor dot = ColorToRGB(Color()) == static_cast<COLORREF>(clSilver) ? clGray : clSilver;
    for (Integer y = 0; y < 8; ++y)
        for (Integer x = 0; x < 8; ++x)
            if ((x + y) % 2 == 0) c->SetPixels(x, y, dot);
}

// The background behind the rounded corners: only these pixels take the
// parent's image (enabled, left; disabled, right; top-left corner shown):
//
//   PP......       PPPPPPPP
//   P.......       PPP.....
//   ........       PP......
//                  P.......
void TQxButton::EraseTransparentBackground(HDC DC) {
    TRect r = ClientRect();
    const Integer inset = Enabled() ? 1 : 2;
    InflateRect(r, -inset, -inset);
    // The exclusions last only for the copy.
    TSavedDC saved(DC);
    ExcludeClipRect(DC, r.Left, r.Top, r.Right, r.Bottom);
    InflateRect(r, 1, -1);
    ExcludeClipRect(DC, r.Left, r.Top, r.Right, r.Bottom);
    InflateRect(r, -2, 2);
    ExcludeClipRect(DC, r.Left, r.Top, r.Right, r.Bottom);
    CopyParentBackground(this, DC, true);
}

// The flat look's outer ring and frame line (the corners stay the
// parent's; d the parent colour darkened by 20, l lightened by 20, F the
// frame colour):
//
//   ..dddddd..
//   .dFFFFFFd.
//   dF......Fl
//   dF......Fl
//   .dFFFFFFl.
//   ..llllll..
void TQxButton::PaintFlat(TRect& R) {
    TCanvas* c = Canvas();
    const TColor parent = Parent() ? Parent()->Color() : clBtnFace;
    auto frameLine = [&](TColor Color) {
        c->Pen()->SetColor(Color);
        c->MoveTo(R.Left + 1, R.Top);
        c->LineTo(R.Right - 1, R.Top);
        c->MoveTo(R.Left + 1, R.Bottom - 1);
        c->LineTo(R.Right - 1, R.Bottom - 1);
        c->MoveTo(R.Left, R.Top + 1);
        c->LineTo(R.Left, R.Bottom - 1);
        c->MoveTo(R.Right - 1, R.Top + 1);
        c->LineTo(R.Right - 1, R.Bottom - 1);
    };
    if (!Enabled()) {
        c->Brush()->SetColor(parent);
        c->FrameRect(R);
        InflateRect(R, -1, -1);
        frameLine(Color() == clBtnFace ? LightenColor(clBtnShadow, 30) : DarkenColor(Color(), 80));
        InflateRect(R, -1, -1);
        c->Brush()->SetColor(Color());
        c->FillRect(R);
        return;
    }
    const TColor dark = DarkenColor(parent, 20), light = LightenColor(parent, 20);
    c->Pen()->SetColor(dark);
    c->MoveTo(R.Left + 2, R.Top);
    c->LineTo(R.Right - 2, R.Top);
    c->MoveTo(R.Left, R.Top + 2);
    c->LineTo(R.Left, R.Bottom - 2);
    c->Pen()->SetColor(light);
    c->MoveTo(R.Left + 2, R.Bottom - 1);
    c->LineTo(R.Right - 2, R.Bottom - 1);
    c->MoveTo(R.Right - 1, R.Top + 2);
    c->LineTo(R.Right - 1, R.Bottom - 2);
    c->SetPixels(R.Left + 1, R.Top + 1, dark);
    c->SetPixels(R.Right - 2, R.Top + 1, dark);
    c->SetPixels(R.Left + 1, R.Bottom - 2, dark);
    c->SetPixels(R.Right - 2, R.Bottom - 2, light);
    InflateRect(R, -1, -1);
    frameLine(FFrameColor);
    InflateRect(R, -1, -1);

    auto face = [&] {
        c->Brush()->SetColor(DarkenColor(Color(), 20));
        c->FillRect(TRect(R.Left, R.Bottom - 2, R.Right, R.Bottom - 1));
        c->Brush()->SetColor(DarkenColor(Color(), 30));
        c->FillRect(TRect(R.Left, R.Bottom - 1, R.Right, R.Bottom));
        const TRect rest(R.Left, R.Top, R.Right, R.Bottom - 2);
        if (FullColorDisplay) {
            GradientFillRect(c, rest, gdHorizontalEnd, 1, DarkenColor(Color(), 10), LightenColor(Color(), 30));
        } else {
            c->Brush()->SetColor(Color());
            c->FillRect(rest);
        }
    };
    if ((FGroupIndex != 0 && FDown) || FPressedLook) {
        c->Brush()->SetColor(DarkenColor(Color(), 10));
        c->FillRect(R);
    } else if (FMouseOver) {
        face();
        TColor hotDark, hotLight;
        if (FHotTrackColorType == htctActual) {
            hotDark = FHotTrackColor;
            hotLight = BlendColors(clWhite, FHotTrackColor, 190);
        } else {
            hotLight = ComplementColor(FHotTrackColor, 180);
            hotDark = DarkenColor(hotLight, 30);
        }
        PaintHighlightFrame(c, R, gdHorizontalEnd, hotDark, hotLight);
    } else if (FGroupIndex != 0) {
        face();
    } else if (FActive || Focused()) {
        face();
        const TColor h = ColorsAreSimilar(FHighlightColor, clBtnFace) ? DarkenColor(FHighlightColor, 30)
                                                                       : FHighlightColor;
        const TColor e = LightenColor(Color(), 30);
        PaintHighlightFrame(c, R, gdHorizontalEnd, BlendColors(h, e, 160), BlendColors(h, e, 60));
    } else {
        face();
    }
}

void TQxButton::PaintClassic(TRect& R) {
    TCanvas* c = Canvas();
    const bool grouped = FGroupIndex != 0;
    if ((!grouped && (FActive || Focused()) && !FPressedLook) || FClicking)
        R = PaintFrameSides(c, R, clWindowFrame, AllSides, clWindowFrame);
    const bool lowered = grouped && (FDown || FPressedLook);
    if (Color() == clBtnFace) {
        if (!grouped)
            R = PaintButtonFrame(c, R, FPressedLook);
        else
            R = PaintStyleFrame(c, R, lowered ? fsLowered : fsButtonUp);
    } else {
        if (!grouped)
            R = PaintColorButtonFrame(c, R, Color(), FPressedLook);
        else if (lowered)
            R = PaintColorStyleFrame(c, R, Color(), fsLowered);
        else
            R = PaintColorButtonFrame(c, R, Color(), false);
    }
    c->Brush()->SetColor(Color());
    c->FillRect(R);
}

void TQxButton::Paint() {
    TCanvas* c = Canvas();
    const bool grouped = FGroupIndex != 0;
    TRect focus = ClientRect();
    const Integer focusInset = FHotTrack || UseThemes() ? 3 : 4;
    InflateRect(focus, -focusInset, -focusInset);
    if (grouped && (FDown || FPressedLook)) OffsetRect(focus, 1, 1);
    TRect r = ClientRect();

    if (UseThemes()) {
        Integer state = PBS_NORMAL;
        if (!Enabled())
            state = PBS_DISABLED;
        else if (FDown || FPressedLook)
            state = PBS_PRESSED;
        else if (FMouseOver)
            state = PBS_HOT;
        else if (!grouped && (FActive || Focused()))
            state = PBS_DEFAULTED;
        const TThemedElementDetails details{teButton, BP_PUSHBUTTON, state};
        ThemeServices()->DrawParentBackground(Handle(), c->Handle(), &r);
        ThemeServices()->DrawElement(c->Handle(), details, r);
        // The down pattern covers the face, not the themed frame.
        r = ThemeServices()->ContentRect(c->Handle(), details, r);
    } else if (FHotTrack) {
        PaintFlat(r);
    } else {
        PaintClassic(r);
    }

    if (grouped && FDown && FShowDownPattern) {
        TBitmap pattern;
        CreateDownPattern(&pattern);
        c->Brush()->SetBitmap(&pattern);
        c->FillRect(r);
        c->Brush()->SetBitmap(nullptr);
    }
    c->Font()->Assign(Font());
    c->Brush()->SetColor(Color());
    DrawButtonContent();
    if (Focused() && FShowFocusRect) PaintDottedFocusRect(c, focus);
}

// ================================================================ published

void RegisterButtonTypes() {
    static const bool done = [] {
        RegisterControlTypes();
        AlignmentVerticalTypeInfo();
        TextStyleTypeInfo();
        HotTrackColorTypeTypeInfo();
        RegisterEnumType<TButtonLayout>("TButtonLayout",
                                        {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"});
        RegisterEnumType<TBitBtnKind>("TBitBtnKind", {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo",
                                                      "bkClose", "bkAbort", "bkRetry", "bkIgnore", "bkAll"});
        return true;
    }();
    (void)done;
}

const TClassInfo& TQxCustomButton::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TQxCustomButton>("TQxCustomButton", &TCustomControl::ClassInfo()).Register();
    return info;
}

const TClassInfo& TQxButton::ClassInfo() {
    using T = TQxButton;
    RegisterButtonTypes();
    static const TClassInfo& info = []() -> const TClassInfo& {
        TClassBuilder<T> b("TQxButton", &TQxCustomButton::ClassInfo());
        b.Property("Alignment", &T::Alignment, &T::SetAlignment)
            .Default(taCenter)
            .Property("AllowAllUp", &T::AllowAllUp, &T::SetAllowAllUp)
            .Default(false)
            .Property("Cancel", &T::Cancel, &T::SetCancel)
            .Default(false)
            .Property("Default", &T::Default, &T::SetDefault)
            .Default(false)
            .Property("DropDownOnEnter", &T::DropDownOnEnter, &T::SetDropDownOnEnter)
            .Default(true)
            .Property("GroupIndex", &T::GroupIndex, &T::SetGroupIndex)
            .Default(0)
            .Property("Down", &T::Down, &T::SetDown)
            .Default(false)
            .Property("FrameColor", &T::FrameColor, &T::SetFrameColor, ColorTypeInfo())
            .Default(cl3DDkShadow)
            .Property("ModalResult", &T::ModalResult, &T::SetModalResult)
            .Default(0)
            .Property("ShowDownPattern", &T::ShowDownPattern, &T::SetShowDownPattern)
            .Default(true)
            .Property("ShowFocusRect", &T::ShowFocusRect, &T::SetShowFocusRect)
            .Default(true)
            .Property("AlignmentVertical", &T::AlignmentVertical, &T::SetAlignmentVertical, AlignmentVerticalTypeInfo())
            .Default(avCenter)
            .Property("ThemeAware", &T::ThemeAware, &T::SetThemeAware)
            .Default(true)
            .Event("OnMouseEnter", &T::OnMouseEnter)
            .Event("OnMouseLeave", &T::OnMouseLeave);
        PublishButtonHotTrack(b);
        PublishTextStyle(b);
        PublishControlProperties(b, {"Action", "Align", "Anchors", "BiDiMode", "Caption", "Color",
                                     "Constraints", "DragCursor", "DragKind", "DragMode", "Enabled", "Font",
                                     "HelpContext", "ParentBiDiMode", "ParentColor", "ParentFont",
                                     "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder", "TabStop",
                                     "Visible", "OnClick", "OnContextPopup", "OnDragDrop", "OnDragOver",
                                     "OnEndDock", "OnEndDrag", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress",
                                     "OnKeyUp", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnStartDock",
                                     "OnStartDrag"});
        b.Qualify("Color").Default(clBtnFace).Qualify("ParentColor").Default(false).Qualify("TabStop").Default(true);
        return b.Register();
    }();
    return info;
}
