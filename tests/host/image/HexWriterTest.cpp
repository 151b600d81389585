#include "ImageTestSupport.h"

#include "host/image/HexWriter.h"

#include <gtest/gtest.h>

namespace {
std::vector<String> Strings(const TStrings& Lines) {
    std::vector<String> v;
    for (Integer i = 0; i < Lines.Count(); ++i) v.push_back(Lines[i]);
    return v;
}
} // namespace

TEST(HexWriter, Checksums) {
    String line = ":020000040000";
    AppendChecksum(line);
    EXPECT_EQ(line, ":020000040000fa");
    line = ":0400100001020304";
    AppendChecksum(line);
    EXPECT_EQ(line, ":0400100001020304e2");
    line = ":00000001";
    AppendChecksum(line);
    EXPECT_EQ(line, ":00000001ff");
}

TEST(HexWriter, TrailingBlankWordsAreTrimmed) {
    String line = ":100000000102030405060708ffffff00FFFFFF00";
    TrimTrailingBlanks(line);
    EXPECT_EQ(line, ":080000000102030405060708");
    line = ":08000000ffffff00ffffff00";
    TrimTrailingBlanks(line);
    EXPECT_EQ(line, ":00000000");
    line = ":04000000ffffff01";
    TrimTrailingBlanks(line);
    EXPECT_EQ(line, ":04000000ffffff01");
}

TEST(HexWriter, PayloadLinesOfAPic32) {
    const TDeviceTypeRec t = imagetest::Pic32Target();
    THexLineWriter w;
    TStringList lines;
    const Byte blank[16] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                            0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    Byte data[16] = {0x10, 0x00, 0x00, 0x0B, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0x00};
    EXPECT_TRUE(w.WritePayloadLine(lines, blank, 16, 0x1D000000, t)); // blank: no record
    EXPECT_EQ(lines.Count(), 0);
    w.WritePayloadLine(lines, data, 4, 0x00000100, t); // below 64 KiB: no upper address record
    w.WritePayloadLine(lines, data, 16, 0x1D000000, t);
    w.WritePayloadLine(lines, data, 4, 0x1D000010, t);
    w.WritePayloadLine(lines, data, 4, 0x1D010000, t);
    // 0x00FFFFFF is a real word of a PIC32, not a blank one: it is kept.
    EXPECT_EQ(Strings(lines), (std::vector<String>{
                                  ":040100001000000be0",
                                  ":020000040000FA",
                                  ":020000041d00dd",
                                  ":100000001000000b00000000ffffff00ffffff00db",
                                  ":040010001000000bd1",
                                  ":020000040000FA",
                                  ":020000041d01dc",
                                  ":040000001000000be1",
                              }));
    EXPECT_EQ(w.LastUpperAddress, 0x1D01u);
}

TEST(HexWriter, WordsWithAnInactiveByteCarryAZeroByteAndLoseTrailingBlanks) {
    const TDeviceTypeRec t = DefaultDeviceTypeRec(); // 3 of 4 bytes active
    THexLineWriter w;
    TStringList lines;
    const Byte data[12] = {0x01, 0x02, 0x03, 0xAA, 0xBB, 0xCC, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    w.WritePayloadLine(lines, data, 12, 0x1000, t);
    EXPECT_EQ(Strings(lines), std::vector<String>{":0810000001020300aabbcc00b1"});
    Byte big[200] = {};
    EXPECT_FALSE(w.WritePayloadLine(lines, big, 200, 0, t)); // 266 record bytes
    EXPECT_EQ(lines.Count(), 1);
}

TEST(HexWriter, ConfigurationWordLines) {
    TStringList lines;
    AddConfigWordLines(lines, 0x1FC02FF0, 3, 0x12345678);
    EXPECT_EQ(Strings(lines), (std::vector<String>{":020000040000FA", ":020000041FC01b", ":042FFC0078563412bd"}));
}
