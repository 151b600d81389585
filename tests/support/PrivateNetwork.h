#pragma once
// A private network for broadcast tests: the test process moves into a new
// network namespace with a bridge at 192.0.2.1/24; each simulated device
// runs on a thread in a namespace of its own, joined to the bridge by a veth
// pair at 192.0.2.1<n>. Nothing of this reaches the machine's real network.
// Tests that use it carry the label netns and skip where namespaces cannot
// be made (MakePrivateNetwork returns why).

#include "tools/devsim/DevSim.h"
#include "tools/devsim/SimDatagram.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <future>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

struct TShellResult {
    int Status;
    std::string Output;
};

inline TShellResult Shell(const std::string& Command) {
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

// Asks the device at Address for its version until it answers (up to about
// five seconds). A freshly made veth link carries nothing until both ends
// are up and the bridge forwards on it; a broadcast sent before that is lost
// without a trace, so the tests begin only once every device answers.
inline bool DeviceAnswers(const std::string& Address, Word DeviceId) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0) return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(devsim::DefaultDevicePort);
    ::inet_pton(AF_INET, Address.c_str(), &to.sin_addr);
    devsim::TSimDatagram request;
    request.DeviceID = DeviceId;
    request.Command = devsim::cmdVersion;
    const devsim::TDatagramBytes bytes = devsim::EncodeDatagram(request);
    bool answered = false;
    for (int attempt = 0; attempt < 50 && !answered; ++attempt) {
        ::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
        pollfd p{fd, POLLIN, 0};
        answered = ::poll(&p, 1, 100) == 1;
    }
    ::close(fd);
    return answered;
}

// Moves the process into the private network and starts one device per ID
// (device n at 192.0.2.1<n>, n from 1). Returns "" when all is in place,
// else why the network cannot be made here; raises when a device fails.
inline std::string MakePrivateNetwork(const std::vector<Word>& DeviceIds,
                                      std::vector<std::unique_ptr<TIsolatedDevice>>& Devices) {
    // Everything this process does on the network from here on stays in the
    // new namespace (threads made later inherit it).
    if (::unshare(CLONE_NEWNET) != 0)
        return "network namespaces are not available here (unshare: " + std::string(std::strerror(errno)) +
               "); broadcast tests need root or CAP_SYS_ADMIN";
    TShellResult setup = Shell("ip link set lo up && ip link add qbr0 type bridge && "
                               "ip addr add 192.0.2.1/24 dev qbr0 && ip link set qbr0 up && "
                               "ip route add default dev qbr0");
    if (setup.Status != 0) return "cannot build the private network (bridge): " + setup.Output;
    for (std::size_t i = 0; i < DeviceIds.size(); ++i) {
        auto dev = std::make_unique<TIsolatedDevice>(DeviceIds[i]);
        if (dev->Namespace().rfind("error", 0) == 0) return dev->Namespace();
        const std::string n = std::to_string(i + 1), host = "qh" + n, peer = "qd" + n;
        const std::string ns =
            "/proc/" + std::to_string(::getpid()) + "/task/" + dev->Namespace() + "/ns/net";
        TShellResult link =
            Shell("ip link add " + host + " type veth peer name " + peer + " && ip link set " + peer +
                  " netns " + dev->Namespace() + " && ip link set " + host + " master qbr0 && ip link set " +
                  host + " up && nsenter --net=" + ns + " sh -c 'ip link set lo up && ip addr add 192.0.2.1" +
                  n + "/24 dev " + peer + " && ip link set " + peer + " up'");
        if (link.Status != 0) return "cannot join a device to the private network (veth): " + link.Output;
        // A device that cannot start is a fault, not a missing facility.
        const std::string started = dev->Start();
        if (!started.empty()) throw std::runtime_error("the simulated device did not start: " + started);
        Devices.push_back(std::move(dev));
        if (!DeviceAnswers("192.0.2.1" + n, DeviceIds[i]))
            throw std::runtime_error("the simulated device at 192.0.2.1" + n + " does not answer");
    }
    return {};
}
