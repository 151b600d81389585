#include "controls/tabs/QxTabControl.h"
#include "controls/tabs/QxPageControl.h"
#include "controls/tabs/QxTabButtons.h"
#include "controls/common/QxControlLinks.h"
#include "platform/forms/Reader.h"

void RegisterTabTypes() {
    RegisterControlTypes();
    RegisterEnumType<TQxTabStyle>("TQxTabStyle", {"tsSingleSlant", "tsDoubleSlant", "tsCutCorner",
                                                  "tsRoundCorners", "tsBackSlant", "tsSquareCorners"});
    RegisterEnumType<TQxTabOrientation>("TQxTabOrientation", {"toTop", "toLeft", "toBottom", "toRight"});
    RegisterEnumType<TQxTabSequence>("TQxTabSequence", {"tsStandard", "tsReverse"});
    RegisterEnumType<TQxImagePosition>("TQxImagePosition",
                                       {"ipLeft", "ipTop", "ipRight", "ipBottom", "ipBack", "ipStretch"});
    RegisterEnumType<TQxHorizontalAlignment>("TQxHorizontalAlignment", {"haLeft", "haCenter", "haRight"});
    RegisterEnumType<TQxVerticalAlignment>("TQxVerticalAlignment", {"vaTop", "vaCenter", "vaBottom"});
    RegisterEnumType<TQxTextStyle>("TQxTextStyle", {"tsHotTrack", "tsSelected", "tsUnselected", "tsDisabled"});
    RegisterEnumType<TQxTabHotTrackStyle>("TQxTabHotTrackStyle", {"htsTab", "htsText", "htsTabBar"});
    RegisterEnumType<TQxTabHotTrackColorSource>("TQxTabHotTrackColorSource",
                                                {"htcsTabColor", "htcsHotTrackColorProp"});
    HotTrackColorTypeTypeInfo();
    OrientationTypeInfo();
}

// ================================================================ life

TQxCustomTabControl::TQxCustomTabControl(TComponent* AOwner)
    : TCustomControl(AOwner), FBuffer(std::make_unique<TBitmap>(300, 100)),
      FTabs(std::make_unique<TQxTabDataList>()), FRegionCache(std::make_unique<TQxTabRegionCache>()),
      FTabColors(std::make_unique<TQxTabColors>(this)), FTextColors(std::make_unique<TQxTextColors>(this)),
      FImageChangeLink(std::make_unique<TChangeLink>()), FWorkFont(std::make_unique<TFont>()) {
    SetBounds(Left(), Top(), 300, 100);
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks};
    SetColor(clBtnFace);
    FWorkFont->Assign(Font());
    FImageChangeLink->OnChange = [this](TObject*) { RequestRepaint(); };
    SetTabStop(true);
    FLayoutNeeded = true;
}

TQxCustomTabControl::~TQxCustomTabControl() {
    StopHotTrackTimer();
    if (FImages) FImages->UnRegisterChanges(FImageChangeLink.get());
}

void TQxCustomTabControl::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.WindowClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TQxCustomTabControl::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

void TQxCustomTabControl::DefineProperties(TFiler* Filer) {
    TCustomControl::DefineProperties(Filer);
    Filer->DefineProperty(
        "FixedDimension", [this](TReader* Reader) { FFixedDimension = Reader->ReadInteger(); }, nullptr, true);
}

void TQxCustomTabControl::Loaded() {
    TCustomControl::Loaded();
    FSavedHint = Hint();
    FTrackingHint = FSavedHint;
    SetLayoutNeeded(true);
    if (FTextOrientation == orVertical && !FontIsTrueType(Font())) Font()->SetName("Verdana");
    // The stored tab is kept and settled through the setter, which applies
    // the range rule without events (an unchanged index asks no one).
    SetTabIndex(FTabIndex);
}

// ================================================================ refresh requests

void TQxCustomTabControl::SetLayoutNeeded(bool Value) {
    // The tabs may have changed: whether the current tab can stay current
    // is asked again.
    if (Value) RequestRepair();
    if (Value == FLayoutNeeded) return;
    FLayoutNeeded = Value;
    if (Value) RequestRepaint();
}

void TQxCustomTabControl::RequestLayout() {
    SetLayoutNeeded(true);
}

void TQxCustomTabControl::RequestRepaint() {
    FHotOnly = false;
    Invalidate();
}

// ================================================================ setters

namespace {

template <class V> bool Store(V& Field, V Value) {
    if (Field == Value) return false;
    Field = Value;
    return true;
}

} // namespace

void TQxCustomTabControl::SetAlignTabs(bool Value) {
    if (Store(FAlignTabs, Value) && FMultiLine) RequestLayout();
}

void TQxCustomTabControl::SetBackgroundColor(TColor Value) {
    if (!Store(FBackgroundColor, Value)) return;
    FParentBackgroundColor = false;
    RequestRepaint();
}

void TQxCustomTabControl::SetBoldCurrentTab(bool Value) {
    if (Store(FBoldCurrentTab, Value)) RequestLayout();
}

void TQxCustomTabControl::SetButtonColor(TColor Value) {
    if (Store(FButtonColor, Value)) RequestRepaint();
}

void TQxCustomTabControl::SetUseColoredTabs(bool Value) {
    if (Store(FUseColoredTabs, Value)) RequestRepaint();
}

void TQxCustomTabControl::SetCutCornerSize(Integer Value) {
    if (Value < 0) return;
    if (Store(FCutCornerSize, Value) && FTabStyle == tsCutCorner) RequestLayout();
}

void TQxCustomTabControl::UpdateButtonFrameColors() {
    const TColor c = AdjustColorLuminance(FFlatColor, FFlatColorAdjustment);
    if (FScroller) FScroller->SetFrameColor(c);
    if (FCloseButton) FCloseButton->SetFrameColor(c);
    if (FActiveCloseButton) FActiveCloseButton->SetFrameColor(c);
    if (FMenuButton) FMenuButton->SetFrameColor(c);
}

void TQxCustomTabControl::SetFlatColor(TColor Value) {
    if (!Store(FFlatColor, Value)) return;
    UpdateButtonFrameColors();
    RequestRepaint();
}

void TQxCustomTabControl::SetFlatColorAdjustment(Integer Value) {
    if (!Store(FFlatColorAdjustment, Value)) return;
    UpdateButtonFrameColors();
    RequestRepaint();
}

void TQxCustomTabControl::SetImageAlignment(TQxHorizontalAlignment Value) {
    if (Store(FImageAlignment, Value)) RequestLayout();
}

void TQxCustomTabControl::SetImageAlignmentVertical(TQxVerticalAlignment Value) {
    if (Store(FImageAlignmentVertical, Value)) RequestLayout();
}

void TQxCustomTabControl::SetImageMargin(Integer Value) {
    if (Value >= 0 && Store(FImageMargin, Value)) RequestLayout();
}

void TQxCustomTabControl::SetImagePosition(TQxImagePosition Value) {
    if (Store(FImagePosition, Value)) RequestLayout();
}

void TQxCustomTabControl::SetHotTrack(bool Value) {
    if (Value == FHotTrack) return;
    if (!Value && !FTabHints) StopHotTrackTimer();
    FHotTrack = Value;
}

void TQxCustomTabControl::SetHotTrackColor(TColor Value) {
    if (Store(FHotTrackColor, Value)) RequestRepaint();
}

void TQxCustomTabControl::SetHotTrackColorSource(TQxTabHotTrackColorSource Value) {
    if (Store(FHotTrackColorSource, Value)) RequestRepaint();
}

void TQxCustomTabControl::SetHotTrackColorType(TQxHotTrackColorType Value) {
    if (Store(FHotTrackColorType, Value)) RequestRepaint();
}

void TQxCustomTabControl::SetHotTrackStyle(TQxTabHotTrackStyle Value) {
    if (Store(FHotTrackStyle, Value)) RequestRepaint();
}

void TQxCustomTabControl::SetImages(TCustomImageList* Value) {
    if (Value == FImages) return;
    LinkImageList(this, FImages, Value, FImageChangeLink.get());
    RequestLayout();
}

void TQxCustomTabControl::SetMargin(Integer Value) {
    if (Value >= 0 && Store(FMargin, Value)) RequestLayout();
}

void TQxCustomTabControl::SetMultiLine(bool Value) {
    if (Store(FMultiLine, Value)) RequestLayout();
}

void TQxCustomTabControl::SetParentBackgroundColor(bool Value) {
    if (!Store(FParentBackgroundColor, Value)) return;
    if (Parent()) Perform(CM_PARENTCOLORCHANGED);
}

void TQxCustomTabControl::SetRowIndent(Integer Value) {
    if (Value >= 0 && Store(FRowIndent, Value)) RequestLayout();
}

void TQxCustomTabControl::SetRowOverlap(Integer Value) {
    if (Value >= 0 && Store(FRowOverlap, Value)) RequestLayout();
}

void TQxCustomTabControl::SetShowCard(bool Value) {
    if (Store(FShowCard, Value)) RequestLayout();
}

void TQxCustomTabControl::SetShowCardFrame(bool Value) {
    if (Store(FShowCardFrame, Value)) RequestLayout();
}

void TQxCustomTabControl::EnsureButton(bool Show, int Which) {
    TControl* button = nullptr;
    switch (Which) {
    case 0:
        if (!FCloseButton) FCloseButton = new TQxTabControlCloseButton(this);
        button = FCloseButton;
        break;
    case 1:
        if (!FActiveCloseButton) FActiveCloseButton = new TQxActiveTabCloseButton(this);
        button = FActiveCloseButton;
        break;
    default:
        if (!FMenuButton) FMenuButton = new TQxTabMenuButton(this);
        button = FMenuButton;
        break;
    }
    UpdateButtonFrameColors();
    button->SetVisible(Show);
    RequestLayout();
    RequestRepaint();
}

void TQxCustomTabControl::SetShowCloseButton(bool Value) {
    if (Store(FShowCloseButton, Value)) EnsureButton(Value, 0);
}

void TQxCustomTabControl::SetShowCloseButtonOnActiveTab(bool Value) {
    if (Store(FShowCloseButtonOnActiveTab, Value)) EnsureButton(Value, 1);
}

void TQxCustomTabControl::SetShowMenuButton(bool Value) {
    if (Store(FShowMenuButton, Value)) EnsureButton(Value, 2);
}

void TQxCustomTabControl::SetShowFocusRect(bool Value) {
    if (Store(FShowFocusRect, Value)) Invalidate();
}

void TQxCustomTabControl::SetShowFullFrame(bool Value) {
    if (!Store(FShowFullFrame, Value)) return;
    if (!Value) FShowShadow = false;
    RequestLayout();
}

void TQxCustomTabControl::SetShowShadow(bool Value) {
    if (!Store(FShowShadow, Value)) return;
    if (Value) FShowFullFrame = true;
    RequestLayout();
    RequestRepaint();
}

void TQxCustomTabControl::SetSoftCorners(bool Value) {
    if (Store(FSoftCorners, Value)) RequestLayout();
}

void TQxCustomTabControl::SetTabOverlap(Integer Value) {
    if (Store(FTabOverlap, Value)) RequestLayout();
}

void TQxCustomTabControl::SetTextOrientation(TOrientation Value) {
    if (!Store(FTextOrientation, Value)) return;
    if (!HasState(csLoading) && !FontIsTrueType(Font())) Font()->SetName("Verdana");
    RequestLayout();
}

void TQxCustomTabControl::SetTabHeight(Integer Value) {
    if (Value >= 0 && Store(FTabHeight, Value)) RequestLayout();
}

void TQxCustomTabControl::SetTabHints(bool Value) {
    if (Value == FTabHints) return;
    if (!Value && !FHotTrack) StopHotTrackTimer();
    FTabHints = Value;
}

void TQxCustomTabControl::SetTabOrientation(TQxTabOrientation Value) {
    if (!Store(FTabOrientation, Value)) return;
    if (!HasState(csLoading) && !HasState(csReading)) RequestLayout();
}

void TQxCustomTabControl::SetTabRegionCacheCapacity(Integer Value) {
    if ((Value != -1 && Value <= 0) || Value == FTabRegionCacheCapacity) return;
    FTabRegionCacheCapacity = Value;
    FRegionCache->SetCapacity(Value);
}

void TQxCustomTabControl::SetTabSequence(TQxTabSequence Value) {
    if (Store(FTabSequence, Value)) RequestLayout();
}

void TQxCustomTabControl::SetTabStyle(TQxTabStyle Value) {
    if (Store(FTabStyle, Value)) RequestLayout();
}

void TQxCustomTabControl::SetTabWidth(Integer Value) {
    if (Value >= 0 && Store(FTabWidth, Value)) RequestLayout();
}

void TQxCustomTabControl::SetTextAlignment(TQxHorizontalAlignment Value) {
    if (Store(FTextAlignment, Value)) RequestLayout();
}

void TQxCustomTabControl::SetTextAlignmentVertical(TQxVerticalAlignment Value) {
    if (Store(FTextAlignmentVertical, Value)) RequestLayout();
}

void TQxCustomTabControl::SetTransparent(bool Value) {
    if (Store(FTransparent, Value)) RequestRepaint();
}

void TQxCustomTabControl::SetUseGradients(bool Value) {
    if (Store(FUseGradients, Value)) RequestRepaint();
}

// ================================================================ events
//
// The handlers that may free the control run from a copy: the control's
// own member goes with it.

void TQxCustomTabControl::DoChanging(Integer NewIndex, bool& AllowChange) {
    if (TQxTabChangingEvent handler = OnChanging) handler(this, NewIndex, AllowChange);
}

void TQxCustomTabControl::DoGetTextColor(Integer ATabIndex, TQxTextStyle AStyle, TColor& AColor, bool& Handled) {
    if (OnGetTextColor) OnGetTextColor(this, ATabIndex, AStyle, AColor, Handled);
}

void TQxCustomTabControl::DoTabClick() {
    if (TNotifyEvent handler = OnTabClick) handler(this);
}

void TQxCustomTabControl::DoPaintBackground(TCanvas* ACanvas, const TRect& ARect, bool& Handled) {
    if (OnPaintBackground) OnPaintBackground(this, ACanvas, ARect, Handled);
}

void TQxCustomTabControl::DoPaintCardBackground(TCanvas* ACanvas, Integer ARow, const TRect& ARect,
                                                bool& Handled) {
    if (OnPaintCardBackground) OnPaintCardBackground(this, ACanvas, ARow, ARect, Handled);
}

void TQxCustomTabControl::DoPaintTabBackground(TCanvas* ACanvas, Integer ATabIndex, const TRect& ARect,
                                               bool& Handled) {
    if (OnPaintTabBackground) OnPaintTabBackground(this, ACanvas, ATabIndex, ARect, Handled);
}

void TQxCustomTabControl::DoChange() {
    if (TNotifyEvent handler = OnChange) handler(this);
}

void TQxCustomTabControl::DoTabOrderChange(Integer OldIndex, Integer NewIndex) {
    if (TQxTabOrderChangeEvent handler = OnTabOrderChange) handler(this, OldIndex, NewIndex);
}

void TQxCustomTabControl::DoPageChange() {
    if (TNotifyEvent handler = OnPageChange) handler(this);
}

bool TQxCustomTabControl::DoClose() {
    bool allow = false;
    if (TQxTabCloseEvent handler = OnClose) handler(this, allow);
    return allow;
}

// ================================================================ messages

void TQxCustomTabControl::CMParentColorChanged(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    if (FParentBackgroundColor && Parent()) {
        if (FBackgroundColor != Parent()->Color()) {
            FBackgroundColor = Parent()->Color();
            RequestRepaint();
        }
    }
}

void TQxCustomTabControl::CMColorChanged(TMessage& Message) {
    if (FUseColoredTabs)
        NotifyControls(CM_PARENTCOLORCHANGED);
    else
        TCustomControl::Dispatch(Message);
    // Coloured tabs take the card colour from the page too: repaint always.
    RequestRepaint();
}

void TQxCustomTabControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    case WM_SIZE:
        TCustomControl::Dispatch(Message);
        RequestLayout();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        RequestRepaint();
        break;
    case WM_TIMER:
        if (FHotTrackTimer && Message.WParam == FHotTrackTimer) {
            HotTrackTimerTick();
            return;
        }
        break;
    case CM_FONTCHANGED:
        FWorkFont->Assign(Font());
        RequestLayout();
        break;
    case CM_DIALOGCHAR:
        CMDialogChar(Message);
        return;
    case QM_REPAIRTAB:
        RepairCurrentTab();
        return;
    case CM_DESIGNHITTEST:
        CMDesignHitTest(Message);
        return;
    case CM_PARENTCOLORCHANGED:
        CMParentColorChanged(Message);
        return;
    case CM_COLORCHANGED:
        CMColorChanged(Message);
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(Message);
}

// ================================================================ publishing

template <class T> void PublishTabControlProperties(TClassBuilder<T>& B) {
    RegisterTabTypes();
    TQxTabColors::ClassInfo();
    TQxTextColors::ClassInfo();
    using C = TQxCustomTabControl;
    B.Property("AlignTabs", &C::AlignTabs, &C::SetAlignTabs)
        .Default(false)
        .Property("AllowTabDragging", &C::AllowTabDragging, &C::SetAllowTabDragging)
        .Default(false)
        .Property("BackgroundColor", &C::BackgroundColor, &C::SetBackgroundColor, ColorTypeInfo())
        .Stored([](const T* c) { return !c->ParentBackgroundColor(); })
        .Property("BoldCurrentTab", &C::BoldCurrentTab, &C::SetBoldCurrentTab)
        .Default(false)
        .Property("ButtonColor", &C::ButtonColor, &C::SetButtonColor, ColorTypeInfo())
        .Default(clBtnFace)
        .Property("UseColoredTabs", &C::UseColoredTabs, &C::SetUseColoredTabs)
        .Default(false)
        .Property("CutCornerSize", &C::CutCornerSize, &C::SetCutCornerSize)
        .Default(6)
        .Property("DragIndicatorColor", &C::DragIndicatorColor, &C::SetDragIndicatorColor, ColorTypeInfo())
        .Default(0x505050)
        .Property("FlatColor", &C::FlatColor, &C::SetFlatColor, ColorTypeInfo())
        .Default(clBtnShadow)
        .Property("FlatColorAdjustment", &C::FlatColorAdjustment, &C::SetFlatColorAdjustment)
        .Default(0)
        .Property("ImageAlignment", &C::ImageAlignment, &C::SetImageAlignment)
        .Default(haCenter)
        .Property("ImageAlignmentVertical", &C::ImageAlignmentVertical, &C::SetImageAlignmentVertical)
        .Default(vaCenter)
        .Property("ImageMargin", &C::ImageMargin, &C::SetImageMargin)
        .Default(2)
        .Property("ImagePosition", &C::ImagePosition, &C::SetImagePosition)
        .Default(ipLeft)
        .Property("HotTrack", &C::HotTrack, &C::SetHotTrack)
        .Default(true)
        .Property("HotTrackColor", &C::HotTrackColor, &C::SetHotTrackColor, ColorTypeInfo())
        .Default(0x149BF0)
        .Property("HotTrackColorSource", &C::HotTrackColorSource, &C::SetHotTrackColorSource)
        .Default(htcsTabColor)
        .Property("HotTrackColorType", &C::HotTrackColorType, &C::SetHotTrackColorType)
        .Default(htctActual)
        .Property("HotTrackStyle", &C::HotTrackStyle, &C::SetHotTrackStyle)
        .Default(htsTab)
        .Property("Images", &C::Images, &C::SetImages)
        .Property("Margin", &C::Margin, &C::SetMargin)
        .Default(0)
        .Property("MultiLine", &C::MultiLine, &C::SetMultiLine)
        .Default(false)
        .Property("ParentBackgroundColor", &C::ParentBackgroundColor, &C::SetParentBackgroundColor)
        .Default(true)
        .Property("RowIndent", &C::RowIndent, &C::SetRowIndent)
        .Default(5)
        .Property("RowOverlap", &C::RowOverlap, &C::SetRowOverlap)
        .Default(5)
        .Property("ShowCardFrame", &C::ShowCardFrame, &C::SetShowCardFrame)
        .Default(true)
        .Property("ShowCloseButton", &C::ShowCloseButton, &C::SetShowCloseButton)
        .Default(false)
        .Property("ShowCloseButtonOnActiveTab", &C::ShowCloseButtonOnActiveTab, &C::SetShowCloseButtonOnActiveTab)
        .Default(false)
        .Property("ShowMenuButton", &C::ShowMenuButton, &C::SetShowMenuButton)
        .Default(false)
        .Property("SortTabMenu", &C::SortTabMenu, &C::SetSortTabMenu)
        .Default(true)
        .Property("ShowFocusRect", &C::ShowFocusRect, &C::SetShowFocusRect)
        .Default(true)
        .Property("ShowFullFrame", &C::ShowFullFrame, &C::SetShowFullFrame)
        .Default(true)
        .Property("ShowShadow", &C::ShowShadow, &C::SetShowShadow)
        .Default(true)
        .Property("SoftCorners", &C::SoftCorners, &C::SetSoftCorners)
        .Default(false)
        .Property("TabOverlap", &C::TabOverlap, &C::SetTabOverlap)
        .Default(-1)
        .Property("TextOrientation", &C::TextOrientation, &C::SetTextOrientation, OrientationTypeInfo())
        .Default(orHorizontal)
        .Property("TabColors", &C::TabColors, nullptr)
        .Property("TabHeight", &C::TabHeight, &C::SetTabHeight)
        .Default(0)
        .Property("TabHints", &C::TabHints, &C::SetTabHints)
        .Default(false)
        .Property("TabIndex", &C::TabIndex, &C::SetTabIndex)
        .Default(-1)
        .Property("TabOrientation", &C::TabOrientation, &C::SetTabOrientation)
        .Default(toTop)
        .Property("TabSequence", &C::TabSequence, &C::SetTabSequence)
        .Default(tsStandard)
        .Property("TabStyle", &C::TabStyle, &C::SetTabStyle)
        .Default(tsSingleSlant)
        .Property("TabWidth", &C::TabWidth, &C::SetTabWidth)
        .Default(0)
        .Property("TextColors", &C::TextColors, nullptr)
        .Property("TextAlignment", &C::TextAlignment, &C::SetTextAlignment)
        .Default(haCenter)
        .Property("TextAlignmentVertical", &C::TextAlignmentVertical, &C::SetTextAlignmentVertical)
        .Default(vaCenter)
        .Property("Transparent", &C::Transparent, &C::SetTransparent)
        .Default(false)
        .Property("UseGradients", &C::UseGradients, &C::SetUseGradients)
        .Default(true)
        .Property("DockSite", &C::DockSite, &C::SetDockSite)
        .Default(false)
        .Event("OnChange", &C::OnChange)
        .Event("OnChanging", &C::OnChanging)
        .Event("OnClose", &C::OnClose)
        .Event("OnGetTextColor", &C::OnGetTextColor)
        .Event("OnPageChange", &C::OnPageChange)
        .Event("OnPaintBackground", &C::OnPaintBackground)
        .Event("OnPaintCardBackground", &C::OnPaintCardBackground)
        .Event("OnPaintTabBackground", &C::OnPaintTabBackground)
        .Event("OnTabClick", &C::OnTabClick)
        .Event("OnTabOrderChange", &C::OnTabOrderChange)
        .Event("OnScrolledTabs", &C::OnScrolledTabs);
    PublishControlProperties(B, {"Align", "Anchors", "Color", "Constraints", "DragCursor", "DragKind",
                                 "DragMode", "Enabled", "Font", "HelpContext", "ParentColor", "ParentFont",
                                 "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder", "TabStop", "Visible",
                                 "OnClick", "OnContextPopup", "OnDblClick", "OnDockDrop", "OnDockOver",
                                 "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag", "OnEnter", "OnExit",
                                 "OnGetSiteInfo", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnStartDock",
                                 "OnStartDrag", "OnUnDock"});
    B.Qualify("Color").Default(clBtnFace).Qualify("ParentColor").Default(false).Qualify("TabStop").Default(true);
}

template void PublishTabControlProperties<TQxTabControl>(TClassBuilder<TQxTabControl>&);
template void PublishTabControlProperties<TQxPageControl>(TClassBuilder<TQxPageControl>&);

const TClassInfo& TQxCustomTabControl::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TQxCustomTabControl>("TQxCustomTabControl", &TCustomControl::ClassInfo()).Register();
    return info;
}

const TClassInfo& TQxTabControl::ClassInfo() {
    static const TClassInfo& info = [] () -> const TClassInfo& {
        TClassBuilder<TQxTabControl> b("TQxTabControl", &TQxCustomTabControl::ClassInfo());
        PublishTabControlProperties(b);
        return b.Register();
    }();
    return info;
}
