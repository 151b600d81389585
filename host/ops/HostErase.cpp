// Erase and blank check. Erasing the application also erases the first
// block of boot memory, so the boot stub is first saved from its copy in
// program flash and written back (the boot restore).
#include "host/ops/BootCommands.h"
#include "host/ops/BootloaderHost.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Guards.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace {
constexpr Integer PolledEraseTimeOut = 10;  // ms per answer wait while polling
constexpr Integer PolledEraseSleep = 50;    // ms between two waits
constexpr Cardinal PolledEraseLimitS = 50;  // s until a polled erase gives up
constexpr Integer OldEraseTimeOut = 10000;  // ms, answer waits after an old erase
constexpr Cardinal OldEraseSettleMs = 5000; // ms, pause after an old application erase
constexpr Integer ProgressStep = 5;
// Tries at writing a saved boot block back before the user is asked.
constexpr Integer BootRestoreTries = 4;
const char* const BootBlockEmptyText =
    "The boot block of the device is empty: its boot stub could not be written back.\r\nThe device must "
    "stay powered and connected until an erase or \"Upgrade Now\" succeeds: reset or switched off now, it "
    "cannot start again.";
const char* const StubCopyUnreadableText =
    "Nothing was erased: the device's copy of its boot stub could not be read, and an erase without it would "
    "leave a device that cannot start again.\r\nCheck the connection to the device and try again.";
const char* const StubCopyMissingText =
    "Nothing was erased: the device holds no copy of its boot stub at 0x%8.8X, and an erase without it would "
    "leave a device that cannot start again.";
} // namespace

bool TBootloaderHost::EraseBlocks(Integer DeviceIndex, Cardinal Address, Integer Blocks) {
    TBusy busy(*this);
    TdsProg* d = FSelected;
    const bool polled = BootloaderVersion >= 2;
    const TCmdOutcome sent = ::EraseBlocks(d, static_cast<Integer>(Address), Blocks, false);
    if (!sent.Ok()) {
        FView.Beep();
        AddResultLine("+ + + Unable to send to device! + + +");
        return false;
    }
    bool answered = true;
    if (!polled) {
        // Bootloaders before version 2 erase without answering; every later
        // wait allows for an erase still in progress.
        FAgent->SetTimeOut(OldEraseTimeOut);
    } else {
        const Integer timeOut = FAgent->TimeOut();
        const bool showOps = FAgent->ShowOperations();
        FAgent->SetShowOperations(false);
        FAgent->OnDisplay = nullptr;
        // However the polling ends, the agent's settings come back and the
        // progress window goes.
        TScopeExit restore([this, d, timeOut, showOps] {
            FAgent->SetShowOperations(showOps);
            d->NotifyNoAnswer = true;
            AttachAgentDisplay();
            FAgent->SetTimeOut(timeOut);
            FView.HideProgress();
        });
        const Cardinal start = timeGetTime();
        FView.SetProgressCaption("Erasing firmware..");
        FView.ShowProgress();
        FView.SetProgress(0);
        Integer percent = 0, step = ProgressStep;
        Cardinal seconds = 0;
        do {
            FAgent->SetTimeOut(PolledEraseTimeOut);
            d->NotifyNoAnswer = false;
            answered = d->WaitForAnswer();
            seconds = (timeGetTime() - start) / 1000;
            percent += step;
            FView.SetProgress(percent);
            if (percent >= 100) step = -ProgressStep;
            if (percent <= 0) step = ProgressStep;
            Pause(PolledEraseSleep);
        } while (!answered && seconds < PolledEraseLimitS);
    }
    if (!answered) {
        FView.Beep();
        AddResultLine("+ + + Unable to erase target" + IntToStr(DeviceIndex) + "! + + +");
    }
    return answered;
}

void TBootloaderHost::ReportUnableToClear(Cardinal Address) {
    FView.Beep();
    const String text = Format("  Unable to clear device: block starting at address 0x%4.4X", {Address});
    AddResultLine(text);
    if (FView.MenuVisible(miMenuTest)) DumpResponse();
    FView.MessageBox(text, mkPlain, mbOKOnly);
}

bool TBootloaderHost::EraseBootBlock() {
    const Cardinal boot = static_cast<Cardinal>(CurrentTarget.BootMemVirtualStartPcu);
    if (EraseBlocks(FSelectedIndex, boot, 1)) return true;
    ReportUnableToClear(boot);
    AbortFlag = true;
    return false;
}

bool TBootloaderHost::ReadBootStubCopy(Integer Boxes) {
    TBusy busy(*this);
    const TDeviceTypeRec& t = CurrentTarget;
    TdsProg* d = FSelected;
    const Cardinal boot = static_cast<Cardinal>(t.BootMemVirtualStartPcu);
    // Each saved block goes to the scratch words of the boot address it
    // belongs at: the first block at word 0, the second one block on.
    const Cardinal sources[] = {BootStubCopyAddress1, BootStubCopyAddress2};
    for (Integer block = 0; block < BootStubBlocks; ++block) {
        const Integer first = block * t.ProgBlockSizeIwu;
        const TCmdOutcome r = ReadMemory(d, static_cast<Integer>(sources[block]), t.ProgBlockSizeIwu,
                                         t.ConfigVirtualStartPcu, t.ConfigVirtualEndPcu);
        if (r.Result != crAnswered) {
            const Cardinal address = boot + static_cast<Cardinal>(first) * static_cast<Cardinal>(t.PcuPerIwu);
            ReportReadFailure(Format("Unable to read device: address 0x%8.8X", {address}), Boxes);
            return false;
        }
        for (Integer k = 0; k < t.ProgBlockSizeIwu; ++k)
            Image.Buffers.SetWord(bkScratch, first + k, InPayloadLE32(d, k * t.ActiveBytesPerIwu));
    }
    return true;
}

Integer TBootloaderHost::BootStubWords() const {
    return std::min({BootStubBlocks * CurrentTarget.ProgBlockSizeIwu, Image.Buffers.WordsInUse(bkBootImage),
                     Image.Buffers.WordsInUse(bkScratch)});
}

bool TBootloaderHost::ImageReplacesBootStub() const {
    return Checked(miOptionsProgMem) && !BlankWords(bkBootImage, 0, BootStubWords());
}

void TBootloaderHost::RefuseErase(const String& Text) {
    FView.Beep();
    AbortFlag = true;
    FramedError(Text, true);
    Status("Nothing was erased: the boot stub could not be kept", true);
    FView.MessageBox(Text, mkError, mbOKOnly);
}

bool TBootloaderHost::WriteBootBlockBack(Integer ScratchWord) {
    TBusy busy(*this);
    const TDeviceTypeRec& t = CurrentTarget;
    const Cardinal address = static_cast<Cardinal>(t.BootMemVirtualStartPcu) +
                             static_cast<Cardinal>(ScratchWord) * static_cast<Cardinal>(t.PcuPerIwu);
    const String addressText = Format("0x%8.8x", {address});
    // The boot block is erased now: a lost packet must not leave it so.
    for (Integer attempt = 1; attempt <= BootRestoreTries; ++attempt) {
        if (attempt > 1)
            AddResultLine(Format("  Writing the boot block at %s again (try %d of %d)...",
                                 {addressText, attempt, BootRestoreTries}));
        if (TryBootBlockWrite(ScratchWord, address)) return true;
    }
    return AskToRetry(addressText, [&] { return TryBootBlockWrite(ScratchWord, address); });
}

bool TBootloaderHost::TryBootBlockWrite(Integer ScratchWord, Cardinal Address) {
    const TDeviceTypeRec& t = CurrentTarget;
    // A failed chunk is logged; whether the block was written is told by
    // reading it back (an answer lost after the write still counts).
    SendChunk(ScratchWord, bkScratch, true);
    auto& readBack = Image.Buffers.BootReadBackWords;
    const Integer n = t.ProgBlockSizeIwu;
    for (Integer k = 0; k < n && k < BootReadBackArrayWords; ++k)
        readBack[k] = static_cast<Integer>(BlankWord);
    TdsProg* d = FSelected;
    const TCmdOutcome r =
        ReadMemory(d, static_cast<Integer>(Address), n, t.ConfigVirtualStartPcu, t.ConfigVirtualEndPcu);
    if (r.Result != crAnswered) {
        ReportReadFailure(Format("Unable to read device: address 0x%8.8X", {Address}), 0);
        return false;
    }
    bool same = true;
    for (Integer k = 0; k < n; ++k) {
        const Cardinal word = InPayloadLE32(d, k * t.ActiveBytesPerIwu);
        if (k < BootReadBackArrayWords) readBack[k] = static_cast<Integer>(word);
        same = same && word == Image.Buffers.GetWord(bkScratch, ScratchWord + k);
    }
    return same;
}

void TBootloaderHost::ReportBootBlockEmpty() {
    FView.Beep();
    FramedError(BootBlockEmptyText, true);
    Status("The boot block is empty: keep the device powered and connected", true);
    FView.MessageBox(BootBlockEmptyText, mkError, mbOKOnly);
}

bool TBootloaderHost::RestoreBootStub() {
    const TDeviceTypeRec& t = CurrentTarget;
    // Without the device's copy of its stub the boot block is not erased:
    // nothing could be written back, and the device would not start again.
    if (!ReadBootStubCopy(0)) {
        RefuseErase(StubCopyUnreadableText);
        return false;
    }
    if (BlankWords(bkScratch, 0, t.ProgBlockSizeIwu)) {
        RefuseErase(Format(StubCopyMissingText, {BootStubCopyAddress1}));
        return false;
    }
    if (!EraseBootBlock()) return false;
    if (WriteBootBlockBack(0) && WriteBootBlockBack(t.ProgBlockSizeIwu)) return true;
    ReportBootBlockEmpty();
    return false;
}

void TBootloaderHost::Prog_EraseClick() {
    TCommand command(*this);
    if (!command.Refused()) Erase();
}

void TBootloaderHost::Prog_BlankCheckClick() {
    TCommand command(*this);
    if (!command.Refused()) BlankCheck();
}

void TBootloaderHost::Erase() {
    TBusy busy(*this);
    const TDeviceTypeRec& t = CurrentTarget;
    Hourglass(true);
    FView.SetMenuEnabled(miProgRunCode, true);
    AbortFlag = false;
    AddResultLine("");
    AddResultLine("Erasing...");
    const Cardinal boot = static_cast<Cardinal>(t.BootMemVirtualStartPcu);
    if (!RestoreBootStub()) {
        AbortFlag = true;
        ReportUnableToClear(boot);
        return;
    }
    Cardinal failedAt = boot + static_cast<Cardinal>(t.EraseBlockSizeBytes);
    if (!EraseBlocks(FSelectedIndex, failedAt, 1)) AbortFlag = true;
    if (!AbortFlag) {
        const TDeviceAddressWindow& w = Image.Buffers.AddressWindow;
        const Int64 n =
            t.EraseBlockSizePcu > 0
                ? (static_cast<Int64>(w.AppMaxEnd) - static_cast<Int64>(w.AppStart) + 1) / t.EraseBlockSizePcu
                : 0;
        if (n > 0) {
            failedAt = w.AppStart;
            if (!EraseBlocks(FSelectedIndex, w.AppStart, static_cast<Integer>(n))) AbortFlag = true;
            if (BootloaderVersion < 2) Pause(OldEraseSettleMs);
        }
    }
    if (AbortFlag) {
        ReportUnableToClear(failedAt);
        BlankCheck();
    } else {
        AddResultLine("  Done!");
    }
    Hourglass(false);
}

void TBootloaderHost::BlankCheck() {
    TBusy busy(*this);
    Hourglass(true);
    AddResultLine("");
    AddResultLine("Performing Blank Check...");
    Blank = true;
    TdsProg* d = FSelected;
    if (::BlankCheck(d).Result != crAnswered) {
        DeviceFailedToRespond();
        FramedError(UnableToCommunicate, false);
        return;
    }
    Blank = (d->InPayload->Elements[0] & 0xFF) == 0;
    if (Blank)
        AddResultLine("  Device is blank");
    else
        AddResultLine(Format("  Device is NOT blank %s First non-blank address = 0x%6.6X",
                             {"\r\n", d->InAddress->GetValue()}));
    Hourglass(false);
}
