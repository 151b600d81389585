#include "host/ops/MemoryDumps.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace {

constexpr Integer WordsPerLine = 4;

void DumpHeader(const String& Title, const TDumpSink& Sink) {
    Sink("");
    if (!Title.empty()) {
        Sink(Title);
        Sink("");
    }
    Sink("Prog Ctr              (32-bit)    ");
    Sink("Byte Addr        Instruction Words");
    Sink("=========        =================");
    Sink("");
}

// Count words of a buffer from word 0, 4 per line from address Start (4 per
// word); words at or beyond Stop are not shown.
void DumpWords(const TMemoryBuffers& Buffers, Integer Kind, Int64 Count, Cardinal Start, UInt64 Stop,
               const TDumpSink& Sink) {
    Count = std::min<Int64>(Count, Buffers.WordsInUse(Kind));
    bool inBlankRun = false;
    for (Int64 i = 0; i < Count; i += WordsPerLine) {
        const UInt64 address = Start + 4 * static_cast<UInt64>(i);
        if (address >= Stop) break;
        Integer shown = 0;
        bool blank = true;
        for (Integer k = 0; k < WordsPerLine && address + 4 * k < Stop; ++k, ++shown)
            blank = blank && Buffers.GetWord(Kind, static_cast<Integer>(i + k)) == BlankWord;
        if (blank) {
            if (!inBlankRun) Sink(" . . . ");
            inBlankRun = true;
            continue;
        }
        inBlankRun = false;
        String line = Format("0x%8.8X: ", {address});
        for (Integer k = 0; k < shown; ++k)
            line += Format(" %8.8X", {Buffers.GetWord(Kind, static_cast<Integer>(i + k))});
        Sink(line);
    }
    Sink("");
    Sink("");
}

// Words from the region start up to (not including) a physical address.
Int64 WordsBelow(Cardinal HighestPhys, Integer PhysStart, Integer PcuPerIwu) {
    return PcuPerIwu > 0 ? (static_cast<Int64>(HighestPhys) - static_cast<Cardinal>(PhysStart)) / PcuPerIwu
                         : 0;
}

void DumpConfig(const TMemoryBuffers& Buffers, Integer Kind, const TDeviceTypeRec& T, const TDumpSink& Sink) {
    Sink("");
    Sink("Configuration memory:");
    Sink("");
    const Integer count = std::min(T.ConfigCount, Buffers.WordsInUse(Kind));
    const Integer lines = T.ConfigCount > 0 ? (T.ConfigCount - 1) / 16 + 1 : 0;
    const Cardinal start = static_cast<Cardinal>(T.ConfigVirtualStartPcu);
    const Cardinal end = static_cast<Cardinal>(T.ConfigVirtualEndPcu);
    Integer j = 0;
    for (Integer l = 0; l < lines && j < count; ++l) {
        String line = Format("0x%8.8X: ", {start + static_cast<Cardinal>(j)});
        for (Integer k = 0; k < WordsPerLine && j < count && start + static_cast<Cardinal>(j) <= end;
             ++k, ++j)
            line += Format(" %8.8X", {Buffers.GetWord(Kind, j)});
        Sink(line);
    }
    Sink("");
    Sink("");
}

} // namespace

void DumpBuffer(const TMemoryBuffers& Buffers, Integer Kind, const TDeviceTypeRec& T, bool All,
                const TDumpSink& Sink) {
    auto region = [&](const char* Title, Integer SizeIwu, Cardinal Highest, Integer PhysStart,
                      Integer VirtStart, UInt64 Stop) {
        DumpHeader(Title, Sink);
        const Int64 count = All ? SizeIwu : WordsBelow(Highest, PhysStart, T.PcuPerIwu);
        DumpWords(Buffers, Kind, count, static_cast<Cardinal>(VirtStart), Stop, Sink);
    };
    switch (Kind) {
    case bkProgImage:
    case bkProgReadBack:
        region("PIC32 Program memory:", T.ProgMemSizeIwu, Buffers.HighestPhysProgAddress,
               T.ProgMemPhysicalStartPcu, T.ProgMemVirtualStartPcu,
               static_cast<UInt64>(static_cast<Cardinal>(T.ProgMemVirtualEndPcu)) + 1);
        break;
    case bkBootImage:
    case bkBootReadBack: {
        // The configuration words at the top of boot memory are not shown.
        const Cardinal start = static_cast<Cardinal>(T.BootMemVirtualStartPcu);
        const Cardinal config = static_cast<Cardinal>(T.ConfigVirtualStartPcu);
        region("PIC32 Boot memory:", T.BootMemSizeIwu, Buffers.HighestBootAddress, T.BootMemPhysicalStartPcu,
               T.BootMemVirtualStartPcu,
               config > start ? config
                              : static_cast<UInt64>(static_cast<Cardinal>(T.BootMemVirtualEndPcu)) + 1);
        break;
    }
    case bkConfigImage:
    case bkConfigReadBack:
        DumpConfig(Buffers, Kind, T, Sink);
        break;
    default:
        break;
    }
}

void DumpBlock(const TMemoryBuffers& Buffers, Integer Kind, Integer FirstWord, Cardinal RegionVirtualStart,
               const TDeviceTypeRec& T, const TDumpSink& Sink) {
    DumpHeader("", Sink);
    Cardinal address =
        RegionVirtualStart + static_cast<Cardinal>(FirstWord) * static_cast<Cardinal>(T.BytesPerIwu);
    const Integer lines = T.ProgBlockSizeBytes / 16;
    for (Integer l = 0; l < lines; ++l) {
        String line = Format("0x%8.8X: ", {address});
        for (Integer k = 0; k < WordsPerLine; ++k)
            line += Format(" %8.8X", {Buffers.GetWord(Kind, FirstWord + l * WordsPerLine + k)});
        Sink(line);
        address += WordsPerLine * static_cast<Cardinal>(T.PcuPerIwu);
    }
    Sink("");
    Sink("");
}
