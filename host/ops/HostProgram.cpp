// Programming: the fit check, the whole sequence with its three attempts,
// block and chunk programming, and starting the new code.
#include "host/ops/BootCommands.h"
#include "host/ops/BootloaderHost.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/EventLoop.h"
#include "platform/rtl/Guards.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace {
constexpr Integer ProgramAttempts = 3;
constexpr Cardinal SettleAfterRegionMs = 2000;

String Hex8(Cardinal Value) {
    return Format("%8.8X", {Value});
}
} // namespace

bool TBootloaderHost::CheckFirmwareFits() {
    const TDeviceAddressWindow& w = Image.Buffers.AddressWindow;
    const Cardinal highest = Image.Buffers.HighestPhysProgAddress;
    if (VirtToPhys(w.BootloaderStart) >= highest) return true;
    FView.Beep();
    const String text =
        "Sorry, your firmware will not fit!  Details follow:\r\n  Virtual addresses: \r\n    Highest "
        "virtual address of your program = " +
        Hex8(PhysToKseg0(highest)) + "\r\n" + "    Bottom of bootloader = " + Hex8(w.BootloaderStart) +
        "\r\n" + "\r\n" + "  Physical addresses: " + "\r\n" +
        "    Highest physical address of your program = " + Hex8(highest) + "\r\n" +
        "    Bottom of bootloader = " + Hex8(VirtToPhys(w.BootloaderStart)) + "\r\n";
    AddResultLine("");
    Rule(55);
    AddResultLine(text);
    Rule(55);
    AddResultLine("");
    FView.MessageBox(text, mkError, mbOKOnly);
    return false;
}

void TBootloaderHost::Prog_BlockProgramClick() {
    TCommand command(*this);
    if (command.Refused() || !CheckFirmwareFits()) return;
    Aborted = false;
    bool done = false;
    for (Integer attempt = 0; attempt < ProgramAttempts && !done && !Aborted; ++attempt)
        done = ProgramDevice();
    const Byte mode = FView.OperatingMode();
    if (Aborted) {
        FView.MessageBox(
            mode == 1 || mode == 4
                ? "Unable to program your device.  Please investigate and try again."
                : "Sorry, we were unable to program your device.  Please contact Technical Support.",
            mkInformation, mbOKOnly);
    } else if (done) {
        Status("Programming operation completed", true);
        if (Checked(miOptionsRunAfter) || mode == 0) RunCode();
    } else {
        Status("An error occurred during programming!", true);
        FView.MessageBox("An error occurred during programming!", mkError, mbOKOnly);
    }
}

bool TBootloaderHost::ProgramDevice() {
    auto abortWith = [this](const char* Text) {
        FView.Beep();
        AddResultLine("");
        Aborted = true;
        AddResultLine(Text);
        return false;
    };
    // Whichever way the attempt ends, the progress window goes and the
    // cursor is the normal one again.
    TScopeExit tidy([this] {
        FView.HideProgress();
        Hourglass(false);
    });
    VerifyAll = true;
    AbortFlag = false;
    Status("Checking programmer firmware version...");
    const bool versionAnswered = GetBLVersion();
    if (AbortFlag) return abortWith("Error -- Incompatible bootloader version in device.");
    // Without the version answer the erase method and the bootloader's
    // window are unknown: this attempt ends (the next one asks again).
    if (!versionAnswered) return false;
    GetTargetInfo();
    if (AbortFlag) return false;
    if (!Image.Loaded) {
        FView.Beep();
        const String text = "  No device hex file has been opened.\r\nPlease click File | Open Hex File...";
        AddResultLine(text);
        FView.MessageBox(text, mkWarning, mbOKOnly);
        Aborted = true;
        return false;
    }
    Status("Erasing processor memory...", true);
    Erase();
    if (AbortFlag) return abortWith("Error -- A problem occurred when erasing device.");
    BlankCheck();
    if (!Blank) return abortWith("Error -- Unable to erase device.");

    const bool verify = Checked(miOptionsVerifyAfter) || FView.OperatingMode() == 0;
    AddResultLine("Programming...");
    Status("Programming...");
    Hourglass(true);
    FView.SetProgressCaption("Program memory...");
    if (!UpdateRegion(false, verify)) return false;
    // The first boot block holds the stub the erase wrote back. It is erased
    // again only for an image whose own data is written there now; otherwise
    // the device keeps the stub (and the boot verify expects it), so that it
    // can always start its bootloader.
    if (ImageReplacesBootStub() && !EraseBootBlock())
        return abortWith("Error -- A problem occurred when erasing device.");
    Hourglass(true);
    FView.SetProgressCaption("Boot memory...");
    if (!UpdateRegion(true, verify)) return false;
    Hourglass(false);
    if (Checked(miOptionsVerifyAfter)) ReportVerifyVerdict();
    AddResultLine("");
    // Code that did not verify is not reported as programmed (nor started).
    return VerifyAll;
}

bool TBootloaderHost::UpdateRegion(bool Boot, bool Verify) {
    const TDeviceTypeRec& t = CurrentTarget;
    if (Checked(miOptionsProgMem)) {
        const char* what = Boot ? "Updating boot memory..." : "Updating program memory...";
        FView.ShowProgress();
        AddResultLine(what);
        Status(what, true);
        // Boot memory: its first two erase blocks.
        const Integer blocks =
            Boot ? (t.ProgBlockSizeIwu > 0 ? t.EraseBlockSizeIwu * 2 / t.ProgBlockSizeIwu : 0)
                 : (t.ProgBlockSizePcu > 0 ? t.ProgMemSizePcu / t.ProgBlockSizePcu : 0);
        if (!ProgramRegion(Boot ? bkBootImage : bkProgImage, blocks, Boot)) return false;
    }
    Hourglass(false);
    FView.HideProgress();
    Status(Boot ? "Pausing after boot memory update..." : "Pausing after program memory update...");
    Pause(SettleAfterRegionMs);
    if (Verify) VerifyAll = (Boot ? VerifyBootMemory() : VerifyProgramMemory()) && VerifyAll;
    FView.HideProgress();
    AddResultLine("");
    Hourglass(false);
    return true;
}

bool TBootloaderHost::ProgramRegion(Integer Kind, Integer Blocks, bool Boot) {
    const Integer blockWords = CurrentTarget.ProgBlockSizeIwu;
    Blocks = std::min(Blocks, BlocksInUse(Kind));
    for (Integer b = 0; b < Blocks; ++b) {
        const Integer w = b * blockWords;
        const bool blank = BlankWords(Kind, w, blockWords);
        FView.SetProgress(static_cast<Integer>(static_cast<Int64>(b) * 100 / Blocks));
        ProcessMessagesThrottled();
        if (blank) continue;
        if (Boot)
            ProgramBootBlockWithRetry(w);
        else
            ProgramBlockWithRetry(w);
        if (AbortFlag) {
            FView.Beep();
            AddResultLine("");
            Aborted = true;
            AddResultLine("Error -- A problem occurred when programming device.");
            return false;
        }
    }
    return true;
}

bool TBootloaderHost::ProgramChunkWithRetry(Integer WordIndex, Integer ByteOffset, Integer Kind, bool Last,
                                            Cardinal Address, const char* AddressFormat) {
    auto send = [&] {
        return Last ? SendProgramChunkAndWait(WordIndex, ByteOffset, Kind, ChunkBytes)
                    : SendProgramChunk(WordIndex, ByteOffset, Kind, ChunkBytes);
    };
    // The address is written out only for the retry prompt.
    return send() || AskToRetry(Format(AddressFormat, {Address}), send);
}

bool TBootloaderHost::AskToRetry(const String& AddressText, const std::function<bool()>& Retry) {
    AbortFlag = true;
    const String text = "An error occurred when programming the block at address " + AddressText +
                        ". \r\n Would you like to retry?";
    AddResultLine(text);
    if (FView.MessageBox(text, mkError, mbYesNo) == maYes) {
        const bool ok = Retry();
        AbortFlag = !ok;
        AddResultLine(ok ? "Retry succeeded." : "Retry failed.");
    } else {
        AddResultLine("Retry declined.");
    }
    return !AbortFlag;
}

void TBootloaderHost::ProgramBlockWithRetry(Integer WordIndex) {
    const TDeviceTypeRec& t = CurrentTarget;
    const Integer chunks = (t.ProgBlockSizeIwu + ChunkWords - 1) / ChunkWords;
    for (Integer c = 0; c < chunks && !AbortFlag; ++c) {
        const Integer offset = ChunkBytes * c;
        const Cardinal address =
            static_cast<Cardinal>(WordIndex) * static_cast<Cardinal>(t.BytesPerIwu) + offset;
        ProgramChunkWithRetry(WordIndex + ChunkWords * c, offset, bkProgImage, c == chunks - 1, address,
                              "0x%6.6x");
    }
}

bool TBootloaderHost::ProgramBootBlockWithRetry(Integer WordIndex) {
    const TDeviceTypeRec& t = CurrentTarget;
    const Integer chunks = (t.ProgBlockSizeIwu + ChunkWords - 1) / ChunkWords;
    for (Integer c = 0; c < chunks && !AbortFlag; ++c) {
        const Integer offset = ChunkBytes * c;
        const Cardinal address = static_cast<Cardinal>(WordIndex) * static_cast<Cardinal>(t.BytesPerIwu) +
                                 static_cast<Cardinal>(t.BootMemVirtualStartPcu) + offset;
        ProgramChunkWithRetry(WordIndex + ChunkWords * c, offset, bkBootImage, c == chunks - 1, address,
                              "0x%8.8x");
    }
    return !AbortFlag;
}

bool TBootloaderHost::BlankWords(Integer Kind, Integer First, Integer Count) const {
    if (const Integer* words = BufferWords(Kind, First, Count))
        return std::all_of(words, words + Count, [](Integer v) { return static_cast<Cardinal>(v) == BlankWord; });
    for (Integer k = 0; k < Count; ++k)
        if (Image.Buffers.GetWord(Kind, First + k) != BlankWord) return false;
    return true;
}

Integer TBootloaderHost::BlocksInUse(Integer Kind) const {
    const Integer blockWords = CurrentTarget.ProgBlockSizeIwu;
    return blockWords > 0 ? (Image.Buffers.WordsInUse(Kind) + blockWords - 1) / blockWords : 0;
}

const Integer* TBootloaderHost::BufferWords(Integer Kind, Integer First, Integer Count) const {
    const TDynamicIntArray* b = Image.Buffers.Buffer(Kind);
    if (!b || First < 0 || Count < 0 ||
        static_cast<Int64>(First) + Count > Image.Buffers.WordsInUse(Kind))
        return nullptr;
    return b->data() + First;
}

Integer* TBootloaderHost::BufferWords(Integer Kind, Integer First, Integer Count) {
    return const_cast<Integer*>(static_cast<const TBootloaderHost*>(this)->BufferWords(Kind, First, Count));
}

Cardinal TBootloaderHost::RegionVirtualStart(Integer Kind) const {
    return static_cast<Cardinal>(Kind == bkProgImage || Kind == bkProgReadBack
                                     ? CurrentTarget.ProgMemVirtualStartPcu
                                     : CurrentTarget.BootMemVirtualStartPcu);
}

Integer TBootloaderHost::ChunkPayload(Integer Kind, Integer WordIndex, Byte* Payload) const {
    const Integer active = CurrentTarget.ActiveBytesPerIwu;
    if (active <= 0) return 0;
    // Each word is written whole at its place; the next word overwrites the
    // bytes beyond the active ones. Nothing goes past the payload.
    Integer filled = 0;
    const Integer words = ChunkBytes / active;
    const Integer* inside = BufferWords(Kind, WordIndex, words);
    for (Integer i = 0; i < words; ++i) {
        const Cardinal word =
            inside ? static_cast<Cardinal>(inside[i]) : Image.Buffers.GetWord(Kind, WordIndex + i);
        for (Integer b = 0; b < 4 && i * active + b < ChunkBytes; ++b) {
            Payload[i * active + b] = static_cast<Byte>(word >> (8 * b));
            filled = std::max(filled, i * active + b + 1);
        }
    }
    return filled;
}

bool TBootloaderHost::SendChunk(Integer WordIndex, Integer Kind, bool Last) {
    TBusy busy(*this);
    const TDeviceTypeRec& t = CurrentTarget;
    if (TransferSkipped(Kind, Checked(miOptionsProgMem))) return true;
    const Cardinal address =
        static_cast<Cardinal>(WordIndex) * static_cast<Cardinal>(t.PcuPerIwu) + RegionVirtualStart(Kind);
    // The chunk may not touch the bootloader: neither its first nor its last
    // program-counter unit may lie inside the bootloader's window.
    const TDeviceAddressWindow& w = Image.Buffers.AddressWindow;
    const Cardinal lastUnit = address + static_cast<Cardinal>(ChunkWords * t.PcuPerIwu) - 1;
    auto inWindow = [&w](Cardinal a) { return a >= w.BootloaderStart && a <= w.BootloaderEnd; };
    if (inWindow(address) || inWindow(lastUnit)) {
        FView.Beep();
        AddResultLine(
            Format("+ + + Error: Unable to write %d bytes at address %d without overwriting bootloader!",
                   {ChunkBytes, address}));
        return false;
    }
    Byte payload[ChunkBytes];
    const Integer count = ChunkPayload(Kind, WordIndex, payload);
    TdsProg* d = FSelected;
    const TCmdOutcome r = ProgramChunk(d, static_cast<Integer>(address), payload, count, Last);
    if (r.Result == crSendFailed) {
        FView.Beep();
        AddResultLine(Last ? String("+ + + Unable to send to target ") + "0" + "! + + +"
                           : String("+ + + Unable to send to target") + "0" + "! + + +");
        return false;
    }
    if (!Last) return true;
    if (r.Result != crAnswered) {
        FView.Beep();
        AddResultLine(String("+ + + Target") + "0" + " failed to respond! + + +");
        return false;
    }
    if ((d->InPayload->Elements[0] & 0xFF) == 0) {
        FView.Beep();
        AddResultLine(Format("+ + + Target 0 failed to program segment at 0x%6.6X! + + +", {address}));
        return false;
    }
    return true;
}

bool TBootloaderHost::SendProgramChunk(Integer WordIndex, Integer ByteOffset, Integer Kind,
                                       Integer ByteCount) {
    return SendChunk(WordIndex, Kind, false);
}

bool TBootloaderHost::SendProgramChunkAndWait(Integer WordIndex, Integer ByteOffset, Integer Kind,
                                              Integer ByteCount) {
    return SendChunk(WordIndex, Kind, true);
}

void TBootloaderHost::Prog_RunCodeClick() {
    TCommand command(*this);
    if (!command.Refused()) RunCode();
}

void TBootloaderHost::RunCode() {
    TBusy busy(*this);
    Status("Restarting firmware...", true);
    Hourglass(true);
    AddResultLine("");
    AddResultLine("Starting new firmware...");
    TdsProg* d = FSelected;
    if (!RunApplication(d).Ok()) {
        // The device did not get the request: it stays listed, and nothing
        // is reported as done.
        AddResultLine("   Communication problem: Unable to start new code...");
        Hourglass(false);
        Status("Communication problem: Unable to start new code...");
        return;
    }
    Hourglass(false);
    RemoveDevice(d->AssignedID);
    Status("Upgrade successfully completed! You can exit now.");
}
