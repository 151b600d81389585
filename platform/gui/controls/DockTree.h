#pragma once
// Docking: controls docked into a dock site and laid out by its dock manager.
//
// A windowed control whose DockSite is set takes docked clients: ManualDock
// makes the client its child (DoAddDockClient) and, when the site uses a
// dock manager, tells the manager, which places the client and paints a
// grabber beside it. The client stays a docked client until it leaves the
// site by any road (docked elsewhere, floated, given another parent, freed).
//
// TDockTree is the framework's dock manager. It lays the clients out one
// after another in the site's client area, each in an equal share (a zone):
// top to bottom with the grabber on top of each zone, or, for a site
// aligned to the top or bottom of its parent, left to right with the
// grabber on the left. It hooks the site's window procedure: after the site
// paints it paints every grabber (PaintDockFrame); it lays the clients out
// again when the site is sized or a client is shown or hidden; a click on a
// grabber's close button hides that client; a grabber dragged and released
// outside the site floats its client (ManualFloat) in a TToolDockForm, a
// tool window of its own that is itself a dock site.
//
//   grabbers on top               grabbers on the left
//   +=================[x]+        +--+--------+--+--------+
//   | client 1            |       |x | client |x | client |
//   +=================[x]+        || |   1    || |   2    |
//   | client 2            |       || |        || |        |
//   +---------------------+       +--+--------+--+--------+

#include "platform/gui/controls/CustomForm.h"

#include <vector>

// What a dock site asks of its dock manager.
class IDockManager {
public:
    virtual ~IDockManager() = default;
    // Layout waits while updates are held; the last EndUpdate lays out.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    // The zone of a docked client: its bounds and its grabber (site client
    // coordinates); empty for a control that is not docked here.
    virtual void GetControlBounds(TControl* Control, TRect& CtlBounds) = 0;
    // A client docked into the site: before DropCtl (alTop, alLeft) or after
    // it (other sides), at the end without one.
    virtual void InsertControl(TControl* Control, TAlign InsertAt, TControl* DropCtl) = 0;
    // Paints the grabbers onto the site's device context.
    virtual void PaintSite(HDC DC) = 0;
    // Where a client dropped at DropCtl's side would go (site client coordinates).
    virtual void PositionDockRect(TControl* Client, TControl* DropCtl, TAlign DropAlign, TRect& DockRect) = 0;
    virtual void RemoveControl(TControl* Control) = 0;
    // Lays the clients out again (Force: even when the site's size did not change).
    virtual void ResetBounds(bool Force) = 0;
    // The client that the next docked one takes the place of.
    virtual void SetReplacingControl(TControl* Control) = 0;
};

class TDockTree : public IDockManager {
public:
    explicit TDockTree(TWinControl* DockSite);
    ~TDockTree() override;

    void BeginUpdate() override;
    void EndUpdate() override;
    void GetControlBounds(TControl* Control, TRect& CtlBounds) override;
    void InsertControl(TControl* Control, TAlign InsertAt, TControl* DropCtl) override;
    void PaintSite(HDC DC) override;
    void PositionDockRect(TControl* Client, TControl* DropCtl, TAlign DropAlign, TRect& DockRect) override;
    void RemoveControl(TControl* Control) override;
    void ResetBounds(bool Force) override;
    void SetReplacingControl(TControl* Control) override;

    TWinControl* DockSite() const { return FDockSite; }
    Integer GrabberSize() const { return FGrabberSize; }
    // Grabbers on top of the zones; false for a site aligned to the top or
    // bottom of its parent (grabbers on the left).
    bool GrabbersOnTop() const;
    // The docked clients in layout order.
    const std::vector<TControl*>& Clients() const { return FClients; }
    // The client whose grabber lies under P (site client coordinates), with
    // HTCLOSE over its close button and HTCAPTION elsewhere on the grabber;
    // nullptr and HTNOWHERE when no grabber is there.
    TControl* HitTest(TPoint P, Integer& HitFlag);

protected:
    // Takes the grabber off a zone, leaving the client's bounds.
    virtual void AdjustDockRect(TControl* Control, TRect& ARect);
    // Paints the grabber of Control's zone ARect.
    virtual void PaintDockFrame(TCanvas* Canvas, TControl* Control, const TRect& ARect);
    // The close button within a zone.
    virtual TRect CloseButtonRect(const TRect& Zone) const;
    // The site's window procedure while the tree is installed; what it does
    // not take goes on to the site's previous one.
    virtual void WindowProc(TMessage& Message);
    void SetGrabberSize(Integer Value) { FGrabberSize = Value; }

private:
    std::vector<TControl*> VisibleClients() const;
    void Layout();
    bool MouseMessage(TMessage& Message);
    void EndMouse();

    TWinControl* FDockSite;
    TWndMethod FOldWndProc;
    std::vector<TControl*> FClients;
    Integer FGrabberSize = 12;
    Integer FUpdateCount = 0;
    bool FLayoutPending = false;
    TControl* FReplacing = nullptr;
    // A press on a grabber: the client, and whether on its close button.
    TControl* FPressedClient = nullptr;
    bool FPressedClose = false;
};

// The tool window a floating client lives in. It is a dock site of its own
// with the client filling its client area; when its last client leaves it
// frees itself, and closing it hides it with its client.
class TToolDockForm : public TCustomForm {
public:
    QUENTA_PUBLISHED
    explicit TToolDockForm(TComponent* AOwner);

protected:
    void DoAddDockClient(TControl* Client, const TRect& ARect) override;
    void DoRemoveDockClient(TControl* Client) override;
};

// The platform's own hooks between the control tree and docking.
struct TDockAccess {
    // Client left Site (RemoveControl, while it is still Site's child).
    static void Undocked(TWinControl* Site, TControl* Client);
};
