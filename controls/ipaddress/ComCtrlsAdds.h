#pragma once
// The IP address control and the two routines that turn a 32-bit IPv4
// address into dotted text and back.
//
// An address is a 32-bit number whose top byte is the first field:
// a.b.c.d is (a shl 24) or (b shl 16) or (c shl 8) or d.
//
// TIPAddress is a windowed control over the common controls' four-field
// editor (TIPAddressWindow). It keeps the address and the field ranges
// itself while it has no window and pushes them into the window it gets;
// while the window exists the window holds the address and reads come from
// it. It reports changes of the text (OnChange, not while its window is
// being made) and lets the program see and replace the value of a field
// the user leaves (OnIPFieldChange); the value it returns is brought into
// the field's range, a blank field (-1) staying blank.

#include "platform/gui/controls/IPAddressWindow.h"
#include "platform/gui/controls/Published.h"

#include <array>

// "a.b.c.d", each part the decimal value of one byte, without leading zeros.
String IPAddrToStr(Cardinal Address);
// The address of dotted text: four parts of 0..255 that StrToInt reads,
// separated by "."; text after the fourth part is ignored. Raises
// EConvertError "<text> is not a valid IP address" for anything else.
Cardinal StrToIPAddr(const String& Text);

// FieldNum 0 to 3; the handler may replace NewValue (-1 for a blank field).
using TIPFieldChangedEvent = std::function<void(Integer FieldNum, Integer& NewValue)>;

class TIPAddress : public TIPAddressWindow {
public:
    QUENTA_PUBLISHED
    explicit TIPAddress(TComponent* AOwner);
    ~TIPAddress() override;

    // The address as dotted text; setting raises EConvertError for text that
    // is no address and then keeps the address it had.
    String Address();
    void SetAddress(const String& Value);
    Cardinal WinAddress();
    void SetWinAddress(Cardinal Value);
    // The height follows the font (csFixedHeight) while on.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    // Field ranges: raising a low bound above its high bound raises the high
    // bound with it, and lowering a high bound below its low bound lowers
    // the low bound; a change sends all four ranges to the window.
    Byte FieldLowRange(Integer Field) const { return FRanges[static_cast<size_t>(Field)].Low; }
    Byte FieldHighRange(Integer Field) const { return FRanges[static_cast<size_t>(Field)].High; }
    void SetFieldLowRange(Integer Field, Byte Value);
    void SetFieldHighRange(Integer Field, Byte Value);

    TNotifyEvent OnChange;
    TIPFieldChangedEvent OnIPFieldChange;

    void Dispatch(TMessage& Message) override;

protected:
    void CreateWnd() override;
    virtual void Change();

private:
    struct TRange {
        Byte Low = 0, High = 255;
    };
    void Refresh();
    void SendRanges();
    void AdjustHeight();
    void ApplyAutoSize();
    void CNCommand(TMessage& Message);
    void CNNotify(TMessage& Message);

    Cardinal FAddress = 0;
    std::array<TRange, 4> FRanges;
    bool FAutoSize = false;
    bool FCreating = false;
};

// Makes TIPAddress known to form descriptions by name.
void RegisterComCtrlsAddsClasses();
