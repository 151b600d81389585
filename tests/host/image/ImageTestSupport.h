#pragma once
// Shared helpers of the image tests: a PIC32 target, temporary folders and
// running the outside tools.

#include "host/image/Catalogue.h"
#include "host/image/HexImage.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace imagetest {

// The PIC32MX795F512L entry of the shipped Settings.ini.
inline TDeviceTypeRec Pic32Target() {
    TDeviceTypeRec r = DefaultDeviceTypeRec();
    r.DeviceName = "PIC32MX795F512L";
    r.DeviceID = 0x04307053;
    r.BytesPerPcu = 1;
    r.PcuPerIwu = 4;
    r.ActiveBytesPerIwu = 4;
    r.ProgMemPhysicalStartPcu = 0x1D000000;
    r.ProgMemVirtualStartPcu = static_cast<Integer>(0x9D000000u);
    r.ProgMemSizePcu = 0x80000;
    r.BootMemPhysicalStartPcu = 0x1FC00000;
    r.BootMemVirtualStartPcu = static_cast<Integer>(0xBFC00000u);
    r.BootMemSizePcu = 0x3000;
    r.EraseBlockSizePcu = 4096;
    r.ProgBlockSizePcu = 512;
    r.ConfigPhysicalStartPcu = 0x1FC02FF0;
    r.ConfigPhysicalEndPcu = 0x1FC02FFF;
    r.ConfigVirtualStartPcu = static_cast<Integer>(0xBFC02FF0u);
    r.ConfigVirtualEndPcu = static_cast<Integer>(0xBFC02FFFu);
    r.ConfigCount = 4;
    r.ConfigRegBlank.fill(-1);
    DeriveDeviceFields(r);
    return r;
}

// A byte-addressed target whose program region is [Start, Start + Size).
inline TDeviceTypeRec FlatTarget(Cardinal Start, Integer Size) {
    TDeviceTypeRec r = Pic32Target();
    r.ProgMemPhysicalStartPcu = static_cast<Integer>(Start);
    r.ProgMemSizePcu = Size;
    DeriveDeviceFields(r);
    return r;
}

// Lines from text with "\n" breaks.
inline void SetLines(TStrings& Lines, const String& Text) { Lines.SetText(Text); }

// A fresh folder below the system's temporary folder, removed at the end.
class TTempDir {
public:
    TTempDir() {
        char name[] = "/tmp/quenta_image_XXXXXX";
        Path = mkdtemp(name);
    }
    ~TTempDir() { std::filesystem::remove_all(Path); }
    String operator/(const String& Name) const { return Path + "/" + Name; }
    String Path;
};

inline void WriteFile(const String& Name, const String& Bytes) {
    std::ofstream out(Name, std::ios::binary | std::ios::trunc);
    out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
}

inline String ReadFile(const String& Name) {
    std::ifstream in(Name, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Runs a shell command quietly; true when it exits with 0.
inline bool RunQuietly(const String& Command) { return std::system((Command + " >/dev/null 2>&1").c_str()) == 0; }

inline bool HaveTool(const char* Name) { return RunQuietly(String("command -v ") + Name); }

// Bytes that look like code: random words with runs of blank words.
inline String SampleBytes(std::size_t Size, unsigned Seed) {
    std::mt19937 rng(Seed);
    String s(Size, '\0');
    for (std::size_t i = 0; i < Size; ++i) s[i] = static_cast<char>(rng() & 0xFF);
    for (std::size_t i = 64; i + 96 < Size; i += 700) s.replace(i, 96, 96, '\xFF');
    return s;
}

// The words of a buffer as bytes, least significant first.
inline String BufferBytes(const TDynamicIntArray& Buffer, std::size_t FirstWord, std::size_t Bytes) {
    String s;
    for (std::size_t i = 0; i < Bytes; ++i) {
        const auto w = static_cast<Cardinal>(Buffer.at(FirstWord + i / 4));
        s += static_cast<char>((w >> (8 * (i % 4))) & 0xFF);
    }
    return s;
}

} // namespace imagetest
