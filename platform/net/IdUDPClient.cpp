#include "platform/net/IdUDPClient.h"
#include "platform/rtl/Guards.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>

namespace {

String ErrorText(int Code) {
    return String(std::strerror(Code));
}

// The IPv4 address of a dotted address or host name.
in_addr Resolve(const String& Host) {
    in_addr addr{};
    if (::inet_pton(AF_INET, Host.c_str(), &addr) == 1) return addr;
    if (Host.empty()) throw EIdSocketError("Could not send: no destination host was given.");
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* list = nullptr;
    int rc = ::getaddrinfo(Host.c_str(), nullptr, &hints, &list);
    if (rc != 0 || !list)
        throw EIdSocketError(Format("Could not resolve the host name \"%s\": %s. Check the name or use a "
                                    "dotted IP address.",
                                    {Host, String(::gai_strerror(rc))}));
    addr = reinterpret_cast<sockaddr_in*>(list->ai_addr)->sin_addr;
    ::freeaddrinfo(list);
    return addr;
}

} // namespace

TIdUDPClient::TIdUDPClient(TComponent* AOwner)
    : TComponent(AOwner), FCancel(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (FCancel < 0)
        throw EIdSocketError(Format("Could not create the UDP client's wake-up counter: %s.", {ErrorText(errno)}));
}

TIdUDPClient::~TIdUDPClient() {
    CloseSocket();
    ::close(FCancel);
}

void TIdUDPClient::CancelReceive() {
    const std::uint64_t one = 1;
    (void)!::write(FCancel, &one, sizeof one);
}

void TIdUDPClient::SetActive(bool Value) {
    if (Value == Active()) return;
    if (Value)
        OpenSocket();
    else
        CloseSocket();
}

void TIdUDPClient::SetBroadcastEnabled(bool Value) {
    if (Value == FBroadcastEnabled) return;
    FBroadcastEnabled = Value;
    int fd = FSocket.load();
    if (fd >= 0) ApplyBroadcast(fd);
}

void TIdUDPClient::ApplyBroadcast(int Fd) {
    int on = FBroadcastEnabled ? 1 : 0;
    if (::setsockopt(Fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0)
        throw EIdSocketError(
            Format("Could not set the broadcast permission of the UDP socket: %s.", {ErrorText(errno)}));
}

void TIdUDPClient::OpenSocket() {
    std::lock_guard<std::mutex> g(FOpenLock);
    if (FSocket.load() >= 0) return;
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    if (fd < 0) throw EIdSocketError(Format("Could not open a UDP socket: %s.", {ErrorText(errno)}));
    TScopeExit closeOnFailure([fd] { ::close(fd); });
    ApplyBroadcast(fd);
    closeOnFailure.Release();
    FSocket.store(fd);
}

void TIdUDPClient::CloseSocket() {
    std::lock_guard<std::mutex> g(FOpenLock);
    int fd = FSocket.exchange(-1);
    if (fd >= 0) ::close(fd);
}

int TIdUDPClient::Socket() {
    int fd = FSocket.load();
    if (fd >= 0) return fd;
    OpenSocket();
    return FSocket.load();
}

void TIdUDPClient::SendBuffer(const String& AHost, Integer APort, const void* Buffer, Integer Count) {
    if (Count < 0) throw EIdSocketError(Format("Cannot send %d bytes.", {Count}));
    if (APort < 0 || APort > 0xFFFF)
        throw EIdSocketError(
            Format("Could not send to %s: port %d is not a valid UDP port.", {AHost, APort}));
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(APort));
    to.sin_addr = Resolve(AHost);
    int fd = Socket();

    ssize_t sent;
    do {
        sent =
            ::sendto(fd, Buffer, static_cast<size_t>(Count), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    } while (sent < 0 && errno == EINTR);
    if (sent < 0) {
        int err = errno;
        if (err == EMSGSIZE) throw EIdPackageSizeTooBig("Package Size Too Big.");
        if (err == EACCES && !FBroadcastEnabled)
            throw EIdSocketError(Format("Could not send to %s:%d: %s. Sending to a broadcast address needs "
                                        "BroadcastEnabled.",
                                        {AHost, APort, ErrorText(err)}));
        throw EIdSocketError(Format("Could not send to %s:%d: %s.", {AHost, APort, ErrorText(err)}));
    }
    if (sent != Count) throw EIdNotAllBytesSent("Not all bytes sent.");
}

Integer TIdUDPClient::ReceiveBuffer(void* Buffer, Integer Size, String& PeerIP, Integer& PeerPort,
                                    Integer AMSec) {
    using namespace std::chrono;
    Integer wait = AMSec == IdTimeoutDefault ? FReceiveTimeout : AMSec;
    int fd = Socket();

    // poll may be interrupted by a signal: keep waiting for what is left.
    // A look without waiting needs no poll (the receive below tells) and
    // leaves a pending cancel to the next wait.
    const auto deadline = steady_clock::now() + milliseconds(wait < 0 ? 0 : wait);
    while (wait != 0) {
        int left = -1;
        if (wait >= 0) {
            auto rest = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
            left = rest > 0 ? static_cast<int>(rest) : 0;
        }
        pollfd p[2] = {{fd, POLLIN, 0}, {FCancel, POLLIN, 0}};
        int rc = ::poll(p, 2, left);
        if (rc > 0 && (p[0].revents & (POLLIN | POLLERR))) break;
        if (rc > 0) {
            std::uint64_t count;
            (void)!::read(FCancel, &count, sizeof count);
            return 0;
        }
        if (rc == 0) return 0;
        if (errno != EINTR)
            throw EIdSocketError(Format("Could not wait for a datagram: %s.", {ErrorText(errno)}));
    }

    sockaddr_in from{};
    socklen_t fromLen = sizeof from;
    ssize_t n;
    do {
        n = ::recvfrom(fd, Buffer, static_cast<size_t>(Size < 0 ? 0 : Size), MSG_DONTWAIT,
                       reinterpret_cast<sockaddr*>(&from), &fromLen);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
        throw EIdSocketError(Format("Could not receive a datagram: %s.", {ErrorText(errno)}));
    }
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
    PeerIP = text;
    PeerPort = ntohs(from.sin_port);
    return static_cast<Integer>(n);
}

Integer TIdUDPClient::LocalPort() const {
    int fd = FSocket.load();
    if (fd < 0) return 0;
    sockaddr_in local{};
    socklen_t len = sizeof local;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &len) != 0) return 0;
    return ntohs(local.sin_port);
}
