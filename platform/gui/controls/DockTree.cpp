#include "platform/gui/controls/DockTree.h"
#include "platform/gui/controls/Application.h"

#include <algorithm>

// ================================================================ the control tree's side

bool TControl::Floating() const {
    return dynamic_cast<TToolDockForm*>(FHostDockSite) != nullptr;
}

bool TControl::ManualDock(TWinControl* NewDockSite, TControl* DropControl, TAlign ControlSide) {
    if (!NewDockSite || !NewDockSite->DockSite())
        throw EInvalidOperation("Control '" + Name() + "' cannot be docked into " +
                                (NewDockSite ? "'" + NewDockSite->Name() + "', which is not a dock site"
                                             : String("nothing")) +
                                "; set the target's DockSite first");
    if (NewDockSite == FHostDockSite) return true;
    // The site the client leaves may keep it.
    if (FHostDockSite && !FHostDockSite->DoUnDock(NewDockSite, this)) return false;
    // A client leaving a tool window gives up the window's alignment.
    if (Floating()) SetAlign(alNone);
    const TRect bounds = BoundsRect();
    NewDockSite->DoAddDockClient(this, bounds); // the old site lets go as the parent changes
    // The site took the client as its child or into a container of its own.
    if (!NewDockSite->ContainsControl(Parent())) return false;
    NewDockSite->FDockClients.push_back(this);
    FHostDockSite = NewDockSite;
    NewDockSite->UpdateDockManager();
    if (IDockManager* manager = NewDockSite->DockManager())
        manager->InsertControl(this, ControlSide, DropControl);
    return true;
}

bool TControl::ManualFloat(const TRect& ScreenPos) {
    auto* host = new TToolDockForm(Application);
    host->SetClientSize(ScreenPos.Width(), ScreenPos.Height());
    const TRect frame = host->FrameMetrics();
    host->SetBounds(ScreenPos.Left - frame.Left, ScreenPos.Top - frame.Top, host->Width(), host->Height());
    host->SetCaption(Caption());
    ManualDock(host);
    if (Visible()) host->Show();
    return true;
}

TControl* TWinControl::DockClients(Integer Index) const {
    if (Index < 0 || Index >= DockClientCount())
        throw EListError(Format("List index out of bounds (%d)", {Index}));
    return FDockClients[static_cast<size_t>(Index)];
}

void TWinControl::SetDockSite(bool Value) {
    if (Value == FDockSite) return;
    FDockSite = Value;
    UpdateDockManager();
}

void TWinControl::SetUseDockManager(bool Value) {
    if (Value == FUseDockManager) return;
    FUseDockManager = Value;
    UpdateDockManager();
}

void TWinControl::UpdateDockManager() {
    const bool wanted = FDockSite && FUseDockManager;
    if (wanted && !FDockManager) {
        FDockManager = CreateDockManager();
        if (FDockManager)
            for (TControl* c : FDockClients)
                FDockManager->InsertControl(c, alNone, nullptr);
    } else if (!wanted && FDockManager) {
        FDockManager.reset();
    }
}

std::unique_ptr<IDockManager> TWinControl::CreateDockManager() {
    return std::make_unique<TDockTree>(this);
}

void TWinControl::DoAddDockClient(TControl* Client, const TRect& ARect) {
    Client->SetParent(this);
}

void TDockAccess::Undocked(TWinControl* Site, TControl* Client) {
    auto& clients = Site->FDockClients;
    clients.erase(std::remove(clients.begin(), clients.end(), Client), clients.end());
    Client->FHostDockSite = nullptr;
    if (Site->FDockManager) Site->FDockManager->RemoveControl(Client);
    Site->DoRemoveDockClient(Client);
}

// ================================================================ TDockTree

TDockTree::TDockTree(TWinControl* DockSite) : FDockSite(DockSite) {
    FOldWndProc = FDockSite->WindowProc;
    FDockSite->WindowProc = [this](TMessage& M) { WindowProc(M); };
}

TDockTree::~TDockTree() {
    FDockSite->WindowProc = FOldWndProc;
    if (FPressedClient && FDockSite->MouseCapture()) FDockSite->SetMouseCapture(false);
}

bool TDockTree::GrabbersOnTop() const {
    return FDockSite->Align() != alTop && FDockSite->Align() != alBottom;
}

void TDockTree::BeginUpdate() {
    ++FUpdateCount;
}

void TDockTree::EndUpdate() {
    if (FUpdateCount > 0) --FUpdateCount;
    if (FUpdateCount == 0 && FLayoutPending) Layout();
}

std::vector<TControl*> TDockTree::VisibleClients() const {
    std::vector<TControl*> list;
    for (TControl* c : FClients)
        if (c->Visible()) list.push_back(c);
    return list;
}

void TDockTree::GetControlBounds(TControl* Control, TRect& CtlBounds) {
    CtlBounds = TRect();
    const std::vector<TControl*> shown = VisibleClients();
    auto it = std::find(shown.begin(), shown.end(), Control);
    if (it == shown.end()) return;
    const Integer n = static_cast<Integer>(shown.size());
    const Integer i = static_cast<Integer>(it - shown.begin());
    TRect area = FDockSite->ClientRect();
    FDockSite->AdjustClientRect(area);
    // Equal shares; the last zone takes what division leaves.
    if (GrabbersOnTop()) {
        const Integer share = area.Height() / n;
        CtlBounds = {area.Left, area.Top + i * share, area.Right,
                     i == n - 1 ? area.Bottom : area.Top + (i + 1) * share};
    } else {
        const Integer share = area.Width() / n;
        CtlBounds = {area.Left + i * share, area.Top, i == n - 1 ? area.Right : area.Left + (i + 1) * share,
                     area.Bottom};
    }
}

void TDockTree::InsertControl(TControl* Control, TAlign InsertAt, TControl* DropCtl) {
    if (std::find(FClients.begin(), FClients.end(), Control) != FClients.end()) return;
    auto at = FClients.end();
    if (FReplacing) {
        at = std::find(FClients.begin(), FClients.end(), FReplacing);
        FReplacing = nullptr;
    } else if (DropCtl) {
        at = std::find(FClients.begin(), FClients.end(), DropCtl);
        if (at != FClients.end() && InsertAt != alTop && InsertAt != alLeft) ++at;
    }
    FClients.insert(at, Control);
    ResetBounds(true);
}

void TDockTree::RemoveControl(TControl* Control) {
    if (FPressedClient == Control) EndMouse();
    if (FReplacing == Control) FReplacing = nullptr;
    auto it = std::find(FClients.begin(), FClients.end(), Control);
    if (it == FClients.end()) return;
    FClients.erase(it);
    if (!FDockSite->HasState(csDestroying)) ResetBounds(true);
}

void TDockTree::SetReplacingControl(TControl* Control) {
    FReplacing = Control;
}

void TDockTree::PositionDockRect(TControl* Client, TControl* DropCtl, TAlign DropAlign, TRect& DockRect) {
    DockRect = FDockSite->ClientRect();
    FDockSite->AdjustClientRect(DockRect);
    if (!DropCtl) return;
    GetControlBounds(DropCtl, DockRect);
    // Half of the drop control's zone, on the side dropped on.
    switch (DropAlign) {
    case alTop:
        DockRect.Bottom = DockRect.Top + DockRect.Height() / 2;
        break;
    case alBottom:
        DockRect.Top = DockRect.Bottom - DockRect.Height() / 2;
        break;
    case alLeft:
        DockRect.Right = DockRect.Left + DockRect.Width() / 2;
        break;
    case alRight:
        DockRect.Left = DockRect.Right - DockRect.Width() / 2;
        break;
    default:
        break;
    }
}

void TDockTree::ResetBounds(bool Force) {
    if (FUpdateCount > 0) {
        FLayoutPending = true;
        return;
    }
    Layout();
}

void TDockTree::Layout() {
    FLayoutPending = false;
    for (TControl* c : VisibleClients()) {
        TRect zone;
        GetControlBounds(c, zone);
        AdjustDockRect(c, zone);
        c->SetBounds(zone.Left, zone.Top, std::max(zone.Width(), 0), std::max(zone.Height(), 0));
    }
    FDockSite->Invalidate();
}

void TDockTree::AdjustDockRect(TControl* Control, TRect& ARect) {
    if (GrabbersOnTop())
        ARect.Top += FGrabberSize;
    else
        ARect.Left += FGrabberSize;
}

TRect TDockTree::CloseButtonRect(const TRect& Zone) const {
    if (GrabbersOnTop())
        return {Zone.Right - FGrabberSize + 1, Zone.Top + 1, Zone.Right - 1, Zone.Top + FGrabberSize - 1};
    return {Zone.Left + 1, Zone.Top + 1, Zone.Left + FGrabberSize - 1, Zone.Top + FGrabberSize - 1};
}

// Two raised lines along the grabber and a close button with a cross:
//
//   grabber on top (GrabberSize 12)        close button (10 x 10)
//   ..........................  +--------+  HHHHHHHHHS
//   ..HHHHHHHHHHHHHHHHHHHHH...  | close  |  H........S
//   ..H...................S...  +--------+  H.X....X.S   X: cross in btn text
//   ..SSSSSSSSSSSSSSSSSSSSS...              H..X..X..S
//   (twice, 3 pixels apart)                 ...
//                                           SSSSSSSSSS
void TDockTree::PaintDockFrame(TCanvas* Canvas, TControl* Control, const TRect& ARect) {
    const TRect close = CloseButtonRect(ARect);
    auto bar = [&](const TRect& R) {
        Canvas->Brush()->SetColor(clBtnHighlight);
        Canvas->FillRect(R);
        Canvas->Brush()->SetColor(clBtnShadow);
        Canvas->FillRect({R.Left + 1, R.Top + 1, R.Right, R.Bottom});
        Canvas->Brush()->SetColor(clBtnFace);
        Canvas->FillRect({R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1});
    };
    if (GrabbersOnTop()) {
        const Integer right = close.Left - 2;
        bar({ARect.Left + 2, ARect.Top + 2, right, ARect.Top + 5});
        bar({ARect.Left + 2, ARect.Top + 6, right, ARect.Top + 9});
    } else {
        const Integer top = close.Bottom + 2;
        bar({ARect.Left + 2, top, ARect.Left + 5, ARect.Bottom - 2});
        bar({ARect.Left + 6, top, ARect.Left + 9, ARect.Bottom - 2});
    }
    bar(close);
    Canvas->Pen()->SetColor(clBtnText);
    Canvas->MoveTo(close.Left + 2, close.Top + 2);
    Canvas->LineTo(close.Right - 2, close.Bottom - 2);
    Canvas->MoveTo(close.Right - 3, close.Top + 2);
    Canvas->LineTo(close.Left + 1, close.Bottom - 2);
}

void TDockTree::PaintSite(HDC DC) {
    TCanvas canvas;
    canvas.SetHandle(DC);
    for (TControl* c : VisibleClients()) {
        TRect zone;
        GetControlBounds(c, zone);
        const Integer save = SaveDC(DC);
        PaintDockFrame(&canvas, c, zone);
        RestoreDC(DC, save);
    }
    canvas.SetHandle(nullptr);
}

TControl* TDockTree::HitTest(TPoint P, Integer& HitFlag) {
    HitFlag = HTNOWHERE;
    for (TControl* c : VisibleClients()) {
        TRect zone;
        GetControlBounds(c, zone);
        TRect client = zone;
        AdjustDockRect(c, client);
        if (!PtInRect(zone, P) || PtInRect(client, P)) continue;
        HitFlag = PtInRect(CloseButtonRect(zone), P) ? HTCLOSE : HTCAPTION;
        return c;
    }
    return nullptr;
}

void TDockTree::EndMouse() {
    FPressedClient = nullptr;
    FPressedClose = false;
    if (FDockSite->MouseCapture()) FDockSite->SetMouseCapture(false);
}

// A press on a grabber is the tree's until the release: on the close button
// the release there hides the client; elsewhere a release outside the site
// floats the client where the pointer let go.
bool TDockTree::MouseMessage(TMessage& Message) {
    const TPoint p = LParamToPoint(Message.LParam);
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        Integer flag = HTNOWHERE;
        TControl* client = HitTest(p, flag);
        if (!client) return false;
        FPressedClient = client;
        FPressedClose = flag == HTCLOSE;
        FDockSite->SetMouseCapture(true);
        return true;
    }
    case WM_MOUSEMOVE:
        return FPressedClient != nullptr;
    case WM_LBUTTONUP: {
        if (!FPressedClient) return false;
        TControl* client = FPressedClient;
        const bool onClose = FPressedClose;
        EndMouse();
        if (onClose) {
            Integer flag = HTNOWHERE;
            if (HitTest(p, flag) == client && flag == HTCLOSE) client->Hide();
        } else if (!PtInRect(FDockSite->ClientRect(), p)) {
            const TPoint at = FDockSite->ClientToScreen(p);
            client->ManualFloat({at.X, at.Y, at.X + client->Width(), at.Y + client->Height()});
        }
        return true;
    }
    case WM_CAPTURECHANGED:
        FPressedClient = nullptr;
        FPressedClose = false;
        return false;
    default:
        return false;
    }
}

void TDockTree::WindowProc(TMessage& Message) {
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && MouseMessage(Message)) return;
    if (Message.Msg == WM_CAPTURECHANGED) MouseMessage(Message);
    // The previous procedure may be replaced (or this tree freed) while it
    // runs: keep a copy and touch nothing of this tree unless still installed.
    TWndMethod old = FOldWndProc;
    TWinControl* site = FDockSite;
    if (old)
        old(Message);
    else
        site->WndProc(Message);
    if (site->DockManager() != this) return;
    switch (Message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (Message.WParam) PaintSite(reinterpret_cast<HDC>(Message.WParam));
        break;
    case WM_SIZE:
        ResetBounds(true);
        break;
    case CM_DOCKNOTIFICATION:
        if (Message.LParam == CM_VISIBLECHANGED) ResetBounds(true);
        break;
    default:
        break;
    }
}

// ================================================================ TToolDockForm

const TClassInfo& TToolDockForm::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TToolDockForm>("TToolDockForm", &TCustomForm::ClassInfo()).Register();
    return info;
}

TToolDockForm::TToolDockForm(TComponent* AOwner) : TCustomForm(AOwner) {
    SetBorderStyle(bsToolWindow);
    SetDockSite(true);
}

void TToolDockForm::DoAddDockClient(TControl* Client, const TRect& ARect) {
    TCustomForm::DoAddDockClient(Client, ARect);
    Client->SetAlign(alClient);
}

void TToolDockForm::DoRemoveDockClient(TControl* Client) {
    if (DockClientCount() == 0 && !HasState(csDestroying)) {
        Hide();
        Release();
    }
}
