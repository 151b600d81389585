#pragma once
// The word buffers that mirror the device's memories, the image bookkeeping
// and the PIC32 address conversions.

#include "host/image/BT_Types.h"

#include <array>

// The buffer kinds. Other values name no buffer.
enum TBufferKind : Integer {
    bkProgImage = 0,
    bkConfigImage = 1,
    bkProgReadBack = 4,
    bkConfigReadBack = 5,
    bkBootImage = 8,
    bkBootReadBack = 9,
    bkScratch = 10, // boot restore block
};

// An erased flash word.
inline constexpr Cardinal BlankWord = 0xFFFFFFFF;
// Words allocated beyond the words in use of every buffer; they start at 0
// and are never cleared.
inline constexpr Integer SpareWords = 4;
// Words of the fixed array that holds a boot block read back after a restore.
inline constexpr Integer BootReadBackArrayWords = 129;
// The largest buffer the host allocates (words in use): 16 MiB of flash.
inline constexpr Integer MaxBufferWords = 0x400000;

// PIC32 addresses: physical = virtual AND 0x1FFFFFFF; KSEG0 (cached) and
// KSEG1 (uncached) views of a physical address.
constexpr Cardinal VirtToPhys(Cardinal Address) { return Address & 0x1FFFFFFF; }
constexpr Cardinal PhysToKseg0(Cardinal Address) { return Address | 0x80000000; }
constexpr Cardinal PhysToKseg1(Cardinal Address) { return Address | 0xA0000000; }

// True when a transfer from or to a buffer of this kind is not made (and is
// reported as done): the program and boot images when "Program memory" is
// unchecked; the configuration image and the scratch block never; every
// other kind always.
bool TransferSkipped(Integer Kind, bool ProgMemChecked);

// The device's address window, from its answer to the version request.
// Virtual addresses; all 0 until the first version check.
struct TDeviceAddressWindow {
    Cardinal BootloaderStart = 0;
    Cardinal BootloaderEnd = 0;
    Cardinal BootloaderLength = 0; // end - start
    Cardinal AppStart = 0;         // expected main application start
    Cardinal AppMaxEnd = 0;        // maximum main application end
};

class TMemoryBuffers {
public:
    // Sizes every buffer from the target (words in use + SpareWords) and
    // blanks the words in use: program image, program read-back, boot image,
    // boot read-back and scratch block, then configuration image and
    // read-back. Sizes are taken as 0..MaxBufferWords.
    void Allocate(const TDeviceTypeRec& Target);

    // The buffer of a kind; nullptr for a kind that names no buffer.
    TDynamicIntArray* Buffer(Integer Kind);
    const TDynamicIntArray* Buffer(Integer Kind) const;
    // The words in use of a buffer (its length less the spare words); 0 for
    // a kind that names no buffer. The buffers keep the sizes of the target
    // that sized them, whatever target is selected later.
    Integer WordsInUse(Integer Kind) const;

    // Sets the words in use of a buffer to BlankWord; the spare words keep
    // their values. A kind that names no buffer does nothing.
    void ClearBuffer(Integer Kind);

    // Word access bounded by the words in use: a read outside them gives
    // BlankWord, a write there is dropped (and returns false). The spare
    // words are never read or written through these, so that a target
    // selected after the buffers were sized cannot reach them.
    Cardinal GetWord(Integer Kind, Integer Index) const;
    bool SetWord(Integer Kind, Integer Index, Cardinal Value);

    TDynamicIntArray ProgImage, ConfigImage, ProgReadBack, ConfigReadBack, BootImage, BootReadBack, Scratch;
    // The words read back after a boot block is restored.
    std::array<Integer, BootReadBackArrayWords> BootReadBackWords{};

    // Image bookkeeping, written by the HEX loader (physical addresses).
    // One past the last byte of the data record that ends highest among
    // those that start in the program region; reset to 0 before every load.
    Cardinal HighestPhysProgAddress = 0;
    // Start of the lowest data record in the program region; reset to
    // ProgMemPhysicalEndPcu before every load.
    Cardinal LowestPhysProgAddress = 0;
    // As HighestPhysProgAddress for the boot region; not reset by a load.
    Cardinal HighestBootAddress = 0;

    TDeviceAddressWindow AddressWindow;
};
