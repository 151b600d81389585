#pragma once
// The small buttons a tab control puts in or beside its strip: the
// scroller (two arrows that scroll a single-line strip, repeating while
// held), the close button at the strip's end, the close cross on the
// current tab, and the menu button that drops down a menu of all tabs.
//
// All four share one way of hovering and pressing (TQxStripButton): the
// mouse coming in makes the button hot, a press tracks the mouse until the
// release, the pressed look follows whether the pointer is over the
// pressed area, and a release over it runs the button's action once. The
// action reaches user code (OnClose, OnScrolledTabs, ...), which may free
// the tab control and the button with it: the button then touches nothing
// of itself afterwards.
//
// Their faces are painted by PaintTabButtonFace:
//   disabled        filled with LightenColor(clBtnShadow, 30), frame outline
//   gradients on    frame outline; inside, light (ButtonColor + 20) at the
//                   top to dark (ButtonColor - 20) at the bottom, both
//                   30 darker when down or 30 lighter when hot
//   gradients off   ButtonColor (30 darker down, 30 lighter hot), outlined
//     FFFFFFFF      F frame colour
//     FllllllF      l..d the gradient rows, top to bottom
//     FmmmmmmF
//     FddddddF
//     FFFFFFFF

#include "controls/common/QxLiveness.h"
#include "controls/tabs/QxTabControl.h"

class TPopupMenu;

void PaintTabButtonFace(TCanvas* Canvas, const TRect& R, TQxCustomTabControl* TabControl, bool Enabled,
                        TColor FrameColor, bool Hot, bool Down);

// The hover and press behaviour of a strip button over a framework base
// (TCustomControl for windowed buttons, TGraphicControl for the close cross).
template <class Base> class TQxStripButton : public Base {
public:
    explicit TQxStripButton(TQxCustomTabControl* ATabControl);
    TQxCustomTabControl* TabControl() const { return FTabControl; }
    TColor FrameColor() const { return FFrameColor; }
    virtual void SetFrameColor(TColor Value);
    bool Hot() const { return FHot; }
    bool Down() const { return FDown; }
    bool Tracking() const { return FTracking; }
    void Dispatch(TMessage& Message) override;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    // Which buttons press it (all by default).
    virtual bool Presses(TMouseButton Button) const { return true; }
    // A press at (X, Y) starts.
    virtual void PressStarted(Integer X, Integer Y) {}
    // Whether (X, Y) lies in the area that shows the press.
    virtual bool InPressedArea(Integer X, Integer Y) const;
    // The press is released, before the action runs.
    virtual void Released() {}
    // The button's action after a release over the pressed area.
    virtual void Action() = 0;
    // The press ended (the action, if any, ran and left the button in
    // place); Down tells whether it ran.
    virtual void PressEnded(bool WasDown) {}
    // Enters or leaves the hot state as the pointer is over the button or not.
    void CheckHover();

    TQxCustomTabControl* FTabControl;
    TQxLiveness FLiveness;
    TColor FFrameColor = clBtnShadow;
    bool FTracking = false;
    bool FDown = false;
    bool FHot = false;
};

class TQxTabScroller : public TQxStripButton<TCustomControl> {
public:
    explicit TQxTabScroller(TQxCustomTabControl* ATabControl);
    ~TQxTabScroller() override;
    TOrientation ArrowLayout() const { return FArrowLayout; }
    virtual void SetArrowLayout(TOrientation Value);
    // The arrow's rectangle (0 first, 1 second) and the arrow at a point.
    TRect ArrowRect(Integer Arrow) const;
    Integer ArrowAt(Integer X, Integer Y) const;
    // Whether an arrow can scroll now.
    bool ArrowEnabled(Integer Arrow) const;
    Integer PressedArrow() const { return FPressedArrow; }
    TTimer* RepeatTimer() const { return FRepeatTimer; }
    Word FirstDelay = 400;
    Word RepeatInterval = 100;
    // The actions of the two arrows.
    TNotifyEvent OnFirstArrow;
    TNotifyEvent OnSecondArrow;
    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void PressStarted(Integer X, Integer Y) override;
    bool InPressedArea(Integer X, Integer Y) const override;
    void Released() override;
    void Action() override;

private:
    void RepeatStep(TObject* Sender);
    TOrientation FArrowLayout = orHorizontal;
    Integer FPressedArrow = 0;
    Integer FHotArrow = 0;
    TTimer* FRepeatTimer = nullptr;
};

class TQxTabControlCloseButton : public TQxStripButton<TCustomControl> {
public:
    explicit TQxTabControlCloseButton(TQxCustomTabControl* ATabControl);
    TNotifyEvent OnAction;

protected:
    void Paint() override;
    void Action() override;
};

class TQxActiveTabCloseButton : public TQxStripButton<TGraphicControl> {
public:
    explicit TQxActiveTabCloseButton(TQxCustomTabControl* ATabControl);
    TNotifyEvent OnAction;

protected:
    void Paint() override;
    bool Presses(TMouseButton Button) const override { return Button == mbLeft; }
    void Action() override;
    void PressEnded(bool WasDown) override { CheckHover(); }
};

class TQxTabMenuButton : public TQxStripButton<TCustomControl> {
public:
    explicit TQxTabMenuButton(TQxCustomTabControl* ATabControl);
    ~TQxTabMenuButton() override;
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    // Rebuilds the menu of tabs and drops it down at the button.
    void ShowTabMenu();

protected:
    void Paint() override;
    void Action() override { ShowTabMenu(); }

private:
    TPopupMenu* FPopupMenu = nullptr;
};
