#pragma once
// One typed field of a UDP report: a header word, a command field or a
// 512-element payload. The field only describes itself and holds its value;
// its report object packs and unpacks it.

#include "platform/rtl/System.h"

// Direction of a field.
inline constexpr Integer evIn = 0;     // device to host
inline constexpr Integer evOut = 1;    // host to device
inline constexpr Integer evHeader = 2; // both ways

class TOneEthVar : public TObject {
public:
    TOneEthVar(Integer ADirection, const String& AName, bool ASigned, Integer AIndex, Integer ACount,
               Integer ABits);

    Integer GetValue() const { return Value; }
    // Stores the value as given: packing cuts it to Bits.
    void SetValue(Integer AValue) { Value = AValue; }
    // Value := (Value + 1) AND Mask, so a 16-bit 0xFFFF wraps to 0.
    void Increment();
    bool IsOpen() const { return Handle >= 0; }
    // Back to "not opened": clears Reserved and empties Name; the value and
    // the shape of the field stay.
    void Reset();

    Integer Handle = -1; // -1: not opened
    Integer Index;       // position in the report's field list
    Integer Direction;   // evIn, evOut or evHeader
    Integer Usage = 0;
    String Name;
    Integer Value = 0;
    // 2^Bits - 1 with a 32-bit shift: 0xFF, 0xFFFF, 0xFFFFFF, and 0 for 32 bits.
    Integer Mask;
    Byte Reserved[16] = {};
    Integer Bits;  // 8, 16, 24 or 32
    Integer Count; // 1, or 512 for a payload
    bool Signed;   // sign-extend from Bits when read from the wire
    // For Count > 1: Count values (one byte value each) in storage owned by
    // the report object; nullptr for a scalar field.
    Integer* Elements = nullptr;
};
