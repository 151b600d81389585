#pragma once
// A UDP datagram client on the system's sockets, as the framework's UDP
// client component: a default destination (Host, Port), broadcast
// permission, and one datagram per send or receive.
//
// The socket is never bound explicitly: the system assigns its local port at
// the first send, and peers answer to that address and port. It is opened by
// Active := true or by the first send or receive.
//
// One thread may receive while another sends. Changing Active while another
// thread is inside ReceiveBuffer is not allowed: stop the receiver first.

#include "platform/rtl/Classes.h"

#include <atomic>
#include <mutex>

QUENTA_DECLARE_EXCEPTION(EIdException, Exception);
QUENTA_DECLARE_EXCEPTION(EIdSocketError, EIdException);
// The datagram is larger than the network stack can send in one piece.
QUENTA_DECLARE_EXCEPTION(EIdPackageSizeTooBig, EIdSocketError);
// The stack took only part of the datagram.
QUENTA_DECLARE_EXCEPTION(EIdNotAllBytesSent, EIdSocketError);

// Time-out values of ReceiveBuffer besides a number of milliseconds.
inline constexpr Integer IdTimeoutDefault = -1;  // use ReceiveTimeout
inline constexpr Integer IdTimeoutInfinite = -2; // wait until a datagram arrives

class TIdUDPClient : public TComponent {
public:
    explicit TIdUDPClient(TComponent* AOwner);
    ~TIdUDPClient() override;

    // Default destination of SendBuffer (Buffer, Count).
    const String& Host() const { return FHost; }
    void SetHost(const String& Value) { FHost = Value; }
    Integer Port() const { return FPort; }
    void SetPort(Integer Value) { FPort = Value; }

    // Permission to send to broadcast addresses (255.255.255.255 is the
    // limited broadcast). Applied at once when the socket is open.
    bool BroadcastEnabled() const { return FBroadcastEnabled; }
    void SetBroadcastEnabled(bool Value);

    // Milliseconds ReceiveBuffer waits by default; IdTimeoutInfinite waits
    // without limit.
    Integer ReceiveTimeout() const { return FReceiveTimeout; }
    void SetReceiveTimeout(Integer Value) { FReceiveTimeout = Value; }

    // Opens (true) or closes (false) the socket.
    bool Active() const { return FSocket.load() >= 0; }
    void SetActive(bool Value);

    // Sends Count bytes as one datagram to AHost:APort (a dotted address or
    // a host name). Raises EIdPackageSizeTooBig ("Package Size Too Big."),
    // EIdNotAllBytesSent ("Not all bytes sent.") or EIdSocketError.
    void SendBuffer(const String& AHost, Integer APort, const void* Buffer, Integer Count);
    void SendBuffer(const void* Buffer, Integer Count) { SendBuffer(FHost, FPort, Buffer, Count); }

    // Waits up to AMSec milliseconds (or ReceiveTimeout for IdTimeoutDefault)
    // for one datagram and stores at most Size bytes of it (a longer
    // datagram is cut). Returns the byte count and the sender, or 0 when
    // nothing arrived in time or the wait was cancelled. Raises
    // EIdSocketError when the socket fails. The wait blocks in the kernel.
    // Virtual so that a stand-in can play a failing network.
    virtual Integer ReceiveBuffer(void* Buffer, Integer Size, String& PeerIP, Integer& PeerPort,
                                  Integer AMSec = IdTimeoutDefault);
    // Ends the wait of a ReceiveBuffer running on another thread at once
    // (it returns 0); when none waits, the next one that waits returns 0 at
    // once (a look with AMSec 0 does not wait: it takes a datagram that is
    // there and leaves the cancel pending).
    void CancelReceive();

    // The local port the system assigned (0 while the socket is closed or
    // has not sent yet).
    Integer LocalPort() const;

private:
    int Socket(); // opens on demand
    void OpenSocket();
    void CloseSocket();
    void ApplyBroadcast(int Fd);

    String FHost;
    Integer FPort = 0;
    bool FBroadcastEnabled = false;
    Integer FReceiveTimeout = IdTimeoutInfinite;
    std::atomic<int> FSocket{-1};
    int FCancel = -1; // an event counter that cancels a receive; lives with the object
    std::mutex FOpenLock;
};
