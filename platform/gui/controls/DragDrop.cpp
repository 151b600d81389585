#include "platform/gui/controls/DragDrop.h"
#include "platform/gui/controls/CustomForm.h"
#include "platform/gui/controls/Screen.h"
#include "platform/gui/controls/SystemMetrics.h"
#include "platform/rtl/Guards.h"

#include <cstdlib>
#include <memory>

// The one drag of the program: its source, object, start, threshold and
// the target being asked.
struct TDragManager {
    static inline TControl* Source = nullptr;
    static inline TDragObject* Object = nullptr;
    static inline std::unique_ptr<TDragObject> Owned; // the object the manager made
    static inline TPoint Start;
    static inline Integer Threshold = 0;
    static inline bool Active = false;
    static inline bool Accepted = false;
    static inline bool Docking = false; // the source is a dock client (dkDock)
    // The source and target of the drag that is ending: a handler of the
    // drop may free either (Forget clears them).
    static inline TControl* EndingSource = nullptr;
    static inline TControl* EndingTarget = nullptr;

    static TPoint TargetPoint(TControl* Target, TPoint Screen) { return Target->ScreenToClient(Screen); }

    // Asks Target about the drag at screen point P; answers its Accept. A
    // dock site is asked through DockOver, which accepts unless refused.
    static bool Ask(TControl* Target, TPoint P, TDragState State) {
        const TPoint c = TargetPoint(Target, P);
        if (Docking) {
            bool accept = true;
            static_cast<TWinControl*>(Target)->DockOver(static_cast<TDragDockObject*>(Object), c.X, c.Y, State,
                                                        accept);
            return accept;
        }
        bool accept = static_cast<bool>(Target->OnDragOver);
        Target->DragOver(Object, c.X, c.Y, State, accept);
        return accept;
    }

    // The dock site under P that would take the source: the nearest dock
    // site at or above the control under the pointer, not the source nor
    // inside it, whose site information lets the client dock there.
    static TControl* DockTargetAt(TPoint P) {
        for (TControl* c = FindDragTarget(P, false); c; c = c->Parent()) {
            auto* site = dynamic_cast<TWinControl*>(c);
            if (!site || !site->DockSite()) continue;
            if (site == Source || (dynamic_cast<TWinControl*>(Source) &&
                                   static_cast<TWinControl*>(Source)->ContainsControl(site)))
                return nullptr;
            TRect influence;
            bool canDock = true;
            site->GetSiteInfo(Source, influence, P, canDock);
            if (canDock && PtInRect(influence, P)) return site;
        }
        return nullptr;
    }

    static void Init(TControl* Control, bool Immediate, Integer Threshold) {
        Source = Control;
        Object = nullptr;
        Owned.reset();
        Active = false;
        Accepted = false;
        Start = GetCursorPos();
        TDragManager::Threshold = Threshold >= 0 ? Threshold : GetSystemMetrics(SM_CXDRAG);
        Docking = Control->DragKind() == dkDock;
        TDragObject* given = nullptr;
        if (Docking) {
            TDragDockObject* dock = nullptr;
            Control->DoStartDock(dock);
            given = dock;
        } else {
            Control->DoStartDrag(given);
        }
        if (Source != Control) return; // the handler ended the drag
        if (given)
            Object = given;
        else {
            if (Docking)
                Owned = std::make_unique<TDragDockObject>(Control);
            else
                Owned = std::make_unique<TDragControlObject>(Control);
            Object = Owned.get();
        }
        Object->FDragPos = Start;
        if (Immediate) {
            Active = true;
            MoveTo(Start);
        }
    }

    static void MoveTo(TPoint P) {
        Object->FDragPos = P;
        TControl* target = Docking ? DockTargetAt(P) : FindDragTarget(P, false);
        if (target != Object->FDragTarget) {
            if (TControl* old = Object->FDragTarget) {
                Object->FDragTarget = nullptr;
                Ask(old, P, dsDragLeave);
            }
            if (!Source) return;
            Object->FDragTarget = target;
            if (target) Ask(target, P, dsDragEnter);
            if (!Source) return;
        }
        Accepted = Object->FDragTarget && Ask(Object->FDragTarget, P, dsDragMove);
        if (!Source) return;
        const TCursor cursor = Accepted ? Source->DragCursor() : crNoDrop;
        SetCursor(Screen->Cursors(cursor));
    }

    static void Done(bool Drop) {
        if (!Source) return;
        TControl* source = Source;
        TDragObject* object = Object;
        std::unique_ptr<TDragObject> owned = std::move(Owned);
        TControl* target = object ? object->FDragTarget : nullptr;
        const TPoint p = object ? object->FDragPos : GetCursorPos();
        const bool drop = Active && Drop && target && Accepted;
        const bool released = Active && Drop;
        const bool docking = Docking;
        Docking = false;
        if (object) object->FCancelling = !Drop;
        Source = nullptr;
        Object = nullptr;
        Active = false;
        Accepted = false;
        SetCursor(Screen->Cursors(crDefault));
        if (docking) {
            EndDock(source, static_cast<TDragDockObject*>(object), drop ? static_cast<TWinControl*>(target) : nullptr,
                    target, released, p);
            return;
        }
        TRestoreOnExit<TControl*> endingSource(EndingSource, source);
        TRestoreOnExit<TControl*> endingTarget(EndingTarget, target);
        if (target) {
            const TPoint c = TargetPoint(target, p);
            if (drop) {
                target->DragDrop(object, c.X, c.Y);
            } else {
                bool ignored = false;
                target->DragOver(object, c.X, c.Y, dsDragLeave, ignored);
            }
            if (!EndingSource) return;
        }
        TControl* ended = drop && EndingTarget ? target : nullptr;
        const TPoint sc = ended ? TargetPoint(ended, p) : TPoint{0, 0};
        source->DoEndDrag(ended, sc.X, sc.Y);
        if (!EndingSource) return;
        // A docked client dragged out and let go where no one took it floats
        // there in a window of its own.
        if (released && !drop && source->DragKind() == dkDock && source->HostDockSite())
            source->ManualFloat(Bounds(p.X, p.Y, source->Width(), source->Height()));
    }

    // The end of a dock drag: docked into Site, or, released where no site
    // took it, floated when it was docked; asked Last leaves; then OnEndDock.
    static void EndDock(TControl* Source, TDragDockObject* Object, TWinControl* Site, TControl* Last,
                        bool Released, TPoint P) {
        TWinControl* docked = nullptr;
        if (Site) {
            const TPoint c = TargetPoint(Site, P);
            Site->DockDrop(Object, c.X, c.Y);
            if (Source->HostDockSite() == Site) docked = Site;
        } else {
            if (auto* last = dynamic_cast<TWinControl*>(Last)) {
                const TPoint c = TargetPoint(last, P);
                bool ignored = false;
                last->DockOver(Object, c.X, c.Y, dsDragLeave, ignored);
            }
            if (Released && Source->HostDockSite())
                Source->ManualFloat(Bounds(P.X, P.Y, Source->Width(), Source->Height()));
        }
        const TPoint sc = docked ? TargetPoint(docked, P) : TPoint{0, 0};
        Source->DoEndDock(docked, sc.X, sc.Y);
    }

    // A button went up (Drop) or another one down at P.
    static void Release(bool Drop, TPoint P) {
        if (Object) Object->FDragPos = P;
        Done(Drop);
    }

    static void Forget(TControl* Control) {
        if (EndingSource == Control) EndingSource = nullptr;
        if (EndingTarget == Control) EndingTarget = nullptr;
        if (!Source) return;
        if (Source == Control) {
            Source = nullptr;
            Object = nullptr;
            Owned.reset();
            Active = false;
            Docking = false;
        } else if (Object && Object->FDragTarget == Control)
            Object->FDragTarget = nullptr;
    }
};

// ================================================================ TControl

void TControl::BeginDrag(bool Immediate, Integer Threshold) {
    if (TDragManager::Source) return;
    // The manager takes the mouse from here on: the press will not end as a
    // click of the control.
    if (MouseCapture()) SetMouseCapture(false);
    FControlState >> csLButtonDown >> csClicked;
    TDragManager::Init(this, Immediate, Threshold);
}

void TControl::EndDrag(bool Drop) {
    if (Dragging()) TDragManager::Done(Drop);
}

bool TControl::Dragging() const {
    return TDragManager::Source == this;
}

void TControl::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
    if (OnDragOver) OnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, Integer X, Integer Y) {
    if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TControl::DoStartDrag(TDragObject*& DragObject) {
    if (OnStartDrag) OnStartDrag(this, DragObject);
}

void TControl::DoEndDrag(TObject* Target, Integer X, Integer Y) {
    if (OnEndDrag) OnEndDrag(this, Target, X, Y);
}

void TControl::DoStartDock(TDragDockObject*& DragObject) {
    if (OnStartDock) OnStartDock(this, DragObject);
}

void TControl::DoEndDock(TObject* Target, Integer X, Integer Y) {
    if (OnEndDock) OnEndDock(this, Target, X, Y);
}

// ================================================================ the manager

namespace {

// The deepest control of Parent at screen point P, graphic ones included.
TControl* ControlAt(TWinControl* Parent, TPoint P, bool AllowDisabled) {
    TWinControl* current = Parent;
    while (true) {
        const TPoint local = current->ScreenToClient(P);
        TControl* hit = current->ControlAtPos(local, AllowDisabled, true);
        if (!hit) return current;
        auto* w = dynamic_cast<TWinControl*>(hit);
        if (!w) return hit;
        current = w;
    }
}

} // namespace

TControl* FindDragTarget(TPoint Pos, bool AllowDisabled) {
    std::vector<TCustomForm*> forms;
    if (TCustomForm* active = Screen->ActiveCustomForm()) forms.push_back(active);
    for (Integer i = 0; i < Screen->CustomFormCount(); ++i)
        if (Screen->CustomForms(i) != Screen->ActiveCustomForm()) forms.push_back(Screen->CustomForms(i));
    for (TCustomForm* f : forms) {
        if (!f->Visible() || (!AllowDisabled && !f->Enabled())) continue;
        if (!PtInRect(f->ClientRect(), f->ScreenToClient(Pos))) continue;
        return ControlAt(f, Pos, AllowDisabled);
    }
    return nullptr;
}

TControl* DragSourceControl() {
    return TDragManager::Source;
}

TDragObject* CurrentDragObject() {
    return TDragManager::Object;
}

bool DragActive() {
    return TDragManager::Source && TDragManager::Active;
}

void CancelDrag() {
    TDragManager::Done(false);
}

bool DragMouseMove(TPoint ScreenPos) {
    if (!TDragManager::Source) return false;
    if (!TDragManager::Active) {
        const TPoint s = TDragManager::Start;
        if (std::abs(ScreenPos.X - s.X) < TDragManager::Threshold &&
            std::abs(ScreenPos.Y - s.Y) < TDragManager::Threshold)
            return true;
        TDragManager::Active = true;
    }
    TDragManager::MoveTo(ScreenPos);
    return true;
}

bool DragMouseButton(bool Down, TPoint ScreenPos) {
    if (!TDragManager::Source) return false;
    TDragManager::Release(!Down, ScreenPos);
    return true;
}

bool DragKeyInput(Word Key) {
    if (!TDragManager::Source) return false;
    if (Key == VK_ESCAPE) TDragManager::Done(false);
    return true;
}

void ForgetDragControl(TControl* Control) {
    TDragManager::Forget(Control);
}
