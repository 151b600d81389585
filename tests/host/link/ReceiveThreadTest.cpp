// The receive thread over real loopback sockets: the hand-over to the GUI
// thread and a link that survives failures.
#include "host/link/LinkFixture.h"

namespace {

// A client whose first receives fail as a refused port would.
class TFlakyUDPClient : public TIdUDPClient {
public:
    TFlakyUDPClient(TComponent* AOwner, int AFailures) : TIdUDPClient(AOwner), Failures(AFailures) {}
    Integer ReceiveBuffer(void* Buffer, Integer Size, String& PeerIP, Integer& PeerPort,
                          Integer AMSec) override {
        if (Failures.fetch_sub(1) > 0)
            throw EIdSocketError("Could not receive a datagram: Connection refused.");
        return TIdUDPClient::ReceiveBuffer(Buffer, Size, PeerIP, PeerPort, AMSec);
    }
    std::atomic<int> Failures;
};

TLoopbackPeer::TResponder Echo(std::uint16_t DeviceId, std::uint8_t Byte0 = 1) {
    return [=](const TBytes& req) {
        return std::vector<TBytes>{AnswerTo(req, DeviceId, [&](TWire& w) { w.Payload[0] = Byte0; })};
    };
}

} // namespace

class ReceiveThreadTest : public LinkFixture {
protected:
    void SetUp() override {
        LinkFixture::SetUp();
        NewDevice(0xFFFF, 0, true);
    }
    void TearDown() override {
        Agent->Close();
        SetExceptionHandler(nullptr);
        LinkFixture::TearDown();
    }
};

TEST_F(ReceiveThreadTest, AnAnswerIsUnpackedDuringTheWait) {
    TLoopbackPeer device(Echo(0x4242, 0x77));
    Agent->Open();
    EXPECT_TRUE(Agent->Receiving());
    EXPECT_EQ(Agent->IdUDPControl->LocalPort(), 0); // not bound before the first send
    TdsProg* d = NewDevice(0x4242, device.Port());
    d->PackAndSend();
    EXPECT_NE(Agent->IdUDPControl->LocalPort(), 0);
    ASSERT_TRUE(d->WaitForAnswer());
    EXPECT_EQ(d->InPayload->Elements[0], 0x77);
    EXPECT_EQ(d->MsgNum->GetValue(), 1);
    EXPECT_EQ(Agent->LastPeerIP, "127.0.0.1");
    EXPECT_EQ(Agent->LastPeerPort, device.Port());
}

TEST_F(ReceiveThreadTest, ReceiveErrorsAreReportedOnceAndTheLinkGoesOn) {
    Agent->IdUDPControl->Free();
    Agent->IdUDPControl = new TFlakyUDPClient(Agent, 3);
    TLoopbackPeer device(Echo(0x0001));
    Agent->Open();
    TdsProg* d = NewDevice(0x0001, device.Port());
    d->PackAndSend();
    ASSERT_TRUE(d->WaitForAnswer());
    EXPECT_EQ(Log, (std::vector<String>{"**ERROR Could not receive a datagram: Connection refused."}));
}

TEST_F(ReceiveThreadTest, AnExceptionInTheDispatchGoesToTheHandler) {
    std::vector<String> handled;
    SetExceptionHandler([&](const std::exception& e) { handled.push_back(e.what()); });
    TLoopbackPeer device(Echo(0x0002));
    Agent->Open();
    TdsProg* d = NewDevice(0x0002, device.Port());
    int reports = 0;
    d->OnReport = [&](TObject*, Integer) {
        if (++reports == 1) throw EConvertError("handler failed");
    };
    d->PackAndSend();
    ASSERT_TRUE(d->WaitForAnswer());
    ProcessMessages();
    EXPECT_EQ(handled, (std::vector<String>{"handler failed"}));
    d->PackAndSend();
    EXPECT_TRUE(d->WaitForAnswer());
    EXPECT_EQ(reports, 2);
}

TEST_F(ReceiveThreadTest, ARestartedDeviceIsHeardAfterItsPortWasClosed) {
    auto device = std::make_unique<TLoopbackPeer>(Echo(0x0003, 1));
    const std::uint16_t port = device->Port();
    Agent->Open();
    Agent->SetTimeOut(300);
    TdsProg* d = NewDevice(0x0003, port);
    d->PackAndSend();
    ASSERT_TRUE(d->WaitForAnswer());

    device.reset(); // the port is closed: the request draws a "port unreachable"
    d->PackAndSend();
    EXPECT_FALSE(d->WaitForAnswer());

    device = std::make_unique<TLoopbackPeer>(Echo(0x0003, 2), port);
    d->PackAndSend();
    ASSERT_TRUE(d->WaitForAnswer());
    EXPECT_EQ(d->InPayload->Elements[0], 2);
}

TEST_F(ReceiveThreadTest, AnOversizedDatagramKeepsItsFirst552Bytes) {
    TLoopbackPeer device([](const TBytes& req) {
        TBytes big = AnswerTo(req, 0x0004, [](TWire& w) { w.Payload.fill(0x10); });
        big.resize(700, 0xEE);
        return std::vector<TBytes>{big};
    });
    Agent->Open();
    TdsProg* d = NewDevice(0x0004, device.Port());
    d->PackAndSend();
    ASSERT_TRUE(d->WaitForAnswer());
    EXPECT_EQ(d->InPayload->Elements[511], 0x10);
    EXPECT_EQ(d->RxBuffer[551], 0xEE);
}

// The program ends without closing the agent: its owner frees it with the
// other components, which frees the UDP client it owns. The receive thread
// must have stopped before: it waits on the client's socket.
TEST(AgentLifetime, AnOpenAgentFreedByItsOwnerStopsItsThreadFirst) {
    InitEventLoop();
    auto* owner = new TComponent(nullptr);
    auto* agent = new TDataModule1(owner);
    agent->Open();
    ASSERT_TRUE(agent->Receiving());
    // Long enough for the thread to wait on the socket.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    owner->Free(); // returns only once the receive thread has ended
}
