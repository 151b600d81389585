#pragma once
// Test helpers on the loopback interface: a device stand-in that answers
// each datagram through a function, written on plain sockets, and a wire
// codec of its own (written from the datagram table, not from host/link, so
// that a mistake on one side shows on the other).

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

// The fields of a datagram with plain (unmasked) values.
struct TWire {
    std::uint32_t ProtocolId = 0x515A564B;
    std::uint16_t DeviceId = 0;
    std::uint16_t MsgNum = 0;
    std::uint32_t CompanyId = 0, ModelId = 0, SerialNum = 0;
    std::uint8_t Code = 0; // Command or CmdResponse
    std::uint16_t Len = 0;
    std::uint32_t Address = 0;
    std::array<std::uint8_t, 512> Payload{};

    static void Put(TBytes& b, std::size_t at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    static std::uint32_t Get(const TBytes& b, std::size_t at, int n) {
        std::uint32_t v = 0;
        for (int i = n - 1; i >= 0; --i)
            v = (v << 8) | (at + i < b.size() ? b[at + i] : 0);
        return v;
    }

    TBytes Encode() const {
        TBytes b(539);
        Put(b, 0, ProtocolId, 4);
        Put(b, 4, DeviceId, 2);
        Put(b, 6, MsgNum, 2);
        Put(b, 8, CompanyId, 4);
        Put(b, 12, ModelId, 4);
        Put(b, 16, SerialNum, 4);
        b[20] = Code ^ 0x6D;
        Put(b, 21, Len ^ 0x2E97u, 2);
        Put(b, 23, Address ^ 0x4E8B16D2u, 4);
        for (int i = 0; i < 512; ++i)
            b[27 + i] = Payload[i] ^ 0x6D;
        return b;
    }

    static TWire Decode(const TBytes& b) {
        TWire w;
        w.ProtocolId = Get(b, 0, 4);
        w.DeviceId = static_cast<std::uint16_t>(Get(b, 4, 2));
        w.MsgNum = static_cast<std::uint16_t>(Get(b, 6, 2));
        w.CompanyId = Get(b, 8, 4);
        w.ModelId = Get(b, 12, 4);
        w.SerialNum = Get(b, 16, 4);
        w.Code = static_cast<std::uint8_t>(Get(b, 20, 1) ^ 0x6D);
        w.Len = static_cast<std::uint16_t>(Get(b, 21, 2) ^ 0x2E97);
        w.Address = Get(b, 23, 4) ^ 0x4E8B16D2u;
        for (int i = 0; i < 512; ++i)
            w.Payload[i] = static_cast<std::uint8_t>(Get(b, 27 + i, 1) ^ 0x6D);
        return w;
    }
};

// Answers every datagram it receives on 127.0.0.1 with what Respond returns
// (any number of datagrams, sent to the request's source).
class TLoopbackPeer {
public:
    using TResponder = std::function<std::vector<TBytes>(const TBytes& Request)>;

    explicit TLoopbackPeer(TResponder Respond, std::uint16_t Port = 0) : FRespond(std::move(Respond)) {
        FFd = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(Port);
        int on = 1;
        ::setsockopt(FFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        if (::bind(FFd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0)
            throw std::runtime_error("loopback peer: bind failed");
        socklen_t len = sizeof a;
        ::getsockname(FFd, reinterpret_cast<sockaddr*>(&a), &len);
        FPort = ntohs(a.sin_port);
        FThread = std::thread([this] { Run(); });
    }
    ~TLoopbackPeer() { Close(); }

    std::uint16_t Port() const { return FPort; }

    std::vector<TBytes> Received() {
        std::lock_guard<std::mutex> g(FLock);
        return FReceived;
    }

    // Stops answering and frees the port.
    void Close() {
        if (FStop.exchange(true)) return;
        FThread.join();
        ::close(FFd);
    }

private:
    void Run() {
        std::uint8_t buf[2048];
        while (!FStop) {
            pollfd p{FFd, POLLIN, 0};
            if (::poll(&p, 1, 10) <= 0) continue;
            sockaddr_in from{};
            socklen_t len = sizeof from;
            ssize_t n = ::recvfrom(FFd, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &len);
            if (n < 0) continue;
            TBytes request(buf, buf + n);
            {
                std::lock_guard<std::mutex> g(FLock);
                FReceived.push_back(request);
            }
            for (const TBytes& answer : FRespond(request))
                ::sendto(FFd, answer.data(), answer.size(), 0, reinterpret_cast<sockaddr*>(&from), len);
        }
    }

    TResponder FRespond;
    int FFd = -1;
    std::uint16_t FPort = 0;
    std::atomic<bool> FStop{false};
    std::thread FThread;
    std::mutex FLock;
    std::vector<TBytes> FReceived;
};

// An answer carrying the request's MsgNum, from the given device ID.
inline TBytes AnswerTo(const TBytes& Request, std::uint16_t DeviceId,
                       const std::function<void(TWire&)>& Fill = {}) {
    TWire w;
    w.DeviceId = DeviceId;
    w.MsgNum = TWire::Decode(Request).MsgNum;
    if (Fill) Fill(w);
    return w.Encode();
}
