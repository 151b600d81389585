// devsim: the simulated bootloader device as a program. Serves until SIGINT
// or SIGTERM, then writes its flash to --save-hex (when given) and ends with 0.
#include "tools/devsim/DevSimCommandLine.h"

#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <thread>

using namespace devsim;

namespace {

// Prints the request lines on a thread of its own, so that a reader of
// stdout that falls behind never holds up the device's answers. Lines that
// pile up beyond a limit are dropped and counted. Nothing is printed before
// Release, so the start-up line comes first.
class TLinePrinter {
public:
    TLinePrinter() : FThread([this] { Run(); }) {}
    ~TLinePrinter() {
        {
            std::lock_guard<std::mutex> guard(FLock);
            FDone = true;
        }
        FReady.notify_one();
        FThread.join();
    }
    void Release() {
        {
            std::lock_guard<std::mutex> guard(FLock);
            FHeld = false;
        }
        FReady.notify_one();
    }
    void Add(String Line) {
        {
            std::lock_guard<std::mutex> guard(FLock);
            if (FLines.size() >= 10000) {
                ++FDropped;
                return;
            }
            FLines.push_back(std::move(Line));
        }
        FReady.notify_one();
    }

private:
    void Run() {
        std::unique_lock<std::mutex> lock(FLock);
        for (;;) {
            FReady.wait(lock, [this] { return FDone || (!FHeld && !FLines.empty()); });
            if (FLines.empty()) return;
            String line = std::move(FLines.front());
            FLines.pop_front();
            const unsigned dropped = FDropped;
            FDropped = 0;
            lock.unlock();
            if (dropped) std::printf("devsim: %u request lines dropped (stdout fell behind)\n", dropped);
            std::printf("%s\n", line.c_str());
            lock.lock();
        }
    }

    std::mutex FLock;
    std::condition_variable FReady;
    std::deque<String> FLines;
    unsigned FDropped = 0;
    bool FDone = false;
    bool FHeld = true;
    std::thread FThread;
};

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    TDevSimCommandLine cl;
    try {
        cl = ParseDevSimCommandLine(std::vector<String>(argv + 1, argv + argc));
        if (!cl.Help) CheckDevSimFiles(cl.Options);
    } catch (const EDevSimError& e) {
        std::fprintf(stderr, "devsim: %s\n\n%s", e.Message.c_str(), DevSimUsage().c_str());
        return 2;
    }
    if (cl.Help) {
        std::fputs(DevSimUsage().c_str(), stdout);
        return 0;
    }
    const TDevSimOptions& o = cl.Options;

    // The signals are taken by sigwait below; block them before any other
    // thread exists so that every thread inherits the mask. A closed stdout
    // must not end the device.
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    std::unique_ptr<TDevSim> dev;
    try {
        dev = std::make_unique<TDevSim>(o);
    } catch (const EDevSimError& e) {
        std::fprintf(stderr, "devsim: %s\n", e.Message.c_str());
        return 2;
    }
    auto printer = std::make_unique<TLinePrinter>();
    if (!o.Quiet) dev->OnRequest = [p = printer.get()](const TSimLogEntry& e) { p->Add(e.Text()); };
    try {
        dev->Start();
    } catch (const EDevSimError& e) {
        std::fprintf(stderr, "devsim: %s\n", e.Message.c_str());
        return 1;
    }
    const TSimTarget& t = dev->Target();
    std::printf("devsim: %s, Device_ID 0x%04X, bootloader %s, listening on %s:%u\n", t.DeviceName.c_str(),
                o.Identity.DeviceID, o.Version.Text().c_str(), o.BindAddress.c_str(), dev->Port());
    std::fflush(stdout);
    printer->Release();

    int sig = 0;
    while (sigwait(&stopSignals, &sig) != 0) {
    }
    dev->Stop();
    printer.reset(); // every request line out before the last words
    if (!o.SaveHexFile.empty()) {
        try {
            dev->SaveHex(o.SaveHexFile);
        } catch (const EDevSimError& e) {
            std::fprintf(stderr, "devsim: %s\n", e.Message.c_str());
            return 1;
        }
        std::printf("devsim: flash written to %s\n", o.SaveHexFile.c_str());
    }
    return 0;
}
