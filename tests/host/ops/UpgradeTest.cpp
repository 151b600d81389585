// The whole upgrade against the simulated device: connect, check, erase,
// blank check, program, verify and run, and the flash afterwards.
#include "host/ops/BootCommands.h"
#include "HostFixture.h"

namespace {

constexpr Cardinal ProgPhys = 0x1D000000;
constexpr Cardinal BootPhys = 0x1FC00000;

// Program blocks 0..2, a few words of block 5, and the last block below the
// bootloader; the boot stub the device came with, and a word in the second
// boot block.
std::map<Cardinal, Cardinal> SampleImage(const std::vector<Cardinal>& Stub) {
    std::map<Cardinal, Cardinal> words;
    Cardinal x = 0x2468ACE1;
    for (Cardinal a = ProgPhys; a < ProgPhys + 3 * 512; a += 4) words[a] = x = x * 1664525 + 1013904223;
    for (Cardinal a = ProgPhys + 5 * 512 + 64; a < ProgPhys + 5 * 512 + 96; a += 4) words[a] = a;
    for (Cardinal a = 0x1D06FE00; a < 0x1D070000; a += 4) words[a] = ~a;
    for (std::size_t i = 0; i < Stub.size(); ++i) words[BootPhys + 4 * static_cast<Cardinal>(i)] = Stub[i];
    words[BootPhys + 0x1000] = 0x12345678;
    return words;
}

} // namespace

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
    EXPECT_TRUE(LinesInOrder({"Bootloader Version = 3.2.1.2  ", "Bootloader Start Address = 0x9D070000  ",
                              "Bootloader End Address = 0x9D07FFFF  ", "Connected device matches expected Device ID",
                              "Erasing...", "  Done!", "Performing Blank Check...", "  Device is blank",
                              "Programming...", "Updating program memory...", "Verifying program memory...",
                              "   ...program memory verified OK", "Updating boot memory...",
                              "Verifying boot memory...", "   ...boot memory verified OK", "  Verify PASSED",
                              "Starting new firmware..."}));
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
    for (Integer i = 0; i < 0x2000 / 4; ++i) ASSERT_EQ(boot[i], buffers.GetWord(bkBootImage, i)) << "boot word " << i;
    EXPECT_EQ(Sim->ReadWords(0xBFC00000, 4), stub);
    // The device was started and left the list.
    EXPECT_TRUE(Host->DeviceList().empty());
    EXPECT_EQ(View.ComboText, "No devices");
}
