#include "host/image/Catalogue.h"

#include "host/image/MemoryBuffers.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace {

const char* const SecGeneral = "General";
const char* const SecOptions = "Options";
const char* const SecDevices = "Known Devices";
const char* const SecTargets = "Targets";

// Sums and products of 32-bit fields wrap as the device's address arithmetic does.
Integer Wrap(Int64 v) { return static_cast<Integer>(static_cast<Cardinal>(static_cast<UInt64>(v))); }
Integer AddWrap(Integer a, Integer b) { return Wrap(Int64(a) + Int64(b)); }
Integer MulWrap(Integer a, Integer b) { return Wrap(Int64(a) * Int64(b)); }

TDeviceTypeRec ReadEntry(const TCustomIniFile& Ini, Integer i) {
    const TDeviceTypeRec d = DefaultDeviceTypeRec();
    auto key = [i](const char* name) { return Format(String(name) + "%2.2d", {i}); };
    auto num = [&](const char* name, Integer def) { return Ini.ReadInteger(SecDevices, key(name), def); };
    TDeviceTypeRec r;
    r.DeviceName = Ini.ReadString(SecDevices, key("DeviceName"), d.DeviceName);
    r.DeviceID = num("DeviceID", d.DeviceID);
    r.ActiveBytesPerIwu = num("ActiveBytesPerIwu", d.ActiveBytesPerIwu);
    r.BytesPerPcu = num("BytesPerPcu", d.BytesPerPcu);
    r.PcuPerIwu = num("PcuPerIwu", d.PcuPerIwu);
    r.ProgMemPhysicalStartPcu = num("ProgMemPhysicalStartPcu", d.ProgMemPhysicalStartPcu);
    r.ProgMemVirtualStartPcu = num("ProgMemVirtualStartPcu", d.ProgMemVirtualStartPcu);
    r.ProgMemSizePcu = num("ProgMemSizePcu", d.ProgMemSizePcu);
    r.BootMemPhysicalStartPcu = num("BootMemPhysicalStartPcu", d.BootMemPhysicalStartPcu);
    r.BootMemVirtualStartPcu = num("BootMemVirtualStartPcu", d.BootMemVirtualStartPcu);
    r.BootMemSizePcu = num("BootMemSizePcu", d.BootMemSizePcu);
    r.EraseBlockSizePcu = num("EraseBlockSizePcu", d.EraseBlockSizePcu);
    r.ProgBlockSizePcu = num("ProgBlockSizePcu", d.ProgBlockSizePcu);
    r.ConfigPhysicalStartPcu = num("ConfigPhysicalStartPcu", d.ConfigPhysicalStartPcu);
    r.ConfigPhysicalEndPcu = num("ConfigPhysicalEndPcu", d.ConfigPhysicalEndPcu);
    r.ConfigVirtualStartPcu = num("ConfigVirtualStartPcu", d.ConfigVirtualStartPcu);
    r.ConfigVirtualEndPcu = num("ConfigVirtualEndPcu", d.ConfigVirtualEndPcu);
    r.ConfigCount = num("ConfigCount", d.ConfigCount);
    for (Integer reg = 0; reg < 4; ++reg)
        r.ConfigRegBlank[reg] =
            Ini.ReadInteger(SecDevices, Format("ConfigReg%2.2dBlank%2.2d", {reg, i}), d.ConfigRegBlank[reg]);
    return r;
}

} // namespace

TDeviceTypeRec DefaultDeviceTypeRec() {
    TDeviceTypeRec r;
    r.DeviceName = "PIC32MX795F512L";
    r.DeviceID = 255;
    r.ActiveBytesPerIwu = 3;
    r.BytesPerPcu = 2;
    r.PcuPerIwu = 2;
    r.ProgMemPhysicalStartPcu = 0x1D000000;
    r.ProgMemVirtualStartPcu = Wrap(0x9D000000);
    r.ProgMemSizePcu = 0x80000;
    r.BootMemPhysicalStartPcu = 0x1D000000;
    r.BootMemVirtualStartPcu = Wrap(0xBFC00000);
    r.BootMemSizePcu = 0x3000;
    r.EraseBlockSizePcu = 1024;
    r.ProgBlockSizePcu = 64;
    r.ConfigPhysicalStartPcu = 0x300000;
    r.ConfigPhysicalEndPcu = 0x30000D;
    r.ConfigVirtualStartPcu = 0x300000;
    r.ConfigVirtualEndPcu = 0x30000D;
    r.ConfigCount = 8;
    r.ConfigRegBlank.fill(255);
    DeriveDeviceFields(r);
    return r;
}

void DeriveDeviceFields(TDeviceTypeRec& r) {
    r.ProgMemPhysicalEndPcu = AddWrap(r.ProgMemPhysicalStartPcu, AddWrap(r.ProgMemSizePcu, -1));
    r.ProgMemVirtualEndPcu = AddWrap(r.ProgMemVirtualStartPcu, AddWrap(r.ProgMemSizePcu, -1));
    r.BootMemPhysicalEndPcu = AddWrap(r.BootMemPhysicalStartPcu, AddWrap(r.BootMemSizePcu, -1));
    r.BootMemVirtualEndPcu = AddWrap(r.BootMemVirtualStartPcu, AddWrap(r.BootMemSizePcu, -1));
    r.SpareWord1 = 0;
    r.SpareWord2 = 0;
    r.ProgMemSizeIwu = r.ProgMemSizePcu / r.PcuPerIwu;
    r.BootMemSizeIwu = r.BootMemSizePcu / r.PcuPerIwu;
    r.BytesPerIwu = MulWrap(r.BytesPerPcu, r.PcuPerIwu);
    r.EraseBlockSizeBytes = MulWrap(r.EraseBlockSizePcu, r.BytesPerPcu);
    r.EraseBlockSizeIwu = r.EraseBlockSizePcu / r.PcuPerIwu;
    r.ProgBlockSizeBytes = MulWrap(r.ProgBlockSizePcu, r.BytesPerPcu);
    r.ProgBlockSizeIwu = r.ProgBlockSizePcu / r.PcuPerIwu;
}

String DeviceEntryProblem(const TDeviceTypeRec& r, Integer i) {
    auto key = [i](const char* name) { return Format(String(name) + "%2.2d", {i}); };
    auto notPositive = [&](const char* name, Integer v) {
        return Format("%s = %d is not a positive number", {key(name), v});
    };
    if (r.BytesPerPcu <= 0) return notPositive("BytesPerPcu", r.BytesPerPcu);
    if (r.PcuPerIwu <= 0) return notPositive("PcuPerIwu", r.PcuPerIwu);
    if (r.ActiveBytesPerIwu <= 0) return notPositive("ActiveBytesPerIwu", r.ActiveBytesPerIwu);
    const Int64 bytesPerIwu = Int64(r.BytesPerPcu) * r.PcuPerIwu;
    if (bytesPerIwu > 4)
        return Format("an instruction word of %s x %s = %d bytes does not fit the host's 32-bit words",
                      {key("BytesPerPcu"), key("PcuPerIwu"), bytesPerIwu});
    if (r.ActiveBytesPerIwu > bytesPerIwu)
        return Format("%s = %d is more than the %d bytes of an instruction word",
                      {key("ActiveBytesPerIwu"), r.ActiveBytesPerIwu, bytesPerIwu});
    const struct {
        const char* Name;
        Integer Pcu;
        Integer MinPcu;
    } sizes[] = {{"ProgMemSizePcu", r.ProgMemSizePcu, 0},
                 {"BootMemSizePcu", r.BootMemSizePcu, 0},
                 {"EraseBlockSizePcu", r.EraseBlockSizePcu, r.PcuPerIwu},
                 {"ProgBlockSizePcu", r.ProgBlockSizePcu, r.PcuPerIwu}};
    for (const auto& s : sizes) {
        if (s.Pcu < s.MinPcu)
            return s.MinPcu == 0 ? Format("%s = %d is negative", {key(s.Name), s.Pcu})
                                 : Format("%s = %d is smaller than one instruction word (%d PCU)",
                                          {key(s.Name), s.Pcu, s.MinPcu});
        if (s.Pcu / r.PcuPerIwu > MaxBufferWords)
            return Format("%s = %d is larger than the %d instruction words the host can hold",
                          {key(s.Name), s.Pcu, MaxBufferWords});
    }
    if (r.ConfigCount < 0 || r.ConfigCount > MaxBufferWords)
        return Format("%s = %d is not a number of words between 0 and %d",
                      {key("ConfigCount"), r.ConfigCount, MaxBufferWords});
    return String();
}

TCatalogue::TCatalogue() { Entries.fill(DefaultDeviceTypeRec()); }

Integer TCatalogue::SelectTargetById(Integer Id, TDeviceTypeRec& CurrentTarget) const {
    CurrentTarget = Entries[0];
    const Integer looked = std::clamp(NumDevices, 1, MaxDevices);
    for (Integer i = 0; i < looked; ++i)
        if (Entries[i].DeviceID == Id) {
            CurrentTarget = Entries[i];
            return i < NumDevices ? i : -1;
        }
    return -1;
}

String TCatalogue::TargetNameById(Integer Id) const {
    for (Integer i = 0; i < std::min(NumDevices, MaxDevices); ++i)
        if (Entries[i].DeviceID == Id) return Entries[i].DeviceName;
    return "Unknown";
}

TSettings LoadSettings(const String& ProgramFolder, const TResultLineEvent& AddResultLine) {
    const String path = ProgramFolder + "Settings.ini";
    TIniFile ini(path);
    TSettings s = LoadSettings(ini, AddResultLine);
    s.SettingsPath = path;
    return s;
}

TSettings LoadSettings(const TCustomIniFile& Ini, const TResultLineEvent& AddResultLine) {
    auto report = [&](const String& line) {
        if (AddResultLine) AddResultLine(line);
    };
    TSettings s;
    s.SettingsPath = Ini.FileName();
    s.FormCaption = Ini.ReadString(SecGeneral, "FormCaption", "<Customize this>");

    s.AccessValue1 = Ini.ReadInteger(SecGeneral, "P1", 0);
    s.AccessValue2 = Ini.ReadInteger(SecGeneral, "P2", 0);
    s.RequestedMode = static_cast<Byte>(Ini.ReadInteger(SecGeneral, "OperatingMode", 0) & 0xFF);
    const bool access = s.AccessValue1 == FullViewAccessValue1 && s.AccessValue2 == FullViewAccessValue2;
    s.OperatingMode = access ? s.RequestedMode : 0;

    TOptionStates& o = s.Options;
    o.EraseFirst = Ini.ReadBool(SecOptions, "EraseFirst", false);
    o.BlankCheckFirst = Ini.ReadBool(SecOptions, "BlankCheckFirst", false);
    o.VerifyAfter = Ini.ReadBool(SecOptions, "VerifyAfter", false);
    o.RunAfter = Ini.ReadBool(SecOptions, "RunAfter", false);
    o.DumpAllProgMem = Ini.ReadBool(SecOptions, "DumpAllProgMem", false);
    o.ProgMem = Ini.ReadBool(SecOptions, "ProgMem", true);
    o.ConfigMem = Ini.ReadBool(SecOptions, "ConfigMem", true);

    const Integer listed = Ini.ReadInteger(SecDevices, "NumDevices", 2);
    TCatalogue& c = s.Catalogue;
    c.NumDevices = std::clamp(listed, 0, MaxDevices);
    if (listed > MaxDevices)
        report(Format("Settings.ini lists %d devices (NumDevices); only the first %d are used.",
                      {listed, MaxDevices}));
    else if (listed < 0)
        report(Format("Settings.ini: NumDevices = %d is not a number of devices; no device is listed.",
                      {listed}));
    for (Integer i = 0; i < c.NumDevices; ++i) {
        TDeviceTypeRec r = ReadEntry(Ini, i);
        const String problem = DeviceEntryProblem(r, i);
        if (problem.empty()) {
            DeriveDeviceFields(r);
        } else {
            const TDeviceTypeRec d = DefaultDeviceTypeRec();
            report(Format("Settings.ini, device entry %2.2d (\"%s\"): %s. The entry is rejected and takes "
                          "the default values instead (DeviceName \"%s\", DeviceID %d).",
                          {i, r.DeviceName, problem, d.DeviceName, d.DeviceID}));
            r = d;
        }
        c.Entries[i] = r;
        s.ProcessorItems.push_back({r.DeviceName, r.DeviceID});
    }

    s.ProcessorIndex = c.SelectTargetById(Ini.ReadInteger(SecGeneral, "TargetID", 144), s.CurrentTarget);
    s.ProcessorText = s.ProcessorIndex >= 0 ? s.ProcessorItems[s.ProcessorIndex].Name : String();
    s.DefaultFirmwareFile = Ini.ReadString(SecTargets, "FwFileName01", "Sample.pfw");
    return s;
}

String FirmwareFilePath(const String& ProgramFolder, const String& Name) {
    return !Name.empty() && Name.front() == PathDelim ? Name : ProgramFolder + Name;
}
