// devsim: the simulated bootloader device as a program. Serves until SIGINT
// or SIGTERM, then writes its flash to --save-hex (when given) and ends with 0.
#include "tools/devsim/DevSimCommandLine.h"

#include <csignal>
#include <cstdio>
#include <memory>
#include <pthread.h>

using namespace devsim;

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    TDevSimCommandLine cl;
    try {
        cl = ParseDevSimCommandLine(std::vector<String>(argv + 1, argv + argc));
    } catch (const EDevSimError& e) {
        std::fprintf(stderr, "devsim: %s\n\n%s", e.Message.c_str(), DevSimUsage().c_str());
        return 2;
    }
    if (cl.Help) {
        std::fputs(DevSimUsage().c_str(), stdout);
        return 0;
    }
    const TDevSimOptions& o = cl.Options;

    // The signals are taken by sigwait below; block them before the
    // device's thread exists so that it inherits the mask.
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
    if (!o.Quiet) dev->OnRequest = [](const TSimLogEntry& e) { std::printf("%s\n", e.Text().c_str()); };
    try {
        dev->Start();
    } catch (const EDevSimError& e) {
        std::fprintf(stderr, "devsim: %s\n", e.Message.c_str());
        return 1;
    }
    const TSimTarget& t = dev->Target();
    std::printf("devsim: %s, Device_ID 0x%04X, bootloader %s, listening on %s:%u\n", t.DeviceName.c_str(),
                o.Identity.DeviceID, o.Version.Text().c_str(), o.BindAddress.c_str(), dev->Port());

    int sig = 0;
    while (sigwait(&stopSignals, &sig) != 0) {
    }
    dev->Stop();
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
