#pragma once
// Writing memory read back from a device as Intel HEX lines.

#include "host/image/BT_Types.h"
#include "platform/rtl/Classes.h"

// The record that resets the upper address word, written before every
// extended linear address record.
inline constexpr const char* HexUpperAddressReset = ":020000040000FA";
inline constexpr const char* HexEndOfFile = ":00000001FF";

// Appends the checksum of the record: the two's complement of the sum of the
// hexadecimal pairs after the ":", as two lower-case digits.
void AppendChecksum(String& Line);

// Removes trailing blank words that read "ffffff00" (any case) from a data
// record without its checksum, lowering its byte count by 4 for each; at most
// as many as the record holds whole words.
void TrimTrailingBlanks(String& Line);

// Adds HexUpperAddressReset, then the extended linear address record of the
// upper address word (":02000004" + 4 digits + checksum), its digits in
// lower or upper case.
void AddUpperAddressPair(TStrings& Lines, Cardinal Upper, bool UpperCaseDigits);

// The three lines of configuration word Index at ConfigPhysicalStart + 4 x
// Index: the upper address pair, then ":04" + low address + "00" + the
// word's four bytes, least significant first, upper-case, with checksum.
void AddConfigWordLines(TStrings& Lines, Cardinal ConfigPhysicalStart, Integer Index, Cardinal Value);

// Writes payload bytes as lower-case data records, with the upper address
// pair whenever the upper address word changes.
class THexLineWriter {
public:
    // The upper address word last written; 0 at the start of every region.
    Cardinal LastUpperAddress = 0;

    // One data record for Count payload bytes at a physical address:
    // - nothing when every byte is 0xFF (blank);
    // - the upper address pair first when the address is above 0xFFFF and
    //   its upper word differs from LastUpperAddress;
    // - each instruction word's ActiveBytesPerIwu payload bytes, followed by
    //   zero bytes up to BytesPerIwu when the target's words have inactive
    //   bytes (those targets' blank words, "ffffff00", are trimmed from the
    //   end of the record); the byte count field counts every byte written.
    // False (and nothing written) when the record would exceed 255 bytes.
    bool WritePayloadLine(TStrings& Lines, const Byte* Payload, Integer Count, Cardinal PhysAddress,
                          const TDeviceTypeRec& Target);
};
