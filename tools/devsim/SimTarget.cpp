#include "tools/devsim/SimTarget.h"

#include "platform/rtl/IniFiles.h"

namespace devsim {

namespace {

// The catalogue holds at most this many entries.
constexpr Integer MaxCatalogueEntries = 21;
// Largest region the model will hold, in words (256 MiB of flash).
constexpr UInt64 MaxRegionWords = 64ull * 1024 * 1024;

} // namespace

TSimTarget DefaultSimTarget() {
    TSimTarget t;
    t.DeviceName = "PIC32MX795F512L";
    t.DeviceID = 0x04307053;
    t.BytesPerPcu = 1;
    t.PcuPerIwu = 4;
    t.ActiveBytesPerIwu = 4;
    t.ProgMemPhysicalStartPcu = 0x1D000000;
    t.ProgMemVirtualStartPcu = 0x9D000000;
    t.ProgMemSizePcu = 0x80000;
    t.BootMemPhysicalStartPcu = 0x1FC00000;
    t.BootMemVirtualStartPcu = 0xBFC00000;
    t.BootMemSizePcu = 0x3000;
    t.EraseBlockSizePcu = 4096;
    t.ProgBlockSizePcu = 512;
    t.ConfigPhysicalStartPcu = 0x1FC02FF0;
    t.ConfigPhysicalEndPcu = 0x1FC02FFF;
    t.ConfigVirtualStartPcu = 0xBFC02FF0;
    t.ConfigVirtualEndPcu = 0xBFC02FFF;
    t.ConfigCount = 4;
    return t;
}

TSimWindow DefaultSimWindow(const TSimTarget& Target) {
    const Cardinal block = Target.EraseBlockSizePcu ? Target.EraseBlockSizePcu : 1;
    Cardinal size = 0x10000 / (Target.BytesPerPcu ? Target.BytesPerPcu : 1);
    if (size > Target.ProgMemSizePcu / 2) size = Target.ProgMemSizePcu / 2;
    size -= size % block;
    if (size == 0) size = block;
    TSimWindow w;
    w.BootloaderEnd = Target.ProgMemVirtualEndPcu();
    w.BootloaderStart = w.BootloaderEnd - size + 1;
    w.AppStart = Target.ProgMemVirtualStartPcu;
    w.AppEnd = w.BootloaderStart - 1;
    return w;
}

TSimTarget LoadSimTarget(const String& SettingsFile, Integer Index) {
    if (!FileExists(SettingsFile)) throw EDevSimError("Settings file \"" + SettingsFile + "\" not found.");
    TIniFile ini(SettingsFile);
    const String sec = "Known Devices";
    Integer count = ini.ReadInteger(sec, "NumDevices", 2);
    if (count > MaxCatalogueEntries) count = MaxCatalogueEntries;
    if (Index < 0 || Index >= count)
        throw EDevSimError(Format("Target index %d is out of range: \"%s\" lists %d device(s).",
                                  {Index, SettingsFile, count < 0 ? 0 : count}));
    auto num = [&](const char* key, Integer def) {
        return static_cast<Cardinal>(ini.ReadInteger(sec, Format("%s%2.2d", {key, Index}), def));
    };
    TSimTarget t;
    t.DeviceName = ini.ReadString(sec, Format("DeviceName%2.2d", {Index}), "PIC32MX795F512L");
    t.DeviceID = num("DeviceID", 255);
    t.ActiveBytesPerIwu = num("ActiveBytesPerIwu", 3);
    t.BytesPerPcu = num("BytesPerPcu", 2);
    t.PcuPerIwu = num("PcuPerIwu", 2);
    t.ProgMemPhysicalStartPcu = num("ProgMemPhysicalStartPcu", 0x1D000000);
    t.ProgMemVirtualStartPcu = num("ProgMemVirtualStartPcu", static_cast<Integer>(0x9D000000));
    t.ProgMemSizePcu = num("ProgMemSizePcu", 0x80000);
    t.BootMemPhysicalStartPcu = num("BootMemPhysicalStartPcu", 0x1D000000);
    t.BootMemVirtualStartPcu = num("BootMemVirtualStartPcu", static_cast<Integer>(0xBFC00000));
    t.BootMemSizePcu = num("BootMemSizePcu", 0x3000);
    t.EraseBlockSizePcu = num("EraseBlockSizePcu", 1024);
    t.ProgBlockSizePcu = num("ProgBlockSizePcu", 64);
    t.ConfigPhysicalStartPcu = num("ConfigPhysicalStartPcu", 0x300000);
    t.ConfigPhysicalEndPcu = num("ConfigPhysicalEndPcu", 0x30000D);
    t.ConfigVirtualStartPcu = num("ConfigVirtualStartPcu", 0x300000);
    t.ConfigVirtualEndPcu = num("ConfigVirtualEndPcu", 0x30000D);
    t.ConfigCount = num("ConfigCount", 8);
    for (Integer r = 0; r < 4; ++r)
        t.ConfigRegBlank[r] =
            static_cast<Cardinal>(ini.ReadInteger(sec, Format("ConfigReg%2.2dBlank%2.2d", {r, Index}), 255));
    try {
        ValidateSimTarget(t);
    } catch (const EDevSimError& e) {
        throw EDevSimError(
            Format("Device entry %d of \"%s\" cannot be simulated: %s", {Index, SettingsFile, e.Message}));
    }
    return t;
}

void ValidateSimTarget(const TSimTarget& t) {
    auto fail = [](const String& what) { throw EDevSimError(what); };
    if (t.BytesPerPcu == 0 || t.PcuPerIwu == 0 || t.BytesPerIwu() > 4)
        fail(Format("BytesPerPcu %d x PcuPerIwu %d must give 1 to 4 bytes per word.",
                    {static_cast<Integer>(t.BytesPerPcu), static_cast<Integer>(t.PcuPerIwu)}));
    if (t.ActiveBytesPerIwu == 0 || t.ActiveBytesPerIwu > 4)
        fail(Format("ActiveBytesPerIwu %d must be 1 to 4.", {static_cast<Integer>(t.ActiveBytesPerIwu)}));
    if (t.EraseBlockSizePcu < t.PcuPerIwu || t.EraseBlockSizePcu % t.PcuPerIwu != 0)
        fail("EraseBlockSizePcu must be a whole number of words.");
    if (t.ProgBlockSizePcu < t.PcuPerIwu || t.ProgBlockSizePcu % t.PcuPerIwu != 0)
        fail("ProgBlockSizePcu must be a whole number of words.");
    auto region = [&](const char* name, Cardinal phys, Cardinal virt, UInt64 size) {
        if (size < t.PcuPerIwu || size / t.PcuPerIwu > MaxRegionWords)
            fail(Format("the %s size is 0 or too large.", {name}));
        if (phys + size - 1 > 0xFFFFFFFFull || virt + size - 1 > 0xFFFFFFFFull)
            fail(Format("the %s region runs past the top of the address space.", {name}));
    };
    region("program memory", t.ProgMemPhysicalStartPcu, t.ProgMemVirtualStartPcu, t.ProgMemSizePcu);
    region("boot memory", t.BootMemPhysicalStartPcu, t.BootMemVirtualStartPcu, t.BootMemSizePcu);
    if (t.ConfigCount > 0) {
        if (t.ConfigPhysicalEndPcu < t.ConfigPhysicalStartPcu ||
            t.ConfigVirtualEndPcu < t.ConfigVirtualStartPcu)
            fail("the configuration range ends before it starts.");
        region("configuration", t.ConfigPhysicalStartPcu, t.ConfigVirtualStartPcu,
               static_cast<UInt64>(t.ConfigCount) * t.PcuPerIwu);
    }
    if (t.ProgMemSizePcu < 2 * t.EraseBlockSizePcu)
        fail("program memory must hold at least two erase blocks.");
}

} // namespace devsim
