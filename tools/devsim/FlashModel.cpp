#include "tools/devsim/FlashModel.h"

#include <algorithm>
#include <cstdio>

namespace devsim {

TFlashModel::TFlashModel(const TSimTarget& Target, const TSimWindow& Window)
    : FTarget(Target), FWindow(Window) {
    ValidateSimTarget(FTarget);
    const Cardinal pcu = FTarget.PcuPerIwu;
    auto add = [&](const char* name, Cardinal phys, Cardinal virt, Cardinal size, Cardinal fill) {
        FRegions.push_back({name, phys, virt, size, std::vector<Cardinal>(size / pcu, fill)});
        FMappings.push_back({virt, phys, size});
    };
    add("program", FTarget.ProgMemPhysicalStartPcu, FTarget.ProgMemVirtualStartPcu, FTarget.ProgMemSizePcu,
        BlankWord);
    add("boot", FTarget.BootMemPhysicalStartPcu, FTarget.BootMemVirtualStartPcu, FTarget.BootMemSizePcu,
        BlankWord);
    if (FTarget.ConfigCount > 0) {
        const Cardinal size = FTarget.ConfigCount * pcu;
        const Cardinal first = FTarget.ConfigPhysicalStartPcu, last = first + size - 1;
        bool inside = false;
        for (const auto& r : FRegions)
            inside = inside || (r.ContainsPhysical(first) && r.ContainsPhysical(last));
        if (inside) {
            // The configuration words are part of a flash memory (as on the
            // chip, at the top of boot flash): only their virtual range is new.
            FMappings.push_back({FTarget.ConfigVirtualStartPcu, first, size});
        } else {
            add("configuration", first, FTarget.ConfigVirtualStartPcu, size, BlankWord);
            for (Cardinal i = 0; i < 4 && i < FTarget.ConfigCount; ++i)
                FRegions.back().Words[i] = FTarget.ConfigRegBlank[i];
        }
    }
    const auto ps = ToPhysical(FWindow.BootloaderStart), pe = ToPhysical(FWindow.BootloaderEnd);
    if (ps && pe && *ps <= *pe) {
        FProtectedStart = *ps;
        FProtectedEnd = *pe;
    }
}

std::optional<TFlashModel::TLocation> TFlashModel::LocatePhysical(Cardinal Physical) const {
    for (std::size_t i = 0; i < FRegions.size(); ++i)
        if (FRegions[i].ContainsPhysical(Physical))
            return TLocation{i, (Physical - FRegions[i].PhysicalStart) / FTarget.PcuPerIwu};
    return std::nullopt;
}

std::optional<Cardinal> TFlashModel::ToPhysical(Cardinal Address) const {
    for (const auto& m : FMappings)
        if (Address - m.VirtualStart < m.SizePcu) return m.PhysicalStart + (Address - m.VirtualStart);
    if (LocatePhysical(Address)) return Address;
    // The chip reaches each physical address through its KSEG0/KSEG1 windows too.
    const Cardinal phys = Address & 0x1FFFFFFF;
    if (LocatePhysical(phys)) return phys;
    return std::nullopt;
}

std::optional<TFlashModel::TLocation> TFlashModel::Locate(Cardinal Address) const {
    const auto phys = ToPhysical(Address);
    return phys ? LocatePhysical(*phys) : std::nullopt;
}

bool TFlashModel::IsProtected(Cardinal Address) const {
    const auto phys = ToPhysical(Address);
    return phys && *phys >= FProtectedStart && *phys <= FProtectedEnd;
}

Cardinal TFlashModel::ReadWord(Cardinal Address) const {
    const auto loc = Locate(Address);
    return loc ? FRegions[loc->Region].Words[loc->Word] : BlankWord;
}

std::vector<Cardinal> TFlashModel::ReadWords(Cardinal Address, Cardinal Count) const {
    std::vector<Cardinal> out;
    const auto loc = Locate(Address);
    if (!loc) return out;
    const auto& words = FRegions[loc->Region].Words;
    for (std::size_t i = loc->Word; i < words.size() && out.size() < Count; ++i)
        out.push_back(words[i]);
    return out;
}

void TFlashModel::WriteWord(Cardinal Address, Cardinal Value) {
    const auto loc = Locate(Address);
    if (!loc) throw EDevSimError(Format("No memory at address 0x%8.8X.", {Address}));
    FRegions[loc->Region].Words[loc->Word] = Value;
}

TEraseResult TFlashModel::EraseBlocks(Cardinal Address, Cardinal Count) {
    TEraseResult result;
    const auto phys = ToPhysical(Address);
    const auto loc = phys ? LocatePhysical(*phys) : std::nullopt;
    if (!loc) {
        result.Refused = Count;
        return result;
    }
    auto& region = FRegions[loc->Region];
    const Cardinal block = FTarget.EraseBlockSizePcu;
    const UInt64 firstOffset = (*phys - region.PhysicalStart) / block * block;
    for (Cardinal n = 0; n < Count; ++n) {
        const UInt64 offset = firstOffset + UInt64(n) * block;
        if (offset >= region.SizePcu) {
            result.Refused += Count - n; // past the end of this memory
            break;
        }
        const UInt64 first = region.PhysicalStart + offset, last = first + block - 1;
        if (first <= FProtectedEnd && last >= FProtectedStart) {
            ++result.Refused;
            continue;
        }
        const std::size_t w0 = offset / FTarget.PcuPerIwu;
        const std::size_t w1 = std::min<std::size_t>(region.Words.size(), w0 + block / FTarget.PcuPerIwu);
        for (std::size_t w = w0; w < w1; ++w)
            region.Words[w] = BlankWord;
        ++result.Erased;
    }
    return result;
}

TProgramResult TFlashModel::ProgramWords(Cardinal Address, const std::vector<Cardinal>& Data) {
    const auto phys = ToPhysical(Address);
    const auto loc = phys ? LocatePhysical(*phys) : std::nullopt;
    if (!loc) return prNoMemory;
    auto& region = FRegions[loc->Region];
    if (loc->Word + Data.size() > region.Words.size()) return prNoMemory;
    const UInt64 first = region.PhysicalStart + UInt64(loc->Word) * FTarget.PcuPerIwu;
    const UInt64 last = first + UInt64(Data.size()) * FTarget.PcuPerIwu - 1;
    if (!Data.empty() && first <= FProtectedEnd && last >= FProtectedStart) return prProtected;
    bool ok = true;
    for (std::size_t i = 0; i < Data.size(); ++i) {
        Cardinal& w = region.Words[loc->Word + i];
        w &= Data[i];
        ok = ok && w == Data[i];
    }
    return ok ? prOk : prNotErased;
}

std::optional<Cardinal> TFlashModel::FirstNonBlank(Cardinal Start, Cardinal End) const {
    for (UInt64 a = Start; a <= End; a += FTarget.PcuPerIwu) {
        const auto phys = ToPhysical(static_cast<Cardinal>(a));
        if (!phys) continue;
        const auto loc = LocatePhysical(*phys);
        if (loc && FRegions[loc->Region].Words[loc->Word] != BlankWord) return *phys;
    }
    return std::nullopt;
}

namespace {

class THexWriter {
public:
    explicit THexWriter(std::ostream& Out) : FOut(Out) {}

    void Data(UInt64 Address, const Byte* Bytes, std::size_t Count) {
        if (Address + Count - 1 > 0xFFFFFFFFull)
            throw EDevSimError("Memory above 4 GiB cannot be written as Intel HEX.");
        const Cardinal upper = static_cast<Cardinal>(Address >> 16);
        if (upper != FUpper) {
            const Byte ext[2] = {static_cast<Byte>(upper >> 8), static_cast<Byte>(upper)};
            Record(0, 4, ext, 2);
            FUpper = upper;
        }
        Record(static_cast<Word>(Address), 0, Bytes, Count);
    }
    void End() { Record(0, 1, nullptr, 0); }

private:
    void Record(Word Offset, Byte Type, const Byte* Bytes, std::size_t Count) {
        Byte sum = static_cast<Byte>(Count + (Offset >> 8) + Offset + Type);
        char buf[16];
        std::snprintf(buf, sizeof buf, ":%02X%04X%02X", static_cast<unsigned>(Count), Offset, Type);
        FOut << buf;
        for (std::size_t i = 0; i < Count; ++i) {
            std::snprintf(buf, sizeof buf, "%02X", Bytes[i]);
            FOut << buf;
            sum = static_cast<Byte>(sum + Bytes[i]);
        }
        std::snprintf(buf, sizeof buf, "%02X\n", static_cast<Byte>(-sum));
        FOut << buf;
    }

    std::ostream& FOut;
    Cardinal FUpper = 0;
};

} // namespace

void TFlashModel::WriteIntelHex(std::ostream& Out) const {
    THexWriter hex(Out);
    const Cardinal bytesPerWord = FTarget.BytesPerIwu();
    for (const auto& region : FRegions) {
        const UInt64 base = UInt64(region.PhysicalStart) * FTarget.BytesPerPcu;
        const UInt64 size = UInt64(region.Words.size()) * bytesPerWord;
        auto byteAt = [&](UInt64 i) {
            return static_cast<Byte>(region.Words[i / bytesPerWord] >> (8 * (i % bytesPerWord)));
        };
        // Records never cross a 16-byte boundary, so none crosses 64 KiB.
        for (UInt64 i = 0; i < size;) {
            const UInt64 next = std::min(size, (base + i) / 16 * 16 + 16 - base);
            Byte line[16];
            bool blank = true;
            for (UInt64 j = i; j < next; ++j) {
                line[j - i] = byteAt(j);
                blank = blank && line[j - i] == 0xFF;
            }
            if (!blank) hex.Data(base + i, line, next - i);
            i = next;
        }
    }
    hex.End();
}

std::optional<Cardinal> BootStubCopyAddress(const TFlashModel& Flash) {
    const TSimTarget& t = Flash.Target();
    const Cardinal offset = 0x1400 / t.BytesPerPcu;
    if (t.ProgMemSizePcu < offset) return std::nullopt;
    const Cardinal a = t.ProgMemVirtualStartPcu + t.ProgMemSizePcu - offset;
    const Cardinal b = a + 2 * t.ProgBlockSizePcu - 1;
    const TSimWindow& w = Flash.Window();
    if (a < w.BootloaderStart || b > w.BootloaderEnd) return std::nullopt;
    return a;
}

void InstallFactoryImage(TFlashModel& Flash) {
    const TSimTarget& t = Flash.Target();
    const TSimWindow& w = Flash.Window();
    const Cardinal step = t.PcuPerIwu;
    // The bootloader's code: 24 KiB of made-up instruction words from the
    // bottom of its window (never blank, so a read of them shows data).
    Cardinal seed = 0x1234567;
    for (UInt64 a = w.BootloaderStart, n = 0; a <= w.BootloaderEnd && n < 0x6000 / t.BytesPerIwu();
         a += step, ++n) {
        seed = seed * 1103515245u + 12345u;
        if (Flash.IsMapped(static_cast<Cardinal>(a)))
            Flash.WriteWord(static_cast<Cardinal>(a), seed & 0x7FFFFFFF);
    }
    // The boot stub: load the bootloader's start address and jump there.
    const Cardinal stub[] = {0x3C1A0000 | (w.BootloaderStart >> 16),
                             0x375A0000 | (w.BootloaderStart & 0xFFFF), 0x03400008, 0x00000000};
    const auto copy = BootStubCopyAddress(Flash);
    for (Cardinal i = 0; i < 4; ++i) {
        Flash.WriteWord(t.BootMemVirtualStartPcu + i * step, stub[i]);
        if (copy) Flash.WriteWord(*copy + i * step, stub[i]);
    }
    // Configuration words that live in flash carry the values the bootloader
    // was built with; a separate configuration memory keeps its blank values.
    if (t.ConfigCount > 0 && Flash.Regions().back().Name != "configuration") {
        const Cardinal config[4] = {0xFFFFFF00, 0xFFF8F95B, 0xFF74CE5B, 0x7FFFFFF3};
        for (Cardinal i = 0; i < t.ConfigCount && i < 4; ++i)
            Flash.WriteWord(t.ConfigVirtualStartPcu + i * step, config[i]);
    }
}

} // namespace devsim
