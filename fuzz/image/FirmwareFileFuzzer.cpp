// LoadFirmwareFile on any file, and on files that hold any text enciphered
// with the host's key (so that the text reaches the HEX reader). The first
// input byte chooses which.
#include "FuzzCheck.h"

#include "host/image/Catalogue.h"
#include "host/image/FirmwareFile.h"
#include "tools/mkpfw/PfwWriter.h"

#include <cstdint>
#include <fstream>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    static const TDeviceTypeRec target = [] {
        TDeviceTypeRec r = DefaultDeviceTypeRec();
        r.ProgMemSizePcu = 0x2000;
        DeriveDeviceFields(r);
        return r;
    }();
    static const TXxteaKey key = XxteaKeyFromString(FirmwareKeyString);
    static const String path = "/tmp/quenta_pfw_fuzz_" + std::to_string(getpid()) + ".pfw";
    static THexImage image;
    if (image.Buffers.ProgImage.empty()) image.Buffers.Allocate(target);
    if (Size == 0) return 0;

    const String payload(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    const String file = (Data[0] & 1) ? MakeFirmwareFile(payload, key) : payload;
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(file.data(), static_cast<std::streamsize>(file.size()));
    }
    const bool loaded = LoadFirmwareFile(image, path, key, target);
    if (loaded != image.Loaded && file.size() >= static_cast<std::size_t>(FirmwareMinFileSize)) std::abort();
    CheckSpareWords(image.Buffers);
    unlink(path.c_str());
    return 0;
}
