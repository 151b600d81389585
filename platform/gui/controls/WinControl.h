#pragma once
// TWinControl: a control with a window of its own, which can hold other
// controls, take the keyboard focus and align its children.
//
// The window (Handle) is made when the control is first shown or its handle
// is first asked for: a message handle (HWND) whose messages reach
// WindowProc, and a Qt widget that shows the window's surface. The surface
// is a raster the size of the window that the control paints into through
// device contexts; the widget only presents it.
//
// Painting follows the GDI model: Invalidate / InvalidateRect add to the
// window's update region (remembering whether the background is to be
// erased); when the window is painted (the event loop, Update, or a grab of
// its widget) it receives WM_ERASEBKGND (if asked for) and WM_PAINT with a
// device context clipped to that region. The default WM_PAINT paints the
// window (PaintWindow, clipped around opaque graphic children) and then each
// visible graphic child in z-order with its origin moved to the child.
// WM_PRINTCLIENT with a device context runs the same painting into that
// context, which is how a child copies its parent's background.

#include "platform/gui/controls/Control.h"

#include <memory>
#include <vector>

class TWindowSurface; // the Qt widget of a window (platform-private)
class IDockManager;   // DockTree.h

// Window styles, extended styles and class styles.
inline constexpr Cardinal WS_OVERLAPPED = 0x00000000;
inline constexpr Cardinal WS_POPUP = 0x80000000;
inline constexpr Cardinal WS_CHILD = 0x40000000;
inline constexpr Cardinal WS_MINIMIZE = 0x20000000;
inline constexpr Cardinal WS_VISIBLE = 0x10000000;
inline constexpr Cardinal WS_DISABLED = 0x08000000;
inline constexpr Cardinal WS_CLIPSIBLINGS = 0x04000000;
inline constexpr Cardinal WS_CLIPCHILDREN = 0x02000000;
inline constexpr Cardinal WS_MAXIMIZE = 0x01000000;
inline constexpr Cardinal WS_CAPTION = 0x00C00000;
inline constexpr Cardinal WS_BORDER = 0x00800000;
inline constexpr Cardinal WS_DLGFRAME = 0x00400000;
inline constexpr Cardinal WS_VSCROLL = 0x00200000;
inline constexpr Cardinal WS_HSCROLL = 0x00100000;
inline constexpr Cardinal WS_SYSMENU = 0x00080000;
inline constexpr Cardinal WS_THICKFRAME = 0x00040000;
inline constexpr Cardinal WS_GROUP = 0x00020000;
inline constexpr Cardinal WS_TABSTOP = 0x00010000;
inline constexpr Cardinal WS_MINIMIZEBOX = 0x00020000;
inline constexpr Cardinal WS_MAXIMIZEBOX = 0x00010000;
inline constexpr Cardinal WS_EX_DLGMODALFRAME = 0x00000001;
inline constexpr Cardinal WS_EX_TOPMOST = 0x00000008;
inline constexpr Cardinal WS_EX_TRANSPARENT = 0x00000020;
inline constexpr Cardinal WS_EX_TOOLWINDOW = 0x00000080;
inline constexpr Cardinal WS_EX_WINDOWEDGE = 0x00000100;
inline constexpr Cardinal WS_EX_CLIENTEDGE = 0x00000200;
inline constexpr Cardinal WS_EX_CONTROLPARENT = 0x00010000;
inline constexpr Cardinal WS_EX_APPWINDOW = 0x00040000;
inline constexpr Cardinal CS_VREDRAW = 0x0001;
inline constexpr Cardinal CS_HREDRAW = 0x0002;
inline constexpr Cardinal CS_DBLCLKS = 0x0008;

// The framework's bevel of windowed controls, drawn in the non-client area
// (a window that has one answers WM_NCCALCSIZE and WM_NCPAINT through
// TWinControl's handling): BevelKind other than bkNone reserves BevelWidth
// pixels on each edge in BevelEdges for each of BevelInner and BevelOuter
// that is not bvNone, and paints them as edges (bvLowered sunken, bvRaised
// raised, bvSpace blank), flat or soft by the kind, mono without Ctl3D.
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBevelEdge { beLeft, beTop, beRight, beBottom };
using TBevelEdges = TSet<TBevelEdge>;
enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };
const TTypeInfo* BevelCutTypeInfo();
const TTypeInfo* BevelEdgesTypeInfo();
const TTypeInfo* BevelKindTypeInfo();

// What the input method is asked to do while the control has the focus.
enum TImeMode {
    imDisable,
    imClose,
    imOpen,
    imDontCare,
    imSAlpha,
    imAlpha,
    imHira,
    imSKata,
    imKata,
    imChinese,
    imSHanguel,
    imHanguel
};
const TTypeInfo* ImeModeTypeInfo();

// What CreateParams fills in before the window is made.
struct TCreateParams {
    String Caption;
    Cardinal Style = 0;
    Cardinal ExStyle = 0;
    Integer X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = 0;
    Cardinal WindowClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
};

class TWinControl : public TControl {
public:
    QUENTA_PUBLISHED
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    void BeforeDestruction() override;

    // ---- children, graphic controls first, then windowed ones, each in
    // z-order from the bottom.
    Integer ControlCount() const;
    TControl* Controls(Integer Index) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(const TControl* Control) const;
    // The topmost visible child at Pos (client coordinates) that accepts the
    // point (CM_HITTEST); graphic controls only unless AllowWinControls.
    TControl* ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls = false) const;
    // Sends the message to every child until one answers non-zero.
    void Broadcast(TMessage& Message);
    void NotifyControls(Cardinal Msg);

    // ---- alignment
    void DisableAlign();
    void EnableAlign();
    bool AlignDisabled() const { return FAlignLevel != 0; }
    void Realign() { AlignControl(nullptr); }
    // The part of the client area that aligned children share.
    virtual void AdjustClientRect(TRect& Rect) {}

    // ---- docking (see DockTree.h)
    // Controls may be docked into the control.
    bool DockSite() const { return FDockSite; }
    void SetDockSite(bool Value);
    // The docked clients are laid out by a dock manager (made when the
    // control is a dock site and uses one).
    bool UseDockManager() const { return FUseDockManager; }
    void SetUseDockManager(bool Value);
    IDockManager* DockManager() const { return FDockManager.get(); }
    // Asked while a dock client is dragged over the site: where it may dock
    // from (screen coordinates, the site's window grown by 10) and whether
    // it may dock at all; OnGetSiteInfo may change both.
    virtual void GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos, bool& CanDock);
    // The dragged client is over the site (X, Y client coordinates): the
    // dock rectangle is placed (the dock manager's choice, else the client
    // area), then OnDockOver may refuse.
    virtual void DockOver(TDragDockObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
    // The client was released over the site: it docks here (ManualDock),
    // then OnDockDrop fires.
    virtual void DockDrop(TDragDockObject* Source, Integer X, Integer Y);
    // A docked client is about to leave for NewTarget (nullptr: floating):
    // OnUnDock may keep it (false).
    virtual bool DoUnDock(TWinControl* NewTarget, TControl* Client);
    Integer DockClientCount() const { return static_cast<Integer>(FDockClients.size()); }
    TControl* DockClients(Integer Index) const;

    // ---- the window
    HWND Handle();
    bool HandleAllocated() const { return FHandle != 0; }
    void HandleNeeded();
    // Makes the window anew (after a change of style) the next time it is needed.
    void RecreateWnd();
    // The window is shown: the control and all its parents are visible.
    bool Showing() const { return FShowing; }
    // Marks R (client coordinates; nullptr = all) for painting, erasing the
    // background first when Erase.
    void InvalidateRect(const TRect* R, bool Erase);
    void Invalidate() override;
    // Paints what is marked now.
    void Update() override;
    void Repaint() override;
    // Paints the window and its children into DC at (X, Y).
    void PaintTo(HDC DC, Integer X, Integer Y);
    // Paints the graphic children from First (all when nullptr) upwards.
    void PaintControls(HDC DC, TControl* First);
    // The parameters the window was made with.
    const TCreateParams& WindowParams() const { return FParams; }
    // The brush that erases the background (the control's colour).
    TBrush* Brush() const { return FBrush.get(); }

    // ---- looks of the window
    // The 3D look; setting it stops following the parent (ParentCtl3D
    // False) and sends CM_CTL3DCHANGED.
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool Value);
    TBevelEdges BevelEdges() const { return FBevelEdges; }
    void SetBevelEdges(TBevelEdges Value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    TBevelKind BevelKind() const { return FBevelKind; }
    void SetBevelKind(TBevelKind Value);
    Integer BevelWidth() const { return FBevelWidthNC; }
    void SetBevelWidth(Integer Value);
    // The client rectangle within the window rectangle R (window
    // coordinates) once the bevel's edges are taken off.
    void AdjustForBevel(TRect& R) const;
    // The input method's mode and name while the control has the focus.
    TImeMode ImeMode() const { return FImeMode; }
    void SetImeMode(TImeMode Value) { FImeMode = Value; }
    const String& ImeName() const { return FImeName; }
    void SetImeName(const String& Value) { FImeName = Value; }

    // ---- focus
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    // The position in the parent's tab order (-1 without parent).
    Integer TabOrder() const;
    void SetTabOrder(Integer Value);
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();
    // Focuses the first control in tab order that can take the focus.
    void SelectFirst();
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                 bool CheckParent) const;
    // This control's windowed descendants in tab order.
    void GetTabOrderList(std::vector<TWinControl*>& List) const;
    // A child is being shown (Show): the control asks its own parent to
    // show it in turn, so a container that shows one child at a time can
    // bring forward the one that holds AControl.
    virtual void ShowControl(TControl* AControl);

    void SetParent(TWinControl* AParent) override;
    // The client area as the control's own ClientRect, unless it overrides
    // that to keep borders of its own.
    TRect ClientRect() const override;
    // The client area of the window itself, whatever ClientRect answers:
    // what the window's surface, its invalidation, its erasing and its
    // device contexts cover.
    virtual TRect WindowClientRect() const;
    TPoint ClientOrigin() const override;
    void Loaded() override;
    void Dispatch(TMessage& Message) override;
    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TDockDropEvent OnDockDrop;
    TDockOverEvent OnDockOver;
    TGetSiteInfoEvent OnGetSiteInfo;
    TUnDockEvent OnUnDock;

protected:
    virtual void CreateParams(TCreateParams& Params);
    // Makes the window: CreateParams, then CreateWindowHandle.
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();
    // Shows or hides the window as the control and its parents are visible.
    void UpdateShowing(bool ParentShowing = true);
    void UpdateControlState();
    // Positions the aligned children within Rect, top, bottom, left, right,
    // then client.
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    void AlignControl(TControl* AControl);
    // Paints the window's own content; TCustomControl calls Paint here.
    virtual void PaintWindow(HDC DC) {}
    void PaintHandler(HDC DC);
    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    virtual void KeyPress(char32_t& Key);
    virtual void DoEnter();
    virtual void DoExit();
    void BoundsChanged(const TRect& OldBounds) override;
    // Scales the children too, with alignment held until all are done.
    void ChangeScale(Integer M, Integer D) override;
    // Removes the focus from this control and its children (the form
    // focuses another one).
    void RemoveFocus(bool Removing);
    TWindowSurface* Surface() const { return FSurface; }
    // The dock manager of a dock site that uses one; a TDockTree here.
    virtual std::unique_ptr<IDockManager> CreateDockManager();
    // A client arrives (already a child) or leaves (still a child).
    virtual void DoAddDockClient(TControl* Client, const TRect& ARect);
    virtual void DoRemoveDockClient(TControl* Client) {}

private:
    friend class TControl;
    friend class TCustomForm;
    friend class TWindowSurface;
    friend struct TWindowAccess;
    void SetChildZOrder(TControl* Child, bool TopMost);
    void PaintControlsNow(TControl* First);
    bool IsControlMouseMsg(TMessage& Message);
    void FixupTabList();
    // The paint cycle of the window's surface: what is marked is painted.
    void PaintInvalid();
    void WMPaint(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void WMPrintClient(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMGetDlgCode(TMessage& Message) { Message.Result = 0; }
    void WMSetCursor(TMessage& Message);
    bool DoKeyDown(TMessage& Message);
    bool DoKeyPress(TMessage& Message);
    bool DoKeyUp(TMessage& Message);
    void CNKeyDown(TMessage& Message);
    void CNChar(TMessage& Message);
    void CNSysChar(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMParentCtl3DChanged(TMessage& Message);
    void WMNCPaint(TMessage& Message);

    std::vector<TControl*> FControls; // graphic children
    std::vector<TWinControl*> FWinControls;
    std::vector<TWinControl*> FTabList;
    Integer FPendingTabOrder = -1; // a tab order read before the siblings exist
    HWND FHandle = 0;
    TWindowSurface* FSurface = nullptr;
    TCreateParams FParams;
    bool FShowing = false;
    bool FRecreating = false;
    Integer FAlignLevel = 0;
    std::unique_ptr<TBrush> FBrush;
    bool FTabStop = false;
    HRGN FUpdateRgn = nullptr;
    bool FEraseNeeded = false;
    bool FDockSite = false;
    bool FUseDockManager = false;
    std::unique_ptr<IDockManager> FDockManager;
    std::vector<TControl*> FDockClients;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    TBevelEdges FBevelEdges{beLeft, beTop, beRight, beBottom};
    TBevelCut FBevelInner = bvRaised;
    TBevelCut FBevelOuter = bvLowered;
    TBevelKind FBevelKind = bkNone;
    Integer FBevelWidthNC = 1;
    TImeMode FImeMode = imDontCare;
    String FImeName;
    friend struct TDockAccess;
    void UpdateDockManager();
};

// The window that has the keyboard focus (nullptr when none).
TWinControl* FocusedWindow();
// Moves the keyboard focus to Control's window (WM_KILLFOCUS to the old one,
// WM_SETFOCUS to the new one); nullptr removes it.
void FocusWindow(TWinControl* Control);
// Win32-style handle calls.
HWND GetFocus();
HWND SetFocus(HWND Wnd);
HWND GetCapture();
HWND SetCapture(HWND Wnd);
bool ReleaseCapture();
bool IsWindowEnabled(HWND Wnd);
bool IsWindowVisible(HWND Wnd);
bool InvalidateRect(HWND Wnd, const TRect* Rect, bool Erase);
bool UpdateWindow(HWND Wnd);
// The windowed control behind a handle, or nullptr.
TWinControl* FindControl(HWND Wnd);
// The pointer position in screen coordinates as last seen.
TPoint GetCursorPos();
