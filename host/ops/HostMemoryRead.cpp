// Reading device memory into the read-back buffers and the read-back hex
// lines: one region at a time, the Read and Make Manufacturing Image
// commands, the buffer dumps and the dump of the last answer.
#include "host/image/HexWriter.h"
#include "host/ops/BootCommands.h"
#include "host/ops/BootloaderHost.h"
#include "host/ops/MemoryDumps.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace {

const char* const UnableToReadConfig =
    "Unable to read Configuration Memory in device due to communication problems";
const char* const UnableToReadBoot = "Unable to read Boot Memory in device due to communication problems";
const char* const UnableToReadProgram =
    "Unable to read Program Memory in device due to communication problems";

} // namespace

bool TBootloaderHost::ReadDeviceBlock(Integer DeviceIndex, Cardinal Address, Integer CountIwu) {
    const TDeviceTypeRec& t = CurrentTarget;
    if (ReadMemory(FSelected, static_cast<Integer>(Address), CountIwu, t.ConfigVirtualStartPcu,
                   t.ConfigVirtualEndPcu)
            .Result == crAnswered)
        return true;
    FView.Beep();
    DeviceFailedToRespond();
    FramedError("+ + + Unable to read target" + IntToStr(DeviceIndex) + "! + + +", false);
    return false;
}

void TBootloaderHost::ReportReadFailure(const String& Text, Integer Boxes) {
    FView.Beep();
    ReadFailure = true;
    DeviceFailedToRespond();
    FramedError(Text, true);
    FView.HideProgress();
    for (Integer i = 0; i < Boxes; ++i)
        FView.MessageBox(Text, mkPlain, mbOKOnly);
}

bool TBootloaderHost::ReadRangeToHex(Integer Kind, Cardinal Start, bool Show, Cardinal End, bool WriteLines) {
    TBusy busy(*this);
    const TDeviceTypeRec& t = CurrentTarget;
    ReadFailure = false;
    Hourglass(true);
    FView.SetProgressCaption("Reading firmware..");
    FView.ShowProgress();
    AddResultLine("");
    TdsProg* d = FSelected;

    if (Kind == bkConfigImage) {
        const Cardinal config = static_cast<Cardinal>(t.ConfigVirtualStartPcu);
        if (!ReadDeviceBlock(FSelectedIndex, config, t.ConfigCount)) {
            ReportReadFailure(Format("Unable to read Config registers: address 0x%8.8X", {config}), 2);
            return false;
        }
        for (Integer i = 0; i < t.ConfigCount; ++i)
            Image.Buffers.SetWord(bkConfigReadBack, i, InPayloadLE32(d, i * t.ActiveBytesPerIwu));
        if (Show) DumpBuffer(bkConfigReadBack);
        for (Integer j = 0; j < t.ConfigCount && WriteLines; ++j)
            AddConfigWordLines(Image.ReadBackLines, static_cast<Cardinal>(t.ConfigPhysicalStartPcu), j,
                               Image.Buffers.GetWord(bkConfigReadBack, j));
        Hourglass(false);
        FView.HideProgress();
        return true;
    }

    const bool boot = Kind == bkBootImage;
    const Integer readBack = boot ? bkBootReadBack : bkProgReadBack;
    const Cardinal regionVirtual =
        static_cast<Cardinal>(boot ? t.BootMemVirtualStartPcu : t.ProgMemVirtualStartPcu);
    const Cardinal regionPhysical =
        static_cast<Cardinal>(boot ? t.BootMemPhysicalStartPcu : t.ProgMemPhysicalStartPcu);
    if (Checked(miOptionsDumpAllProgMem)) {
        AddResultLine(boot ? "Reading ALL PIC32 boot memory:" : "Reading ALL PIC32 Program memory:");
    } else if (boot) {
        const Cardinal upTo = VirtToPhys(End) * static_cast<Cardinal>(t.BytesPerPcu);
        AddResultLine(Format("Reading PART OF PIC32 boot memory up to Physical address : 0x%8.8x", {upTo}));
        AddResultLine(Format("           Virtual address : 0x%8.8x", {PhysToKseg1(upTo)}));
    } else {
        const Cardinal upTo = Image.Buffers.HighestPhysProgAddress;
        AddResultLine(
            Format("Reading PART OF PIC32 Program, memory up to Physical address : 0x%8.8x", {upTo}));
        AddResultLine(Format("           Virtual address : 0x%8.8x", {PhysToKseg0(upTo)}));
    }

    THexLineWriter writer;
    writer.LastUpperAddress = 0;
    const Integer pcuPerIwu = std::max(t.PcuPerIwu, 1);
    const Integer bytesPerIwu = std::max(t.BytesPerIwu, 1);
    const Integer active = t.ActiveBytesPerIwu;
    const Cardinal step = static_cast<Cardinal>(std::max(t.ProgBlockSizePcu, 1));
    for (UInt64 address = Start; address < End; address += step) {
        const Cardinal a = static_cast<Cardinal>(address);
        if (!ReadDeviceBlock(FSelectedIndex, a, t.ProgBlockSizeIwu)) {
            ReportReadFailure(Format("Unable to read device: address 0x%8.8X", {a}), 1);
            return false;
        }
        const Integer firstWord =
            static_cast<Integer>((a - regionVirtual) / static_cast<Cardinal>(pcuPerIwu));
        // The share of the region read so far.
        FView.SetProgress(static_cast<Integer>((address - Start) * 100 / (static_cast<UInt64>(End) - Start)));

        // The answer's bytes, for the hex lines only.
        Byte payload[PayloadSize];
        for (Integer i = 0; WriteLines && i < PayloadSize; ++i)
            payload[i] = static_cast<Byte>(d->InPayload->Elements[i]);
        const Integer lastByte = std::min(d->InLen->GetValue() * active - 1, PayloadSize - 1);
        const Integer perLine = active * 16 / bytesPerIwu;
        Integer w = firstWord;
        for (Integer line = 0; WriteLines && line < t.ProgBlockSizeIwu / bytesPerIwu; ++line) {
            const Integer from = perLine * line;
            const Integer to = std::min(from + perLine - 1, lastByte);
            const Cardinal phys = static_cast<Cardinal>(bytesPerIwu * w) + regionPhysical;
            if (to >= from && from < PayloadSize &&
                (!boot || phys < static_cast<Cardinal>(t.ConfigPhysicalStartPcu)))
                writer.WritePayloadLine(Image.ReadBackLines, payload + from, to - from + 1, phys, t);
            w += 16 / bytesPerIwu;
        }
        Integer* words = BufferWords(readBack, firstWord, t.ProgBlockSizeIwu);
        for (Integer k = 0; k < t.ProgBlockSizeIwu; ++k) {
            const Cardinal word = InPayloadLE32(d, k * active);
            if (words)
                words[k] = static_cast<Integer>(word);
            else
                Image.Buffers.SetWord(readBack, firstWord + k, word);
        }
    }
    Hourglass(false);
    FView.HideProgress();
    if (Show) DumpBuffer(readBack);
    return true;
}

void TBootloaderHost::Prog_ReadClick() {
    TCommand command(*this);
    if (command.Refused()) return;
    const TDeviceTypeRec& t = CurrentTarget;
    Hourglass(true);
    Image.ReadBackLines.Clear();
    Image.Buffers.ClearBuffer(bkProgReadBack);
    Image.Buffers.ClearBuffer(bkConfigReadBack);
    FView.ClearRomMemo();
    AddResultLine("Reading memory from device...");
    AddResultLine("");
    auto failed = [this](const char* Text) {
        DeviceFailedToRespond();
        AddResultLine("");
        Rule(88);
        AddResultLine(Text);
        AddResultLine("");
        Rule(88);
        Hourglass(false);
        AddResultLine("");
    };
    if (!ReadRangeToHex(bkConfigImage, static_cast<Cardinal>(t.ConfigVirtualStartPcu), true,
                        static_cast<Cardinal>(t.ConfigVirtualEndPcu)))
        return failed(UnableToReadConfig);
    if (Checked(miOptionsProgMem)) {
        if (!ReadRangeToHex(bkBootImage, static_cast<Cardinal>(t.BootMemVirtualStartPcu), true,
                            static_cast<Cardinal>(t.BootMemVirtualEndPcu)))
            return failed(UnableToReadBoot);
        const TDeviceAddressWindow& w = Image.Buffers.AddressWindow;
        if (!ReadRangeToHex(bkProgImage, w.AppStart, true, w.AppMaxEnd)) return failed(UnableToReadProgram);
        Status("");
    }
    Image.ReadBackLines.Add(HexEndOfFile);
    Hourglass(false);
}

void TBootloaderHost::Prod_MakeProductImageClick() {
    TCommand command(*this);
    if (command.Refused()) return;
    const TDeviceTypeRec& t = CurrentTarget;
    const bool show = Checked(miTestShowProdImageMemory);
    Hourglass(true);
    auto clearAll = [this] {
        Image.ReadBackLines.Clear();
        Image.Buffers.ClearBuffer(bkProgReadBack);
        Image.Buffers.ClearBuffer(bkBootReadBack);
        Image.Buffers.ClearBuffer(bkConfigReadBack);
    };
    clearAll();
    FView.ClearRomMemo();
    AddResultLine("Reading memory from device...");
    AddResultLine("");
    const bool dumpAll = Checked(miOptionsDumpAllProgMem);
    const bool progMem = Checked(miOptionsProgMem);
    FView.SetMenuChecked(miOptionsDumpAllProgMem, true);
    FView.SetMenuChecked(miOptionsProgMem, true);
    const char* failure = nullptr;
    if (!ReadRangeToHex(bkConfigImage, static_cast<Cardinal>(t.ConfigVirtualStartPcu), show,
                        static_cast<Cardinal>(t.ConfigVirtualEndPcu)))
        failure = UnableToReadConfig;
    else if (!ReadRangeToHex(bkBootImage, static_cast<Cardinal>(t.BootMemVirtualStartPcu), show,
                             static_cast<Cardinal>(t.BootMemVirtualEndPcu)))
        failure = UnableToReadBoot;
    else if (!ReadRangeToHex(bkProgImage, static_cast<Cardinal>(t.ProgMemVirtualStartPcu), show,
                             static_cast<Cardinal>(t.ProgMemVirtualEndPcu)))
        failure = UnableToReadProgram;
    if (failure) {
        DeviceFailedToRespond();
        FramedError(failure, true);
        FView.SetMenuChecked(miOptionsDumpAllProgMem, dumpAll);
        FView.SetMenuChecked(miOptionsProgMem, progMem);
        Hourglass(false);
        return;
    }
    Status("");
    Image.ReadBackLines.Add(HexEndOfFile);
    FView.SetMenuChecked(miOptionsDumpAllProgMem, dumpAll);
    FView.SetMenuChecked(miOptionsProgMem, progMem);
    Hourglass(false);
    FView.SaveHexFile();
    clearAll();
}

void TBootloaderHost::DumpBuffer(Integer Kind) {
    ::DumpBuffer(Image.Buffers, Kind, CurrentTarget, Checked(miOptionsDumpAllProgMem),
                 [this](const String& Line) { AddResultLine(Line); });
}

void TBootloaderHost::Prog_DumpBuffersClick() {
    TCommand command(*this);
    if (command.Refused()) return;
    DumpBuffer(bkBootImage);
    DumpBuffer(bkProgImage);
    DumpBuffer(bkConfigImage);
}

void TBootloaderHost::DumpResponse() {
    TdsProg* d = FSelected;
    if (!d) return;
    AddResultLine("");
    AddResultLine("Response from device: Input Report");
    Rule(34);
    for (auto [name, value] : {std::pair<const char*, Integer>{"CmdResponse", d->CmdResponse->GetValue()},
                               {"InLen", d->InLen->GetValue()},
                               {"InAddress", d->InAddress->GetValue()}})
        AddResultLine(Format("%s = %d = 0x%2.2x", {name, value, value}));
    AddResultLine("InPayload[] array as bytes:");
    AddResultLine("");
    const Integer* bytes = d->InPayload->Elements;
    for (Integer offset = 0; offset < PayloadSize; offset += 16) {
        String line = Format("0x%6.6X: ", {offset}) + "  ";
        String chars;
        for (Integer i = 0; i < 16; ++i) {
            const Integer b = bytes[offset + i] & 0xFF;
            line += Format("%2.2x ", {b});
            chars += b >= 32 && b <= 127 ? static_cast<char>(b) : '.';
        }
        AddResultLine(line + "  " + chars);
    }
}
