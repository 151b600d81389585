// Verify: read program, boot and configuration memory back and compare them
// word by word with the image, block by block.
#include "host/ops/BootCommands.h"
#include "host/ops/BootloaderHost.h"
#include "host/ops/MemoryDumps.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

void TBootloaderHost::Prog_VerifyClick() {
    TCommand command(*this);
    if (command.Refused()) return;
    AddResultLine("");
    AddResultLine("Verifying...");
    Hourglass(true);
    VerifyAll = true;
    // A read failure of an earlier command must not end this one.
    ReadFailure = false;
    VerifyBootMemory();
    if (ReadFailure) return Hourglass(false);
    VerifyProgramMemory();
    if (ReadFailure) return Hourglass(false);
    if (Checked(miOptionsConfigMem)) {
        VerifyConfigMemory();
        if (ReadFailure) return Hourglass(false);
    }
    Hourglass(false);
    AddResultLine("");
    if (Checked(miOptionsProgMem)) VerifyAll = VerifyAll && BootVerified && ProgVerified;
    if (Checked(miOptionsConfigMem)) VerifyAll = VerifyAll && ConfigVerified;
    ReportVerifyVerdict();
    AddResultLine("");
}

void TBootloaderHost::ReportVerifyVerdict() {
    if (VerifyAll) {
        AddResultLine("  Verify PASSED");
        FView.SetMenuEnabled(miProgRunCode, true);
    } else {
        FView.Beep();
        AddResultLine("  Verify FAILED!");
        AbortFlag = true;
    }
}

bool TBootloaderHost::VerifyProgramMemory() {
    return VerifyRegion(false);
}

bool TBootloaderHost::VerifyBootMemory() {
    return VerifyRegion(true);
}

bool TBootloaderHost::VerifyRegion(bool Boot) {
    const TDeviceTypeRec& t = CurrentTarget;
    // The whole region is read (and reported) whatever the option says; the
    // option is restored however the verify ends.
    const bool dumpAll = Checked(miOptionsDumpAllProgMem);
    FView.SetMenuChecked(miOptionsDumpAllProgMem, true);
    struct TRestore {
        IBootloaderView& View;
        bool DumpAll;
        ~TRestore() { View.SetMenuChecked(miOptionsDumpAllProgMem, DumpAll); }
    } restore{FView, dumpAll};
    if (!Checked(miOptionsProgMem)) return true;

    const char* what = Boot ? "Verifying boot memory..." : "Verifying program memory...";
    AddResultLine(what);
    Status(what, true);
    const TDeviceAddressWindow& w = Image.Buffers.AddressWindow;
    const bool show = Checked(miTestShowProgMemDuringVerify);
    // Where the image leaves the boot stub alone the device keeps its own:
    // the comparison takes it from the device's copy.
    const bool stubKept = Boot && !ImageReplacesBootStub();
    // The comparison needs the words only: nothing shows or saves hex lines
    // of a verify, so none are written (the lines of a Read stay as read).
    const bool read =
        Boot ? (!stubKept || ReadBootStubCopy(1)) &&
                   ReadRangeToHex(bkBootImage, static_cast<Cardinal>(t.BootMemVirtualStartPcu), show,
                                  static_cast<Cardinal>(t.BootMemVirtualEndPcu), false)
             : ReadRangeToHex(bkProgImage, static_cast<Cardinal>(t.ProgMemVirtualStartPcu), show, w.AppMaxEnd,
                              false);
    if (!read) {
        FramedError(Boot ? "Unable to verify Boot Memory in device due to communication problems"
                         : "Unable to verify Program Memory in device due to communication problems",
                    true);
        return false;
    }
    Integer first = 0, end = 0;
    if (Boot) {
        end = t.ProgBlockSizeIwu > 0 ? t.EraseBlockSizeIwu * 2 / t.ProgBlockSizeIwu : 0;
    } else if (t.ProgBlockSizePcu > 0) {
        // Blocks counted in program-counter units from the start of program
        // memory, covering the application's range.
        const Int64 start = static_cast<Int64>(w.AppStart) - static_cast<Cardinal>(t.ProgMemVirtualStartPcu);
        first = static_cast<Integer>(start / t.ProgBlockSizePcu);
        end = first +
              static_cast<Integer>((static_cast<Int64>(w.AppMaxEnd) - w.AppStart + 1) / t.ProgBlockSizePcu);
    }
    const bool same = CompareBlocks(Boot, first, end, stubKept ? BootStubBlocks : 0);
    (Boot ? BootVerified : ProgVerified) = same;
    if (same) {
        AddResultLine(Boot ? "   ...boot memory verified OK" : "   ...program memory verified OK");
        Status(Boot ? "Boot memory verified OK" : "Program memory verified OK", true);
    } else {
        FView.Beep();
        AddResultLine(Boot ? "*****  BOOT MEMORY VERIFY ERROR:  *****"
                           : "*****  PROGRAM MEMORY VERIFY ERROR:  *****");
        Status(Boot ? "Boot memory verify ERROR" : "Program memory verify ERROR", true);
    }
    AddResultLine("");
    return same;
}

bool TBootloaderHost::CompareBlocks(bool Boot, Integer FirstBlock, Integer EndBlock, Integer StubBlocks) {
    const Integer blockWords = CurrentTarget.ProgBlockSizeIwu;
    const Integer readBack = Boot ? bkBootReadBack : bkProgReadBack;
    EndBlock = std::min(EndBlock, BlocksInUse(readBack));
    for (Integer b = FirstBlock; b < EndBlock; ++b) {
        // The scratch words of a saved stub lie at the boot words they are for.
        const Integer expected = b < StubBlocks ? bkScratch : Boot ? bkBootImage : bkProgImage;
        const Integer first = b * blockWords;
        const Integer* got = BufferWords(readBack, first, blockWords);
        const Integer* should = BufferWords(expected, first, blockWords);
        if (got && should && std::equal(got, got + blockWords, should)) continue;
        for (Integer k = 0; k < blockWords; ++k) {
            const Integer word = first + k;
            if (Image.Buffers.GetWord(readBack, word) != Image.Buffers.GetWord(expected, word)) {
                ReportMismatch(Boot, b, word, expected);
                return false;
            }
        }
    }
    return true;
}

void TBootloaderHost::ReportMismatch(bool Boot, Integer Block, Integer Word, Integer Expected) {
    const TDeviceTypeRec& t = CurrentTarget;
    const Integer readBack = Boot ? bkBootReadBack : bkProgReadBack;
    const Cardinal regionStart = RegionVirtualStart(readBack);
    const Cardinal pcu = static_cast<Cardinal>(t.PcuPerIwu);
    const Integer blockWord = Block * t.ProgBlockSizeIwu;
    ProgVerified = false;
    if (Boot)
        AddResultLine(Format(" Verify error in boot memory block starting at 0x%8.8X",
                             {static_cast<Cardinal>(blockWord) * pcu + regionStart}));
    else
        AddResultLine(" Verify error in programming block starting at: ");
    AddResultLine(Format("  Program word number: 0x%8.8x  Program counter address: 0x%8.8x",
                         {Word, static_cast<Cardinal>(Word) * pcu + regionStart}));
    const Cardinal should = Image.Buffers.GetWord(Expected, Word), got = Image.Buffers.GetWord(readBack, Word);
    if (Boot) {
        AddResultLine(Format("  Should be: 0x%8.8x  Read back: 0x%8.8x", {should, got}));
        AddResultLine("");
    } else {
        AddResultLine(Format("  Value should be: 0x%8.8x  Value read back: 0x%8.8x", {should, got}));
    }
    auto sink = [this](const String& Line) { AddResultLine(Line); };
    AddResultLine("Read from device");
    Rule(16);
    AddResultLine("");
    DumpBlock(Image.Buffers, readBack, blockWord, regionStart, t, sink);
    AddResultLine("Should be");
    Rule(9);
    AddResultLine("");
    DumpBlock(Image.Buffers, Expected, blockWord, regionStart, t, sink);
    AddResultLine("");
}

bool TBootloaderHost::VerifyConfigMemory() {
    const TDeviceTypeRec& t = CurrentTarget;
    AddResultLine("Verifying configuration memory...");
    Status("Verifying configuration memory...", true);
    if (!ReadRangeToHex(bkConfigImage, static_cast<Cardinal>(t.ConfigVirtualStartPcu), false,
                        static_cast<Cardinal>(t.ConfigVirtualEndPcu), false)) {
        FramedError("Unable to verify Configuration Memory in device due to communication problems", true);
        return false;
    }
    ConfigVerified = true;
    for (Integer i = 0; i < t.ConfigCount && ConfigVerified; ++i) {
        const Cardinal should = Image.Buffers.GetWord(bkConfigImage, i);
        const Cardinal got = Image.Buffers.GetWord(bkConfigReadBack, i);
        if (should == got) continue;
        ConfigVerified = false;
        FView.Beep();
        AddResultLine("*****  CONFIGURATION MEMORY VERIFY ERROR:  *****");
        AddResultLine(Format("  Configuration word number: 0x%8.8x  Address: 0x%8.8x",
                             {i, static_cast<Cardinal>(t.ConfigVirtualStartPcu) +
                                     static_cast<Cardinal>(i) * static_cast<Cardinal>(t.PcuPerIwu)}));
        AddResultLine(Format("  Should be: 0x%8.8x  Read back: 0x%8.8x", {should, got}));
        Status("Configuration memory verify ERROR", true);
    }
    if (ConfigVerified) {
        AddResultLine("   ...configuration memory verified OK");
        Status("Configuration memory verified OK", true);
    }
    AddResultLine("");
    return ConfigVerified;
}
