// A device is never mistaken, lost or handed over: doubled, lost, forged and
// misnumbered answers, floods of other device IDs, a retry after a lost
// answer, and commands that arrive while an operation waits.
#include "host/ops/BootCommands.h"
#include "HostFixture.h"

class DeviceSafetyTest : public HostFixture {
protected:
    void ConnectAndLoad() {
        Stub = Sim->ReadWords(0xBFC00000, 256);
        Connect();
        LoadImage(SampleImage({Stub.begin(), Stub.begin() + 4}));
        View.Lines.clear();
        Sim->ClearLog();
    }
    // The flash holds the image, and the boot stub the device came with.
    ::testing::AssertionResult ImageInFlash() const {
        const auto& buffers = Host->Image.Buffers;
        const auto prog = Sim->ReadWords(0x9D000000, 0x70000 / 4);
        for (Integer i = 0; i < 0x70000 / 4; ++i)
            if (prog[i] != buffers.GetWord(bkProgImage, i))
                return ::testing::AssertionFailure() << "program word " << i;
        const auto boot = Sim->ReadWords(0xBFC00000, 0x2000 / 4);
        for (Integer i = 0; i < 0x2000 / 4; ++i)
            if (boot[i] != buffers.GetWord(bkBootImage, i)) return ::testing::AssertionFailure() << "boot word " << i;
        return ::testing::AssertionSuccess();
    }
    bool Completed() const { return View.StatusText == "Upgrade successfully completed! You can exit now."; }

    std::vector<Cardinal> Stub;
};

TEST_F(DeviceSafetyTest, DoubledAnswersAreNeverTakenForTheNextRequest) {
    // A doubled target answer once wrote the device ID register into the
    // boot block; doubled reads gave a wrong image and a verify that passed.
    for (const char* fault : {"dup:0x30:1", "dup:0x01", "dup:*"}) {
        ConnectAndLoad();
        Sim->AddFault(fault);
        Host->Prog_BlockProgramClick();
        EXPECT_TRUE(Completed()) << fault;
        EXPECT_TRUE(View.Boxes.empty()) << fault;
        EXPECT_EQ(Sim->ReadWords(0xBFC00000, 4), std::vector<Cardinal>(Stub.begin(), Stub.begin() + 4)) << fault;
        EXPECT_TRUE(ImageInFlash()) << fault;
        Sim->ClearFaults();
    }
    // A block erased behind the host's back fails the verify, doubled reads or not.
    ConnectAndLoad();
    Sim->AddFault("dup:0x01");
    Sim->WithFlash([](devsim::TFlashModel& f) { f.EraseBlocks(0x9D000000, 1); });
    Host->Prog_VerifyClick();
    EXPECT_TRUE(View.HasLine("  Verify FAILED!"));
}

TEST_F(DeviceSafetyTest, ALostBlockAfterADoubledAnswerIsAReportedFailure) {
    ConnectAndLoad();
    View.Checked[miOptionsVerifyAfter] = false;
    Sim->AddFault("dup:0x0B:3");
    Sim->AddFault("noanswer:0x0B:4");
    Host->Prog_BlockProgramClick();
    EXPECT_FALSE(Completed());
    EXPECT_TRUE(LinesInOrder({"+ + + Target0 failed to respond! + + +", "Retry declined.",
                              "Error -- A problem occurred when programming device."}));
    ASSERT_FALSE(View.Boxes.empty());
    EXPECT_EQ(View.Boxes.back().Text, "Unable to program your device.  Please investigate and try again.");
    EXPECT_EQ(Sim->RequestCount(cmdRunApplication), 0u);
    EXPECT_EQ(Sim->ReadWords(0xBFC00000, 4), std::vector<Cardinal>(Stub.begin(), Stub.begin() + 4));
}

TEST_F(DeviceSafetyTest, MisnumberedAnswersEndInAReportedFailure) {
    ConnectAndLoad();
    Agent->SetTimeOut(300);
    Sim->AddFault("badseq:0x30");
    Host->Prog_BlockProgramClick();
    EXPECT_EQ(View.StatusText, "An error occurred during programming!");
    Integer misnumbered = 0; // one per attempt's target request
    for (const String& line : View.Lines)
        misnumbered += line.rfind("**ERROR Out of Sequence Control PDU Seq: ", 0) == 0;
    EXPECT_EQ(misnumbered, 3);
    EXPECT_EQ(Sim->RequestCount(cmdEraseBlocks), 0u);
    EXPECT_EQ(Sim->RequestCount(cmdRunApplication), 0u);
}

TEST_F(DeviceSafetyTest, ForgedAnswersFromAnotherPortAreDroppedAndThePeerStays) {
    ConnectAndLoad();
    // Every answer comes after a forged copy of it (payload inverted) from
    // another port of the device's address.
    Sim->AddFault("spoof:*");
    Host->Prog_BlockProgramClick();
    EXPECT_TRUE(Completed());
    EXPECT_TRUE(View.Boxes.empty());
    EXPECT_TRUE(View.HasLine("Bootloader Version = 3.2.1.2  "));
    EXPECT_TRUE(ImageInFlash());
    Integer forged = 0;
    for (const String& line : View.Lines)
        forged += line.find("**ERROR Datagram for device ID 0x0001 from 127.0.0.1:") == 0 &&
                  line.find(Format("dropped: the request went to 127.0.0.1:%d", {Sim->Port()})) != String::npos;
    // One line per answered request (the polled erase logs nothing).
    EXPECT_EQ(static_cast<Cardinal>(forged), Sim->RequestCount() - Sim->RequestCount(cmdProgramChunk) -
                                                 Sim->RequestCount(cmdRunApplication) -
                                                 Sim->RequestCount(cmdEraseBlocks));
}

TEST_F(DeviceSafetyTest, AFloodOfOtherDeviceIdsMakesAtMost256DevicesAndTheUpgradeKeepsItsDevice) {
    ConnectAndLoad();
    // Each block's answer comes after 40 answers that carry other IDs.
    Sim->AddFault("flood:0x0B:40");
    Host->Prog_BlockProgramClick();
    EXPECT_TRUE(Completed());
    EXPECT_TRUE(ImageInFlash());
    // 256 devices at most; the upgraded one left the list when it was started.
    EXPECT_EQ(Host->DeviceList().size(), static_cast<std::size_t>(MaxDeviceObjects - 1));
    Integer refused = 0;
    for (const String& line : View.Lines)
        refused += line.find("are dropped: the host keeps at most 256 devices") != String::npos;
    EXPECT_GT(refused, 0);
    // Every request went to the device the upgrade began with.
    for (const auto& e : Sim->RequestLog())
        ASSERT_EQ(e.DeviceID, 1) << e.Text();
}

TEST_F(DeviceSafetyTest, YesRetryReachesTheSameDeviceAfterALostAnswer) {
    ConnectAndLoad();
    Sim->AddFault("noanswer:0x0B:4");
    View.Answers = {maYes};
    Host->Prog_BlockProgramClick();
    ProcessMessages();
    EXPECT_TRUE(LinesInOrder({"+ + + Target0 failed to respond! + + +", "Retry succeeded.", "  Verify PASSED"}));
    EXPECT_EQ(View.Boxes.size(), 1u) << View.Boxes.back().Text; // the retry prompt, and no not-responding box
    EXPECT_TRUE(Completed());
    EXPECT_TRUE(ImageInFlash());
}

TEST_F(DeviceSafetyTest, CommandsThatArriveWhileAnOperationRunsAreRefused) {
    ConnectAndLoad();
    std::vector<String> seen; // status texts, and what the posted message found
    HWND window = AllocateHWnd([&](TMessage&) {
        seen.push_back(Host->IsBusy() ? "busy" : "idle");
        const Cardinal before = Sim->RequestCount();
        Host->Prog_EraseClick();
        Host->Prog_BlockProgramClick();
        Host->FindAllBtnClick();
        Host->Test_ReadIPClick();
        View.ComboIndex = -1;
        Host->DeviceIDComboSelect();
        seen.push_back(Sim->RequestCount() == before && View.ComboIndex == 0 ? "refused" : "ran");
    });
    View.OnStatus = [&](const String& s) {
        seen.push_back(s);
        // A paint or timer message posted as the pause begins is handled during it.
        if (s == "Pausing after program memory update...") PostMessage(window, WM_USER, 0, 0);
    };
    Host->Prog_BlockProgramClick();
    DeallocateHWnd(window);
    EXPECT_FALSE(Host->IsBusy());
    EXPECT_TRUE(Completed());
    EXPECT_EQ(Sim->RequestCount(cmdEraseBlocks), 4u); // one erase, and the boot block before it is written
    const auto pause = std::find(seen.begin(), seen.end(), "Pausing after program memory update...");
    ASSERT_NE(pause, seen.end());
    ASSERT_GE(seen.end() - pause, 3);
    EXPECT_EQ(pause[1], "busy");
    EXPECT_EQ(pause[2], "refused");
    // The pause lasted what the bootloader needs.
    EXPECT_GE(Clock.SleptTotal(), 2u * 2000u);
}
