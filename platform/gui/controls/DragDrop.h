#pragma once
// Dragging one control's object onto another: the drag manager.
//
// A drag begins with BeginDrag on the source control, at once (Immediate)
// or, more usually, once the pointer has moved Threshold pixels from where
// the button went down (GetSystemMetrics(SM_CXDRAG) by default). From the
// moment BeginDrag is called the manager takes the mouse: moves go to it
// instead of the controls, the release ends the drag and Escape cancels it.
// OnStartDrag fires at BeginDrag (it may supply the drag object; otherwise a
// TDragControlObject for the source is made).
//
// While the drag runs, the control under the pointer (FindDragTarget) is
// the target. It is asked through DragOver: dsDragEnter when the pointer
// comes onto it, dsDragMove on every move, dsDragLeave when the pointer
// leaves it or the drag ends without a drop on it; its answer (Accept)
// chooses the pointer's shape (the source's DragCursor or crNoDrop). A
// release over a target that accepted calls its DragDrop. Last, the source
// hears of the end through DoEndDrag (OnEndDrag), with the target that took
// the drop or nullptr. A docked client (DragKind dkDock) released where no
// target took it floats there in a tool window (ManualFloat).
//
// Docking. A control whose DragKind is dkDock is dragged as a dock client:
// OnStartDock fires instead of OnStartDrag (it may supply a TDragDockObject),
// the targets are dock sites (DockSite) under the pointer that agree in
// GetSiteInfo (OnGetSiteInfo, CanDock starting True) and are asked through
// DockOver (OnDockOver, Accept starting True) with the same enter, move and
// leave states; a release over a site that accepted docks the client there
// (ManualDock, which first asks the old site through OnUnDock) and fires
// the site's OnDockDrop; last the client hears OnEndDock with the site it
// docked into, or nullptr.
//
//   BeginDrag ─► (threshold) ─► enter/move... ─► leave ─► ... ─► drop or cancel ─► end

#include "platform/gui/controls/Input.h"

class TControl;

enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// What is being dragged. The manager owns the object it made itself; an
// object given by OnStartDrag stays its giver's.
class TDragObject : public TObject {
public:
    // The control under the pointer that is being asked (nullptr when none).
    TControl* DragTarget() const { return FDragTarget; }
    // The pointer's last position, screen coordinates.
    TPoint DragPos() const { return FDragPos; }
    // Whether the drag was cancelled (Escape, CancelDrag).
    bool Cancelling() const { return FCancelling; }

private:
    friend struct TDragManager;
    TControl* FDragTarget = nullptr;
    TPoint FDragPos;
    bool FCancelling = false;
};

// The drag object of a control dragging itself.
class TDragControlObject : public TDragObject {
public:
    explicit TDragControlObject(TControl* AControl) : FControl(AControl) {}
    TControl* Control() const { return FControl; }

private:
    TControl* FControl;
};

// What a dock client drags: the client, and where it would dock (screen
// coordinates, set by the site that is asked).
class TDragDockObject : public TDragControlObject {
public:
    using TDragControlObject::TDragControlObject;
    TRect DockRect() const { return FDockRect; }
    void SetDockRect(const TRect& Value) { FDockRect = Value; }

private:
    TRect FDockRect;
};

class TWinControl;

using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, Integer X, Integer Y,
                                          TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, Integer X, Integer Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, Integer X, Integer Y)>;
using TStartDockEvent = std::function<void(TObject* Sender, TDragDockObject*& DragObject)>;
using TDockOverEvent = std::function<void(TObject* Sender, TDragDockObject* Source, Integer X, Integer Y,
                                          TDragState State, bool& Accept)>;
using TDockDropEvent = std::function<void(TObject* Sender, TDragDockObject* Source, Integer X, Integer Y)>;
using TGetSiteInfoEvent = std::function<void(TObject* Sender, TControl* DockClient, TRect& InfluenceRect,
                                             TPoint MousePos, bool& CanDock)>;
using TUnDockEvent =
    std::function<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;

// The control under screen point Pos on the program's forms (the active
// form first), graphic children included; disabled ones only with
// AllowDisabled. nullptr when no form is there.
TControl* FindDragTarget(TPoint Pos, bool AllowDisabled);

// The source of the drag that runs or waits for its threshold (nullptr
// when none), and its drag object (made once the drag started).
TControl* DragSourceControl();
TDragObject* CurrentDragObject();
// Whether the pointer has passed the threshold (the targets are asked).
bool DragActive();
// Ends a drag without a drop.
void CancelDrag();

// ---- the window layer's hooks (WindowInput.cpp)
// The pointer moved, or a button went down or up, while a drag is pending
// or running; true when the drag took the input.
bool DragMouseMove(TPoint ScreenPos);
bool DragMouseButton(bool Down, TPoint ScreenPos);
// A key while a drag is pending or running (Escape cancels); true when taken.
bool DragKeyInput(Word Key);
// A control goes away: a drag from it ends, and it stops being the target.
void ForgetDragControl(TControl* Control);
