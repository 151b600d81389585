#pragma once
// Menus: a tree of TMenuItem under a TMenu, shown as a form's menu bar
// (TMainMenu, the form's Menu) or as a pop-up menu (TPopupMenu.Popup).
//
// Model. A menu owns one root item (Items) whose children are the menu's
// entries; every item may hold children of its own, shown as a sub-menu.
// Items are components like any other: in a form description they are
// owned by the form and their parent item is their parent component, so
// the owner tree hears of items made and freed later too. An item's
// Caption marks its accelerator with "&" ("&&" is a literal ampersand); the
// caption "-" is a separator line.
//
// Showing. The menu bar is our own strip at the top of the form's window,
// outside the client area (ClientHeight does not include it); drop-downs
// and pop-ups are our own windows. Both are painted by the items: an item
// whose menu has OwnerDraw on is measured through OnMeasureItem and drawn
// through OnAdvancedDrawItem on our canvas; otherwise the classic look is
// drawn (text, accelerator underline, check mark or bullet from
// DrawFrameControl, right-aligned shortcut, sub-menu arrow).
//
// Input. Alt (pressed and released alone) or F10 selects the first entry
// of the active form's menu bar; Alt+letter opens the entry with that
// accelerator. In an open menu the arrows move (Left/Right also between the
// entries of the bar and in and out of sub-menus), Enter fires or opens,
// a letter fires or opens the item with that accelerator, Esc closes one
// level. The mouse opens an entry by a press, switches between entries by
// hovering while one is open, fires an item by releasing over it, and a
// press outside every menu closes them all. A shortcut (ShortCut, e.g.
// Ctrl+O) fires its item while the form is active. Firing an item closes
// the menus first, then calls Click (AutoCheck inverts Checked, then
// OnClick runs).

#include "platform/gui/controls/Input.h"
#include "platform/gui/graphics/Graphics.h"
#include "platform/rtl/TypInfo.h"

#include <vector>

class TCustomImageList;
class TCustomForm;
class TMenu;

// ---------------------------------------------------------------- shortcuts

// A key with its modifiers: the virtual-key code in the low byte, plus
// scShift, scCtrl and scAlt.
using TShortCut = Word;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);
// "Ctrl+O", "Shift+Ctrl+F5", "Del"; "" for none.
String ShortCutToText(TShortCut ShortCut);
// The reverse of ShortCutToText (case-insensitive); 0 when not understood.
TShortCut TextToShortCut(const String& Text);

// ---------------------------------------------------------------- owner draw

enum TOwnerDrawStateFlag {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
    odHotLight,
    odInactive,
    odNoAccel,
    odNoFocusRect,
    odReserved1,
    odReserved2,
    odComboBoxEdit,
};
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;

// Width and Height arrive with the classic size of the item; a handler may
// change them.
using TMenuMeasureItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, Integer& Width, Integer& Height)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State)>;

// ---------------------------------------------------------------- TMenuItem

class TMenuItem : public TComponent {
public:
    QUENTA_PUBLISHED
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    // ---- the tree
    Integer Count() const { return static_cast<Integer>(FItems.size()); }
    TMenuItem* Items(Integer Index) const;
    TMenuItem* operator[](Integer Index) const { return Items(Index); }
    // The item this one is a child of (nullptr for a menu's root item and
    // for an item not in a menu).
    TMenuItem* Parent() const { return FParent; }
    // Adds Item at the end; raises EMenuError "Menu inserted twice" when it
    // already has a parent.
    void Add(TMenuItem* Item);
    void Insert(Integer Index, TMenuItem* Item);
    // Takes Item out of this item's children (it is not freed).
    void Remove(TMenuItem* Item);
    void Delete(Integer Index);
    // Frees every child.
    void Clear();
    Integer IndexOf(const TMenuItem* Item) const;
    // The menu this item belongs to (through its parents), or nullptr.
    TMenu* GetParentMenu() const;
    // The caption "-".
    bool IsLine() const { return FCaption == "-"; }
    // A first-level item of a main menu: an entry of the menu bar.
    bool IsTopLevel() const;

    // ---- properties
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool Checked() const { return FChecked; }
    // Checking a RadioItem unchecks the other radio items of its GroupIndex
    // among its siblings.
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    Byte GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Byte Value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }

    // ---- actions
    // AutoCheck inverts Checked, then OnClick runs.
    virtual void Click();
    // Classic size of the item, then OnMeasureItem (when the menu is
    // OwnerDraw).
    void MeasureItem(TCanvas* ACanvas, Integer& Width, Integer& Height);
    // OnAdvancedDrawItem when set and the menu is OwnerDraw, else the
    // classic look.
    void AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State);

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

protected:
    // Tells the menu that this item (or, with Rebuild, the tree) changed.
    void MenuChanged(bool Rebuild);

private:
    friend class TMenu;
    void TurnSiblingsOff();

    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // set on a menu's root item
    String FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    bool FAutoCheck = false;
    bool FRadioItem = false;
    Byte FGroupIndex = 0;
    TShortCut FShortCut = 0;
    Integer FImageIndex = -1;
    String FHint;
};

QUENTA_DECLARE_EXCEPTION(EMenuError, Exception);

// ---------------------------------------------------------------- menus

class TMenu : public TComponent {
public:
    QUENTA_PUBLISHED
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    TMenuItem* Items() const { return FItems; }
    // Items are measured and drawn through their owner-draw events.
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);

    // The enabled item with that shortcut (searching sub-menus; hidden items
    // count, as they do for the framework), or nullptr.
    TMenuItem* FindItem(TShortCut ShortCut) const;
    // Fires the item with the shortcut of Key and Shift; true when one fired.
    bool IsShortCut(Word Key, TShiftState Shift);

    // The menu or one of its items changed: what shows it is laid out and
    // painted again.
    virtual void Changed(TMenuItem* Source, bool Rebuild);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TMenuItem* FItems;
    bool FOwnerDraw = false;
    TCustomImageList* FImages = nullptr;
};

// The menu bar of a form (the form's Menu property).
class TMainMenu : public TMenu {
public:
    QUENTA_PUBLISHED
    explicit TMainMenu(TComponent* AOwner);
    ~TMainMenu() override;

    // The form that shows this menu as its menu bar (nullptr when none).
    TCustomForm* WindowForm() const { return FWindowForm; }
    void Changed(TMenuItem* Source, bool Rebuild) override;

private:
    friend class TCustomForm;
    TCustomForm* FWindowForm = nullptr;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

// A menu shown on request next to a point of the screen.
class TPopupMenu : public TMenu {
public:
    QUENTA_PUBLISHED
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    // Where the menu lies against the point given to Popup: paLeft puts its
    // left edge at X, paRight its right edge, paCenter its middle; its top
    // is at Y. A menu that would leave the screen is moved back onto it
    // (above Y when there is no room below).
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    // The component the menu was last shown for (set by the caller).
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }

    // Fires OnPopup, then shows the menu at the screen point (X, Y) with
    // Alignment and returns at once; the menu stays open until an item is
    // fired (its OnClick runs from the input that chose it), Esc is pressed
    // or the mouse is pressed outside it. A menu without visible items
    // shows nothing. Any open menu is closed first.
    virtual void Popup(Integer X, Integer Y);
    // The menu is open now.
    bool IsPoppedUp() const;

    TNotifyEvent OnPopup;

protected:
    virtual void DoPopup(TObject* Sender);

private:
    TPopupAlignment FAlignment = paLeft;
    bool FAutoPopup = true;
    TComponent* FPopupComponent = nullptr;
};

// ---------------------------------------------------------------- state

// The height of the form's menu bar: 0 without a menu or without visible
// entries, else the tallest measured entry (at least SM_CYMENU).
Integer MenuBarHeight(const TCustomForm* Form);
// Closes every open menu (and leaves the menu bar).
void CloseMenus();
// Whether a menu is open or the menu bar holds the keyboard.
bool MenuActive();
// The items of the open menus, outermost first; each open menu's selected
// item (nullptr where none).
std::vector<TMenuItem*> OpenMenus();
TMenuItem* SelectedMenuItem(Integer Level);

// Registers the menu classes for form descriptions; idempotent.
void RegisterMenuClasses();
