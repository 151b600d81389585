// Programs and verifies a 512 KiB image into the simulated device over
// loopback (no simulated flash delays; the mandated pauses run on the test
// clock), records every request the upgrade sent, and replays exactly that
// sequence over plain UDP against the same device thread (waiting for each
// answer the device gave): the host's time divided by the replay's is what
// the host itself costs.
//
//   upgrade_bench [raw round trips, default 2000]
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

} // namespace

int main(int argc, char** argv) {
    const int rawCount = argc > 1 ? std::max(10, std::atoi(argv[1])) : 2000;
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

        sim.ClearLog();
        {
            std::lock_guard<std::mutex> guard(recordLock);
            recording = true;
        }
        const auto t0 = SteadyClock::now();
        host.Prog_BlockProgramClick();
        const double wallMs = std::chrono::duration<double, std::milli>(SteadyClock::now() - t0).count();
        std::vector<TRawRequest> requests;
        {
            std::lock_guard<std::mutex> guard(recordLock);
            recording = false;
            requests.swap(recorded);
        }
        const Cardinal awaited =
            sim.RequestCount() - sim.RequestCount(cmdProgramChunk) - sim.RequestCount(cmdRunApplication);
        // The same requests again, over plain UDP (twice: the first warms up).
        RawUdpReplay(sim.Port(), requests);
        const double replayMs = RawUdpReplay(sim.Port(), requests) / 1000.0;
        const double raw = RawRoundTrip(sim.Port(), deviceId, 0x9D000000, rawCount);
        const double ratio = replayMs > 0 ? wallMs / replayMs : 0;
        const bool ok = view.Status == "Programming operation completed" && view.Boxes == 0;
        std::printf("upgrade: %u KiB image programmed and verified over loopback: %s\n", ImageBytes / 1024,
                    ok ? "done" : ("FAILED (" + view.Status + ")").c_str());
        std::printf("  requests (awaited)                %8zu (%u)\n", requests.size(), awaited);
        std::printf("  host wall time                    %8.1f ms\n", wallMs);
        std::printf("  the same requests over raw UDP    %8.1f ms\n", replayMs);
        std::printf("  raw UDP round trip (median of %d) %6.1f us\n", rawCount, raw);
        std::printf("  host / replay                     %8.2f   (target <= 1.30) %s\n", ratio,
                    ratio <= 1.3 ? "met" : "MISSED");
        result = ok ? 0 : 1;
        agent->Close();
    }
    agent->Free();
    sim.Stop();
    return result;
}
