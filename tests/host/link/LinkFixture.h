#pragma once
// A report agent with device objects that talk to loopback peers only.

#include "host/link/dsProgE_L.h"
#include "host/link/LoopbackPeer.h"
#include "host/link/UDPagnt.h"
#include "platform/rtl/EventLoop.h"

#include <gtest/gtest.h>

#include <memory>

class LinkFixture : public ::testing::Test {
protected:
    void SetUp() override {
        InitEventLoop();
        ProcessMessages();
        Agent = new TDataModule1(nullptr);
        Agent->OnDisplay = [this](TObject*, const String& s) { Log.push_back(s); };
        Sink = std::make_unique<TLoopbackPeer>([](const TBytes&) { return std::vector<TBytes>{}; });
    }
    void TearDown() override {
        for (TdsProg* d : Owned)
            d->Free();
        Agent->Free();
    }

    // A registered device object (or the dispatcher) aimed at Port on loopback.
    TdsProg* NewDevice(Integer AssignedID, std::uint16_t Port = 0, bool AsDispatcher = false) {
        auto* d = new TdsProg(Agent);
        d->PeerIP = "127.0.0.1";
        d->PeerPort = Port ? Port : Sink->Port();
        d->Open();
        d->AfterOpen();
        if (AsDispatcher)
            d->SetIdAsDispatcher(AssignedID);
        else
            d->SetIdAndRegister(AssignedID);
        Owned.push_back(d);
        return d;
    }
    void FreeDevice(TdsProg* d) {
        Owned.erase(std::remove(Owned.begin(), Owned.end(), d), Owned.end());
        d->Free();
    }

    // Hands a datagram to the agent as the receive thread would; it comes
    // from the sink's address and port unless told otherwise.
    void Deliver(const TBytes& b, const String& ip = "127.0.0.1", Integer port = 0) {
        Agent->LastPeerIP = ip;
        Agent->LastPeerPort = port ? port : Sink->Port();
        Agent->DispatchDatagram(b.data(), static_cast<Integer>(b.size()));
    }

    // Takes the request d sent last as a broadcast, which any device may
    // answer from anywhere (nothing is sent to the broadcast address).
    static void AsBroadcast(TdsProg* d) {
        d->PeerIP = EthBroadcastIP;
        d->NoteRequest();
    }

    TBytes Sent(TdsProg* d) const { return TBytes(d->TxBuffer, d->TxBuffer + d->TxCount); }

    TDataModule1* Agent = nullptr;
    std::unique_ptr<TLoopbackPeer> Sink;
    std::vector<TdsProg*> Owned;
    std::vector<String> Log;
};
