// The UDP client on loopback, against a plain socket.
#include "platform/net/IdUDPClient.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <vector>

namespace {

// A plain UDP socket bound to 127.0.0.1 on a free port.
struct TPlainSocket {
    TPlainSocket() {
        Fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(Fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t len = sizeof a;
        ::getsockname(Fd, reinterpret_cast<sockaddr*>(&a), &len);
        Port = ntohs(a.sin_port);
        timeval tv{2, 0};
        ::setsockopt(Fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    }
    ~TPlainSocket() { ::close(Fd); }
    std::vector<Byte> Receive(sockaddr_in& From) {
        std::vector<Byte> buf(70000);
        socklen_t len = sizeof From;
        ssize_t n = ::recvfrom(Fd, buf.data(), buf.size(), 0, reinterpret_cast<sockaddr*>(&From), &len);
        buf.resize(n > 0 ? static_cast<size_t>(n) : 0);
        return buf;
    }
    void SendTo(const sockaddr_in& To, const std::vector<Byte>& Data) {
        ::sendto(Fd, Data.data(), Data.size(), 0, reinterpret_cast<const sockaddr*>(&To), sizeof To);
    }
    int Fd;
    Integer Port;
};

} // namespace

TEST(UDPClient, TheSystemPicksTheLocalPortAtTheFirstSendAndAnswersComeBackThere) {
    TIdUDPClient client(nullptr);
    TPlainSocket peer;
    client.SetActive(true);
    EXPECT_TRUE(client.Active());
    EXPECT_EQ(client.LocalPort(), 0);

    client.SetHost("localhost"); // a name, resolved
    client.SetPort(peer.Port);
    const std::vector<Byte> request{1, 2, 3, 4, 5};
    client.SendBuffer(request.data(), 5);
    ASSERT_NE(client.LocalPort(), 0);
    sockaddr_in from{};
    EXPECT_EQ(peer.Receive(from), request);
    EXPECT_EQ(ntohs(from.sin_port), client.LocalPort());

    peer.SendTo(from, std::vector<Byte>(600, 0xA5));
    Byte buf[552] = {};
    String ip;
    Integer port = 0;
    EXPECT_EQ(client.ReceiveBuffer(buf, sizeof buf, ip, port, 2000), 552); // cut to the buffer
    EXPECT_EQ(buf[551], 0xA5);
    EXPECT_EQ(ip, "127.0.0.1");
    EXPECT_EQ(port, peer.Port);

    // Nothing more arrives: the time-out returns 0.
    EXPECT_EQ(client.ReceiveBuffer(buf, sizeof buf, ip, port, 20), 0);
    client.SetActive(false);
    EXPECT_FALSE(client.Active());
    EXPECT_EQ(client.LocalPort(), 0);
}

TEST(UDPClient, ALookWithoutWaitingTakesWhatIsThereAndACancelEndsTheNextWait) {
    TIdUDPClient client(nullptr);
    TPlainSocket peer;
    client.SendBuffer("127.0.0.1", peer.Port, "?", 1);
    sockaddr_in from{};
    peer.Receive(from);
    Byte buf[16] = {};
    String ip;
    Integer port = 0;
    EXPECT_EQ(client.ReceiveBuffer(buf, sizeof buf, ip, port, 0), 0); // nothing there yet
    peer.SendTo(from, {7, 8, 9});
    Integer n = 0;
    for (int i = 0; i < 2000 && n == 0; ++i) // loopback delivers at once; allow a little scheduling
        n = client.ReceiveBuffer(buf, sizeof buf, ip, port, 0);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(buf[2], 9);
    EXPECT_EQ(port, peer.Port);

    // A cancel with nobody waiting: looks without waiting still take
    // datagrams, the next wait ends at once, the one after it waits again.
    client.CancelReceive();
    peer.SendTo(from, {1});
    n = 0;
    for (int i = 0; i < 2000 && n == 0; ++i)
        n = client.ReceiveBuffer(buf, sizeof buf, ip, port, 0);
    EXPECT_EQ(n, 1);
    const auto waitStart = std::chrono::steady_clock::now();
    EXPECT_EQ(client.ReceiveBuffer(buf, sizeof buf, ip, port, 5000), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - waitStart, std::chrono::milliseconds(2500)); // not the 5 s
    peer.SendTo(from, {2, 2});
    EXPECT_EQ(client.ReceiveBuffer(buf, sizeof buf, ip, port, 2000), 2);
}

TEST(UDPClient, FailuresRaiseWithClearTexts) {
    TIdUDPClient client(nullptr);
    TPlainSocket peer;
    std::vector<Byte> huge(70000);
    try {
        client.SendBuffer("127.0.0.1", peer.Port, huge.data(), static_cast<Integer>(huge.size()));
        FAIL() << "a datagram over 64 KiB was sent";
    } catch (const EIdPackageSizeTooBig& e) {
        EXPECT_STREQ(e.what(), "Package Size Too Big.");
    }
    try {
        client.SendBuffer("127.0.0.1", 70000, huge.data(), 1);
        FAIL() << "an invalid port was accepted";
    } catch (const EIdSocketError& e) {
        EXPECT_STREQ(e.what(), "Could not send to 127.0.0.1: port 70000 is not a valid UDP port.");
    }
    try {
        client.SendBuffer("", peer.Port, huge.data(), 1);
        FAIL() << "an empty host was accepted";
    } catch (const EIdSocketError& e) {
        EXPECT_NE(String(e.what()).find("no destination host"), String::npos);
    }
}
