// Round trips to the simulated device over loopback: plain sockets (the
// baseline) against the report link (PackAndSend + WaitForAnswer through the
// agent, its receive thread and the hand-over to the GUI thread), and the CPU
// an unanswered 1 s WaitForAnswer costs.
//
//   link_roundtrip [round trips per run, default 2000]
//
// Targets: link / raw <= 1.5; idle wait <= 0.5 % of one core (the receive
// thread sleeps in the kernel until a datagram comes).
//
// The report link has one thread more on the way of an answer than the plain
// round trip (the receive thread hands the datagram to the GUI thread). The
// plain ping-pong stays on one CPU, as the scheduler puts a thread woken by a
// socket next to its waker; the link's threads spread over CPUs. Where waking
// a thread on another CPU is expensive (virtual machines) that dominates, so
// the run is repeated with every thread on one CPU, and the price of a
// wake-up on the same and on another CPU is printed beside it.

#include "host/link/dsProgE_L.h"
#include "host/link/UDPagnt.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/EventLoop.h"
#include "tools/devsim/DevSim.h"
#include "bench/support/RawUdp.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Micros(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// A version request as it goes on the wire, written out by hand.
std::vector<Byte> VersionRequest(Word MsgNum) {
    std::vector<Byte> b(539, 0x6D);
    const Cardinal magic = 0x515A564B;
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<Byte>(magic >> (8 * i));
    b[4] = b[5] = 0; // any device
    b[6] = static_cast<Byte>(MsgNum);
    b[7] = static_cast<Byte>(MsgNum >> 8);
    for (int i = 8; i < 20; ++i)
        b[i] = 0;
    b[20] = 0x00 ^ 0x6D;
    return b;
}

// Plain sockets: send, block until the answer is back.
std::vector<double> RawRoundTrips(Word Port, int Count) {
    return RawUdpRoundTrips(Port, Count, [](std::uint16_t MsgNum) { return VersionRequest(MsgNum); });
}

std::vector<double> LinkRoundTrips(TdsProg* Device, int Count) {
    std::vector<double> times;
    for (int i = 0; i < Count; ++i) {
        Device->Command->SetValue(0);
        const auto t0 = Clock::now();
        Device->PackAndSend();
        if (!Device->WaitForAnswer()) {
            std::fprintf(stderr, "link round trip %d: no answer\n", i);
            continue;
        }
        times.push_back(Micros(Clock::now() - t0));
    }
    return times;
}

struct TRun {
    double Raw = 0, Link = 0;
    double Ratio() const { return Raw > 0 ? Link / Raw : 0; }
};

// Warms both paths up, then alternates blocks of each so that both see the
// same machine.
TRun Measure(Word Port, TdsProg* Device, int Count) {
    RawRoundTrips(Port, 200);
    LinkRoundTrips(Device, 200);
    std::vector<double> raw, link;
    const int blocks = 5;
    for (int b = 0; b < blocks; ++b) {
        auto r = RawRoundTrips(Port, Count / blocks);
        auto l = LinkRoundTrips(Device, Count / blocks);
        raw.insert(raw.end(), r.begin(), r.end());
        link.insert(link.end(), l.begin(), l.end());
    }
    return {Median(raw), Median(link)};
}

// Two threads passing a token back and forth through eventfds, pinned to
// CPUs A and B: the price of waking a thread on the same or another CPU.
double WakeRoundTrip(int CpuA, int CpuB, int Count) {
    auto pin = [](int cpu) {
        cpu_set_t set;
        CPU_ZERO(&set);
        CPU_SET(static_cast<unsigned>(cpu), &set);
        ::pthread_setaffinity_np(::pthread_self(), sizeof set, &set);
    };
    const int ping = ::eventfd(0, 0), pong = ::eventfd(0, 0);
    std::thread partner([&] {
        pin(CpuB);
        std::uint64_t v;
        for (int i = 0; i < Count; ++i) {
            if (::read(ping, &v, sizeof v) != sizeof v || ::write(pong, &v, sizeof v) != sizeof v) break;
        }
    });
    cpu_set_t saved;
    ::pthread_getaffinity_np(::pthread_self(), sizeof saved, &saved);
    pin(CpuA);
    const auto t0 = Clock::now();
    for (int i = 0; i < Count; ++i) {
        std::uint64_t v = 1;
        if (::write(ping, &v, sizeof v) != sizeof v || ::read(pong, &v, sizeof v) != sizeof v) break;
    }
    const double us = Micros(Clock::now() - t0) / Count;
    partner.join();
    ::pthread_setaffinity_np(::pthread_self(), sizeof saved, &saved);
    ::close(ping);
    ::close(pong);
    return us;
}

double ProcessCpuSeconds() {
    timespec ts{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(10, std::atoi(argv[1])) : 2000;
    InitEventLoop();
    cpu_set_t all;
    ::sched_getaffinity(0, sizeof all, &all);

    TDevSimOptions o;
    o.BindAddress = "127.0.0.1";
    o.Port = 0;
    o.Quiet = true;
    o.Identity.DeviceID = 0x1234;
    TDevSim sim(o);
    sim.Start();

    auto* agent = new TDataModule1(nullptr);
    agent->OnDisplay = [](TObject*, const String& s) { std::fprintf(stderr, "%s\n", s.c_str()); };
    agent->Open();
    auto* device = new TdsProg(agent);
    device->Open();
    device->AfterOpen();
    device->SetIdAndRegister(0x1234);
    auto* dispatcher = new TdsProg(agent);
    dispatcher->SetIdAsDispatcher(0xFFFF);
    device->PeerIP = "127.0.0.1";
    device->PeerPort = sim.Port();
    // The header a device object takes from its device's first answer.
    device->Protocol_ID->SetValue(0x515A564B);
    device->Device_ID->SetValue(0x1234);

    const TRun spread = Measure(sim.Port(), device, count);

    // An unanswered wait: the device drops version requests.
    sim.AddFault("noanswer:0x00");
    agent->SetTimeOut(1000);
    device->Command->SetValue(0);
    device->PackAndSend();
    const double cpu0 = ProcessCpuSeconds();
    const auto t0 = Clock::now();
    const bool answered = device->WaitForAnswer();
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    const double cpuShare = (ProcessCpuSeconds() - cpu0) / wall * 100.0;
    sim.ClearFaults();
    agent->SetTimeOut(3000);

    // The same with every thread of the process on one CPU: the device and
    // the receive thread are restarted so that they inherit the affinity.
    // The difference to the run above is the cost of waking threads on
    // other CPUs; what is left is the link's own work.
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(static_cast<unsigned>(::sched_getcpu()), &one);
    const bool pinnedOk = ::sched_setaffinity(0, sizeof one, &one) == 0;
    sim.Stop();
    sim.Start();
    agent->Close();
    agent->Open();
    const TRun pinned = pinnedOk ? Measure(sim.Port(), device, count) : TRun{};
    ::sched_setaffinity(0, sizeof all, &all);

    std::printf("link_roundtrip: %d round trips each over loopback against the simulated device (medians)\n",
                count);
    std::printf("                                    raw UDP   report link   link / raw (target <= 1.50)\n");
    auto row = [](const char* name, const TRun& r) {
        std::printf("  %-32s %7.1f us  %9.1f us  %6.2f %s\n", name, r.Raw, r.Link, r.Ratio(),
                    r.Ratio() <= 1.5 ? "met" : "MISSED");
    };
    row("threads on any CPU", spread);
    if (pinnedOk) row("all threads on one CPU", pinned);
    if (pinnedOk && CPU_COUNT(&all) >= 2) {
        std::vector<int> cpus;
        for (int c = 0; c < CPU_SETSIZE && cpus.size() < 2; ++c)
            if (CPU_ISSET(c, &all)) cpus.push_back(c);
        const int a = cpus[0], b = cpus[1];
        std::printf("  thread wake-up round trip: same CPU %.1f us, two CPUs %.1f us\n",
                    WakeRoundTrip(a, a, 2000), WakeRoundTrip(a, b, 2000));
    }
    std::printf("  1 s unanswered wait: %.3f s, CPU   %8.2f %% of one core (target <= 0.5 %%) %s%s\n", wall,
                cpuShare, cpuShare <= 0.5 ? "met" : "MISSED", answered ? " [answered?]" : "");

    agent->Close();
    dispatcher->Free();
    device->Free();
    agent->Free();
    sim.Stop();
    return 0;
}
