#pragma once
// Types shared by the catalogue, the memory buffers and the version checks.

#include "platform/rtl/System.h"

#include <array>
#include <vector>

// One device catalogue entry. Memory starts, ends and sizes are in PCU
// (program-counter units); an IWU (instruction-word unit) is PcuPerIwu PCU.
// The fields hold 32-bit patterns: addresses above 0x7FFFFFFF read negative.
struct TDeviceTypeRec {
    String DeviceName;
    Integer DeviceID = 0;
    Integer ProgMemPhysicalStartPcu = 0;
    Integer ProgMemPhysicalEndPcu = 0;
    Integer ProgMemVirtualStartPcu = 0;
    Integer ProgMemVirtualEndPcu = 0;
    Integer ProgMemSizePcu = 0;
    Integer BootMemPhysicalStartPcu = 0;
    Integer BootMemPhysicalEndPcu = 0;
    Integer BootMemVirtualStartPcu = 0;
    Integer BootMemVirtualEndPcu = 0;
    Integer BootMemSizePcu = 0;
    Integer SpareWord1 = 0; // never set; always 0
    Integer SpareWord2 = 0; // never set; always 0
    Integer ProgMemSizeIwu = 0;
    Integer BootMemSizeIwu = 0;
    Integer ActiveBytesPerIwu = 0;
    Integer BytesPerIwu = 0;
    Integer BytesPerPcu = 0;
    Integer PcuPerIwu = 0;
    Integer EraseBlockSizeBytes = 0;
    Integer EraseBlockSizePcu = 0;
    Integer EraseBlockSizeIwu = 0;
    Integer ProgBlockSizeBytes = 0;
    Integer ProgBlockSizePcu = 0;
    Integer ProgBlockSizeIwu = 0;
    Integer ConfigPhysicalStartPcu = 0;
    Integer ConfigPhysicalEndPcu = 0;
    Integer ConfigVirtualStartPcu = 0;
    Integer ConfigVirtualEndPcu = 0;
    Integer ConfigCount = 0;
    std::array<Integer, 4> ConfigRegBlank{};

    bool operator==(const TDeviceTypeRec&) const = default;
};

// A memory buffer: 32-bit words, one per IWU, least significant byte first.
using TDynamicIntArray = std::vector<Integer>;

// The keys of the program's version-information block, in the order in
// which the version lines are listed (the file version is the third).
inline constexpr std::array<const char*, 10> VersionKeyNames = {
    "CompanyName",      "FileDescription",  "FileVersion", "InternalName",   "LegalCopyright",
    "LegalTradeMarks",  "OriginalFileName", "ProductName", "ProductVersion", "Comments"};
