#pragma once
// The firmware image as Intel HEX lines: validation, record parsing, placing
// the data in the image buffers, and the after-load step.

#include "host/image/HexLines.h"
#include "host/image/ImageEvents.h"
#include "host/image/MemoryBuffers.h"
#include "platform/rtl/Classes.h"

#include <array>
#include <optional>
#include <string_view>

// Intel HEX record types.
enum THexRecordType : Integer {
    hrData = 0,
    hrEndOfFile = 1,
    hrExtSegmentAddress = 2,
    hrStartSegmentAddress = 3,
    hrExtLinearAddress = 4,
    hrStartLinearAddress = 5,
};

struct THexRecord {
    Integer RecType = 0;
    // The address field; for types 2 and 4 the record's 16-bit value (the
    // segment or the upper address word).
    Cardinal Address = 0;
    Integer ByteCount = 0;
    // Data bytes read: ByteCount, or fewer when a pair is not hexadecimal.
    Integer DataCount = 0;
    std::array<Byte, 255> Data{};
};

// Reads one line as a record: ":" then byte count, address and type as
// hexadecimal, then the data bytes. The checksum is not read. False when
// the line holds no record (no ":" first, or a header that is not hex).
bool ParseHexLine(std::string_view Line, THexRecord& Rec);

// True when the lines form an acceptable image:
// - there is at least one line;
// - every record up to the end-of-file record (or the last line) starts
//   with ":", is hexadecimal throughout and has a correct checksum;
//   types 2 and 4 carry exactly 2 bytes;
// - before the first data record only types 0, 1, 2 and 4 appear, and no
//   line is blank; after it other types are allowed (and ignored when
//   loading) and blank lines are skipped;
// - a missing end-of-file record is accepted; lines after it are ignored.
bool ValidateHexLines(const TStrings& Lines);

// The validator's verdict with its reason, for tools that tell a person
// which line to mend.
struct THexCheck {
    bool Valid = false;
    Integer Line = -1;    // index of the line that makes the text invalid; -1 when valid or empty
    String Problem;       // what is wrong with that line (or "the text holds no lines")
    bool HasData = false; // a data record with at least one byte was seen before the end
};
THexCheck CheckHexLines(const TStrings& Lines);

// Places the data records into the image buffers of the target's regions
// (the region is chosen by the record's start address; an address with the
// top bit set is in no region). Every byte goes to its own byte address
// inside its word, little-endian, into the word as it was; data running
// past the words in use of its buffer is cut. Updates the bookkeeping.
// Writes "Loading buffers..." first. Answers the first address of data that
// lies inside a region of the target but beyond the words its buffer holds
// (buffers sized for a smaller target), or nothing.
std::optional<Cardinal> LoadBuffersFromHex(const TStrings& Lines, const TDeviceTypeRec& Target,
                                           TMemoryBuffers& Buffers, const TResultLineEvent& AddResultLine);

// The image state of the main window.
class THexImage {
public:
    TMemoryBuffers Buffers;
    THexLines Lines;           // the image lines
    TStringList ReadBackLines; // the read-back hex lines (filled by reads)
    bool Loaded = false;       // the image loaded flag
    TImageEvents Events;

    // The after-load step: clears the program and configuration images,
    // validates the lines, places them and reports; a bad image also shows
    // a warning box. Loaded := the verdict, which is returned.
    bool ImageLoaded(const TDeviceTypeRec& Target);
    // Replaces the lines with those of a .hex file, then the after-load
    // step. A file that cannot be read raises EFOpenError (the lines are
    // then empty).
    bool LoadHexFile(const String& FileName, const TDeviceTypeRec& Target);
    // File, New: clears the image lines and the read-back hex lines.
    void NewImage();
};
