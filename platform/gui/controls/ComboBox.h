#pragma once
// TCustomComboBox and TComboBox: the drop-down list of dialogs, painted by
// the platform, with its list in a popup window of its own.
//
// Model: Items (strings, each with an object), ItemIndex (the selected item,
// -1 for none) and Text (what the face shows). Choosing an item makes Text
// the item's text; setting Text selects the item of that text (compared
// without regard to case) or none, and the face shows the text either way,
// so a program can show "No devices" over an empty list. Setting ItemIndex,
// Text or Items from the program fires no event.
//
// The user chooses with the mouse (a press on the face opens or closes the
// list; a release or click on an item of the list chooses it and closes the
// list; a press anywhere else closes it) or the keyboard (closed: Up, Down,
// Left, Right, Home, End, PgUp, PgDn and an item's first letter choose at
// once; F4 and Alt+Down or Alt+Up open and close the list; open: the arrows,
// Home, End, PgUp and PgDn move the list's highlight, Enter, F4, Alt+Up and
// Tab choose it, Escape closes without choosing). The mouse wheel moves the
// selection, or scrolls an open list. A choice that changes ItemIndex sets
// Text, then fires OnClick and OnSelect (OnChange when no OnSelect is set),
// as the framework does. Losing the focus closes the list without choosing.
//
// Style: csDropDownList and csDropDown both show a list to choose from;
// nothing is typed into the face.
//
// Face (classic look), for a combo 12 pixels high (S = BtnShadow,
// H = BtnHighlight, D = 3DDkShadow, L = 3DLight, b = the drop-down button,
// a raised BtnFace square SM_CXVSCROLL wide with a 7 x 4 black arrow in its
// middle; t = the text area, Window, or Highlight with a dotted focus
// rectangle while the combo has the focus and the list is closed; the
// item's text is drawn two pixels right of t's left edge, centred in height):
//
//   SSSSSSSSSSSSSSSSSSSSSSSH
//   SDDDDDDDDDDDDDDDDDDDDDLH
//   SDttttttttttbbbbbbbbbbLH
//   SDttttttttttbbbbbbbbbbLH          arrow:  XXXXXXX
//   ...                                        XXXXX
//   SDttttttttttbbbbbbbbbbLH                    XXX
//   SLLLLLLLLLLLLLLLLLLLLLLH                     X
//   HHHHHHHHHHHHHHHHHHHHHHHH
//
// The button looks pushed (a flat BtnShadow ring, the arrow one pixel right
// and down) while a press that opened the list is held. A disabled combo
// shows BtnFace behind GrayText and a BtnShadow arrow.
//
// List: as wide as the combo, below it (above when the screen has no room
// below), one WindowFrame pixel around DropDownCount rows of ItemHeight at
// most; the highlighted row in Highlight / HighlightText, the others in
// Window / WindowText; with more items than rows, a scroll bar on the right
// (arrow buttons at its ends scroll a row, the track above or below the
// thumb a page).

#include "platform/gui/controls/CustomForm.h"
#include "platform/gui/controls/Published.h"
#include "platform/gui/controls/WindowInput.h"

#include <memory>

class TPopupWindow;

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox : public TCustomControl {
public:
    QUENTA_PUBLISHED
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    Integer ItemIndex() const { return FItemIndex; }
    // Out of range selects nothing.
    void SetItemIndex(Integer Value);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    Integer DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(Integer Value) { FDropDownCount = Value < 1 ? 1 : Value; }
    // The height of one row of the list: the font's height unless set.
    Integer ItemHeight() const;
    void SetItemHeight(Integer Value) { FItemHeight = Value; }

    bool DroppedDown() const;
    void SetDroppedDown(bool Value);
    // Empties the list and the text.
    void Clear();

    // The list's highlighted row while it is open (-1: none) and its first
    // shown row.
    Integer ListHighlight() const { return FHighlight; }
    Integer ListTopIndex() const { return FTopIndex; }
    // The list's window (for tests; nullptr before the list first opened).
    TPopupWindow* ListWindow() const { return FList.get(); }

    void Dispatch(TMessage& Message) override;
    void Loaded() override;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    // A user's choice: OnSelect, or Change when there is no OnSelect.
    virtual void Select();
    virtual void Change();
    virtual void DropDown();
    virtual void CloseUp();
    void Paint() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;

private:
    class TComboBoxStrings;
    friend class TComboBoxStrings;

    // The user chooses an item: selection, text and events.
    void Choose(Integer Index);
    void OpenList();
    // Closes the list; with Accept the highlighted row is chosen.
    void CloseList(bool Accept);
    bool KeyWhileClosed(Word Key, TShiftState Shift);
    bool KeyWhileOpen(Word Key, TShiftState Shift);
    void ChooseByLetter(char32_t Char);
    // Mouse input for the list, from its own window or through the
    // capture, at a screen point.
    void ListPointer(TMouseAction Action, TMouseButton Button, TPoint ScreenPos);
    void ScrollList(Integer Rows);
    void MoveHighlight(Integer Index);
    Integer VisibleRows() const;
    bool HasScrollBar() const;
    // The scroll bar's thumb in a list window of that size.
    TRect ThumbRect(Integer Width, Integer Height) const;
    TRect ListBoundsOnScreen();
    void PaintList(TCanvas* Canvas);
    void PaintFace(TCanvas* Canvas);
    void ItemsChanged();
    void SetTextQuietly(const String& Value);

    std::unique_ptr<TStrings> FItems;
    Integer FItemIndex = -1;
    TComboBoxStyle FStyle = csDropDown;
    Integer FDropDownCount = 8;
    Integer FItemHeight = 0;
    Integer FPendingItemIndex = -1; // read before the items
    std::unique_ptr<TPopupWindow> FList;
    bool FDropped = false;
    Integer FHighlight = -1;
    Integer FTopIndex = 0;
    bool FButtonHeld = false;  // the press that opened the list is held
    bool FSettingText = false; // the text follows the selection
    Integer FListItemHeight = 0;
};

class TComboBox : public TCustomComboBox {
public:
    QUENTA_PUBLISHED
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};
