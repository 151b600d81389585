// The version and target checks against the simulated device.
#include "host/ops/BootCommands.h"
#include "HostFixture.h"

class ChecksTest : public HostFixture {};

TEST_F(ChecksTest, VersionAnswerFillsTheWindowAndPeerLines) {
    Connect();
    View.Checked[miTestShowIP] = true;
    ASSERT_TRUE(Host->Prog_GetBLVersionClick());
    const String port = IntToStr(Sim->Port());
    EXPECT_EQ(
        View.Lines,
        (std::vector<String>{
            "", String(44, '='), "Bootloader Version = 3.2.1.2  ", "Bootloader Start Address = 0x9D070000  ",
            "Bootloader End Address = 0x9D07FFFF  ", "Bootloader Length = 65535 = 0x0000FFFF  ", "",
            "Expected Main App Start Address = 0x9D000000  ", "Max Main App End Address = 0x9D06FFFF  ",
            String(44, '='), "", "For device ID 0x0001, PeerIP = 127.0.0.1, PeerPort = " + port + " ",
            "For UDPagent, PeerIP = 127.0.0.1, PeerPort = " + port + " ", ""}));
    EXPECT_EQ(View.StatusText, "");
    EXPECT_FALSE(Host->AbortFlag);
    EXPECT_EQ(Host->Image.Buffers.AddressWindow.AppMaxEnd, 0x9D06FFFFu);
}

TEST_F(ChecksTest, OnlyMajorAndMinorMustMatchTheHostVersion) {
    Connect();
    struct {
        const char* Version;
        bool Compatible;
        long double Numeric;
    } cases[] = {{"3.2.0.9", true, 3.2L}, {"3.1.9.9", false, 3.1L}, {"4.2.1.2", false, 4.2L}};
    for (const auto& c : cases) {
        Host->AbortFlag = false;
        Sim->SetVersion(devsim::ParseSimVersion(c.Version));
        ASSERT_TRUE(Host->Prog_GetBLVersionClick());
        EXPECT_EQ(!Host->AbortFlag, c.Compatible) << c.Version;
        EXPECT_NEAR(static_cast<double>(Host->BootloaderVersion), static_cast<double>(c.Numeric), 1e-9);
    }
}

TEST_F(ChecksTest, AnIncompatibleBootloaderIsReportedWithTheWholeText) {
    Connect();
    Sim->SetVersion(devsim::ParseSimVersion("3.1.9.9"));
    ASSERT_TRUE(Host->Prog_GetBLVersionClick());
    const String text =
        "Sorry, but the upgrader firmware version 3.1.9.9 in \r\nthe device at IP address 127.0.0.1\r\n"
        "is not compatible with the version 3.2.1.2 of this PC program. \r\n\r\n"
        "Please exit the PC program and contact the manufacturer\r\n"
        "of your device for the correct version.";
    EXPECT_EQ(View.Lines.back(), text);
    ASSERT_EQ(View.Boxes.size(), 1u);
    EXPECT_EQ(View.Boxes[0].Text, text);
    EXPECT_EQ(View.Boxes[0].Kind, mkError);
    EXPECT_TRUE(Host->AbortFlag);
    EXPECT_EQ(View.StatusText, "Error: Incompatible firmware version. Please exit.");

    // The programming sequence stops at once, without retries.
    View.Boxes.clear();
    Host->Prog_BlockProgramClick();
    EXPECT_TRUE(LinesInOrder({"", "Error -- Incompatible bootloader version in device."}));
    EXPECT_EQ(Sim->RequestCount(cmdGetTargetInfo), 0u);
    ASSERT_EQ(View.Boxes.size(), 2u);
    EXPECT_EQ(View.Boxes[1].Text, "Unable to program your device.  Please investigate and try again.");
}

TEST_F(ChecksTest, NoAnswerToTheVersionRequest) {
    Connect();
    Sim->AddFault("noanswer:0x00");
    const TDeviceAddressWindow before = Host->Image.Buffers.AddressWindow;
    EXPECT_FALSE(Host->Prog_GetBLVersionClick());
    EXPECT_EQ(View.Lines,
              (std::vector<String>{"", String(88, '='), "+ + + Unable to get bootloader version info0! + + +",
                                   String(88, '='), ""}));
    EXPECT_EQ(View.StatusText, "Bootloader device failed to respond");
    EXPECT_FALSE(Host->AbortFlag);
    EXPECT_EQ(Host->Image.Buffers.AddressWindow.BootloaderStart, before.BootloaderStart);

    // Programming does not erase a device whose bootloader it cannot ask:
    // each attempt ends there.
    Host->Image.Lines.SetText(HexText({{0x1D000000, 1}}));
    Host->Image.ImageLoaded(Host->CurrentTarget);
    Host->Prog_BlockProgramClick();
    // Discovery and its check, the check above, three attempts.
    EXPECT_EQ(Sim->RequestCount(cmdGetVersion), 2u + 1u + 3u);
    EXPECT_EQ(Sim->RequestCount(cmdEraseBlocks), 0u);
    EXPECT_EQ(View.StatusText, "An error occurred during programming!");
}

TEST_F(ChecksTest, TargetRegisterIsSplitIntoIdRevisionAndMaker) {
    Connect();
    Host->Prog_GetTargetInfoClick();
    EXPECT_EQ(View.Lines,
              (std::vector<String>{"", "Raw Device ID Register Contents = 0x04307053  ",
                                   "Target Device ID = 0x4307053, Revision = 0x0000, JEDEC Mfr ID = 0x0053",
                                   "Connected device matches expected Device ID"}));
    EXPECT_FALSE(Host->AbortFlag);
    // A catalogue ID with the top bit set never matches.
    Host->CurrentTarget.DeviceID = static_cast<Integer>(0x84307053);
    Sim->SetDevIdRegister(0x84307053);
    Host->Prog_GetTargetInfoClick();
    EXPECT_TRUE(Host->AbortFlag);
}

TEST_F(ChecksTest, AnotherChipIsNamedInTheFullView) {
    Connect();
    Sim->SetDevIdRegister(0x14A0A053);
    View.Mode = 1;
    Host->Prog_GetTargetInfoClick();
    const String text = "+ + + Connected device does not match selected processor type! + + +\r\n"
                        " Device ID of actual device = 04A0A053 = \"Unknown\"\r\n"
                        " Device ID of selected target = 04307053 = \"PIC32MX795F512L\"\r\n"
                        " Please correct this problem.";
    EXPECT_TRUE(
        LinesInOrder({"Raw Device ID Register Contents = 0x14A0A053  ",
                      "Target Device ID = 0x4A0A053, Revision = 0x0100, JEDEC Mfr ID = 0x0053", text}));
    ASSERT_EQ(View.Boxes.size(), 1u);
    EXPECT_EQ(View.Boxes[0].Text, text);
    EXPECT_TRUE(Host->AbortFlag);
}

TEST_F(ChecksTest, AnotherChipFailsEveryAttemptInTheSimpleView) {
    Connect();
    Host->Image.Lines.SetText(HexText({{0x1D000000, 1}}));
    Host->Image.ImageLoaded(Host->CurrentTarget);
    Sim->SetDevIdRegister(0x14A0A053);
    View.Mode = 0;
    View.Boxes.clear();
    Host->Prog_BlockProgramClick();
    const String text = "+ + + Unable to program device: incorrect Device ID! + + +";
    ASSERT_EQ(View.Boxes.size(), 4u);
    for (Integer i = 0; i < 3; ++i)
        EXPECT_EQ(View.Boxes[i].Text, text);
    EXPECT_EQ(View.Boxes[3].Text, "An error occurred during programming!");
    EXPECT_EQ(View.CountLines(text), 3);
    EXPECT_EQ(Sim->RequestCount(cmdEraseBlocks), 0u);
    EXPECT_EQ(Sim->RequestCount(cmdRunApplication), 0u);
}

TEST_F(ChecksTest, NoAnswerToTheTargetRequest) {
    Connect();
    Sim->AddFault("noanswer:0x30");
    Host->Prog_GetTargetInfoClick();
    const String text = "+ + + Unable to get target info for device 0! + + +";
    EXPECT_EQ(View.Lines, (std::vector<String>{"", String(88, '='), text, String(88, '='), ""}));
    ASSERT_EQ(View.Boxes.size(), 1u);
    EXPECT_EQ(View.Boxes[0].Text, text);
    EXPECT_TRUE(Host->AbortFlag);
}

TEST_F(ChecksTest, NoImageLoadedStopsBeforeTheErase) {
    Connect();
    Host->Prog_BlockProgramClick();
    const String text = "  No device hex file has been opened.\r\nPlease click File | Open Hex File...";
    EXPECT_TRUE(View.HasLine(text));
    ASSERT_EQ(View.Boxes.size(), 2u);
    EXPECT_EQ(View.Boxes[0].Kind, mkWarning);
    EXPECT_EQ(Sim->RequestCount(cmdEraseBlocks), 0u);
}

TEST_F(ChecksTest, ABadOwnVersionClosesTheWindow) {
    TVersionInfoBlock block = HostVersionInfo();
    for (auto& [key, value] : block.Strings)
        if (key == "FileVersion") value = "3.2";
    SetProgramVersionInfo(&block);
    EXPECT_FALSE(Host->ReadOwnVersion());
    SetProgramVersionInfo(&HostVersionInfo());
    ASSERT_EQ(View.Boxes.size(), 1u);
    EXPECT_EQ(View.Boxes[0].Text, "Error: Invalid version string \"3.2\"");
    EXPECT_EQ(View.Boxes[0].Kind, mkError);
    EXPECT_TRUE(View.Closed);
}
