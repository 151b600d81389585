// Feeds arbitrary datagrams to the report agent's routing and the report
// objects' unpacking, as the receive thread hands them over, without
// sockets. The first byte sets the scene:
//   bit 0  a device object waits for its answer (else the dispatcher's
//          discovery request waits)
//   bit 1  the datagram comes from where the request went (else another port)
//   bit 2  the request went to the broadcast address
//   bit 3  the traffic log is on
// The rest is the datagram. Each input starts from a fresh agent with the
// dispatcher, a placeholder and one known device (ID 0x0001).
#include "host/link/UDPagnt.h"
#include "host/link/dsProgE_L.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

TdsProg* NewReport(TDataModule1& Agent, std::vector<TdsProg*>& Owned, Integer Id, bool Dispatcher) {
    auto* d = new TdsProg(&Agent);
    d->PeerIP = "127.0.0.1";
    d->PeerPort = 16388;
    d->Open();
    d->AfterOpen();
    if (Dispatcher)
        d->SetIdAsDispatcher(Id);
    else
        d->SetIdAndRegister(Id);
    Owned.push_back(d);
    return d;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    if (Size < 1) return 0;
    const std::uint8_t scene = Data[0];
    std::vector<TdsProg*> owned;
    auto* agent = new TDataModule1(nullptr);
    Integer lines = 0;
    agent->OnDisplay = [&lines](TObject*, const String&) { ++lines; };
    agent->OnDeviceFound = [&](TObject*, Integer, Integer, Integer Id) {
        TdsProg* d = NewReport(*agent, owned, Id, false);
        d->PeerIP = agent->LastPeerIP;
        d->PeerPort = agent->LastPeerPort;
    };
    agent->SetShowOperations(scene & 8);

    TdsProg* dispatcher = NewReport(*agent, owned, 0xFFFF, true);
    NewReport(*agent, owned, 0, false); // the placeholder
    TdsProg* device = NewReport(*agent, owned, 0x0001, false);
    device->Device_ID->SetValue(0x0001);
    TdsProg* waiting = (scene & 1) ? device : dispatcher;
    if (scene & 4) waiting->PeerIP = EthBroadcastIP;
    waiting->MsgNum->SetValue(0x1233);
    waiting->PackHeader(); // MsgNum 0x1234, nothing sent
    waiting->NoteRequest();
    agent->SetCurrentDevice(waiting);

    agent->LastPeerIP = "127.0.0.1";
    agent->LastPeerPort = (scene & 2) ? 16388 : 40000;
    agent->DispatchDatagram(Data + 1, static_cast<Integer>(Size - 1));

    // Whatever was taken stays inside the report objects' buffers and fields.
    for (TdsProg* d : owned)
        for (Integer e = 0; e < PayloadSize; ++e)
            if (d->InPayload->Elements[e] < 0 || d->InPayload->Elements[e] > 0xFF) std::abort();
    if (agent->DeviceCount() > MaxDeviceObjects) std::abort();

    agent->Free();
    for (TdsProg* d : owned)
        d->Free();
    return 0;
}
