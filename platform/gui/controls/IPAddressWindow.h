#pragma once
// The common controls' four-field IPv4 editor ("SysIPAddress32") as a window
// class: a windowed control derived from TIPAddressWindow behaves as a
// control that subclasses that class does. The window paints itself,
// handles keys and the mouse in DefaultHandler (after the control's own
// handlers had their turn) and answers the IPM_ messages; it tells the
// control of changes as a parent reflects a child window's notifications:
// EN_CHANGE through CN_COMMAND after every change of a field's text, and
// IPN_FIELDCHANGED through CN_NOTIFY when the caret leaves a field.
//
// Fields: four texts of at most three digits; a blank field reads as 0 in
// the address and as -1 in IPN_FIELDCHANGED. Typing a digit fills the field
// at the caret and moves on to the next field after the third digit; "."
// or a space moves on from a field that holds digits; the focus comes to
// the first field, selected whole; Backspace at the
// start of a field goes back to the end of the previous one; Left, Right,
// Home and End move the caret, across fields too. A field entered by moving
// on is selected whole, so that typing replaces it. On leaving a field
// IPN_FIELDCHANGED offers its value (which the handler may replace) and the
// value is then brought into the field's range; a blank stays blank.
//
//   +--------------------------+   a sunken two-line edge, clWindow inside
//   | 192 . 168 .  1  .  5     |   (clBtnFace while disabled), each field's
//   +--------------------------+   digits centred in a quarter of the width

#include "platform/gui/controls/WinControl.h"

#include <array>

inline constexpr Cardinal IPM_CLEARADDRESS = WM_USER + 100;
inline constexpr Cardinal IPM_SETADDRESS = WM_USER + 101; // LParam the address
inline constexpr Cardinal IPM_GETADDRESS = WM_USER + 102; // LParam DWORD*; answers the non-blank fields
inline constexpr Cardinal IPM_SETRANGE = WM_USER + 103;   // WParam field, LParam MAKEIPRANGE
inline constexpr Cardinal IPM_SETFOCUS = WM_USER + 104;   // WParam field
inline constexpr Cardinal IPM_ISBLANK = WM_USER + 105;

inline constexpr Integer IPN_FIRST = -860;
inline constexpr Integer IPN_FIELDCHANGED = IPN_FIRST - 0;

struct NMIPADDRESS {
    NMHDR hdr;
    Integer iField = 0;
    Integer iValue = 0;
};

constexpr LPARAM MAKEIPRANGE(Byte Low, Byte High) {
    return static_cast<LPARAM>((static_cast<Cardinal>(High) << 8) + Low);
}
constexpr LPARAM MAKEIPADDRESS(Byte B1, Byte B2, Byte B3, Byte B4) {
    return static_cast<LPARAM>((static_cast<std::uint32_t>(B1) << 24) |
                               (static_cast<std::uint32_t>(B2) << 16) |
                               (static_cast<std::uint32_t>(B3) << 8) | B4);
}

class TIPAddressWindow : public TWinControl {
public:
    explicit TIPAddressWindow(TComponent* AOwner);

    // The field that holds the caret, and a field's text.
    Integer CurrentField() const { return FField; }
    const String& FieldText(Integer Field) const { return FFields[static_cast<size_t>(Field & 3)].Text; }
    // The rectangle of a field's digits (client coordinates).
    TRect FieldRect(Integer Field) const;
    // Where the edge and the fields lie: the window less its non-client
    // parts (the bevel, WM_NCCALCSIZE), in window coordinates.
    TRect EditArea() const;

    // The window wants the arrows and the characters (WM_GETDLGCODE).
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

protected:
    void PaintWindow(HDC DC) override;

private:
    struct TField {
        String Text;
        Byte Low = 0, High = 255;
    };
    void SetFieldText(Integer Field, const String& Text);
    void Changed();
    // Offers the current field's value and brings it into its range.
    void ConstrainField();
    // Moves the caret to Field (constraining the one it leaves).
    void GoToField(Integer Field, Integer Caret, bool SelectAll);
    void TypeChar(char32_t Char);
    void KeyDownDefault(Word Key);

    std::array<TField, 4> FFields;
    Integer FField = 0;
    Integer FCaret = 0;
    bool FSelectAll = false;
};
