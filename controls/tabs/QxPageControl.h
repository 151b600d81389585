#pragma once
// TQxPageControl: the tab control whose tabs are its pages.
//
// Each TQxTabSheet is one page: a container that fills the card and holds
// the page's controls, and that supplies its tab's caption, colour, images
// and flags. The page control keeps the pages in page order and rebuilds
// the tab list from the pages whose TabVisible is set whenever it lays out,
// so a page's tab index counts only the pages with a tab before it.
//
// Exactly one page shows: the active one. A page change (from a click, a
// key, ActivePage or a closed page) runs inside DoChanging, before TabIndex
// is stored, so a refused change leaves everything as it was: the old page
// showing, no new one made visible. The focus moves with the page when it
// was inside the old one.
//
// While the form loads, ActivePage and TabIndex are only stored; Loaded
// settles the current page, preferring ActivePageDefault, without events.
//
// As a dock site (DockSite), each client docked by code (ManualDock) gets a
// new page, captioned like the client when it is a form; the page's tab
// follows the client's visibility and caption, and the page goes when the
// client leaves. A double click on such a tab floats the client; pressing
// it starts a drag of the client (a dkDock client released where no site
// takes it floats).

#include "controls/tabs/QxTabControl.h"

class TQxPageControl;

// Posted by a page control to itself: free the page (LParam) whose docked
// client has left it.
inline constexpr Cardinal QM_FREEDOCKPAGE = 0xB3F0;

class TQxTabSheet : public TCustomControl {
public:
    QUENTA_PUBLISHED
    explicit TQxTabSheet(TComponent* AOwner);
    void BeforeDestruction() override;

    TQxPageControl* PageControl() const { return FPageControl; }
    virtual void SetPageControl(TQxPageControl* Value);
    Integer PageIndex() const;
    // Raises EQxTabControlError for an index outside the page list.
    virtual void SetPageIndex(Integer Value);
    // The tab's index: pages with a tab before it; -1 without a tab.
    Integer TabIndex() const;
    Integer ImageIndex() const { return FImageIndex; }
    virtual void SetImageIndex(Integer Value);
    Integer DisabledIndex() const { return FDisabledIndex; }
    virtual void SetDisabledIndex(Integer Value);
    bool TabEnabled() const { return FTabEnabled; }
    virtual void SetTabEnabled(bool Value);
    bool TabVisible() const { return FTabVisible; }
    virtual void SetTabVisible(bool Value);
    // A page's visibility belongs to its page control: raises
    // EQxTabControlError "You cannot change the Visible property of a page".
    void SetVisible(bool Value) override;
    void SetColor(TColor Value) override;
    void SetParentComponent(TComponent* Value) override;
    void Dispatch(TMessage& Message) override;

    TQxPaintBackgroundEvent OnPaintBackground;
    TNotifyEvent OnHide;
    TNotifyEvent OnShow;

protected:
    void AssignTo(TPersistent* Dest) override;
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    virtual void DoHide();
    virtual void DoShow();

private:
    friend class TQxPageControl;
    // Shows or hides the page as its page control decides. OnShow or OnHide
    // fires once the page's visibility has changed (its handler may free
    // the page control and the page); false when the page went.
    bool ShowPage(bool Value);
    void FireShowEvent();
    void ReleaseWindow() {
        if (HandleAllocated()) DestroyHandle();
    }
    void RelayoutPageControl();

    TQxPageControl* FPageControl = nullptr;
    Integer FDisabledIndex = -1;
    Integer FImageIndex = -1;
    bool FTabEnabled = true;
    bool FTabVisible = true;
    bool FDeferShowEvent = false; // ShowPage runs: OnShow or OnHide waits for its end
    bool FShowEventDue = false;
    TQxLiveness FLiveness;
};

class TQxPageControl : public TQxCustomTabControl {
public:
    QUENTA_PUBLISHED
    explicit TQxPageControl(TComponent* AOwner);
    ~TQxPageControl() override;

    Integer PageCount() const { return static_cast<Integer>(FPages.size()); }
    TQxTabSheet* Pages(Integer Index) const;
    TQxTabSheet* ActivePage() const { return FActivePage; }
    virtual void SetActivePage(TQxTabSheet* Value);
    TQxTabSheet* ActivePageDefault() const { return FActivePageDefault; }
    void SetActivePageDefault(TQxTabSheet* Value);
    Integer ActivePageIndex() const;
    virtual void SetActivePageIndex(Integer Value);
    bool SaveResources() const { return FSaveResources; }
    virtual void SetSaveResources(bool Value);
    bool DblClickUndocks() const { return FDblClickUndocks; }
    void SetDblClickUndocks(bool Value) { FDblClickUndocks = Value; }
    // The next page from Page (with a tab when OnlyWithTab), round the list.
    TQxTabSheet* FindNextPage(TQxTabSheet* Page, bool Forward, bool OnlyWithTab) const;
    void SelectNextPage(bool Forward);
    // Showing one of the pages (and so any control inside it) makes that
    // page active.
    void ShowControl(TControl* AControl) override;
    // The page whose tab has index Index (nullptr when none).
    TQxTabSheet* PageOfTab(Integer Index) const;

    // The client docked in the page whose tab lies under P (client
    // coordinates), or nullptr.
    TControl* DockClientAt(TPoint P);
    void HideAllTabs() override;
    void ShowAllTabs() override;
    void RequestLayout() override;
    void SetUseColoredTabs(bool Value) override;
    void Loaded() override;
    void Dispatch(TMessage& Message) override;

protected:
    void DoChanging(Integer NewIndex, bool& AllowChange) override;
    void DoChange() override;
    void DoPageChange() override;
    void DoPaintCardBackground(TCanvas* ACanvas, Integer ARow, const TRect& ARect, bool& Handled) override;
    void CloseActiveTab() override;
    void MoveActiveTab(Integer NewIndex) override;
    void CreateParams(TCreateParams& Params) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Docking: each client docks into a new page of its own; the page goes
    // when its client leaves.
    void DoAddDockClient(TControl* Client, const TRect& ARect) override;
    void DoRemoveDockClient(TControl* Client) override;

public:
    // A client already docked in one of the pages may not dock again.
    void GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos, bool& CanDock) override;
    // The whole control is where a client docks.
    void DockOver(TDragDockObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) override;

private:
    friend class TQxTabSheet;
    void InsertPage(TQxTabSheet* Page);
    void RemovePage(TQxTabSheet* Page);
    void MovePage(TQxTabSheet* Page, Integer NewIndex);
    // Makes Page the one page shown, moving the focus with it.
    void ChangeActivePage(TQxTabSheet* Page);
    void CMDialogKey(TMessage& Message);
    void CMDockNotification(TMessage& Message);
    // The page a client docked here lives in, or nullptr.
    TQxTabSheet* DockPageOf(TControl* Client) const;

    TQxTabSheet* FActivePage = nullptr;
    TQxTabSheet* FActivePageDefault = nullptr;
    std::vector<TQxTabSheet*> FPages;
    // The page made for a client while it docks.
    TQxTabSheet* FNewDockSheet = nullptr;
    bool FDblClickUndocks = true;
    // Set while Loaded settles the control: no events fire.
    bool FLoadingPages = false;
    bool FSaveResources = false;
};
