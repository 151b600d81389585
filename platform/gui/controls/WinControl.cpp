#include "platform/gui/controls/WinControl.h"
#include "platform/gui/controls/CustomForm.h"
#include "platform/gui/controls/DockTree.h"
#include "platform/gui/controls/GuiGuards.h"
#include "platform/gui/gdi/RasterAccess.h"
#include "platform/gui/controls/Screen.h"
#include "platform/gui/controls/WindowInput.h"
#include "platform/gui/controls/WindowSurface.h"

#include <algorithm>
#include <unordered_map>

namespace {

TWinControl* gFocused = nullptr;

std::unordered_map<HWND, TWinControl*>& Windows() {
    static std::unordered_map<HWND, TWinControl*> windows;
    return windows;
}

template <class T> void Erase(std::vector<T*>& V, const void* Item) {
    auto it = std::find(V.begin(), V.end(), Item);
    if (it != V.end()) V.erase(it);
}

// Device contexts on a window's surface, for GetDC(Handle).
void InstallWindowDCProvider() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    SetWindowDCProvider([](HWND Wnd) -> HDC {
        TWinControl* w = FindControl(Wnd);
        if (!w) return nullptr;
        return TWindowAccess::WindowDC(w);
    });
}

} // namespace

// ================================================================ construction

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), FBrush(std::make_unique<TBrush>()) {
    FBrush->SetColor(Color());
    FUpdateRgn = CreateRectRgn(0, 0, 0, 0);
}

TWinControl::~TWinControl() {
    // Normally done in BeforeDestruction while the control was whole.
    while (!FWinControls.empty())
        FWinControls.back()->Free();
    while (!FControls.empty())
        FControls.back()->Free();
    if (FHandle) DestroyWnd();
    if (gFocused == this) gFocused = nullptr;
    DeleteObject(AsGdiObj(FUpdateRgn));
}

void TWinControl::BeforeDestruction() {
    SetComponentStateFlag(csDestroying, true);
    if (Parent()) RemoveFocus(true);
    if (gFocused == this) FocusWindow(nullptr);
    while (ControlCount() > 0)
        Controls(ControlCount() - 1)->Free();
    DestroyHandle();
    TControl::BeforeDestruction();
}

// ================================================================ children

Integer TWinControl::ControlCount() const {
    return static_cast<Integer>(FControls.size() + FWinControls.size());
}

TControl* TWinControl::Controls(Integer Index) const {
    if (Index < 0 || Index >= ControlCount())
        throw EListError(Format("List index out of bounds (%d)", {Index}));
    size_t i = static_cast<size_t>(Index);
    return i < FControls.size() ? FControls[i] : FWinControls[i - FControls.size()];
}

void TWinControl::InsertControl(TControl* AControl) {
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        FWinControls.push_back(w);
        FTabList.push_back(w);
    } else {
        FControls.push_back(AControl);
    }
    AControl->FParent = this;
    AControl->UpdateAnchorRules();
    if (!AControl->HasState(csReading)) {
        AControl->Perform(CM_PARENTCOLORCHANGED);
        AControl->Perform(CM_PARENTFONTCHANGED);
        AControl->Perform(CM_PARENTSHOWHINTCHANGED);
        AControl->Perform(CM_PARENTBIDIMODECHANGED);
        AControl->Perform(CM_PARENTCTL3DCHANGED);
        if (auto* w = dynamic_cast<TWinControl*>(AControl))
            w->UpdateControlState();
        else if (HandleAllocated())
            AControl->Invalidate();
        AlignControl(AControl);
    }
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl) {
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
    // A client leaves its site also when it leaves a container inside the
    // site (a page control docks each client into a page of its own).
    if (TWinControl* site = AControl->FHostDockSite; site && site->ContainsControl(this))
        TDockAccess::Undocked(site, AControl);
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        w->RemoveFocus(true);
        w->DestroyHandle();
        Erase(FWinControls, w);
        Erase(FTabList, w);
    } else {
        if (HandleAllocated()) AControl->InvalidateControl(AControl->Visible(), false);
        Erase(FControls, AControl);
    }
    TControl* capture = GetCaptureControl();
    if (capture && (capture == AControl || (dynamic_cast<TWinControl*>(AControl) &&
                                            static_cast<TWinControl*>(AControl)->ContainsControl(capture))))
        SetCaptureControl(nullptr);
    ForgetMouseControl(AControl);
    AControl->FParent = nullptr;
    Realign();
}

bool TWinControl::ContainsControl(const TControl* Control) const {
    while (Control && Control != this)
        Control = Control->Parent();
    return Control == this;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls) const {
    auto hit = [&](TControl* c) {
        if (!c->Visible() || !(c->Enabled() || AllowDisabled) || !PtInRect(c->BoundsRect(), Pos))
            return false;
        TPoint p{Pos.X - c->Left(), Pos.Y - c->Top()};
        return c->Perform(CM_HITTEST, 0, PointToLParam(p)) != 0;
    };
    if (AllowWinControls)
        for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
            if (hit(*it)) return *it;
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if (hit(*it)) return *it;
    return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
    for (Integer i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->WindowProc ? c->WindowProc(Message) : c->WndProc(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(Cardinal Msg) {
    TMessage m = MakeMessage(Msg);
    Broadcast(m);
}

void TWinControl::SetChildZOrder(TControl* Child, bool TopMost) {
    auto move = [&](auto& list) {
        auto it = std::find(list.begin(), list.end(), Child);
        if (it == list.end()) return;
        auto* item = *it;
        list.erase(it);
        if (TopMost)
            list.push_back(item);
        else
            list.insert(list.begin(), item);
    };
    if (auto* w = dynamic_cast<TWinControl*>(Child)) {
        move(FWinControls);
        if (w->FSurface) TWindowAccess::Restack(this);
    } else {
        move(FControls);
        Child->Invalidate();
    }
}

// ================================================================ alignment

void TWinControl::DisableAlign() {
    ++FAlignLevel;
}

void TWinControl::EnableAlign() {
    if (FAlignLevel > 0) --FAlignLevel;
    if (FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::AlignControl(TControl* AControl) {
    if (HasState(csDestroying)) return;
    if (FAlignLevel != 0 || HasState(csLoading)) {
        FControlState << csAlignmentNeeded;
        return;
    }
    TAlignLock lock(this);
    // Whatever asked for alignment meanwhile is served by this pass (the
    // request is dropped before the lock goes, so it does not realign again).
    TScopeExit served([this] { FControlState >> csAlignmentNeeded; });
    TRect r = ClientRect();
    AlignControls(AControl, r);
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    // Unaligned controls keep to the sides they are anchored to, measured
    // against the whole client area as their anchors were (Rect may be a
    // part of it, a tab control's card).
    const TRect client = ClientRect();
    for (Integer i = 0; i < ControlCount(); ++i)
        Controls(i)->AnchorTo(client.Width(), client.Height());
    AdjustClientRect(Rect);
    // Within one side, controls keep their order along it; the control being
    // placed goes first among equals.
    auto before = [](TControl* a, TControl* b, TAlign align) {
        switch (align) {
        case alTop:
            return a->Top() < b->Top();
        case alBottom:
            return a->Top() + a->Height() >= b->Top() + b->Height();
        case alLeft:
            return a->Left() < b->Left();
        case alRight:
            return a->Left() + a->Width() >= b->Left() + b->Width();
        default:
            return false;
        }
    };
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        if (AControl && AControl->Parent() == this && AControl->Align() == align && AControl->Visible())
            list.push_back(AControl);
        for (Integer i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (c == AControl || c->Align() != align || !c->Visible()) continue;
            size_t j = 0;
            while (j < list.size() && !before(c, list[j], align))
                ++j;
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), c);
        }
        for (TControl* c : list) {
            Integer l = Rect.Left, t = Rect.Top, w = Rect.Width(), h = Rect.Height();
            switch (align) {
            case alTop:
                h = c->Height();
                break;
            case alBottom:
                h = c->Height();
                t = Rect.Bottom - h;
                break;
            case alLeft:
                w = c->Width();
                break;
            case alRight:
                w = c->Width();
                l = Rect.Right - w;
                break;
            default:
                break;
            }
            c->SetBounds(l, t, std::max(w, 0), std::max(h, 0));
            // The control's actual size (its constraints) decides what is left.
            switch (align) {
            case alTop:
                Rect.Top += c->Height();
                break;
            case alBottom:
                Rect.Bottom -= c->Height();
                break;
            case alLeft:
                Rect.Left += c->Width();
                break;
            case alRight:
                Rect.Right -= c->Width();
                break;
            default:
                break;
            }
        }
    }
}

// ================================================================ the window

HWND TWinControl::Handle() {
    HandleNeeded();
    return FHandle;
}

void TWinControl::HandleNeeded() {
    if (FHandle) return;
    if (Parent()) Parent()->HandleNeeded();
    CreateHandle();
}

void TWinControl::CreateHandle() {
    if (FHandle) return;
    CreateWnd();
    TWindowAccess::Restack(Parent());
}

void TWinControl::CreateParams(TCreateParams& Params) {
    Params = TCreateParams();
    Params.Caption = Text();
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (!Enabled()) Params.Style |= WS_DISABLED;
    if (FTabStop) Params.Style |= WS_TABSTOP;
    Params.X = Left();
    Params.Y = Top();
    Params.Width = Width();
    Params.Height = Height();
    if (Parent()) Params.WndParent = Parent()->FHandle;
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if (params.WndParent == 0 && (params.Style & WS_CHILD))
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    FParams = params;
    InstallWindowDCProvider();
    CreateWindowHandle(params);
    if (!FHandle) throw EOSError("Error creating window for " + Name());
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
    FHandle = AllocateHWnd([this](TMessage& M) {
        if (WindowProc)
            WindowProc(M);
        else
            WndProc(M);
    });
    Windows()[FHandle] = this;
    FSurface = CreateWindowSurface(this, Params);
    // A new window is painted whole.
    SetRectRgn(FUpdateRgn, 0, 0, Width(), Height());
    FEraseNeeded = true;
}

void TWinControl::DestroyHandle() {
    if (!FHandle) return;
    for (TWinControl* w : FWinControls)
        w->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd() {
    FShowing = false;
    if (FSurface) {
        TWindowSurface* s = FSurface;
        FSurface = nullptr;
        DestroyWindowSurface(s);
    }
    Windows().erase(FHandle);
    DeallocateHWnd(FHandle);
    FHandle = 0;
    SetRectRgn(FUpdateRgn, 0, 0, 0, 0);
    FEraseNeeded = false;
}

void TWinControl::RecreateWnd() {
    if (FHandle) Perform(CM_RECREATEWND);
}

void TWinControl::SetParent(TWinControl* AParent) {
    if (AParent == Parent()) return;
    // The window belongs to the old parent's window; it is made anew.
    if (FHandle) DestroyHandle();
    TControl::SetParent(AParent);
}

void TWinControl::UpdateControlState() {
    const TWinControl* c = this;
    while (c->Parent()) {
        c = c->Parent();
        if (!c->FShowing) return;
    }
    if (dynamic_cast<const TCustomForm*>(c)) UpdateShowing();
}

void TWinControl::UpdateShowing(bool ParentShowing) {
    const bool show = ParentShowing && Visible() && !FControlState.Contains(csReadingState);
    if (show) {
        if (!FHandle) CreateHandle();
        for (size_t i = 0; i < FWinControls.size(); ++i)
            FWinControls[i]->UpdateShowing(true);
    }
    if (FHandle && FShowing != show) {
        FShowing = show;
        TScopeExit undo([this, show] { FShowing = !show; });
        Perform(CM_SHOWINGCHANGED);
        undo.Release();
    }
    // A hidden window's children are not showing either.
    if (!show)
        for (size_t i = 0; i < FWinControls.size(); ++i)
            FWinControls[i]->UpdateShowing(false);
}

TRect TWinControl::ClientRect() const {
    return WindowClientRect();
}

TRect TWinControl::WindowClientRect() const {
    return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin() const {
    return TControl::ClientOrigin();
}

void TWinControl::BoundsChanged(const TRect& OldBounds) {
    if (!FSurface) return;
    TWindowAccess::ApplyGeometry(this);
    const Integer w = Width(), h = Height();
    const bool redraw = (FParams.WindowClassStyle & (CS_HREDRAW | CS_VREDRAW)) != 0;
    if (redraw) {
        InvalidateRect(nullptr, true);
    } else {
        // Only what the new size uncovers needs painting.
        if (w > OldBounds.Width()) {
            TRect r{OldBounds.Width(), 0, w, h};
            InvalidateRect(&r, true);
        }
        if (h > OldBounds.Height()) {
            TRect r{0, OldBounds.Height(), w, h};
            InvalidateRect(&r, true);
        }
    }
}

// ================================================================ painting

void TWinControl::InvalidateRect(const TRect* R, bool Erase) {
    if (!FHandle) return;
    TRect client = WindowClientRect();
    TRect r = client;
    if (R && !IntersectRect(r, *R, client)) return;
    HRGN add = CreateRectRgnIndirect(&r);
    CombineRgn(FUpdateRgn, FUpdateRgn, add, RGN_OR);
    DeleteObject(AsGdiObj(add));
    if (Erase) FEraseNeeded = true;
    if (FSurface) TWindowAccess::Present(this, r);
}

void TWinControl::Invalidate() {
    InvalidateRect(nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Update() {
    PaintInvalid();
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::PaintInvalid() {
    if (!FHandle || !FSurface) return;
    TRect box;
    if (GetRgnBox(FUpdateRgn, &box) == NULLREGION) return;
    // The marks are taken now: what is invalidated while painting is painted next time.
    HRGN region = FUpdateRgn;
    FUpdateRgn = CreateRectRgn(0, 0, 0, 0);
    const bool erase = FEraseNeeded;
    FEraseNeeded = false;
    {
        HDC dc = TWindowAccess::SurfaceDC(this);
        TScopeExit free([dc, region] {
            DeleteDC(dc);
            DeleteObject(AsGdiObj(region));
        });
        SetDCSystemClip(dc, &box);
        SelectClipRgn(dc, region);
        if (erase) Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
        Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
    }
    TWindowAccess::Present(this, box);
}

void TWinControl::PaintHandler(HDC DC) {
    if (FControls.empty()) {
        PaintWindow(DC);
    } else {
        // Opaque graphic children cover their area: the window does not paint it.
        TSavedDC saved(DC);
        Integer clip = SIMPLEREGION;
        for (TControl* c : FControls)
            if (c->Visible() && c->ControlStyle().Contains(csOpaque)) {
                clip =
                    ExcludeClipRect(DC, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
                if (clip == NULLREGION) break;
            }
        if (clip != NULLREGION) PaintWindow(DC);
    }
    PaintControls(DC, nullptr);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
    size_t start = 0;
    if (First) {
        auto it = std::find(FControls.begin(), FControls.end(), First);
        if (it != FControls.end()) start = static_cast<size_t>(it - FControls.begin());
    }
    // A painting child may change the list; walk it by index.
    for (size_t i = start; i < FControls.size(); ++i) {
        TControl* c = FControls[i];
        if (!c->Visible()) continue;
        TRect r = c->BoundsRect();
        if (!RectVisible(DC, &r)) continue;
        TSavedDC saved(DC);
        OffsetViewportOrgEx(DC, c->Left(), c->Top(), nullptr);
        IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC));
    }
}

void TWinControl::PaintControlsNow(TControl* First) {
    if (!FHandle || !FSurface) return;
    TRect r = First->BoundsRect();
    {
        HDC dc = TWindowAccess::SurfaceDC(this);
        TScopeExit free([dc] { DeleteDC(dc); });
        IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
        PaintControls(dc, First);
    }
    TWindowAccess::Present(this, r);
}

void TWinControl::PaintTo(HDC DC, Integer X, Integer Y) {
    TSavedDC saved(DC);
    OffsetViewportOrgEx(DC, X, Y, nullptr);
    IntersectClipRect(DC, 0, 0, Width(), Height());
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC));
    Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(DC), PRF_CLIENT);
    for (TWinControl* w : FWinControls)
        if (w->Visible()) w->PaintTo(DC, w->Left(), w->Top());
}

void TWinControl::WMPaint(TMessage& Message) {
    if (Message.WParam)
        PaintHandler(reinterpret_cast<HDC>(Message.WParam));
    else
        PaintInvalid();
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
    TRect r = WindowClientRect();
    FillRect(reinterpret_cast<HDC>(Message.WParam), &r, FBrush->Handle());
    Message.Result = 1;
}

void TWinControl::WMPrintClient(TMessage& Message) {
    if (Message.Result == 1) return;
    if ((Message.LParam & PRF_CHECKVISIBLE) && !Visible()) return;
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    TSavedDC saved(dc);
    PaintHandler(dc);
}

void TWinControl::WMSize(TMessage& Message) {
    Realign();
    if (!HasState(csLoading)) Resize();
}

// ================================================================ focus

void TWinControl::SetTabStop(bool Value) {
    if (Value == FTabStop) return;
    FTabStop = Value;
    Perform(CM_TABSTOPCHANGED);
}

Integer TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    auto& list = Parent()->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<Integer>(it - list.begin());
}

void TWinControl::SetTabOrder(Integer Value) {
    if (HasState(csLoading) || !Parent()) {
        FPendingTabOrder = Value;
        return;
    }
    auto& list = Parent()->FTabList;
    Integer cur = TabOrder();
    if (cur < 0) return;
    Integer count = static_cast<Integer>(list.size());
    if (Value < 0 || Value >= count) Value = count - 1;
    if (Value == cur) return;
    list.erase(list.begin() + cur);
    list.insert(list.begin() + Value, this);
}

void TWinControl::FixupTabList() {
    // Tab orders read from a form description, applied once all siblings
    // exist: each control with one takes that place, the others fill the
    // remaining places in their present order.
    const size_t n = FTabList.size();
    std::vector<TWinControl*> placed(n, nullptr), rest;
    bool any = false;
    for (TWinControl* c : FTabList) {
        const Integer wanted = c->FPendingTabOrder;
        c->FPendingTabOrder = -1;
        if (wanted >= 0 && static_cast<size_t>(wanted) < n && !placed[static_cast<size_t>(wanted)]) {
            placed[static_cast<size_t>(wanted)] = c;
            any = true;
        } else {
            rest.push_back(c);
        }
    }
    if (!any) return;
    auto next = rest.begin();
    for (auto& slot : placed)
        if (!slot) slot = *next++;
    FTabList = placed;
}

bool TWinControl::CanFocus() const {
    const TCustomForm* form = GetParentForm(this);
    if (!form) return false;
    for (const TControl* c = this; c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return form->Visible() && form->Enabled();
}

bool TWinControl::Focused() const {
    return gFocused == this;
}

void TWinControl::SetFocus() {
    TCustomForm* form = GetParentForm(this);
    if (form)
        form->FocusControl(this);
    else
        ValidParentForm(this);
}

void TWinControl::ShowControl(TControl* AControl) {
    if (Parent()) Parent()->ShowControl(this);
}

void TWinControl::SelectFirst() {
    TCustomForm* form = GetParentForm(this);
    if (!form) return;
    TWinControl* c = FindNextControl(nullptr, true, true, false);
    if (!c) c = FindNextControl(nullptr, true, false, false);
    if (c) form->SetActiveControl(c);
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
    if (next) next->SetFocus();
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const Integer count = static_cast<Integer>(list.size());
    auto found = std::find(list.begin(), list.end(), CurControl);
    Integer start =
        found == list.end() ? (GoForward ? count - 1 : 0) : static_cast<Integer>(found - list.begin());
    Integer i = start;
    do {
        i = GoForward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c->CanFocus() && (!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
    for (TWinControl* c : FTabList) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

void TWinControl::RemoveFocus(bool Removing) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, Removing);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

// ================================================================ keyboard

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char32_t& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

bool TWinControl::DoKeyDown(TMessage& Message) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyDown(Message)) return true;
    if (FControlStyle.Contains(csNoStdEvents)) return false;
    Word key = static_cast<Word>(Message.WParam);
    KeyDown(key, KeyDataToShiftState(Message.LParam));
    if (key == 0) return true;
    Message.WParam = key;
    return false;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyPress(Message)) return true;
    if (FControlStyle.Contains(csNoStdEvents)) return false;
    char32_t c = static_cast<char32_t>(Message.WParam);
    KeyPress(c);
    if (c == 0) return true;
    Message.WParam = c;
    return false;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyUp(Message)) return true;
    if (FControlStyle.Contains(csNoStdEvents)) return false;
    Word key = static_cast<Word>(Message.WParam);
    KeyUp(key, KeyDataToShiftState(Message.LParam));
    if (key == 0) return true;
    Message.WParam = key;
    return false;
}

void TWinControl::CNKeyDown(TMessage& Message) {
    Message.Result = 1;
    if (Perform(CM_CHILDKEY, Message.WParam, reinterpret_cast<LPARAM>(this)) != 0) return;
    LRESULT mask = 0;
    switch (Message.WParam) {
    case VK_TAB:
        mask = DLGC_WANTTAB;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        mask = DLGC_WANTARROWS;
        break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
        mask = DLGC_WANTALLKEYS;
        break;
    default:
        break;
    }
    // A dialog key the control does not want goes to its form.
    if (mask != 0 && Perform(CM_WANTSPECIALKEY, Message.WParam, Message.LParam) == 0 &&
        (Perform(WM_GETDLGCODE) & mask) == 0) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0) return;
    }
    Message.Result = 0;
}

void TWinControl::CNChar(TMessage& Message) {
    // A character the control does not want may be an accelerator.
    if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0) {
            Message.Result = 1;
            return;
        }
    }
    Message.Result = 0;
}

void TWinControl::CNSysChar(TMessage& Message) {
    Message.Result = 0;
    if (Message.WParam == VK_SPACE) return;
    if (TCustomForm* form = GetParentForm(this))
        Message.Result = form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam);
}

// ================================================================ messages

void TWinControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETFOCUS:
        if (TCustomForm* form = GetParentForm(this))
            if (!form->SetFocusedControl(this)) return;
        break;
    case WM_KILLFOCUS:
        if (FControlState.Contains(csFocusing)) return;
        break;
    default:
        if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && IsControlMouseMsg(Message)) return;
        break;
    }
    TControl::WndProc(Message);
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
    // WM_MOUSEWHEEL carries a screen point and goes to the focused window.
    if (Message.Msg == WM_MOUSEWHEEL) return false;
    TControl* control = nullptr;
    TControl* capture = GetCaptureControl();
    if (capture && GetCapture() == FHandle && FHandle) {
        if (capture->Parent() == this && !dynamic_cast<TWinControl*>(capture)) control = capture;
    } else if (!capture) {
        control = ControlAtPos(LParamToPoint(Message.LParam), false);
    }
    if (!control) return false;
    TPoint p = LParamToPoint(Message.LParam);
    p.X -= control->Left();
    p.Y -= control->Top();
    Message.Result = control->Perform(Message.Msg, Message.WParam, PointToLParam(p));
    return true;
}

void TWinControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT:
        WMPaint(Message);
        break;
    case WM_ERASEBKGND:
        WMEraseBkgnd(Message);
        break;
    case WM_PRINTCLIENT:
        WMPrintClient(Message);
        break;
    case WM_SIZE:
        WMSize(Message);
        break;
    case WM_GETDLGCODE:
        WMGetDlgCode(Message);
        break;
    case WM_SETCURSOR:
        WMSetCursor(Message);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        if (DoKeyDown(Message)) break;
        // Shift+F10 asks for the menu at the control, as the context-menu
        // key does.
        const TShiftState shift = KeyDataToShiftState(Message.LParam);
        if (Message.WParam == VK_F10 && shift.Contains(ssShift) && !shift.Contains(ssAlt))
            Perform(WM_CONTEXTMENU, 0, PointToLParam({-1, -1}));
        else
            DefaultHandler(Message);
        break;
    }
    case WM_CHAR:
        if (!DoKeyPress(Message)) DefaultHandler(Message);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (DoKeyUp(Message)) break;
        // The context-menu key asks for the menu at the control.
        if (Message.WParam == VK_APPS)
            Perform(WM_CONTEXTMENU, 0, PointToLParam({-1, -1}));
        else
            DefaultHandler(Message);
        break;
    case CN_KEYDOWN:
        CNKeyDown(Message);
        break;
    case CN_SYSKEYDOWN:
        Message.Result = 0;
        break;
    case CN_CHAR:
        CNChar(Message);
        break;
    case CN_SYSCHAR:
        CNSysChar(Message);
        break;
    case CM_CHILDKEY:
        if (Parent()) Parent()->WindowProc(Message);
        break;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
        Broadcast(Message);
        break;
    case CM_ENTER:
        DoEnter();
        break;
    case CM_EXIT:
        DoExit();
        break;
    case CM_COLORCHANGED:
        CMColorChanged(Message);
        break;
    case CM_BIDIMODECHANGED:
        Invalidate();
        NotifyControls(CM_PARENTBIDIMODECHANGED);
        break;
    case CM_CTL3DCHANGED:
        Invalidate();
        NotifyControls(CM_PARENTCTL3DCHANGED);
        break;
    case CM_PARENTCTL3DCHANGED:
        CMParentCtl3DChanged(Message);
        break;
    case WM_NCCALCSIZE:
        if (auto* r = reinterpret_cast<TRect*>(Message.LParam)) AdjustForBevel(*r);
        break;
    case WM_NCPAINT:
        WMNCPaint(Message);
        break;
    case CM_FONTCHANGED:
        Invalidate();
        NotifyControls(CM_PARENTFONTCHANGED);
        break;
    case CM_SHOWHINTCHANGED:
        NotifyControls(CM_PARENTSHOWHINTCHANGED);
        break;
    case CM_ENABLEDCHANGED:
        if (!Enabled() && Parent()) RemoveFocus(false);
        Invalidate();
        break;
    case CM_VISIBLECHANGED:
        if (!Visible() && Parent()) RemoveFocus(false);
        UpdateControlState();
        break;
    case CM_SHOWINGCHANGED:
        TWindowAccess::ShowSurface(this, FShowing);
        break;
    case CM_RECREATEWND: {
        const bool wasFocused = Focused();
        FRecreating = true;
        DestroyHandle();
        UpdateControlState();
        FRecreating = false;
        if (wasFocused && FHandle) FocusWindow(this);
        break;
    }
    default:
        TControl::Dispatch(Message);
        break;
    }
}

void TWinControl::WMSetCursor(TMessage& Message) {
    // WParam: the window under the pointer; LParam: hit-test code and mouse message.
    if (Message.WParam != static_cast<WPARAM>(FHandle) ||
        static_cast<SmallInt>(LoWord(Message.LParam)) != HTCLIENT)
        return;
    TCursor cursor = Screen->Cursor();
    if (cursor == crDefault) {
        TControl* control = ControlAtPos(ScreenToClient(GetCursorPos()), false);
        if (control) cursor = control->Cursor();
        if (cursor == crDefault) cursor = Cursor();
    }
    ::SetCursor(Screen->Cursors(cursor == crDefault ? crArrow : cursor));
    Message.Result = 1;
}

void TWinControl::CMColorChanged(TMessage& Message) {
    FBrush->SetColor(Color());
    Invalidate();
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::DefaultHandler(TMessage& Message) {
    TControl::DefaultHandler(Message);
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (Parent()) Perform(CM_PARENTCTL3DCHANGED);
    FixupTabList();
    Realign();
}

// ================================================================ docking

void TWinControl::GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos, bool& CanDock) {
    const TPoint origin = ClientOrigin();
    InfluenceRect = {origin.X - 10, origin.Y - 10, origin.X + Width() + 10, origin.Y + Height() + 10};
    if (OnGetSiteInfo) OnGetSiteInfo(this, Client, InfluenceRect, MousePos, CanDock);
}

void TWinControl::DockOver(TDragDockObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
    TRect r = ClientRect();
    if (FDockManager) FDockManager->PositionDockRect(Source->Control(), nullptr, alNone, r);
    const TPoint origin = ClientOrigin();
    OffsetRect(r, origin.X, origin.Y);
    Source->SetDockRect(r);
    if (OnDockOver) OnDockOver(this, Source, X, Y, State, Accept);
}

void TWinControl::DockDrop(TDragDockObject* Source, Integer X, Integer Y) {
    if (!Source->Control()->ManualDock(this)) return;
    if (OnDockDrop) OnDockDrop(this, Source, X, Y);
}

bool TWinControl::DoUnDock(TWinControl* NewTarget, TControl* Client) {
    bool allow = true;
    if (OnUnDock) OnUnDock(this, Client, NewTarget, allow);
    return allow;
}

// ================================================================ handle calls

TWinControl* FocusedWindow() {
    return gFocused;
}

void FocusWindow(TWinControl* Control) {
    if (Control == gFocused) return;
    TWinControl* old = gFocused;
    gFocused = Control;
    if (old) old->Perform(WM_KILLFOCUS, Control && Control->HandleAllocated() ? Control->Handle() : 0);
    if (Control && gFocused == Control) {
        Control->Perform(WM_SETFOCUS, old && old->HandleAllocated() ? old->Handle() : 0);
        TWindowAccess::TakeKeyboard(Control);
    }
}

TWinControl* FindControl(HWND Wnd) {
    auto it = Windows().find(Wnd);
    return it == Windows().end() ? nullptr : it->second;
}

HWND GetFocus() {
    return gFocused && gFocused->HandleAllocated() ? gFocused->Handle() : 0;
}

HWND SetFocus(HWND Wnd) {
    HWND old = GetFocus();
    TWinControl* w = FindControl(Wnd);
    if (Wnd && !w) return 0;
    FocusWindow(w);
    return old;
}

HWND GetCapture() {
    TControl* c = GetCaptureControl();
    if (!c) return 0;
    auto* w = dynamic_cast<TWinControl*>(c);
    if (!w) w = c->Parent();
    return w && w->HandleAllocated() ? w->Handle() : 0;
}

HWND SetCapture(HWND Wnd) {
    HWND old = GetCapture();
    SetCaptureControl(FindControl(Wnd));
    return old;
}

bool ReleaseCapture() {
    SetCaptureControl(nullptr);
    return true;
}

bool IsWindowEnabled(HWND Wnd) {
    TWinControl* w = FindControl(Wnd);
    return w && w->Enabled();
}

bool IsWindowVisible(HWND Wnd) {
    TWinControl* w = FindControl(Wnd);
    return w && w->Showing();
}

bool InvalidateRect(HWND Wnd, const TRect* Rect, bool Erase) {
    TWinControl* w = FindControl(Wnd);
    if (!w) return false;
    w->InvalidateRect(Rect, Erase);
    return true;
}

bool UpdateWindow(HWND Wnd) {
    TWinControl* w = FindControl(Wnd);
    if (!w) return false;
    w->Update();
    return true;
}

const TClassInfo& TWinControl::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TWinControl>("TWinControl", &TControl::ClassInfo()).Register();
    return info;
}

// ---------------------------------------------------------------- scaling

void TWinControl::ChangeScale(Integer M, Integer D) {
    if (M == D || D == 0) return;
    // Children are placed by their scaled bounds, not realigned one by one.
    TAlignLock hold(this);
    for (Integer i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(M, D);
    TControl::ChangeScale(M, D);
    // The children's anchors keep to the scaled sizes, not to the old ones.
    for (Integer i = 0; i < ControlCount(); ++i) Controls(i)->UpdateAnchorRules();
}
