// The report agent: routing, the traffic log and the answer wait.
#include "host/link/LinkFixture.h"
#include "platform/rtl/Clock.h"

namespace {

TBytes Answer(std::uint16_t DeviceId, std::uint16_t MsgNum, std::uint8_t FirstPayloadByte = 0) {
    TWire w;
    w.DeviceId = DeviceId;
    w.MsgNum = MsgNum;
    w.Payload[0] = FirstPayloadByte;
    return w.Encode();
}

} // namespace

class RoutingTest : public LinkFixture {
protected:
    void SetUp() override {
        LinkFixture::SetUp();
        Dispatcher = NewDevice(0xFFFF, 0, true);
        Dispatcher->Protocol_ID->SetValue(0x515A564B);
        Agent->OnDeviceIDChanged = [this](TObject*, Integer oldId, Integer newId) {
            Renames.push_back({oldId, newId});
        };
        Agent->OnDeviceFound = [this](TObject*, Integer index, Integer count, Integer id) {
            Found.push_back({index, count, id});
            TdsProg* d = NewDevice(id);
            d->PeerIP = Agent->LastPeerIP;
            d->PeerPort = Agent->LastPeerPort;
        };
    }
    TdsProg* Dispatcher = nullptr;
    std::vector<std::vector<Integer>> Renames, Found;
};

TEST_F(RoutingTest, TheCurrentDeviceWinsOverAListedDeviceWithThatId) {
    TdsProg* other = NewDevice(0x0101);
    other->Device_ID->SetValue(0x0202); // listed, carrying the ID the answer has
    other->PackAndSend();
    TdsProg* cur = NewDevice(0x0202);
    cur->PackAndSend();
    Deliver(Answer(0x0202, 1, 0x5A));
    EXPECT_TRUE(cur->Answered);
    EXPECT_FALSE(other->Answered);
    EXPECT_EQ(cur->InPayload->Elements[0], 0x5A);
    EXPECT_TRUE(Agent->DeviceAnswered);
    EXPECT_FALSE(Dispatcher->Answered); // it read the datagram, but it was not its answer
}

TEST_F(RoutingTest, AListedDeviceIsFoundByItsDeviceId) {
    TdsProg* listed = NewDevice(0x0303);
    listed->Device_ID->SetValue(0x0303);
    listed->MsgNum->SetValue(76);
    listed->PackAndSend();
    TdsProg* cur = NewDevice(0x0404);
    cur->PackAndSend();
    Deliver(Answer(0x0303, 77));
    EXPECT_TRUE(listed->Answered);
    EXPECT_FALSE(cur->Answered);
    EXPECT_EQ(listed->MsgNum->GetValue(), 77);
    EXPECT_TRUE(Renames.empty());
    EXPECT_TRUE(Found.empty());
}

TEST_F(RoutingTest, AnUnknownIdRenamesTheCurrentPlaceholder) {
    TdsProg* placeholder = NewDevice(0);
    placeholder->PackAndSend();
    Deliver(Answer(0x1234, 1), "127.0.0.5", 5555);
    ASSERT_EQ(Renames.size(), 1u);
    EXPECT_EQ(Renames[0], (std::vector<Integer>{0, 0x1234}));
    EXPECT_EQ(placeholder->AssignedID, 0x1234);
    EXPECT_TRUE(placeholder->Answered);
    EXPECT_EQ(placeholder->PeerIP, "127.0.0.5");
    EXPECT_EQ(placeholder->PeerPort, 5555);
    EXPECT_TRUE(Found.empty());
}

TEST_F(RoutingTest, AnUnknownIdWithoutPlaceholderAsksForANewDevice) {
    TdsProg* known = NewDevice(0x0001);
    known->Device_ID->SetValue(0x0001);
    known->PackAndSend();
    Deliver(Answer(0x0777, 1, 9), "127.0.0.7", 7777);
    ASSERT_EQ(Found.size(), 1u);
    EXPECT_EQ(Found[0], (std::vector<Integer>{2, 2, 0x0777})); // the dispatcher is not listed
    TdsProg* made = Owned.back();
    EXPECT_EQ(Agent->CurrentDevice(), made);
    EXPECT_TRUE(made->Answered);
    EXPECT_EQ(made->InPayload->Elements[0], 9);
    EXPECT_EQ(made->PeerIP, "127.0.0.7");
    EXPECT_FALSE(known->Answered);
}

TEST_F(RoutingTest, DiscoveryDropsAnOutOfSequenceAnswer) {
    NewDevice(0);
    Dispatcher->Device_ID->SetValue(0);
    Dispatcher->Command->SetValue(0);
    Dispatcher->PackAndSend(); // MsgNum 1
    Deliver(Answer(0x1234, 7));
    EXPECT_EQ(Log, (std::vector<String>{"**ERROR Out of Sequence Control PDU Seq: 7"}));
    EXPECT_TRUE(Renames.empty());
    EXPECT_TRUE(Found.empty());
    EXPECT_FALSE(Agent->DeviceAnswered);
}

TEST_F(RoutingTest, TwoDevicesAnsweringOneDiscoveryBothBecomeDevices) {
    TdsProg* placeholder = NewDevice(0);
    Dispatcher->Device_ID->SetValue(0);
    Dispatcher->Command->SetValue(0);
    Dispatcher->PackAndSend();
    AsBroadcast(Dispatcher);
    ASSERT_EQ(Agent->CurrentDevice(), Dispatcher);
    const auto seq = static_cast<std::uint16_t>(TWire::Decode(Sent(Dispatcher)).MsgNum);
    Deliver(Answer(0x0A0A, seq), "127.0.0.10", 16388);
    Deliver(Answer(0x0B0B, seq), "127.0.0.11", 16388);
    EXPECT_TRUE(Log.empty());
    ASSERT_EQ(Renames.size(), 1u);
    EXPECT_EQ(placeholder->AssignedID, 0x0A0A);
    EXPECT_EQ(placeholder->PeerIP, "127.0.0.10");
    ASSERT_EQ(Found.size(), 1u);
    EXPECT_EQ(Found[0][2], 0x0B0B);
    EXPECT_EQ(Owned.back()->PeerIP, "127.0.0.11");
    EXPECT_EQ(Agent->DeviceCount(), 2);
}

TEST_F(RoutingTest, FreedOrRemovedDevicesAreNeverTouched) {
    TdsProg* a = NewDevice(0x0A);
    a->Device_ID->SetValue(0x0A);
    a->PackAndSend();
    TdsProg* b = NewDevice(0x0B);
    b->Device_ID->SetValue(0x0B);
    b->PackAndSend();
    FreeDevice(b); // the current device goes away
    EXPECT_EQ(Agent->CurrentDevice(), nullptr);
    EXPECT_EQ(Agent->DeviceCount(), 1);

    // No current device: routed by Device_ID to the device whose request
    // it answers.
    Deliver(Answer(0x0A, 1));
    EXPECT_TRUE(a->Answered);
    EXPECT_TRUE(Log.empty());
    Log.clear();

    a->PackAndSend();
    Agent->RemoveDeviceById(0x0A);
    EXPECT_EQ(Agent->CurrentDevice(), nullptr);
    EXPECT_EQ(Agent->DeviceCount(), 0);

    FreeDevice(Dispatcher);
    Deliver(Answer(0x0A, 2));
    ASSERT_EQ(Log.size(), 1u);
    EXPECT_EQ(Log[0].rfind("**ERROR", 0), 0u);
}

TEST_F(RoutingTest, AnAnswerComesFromWhereItsRequestWentAndCarriesItsMsgNum) {
    TdsProg* d = NewDevice(0x0D);
    d->Device_ID->SetValue(0x0D);
    d->PackAndSend(); // MsgNum 1 to the sink
    const String to = Format("127.0.0.1:%d", {Sink->Port()});
    struct TCase {
        TBytes Datagram;
        String Ip;
        Integer Port;
        String Logged; // empty: taken as the answer
    } cases[] = {
        {Answer(0x0D, 1, 0xEE), "127.0.0.9", 0, "**ERROR Datagram for device ID 0x000d from 127.0.0.9:" +
                                                    IntToStr(Sink->Port()) + " dropped: the request went to " + to},
        {Answer(0x0D, 1, 0xEE), "127.0.0.1", 4321,
         "**ERROR Datagram for device ID 0x000d from 127.0.0.1:4321 dropped: the request went to " + to},
        {Answer(0x0D, 2, 0xEE), "127.0.0.1", 0, "**ERROR Out of Sequence Control PDU Seq: 2"},
        {Answer(0x0D, 1, 0x11), "127.0.0.1", 0, ""},
        {Answer(0x0D, 1, 0xEE), "127.0.0.1", 0,
         "**ERROR Datagram for device ID 0x000d from " + to + " dropped: no request is waiting for an answer (Seq: 1)"},
    };
    for (const TCase& c : cases) {
        Log.clear();
        const bool before = d->Answered;
        Deliver(c.Datagram, c.Ip, c.Port);
        if (c.Logged.empty()) {
            EXPECT_TRUE(Log.empty());
            EXPECT_TRUE(d->Answered);
        } else {
            EXPECT_EQ(Log, std::vector<String>{c.Logged});
            EXPECT_EQ(d->Answered, before);
        }
        EXPECT_EQ(d->InPayload->Elements[0], c.Logged.empty() || before ? 0x11 : 0);
        EXPECT_EQ(d->PeerIP, "127.0.0.1");
        EXPECT_EQ(d->PeerPort, Sink->Port());
    }
    EXPECT_TRUE(Found.empty());
}

TEST_F(RoutingTest, AtMost256DevicesAreMadeAndEachRefusedIdIsLoggedOnce) {
    TdsProg* known = NewDevice(0x0001);
    known->Device_ID->SetValue(0x0001);
    known->PackAndSend();
    for (Integer id = 0x1000; id < 0x1000 + 300; ++id)
        Deliver(Answer(static_cast<std::uint16_t>(id), 1));
    Deliver(Answer(0x1000 + 299, 1)); // a refused ID again
    EXPECT_EQ(Agent->DeviceCount(), MaxDeviceObjects);
    EXPECT_EQ(Found.size(), static_cast<std::size_t>(MaxDeviceObjects - 1));
    ASSERT_EQ(Log.size(), 300u - (MaxDeviceObjects - 1));
    EXPECT_EQ(Log[0], Format("**ERROR Datagrams from device ID 0x%4.4x (127.0.0.1:%d) are dropped: the host keeps at "
                             "most 256 devices",
                             {0x1000 + MaxDeviceObjects - 1, Sink->Port()}));
}

TEST_F(RoutingTest, ListBookkeeping) {
    TdsProg* a = NewDevice(1);
    TdsProg* b = NewDevice(2);
    EXPECT_EQ(a->ListIndex, 0);
    EXPECT_EQ(b->ListIndex, 1);
    EXPECT_EQ(Agent->CurrentDevice(), b); // registering makes current
    EXPECT_EQ(Agent->GetCurrentIndex(), 0);
    Agent->SelectIndex(0); // already the current index: nothing
    EXPECT_EQ(Agent->CurrentDevice(), b);
    Agent->SelectIndex(2);
    EXPECT_EQ(Agent->CurrentDevice(), b);
    Agent->SelectIndex(1);
    EXPECT_EQ(Agent->CurrentDevice(), b);
    EXPECT_EQ(Agent->GetCurrentIndex(), 1);
    Agent->SelectIndex(0);
    EXPECT_EQ(Agent->CurrentDevice(), a);
    EXPECT_EQ(Agent->FindDeviceById(1), a); // current, by AssignedID
    EXPECT_EQ(Agent->FindDeviceById(2), nullptr);
    b->Device_ID->SetValue(2);
    EXPECT_EQ(Agent->FindDeviceById(2), b);
}

// ---------------------------------------------------------------- traffic log

TEST_F(RoutingTest, DumpLinesAreExact) {
    Byte buf[552] = {};
    for (int i = 0; i < 19; ++i)
        buf[i] = static_cast<Byte>(0x41 + i);
    Agent->DumpBuffer(buf, 19, 0);
    ASSERT_EQ(Log.size(), 2u);
    EXPECT_EQ(Log[0], "0x000000:   41 42 43 44 45 46 47 48 49 4a 4b 4c 4d 4e 4f 50   ABCDEFGHIJKLMNOP");
    EXPECT_EQ(Log[1], "0x000010:   51 52 53" + String(13 * 3, ' ') + "   QRS" + String(13, ' '));

    Log.clear();
    buf[0] = 0x1F;
    buf[1] = 0x7F;
    buf[2] = 0x80;
    Agent->DumpBuffer(buf, 3, 0);
    EXPECT_EQ(Log[0].substr(Log[0].size() - 16), String(".\x7F.") + String(13, ' '));

    Log.clear();
    Agent->DumpBuffer(buf, 0, 0);
    ASSERT_EQ(Log.size(), 1u);
    EXPECT_EQ(Log[0], "0x000000:   " + String(48, ' ') + "  " + String(16, ' '));

    Log.clear();
    std::fill(std::begin(buf), std::end(buf), 0x41);
    Agent->DumpBuffer(buf, 600, 0); // never more than 551 bytes of a buffer
    ASSERT_EQ(Log.size(), 38u);
    String hex;
    for (int i = 0; i < 7; ++i)
        hex += "41 ";
    EXPECT_EQ(Log[34], "0x000220:   " + hex + String(9 * 3, ' ') + "  " + String(7, 'A') + String(9, ' '));
    EXPECT_EQ(Log[37], "0x000250:   " + String(48, ' ') + "  " + String(16, ' '));
}

TEST_F(RoutingTest, ShowOperationsLogsEachDatagramAsReceivedOrDropped) {
    TdsProg* d = NewDevice(0x00AB);
    d->Device_ID->SetValue(0x00AB);
    d->PackAndSend();
    EXPECT_TRUE(Log.empty());
    Agent->SetShowOperations(true);
    d->PackAndSend(); // MsgNum 2
    ASSERT_EQ(Log.size(), 35u);
    EXPECT_EQ(Log[0], "Transmitting Message - ID 0x00ab ");
    EXPECT_EQ(Log[34].substr(0, 10), "0x000210: ");

    // A full list: further unknown IDs are refused.
    while (Agent->DeviceCount() < MaxDeviceObjects) {
        const Integer id = 0x0100 + Agent->DeviceCount();
        NewDevice(id)->Device_ID->SetValue(id);
    }
    struct TCase {
        const char* Name;
        TBytes Datagram;
        Integer Port;  // 0: from where the request went
        bool Reason;   // a line says why it was dropped
        String Header; // the line before the dump
    } cases[] = {
        {"the answer", Answer(0x00AB, 2), 0, false, "Message received - ID 0x00ab "},
        {"a second answer", Answer(0x00AB, 2), 0, true, "Message dropped - ID 0x00ab "},
        {"a wrong MsgNum", Answer(0x00AB, 9), 0, true, "Message dropped - ID 0x00ab "},
        {"another port", Answer(0x00AB, 3), 4321, true, "Message dropped - ID 0x00ab "},
        {"a refused ID", Answer(0x7777, 1), 0, true, "Message dropped - ID 0x7777 "},
        {"a refused ID again", Answer(0x7777, 1), 0, false, "Message dropped - ID 0x7777 "},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        if (c.Datagram == cases[2].Datagram) d->PackAndSend(); // MsgNum 3 waits from here on
        Log.clear();
        Deliver(c.Datagram, "127.0.0.1", c.Port);
        ASSERT_EQ(Log.size(), 35u + (c.Reason ? 1 : 0));
        if (c.Reason) {
            EXPECT_EQ(Log[0].rfind("**ERROR", 0), 0u) << Log[0];
        }
        EXPECT_EQ(Log[c.Reason ? 1 : 0], c.Header);
        EXPECT_EQ(Log.back().substr(0, 10), "0x000210: ");
    }
}

// ---------------------------------------------------------------- answer wait

TEST_F(RoutingTest, AWaitRunsTheQueueOnceEvenWithTimeOutZero) {
    TManualClock clock(1000);
    TScopedClock scoped(&clock);
    TdsProg* d = NewDevice(1);
    int delivered = 0;
    HWND wnd = AllocateHWnd([&](TMessage&) { ++delivered; });
    PostMessage(wnd, WM_USER, 0, 0);
    Agent->SetTimeOut(0);
    EXPECT_FALSE(d->WaitForAnswer());
    EXPECT_EQ(delivered, 1);
    EXPECT_EQ(clock.Now(), 1000u);
    DeallocateHWnd(wnd);
}

TEST_F(RoutingTest, AMissingAnswerIsPostedToTheMainWindowWhenAsked) {
    TManualClock clock(0xFFFFFF00); // the 32-bit clock wraps during the wait
    TScopedClock scoped(&clock);
    std::vector<WPARAM> posted;
    Agent->MainWindowHandle = AllocateHWnd([&](TMessage& m) {
        if (m.Msg == WM_APP + 100) posted.push_back(m.WParam);
    });
    TdsProg* d = NewDevice(0x0C0C);
    d->Device_ID->SetValue(0x0C0C);
    EXPECT_FALSE(d->WaitForAnswer());
    EXPECT_GE(clock.Now() - 0xFFFFFF00u, 3000u); // waited the whole time-out
    ProcessMessages();
    EXPECT_TRUE(posted.empty());

    d->NotifyNoAnswer = true;
    EXPECT_FALSE(d->WaitForAnswer());
    ProcessMessages();
    EXPECT_EQ(posted, (std::vector<WPARAM>{0x0C0C}));
    DeallocateHWnd(Agent->MainWindowHandle);
}
