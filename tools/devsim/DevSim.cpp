#include "tools/devsim/DevSim.h"

#include "platform/rtl/Clock.h"
#include "platform/rtl/Threads.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace devsim {

namespace {

constexpr std::size_t MaxLogEntries = 10000;

TSimBootloader MakeDevice(const TDevSimOptions& o) {
    const TSimTarget target =
        o.Target
            ? *o.Target
            : (o.SettingsFile.empty() ? DefaultSimTarget() : LoadSimTarget(o.SettingsFile, o.TargetIndex));
    ValidateSimTarget(target);
    const TSimWindow window = o.Window ? *o.Window : DefaultSimWindow(target);
    TSimBootloader device(target, window, o.Identity, o.Version, o.DevIdRegister.value_or(target.DeviceID),
                          o.IpSettings);
    for (const auto& f : o.Faults)
        device.AddFault(f);
    return device;
}

String SourceText(const sockaddr_in& A) {
    char ip[INET_ADDRSTRLEN] = "?";
    inet_ntop(AF_INET, &A.sin_addr, ip, sizeof ip);
    return Format("%s:%d", {ip, ntohs(A.sin_port)});
}

} // namespace

struct TDevSim::TPending {
    Cardinal Due;
    TDatagramBytes Bytes;
    sockaddr_in To;
    bool FromOtherPort;
};

class TDevSimThread : public TThread {
public:
    explicit TDevSimThread(TDevSim* Owner) : FOwner(Owner) {}

protected:
    void Execute() override { FOwner->Serve(); }

private:
    TDevSim* FOwner;
};

TDevSim::TDevSim(const TDevSimOptions& Options) : FOptions(Options), FDevice(MakeDevice(Options)) {}

TDevSim::~TDevSim() {
    Stop();
}

void TDevSim::Start() {
    if (Running()) return;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    if (inet_pton(AF_INET, FOptions.BindAddress.c_str(), &addr.sin_addr) != 1)
        throw EDevSimError("Invalid bind address \"" + FOptions.BindAddress +
                           "\": expected a dotted IPv4 address.");
    const Word port = FPort ? FPort : FOptions.Port;
    addr.sin_port = htons(port);
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw EDevSimError(String("Cannot open a UDP socket: ") + std::strerror(errno) + ".");
    if (bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
        const int err = errno;
        close(fd);
        throw EDevSimError(
            Format("Cannot bind %s:%d: %s.", {FOptions.BindAddress, port, std::strerror(err)}));
    }
    socklen_t len = sizeof addr;
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    // Forged answers (the spoof fault) leave from another port of the same address.
    sockaddr_in other = addr;
    other.sin_port = 0;
    const int otherFd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (otherFd < 0 || bind(otherFd, reinterpret_cast<const sockaddr*>(&other), sizeof other) != 0) {
        const int err = errno;
        if (otherFd >= 0) close(otherFd);
        close(fd);
        throw EDevSimError(Format("Cannot open a second UDP socket on %s: %s.",
                                  {FOptions.BindAddress, std::strerror(err)}));
    }
    if (pipe2(FWake, O_CLOEXEC | O_NONBLOCK) != 0) {
        const int err = errno;
        close(otherFd);
        close(fd);
        throw EDevSimError(String("Cannot create the device's wake-up pipe: ") + std::strerror(err) + ".");
    }
    FSocket = fd;
    FOtherSocket = otherFd;
    FPort = ntohs(addr.sin_port);
    FThread = new TDevSimThread(this);
    FThread->Start();
}

void TDevSim::Stop() {
    if (!Running()) return;
    FThread->Terminate();
    const Byte b = 1;
    (void)!write(FWake[1], &b, 1);
    FThread->WaitFor();
    FreeAndNil(FThread);
    FPending.clear();
    close(FSocket);
    close(FOtherSocket);
    close(FWake[0]);
    close(FWake[1]);
    FSocket = FOtherSocket = FWake[0] = FWake[1] = -1;
}

void TDevSim::Serve() {
    while (!FThread->Terminated()) {
        pollfd fds[2] = {{FSocket, POLLIN, 0}, {FWake[0], POLLIN, 0}};
        const int n = poll(fds, 2, PollTimeout());
        if (n < 0 && errno != EINTR) {
            // Out of resources: keep serving, but do not spin on the error.
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        if (n > 0 && (fds[0].revents & POLLIN)) Receive();
        SendDue();
    }
}

int TDevSim::PollTimeout() const {
    if (FPending.empty()) return -1;
    // A manual clock only moves when a test moves it: look again soon.
    if (Clock().IsManual()) return 1;
    const Cardinal now = timeGetTime();
    Integer wait = INT32_MAX;
    for (const auto& p : FPending)
        wait = std::min(wait, static_cast<Integer>(p.Due - now));
    return wait < 0 ? 0 : wait;
}

void TDevSim::SendDue() {
    const Cardinal now = timeGetTime();
    for (std::size_t i = 0; i < FPending.size();) {
        const auto& p = FPending[i];
        if (static_cast<Integer>(now - p.Due) >= 0) {
            sendto(p.FromOtherPort ? FOtherSocket : FSocket, p.Bytes.data(), p.Bytes.size(), 0,
                   reinterpret_cast<const sockaddr*>(&p.To), sizeof p.To);
            FPending.erase(FPending.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

void TDevSim::Receive() {
    for (;;) {
        Byte buf[2048];
        sockaddr_in from{};
        socklen_t len = sizeof from;
        const ssize_t n = recvfrom(FSocket, buf, sizeof buf, MSG_DONTWAIT | MSG_TRUNC,
                                   reinterpret_cast<sockaddr*>(&from), &len);
        if (n < 0) return; // nothing more (or a transient error: the next poll tells)
        if (OnDatagram) OnDatagram(buf, std::min<std::size_t>(static_cast<std::size_t>(n), sizeof buf));
        TSimLogEntry entry;
        entry.Source = SourceText(from);
        {
            std::lock_guard<std::mutex> guard(FLock);
            std::vector<TSimAnswer> answers;
            try {
                answers = FDevice.Handle(buf, std::min<std::size_t>(n, sizeof buf), entry);
            } catch (const std::exception& e) {
                // One bad datagram must not end the device: log it as ignored.
                entry.Ignored = true;
                entry.Note = String("could not be handled: ") + e.what();
            }
            entry.Bytes = static_cast<std::size_t>(n);
            for (const auto& a : answers) {
                const TDatagramBytes bytes = EncodeDatagram(a.Datagram);
                if (a.DelayMs) {
                    FPending.push_back({timeGetTime() + a.DelayMs, bytes, from, a.FromOtherPort});
                } else if (sendto(a.FromOtherPort ? FOtherSocket : FSocket, bytes.data(), bytes.size(), 0,
                                  reinterpret_cast<const sockaddr*>(&from),
                                  sizeof from) != static_cast<ssize_t>(bytes.size())) {
                    entry.Note += String("; sending the answer failed: ") + std::strerror(errno);
                }
            }
            if (entry.Ignored)
                ++FIgnored;
            else
                ++FCounts[entry.Command];
            FLog.push_back(entry);
            if (FLog.size() > MaxLogEntries) FLog.pop_front();
        }
        FChanged.notify_all();
        if (OnRequest) OnRequest(entry);
    }
}

Cardinal TDevSim::ReadWord(Cardinal Address) const {
    std::lock_guard<std::mutex> guard(FLock);
    return FDevice.Flash().ReadWord(Address);
}

std::vector<Cardinal> TDevSim::ReadWords(Cardinal Address, Cardinal Count) const {
    std::lock_guard<std::mutex> guard(FLock);
    return FDevice.Flash().ReadWords(Address, Count);
}

void TDevSim::WriteWord(Cardinal Address, Cardinal Value) {
    std::lock_guard<std::mutex> guard(FLock);
    FDevice.Flash().WriteWord(Address, Value);
}

void TDevSim::WithFlash(const std::function<void(TFlashModel&)>& Fn) {
    std::lock_guard<std::mutex> guard(FLock);
    Fn(FDevice.Flash());
}

void TDevSim::SaveHex(const String& FileName) const {
    std::ofstream out(FileName, std::ios::binary | std::ios::trunc);
    if (out) {
        std::lock_guard<std::mutex> guard(FLock);
        FDevice.Flash().WriteIntelHex(out);
    }
    out.close();
    if (!out) throw EDevSimError("Cannot write \"" + FileName + "\": " + std::strerror(errno) + ".");
}

void TDevSim::AddFault(const TSimFault& Fault) {
    std::lock_guard<std::mutex> guard(FLock);
    FDevice.AddFault(Fault);
}

void TDevSim::AddFault(const String& Spec) {
    AddFault(ParseSimFault(Spec));
}

void TDevSim::ClearFaults() {
    std::lock_guard<std::mutex> guard(FLock);
    FDevice.ClearFaults();
}

void TDevSim::SetVersion(const TSimVersion& Version) {
    std::lock_guard<std::mutex> guard(FLock);
    FDevice.SetVersion(Version);
}

void TDevSim::SetDevIdRegister(Cardinal Value) {
    std::lock_guard<std::mutex> guard(FLock);
    FDevice.SetDevIdRegister(Value);
}

TSimIpSettings TDevSim::IpSettings() const {
    std::lock_guard<std::mutex> guard(FLock);
    return FDevice.IpSettings();
}

void TDevSim::SetIpSettings(const TSimIpSettings& Settings) {
    std::lock_guard<std::mutex> guard(FLock);
    FDevice.SetIpSettings(Settings);
}

Cardinal TDevSim::RunCount() const {
    std::lock_guard<std::mutex> guard(FLock);
    return FDevice.RunCount();
}

Cardinal TDevSim::RequestCount() const {
    std::lock_guard<std::mutex> guard(FLock);
    Cardinal sum = 0;
    for (Cardinal c : FCounts)
        sum += c;
    return sum;
}

Cardinal TDevSim::RequestCount(Byte Command) const {
    std::lock_guard<std::mutex> guard(FLock);
    return FCounts[Command];
}

Cardinal TDevSim::IgnoredCount() const {
    std::lock_guard<std::mutex> guard(FLock);
    return FIgnored;
}

std::vector<TSimLogEntry> TDevSim::RequestLog() const {
    std::lock_guard<std::mutex> guard(FLock);
    return {FLog.begin(), FLog.end()};
}

void TDevSim::ClearLog() {
    std::lock_guard<std::mutex> guard(FLock);
    FLog.clear();
    std::fill(std::begin(FCounts), std::end(FCounts), 0);
    FIgnored = 0;
}

bool TDevSim::WaitForRequests(Byte Command, Cardinal Count, Cardinal TimeoutMs) const {
    std::unique_lock<std::mutex> lock(FLock);
    return FChanged.wait_for(lock, std::chrono::milliseconds(TimeoutMs),
                             [&] { return FCounts[Command] >= Count; });
}

} // namespace devsim
