// Discovery by broadcast, inside a private network made by the test: the
// test process moves into a new network namespace with a bridge at
// 192.0.2.1/24; each simulated device runs on a thread in a namespace of its
// own, joined to the bridge by a veth pair. Nothing of this reaches the
// machine's real network. Skips where namespaces cannot be made.
#include "host/link/dsProgE_L.h"
#include "host/link/UDPagnt.h"
#include "platform/rtl/EventLoop.h"
#include "support/PrivateNetwork.h"

#include <gtest/gtest.h>

#include <map>

TEST(NetnsDiscovery, TwoDevicesAnswerOneBroadcastAndBothBecomeDeviceObjects) {
    std::vector<std::unique_ptr<TIsolatedDevice>> devices;
    const std::string problem = MakePrivateNetwork({0x0A01, 0x0A02}, devices);
    if (!problem.empty()) GTEST_SKIP() << problem;

    InitEventLoop();
    auto* agent = new TDataModule1(nullptr);
    std::vector<TdsProg*> owned;
    auto make = [&](Integer id, bool dispatcher) {
        auto* d = new TdsProg(agent);
        d->Open();
        d->AfterOpen();
        dispatcher ? d->SetIdAsDispatcher(id) : d->SetIdAndRegister(id);
        owned.push_back(d);
        return d;
    };
    std::vector<String> log;
    agent->OnDisplay = [&](TObject*, const String& s) { log.push_back(s); };
    agent->OnDeviceFound = [&](TObject*, Integer, Integer, Integer id) {
        TdsProg* d = make(id, false);
        d->PeerIP = agent->LastPeerIP;
        d->PeerPort = agent->LastPeerPort;
    };
    agent->Open();
    TdsProg* dispatcher = make(0xFFFF, true);
    TdsProg* placeholder = make(0, false);

    // Find All: one request to 255.255.255.255:16388.
    dispatcher->Protocol_ID->SetValue(0x515A564B);
    dispatcher->Device_ID->SetValue(0);
    dispatcher->Command->SetValue(0);
    ASSERT_EQ(dispatcher->PeerIP, "255.255.255.255");
    dispatcher->Send();
    EXPECT_TRUE(dispatcher->WaitReply());
    for (int i = 0; i < 150 && agent->DeviceCount() < 2; ++i)
        WaitMessage(20);

    ASSERT_EQ(agent->DeviceCount(), 2);
    std::map<Integer, String> found;
    for (Integer i = 0; i < 2; ++i) {
        auto* d = static_cast<TdsProg*>(agent->GetDevice(i));
        found[d->AssignedID] = d->PeerIP;
        EXPECT_EQ(d->PeerPort, 16388);
    }
    EXPECT_EQ(found, (std::map<Integer, String>{{0x0A01, "192.0.2.11"}, {0x0A02, "192.0.2.12"}}));
    EXPECT_TRUE(placeholder->AssignedID == 0x0A01 || placeholder->AssignedID == 0x0A02);
    EXPECT_TRUE(log.empty()) << log.front();

    // Each is reachable on its own address from now on.
    for (Integer i = 0; i < 2; ++i) {
        auto* d = static_cast<TdsProg*>(agent->GetDevice(i));
        d->Command->SetValue(0);
        d->PackAndSend();
        EXPECT_TRUE(d->WaitForAnswer()) << d->PeerIP;
        EXPECT_EQ(d->Device_ID->GetValue(), d->AssignedID);
    }

    agent->Close();
    for (TdsProg* d : owned)
        d->Free();
    agent->Free();
}
