#pragma once
// TQxCustomTabControl: the owner-drawn tab strip with its card.
//
// The control holds a list of tab records (Tabs), lays them out in one or
// several rows on one side of the card, paints them in one of six styles
// into an off-screen buffer that is copied to the window in one piece, and
// reacts to the mouse, the keyboard and drags. Four small strip buttons may
// join it: a scroller for a single-line strip that does not fit, a close
// button at the strip's end, a close cross on the current tab and a menu of
// all tabs.
//
// Layout works in a strip frame that reads as if the tabs sat on top: x
// along the strip, y from the strip's outer edge towards the card, row 0
// next to the card. A mapping turns strip points into client points for
// each side (TabOrientation) and direction (TabSequence).
//
// Setters ask for one of two refreshes: a re-layout (the layout-needed flag
// is set and the control invalidated; the layout runs at the start of the
// next Paint) or a repaint. While a form description is read they only
// store; Loaded settles the control.
//
// Each re-layout also asks for the repair of the current tab: a current tab
// that can no longer be current (hidden or disabled) gives way to the
// nearest tab OnChanging allows. The repair fires events, so it never runs
// inside Paint or a hit test: it is posted (QM_REPAIRTAB), and the TabIndex
// setter and LayoutIfNeeded run a due one at once.
//
// Any event handler may free the control. Every path that fires one goes
// through Survives and touches nothing of the control once the handler
// freed it; a key whose handler freed the control is swallowed.
//
// The work is split by subject: properties and messages (QxTabControl.cpp),
// layout and scrolling (QxTabLayout.cpp), painting (QxTabPainting.cpp),
// interaction (QxTabInteraction.cpp).

#include "controls/common/QxCommon.h"
#include "controls/common/QxLiveness.h"
#include "controls/tabs/QxTabData.h"
#include "platform/gui/graphics/ImgList.h"
#include "platform/gui/controls/Timers.h"

enum TQxTabStyle { tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsBackSlant, tsSquareCorners };
enum TQxTabOrientation { toTop, toLeft, toBottom, toRight };
enum TQxTabSequence { tsStandard, tsReverse };
enum TQxImagePosition { ipLeft, ipTop, ipRight, ipBottom, ipBack, ipStretch };
enum TQxHorizontalAlignment { haLeft, haCenter, haRight };
enum TQxVerticalAlignment { vaTop, vaCenter, vaBottom };
// The state whose caption colour is asked for.
enum TQxTextStyle { tsHotTrack, tsSelected, tsUnselected, tsDisabled };
enum TQxTabHotTrackStyle { htsTab, htsText, htsTabBar };
enum TQxTabHotTrackColorSource { htcsTabColor, htcsHotTrackColorProp };

using TQxTabChangingEvent = std::function<void(TObject* Sender, Integer NewIndex, bool& AllowChange)>;
using TQxTabCloseEvent = std::function<void(TObject* Sender, bool& AllowClose)>;
using TQxGetTextColorEvent = std::function<void(TObject* Sender, Integer ATabIndex, TQxTextStyle AStyle,
                                                TColor& AColor, bool& Handled)>;
using TQxPaintBackgroundEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, bool& Handled)>;
using TQxPaintCardBackgroundEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, Integer ARow, const TRect& ARect, bool& Handled)>;
using TQxPaintTabBackgroundEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, Integer ATabIndex,
                                                      const TRect& ARect, bool& Handled)>;
using TQxTabOrderChangeEvent = std::function<void(TObject* Sender, Integer OldIndex, Integer NewIndex)>;

class TQxTabScroller;
class TQxTabControlCloseButton;
class TQxActiveTabCloseButton;
class TQxTabMenuButton;

// Posted by a tab control to itself: run the due repair of the current tab.
inline constexpr Cardinal QM_REPAIRTAB = 0xB3F1;

// Registers the tab family's enumerations; idempotent.
void RegisterTabTypes();

class TQxCustomTabControl : public TCustomControl {
public:
    QUENTA_PUBLISHED
    explicit TQxCustomTabControl(TComponent* AOwner);
    ~TQxCustomTabControl() override;

    // ---- the two refresh requests
    // Marks the layout dirty; the next Paint lays out. Invalidates when the
    // layout was clean.
    virtual void RequestLayout();
    // Invalidates the whole control (the strip and the card).
    virtual void RequestRepaint();

    // ---- properties
    bool AlignTabs() const { return FAlignTabs; }
    virtual void SetAlignTabs(bool Value);
    bool AllowTabDragging() const { return FAllowTabDragging; }
    void SetAllowTabDragging(bool Value) { FAllowTabDragging = Value; }
    TColor BackgroundColor() const { return FBackgroundColor; }
    virtual void SetBackgroundColor(TColor Value);
    bool BoldCurrentTab() const { return FBoldCurrentTab; }
    virtual void SetBoldCurrentTab(bool Value);
    TColor ButtonColor() const { return FButtonColor; }
    virtual void SetButtonColor(TColor Value);
    bool UseColoredTabs() const { return FUseColoredTabs; }
    virtual void SetUseColoredTabs(bool Value);
    Integer CutCornerSize() const { return FCutCornerSize; }
    virtual void SetCutCornerSize(Integer Value);
    TColor DragIndicatorColor() const { return FDragIndicatorColor; }
    void SetDragIndicatorColor(TColor Value) { FDragIndicatorColor = Value; }
    TColor FlatColor() const { return FFlatColor; }
    virtual void SetFlatColor(TColor Value);
    Integer FlatColorAdjustment() const { return FFlatColorAdjustment; }
    virtual void SetFlatColorAdjustment(Integer Value);
    TQxHorizontalAlignment ImageAlignment() const { return FImageAlignment; }
    virtual void SetImageAlignment(TQxHorizontalAlignment Value);
    TQxVerticalAlignment ImageAlignmentVertical() const { return FImageAlignmentVertical; }
    virtual void SetImageAlignmentVertical(TQxVerticalAlignment Value);
    Integer ImageMargin() const { return FImageMargin; }
    virtual void SetImageMargin(Integer Value);
    TQxImagePosition ImagePosition() const { return FImagePosition; }
    virtual void SetImagePosition(TQxImagePosition Value);
    bool HotTrack() const { return FHotTrack; }
    virtual void SetHotTrack(bool Value);
    TColor HotTrackColor() const { return FHotTrackColor; }
    virtual void SetHotTrackColor(TColor Value);
    TQxTabHotTrackColorSource HotTrackColorSource() const { return FHotTrackColorSource; }
    virtual void SetHotTrackColorSource(TQxTabHotTrackColorSource Value);
    TQxHotTrackColorType HotTrackColorType() const { return FHotTrackColorType; }
    virtual void SetHotTrackColorType(TQxHotTrackColorType Value);
    TQxTabHotTrackStyle HotTrackStyle() const { return FHotTrackStyle; }
    virtual void SetHotTrackStyle(TQxTabHotTrackStyle Value);
    TCustomImageList* Images() const { return FImages; }
    virtual void SetImages(TCustomImageList* Value);
    Integer Margin() const { return FMargin; }
    virtual void SetMargin(Integer Value);
    bool MultiLine() const { return FMultiLine; }
    virtual void SetMultiLine(bool Value);
    bool ParentBackgroundColor() const { return FParentBackgroundColor; }
    virtual void SetParentBackgroundColor(bool Value);
    Integer RowIndent() const { return FRowIndent; }
    virtual void SetRowIndent(Integer Value);
    Integer RowOverlap() const { return FRowOverlap; }
    virtual void SetRowOverlap(Integer Value);
    bool ShowCardFrame() const { return FShowCardFrame; }
    virtual void SetShowCardFrame(bool Value);
    bool ShowCloseButton() const { return FShowCloseButton; }
    virtual void SetShowCloseButton(bool Value);
    bool ShowCloseButtonOnActiveTab() const { return FShowCloseButtonOnActiveTab; }
    virtual void SetShowCloseButtonOnActiveTab(bool Value);
    bool ShowMenuButton() const { return FShowMenuButton; }
    virtual void SetShowMenuButton(bool Value);
    bool SortTabMenu() const { return FSortTabMenu; }
    void SetSortTabMenu(bool Value) { FSortTabMenu = Value; }
    bool ShowFocusRect() const { return FShowFocusRect; }
    virtual void SetShowFocusRect(bool Value);
    bool ShowFullFrame() const { return FShowFullFrame; }
    virtual void SetShowFullFrame(bool Value);
    bool ShowShadow() const { return FShowShadow; }
    virtual void SetShowShadow(bool Value);
    bool SoftCorners() const { return FSoftCorners; }
    virtual void SetSoftCorners(bool Value);
    Integer TabOverlap() const { return FTabOverlap; }
    virtual void SetTabOverlap(Integer Value);
    TOrientation TextOrientation() const { return FTextOrientation; }
    virtual void SetTextOrientation(TOrientation Value);
    TQxTabColors* TabColors() const { return FTabColors.get(); }
    virtual void SetTabColors(TQxTabColors* Value) { FTabColors->Assign(Value); }
    Integer TabHeight() const { return FTabHeight; }
    virtual void SetTabHeight(Integer Value);
    bool TabHints() const { return FTabHints; }
    virtual void SetTabHints(bool Value);
    Integer TabIndex() const { return FTabIndex; }
    virtual void SetTabIndex(Integer Value);
    TQxTabOrientation TabOrientation() const { return FTabOrientation; }
    virtual void SetTabOrientation(TQxTabOrientation Value);
    TQxTabSequence TabSequence() const { return FTabSequence; }
    virtual void SetTabSequence(TQxTabSequence Value);
    TQxTabStyle TabStyle() const { return FTabStyle; }
    virtual void SetTabStyle(TQxTabStyle Value);
    Integer TabWidth() const { return FTabWidth; }
    virtual void SetTabWidth(Integer Value);
    TQxTextColors* TextColors() const { return FTextColors.get(); }
    virtual void SetTextColors(TQxTextColors* Value) { FTextColors->Assign(Value); }
    TQxHorizontalAlignment TextAlignment() const { return FTextAlignment; }
    virtual void SetTextAlignment(TQxHorizontalAlignment Value);
    TQxVerticalAlignment TextAlignmentVertical() const { return FTextAlignmentVertical; }
    virtual void SetTextAlignmentVertical(TQxVerticalAlignment Value);
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    bool UseGradients() const { return FUseGradients; }
    virtual void SetUseGradients(bool Value);

    // ---- hidden state that others read
    bool ShowCard() const { return FShowCard; }
    virtual void SetShowCard(bool Value);
    Integer TabRegionCacheCapacity() const { return FTabRegionCacheCapacity; }
    virtual void SetTabRegionCacheCapacity(Integer Value);
    Integer RowCount() const { return FRowCount; }
    virtual void SetRowCount(Integer Value) { FRowCount = Value; }
    TQxTabDataList* Tabs() const { return FTabs.get(); }
    Integer FixedDimension() const { return FFixedDimension; }
    Integer FirstVisibleTab() const { return FFirstVisibleTab; }
    bool ScrollerNeeded() const { return FScrollerNeeded; }
    Integer HotTab() const { return FHotTab; }
    TQxTabRegionCache* RegionCache() const { return FRegionCache.get(); }
    TQxTabScroller* Scroller() const { return FScroller; }
    TQxTabControlCloseButton* CloseButton() const { return FCloseButton; }
    TQxActiveTabCloseButton* ActiveTabCloseButton() const { return FActiveCloseButton; }
    TQxTabMenuButton* MenuButton() const { return FMenuButton; }
    bool LayoutNeeded() const { return FLayoutNeeded; }
    virtual void SetLayoutNeeded(bool Value);
    // The paint buffer (what the last Paint drew).
    TBitmap* PaintBuffer() const { return FBuffer.get(); }

    // ---- geometry (layout and painting share it)
    // Runs the layout pass now when it is due, and a due repair of the
    // current tab (which may fire OnChanging, OnChange and OnPageChange).
    void LayoutIfNeeded();
    // The tab area in client coordinates.
    TRect TabArea() const;
    // The scroll offset along the strip.
    Integer ScrollOffset() const;
    // A strip point in client coordinates.
    TPoint MapPoint(TPoint P) const;
    // Both corners mapped, then normalised.
    TRect MapRect(const TRect& R) const;
    // A tab's rectangle in the strip frame (row shift, current tab grown)
    // and in client coordinates.
    TRect TabStripRect(Integer Index) const;
    TRect TabClientRect(Integer Index) const;
    // The points of a tab's outline in the strip frame.
    std::vector<TPoint> TabShape(Integer Index) const;
    // The outline region of a tab, from the cache or made and cached;
    // nullptr for an outline of fewer than 3 points.
    HRGN TabRegion(Integer Index, const TRect& ClientRect);
    // Where image and caption go inside a tab's client rectangle.
    TRect TabContentRect(const TRect& R) const;
    // The card of a row (0 next to the tabs' strip edge of the card).
    TRect CardRect(Integer Row) const;
    // The part of the card in which children are aligned.
    TRect CardClientRect() const;
    // Visible and not scrolled out of the strip.
    bool TabFullyShown(Integer Index) const;
    // The first and last visible tab (-1 when none).
    Integer FirstVisibleIndex() const;
    Integer LastVisibleIndex() const;
    // The tab under a client point, or -1. Fires no event.
    Integer TabAtPos(TPoint P);
    // One scroll step towards the last tab (Forward) or the first.
    void ScrollTabs(bool Forward);
    // The drag indicator's rectangle for a drop on tab Index.
    TRect DragIndicatorRect(Integer Index) const;

    // Hide or show every tab (the page control hides or shows every page's tab).
    virtual void HideAllTabs() {}
    virtual void ShowAllTabs() {}

    // ---- actions of the strip buttons
    // Closes the current tab when OnClose allows it (and left the control
    // in place).
    void CloseRequest();
    // The visible tabs' indexes in the tab menu's order: by caption when
    // SortTabMenu (tabs of equal captions all kept), else tab order.
    void BuildTabMenuItems(std::vector<Integer>& Order) const;

    // ---- events
    TNotifyEvent OnChange;
    TQxTabChangingEvent OnChanging;
    TQxTabCloseEvent OnClose;
    TQxGetTextColorEvent OnGetTextColor;
    TNotifyEvent OnPageChange;
    TQxPaintBackgroundEvent OnPaintBackground;
    TQxPaintCardBackgroundEvent OnPaintCardBackground;
    TQxPaintTabBackgroundEvent OnPaintTabBackground;
    TNotifyEvent OnTabClick;
    TQxTabOrderChangeEvent OnTabOrderChange;
    TNotifyEvent OnScrolledTabs;

    void Dispatch(TMessage& Message) override;
    void Loaded() override;
    void DefineProperties(TFiler* Filer) override;

protected:
    // Runs Fire, a call that may fire events; true when the control
    // outlived it. A path that fires an event goes on only when this
    // answers true.
    template <class F> bool Survives(F&& Fire) const { return FLiveness.Outlives(std::forward<F>(Fire)); }

    void Paint() override;
    virtual void DoChanging(Integer NewIndex, bool& AllowChange);
    virtual void DoGetTextColor(Integer ATabIndex, TQxTextStyle AStyle, TColor& AColor, bool& Handled);
    virtual void DoTabClick();
    virtual void DoPaintBackground(TCanvas* ACanvas, const TRect& ARect, bool& Handled);
    virtual void DoPaintCardBackground(TCanvas* ACanvas, Integer ARow, const TRect& ARect, bool& Handled);
    virtual void DoPaintTabBackground(TCanvas* ACanvas, Integer ATabIndex, const TRect& ARect, bool& Handled);
    virtual void DrawDragIndicator(const TRect& R);
    virtual void CloseActiveTab() {}
    virtual void MoveActiveTab(Integer NewIndex) {}
    virtual bool IsTabIndexLocked() const { return false; }
    virtual void DoChange();
    virtual void DoTabOrderChange(Integer OldIndex, Integer NewIndex);
    virtual void DoPageChange();
    // AllowClose starts False; OnClose may allow it.
    virtual bool DoClose();

    void CreateParams(TCreateParams& Params) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void AdjustClientRect(TRect& Rect) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) override;
    void DragDrop(TObject* Source, Integer X, Integer Y) override;
    void DoEndDrag(TObject* Target, Integer X, Integer Y) override;

    // Whether tab Index may become current: visible, enabled (or designed)
    // and, unless it is current already, not refused by OnChanging (whose
    // handler may free the control: call it through Survives).
    bool CanSelectTab(Integer Index);
    // Whether tab Index may become current without asking OnChanging.
    bool TabSelectable(Integer Index) const;
    // TabIndex := Value with the change-in-progress flag on (no veto).
    void SetTabIndexUnchecked(Integer Value);
    // The change-in-progress flag: set while the control changes TabIndex
    // itself, so that the change is not vetoed.
    bool FChangeInProgress = false;
    // Counts the changes of TabIndex told through OnChange: a setter whose
    // layout moved the tab on (and told of it) tells no second time.
    Cardinal FChangesReported = 0;
    bool FPaintedOnce = false;
    Integer FTabIndex = -1;
    Integer FFixedDimension = 0;

private:
    friend class TQxTabScroller;
    friend class TQxTabMenuButton;
    friend class TQxActiveTabCloseButton;

    // ---- layout (QxTabLayout.cpp)
    // The layout pass: places the tabs. Fires no event.
    void Layout();
    // Runs a due layout pass; a due repair is posted, not run.
    void QuietLayoutIfNeeded();
    // Makes the repair due and posts QM_REPAIRTAB.
    void RequestRepair();
    // When due: the current tab, when it cannot be current any more, gives
    // way to the nearest tab OnChanging allows, forward first; none found
    // keeps it.
    void RepairCurrentTab();
    TSize MeasureLines(HDC DC, const std::vector<String>& Lines, std::vector<TSize>* Sizes) const;
    TSize TextSize(const String& Caption);
    TSize ContentSize(const TQxTabData* Tab);
    TSize TabSizeFromContent(TSize Content) const;
    TSize RaiseToMinimum(TSize Content);
    Integer Overlap(Integer X) const;
    Integer StyleExtra() const;
    Integer TabAreaThickness() const;
    Integer StripLength() const;
    void ButtonSizes(Integer& B1, Integer& B2);
    Integer CloseReservation() const;
    Integer MenuReservation() const;
    void RotateRows();
    void PlaceStripButtons();
    bool SideTabs() const { return FTabOrientation == toLeft || FTabOrientation == toRight; }
    bool VerticalText() const { return FTextOrientation == orVertical; }
    TRect Box() const;
    // Selects the working font (bold for all tabs when BoldCurrentTab)
    // turned for the text orientation into the buffer; the guard restores.
    class TFontSelection;
    HFONT MakeTabFont(bool Bold, bool Underline = false) const;
    Integer TextAngle() const;
    void SplitLines(const String& Caption, std::vector<String>& Lines) const;
    // A caption line as drawn: the first "&" marks the accelerator and goes,
    // "&&" leaves one "&", a trailing "&" stays.
    static String VisibleLine(const String& Line);
    // Where the character underlined in a caption line starts: after the
    // line's first "&", unless that "&" is doubled (a literal ampersand) or
    // ends the line; String::npos when nothing is underlined.
    static size_t AcceleratorAt(const String& Line);
    void ApplyActiveCloseButtonVisibility();

    // ---- painting (QxTabPainting.cpp)
    void PaintTab(Integer Index);
    void PaintTabBackground(Integer Index, const TRect& R);
    void PaintTabContent(Integer Index, const TRect& R);
    void PaintCaption(Integer Index, const TRect& TextRect, TColor TextColor);
    void PaintCard(Integer Row);
    // The card's fill (one larger to the right and bottom with ShowCard),
    // and whether the control fills every card itself (no handler of its
    // own): then what a card covers need not be painted under it.
    TRect CardFillRect(Integer Row) const;
    bool CardFillsItself() const;
    void PaintOutline(Integer Index);
    void RecordCardFrame(Integer Row);
    void ReplayCommands();
    TColor LineColor() const;

    // ---- interaction (QxTabInteraction.cpp)
    void LeaveHotState(TPoint P);
    void StopHotTrackTimer();
    void HotTrackTimerTick();
    void DragScrollTick(TObject* Sender);
    void RemoveDragIndicator();
    void CMDialogChar(TMessage& Message);
    void CMDesignHitTest(TMessage& Message);
    // Whether the caption underlines Key (upper case) in one of its lines.
    bool IsTabAccelerator(const String& Caption, char32_t Key) const;
    // A Hint other than the one hot tracking gave last was set by the
    // program: it is the control's own hint from now on.
    void KeepProgramHint();
    // Hint := Value, as hot tracking changes it; the program's hint is kept.
    void SetTrackingHint(const String& Value);
    bool IsMirrored() const;
    // Found := the search's result; false when a handler freed the control.
    bool SearchSelectable(Integer Start, Integer Step, bool Wrap, Integer& Found);

    void EnsureButton(bool Show, int Which);
    void UpdateButtonFrameColors();
    void CMParentColorChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);

    // Outline commands recorded for one outline and replayed on the buffer.
    enum TCommandKind { ckPen, ckStart, ckMove, ckLine, ckShadow30, ckShadow15 };
    struct TCommand {
        TCommandKind Kind;
        TPoint P;
    };
    std::vector<TCommand> FCommands;
    void Cmd(TCommandKind Kind, TPoint P = {}) { FCommands.push_back({Kind, P}); }
    void CmdMove(TPoint P) { Cmd(ckMove, P); }
    void CmdLine(TPoint P) { Cmd(ckLine, P); }

    // Any handler may free the control (see Survives).
    TQxLiveness FLiveness;
    std::unique_ptr<TBitmap> FBuffer;
    // What lies behind the control under the card's shadow.
    std::unique_ptr<TBitmap> FShadowBackground;
    std::unique_ptr<TQxTabDataList> FTabs;
    std::unique_ptr<TQxTabRegionCache> FRegionCache;
    std::unique_ptr<TQxTabColors> FTabColors;
    std::unique_ptr<TQxTextColors> FTextColors;
    std::unique_ptr<TChangeLink> FImageChangeLink;
    std::unique_ptr<TFont> FWorkFont;

    bool FLayoutNeeded = true;
    // The tabs changed since the current tab was last checked.
    bool FRepairDue = false;
    Integer FRowCount = 1;
    Integer FFirstVisibleTab = 0;
    bool FScrollerNeeded = false;
    // The strip buttons' sizes: b1 along the strip, b2 across it.
    Integer FB1 = 0, FB2 = 0;
    TRect FCardClientRect;
    Integer FTabRegionCacheCapacity = 1;
    bool FShowCard = true;

    Integer FHotTab = -1;
    UINT_PTR FHotTrackTimer = 0;
    bool FHotOnly = false;
    // The control's own hint, and the hint hot tracking last gave it: a
    // Hint that differs from the latter was set by the program since.
    String FSavedHint;
    String FTrackingHint;

    Integer FMouseDownTab = -1;
    Integer FDragTarget = -1;
    bool FIndicatorShown = false;
    TRect FIndicatorRect;
    TTimer* FDragScrollTimer = nullptr;

    TQxTabScroller* FScroller = nullptr;
    TQxTabControlCloseButton* FCloseButton = nullptr;
    TQxActiveTabCloseButton* FActiveCloseButton = nullptr;
    TQxTabMenuButton* FMenuButton = nullptr;

    bool FAlignTabs = false;
    bool FAllowTabDragging = false;
    TColor FBackgroundColor = clBtnFace;
    bool FBoldCurrentTab = false;
    TColor FButtonColor = clBtnFace;
    bool FUseColoredTabs = false;
    Integer FCutCornerSize = 6;
    TColor FDragIndicatorColor = 0x505050;
    TColor FFlatColor = clBtnShadow;
    Integer FFlatColorAdjustment = 0;
    TQxHorizontalAlignment FImageAlignment = haCenter;
    TQxVerticalAlignment FImageAlignmentVertical = vaCenter;
    Integer FImageMargin = 2;
    TQxImagePosition FImagePosition = ipLeft;
    bool FHotTrack = true;
    TColor FHotTrackColor = 0x149BF0;
    TQxTabHotTrackColorSource FHotTrackColorSource = htcsTabColor;
    TQxHotTrackColorType FHotTrackColorType = htctActual;
    TQxTabHotTrackStyle FHotTrackStyle = htsTab;
    TCustomImageList* FImages = nullptr;
    Integer FMargin = 0;
    bool FMultiLine = false;
    bool FParentBackgroundColor = true;
    Integer FRowIndent = 5;
    Integer FRowOverlap = 5;
    bool FShowCardFrame = true;
    bool FShowCloseButton = false;
    bool FShowCloseButtonOnActiveTab = false;
    bool FShowMenuButton = false;
    bool FSortTabMenu = true;
    bool FShowFocusRect = true;
    bool FShowFullFrame = true;
    bool FShowShadow = true;
    bool FSoftCorners = false;
    Integer FTabOverlap = -1;
    TOrientation FTextOrientation = orHorizontal;
    Integer FTabHeight = 0;
    bool FTabHints = false;
    TQxTabOrientation FTabOrientation = toTop;
    TQxTabSequence FTabSequence = tsStandard;
    TQxTabStyle FTabStyle = tsSingleSlant;
    Integer FTabWidth = 0;
    TQxHorizontalAlignment FTextAlignment = haCenter;
    TQxVerticalAlignment FTextAlignmentVertical = vaCenter;
    bool FTransparent = false;
    bool FUseGradients = true;
};

// The tab control of forms: every property and event published.
class TQxTabControl : public TQxCustomTabControl {
public:
    QUENTA_PUBLISHED
    explicit TQxTabControl(TComponent* AOwner) : TQxCustomTabControl(AOwner) {}
};

// The drag indicator over R, drawn with SRCINVERT so that drawing it twice
// restores the pixels: a bitmap of XorColors(Color, ParentColor) with two
// black triangles leaves an arrow head pointing at the strip. Tabs on top,
// 15 x 8, as it shows on black (o the colour, . black):
//   oooooooooooooo.
//   .oooooooooooo..
//   ..oooooooooo...
//   ...oooooooo....
//   ....oooooo.....
//   .....oooo......
//   ......oo.......
//   ...............
void PaintTabDragIndicator(TCanvas* Canvas, const TRect& R, TQxTabOrientation Orientation, TColor Color,
                           TColor ParentColor);

// Publishes the tab control's properties and events on a class of the
// family (the tab control and the page control publish the same set).
template <class T> void PublishTabControlProperties(TClassBuilder<T>& B);
