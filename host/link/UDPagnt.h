#pragma once
// The report agent: the single owner of the UDP socket. It sends the packed
// reports of the device objects, receives every datagram on its receive
// thread, hands each one to the GUI thread and routes it there to the right
// device object, asking the host for a new one when an unknown device
// answers. With ShowOperations on it logs every datagram as a hex dump
// through OnDisplay.

#include "host/link/EthDev.h"
#include "platform/net/IdUDPClient.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/Threads.h"

#include <bitset>
#include <vector>

class TCRecvThread;

using TDisplayEvent = std::function<void(TObject* Sender, const String& DisplayString)>;
using TDeviceFoundEvent =
    std::function<void(TObject* Sender, Integer OpenIntfIndex, Integer NumConnected, Integer NewDevID)>;
using TDeviceIDChangedEvent = std::function<void(TObject* Sender, Integer OldDevID, Integer NewDevID)>;

// Largest datagram the receive thread takes in.
inline constexpr Integer RecvBufferSize = 600;
// The most device objects the agent lists; datagrams of further unknown
// devices are logged (once per device ID) and dropped.
inline constexpr Integer MaxDeviceObjects = 256;

class TDataModule1 : public TComponent {
public:
    explicit TDataModule1(TComponent* AOwner);
    ~TDataModule1() override;
    // Stops the receive thread before the owned UDP client is freed with the
    // other owned components.
    void BeforeDestruction() override;

    // The UDP client (owned component).
    TIdUDPClient* IdUDPControl;

    // Published: milliseconds WaitForAnswer waits (3000), and the traffic log.
    Integer TimeOut() const { return FTimeOut; }
    void SetTimeOut(Integer Value);
    bool ShowOperations() const { return FShowOperations; }
    void SetShowOperations(bool Value);
    TDisplayEvent OnDisplay;
    TDeviceFoundEvent OnDeviceFound;
    TDeviceIDChangedEvent OnDeviceIDChanged;

    // Source of the last datagram (set on the GUI thread before it is routed).
    String LastPeerIP = EthBroadcastIP;
    Integer LastPeerPort = EthDevicePort;
    // Set whenever a datagram has been routed to a device object.
    bool DeviceAnswered = false;
    // The window that is told about devices that stopped answering
    // (WM_DEVICE_NOT_RESPONDING); 0 for none.
    HWND MainWindowHandle = 0;

    virtual void Display(const String& Text);
    virtual void FireDeviceFound(Integer OpenIntfIndex, Integer NumConnected, Integer NewDevID);
    virtual void FireDeviceIDChanged(Integer OldDevID, Integer NewDevID);
    virtual void NewDevice(Integer Id);
    // Opens the socket (broadcast allowed, not bound) and starts the
    // receive thread. Call on the GUI thread.
    virtual void Open();
    // Stops the receive thread and waits for it.
    virtual void Close();

    // The registered device objects (not owned), in registration order.
    Integer AddDevice(TEthDev* Device);
    void SetDispatcher(TEthDev* Device);
    void SelectIndex(Integer Index);
    TEthDev* GetDevice(Integer Index) const;
    Integer DeviceCount() const { return FDevices.Count(); }
    Integer GetCurrentIndex() const { return FCurrentIndex; }
    TEthDev* CurrentDevice() const { return FCurrentDevice; }
    void SetCurrentDevice(TEthDev* Device) { FCurrentDevice = Device; }
    TEthDev* Dispatcher() const { return FDispatcher; }
    TEthDev* FindDeviceById(Integer Id);
    // Removes (without freeing) the last registered device whose Device_ID
    // is Id; the agent stops using it as current device or dispatcher.
    void RemoveDeviceById(Integer Id);

    // Sends Count bytes of Buffer to Host:Port; socket errors raise.
    void SendReport(const String& Host, Integer Port, Integer Count, const Byte* Buffer);
    // Hex-dump lines of 16 bytes through Display.
    void DumpBuffer(const Byte* Buffer, Integer Count, Integer Start);

    // Routes one received datagram (GUI thread). A datagram for a known
    // device object must answer its outstanding request (MsgNum, and the
    // address and port that request went to); during a discovery the
    // dispatcher's request is checked instead, and its answers set the
    // devices' addresses. Anything else is logged and dropped. With
    // ShowOperations on, each datagram is dumped as received or dropped.
    void DispatchDatagram(const Byte* Data, Integer Count);
    bool Receiving() const { return FRecvThread != nullptr; }

    // Every report object made for this agent attaches itself when created
    // and detaches when freed; a detached object is forgotten everywhere.
    void AttachReport(TEthDev* Report);
    void DetachReport(TEthDev* Report);

private:
    friend class TCRecvThread;
    bool IsAttached(TEthDev* Report) const;
    void Forget(TEthDev* Report);
    // Delivers a datagram to its device object: true when one took it;
    // false when it was dropped, with Problem the log line that says why
    // (empty when that was said before).
    bool RouteDatagram(const Byte* Data, Integer Count, Integer Id, Integer Seq, String& Problem);
    // A device object for an unknown ID: the placeholder renamed, or a new
    // one while fewer than MaxDeviceObjects are listed; nullptr otherwise.
    TEthDev* NewTarget(Integer Id);
    // The log line of an unknown ID refused for want of room, the first time.
    String RefuseId(Integer Id);
    // The receive thread's hand-over, run on the GUI thread.
    void HandOver(const Byte* Data, Integer Count, const String& PeerIP, Integer PeerPort);

    Integer FTimeOut = 3000;
    bool FShowOperations = false;
    TList FDevices;
    TEthDev* FCurrentDevice = nullptr;
    Integer FCurrentIndex = 0;
    TEthDev* FDispatcher = nullptr;
    TCRecvThread* FRecvThread = nullptr;
    Word FSentCount = 0;
    std::vector<TEthDev*> FReports;
    std::bitset<65536> FRefusedIds; // unknown IDs already logged as refused
};

// The receive thread: blocks in the kernel until a datagram arrives and
// hands each one to the GUI thread with Synchronize. A failing receive is
// reported and retried; only Terminate (with the receive cancelled, as the
// agent's Close does) ends it.
class TCRecvThread : public TThread {
public:
    explicit TCRecvThread(TDataModule1* AAgent);

    Byte Buffer[RecvBufferSize] = {};
    Integer Count = 0;

protected:
    void Execute() override;

private:
    void ReportError(const String& Text);
    TDataModule1* FAgent;
    String FLastError;
};

// The program's report agent (created with the main window).
extern TDataModule1* DataModule1;
