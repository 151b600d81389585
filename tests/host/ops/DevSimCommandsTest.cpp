// The host link and the command set against the simulated device over
// loopback: every command answered and what it wrote read back.
#include "host/link/LinkFixture.h"
#include "host/ops/BootCommands.h"
#include "tools/devsim/DevSim.h"

namespace {

std::vector<Cardinal> PayloadWords(TdsProg* d, Integer Count) {
    std::vector<Cardinal> words;
    for (Integer k = 0; k < Count; ++k)
        words.push_back(InPayloadLE32(d, 4 * k));
    return words;
}

} // namespace

class DevSimCommandsTest : public LinkFixture {
protected:
    void SetUp() override {
        LinkFixture::SetUp();
        TDevSimOptions o;
        o.BindAddress = "127.0.0.1";
        o.Port = 0;
        o.Quiet = true;
        o.Identity.DeviceID = 0x1234;
        o.Version = devsim::ParseSimVersion("3.2.0.9");
        Sim = std::make_unique<TDevSim>(o);
        Sim->Start();
        Agent->Open();
        // Found as the host finds a device: a placeholder, and a version
        // request from the dispatcher (to the device's port on loopback).
        TdsProg* dispatcher = NewDevice(0xFFFF, Sim->Port(), true);
        Dev = NewDevice(0);
        dispatcher->Protocol_ID->SetValue(0x515A564B);
        dispatcher->Device_ID->SetValue(0);
        dispatcher->Command->SetValue(0);
        dispatcher->Send();
        EXPECT_TRUE(dispatcher->WaitReply());
        EXPECT_EQ(Dev->AssignedID, 0x1234);
        EXPECT_EQ(Dev->PeerPort, Sim->Port());
    }
    void TearDown() override {
        Agent->Close();
        Sim->Stop();
        LinkFixture::TearDown();
    }
    std::unique_ptr<TDevSim> Sim;
    TdsProg* Dev = nullptr;
};

TEST_F(DevSimCommandsTest, EveryCommandIsAnsweredAndReadBack) {
    const auto& t = Sim->Target();
    const auto& w = Sim->Window();

    ASSERT_EQ(GetBootloaderVersion(Dev).Result, crAnswered);
    EXPECT_EQ(Dev->Device_ID->GetValue(), 0x1234);
    EXPECT_EQ(TBytes(Dev->InPayload->Elements, Dev->InPayload->Elements + 4), (TBytes{3, 2, 0, 9}));
    EXPECT_EQ(InPayloadLE32(Dev, 4), w.BootloaderStart);
    EXPECT_EQ(InPayloadLE32(Dev, 8), w.BootloaderEnd);
    EXPECT_EQ(InPayloadLE32(Dev, 12), w.AppStart);
    EXPECT_EQ(InPayloadLE32(Dev, 16), w.AppEnd);

    ASSERT_EQ(GetTargetInfo(Dev).Result, crAnswered);
    EXPECT_EQ(InPayloadLE32(Dev, 0), t.DeviceID);

    const auto start = static_cast<Integer>(t.ProgMemVirtualStartPcu);
    ASSERT_EQ(EraseBlocks(Dev, start, 2, true).Result, crAnswered);
    EXPECT_EQ(Sim->ReadWord(t.ProgMemVirtualStartPcu), 0xFFFFFFFFu);

    // Two 512-byte chunks: the first goes without an answer, the last is acknowledged.
    std::vector<Byte> data(1024);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<Byte>(i * 7 + 3);
    ASSERT_EQ(ProgramChunk(Dev, start, data.data(), 512, false).Result, crSent);
    ASSERT_EQ(ProgramChunk(Dev, start + 512, data.data() + 512, 512, true).Result, crAnswered);
    EXPECT_NE(Dev->InPayload->Elements[0], 0); // programmed

    const Integer ignoreConfig = -1; // an empty configuration range
    for (Integer half = 0; half < 2; ++half) {
        ASSERT_EQ(ReadMemory(Dev, start + 512 * half, 128, 0, ignoreConfig).Result, crAnswered);
        EXPECT_EQ(Sent(Dev)[20] ^ 0x6D, 0x01);
        EXPECT_EQ(Dev->InLen->GetValue(), 128);
        std::vector<Cardinal> expected;
        for (Integer k = 0; k < 128; ++k) {
            const Byte* p = data.data() + 512 * half + 4 * k;
            expected.push_back(p[0] | p[1] << 8 | p[2] << 16 | static_cast<Cardinal>(p[3]) << 24);
        }
        EXPECT_EQ(PayloadWords(Dev, 128), expected);
    }

    ASSERT_EQ(BlankCheck(Dev).Result, crAnswered);
    EXPECT_NE(Dev->InPayload->Elements[0], 0); // no longer blank
    EXPECT_EQ(static_cast<Cardinal>(Dev->InAddress->GetValue()) & 0x1FFFFFFF, t.ProgMemPhysicalStartPcu);

    // The configuration words, by physical address so that 0x06 is chosen.
    const auto config = static_cast<Integer>(t.ConfigPhysicalStartPcu);
    ASSERT_EQ(ReadMemory(Dev, config, 4, config, static_cast<Integer>(t.ConfigPhysicalEndPcu)).Result,
              crAnswered);
    EXPECT_EQ(Sent(Dev)[20] ^ 0x6D, 0x06);
    EXPECT_EQ(PayloadWords(Dev, 4), Sim->ReadWords(t.ConfigPhysicalStartPcu, 4));

    TIPSettings ip;
    ip.Address = 0x0A010203;
    ip.DNS = 0x0A010201;
    ip.Mask = 0xFFFF0000;
    ip.UseDHCP = true;
    ASSERT_EQ(StoreIPSettings(Dev, ip).Result, crAnswered);
    ASSERT_EQ(ReadIPSettings(Dev).Result, crAnswered);
    const TIPSettings back = IPSettingsFromAnswer(Dev);
    EXPECT_EQ(back.Address, ip.Address);
    EXPECT_EQ(back.DNS, ip.DNS);
    EXPECT_EQ(back.Mask, ip.Mask);
    EXPECT_TRUE(back.UseDHCP);

    ASSERT_EQ(RunApplication(Dev).Result, crSent);
    EXPECT_TRUE(Sim->WaitForRequests(0x09, 1, 2000));
    EXPECT_EQ(Sim->RunCount(), 1u);
    EXPECT_TRUE(Log.empty()) << Log.front();
}

TEST_F(DevSimCommandsTest, ARestartedDeviceIsHeardAfterARequestToItsClosedPort) {
    ASSERT_EQ(GetBootloaderVersion(Dev).Result, crAnswered);
    Sim->Stop();
    Agent->SetTimeOut(200);
    EXPECT_EQ(BlankCheck(Dev).Result, crNoAnswer); // drew a "port unreachable"
    Sim->Start();                                  // the same port again
    Agent->SetTimeOut(3000);
    EXPECT_EQ(GetBootloaderVersion(Dev).Result, crAnswered);
    EXPECT_EQ(GetTargetInfo(Dev).Result, crAnswered);
}

TEST_F(DevSimCommandsTest, LateAndDoubledAnswersNeverSatisfyAnotherRequest) {
    int reports = 0;
    Dev->OnReport = [&](TObject*, Integer) { ++reports; };
    Sim->AddFault("late:0x30:300:1");
    Agent->SetTimeOut(50);
    EXPECT_EQ(GetTargetInfo(Dev).Result, crNoAnswer);
    // The late answer arrives while the next request waits for its own.
    Sim->AddFault("late:0x00:600:1");
    Agent->SetTimeOut(3000);
    ASSERT_EQ(GetBootloaderVersion(Dev).Result, crAnswered);
    EXPECT_EQ(Dev->InPayload->Elements[0], 3);
    EXPECT_EQ(Log, std::vector<String>{"**ERROR Out of Sequence Control PDU Seq: " +
                                       IntToStr(Dev->MsgNum->GetValue() - 1)});
    EXPECT_EQ(reports, 1);

    Sim->AddFault("dup:0x00");
    Log.clear();
    reports = 0;
    ASSERT_EQ(GetBootloaderVersion(Dev).Result, crAnswered);
    for (int i = 0; i < 100 && Log.empty(); ++i)
        WaitMessage(20);
    EXPECT_EQ(reports, 1);
    ASSERT_EQ(Log.size(), 1u);
    EXPECT_NE(Log[0].find("dropped: no request is waiting for an answer"), String::npos) << Log[0];
}
