#pragma once
// TControl: the base of everything visible on a form.
//
// A control has bounds in its parent's client coordinates, alignment,
// visibility, enabled state, colour, font, text, hint and cursor, a control
// style that says how it behaves and a control state that says what it is
// doing. Everything that happens to it arrives as a message: Perform hands a
// message to WindowProc (WndProc by default), which does the common
// preparation and then Dispatch, which calls the class's handler for that
// message number or DefaultHandler. A class handles a message by overriding
// Dispatch and calling its base class's Dispatch for what it leaves alone
// (that is the "inherited" handling).
//
// Setters report changes as notifications: Color -> CM_COLORCHANGED (and
// CM_PARENTCOLORCHANGED to children that follow the parent), Font ->
// CM_FONTCHANGED, text -> CM_TEXTCHANGED, Enabled -> CM_ENABLEDCHANGED,
// Visible -> CM_VISIBLECHANGED.
//
// Repainting: Invalidate marks the control for painting when the event loop
// next runs; Update paints what is marked now; Repaint is Invalidate then
// Update (an opaque graphic control paints at once without erasing); Refresh
// is Repaint.

#include "platform/gui/controls/Alignments.h"
#include "platform/gui/controls/ControlMessages.h"
#include "platform/gui/controls/DragDrop.h"
#include "platform/gui/graphics/Graphics.h"
#include "platform/gui/controls/Input.h"
#include "platform/rtl/TypInfo.h"

class TWinControl;
class TCustomForm;
class TBasicAction;
class TControlActionLink;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
// Horizontal placement of text (published as "TAlignment").
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// The two sides of TAlignment, for what stands left or right of something
// and is never centred (published as "TLeftRight"); the values are
// TAlignment's.
enum class TLeftRight { taLeftJustify = ::taLeftJustify, taRightJustify = ::taRightJustify };

// The sides of its parent a control keeps its distance to when the parent
// is resized; anchored to both sides of a direction it stretches, to
// neither it keeps its centre at the same share of the parent's size.
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
// The anchors that go with an alignment: setting Align sets them, and
// Anchors is stored only where it differs from them.
TAnchors AnchorAlign(TAlign Align);
const TTypeInfo* AnchorsTypeInfo();

// A topic of the program's help file.
using THelpContext = Integer;

enum TControlStyleFlag {
    csAcceptsControls, // other controls may be put on it
    csCaptureMouse,    // captures the mouse while a button is down
    csDesignInteractive,
    csClickEvents, // a left press and release inside is a Click
    csFramed,
    csSetCaption,   // naming the control sets its caption while they are equal
    csOpaque,       // paints all of its area: nothing behind it is erased
    csDoubleClicks, // gets double clicks (otherwise a second press)
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents, // no OnMouseDown/Move/Up
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
    csNeedsBorderPaint,
    csParentBackground,
};
using TControlStyle = TSet<TControlStyleFlag>;

enum TControlStateFlag {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking,
};
using TControlState = TSet<TControlStateFlag>;

// Cursors: stock ones are negative, 0 is the default, positive numbers are
// the program's own (TScreen::SetCursors).
using TCursor = SmallInt;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;
inline constexpr TCursor crSize = crSizeAll;

// Limits on a control's size; 0 is no limit.
class TSizeConstraints : public TPersistent {
public:
    QUENTA_PUBLISHED
    Integer MinWidth() const { return FMinWidth; }
    void SetMinWidth(Integer Value);
    Integer MinHeight() const { return FMinHeight; }
    void SetMinHeight(Integer Value);
    Integer MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(Integer Value);
    Integer MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(Integer Value);
    // The size limited by the constraints.
    void Apply(Integer& Width, Integer& Height) const;
    void Assign(TPersistent* Source) override;

    TNotifyEvent OnChange;

private:
    void Changed();
    Integer FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
};

class TControl : public TComponent {
public:
    QUENTA_PUBLISHED
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    void BeforeDestruction() override;

    // ---- the tree
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

    // ---- bounds, in the parent's client coordinates
    Integer Left() const { return FLeft; }
    Integer Top() const { return FTop; }
    Integer Width() const { return FWidth; }
    Integer Height() const { return FHeight; }
    void SetLeft(Integer Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    void SetTop(Integer Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    void SetWidth(Integer Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(Integer Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    TRect BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    // Moves and sizes the control (limited by Constraints), sends WM_SIZE
    // and realigns the parent.
    virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
    // The client area in the control's own coordinates: where its children
    // go and what it offers them (a control with borders of its own may
    // answer less than its window's client area).
    virtual TRect ClientRect() const;
    Integer ClientWidth() const { return ClientRect().Width(); }
    Integer ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(Integer Value);
    void SetClientHeight(Integer Value);
    virtual void SetClientSize(Integer AWidth, Integer AHeight);
    // Where the client area's (0,0) lies on the screen.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint P) const;
    TPoint ScreenToClient(TPoint P) const;
    TSizeConstraints* Constraints() const { return FConstraints.get(); }

    TAlign Align() const { return FAlign; }
    // Also sets Anchors to those of the alignment.
    virtual void SetAlign(TAlign Value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);
    // The parent's client area became Width x Height: an unaligned control
    // moves and sizes by its anchors (what AlignControls calls).
    void AnchorTo(Integer ParentWidth, Integer ParentHeight);

    // ---- state
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    // Asks the parent to show the control (a page control activates the
    // page that holds it), then makes it visible.
    void Show();
    void Hide() { SetVisible(false); }
    // Visible and every parent up to a form visible.
    bool IsVisibleOnScreen() const;
    virtual bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);
    TColor Color() const { return FColor; }
    virtual void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    // Caption and Text are the same string (WM_GETTEXT / WM_SETTEXT).
    String Caption() const { return GetText(); }
    void SetCaption(const String& Value) { SetText(Value); }
    String Text() const { return GetText(); }
    void SetText(const String& Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    THelpContext HelpContext() const { return FHelpContext; }
    void SetHelpContext(THelpContext Value) { FHelpContext = Value; }
    // The menu a right click or the context-menu key opens (not owned;
    // cleared when it is freed). Without one the nearest parent's opens.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }
    // Captures the mouse (SetCaptureControl) or releases it.
    bool MouseCapture() const;
    void SetMouseCapture(bool Value);
    void SetName(const String& NewName) override;

    // ---- dragging (see DragDrop.h)
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode Value) { FDragMode = Value; }
    TDragKind DragKind() const { return FDragKind; }
    void SetDragKind(TDragKind Value) { FDragKind = Value; }
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor Value) { FDragCursor = Value; }
    // Starts dragging the control, at once or once the pointer has moved
    // Threshold pixels (-1: the system's drag distance).
    void BeginDrag(bool Immediate, Integer Threshold = -1);
    // Ends the control's drag, dropping on the target when Drop.
    void EndDrag(bool Drop);
    // The control is the source of the drag in progress.
    bool Dragging() const;
    // The drag ended on the control: fires OnDragDrop.
    virtual void DragDrop(TObject* Source, Integer X, Integer Y);

    // ---- reading order
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    // Also stops following the parent (ParentBiDiMode False); a change
    // sends CM_BIDIMODECHANGED.
    virtual void SetBiDiMode(TBiDiMode Value);
    // The reading order follows the parent's.
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool Value);
    // Parts and text placed from the right.
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
    bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
    // The horizontal placement of the control's content, for what mirrors
    // it under right-to-left reading.
    virtual TAlignment GetControlsAlignment() const { return taLeftJustify; }

    // ---- docking (see DockTree.h)
    // The dock site the control is docked in (nullptr when none).
    TWinControl* HostDockSite() const { return FHostDockSite; }
    // Docked in a floating tool window of its own.
    bool Floating() const;
    // Docks the control into NewDockSite, before or beside DropControl when
    // given. Raises EInvalidOperation when NewDockSite is not a dock site.
    bool ManualDock(TWinControl* NewDockSite, TControl* DropControl = nullptr, TAlign ControlSide = alNone);
    // Undocks the control into a new tool window whose client area lies at
    // ScreenPos (screen coordinates).
    bool ManualFloat(const TRect& ScreenPos);

    // ---- painting
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront() { SetZOrder(true); }
    void SendToBack() { SetZOrder(false); }
    virtual void SetZOrder(bool TopMost);

    // ---- messages
    LRESULT Perform(Cardinal Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    // The control's message procedure; replaceable to watch or redirect a
    // control's messages. Starts as WndProc.
    TWndMethod WindowProc;
    virtual void WndProc(TMessage& Message);
    // Calls the handler of the message's number; the default calls
    // DefaultHandler.
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    void Loaded() override;

    // ---- action (ActnList.h): the control shows the action and runs it
    // when clicked without an OnClick of its own.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* Value);
    // Offered an action to carry out for the form (the application's hint
    // action, CM_ACTIONEXECUTE); true when the control did.
    virtual bool ExecuteAction(TBasicAction* Action) { return false; }

    // ---- scaling: bounds (and an own font) by M / D.
    void ScaleBy(Integer M, Integer D) { ChangeScale(M, D); }

    // ---- events
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TNotifyEvent OnResize;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDrag;
    TStartDockEvent OnStartDock;
    TEndDragEvent OnEndDock;
    TContextPopupEvent OnContextPopup;

protected:
    // The drag's target is asked whether it takes the drop (X, Y client
    // coordinates): Accept starts as whether OnDragOver is set, which may
    // change it.
    virtual void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
    // A drag from the control starts (OnStartDrag) and ends (OnEndDrag).
    virtual void DoStartDrag(TDragObject*& DragObject);
    virtual void DoEndDrag(TObject* Target, Integer X, Integer Y);
    // A dock drag from the control starts (OnStartDock) and ends (OnEndDock,
    // Target the site it docked into or nullptr).
    virtual void DoStartDock(TDragDockObject*& DragObject);
    virtual void DoEndDock(TObject* Target, Integer X, Integer Y);
    // OnContextPopup; MousePos in client coordinates, (-1, -1) for the key.
    virtual void DoContextPopup(TPoint MousePos, bool& Handled);
    // The text through WM_GETTEXT (controls whose text lives elsewhere answer it).
    String GetText() const;
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    // Answers whether the wheel was handled; unhandled wheels go to the
    // parent. OnMouseWheel first; unless it handled the wheel, every whole
    // notch (WHEEL_DELTA, the rest kept for the next turn) goes to
    // DoMouseWheelUp or DoMouseWheelDown, the last of which answers.
    virtual bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual void Resize();
    // Invalidates the control's area of its parent.
    void InvalidateControl(bool IsVisible, bool IsOpaque);
    virtual void RequestAlign();
    // Limits a new size (Constraints; never below 0).
    virtual void ConstrainedResize(Integer& NewWidth, Integer& NewHeight);
    // Called by SetBounds once the new bounds are stored, before WM_SIZE.
    virtual void BoundsChanged(const TRect& OldBounds) {}
    virtual void FontChanged();
    TControlActionLink* ActionLink() const { return FActionLink.get(); }
    // The link made for an action; descendants make their own kind.
    virtual TControlActionLink* CreateActionLink();
    // The action changed (or was just set): take over what it shows. With
    // CheckDefaults only properties still at their defaults follow.
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    // Scales left, top, width and height (and the font unless it is the
    // parent's) by M / D.
    virtual void ChangeScale(Integer M, Integer D);
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Message handlers of TControl.
    void WMLButtonDown(TMessage& Message);
    void WMLButtonDblClk(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    void WMButtonDown(TMessage& Message, TMouseButton Button);
    void WMButtonUp(TMessage& Message, TMouseButton Button);
    void WMMouseMove(TMessage& Message);
    void CMMouseWheel(TMessage& Message);
    void CMParentColorChanged(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMParentShowHintChanged(TMessage& Message);
    void WMSetText(TMessage& Message);
    void WMGetText(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    // A right click's or the key's WM_CONTEXTMENU (LParam the screen point,
    // -1 for the key): OnContextPopup, then the popup menu, else the parent.
    void WMContextMenu(TMessage& Message);
    void CMParentBiDiModeChanged(TMessage& Message);

    TControlStyle FControlStyle;
    TControlState FControlState;

private:
    friend class TWinControl;
    friend class TCustomForm;
    friend struct TDragManager;
    friend struct TDockAccess;
    void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
    void DoMouseUp(TMessage& Message, TMouseButton Button);
    void ParentFontChanged();
    // Remembers the bounds and the parent's client size the anchors keep to.
    void UpdateAnchorRules();

    TWinControl* FParent = nullptr;
    Integer FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    String FText;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    std::unique_ptr<TSizeConstraints> FConstraints;
    bool FFontChanging = false;
    TDragMode FDragMode = dmManual;
    TDragKind FDragKind = dkDrag;
    TCursor FDragCursor = crDrag;
    std::unique_ptr<TControlActionLink> FActionLink;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    TWinControl* FHostDockSite = nullptr;
    TAnchors FAnchors{akLeft, akTop};
    TRect FAnchorBounds;          // the bounds the anchors keep to
    TPoint FAnchorParentSize;     // the parent's client size then
    bool FAnchorMove = false;     // the anchors are moving the control
    THelpContext FHelpContext = 0;
    TPopupMenu* FPopupMenu = nullptr;
    Integer FWheelAccumulator = 0;
};

// The control that receives the mouse while a button is held (graphic
// controls capture through their parent window).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);

// The form a control lies on (nullptr when none).
TCustomForm* GetParentForm(const TControl* Control);
// The form a control lies on; raises EInvalidOperation "Control 'X' has no
// parent window" when there is none.
TCustomForm* ValidParentForm(const TControl* Control);

// True when Text marks Key (case-insensitively) as its accelerator: "&K";
// "&&" is a literal ampersand.
bool IsAccel(Word Key, const String& Text);
