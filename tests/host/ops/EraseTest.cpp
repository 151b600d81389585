// Erase, the boot stub restore and the blank check against the simulated
// device.
#include "host/ops/BootCommands.h"
#include "HostFixture.h"

class EraseTest : public HostFixture {
protected:
    void ConnectAndAsk() {
        Connect();
        ASSERT_TRUE(Host->Prog_GetBLVersionClick());
        View.Lines.clear();
        View.Boxes.clear();
        Sim->ClearLog();
    }
};

TEST_F(EraseTest, PolledEraseRestoresTheBootStubAndClearsTheApplication) {
    ConnectAndAsk();
    const auto stub = Sim->ReadWords(0xBFC00000, 4);
    Sim->WriteWord(0x9D000400, 0);
    Sim->WriteWord(0xBFC01000, 0);
    Host->Prog_EraseClick();
    EXPECT_EQ(View.Lines, (std::vector<String>{"", "Erasing...", "  Done!"}));
    EXPECT_EQ(Sim->ReadWords(0xBFC00000, 4), stub);
    EXPECT_EQ(Sim->ReadWord(0x9D000400), 0xFFFFFFFFu);
    EXPECT_EQ(Sim->ReadWord(0xBFC01000), 0xFFFFFFFFu);
    const auto log = Sim->RequestLog();
    std::vector<std::pair<Byte, Cardinal>> requests;
    for (const auto& e : log)
        requests.push_back({e.Command, e.Address});
    EXPECT_EQ(requests, (std::vector<std::pair<Byte, Cardinal>>{{1, 0x9D07EC00},
                                                                {1, 0x9D07EE00},
                                                                {3, 0xBFC00000},
                                                                {0x0B, 0xBFC00000},
                                                                {1, 0xBFC00000},
                                                                {0x0B, 0xBFC00200},
                                                                {1, 0xBFC00200},
                                                                {3, 0xBFC01000},
                                                                {3, 0x9D000000}}));
    EXPECT_EQ(log.back().Length, 0x70000 / 0x1000);
    EXPECT_EQ(Agent->TimeOut(), 3000);
    EXPECT_TRUE(View.Enabled[miProgRunCode]);
    EXPECT_EQ(View.ProgressCaption, "Erasing firmware..");
}

TEST_F(EraseTest, OldBootloadersAreNotAwaitedAndGetTimeToFinish) {
    Sim->SetVersion(devsim::ParseSimVersion("1.9.0.0"));
    ConnectAndAsk();
    EXPECT_NEAR(static_cast<double>(Host->BootloaderVersion), 1.9, 1e-9);
    const UInt64 slept = Clock.SleptTotal();
    const Cardinal before = Clock.Now();
    Host->Prog_EraseClick();
    EXPECT_TRUE(LinesInOrder({"Erasing...", "  Done!"}));
    EXPECT_TRUE(Sim->WaitForRequests(cmdEraseBlocks, 3, 5000));
    // No erase was waited for; the application erase is followed by 5 s.
    EXPECT_EQ(Clock.SleptTotal() - slept, 5000u);
    EXPECT_LT(Clock.Now() - before, 5000u + 1000u);
    EXPECT_EQ(Agent->TimeOut(), 10000);
    EXPECT_TRUE(View.Progress.empty());
}

TEST_F(EraseTest, ADeviceThatStopsAnsweringDuringAPolledEraseIsRemoved) {
    ConnectAndAsk();
    ShortenPolledErases();
    View.TestMenuVisible = true;
    Sim->AddFault("noanswer:0x03");
    Sim->AddFault("noanswer:0x08");
    const Cardinal before = Clock.Now();
    Host->Prog_EraseClick();
    EXPECT_GE(Clock.Now() - before, 50000u);
    // The bar bounces between 0 and 100 in steps of 5.
    ASSERT_GE(View.Progress.size(), 25u);
    for (Integer i = 0; i <= 20; ++i)
        EXPECT_EQ(View.Progress[i], 5 * i);
    EXPECT_EQ(View.Progress[21], 95);
    EXPECT_FALSE(View.ProgressShown);
    EXPECT_EQ(Sim->RequestCount(cmdEraseBlocks), 1u);
    const String clear = "  Unable to clear device: block starting at address 0xBFC00000";
    EXPECT_TRUE(LinesInOrder({"Erasing...", "+ + + Unable to erase target0! + + +", clear,
                              "Response from device: Input Report", String(34, '='), clear}));
    EXPECT_EQ(View.CountLines("InPayload[] array as bytes:"), 2);
    ASSERT_EQ(View.Boxes.size(), 2u);
    EXPECT_EQ(View.Boxes[0].Text, clear);
    EXPECT_EQ(View.Boxes[0].Kind, mkPlain);
    EXPECT_TRUE(Host->AbortFlag);
    // The traffic log is back on the results pane.
    EXPECT_TRUE(static_cast<bool>(Agent->OnDisplay));

    // From now on a missing answer reports the device and removes it.
    View.Boxes.clear();
    Host->Prog_BlankCheckClick();
    ProcessMessages();
    ASSERT_EQ(View.Boxes.size(), 1u);
    EXPECT_EQ(View.Boxes[0].Text, "Device ID 0001 is not responding!");
    EXPECT_TRUE(Host->DeviceList().empty());
    EXPECT_EQ(Host->SelectedDevice(), nullptr);
    EXPECT_EQ(View.ComboText, "No devices");
    EXPECT_FALSE(View.DeviceControlsEnabled);
    EXPECT_EQ(Agent->DeviceCount(), 0);
}

// Without the device's copy of its stub (unreadable, or blank) nothing is
// erased, and the user is told why.
TEST_F(EraseTest, WithoutTheSavedBootStubNothingIsErased) {
    const String unreadable =
        "Nothing was erased: the device's copy of its boot stub could not be read, and an erase without it "
        "would leave a device that cannot start again.\r\nCheck the connection to the device and try again.";
    const String missing = "Nothing was erased: the device holds no copy of its boot stub at 0x9D07EC00, and an "
                           "erase without it would leave a device that cannot start again.";
    const String rule(88, '=');
    const struct {
        const char* Fault;  // nullptr: the copy reads blank
        std::vector<String> Lines;
    } cases[] = {
        {"noanswer:0x01:2",
         {"", "Erasing...", "", rule, "Unable to read device: address 0xBFC00200", "", rule, "", "", rule,
          unreadable, "", rule, ""}},
        {nullptr, {"", "Erasing...", "", rule, missing, "", rule, ""}},
    };
    for (const auto& c : cases) {
        const String name = c.Fault ? c.Fault : "blank copy";
        ConnectAndAsk();
        Host->ReadFailure = false;
        const auto stub = Sim->ReadWords(0xBFC00000, 4);
        const auto copy = Sim->ReadWords(0x9D07EC00, 128);
        if (c.Fault)
            Sim->AddFault(c.Fault);
        else
            for (Cardinal i = 0; i < 128; ++i) Sim->WriteWord(0x9D07EC00 + 4 * i, 0xFFFFFFFF);
        Host->Prog_EraseClick();
        EXPECT_EQ(Sim->RequestCount(cmdEraseBlocks), 0u) << name;
        EXPECT_EQ(Sim->RequestCount(cmdProgramLastChunk), 0u) << name;
        EXPECT_EQ(Sim->ReadWords(0xBFC00000, 4), stub) << name;
        auto lines = c.Lines;
        lines.push_back("  Unable to clear device: block starting at address 0xBFC00000");
        EXPECT_EQ(View.Lines, lines) << name;
        ASSERT_EQ(View.Boxes.size(), 2u) << name;
        EXPECT_EQ(View.Boxes[0].Text, c.Fault ? unreadable : missing) << name;
        EXPECT_EQ(View.Boxes[0].Kind, mkError) << name;
        EXPECT_EQ(View.StatusText, "Nothing was erased: the boot stub could not be kept") << name;
        EXPECT_EQ(Host->ReadFailure, c.Fault != nullptr) << name;
        EXPECT_TRUE(Host->AbortFlag) << name;
        Sim->ClearFaults();
        for (Cardinal i = 0; i < 128; ++i) Sim->WriteWord(0x9D07EC00 + 4 * i, copy[i]);
    }
}

TEST_F(EraseTest, TheBootStubRestoreRetriesOnItsOwnBeforeItAsks) {
    const String again2 = "  Writing the boot block at 0xbfc00000 again (try 2 of 4)...";
    const String again4 = "  Writing the boot block at 0xbfc00000 again (try 4 of 4)...";
    const struct {
        std::vector<String> Faults;
        std::vector<String> Lines; // in order
        Integer Erased;            // erase requests carried out
    } cases[] = {
        {{"noanswer:0x0B:1"}, {again2, "  Done!"}, 3},
        {{"noanswer:0x0B:1", "noanswer:0x0B:2", "noanswer:0x0B:3"}, {again4, "  Done!"}, 3},
        // A chunk written whose answer is lost counts once it reads back.
        {{"late:0x0B:60000:1"}, {"+ + + Target0 failed to respond! + + +", "  Done!"}, 3},
    };
    for (const auto& c : cases) {
        ConnectAndAsk();
        const auto stub = Sim->ReadWords(0xBFC00000, 256);
        for (const String& f : c.Faults)
            Sim->AddFault(f);
        Agent->SetTimeOut(300);
        Host->Prog_EraseClick();
        Agent->SetTimeOut(3000);
        EXPECT_TRUE(LinesInOrder(c.Lines)) << c.Faults[0];
        EXPECT_TRUE(View.Boxes.empty()) << c.Faults[0];
        EXPECT_EQ(Sim->ReadWords(0xBFC00000, 256), stub) << c.Faults[0];
        EXPECT_EQ(Sim->RequestCount(cmdEraseBlocks), static_cast<Cardinal>(c.Erased)) << c.Faults[0];
        Sim->ClearFaults();
    }
}

TEST_F(EraseTest, ABootStubThatCannotBeWrittenBackIsReportedAsAnEmptyBootBlock) {
    for (const TMsgBoxAnswer answer : {maNo, maYes}) {
        ConnectAndAsk();
        Sim->AddFault("noanswer:0x0B");
        Agent->SetTimeOut(300);
        View.Answers = {answer};
        Host->Prog_EraseClick();
        Agent->SetTimeOut(3000);
        Sim->ClearFaults();
        const String ask =
            "An error occurred when programming the block at address 0xbfc00000. \r\n Would you like to retry?";
        const String empty =
            "The boot block of the device is empty: its boot stub could not be written back.\r\nThe device "
            "must stay powered and connected until an erase or \"Upgrade Now\" succeeds: reset or switched off "
            "now, it cannot start again.";
        EXPECT_TRUE(LinesInOrder({"  Writing the boot block at 0xbfc00000 again (try 4 of 4)...", ask,
                                  answer == maNo ? "Retry declined." : "Retry failed.", String(88, '='), empty,
                                  "", String(88, '='), "",
                                  "  Unable to clear device: block starting at address 0xBFC00000"}));
        EXPECT_EQ(Sim->RequestCount(cmdProgramLastChunk), answer == maNo ? 4u : 5u);
        ASSERT_EQ(View.Boxes.size(), 3u);
        EXPECT_EQ(View.Boxes[0].Text, ask);
        EXPECT_EQ(View.Boxes[1].Text, empty);
        EXPECT_EQ(View.Boxes[1].Kind, mkError);
        EXPECT_EQ(View.StatusText, "The boot block is empty: keep the device powered and connected");
        EXPECT_EQ(Sim->ReadWord(0xBFC00000), 0xFFFFFFFFu); // what the text says
        EXPECT_EQ(Sim->RequestCount(cmdEraseBlocks), 1u);  // nothing more erased
        EXPECT_TRUE(Host->AbortFlag);
    }
}

TEST_F(EraseTest, AnEmptyApplicationRangeIsNotErased) {
    ConnectAndAsk();
    Host->Image.Buffers.AddressWindow.AppMaxEnd = Host->Image.Buffers.AddressWindow.AppStart - 1;
    Host->Prog_EraseClick();
    EXPECT_EQ(Sim->RequestCount(cmdEraseBlocks), 2u);
    EXPECT_EQ(View.Lines.back(), "  Done!");
}

TEST_F(EraseTest, BlankCheckReportsTheFirstUsedAddress) {
    ConnectAndAsk();
    Host->Prog_BlankCheckClick();
    EXPECT_EQ(View.Lines, (std::vector<String>{"", "Performing Blank Check...", "  Device is blank"}));
    EXPECT_TRUE(Host->Blank);
    Sim->WriteWord(0x9D000400, 0);
    Host->Prog_BlankCheckClick();
    EXPECT_EQ(View.Lines.back(), "  Device is NOT blank \r\n First non-blank address = 0x1D000400");
    EXPECT_FALSE(Host->Blank);
    EXPECT_FALSE(View.Hourglass);

    Sim->AddFault("noanswer:0x08");
    View.Lines.clear();
    Host->Prog_BlankCheckClick();
    EXPECT_EQ(View.Lines,
              (std::vector<String>{"", "Performing Blank Check...", "", String(88, '='),
                                   "  *** Unable to communicate with device! ***", String(88, '='), ""}));
    EXPECT_TRUE(Host->Blank);
    EXPECT_EQ(View.StatusText, "Bootloader device failed to respond");
}
