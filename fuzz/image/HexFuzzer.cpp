// ValidateHexLines and LoadBuffersFromHex on any text, for targets whose
// regions fit their buffers and for one whose regions are larger than the
// buffers it sized (a processor chosen after start).
#include "FuzzCheck.h"

#include "host/image/Catalogue.h"
#include "host/image/HexImage.h"

#include <cstdint>

namespace {
TDeviceTypeRec Pic32() {
    TDeviceTypeRec r = DefaultDeviceTypeRec();
    r.BytesPerPcu = 1;
    r.PcuPerIwu = 4;
    r.ActiveBytesPerIwu = 4;
    r.ProgMemSizePcu = 0x4000;
    r.BootMemPhysicalStartPcu = 0x1FC00000;
    r.BootMemSizePcu = 0x3000;
    r.ConfigPhysicalStartPcu = 0x1FC02FF0;
    r.ConfigPhysicalEndPcu = 0x1FC02FFF;
    r.ConfigCount = 4;
    DeriveDeviceFields(r);
    return r;
}

struct TTarget {
    TDeviceTypeRec Sizing, Loading;
    THexImage Image;
};

TTarget* Targets() {
    static TTarget t[3];
    static bool ready = false;
    if (!ready) {
        t[0].Sizing = t[0].Loading = Pic32();
        t[1].Sizing = t[1].Loading = DefaultDeviceTypeRec();
        t[1].Sizing.ProgMemSizePcu = 0x1000;
        DeriveDeviceFields(t[1].Sizing);
        t[1].Loading = t[1].Sizing;
        t[2].Sizing = t[1].Sizing;
        t[2].Loading = DefaultDeviceTypeRec(); // larger regions than the buffers
        for (auto& x : t) x.Image.Buffers.Allocate(x.Sizing);
        ready = true;
    }
    return t;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    TTarget* targets = Targets();
    TStringList lines;
    lines.SetText(String(reinterpret_cast<const char*>(Data), Size));
    const bool valid = ValidateHexLines(lines);
    for (int i = 0; i < 3; ++i) {
        TTarget& t = targets[i];
        t.Image.Lines.Assign(&lines);
        // A valid image is loaded; only data beyond the buffers of a target
        // larger than the one they were sized for (the third) refuses one.
        const bool loaded = t.Image.ImageLoaded(t.Loading);
        if (loaded ? !valid : valid && i != 2) std::abort();
        LoadBuffersFromHex(lines, t.Loading, t.Image.Buffers, nullptr); // also what the validator refused
        CheckSpareWords(t.Image.Buffers);
    }
    THexRecord rec;
    for (Integer i = 0; i < lines.Count(); ++i) ParseHexLine(lines[i], rec);
    return 0;
}
