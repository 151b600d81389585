// Report fields and the datagram format, byte by byte.
#include "host/link/LinkFixture.h"

#include <thread>

TEST(ReportField, MaskAndIncrementWrapAtTheFieldWidth) {
    TOneEthVar f8(evOut, "Command", true, 6, 1, 8), f16(evHeader, "MsgNum", false, 2, 1, 16),
        f24(evIn, "X", false, 0, 1, 24), f32(evIn, "InAddress", true, 12, 1, 32);
    EXPECT_EQ(f8.Mask, 0xFF);
    EXPECT_EQ(f16.Mask, 0xFFFF);
    EXPECT_EQ(f24.Mask, 0xFFFFFF);
    EXPECT_EQ(f32.Mask, 0); // the shift count wraps at 32

    f16.SetValue(0x1234);
    f16.Increment();
    EXPECT_EQ(f16.GetValue(), 0x1235);
    f16.SetValue(0xFFFF);
    f16.Increment();
    EXPECT_EQ(f16.GetValue(), 0);

    f8.SetValue(0x12345); // stored whole; only packing cuts it
    EXPECT_EQ(f8.GetValue(), 0x12345);
    f8.Handle = 3;
    f8.Reset();
    EXPECT_FALSE(f8.IsOpen());
    EXPECT_EQ(f8.Name, "");
    EXPECT_EQ(f8.GetValue(), 0x12345);
    EXPECT_EQ(f8.Bits, 8);
}

class DatagramTest : public LinkFixture {};

TEST_F(DatagramTest, AZeroRequestCarriesTheMasksAndTheHeaderGoesOutPlain) {
    TdsProg* d = NewDevice(0x1234);
    d->Protocol_ID->SetValue(0x515A564B);
    d->Device_ID->SetValue(0x1234);
    d->Company_ID->SetValue(static_cast<Integer>(0xA1B2C3D4));
    ASSERT_TRUE(d->PackAndSend());

    TBytes b = Sent(d);
    ASSERT_EQ(b.size(), 539u);
    EXPECT_EQ(TBytes(b.begin(), b.begin() + 12),
              (TBytes{0x4B, 0x56, 0x5A, 0x51, 0x34, 0x12, 0x01, 0x00, 0xD4, 0xC3, 0xB2, 0xA1}));
    EXPECT_EQ(b[20], 0x6D);
    EXPECT_EQ(TBytes(b.begin() + 21, b.begin() + 27), (TBytes{0x97, 0x2E, 0xD2, 0x16, 0x8B, 0x4E}));
    for (int i = 27; i < 539; ++i)
        ASSERT_EQ(b[i], 0x6D) << "payload byte " << i - 27;
    EXPECT_EQ(d->Command->GetValue(), 0x6D); // masked in place
    EXPECT_EQ(d->TxHeaderLength, 20);

    // What left the socket is exactly the packed buffer, from the object's peer.
    for (int i = 0; i < 200 && Sink->Received().empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_EQ(Sink->Received().size(), 1u);
    EXPECT_EQ(Sink->Received()[0], b);
}

TEST_F(DatagramTest, MsgNumCountsFromOneAndWraps) {
    TdsProg* d = NewDevice(1);
    d->PackAndSend();
    EXPECT_EQ(TWire::Decode(Sent(d)).MsgNum, 1);
    d->PackAndSend();
    EXPECT_EQ(TWire::Decode(Sent(d)).MsgNum, 2);
    d->MsgNum->SetValue(0xFFFF);
    d->PackAndSend();
    EXPECT_EQ(TWire::Decode(Sent(d)).MsgNum, 0);
}

TEST_F(DatagramTest, AFieldLeftAloneGoesOutMaskedTwice) {
    TdsProg* d = NewDevice(1);
    d->OutLen->SetValue(0x1234);
    d->OutAddress->SetValue(static_cast<Integer>(0x9D001000));
    d->OutPayload->Elements[5] = 0xAB;
    d->PackAndSend();
    TBytes first = Sent(d);
    EXPECT_EQ(TWire::Decode(first).Len, 0x1234);
    EXPECT_EQ(TWire::Decode(first).Address, 0x9D001000u);
    EXPECT_EQ(TWire::Decode(first).Payload[5], 0xAB);
    d->PackAndSend(); // nothing set in between: the plain value is on the wire
    TBytes second = Sent(d);
    EXPECT_EQ(TWire::Get(second, 21, 2), 0x1234u);
    EXPECT_EQ(TWire::Get(second, 23, 4), 0x9D001000u);
    EXPECT_EQ(second[27 + 5], 0xAB);
}

TEST_F(DatagramTest, UnpackSignExtendsBeforeUnmasking) {
    TdsProg* d = NewDevice(1);
    TWire w;
    w.ProtocolId = 0x80000001;
    w.DeviceId = 0xBEEF;
    w.MsgNum = 0x8001;
    w.CompanyId = 0xFFFFFFFF;
    w.SerialNum = 0x87654321;
    w.Address = 0xA0001234;
    w.Payload[0] = 7;
    w.Payload[511] = 0xFF;
    TBytes b = w.Encode();
    b[20] = 0x6D; // CmdResponse 0
    d->StoreDatagram(b.data(), static_cast<Integer>(b.size()));
    ASSERT_TRUE(d->Unpack());
    EXPECT_TRUE(d->Answered);
    EXPECT_EQ(d->CmdResponse->GetValue(), 0);
    EXPECT_EQ(d->Protocol_ID->GetValue(), static_cast<Integer>(0x80000001));
    EXPECT_EQ(d->Device_ID->GetValue(), 0xBEEF);
    EXPECT_EQ(d->MsgNum->GetValue(), 0x8001); // unsigned
    EXPECT_EQ(d->Company_ID->GetValue(), -1);
    EXPECT_EQ(d->SerialNum->GetValue(), static_cast<Integer>(0x87654321));
    EXPECT_EQ(d->InAddress->GetValue(), static_cast<Integer>(0xA0001234));
    EXPECT_EQ(d->InPayload->Elements[0], 7);
    EXPECT_EQ(d->InPayload->Elements[511], 0xFF); // payload bytes are unsigned
    EXPECT_EQ(d->RxIndex, 20);

    // Bit 7 (bit 15) set on the wire: the upper bits come out set.
    b[20] = 0x80;
    TWire::Put(b, 21, 0x8000, 2);
    d->StoreDatagram(b.data(), static_cast<Integer>(b.size()));
    d->Unpack();
    EXPECT_EQ(static_cast<Cardinal>(d->CmdResponse->GetValue()), 0xFFFFFF80u ^ 0x6Du);
    EXPECT_EQ(static_cast<Cardinal>(d->InLen->GetValue()), 0xFFFF8000u ^ 0x2E97u);
    EXPECT_LT(d->InLen->GetValue(), 0);
}

TEST_F(DatagramTest, BytesPastTheEndOfAShortDatagramDecodeAsZero) {
    TdsProg* d = NewDevice(1);
    TWire full;
    full.DeviceId = 0x22;
    full.Code = 0x11;
    full.Len = 0x3344;
    full.Address = 0x55667788;
    full.Payload.fill(0x99);
    TBytes b = full.Encode();
    d->StoreDatagram(b.data(), 539);
    d->Unpack();
    ASSERT_EQ(d->InPayload->Elements[0], 0x99);

    // A truncated answer to "program last chunk": InPayload[0] must not read
    // as the earlier answer's "programmed" nor as the mask.
    TWire part = full;
    part.Len = 0xABCD;
    TBytes shortOne = part.Encode();
    shortOne.resize(22); // ends inside InLen, after its low byte
    d->StoreDatagram(shortOne.data(), 22);
    d->Unpack();
    EXPECT_EQ(d->Device_ID->GetValue(), 0x22);
    EXPECT_EQ(d->CmdResponse->GetValue(), 0x11);
    EXPECT_EQ(d->InLen->GetValue(), 0xCD);
    EXPECT_EQ(d->InAddress->GetValue(), 0);
    for (int i = 0; i < 512; ++i)
        ASSERT_EQ(d->InPayload->Elements[i], 0) << i;

    shortOne.resize(3); // not even a whole header
    d->StoreDatagram(shortOne.data(), 3);
    d->Unpack();
    EXPECT_EQ(d->Protocol_ID->GetValue(), 0x5A564B);
    EXPECT_EQ(d->Device_ID->GetValue(), 0);
    EXPECT_EQ(d->CmdResponse->GetValue(), 0);
}

TEST_F(DatagramTest, SwapBytesAndFormatAddress) {
    TdsProg* d = NewDevice(1);
    EXPECT_EQ(d->SwapBytes(0x11223344, 2), 0x4433);
    EXPECT_EQ(d->SwapBytes(0x11223344, 4), 0x44332211);
    EXPECT_EQ(d->SwapBytes(0x11223344, 1), 0x44);
    EXPECT_EQ(d->FormatAddress(0x0A000001), "010.000.000.001");
    EXPECT_EQ(d->FormatAddress(static_cast<Integer>(0xC0A80001)), "192.168.000.001");
    EXPECT_EQ(d->FormatAddress(-1), "255.255.255.255");
}

TEST_F(DatagramTest, ReportObjectLifecycle) {
    auto* d = new TdsProg(Agent);
    EXPECT_FALSE(d->Opened);
    EXPECT_EQ(d->FieldCount, 14);
    EXPECT_EQ(d->GetFieldCount(), 14);
    EXPECT_EQ(d->PeerIP, "255.255.255.255");
    EXPECT_EQ(d->PeerPort, 16388);
    EXPECT_EQ(d->Open(), 14); // every field counts as closed
    EXPECT_TRUE(d->Opened);
    EXPECT_TRUE(d->AllFieldsClosed());
    EXPECT_TRUE(d->HasUsage(0));
    EXPECT_EQ(d->FieldAt(9)->Name, "OutPayload");
    EXPECT_EQ(d->FieldAt(9)->Elements, &d->PayloadStore[0]);
    EXPECT_EQ(d->FieldAt(13)->Elements, &d->PayloadStore[512]);
    EXPECT_EQ(d->FindFieldByHandle(-1), d->Protocol_ID);
    EXPECT_EQ(d->ResetFields(), 14);
    EXPECT_EQ(d->FieldAt(9)->Name, "");
    d->Close();
    EXPECT_FALSE(d->Opened);
    d->Free();
}
