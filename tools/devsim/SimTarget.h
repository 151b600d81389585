#pragma once
// The chip the simulated device stands for: one entry of the device
// catalogue (memory map in program-counter units, PCU) and the address
// window its bootloader reports.

#include "tools/devsim/SimTypes.h"

namespace devsim {

struct TSimTarget {
    String DeviceName;
    Cardinal DeviceID = 0;
    Cardinal BytesPerPcu = 1;
    Cardinal PcuPerIwu = 4;
    Cardinal ActiveBytesPerIwu = 4;
    Cardinal ProgMemPhysicalStartPcu = 0;
    Cardinal ProgMemVirtualStartPcu = 0;
    Cardinal ProgMemSizePcu = 0;
    Cardinal BootMemPhysicalStartPcu = 0;
    Cardinal BootMemVirtualStartPcu = 0;
    Cardinal BootMemSizePcu = 0;
    Cardinal EraseBlockSizePcu = 0;
    Cardinal ProgBlockSizePcu = 0;
    Cardinal ConfigPhysicalStartPcu = 0;
    Cardinal ConfigPhysicalEndPcu = 0;
    Cardinal ConfigVirtualStartPcu = 0;
    Cardinal ConfigVirtualEndPcu = 0;
    Cardinal ConfigCount = 0;
    Cardinal ConfigRegBlank[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};

    Cardinal BytesPerIwu() const { return BytesPerPcu * PcuPerIwu; }
    Cardinal ProgMemVirtualEndPcu() const { return ProgMemVirtualStartPcu + ProgMemSizePcu - 1; }
    Cardinal BootMemVirtualEndPcu() const { return BootMemVirtualStartPcu + BootMemSizePcu - 1; }
};

// The addresses the bootloader reports in its version answer (virtual).
struct TSimWindow {
    Cardinal BootloaderStart = 0;
    Cardinal BootloaderEnd = 0;
    Cardinal AppStart = 0;
    Cardinal AppEnd = 0;
};

// A PIC32MX795F512L: 512 KiB program flash at 0x1D000000 (virtual
// 0x9D000000), 12 KiB boot flash at 0x1FC00000 (virtual 0xBFC00000), four
// configuration words at its top, 4 KiB erase pages, 512-byte rows.
TSimTarget DefaultSimTarget();

// The bootloader sits in the top 64 KiB of program flash (at most half of
// it, whole erase blocks); the application may use everything below.
TSimWindow DefaultSimWindow(const TSimTarget& Target);

// Reads entry Index of section "Known Devices" of a settings file, with the
// catalogue's key names and defaults. Raises EDevSimError when the file is
// missing, Index is not below the entry count, or the entry is unusable.
TSimTarget LoadSimTarget(const String& SettingsFile, Integer Index);

// Raises EDevSimError when the entry cannot describe a flash model (zero
// sizes or divisors, words wider than 32 bits, regions too large).
void ValidateSimTarget(const TSimTarget& Target);

} // namespace devsim
