// The command set: what each command puts on the wire and whether it waits.
#include "host/ops/BootCommands.h"
#include "host/link/LinkFixture.h"
#include "platform/rtl/Clock.h"

namespace {

// Answers every request except the commands that have no answer.
std::vector<TBytes> Bootloader(const TBytes& req) {
    const TWire w = TWire::Decode(req);
    if (w.Code == cmdProgramChunk || w.Code == cmdRunApplication) return {};
    return {AnswerTo(req, 0x5151, [&](TWire& a) {
        a.Code = w.Code;
        a.Payload[0] = 0xC0;
        a.Payload[1] = 0xA8;
        a.Payload[2] = 0x01;
        a.Payload[3] = 0x05;
        a.Payload[12] = 1;
    })};
}

} // namespace

class BootCommandsTest : public LinkFixture {
protected:
    void SetUp() override {
        LinkFixture::SetUp();
        Device = std::make_unique<TLoopbackPeer>(Bootloader);
        NewDevice(0xFFFF, 0, true);
        Dev = NewDevice(0x5151, Device->Port());
        Agent->Open();
    }
    void TearDown() override {
        SetReportViews({});
        Agent->Close();
        LinkFixture::TearDown();
    }
    TWire LastRequest() { return TWire::Decode(Sent(Dev)); }
    // A field the command leaves alone goes out masked a second time: the
    // bytes on the wire are its plain earlier value.
    bool PayloadUnsetFrom(Integer From, const TWire& Before) {
        const TBytes raw = Sent(Dev);
        for (Integer i = From; i < 512; ++i)
            if (raw[27 + i] != Before.Payload[i]) return false;
        return true;
    }

    std::unique_ptr<TLoopbackPeer> Device;
    TdsProg* Dev = nullptr;
};

TEST(BootCommands, ReadsOfTheConfigurationRangeUse0x06) {
    const Integer start = 0x1FC02FF0, end = 0x1FC02FFF;
    EXPECT_EQ(ReadCommandFor(start, start, end), 0x06);
    EXPECT_EQ(ReadCommandFor(end, start, end), 0x06);
    EXPECT_EQ(ReadCommandFor(start - 1, start, end), 0x01);
    EXPECT_EQ(ReadCommandFor(end + 1, start, end), 0x01);
    // A virtual address with the top bit set never uses 0x06, even when the
    // catalogue's range holds it.
    const auto kseg1 = static_cast<Integer>(0xBFC02FF0);
    EXPECT_EQ(ReadCommandFor(kseg1, kseg1, kseg1 + 15), 0x01);
}

TEST_F(BootCommandsTest, EachCommandSetsItsFieldsAndWaitsWhereAnswered) {
    struct TCase {
        const char* Name;
        std::function<TCmdOutcome()> Run;
        Integer Code, Len;
        Cardinal Address;
        TCmdResult Result;
    };
    const Byte chunk[4] = {1, 2, 3, 4};
    const std::vector<TCase> cases = {
        {"read",
         [&] { return ReadMemory(Dev, static_cast<Integer>(0x9D000000), 128, 0x1FC02FF0, 0x1FC02FFF); }, 0x01,
         128, 0x9D000000, crAnswered},
        {"read config", [&] { return ReadMemory(Dev, 0x1FC02FF0, 4, 0x1FC02FF0, 0x1FC02FFF); }, 0x06, 4,
         0x1FC02FF0, crAnswered},
        {"erase", [&] { return EraseBlocks(Dev, static_cast<Integer>(0x9D001000), 3, true); }, 0x03, 3,
         0x9D001000, crAnswered},
        {"blank check", [&] { return BlankCheck(Dev); }, 0x08, 0, 0, crAnswered},
        {"run", [&] { return RunApplication(Dev); }, 0x09, 0, 0, crSent},
        {"chunk", [&] { return ProgramChunk(Dev, static_cast<Integer>(0x9D000200), chunk, 4, false); }, 0x0A,
         512, 0x9D000200, crSent},
        {"last chunk", [&] { return ProgramChunk(Dev, static_cast<Integer>(0x9D000400), chunk, 4, true); },
         0x0B, 512, 0x9D000400, crAnswered},
        {"target", [&] { return GetTargetInfo(Dev); }, 0x30, 1, 0, crAnswered},
        {"read IP", [&] { return ReadIPSettings(Dev); }, 0x32, 0, 0, crAnswered},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TCmdOutcome r = c.Run();
        EXPECT_EQ(r.Result, c.Result) << r.Error;
        const TWire w = LastRequest();
        EXPECT_EQ(w.Code, c.Code);
        EXPECT_EQ(w.Len, c.Len);
        EXPECT_EQ(w.Address, c.Address);
    }
    // The chunk's bytes lead the payload.
    ProgramChunk(Dev, 0, chunk, 4, false);
    const TWire w = LastRequest();
    EXPECT_EQ(TBytes(w.Payload.begin(), w.Payload.begin() + 4), (TBytes{1, 2, 3, 4}));
}

TEST_F(BootCommandsTest, PayloadsAreRandomUnlessTheCommandDefinesThem) {
    ASSERT_EQ(GetTargetInfo(Dev).Result, crAnswered);
    const TWire target = LastRequest();
    GetTargetInfo(Dev);
    EXPECT_NE(LastRequest().Payload, target.Payload); // random each time
    const TWire before = LastRequest();

    ASSERT_EQ(ReadIPSettings(Dev).Result, crAnswered);
    const TWire read = LastRequest();
    EXPECT_EQ(read.Payload[0], 0);
    EXPECT_TRUE(PayloadUnsetFrom(1, before));

    // A version request leaves OutLen and OutAddress as the last request had them.
    ReadMemory(Dev, 0x1234, 7, 0, -1);
    ASSERT_EQ(GetBootloaderVersion(Dev).Result, crAnswered);
    EXPECT_EQ(LastRequest().Code, 0x00);
    EXPECT_EQ(TWire::Get(Sent(Dev), 21, 2), 7u);
    EXPECT_EQ(TWire::Get(Sent(Dev), 23, 4), 0x1234u);
}

TEST_F(BootCommandsTest, IPSettingsAreStoredAndReadFirstOctetFirst) {
    GetTargetInfo(Dev);
    const TWire before = LastRequest();
    TIPSettings s;
    s.Address = 0x0A010203; // 10.1.2.3
    s.DNS = 0x0A010201;     // 10.1.2.1
    s.Mask = 0xFFFF0000;    // 255.255.0.0
    ASSERT_EQ(StoreIPSettings(Dev, s).Result, crAnswered);
    const TWire w = LastRequest();
    EXPECT_EQ(w.Code, 0x31);
    EXPECT_EQ(TBytes(w.Payload.begin(), w.Payload.begin() + 13),
              (TBytes{10, 1, 2, 3, 10, 1, 2, 1, 255, 255, 0, 0, 0}));
    EXPECT_TRUE(PayloadUnsetFrom(13, before));

    ASSERT_EQ(ReadIPSettings(Dev).Result, crAnswered);
    const TIPSettings got = IPSettingsFromAnswer(Dev);
    EXPECT_EQ(got.Address, 0xC0A80105u);
    EXPECT_TRUE(got.UseDHCP);
    EXPECT_EQ(InPayloadLE32(Dev, 0), 0x0501A8C0u);
    EXPECT_EQ(InPayloadLE32(Dev, 510), 0u); // beyond the payload: 0
}

TEST_F(BootCommandsTest, ReportViewsSeePlainRequestsAndArrivedAnswers) {
    std::vector<String> seen;
    SetReportViews({[&](TdsProg* d) { seen.push_back(Format("out %x", {d->Command->GetValue()})); },
                    [&](TdsProg* d) { seen.push_back(Format("in %x", {d->CmdResponse->GetValue()})); }});
    GetBootloaderVersion(Dev);
    GetTargetInfo(Dev);
    StoreIPSettings(Dev, {});
    ReadIPSettings(Dev);
    BlankCheck(Dev);
    ReadMemory(Dev, 0, 1, 0, 0);
    EXPECT_EQ(seen, (std::vector<String>{"out 0", "in 0", "out 30", "in 30", "in 31", "out 32", "in 32"}));
}

TEST_F(BootCommandsTest, FailuresAreReportedNotRaised) {
    Device->Close();
    Agent->SetTimeOut(50);
    EXPECT_EQ(BlankCheck(Dev).Result, crNoAnswer);

    Dev->PeerPort = 70000;
    const TCmdOutcome r = GetBootloaderVersion(Dev);
    EXPECT_EQ(r.Result, crSendFailed);
    EXPECT_FALSE(r.Ok());
    EXPECT_NE(r.Error.find("70000"), String::npos);

    EXPECT_EQ(RunApplication(nullptr).Error, "No device is selected.");
}

TEST_F(BootCommandsTest, AReadAnswerIsTheAnswerWhateverItsInAddress) {
    // This bootloader answers reads with InAddress 0 and a CmdResponse that
    // names no command: the MsgNum and the source pair the answer with its
    // request, and the data is read.
    TLoopbackPeer device([](const TBytes& req) {
        return std::vector<TBytes>{AnswerTo(req, 0x5151, [](TWire& a) {
            a.Code = 0xEE;
            a.Len = 128;
            a.Payload[0] = 0x78;
            a.Payload[3] = 0x12;
        })};
    });
    Dev->PeerPort = device.Port();
    for (const Cardinal address : {0u, 0x9D000000u, 0xBFC00000u}) {
        SCOPED_TRACE(address);
        ASSERT_EQ(ReadMemory(Dev, static_cast<Integer>(address), 128, 0x1FC02FF0, 0x1FC02FFF).Result, crAnswered);
        EXPECT_EQ(InPayloadLE32(Dev, 0), 0x12000078u);
    }
}
