// Programs and verifies a 512 KiB image into the simulated device over
// loopback (no simulated flash delays; the mandated pauses run on the test
// clock), records every request the upgrade sent, and replays exactly that
// sequence over plain UDP against the same device thread (waiting for each
// answer the device gave): the host's time divided by the replay's is what
// the host itself costs.
//
//   upgrade_bench [raw round trips, default 2000] [rounds, default 5]
//
// Each round is one upgrade followed by the replay of its own requests, so
// that both see the same machine; the median round's ratio is the result.
// Beside the times each round shows the CPU the whole process (device thread
// included) spent per request in either run, and the GUI thread's CPU and
// context switches per request: where the threads share one CPU the times
// follow the CPU, and a round whose times do not was disturbed by other work
// on the machine.
//
// Target: host time / replay time <= 1.3.

#include "host/image/Catalogue.h"
#include "host/ops/BootCommands.h"
#include "host/ops/BootloaderHost.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/EventLoop.h"
#include "platform/rtl/SysUtils.h"
#include "tools/devsim/DevSim.h"
#include "tools/devsim/SimDatagram.h"
#include "bench/support/RawUdp.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <vector>

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr Cardinal ImageBytes = 512 * 1024;
// A part with 1 MiB of program flash: the bootloader keeps its top 64 KiB,
// so a 512 KiB application fits below it.
constexpr Integer ProgramFlashBytes = 0x100000;

// A window with nothing to show: the options of a simple upgrade with verify.
class TBenchView : public IBootloaderView {
public:
    void AddResultLine(const String&) override {}
    void ClearResults() override {}
    void SetStatusText(const String& Text, bool) override { Status = Text; }
    TMsgBoxAnswer MessageBox(const String& Text, TMsgBoxKind, TMsgBoxButtons) override {
        std::fprintf(stderr, "message: %s\n", Text.c_str());
        ++Boxes;
        return maNo;
    }
    void SetProgressCaption(const String&) override {}
    void ShowProgress() override {}
    void HideProgress() override {}
    void SetProgress(Integer) override {}
    void SetHourglass(bool) override {}
    void Beep() override {}
    bool MenuChecked(TOpsMenuItem Item) const override {
        return Item == miOptionsVerifyAfter || Item == miOptionsProgMem;
    }
    void SetMenuChecked(TOpsMenuItem, bool) override {}
    void SetMenuEnabled(TOpsMenuItem, bool) override {}
    bool MenuVisible(TOpsMenuItem) const override { return false; }
    Byte OperatingMode() const override { return 1; }
    void ComboClear() override { Items = 0; }
    Integer ComboAdd(const String&) override { return Items++; }
    void ComboDelete(Integer) override { --Items; }
    void ComboSetItemText(Integer, const String&) override {}
    void ComboSetItemIndex(Integer Index) override { Selected = Index; }
    Integer ComboItemIndex() const override { return Selected; }
    void ComboSetText(const String&) override {}
    void EnableDeviceControls(bool) override {}
    void ClearRomMemo() override {}
    void SaveHexFile() override {}
    bool ExecuteIpDialog(TIpDialogValues&) override { return false; }
    void CloseMainWindow() override {}

    String Status;
    Integer Boxes = 0, Items = 0, Selected = -1;
};

// Intel HEX of ImageBytes of made-up program words from the start of
// program flash.
String ImageHex(Cardinal PhysStart) {
    String text;
    Cardinal x = 0x13579BDF;
    for (Cardinal offset = 0; offset < ImageBytes; offset += 16) {
        const Cardinal a = PhysStart + offset;
        if ((a & 0xFFFF) == 0)
            text += Format(":02000004%4.4X%2.2X\r\n",
                           {a >> 16, (0x100 - 6 - (a >> 24) - ((a >> 16) & 0xFF)) & 0xFF});
        Integer sum = 16 + ((a >> 8) & 0xFF) + (a & 0xFF);
        String line = Format(":10%4.4X00", {a & 0xFFFF});
        for (Integer w = 0; w < 4; ++w) {
            x = x * 1664525 + 1013904223;
            for (Integer b = 0; b < 4; ++b) {
                const Integer v = (x >> (8 * b)) & 0xFF;
                line += Format("%2.2X", {v});
                sum += v;
            }
        }
        text += line + Format("%2.2X\r\n", {(-sum) & 0xFF});
    }
    return text + ":00000001FF\r\n";
}

// A read of one program block, as the verify sends it, written out by hand.
std::vector<Byte> ReadRequest(Word DeviceId, Word MsgNum, Cardinal Address) {
    devsim::TSimDatagram d;
    d.DeviceID = DeviceId;
    d.MsgNum = MsgNum;
    d.Command = devsim::cmdRead;
    d.Length = 128;
    d.Address = Address;
    const auto bytes = devsim::EncodeDatagram(d);
    return {bytes.begin(), bytes.end()};
}

// Plain sockets: send, block until the answer is back. Median in us.
double RawRoundTrip(Word Port, Word DeviceId, Cardinal Address, int Count) {
    auto times = RawUdpRoundTrips(Port, Count, [&](std::uint16_t MsgNum) { return ReadRequest(DeviceId, MsgNum, Address); });
    std::sort(times.begin(), times.end());
    return times.empty() ? 0 : times[times.size() / 2];
}

// CPU time and context switches of the calling thread.
struct TThreadUsage {
    double CpuMs = 0;
    long Voluntary = 0, Involuntary = 0;
    TThreadUsage operator-(const TThreadUsage& o) const {
        return {CpuMs - o.CpuMs, Voluntary - o.Voluntary, Involuntary - o.Involuntary};
    }
};

TThreadUsage ThreadUsage() {
    rusage u{};
    ::getrusage(RUSAGE_THREAD, &u);
    timespec c{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &c);
    return {static_cast<double>(c.tv_sec) * 1e3 + static_cast<double>(c.tv_nsec) / 1e6, u.ru_nvcsw,
            u.ru_nivcsw};
}

double ProcessCpuMs() {
    timespec c{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c);
    return static_cast<double>(c.tv_sec) * 1e3 + static_cast<double>(c.tv_nsec) / 1e6;
}

// One upgrade and the replay of its requests.
struct TRound {
    double HostMs = 0, ReplayMs = 0;
    double HostCpuMs = 0, ReplayCpuMs = 0; // the whole process's (device thread included)
    TThreadUsage Gui;                      // the GUI thread during the upgrade
    double Ratio() const { return ReplayMs > 0 ? HostMs / ReplayMs : 0; }
};

} // namespace

int main(int argc, char** argv) {
    const int rawCount = argc > 1 ? std::max(10, std::atoi(argv[1])) : 2000;
    const int roundCount = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    InitEventLoop();
    TManualClock clock(1000);
    TScopedClock scoped(&clock);
    // Answers come within a real wait of this length; a longer one would be
    // taken for a lost answer.
    SetManualClockGrace(2000);
    SetProgramVersionInfo(&HostVersionInfo());

    const char* source = std::getenv("QUENTA_SOURCE_DIR");
    TSettings settings = LoadSettings(String(source ? source : QUENTA_SOURCE_DIR_FALLBACK) + "/dist/",
                                      [](const String& l) { std::fprintf(stderr, "%s\n", l.c_str()); });
    TDeviceTypeRec target = settings.CurrentTarget;
    target.ProgMemSizePcu = ProgramFlashBytes;
    DeriveDeviceFields(target);

    TDevSimOptions o;
    o.BindAddress = "127.0.0.1";
    o.Port = 0;
    o.Quiet = true;
    devsim::TSimTarget simTarget = devsim::DefaultSimTarget();
    simTarget.ProgMemSizePcu = ProgramFlashBytes;
    o.Target = simTarget;
    TDevSim sim(o);
    // The requests of the upgrade, as the device received them.
    std::mutex recordLock;
    bool recording = false;
    std::vector<TRawRequest> recorded;
    sim.OnDatagram = [&](const Byte* Data, std::size_t Count) {
        std::lock_guard<std::mutex> guard(recordLock);
        if (recording) recorded.push_back({{Data, Data + Count}, false});
    };
    sim.OnRequest = [&](const devsim::TSimLogEntry& Entry) {
        std::lock_guard<std::mutex> guard(recordLock);
        if (recording && !recorded.empty()) recorded.back().Answered = Entry.Answers > 0;
    };
    sim.Start();

    TBenchView view;
    auto* agent = new TDataModule1(nullptr);
    int result = 0;
    {
        TBootloaderHost host(view, *agent);
        host.ApplySettings(settings);
        host.CurrentTarget = target;
        host.Image.Buffers.Allocate(target);
        host.ReadOwnVersion();
        host.AtStartup = false;
        host.WireAgent();
        agent->Open();
        agent->IdUDPControl->SetBroadcastEnabled(false);
        host.CreateDispatcher();
        host.DiscoveryPort = sim.Port();
        host.FixedIP_BtnClick("127.0.0.1");
        host.Image.Lines.SetText(ImageHex(static_cast<Cardinal>(target.ProgMemPhysicalStartPcu)));
        if (!host.SelectedDevice() || !host.Image.ImageLoaded(target)) {
            std::fprintf(stderr, "upgrade_bench: no device or no image\n");
            return 1;
        }
        const Word deviceId = static_cast<Word>(host.SelectedDevice()->AssignedID);

        // Warm both paths up.
        RawRoundTrip(sim.Port(), deviceId, 0x9D000000, 200);
        host.Prog_GetBLVersionClick();

        // Rounds of one upgrade and the replay of its own requests, so that
        // both see the same machine; the median round is reported.
        std::vector<TRound> rounds;
        bool ok = true;
        Cardinal awaited = 0;
        std::size_t requestCount = 0;
        for (int r = 0; r < roundCount && ok; ++r) {
            sim.ClearLog();
            {
                std::lock_guard<std::mutex> guard(recordLock);
                recording = true;
            }
            TRound round;
            const TThreadUsage before = ThreadUsage();
            const double cpu0 = ProcessCpuMs();
            const auto t0 = SteadyClock::now();
            host.Prog_BlockProgramClick();
            round.HostMs = std::chrono::duration<double, std::milli>(SteadyClock::now() - t0).count();
            round.HostCpuMs = ProcessCpuMs() - cpu0;
            round.Gui = ThreadUsage() - before;
            std::vector<TRawRequest> requests;
            {
                std::lock_guard<std::mutex> guard(recordLock);
                recording = false;
                requests.swap(recorded);
            }
            awaited =
                sim.RequestCount() - sim.RequestCount(cmdProgramChunk) - sim.RequestCount(cmdRunApplication);
            requestCount = requests.size();
            // The same requests again, over plain UDP (twice: the first warms up).
            RawUdpReplay(sim.Port(), requests);
            const double cpu1 = ProcessCpuMs();
            round.ReplayMs = RawUdpReplay(sim.Port(), requests) / 1000.0;
            round.ReplayCpuMs = ProcessCpuMs() - cpu1;
            rounds.push_back(round);
            ok = view.Status == "Programming operation completed" && view.Boxes == 0;
            view.Status.clear();
        }
        const double raw = RawRoundTrip(sim.Port(), deviceId, 0x9D000000, rawCount);
        std::printf("upgrade: %u KiB image programmed and verified over loopback: %s\n", ImageBytes / 1024,
                    ok ? "done" : ("FAILED (" + view.Status + ")").c_str());
        std::printf("  requests (awaited)                %8zu (%u)\n", requestCount, awaited);
        std::printf("  raw UDP round trip (median of %d) %6.1f us\n", rawCount, raw);
        const double perRequest = 1000.0 / static_cast<double>(std::max<std::size_t>(requestCount, 1));
        std::printf(
            "  round   host ms  replay ms  host/replay | CPU a request: process host, replay; GUI thread "
            "(its switches a request)\n");
        for (std::size_t r = 0; r < rounds.size(); ++r)
            std::printf("  %5zu  %8.1f  %9.1f  %11.2f | %6.1f us %6.1f us  %6.1f us  (%.2f voluntary, %.2f "
                        "involuntary)\n",
                        r + 1, rounds[r].HostMs, rounds[r].ReplayMs, rounds[r].Ratio(),
                        rounds[r].HostCpuMs * perRequest, rounds[r].ReplayCpuMs * perRequest,
                        rounds[r].Gui.CpuMs * perRequest,
                        static_cast<double>(rounds[r].Gui.Voluntary) * perRequest / 1000,
                        static_cast<double>(rounds[r].Gui.Involuntary) * perRequest / 1000);
        auto median = [&rounds](auto Of) {
            std::vector<double> v;
            for (const TRound& r : rounds)
                v.push_back(Of(r));
            std::sort(v.begin(), v.end());
            return v.empty() ? 0.0 : v[v.size() / 2];
        };
        const double ratio = median([](const TRound& r) { return r.Ratio(); });
        const double cpuRatio =
            median([](const TRound& r) { return r.ReplayCpuMs > 0 ? r.HostCpuMs / r.ReplayCpuMs : 0; });
        std::printf("  process CPU host / replay, median round  %5.2f\n", cpuRatio);
        std::printf("  host / replay, median round       %8.2f   (target <= 1.30) %s\n", ratio,
                    ratio <= 1.3 ? "met" : "MISSED");
        result = ok ? 0 : 1;
        agent->Close();
    }
    agent->Free();
    sim.Stop();
    return result;
}
