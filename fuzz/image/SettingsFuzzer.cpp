// The INI reader and LoadSettings on any text; the buffers are then sized
// from the target chosen (when small enough to stay fast).
#include "FuzzCheck.h"

#include "host/image/Catalogue.h"
#include "platform/rtl/IniFiles.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    TMemIniFile ini("/nonexistent/Settings.ini");
    ini.SetText(String(reinterpret_cast<const char*>(Data), Size));
    TStringList sections;
    ini.ReadSections(&sections);
    for (Integer i = 0; i < sections.Count(); ++i) {
        TStringList values;
        ini.ReadSectionValues(sections[i], &values);
    }
    const TSettings s = LoadSettings(ini, [](const String&) {});
    if (s.Catalogue.NumDevices < 0 || s.Catalogue.NumDevices > MaxDevices) std::abort();
    for (Integer i = 0; i < s.Catalogue.NumDevices; ++i)
        if (!DeviceEntryProblem(s.Catalogue.Entries[i], i).empty()) std::abort(); // only usable entries
    const TDeviceTypeRec& t = s.CurrentTarget;
    if (t.ProgMemSizeIwu < 0x10000 && t.BootMemSizeIwu < 0x10000 && t.EraseBlockSizeIwu < 0x10000 &&
        t.ConfigCount < 0x10000) {
        TMemoryBuffers b;
        b.Allocate(t);
        CheckSpareWords(b);
    }
    return 0;
}
