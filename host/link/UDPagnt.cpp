#include "host/link/UDPagnt.h"
#include "host/link/dsProgE_L.h"
#include "platform/rtl/EventLoop.h"

#include <algorithm>
#include <chrono>
#include <thread>

TDataModule1* DataModule1 = nullptr;

namespace {
// After a failing receive the thread waits this long before it listens
// again, so that a lasting failure does not keep a CPU busy.
constexpr Integer RecvRetryMs = 10;
// After a datagram the next one usually follows within microseconds (the host
// answers an answer with its next request); for this long the thread looks
// for it without sleeping, so it need not be woken from another CPU.
constexpr auto RecvSpinAfterDatagram = std::chrono::microseconds(200);
// A dump shows at most this many bytes of a buffer.
constexpr Integer DumpLimit = 551;
} // namespace

// ================================================================ agent

TDataModule1::TDataModule1(TComponent* AOwner) : TComponent(AOwner) {
    IdUDPControl = new TIdUDPClient(this);
    IdUDPControl->SetName("IdUDPControl");
}

void TDataModule1::BeforeDestruction() {
    Close();
    TComponent::BeforeDestruction();
}

TDataModule1::~TDataModule1() {
    Close();
    for (TEthDev* r : FReports)
        r->FAgent = nullptr;
    FReports.clear();
    if (DataModule1 == this) DataModule1 = nullptr;
}

void TDataModule1::SetTimeOut(Integer Value) {
    if (Value == FTimeOut) return;
    FTimeOut = Value;
}

void TDataModule1::SetShowOperations(bool Value) {
    if (Value == FShowOperations) return;
    FShowOperations = Value;
}

void TDataModule1::Display(const String& Text) {
    if (OnDisplay) OnDisplay(this, Text);
}

void TDataModule1::FireDeviceFound(Integer OpenIntfIndex, Integer NumConnected, Integer NewDevID) {
    if (OnDeviceFound) OnDeviceFound(this, OpenIntfIndex, NumConnected, NewDevID);
}

void TDataModule1::FireDeviceIDChanged(Integer OldDevID, Integer NewDevID) {
    if (OnDeviceIDChanged) OnDeviceIDChanged(this, OldDevID, NewDevID);
}

void TDataModule1::NewDevice(Integer Id) {
    const Integer n = DeviceCount() + 1;
    FireDeviceFound(n, n, Id);
}

void TDataModule1::Open() {
    InitEventLoop();
    IdUDPControl->SetHost(EthBroadcastIP);
    IdUDPControl->SetBroadcastEnabled(true);
    IdUDPControl->SetPort(EthDevicePort);
    IdUDPControl->SetReceiveTimeout(1000);
    IdUDPControl->SetActive(true);
    FSentCount = 0;
    if (!FRecvThread) {
        FRecvThread = new TCRecvThread(this);
        FRecvThread->Start();
    }
}

void TDataModule1::Close() {
    if (!FRecvThread) return;
    FRecvThread->Terminate();
    // The thread blocks in the receive until a datagram comes: wake it.
    IdUDPControl->CancelReceive();
    FRecvThread->WaitFor();
    FreeAndNil(FRecvThread);
}

// ---------------------------------------------------------------- device list

Integer TDataModule1::AddDevice(TEthDev* Device) {
    const Integer index = FDevices.Add(Device);
    FCurrentDevice = Device;
    return index;
}

void TDataModule1::SetDispatcher(TEthDev* Device) {
    FDispatcher = Device;
}

void TDataModule1::SelectIndex(Integer Index) {
    if (FDevices.Count() == 0 || Index < 0 || Index >= FDevices.Count() || Index == FCurrentIndex) return;
    FCurrentIndex = Index;
    FCurrentDevice = GetDevice(Index);
}

TEthDev* TDataModule1::GetDevice(Integer Index) const {
    return static_cast<TEthDev*>(FDevices[Index]);
}

TEthDev* TDataModule1::FindDeviceById(Integer Id) {
    if (FCurrentDevice && FCurrentDevice->AssignedID == Id) return FCurrentDevice;
    for (Integer i = 0; i < FDevices.Count(); ++i)
        if (GetDevice(i)->Device_ID->GetValue() == Id) return GetDevice(i);
    return nullptr;
}

void TDataModule1::RemoveDeviceById(Integer Id) {
    for (Integer i = FDevices.Count() - 1; i >= 0; --i) {
        TEthDev* device = GetDevice(i);
        if (device->Device_ID->GetValue() != Id) continue;
        FDevices.Delete(i);
        if (FCurrentDevice == device) FCurrentDevice = nullptr;
        if (FDispatcher == device) FDispatcher = nullptr;
        return;
    }
}

void TDataModule1::AttachReport(TEthDev* Report) {
    FReports.push_back(Report);
}

void TDataModule1::DetachReport(TEthDev* Report) {
    FReports.erase(std::remove(FReports.begin(), FReports.end(), Report), FReports.end());
    while (FDevices.Remove(Report) >= 0) {
    }
    if (FCurrentDevice == Report) FCurrentDevice = nullptr;
    if (FDispatcher == Report) FDispatcher = nullptr;
}

bool TDataModule1::IsAttached(TEthDev* Report) const {
    return Report && std::find(FReports.begin(), FReports.end(), Report) != FReports.end();
}

// ---------------------------------------------------------------- traffic

void TDataModule1::SendReport(const String& Host, Integer Port, Integer Count, const Byte* Buffer) {
    if (FShowOperations) {
        Display(
            Format("Transmitting Message - ID 0x%4.4x ", {FCurrentDevice ? FCurrentDevice->AssignedID : 0}));
        DumpBuffer(Buffer, Count, 0);
    }
    IdUDPControl->SendBuffer(Host, Port, Buffer, Count);
    ++FSentCount;
}

void TDataModule1::DumpBuffer(const Byte* Buffer, Integer Count, Integer Start) {
    const Integer end = Start + std::max<Integer>(Count, 0);
    Integer offset = Start;
    do {
        String hex, text;
        for (Integer i = 0; i < 16; ++i) {
            const Integer at = offset + i;
            if (at < end && at >= 0 && at < DumpLimit) {
                const Byte b = Buffer[at];
                hex += Format("%2.2x ", {b});
                text += (b >= 32 && b <= 127) ? static_cast<char>(b) : '.';
            } else {
                hex += "   ";
                text += ' ';
            }
        }
        Display(Format("0x%6.6X: ", {offset}) + "  " + hex + "  " + text);
        offset += 16;
    } while (offset < end);
}

void TDataModule1::HandOver(const Byte* Data, Integer Count, const String& PeerIP, Integer PeerPort) {
    try {
        LastPeerIP = PeerIP;
        LastPeerPort = PeerPort;
        DispatchDatagram(Data, Count);
    } catch (const std::exception& e) {
        HandleException(e);
    }
}

void TDataModule1::DispatchDatagram(const Byte* Data, Integer Count) {
    Integer id = 0;
    bool routed = false;
    if (!FDispatcher) {
        Display(Format("**ERROR Datagram of %d bytes from %s dropped: no dispatcher to read it",
                       {Count, LastPeerIP}));
        if (Count >= 6) id = Data[4] | Data[5] << 8;
    } else {
        // The dispatcher reads every datagram first: its Device_ID and MsgNum
        // choose the device object and tell whether it answers that object's
        // outstanding request.
        FDispatcher->StoreDatagram(Data, Count);
        Integer pos = 4;
        id = FDispatcher->ReadUnsigned(2, pos);
        const Integer seq = FDispatcher->ReadUnsigned(2, pos);
        String problem;
        routed = RouteDatagram(Data, Count, id, seq, problem);
        if (!problem.empty()) Display(problem);
    }
    if (FShowOperations) {
        // The traffic log shows every datagram, and whether a device object
        // took it.
        Display(Format(routed ? "Message received - ID 0x%4.4x " : "Message dropped - ID 0x%4.4x ", {id}));
        DumpBuffer(Data, Count, 0);
    }
}

bool TDataModule1::RouteDatagram(const Byte* Data, Integer Count, Integer Id, Integer Seq, String& Problem) {
    TEthDev* cur = IsAttached(FCurrentDevice) ? FCurrentDevice : nullptr;
    // While the dispatcher's discovery request is outstanding, its answers
    // name devices and set their addresses.
    const bool discovery = cur && cur == FDispatcher;
    TEthDev* target = cur && cur->AssignedID == Id && !discovery ? cur : FindDeviceById(Id);
    if (discovery) {
        Problem = FDispatcher->AnswerProblem(Seq, LastPeerIP, LastPeerPort);
        if (!Problem.empty()) return false;
        FDispatcher->Receive();
        FDispatcher->AnswerTaken();
        if (!IsAttached(FDispatcher) || FCurrentDevice != cur) return true; // a report handler changed the link
    } else if (target) {
        // A known device answers for itself only: its outstanding request's
        // MsgNum, from where that request went.
        Problem = target->AnswerProblem(Seq, LastPeerIP, LastPeerPort);
        if (!Problem.empty()) return false;
    }
    if (!target) target = NewTarget(Id);
    if (!target) {
        // Refused for want of room (said once per ID), or the host made no
        // object for it.
        if (!FRefusedIds[static_cast<std::size_t>(Id)]) Problem = RefuseId(Id);
        return false;
    }
    target->PeerIP = LastPeerIP;
    target->PeerPort = LastPeerPort;
    target->StoreDatagram(Data, Count);
    target->Receive();
    if (IsAttached(target)) target->AnswerTaken();
    DeviceAnswered = true;
    return true;
}

TEthDev* TDataModule1::NewTarget(Integer Id) {
    if (TEthDev* placeholder = FindDeviceById(0)) {
        placeholder->PeerIP = LastPeerIP;
        placeholder->PeerPort = LastPeerPort;
        FireDeviceIDChanged(placeholder->AssignedID, Id);
        if (!IsAttached(placeholder)) return nullptr;
        placeholder->AssignedID = Id;
        return placeholder;
    }
    if (DeviceCount() >= MaxDeviceObjects) return nullptr;
    NewDevice(Id);
    // The host's handler registers the new object, which makes it current.
    return FCurrentDevice && FCurrentDevice->AssignedID == Id ? FCurrentDevice : nullptr;
}

String TDataModule1::RefuseId(Integer Id) {
    if (DeviceCount() < MaxDeviceObjects) return {}; // the host made no object for it
    FRefusedIds[static_cast<std::size_t>(Id)] = true;
    return Format("**ERROR Datagrams from device ID 0x%4.4x (%s:%d) are dropped: the host keeps at most %d "
                  "devices",
                  {Id, LastPeerIP, LastPeerPort, MaxDeviceObjects});
}

// ================================================================ receive thread

TCRecvThread::TCRecvThread(TDataModule1* AAgent) : FAgent(AAgent) {}

void TCRecvThread::Execute() {
    TIdUDPClient* udp = FAgent->IdUDPControl;
    String peerIP;
    Integer peerPort = 0;
    Integer n = 0;
    // Made once: handing a datagram over allocates nothing.
    const std::function<void()> handOver = [&] { FAgent->HandOver(Buffer, n, peerIP, peerPort); };
    auto spinUntil = std::chrono::steady_clock::now();
    while (!Terminated()) {
        n = 0;
        // Idle, the thread sleeps in the kernel until a datagram arrives or
        // Close cancels the receive.
        const bool spinning = std::chrono::steady_clock::now() < spinUntil;
        try {
            n = udp->ReceiveBuffer(Buffer, RecvBufferSize, peerIP, peerPort, spinning ? 0 : IdTimeoutInfinite);
        } catch (const std::exception& e) {
            // A failing receive (a refused port reported by the network, a
            // shortage of buffers) does not end the link: report it once and
            // keep listening.
            ReportError(e.what());
            std::this_thread::sleep_for(std::chrono::milliseconds(RecvRetryMs));
            continue;
        }
        FLastError.clear();
        if (n <= 0) {
            if (spinning) std::this_thread::yield();
            continue;
        }
        Count = n;
        try {
            Synchronize(handOver);
        } catch (const std::exception& e) {
            HandleException(e);
        }
        spinUntil = std::chrono::steady_clock::now() + RecvSpinAfterDatagram;
    }
}

void TCRecvThread::ReportError(const String& Text) {
    if (Text == FLastError) return;
    FLastError = Text;
    try {
        Synchronize([&] { FAgent->Display("**ERROR " + Text); });
    } catch (const std::exception& e) {
        HandleException(e);
    }
}
