// Reading device memory into hex lines and buffers, and the verify command.
#include "host/ops/BootCommands.h"
#include "HostFixture.h"

namespace {
constexpr Cardinal App = 0x9D000000;
}

class ReadVerifyTest : public HostFixture {
protected:
    // The device and the image hold the same words: the stub the device
    // came with, three program blocks and a word after a gap.
    void ConnectWithMatchingImage() {
        Connect();
        ASSERT_TRUE(Host->Prog_GetBLVersionClick());
        std::map<Cardinal, Cardinal> words;
        for (Cardinal a = 0; a < 0x600; a += 4) {
            words[0x1D000000 + a] = 0xA5000000 | a;
            Sim->WriteWord(App + a, 0xA5000000 | a);
        }
        words[0x1D000700] = 0xA5000700;
        Sim->WriteWord(App + 0x700, 0xA5000700);
        for (Cardinal i = 0; i < 4; ++i)
            words[0x1FC00000 + 4 * i] = Sim->ReadWord(0xBFC00000 + 4 * i);
        LoadImage(words);
        View.Lines.clear();
        View.Boxes.clear();
        Sim->ClearLog();
    }
};

TEST_F(ReadVerifyTest, ReadWritesHexLinesThatLoadBackAsTheDevice) {
    ConnectWithMatchingImage();
    Host->Prog_ReadClick();
    const TStringList& lines = Host->Image.ReadBackLines;
    ASSERT_GT(lines.Count(), 3);
    EXPECT_EQ(lines[0], ":020000040000FA");
    EXPECT_EQ(lines[1], ":020000041FC01b");
    EXPECT_EQ(lines[lines.Count() - 1], ":00000001FF");
    EXPECT_TRUE(ValidateHexLines(lines));
    TMemoryBuffers copy;
    copy.Allocate(Host->CurrentTarget);
    LoadBuffersFromHex(lines, Host->CurrentTarget, copy, [](const String&) {});
    for (Cardinal i = 0; i < 0x70000 / 4; ++i)
        ASSERT_EQ(copy.GetWord(bkProgImage, i), Sim->ReadWord(App + 4 * i)) << i;
    for (Cardinal i = 0; i < 0x2FF0 / 4; ++i)
        ASSERT_EQ(copy.GetWord(bkBootImage, i), Sim->ReadWord(0xBFC00000 + 4 * i)) << i;
    // The configuration words lie at the top of boot memory.
    for (Cardinal i = 0; i < 4; ++i)
        EXPECT_EQ(copy.GetWord(bkBootImage, 0x2FF0 / 4 + i), Sim->ReadWord(0xBFC02FF0 + 4 * i));
    EXPECT_TRUE(LinesInOrder({"Reading memory from device...", "", "", "Configuration memory:", "",
                              "Reading PART OF PIC32 boot memory up to Physical address : 0x1fc02fff",
                              "           Virtual address : 0xbfc02fff", "PIC32 Boot memory:",
                              "Reading PART OF PIC32 Program, memory up to Physical address : 0x1d000704",
                              "           Virtual address : 0x9d000704", "PIC32 Program memory:"}));
    EXPECT_EQ(View.RomMemoClears, 1);
    EXPECT_FALSE(View.Hourglass);
}

TEST_F(ReadVerifyTest, AReadFailureInTheMiddleOfARegionEndsTheRead) {
    ConnectWithMatchingImage();
    // The config read, the boot region's 24 blocks, then program blocks.
    Sim->AddFault("noanswer:0x01:" + IntToStr(1 + 24 + 5));
    Host->Prog_ReadClick();
    const String text = "Unable to read device: address 0x9D000800";
    EXPECT_TRUE(LinesInOrder({"", String(88, '='), "+ + + Unable to read target0! + + +", String(88, '='), "",
                              "", String(88, '='), text, "", String(88, '='), "", "", String(88, '='),
                              "Unable to read Program Memory in device due to communication problems", "",
                              String(88, '='), ""}));
    ASSERT_EQ(View.Boxes.size(), 1u);
    EXPECT_EQ(View.Boxes[0].Text, text);
    EXPECT_TRUE(Host->ReadFailure);
    EXPECT_NE(Host->Image.ReadBackLines[Host->Image.ReadBackLines.Count() - 1], ":00000001FF");
    EXPECT_FALSE(View.ProgressShown);
    EXPECT_FALSE(View.Hourglass);
}

TEST_F(ReadVerifyTest, VerifyPassesAndAMismatchInTheLastWordOfABlockIsNamed) {
    ConnectWithMatchingImage();
    Host->Prog_VerifyClick();
    EXPECT_TRUE(LinesInOrder({"Verifying...", "Verifying boot memory...", "   ...boot memory verified OK",
                              "Verifying program memory...", "   ...program memory verified OK", "",
                              "  Verify PASSED", ""}));
    EXPECT_TRUE(View.Enabled[miProgRunCode]);
    EXPECT_FALSE(View.Checked[miOptionsDumpAllProgMem]);

    Sim->WriteWord(App + 0x3FC, 0x11111111);
    View.Lines.clear();
    Host->Prog_VerifyClick();
    EXPECT_TRUE(LinesInOrder(
        {" Verify error in programming block starting at: ",
         "  Program word number: 0x000000ff  Program counter address: 0x9d0003fc",
         "  Value should be: 0xa50003fc  Value read back: 0x11111111", "Read from device", String(16, '='),
         "", "", "Prog Ctr              (32-bit)    ", "Byte Addr        Instruction Words",
         "=========        =================", "", "0x9D000200:  A5000200 A5000204 A5000208 A500020C",
         "Should be", String(9, '='), "*****  PROGRAM MEMORY VERIFY ERROR:  *****", "  Verify FAILED!"}));
    EXPECT_TRUE(View.HasLine("0x9D0003F0:  A50003F0 A50003F4 A50003F8 11111111"));
    EXPECT_TRUE(View.HasLine("0x9D0003F0:  A50003F0 A50003F4 A50003F8 A50003FC"));
    EXPECT_EQ(View.StatusText, "Program memory verify ERROR");
    EXPECT_TRUE(Host->AbortFlag);
}

TEST_F(ReadVerifyTest, ABootMismatchFailsTheVerifyEvenWhenProgramMemoryMatches) {
    ConnectWithMatchingImage();
    Sim->WriteWord(0xBFC001FC, 0);
    Host->Prog_VerifyClick();
    EXPECT_TRUE(LinesInOrder({" Verify error in boot memory block starting at 0xBFC00000",
                              "  Program word number: 0x0000007f  Program counter address: 0xbfc001fc",
                              "  Should be: 0xffffffff  Read back: 0x00000000", "", "Read from device"}));
    // The block dump counts from the boot region.
    EXPECT_TRUE(View.HasLine("0xBFC001F0:  FFFFFFFF FFFFFFFF FFFFFFFF 00000000"));
    EXPECT_TRUE(LinesInOrder({"   ...program memory verified OK", "  Verify FAILED!"}));
    EXPECT_FALSE(Host->BootVerified);
}

TEST_F(ReadVerifyTest, WithoutProgramMemoryNothingIsReadAndConfigurationDecides) {
    ConnectWithMatchingImage();
    View.Checked[miOptionsProgMem] = false;
    // A read that failed earlier does not end this verify.
    Host->ReadFailure = true;
    Host->Prog_VerifyClick();
    EXPECT_EQ(Sim->RequestCount(), 0u);
    EXPECT_TRUE(View.HasLine("  Verify PASSED"));

    // The configuration words are read and compared when asked for: the
    // image holds none, the device has its own.
    View.Checked[miOptionsConfigMem] = true;
    View.Lines.clear();
    Host->Prog_VerifyClick();
    EXPECT_EQ(Sim->RequestCount(cmdReadMemory), 1u);
    EXPECT_TRUE(
        LinesInOrder({"Verifying configuration memory...", "*****  CONFIGURATION MEMORY VERIFY ERROR:  *****",
                      "  Configuration word number: 0x00000000  Address: 0xbfc02ff0",
                      Format("  Should be: 0xffffffff  Read back: 0x%8.8x", {Sim->ReadWord(0xBFC02FF0)}),
                      "  Verify FAILED!"}));

    // An image with the device's configuration words passes.
    for (Integer i = 0; i < 4; ++i)
        Host->Image.Buffers.SetWord(bkConfigImage, i,
                                    Sim->ReadWord(0xBFC02FF0 + 4 * static_cast<Cardinal>(i)));
    View.Lines.clear();
    Host->Prog_VerifyClick();
    EXPECT_TRUE(LinesInOrder({"   ...configuration memory verified OK", "  Verify PASSED"}));
}

TEST_F(ReadVerifyTest, ManufacturingImageReadsEverythingAndRestoresTheOptions) {
    ConnectWithMatchingImage();
    View.Checked[miOptionsProgMem] = false;
    View.Checked[miOptionsDumpAllProgMem] = false;
    Integer linesAtSave = 0;
    View.OnSaveHex = [&] { linesAtSave = Host->Image.ReadBackLines.Count(); };
    Host->Prod_MakeProductImageClick();
    EXPECT_EQ(View.SaveHexCalls, 1);
    EXPECT_GT(linesAtSave, 100);
    EXPECT_EQ(Host->Image.ReadBackLines.Count(), 0);
    EXPECT_FALSE(View.Checked[miOptionsProgMem]);
    EXPECT_FALSE(View.Checked[miOptionsDumpAllProgMem]);
    // The whole of program memory, the bootloader included, was read.
    EXPECT_EQ(Sim->RequestCount(cmdReadMemory), 1u + 24u + 1024u);
    EXPECT_TRUE(View.HasLine("Reading ALL PIC32 Program memory:"));

    Sim->AddFault("noanswer:0x01:3");
    View.SaveHexCalls = 0;
    Host->Prod_MakeProductImageClick();
    EXPECT_EQ(View.SaveHexCalls, 0);
    EXPECT_TRUE(
        LinesInOrder({String(88, '='), "Unable to read Boot Memory in device due to communication problems",
                      "", String(88, '='), ""}));
    EXPECT_FALSE(View.Checked[miOptionsProgMem]);
    EXPECT_FALSE(View.Checked[miOptionsDumpAllProgMem]);
}

TEST_F(ReadVerifyTest, DumpBuffersListsTheImage) {
    ConnectWithMatchingImage();
    Host->Prog_DumpBuffersClick();
    EXPECT_TRUE(LinesInOrder({"",
                              "PIC32 Boot memory:",
                              "",
                              "Prog Ctr              (32-bit)    ",
                              "Byte Addr        Instruction Words",
                              "=========        =================",
                              "",
                              Format("0xBFC00000:  %8.8X %8.8X %8.8X %8.8X",
                                     {Sim->ReadWord(0xBFC00000), Sim->ReadWord(0xBFC00004),
                                      Sim->ReadWord(0xBFC00008), Sim->ReadWord(0xBFC0000C)}),
                              "",
                              "",
                              "",
                              "PIC32 Program memory:",
                              "",
                              "Prog Ctr              (32-bit)    ",
                              "Byte Addr        Instruction Words",
                              "=========        =================",
                              "",
                              "0x9D000000:  A5000000 A5000004 A5000008 A500000C",
                              "0x9D0005F0:  A50005F0 A50005F4 A50005F8 A50005FC",
                              " . . . ",
                              "0x9D000700:  A5000700 FFFFFFFF FFFFFFFF FFFFFFFF",
                              "",
                              "",
                              "",
                              "Configuration memory:",
                              "",
                              "0xBFC02FF0:  FFFFFFFF FFFFFFFF FFFFFFFF FFFFFFFF",
                              "",
                              ""}));
    // Up to the image's last word only.
    EXPECT_EQ(View.CountLines(" . . . "), 1);
}

class MovedApplicationTest : public HostFixture {
protected:
    void ConfigureDevice(TDevSimOptions& O) override {
        devsim::TSimWindow w;
        w.BootloaderStart = 0x9D070000;
        w.BootloaderEnd = 0x9D07FFFF;
        w.AppStart = 0x9D001000;
        w.AppEnd = 0x9D06FFFF;
        O.Window = w;
    }
};

TEST_F(MovedApplicationTest, VerifyComparesTheBlocksOfTheApplicationRange) {
    Connect();
    ASSERT_TRUE(Host->Prog_GetBLVersionClick());
    std::map<Cardinal, Cardinal> words;
    for (Cardinal a = 0x1D001000; a < 0x1D070000; a += 0x200)
        words[a] = a;
    for (Cardinal i = 0; i < 4; ++i)
        words[0x1FC00000 + 4 * i] = Sim->ReadWord(0xBFC00000 + 4 * i);
    LoadImage(words);
    for (const auto& [phys, value] : words)
        Sim->WriteWord(phys | 0x80000000, value);
    Host->Prog_VerifyClick();
    EXPECT_TRUE(View.HasLine("  Verify PASSED"));
    // The application's last block is compared too.
    Sim->WriteWord(0x9D06FE00, 0);
    View.Lines.clear();
    Host->Prog_VerifyClick();
    EXPECT_TRUE(LinesInOrder(
        {"  Program word number: 0x0001bf80  Program counter address: 0x9d06fe00", "  Verify FAILED!"}));
}
