#include "controls/tabs/QxTabButtons.h"
#include "platform/gui/controls/Menus.h"

#include "platform/rtl/Guards.h"

#include <type_traits>

// ================================================================ face

void PaintTabButtonFace(TCanvas* Canvas, const TRect& R, TQxCustomTabControl* TabControl, bool Enabled,
                        TColor FrameColor, bool Hot, bool Down) {
    const TColor base = TabControl->ButtonColor();
    if (!Enabled) {
        Canvas->Pen()->SetColor(FrameColor);
        Canvas->Brush()->SetColor(LightenColor(clBtnShadow, 30));
        Canvas->Rectangle(R);
        return;
    }
    if (TabControl->UseGradients()) {
        TColor light = LightenColor(base, 20);
        TColor dark = DarkenColor(base, 20);
        if (Down) {
            light = DarkenColor(light, 30);
            dark = DarkenColor(dark, 30);
        } else if (Hot) {
            light = LightenColor(light, 30);
            dark = LightenColor(dark, 30);
        }
        TRect inner = R;
        InflateRect(inner, -1, -1);
        GradientFillRect(Canvas, inner, gdHorizontalEnd, 1, dark, light);
        Canvas->Pen()->SetColor(FrameColor);
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Rectangle(R);
        Canvas->Brush()->SetStyle(bsSolid);
        return;
    }
    TColor face = base;
    if (Down)
        face = DarkenColor(base, 30);
    else if (Hot)
        face = LightenColor(base, 30);
    Canvas->Brush()->SetColor(face);
    Canvas->Pen()->SetColor(FrameColor);
    Canvas->Rectangle(R);
}

// ================================================================ hover and press

template <class Base>
TQxStripButton<Base>::TQxStripButton(TQxCustomTabControl* ATabControl) : Base(ATabControl), FTabControl(ATabControl) {
    this->SetParent(ATabControl);
    this->FControlStyle << csNoDesignVisible;
}

template <class Base> void TQxStripButton<Base>::SetFrameColor(TColor Value) {
    if (Value == FFrameColor) return;
    FFrameColor = Value;
    this->Invalidate();
}

template <class Base> void TQxStripButton<Base>::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        if constexpr (std::is_base_of_v<TWinControl, Base>) {
            Message.Result = 1;
            return;
        }
        break;
    case CM_MOUSEENTER:
        if (this->HasState(csDesigning)) break;
        FHot = true;
        Base::Dispatch(Message);
        this->Refresh();
        return;
    case CM_MOUSELEAVE:
        FHot = false;
        Base::Dispatch(Message);
        this->Refresh();
        return;
    default:
        break;
    }
    Base::Dispatch(Message);
}

template <class Base> void TQxStripButton<Base>::CheckHover() {
    if (!this->Enabled()) return;
    TControl* under = FindDragTarget(GetCursorPos(), false);
    this->Perform(under == this ? CM_MOUSEENTER : CM_MOUSELEAVE);
}

template <class Base> bool TQxStripButton<Base>::InPressedArea(Integer X, Integer Y) const {
    return PtInRect(this->ClientRect(), TPoint{X, Y});
}

template <class Base>
void TQxStripButton<Base>::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (!FLiveness.Outlives([&] { Base::MouseDown(Button, Shift, X, Y); }) || !Presses(Button)) return;
    FTracking = true;
    FDown = true;
    PressStarted(X, Y);
    this->Repaint();
    if constexpr (std::is_base_of_v<TWinControl, Base>) this->SetMouseCapture(true);
}

template <class Base> void TQxStripButton<Base>::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    Base::MouseMove(Shift, X, Y);
    if (FTracking) {
        const bool down = InPressedArea(X, Y);
        if (down != FDown) {
            FDown = down;
            this->Repaint();
        }
    } else if (!FHot) {
        CheckHover();
    }
}

template <class Base>
void TQxStripButton<Base>::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (!FLiveness.Outlives([&] { Base::MouseUp(Button, Shift, X, Y); }) || !FTracking) return;
    if constexpr (std::is_base_of_v<TWinControl, Base>) this->SetMouseCapture(false);
    FTracking = false;
    Released();
    const bool wasDown = FDown;
    if (wasDown) {
        FDown = false;
        if (!FLiveness.Outlives([&] { Action(); })) return;
        this->Repaint();
    }
    PressEnded(wasDown);
}

template class TQxStripButton<TCustomControl>;
template class TQxStripButton<TGraphicControl>;

// ================================================================ scroller

TQxTabScroller::TQxTabScroller(TQxCustomTabControl* ATabControl) : TQxStripButton(ATabControl) {}

TQxTabScroller::~TQxTabScroller() {
    delete FRepeatTimer;
}

void TQxTabScroller::SetArrowLayout(TOrientation Value) {
    if (Value == FArrowLayout) return;
    FArrowLayout = Value;
    Invalidate();
}

void TQxTabScroller::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_DESIGNHITTEST) {
        Message.Result = 1;
        return;
    }
    TQxStripButton::Dispatch(Message);
}

TRect TQxTabScroller::ArrowRect(Integer Arrow) const {
    const TRect c = ClientRect();
    const Integer w = c.Width(), h = c.Height();
    TRect r = c;
    if (FArrowLayout == orHorizontal) {
        if (Arrow == 0)
            r.Right = c.Left + w / 2 + 1;
        else
            r.Left = c.Right - w / 2 - 1;
    } else {
        if (Arrow == 0)
            r.Top = c.Bottom - h / 2 - 1;
        else
            r.Bottom = c.Top + h / 2 + 1;
    }
    return r;
}

Integer TQxTabScroller::ArrowAt(Integer X, Integer Y) const {
    const TRect c = ClientRect();
    if (FArrowLayout == orHorizontal) return X >= c.Width() / 2 ? 1 : 0;
    return Y <= c.Height() / 2 ? 1 : 0;
}

bool TQxTabScroller::ArrowEnabled(Integer Arrow) const {
    const TQxCustomTabControl* t = FTabControl;
    const bool firstTowardsFirstTab = (t->TabSequence() == tsStandard) == (t->TabOrientation() != toRight);
    const bool towardsFirstTab = (Arrow == 0) == firstTowardsFirstTab;
    if (towardsFirstTab) return t->FirstVisibleTab() > 0;
    const Integer last = t->LastVisibleIndex();
    return last >= 0 && !t->TabFullyShown(last);
}

void TQxTabScroller::Paint() {
    const TColor frame = LightenColor(FFrameColor, 30);
    static const TQxArrowDirection horizontal[2] = {adLeft, adRight};
    static const TQxArrowDirection vertical[2] = {adDown, adUp};
    for (Integer a = 0; a < 2; ++a) {
        const TRect r = ArrowRect(a);
        const bool enabled = ArrowEnabled(a);
        PaintTabButtonFace(Canvas(), r, FTabControl, enabled, frame, FHot && FHotArrow == a,
                           FDown && FPressedArrow == a);
        PaintArrowButton(Canvas(), r, tlClassic, enabled, FArrowLayout == orHorizontal ? horizontal[a] : vertical[a]);
    }
}

void TQxTabScroller::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    if (!FTracking) {
        const Integer a = ArrowAt(X, Y);
        if (a != FHotArrow) {
            FHotArrow = a;
            Invalidate();
        }
    }
    TQxStripButton::MouseMove(Shift, X, Y);
}

void TQxTabScroller::PressStarted(Integer X, Integer Y) {
    FPressedArrow = ArrowAt(X, Y);
    if (!FRepeatTimer) {
        FRepeatTimer = new TTimer(nullptr);
        FRepeatTimer->OnTimer = [this](TObject* Sender) { RepeatStep(Sender); };
    }
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetInterval(FirstDelay);
    FRepeatTimer->SetEnabled(true);
}

bool TQxTabScroller::InPressedArea(Integer X, Integer Y) const {
    return ArrowAt(X, Y) == FPressedArrow;
}

void TQxTabScroller::Action() {
    const TNotifyEvent& handler = FPressedArrow == 0 ? OnFirstArrow : OnSecondArrow;
    if (handler) handler(this);
}

// The repeat stops before the release's own step, which may raise.
void TQxTabScroller::Released() {
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TQxTabScroller::RepeatStep(TObject* Sender) {
    FRepeatTimer->SetInterval(RepeatInterval);
    if (!FDown || !MouseCapture()) return;
    // A failing step stops the repeat before the error goes on (unless the
    // step freed the scroller, and the timer with it).
    TScopeExit stopOnError([this, alive = FLiveness.Watch()] {
        if (*alive) FRepeatTimer->SetEnabled(false);
    });
    Action();
    stopOnError.Release();
}

// ================================================================ close buttons

TQxTabControlCloseButton::TQxTabControlCloseButton(TQxCustomTabControl* ATabControl) : TQxStripButton(ATabControl) {
    OnAction = [ATabControl](TObject*) { ATabControl->CloseRequest(); };
}

void TQxTabControlCloseButton::Paint() {
    const TRect r = ClientRect();
    PaintTabButtonFace(Canvas(), r, FTabControl, Enabled(), LightenColor(FFrameColor, 30), FHot, FDown);
    PaintCloseButton(Canvas(), r, tlClassic, Enabled());
}

void TQxTabControlCloseButton::Action() {
    if (OnAction) OnAction(this);
}

TQxActiveTabCloseButton::TQxActiveTabCloseButton(TQxCustomTabControl* ATabControl) : TQxStripButton(ATabControl) {
    OnAction = [ATabControl](TObject*) { ATabControl->CloseRequest(); };
}

void TQxActiveTabCloseButton::Paint() {
    const TRect r = ClientRect();
    if (FHot) {
        PaintTabButtonFace(Canvas(), r, FTabControl, true, FFrameColor, FHot, FDown);
        PaintCloseGlyph(Canvas(), r, FTabControl->TabColors()->HighlightBar());
    } else {
        PaintCloseGlyph(Canvas(), r, FFrameColor);
    }
}

void TQxActiveTabCloseButton::Action() {
    if (OnAction) OnAction(this);
}

// ================================================================ menu button

TQxTabMenuButton::TQxTabMenuButton(TQxCustomTabControl* ATabControl)
    : TQxStripButton(ATabControl), FPopupMenu(new TPopupMenu(this)) {}

TQxTabMenuButton::~TQxTabMenuButton() = default;

void TQxTabMenuButton::Paint() {
    const TRect r = ClientRect();
    PaintTabButtonFace(Canvas(), r, FTabControl, true, LightenColor(FFrameColor, 30), FHot, FDown);
    static const TQxArrowDirection towardsCard[4] = {adDown, adRight, adUp, adLeft};
    PaintArrowButton(Canvas(), r, tlClassic, true, towardsCard[FTabControl->TabOrientation()]);
}

// The menu is made anew for every press: one item per visible tab, the
// current one checked, each selecting its tab.
void TQxTabMenuButton::ShowTabMenu() {
    TMenuItem* root = FPopupMenu->Items();
    root->Clear();
    FPopupMenu->SetImages(FTabControl->Images());
    std::vector<Integer> order;
    FTabControl->BuildTabMenuItems(order);
    TQxCustomTabControl* tabs = FTabControl;
    for (Integer i : order) {
        const TQxTabData* t = tabs->Tabs()->GetItem(i);
        auto* item = new TMenuItem(tabs->Owner());
        item->SetCaption(t->Caption);
        item->SetEnabled(t->Enabled);
        item->SetChecked(i == tabs->TabIndex());
        item->SetImageIndex(!t->Enabled && t->DisabledIndex != -1 ? t->DisabledIndex : t->ImageIndex);
        item->Tag = i;
        item->OnClick = [tabs](TObject* Sender) {
            tabs->SetTabIndex(static_cast<Integer>(static_cast<TMenuItem*>(Sender)->Tag));
        };
        // A menu controller of the form hooks new items to draw them itself.
        if (item->OnMeasureItem) FPopupMenu->SetOwnerDraw(true);
        root->Add(item);
    }
    const Integer w = Width(), h = Height();
    const bool rev = tabs->TabSequence() == tsReverse;
    TPoint at;
    TPopupAlignment alignment = paLeft;
    switch (tabs->TabOrientation()) {
    case toTop:
        at = rev ? TPoint{0, h} : TPoint{w - 1, h};
        alignment = rev ? paLeft : paRight;
        break;
    case toLeft: at = {w, 0}; break;
    case toBottom:
        at = rev ? TPoint{0, 0} : TPoint{w, 0};
        alignment = rev ? paLeft : paRight;
        break;
    default:
        at = {0, 0};
        alignment = paRight;
        break;
    }
    FPopupMenu->SetAlignment(alignment);
    const TPoint screen = ClientToScreen(at);
    FPopupMenu->Popup(screen.X, screen.Y);
}
