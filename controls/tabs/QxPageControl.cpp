#include "controls/tabs/QxPageControl.h"
#include "platform/gui/controls/DockTree.h"
#include "platform/gui/controls/Forms.h"
#include "platform/rtl/Guards.h"

#include <algorithm>

// ================================================================ TQxTabSheet

TQxTabSheet::TQxTabSheet(TComponent* AOwner) : TCustomControl(AOwner) {
    ShowPage(false);
    FControlStyle << csAcceptsControls << csOpaque << csNoDesignVisible;
    SetColor(clBtnFace);
    SetAlign(alClient);
}

void TQxTabSheet::BeforeDestruction() {
    if (FPageControl) FPageControl->RemovePage(this);
    TCustomControl::BeforeDestruction();
}

void TQxTabSheet::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.WindowClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TQxTabSheet::AssignTo(TPersistent* Dest) {
    if (auto* t = dynamic_cast<TQxTabData*>(Dest)) {
        t->Caption = Caption();
        t->Color = Color();
        t->Enabled = FTabEnabled;
        t->Visible = FTabVisible;
        t->Hint = Hint();
        t->ImageIndex = FImageIndex;
        t->DisabledIndex = FDisabledIndex;
        return;
    }
    TCustomControl::AssignTo(Dest);
}

void TQxTabSheet::SetParentComponent(TComponent* Value) {
    if (auto* pc = dynamic_cast<TQxPageControl*>(Value))
        SetPageControl(pc);
    else
        TCustomControl::SetParentComponent(Value);
}

void TQxTabSheet::SetPageControl(TQxPageControl* Value) {
    if (Value == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    SetParent(Value);
    if (Value) Value->InsertPage(this);
}

Integer TQxTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    const auto& pages = FPageControl->FPages;
    return static_cast<Integer>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TQxTabSheet::SetPageIndex(Integer Value) {
    if (!FPageControl) return;
    const Integer last = FPageControl->PageCount() - 1;
    if (Value < 0 || Value > last)
        throw EQxTabControlError(
            Format("%d is an invalid PageIndex value. PageIndex must be between 0 and %d", {Value, last}));
    const Integer old = PageIndex();
    FPageControl->MovePage(this, Value);
    FPageControl->DoTabOrderChange(old, Value);
}

Integer TQxTabSheet::TabIndex() const {
    if (!FTabVisible) return -1;
    if (!FPageControl) return 0;
    Integer n = 0;
    for (TQxTabSheet* p : FPageControl->FPages) {
        if (p == this) return n;
        if (p->FTabVisible) ++n;
    }
    return -1;
}

void TQxTabSheet::RelayoutPageControl() {
    if (FPageControl) FPageControl->RequestLayout();
}

void TQxTabSheet::SetImageIndex(Integer Value) {
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    RelayoutPageControl();
}

void TQxTabSheet::SetDisabledIndex(Integer Value) {
    if (Value == FDisabledIndex) return;
    FDisabledIndex = Value;
    RelayoutPageControl();
}

void TQxTabSheet::SetTabEnabled(bool Value) {
    if (Value == FTabEnabled) return;
    FTabEnabled = Value;
    RelayoutPageControl();
}

void TQxTabSheet::SetTabVisible(bool Value) {
    if (Value == FTabVisible) return;
    FTabVisible = Value;
    RelayoutPageControl();
}

void TQxTabSheet::SetVisible(bool Value) {
    throw EQxTabControlError("You cannot change the Visible property of a page");
}

void TQxTabSheet::SetColor(TColor Value) {
    if (Value == Color()) return;
    if (FPageControl && !FPageControl->UseColoredTabs() && FPageControl->Color() != Value)
        FPageControl->SetUseColoredTabs(true);
    if (FPageControl && !FPageControl->UseColoredTabs() && Color() == FPageControl->Color()) return;
    TCustomControl::SetColor(Value);
    RelayoutPageControl();
}

void TQxTabSheet::Paint() {
    const TRect r(0, 0, Width(), Height());
    bool handled = false;
    if (OnPaintBackground) OnPaintBackground(this, Canvas(), r, handled);
    if (handled) return;
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(r);
}

bool TQxTabSheet::ShowPage(bool Value) {
    {
        TRestoreOnExit<bool> defer(FDeferShowEvent, true);
        TCustomControl::SetVisible(Value);
    }
    if (!std::exchange(FShowEventDue, false)) return true;
    return FLiveness.Outlives([this] { FireShowEvent(); });
}

void TQxTabSheet::FireShowEvent() {
    // The page's handlers answer to the application, not to whoever
    // happened to show or hide the page.
    try {
        if (Showing())
            DoShow();
        else
            DoHide();
    } catch (const std::exception& e) {
        Application->HandleException(e);
    }
}

void TQxTabSheet::DoHide() {
    if (OnHide) OnHide(this);
}

void TQxTabSheet::DoShow() {
    if (OnShow) OnShow(this);
}

void TQxTabSheet::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    case CM_TEXTCHANGED:
        TCustomControl::Dispatch(Message);
        RelayoutPageControl();
        return;
    case CM_SHOWINGCHANGED:
        TCustomControl::Dispatch(Message);
        if (FDeferShowEvent)
            FShowEventDue = true;
        else
            FireShowEvent();
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(Message);
}

const TClassInfo& TQxTabSheet::ClassInfo() {
    static const TClassInfo& info = [] () -> const TClassInfo& {
        RegisterTabTypes();
        TClassBuilder<TQxTabSheet> b("TQxTabSheet", &TCustomControl::ClassInfo());
        b.Property("Color", &TQxTabSheet::Color, &TQxTabSheet::SetColor, ColorTypeInfo())
            .Default(clBtnFace)
            .Property("DisabledIndex", &TQxTabSheet::DisabledIndex, &TQxTabSheet::SetDisabledIndex)
            .Default(-1)
            .Property("ImageIndex", &TQxTabSheet::ImageIndex, &TQxTabSheet::SetImageIndex)
            .Default(-1)
            .Property("PageIndex", &TQxTabSheet::PageIndex, &TQxTabSheet::SetPageIndex)
            .Stored([](const TQxTabSheet*) { return false; })
            .Property("TabEnabled", &TQxTabSheet::TabEnabled, &TQxTabSheet::SetTabEnabled)
            .Default(true)
            .Property("TabVisible", &TQxTabSheet::TabVisible, &TQxTabSheet::SetTabVisible)
            .Default(true)
            .Event("OnPaintBackground", &TQxTabSheet::OnPaintBackground)
            .Event("OnHide", &TQxTabSheet::OnHide)
            .Event("OnShow", &TQxTabSheet::OnShow);
        PublishControlProperties(b, {"Caption", "Constraints", "Enabled", "Font", "ParentFont",
                                     "ParentShowHint", "PopupMenu", "ShowHint", "OnClick", "OnContextPopup",
                                     "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnEnter",
                                     "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize",
                                     "OnStartDrag"});
        // The page control places its pages: their bounds are not stored.
        auto never = [](const TQxTabSheet*) { return false; };
        b.Property("Height", &TQxTabSheet::Height, &TQxTabSheet::SetHeight)
            .Stored(never)
            .Property("Left", &TQxTabSheet::Left, &TQxTabSheet::SetLeft)
            .Stored(never)
            .Property("Top", &TQxTabSheet::Top, &TQxTabSheet::SetTop)
            .Stored(never)
            .Property("Width", &TQxTabSheet::Width, &TQxTabSheet::SetWidth)
            .Stored(never);
        return b.Register();
    }();
    return info;
}

// ================================================================ TQxPageControl: pages

TQxPageControl::TQxPageControl(TComponent* AOwner) : TQxCustomTabControl(AOwner) {
    RegisterClass(TQxTabSheet::ClassInfo());
    FControlStyle >> csAcceptsControls;
    FControlStyle << csOpaque;
    SetHeight(150);
    SetUseColoredTabs(false);
}

TQxPageControl::~TQxPageControl() {
    for (TQxTabSheet* p : FPages)
        p->FPageControl = nullptr;
}

void TQxPageControl::CreateParams(TCreateParams& Params) {
    TQxCustomTabControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
}

TQxTabSheet* TQxPageControl::Pages(Integer Index) const {
    if (Index < 0 || Index >= PageCount()) throw EListError(Format("List index out of bounds (%d)", {Index}));
    return FPages[static_cast<size_t>(Index)];
}

TQxTabSheet* TQxPageControl::PageOfTab(Integer Index) const {
    if (Index < 0) return nullptr;
    for (TQxTabSheet* p : FPages)
        if (p->TabIndex() == Index) return p;
    return nullptr;
}

void TQxPageControl::InsertPage(TQxTabSheet* Page) {
    if (!HasState(csLoading) && !HasState(csReading)) HandleNeeded();
    FPages.push_back(Page);
    Page->FPageControl = this;
    RequestLayout();
}

void TQxPageControl::RemovePage(TQxTabSheet* Page) {
    if (Page == FActivePage) {
        Page->ShowPage(false);
        FActivePage = nullptr;
    }
    if (Page == FActivePageDefault) FActivePageDefault = nullptr;
    FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
    Page->FPageControl = nullptr;
    if (!HasState(csDestroying)) RequestLayout();
}

void TQxPageControl::MovePage(TQxTabSheet* Page, Integer NewIndex) {
    FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
    FPages.insert(FPages.begin() + NewIndex, Page);
    RequestLayout();
}

void TQxPageControl::Notification(TComponent* AComponent, TOperation Operation) {
    TQxCustomTabControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FActivePageDefault) FActivePageDefault = nullptr;
}

// ================================================================ the tab list

void TQxPageControl::RequestLayout() {
    Tabs()->Clear();
    for (TQxTabSheet* p : FPages) {
        if (!p->TabVisible()) continue;
        auto* t = new TQxTabData;
        t->Assign(p);
        Tabs()->Add(t);
    }
    // The current tab follows the active page, renumbered quietly: the page
    // did not change.
    if (FActivePage) {
        const Integer t = FActivePage->TabIndex();
        if (t != FTabIndex) {
            FTabIndex = t;
            RequestRepaint();
        }
    }
    TQxCustomTabControl::RequestLayout();
}

// ================================================================ page changes

void TQxPageControl::DoChanging(Integer NewIndex, bool& AllowChange) {
    if (!FLoadingPages && !Survives([&] { TQxCustomTabControl::DoChanging(NewIndex, AllowChange); })) return;
    if (AllowChange) ChangeActivePage(PageOfTab(NewIndex));
}

void TQxPageControl::DoChange() {
    if (!FLoadingPages) TQxCustomTabControl::DoChange();
}

void TQxPageControl::DoPageChange() {
    if (!FLoadingPages) TQxCustomTabControl::DoPageChange();
}

void TQxPageControl::ChangeActivePage(TQxTabSheet* Page) {
    if (Page == FActivePage) return;
    TCustomForm* form = GetParentForm(this);
    if (form && FActivePage && form->ActiveControl() && FActivePage->ContainsControl(form->ActiveControl()))
        form->SetActiveControl(FActivePage);
    TQxTabSheet* old = FActivePage;
    // A page's OnShow or OnHide may free the page control, or the page: the
    // change ends there.
    bool lives = true;
    if (Page) {
        Page->BringToFront();
        if (!Survives([&] { lives = Page->ShowPage(true); }) || !lives) return;
        if (form && old && form->ActiveControl() == old) form->SetActiveControl(Page->CanFocus() ? static_cast<TWinControl*>(Page) : this);
    }
    if (old) {
        if (!Survives([&] { lives = old->ShowPage(false); }) || !lives) return;
        if (FSaveResources && !HasState(csDesigning)) old->ReleaseWindow();
    }
    FActivePage = Page;
    if (form && Page && form->ActiveControl() == Page) Page->SelectFirst();
}

void TQxPageControl::SetActivePage(TQxTabSheet* Value) {
    if (Value && Value->PageControl() != this) return;
    if (HasState(csLoading) || HasState(csReading)) {
        FActivePage = Value;
        return;
    }
    const Integer t = Value ? Value->TabIndex() : -1;
    if (t < 0 || (t == TabIndex() && Value != FActivePage)) {
        // No tab to select (none, or a page with a hidden tab), or its tab
        // current already: the page changes at once.
        if (!Survives([&] { ChangeActivePage(Value); }) || !Survives([&] { DoPageChange(); })) return;
    }
    SetTabIndex(t);
}

void TQxPageControl::SetActivePageDefault(TQxTabSheet* Value) {
    if (Value == FActivePageDefault) return;
    FActivePageDefault = Value;
    if (Value) Value->FreeNotification(this);
}

Integer TQxPageControl::ActivePageIndex() const {
    return FActivePage ? FActivePage->PageIndex() : -1;
}

void TQxPageControl::SetActivePageIndex(Integer Value) {
    if (Value < 0 || Value >= PageCount())
        SetTabIndex(-1);
    else
        SetActivePage(Pages(Value));
}

TQxTabSheet* TQxPageControl::FindNextPage(TQxTabSheet* Page, bool Forward, bool OnlyWithTab) const {
    const Integer count = PageCount();
    if (count == 0) return nullptr;
    // A page not in the list starts at the end the steps leave first, so
    // that every page is reached; the start itself is reached last.
    const auto at = std::find(FPages.begin(), FPages.end(), Page);
    Integer i = at != FPages.end() ? static_cast<Integer>(at - FPages.begin()) : Forward ? count - 1 : 0;
    for (Integer k = 0; k < count; ++k) {
        i = Forward ? (i + 1) % count : (i - 1 + count) % count;
        TQxTabSheet* p = FPages[static_cast<size_t>(i)];
        if (!OnlyWithTab || p->TabVisible()) return p;
    }
    return nullptr;
}

void TQxPageControl::SelectNextPage(bool Forward) {
    if (TQxTabSheet* p = FindNextPage(FActivePage, Forward, true)) SetActivePage(p);
}

void TQxPageControl::ShowControl(TControl* AControl) {
    auto* page = dynamic_cast<TQxTabSheet*>(AControl);
    if (page && page->PageControl() == this && !Survives([&] { SetActivePage(page); })) return;
    TQxCustomTabControl::ShowControl(AControl);
}

void TQxPageControl::CloseActiveTab() {
    if (!FActivePage) return;
    const Integer t = TabIndex();
    // The page's OnHide may free the control too.
    if (!Survives([&] { FActivePage->Free(); })) return;
    // The page went, and its tab with it: no tab is current until the
    // neighbour before it (the new first one for the first) is selected
    // through the setter, which asks OnChanging and shows its page.
    FTabIndex = -1;
    SetTabIndex(t > 0 ? t - 1 : t);
}

void TQxPageControl::MoveActiveTab(Integer NewIndex) {
    // The drop names a tab; the active page goes to that tab's page place.
    if (!FActivePage) return;
    if (TQxTabSheet* target = PageOfTab(NewIndex)) FActivePage->SetPageIndex(target->PageIndex());
}

void TQxPageControl::HideAllTabs() {
    for (TQxTabSheet* p : std::vector<TQxTabSheet*>(FPages))
        p->SetTabVisible(false);
}

void TQxPageControl::ShowAllTabs() {
    for (TQxTabSheet* p : std::vector<TQxTabSheet*>(FPages))
        p->SetTabVisible(true);
}

void TQxPageControl::DoPaintCardBackground(TCanvas* ACanvas, Integer ARow, const TRect& ARect, bool& Handled) {
    TQxCustomTabControl::DoPaintCardBackground(ACanvas, ARow, ARect, Handled);
    if (Handled || ARow != 0 || TabIndex() < 0 || !FActivePage) return;
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(FActivePage->Color());
    ACanvas->FillRect(ARect);
    Handled = true;
}

void TQxPageControl::SetUseColoredTabs(bool Value) {
    TQxCustomTabControl::SetUseColoredTabs(Value);
    if (Parent() && !UseColoredTabs()) Perform(CM_COLORCHANGED);
}

void TQxPageControl::SetSaveResources(bool Value) {
    if (Value == FSaveResources) return;
    FSaveResources = Value;
    if (Value && !HasState(csDesigning))
        for (TQxTabSheet* p : FPages)
            if (p != FActivePage) p->ReleaseWindow();
}

void TQxPageControl::CMDialogKey(TMessage& Message) {
    TQxCustomTabControl::Dispatch(Message);
    if (Message.Result) return;
    TCustomForm* form = GetParentForm(this);
    const TShiftState shift = KeyboardStateToShiftState();
    if (Message.WParam == VK_TAB && shift.Contains(ssCtrl) && form && form->ActiveControl() &&
        ContainsControl(form->ActiveControl())) {
        SelectNextPage(!shift.Contains(ssShift));
        Message.Result = 1;
    }
}

void TQxPageControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_DIALOGKEY:
        CMDialogKey(Message);
        return;
    case CM_COLORCHANGED:
        if (!UseColoredTabs())
            for (TQxTabSheet* p : std::vector<TQxTabSheet*>(FPages))
                p->SetColor(Color());
        break;
    case CM_DOCKNOTIFICATION:
        CMDockNotification(Message);
        return;
    case QM_FREEDOCKPAGE: {
        auto* page = reinterpret_cast<TQxTabSheet*>(Message.LParam);
        if (std::find(FPages.begin(), FPages.end(), page) != FPages.end()) page->Free();
        return;
    }
    case WM_LBUTTONDOWN:
        if (!Survives([&] { TQxCustomTabControl::Dispatch(Message); })) return;
        if (TControl* client = DockClientAt(LParamToPoint(Message.LParam))) client->BeginDrag(false);
        return;
    case WM_LBUTTONDBLCLK:
        if (!Survives([&] { TQxCustomTabControl::Dispatch(Message); }) || !FDblClickUndocks) return;
        if (TControl* client = DockClientAt(LParamToPoint(Message.LParam))) {
            const TPoint at = client->ClientToScreen({0, 0});
            client->ManualFloat(Bounds(at.X, at.Y, client->Width(), client->Height()));
        }
        return;
    case WM_SETFOCUS:
        TQxCustomTabControl::Dispatch(Message);
        if (FActivePage && !FActivePage->TabVisible()) {
            std::vector<TWinControl*> list;
            FActivePage->GetTabOrderList(list);
            for (TWinControl* w : list)
                if (w->CanFocus()) {
                    w->SetFocus();
                    break;
                }
        }
        return;
    default:
        break;
    }
    TQxCustomTabControl::Dispatch(Message);
}

// ================================================================ docking

TQxTabSheet* TQxPageControl::DockPageOf(TControl* Client) const {
    auto* page = Client ? dynamic_cast<TQxTabSheet*>(Client->Parent()) : nullptr;
    return page && page->PageControl() == this && Client->HostDockSite() == this ? page : nullptr;
}

void TQxPageControl::DoAddDockClient(TControl* Client, const TRect& ARect) {
    auto* sheet = new TQxTabSheet(this);
    // A client that cannot be taken leaves no half-made page behind.
    TScopeExit freeSheet([sheet] { sheet->Free(); });
    TRestoreOnExit<TQxTabSheet*> docking(FNewDockSheet, sheet);
    if (auto* form = dynamic_cast<TCustomForm*>(Client)) sheet->SetCaption(form->Caption());
    sheet->SetPageControl(this);
    Client->SetParent(sheet);
    freeSheet.Release();
    sheet->SetTabVisible(Client->Visible());
    if (Client->Visible() && !Survives([&] { SetActivePage(sheet); })) return;
    Client->SetAlign(alClient);
}

void TQxPageControl::DoRemoveDockClient(TControl* Client) {
    TQxTabSheet* page = dynamic_cast<TQxTabSheet*>(Client->Parent());
    if (!page || page->PageControl() != this) return;
    Client->SetAlign(alNone);
    if (HasState(csDestroying) || page->HasState(csDestroying)) return;
    if (page == FActivePage && !Survives([&] { SetActivePage(FindNextPage(page, true, true)); })) return;
    // The page is in the middle of giving up its client: it goes once that
    // is done.
    page->SetTabVisible(false);
    PostMessage(Handle(), QM_FREEDOCKPAGE, 0, reinterpret_cast<LPARAM>(page));
}

void TQxPageControl::GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos, bool& CanDock) {
    CanDock = DockPageOf(Client) == nullptr;
    TQxCustomTabControl::GetSiteInfo(Client, InfluenceRect, MousePos, CanDock);
}

void TQxPageControl::DockOver(TDragDockObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
    const TPoint origin = ClientOrigin();
    Source->SetDockRect({origin.X, origin.Y, origin.X + Width(), origin.Y + Height()});
    if (OnDockOver) OnDockOver(this, Source, X, Y, State, Accept);
}

TControl* TQxPageControl::DockClientAt(TPoint P) {
    if (!DockSite()) return nullptr;
    TQxTabSheet* page = PageOfTab(TabAtPos(P));
    if (!page || page->ControlCount() == 0) return nullptr;
    TControl* client = page->Controls(0);
    return client->HostDockSite() == this ? client : nullptr;
}

void TQxPageControl::CMDockNotification(TMessage& Message) {
    auto* client = reinterpret_cast<TControl*>(Message.WParam);
    if (TQxTabSheet* page = DockPageOf(client)) {
        if (Message.LParam == WM_SETTEXT) {
            String text = client->Caption();
            text = text.substr(0, text.find_first_of("\r\n"));
            page->SetCaption(text);
        } else if (Message.LParam == CM_VISIBLECHANGED)
            page->SetTabVisible(client->Visible());
    }
    TQxCustomTabControl::Dispatch(Message);
}

// ================================================================ loading

void TQxPageControl::Loaded() {
    // Events stay silent while the tab control settles its own state. The
    // first layout takes the stored TabIndex (a stored ActivePage names its
    // own tab first); when its repair moves the current tab off a tab that
    // cannot be selected, that tab's page becomes the active page, and the
    // page to show is the active page after it.
    TRestoreOnExit<bool> loading(FLoadingPages, true);
    TQxCustomTabControl::Loaded();
    RequestLayout();
    LayoutIfNeeded();
    FTabIndex = -1;
    TQxTabSheet* active = FActivePage;
    if (FActivePageDefault && FActivePageDefault != active) {
        if (active) active->ShowPage(false);
        active = FActivePageDefault;
    }
    FActivePage = nullptr;
    RequestLayout();
    // A page whose tab cannot be current (ActivePageDefault's disabled tab)
    // gives way as a stored tab that cannot does: the repair takes the
    // nearest tab allowed, forward first, and shows its page; with no tab
    // allowed no page shows.
    const Integer t = active ? active->TabIndex() : -1;
    if (t >= 0 && !TabSelectable(t)) {
        FTabIndex = t;
        LayoutIfNeeded();
        if (!FActivePage) FTabIndex = -1;
        return;
    }
    SetActivePage(active);
}

const TClassInfo& TQxPageControl::ClassInfo() {
    static const TClassInfo& info = [] () -> const TClassInfo& {
        TClassBuilder<TQxPageControl> b("TQxPageControl", &TQxCustomTabControl::ClassInfo());
        PublishTabControlProperties(b);
        b.Property("ActivePage", &TQxPageControl::ActivePage, &TQxPageControl::SetActivePage)
            .Property("ActivePageDefault", &TQxPageControl::ActivePageDefault, &TQxPageControl::SetActivePageDefault)
            .Property("SaveResources", &TQxPageControl::SaveResources, &TQxPageControl::SetSaveResources)
            .Default(false)
            .Property("DblClickUndocks", &TQxPageControl::DblClickUndocks, &TQxPageControl::SetDblClickUndocks)
            .Default(true);
        return b.Register();
    }();
    return info;
}
