// The operations against a device that fills only the answer fields the
// host's command table names: every other answer field and payload byte is
// random, so anything the host reads beyond them shows.
#include "host/ops/BootCommands.h"
#include "HostFixture.h"

class SparseAnswersTest : public HostFixture {
protected:
    void ConfigureDevice(TDevSimOptions& o) override { o.Faults.push_back(devsim::ParseSimFault("noise:*")); }
};

TEST_F(SparseAnswersTest, AnUpgradeProgramsVerifiesAndStartsTheImage) {
    const std::vector<Cardinal> stub = Sim->ReadWords(0xBFC00000, 4);
    Connect();
    LoadImage(SampleImage(stub));
    View.Lines.clear();

    Host->Prog_BlockProgramClick();

    EXPECT_TRUE(View.Boxes.empty()) << View.Boxes.front().Text;
    EXPECT_TRUE(LinesInOrder({"Connected device matches expected Device ID", "Erasing...", "  Done!",
                              "  Device is blank", "   ...program memory verified OK",
                              "   ...boot memory verified OK", "  Verify PASSED", "Starting new firmware..."}));
    EXPECT_EQ(View.StatusText, "Upgrade successfully completed! You can exit now.");
    const auto& buffers = Host->Image.Buffers;
    const auto prog = Sim->ReadWords(0x9D000000, 0x70000 / 4);
    for (Integer i = 0; i < 0x70000 / 4; ++i)
        ASSERT_EQ(prog[i], buffers.GetWord(bkProgImage, i)) << "program word " << i;
    EXPECT_EQ(Sim->ReadWords(0xBFC00000, 4), stub);
}

TEST_F(SparseAnswersTest, ReadGivesHexLinesThatLoadBackAsTheDevice) {
    Connect();
    ASSERT_TRUE(Host->Prog_GetBLVersionClick());
    for (Cardinal a = 0; a < 0x600; a += 4)
        Sim->WriteWord(0x9D000000 + a, 0xA5000000 | a);

    Host->Prog_ReadClick();

    ASSERT_FALSE(Host->ReadFailure);
    const TStringList& lines = Host->Image.ReadBackLines;
    ASSERT_TRUE(ValidateHexLines(lines));
    TMemoryBuffers copy;
    copy.Allocate(Host->CurrentTarget);
    LoadBuffersFromHex(lines, Host->CurrentTarget, copy, [](const String&) {});
    for (Cardinal i = 0; i < 0x70000 / 4; ++i)
        ASSERT_EQ(copy.GetWord(bkProgImage, i), Sim->ReadWord(0x9D000000 + 4 * i)) << i;
    for (Cardinal i = 0; i < 0x3000 / 4; ++i)
        ASSERT_EQ(copy.GetWord(bkBootImage, i), Sim->ReadWord(0xBFC00000 + 4 * i)) << i;
}

TEST_F(SparseAnswersTest, EraseBlankCheckAndIpSettingsReadOnlyTheirFields) {
    Connect();
    ASSERT_TRUE(Host->Prog_GetBLVersionClick());
    const auto stub = Sim->ReadWords(0xBFC00000, 256);
    Sim->WriteWord(0x9D000400, 0);
    View.Lines.clear();

    Host->Prog_EraseClick();
    EXPECT_EQ(View.Lines, (std::vector<String>{"", "Erasing...", "  Done!"}));
    EXPECT_EQ(Sim->ReadWords(0xBFC00000, 256), stub); // the boot stub was saved and written back
    EXPECT_EQ(Sim->ReadWord(0x9D000400), 0xFFFFFFFFu);

    // Blank, the answer's InAddress is random and not shown; not blank, it
    // names the first used word.
    Host->Prog_BlankCheckClick();
    EXPECT_EQ(View.Lines.back(), "  Device is blank");
    Sim->WriteWord(0x9D000800, 0);
    Host->Prog_BlankCheckClick();
    EXPECT_EQ(View.Lines.back(), "  Device is NOT blank \r\n First non-blank address = 0x1D000800");
    EXPECT_FALSE(Host->Blank);

    devsim::TSimIpSettings s;
    s.Address = 0xC0A80A07; // 192.168.10.7
    s.Dns = 0x08080404;     // 8.8.4.4
    s.Mask = 0xFFFFFFF0;    // 255.255.255.240
    s.Dhcp = false;
    Sim->SetIpSettings(s);
    View.Lines.clear();
    Host->Test_ReadIPClick();
    EXPECT_TRUE(LinesInOrder({"  Bootloader (Main App) IP address = 192.168.10.7",
                              "  Bootloader (Main App) DNS address = 8.8.4.4",
                              "  Bootloader (Main App) address mask = 255.255.255.240",
                              " Bootloader should NOT use DHCP"}));
    EXPECT_FALSE(Host->CommFailure);
    EXPECT_TRUE(View.Boxes.empty());
}
