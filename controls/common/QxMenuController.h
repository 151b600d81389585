#pragma once
// TQxMenuController: gives every menu of the form it is placed on the
// library's look by taking over its menu items' owner-draw events.
//
// Hooking: an item is hooked when the controller is loaded (every item its
// owner owns) and when its owner gains an item later; it is unhooked when
// it goes away and when the controller goes. An item whose
// OnAdvancedDrawItem the program set is never hooked. Nothing is hooked
// while the form is being read (the handlers read from it would land over
// the controller's), and unhooking clears only handlers that are still the
// controller's.
//
// Look of a drop-down item (IB the icon bar, T the text part):
//
//   |<- IB: images' width + 8, or 24 ->|<- T: MenuColor, text from +6 ->|
//   | icon bar gradient, left to right |  caption            shortcut    |
//
// a selected enabled item: the whole rectangle outlined in the selection
// frame colour and filled with the selection gradient (top to bottom); a
// checked item: a framed box in the icon bar (inset 1, 2 short on the
// right) behind its image, or with a check mark or bullet; a separator: one
// clBtnShadow line, one pixel below the top of T. A menu-bar entry: when
// selected or hot, outlined one pixel inside its rectangle and filled with
// the selection gradient; else its background is the bar's colour. Without
// a full-colour display every gradient is its stop colour, flat.

#include "controls/common/QxCommon.h"
#include "platform/gui/controls/Menus.h"

#include <vector>

class TQxMenuController : public TComponent {
public:
    QUENTA_PUBLISHED
    explicit TQxMenuController(TComponent* AOwner);
    ~TQxMenuController() override;

    TQxGradientColorStyle GradientColorStyle() const { return FGradientColorStyle; }
    void SetGradientColorStyle(TQxGradientColorStyle Value) { FGradientColorStyle = Value; }
    TColor SelectionColorStart() const { return FSelectionColorStart; }
    void SetSelectionColorStart(TColor Value) { FSelectionColorStart = Value; }
    TColor SelectionColorStop() const { return FSelectionColorStop; }
    void SetSelectionColorStop(TColor Value) { FSelectionColorStop = Value; }
    TColor SelectionFrameColor() const { return FSelectionFrameColor; }
    void SetSelectionFrameColor(TColor Value) { FSelectionFrameColor = Value; }
    TColor IconBarColorStart() const { return FIconBarColorStart; }
    void SetIconBarColorStart(TColor Value) { FIconBarColorStart = Value; }
    TColor IconBarColorStop() const { return FIconBarColorStop; }
    void SetIconBarColorStop(TColor Value) { FIconBarColorStop = Value; }
    TColor MenuColor() const { return FMenuColor; }
    void SetMenuColor(TColor Value) { FMenuColor = Value; }
    TColor MenuFontColor() const { return FMenuFontColor; }
    void SetMenuFontColor(TColor Value) { FMenuFontColor = Value; }

    void HookMenuItem(TMenuItem* Item);
    void UnhookMenuItem(TMenuItem* Item);
    // The items hooked now, in hooking order.
    const std::vector<TMenuItem*>& HookedItems() const { return FItems; }
    // Whether the item's owner-draw events are this controller's.
    bool OwnsHandlers(const TMenuItem* Item) const;

    void MeasureMenuItem(TMenuItem* Item, Integer& Width, Integer& Height);
    void DrawMenuItem(TMenuItem* Item, TCanvas* Canvas, TOwnerDrawState State, TRect R);

    void Loaded() override;
    void DefineProperties(TFiler* Filer) override;
    void BeforeDestruction() override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void HookMenuItems();
    void UnhookMenuItems();
    bool Loading() const;
    void DrawMenuItemText(TMenuItem* Item, TCanvas* Canvas, TOwnerDrawState State, TRect T, bool Bar);
    void DrawMenuCheckMark(TMenuItem* Item, TCanvas* Canvas, const TRect& IB, bool Selected,
                           TColor FrameColor, TColor StartColor, TColor StopColor);
    void ReadOldColor(TReader* Reader, TColor& Field);

    std::vector<TMenuItem*> FItems;
    TQxGradientColorStyle FGradientColorStyle = gcsSystem;
    TColor FSelectionColorStart = clBtnFace;
    TColor FSelectionColorStop = clBtnShadow;
    TColor FSelectionFrameColor = cl3DDkShadow;
    TColor FIconBarColorStart = 0xFFFFFF;
    TColor FIconBarColorStop = clBtnFace;
    TColor FMenuColor = clWindow;
    TColor FMenuFontColor = clWindowText;
};

// True when the user's desktop settings hide the accelerator underlines of
// menus until the keyboard is used: the binary value "UserPreferencesMask"
// of the current user's key "\Control Panel\Desktop" is 8 bytes long (4 before
// Vista) and bit 0x20 of its first byte is clear. A missing or short value,
// or any failure to read it, answers False.
bool MenuUnderlinesHidden();

// Makes the menu controller and the menu classes known to form
// descriptions by name.
void RegisterQxMenuControllerClasses();
