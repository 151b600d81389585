// How the tab control changes its current tab and answers the user: the
// TabIndex setter with its veto, hit testing, clicks, hot tracking with tab
// hints on a 60 ms window timer, Home/End/arrows, accelerators, closing,
// and reordering tabs by dragging with the XOR indicator and the timer that
// scrolls the strip while the pointer is held beyond its ends.

#include "controls/tabs/QxTabButtons.h"
#include "controls/tabs/QxTabControl.h"
#include "platform/gui/controls/Forms.h"
#include "platform/rtl/Character.h"
#include "platform/rtl/Guards.h"

#include <algorithm>

namespace {

constexpr UINT_PTR HotTrackTimerId = 1;

} // namespace

// ================================================================ selection

bool TQxCustomTabControl::TabSelectable(Integer Index) const {
    if (Index < 0 || Index >= FTabs->Count()) return false;
    const TQxTabData* t = FTabs->GetItem(Index);
    return t->Visible && (t->Enabled || HasState(csDesigning));
}

bool TQxCustomTabControl::CanSelectTab(Integer Index) {
    if (!TabSelectable(Index)) return false;
    bool allowed = true;
    if (Index != FTabIndex) DoChanging(Index, allowed);
    return allowed;
}

void TQxCustomTabControl::SetTabIndexUnchecked(Integer Value) {
    // Restored also when an OnChange handler raises (and left alone when one
    // frees the control).
    auto inProgress = FLiveness.RestoreOnExit(FChangeInProgress, true);
    SetTabIndex(Value);
}

void TQxCustomTabControl::SetTabIndex(Integer Value) {
    if (HasState(csLoading) || HasState(csReading) || IsTabIndexLocked()) {
        FTabIndex = Value;
        return;
    }
    const Integer old = FTabIndex;
    const Cardinal reported = FChangesReported;
    bool advanced = false;
    bool allowed = Value == old || FChangeInProgress;
    if (Value < 0 || Value >= FTabs->Count()) {
        // No tab: none is current, and no one is told.
        FTabIndex = -1;
        RequestRepaint();
    } else if (!allowed && !Survives([&] { allowed = CanSelectTab(Value); })) {
        return;
    } else if (allowed) {
        FTabIndex = Value;
        // A due layout may move the tab on (its repair of the current tab),
        // and then reports that change itself.
        if ((FLayoutNeeded || FRepairDue) && !Survives([&] { LayoutIfNeeded(); })) return;
        if (!FScrollerNeeded) {
            if (FMultiLine) RotateRows();
        } else if (FTabIndex < 0) {
            // The layout found no tab that can be current.
        } else if (FTabIndex < FFirstVisibleTab) {
            FFirstVisibleTab = FTabIndex;
            FRegionCache->Clear();
            RequestRepaint();
        } else {
            while (FFirstVisibleTab < FTabIndex && !TabFullyShown(FTabIndex)) {
                ++FFirstVisibleTab;
                advanced = true;
            }
            if (advanced) FRegionCache->Clear();
        }
    }
    const bool inRange = Value >= 0 && Value < FTabs->Count();
    if (inRange && (advanced || FTabIndex != old)) {
        RequestRepaint();
        if (FScroller) FScroller->Invalidate();
        if (FTabIndex != old && FChangesReported == reported) {
            ++FChangesReported;
            if (!Survives([&] { DoChange(); }) || !Survives([&] { DoPageChange(); })) return;
            if (HasState(csDesigning) && FPaintedOnce) NotifyDesignerModified(this);
        }
    }
    if (FShowCloseButton && FCloseButton) FCloseButton->Invalidate();
    if (FShowCloseButtonOnActiveTab && FActiveCloseButton) FActiveCloseButton->SetVisible(FTabIndex >= 0);
    if (FShowMenuButton && FMenuButton) FMenuButton->Invalidate();
}

// ================================================================ hit test

Integer TQxCustomTabControl::TabAtPos(TPoint P) {
    QuietLayoutIfNeeded();
    const Integer count = FTabs->Count();
    if (count == 0 || FFirstVisibleTab < 0) return -1;
    auto hit = [&](Integer i) {
        if (!TabFullyShown(i)) return false;
        const TRect r = TabClientRect(i);
        if (!PtInRect(r, P)) return false;
        HRGN rgn = TabRegion(i, r);
        return rgn && PtInRegion(rgn, P.X, P.Y);
    };
    if (FTabIndex >= 0 && FTabIndex < count && hit(FTabIndex)) return FTabIndex;
    for (Integer k = 0; k < count; ++k) {
        const Integer i = (FFirstVisibleTab + k) % count;
        if (i != FTabIndex && hit(i)) return i;
    }
    return -1;
}

// ================================================================ mouse

void TQxCustomTabControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (!Survives([&] { TCustomControl::MouseDown(Button, Shift, X, Y); })) return;
    const bool designing = HasState(csDesigning);
    if (!designing && !Enabled()) return;
    if (designing && Button != mbLeft) return;
    const Integer i = TabAtPos({X, Y});
    if (i >= 0 && FTabs->GetItem(i)->Enabled) {
        if (TabStop() && i == FTabIndex && !designing) {
            if (CanFocus() && !Survives([&] { SetFocus(); })) return;
            if (!Focused()) return;
        }
        if (!Survives([&] { SetTabIndex(i); })) return;
        if (FTabIndex == i && !Survives([&] { DoTabClick(); })) return;
    }
    FMouseDownTab = i;
}

void TQxCustomTabControl::StopHotTrackTimer() {
    if (!FHotTrackTimer) return;
    if (HandleAllocated()) KillTimer(Handle(), FHotTrackTimer);
    FHotTrackTimer = 0;
}

void TQxCustomTabControl::LeaveHotState(TPoint P) {
    const bool inStrip = PtInRect(TabArea(), P);
    if (FTabHints && (FHotTab >= 0 || inStrip)) Application->CancelHint();
    StopHotTrackTimer();
    const bool wasHot = FHotTab >= 0;
    FHotTab = -1;
    if (wasHot) {
        const TRect area = TabArea();
        FHotOnly = true;
        InvalidateRect(&area, false);
    }
    KeepProgramHint();
    SetTrackingHint(FTabHints && inStrip ? String() : FSavedHint);
}

void TQxCustomTabControl::KeepProgramHint() {
    if (Hint() != FTrackingHint) FSavedHint = Hint();
}

void TQxCustomTabControl::SetTrackingHint(const String& Value) {
    KeepProgramHint();
    FTrackingHint = Value;
    SetHint(Value);
}

void TQxCustomTabControl::HotTrackTimerTick() {
    const TPoint p = ScreenToClient(GetCursorPos());
    if (TabAtPos(p) < 0) LeaveHotState(p);
}

void TQxCustomTabControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    if (!HasState(csDesigning) && (FHotTrack || FTabHints)) {
        const Integer i = TabAtPos({X, Y});
        if (i < 0)
            LeaveHotState({X, Y});
        else if (i != FHotTab) {
            FHotTab = i;
            if (FHotTrack) {
                FHotOnly = true;
                const TRect area = TabArea();
                InvalidateRect(&area, false);
            }
            if (FTabHints) {
                Application->CancelHint();
                SetTrackingHint(FTabs->GetItem(i)->Hint);
            }
            if (!FHotTrackTimer) FHotTrackTimer = SetTimer(Handle(), HotTrackTimerId, 60);
        }
    }
    if (!Survives([&] { TCustomControl::MouseMove(Shift, X, Y); })) return;
    // A drag starts only from the current tab: a press on a tab whose
    // selection was refused moves nothing.
    if (FAllowTabDragging && Shift.Contains(ssLeft) && FMouseDownTab >= 0 && FMouseDownTab < FTabs->Count() &&
        FTabs->GetItem(FMouseDownTab)->Enabled && FMouseDownTab == FTabIndex && !Dragging())
        BeginDrag(false);
}

// ================================================================ keyboard

bool TQxCustomTabControl::IsMirrored() const {
    return (FTabOrientation == toLeft && FTabSequence == tsStandard) ||
           (FTabOrientation != toLeft && FTabSequence == tsReverse);
}

// From Start, stepping by Step, the first tab that may become current; the
// current tab when the walk reaches it or (without Wrap) leaves the list.
bool TQxCustomTabControl::SearchSelectable(Integer Start, Integer Step, bool Wrap, Integer& Found) {
    const Integer count = FTabs->Count();
    Found = FTabIndex;
    Integer i = Start;
    for (Integer tries = 0; tries < count; ++tries) {
        if (i < 0 || i >= count) {
            if (!Wrap) return true;
            i = (i + count) % count;
        }
        if (i == FTabIndex) return true;
        bool allowed = false;
        if (!Survives([&] { allowed = CanSelectTab(i); })) return false;
        if (allowed) {
            Found = i;
            return true;
        }
        i += Step;
    }
    return true;
}

void TQxCustomTabControl::KeyDown(Word& Key, TShiftState Shift) {
    // A handler that freed the control swallows the key: nothing handles it
    // after the control.
    if (!Survives([&] { TCustomControl::KeyDown(Key, Shift); })) {
        Key = 0;
        return;
    }
    const Integer count = FTabs->Count();
    if (count == 0) return;
    Integer result = FTabIndex;
    bool alive = true;
    switch (Key) {
    case VK_HOME:
    case VK_END: {
        const bool fromStart = (Key == VK_HOME) != IsMirrored();
        alive = fromStart ? SearchSelectable(0, 1, false, result)
                          : SearchSelectable(count - 1, -1, false, result);
        break;
    }
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        const bool leftUp = Key == VK_LEFT || Key == VK_UP;
        const bool std = FTabSequence == tsStandard;
        const bool forward = FTabOrientation == toLeft ? leftUp == std : leftUp != std;
        const Integer start = forward ? (FTabIndex < 0 ? 0 : (FTabIndex + 1) % count)
                                      : (FTabIndex <= 0 ? count - 1 : FTabIndex - 1);
        alive = SearchSelectable(start, forward ? 1 : -1, true, result);
        break;
    }
    default: return;
    }
    if (alive && result != FTabIndex)
        alive = Survives([&] { SetTabIndexUnchecked(result); }) && Survives([&] { DoTabClick(); });
    if (!alive) Key = 0;
}

bool TQxCustomTabControl::IsTabAccelerator(const String& Caption, char32_t Key) const {
    std::vector<String> lines;
    SplitLines(Caption, lines);
    for (const String& line : lines) {
        const size_t at = AcceleratorAt(line);
        Integer length = 0;
        if (at != String::npos && ToUpper(ConvertToUtf32(line, at, length)) == Key) return true;
    }
    return false;
}

void TQxCustomTabControl::CMDialogChar(TMessage& Message) {
    if (CanFocus()) {
        const char32_t key = ToUpper(static_cast<char32_t>(Message.WParam));
        for (Integer i = 0; i < FTabs->Count(); ++i) {
            const TQxTabData* t = FTabs->GetItem(i);
            if (!t->Enabled || !t->Visible || !IsTabAccelerator(t->Caption, key)) continue;
            // The message is handled, whatever the handlers do to the control.
            Message.Result = 1;
            if (!Survives([&] { SetFocus(); }) || !Focused()) return;
            if (!Survives([&] { SetTabIndex(i); })) return;
            if (FTabIndex == i) DoTabClick();
            return;
        }
    }
    TCustomControl::Dispatch(Message);
}

void TQxCustomTabControl::CMDesignHitTest(TMessage& Message) {
    const Integer i = TabAtPos(LParamToPoint(Message.LParam));
    Message.Result = i >= 0 && i != FTabIndex ? 1 : 0;
}

// ================================================================ closing

void TQxCustomTabControl::CloseRequest() {
    if (FTabIndex == -1) return;
    bool allowed = false;
    if (Survives([&] { allowed = DoClose(); }) && allowed) CloseActiveTab();
}

// ================================================================ dragging tabs

TRect TQxCustomTabControl::DragIndicatorRect(Integer Index) const {
    const TRect r = TabClientRect(Index);
    const bool before = FTabSequence == tsStandard ? Index < FTabIndex : Index > FTabIndex;
    const Integer half = FFixedDimension / 2;
    const auto s = FTabStyle;
    const bool slantLead = s == tsDoubleSlant || s == tsBackSlant;
    const bool slantTrail = s == tsSingleSlant || s == tsDoubleSlant;
    const bool square = s == tsCutCorner || s == tsRoundCorners || s == tsSquareCorners;
    TRect d;
    switch (FTabOrientation) {
    case toTop:
    case toBottom:
        if (FTabOrientation == toTop) {
            d.Top = r.Top - 2;
            d.Bottom = r.Top + 6;
        } else {
            d.Bottom = r.Bottom + 2;
            d.Top = r.Bottom - 6;
        }
        if (before) {
            d.Left = r.Left - 8;
            d.Right = r.Left + 7;
            if (slantLead) OffsetRect(d, half, 0);
        } else {
            d.Right = r.Right + 8;
            d.Left = r.Right - 7;
            if (slantTrail) OffsetRect(d, -half, 0);
            if (square) OffsetRect(d, 1, 0);
        }
        break;
    case toLeft:
        d.Left = r.Left - 2;
        d.Right = r.Left + 6;
        if (before) {
            d.Bottom = r.Bottom + 8;
            d.Top = r.Bottom - 7;
            if (slantLead) OffsetRect(d, 0, -half);
            if (square) OffsetRect(d, 0, 1);
        } else {
            d.Top = r.Top - 8;
            d.Bottom = r.Top + 7;
            if (slantTrail) OffsetRect(d, 0, half);
        }
        break;
    default:
        d.Right = r.Right + 3;
        d.Left = r.Right - 5;
        if (before) {
            d.Top = r.Top - 8;
            d.Bottom = r.Top + 7;
            if (slantLead) OffsetRect(d, 0, half + 1);
        } else {
            d.Bottom = r.Bottom + 8;
            d.Top = r.Bottom - 7;
            if (slantTrail) OffsetRect(d, 0, -half);
            if (square) OffsetRect(d, 0, 1);
        }
        break;
    }
    return d;
}

void PaintTabDragIndicator(TCanvas* Canvas, const TRect& R, TQxTabOrientation Orientation, TColor Color,
                           TColor ParentColor) {
    auto bitmap = std::make_unique<TBitmap>(R.Width(), R.Height());
    TCanvas* b = bitmap->Canvas();
    b->Brush()->SetColor(XorColors(Color, ParentColor));
    b->FillRect(TRect(0, 0, R.Width(), R.Height()));
    b->Brush()->SetColor(clBlack);
    b->Pen()->SetStyle(psClear);
    switch (Orientation) {
    case toTop:
        b->Polygon({{0, 0}, {8, 8}, {0, 8}});
        b->Polygon({{7, 8}, {15, 0}, {15, 8}});
        break;
    case toLeft:
        b->Polygon({{1, 0}, {8, 0}, {8, 8}});
        b->Polygon({{-1, 15}, {8, 7}, {8, 15}});
        break;
    case toBottom:
        b->Polygon({{-1, 8}, {-1, -1}, {8, -1}});
        b->Polygon({{7, -1}, {15, 0}, {15, 8}});
        break;
    default:
        b->Polygon({{0, 0}, {7, 0}, {0, 7}});
        b->Polygon({{0, 7}, {8, 15}, {0, 15}});
        break;
    }
    BitBlt(Canvas->Handle(), R.Left, R.Top, R.Width(), R.Height(), b->Handle(), 0, 0, SRCINVERT);
}

void TQxCustomTabControl::DrawDragIndicator(const TRect& R) {
    // Drawn over the control's window: drawing the same rectangle twice
    // restores it.
    if (!HandleAllocated()) return;
    TControlCanvas canvas(this);
    const TColor parentColor = Parent() ? Parent()->Color() : Color();
    PaintTabDragIndicator(&canvas, R, FTabOrientation, FDragIndicatorColor, parentColor);
    canvas.FreeHandle();
}

void TQxCustomTabControl::RemoveDragIndicator() {
    if (!FIndicatorShown) return;
    FIndicatorShown = false;
    DrawDragIndicator(FIndicatorRect);
}

namespace {

bool OwnDrag(TObject* Source, TControl* Control) {
    auto* obj = dynamic_cast<TDragControlObject*>(Source);
    return obj && obj->Control() == Control;
}

} // namespace

void TQxCustomTabControl::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
    TCustomControl::DragOver(Source, X, Y, State, Accept);
    if (!FAllowTabDragging || !OwnDrag(Source, this)) return;
    if (State == dsDragLeave) {
        RemoveDragIndicator();
        FDragTarget = -1;
        return;
    }
    const Integer i = TabAtPos({X, Y});
    if (i == -1) {
        if (!FDragScrollTimer) {
            FDragScrollTimer = new TTimer(this);
            FDragScrollTimer->OnTimer = [this](TObject* Sender) { DragScrollTick(Sender); };
        }
        FDragScrollTimer->SetInterval(400);
        FDragScrollTimer->SetEnabled(true);
    }
    Accept = i != -1 && i != FTabIndex;
    if (i == FDragTarget) return;
    FDragTarget = i;
    if (Accept) {
        RemoveDragIndicator();
        FIndicatorRect = DragIndicatorRect(i);
        DrawDragIndicator(FIndicatorRect);
        FIndicatorShown = true;
    } else
        RemoveDragIndicator();
}

void TQxCustomTabControl::DragDrop(TObject* Source, Integer X, Integer Y) {
    if (FAllowTabDragging && OwnDrag(Source, this)) {
        if (FDragScrollTimer) FDragScrollTimer->SetEnabled(false);
        RemoveDragIndicator();
        const Integer i = TabAtPos({X, Y});
        if (i >= 0 && !Survives([&] { MoveActiveTab(i); })) return;
    }
    TCustomControl::DragDrop(Source, X, Y);
}

void TQxCustomTabControl::DoEndDrag(TObject* Target, Integer X, Integer Y) {
    // Every drag ends here, dropped or cancelled: nothing of it stays.
    if (FDragScrollTimer) FDragScrollTimer->SetEnabled(false);
    RemoveDragIndicator();
    FDragTarget = -1;
    TCustomControl::DoEndDrag(Target, X, Y);
}

void TQxCustomTabControl::DragScrollTick(TObject* Sender) {
    FDragScrollTimer->SetInterval(300);
    if (!Dragging()) {
        FDragScrollTimer->SetEnabled(false);
        return;
    }
    // A failing step stops the timer before the error goes on (unless its
    // OnScrolledTabs freed the control, and the timer with it).
    TScopeExit stopOnError([this, alive = FLiveness.Watch()] {
        if (*alive) FDragScrollTimer->SetEnabled(false);
    });
    const TPoint p = ScreenToClient(GetCursorPos());
    Integer direction = 0;
    switch (FTabOrientation) {
    case toTop:
    case toBottom: direction = p.X < 0 ? -1 : p.X > Width() ? 1 : 0; break;
    case toLeft: direction = p.Y < 0 ? 1 : p.Y > Height() ? -1 : 0; break;
    default: direction = p.Y < 0 ? -1 : p.Y > Height() ? 1 : 0; break;
    }
    if (FTabSequence == tsReverse) direction = -direction;
    if (direction != 0) ScrollTabs(direction > 0);
    stopOnError.Release();
}

// ================================================================ the tab menu

void TQxCustomTabControl::BuildTabMenuItems(std::vector<Integer>& Order) const {
    Order.clear();
    for (Integer i = 0; i < FTabs->Count(); ++i)
        if (FTabs->GetItem(i)->Visible) Order.push_back(i);
    // Sorted by caption (case-insensitive, as stored); tabs of equal
    // captions all stay, in tab order.
    if (FSortTabMenu)
        std::stable_sort(Order.begin(), Order.end(), [this](Integer A, Integer B) {
            return CompareText(FTabs->GetItem(A)->Caption, FTabs->GetItem(B)->Caption) < 0;
        });
}
