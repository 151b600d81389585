#include "host/image/HexImage.h"

#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <optional>
#include <bit>
#include <cstring>

namespace {

// Value of a hexadecimal digit, or -1.
constexpr std::array<signed char, 256> MakeHexTable() {
    std::array<signed char, 256> t{};
    for (auto& v : t) v = -1;
    for (int c = '0'; c <= '9'; ++c) t[c] = static_cast<signed char>(c - '0');
    for (int c = 'a'; c <= 'f'; ++c) t[c] = static_cast<signed char>(c - 'a' + 10);
    for (int c = 'A'; c <= 'F'; ++c) t[c] = static_cast<signed char>(c - 'A' + 10);
    return t;
}
constexpr auto HexTable = MakeHexTable();

// The byte at character position Pos (0-based) of S; -1 when the pair is
// missing or not hexadecimal.
inline int HexByte(std::string_view S, std::size_t Pos) {
    if (Pos + 1 >= S.size()) return -1;
    const int hi = HexTable[static_cast<unsigned char>(S[Pos])];
    const int lo = HexTable[static_cast<unsigned char>(S[Pos + 1])];
    return (hi | lo) < 0 ? -1 : hi << 4 | lo;
}

bool IsBlank(std::string_view S) {
    for (char c : S)
        if (static_cast<unsigned char>(c) > ' ') return false;
    return true;
}

// What can be wrong with one record.
enum class TRecordFault { None, Blank, NoColon, Short, NotHex, Checksum };

// A record that starts with ":", whose byte count, address, type, data and
// checksum are all hexadecimal pairs and whose bytes sum to 0 (mod 256).
TRecordFault CheckRecord(std::string_view Line, Integer& RecType, Integer& ByteCount) {
    if (Line.empty() || Line[0] != ':') return IsBlank(Line) ? TRecordFault::Blank : TRecordFault::NoColon;
    const int count = HexByte(Line, 1);
    if (count < 0) return Line.size() < 3 ? TRecordFault::Short : TRecordFault::NotHex;
    const std::size_t pairs = static_cast<std::size_t>(count) + 5;
    if (Line.size() < 1 + 2 * pairs) return TRecordFault::Short;
    unsigned sum = 0;
    for (std::size_t i = 0; i < pairs; ++i) {
        const int b = HexByte(Line, 1 + 2 * i);
        if (b < 0) return TRecordFault::NotHex;
        sum += static_cast<unsigned>(b);
    }
    RecType = HexByte(Line, 7);
    ByteCount = count;
    return (sum & 0xFF) == 0 ? TRecordFault::None : TRecordFault::Checksum;
}

String RecordFaultText(TRecordFault Fault) {
    switch (Fault) {
    case TRecordFault::Blank:
        return "is blank";
    case TRecordFault::NoColon:
        return "does not start with \":\"";
    case TRecordFault::Short:
        return "is shorter than its byte count says";
    case TRecordFault::NotHex:
        return "holds a character that is not a hexadecimal digit";
    case TRecordFault::Checksum:
        return "has a wrong checksum";
    case TRecordFault::None:
        break;
    }
    return "";
}

// Calls Visit(index, line) for every line in order until it returns false.
// The image lines are viewed in place; other lists give a copy of each.
template <class TVisit>
void VisitLines(const TStrings& Lines, TVisit&& Visit) {
    const Integer n = Lines.Count();
    if (const auto* packed = dynamic_cast<const THexLines*>(&Lines)) {
        for (Integer i = 0; i < n; ++i)
            if (!Visit(i, packed->Line(i))) return;
        return;
    }
    for (Integer i = 0; i < n; ++i) {
        const String line = Lines[i];
        if (!Visit(i, std::string_view(line))) return;
    }
}

} // namespace

THexCheck CheckHexLines(const TStrings& Lines) {
    THexCheck check;
    if (Lines.Count() == 0) {
        check.Problem = "the text holds no lines";
        return check;
    }
    bool dataSeen = false;
    VisitLines(Lines, [&](Integer i, std::string_view line) {
        if (dataSeen && IsBlank(line)) return true;
        Integer type = 0, count = 0;
        const TRecordFault fault = CheckRecord(line, type, count);
        if (fault != TRecordFault::None)
            check.Problem = RecordFaultText(fault);
        else if (!dataSeen && type != hrData && type != hrEndOfFile && type != hrExtSegmentAddress &&
                 type != hrExtLinearAddress)
            check.Problem = Format("is of record type %d, which may not come before the first data record", {type});
        else if ((type == hrExtSegmentAddress || type == hrExtLinearAddress) && count != 2)
            check.Problem = Format("is an address record of %d bytes instead of 2", {count});
        if (!check.Problem.empty()) {
            check.Line = i;
            return false;
        }
        if (type == hrEndOfFile) return false;
        if (type == hrData) {
            dataSeen = true;
            check.HasData = check.HasData || count > 0;
        }
        return true;
    });
    check.Valid = check.Line < 0;
    return check;
}

namespace {

struct TRegion {
    Cardinal Start = 0, End = 0;
    TDynamicIntArray* Buffer = nullptr;
    std::size_t Words = 0;       // words that may be written
    std::size_t TargetWords = 0; // words of the target's region

    bool Contains(Cardinal a) const { return Start <= a && a <= End; }
    // The first byte of a record at Address that lies in the target's region
    // but beyond the words the buffer holds (a target larger than the one
    // the buffers were sized for); nothing when the buffer holds it all.
    std::optional<Cardinal> Unheld(Cardinal Address, Integer Count, Integer BytesPerIwu) const {
        if (BytesPerIwu <= 0) return std::nullopt;
        const UInt64 bpi = static_cast<UInt64>(BytesPerIwu), first = Address - Start;
        const UInt64 held = Words * bpi, region = TargetWords * bpi;
        const UInt64 from = std::max(first, held);
        if (first + static_cast<UInt64>(Count) <= held || from >= region) return std::nullopt;
        return Start + static_cast<Cardinal>(from);
    }
};

TRegion MakeRegion(Integer Start, Integer End, Integer TargetWords, TMemoryBuffers& Buffers, Integer Kind) {
    TRegion r;
    r.Start = static_cast<Cardinal>(Start);
    r.End = static_cast<Cardinal>(End);
    r.Buffer = Buffers.Buffer(Kind);
    r.TargetWords = static_cast<std::size_t>(std::max(0, TargetWords));
    r.Words = std::min(r.TargetWords, static_cast<std::size_t>(std::max(0, Buffers.WordsInUse(Kind))));
    return r;
}

// Puts the bytes at their byte addresses from Address on, each into its
// lane of its word; stops at the end of the region's words.
void Place(const TRegion& R, Cardinal Address, const THexRecord& Rec, Integer BytesPerIwu) {
    if (BytesPerIwu <= 0 || !R.Buffer) return;
    const UInt64 first = Address - R.Start;
    const UInt64 bpi = static_cast<UInt64>(BytesPerIwu);
    auto* words = reinterpret_cast<Cardinal*>(R.Buffer->data());
    if constexpr (std::endian::native == std::endian::little) {
        // Four bytes to a word, least significant first: the bytes go to
        // their byte addresses in the buffer's memory as they stand.
        if (bpi == 4) {
            const UInt64 room = 4 * static_cast<UInt64>(R.Words);
            if (first >= room) return;
            const auto count = std::min<UInt64>(static_cast<UInt64>(Rec.DataCount), room - first);
            std::memcpy(reinterpret_cast<Byte*>(words) + first, Rec.Data.data(), static_cast<std::size_t>(count));
            return;
        }
    }
    for (Integer j = 0; j < Rec.DataCount; ++j) {
        const UInt64 offset = first + static_cast<UInt64>(j);
        const UInt64 word = bpi == 4 ? offset >> 2 : offset / bpi;
        const UInt64 lane = bpi == 4 ? offset & 3 : offset % bpi;
        if (word >= R.Words) return;
        if (lane >= 4) continue; // an instruction word wider than 32 bits keeps only its low bytes
        const unsigned shift = static_cast<unsigned>(8 * lane);
        words[word] = (words[word] & ~(Cardinal(0xFF) << shift)) | Cardinal(Rec.Data[j]) << shift;
    }
}

} // namespace

bool ParseHexLine(std::string_view Line, THexRecord& Rec) {
    if (Line.empty() || Line[0] != ':') return false;
    const int count = HexByte(Line, 1), hi = HexByte(Line, 3), lo = HexByte(Line, 5), type = HexByte(Line, 7);
    if ((count | hi | lo | type) < 0) return false;
    Rec.ByteCount = count;
    Rec.RecType = type;
    Rec.Address = static_cast<Cardinal>(hi << 8 | lo);
    Rec.DataCount = 0;
    if (type == hrEndOfFile) return true;
    for (int i = 0; i < count; ++i) {
        const int b = HexByte(Line, 9 + 2 * static_cast<std::size_t>(i));
        if (b < 0) break;
        Rec.Data[static_cast<std::size_t>(i)] = static_cast<Byte>(b);
        Rec.DataCount = i + 1;
    }
    if (type == hrExtLinearAddress || type == hrExtSegmentAddress)
        Rec.Address = Rec.DataCount >= 2 ? Cardinal(Rec.Data[0]) << 8 | Rec.Data[1] : 0;
    return true;
}

bool ValidateHexLines(const TStrings& Lines) {
    return CheckHexLines(Lines).Valid;
}

std::optional<Cardinal> LoadBuffersFromHex(const TStrings& Lines, const TDeviceTypeRec& T, TMemoryBuffers& Buffers,
                                           const TResultLineEvent& AddResultLine) {
    if (AddResultLine) AddResultLine("Loading buffers...");
    Buffers.LowestPhysProgAddress = static_cast<Cardinal>(T.ProgMemPhysicalEndPcu);
    Buffers.HighestPhysProgAddress = 0;
    const TRegion prog =
        MakeRegion(T.ProgMemPhysicalStartPcu, T.ProgMemPhysicalEndPcu, T.ProgMemSizeIwu, Buffers, bkProgImage);
    const TRegion boot =
        MakeRegion(T.BootMemPhysicalStartPcu, T.BootMemPhysicalEndPcu, T.BootMemSizeIwu, Buffers, bkBootImage);
    const TRegion config =
        MakeRegion(T.ConfigPhysicalStartPcu, T.ConfigPhysicalEndPcu, T.ConfigCount, Buffers, bkConfigImage);

    THexRecord rec;
    Cardinal base = 0;
    std::optional<Cardinal> unheld;
    auto place = [&](const TRegion& R, Cardinal Address) {
        Place(R, Address, rec, T.BytesPerIwu);
        if (!unheld) unheld = R.Unheld(Address, rec.DataCount, T.BytesPerIwu);
    };
    VisitLines(Lines, [&](Integer, std::string_view line) {
        if (!ParseHexLine(line, rec)) return true;
        if (rec.RecType == hrEndOfFile) return false;
        if (rec.RecType == hrExtLinearAddress) base = rec.Address << 16;
        if (rec.RecType == hrExtSegmentAddress) base = rec.Address << 4;
        if (rec.RecType != hrData) return true;
        const Cardinal address = base + rec.Address;
        const Cardinal end = address + static_cast<Cardinal>(rec.DataCount);
        if (address & 0x80000000) return true; // compared as a signed value: in no region
        if (prog.Contains(address)) {
            place(prog, address);
            // The highest address is one past the last byte of any record:
            // contiguous and overlapping records count as much as gapped ones.
            if (end > Buffers.HighestPhysProgAddress) Buffers.HighestPhysProgAddress = end;
            if (address < Buffers.LowestPhysProgAddress) Buffers.LowestPhysProgAddress = address;
        } else if (boot.Contains(address)) {
            place(boot, address);
            if (end > Buffers.HighestBootAddress) Buffers.HighestBootAddress = end;
        } else if (config.Contains(address)) {
            place(config, address);
        }
        return true;
    });
    return unheld;
}

bool THexImage::ImageLoaded(const TDeviceTypeRec& Target) {
    Buffers.ClearBuffer(bkProgImage);
    Buffers.ClearBuffer(bkConfigImage);
    Loaded = ValidateHexLines(Lines);
    if (Loaded) {
        Events.AddResultLine("  Done! firmware file format is valid.");
        if (const auto unheld = LoadBuffersFromHex(Lines, Target, Buffers, Events.OnResultLine)) {
            // Programming without that data would report an upgrade that
            // left part of the image out.
            Buffers.ClearBuffer(bkProgImage);
            Buffers.ClearBuffer(bkConfigImage);
            Loaded = false;
            const String text = Format(
                "  The firmware file holds data at physical address 0x%8.8x, beyond the memory the program "
                "set aside for the processor selected at start.\r\nPlease make this processor the TargetID in "
                "Settings.ini, restart the program and open the file again.",
                {*unheld});
            Events.AddResultLine(text);
            Events.MessageBox(text, TImageBoxKind::Warning);
            Events.AddResultLine("");
            return Loaded;
        }
        Events.AddResultLine(
            Format("    Highest Physical program address = 0x%8.8x", {Buffers.HighestPhysProgAddress}));
        Events.AddResultLine(Format("    Highest Virtual program address = 0x%8.8x",
                                    {PhysToKseg0(Buffers.HighestPhysProgAddress)}));
        if (Events.OnValidImage) Events.OnValidImage();
    } else {
        const String text = "  There was a problem with the firmware file format!\r\nPlease try another file...";
        Events.AddResultLine(text);
        Events.MessageBox(text, TImageBoxKind::Warning);
    }
    Events.AddResultLine("");
    return Loaded;
}

bool THexImage::LoadHexFile(const String& FileName, const TDeviceTypeRec& Target) {
    Lines.Clear();
    Events.AddResultLine("");
    Events.AddResultLine("Reading hex file: " + FileName + " ...");
    Lines.LoadFromFile(FileName);
    return ImageLoaded(Target);
}

void THexImage::NewImage() {
    Lines.Clear();
    ReadBackLines.Clear();
}
