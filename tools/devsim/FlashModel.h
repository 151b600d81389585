#pragma once
// The device's memories: program flash, boot flash and the configuration
// words, one 32-bit word per instruction-word unit (IWU), erased to
// 0xFFFFFFFF. Addresses are program-counter units (PCU) and may be given
// as the catalogue's virtual or physical addresses (or, as on the chip,
// any KSEG alias of a physical address). The bootloader's own area (its
// reported window) is protected: erases and writes there are refused.

#include "tools/devsim/SimTarget.h"

#include <optional>
#include <ostream>
#include <vector>

namespace devsim {

inline constexpr Cardinal BlankWord = 0xFFFFFFFF;

struct TFlashRegion {
    String Name;
    Cardinal PhysicalStart = 0; // PCU
    Cardinal VirtualStart = 0;  // PCU
    Cardinal SizePcu = 0;
    std::vector<Cardinal> Words;

    bool ContainsPhysical(Cardinal Address) const { return Address - PhysicalStart < SizePcu; }
};

enum TProgramResult {
    prOk,        // every word reads back as written
    prNoMemory,  // some word lies in no memory (nothing written)
    prProtected, // some word lies in the bootloader's window (nothing written)
    prNotErased, // written, but some word had bits that a write cannot set
};

struct TEraseResult {
    Cardinal Erased = 0;  // blocks erased
    Cardinal Refused = 0; // blocks not erased: protected or not in any memory
    bool Ok() const { return Refused == 0; }
};

class TFlashModel {
public:
    TFlashModel(const TSimTarget& Target, const TSimWindow& Window);

    const TSimTarget& Target() const { return FTarget; }
    const TSimWindow& Window() const { return FWindow; }
    // The memories, in order program, boot and (when the configuration words
    // lie outside both) configuration.
    const std::vector<TFlashRegion>& Regions() const { return FRegions; }

    // The physical address of Address; nothing when no memory holds it.
    std::optional<Cardinal> ToPhysical(Cardinal Address) const;
    bool IsMapped(Cardinal Address) const { return Locate(Address).has_value(); }
    // True inside the bootloader's window.
    bool IsProtected(Cardinal Address) const;

    // The word holding Address; BlankWord where no memory is.
    Cardinal ReadWord(Cardinal Address) const;
    // Up to Count words from Address on, stopping at the end of its memory;
    // empty when Address lies in no memory.
    std::vector<Cardinal> ReadWords(Cardinal Address, Cardinal Count) const;
    // Stores Value as it stands (no protection, no flash rules): for tests
    // and the factory image. Raises EDevSimError where no memory is.
    void WriteWord(Cardinal Address, Cardinal Value);

    // Erases Count erase blocks, from the block holding Address on. Blocks
    // that are protected or lie in no memory are refused and left alone.
    TEraseResult EraseBlocks(Cardinal Address, Cardinal Count);
    // Programs consecutive words from Address on as flash does: a write can
    // only clear bits (the new word is old AND data). Writes nothing when any
    // word is protected or lies in no memory.
    TProgramResult ProgramWords(Cardinal Address, const std::vector<Cardinal>& Data);
    // Physical address of the first word in Start..End (inclusive) that is
    // not blank; nothing when all are blank.
    std::optional<Cardinal> FirstNonBlank(Cardinal Start, Cardinal End) const;

    // Writes every memory as Intel HEX with physical byte addresses:
    // 16-byte data records (all-0xFF records left out), an extended linear
    // address record (type 4) at every change of the upper 16 address bits,
    // and the end record.
    void WriteIntelHex(std::ostream& Out) const;

private:
    struct TLocation {
        std::size_t Region;
        std::size_t Word;
    };
    struct TMapping {
        Cardinal VirtualStart, PhysicalStart, SizePcu;
    };
    std::optional<TLocation> Locate(Cardinal Address) const;
    std::optional<TLocation> LocatePhysical(Cardinal Physical) const;

    TSimTarget FTarget;
    TSimWindow FWindow;
    std::vector<TFlashRegion> FRegions;
    std::vector<TMapping> FMappings;
    Cardinal FProtectedStart = 1, FProtectedEnd = 0; // physical, inclusive; empty when start > end
};

// The content of a device as it leaves the factory: the bootloader's code at
// the bottom of its window, the boot stub that jumps to it at the start of
// boot flash (with its two copies near the top of program flash, from which
// a host restores boot flash after erasing it), and the configuration
// words. The application range stays blank.
void InstallFactoryImage(TFlashModel& Flash);

// Where the copy of the boot stub's first two program blocks starts
// (virtual); nothing when it would not lie inside the bootloader's window.
std::optional<Cardinal> BootStubCopyAddress(const TFlashModel& Flash);

} // namespace devsim
