#pragma once
// The menu loop, private to platform/gui: which menu is open, what is
// selected in it, how its windows are laid out and painted, and what the
// keyboard and the mouse do to it. One loop serves the whole program, as
// only one menu can be open at a time.
//
// Levels: level 0 is the drop-down of a menu-bar entry or the root of a
// pop-up menu, each further level the sub-menu of the selected item of the
// level before. The bar itself is not a level: BarIndex says which entry is
// selected and Keyboard whether it was entered by the keyboard (then the
// accelerators are underlined).
//
// The window layer (MenuWindows.cpp) shows the bar and the levels and
// hands their mouse input here; KeyInput and MouseInput offer every key and
// every mouse event of the forms here first (see WindowInput.h).

#include "platform/gui/controls/CustomForm.h"
#include "platform/gui/controls/Menus.h"
#include "platform/gui/controls/WindowInput.h"

class TMenuLoop {
public:
    static TMenuLoop& Get();

    // ---- layout, in each window's own coordinates
    struct TBarLayout {
        std::vector<TMenuItem*> Items;
        std::vector<TRect> Rects;
        Integer Height = 0;
    };
    TBarLayout LayoutBar(const TCustomForm* Form) const;
    struct TLevel {
        TMenu* Menu = nullptr;
        TMenuItem* Parent = nullptr;
        std::vector<TMenuItem*> Items;
        std::vector<TRect> Rects;
        TRect Bounds; // on the screen
        Integer Selected = -1;
    };
    // The classic frame around a drop-down's items.
    static constexpr Integer PopupBorder = 3;

    // ---- painting
    void PaintBar(TCustomForm* Form, TCanvas* Canvas);
    void PaintLevel(Integer Level, TCanvas* Canvas);
    Integer LevelCount() const { return static_cast<Integer>(FLevels.size()); }
    const TLevel& Level(Integer Index) const { return FLevels[static_cast<size_t>(Index)]; }

    // ---- input
    bool KeyHook(TKeyAction Action, Word Key, TShiftState Shift);
    bool MouseHook(TMouseAction Action);
    // Pos outside the bar (the pointer left it) clears the hot entry.
    void BarMouse(TCustomForm* Form, TMouseAction Action, TMouseButton Button, TPoint Pos);
    void LevelMouse(Integer Level, TMouseAction Action, TMouseButton Button, TPoint Pos);

    // ---- state
    void OpenPopup(TPopupMenu* Menu, Integer X, Integer Y);
    void Close();
    bool Active() const { return FForm || !FLevels.empty(); }
    TPopupMenu* PoppedUp() const { return FPopupMenu; }
    TCustomForm* BarForm() const { return FForm; }
    Integer BarIndex() const { return FBarIndex; }
    // A menu or item is going away: close what shows it.
    void Forget(const TComponent* Gone);
    // The form's bar window went away with the form's window.
    void FormWindowGone(const TCustomForm* Form);
    // A menu changed: lay out and paint again what shows it.
    void MenuChanged(TMenu* Menu, bool Rebuild);

private:
    TMenuLoop() = default;
    TLevel LayoutLevel(TMenu* Menu, TMenuItem* Parent) const;
    void PlaceLevel(TLevel& L, TPoint At, Integer AlignWidth, bool RightAligned) const;
    TOwnerDrawState ItemState(TMenuItem* Item, bool Selected, bool TopLevel) const;

    void EnterBar(TCustomForm* Form, Integer Index, bool Keyboard);
    void SelectBar(Integer Index, bool Open, bool SelectFirst);
    void OpenSubMenu(Integer Level, bool SelectFirst);
    void CloseLevelsFrom(Integer Level);
    void Select(Integer Level, Integer Index);
    void MoveSelection(Integer Level, Integer Step);
    Integer NextBarIndex(Integer From, Integer Step) const;
    void Fire(TMenuItem* Item);
    bool Accelerator(char32_t Char);
    void RepaintBar();
    TMenu* BarMenu() const;

    TCustomForm* FForm = nullptr; // the form whose bar is in use
    Integer FBarIndex = -1;
    bool FKeyboard = false;
    TPopupMenu* FPopupMenu = nullptr;
    std::vector<TLevel> FLevels;
    bool FAltAlone = false; // Alt went down and nothing else since
    // The bar entry under the pointer while no menu is open (drawn hot).
    const TCustomForm* FHotForm = nullptr;
    Integer FHotIndex = -1;
};

class QWidget;

// What the loop asks of the window layer (MenuWindows.cpp).
struct TMenuWindows {
    // The windows themselves (tests send them the window system's events).
    static QWidget* BarWidget(TCustomForm* Form);
    static QWidget* LevelWidget(Integer Level);
    // Makes, sizes or removes the form's bar window as its menu says, and
    // paints it again.
    static void UpdateBar(TCustomForm* Form);
    // Shows the window of a level at its bounds (made when missing) and
    // paints it; hides the windows of From and deeper levels.
    static void ShowLevel(Integer Level, const TRect& Bounds);
    static void HideLevels(Integer From);
    static void RepaintLevel(Integer Level);
};
