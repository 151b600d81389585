#include "controls/check/QxRadChk.h"

#include "controls/common/QxOldPropReader.h"
#include "platform/gui/controls/Input.h"
#include "platform/gui/controls/Published.h"
#include "platform/gui/controls/Themes.h"
#include "platform/gui/gdi/FrameControl.h"

#include <algorithm>

// ================================================================ TQxCustomGlyphButton

TQxCustomGlyphButton::TQxCustomGlyphButton(TComponent* AOwner)
    : TQxCustomButton(AOwner), FCustomGlyphs(std::make_unique<TBitmap>()),
      FImageChangeLink(std::make_unique<TChangeLink>()), FBackground(std::make_unique<TBitmap>()) {
    SetControlStyle(ControlStyle() << csSetCaption << csReplicatable);
    FCustomGlyphs->OnChange = [this](TObject*) { CustomGlyphsChanged(); };
    FImageChangeLink->OnChange = [this](TObject*) { CustomGlyphsChanged(); };
}

TQxCustomGlyphButton::~TQxCustomGlyphButton() = default;

void TQxCustomGlyphButton::SetAlignment(TLeftRight Value) {
    if (StoreChanged(this, FAlignment, Value)) Repaint();
}

void TQxCustomGlyphButton::SetAutoSize(bool Value) {
    if (!StoreChanged(this, FAutoSize, Value)) return;
    if (FAutoSize) FitToCaption();
}

void TQxCustomGlyphButton::SetCustomGlyphs(TBitmap* Value) {
    FCustomGlyphs->Assign(Value);
}

void TQxCustomGlyphButton::SetCustomGlyphImages(TCustomImageList* Value) {
    LinkImageList(this, FCustomGlyphImages, Value, FImageChangeLink.get());
    FBackgroundDirty = true;
    UpdateUseCustomGlyphs();
    Repaint();
}

void TQxCustomGlyphButton::CustomGlyphsChanged() {
    FBackgroundDirty = true;
    UpdateUseCustomGlyphs();
    Repaint();
}

void TQxCustomGlyphButton::UpdateUseCustomGlyphs() {
    const TCustomImageList* list = FCustomGlyphImages;
    if (list && list->Width() > 0 && list->Height() > 0 && list->Count() > 0)
        SetUseCustomGlyphs(true);
    else
        SetUseCustomGlyphs(!FCustomGlyphs->Empty());
}

void TQxCustomGlyphButton::SetUseCustomGlyphs(bool Value) {
    FUseCustomGlyphs = Value;
    if (Value && FCustomGlyphImages) {
        FGlyphWidth = FCustomGlyphImages->Width();
        FGlyphHeight = FCustomGlyphImages->Height();
    } else if (Value) {
        FGlyphWidth = FCustomGlyphs->Width() / std::max<Integer>(FStripGlyphCount, 1);
        FGlyphHeight = FCustomGlyphs->Height();
    } else {
        FGlyphWidth = 13;
        FGlyphHeight = 13;
    }
    // Fits once even when AutoSize is off.
    SetAutoSize(!FAutoSize);
    SetAutoSize(!FAutoSize);
    Repaint();
}

void TQxCustomGlyphButton::SetFillColor(TColor Value) {
    if (StoreChanged(this, FFillColor, Value)) Repaint();
}
void TQxCustomGlyphButton::SetFocusColor(TColor Value) {
    if (StoreChanged(this, FFocusColor, Value)) Repaint();
}
void TQxCustomGlyphButton::SetFrameColor(TColor Value) {
    if (StoreChanged(this, FFrameColor, Value)) Repaint();
}
void TQxCustomGlyphButton::SetDisabledColor(TColor Value) {
    if (StoreChanged(this, FDisabledColor, Value)) Repaint();
}
void TQxCustomGlyphButton::SetReadOnly(bool Value) {
    if (StoreChanged(this, FReadOnly, Value)) Repaint();
}
void TQxCustomGlyphButton::SetReadOnlyColor(TColor Value) {
    if (StoreChanged(this, FReadOnlyColor, Value)) Repaint();
}
void TQxCustomGlyphButton::SetTransparentColor(TColor Value) {
    if (StoreChanged(this, FTransparentColor, Value)) Repaint();
}
void TQxCustomGlyphButton::SetWinMaskColor(TColor Value) {
    if (StoreChanged(this, FWinMaskColor, Value)) Repaint();
}

void TQxCustomGlyphButton::SetTransparent(bool Value) {
    FBackgroundDirty = true;
    TQxCustomButton::SetTransparent(Value);
}

void TQxCustomGlyphButton::FrameControllerChanged() {
    TQxFrameController* c = FLinks.Controller();
    if (!c || !c->FrameVisible()) return;
    FHotTrack = true;
    const TQxFrameControllerNotifications n = FLinks.Notifications();
    if (n.Contains(fcpColor)) FFillColor = c->Color();
    if (n.Contains(fcpFrameColor)) FFrameColor = c->FrameColor();
    if (n.Contains(fcpFocusColor)) FFocusColor = c->FocusColor();
    if (n.Contains(fcpDisabledColor)) FDisabledColor = c->DisabledColor();
    if (n.Contains(fcpReadOnlyColor)) FReadOnlyColor = c->ReadOnlyColor();
    if (n.Contains(fcpReadOnlyColorOnFocus)) FReadOnlyColorOnFocus = c->ReadOnlyColorOnFocus();
    if (n.Contains(fcpFrameHotTrack)) FHotTrackStyle = c->FrameHotTrack() ? htsFrame : htsInterior;
    if (n.Contains(fcpFrameHotColor) && FHotTrackStyle == htsFrame) FHotTrackColor = c->FrameHotColor();
    Repaint();
}

void TQxCustomGlyphButton::Notification(TComponent* AComponent, TOperation Operation) {
    TQxCustomButton::Notification(AComponent, Operation);
    FLinks.Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FCustomGlyphImages) SetCustomGlyphImages(nullptr);
}

bool TQxCustomGlyphButton::GlyphOnRight() const {
    return UseRightToLeftAlignment() == (FAlignment == TLeftRight::taRightJustify);
}

TAlignment TQxCustomGlyphButton::GetControlsAlignment() const {
    if (!UseRightToLeftAlignment()) return taRightJustify;
    return FAlignment == TLeftRight::taRightJustify ? taLeftJustify : taRightJustify;
}

TRect TQxCustomGlyphButton::GlyphRect() const {
    const Integer x = GlyphOnRight() ? Width() - FGlyphWidth : 0;
    Integer y = 2;
    if (AlignmentVertical() == avCenter)
        y = (Height() - FGlyphHeight) / 2;
    else if (AlignmentVertical() == avBottom)
        y = Height() - FGlyphHeight - 2;
    return {x, y, x + FGlyphWidth, y + FGlyphHeight};
}

void TQxCustomGlyphButton::FitToCaption() {
    if (!HandleAllocated() || HasState(csLoading) || !FAutoSize) return;
    TRect r = ClientRect();
    InflateRect(r, -1, -1);
    r.Right = std::max(r.Right - (FGlyphWidth + 4), r.Left + 2);
    TBitmap screen(1, 1);
    screen.Canvas()->Font()->Assign(Font());
    DrawTextOnCanvas(screen.Canvas(), Caption(), r, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
    const Integer height = std::max(FGlyphHeight + 2, r.Height() + 2);
    const Integer width = r.Width() + FGlyphWidth + 6;
    // The edge on the glyph's side stays.
    const Integer left = GlyphOnRight() ? Left() + Width() - width : Left();
    SetBounds(left, Top(), width, height);
}

void TQxCustomGlyphButton::CreateWnd() {
    TQxCustomButton::CreateWnd();
    FitToCaption();
}

void TQxCustomGlyphButton::Loaded() {
    TQxCustomButton::Loaded();
    FitToCaption();
}

void TQxCustomGlyphButton::DefineProperties(TFiler* Filer) {
    TQxCustomButton::DefineProperties(Filer);
    Filer->DefineProperty("Flat", [this](TReader* Reader) { SetHotTrack(Reader->ReadBoolean()); }, nullptr, false);
}

void TQxCustomGlyphButton::BackgroundChanged(bool RepaintNow) {
    FBackgroundDirty = true;
    if (RepaintNow) Repaint();
}

void TQxCustomGlyphButton::CaptureBackground() {
    FBackground->SetSize(Width(), Height());
    if (Transparent()) {
        CopyParentBackgroundToCanvas(this, FBackground->Canvas(), false);
    } else {
        FBackground->Canvas()->Brush()->SetColor(Color());
        FBackground->Canvas()->FillRect(TRect(0, 0, Width(), Height()));
    }
    FBackgroundDirty = false;
}

void TQxCustomGlyphButton::ExtractGlyph(Integer N, TBitmap* Target, Integer H, Integer W, TBitmap* Strip) {
    Target->SetSize(W, H);
    Target->Canvas()->Brush()->SetColor(FTransparentColor);
    Target->Canvas()->FillRect(TRect(0, 0, W, H));
    if (N < 0 || W <= 0 || W * (N + 1) > Strip->Width()) return;
    Target->Canvas()->CopyRect(TRect(0, 0, W, H), Strip->Canvas(), TRect(W * N, 0, W * (N + 1), H));
}

void TQxCustomGlyphButton::DrawListGlyph(TBitmap* Bitmap, Integer Index) {
    TBitmap temp(FGlyphWidth, FGlyphHeight);
    temp.Canvas()->Brush()->SetColor(FTransparentColor);
    temp.Canvas()->FillRect(TRect(0, 0, FGlyphWidth, FGlyphHeight));
    FCustomGlyphImages->Draw(temp.Canvas(), 0, 0, Index, true);
    Bitmap->Canvas()->Draw(0, 0, &temp);
}

void TQxCustomGlyphButton::DrawCustomStateGlyph(TBitmap* Bitmap, Integer State, Integer StateCount) {
    Integer index = State;
    if (!Enabled())
        index = 2 * StateCount + State;
    else if (FPressedLook)
        index = StateCount + State;
    else if (FCustomGlyphImages && FMouseOver && HotTrack() && FCustomGlyphImages->Count() > 3 * StateCount)
        index = 3 * StateCount + State;
    if (FCustomGlyphImages)
        DrawListGlyph(Bitmap, index);
    else
        ExtractGlyph(index, Bitmap, FGlyphHeight, FGlyphWidth, FCustomGlyphs.get());
}

void TQxCustomGlyphButton::HotColors(TColor& Dark, TColor& Light) const {
    if (FHotTrackColorType == htctActual) {
        Dark = FHotTrackColor;
        Light = BlendColors(clWhite, FHotTrackColor, 190);
    } else {
        Light = ComplementColor(FHotTrackColor, 180);
        Dark = DarkenColor(Light, 30);
    }
}

TQxGlyphLook TQxCustomGlyphButton::PaintLook() const {
    if (!Enabled()) return glDisabled;
    if (FPressedLook) return glPressed;
    if (FMouseOver) return glHot;
    return glNormal;
}

// The glyph over the control: G the state glyph, M the glyph on its
// background, O what is drawn.
void TQxCustomGlyphButton::DrawGlyph(TCanvas* Canvas) {
    if (!Canvas) Canvas = this->Canvas();
    const TRect place = GlyphRect();
    const TRect d(0, 0, FGlyphWidth, FGlyphHeight);
    TBitmap g(FGlyphWidth, FGlyphHeight), m(FGlyphWidth, FGlyphHeight), o(FGlyphWidth, FGlyphHeight);
    const bool themes = UseThemes();
    TBitmap* shown = &m;
    if (Transparent() && themes) {
        g.Canvas()->CopyRect(d, Canvas, place);
        DrawStateGlyph(&g);
        shown = &g;
    } else if (Transparent()) {
        m.Canvas()->CopyRect(d, Canvas, place);
        g.Canvas()->Brush()->SetColor(FTransparentColor);
        g.Canvas()->FillRect(d);
        DrawStateGlyph(&g);
        PaintBitmapTransparent(m.Canvas(), &g, d, FTransparentColor, d);
    } else {
        g.Canvas()->Brush()->SetColor(FTransparentColor);
        g.Canvas()->FillRect(d);
        DrawStateGlyph(&g);
        m.Canvas()->Brush()->SetColor(Color());
        m.Canvas()->BrushCopy(d, &g, d, FTransparentColor);
    }
    if (FUseCustomGlyphs) {
        o.Canvas()->Brush()->SetColor(clWindow);
        o.Canvas()->BrushCopy(d, shown, d, FWinMaskColor);
        shown = &o;
    } else if (Transparent() && !themes) {
        SmoothGlyphEdges(shown);
    }
    Canvas->Draw(place.Left, place.Top, shown);
}

void TQxCustomGlyphButton::Paint() {
    if (HasState(csDestroying)) return;
    TBitmap b(Width(), Height());
    TCanvas* c = b.Canvas();
    c->Font()->Assign(Font());
    c->Brush()->SetColor(Color());
    if (FBackgroundDirty) CaptureBackground();
    c->Draw(0, 0, FBackground.get());
    DrawGlyph(c);
    TRect t = ClientRect();
    InflateRect(t, -1, -1);
    // The glyph's side is taken off; right to left, the caption keeps to
    // the right of what is left.
    if (GlyphOnRight())
        t.Right -= FGlyphWidth + 4;
    else
        t.Left += FGlyphWidth + 4;
    const UINT flags = DT_WORDBREAK | DT_EXPANDTABS | (UseRightToLeftAlignment() ? DT_RIGHT : 0);
    DrawCaption(c, t, flags);
    InflateRect(t, 1, 1);
    if (Focused() && !Caption().empty()) PaintDottedFocusRect(c, t);
    Canvas()->CopyRect(ClientRect(), c, ClientRect());
}

void TQxCustomGlyphButton::EraseTransparentBackground(HDC DC) {
    CopyParentBackground(this, DC, true);
}

bool TQxCustomGlyphButton::IsCheckedStored() const {
    auto* link = dynamic_cast<TQxCheckedActionLink*>(ActionLink());
    return !link || !link->CheckedFromAction();
}

TControlActionLink* TQxCustomGlyphButton::CreateActionLink() {
    return new TQxCheckedActionLink(this);
}

void TQxCustomGlyphButton::ActionChange(TObject* Sender, bool CheckDefaults) {
    TQxCustomButton::ActionChange(Sender, CheckDefaults);
    if (auto* action = dynamic_cast<TCustomAction*>(Sender))
        if (!CheckDefaults || !Checked()) SetChecked(action->Checked());
}

void TQxCustomGlyphButton::KeyPress(char32_t& Key) {
    if (FTabOnEnter && TabOnEnterKey(this, Key)) return;
    TQxCustomButton::KeyPress(Key);
}

void TQxCustomGlyphButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    FUsingMouse = true;
    TQxCustomButton::MouseDown(Button, Shift, X, Y);
}

void TQxCustomGlyphButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    auto usingMouse = ClearOnExit(FUsingMouse);
    TQxCustomButton::MouseUp(Button, Shift, X, Y);
}

void TQxCustomGlyphButton::Dispatch(TMessage& Message) {
    auto alive = Alive();
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        TQxCustomButton::Dispatch(Message);
        if (*alive) FBackgroundDirty = true;
        return;
    case WM_SIZE:
        FBackgroundDirty = true;
        break;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_PARENTCOLORCHANGED:
        TQxCustomButton::Dispatch(Message);
        if (*alive) BackgroundChanged(true);
        return;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        TQxCustomButton::Dispatch(Message);
        if (*alive) FitToCaption();
        return;
    case WM_KEYDOWN:
        // The Enter that TabOnEnter posts moves on as Tab does.
        if (FTabOnEnter && TabOnEnterPosted(this, Message)) return;
        break;
    default:
        break;
    }
    TQxCustomButton::Dispatch(Message);
}

// ================================================================ TQxCustomCheckBox

TQxCustomCheckBox::TQxCustomCheckBox(TComponent* AOwner) : TQxCustomGlyphButton(AOwner) {
    SetAlignmentVertical(avTop);
    FStripGlyphCount = 9;
}

void TQxCustomCheckBox::SetState(TCheckBoxState Value) {
    if (Value == FState) return;
    auto alive = Alive();
    FState = Value;
    UpdateDisplay();
    if (*alive && !FClicksDisabled) Click();
}

void TQxCustomCheckBox::ChangeState() {
    if (FUsingMouse && FReadOnly) return;
    switch (FState) {
    case cbUnchecked:
        SetState(AllowGrayed() ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

void TQxCustomCheckBox::KeyDown(Word& Key, TShiftState Shift) {
    auto alive = Alive();
    TQxCustomGlyphButton::KeyDown(Key, Shift);
    if (!*alive || FReadOnly) return;
    if (Key == VK_ESCAPE) {
        FKeyToggle = false;
        FPressedLook = false;
        Repaint();
    } else if (Key == VK_SPACE) {
        FKeyToggle = true;
        FPressedLook = true;
        Repaint();
    }
}

// After the framework's key-up handling (and OnKeyUp), from Dispatch, so
// that a toggle whose click frees the box leaves nothing to run.
void TQxCustomCheckBox::SpaceReleased() {
    auto alive = Alive();
    FPressedLook = false;
    // The toggle belongs to the Space press this box saw, once.
    if (FKeyToggle) {
        FKeyToggle = false;
        ChangeState();
        if (!*alive) return;
    }
    Repaint();
}

void TQxCustomCheckBox::DoExit() {
    auto alive = Alive();
    FKeyToggle = false;
    TQxCustomGlyphButton::DoExit();
    if (!*alive) return;
    FPressedLook = false;
    Repaint();
}

void TQxCustomCheckBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<Word>(Message.WParam), Caption()) && CanFocus()) {
            auto alive = Alive();
            Message.Result = 1;
            SetFocus();
            if (!*alive) return;
            if (Focused() && !FReadOnly) {
                ChangeState();
                if (*alive) Repaint();
            }
            return;
        }
        break;
    case BM_GETCHECK:
        Message.Result = static_cast<LRESULT>(FState);
        return;
    case WM_KEYUP: {
        auto alive = Alive();
        const bool space = Message.WParam == VK_SPACE;
        TQxCustomGlyphButton::Dispatch(Message);
        if (*alive && space && !FReadOnly) SpaceReleased();
        return;
    }
    default:
        break;
    }
    TQxCustomGlyphButton::Dispatch(Message);
}

// The state glyph: image or strip index by state (columns) and look.
//
//                 unchecked  checked  grayed
//   normal            0         1       2
//   pressed           3         4       5
//   disabled          6         7       8
//   hot (list)        9        10      11
void TQxCustomCheckBox::DrawStateGlyph(TBitmap* Bitmap) {
    if (UseCustomGlyphs()) {
        DrawCustomStateGlyph(Bitmap, static_cast<Integer>(FState), 3);
        return;
    }
    const TRect d(0, 0, GlyphSize().X, GlyphSize().Y);
    TCanvas* c = Bitmap->Canvas();
    if (UseThemes()) {
        c->Brush()->SetColor(Color());
        c->FillRect(d);
        Integer base = FState == cbUnchecked ? CBS_UNCHECKEDNORMAL
                       : FState == cbChecked ? CBS_CHECKEDNORMAL
                                             : CBS_MIXEDNORMAL;
        Integer variant = !Enabled() ? 3 : FPressedLook ? 2 : FMouseOver ? 1 : 0;
        ThemeServices()->DrawElement(c->Handle(), {teButton, BP_CHECKBOX, base + variant}, d);
        return;
    }
    if (HotTrack()) {
        TColor dark, light;
        HotColors(dark, light);
        PaintCheckBoxGlyph(c, d, FState, ReadOnlyColor(), ReadOnlyColorOnFocus(), FReadOnly, dark, light,
                           DisabledColor(), FocusColor(), FillColor(), HighlightColor(), FrameColor(),
                           HotTrackStyle(), Focused(), PaintLook());
        return;
    }
    UINT flags = DFCS_BUTTONCHECK;
    if (FState == cbChecked) flags |= DFCS_CHECKED;
    if (FState == cbGrayed) flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    if (FPressedLook) flags |= DFCS_PUSHED;
    if (!Enabled()) flags |= DFCS_INACTIVE;
    TRect r = d;
    DrawFrameControl(c->Handle(), &r, DFC_BUTTON, flags);
}

// ================================================================ TQxRadioButton

TQxRadioButton::TQxRadioButton(TComponent* AOwner) : TQxCustomGlyphButton(AOwner) {
    SetAlignmentVertical(avTop);
    FStripGlyphCount = 6;
    SetTabStop(false);
}

void TQxRadioButton::SetChecked(bool Value) {
    if (Value == FChecked) return;
    auto alive = Alive();
    FChecked = Value;
    SetTabStop(Value);
    UpdateDisplay();
    if (!*alive || !Value) return;
    UncheckSiblings();
    if (*alive && !FClicksDisabled) Click();
}

void TQxRadioButton::UncheckSiblings() {
    if (!Parent()) return;
    for (Integer i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TQxRadioButton*>(Parent()->Controls(i)); other && other != this)
            other->SetChecked(false);
}

void TQxRadioButton::SetReadOnly(bool Value) {
    if (Value == FReadOnly) return;
    FReadOnly = Value;
    Repaint();
    PropagateReadOnly();
}

void TQxRadioButton::PropagateReadOnly() {
    if (!Parent()) return;
    for (Integer i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TQxRadioButton*>(Parent()->Controls(i)); other && other != this)
            other->SetReadOnly(FReadOnly);
}

void TQxRadioButton::ChangeState() {
    if (!FChecked && !FReadOnly) SetChecked(true);
}

void TQxRadioButton::Dispatch(TMessage& Message) {
    auto alive = Alive();
    switch (Message.Msg) {
    case WM_SETFOCUS:
        TQxCustomGlyphButton::Dispatch(Message);
        if (*alive && !FUsingMouse && !FReadOnly) SetChecked(true);
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<Word>(Message.WParam), Caption()) && CanFocus()) {
            Message.Result = 1;
            SetFocus();
            return;
        }
        break;
    case CM_DIALOGKEY:
        if (Message.WParam == VK_DOWN && !KeyDataToShiftState(Message.LParam).Contains(ssAlt) &&
            GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && CanFocus() && Focused()) {
            Message.Result = 1;
            if (!FClicksDisabled) Click();
            return;
        }
        break;
    case CN_KEYDOWN:
        // The form takes arrows to move the focus; the focused radio button
        // sees the Down arrow first.
        if (Message.WParam == VK_DOWN && Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0) {
            Message.Result = 1;
            return;
        }
        break;
    case WM_LBUTTONDBLCLK:
        TQxCustomGlyphButton::Dispatch(Message);
        if (*alive) DblClick();
        return;
    case BM_GETCHECK:
        Message.Result = FChecked ? 1 : 0;
        return;
    default:
        break;
    }
    TQxCustomGlyphButton::Dispatch(Message);
}

// The state glyph: image or strip index by look.
//
//                 unchecked  checked
//   normal            0         1
//   pressed           2         3
//   disabled          4         5
//   hot (list)        6         7
void TQxRadioButton::DrawStateGlyph(TBitmap* Bitmap) {
    if (UseCustomGlyphs()) {
        DrawCustomStateGlyph(Bitmap, FChecked ? 1 : 0, 2);
        return;
    }
    const TRect d(0, 0, GlyphSize().X, GlyphSize().Y);
    TCanvas* c = Bitmap->Canvas();
    if (UseThemes()) {
        if (!Transparent()) {
            c->Brush()->SetColor(Color());
            c->FillRect(d);
        }
        const Integer base = FChecked ? RBS_CHECKEDNORMAL : RBS_UNCHECKEDNORMAL;
        const Integer variant = !Enabled() ? 3 : FPressedLook ? 2 : FMouseOver ? 1 : 0;
        ThemeServices()->DrawElement(c->Handle(), {teButton, BP_RADIOBUTTON, base + variant}, d);
        return;
    }
    if (HotTrack()) {
        TColor dark, light;
        HotColors(dark, light);
        PaintRadioGlyph(c, d, FChecked, ReadOnlyColor(), ReadOnlyColorOnFocus(), FReadOnly, 0x008080,
                        Transparent(), Color(), dark, light, DisabledColor(), FocusColor(), FillColor(),
                        HighlightColor(), FrameColor(), HotTrackStyle(), Focused(), PaintLook());
        return;
    }
    c->Brush()->SetColor(TransparentColor());
    c->FillRect(d);
    UINT flags = DFCS_BUTTONRADIO | DFCS_TRANSPARENT;
    if (FChecked) flags |= DFCS_CHECKED;
    if (FPressedLook) flags |= DFCS_PUSHED;
    if (!Enabled()) flags |= DFCS_INACTIVE;
    TRect r = d;
    DrawFrameControl(c->Handle(), &r, DFC_BUTTON, flags);
}

// Edge smoothing of the 13 x 13 circle: each listed pixel moves toward
// FrameColor, weight 128 ('h', half way) or 40 ('s', a sixth):
//
//   ...shxxxhs...
//   ..h.......h..
//   .h.........h.
//   s...........s
//   h...........h
//   .............   (rows 5 to 7 unchanged)
//   h...........h
//   s...........s
//   .h.........h.
//   ..h.......h..
//   ...shxxxhs...   ('x' unchanged)
void TQxRadioButton::SmoothGlyphEdges(TBitmap* Bitmap) {
    static constexpr TPoint Half[] = {{4, 0},  {8, 0},  {2, 1},   {10, 1},  {1, 2},  {11, 2}, {0, 4},  {12, 4},
                                      {0, 8},  {12, 8}, {1, 10},  {11, 10}, {2, 11}, {10, 11}, {4, 12}, {8, 12}};
    static constexpr TPoint Sixth[] = {{3, 0}, {9, 0}, {0, 3}, {12, 3}, {0, 9}, {12, 9}, {3, 12}, {9, 12}};
    TCanvas* c = Bitmap->Canvas();
    auto blend = [&](const TPoint& P, Byte Weight) {
        c->SetPixels(P.X, P.Y, BlendColors(FrameColor(), c->Pixels(P.X, P.Y), Weight));
    };
    for (const TPoint& p : Half) blend(p, 128);
    for (const TPoint& p : Sixth) blend(p, 40);
}

// ================================================================ TQxCheckedActionLink

TQxCheckedActionLink::TQxCheckedActionLink(TObject* AClient) : TWinControlActionLink(AClient) {
    TQxCheckedActionLink::AssignClient(AClient);
}

void TQxCheckedActionLink::AssignClient(TObject* AClient) {
    TWinControlActionLink::AssignClient(AClient);
    FGlyphClient = dynamic_cast<TQxCustomGlyphButton*>(AClient);
}

bool TQxCheckedActionLink::IsCheckedLinked() {
    return TWinControlActionLink::IsCheckedLinked() && FGlyphClient &&
           FGlyphClient->Checked() == static_cast<TCustomAction*>(FAction)->Checked();
}

void TQxCheckedActionLink::SetChecked(bool Value) {
    if (!IsCheckedLinked()) return;
    FGlyphClient->FClicksDisabled = true;
    auto clicks = FGlyphClient->ClearOnExit(FGlyphClient->FClicksDisabled);
    FGlyphClient->SetChecked(Value);
}

// ================================================================ published

namespace {

template <class T> TClassBuilder<T>& PublishGlyphButton(TClassBuilder<T>& B) {
    RegisterButtonTypes();
    B.Property("Alignment", &T::Alignment, &T::SetAlignment)
        .Default(TLeftRight::taRightJustify)
        .Property("AlignmentVertical", &T::AlignmentVertical, &T::SetAlignmentVertical,
                  AlignmentVerticalTypeInfo())
        .Default(avTop)
        .Property("AutoSize", &T::AutoSize, &T::SetAutoSize)
        .Default(true)
        .Property("Checked", &T::Checked, &T::SetChecked)
        .Default(false)
        .Stored([](const T* b) { return b->IsCheckedStored(); })
        .Property("CustomGlyphs", &T::CustomGlyphs, &T::SetCustomGlyphs)
        .Property("CustomGlyphImages", &T::CustomGlyphImages, &T::SetCustomGlyphImages)
        .Property("UseCustomGlyphs", &T::UseCustomGlyphs, &T::SetUseCustomGlyphs)
        .Default(false)
        .Property("FillColor", &T::FillColor, &T::SetFillColor, ColorTypeInfo())
        .Default(clWindow)
        .Property("FocusColor", &T::FocusColor, &T::SetFocusColor, ColorTypeInfo())
        .Default(clWindow)
        .Property("FrameColor", &T::FrameColor, &T::SetFrameColor, ColorTypeInfo())
        .Default(clBtnShadow)
        .Property("DisabledColor", &T::DisabledColor, &T::SetDisabledColor, ColorTypeInfo())
        .Default(clBtnFace)
        .Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly)
        .Default(false)
        .Property("ReadOnlyColor", &T::ReadOnlyColor, &T::SetReadOnlyColor, ColorTypeInfo())
        .Default(clInfoBk)
        .Property("ReadOnlyColorOnFocus", &T::ReadOnlyColorOnFocus, &T::SetReadOnlyColorOnFocus)
        .Default(false)
        .Property("TransparentColor", &T::TransparentColor, &T::SetTransparentColor, ColorTypeInfo())
        .Default(0x008080)
        .Property("WinMaskColor", &T::WinMaskColor, &T::SetWinMaskColor, ColorTypeInfo())
        .Default(0x00FF00)
        .Property("TabOnEnter", &T::TabOnEnter, &T::SetTabOnEnter)
        .Default(false)
        .Property("HotTrackStyle", &T::HotTrackStyle, &T::SetHotTrackStyle, ButtonHotTrackStyleTypeInfo())
        .Default(htsInterior)
        .Property("Transparent", &T::Transparent, &T::SetTransparent)
        .Default(false)
        .Property("ThemeAware", &T::ThemeAware, &T::SetThemeAware)
        .Default(true)
        .Event("OnMouseEnter", &T::OnMouseEnter)
        .Event("OnMouseLeave", &T::OnMouseLeave);
    PublishButtonHotTrack(B);
    PublishTextStyle(B);
    PublishFrameController(B);
    StoreUnlessGoverned(B, {{"FillColor", fcpColor},
                            {"FrameColor", fcpFrameColor},
                            {"FocusColor", fcpFocusColor},
                            {"DisabledColor", fcpDisabledColor},
                            {"ReadOnlyColor", fcpReadOnlyColor},
                            {"ReadOnlyColorOnFocus", fcpReadOnlyColorOnFocus},
                            {"HotTrackStyle", fcpFrameHotTrack},
                            {"HotTrackColor", fcpFrameHotColor}});
    PublishControlProperties(B, {"Action", "Align", "Anchors", "BiDiMode", "Caption", "Color", "Constraints",
                                 "DragCursor", "DragKind", "DragMode", "Enabled", "Font", "HelpContext",
                                 "ParentBiDiMode", "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu",
                                 "ShowHint", "TabOrder", "TabStop", "Visible", "OnClick", "OnContextPopup",
                                 "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag", "OnEnter",
                                 "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove",
                                 "OnMouseUp", "OnStartDock", "OnStartDrag"});
    return B;
}

} // namespace

const TClassInfo& TQxCustomGlyphButton::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TQxCustomGlyphButton>("TQxCustomGlyphButton", &TQxCustomButton::ClassInfo()).Register();
    return info;
}

const TClassInfo& TQxCustomCheckBox::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TQxCustomCheckBox>("TQxCustomCheckBox", &TQxCustomGlyphButton::ClassInfo()).Register();
    return info;
}

const TClassInfo& TQxCheckBox::ClassInfo() {
    using T = TQxCheckBox;
    static const TClassInfo& info = []() -> const TClassInfo& {
        TClassBuilder<T> b("TQxCheckBox", &TQxCustomCheckBox::ClassInfo());
        PublishGlyphButton(b);
        b.Property("AllowGrayed", &T::AllowGrayed, &T::SetAllowGrayed)
            .Default(false)
            .Property("State", &T::State, &T::SetState, CheckBoxStateTypeInfo())
            .Property("TabStop", &T::TabStop, &T::SetTabStop)
            .Default(true);
        return b.Register();
    }();
    return info;
}

const TClassInfo& TQxRadioButton::ClassInfo() {
    using T = TQxRadioButton;
    static const TClassInfo& info = []() -> const TClassInfo& {
        TClassBuilder<T> b("TQxRadioButton", &TQxCustomGlyphButton::ClassInfo());
        PublishGlyphButton(b);
        b.Property("TabStop", &T::TabStop, &T::SetTabStop).Default(false);
        return b.Register();
    }();
    return info;
}
