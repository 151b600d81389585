// The whole upgrade against the simulated device: connect, check, erase,
// blank check, program, verify and run, and the flash afterwards.
#include "host/image/FirmwareFile.h"
#include "host/ops/BootCommands.h"
#include "HostFixture.h"


class UpgradeTest : public HostFixture {};

TEST_F(UpgradeTest, MainRoadProgramsVerifiesAndStartsTheImage) {
    const std::vector<Cardinal> stub = Sim->ReadWords(0xBFC00000, 4);
    Connect();
    EXPECT_EQ(Host->DeviceList().size(), 1u);
    EXPECT_EQ(View.ComboItems, std::vector<String>{"127.0.0.1"});
    EXPECT_TRUE(View.DeviceControlsEnabled);
    LoadImage(SampleImage(stub));
    View.Lines.clear();
    Sim->ClearLog();

    Host->Prog_BlockProgramClick();

    EXPECT_TRUE(View.Boxes.empty()) << View.Boxes.front().Text;
    EXPECT_TRUE(LinesInOrder(
        {"Bootloader Version = 3.2.1.2  ", "Bootloader Start Address = 0x9D070000  ",
         "Bootloader End Address = 0x9D07FFFF  ", "Connected device matches expected Device ID", "Erasing...",
         "  Done!", "Performing Blank Check...", "  Device is blank", "Programming...",
         "Updating program memory...", "Verifying program memory...", "   ...program memory verified OK",
         "Updating boot memory...", "Verifying boot memory...", "   ...boot memory verified OK",
         "  Verify PASSED", "Starting new firmware..."}));
    EXPECT_EQ(View.StatusText, "Upgrade successfully completed! You can exit now.");
    EXPECT_TRUE(Sim->WaitForRequests(cmdRunApplication, 1, 5000));
    EXPECT_EQ(Sim->RunCount(), 1u);

    // Blank blocks were skipped: 3 + 1 + 1 program blocks, 2 boot blocks,
    // and the two blocks of the boot restore.
    EXPECT_EQ(Sim->RequestCount(cmdProgramLastChunk), 9u);
    EXPECT_EQ(Sim->RequestCount(cmdProgramChunk), 0u);

    // The flash holds the image, below the bootloader and in the boot blocks.
    const auto& buffers = Host->Image.Buffers;
    const auto prog = Sim->ReadWords(0x9D000000, 0x70000 / 4);
    for (Integer i = 0; i < 0x70000 / 4; ++i)
        ASSERT_EQ(prog[i], buffers.GetWord(bkProgImage, i)) << "program word " << i;
    const auto boot = Sim->ReadWords(0xBFC00000, 0x2000 / 4);
    for (Integer i = 0; i < 0x2000 / 4; ++i)
        ASSERT_EQ(boot[i], buffers.GetWord(bkBootImage, i)) << "boot word " << i;
    EXPECT_EQ(Sim->ReadWords(0xBFC00000, 4), stub);
    // The device was started and left the list.
    EXPECT_TRUE(Host->DeviceList().empty());
    EXPECT_EQ(View.ComboText, "No devices");
}

TEST_F(UpgradeTest, AVerifyMismatchFailsEveryAttemptAndNothingIsStarted) {
    const std::vector<Cardinal> stub = Sim->ReadWords(0xBFC00000, 4);
    Connect();
    LoadImage(SampleImage(stub));
    // Each time program memory has been written, the last word of block 1
    // changes behind the host's back.
    View.OnStatus = [this](const String& s) {
        if (s == "Pausing after program memory update...") Sim->WriteWord(0x9D0003FC, 0x0BADF00D);
    };
    const Cardinal should = Host->Image.Buffers.GetWord(bkProgImage, 255);

    Host->Prog_BlockProgramClick();

    EXPECT_EQ(View.CountLines("*****  PROGRAM MEMORY VERIFY ERROR:  *****"), 3);
    EXPECT_EQ(View.CountLines("  Verify FAILED!"), 3);
    EXPECT_TRUE(LinesInOrder({" Verify error in programming block starting at: ",
                              "  Program word number: 0x000000ff  Program counter address: 0x9d0003fc",
                              Format("  Value should be: 0x%8.8x  Value read back: 0x0badf00d", {should}),
                              "Read from device", String(16, '='), ""}));
    EXPECT_FALSE(View.HasLine("Starting new firmware..."));
    EXPECT_EQ(Sim->RequestCount(cmdRunApplication), 0u);
    EXPECT_EQ(View.StatusText, "An error occurred during programming!");
    ASSERT_EQ(View.Boxes.size(), 1u);
    EXPECT_EQ(View.Boxes[0].Text, "An error occurred during programming!");
    EXPECT_EQ(View.Boxes[0].Kind, mkError);
    EXPECT_EQ(Host->DeviceList().size(), 1u);
}

TEST_F(UpgradeTest, AMismatchOnTheFirstAttemptOnlyIsProgrammedAgain) {
    const std::vector<Cardinal> stub = Sim->ReadWords(0xBFC00000, 4);
    Connect();
    LoadImage(SampleImage(stub));
    bool corrupted = false;
    View.OnStatus = [&](const String& s) {
        if (s == "Pausing after program memory update..." && !corrupted) {
            corrupted = true;
            Sim->WriteWord(0x9D000000, 0);
        }
    };
    Host->Prog_BlockProgramClick();
    EXPECT_EQ(View.CountLines("  Verify FAILED!"), 1);
    EXPECT_EQ(View.CountLines("  Verify PASSED"), 1);
    EXPECT_TRUE(View.Boxes.empty());
    EXPECT_TRUE(Sim->WaitForRequests(cmdRunApplication, 1, 5000));
}

TEST_F(UpgradeTest, AFailedBlockIsRetriedWhenTheUserSaysYes) {
    Connect();
    LoadImage(SampleImage(Sim->ReadWords(0xBFC00000, 4)));
    Sim->AddFault("failblock:0x9D000200:1");
    View.Answers = {maYes};
    Host->Prog_BlockProgramClick();
    const String text =
        "An error occurred when programming the block at address 0x000200. \r\n Would you like to retry?";
    ASSERT_FALSE(View.Boxes.empty());
    EXPECT_EQ(View.Boxes[0].Text, text);
    EXPECT_EQ(View.Boxes[0].Buttons, mbYesNo);
    EXPECT_TRUE(LinesInOrder({"+ + + Target 0 failed to program segment at 0x9D000200! + + +", text,
                              "Retry succeeded.", "  Verify PASSED"}));
    EXPECT_EQ(View.Boxes.size(), 1u);
    EXPECT_TRUE(Sim->WaitForRequests(cmdRunApplication, 1, 5000));
}

TEST_F(UpgradeTest, ADeclinedRetryEndsProgrammingWithTheInvestigateBoxAndTidiesUp) {
    Connect();
    LoadImage(SampleImage(Sim->ReadWords(0xBFC00000, 4)));
    // A failed program block, a lost answer in program memory (the restored
    // boot stub takes the first two), a failed boot block.
    for (const char* fault : {"failblock:0x9D000200:1", "noanswer:0x0B:4", "failblock:0xBFC01000:1"}) {
        SCOPED_TRACE(fault);
        View.Lines.clear();
        View.Boxes.clear();
        View.ProgressShown = View.Hourglass = false;
        Sim->ClearLog();
        Sim->AddFault(fault);
        bool progressAtPrompt = false;
        View.OnBox = [&](const TRecordedBox& Box) {
            if (Box.Buttons == mbYesNo) progressAtPrompt = View.ProgressShown;
        };
        View.Answers = {maNo};
        Host->Prog_BlockProgramClick();
        View.OnBox = nullptr;
        EXPECT_TRUE(
            LinesInOrder({"Retry declined.", "", "Error -- A problem occurred when programming device."}));
        ASSERT_EQ(View.Boxes.size(), 2u);
        EXPECT_EQ(View.Boxes[1].Text, "Unable to program your device.  Please investigate and try again.");
        EXPECT_EQ(View.Boxes[1].Kind, mkInformation);
        // One attempt only, and the code that did not program is not started.
        EXPECT_EQ(View.CountLines("Erasing..."), 1);
        EXPECT_EQ(Sim->RequestCount(cmdRunApplication), 0u);
        // The progress window was up at the prompt and is gone; the cursor is back.
        EXPECT_TRUE(progressAtPrompt);
        EXPECT_FALSE(View.ProgressShown);
        EXPECT_FALSE(View.Hourglass);
        Sim->ClearFaults();
    }
}

TEST_F(UpgradeTest, ChunksNeverTouchTheBootloaderButMayEndRightBelowIt) {
    Connect();
    ASSERT_TRUE(Host->Prog_GetBLVersionClick());
    Sim->ClearLog();
    // The last chunk below the bootloader (0x9D06FE00..0x9D06FFFF) goes out.
    EXPECT_TRUE(Host->SendProgramChunkAndWait(0x6FE00 / 4, 0, bkProgImage, ChunkBytes));
    // One word further its last unit lies in the bootloader: refused, and
    // nothing is sent.
    EXPECT_FALSE(Host->SendProgramChunkAndWait(0x6FE04 / 4, 0, bkProgImage, ChunkBytes));
    EXPECT_EQ(View.Lines.back(),
              "+ + + Error: Unable to write 512 bytes at address 2634481156 without overwriting bootloader!");
    EXPECT_FALSE(Host->SendProgramChunk(0x70000 / 4, 0, bkProgImage, ChunkBytes));
    EXPECT_EQ(Sim->RequestCount(), 1u);
}

TEST_F(UpgradeTest, BlocksOf129WordsGoOutAsTwoChunks) {
    Connect();
    ASSERT_TRUE(Host->Prog_GetBLVersionClick());
    Host->CurrentTarget.ProgBlockSizeIwu = 129;
    Host->CurrentTarget.ProgBlockSizePcu = 516;
    for (Integer i = 0; i < 129; ++i)
        Host->Image.Buffers.SetWord(bkProgImage, i, static_cast<Cardinal>(i));
    Sim->ClearLog();
    Host->ProgramBlockWithRetry(0);
    EXPECT_FALSE(Host->AbortFlag);
    const auto log = Sim->RequestLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].Command, cmdProgramChunk);
    EXPECT_EQ(log[0].Address, 0x9D000000u);
    EXPECT_EQ(log[1].Command, cmdProgramLastChunk);
    EXPECT_EQ(log[1].Address, 0x9D000200u);
    EXPECT_EQ(Sim->ReadWord(0x9D000200), 128u);
}

TEST_F(UpgradeTest, ProgressGoesUpBlockByBlockAndReadsShowTheShareOfTheRegion) {
    Connect();
    LoadImage(SampleImage(Sim->ReadWords(0xBFC00000, 4)));
    std::vector<std::pair<String, std::vector<Integer>>> phases;
    View.OnStatus = [&](const String& s) {
        if (s == "Updating program memory..." || s == "Verifying program memory...")
            phases.push_back({s, {}}), View.Progress.clear();
        else if (!phases.empty() && phases.back().second.empty())
            phases.back().second = View.Progress;
    };
    Host->Prog_BlockProgramClick();
    ASSERT_GE(phases.size(), 2u);
    for (const auto& [what, progress] : phases) {
        ASSERT_FALSE(progress.empty()) << what;
        EXPECT_EQ(progress.front(), 0) << what;
        EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end())) << what;
        EXPECT_EQ(progress.back(), 99) << what;
    }
}

TEST_F(UpgradeTest, AnImageAboveTheBootloaderIsRefusedBeforeAnythingHappens) {
    Connect();
    ASSERT_TRUE(Host->Prog_GetBLVersionClick());
    Host->Image.Lines.SetText(HexText({{0x1D06FFFC, 1}}));
    ASSERT_TRUE(Host->Image.ImageLoaded(Host->CurrentTarget)); // ends exactly at the bootloader: fits
    EXPECT_TRUE(View.Boxes.empty());
    View.Lines.clear();
    Host->Image.Lines.SetText(HexText({{0x1D070000, 1}}));
    Host->Image.ImageLoaded(Host->CurrentTarget);
    const String text = "Sorry, your firmware will not fit!  Details follow:\r\n  Virtual addresses: \r\n"
                        "    Highest virtual address of your program = 9D070004\r\n"
                        "    Bottom of bootloader = 9D070000\r\n\r\n  Physical addresses: \r\n"
                        "    Highest physical address of your program = 1D070004\r\n"
                        "    Bottom of bootloader = 1D070000\r\n";
    ASSERT_EQ(View.Boxes.size(), 1u);
    EXPECT_EQ(View.Boxes[0].Text, text);
    EXPECT_TRUE(LinesInOrder({"", String(55, '='), text, String(55, '='), ""}));
    Sim->ClearLog();
    Host->Prog_BlockProgramClick();
    EXPECT_EQ(Sim->RequestCount(), 0u);
    EXPECT_EQ(View.Boxes.size(), 2u);
}

TEST_F(UpgradeTest, RequestsThatCannotBeSentAreReportedAndNothingIsClaimed) {
    Connect();
    ASSERT_TRUE(Host->Prog_GetBLVersionClick());
    View.Lines.clear();
    Host->SelectedDevice()->PeerPort = 0; // the system sends nothing there
    EXPECT_FALSE(Host->SendProgramChunk(0, 0, bkProgImage, ChunkBytes));
    EXPECT_FALSE(Host->SendProgramChunkAndWait(0, 0, bkProgImage, ChunkBytes));
    EXPECT_FALSE(Host->EraseBlocks(0, 0x9D000000, 1));
    EXPECT_EQ(View.Lines, (std::vector<String>{"+ + + Unable to send to target0! + + +",
                                               "+ + + Unable to send to target 0! + + +",
                                               "+ + + Unable to send to device! + + +"}));
    Host->Prog_RunCodeClick();
    EXPECT_EQ(View.Lines.back(), "   Communication problem: Unable to start new code...");
    EXPECT_EQ(Host->DeviceList().size(), 1u);
    EXPECT_NE(View.StatusText, "Upgrade successfully completed! You can exit now.");
}

TEST_F(UpgradeTest, AVerifyThatCannotReadIsNoPass) {
    Connect();
    ASSERT_TRUE(Host->Prog_GetBLVersionClick());
    Host->ProgVerified = true; // from an earlier verify
    Sim->AddFault("noanswer:0x01:2");
    EXPECT_FALSE(Host->VerifyProgramMemory());
    EXPECT_TRUE(LinesInOrder({"Unable to verify Program Memory in device due to communication problems"}));
}

TEST_F(UpgradeTest, ABootBlockThatCannotBeErasedBeforeItIsWrittenEndsProgramming) {
    Connect();
    LoadImage(SampleImage(Sim->ReadWords(0xBFC00000, 4)));
    ShortenPolledErases();
    Sim->AddFault("noanswer:0x03:4");
    Host->Prog_BlockProgramClick();
    EXPECT_TRUE(LinesInOrder({"   ...program memory verified OK", "+ + + Unable to erase target0! + + +", "",
                              "Error -- A problem occurred when erasing device."}));
    EXPECT_FALSE(View.HasLine("Updating boot memory..."));
    ASSERT_FALSE(View.Boxes.empty());
    EXPECT_EQ(View.Boxes.back().Text, "Unable to program your device.  Please investigate and try again.");
    EXPECT_EQ(Sim->RequestCount(cmdRunApplication), 0u);
}

TEST_F(UpgradeTest, BlocksLargerThanTheReadBackArrayStayInBounds) {
    Connect();
    ASSERT_TRUE(Host->Prog_GetBLVersionClick());
    Host->CurrentTarget.ProgBlockSizeIwu = 256;
    Host->CurrentTarget.ProgBlockSizePcu = 1024;
    // A device answers at most 128 words; the rest of each block reads as 0.
    Host->Prog_EraseClick();
    EXPECT_TRUE(LinesInOrder({"Erasing...", "  Done!"}));
}

// Whatever the image and the options, the device is left with a boot stub
// to start from: the one it keeps a copy of where the image has no data of
// its own there, the image's otherwise; and the loaded image is unchanged.
TEST_F(UpgradeTest, EveryUpgradeLeavesABootStubTheDeviceStartsFrom) {
    const std::vector<Cardinal> sampleStub{0x3C1A9D07, 0x375A0000, 0x03400008, 0};
    const struct {
        const char* Name;
        bool Sample;        // the shipped sample, else an application image (program flash only)
        bool ProgMem;       // "Program memory" checked
        bool OwnStub;       // the device ends with the image's stub, else with its own
        Cardinal Erases;    // erase requests: the erase's three, and one more for the image's stub
    } cases[] = {
        {"application image", false, true, false, 3},
        {"sample, Program memory unchecked", true, false, false, 3},
        {"sample as shipped", true, true, true, 4},
    };
    const String sample = String(std::getenv("QUENTA_BINARY_DIR")) + "/dist/Sample.pfw";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Connect();
        // The device's own stub, as it keeps a copy of it.
        const std::vector<Cardinal> ownStub = Sim->ReadWords(0x9D07EC00, 256);
        if (c.Sample) {
            ASSERT_TRUE(LoadFirmwareFile(Host->Image, sample, XxteaKeyFromString(FirmwareKeyString),
                                         Host->CurrentTarget));
        } else {
            auto words = SampleImage({});
            for (auto it = words.begin(); it != words.end();)
                it = it->first >= BootPhys ? words.erase(it) : std::next(it);
            LoadImage(words);
        }
        View.Checked[miOptionsProgMem] = c.ProgMem;
        // The boot flash is wiped before: what it holds afterwards was written.
        for (Cardinal i = 0; i < 256; ++i) Sim->WriteWord(0xBFC00000 + 4 * i, 0xFFFFFFFF);
        const String lines = Host->Image.Lines.Text();
        const auto prog = Host->Image.Buffers.ProgImage, boot = Host->Image.Buffers.BootImage;
        View.Lines.clear();
        View.Boxes.clear();
        Sim->ClearLog();

        Host->Prog_BlockProgramClick();

        EXPECT_TRUE(View.Boxes.empty()) << View.Boxes.front().Text;
        EXPECT_EQ(View.StatusText, "Upgrade successfully completed! You can exit now.");
        EXPECT_TRUE(LinesInOrder({"  Verify PASSED", "Starting new firmware..."}));
        EXPECT_EQ(View.CountLines("   ...boot memory verified OK"), c.ProgMem ? 1 : 0);
        EXPECT_EQ(Sim->RequestCount(cmdEraseBlocks), c.Erases);
        // The restore's two blocks, and with "Program memory" every block of
        // the image that holds data (boot memory: its first two erase blocks).
        auto blocksWithData = [this](Integer Kind, Integer Blocks) {
            Cardinal n = 0;
            for (Integer b = 0; b < Blocks; ++b)
                for (Integer k = 0; k < 128; ++k)
                    if (Host->Image.Buffers.GetWord(Kind, 128 * b + k) != BlankWord) {
                        ++n;
                        break;
                    }
            return n;
        };
        const Cardinal written =
            2 + (c.ProgMem ? blocksWithData(bkProgImage, 0x80000 / 512) + blocksWithData(bkBootImage, 16) : 0);
        EXPECT_EQ(Sim->RequestCount(cmdProgramLastChunk), written);
        const auto stub = Sim->ReadWords(0xBFC00000, 256);
        if (c.OwnStub)
            EXPECT_EQ(std::vector<Cardinal>(stub.begin(), stub.begin() + 4), sampleStub);
        else
            EXPECT_EQ(stub, ownStub);
        // The application area holds the image where it was written, and is
        // erased where it was not.
        const auto flash = Sim->ReadWords(0x9D000000, 0x70000 / 4);
        for (Integer i = 0; i < 0x70000 / 4; ++i)
            ASSERT_EQ(flash[i], c.ProgMem ? Host->Image.Buffers.GetWord(bkProgImage, i) : BlankWord) << i;
        EXPECT_EQ(Host->Image.Lines.Text(), lines);
        EXPECT_EQ(Host->Image.Buffers.ProgImage, prog);
        EXPECT_EQ(Host->Image.Buffers.BootImage, boot);
    }
}

// Buffers sized for a smaller part at start, the larger part chosen later:
// nothing beyond the words in use is programmed, compared or read into.
TEST_F(UpgradeTest, AfterALargerPartIsChosenNothingBeyondTheWordsInUseIsTouched) {
    TDeviceTypeRec small = Host->CurrentTarget;
    small.ProgMemSizePcu = 0x40000;
    small.ProgMemSizeIwu = 0x10000;
    Host->Image.Buffers.Allocate(small);
    Connect();
    auto words = SampleImage(Sim->ReadWords(0xBFC00000, 4));
    for (auto it = words.begin(); it != words.end();)
        it = it->first >= ProgPhys + 0x40000 && it->first < BootPhys ? words.erase(it) : std::next(it);
    LoadImage(words);
    Sim->ClearLog();

    Host->Prog_BlockProgramClick();
    EXPECT_EQ(View.StatusText, "Upgrade successfully completed! You can exit now.");
    for (const auto& e : Sim->RequestLog())
        if (e.Command == cmdProgramLastChunk && e.Address < 0xBFC00000)
            EXPECT_LT(e.Address, 0x9D000000u + 0x40000) << e.Text();
    const auto flash = Sim->ReadWords(0x9D040000, 0x30000 / 4);
    EXPECT_EQ(std::count(flash.begin(), flash.end(), BlankWord), 0x30000 / 4);

    Connect();
    Host->Prog_ReadClick();
    for (const TDynamicIntArray* b : {&Host->Image.Buffers.ProgImage, &Host->Image.Buffers.ProgReadBack}) {
        ASSERT_EQ(b->size(), 0x10000u + SpareWords);
        for (std::size_t i = 0x10000; i < b->size(); ++i)
            EXPECT_EQ((*b)[i], 0) << "spare word " << i - 0x10000;
    }
}
