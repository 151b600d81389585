#pragma once
// Raw loopback UDP and child processes for the simulated device's tests.

#include "platform/rtl/System.h"

#include <arpa/inet.h>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace devsim_test {

using TBytes = std::vector<Byte>;

// A UDP socket on 127.0.0.1 that sends raw bytes and receives raw answers.
class TUdpPeer {
public:
    TUdpPeer() {
        FSocket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in a = Loopback(0);
        if (FSocket < 0 || bind(FSocket, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0)
            throw std::runtime_error("cannot bind a loopback socket");
        socklen_t len = sizeof a;
        getsockname(FSocket, reinterpret_cast<sockaddr*>(&a), &len);
        FPort = ntohs(a.sin_port);
    }
    ~TUdpPeer() { close(FSocket); }
    TUdpPeer(const TUdpPeer&) = delete;
    TUdpPeer& operator=(const TUdpPeer&) = delete;

    Word Port() const { return FPort; }

    void SendTo(Word Port, const TBytes& Bytes) const {
        const sockaddr_in to = Loopback(Port);
        sendto(FSocket, Bytes.data(), Bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }
    template <class Array> void SendTo(Word Port, const Array& Bytes) const {
        SendTo(Port, TBytes(Bytes.begin(), Bytes.end()));
    }

    // The next datagram, or an empty vector when none came within TimeoutMs.
    // From receives the sender's port.
    TBytes Receive(int TimeoutMs, Word* From = nullptr) const {
        pollfd p{FSocket, POLLIN, 0};
        if (poll(&p, 1, TimeoutMs) <= 0) return {};
        TBytes buf(2048);
        sockaddr_in from{};
        socklen_t len = sizeof from;
        const ssize_t n =
            recvfrom(FSocket, buf.data(), buf.size(), 0, reinterpret_cast<sockaddr*>(&from), &len);
        buf.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
        if (From) *From = ntohs(from.sin_port);
        return buf;
    }

    static sockaddr_in Loopback(Word Port) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(Port);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return a;
    }

private:
    int FSocket = -1;
    Word FPort = 0;
};

// A UDP port on 127.0.0.1 that was free a moment ago.
inline Word FreeLoopbackPort() {
    TUdpPeer probe;
    return probe.Port();
}

// A child process with its stdout and stderr read through pipes.
class TChild {
public:
    explicit TChild(const std::vector<std::string>& Argv) {
        int out[2], err[2];
        if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
        FPid = fork();
        if (FPid == 0) {
            dup2(out[1], 1);
            dup2(err[1], 2);
            std::vector<char*> args;
            for (const auto& a : Argv)
                args.push_back(const_cast<char*>(a.c_str()));
            args.push_back(nullptr);
            execv(args[0], args.data());
            _exit(127);
        }
        close(out[1]);
        close(err[1]);
        FOut = out[0];
        FErr = err[0];
    }
    ~TChild() {
        if (FPid > 0 && !FReaped) {
            kill(FPid, SIGKILL);
            Wait();
        }
        close(FOut);
        close(FErr);
    }
    TChild(const TChild&) = delete;
    TChild& operator=(const TChild&) = delete;

    // The next line of stdout (without the line break); empty when none came
    // within TimeoutMs or the output ended.
    std::string ReadLine(int TimeoutMs) {
        for (;;) {
            const auto nl = FOutText.find('\n');
            if (nl != std::string::npos) {
                std::string line = FOutText.substr(0, nl);
                FOutText.erase(0, nl + 1);
                return line;
            }
            pollfd p{FOut, POLLIN, 0};
            if (poll(&p, 1, TimeoutMs) <= 0) return {};
            char buf[4096];
            const ssize_t n = read(FOut, buf, sizeof buf);
            if (n <= 0) return {};
            FOutText.append(buf, static_cast<std::size_t>(n));
        }
    }
    // Everything still to come on stdout and stderr (call after the child ended).
    std::string RestOfStdout() { return FOutText + Drain(FOut); }
    std::string Stderr() { return Drain(FErr); }

    void Signal(int Sig) const { kill(FPid, Sig); }
    // Waits for the end; the exit code, or 128 + the signal that ended it.
    int Wait() {
        int status = 0;
        waitpid(FPid, &status, 0);
        FReaped = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

private:
    static std::string Drain(int Fd) {
        std::string s;
        char buf[4096];
        ssize_t n;
        while ((n = read(Fd, buf, sizeof buf)) > 0)
            s.append(buf, static_cast<std::size_t>(n));
        return s;
    }

    pid_t FPid = -1;
    bool FReaped = false;
    int FOut = -1, FErr = -1;
    std::string FOutText;
};

} // namespace devsim_test
