#pragma once
// The benchmarks' baseline: a request/answer round trip over plain sockets
// on loopback, with no report objects, threads or event loop in between.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

// A UDP socket, and the address 127.0.0.1:Port in To.
inline int RawUdpSocket(std::uint16_t Port, sockaddr_in& To) {
    To = sockaddr_in{};
    To.sin_family = AF_INET;
    To.sin_port = htons(Port);
    To.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return ::socket(AF_INET, SOCK_DGRAM, 0);
}

// Sends Count requests to 127.0.0.1:Port, one at a time, each made by
// MakeRequest from its sequence number (1, 2, ...), and blocks until its
// answer is back. Returns the round trips in microseconds; a request left
// unanswered for a second is reported and left out.
inline std::vector<double> RawUdpRoundTrips(std::uint16_t Port, int Count,
                                            const std::function<std::vector<std::uint8_t>(std::uint16_t)>& MakeRequest) {
    using SteadyClock = std::chrono::steady_clock;
    sockaddr_in to{};
    const int fd = RawUdpSocket(Port, to);
    std::vector<double> times;
    std::uint8_t answer[1024];
    for (int i = 0; i < Count; ++i) {
        const auto request = MakeRequest(static_cast<std::uint16_t>(i + 1));
        const auto t0 = SteadyClock::now();
        ::sendto(fd, request.data(), request.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 1000) <= 0 || ::recv(fd, answer, sizeof answer, 0) <= 0) {
            std::fprintf(stderr, "raw round trip %d: no answer\n", i);
            continue;
        }
        times.push_back(std::chrono::duration<double, std::micro>(SteadyClock::now() - t0).count());
    }
    ::close(fd);
    return times;
}

// One request of a recorded exchange: its bytes, and whether it was answered.
struct TRawRequest {
    std::vector<std::uint8_t> Bytes;
    bool Answered = false;
};

// Sends the requests to 127.0.0.1:Port one after another, as they were
// recorded; after each answered one it blocks until an answer is back.
// Returns the whole time in microseconds; an answer missing for a second is
// reported and not waited for longer.
inline double RawUdpReplay(std::uint16_t Port, const std::vector<TRawRequest>& Requests) {
    using SteadyClock = std::chrono::steady_clock;
    sockaddr_in to{};
    const int fd = RawUdpSocket(Port, to);
    std::uint8_t answer[1024];
    const auto t0 = SteadyClock::now();
    for (std::size_t i = 0; i < Requests.size(); ++i) {
        const auto& r = Requests[i];
        ::sendto(fd, r.Bytes.data(), r.Bytes.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
        if (!r.Answered) continue;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 1000) <= 0 || ::recv(fd, answer, sizeof answer, 0) <= 0)
            std::fprintf(stderr, "replayed request %zu: no answer\n", i);
    }
    const double us = std::chrono::duration<double, std::micro>(SteadyClock::now() - t0).count();
    ::close(fd);
    return us;
}
