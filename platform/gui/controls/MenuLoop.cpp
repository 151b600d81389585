#include "platform/gui/controls/MenuLoop.h"
#include "platform/gui/controls/Application.h"
#include "platform/gui/controls/GuiGuards.h"
#include "platform/gui/controls/Screen.h"
#include "platform/gui/controls/SystemMetrics.h"
#include "platform/gui/gdi/Edges.h"

#include <algorithm>
#include <memory>

namespace {

// A canvas to measure items on, with the menu font.
std::unique_ptr<TBitmap> MeasureBitmap() {
    return std::make_unique<TBitmap>(1, 1);
}

bool Selectable(const TMenuItem* Item) {
    return Item->Visible() && !Item->IsLine();
}

// The accelerator character of a caption, upper-cased; 0 when none.
char32_t AccelOf(const String& Caption) {
    for (size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != '&') continue;
        if (Caption[i + 1] == '&') {
            ++i;
            continue;
        }
        char c = Caption[i + 1];
        return (c >= 'a' && c <= 'z') ? static_cast<char32_t>(c - 'a' + 'A') : static_cast<char32_t>(c);
    }
    return 0;
}

char32_t UpperChar(char32_t C) {
    return (C >= 'a' && C <= 'z') ? C - 'a' + 'A' : C;
}

} // namespace

TMenuLoop& TMenuLoop::Get() {
    static TMenuLoop loop;
    return loop;
}

// ================================================================ layout

TMenu* TMenuLoop::BarMenu() const {
    return FForm ? FForm->Menu() : nullptr;
}

TMenuLoop::TBarLayout TMenuLoop::LayoutBar(const TCustomForm* Form) const {
    TBarLayout bar;
    TMainMenu* menu = Form ? Form->Menu() : nullptr;
    if (!menu) return bar;
    auto bitmap = MeasureBitmap();
    Integer x = 0, height = 0;
    for (Integer i = 0; i < menu->Items()->Count(); ++i) {
        TMenuItem* item = menu->Items()->Items(i);
        if (!item->Visible()) continue;
        Integer w = 0, h = 0;
        item->MeasureItem(bitmap->Canvas(), w, h);
        bar.Items.push_back(item);
        bar.Rects.push_back({x, 0, x + w, 0});
        x += w;
        height = std::max(height, h);
    }
    if (bar.Items.empty()) return bar;
    bar.Height = std::max(height, GetSystemMetrics(SM_CYMENU));
    for (TRect& r : bar.Rects)
        r.Bottom = bar.Height;
    return bar;
}

TMenuLoop::TLevel TMenuLoop::LayoutLevel(TMenu* Menu, TMenuItem* Parent) const {
    TLevel l;
    l.Menu = Menu;
    l.Parent = Parent;
    auto bitmap = MeasureBitmap();
    Integer width = 0, y = PopupBorder;
    std::vector<Integer> heights;
    for (Integer i = 0; i < Parent->Count(); ++i) {
        TMenuItem* item = Parent->Items(i);
        if (!item->Visible()) continue;
        Integer w = 0, h = 0;
        item->MeasureItem(bitmap->Canvas(), w, h);
        l.Items.push_back(item);
        l.Rects.push_back({PopupBorder, y, 0, y + h});
        y += h;
        width = std::max(width, w);
    }
    for (TRect& r : l.Rects)
        r.Right = PopupBorder + width;
    l.Bounds = {0, 0, width + 2 * PopupBorder, y + PopupBorder};
    return l;
}

// Puts a level's window at At (its top-left, or its top-right with
// RightAligned, or centred on At.X with AlignWidth < 0), kept on the screen.
void TMenuLoop::PlaceLevel(TLevel& L, TPoint At, Integer AlignWidth, bool RightAligned) const {
    const Integer w = L.Bounds.Width(), h = L.Bounds.Height();
    Integer x = RightAligned ? At.X - w : AlignWidth < 0 ? At.X - w / 2 : At.X;
    Integer y = At.Y;
    const Integer sw = Screen->Width(), sh = Screen->Height();
    if (x + w > sw) x = AlignWidth > 0 ? At.X - AlignWidth - w : sw - w;
    if (y + h > sh) y = std::max(0, y - h);
    x = std::max(0, std::min(x, std::max(0, sw - w)));
    L.Bounds = {x, y, x + w, y + h};
}

TOwnerDrawState TMenuLoop::ItemState(TMenuItem* Item, bool Selected, bool TopLevel) const {
    TOwnerDrawState s;
    if (Selected) s << odSelected;
    if (!Item->Enabled()) s << odDisabled << odGrayed;
    if (Item->Checked()) s << odChecked;
    if (Item->Default()) s << odDefault;
    if (!FKeyboard) s << odNoAccel;
    return s;
}

// ================================================================ painting

void TMenuLoop::PaintBar(TCustomForm* Form, TCanvas* Canvas) {
    TBarLayout bar = LayoutBar(Form);
    Canvas->Brush()->SetColor(clMenuBar);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->FillRect({0, 0, Canvas->ClipRect().Right, bar.Height});
    for (size_t i = 0; i < bar.Items.size(); ++i) {
        const bool selected = Form == FForm && static_cast<Integer>(i) == FBarIndex;
        TOwnerDrawState state = ItemState(bar.Items[i], selected, true);
        if (!selected && Form == FHotForm && static_cast<Integer>(i) == FHotIndex) state << odHotLight;
        if (!Form->Active()) state << odInactive;
        {
            TSavedDC saved(Canvas->Handle());
            IntersectClipRect(Canvas->Handle(), bar.Rects[i].Left, bar.Rects[i].Top, bar.Rects[i].Right,
                              bar.Rects[i].Bottom);
            bar.Items[i]->AdvancedDrawItem(Canvas, bar.Rects[i], state);
        }
        Canvas->Refresh();
    }
}

// The classic frame of a drop-down: a raised two-line edge and one line of
// the menu colour inside it.
//
//   LLLLLLLLLD     L cl3DLight (outer top-left)
//   LHHHHHHHSD     H clBtnHighlight (inner top-left)
//   LH.......SD    S clBtnShadow (inner bottom-right)
//   LSSSSSSSSD     D cl3DDkShadow (outer bottom-right)
//   DDDDDDDDDD     . clMenu
void TMenuLoop::PaintLevel(Integer Level, TCanvas* Canvas) {
    if (Level < 0 || Level >= LevelCount()) return;
    TLevel& l = FLevels[static_cast<size_t>(Level)];
    const Integer w = l.Bounds.Width(), h = l.Bounds.Height();
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clMenu);
    Canvas->FillRect({0, 0, w, h});
    TRect frame{0, 0, w, h};
    DrawEdge(Canvas->Handle(), &frame, EDGE_RAISED, BF_RECT);
    for (size_t i = 0; i < l.Items.size(); ++i) {
        TOwnerDrawState state = ItemState(l.Items[i], static_cast<Integer>(i) == l.Selected, false);
        {
            TSavedDC saved(Canvas->Handle());
            IntersectClipRect(Canvas->Handle(), l.Rects[i].Left, l.Rects[i].Top, l.Rects[i].Right,
                              l.Rects[i].Bottom);
            l.Items[i]->AdvancedDrawItem(Canvas, l.Rects[i], state);
        }
        Canvas->Refresh();
    }
}

// ================================================================ state

void TMenuLoop::RepaintBar() {
    if (FForm) TMenuWindows::UpdateBar(FForm);
}

void TMenuLoop::CloseLevelsFrom(Integer Level) {
    if (Level < 0) Level = 0;
    if (Level >= LevelCount()) return;
    FLevels.resize(static_cast<size_t>(Level));
    TMenuWindows::HideLevels(Level);
    if (Level > 0) TMenuWindows::RepaintLevel(Level - 1);
}

void TMenuLoop::Close() {
    CloseLevelsFrom(0);
    TCustomForm* form = FForm;
    FForm = nullptr;
    FBarIndex = -1;
    FKeyboard = false;
    FPopupMenu = nullptr;
    if (form) TMenuWindows::UpdateBar(form);
}

void TMenuLoop::Forget(const TComponent* Gone) {
    if (!Active()) return;
    bool shown = Gone == FPopupMenu || (FForm && Gone == FForm->Menu());
    for (const TLevel& l : FLevels) {
        if (l.Parent == Gone || l.Menu == Gone) shown = true;
        for (const TMenuItem* item : l.Items)
            if (item == Gone) shown = true;
    }
    if (FForm && !shown) {
        TBarLayout bar = LayoutBar(FForm);
        shown = std::find(bar.Items.begin(), bar.Items.end(), Gone) != bar.Items.end();
    }
    if (shown) Close();
}

void TMenuLoop::FormWindowGone(const TCustomForm* Form) {
    if (Form == FHotForm) FHotForm = nullptr;
    if (Form != FForm) return;
    FForm = nullptr;
    Close();
}

void TMenuLoop::MenuChanged(TMenu* Menu, bool Rebuild) {
    if (!Active()) return;
    bool showsMenu = Menu == FPopupMenu || (FForm && Menu == BarMenu());
    if (!showsMenu) return;
    if (Rebuild) {
        // The open menus may have lost items: start again from the bar.
        Close();
        return;
    }
    RepaintBar();
    for (Integer i = 0; i < LevelCount(); ++i)
        TMenuWindows::RepaintLevel(i);
}

void TMenuLoop::EnterBar(TCustomForm* Form, Integer Index, bool Keyboard) {
    FHotForm = nullptr;
    FHotIndex = -1;
    if (FForm != Form || FPopupMenu) Close();
    FForm = Form;
    FKeyboard = Keyboard;
    FBarIndex = Index;
    RepaintBar();
}

Integer TMenuLoop::NextBarIndex(Integer From, Integer Step) const {
    TBarLayout bar = LayoutBar(FForm);
    const Integer n = static_cast<Integer>(bar.Items.size());
    if (n == 0) return -1;
    return ((From + Step) % n + n) % n;
}

// Selects bar entry Index; with Open its drop-down is shown (with its first
// item selected when SelectFirst).
void TMenuLoop::SelectBar(Integer Index, bool Open, bool SelectFirst) {
    CloseLevelsFrom(0);
    FBarIndex = Index;
    RepaintBar();
    if (!Open || !FForm) return;
    TBarLayout bar = LayoutBar(FForm);
    if (Index < 0 || Index >= static_cast<Integer>(bar.Items.size())) return;
    TMenuItem* entry = bar.Items[static_cast<size_t>(Index)];
    if (entry->Count() == 0 || !entry->Enabled()) return;
    TLevel l = LayoutLevel(BarMenu(), entry);
    if (l.Items.empty()) return;
    const TPoint origin = FForm->ClientOrigin();
    const TRect r = bar.Rects[static_cast<size_t>(Index)];
    PlaceLevel(l, {origin.X + r.Left, origin.Y - bar.Height + r.Bottom}, 0, false);
    FLevels.push_back(std::move(l));
    if (SelectFirst) MoveSelection(0, 1);
    TMenuWindows::ShowLevel(0, FLevels[0].Bounds);
}

void TMenuLoop::OpenSubMenu(Integer Level, bool SelectFirst) {
    if (Level < 0 || Level >= LevelCount()) return;
    const TLevel& from = FLevels[static_cast<size_t>(Level)];
    if (from.Selected < 0) return;
    TMenuItem* item = from.Items[static_cast<size_t>(from.Selected)];
    if (item->Count() == 0 || !item->Enabled()) return;
    CloseLevelsFrom(Level + 1);
    TLevel l = LayoutLevel(from.Menu, item);
    if (l.Items.empty()) return;
    const TRect r = from.Rects[static_cast<size_t>(from.Selected)];
    PlaceLevel(l, {from.Bounds.Right - PopupBorder, from.Bounds.Top + r.Top - PopupBorder},
               from.Bounds.Width() - 2 * PopupBorder, false);
    FLevels.push_back(std::move(l));
    if (SelectFirst) MoveSelection(Level + 1, 1);
    TMenuWindows::ShowLevel(Level + 1, FLevels.back().Bounds);
}

void TMenuLoop::OpenPopup(TPopupMenu* Menu, Integer X, Integer Y) {
    Close();
    TLevel l = LayoutLevel(Menu, Menu->Items());
    if (l.Items.empty()) return;
    PlaceLevel(l, {X, Y}, Menu->Alignment() == paCenter ? -1 : 0, Menu->Alignment() == paRight);
    FPopupMenu = Menu;
    FKeyboard = false;
    FLevels.push_back(std::move(l));
    TMenuWindows::ShowLevel(0, FLevels[0].Bounds);
}

void TMenuLoop::Select(Integer Level, Integer Index) {
    if (Level < 0 || Level >= LevelCount()) return;
    TLevel& l = FLevels[static_cast<size_t>(Level)];
    if (l.Selected == Index) return;
    l.Selected = Index;
    CloseLevelsFrom(Level + 1);
    TMenuWindows::RepaintLevel(Level);
}

// Moves the selection of a level to the next selectable item in Step's
// direction, wrapping around; hidden items and separators are skipped.
void TMenuLoop::MoveSelection(Integer Level, Integer Step) {
    if (Level < 0 || Level >= LevelCount()) return;
    TLevel& l = FLevels[static_cast<size_t>(Level)];
    const Integer n = static_cast<Integer>(l.Items.size());
    Integer i = l.Selected < 0 ? (Step > 0 ? -1 : n) : l.Selected;
    for (Integer k = 0; k < n; ++k) {
        i = ((i + Step) % n + n) % n;
        if (Selectable(l.Items[static_cast<size_t>(i)])) {
            Select(Level, i);
            return;
        }
    }
}

void TMenuLoop::Fire(TMenuItem* Item) {
    if (!Item->Enabled() || Item->IsLine()) return;
    Close();
    Item->Click();
}

// A typed character in the innermost open menu (or on the bar): the item
// with that accelerator fires, or opens when it holds a sub-menu.
bool TMenuLoop::Accelerator(char32_t Char) {
    Char = UpperChar(Char);
    if (LevelCount() == 0) {
        if (!FForm) return false;
        TBarLayout bar = LayoutBar(FForm);
        for (size_t i = 0; i < bar.Items.size(); ++i)
            if (AccelOf(bar.Items[i]->Caption()) == Char) {
                SelectBar(static_cast<Integer>(i), true, true);
                return true;
            }
        return false;
    }
    const Integer level = LevelCount() - 1;
    TLevel& l = FLevels.back();
    for (size_t i = 0; i < l.Items.size(); ++i) {
        TMenuItem* item = l.Items[i];
        if (!Selectable(item) || AccelOf(item->Caption()) != Char) continue;
        Select(level, static_cast<Integer>(i));
        if (item->Count() > 0)
            OpenSubMenu(level, true);
        else
            Fire(item);
        return true;
    }
    return false;
}

// ================================================================ keyboard

bool TMenuLoop::KeyHook(TKeyAction Action, Word Key, TShiftState Shift) {
    const bool modifier = Key == VK_SHIFT || Key == VK_CONTROL || Key == VK_MENU;
    if (Action == kaUp) {
        if (Key == VK_MENU && FAltAlone) {
            FAltAlone = false;
            if (Active()) {
                Close();
                return true;
            }
            TCustomForm* form = ActiveCustomForm();
            if (form && form->MenuHeight() > 0) {
                EnterBar(form, 0, true);
                return true;
            }
            return false;
        }
        return Active();
    }
    FAltAlone = Key == VK_MENU;
    if (!Active()) {
        TCustomForm* form = ActiveCustomForm();
        if (!form || modifier) return false;
        const bool hasBar = form->MenuHeight() > 0;
        // F10 enters the bar; Shift+F10 goes on to the control, for its context menu.
        if (Key == VK_F10 && !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt) &&
            hasBar) {
            EnterBar(form, 0, true);
            return true;
        }
        if (Shift.Contains(ssAlt) && !Shift.Contains(ssCtrl) && hasBar &&
            ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9'))) {
            FForm = form;
            FKeyboard = true;
            if (Accelerator(Key)) return true;
            FForm = nullptr;
            FKeyboard = false;
        }
        return form->Menu() && form->Menu()->IsShortCut(Key, Shift);
    }
    if (modifier) return true;
    FKeyboard = true;
    const Integer level = LevelCount() - 1;
    switch (Key) {
    case VK_ESCAPE:
        if (level >= 1 || (level == 0 && FForm)) {
            CloseLevelsFrom(level);
            RepaintBar();
        } else {
            Close();
        }
        return true;
    case VK_F10:
        Close();
        return true;
    case VK_UP:
    case VK_DOWN:
        if (level < 0)
            SelectBar(FBarIndex, true, true);
        else
            MoveSelection(level, Key == VK_DOWN ? 1 : -1);
        return true;
    case VK_LEFT:
        if (level >= 1)
            CloseLevelsFrom(level);
        else if (FForm)
            SelectBar(NextBarIndex(FBarIndex, -1), level == 0, true);
        return true;
    case VK_RIGHT:
        if (level >= 0) {
            const TLevel& l = FLevels.back();
            if (l.Selected >= 0 && l.Items[static_cast<size_t>(l.Selected)]->Count() > 0 &&
                l.Items[static_cast<size_t>(l.Selected)]->Enabled()) {
                OpenSubMenu(level, true);
                return true;
            }
        }
        if (FForm) SelectBar(NextBarIndex(FBarIndex, 1), level >= 0, true);
        return true;
    case VK_RETURN:
    case VK_SPACE:
        if (Key == VK_SPACE && level < 0) return true;
        if (level < 0) {
            SelectBar(FBarIndex, true, true);
        } else {
            const TLevel& l = FLevels.back();
            if (l.Selected < 0) return true;
            TMenuItem* item = l.Items[static_cast<size_t>(l.Selected)];
            if (item->Count() > 0)
                OpenSubMenu(level, true);
            else
                Fire(item);
        }
        return true;
    default:
        if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9')) Accelerator(Key);
        return true;
    }
}

// ================================================================ mouse

bool TMenuLoop::MouseHook(TMouseAction Action) {
    if (!Active()) {
        // The pointer is over a form's client area: no bar entry is hot.
        if (FHotForm && Action == maMove) {
            TCustomForm* form = const_cast<TCustomForm*>(FHotForm);
            FHotForm = nullptr;
            FHotIndex = -1;
            TMenuWindows::UpdateBar(form);
        }
        return false;
    }
    if (Action == maDown || Action == maDoubleClick) Close();
    return true;
}

void TMenuLoop::BarMouse(TCustomForm* Form, TMouseAction Action, TMouseButton Button, TPoint Pos) {
    TBarLayout bar = LayoutBar(Form);
    Integer hit = -1;
    for (size_t i = 0; i < bar.Rects.size(); ++i)
        if (PtInRect(bar.Rects[i], Pos)) hit = static_cast<Integer>(i);
    const bool open = FForm == Form && LevelCount() > 0 && !FPopupMenu;
    switch (Action) {
    case maDown:
    case maDoubleClick:
        if (Button != mbLeft) return;
        if (hit < 0) {
            Close();
            return;
        }
        if (open && hit == FBarIndex) {
            Close();
            return;
        }
        EnterBar(Form, hit, false);
        SelectBar(hit, true, false);
        return;
    case maMove:
        // Hovering switches between entries while a drop-down is open, and
        // shows the entry under the pointer hot while none is.
        if (open && hit >= 0 && hit != FBarIndex) SelectBar(hit, true, false);
        if (!Active() && (FHotForm != Form || FHotIndex != hit)) {
            FHotForm = hit >= 0 ? Form : nullptr;
            FHotIndex = hit;
            TMenuWindows::UpdateBar(Form);
        }
        return;
    case maUp:
        return;
    }
}

void TMenuLoop::LevelMouse(Integer Level, TMouseAction Action, TMouseButton Button, TPoint Pos) {
    if (Level < 0 || Level >= LevelCount()) return;
    const TLevel& l = FLevels[static_cast<size_t>(Level)];
    Integer hit = -1;
    for (size_t i = 0; i < l.Rects.size(); ++i)
        if (PtInRect(l.Rects[i], Pos) && Selectable(l.Items[i])) hit = static_cast<Integer>(i);
    switch (Action) {
    case maMove:
        if (hit < 0) return;
        if (hit != l.Selected) {
            Select(Level, hit);
            if (FLevels[static_cast<size_t>(Level)].Items[static_cast<size_t>(hit)]->Count() > 0)
                OpenSubMenu(Level, false);
        }
        return;
    case maDown:
    case maDoubleClick:
        if (hit >= 0 && hit != l.Selected) Select(Level, hit);
        return;
    case maUp: {
        if (hit < 0 || (Button != mbLeft && Button != mbRight)) return;
        TMenuItem* item = l.Items[static_cast<size_t>(hit)];
        if (item->Count() > 0) {
            Select(Level, hit);
            OpenSubMenu(Level, false);
        } else {
            Fire(item);
        }
        return;
    }
    }
}
