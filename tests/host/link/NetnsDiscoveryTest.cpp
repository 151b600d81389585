// Discovery by broadcast, inside a private network made by the test: the
// test process moves into a new network namespace with a bridge at
// 192.0.2.1/24; each simulated device runs on a thread in a namespace of its
// own, joined to the bridge by a veth pair. Nothing of this reaches the
// machine's real network. Skips where namespaces cannot be made.
#include "host/link/dsProgE_L.h"
#include "host/link/UDPagnt.h"
#include "platform/rtl/EventLoop.h"
#include "tools/devsim/DevSim.h"

#include <gtest/gtest.h>

#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <future>
#include <map>
#include <memory>
#include <thread>

namespace {

struct TShellResult {
    int Status;
    std::string Output;
};

TShellResult Shell(const std::string& Command) {
    TShellResult r{-1, {}};
    FILE* p = ::popen((Command + " 2>&1").c_str(), "r");
    if (!p) return r;
    char buf[256];
    while (std::fgets(buf, sizeof buf, p))
        r.Output += buf;
    r.Status = ::pclose(p);
    return r;
}

// A simulated device on a thread that lives in a network namespace of its own.
class TIsolatedDevice {
public:
    explicit TIsolatedDevice(Word DeviceId) {
        FThread = std::thread([this, DeviceId] { Run(DeviceId); });
        FNamespace = FNamespaceReady.get_future().get();
    }
    ~TIsolatedDevice() {
        if (!FStartAsked) {
            FCancelled = true;
            FLinkReady.set_value();
        }
        FStop.set_value();
        FThread.join();
    }
    // The thread's id (its namespace is /proc/<pid>/task/<tid>/ns/net), or
    // an error text.
    const std::string& Namespace() const { return FNamespace; }
    // Starts the device once its link is configured; returns an error text.
    std::string Start() {
        FStartAsked = true;
        FLinkReady.set_value();
        return FStarted.get_future().get();
    }

private:
    void Run(Word DeviceId) {
        if (::unshare(CLONE_NEWNET) != 0) {
            FNamespaceReady.set_value("error: unshare: " + std::string(std::strerror(errno)));
            return;
        }
        FNamespaceReady.set_value(std::to_string(::syscall(SYS_gettid)));
        FLinkReady.get_future().wait();
        if (FCancelled) return;
        std::unique_ptr<TDevSim> sim;
        try {
            TDevSimOptions o; // binds 0.0.0.0:16388, as a device does
            o.Identity.DeviceID = DeviceId;
            o.Quiet = true;
            sim = std::make_unique<TDevSim>(o);
            sim->Start();
            FStarted.set_value({});
        } catch (const std::exception& e) {
            FStarted.set_value(e.what());
        }
        FStop.get_future().wait();
        if (sim) sim->Stop();
    }

    std::thread FThread;
    std::string FNamespace;
    std::promise<std::string> FNamespaceReady;
    std::promise<void> FLinkReady;
    std::promise<std::string> FStarted;
    std::promise<void> FStop;
    bool FStartAsked = false;
    std::atomic<bool> FCancelled{false};
};

} // namespace

TEST(NetnsDiscovery, TwoDevicesAnswerOneBroadcastAndBothBecomeDeviceObjects) {
    // Everything this process does on the network from here on stays in the
    // new namespace (threads made later inherit it).
    if (::unshare(CLONE_NEWNET) != 0)
        GTEST_SKIP() << "network namespaces are not available here (unshare: " << std::strerror(errno)
                     << "); the broadcast discovery test needs root or CAP_SYS_ADMIN";
    TShellResult setup = Shell("ip link set lo up && ip link add qbr0 type bridge && "
                               "ip addr add 192.0.2.1/24 dev qbr0 && ip link set qbr0 up && "
                               "ip route add default dev qbr0");
    if (setup.Status != 0) GTEST_SKIP() << "cannot build the private network (bridge): " << setup.Output;

    const Word ids[2] = {0x0A01, 0x0A02};
    std::vector<std::unique_ptr<TIsolatedDevice>> devices;
    for (int i = 0; i < 2; ++i) {
        auto dev = std::make_unique<TIsolatedDevice>(ids[i]);
        if (dev->Namespace().rfind("error", 0) == 0) GTEST_SKIP() << dev->Namespace();
        const std::string n = std::to_string(i + 1), host = "qh" + n, peer = "qd" + n;
        const std::string ns =
            "/proc/" + std::to_string(::getpid()) + "/task/" + dev->Namespace() + "/ns/net";
        TShellResult link =
            Shell("ip link add " + host + " type veth peer name " + peer + " && ip link set " + peer +
                  " netns " + dev->Namespace() + " && ip link set " + host + " master qbr0 && ip link set " +
                  host + " up && nsenter --net=" + ns + " sh -c 'ip link set lo up && ip addr add 192.0.2.1" +
                  n + "/24 dev " + peer + " && ip link set " + peer + " up'");
        if (link.Status != 0)
            GTEST_SKIP() << "cannot join a device to the private network (veth): " << link.Output;
        ASSERT_EQ(dev->Start(), "");
        devices.push_back(std::move(dev));
    }

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
