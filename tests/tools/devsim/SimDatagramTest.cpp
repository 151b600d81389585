// The device's datagram codec against bytes worked out by hand from the
// datagram layout: little-endian values, header sent as it stands, every
// value after it XOR-masked by width (0x6D, 0x2E97, 0x4E8B16D2).
#include "tools/devsim/SimDatagram.h"

#include <gtest/gtest.h>

using namespace devsim;

namespace {

TSimDatagram Sample() {
    TSimDatagram d;
    d.DeviceID = 0x1234;
    d.MsgNum = 0x0102;
    d.CompanyID = 0x11223344;
    d.ModelID = 0x55667788;
    d.SerialNum = 0x99AABBCC;
    d.Command = 0x01;
    d.Length = 0x0080;
    d.Address = 0x9D000000;
    d.Payload[1] = 0x6D;
    d.Payload[511] = 0xFF;
    return d;
}

} // namespace

TEST(SimDatagram, EncodesHeaderPlainAndFieldsMasked) {
    const TDatagramBytes b = EncodeDatagram(Sample());
    const Byte expected[27] = {
        0x4B, 0x56, 0x5A, 0x51, // Protocol_ID, "QZVK" as a big-endian word
        0x34, 0x12,             // Device_ID
        0x02, 0x01,             // MsgNum
        0x44, 0x33, 0x22, 0x11, // Company_ID
        0x88, 0x77, 0x66, 0x55, // Model_ID
        0xCC, 0xBB, 0xAA, 0x99, // SerialNum
        0x6C,                   // 0x01 ^ 0x6D
        0x17, 0x2E,             // 0x0080 ^ 0x2E97
        0xD2, 0x16, 0x8B, 0xD3, // 0x9D000000 ^ 0x4E8B16D2
    };
    ASSERT_EQ(b.size(), 539u);
    for (std::size_t i = 0; i < 27; ++i)
        EXPECT_EQ(b[i], expected[i]) << "offset " << i;
    EXPECT_EQ(b[27], 0x6D); // payload 0x00
    EXPECT_EQ(b[28], 0x00); // payload 0x6D
    EXPECT_EQ(b[29], 0x6D);
    EXPECT_EQ(b[538], 0x92); // payload 0xFF
}

TEST(SimDatagram, AllZeroFieldsGoOutAsTheMasks) {
    TSimDatagram d;
    d.ProtocolID = 0;
    const TDatagramBytes b = EncodeDatagram(d);
    for (std::size_t i = 0; i < 20; ++i)
        EXPECT_EQ(b[i], 0) << i;
    EXPECT_EQ(b[20], 0x6D);
    EXPECT_EQ(b[21], 0x97);
    EXPECT_EQ(b[22], 0x2E);
    EXPECT_EQ(b[23], 0xD2);
    EXPECT_EQ(b[24], 0x16);
    EXPECT_EQ(b[25], 0x8B);
    EXPECT_EQ(b[26], 0x4E);
    for (std::size_t i = 27; i < 539; ++i)
        ASSERT_EQ(b[i], 0x6D) << i;
}

TEST(SimDatagram, DecodeUndoesTheMasksAndReadsOnly539Bytes) {
    const TDatagramBytes b = EncodeDatagram(Sample());
    std::vector<Byte> longer(b.begin(), b.end());
    longer.resize(600, 0xEE);
    TSimDatagram d;
    ASSERT_TRUE(DecodeDatagram(longer.data(), longer.size(), d));
    EXPECT_EQ(d.ProtocolID, 0x515A564Bu);
    EXPECT_EQ(d.DeviceID, 0x1234);
    EXPECT_EQ(d.MsgNum, 0x0102);
    EXPECT_EQ(d.CompanyID, 0x11223344u);
    EXPECT_EQ(d.ModelID, 0x55667788u);
    EXPECT_EQ(d.SerialNum, 0x99AABBCCu);
    EXPECT_EQ(d.Command, 0x01);
    EXPECT_EQ(d.Length, 0x0080);
    EXPECT_EQ(d.Address, 0x9D000000u);
    EXPECT_EQ(d.Payload, Sample().Payload);
}

TEST(SimDatagram, ShortDatagramIsRejectedAndLeavesTheTargetAlone) {
    const TDatagramBytes b = EncodeDatagram(Sample());
    TSimDatagram d;
    d.MsgNum = 77;
    EXPECT_FALSE(DecodeDatagram(b.data(), 538, d));
    EXPECT_FALSE(DecodeDatagram(nullptr, 539, d));
    EXPECT_EQ(d.MsgNum, 77);
}

TEST(SimDatagram, PayloadWordsAreLittleEndianAndClippedAtTheEnd) {
    TSimDatagram d;
    d.SetPayloadWord(4, 0x9D070000);
    EXPECT_EQ(d.Payload[4], 0x00);
    EXPECT_EQ(d.Payload[6], 0x07);
    EXPECT_EQ(d.Payload[7], 0x9D);
    EXPECT_EQ(d.PayloadWord(4), 0x9D070000u);
    d.SetPayloadWord(510, 0xAABBCCDD); // only the two low bytes fit
    EXPECT_EQ(d.Payload[510], 0xDD);
    EXPECT_EQ(d.Payload[511], 0xCC);
    EXPECT_EQ(d.PayloadWord(510), 0xCCDDu);
}
